#include "ui/page_decoding.h"

#include <gtest/gtest.h>

#include <utility>

namespace orbelquint {
namespace {

TEST(PageDecodingTest, DecodesByTheDeclaredCharsetElseUtf8ElseWindows1252) {
    const std::pair<QByteArray, QString> cases[] = {
        {"<head><meta charset=\"windows-1252\"></head>caf\xE9 \x80", "caf\u00E9 \u20AC"},
        {"<head><meta charset='koi8-r'></head>\xC1", "\u0430"},
        {"<head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\"></head>\x80",
         "\u0080"},
        {"caf\xC3\xA9", "caf\u00E9"},
        {"caf\xE9 \x96", "caf\u00E9 \u2013"},
        {"<head><meta charset=\"bestaat-niet\"></head>caf\xE9", "caf\u00E9"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_TRUE(DecodePage(bytes).endsWith(text)) << bytes.toStdString();
}

TEST(PageDecodingTest, DropsTheLineBreakRightAfterPre) {
    EXPECT_EQ(WithoutLineBreakAfterPre("<h3>Ma</h3><PRE>\r\n1  WIS\r\n</pre>"),
              "<h3>Ma</h3><PRE>1  WIS\r\n</pre>");
    EXPECT_EQ(WithoutLineBreakAfterPre("<pre class=\"x\">\nA\n<pre>B"), "<pre class=\"x\">A\n<pre>B");
    EXPECT_EQ(WithoutLineBreakAfterPre("<preview>\nA"), "<preview>\nA");
}

}  // namespace
}  // namespace orbelquint
