#include "core/timetable/page_template.h"

#include "core/reading/file_handle.h"
#include "core/reading/line_reader.h"
#include "core/timetable/built_in_page_template.h"

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

std::variant<PageTemplate, TemplateFault> ReadPageTemplate(const std::filesystem::path& file,
                                                           SpecialFiles special,
                                                           UnreadableTemplate unreadable) {
    const auto cannotBeRead = [unreadable]() -> std::variant<PageTemplate, TemplateFault> {
        if (unreadable == UnreadableTemplate::Refused) return TemplateFault::Unreadable;
        return BuiltInPageTemplate();
    };
    const FileHandle handle = OpenForReading(file, special);
    if (!handle) return cannotBeRead();
    LineReader reader(handle.get());
    PageTemplate lines = ReadTwoLines(reader);
    if (reader.LineTooLong()) return TemplateFault::LineTooLong;
    if (reader.Failed()) return cannotBeRead();
    return lines;
}

}  // namespace orbelquint
