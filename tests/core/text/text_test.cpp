#include "core/text/text.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

TEST(TextTest, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  4A  "), "4A");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\t4A\t"), "\t4A\t");
}

TEST(TextTest, MarkersMatchWithoutRegardToCase) {
    EXPECT_EQ(FindNoCase("x</PRE>", "</pre>"), 1u);
    EXPECT_EQ(FindNoCase("<pr", "<pre>"), std::string_view::npos);
    EXPECT_EQ(FindNoCase("Vak <H Verklaring <h3>", "<h3>"), 18u);  // after a partial match
    EXPECT_EQ(FindNoCase("<h<H3>", "<h3>"), 2u);
    EXPECT_EQ(FindNoCase("<<h3>", "<h3>"), 1u);
    EXPECT_EQ(AfterNoCase("<H3>Maandag</h3>", "<h3>"), "Maandag</h3>");
    EXPECT_EQ(AfterNoCase("Maandag", "<h3>"), "");
    EXPECT_EQ(BeforeNoCase("Maandag</H3><pre>", "</h3>"), "Maandag");
    EXPECT_EQ(BeforeNoCase("Maandag", "</h3>"), "Maandag");
}

TEST(TextTest, ColumnsStopAtTheEndOfTheText) {
    EXPECT_EQ(Columns("123456789012345678", 13, 2), "34");
    EXPECT_EQ(Columns("1234567890123", 13, 2), "3");
    EXPECT_EQ(Columns("123", 13, 2), "");
    EXPECT_EQ(LastCharacters("abc 2", 2), " 2");
    EXPECT_EQ(LastCharacters("2", 2), "2");
}

}  // namespace
}  // namespace orbelquint
