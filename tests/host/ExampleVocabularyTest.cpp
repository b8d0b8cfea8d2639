// The table against the figures it is published with, so a slip in the data fails loudly.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "examples/ExampleVocabulary.h"

TEST(ExampleVocabulary, FifteenCategoriesWithTheirCountsAndEnds)
{
    const struct {
        const char16_t *Name, *First, *Last;
        size_t Count;
    } published[] = {
        {u"Uccelli", u"blackbird", u"wren ", 94},       {u"Animali", u"alligator", u"zebra", 65},
        {u"Feste", u"Halloween creak", u"pop cork", 10}, {u"Famiglia", u"blender", u"zipper", 52},
        {u"Insetti", u"bee", u"wasp ", 7},              {u"Guerra", u"arrow", u"whip ", 34},
        {u"Varie", u"beep", u"wood ", 48},              {u"Strumenti musicali", u"agogo", u"xylophone ", 56},
        {u"Natura", u"cave", u"wind ", 19},             {u"Rumori", u"alarm", u"whistle ", 11},
        {u"Ufficio", u"briefcase", u"typewriter ", 18}, {u"Persone/Sport", u"applause", u"tennis ", 56},
        {u"Attrezzi", u"axe", u"wrench ", 23},          {u"TV", u"Ned Quillby", u"Xena ", 24},
        {u"Veicoli", u"airplane", u"windshield ", 31},
    };
    for (size_t i = 0; i < 15; ++i) {
        const auto words = ExampleWords(published[i].Name);
        EXPECT_EQ(ExampleVocabulary[i].Name, published[i].Name);
        ASSERT_EQ(words.size(), published[i].Count) << i;
        EXPECT_EQ(words.front(), published[i].First);
        EXPECT_EQ(words.back(), published[i].Last);
    }
}

TEST(ExampleVocabulary, EntriesAreWellFormedAndOrderedAsPublished)
{
    std::map<Text, std::vector<std::pair<TextView, size_t>>> places;
    for (const ExampleCategory& category : ExampleVocabulary) {
        std::set<TextView> seen;
        for (size_t i = 0; i < category.Words.size(); ++i) {
            const TextView word = category.Words[i];
            EXPECT_TRUE(seen.insert(word).second) << "twice in one category";
            EXPECT_TRUE(word.size() >= 3 && word.size() <= 19 && word.front() != u' ' && word.find(u"  ") == TextView::npos);
            for (char16_t c : word)
                EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u' ' || c == u'-');
            places[Text(word)].emplace_back(category.Name, i + 1);
        }
    }
    EXPECT_EQ(places.size(), 545u) << "548 entries, 545 different texts";
    using Places = std::vector<std::pair<TextView, size_t>>;
    EXPECT_EQ(places[u"howl"], (Places{{u"Feste", 4}, {u"Varie", 18}}));
    EXPECT_EQ(places[u"scream"], (Places{{u"Feste", 6}, {u"Persone/Sport", 28}}));
    EXPECT_EQ(places[u"phone"], (Places{{u"Famiglia", 33}, {u"Ufficio", 14}}));
    EXPECT_EQ(places[u"witch "], (Places{{u"Feste", 7}}));
    EXPECT_EQ(places[u"yell "], (Places{{u"Persone/Sport", 38}}));
    size_t blanks = 0;
    for (const auto& [word, where] : places)
        blanks += word.back() == u' ';
    EXPECT_EQ(blanks, 14u);
    const auto tv = ExampleWords(u"TV");
    EXPECT_EQ(tv[5], u"Flintstones") << "not alphabetical";
    EXPECT_EQ(tv[11], u"Monty Python");
    EXPECT_EQ(ExampleWords(u"Persone/Sport")[38], u"baseball");
    EXPECT_EQ(ExampleWords(u"Guerra")[6], u"broken glass");
}

TEST(ExampleVocabulary, LookupIsExactCaseSensitiveAndWhole)
{
    for (TextView miss : {u"uccelli", u"UCCELLI", u"Uccelli ", u" Uccelli", u"Strumenti  musicali", u"", u"Ucc"})
        EXPECT_TRUE(ExampleWords(miss).empty()) << std::string(miss.begin(), miss.end());
    EXPECT_TRUE(ExampleWords(std::u16string(u"Uccelli\0", 8)).empty());
}
