// An iCalendar file read back by an independent reader: Debian's python3-icalendar with
// python3-recurring-ical-events (read_calendar.py).
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace orbelquint::test_support {

// Each occurrence from `first` to `last` (yyyy-mm-dd) as a line "yyyy-mm-dd HH:MM offset summary"
// in local time, sorted; nullopt when the reader is not installed (a text that says so where CI runs).
inline std::optional<std::string> ReadCalendar(const std::filesystem::path& file, const std::string& first,
                                               const std::string& last) {
    std::string read;
    FILE* pipe = popen(("/usr/bin/python3 " ORBELQUINT_TEST_SUPPORT_DIR "/read_calendar.py '" +
                        file.string() + "' " + first + " " + last)
                           .c_str(),
                       "r");
    if (pipe == nullptr) return std::nullopt;
    char block[4096];
    for (std::size_t count; (count = std::fread(block, 1, sizeof block, pipe)) > 0;)
        read.append(block, count);
    // Where CI runs, which installs the reader, a missing one fails the test instead of skipping it.
    if (WEXITSTATUS(pclose(pipe)) == 3)
        return std::getenv("CI") != nullptr ? std::optional<std::string>("python3-icalendar is missing")
                                            : std::nullopt;
    return read;
}

}  // namespace orbelquint::test_support
