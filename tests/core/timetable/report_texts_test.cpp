#include "core/timetable/report_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace orbelquint {
namespace {

TEST(ReportTextsTest, CalendarFileNameIsTheHeadingWhenThatIsAPlainName) {
    EXPECT_EQ(CalendarFileName("5WW", 2.0), "5WW - reeks 2.ics");
    EXPECT_EQ(CalendarFileName("../5WW", std::nullopt), "agenda.ics");
    EXPECT_EQ(CalendarFileName("", std::nullopt), "agenda.ics");
    // The longest name a file system takes, and one byte more.
    const std::string longest(kMaxFileNameBytes - 4, 'k');
    EXPECT_EQ(CalendarFileName(longest, std::nullopt), longest + ".ics");
    EXPECT_EQ(CalendarFileName(longest + "k", std::nullopt), "agenda.ics");
}

TEST(ReportTextsTest, SaveNameJoinsHeadingAndWeekWithoutBlanks) {
    EXPECT_EQ(SaveName("4A", 7), "4A - week7.html");
    EXPECT_EQ(SaveName("", 12), " - week12.html");
    EXPECT_EQ(SaveName("4A", -3), "4A - week-3.html");
}

TEST(ReportTextsTest, APlainFileNameStaysInItsFolder) {
    for (const char* plain : {"4A - week7.html", " - week12.html",
                              "5 \xC3\x89"
                              "conomie - week1.html",
                              "..x"}) {
        EXPECT_TRUE(IsPlainFileName(plain)) << plain;
    }
    for (const char* unsafe :
         {"../4A - week7.html", "a\\b.html", "a\tb.html", "a\x7F.html", "a\xC2\x85.html", ""}) {
        EXPECT_FALSE(IsPlainFileName(unsafe)) << unsafe;
    }
}

TEST(ReportTextsTest, ControlCharactersAreWrittenOut) {
    EXPECT_EQ(WithVisibleControls("4\xC3\xA9\x1b[2J\xC2\x9b\x7f\tA"), "4\xC3\xA9\\x1b[2J\\u009b\\x7f\\x09A");
    // Direction controls, which would make "4A - week7.html" read as another name, and their
    // neighbours, which are no such controls.
    EXPECT_EQ(WithVisibleControls("\xE2\x80\xAE"
                                  "4A\xE2\x81\xA6\xE2\x81\xA9\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C"),
              "\\u202e4A\\u2066\\u2069\\u200e\\u200f\\u061c");
    EXPECT_EQ(WithVisibleControls("\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\xA5\xE2\x80\x94\xD8\x9B\xE2\x80"),
              "\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\xA5\xE2\x80\x94\xD8\x9B\xE2\x80");
}

std::string Utf8(unsigned code) {
    std::string bytes;
    if (code < 0x80) {
        bytes += static_cast<char>(code);
    } else if (code < 0x800) {
        bytes += static_cast<char>(0xC0 | code >> 6);
        bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        bytes += static_cast<char>(0xE0 | code >> 12);
        bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
    return bytes;
}

// Every character of the first planes against the list of what is written out: the control
// characters and the direction controls, each range to its last character, and nothing else.
TEST(ReportTextsTest, ExactlyTheControlsAreWrittenOut) {
    const auto writtenOut = [](unsigned code) {
        return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x61C || code == 0x200E ||
               code == 0x200F || (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    };
    for (unsigned code = 0; code < 0x3000; ++code) {
        const std::string character = Utf8(code);
        const std::string shown = WithVisibleControls("a" + character + "b");
        if (!writtenOut(code)) {
            EXPECT_EQ(shown, "a" + character + "b") << std::hex << code;
            continue;
        }
        char expected[16];
        std::snprintf(expected, sizeof expected, code < 0x80 ? "\\x%02x" : "\\u%04x", code);
        EXPECT_EQ(shown, "a" + std::string(expected) + "b") << std::hex << code;
    }
}

}  // namespace
}  // namespace orbelquint
