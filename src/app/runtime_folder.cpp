#include "app/runtime_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace orbelquint {

PrivateRuntimeFolder::PrivateRuntimeFolder() {
    const char* session = std::getenv("XDG_RUNTIME_DIR");
    if (session != nullptr && session[0] != '\0') return;
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) return;
    std::string pattern = (temporary / "orbelquint-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) return;  // made readable by the user only
    made_ = name.data();
    ::setenv("XDG_RUNTIME_DIR", made_.c_str(), 1);
}

PrivateRuntimeFolder::~PrivateRuntimeFolder() {
    if (made_.empty()) return;
    ::unsetenv("XDG_RUNTIME_DIR");
    ::rmdir(made_.c_str());
}

}  // namespace orbelquint
