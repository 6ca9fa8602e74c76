#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbelquint {

// The scanners that find line ends and '<' characters: plain C++ on every processor, and AVX2
// vector instructions where the processor has them (asked at run time, so that one build runs
// everywhere). AVX-512 was measured too and gained nothing: the time goes into writing out the
// offsets, not into comparing the bytes.
enum class MarkScanner { Plain, Avx2 };

// True when this processor runs the scanner.
bool CanRun(MarkScanner scanner);

// The fastest scanner this processor runs.
MarkScanner FastestMarkScanner();

// The bytes a scanner looks at in one step.
inline constexpr std::size_t kMarkStep = 64;

// How many offsets the array needs room for when a piece of `size` bytes is marked: the scanners
// write up to a step of offsets past the last one found rather than branch on how many a stretch
// of text holds.
constexpr std::size_t MarkCapacity(std::size_t size) {
    return size + kMarkStep;
}

// Writes, in increasing order, the offset of every line end and of every '<' in `piece` to
// `marks`, and returns how many there are. A line end is a CR, or an LF that does not follow a CR:
// the byte where the text of a line stops, one for each line end of any kind. `afterCarriageReturn`
// tells that the byte before the piece is a CR, so that an LF at its start ends no line. `marks`
// needs room for MarkCapacity(piece.size()) offsets; the piece must be shorter than 4 GiB.
std::size_t FindLineMarks(MarkScanner scanner, std::string_view piece, bool afterCarriageReturn,
                          std::uint32_t* marks);

}  // namespace orbelquint
