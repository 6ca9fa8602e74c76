#include "core/files/settings_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <system_error>

#include "core/files/atomic_file.h"
#include "core/reading/file_handle.h"
#include "core/reading/line_reader.h"
#include "core/text/number_text.h"

namespace orbelquint {

SettingsLoad LoadSettings(const std::filesystem::path& file) {
    const auto unusable = [&file](const char* what) {
        return SettingsLoad{
            SettingsLoad::Kind::Unusable, {}, "Het instellingenbestand \"" + file.string() + "\" " + what};
    };
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
        // Made at its own name only: a link left there (dangling or not) is never followed.
        const int created = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (created < 0 || ::close(created) != 0) return unusable("kan niet worden aangemaakt.");
    }
    const FileHandle handle = OpenForReading(file);
    if (!handle) return unusable("kan niet worden geopend.");
    LineReader reader(handle.get());
    if (reader.AtEnd()) {
        return reader.Failed() ? unusable("kan niet worden gelezen.") : SettingsLoad{};
    }

    SettingsLoad load{SettingsLoad::Kind::Restored, {}, {}};
    load.settings.dataFile = reader.ReadLine();
    if (!reader.AtEnd()) {
        const double series = LeadingNumber(reader.ReadLine());
        if (series != 0) load.settings.series = series;
    }
    if (!reader.AtEnd()) load.settings.lessonMarks = reader.ReadLine() != kMarksOff;
    if (!reader.AtEnd() && reader.ReadLine() == kGridView) load.settings.view = WeekView::Grid;
    if (reader.Failed()) return unusable("kan niet worden gelezen.");
    return load;
}

bool SaveSettingsFile(const std::filesystem::path& file, std::string_view dataFile,
                      std::string_view seriesLine, bool lessonMarks, WeekView view) {
    AtomicFile settings(file, SpecialFiles::Refuse, Links::Refuse);
    settings.Stream() << dataFile << "\r\n" << seriesLine << "\r\n";
    const bool grid = view == WeekView::Grid;
    if (!lessonMarks || grid) settings.Stream() << (lessonMarks ? kMarksOn : kMarksOff) << "\r\n";
    if (grid) settings.Stream() << kGridView << "\r\n";
    return settings.Commit();
}

std::variant<SchoolTimes, std::string> ReadBellTimesFile(const std::filesystem::path& file,
                                                         SpecialFiles special) {
    constexpr std::size_t kLargest = std::size_t{1} << 20;
    const std::string named = "Het beltijdenbestand \"" + file.string() + "\"";
    const FileHandle handle = OpenForReading(file, special);
    std::string text;
    if (handle) {
        char block[4096];
        for (std::size_t count;
             text.size() <= kLargest && (count = std::fread(block, 1, sizeof block, handle.get())) > 0;)
            text.append(block, count);
    }
    if (!handle || std::ferror(handle.get()) || text.size() > kLargest)
        return named + " kan niet worden gelezen.";
    auto read = ReadBellTimes(text);
    if (const auto* problem = std::get_if<BellTimesProblem>(&read))
        return named + ", regel " + std::to_string(problem->line) + ": " + problem->why + ".";
    return std::get<SchoolTimes>(std::move(read));
}

bool SaveBellTimesFile(const std::filesystem::path& file, const SchoolTimes& times) {
    AtomicFile saved(file, SpecialFiles::Refuse, Links::Refuse);
    saved.Stream() << BellTimesText(times);
    return saved.Commit();
}

}  // namespace orbelquint
