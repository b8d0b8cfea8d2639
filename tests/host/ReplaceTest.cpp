#include <gtest/gtest.h>

#include "tooltip/Replace.h"

TEST(Replace, ScansFromTheStartAndResumesAtTheTextPutIn)
{
    const std::tuple<const char16_t*, const char16_t*, const char16_t*, int32_t, const char16_t*> cases[] = {
        {u"a|b|c", u"|", u"-", -1, u"a-b-c"}, {u"a|b|c", u"|", u"-", 1, u"a-b|c"},
        {u"a|b|c", u"|", u"-", 0, u"a-b-c"}, {u"a|b|c", u"|", u"-", -5, u"a-b-c"},
        {u"a|b|", u"|", u"\r\n", -1, u"a\r\nb\r\n"}, {u"|a|", u"|", u"", -1, u"a"}, {u"", u"|", u"-", -1, u""},
        {u"aAa", u"a", u"b", -1, u"bAb"} /* case-sensitive */, {u"aaaa", u"aa", u"b", -1, u"bb"},
        {u"abc", u"abcd", u"x", -1, u"abc"}, {u"abbb", u"ab", u"a", -1, u"a"} /* what is put in can complete a match */,
        {u"ab", u"a", u"aa", 2, u"aaab"} /* a count searches the text put in again */,
        // The scan would never end here: each match of the original is replaced once.
        {u"abc", u"", u"x", -1, u"abc"}, {u"a|b|", u"|", u"||", -1, u"a||b||"}, {u"aa", u"a", u"ba", 0, u"baba"}};
    for (const auto& [expression, find, put, count, expected] : cases)
        EXPECT_EQ(Replace(expression, find, put, 1, count), expected) << std::u16string(expression).size();
    EXPECT_EQ(Replace(u"a|b|c", u"|", u"-", 4, -1, 1), u"a-b-c") << "Start and Compare change nothing";
}
