#pragma once

#include <string>

#include "core/timetable/week_page.h"
#include "support/test_files.h"

namespace orbelquint::test_support {

// The request for week 50 of `dataFile` with the shipped template, without the series filter.
inline WeekPageRequest Week50Of(const std::string& dataFile) {
    WeekPageRequest request;
    request.dataFile = dataFile;
    request.currentWeek = 50;
    request.templateFile = ShippedTemplateFile();
    return request;
}

}  // namespace orbelquint::test_support
