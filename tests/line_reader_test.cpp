#include "core/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/file_handle.h"

namespace orbelquint {
namespace {

std::vector<std::string> AllLines(LineReader& reader) {
    std::vector<std::string> lines;
    while (!reader.AtEnd())
        lines.emplace_back(reader.ReadLine());
    return lines;
}

// Bytes written to a real file, so that reading goes through the file buffer.
FileHandle FileWith(const std::string& bytes) {
    FileHandle file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

struct LinesCase {
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(LineReaderTest, SplitsAtEveryKindOfLineEnd) {
    using namespace std::string_literals;
    const LinesCase cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\n", {"a", ""}},
        {"\n\r", {"", ""}},
        {"a\0b\x1a\r\nc"s, {"a\0b\x1a"s, "c"}},
    };
    for (const auto& [bytes, lines] : cases) {
        LineReader fromMemory(bytes);
        EXPECT_EQ(AllLines(fromMemory), lines) << bytes;
        const FileHandle file = FileWith(bytes);
        LineReader fromFile(file.get());
        EXPECT_EQ(AllLines(fromFile), lines) << bytes;
    }
}

TEST(LineReaderTest, JoinsLinesAndLineEndsAcrossFileBuffers) {
    const std::string longLine(200'000, 'x');
    // The CR LF after the third line straddles the fourth 64 KiB buffer boundary.
    const std::size_t carriageReturnAt = 4 * 64 * 1024 - 1;
    const std::string straddling(carriageReturnAt - (longLine.size() + 4), 'y');
    const FileHandle file = FileWith(longLine + "\r\n" + "z" + "\n" + straddling + "\r\nlast");
    LineReader reader(file.get());
    EXPECT_EQ(reader.ReadLine(), longLine);
    EXPECT_EQ(reader.ReadLine(), "z");
    EXPECT_EQ(reader.ReadLine(), straddling);
    EXPECT_EQ(reader.ReadLine(), "last");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Failed());
}

TEST(LineReaderTest, GivesTheEmptyTextPastTheEnd) {
    LineReader reader("only");
    EXPECT_EQ(reader.ReadLine(), "only");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(FindLineTest, ReturnsTheWholeLineThatHoldsTheMarkerInAnyCase) {
    LineReader reader("<html>\r\n<H1> 4A </H1>\r\nrest\r\n<h1>second</h1>");
    EXPECT_EQ(FindLine("<h1>", reader), "<H1> 4A </H1>");
    EXPECT_EQ(FindLine("<h1>", reader), "<h1>second</h1>");  // a match on the last line counts
    EXPECT_EQ(FindLine("<h1>", reader), "");
}

TEST(FindLineTest, GivesTheEmptyTextWhenTheMarkerNeverComes) {
    LineReader reader("a\r\nb\r\n");
    EXPECT_EQ(FindLine("<pre>", reader), "");
    EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
}  // namespace orbelquint
