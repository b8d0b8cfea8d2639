// The table against the list it is published with, so a slip in the data fails loudly.
#include <gtest/gtest.h>

#include "examples/ExampleVocabulary.h"

TEST(ExampleVocabulary, FifteenCategoriesLetterForLetterAsPublished)
{
    const std::tuple<const char16_t*, size_t, const char16_t*, const char16_t*> published[] = {
        {u"Uccelli", 94, u"blackbird", u"wren "},       {u"Animali", 65, u"alligator", u"zebra"},
        {u"Feste", 10, u"Halloween creak", u"pop cork"}, {u"Famiglia", 52, u"blender", u"zipper"},
        {u"Insetti", 7, u"bee", u"wasp "},              {u"Guerra", 34, u"arrow", u"whip "},
        {u"Varie", 48, u"beep", u"wood "},              {u"Strumenti musicali", 56, u"agogo", u"xylophone "},
        {u"Natura", 19, u"cave", u"wind "},             {u"Rumori", 11, u"alarm", u"whistle "},
        {u"Ufficio", 18, u"briefcase", u"typewriter "}, {u"Persone/Sport", 56, u"applause", u"tennis "},
        {u"Attrezzi", 23, u"axe", u"wrench "},          {u"TV", 24, u"Ned Quillby", u"Xena "},
        {u"Veicoli", 31, u"airplane", u"windshield "}};
    uint64_t digest = 14695981039346656037u; // FNV-1a of every name and entry in order, each ended by a 0
    const auto add = [&](TextView text) {
        for (char16_t unit : std::u16string(text) + u'\0')
            digest = (digest ^ unit) * 1099511628211u;
    };
    for (size_t i = 0; i < 15; ++i) {
        const auto& [name, count, first, last] = published[i];
        const auto words = ExampleWords(name);
        ASSERT_EQ(words.size(), count) << i;
        EXPECT_TRUE(ExampleVocabulary[i].Name == name && words.front() == first && words.back() == last) << i;
        add(name), std::for_each(words.begin(), words.end(), add);
    }
    EXPECT_EQ(digest, 0x475869f7e3dc1f80u) << "a letter, a blank or an order differs from the published list";
    for (TextView miss : {u"uccelli", u"UCCELLI", u"Uccelli ", u" Uccelli", u"Strumenti  musicali", u"", u"Ucc"})
        EXPECT_TRUE(ExampleWords(miss).empty()) << std::string(miss.begin(), miss.end());
    EXPECT_TRUE(ExampleWords(std::u16string(u"Uccelli\0", 8)).empty());
}
