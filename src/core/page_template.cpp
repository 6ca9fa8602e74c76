#include "core/page_template.h"

#include "core/file_handle.h"
#include "core/line_reader.h"
#include "core/shipped_page_template.h"

namespace orbelquint {
namespace {

PageTemplate ReadTwoLines(LineReader& reader) {
    PageTemplate lines;
    lines.head = reader.ReadLine();
    lines.foot = reader.ReadLine();
    return lines;
}

}  // namespace

PageTemplate DefaultPageTemplate() {
    LineReader reader(ShippedPageTemplateBytes());
    return ReadTwoLines(reader);
}

std::optional<PageTemplate> ReadPageTemplate(const std::filesystem::path& file, SpecialFiles special) {
    const FileHandle handle = OpenForReading(file, special);
    if (!handle) return DefaultPageTemplate();
    LineReader reader(handle.get());
    PageTemplate lines = ReadTwoLines(reader);
    if (reader.LineTooLong()) return std::nullopt;
    return reader.Failed() ? DefaultPageTemplate() : lines;
}

}  // namespace orbelquint
