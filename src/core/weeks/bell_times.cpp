#include "core/weeks/bell_times.h"

#include <algorithm>
#include <optional>

#include "core/text/text.h"

namespace orbelquint {
namespace {

// The whole number of one to `most` digits at the start of `text`, and `text` moved past it.
std::optional<int> Number(std::string_view& text, std::size_t most) {
    std::size_t digits = 0;
    int value = 0;
    for (; digits < text.size() && digits < most && IsDigit(text[digits]); ++digits)
        value = value * 10 + (text[digits] - '0');
    if (digits == 0 || (digits < text.size() && IsDigit(text[digits]))) return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

bool Skip(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

// A clock time H:MM or HH:MM, in minutes after midnight.
std::optional<int> ClockTime(std::string_view& text) {
    const std::optional<int> hours = Number(text, 2);
    if (!hours || *hours > 23 || !Skip(text, ':') || text.size() < 2 || !IsDigit(text[0]) ||
        !IsDigit(text[1]))
        return std::nullopt;
    const int minutes = (text[0] - '0') * 10 + (text[1] - '0');
    text.remove_prefix(2);
    if (minutes > 59) return std::nullopt;
    return *hours * 60 + minutes;
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// What begins a line of free days.
constexpr std::string_view kFreeDays = "vrij";

// A number from 0 to 99 in two digits.
std::string TwoDigits(int number) {
    return {static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
}

}  // namespace

BellTimes DefaultBellTimes() {
    const auto at = [](int hours, int minutes) { return hours * 60 + minutes; };
    return {{1, {at(8, 25), at(9, 15)}},   {2, {at(9, 15), at(10, 5)}},  {3, {at(10, 20), at(11, 10)}},
            {4, {at(11, 10), at(12, 0)}},  {5, {at(13, 0), at(13, 50)}}, {6, {at(13, 50), at(14, 40)}},
            {7, {at(14, 50), at(15, 40)}}, {8, {at(15, 40), at(16, 30)}}};
}

std::variant<std::pair<int, LessonTimes>, std::string> ReadBellTime(std::string_view hour,
                                                                    std::string_view start,
                                                                    std::string_view end) {
    hour = Trim(hour);
    const std::optional<int> number = Number(hour, 2);
    if (!number || !hour.empty()) return "verwacht een lesuur van 0 tot 99, dan HH:MM-HH:MM";
    start = Trim(start);
    end = Trim(end);
    const std::optional<int> begins = ClockTime(start);
    const std::optional<int> ends = ClockTime(end);
    if (!begins || !ends || !start.empty() || !end.empty()) return "verwacht HH:MM-HH:MM na het lesuur";
    if (*ends <= *begins) return "het lesuur eindigt niet na zijn begin";
    return std::pair{*number, LessonTimes{*begins, *ends}};
}

std::optional<std::string> AddBellTime(BellTimes& table, const std::pair<int, LessonTimes>& hour) {
    if (table.insert(hour).second) return std::nullopt;
    return "lesuur " + std::to_string(hour.first) + " staat er al";
}

std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfCells(const std::vector<BellTimeCells>& rows,
                                                               const std::vector<DateRange>& freeDays) {
    SchoolTimes times{{}, freeDays};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const BellTimeCells& cells = rows[row];
        if (IsBlank(cells.hour) && IsBlank(cells.start) && IsBlank(cells.end)) continue;
        auto read = ReadBellTime(cells.hour, cells.start, cells.end);
        std::optional<std::string> problem;
        if (auto* why = std::get_if<std::string>(&read))
            problem = std::move(*why);
        else
            problem = AddBellTime(times.bellTimes, std::get<std::pair<int, LessonTimes>>(read));
        if (problem) return BellTimesProblem{row + 1, std::move(*problem)};
    }
    return times;
}

std::string FreeDaysProblem(const DateRange& range) {
    if (std::chrono::sys_days(range.last) < std::chrono::sys_days(range.first))
        return "De laatste vrije dag ligt voor de eerste.";
    return {};
}

std::variant<SchoolTimes, BellTimesProblem> ReadBellTimes(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    SchoolTimes times;
    std::size_t number = 0;
    std::string line;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.pop_back();
        std::replace(line.begin(), line.end(), '\t', ' ');
        const std::string_view fields = Trim(line);
        if (fields.empty() || fields.front() == '#') continue;
        const auto problem = [number](std::string why) { return BellTimesProblem{number, std::move(why)}; };
        if (fields.starts_with(kFreeDays)) {
            const auto range = DateRangeFromText(Trim(fields.substr(kFreeDays.size())));
            if (!range) return problem("verwacht na \"vrij\" een datum of bereik DD-MM-JJJJ..DD-MM-JJJJ");
            times.freeDays.push_back(*range);
            continue;
        }
        const std::size_t blank = std::min(fields.find(' '), fields.size());
        const std::string_view clock = fields.substr(blank);
        const std::size_t dash = std::min(clock.find('-'), clock.size());
        auto hour = ReadBellTime(fields.substr(0, blank), clock.substr(0, dash),
                                 dash < clock.size() ? clock.substr(dash + 1) : std::string_view{});
        if (auto* why = std::get_if<std::string>(&hour)) return problem(std::move(*why));
        if (auto twice = AddBellTime(times.bellTimes, std::get<std::pair<int, LessonTimes>>(hour)))
            return problem(std::move(*twice));
    }
    return times;
}

std::string ClockText(int minutes) {
    return TwoDigits(minutes / 60) + ":" + TwoDigits(minutes % 60);
}

std::string BellTimesText(const SchoolTimes& times) {
    std::string text = "# Beltijden (lesuur begin-einde) en vrije dagen\n";
    for (const auto& [hour, lesson] : times.bellTimes) {
        text += std::to_string(hour) + " " + ClockText(lesson.start) + "-" + ClockText(lesson.end) + "\n";
    }
    for (const DateRange& range : times.freeDays)
        text += std::string(kFreeDays) + " " + DateRangeText(range) + "\n";
    return text;
}

}  // namespace orbelquint
