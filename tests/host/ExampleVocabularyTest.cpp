// The table's shape against the figures it is known by, so a slip in the data fails loudly.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "examples/ExampleVocabulary.h"

namespace {

struct Expected {
    const char16_t* Name;
    size_t Count;
    const char16_t* First;
    const char16_t* Last;
};

constexpr Expected kCategories[] = {
    {u"Uccelli", 94, u"blackbird", u"wren "},          {u"Animali", 65, u"alligator", u"zebra"},
    {u"Feste", 10, u"Halloween creak", u"pop cork"},   {u"Famiglia", 52, u"blender", u"zipper"},
    {u"Insetti", 7, u"bee", u"wasp "},                 {u"Guerra", 34, u"arrow", u"whip "},
    {u"Varie", 48, u"beep", u"wood "},                 {u"Strumenti musicali", 56, u"agogo", u"xylophone "},
    {u"Natura", 19, u"cave", u"wind "},                {u"Rumori", 11, u"alarm", u"whistle "},
    {u"Ufficio", 18, u"briefcase", u"typewriter "},    {u"Persone/Sport", 56, u"applause", u"tennis "},
    {u"Attrezzi", 23, u"axe", u"wrench "},             {u"TV", 24, u"Ned Quillby", u"Xena "},
    {u"Veicoli", 31, u"airplane", u"windshield "},
};

std::vector<TextView> Words(TextView name)
{
    const auto words = ExampleWords(name);
    return {words.begin(), words.end()};
}

} // namespace

TEST(ExampleVocabulary, FifteenCategoriesInTableOrderWithTheirCountsAndEnds)
{
    ASSERT_EQ(ExampleVocabulary.size(), 15u);
    size_t total = 0;
    for (size_t i = 0; i < 15; ++i) {
        const ExampleCategory& category = ExampleVocabulary[i];
        const Expected& expected = kCategories[i];
        SCOPED_TRACE(std::string(category.Name.begin(), category.Name.end()));
        EXPECT_EQ(category.Name, expected.Name);
        EXPECT_EQ(category.Words.size(), expected.Count);
        EXPECT_EQ(category.Words.front(), expected.First);
        EXPECT_EQ(category.Words.back(), expected.Last);
        total += category.Words.size();
    }
    EXPECT_EQ(total, 548u);
}

TEST(ExampleVocabulary, EntriesAreWellFormedAndUniqueWithinTheirCategory)
{
    std::map<Text, std::vector<std::pair<Text, size_t>>> places;
    std::vector<Text> trailingBlank;
    for (const ExampleCategory& category : ExampleVocabulary) {
        std::set<TextView> seen;
        for (size_t i = 0; i < category.Words.size(); ++i) {
            const TextView word = category.Words[i];
            EXPECT_TRUE(seen.insert(word).second) << "twice in one category";
            EXPECT_GE(word.size(), 3u);
            EXPECT_LE(word.size(), 19u);
            EXPECT_NE(word.front(), u' ');
            EXPECT_EQ(word.find(u"  "), TextView::npos);
            for (char16_t c : word)
                EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u' ' || c == u'-');
            if (word.back() == u' ')
                trailingBlank.emplace_back(word);
            places[Text(word)].emplace_back(Text(category.Name), i + 1);
        }
    }
    EXPECT_EQ(places.size(), 545u) << "548 entries, 545 different texts";
    using Places = std::vector<std::pair<Text, size_t>>;
    EXPECT_EQ(places[u"howl"], (Places{{u"Feste", 4}, {u"Varie", 18}}));
    EXPECT_EQ(places[u"scream"], (Places{{u"Feste", 6}, {u"Persone/Sport", 28}}));
    EXPECT_EQ(places[u"phone"], (Places{{u"Famiglia", 33}, {u"Ufficio", 14}}));
    EXPECT_EQ(trailingBlank, (std::vector<Text>{u"wren ", u"witch ", u"wasp ", u"whip ", u"wood ", u"xylophone ",
                                                u"wind ", u"whistle ", u"typewriter ", u"yell ", u"tennis ",
                                                u"wrench ", u"Xena ", u"windshield "}));
    EXPECT_EQ(places[u"witch "], (Places{{u"Feste", 7}}));
    EXPECT_EQ(places[u"yell "], (Places{{u"Persone/Sport", 38}}));
    EXPECT_EQ(places[u"Pac-Man"].size(), 1u);
}

TEST(ExampleVocabulary, OrderIsTheTablesNotTheAlphabets)
{
    const auto war = Words(u"Guerra");
    EXPECT_EQ(war[5], u"bullet");
    EXPECT_EQ(war[6], u"broken glass");
    const auto parties = Words(u"Feste");
    EXPECT_EQ(parties[6], u"witch ");
    EXPECT_EQ(parties[7], u"fireworks");
    const auto tv = Words(u"TV");
    EXPECT_EQ(tv[5], u"Flintstones");
    EXPECT_EQ(tv[6], u"Elmer Fudd");
    EXPECT_EQ(tv[10], u"Psycho");
    EXPECT_EQ(tv[11], u"Monty Python");
    const auto people = Words(u"Persone/Sport");
    EXPECT_EQ(people[37], u"yell ");
    EXPECT_EQ(people[38], u"baseball");
    EXPECT_EQ(Words(u"Insetti"),
              (std::vector<TextView>{u"bee", u"cicada", u"cricket", u"fly", u"katydid", u"mosquito", u"wasp "}));
}

TEST(ExampleVocabulary, LookupIsExactCaseSensitiveAndWhole)
{
    EXPECT_EQ(Words(u"Uccelli").size(), 94u);
    for (TextView miss : {u"uccelli", u"UCCELLI", u"Uccelli ", u" Uccelli", u"Strumenti  musicali", u"", u"Ucc",
                          u"Persone"}) {
        EXPECT_TRUE(ExampleWords(miss).empty()) << std::string(miss.begin(), miss.end());
    }
    EXPECT_TRUE(ExampleWords(std::u16string(u"Uccelli\0", 8)).empty());
    EXPECT_EQ(Words(u"TV"), Words(u"TV")) << "the same list each time";
}
