#pragma once

#include <QFile>
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

}  // namespace orbelquint
