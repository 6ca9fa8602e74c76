#pragma once

#include <QByteArray>
#include <QString>

namespace orbelquint {

// A page's text: decoded by the charset its meta tag names, when that is one Qt knows; otherwise
// as UTF-8 when the bytes are valid UTF-8, and as Windows-1252 (the data files' code page) when not.
QString DecodePage(const QByteArray& bytes);

// Decodes pieces of one page (a day name, a lesson) as the whole page is decoded.
class PageTextDecoder {
  public:
    explicit PageTextDecoder(const QByteArray& page);
    QString operator()(std::string_view piece) const;

  private:
    QByteArray charset_;  // the page's declared charset when Qt knows it; else empty
};

// The page as the text browser should get it: HTML drops a line break right after <pre>, which the
// text browser would show as an empty first line.
QString WithoutLineBreakAfterPre(QString html);

// Bytes of a data file (a heading, a file name) as text, decoded like a page without a charset.
QString DecodeDataText(std::string_view bytes);

}  // namespace orbelquint
