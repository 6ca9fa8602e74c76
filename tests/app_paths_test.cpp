#include "core/app_paths.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "test_files.h"

namespace orbelquint {
namespace {

using Variables = std::map<std::string, std::string>;

AppPaths Decide(const std::filesystem::path& programFolder, const Variables& variables) {
    return DecideAppPaths(programFolder, [&variables](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

TEST(AppPathsTest, DefDatBesideTheProgramKeepsEverythingThere) {
    const test_support::TempDir folder;
    folder.Write("def.dat", "");
    const AppPaths paths = Decide(folder.Path(), {{"HOME", "/home/leerling"}});
    EXPECT_TRUE(paths.portable);
    EXPECT_EQ(paths.settingsFile, folder.Path() / "prev.ini");
    EXPECT_EQ(paths.weekPageFolder, folder.Path());
    EXPECT_EQ(paths.saveFolder, folder.Path());
    EXPECT_EQ(paths.PageTemplate(), folder.Path() / "def.dat");
}

TEST(AppPathsTest, AnInstalledProgramUsesTheUsersFolders) {
    const test_support::TempDir home;
    const std::filesystem::path bin = home.Path() / "prefix" / "bin";
    struct Case {
        Variables variables;
        std::filesystem::path settings, weekPages;
    };
    const std::filesystem::path& h = home.Path();
    const Case cases[] = {
        {{{"HOME", h}}, h / ".config/orbelquint/prev.ini", h / ".cache/orbelquint"},
        {{{"HOME", h},
          {"XDG_CONFIG_HOME", "/c"},
          {"XDG_RUNTIME_DIR", "/run/user/1000"},
          {"XDG_CACHE_HOME", "/k"}},
         "/c/orbelquint/prev.ini",
         "/run/user/1000/orbelquint"},
        {{{"HOME", h}, {"XDG_CONFIG_HOME", "relatief"}, {"XDG_CACHE_HOME", "/k"}},
         h / ".config/orbelquint/prev.ini",
         "/k/orbelquint"},
        {{}, "", ""},
    };
    for (const auto& [variables, settings, weekPages] : cases) {
        const AppPaths paths = Decide(bin, variables);
        EXPECT_FALSE(paths.portable);
        EXPECT_EQ(paths.Sample(), home.Path() / "prefix/share/orbelquint/voorbeeld.htm");
        EXPECT_EQ(paths.settingsFile, settings);
        EXPECT_EQ(paths.weekPageFolder, weekPages);
    }
}

TEST(AppPathsTest, CopiesGoToTheDocumentsFolderOfUserDirs) {
    const test_support::TempDir home;
    const Variables variables = {{"HOME", home.Path()}};
    EXPECT_EQ(Decide("/opt/bin", variables).saveFolder, home.Path());
    std::filesystem::create_directory(home.Path() / ".config");
    home.Write(".config/user-dirs.dirs",
               "# xdg\nXDG_DESKTOP_DIR=\"$HOME/Bureaublad\"\nXDG_DOCUMENTS_DIR=\"$HOME/Documenten\"\n");
    EXPECT_EQ(Decide("/opt/bin", variables).saveFolder, home.Path() / "Documenten");
}

}  // namespace
}  // namespace orbelquint
