// A lookup finds a category exactly when the text is one of the fifteen names, whole and in
// the same case, and then yields that category's own entries.
#include <cstdlib>

#include "FuzzInput.h"
#include "examples/ExampleVocabulary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Text name = TakeText(data, size, 64);
    const auto words = ExampleWords(name);
    const ExampleCategory* match = nullptr;
    for (const ExampleCategory& category : ExampleVocabulary) {
        if (category.Name == name)
            match = &category;
    }
    if (match ? (words.data() != match->Words.data() || words.size() != match->Words.size()) : !words.empty())
        std::abort();
    return 0;
}
