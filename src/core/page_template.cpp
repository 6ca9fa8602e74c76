#include "core/page_template.h"

#include "core/built_in_page_template.h"
#include "core/file_handle.h"
#include "core/line_reader.h"

namespace orbelquint {
namespace {

PageTemplate ReadTwoLines(LineReader& reader) {
    PageTemplate lines;
    lines.head = reader.ReadLine();
    lines.foot = reader.ReadLine();
    return lines;
}

}  // namespace

PageTemplate BuiltInPageTemplate() {
    LineReader reader(BuiltInPageTemplateBytes());
    return ReadTwoLines(reader);
}

std::optional<PageTemplate> ReadPageTemplate(const std::filesystem::path& file, SpecialFiles special) {
    const FileHandle handle = OpenForReading(file, special);
    if (!handle) return BuiltInPageTemplate();
    LineReader reader(handle.get());
    PageTemplate lines = ReadTwoLines(reader);
    if (reader.LineTooLong()) return std::nullopt;
    return reader.Failed() ? BuiltInPageTemplate() : lines;
}

}  // namespace orbelquint
