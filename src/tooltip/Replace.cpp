#include "tooltip/Replace.h"

#include <new>

Text Replace(Text Expression, TextView FindString, TextView ReplaceString, int32_t /*Start*/,
             int32_t ReplaceCount, int32_t /*Compare*/)
{
    if (FindString.empty())
        return Expression;

    const bool unlimited = ReplaceCount <= 0;
    // With no limit and the find text inside the replacement, rescanning the inserted text
    // would find it again forever: resume behind the inserted text instead.
    const bool resumeBehindInsertion = unlimited && ReplaceString.find(FindString) != TextView::npos;

    try {
        size_t position = 0;
        int32_t count = 0;
        for (;;) {
            position = Expression.find(FindString, position);
            if (position == Text::npos)
                break;
            Expression.replace(position, FindString.size(), ReplaceString);
            ++count;
            if (resumeBehindInsertion)
                position += ReplaceString.size();
            if (!unlimited && count == ReplaceCount)
                break;
        }
    } catch (const std::bad_alloc&) {
        // Out of memory mid-scan: the text as transformed so far is the answer.
    }
    return Expression;
}
