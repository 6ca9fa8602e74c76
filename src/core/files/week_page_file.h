#pragma once

#include <filesystem>

#include "core/reading/file_handle.h"
#include "core/timetable/week_page.h"

namespace orbelquint {

// Builds the page into `target` through a temporary file beside it, which replaces `target` only
// when the whole page was written; on failure `target` stays as it was. PageNotWritten when the
// file could not be made, whatever the data file holds. With Links::Refuse a `target` that is a
// symbolic link is not written.
WeekPageResult WriteWeekPageFile(const WeekPageRequest& request, const std::filesystem::path& target,
                                 Links links = Links::Follow, PageBuilder build = &BuildWeekPage);

}  // namespace orbelquint
