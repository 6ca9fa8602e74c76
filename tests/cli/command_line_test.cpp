#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

Command Parse(std::vector<std::string> arguments) {
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, OptionsTakeTheNextArgumentWhateverItIs) {
    const Command command =
        Parse({"--series", "", "--template", "--output", "-5", "--output", "uit.htm", "-2"});
    const auto* page = std::get_if<WeekPageCommand>(&command);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->series, "");
    EXPECT_EQ(page->templateFile, "--output");
    EXPECT_EQ(page->outputFile, "uit.htm");
    EXPECT_EQ(page->dataFile, "-5");
    EXPECT_EQ(page->week, -2);
}

TEST(CommandLineTest, WithoutSeriesTheFilterIsOff) {
    const Command command = Parse({"rooster.htm", "12"});
    const auto* page = std::get_if<WeekPageCommand>(&command);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->series.has_value());
    EXPECT_FALSE(page->outputFile.has_value());
}

TEST(CommandLineTest, RefusesWhatDoesNotFitTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"rooster.htm"},
        {"rooster.htm", "12", "13"},
        {"rooster.htm", "week12"},
        {"--reeks", "2", "rooster.htm", "12"},
        {"rooster.htm", "12", "--series"},
        {"--week-of"},
        {"--week-of", "1-1-2003"},
        {"--week-of", "--series", "2", "01-01-2003"},
        {"--change-weeks", "--week-of", "01-01-2003"},
    };
    for (const auto& arguments : cases) {
        EXPECT_TRUE(std::holds_alternative<UsageError>(Parse(arguments)))
            << ::testing::PrintToString(arguments);
    }
}

TEST(CommandLineTest, RecognisesHelpAndWeekOfAnywhere) {
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(Parse({"rooster.htm", "--help"})));
    const Command weekOf = Parse({"01-01-2003", "--week-of", "29-12-2003"});
    ASSERT_TRUE(std::holds_alternative<WeekOfCommand>(weekOf));
    EXPECT_EQ(std::get<WeekOfCommand>(weekOf).weeks, (std::vector<std::int16_t>{1, 53}));
}

}  // namespace
}  // namespace orbelquint
