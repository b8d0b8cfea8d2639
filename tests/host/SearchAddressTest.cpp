#include <gtest/gtest.h>

#include "app/SearchAddress.h"

namespace {

const std::string kPrefix = "http://www.quorvel.example/ISAPI/search.dll?keywords=";

std::string Address(TextView text)
{
    return BuildSearchAddress("www.quorvel.example", text, WindowsLatin1CodePage());
}

} // namespace

TEST(SearchAddress, KeepsTheTextAsTypedWherePlainCharactersStand)
{
    EXPECT_EQ(Address(u"blackbird"), kPrefix + "blackbird");
    EXPECT_EQ(Address(u"door bell"), kPrefix + "door bell") << "raw spaces, not + or %20";
    EXPECT_EQ(Address(u"  wren  "), kPrefix + "  wren  ") << "untrimmed";
    EXPECT_EQ(Address(u"\t"), kPrefix + "\t");
    EXPECT_EQ(Address(u"a&b#c?d%e%1"), kPrefix + "a&b#c?d%e%1");
    EXPECT_EQ(Address(u"--flag"), kPrefix + "--flag");
}

TEST(SearchAddress, EncodesWhatCouldBreakTheBrowsersCommandLine)
{
    EXPECT_EQ(Address(u"a\" --evil \"b"), kPrefix + "a%22 --evil %22b");
    EXPECT_EQ(Address(u"C:\\"), kPrefix + "C:%5C");
    EXPECT_EQ(Address(u"\\\\\""), kPrefix + "%5C%5C%22");
    EXPECT_EQ(Address(u"a\r\nb\x01\x1f\x7f"), kPrefix + "a%0D%0Ab%01%1F%7F");
    EXPECT_EQ(Address(std::u16string(u"a\0b", 3)), kPrefix + "a%00b");
    EXPECT_EQ(Address(u"\u0085"), kPrefix + "%C2%85") << "a C1 control";
}

TEST(SearchAddress, LettersOfTheCodePageStayAndOthersBecomeUtf8)
{
    EXPECT_EQ(Address(u"citt\u00e0 \u00e9t\u00e9"), kPrefix + "citt\xE0 \xE9t\xE9");
    EXPECT_EQ(Address(u"\u20ac"), kPrefix + "\x80") << "the euro sign has a 1252 byte";
    EXPECT_EQ(Address(u"\uff02"), kPrefix + "%EF%BC%82") << "fullwidth quote: no best fit to '\"'";
    EXPECT_EQ(Address(u"\u2215"), kPrefix + "%E2%88%95") << "division slash: no best fit to '/'";
    EXPECT_EQ(Address(u"\u0416\u65e5"), kPrefix + "%D0%96%E6%97%A5");
    EXPECT_EQ(Address(u"\U0001F426"), kPrefix + "%F0%9F%90%A6") << "a surrogate pair is one character";
    EXPECT_EQ(Address(u"\xd800x"), kPrefix + "%EF%BF%BDx") << "a lone surrogate names no character";
    EXPECT_EQ(Address(u"x\xdc00"), kPrefix + "x%EF%BF%BD");
}

TEST(SearchAddress, BlankMeansEmptyOrSpacesOnly)
{
    EXPECT_TRUE(IsBlankSearch(u""));
    EXPECT_TRUE(IsBlankSearch(u" "));
    EXPECT_TRUE(IsBlankSearch(u"     "));
    EXPECT_FALSE(IsBlankSearch(u"\t"));
    EXPECT_FALSE(IsBlankSearch(u" \t "));
    EXPECT_FALSE(IsBlankSearch(u"\u00a0")) << "only U+0020 is trimmed";
    EXPECT_FALSE(IsBlankSearch(u" a "));
}

TEST(WebLinks, HomeAndSponsorAddresses)
{
    EXPECT_EQ(ServiceHomeAddress("www.quorvel.example"), "http://www.quorvel.example/index.html");
    EXPECT_EQ(SponsorAddress("www.tavernix.example"), "http://www.tavernix.example") << "no slash after the host";
}
