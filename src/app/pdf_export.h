#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orbelquint {

// orbelquint --pdf FILE [--series TEXT] [--template FILE] DATAFILE WEEK: writes the week page as a
// PDF without a window, and without touching the settings or the week page file. WEEK, the
// messages and the exit status follow orbelquint-week. Needs a QGuiApplication.
int ExportPdf(const std::vector<std::string>& arguments, const std::filesystem::path& defaultTemplate);

}  // namespace orbelquint
