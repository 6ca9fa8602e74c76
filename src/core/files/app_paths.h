#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/files/shipped_names.h"

namespace orbelquint {

// Looks up an environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// Where the program finds the files it ships and keeps its own, decided once at start. The rest of
// the program asks here and does not know which way was chosen.
//
// Portable, when def.dat lies beside the program (the build tree, an unpacked folder, a USB
// stick): every file is in the program's folder. Installed otherwise: the shipped files are in
// ../share/orbelquint beside the program's folder, the settings file in the user's configuration
// folder, the week page in the user's runtime folder, and copies are saved where the user picks,
// starting in the documents folder. An installed program never writes beside itself.
struct AppPaths {
    bool portable = true;
    std::filesystem::path shippedFolder;   // def.dat, main.html, voorbeeld.htm
    std::filesystem::path settingsFile;    // prev.ini
    std::filesystem::path weekPageFolder;  // where this copy's week page is written
    std::filesystem::path saveFolder;      // where copies go (installed: where the save dialog starts)
    // Where the week page goes when its folder is not the user's own.
    std::filesystem::path weekPageFallback = {};

    std::filesystem::path PageTemplateFile() const { return shippedFolder / kPageTemplateName; }
    std::filesystem::path BellTimesFile() const { return settingsFile.parent_path() / kBellTimesName; }
    std::filesystem::path StartPage() const { return shippedFolder / kStartPageName; }
    std::filesystem::path Sample() const { return shippedFolder / kSampleName; }
};

// The folder that holds the running program, found from the program's own path as bytes (any
// name the file system allows); nullopt when it cannot be found.
std::optional<std::filesystem::path> ProgramFolder();

// Every file in `folder`: the portable way.
inline AppPaths PortableAppPaths(const std::filesystem::path& folder) {
    return {true, folder, folder / kSettingsName, folder, folder};
}

// The paths of a program in `programFolder`, with the user's folders taken from `environment`
// (XDG_CONFIG_HOME, XDG_RUNTIME_DIR, XDG_CACHE_HOME, HOME and the documents folder of
// user-dirs.dirs). A folder that cannot be told is left empty.
AppPaths DecideAppPaths(const std::filesystem::path& programFolder, const EnvironmentLookup& environment);

// The page template of the running program, either way, with the environment of the process;
// empty (the built-in template) when the program's folder cannot be found.
std::filesystem::path RunningPageTemplateFile();

// Makes the settings file's folder, readable by the user only; false when it cannot be made.
bool MakeOwnFolders(const AppPaths& paths);

// A user and a group as the system lists them, for telling the user's private group.
struct UserEntry {
    std::string name;
    unsigned primaryGroup = 0;
};
struct GroupEntry {
    unsigned id = 0;
    std::string name;
    std::vector<std::string> members;
};

// True for the user's private group: the user's primary group, named after the user and with no
// other members. Where every user has one, the usual umask lets that group write.
bool IsPrivateGroupOf(const UserEntry& user, const GroupEntry& group);

// True when `folder` is a folder (not a link to one) of this user that nobody else can write in
// (the user's private group may), so that nobody else can plant a link or a file there.
bool IsOwnFolder(const std::filesystem::path& folder);

// The folder the week page is written in: the week page folder, else the fallback, whichever is
// first the user's own (an installed program makes it, readable by the user only, where it is
// missing). Empty when neither is: the page then lives in memory.
std::filesystem::path ChooseWeekPageFolder(const AppPaths& paths);

}  // namespace orbelquint
