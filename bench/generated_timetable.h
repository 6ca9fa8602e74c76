#pragma once

#include <cstddef>
#include <filesystem>

namespace orbelquint::bench {

// A timetable data file of about `bytes` bytes in the temporary folder, made from a fixed seed:
// realistic lesson lines with continuation lines, many day blocks and a legend. Made once per
// size and run.
const std::filesystem::path& GeneratedTimetable(std::size_t bytes);

}  // namespace orbelquint::bench
