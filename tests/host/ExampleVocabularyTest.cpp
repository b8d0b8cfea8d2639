// The table against the figures it is published with, so a slip in the data fails loudly.
#include <gtest/gtest.h>

#include <map>

#include "examples/ExampleVocabulary.h"

TEST(ExampleVocabulary, FifteenCategoriesWithTheirPublishedCountsEndsAndOddities)
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
    std::map<TextView, std::vector<std::pair<TextView, size_t>>> places;
    for (size_t i = 0; i < 15; ++i) {
        const auto& [name, count, first, last] = published[i];
        const auto words = ExampleWords(name);
        ASSERT_EQ(ExampleVocabulary[i].Words.size(), count) << i;
        EXPECT_TRUE(ExampleVocabulary[i].Name == name && words.front() == first && words.back() == last) << i;
        for (size_t at = 0; at < count; ++at) {
            const TextView word = words[at], letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ -";
            EXPECT_TRUE(word.size() >= 3 && word.size() <= 19 && word[0] != u' ' && word.find_first_not_of(letters) > 19)
                << i << " " << at;
            places[word].emplace_back(name, at + 1);
        }
    }
    using Places = std::vector<std::pair<TextView, size_t>>;
    EXPECT_EQ(places.size(), 545u) << "548 entries, 545 different texts";
    EXPECT_EQ(places[u"howl"], (Places{{u"Feste", 4}, {u"Varie", 18}}));
    EXPECT_EQ(places[u"scream"], (Places{{u"Feste", 6}, {u"Persone/Sport", 28}}));
    EXPECT_EQ(places[u"phone"], (Places{{u"Famiglia", 33}, {u"Ufficio", 14}}));
    EXPECT_EQ(places[u"yell "], (Places{{u"Persone/Sport", 38}})) << "and baseball after it";
    EXPECT_EQ(std::count_if(places.begin(), places.end(), [](auto& p) { return p.first.back() == u' '; }), 14);
    EXPECT_TRUE(ExampleWords(u"TV")[5] == u"Flintstones" && ExampleWords(u"Guerra")[6] == u"broken glass");
    for (TextView miss : {u"uccelli", u"UCCELLI", u"Uccelli ", u" Uccelli", u"Strumenti  musicali", u"", u"Ucc"})
        EXPECT_TRUE(ExampleWords(miss).empty()) << std::string(miss.begin(), miss.end());
    EXPECT_TRUE(ExampleWords(std::u16string(u"Uccelli\0", 8)).empty());
}
