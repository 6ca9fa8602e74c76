// orbelquint-week: writes the week page of a timetable data file, for scripts and publishing.
#include <iostream>
#include <string>
#include <vector>

#include "cli/week_tool.h"
#include "core/files/app_paths.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status =
        orbelquint::RunWeekTool(arguments, orbelquint::RunningPageTemplateFile(), std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "De uitvoer kan niet worden geschreven.\n";
        return orbelquint::kExitFailure;
    }
    return status;
}
