#pragma once

#include <QFile>
#include <QFontMetrics>
#include <QString>
#include <filesystem>

namespace orbelquint {

// A file name as the windows show it, and back. The program keeps names as bytes
// (std::filesystem::path) and converts only where a control or Qt needs text.
inline QString PathText(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.string()));
}

inline std::filesystem::path PathOf(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

// The existing file whose name `text` shows. A name that is not UTF-8 comes back from a file dialog
// or a drop with replacement characters; each such part is found among its folder's entries by the
// text it shows. PathOf(text) when there is no such file.
std::filesystem::path ExistingPathOf(const QString& text);

// `text` as it fits `width` in `metrics`: whole where it fits, otherwise with the middle of the file
// name `path` in it left out first, so that what is said of the file stays whole; cut at its end
// only where even that does not fit.
QString FittedText(const QString& text, const QString& path, const QFontMetrics& metrics, int width);

}  // namespace orbelquint
