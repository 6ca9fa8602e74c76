// orbelquint-week: writes the week page of a timetable data file, for scripts and publishing.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/week_tool.h"

namespace {

// The folder that holds this program, where its own files lie.
std::filesystem::path ProgramDir(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::absolute(argv0, error) : self).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = orbelquint::RunWeekTool(arguments, ProgramDir(argv[0]), std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "De uitvoer kan niet worden geschreven.\n";
        return orbelquint::kExitFailure;
    }
    return status;
}
