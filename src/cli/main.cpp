// orbelquint-week: writes the week page of a timetable data file, for scripts and publishing.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/week_tool.h"
#include "core/app_paths.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The shipped template lies where the program's way puts it; without a program folder the tool
    // still runs, with the built-in template.
    const auto programFolder = orbelquint::ProgramFolder();
    const std::filesystem::path pageTemplate =
        programFolder ? orbelquint::DecideAppPaths(*programFolder, &std::getenv).PageTemplate() : "";
    const int status = orbelquint::RunWeekTool(arguments, pageTemplate, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "De uitvoer kan niet worden geschreven.\n";
        return orbelquint::kExitFailure;
    }
    return status;
}
