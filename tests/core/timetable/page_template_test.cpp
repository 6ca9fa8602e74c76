#include "core/timetable/page_template.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_files.h"

namespace orbelquint {
namespace {

TEST(PageTemplateTest, TheBuiltInTemplateIsTheShippedFile) {
    const PageTemplate shipped =
        std::get<PageTemplate>(ReadPageTemplate(test_support::ShippedTemplateFile()));
    const PageTemplate builtIn = BuiltInPageTemplate();
    EXPECT_EQ(builtIn.head, shipped.head);
    EXPECT_EQ(builtIn.foot, shipped.foot);
    EXPECT_TRUE(shipped.head.ends_with("</head><body>"));
    EXPECT_FALSE(shipped.foot.empty());
}

TEST(PageTemplateTest, ReadsOnlyTheFirstTwoLines) {
    const test_support::TempDir folder;
    const PageTemplate lines =
        std::get<PageTemplate>(ReadPageTemplate(folder.Write("def.dat", "<body>\rvoet\r\nderde\r\n")));
    EXPECT_EQ(lines.head, "<body>");
    EXPECT_EQ(lines.foot, "voet");

    const PageTemplate empty = std::get<PageTemplate>(ReadPageTemplate(folder.Write("leeg.dat", "")));
    EXPECT_EQ(empty.head, "");
    EXPECT_EQ(empty.foot, "");
}

// The program's own template may be missing, or anything else, and gives way to the built-in one;
// one the user named is read or refused.
TEST(PageTemplateTest, ATemplateThatCannotBeReadGivesTheBuiltInOneOrIsRefused) {
    const test_support::TempDir folder;
    const std::filesystem::path pipe = folder.Path() / "def.dat";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& file : {folder.Path(), pipe, folder.Path() / "geen.dat"}) {
        SCOPED_TRACE(file);
        const auto builtIn = ReadPageTemplate(file);
        ASSERT_TRUE(std::holds_alternative<PageTemplate>(builtIn));
        EXPECT_EQ(std::get<PageTemplate>(builtIn).head, BuiltInPageTemplate().head);
        const auto named = ReadPageTemplate(file, SpecialFiles::Refuse, UnreadableTemplate::Refused);
        EXPECT_EQ(std::get<TemplateFault>(named), TemplateFault::Unreadable);
    }
    for (const UnreadableTemplate unreadable : {UnreadableTemplate::BuiltIn, UnreadableTemplate::Refused}) {
        EXPECT_EQ(std::get<TemplateFault>(ReadPageTemplate("/dev/zero", SpecialFiles::Allow, unreadable)),
                  TemplateFault::LineTooLong);
    }
}

}  // namespace
}  // namespace orbelquint
