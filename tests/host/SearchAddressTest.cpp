#include <gtest/gtest.h>

#include "app/SearchAddress.h"

TEST(SearchAddress, TheTextGoesInAsTypedSaveWhatCouldBreakTheCommandLineOrLoseALetter)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"blackbird", "blackbird"},
        {u"  door bell ", "  door bell "}, // raw spaces, untrimmed
        {u"\t", "\t"},
        {u"a&b#c?d%e%1--flag", "a&b#c?d%e%1--flag"},
        {u"a\" --evil \"b", "a%22 --evil %22b"},
        {u"C:\\\\", "C:%5C%5C"},
        {u"a\r\nb\x01\x1f\x7f", "a%0D%0Ab%01%1F%7F"},
        {std::u16string(u"a\0b", 3), "a%00b"},
        {u"\u0085", "%C2%85"}, // a C1 control
        {u"citt\u00e0 \u00e9t\u00e9", "citt\xE0 \xE9t\xE9"},
        {u"\u20ac", "\x80"},              // Windows-1252 has the euro
        {u"\uff02\u2215", "%EF%BC%82%E2%88%95"}, // no best fit to '"' or '/'
        {u"\u0416\u65e5", "%D0%96%E6%97%A5"},
        {u"\U0001F426", "%F0%9F%90%A6"}, // one character, not two halves
        {u"\xd800x\xdc00", "%EF%BF%BDx%EF%BF%BD"}, // a lone half names no character
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(BuildSearchAddress("h.example", text, WindowsLatin1CodePage()),
                  "http://h.example/ISAPI/search.dll?keywords=" + expected);
}

TEST(SearchAddress, BlankMeansEmptyOrSpacesOnlyAndTheLinksHaveTheirPaths)
{
    for (const char16_t* blank : {u"", u" ", u"     "})
        EXPECT_TRUE(IsBlankSearch(blank));
    for (const char16_t* text : {u"\t", u" \t ", u"\u00a0", u" a "})
        EXPECT_FALSE(IsBlankSearch(text));
    EXPECT_EQ(ServiceHomeAddress("h.example"), "http://h.example/index.html");
    EXPECT_EQ(SponsorAddress("s.example"), "http://s.example") << "nothing after the host";
}
