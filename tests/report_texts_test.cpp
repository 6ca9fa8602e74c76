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
}

}  // namespace
}  // namespace orbelquint
