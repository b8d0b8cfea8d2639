// The table against the list it is published with, so a slip in the data fails loudly.
#include <gtest/gtest.h>

#include "examples/ExampleVocabulary.h"

TEST(ExampleVocabulary, FifteenCategoriesOf548NamesLetterForLetterAsPublished)
{
    size_t total = 0;
    uint64_t digest = 14695981039346656037u; // FNV-1a of every name and entry in order, each ended by a 0
    const auto add = [&](TextView text) {
        for (char16_t unit : std::u16string(text) + u'\0')
            digest = (digest ^ unit) * 1099511628211u;
    };
    for (const ExampleCategory& category : ExampleVocabulary) {
        const auto words = ExampleWords(category.Name);
        total += words.size();
        add(category.Name), std::for_each(words.begin(), words.end(), add);
    }
    EXPECT_EQ(std::size(ExampleVocabulary) * 1000 + total, 15548u);
    EXPECT_EQ(digest, 0x475869f7e3dc1f80u) << "a letter, a blank or an order differs from the published list";
    for (TextView miss : {u"uccelli", u"UCCELLI", u"Uccelli ", u" Uccelli", u"Strumenti  musicali", u"", u"Ucc"})
        EXPECT_TRUE(ExampleWords(miss).empty()) << std::string(miss.begin(), miss.end());
}
