#include "core/views/ics_text.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

TEST(IcsTextTest, EscapesWhatTextValuesMustAndDropsControls) {
    EXPECT_EQ(IcsText("a\\b;c,d\ne\x01\x7f\tf"),
              "a\\\\b\\;c\\,d\\ne"
              "f");
    EXPECT_EQ(IcsText("caf\xC3\xA9 (reeks 2)"), "caf\xC3\xA9 (reeks 2)");
}

// Folded lines of any text, with characters of one to four octets on every place of a fold:
// each line at most 75 octets, each UTF-8 character whole on one line, and unfolding gives the
// line back.
TEST(IcsTextTest, FoldsAt75OctetsNeverInsideACharacter) {
    const std::string characters[] = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x93\x85"};
    for (const std::string& character : characters) {
        for (std::size_t prefix = 0; prefix < 8; ++prefix) {
            std::string line = "SUMMARY:" + std::string(prefix, 'x');
            while (line.size() < 400)
                line += character;
            std::string file;
            AppendContentLine(file, line);
            std::string unfolded;
            for (std::size_t at = 0; at < file.size();) {
                const std::size_t end = file.find("\r\n", at);
                ASSERT_NE(end, std::string::npos);
                const std::string_view folded(file.data() + at, end - at);
                EXPECT_LE(folded.size(), 75U) << character.size() << " " << prefix;
                const std::string_view content = at == 0 ? folded : folded.substr(1);
                if (at != 0) {
                    EXPECT_EQ(folded.front(), ' ');
                }
                EXPECT_FALSE(!content.empty() &&
                             (static_cast<unsigned char>(content.front()) & 0xC0) == 0x80);
                unfolded += content;
                at = end + 2;
            }
            EXPECT_EQ(unfolded, line);
        }
    }
    std::string shortLine;
    AppendContentLine(shortLine, "VERSION:2.0");
    EXPECT_EQ(shortLine, "VERSION:2.0\r\n");
}

}  // namespace
}  // namespace orbelquint
