#include "ui/viewer/lesson_marks.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

constexpr char kPage[] =
    "<h1>Orbelquint week 12</h1>\r\n<h3>Maandag</h3><pre>\r\n"
    "1  WIS      12-20 B104  \r\n"
    "  (herhaling)\r\n"
    "2  NED      03-12 B104  \r\n"
    "3  FRA      03-20 B104  \r\n"
    "</pre>\r\n";

TEST(LessonMarksTest, MarksLessonsThatStartOrEndInTheWeekWithTheirContinuations) {
    const MarkColours colours = {QColor(0x111111), QColor(0xeeeeee), QColor(0xcdebc9), QColor(0xfbdcc2), {}};
    const QByteArray marked = WithLessonMarks(kPage, 12, colours);
    EXPECT_TRUE(marked.startsWith("<p style=\"margin:0\">"));  // the legend, above the page
    EXPECT_TRUE(marked.contains("nieuw deze week (vet)") && marked.contains("laatste week (onderstreept)"));
    EXPECT_TRUE(
        marked.contains("<span style=\"color:#111111;background-color:#cdebc9;font-weight:bold\">1  WIS      "
                        "12-20 B104  </span>\r\n"));
    EXPECT_TRUE(marked.contains("#cdebc9;font-weight:bold\">  (herhaling)</span>\r\n"));
    EXPECT_TRUE(marked.contains("#fbdcc2;text-decoration:underline\">2  NED      03-12 B104  </span>\r\n"));
    EXPECT_TRUE(marked.contains("\r\n3  FRA      03-20 B104  \r\n"));
    EXPECT_EQ(WithLessonMarks(kPage, 15, colours), QByteArray(kPage));  // nothing changes: no legend either
}

}  // namespace
}  // namespace orbelquint
