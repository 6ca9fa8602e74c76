// The page is rebuilt at every keystroke, so a build must not allocate per line: the number of
// heap allocations of a build may not grow with the size of the data file.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <ostream>
#include <string>

#include "core/timetable/discarding_buffer.h"
#include "core/timetable/week_page.h"
#include "support/test_files.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace orbelquint {
namespace {

std::string TimetableOfDays(int days) {
    std::string file = "<h1>5 Wetenschappen-Wiskunde</h1>\r\n<pre>\r\n";
    for (int day = 0; day < days; ++day) {
        file += "<h3>Dag " + std::to_string(day) + "</h3><pre>1  WIS  PEE 36-51 B104  Analyse          1\r\n";
        for (int hour = 2; hour < 9; ++hour) {
            file += std::to_string(hour) + "  NED  VDB 36-49 A012  Nederlands       2\r\n";
            file += "               (leesdossier meebrengen)\r\n  \r\n";
        }
        file += "</pre>\r\n";
    }
    return file + "<h3>Verklaring</h3>\r\n";
}

long AllocationsOfBuild(const test_support::TempDir& folder, int days) {
    WeekPageRequest request;
    request.dataFile =
        folder.Write("rooster" + std::to_string(days) + ".htm", TimetableOfDays(days)).string();
    request.currentWeek = 40;
    request.seriesFilter = true;
    request.chosenSeries = 2;
    request.templateFile = test_support::ShippedTemplateFile();
    DiscardingBuffer discard;
    std::ostream page(&discard);
    const long before = allocations;
    const WeekPageResult result = BuildWeekPage(request, page);
    const long counted = allocations - before;
    EXPECT_EQ(result.status, BuildStatus::Complete);
    return counted;
}

TEST(AllocationTest, ABuildAllocatesAsMuchForALargeFileAsForASmallOne) {
    const test_support::TempDir folder;
    // Both files span many file buffers (about 0.8 and 3 MB), so both meet lines that cross them.
    const long smaller = AllocationsOfBuild(folder, 1000);
    const long larger = AllocationsOfBuild(folder, 4000);
    EXPECT_EQ(larger, smaller);
    EXPECT_LT(larger, 40);
    // Files of many megabytes are read ahead in a thread of their own (about 8 and 32 MB; the
    // numbers of days have as many digits, so that the file names are as long).
    const long readAhead = AllocationsOfBuild(folder, 10000);
    EXPECT_EQ(AllocationsOfBuild(folder, 40000), readAhead);
    EXPECT_LT(readAhead, 40);
}

}  // namespace
}  // namespace orbelquint
