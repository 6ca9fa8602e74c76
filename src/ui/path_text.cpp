#include "ui/path_text.h"

#include <system_error>

namespace orbelquint {
namespace {

bool Exists(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

// The entry of `folder` whose name shows as `shown`; empty when there is none.
std::filesystem::path EntryShownAs(const std::filesystem::path& folder, const QString& shown) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (PathText(entry->path().filename()) == shown) return entry->path();
    }
    return {};
}

}  // namespace

std::filesystem::path ExistingPathOf(const QString& text) {
    std::filesystem::path path = PathOf(text);
    if (Exists(path)) return path;
    std::filesystem::path found = path.root_path();
    for (const std::filesystem::path& part : path.relative_path()) {
        std::filesystem::path next = found / part;
        if (!Exists(next)) next = EntryShownAs(found, PathText(part));
        if (next.empty()) return path;
        found = std::move(next);
    }
    return found;
}

QString FittedText(const QString& text, const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const qsizetype at = path.isEmpty() ? -1 : text.indexOf(path);
    if (at >= 0) {
        QString around = text;
        around.remove(at, path.size());
        const int room = width - metrics.horizontalAdvance(around);
        const QString shortPath = metrics.elidedText(path, Qt::ElideMiddle, room);
        if (room > 0 && !shortPath.isEmpty()) return around.insert(at, shortPath);
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

}  // namespace orbelquint
