#include "core/reading/text_encoding.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

TEST(TextEncodingTest, KeepsValidUtf8AndDecodesEverythingElseAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"4A", "4A"},
        {"Po\xC3\xABzie", "Po\xC3\xABzie"},                        // already UTF-8
        {"Po\xEBzie", "Po\xC3\xABzie"},                            // Windows-1252 e-diaeresis
        {"\x80 \x96 \x9F", "\xE2\x82\xAC \xE2\x80\x93 \xC5\xB8"},  // euro sign, en dash, Y-diaeresis
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined bytes
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                      // overlong slash
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                      // surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},      // beyond U+10FFFF
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},                                  // cut short
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(DataTextToUtf8(bytes), utf8) << bytes;
}

TEST(TextEncodingTest, AcceptsTheEdgesOfUtf8) {
    for (const char* valid : {"\x7F", "\xC2\x80", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                              "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    }
    for (const char* invalid :
         {"\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xF5\x80\x80\x80", "\xC2\x41", "\xFF"}) {
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
    }
}

}  // namespace
}  // namespace orbelquint
