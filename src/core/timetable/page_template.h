#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "core/reading/file_handle.h"

namespace orbelquint {

// The two lines of HTML that frame every week page: `head` follows the title row (it closes the
// head and opens the body), `foot` follows the last day.
struct PageTemplate {
    std::string head;
    std::string foot;
};

// What a template file that cannot be read gives: the built-in template where the file is the
// program's own default, which may be missing; nothing where the user named it.
enum class UnreadableTemplate { BuiltIn, Refused };

// Why a template file gives no template.
enum class TemplateFault {
    Unreadable,   // missing, a folder, or unreadable, with UnreadableTemplate::Refused
    LineTooLong,  // a line too long to be read (see kMaxLineLength)
};

// The first two lines of the template file, read like any text file of the program; a missing line
// gives the empty text.
std::variant<PageTemplate, TemplateFault> ReadPageTemplate(
    const std::filesystem::path& file, SpecialFiles special = SpecialFiles::Refuse,
    UnreadableTemplate unreadable = UnreadableTemplate::BuiltIn);

// The template that ships beside the program, compiled in from the same file.
PageTemplate BuiltInPageTemplate();

}  // namespace orbelquint
