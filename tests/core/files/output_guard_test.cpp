#include "core/files/output_guard.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace orbelquint {
namespace {

TEST(OutputGuardTest, FindsTheInputAnOutputNamesByAnyNameOrLink) {
    const test_support::TempDir folder;
    const std::filesystem::path data = folder.Write("rooster.htm", "rooster");
    const std::filesystem::path pageTemplate = folder.Write("def.dat", "sjabloon");
    std::filesystem::create_symlink(data, folder.Path() / "koppeling.htm");
    std::filesystem::create_hard_link(pageTemplate, folder.Path() / "harde-koppeling.dat");
    const std::filesystem::path inputs[] = {data, pageTemplate};

    EXPECT_EQ(InputNamedBy(folder.Path() / "koppeling.htm", inputs), data);
    EXPECT_EQ(InputNamedBy(folder.Path() / "." / "rooster.htm", inputs), data);
    EXPECT_EQ(InputNamedBy(folder.Path() / "harde-koppeling.dat", inputs), pageTemplate);
    EXPECT_EQ(InputNamedBy(folder.Write("kopie.htm", "rooster"), inputs), std::nullopt);  // same bytes
    EXPECT_EQ(InputNamedBy(folder.Path() / "nieuw.htm", inputs), std::nullopt);
}

}  // namespace
}  // namespace orbelquint
