#pragma once

#include <string>
#include <string_view>

namespace orbelquint {

// A TEXT value of an iCalendar file (RFC 5545, 3.3.11) from UTF-8 text: backslash, semicolon and
// comma escaped, a line break written as \n, other control characters left out.
std::string IcsText(std::string_view utf8);

// Appends one content line to `file`, folded as calendars read it: at most 75 octets a line, a
// fold never inside a UTF-8 character, each following line begun with a blank, every line ended
// with CR LF.
void AppendContentLine(std::string& file, std::string_view line);

}  // namespace orbelquint
