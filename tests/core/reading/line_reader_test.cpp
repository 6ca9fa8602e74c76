#include "core/reading/line_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/reading/file_handle.h"
#include "support/test_files.h"

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
    // The CR LF after the third line straddles the fourth buffer boundary.
    const std::size_t carriageReturnAt = 4 * LineReader::kBufferSize - 1;
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

struct LineAndTag {
    std::string line;
    bool hasTag;
    bool operator==(const LineAndTag&) const = default;
};

std::vector<LineAndTag> AllLinesAndTags(LineReader& reader) {
    std::vector<LineAndTag> lines;
    while (!reader.AtEnd()) {
        std::string line(reader.ReadLine());
        lines.push_back({std::move(line), reader.LineHasTag()});
    }
    return lines;
}

// The lines split the obvious way, one byte at a time.
std::vector<LineAndTag> ExpectedLinesAndTags(std::string_view bytes) {
    std::vector<LineAndTag> lines;
    std::string line;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != '\r' && bytes[at] != '\n') {
            line += bytes[at];
            continue;
        }
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
        lines.push_back({line, line.find('<') != std::string::npos});
        line.clear();
    }
    if (!line.empty()) lines.push_back({line, line.find('<') != std::string::npos});
    return lines;
}

TEST(LineReaderTest, ReadsLargeFilesAheadAsItReadsEverythingElse) {
    // Lines of every kind of end and length, some with tags, some far longer than a block of
    // marks, crossing the blocks a large file is read ahead in.
    std::mt19937 random(7);
    std::string bytes;
    while (bytes.size() < LineReader::kReadAheadFrom + LineReader::kReadAheadFrom / 4) {
        const std::size_t length = random() % 50 == 0 ? random() % 40'000 : random() % 120;
        for (std::size_t i = 0; i < length; ++i)
            bytes += random() % 30 == 0 ? '<' : 'x';
        bytes += std::array<const char*, 3>{"\r\n", "\r", "\n"}[random() % 3];
    }
    bytes += "<last";
    const std::vector<LineAndTag> expected = ExpectedLinesAndTags(bytes);

    const FileHandle regular = FileWith(bytes);
    LineReader readAhead(regular.get());
    EXPECT_EQ(AllLinesAndTags(readAhead), expected);
    LineReader fromMemory(bytes);
    EXPECT_EQ(AllLinesAndTags(fromMemory), expected);
    // A stream that is no regular file is read in turn with the work.
    const FileHandle stream(fmemopen(bytes.data(), bytes.size(), "r"));
    LineReader inTurn(stream.get());
    EXPECT_EQ(AllLinesAndTags(inTurn), expected);
}

// Every line of a file read through a real pipe, which the reader takes in turn with the work.
std::vector<LineAndTag> AllLinesAndTagsThroughAPipe(const std::filesystem::path& file) {
    FILE* pipe = popen(("cat '" + file.string() + "'").c_str(), "r");
    LineReader reader(pipe);
    std::vector<LineAndTag> lines = AllLinesAndTags(reader);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(pclose(pipe), 0);
    return lines;
}

TEST(LineReaderTest, ReadsEveryLineEndAndTagOnEveryBufferAndBlockEdgeAsASimpleSplitDoes) {
    // Buffers are 64 KiB and blocks read ahead 256 KiB, both dividing 4 MB, where reading ahead
    // begins; every read but the last one is full. At each 64 KiB edge sits one of these, from
    // one byte before the edge to one byte after it, so that neighbouring edges differ and a
    // state carried over from one read to the next tells.
    const std::array<std::string_view, 5> atEdge = {"\r\n", "\r", "\n", "<", "y"};
    constexpr std::size_t kEdge = LineReader::kBufferSize;
    constexpr std::size_t kReadAheadFrom = LineReader::kReadAheadFrom;
    static_assert(ReadAhead::kBlockSize % kEdge == 0 && kReadAheadFrom % ReadAhead::kBlockSize == 0);
    const test_support::TempDir folder;
    std::mt19937 random(11);
    for (const int shift : {-2, -1, 0, 1}) {
        std::string bytes;
        for (std::size_t edge = kEdge; edge <= kReadAheadFrom + 5 * kEdge; edge += kEdge) {
            const std::size_t start = edge + static_cast<std::size_t>(shift);
            while (bytes.size() < start) {
                bytes.append(std::min<std::size_t>(random() % 90, start - bytes.size() - 1), 'x');
                bytes += "\n\r"[random() % 2];
            }
            bytes += atEdge[edge / kEdge % atEdge.size()];
        }
        const std::vector<LineAndTag> expected = ExpectedLinesAndTags(bytes);

        LineReader fromMemory(bytes);
        EXPECT_EQ(AllLinesAndTags(fromMemory), expected) << shift;
        const std::filesystem::path whole = folder.Write("whole.htm", bytes);
        EXPECT_EQ(AllLinesAndTagsThroughAPipe(whole), expected) << shift;
        // Read ahead, in 64 KiB buffers, and either side of the size where reading ahead begins.
        for (const std::size_t size :
             {bytes.size(), kReadAheadFrom + 1, kReadAheadFrom, kReadAheadFrom - 1}) {
            const std::string_view head = std::string_view(bytes).substr(0, size);
            const FileHandle file = OpenForReading(folder.Write("head.htm", head));
            LineReader reader(file.get());
            EXPECT_EQ(AllLinesAndTags(reader), ExpectedLinesAndTags(head)) << shift << ' ' << size;
            EXPECT_FALSE(reader.Failed());
        }
    }
}

TEST(LineReaderTest, ReadsAFileThatGrowsWhileItIsRead) {
    const test_support::TempDir folder;
    for (const std::size_t lineCount : {std::size_t{10}, std::size_t{500'000}}) {
        std::string bytes;
        for (std::size_t i = 0; i < lineCount; ++i)
            bytes += "12345678\r\n";
        const std::filesystem::path path = folder.Write("growing.htm", bytes);
        const FileHandle file = OpenForReading(path);
        LineReader reader(file.get());
        EXPECT_EQ(reader.ReadLine(), "12345678");
        std::ofstream(path, std::ios::app | std::ios::binary) << std::string(100'000, 'y') + "\r\n";

        // Whatever part of the growth the reading still meets is read as well.
        std::size_t lines = 1;
        for (; !reader.AtEnd(); ++lines) {
            const std::string_view line = reader.ReadLine();
            if (lines < lineCount) {
                EXPECT_EQ(line, "12345678");
            }
        }
        EXPECT_GE(lines, lineCount);
        EXPECT_FALSE(reader.Failed());
    }
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
