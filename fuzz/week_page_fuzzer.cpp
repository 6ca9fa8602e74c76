// The week page builder over any data file bytes, week and series text. The first two bytes give
// the week, the third switches the series filter, the text up to the first line feed is the
// series, and the rest is the data file.
#include <cstring>
#include <ostream>
#include <sstream>
#include <string_view>

#include "core/text/number_text.h"
#include "core/timetable/week_page.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    std::int16_t week = 0;
    std::memcpy(&week, data, sizeof week);
    const bool filter = (data[2] & 1) != 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::size_t seriesEnd = std::min(rest.find('\n'), rest.size());

    orbelquint::WeekPageRequest request;
    request.dataFile =
        orbelquint::fuzz::WriteInput(data + 3 + seriesEnd, rest.size() - seriesEnd, "data.htm").string();
    request.currentWeek = week;
    request.seriesFilter = filter;
    request.chosenSeries = orbelquint::LeadingNumber(rest.substr(0, seriesEnd));
    request.templateFile = "/nonexistent/def.dat";
    std::ostringstream page;
    const orbelquint::WeekPageResult result = orbelquint::BuildWeekPage(request, page);
    // A complete page always ends with its closing rows; a failed one writes nothing.
    if (result.status == orbelquint::BuildStatus::Complete && !page.str().ends_with("</body></html>\r\n"))
        __builtin_trap();
    if (result.status != orbelquint::BuildStatus::Complete && !page.str().empty()) __builtin_trap();
    return 0;
}
