#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_handle.h"

namespace orbelquint {

// The two lines of HTML that frame every week page: `head` follows the title row (it closes the
// head and opens the body), `foot` follows the last day.
struct PageTemplate {
    std::string head;
    std::string foot;
};

// The first two lines of the template file, read like any text file of the program. A file that
// cannot be read gives the built-in template; a missing line gives the empty text; nullopt when a
// line is too long to be read (see kMaxLineLength).
std::optional<PageTemplate> ReadPageTemplate(const std::filesystem::path& file,
                                             SpecialFiles special = SpecialFiles::Refuse);

// The template that ships beside the program, compiled in from the same file.
PageTemplate BuiltInPageTemplate();

}  // namespace orbelquint
