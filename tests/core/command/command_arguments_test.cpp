#include "core/command/command_arguments.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

TEST(CommandArgumentsTest, ReadsWeeksAsNumbersOrDates) {
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"12", 12},         {"0", 0},           {"-2", -2},         {"007", 7},      {"-0", 0},
        {"32767", 32767},   {"-32768", -32768}, {"32768", {}},      {"-32769", {}},  {"+3", {}},
        {"3.0", {}},        {" 3", {}},         {"3 ", {}},         {"", {}},        {"-", {}},
        {"08-12-2026", 50}, {"5-01-2003", 1},   {"31-02-2026", {}}, {"8-12-26", {}}, {"1e2", {}},
    };
    for (const auto& [text, week] : cases)
        EXPECT_EQ(ParseWeekArgument(text), week) << '"' << text << '"';
}

TEST(CommandArgumentsTest, ReadsOptionsUntilTheFirstThatDoesNotFit) {
    const std::vector<std::string> arguments = {"--pdf", "a.pdf", "-", "--pdf", "b.pdf", "--", "--pdf", "-2"};
    const CommandArguments read = ReadCommandArguments(arguments, {"--pdf"}, {});
    EXPECT_EQ(read.Value("--pdf"), "b.pdf");  // the last one given
    EXPECT_EQ(read.Value("--series"), std::nullopt);
    EXPECT_EQ(read.positional, (std::vector<std::string>{"-", "--pdf", "-2"}));
    EXPECT_EQ(read.error, "");

    const std::vector<std::string> unknown = {"--help", "--reeks", "2", "--version"};
    const CommandArguments stopped = ReadCommandArguments(unknown, {"--series"}, {"--help", "--version"});
    EXPECT_EQ(stopped.flags, std::vector<std::string>{"--help"});
    EXPECT_EQ(stopped.error, "Onbekende optie --reeks.");
    EXPECT_EQ(ReadCommandArguments(std::vector<std::string>{"x", "--pdf"}, {"--pdf"}, {}).error,
              "--pdf verwacht een waarde.");

    // The GNU forms: a value after "=", a short flag named in full.
    const std::vector<std::string> gnu = {"-h", "--series=2", "--series=", "--template==x", "-", "--", "-h"};
    const CommandArguments read2 = ReadCommandArguments(gnu, {"--series", "--template"}, {"-h"});
    EXPECT_EQ(read2.flags, std::vector<std::string>{"-h"});
    EXPECT_EQ(read2.Value("--series"), "");  // the last one given
    EXPECT_EQ(read2.Value("--template"), "=x");
    EXPECT_EQ(read2.positional, (std::vector<std::string>{"-", "-h"}));
    EXPECT_EQ(ReadCommandArguments(std::vector<std::string>{"--reeks=2"}, {"--series"}, {}).error,
              "Onbekende optie --reeks=2.");
}

TEST(CommandArgumentsTest, TheDataFileComesBeforeTheWeek) {
    const auto read = ReadDataFileAndWeek({"rooster.htm", "08-12-2026"});
    ASSERT_TRUE(std::holds_alternative<DataFileAndWeek>(read));
    EXPECT_EQ(std::get<DataFileAndWeek>(read).dataFile, "rooster.htm");
    EXPECT_EQ(std::get<DataFileAndWeek>(read).week, 50);
    EXPECT_EQ(std::get<std::string>(ReadDataFileAndWeek({"50", "rooster.htm"})),
              "\"rooster.htm\" is geen week: geef een weeknummer of een datum dd-mm-jjjj.");
    EXPECT_EQ(std::get<std::string>(ReadDataFileAndWeek({"rooster.htm"})),
              "Geef een gegevensbestand en een week.");
}

}  // namespace
}  // namespace orbelquint
