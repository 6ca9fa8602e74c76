#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/timetable/week_page.h"

namespace orbelquint {

// "Dit gegevens bestand gaat van week 36 tot week 51": the weeks the data file covers.
std::string InfoText(const WeekPageReport& report);

// The first later week in which the timetable changes; empty when it does not change.
std::string FirstChangeText(const WeekPageReport& report);

// Name under which a copy of the week page is saved: "4A - week7.html".
std::string SaveName(std::string_view heading, std::int16_t week);

// The name a calendar of the class `heading` (and of `series` when filtered) is offered under: the
// heading and ".ics" when that is a plain file name, "agenda.ics" otherwise.
std::string CalendarFileName(std::string_view heading, std::optional<double> series);

// The longest file name, in bytes, that Linux file systems take.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// True when a save name (UTF-8) is a plain file name: no folder separator and no control
// character, so the copy lands in the program's folder and nowhere else.
bool IsPlainFileName(std::string_view name);

// UTF-8 text with its control characters and direction controls written out ("\x1b", "\u009b",
// "\u202e"), so that text from a data file can be shown on a terminal or in a message without
// acting on it or reading as another text.
std::string WithVisibleControls(std::string_view text);

}  // namespace orbelquint
