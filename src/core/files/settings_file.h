#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/reading/file_handle.h"
#include "core/timetable/week_view.h"
#include "core/weeks/bell_times.h"

namespace orbelquint {

// What the settings file "prev.ini" remembers between runs.
struct RememberedSettings {
    std::string dataFile;          // line 1, the data file name as it was written
    std::optional<double> series;  // line 2 when it reads as a number other than 0: filter on
    // The viewer marks the week's changes unless a third line says kMarksOff; files of two lines,
    // as every earlier version wrote them, keep the marks on.
    bool lessonMarks = true;
    // The view, from a fourth line; the list unless it says kGridView.
    WeekView view = WeekView::List;
};

inline constexpr std::string_view kMarksOff = "markeringen uit";
// The third line with the marks on, written only when a fourth follows; earlier versions read any
// third line but kMarksOff as marks on, and no fourth.
inline constexpr std::string_view kMarksOn = "markeringen aan";
inline constexpr std::string_view kGridView = "weergave raster";

struct SettingsLoad {
    enum class Kind {
        FirstStart,  // the file is empty (and was created empty when it was missing)
        Restored,    // `settings` holds what the last run left
        Unusable,    // the file cannot be created or read: `problem` tells why
    };
    Kind kind = Kind::FirstStart;
    RememberedSettings settings;
    std::string problem;
};

// True when the settings file can remember `dataFile`: it holds one name per line.
inline bool CanBeRemembered(std::string_view dataFile) {
    return dataFile.find_first_of("\r\n") == std::string_view::npos;
}

// Reads the settings file, creating it empty when it is missing (never through a link); an empty
// file marks a first start.
SettingsLoad LoadSettings(const std::filesystem::path& file);

// Writes the settings file at once, either the whole new file or the old one, at its own name (a
// link found there is refused, never followed): two lines, the third
// only when the marks are off or the grid is shown, and the fourth only for the grid.
bool SaveSettingsFile(const std::filesystem::path& file, std::string_view dataFile,
                      std::string_view seriesLine, bool lessonMarks = true, WeekView view = WeekView::List);

// The bell times and free days of a file in the form ReadBellTimes reads, or why it cannot be
// read, in Dutch, naming the file and the line. A file larger than any table (1 MiB) is refused.
std::variant<SchoolTimes, std::string> ReadBellTimesFile(const std::filesystem::path& file,
                                                         SpecialFiles special = SpecialFiles::Refuse);

// Writes the table whole or not at all, at its own name (a link found there is refused, never
// followed); false when it cannot be written.
bool SaveBellTimesFile(const std::filesystem::path& file, const SchoolTimes& times);

}  // namespace orbelquint
