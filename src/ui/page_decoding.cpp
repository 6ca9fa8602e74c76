#include "ui/page_decoding.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include "core/reading/text_encoding.h"
#include "core/text/text.h"

namespace orbelquint {
namespace {

bool IsCharsetNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// The charset named in the page's head ("charset=windows-1252"), or empty.
QByteArray DeclaredCharset(const QByteArray& bytes) {
    const std::string_view page(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::string_view head = BeforeNoCase(page, "</head>");
    std::string_view name = AfterNoCase(head, "charset=");
    while (!name.empty() && (name.front() == '"' || name.front() == '\'' || name.front() == ' ')) {
        name.remove_prefix(1);
    }
    std::size_t length = 0;
    while (length < name.size() && IsCharsetNameCharacter(name[length]))
        ++length;
    return QByteArray(name.data(), static_cast<qsizetype>(length));
}

}  // namespace

QString DecodePage(const QByteArray& bytes) {
    return PageTextDecoder(bytes)(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

PageTextDecoder::PageTextDecoder(const QByteArray& page) : charset_(DeclaredCharset(page)) {
    if (!charset_.isEmpty() && !QStringDecoder(charset_.constData()).isValid()) charset_.clear();
}

QString PageTextDecoder::operator()(std::string_view piece) const {
    if (charset_.isEmpty()) return DecodeDataText(piece);
    QStringDecoder decoder(charset_.constData());
    return decoder.decode(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size())));
}

QString WithoutLineBreakAfterPre(QString html) {
    static const QRegularExpression lineBreakAfterPre("(<pre\\b[^>]*>)\\r?\\n?",
                                                      QRegularExpression::CaseInsensitiveOption);
    return html.replace(lineBreakAfterPre, "\\1");
}

QString DecodeDataText(std::string_view bytes) {
    return QString::fromStdString(DataTextToUtf8(bytes));
}

}  // namespace orbelquint
