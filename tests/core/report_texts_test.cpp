#include "core/report_texts.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

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

}  // namespace
}  // namespace orbelquint
