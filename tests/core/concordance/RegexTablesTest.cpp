#include "util/RegexTables.h"

#include <gtest/gtest.h>

using namespace morvix;

TEST(Regex1252, FrenchLettersAndCasePairs) {
    struct Case {
        const char *pattern;
        std::string subject;
        bool matches;
    } cases[] = {
        {"^\\w+$", "\xE9t\xE9", true}, // été
        {"^\\w+$",
         "\x9C"
         "uvre",
         true},                              // œuvre
        {"^\\w+$", "\xAB", false},           // «
        {"^[[:upper:]]", "\xC9t\xE9", true}, // Été
        {"^[[:lower:]]", "\xC9t\xE9", false},
        {"(?i)^\xE9T\xC9$", "\xC9t\xE9", true}, // case pairs of é/É
        {"(?i)^\xFF$", "\x9F", true},           // ÿ / Ÿ
        {"(?i)^\x9A$", "\x8A", true},           // š / Š
        {"(?i)^\xF7$", "\xD7", false},          // ÷ and × are not a pair
        {"^\\W$", "\xD7", true},
        {"\\bchant", "enchant\xE9", false}, // é is a letter: no word boundary before it
        {"chant\\b", "chant\xE9", false},
        {"^chant", "chanter", true},
        {"^Chant", "chanter", false}, // no folding without (?i)
        {"a.c",
         "a\xE0"
         "c",
         true},
    };
    for (const Case &c : cases) {
        Regex1252 regex(c.pattern);
        ASSERT_TRUE(regex.valide()) << c.pattern << ": " << regex.erreur();
        EXPECT_EQ(regex.cherche(c.subject), c.matches) << c.pattern;
    }
}

TEST(Regex1252, InvalidPatternMatchesNothing) {
    Regex1252 regex("(chat");
    EXPECT_FALSE(regex.valide());
    EXPECT_FALSE(regex.erreur().empty());
    EXPECT_FALSE(regex.cherche("chat"));
    EXPECT_FALSE(regex.cherche(""));
}

// A match that hits the engine's limits was counted as "no match": the same form was found
// or not depending on the order of two alternatives.
TEST(Regex1252, CostlyMatchIsReportedNotCountedAsNoMatch) {
    const std::string form = std::string(30, 'a') + "b";
    Regex1252 cheap("^(?:a+b|(a+)+c)$");
    EXPECT_TRUE(cheap.cherche(form));
    EXPECT_FALSE(cheap.tropCouteuse());
    Regex1252 costly("^(?:(a+)+c|a+b)$");
    EXPECT_FALSE(costly.cherche(form));
    EXPECT_TRUE(costly.tropCouteuse());
    Regex1252 nested("^(a+)+$");
    EXPECT_FALSE(nested.cherche(std::string(40, 'a') + "!"));
    EXPECT_TRUE(nested.tropCouteuse());
}
