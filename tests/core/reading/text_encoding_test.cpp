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

// HTML as a reader sees it: tags and comments left out, every kind of reference decoded, and what
// is no tag or reference kept as written.
TEST(TextEncodingTest, ReadableTextLeavesOutTagsAndDecodesReferences) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"<b>Woensdag</b>", "Woensdag"},
        {"Caf&eacute; &amp; &lt;b&gt;", "Caf\xC3\xA9 & <b>"},
        {"&#9;&#65;&#x42;&#X43;&#xe9;", "\tABC\xC3\xA9"},
        {"&#x1F600; &#1114111;", "\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"},
        {"&nbsp;&ndash;&euro;&Eacute;&yuml;", "\xC2\xA0\xE2\x80\x93\xE2\x82\xAC\xC3\x89\xC3\xBF"},
        {"1 < 2 <3 a<>b", "1 < 2 <3 a<>b"},
        {"x<!-- y -->z<?p?>w</i>", "xzw"},
        {"<b unclosed", ""},
        {"&#0; &#xD800; &#x110000; &#; &#x; &bestaat; &amp &",
         "&#0; &#xD800; &#x110000; &#; &#x; &bestaat; &amp &"},
        {"&#123456789;&averyveryverylongname;", "&#123456789;&averyveryverylongname;"},
    };
    for (const auto& [html, text] : cases)
        EXPECT_EQ(ReadableText(html), text) << html;
}

}  // namespace
}  // namespace orbelquint
