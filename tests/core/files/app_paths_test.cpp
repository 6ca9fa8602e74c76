#include "core/files/app_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>

#include "support/test_files.h"

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
    EXPECT_EQ(paths.PageTemplateFile(), folder.Path() / "def.dat");
}

TEST(AppPathsTest, AnInstalledProgramUsesTheUsersFolders) {
    const test_support::TempDir home;
    const std::filesystem::path bin = home.Path() / "prefix" / "bin";
    const std::filesystem::path& h = home.Path();
    struct Case {
        Variables variables;
        std::filesystem::path settings, weekPages, fallback;
    };
    const Case cases[] = {
        {{{"HOME", h}}, h / ".config/orbelquint/prev.ini", h / ".cache/orbelquint", ""},
        {{{"HOME", h},
          {"XDG_CONFIG_HOME", "/c"},
          {"XDG_RUNTIME_DIR", "/run/user/1000"},
          {"XDG_CACHE_HOME", "/k"}},
         "/c/orbelquint/prev.ini",
         "/run/user/1000/orbelquint",
         "/k/orbelquint"},
        {{{"HOME", h}, {"XDG_CONFIG_HOME", "relatief"}, {"XDG_CACHE_HOME", "/k"}},
         h / ".config/orbelquint/prev.ini",
         "/k/orbelquint",
         ""},
        {{}, "", "", ""},
    };
    for (const auto& [variables, settings, weekPages, fallback] : cases) {
        const AppPaths paths = Decide(bin, variables);
        EXPECT_FALSE(paths.portable);
        EXPECT_EQ(paths.Sample(), home.Path() / "prefix/share/orbelquint/voorbeeld.htm");
        EXPECT_EQ(paths.settingsFile, settings);
        EXPECT_EQ(paths.weekPageFolder, weekPages);
        EXPECT_EQ(paths.weekPageFallback, fallback);
    }
}

TEST(AppPathsTest, TheWeekPageGoesOnlyIntoAFolderOfTheUsersOwn) {
    const test_support::TempDir home;
    AppPaths paths = Decide(home.Path() / "bin", {{"XDG_RUNTIME_DIR", home.Path() / "run"},
                                                  {"XDG_CACHE_HOME", home.Path() / "cache"}});
    // Made where missing, readable by the user only.
    EXPECT_EQ(ChooseWeekPageFolder(paths), home.Path() / "run/orbelquint");
    EXPECT_EQ(std::filesystem::status(home.Path() / "run/orbelquint").permissions(),
              std::filesystem::perms::owner_all);

    // A folder others may write in, or a link planted in the folder's place, is passed over.
    std::filesystem::permissions(home.Path() / "run/orbelquint", std::filesystem::perms::all);
    EXPECT_EQ(ChooseWeekPageFolder(paths), home.Path() / "cache/orbelquint");
    std::filesystem::remove(home.Path() / "run/orbelquint");
    std::filesystem::create_directory_symlink(home.Path() / "cache/orbelquint",
                                              home.Path() / "run/orbelquint");
    EXPECT_FALSE(IsOwnFolder(home.Path() / "run/orbelquint"));
    EXPECT_EQ(ChooseWeekPageFolder(paths), home.Path() / "cache/orbelquint");
    // Another user's folder, and a group that is not the user's own; only root can make them here.
    if (::geteuid() == 0) {
        const std::filesystem::path cache = home.Path() / "cache/orbelquint";
        std::filesystem::permissions(cache,
                                     std::filesystem::perms::owner_all | std::filesystem::perms::group_all);
        EXPECT_TRUE(IsOwnFolder(cache));  // root's private group may write
        ASSERT_EQ(::chown(cache.c_str(), 0, 65534), 0);
        EXPECT_FALSE(IsOwnFolder(cache));
        ASSERT_EQ(::chown(cache.c_str(), 65534, 65534), 0);
        EXPECT_EQ(ChooseWeekPageFolder(paths), "");
    }

    // A portable program folder that others may write in takes no page either.
    std::filesystem::permissions(home.Path(), std::filesystem::perms::all);
    EXPECT_EQ(ChooseWeekPageFolder(PortableAppPaths(home.Path())), "");
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

TEST(AppPathsTest, OnlyTheUsersOwnPrimaryGroupWithoutOthersIsPrivate) {
    const UserEntry user{"anna", 1000};
    const std::pair<GroupEntry, bool> cases[] = {{{1000, "anna", {}}, true},
                                                 {{1000, "anna", {"bert"}}, false},
                                                 {{1000, "anna", {"anna"}}, true},
                                                 {{1000, "users", {}}, false},
                                                 {{1001, "anna", {}}, false}};
    for (const auto& [group, isPrivate] : cases)
        EXPECT_EQ(IsPrivateGroupOf(user, group), isPrivate) << group.name << " " << group.id;
}

}  // namespace
}  // namespace orbelquint
