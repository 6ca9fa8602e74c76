#include "core/files/week_page_file.h"

#include "core/files/atomic_file.h"

namespace orbelquint {

WeekPageResult WriteWeekPageFile(const WeekPageRequest& request, const std::filesystem::path& target,
                                 Links links, PageBuilder build) {
    const auto notWritten = [&target] {
        return WeekPageResult{BuildStatus::PageNotWritten,
                              {},
                              "De weekpagina \"" + target.string() + "\" kan niet worden geschreven."};
    };
    AtomicFile file(target, request.specialFiles, links);
    if (!file.IsOpen()) return notWritten();
    WeekPageResult result = build(request, file.Stream());
    if (result.status == BuildStatus::PageNotWritten) return notWritten();
    if (result.status == BuildStatus::Complete && !file.Commit()) return notWritten();
    return result;
}

}  // namespace orbelquint
