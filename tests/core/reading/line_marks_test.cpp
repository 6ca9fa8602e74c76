#include "core/reading/line_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orbelquint {
namespace {

// The marks found the obvious way, one byte at a time.
std::vector<std::uint32_t> ExpectedMarks(std::string_view text, bool afterCarriageReturn) {
    std::vector<std::uint32_t> marks;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool afterCr = at == 0 ? afterCarriageReturn : text[at - 1] == '\r';
        if (text[at] == '\r' || text[at] == '<' || (text[at] == '\n' && !afterCr))
            marks.push_back(static_cast<std::uint32_t>(at));
    }
    return marks;
}

std::vector<std::uint32_t> Marks(MarkScanner scanner, std::string_view text, bool afterCarriageReturn) {
    std::vector<std::uint32_t> marks(MarkCapacity(text.size()));
    marks.resize(FindLineMarks(scanner, text, afterCarriageReturn, marks.data()));
    return marks;
}

std::vector<MarkScanner> RunnableScanners() {
    std::vector<MarkScanner> scanners;
    for (const MarkScanner scanner : {MarkScanner::Plain, MarkScanner::Avx2}) {
        if (CanRun(scanner)) scanners.push_back(scanner);
    }
    return scanners;
}

// Texts whose marks stand on either side of the scanners' 64-byte steps and at the very end,
// after a CR or not, and texts of nothing but marks, more than a step holds.
std::vector<std::string> TextsAtEveryBoundary() {
    std::vector<std::string> texts;
    for (const std::string_view end : {"\r\n", "\r", "\n", "<", "\r\r\n", "\n\r", "\r<\n"}) {
        for (std::size_t at = 0; at <= 130; ++at)
            texts.push_back(std::string(at, 'x') + std::string(end) + std::string(at % 3, 'y'));
    }
    // Also bytes that differ from a mark only in their high bit, NUL and 0xFF, which the plain
    // scanner's word-wise compare must not take for marks.
    std::mt19937 random(12);
    constexpr std::string_view kBytes("\r\n<x\x8d\x8a\xbc\0\xff=", 10);
    for (std::size_t size = 0; size < 300; ++size) {
        std::string text(size, 'x');
        for (char& c : text)
            c = kBytes[random() % kBytes.size()];
        texts.push_back(text);
    }
    return texts;
}

TEST(LineMarksTest, EveryScannerFindsEveryLineEndAndTag) {
    const std::vector<std::string> texts = TextsAtEveryBoundary();
    for (const MarkScanner scanner : RunnableScanners()) {
        for (const std::string& text : texts) {
            for (const bool afterCarriageReturn : {false, true}) {
                EXPECT_EQ(Marks(scanner, text, afterCarriageReturn), ExpectedMarks(text, afterCarriageReturn))
                    << "scanner " << static_cast<int>(scanner) << ", text of " << text.size() << " bytes";
            }
        }
    }
}

TEST(LineMarksTest, TheFastestScannerRunsHere) {
    EXPECT_TRUE(CanRun(FastestMarkScanner()));
    EXPECT_TRUE(CanRun(MarkScanner::Plain));
}

}  // namespace
}  // namespace orbelquint
