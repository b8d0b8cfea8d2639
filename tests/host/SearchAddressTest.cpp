#include <gtest/gtest.h>

#include "links/SearchAddress.h"

TEST(SearchAddress, TheTextGoesInAsTypedSaveWhatCouldBreakTheCommandLineOrLoseALetter)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"  door bell ", "  door bell "}, {u"blue\tjay", "blue%09jay"}, {u"a&b#c?d%eF%1--flag%", "a&b#c?d%eF%251--flag%25"} /* escapes stay, a stray % not */,
        {u"a\" --evil \"b", "a%22 --evil %22b"}, {u"C:\\\\", "C:%5C%5C"}, {u"a\r\nb\x01\x1f\x7f", "a%0D%0Ab%01%1F%7F"},
        {std::u16string(u"a\0b", 3), "a%00b"}, {u"\u0085", "%C2%85"} /* a C1 control */,
        {u"citt\u00e0 \u20ac", "citt\xE0 \x80"}, {u"\uff02\u2215", "%EF%BC%82%E2%88%95"} /* no best fit to " or / */,
        {u"\u0416\U0001F426", "%D0%96%F0%9F%90%A6"}, {u"\xd800x\xdc00", "%EF%BF%BDx%EF%BF%BD"} /* lone halves */};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(BuildSearchAddress("https://h.example/s?q=", text, WindowsLatin1CodePage()),
                  "https://h.example/s?q=" + expected);
    EXPECT_TRUE(IsBlankSearch(u"   ") && !IsBlankSearch(u" \t ") && !IsBlankSearch(u"\u00a0")) << "only spaces";
}
