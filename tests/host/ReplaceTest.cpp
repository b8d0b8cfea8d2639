#include <gtest/gtest.h>

#include "tooltip/Replace.h"

TEST(Replace, ReplacesLeftToRightUpToTheCount)
{
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-"), u"a-b-c");
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 1, 1), u"a-b|c");
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 1, 2), u"a-b-c");
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 1, 0), u"a-b-c");
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 1, -5), u"a-b-c");
    EXPECT_EQ(Replace(u"a|b|", u"|", u"\r\n"), u"a\r\nb\r\n");
    EXPECT_EQ(Replace(u"x\r\ny\r\n", u"\r\n", u" "), u"x y ");
}

TEST(Replace, EdgesOfTheText)
{
    EXPECT_EQ(Replace(u"", u"|", u"-"), u"");
    EXPECT_EQ(Replace(u"|a|", u"|", u""), u"a");
    EXPECT_EQ(Replace(u"aAa", u"a", u"b"), u"bAb") << "case-sensitive";
    EXPECT_EQ(Replace(u"aaaa", u"aa", u"b"), u"bb");
    EXPECT_EQ(Replace(u"abc", u"abcd", u"x"), u"abc");
}

TEST(Replace, StartAndCompareChangeNothing)
{
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 4, -1, 1), u"a-b-c");
    EXPECT_EQ(Replace(u"aAa", u"a", u"b", 1, -1, 1), u"bAb");
}

TEST(Replace, TheNextSearchBeginsAtTheTextPutIn)
{
    // "ab" -> "a" leaves "ab" again at the same place, which the scan finds and replaces.
    EXPECT_EQ(Replace(u"abbb", u"ab", u"a"), u"a");
    // With a count the inserted text is searched again: "a" -> "aa" twice at the front.
    EXPECT_EQ(Replace(u"ab", u"a", u"aa", 1, 2), u"aaab");
    EXPECT_EQ(Replace(u"xab", u"ab", u"b", 1, 1), u"xb");
}

TEST(Replace, TheEndlessCasesHaveAnOrdinaryResult)
{
    EXPECT_EQ(Replace(u"abc", u"", u"x"), u"abc") << "nothing to find";
    EXPECT_EQ(Replace(u"", u"", u"x"), u"");
    EXPECT_EQ(Replace(u"a|b|", u"|", u"||"), u"a||b||") << "each match of the original once";
    EXPECT_EQ(Replace(u"aa", u"a", u"ba", 1, 0), u"baba");
    EXPECT_EQ(Replace(u"aa", u"a", u"ab", 1, -1), u"abab");
}
