#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text/number_text.h"
#include "core/text/text.h"

// The fixed columns of a lesson line: its first week in columns 13-14, its last week in columns
// 16-17 and its series in the last two characters. Inline, since the page builder reads them from
// every line.
namespace orbelquint {

// The 1-based columns where the two-character week fields begin.
inline constexpr std::size_t kFirstWeekColumn = 13;
inline constexpr std::size_t kLastWeekColumn = 16;

// A continuation line carries on the lesson line above it and is shown or hidden with it.
inline bool IsContinuation(std::string_view line) {
    return line.starts_with("  ");
}

// The number in a field of up to two characters when it holds only digits and blanks, by far the
// usual content (blanks do not count in a number); -1 for anything else.
constexpr int PlainFieldNumber(std::string_view field) {
    int value = 0;
    for (const char c : field) {
        if (IsDigit(c)) {
            value = value * 10 + (c - '0');
        } else if (c != ' ') {
            return -1;
        }
    }
    return value;
}

// Where PlainPairNumber finds the number of a field of two characters.
constexpr std::size_t PairIndex(char first, char second) {
    return std::size_t{static_cast<unsigned char>(first)} << 8 | static_cast<unsigned char>(second);
}

// PlainFieldNumber of every field of two characters, so that reading a field costs one look-up.
inline constexpr auto kPairNumbers = [] {
    std::array<std::int8_t, std::size_t{256} * 256> numbers{};
    numbers.fill(-1);
    constexpr std::string_view kPlain = " 0123456789";
    for (const char first : kPlain) {
        for (const char second : kPlain) {
            const std::array<char, 2> field = {first, second};
            numbers[PairIndex(first, second)] =
                static_cast<std::int8_t>(PlainFieldNumber({field.data(), field.size()}));
        }
    }
    return numbers;
}();

inline int PlainPairNumber(char first, char second) {
    return kPairNumbers[PairIndex(first, second)];
}

// Week in the two columns from `column` on; two characters always read within 16 bits.
inline std::int16_t WeekColumn(std::string_view line, std::size_t column) {
    const std::string_view field = Columns(line, column, 2);
    const int plain = PlainFieldNumber(field);
    if (plain >= 0) return static_cast<std::int16_t>(plain);
    return RoundToInt16(LeadingNumber(field)).value_or(0);
}

// The series in the last two characters as a plain number (PlainFieldNumber); 0 (or blank) marks
// a lesson for the whole class.
inline int PlainSeriesField(std::string_view line) {
    const std::size_t size = line.size();
    return size >= 2 ? PlainPairNumber(line[size - 2], line[size - 1]) : PlainFieldNumber(line);
}

// Series in the last two characters, whatever they hold.
inline double SeriesField(std::string_view line) {
    const int plain = PlainSeriesField(line);
    return plain >= 0 ? plain : LeadingNumber(LastCharacters(line, 2));
}

struct LessonWeeks {
    std::int16_t from = 0;
    std::int16_t to = 0;
};

inline LessonWeeks WeeksOfLesson(std::string_view line) {
    // The usual line holds both fields, digits and blanks only.
    if (line.size() >= kLastWeekColumn + 1) {
        const int from = PlainPairNumber(line[kFirstWeekColumn - 1], line[kFirstWeekColumn]);
        const int to = PlainPairNumber(line[kLastWeekColumn - 1], line[kLastWeekColumn]);
        if ((from | to) >= 0) return {static_cast<std::int16_t>(from), static_cast<std::int16_t>(to)};
    }
    return {WeekColumn(line, kFirstWeekColumn), WeekColumn(line, kLastWeekColumn)};
}

// What a lesson does in a week: it starts then, or it is given for the last time (a lesson of one
// week starts).
enum class LessonChange { None, Starts, Ends };

inline LessonChange ChangeIn(std::string_view line, int week) {
    const auto [from, to] = WeeksOfLesson(line);
    return from == week ? LessonChange::Starts : to == week ? LessonChange::Ends : LessonChange::None;
}

}  // namespace orbelquint
