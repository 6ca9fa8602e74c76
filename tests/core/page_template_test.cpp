#include "core/page_template.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_files.h"

namespace orbelquint {
namespace {

TEST(PageTemplateTest, TheBuiltInTemplateIsTheShippedFile) {
    const PageTemplate shipped = ReadPageTemplate(test_support::ShippedTemplateFile()).value();
    const PageTemplate builtIn = BuiltInPageTemplate();
    EXPECT_EQ(builtIn.head, shipped.head);
    EXPECT_EQ(builtIn.foot, shipped.foot);
    EXPECT_TRUE(shipped.head.ends_with("</head><body>"));
    EXPECT_FALSE(shipped.foot.empty());
}

TEST(PageTemplateTest, ReadsOnlyTheFirstTwoLines) {
    const test_support::TempDir folder;
    const PageTemplate lines = ReadPageTemplate(folder.Write("def.dat", "<body>\rvoet\r\nderde\r\n")).value();
    EXPECT_EQ(lines.head, "<body>");
    EXPECT_EQ(lines.foot, "voet");

    const PageTemplate empty = ReadPageTemplate(folder.Write("leeg.dat", "")).value();
    EXPECT_EQ(empty.head, "");
    EXPECT_EQ(empty.foot, "");
}

TEST(PageTemplateTest, AFolderOrAPipeInPlaceOfTheTemplateGivesTheBuiltInOne) {
    const test_support::TempDir folder;
    EXPECT_EQ(ReadPageTemplate(folder.Path())->head, BuiltInPageTemplate().head);
    const std::filesystem::path pipe = folder.Path() / "def.dat";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadPageTemplate(pipe)->head, BuiltInPageTemplate().head);
}

TEST(PageTemplateTest, ATemplateWithoutLineEndsIsRefused) {
    EXPECT_FALSE(ReadPageTemplate("/dev/zero", SpecialFiles::Allow).has_value());
}

}  // namespace
}  // namespace orbelquint
