// Replace ends for every input, and where its scan rule is the ordinary one it equals a plain
// left-to-right replacement.
#include <cstdlib>

#include "FuzzInput.h"
#include "tooltip/Replace.h"

namespace {

Text Reference(Text expression, const Text& find, const Text& replacement, int32_t count)
{
    Text result;
    size_t position = 0;
    int32_t done = 0;
    while (count <= 0 || done < count) {
        const size_t match = expression.find(find, position);
        if (match == Text::npos)
            break;
        result += expression.substr(position, match - position) + replacement;
        position = match + find.size();
        ++done;
    }
    return result + expression.substr(position);
}

bool SharesACharacter(const Text& a, const Text& b) { return a.find_first_of(b) != Text::npos; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const auto count = static_cast<int32_t>(static_cast<int8_t>(data[0]));
    ++data;
    --size;
    const Text expression = TakeText(data, size, 512);
    const Text find = TakeText(data, size, 8);
    const Text replacement = TakeText(data, size, 8);

    const Text result = Replace(expression, find, replacement, 1, count, 0);

    if (find.empty() && result != expression)
        std::abort();
    // Nothing put in can start a new match: the rule is a plain replacement then.
    if (!find.empty() && (replacement.empty() || !SharesACharacter(replacement, find)) &&
        result != Reference(expression, find, replacement, count))
        std::abort();
    // The endless case gets the plain replacement too.
    if (!find.empty() && count <= 0 && replacement.find(find) != Text::npos &&
        result != Reference(expression, find, replacement, count))
        std::abort();
    return 0;
}
