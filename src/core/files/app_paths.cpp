#include "core/files/app_paths.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/files/shipped_names.h"
#include "core/reading/file_handle.h"
#include "core/reading/line_reader.h"

namespace orbelquint {
namespace {

// A folder named by a variable; relative names count as unset, as the XDG rules say.
std::filesystem::path FolderFrom(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    if (value == nullptr || value[0] != '/') return {};
    return value;
}

// The folder named by `variable`, else `fallback` below the home folder; empty when neither is
// known.
std::filesystem::path UserFolder(const EnvironmentLookup& environment, const char* variable,
                                 const char* fallback) {
    std::filesystem::path folder = FolderFrom(environment, variable);
    if (folder.empty()) {
        const std::filesystem::path home = FolderFrom(environment, "HOME");
        if (!home.empty()) folder = home / fallback;
    }
    return folder;
}

// The documents folder as user-dirs.dirs names it (XDG_DOCUMENTS_DIR="$HOME/Documenten"), else
// the home folder.
std::filesystem::path DocumentsFolder(const std::filesystem::path& configFolder,
                                      const std::filesystem::path& home) {
    const FileHandle file = OpenForReading(configFolder / "user-dirs.dirs");
    if (file) {
        LineReader reader(file.get());
        constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
        while (!reader.AtEnd()) {
            std::string_view line = reader.ReadLine();
            if (!line.starts_with(kKey) || !line.ends_with('"')) continue;
            line = line.substr(kKey.size(), line.size() - kKey.size() - 1);
            if (line.starts_with("$HOME/")) return home / line.substr(6);
            if (line.starts_with('/')) return line;
        }
    }
    return home;
}

}  // namespace

std::optional<std::filesystem::path> ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !self.is_absolute()) return std::nullopt;
    return self.parent_path();
}

AppPaths DecideAppPaths(const std::filesystem::path& programFolder, const EnvironmentLookup& environment) {
    std::error_code error;
    if (std::filesystem::exists(programFolder / kPageTemplateName, error)) {
        return PortableAppPaths(programFolder);
    }
    AppPaths paths;
    paths.portable = false;
    paths.shippedFolder = programFolder.parent_path() / "share" / kOwnFolderName;
    const std::filesystem::path config = UserFolder(environment, "XDG_CONFIG_HOME", ".config");
    if (!config.empty()) paths.settingsFile = config / kOwnFolderName / kSettingsName;
    paths.weekPageFolder = FolderFrom(environment, "XDG_RUNTIME_DIR");
    paths.weekPageFallback = UserFolder(environment, "XDG_CACHE_HOME", ".cache");
    if (paths.weekPageFolder.empty()) std::swap(paths.weekPageFolder, paths.weekPageFallback);
    for (std::filesystem::path* folder : {&paths.weekPageFolder, &paths.weekPageFallback}) {
        if (!folder->empty()) *folder /= kOwnFolderName;
    }
    const std::filesystem::path home = FolderFrom(environment, "HOME");
    if (!home.empty()) paths.saveFolder = DocumentsFolder(config, home);
    return paths;
}

std::filesystem::path RunningPageTemplateFile() {
    const auto programFolder = ProgramFolder();
    return programFolder ? DecideAppPaths(*programFolder, &std::getenv).PageTemplateFile()
                         : std::filesystem::path();
}

namespace {

// Makes `folder` where it is missing, readable by the user only.
void MakeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::create_directories(folder, error)) {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    }
}

}  // namespace

bool MakeOwnFolders(const AppPaths& paths) {
    if (paths.portable) return true;
    const std::filesystem::path folder = paths.settingsFile.parent_path();
    if (folder.empty()) return false;
    MakeFolder(folder);
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

namespace {

// Whether the group is this user's private one, by the system's lists.
bool IsPrivateGroup(gid_t groupId) {
    const passwd* user = ::getpwuid(::geteuid());
    const group* entry = ::getgrgid(groupId);
    if (user == nullptr || entry == nullptr) return false;
    GroupEntry listed{entry->gr_gid, entry->gr_name, {}};
    for (char** member = entry->gr_mem; member != nullptr && *member != nullptr; ++member)
        listed.members.emplace_back(*member);
    return IsPrivateGroupOf({user->pw_name, user->pw_gid}, listed);
}

}  // namespace

bool IsPrivateGroupOf(const UserEntry& user, const GroupEntry& group) {
    return group.id == user.primaryGroup && group.name == user.name &&
           std::all_of(group.members.begin(), group.members.end(),
                       [&user](const std::string& member) { return member == user.name; });
}

bool IsOwnFolder(const std::filesystem::path& folder) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid())
        return false;
    return (status.st_mode & S_IWOTH) == 0 &&
           ((status.st_mode & S_IWGRP) == 0 || IsPrivateGroup(status.st_gid));
}

std::filesystem::path ChooseWeekPageFolder(const AppPaths& paths) {
    for (const std::filesystem::path& folder : {paths.weekPageFolder, paths.weekPageFallback}) {
        if (folder.empty()) continue;
        if (!paths.portable) MakeFolder(folder);
        if (IsOwnFolder(folder)) return folder;
    }
    return {};
}

}  // namespace orbelquint
