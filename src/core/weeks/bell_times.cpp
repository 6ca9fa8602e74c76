#include "core/weeks/bell_times.h"

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

std::variant<SchoolTimes, BellTimesProblem> ReadBellTimes(std::string_view text) {
    SchoolTimes times;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        const auto problem = [number](std::string why) { return BellTimesProblem{number, std::move(why)}; };
        if (line.starts_with(kFreeDays)) {
            const auto range = DateRangeFromText(Trim(line.substr(kFreeDays.size())));
            if (!range) return problem("verwacht na \"vrij\" een datum of bereik DD-MM-JJJJ..DD-MM-JJJJ");
            times.freeDays.push_back(*range);
            continue;
        }
        const std::optional<int> hour = Number(line, 2);
        if (!hour || line.empty() || line.front() != ' ')
            return problem("verwacht een lesuur van 0 tot 99, dan HH:MM-HH:MM");
        line = Trim(line);
        const std::optional<int> start = ClockTime(line);
        const bool dash = start && Skip(line, '-');
        const std::optional<int> finish = dash ? ClockTime(line) : std::nullopt;
        if (!finish || !Trim(line).empty()) return problem("verwacht HH:MM-HH:MM na het lesuur");
        if (*finish <= *start) return problem("het lesuur eindigt niet na zijn begin");
        if (!times.bellTimes.emplace(*hour, LessonTimes{*start, *finish}).second)
            return problem("lesuur " + std::to_string(*hour) + " staat er al");
    }
    return times;
}

std::string BellTimesText(const SchoolTimes& times) {
    std::string text = "# Beltijden (lesuur begin-einde) en vrije dagen\n";
    for (const auto& [hour, lesson] : times.bellTimes) {
        text += std::to_string(hour) + " " + TwoDigits(lesson.start / 60) + ":" +
                TwoDigits(lesson.start % 60) + "-" + TwoDigits(lesson.end / 60) + ":" +
                TwoDigits(lesson.end % 60) + "\n";
    }
    for (const DateRange& range : times.freeDays)
        text += std::string(kFreeDays) + " " + DateRangeText(range) + "\n";
    return text;
}

}  // namespace orbelquint
