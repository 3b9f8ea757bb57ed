#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace morvix;
using test::readFile;
using test::readInt32File;
using test::writeFile;

namespace {

constexpr int32_t kEol = 4999742;
constexpr int32_t delim(char c) { return 4999999 - static_cast<unsigned char>(c); }

struct Dic {
    std::vector<int32_t> frq, rank;
    std::vector<std::string> graphy;
};

Dic readDic(const std::string &path) {
    Dic d;
    std::string s = readFile(path);
    size_t i = 0;
    while (i < s.size()) {
        size_t eol = s.find("\r\n", i);
        std::string line = s.substr(i, eol - i);
        i = eol + 2;
        // " %-7d %7d  %s"
        d.frq.push_back(std::stoi(line.substr(1, 7)));
        d.rank.push_back(std::stoi(line.substr(9, 7)));
        d.graphy.push_back(line.substr(18));
    }
    return d;
}

SegmResult segment(const std::string &text, const std::string &delims = kDelimiteursDefaut,
                   int32_t maxart = kMaxartDefaut) {
    writeFile("t.txt", text);
    SegmOptions o;
    o.maxart = maxart;
    return SegmPrinc("t.txt", delims, o);
}

} // namespace

TEST(SegmPrinc, CountsAndFilesOfSmallTexts) {
    test::ScopedWorkDir dir;
    struct Case {
        const char *text;
        int32_t nbf, nbocc, nhap, fmax, nbponct, nbcle, nbctnu, nbitem;
    } cases[] = {
        {"Le chat, le chien.\n", 4, 4, 4, 1, 2, 0, 0, 7},
        {"aujourd'hui porte-monnaie", 4, 4, 4, 1, 2, 0, 0, 6},
        {"<auteur = Anonyme>", 0, 0, 0, 0, 0, 1, 1, 2},
        {"<a=x><b=x>", 0, 0, 0, 0, 0, 2, 1, 4},
        {" \t\r \t", 0, 0, 0, 0, 0, 0, 0, 1}, // no line feed: the CR ends a line
        {" \t\r\n \t", 0, 0, 0, 0, 0, 0, 0, 1},
        {"a > b", 2, 2, 2, 1, 1, 0, 0, 3},
        {"de la de la de la x x x x", 3, 10, 0, 4, 0, 0, 0, 10},
        {"", 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SegmResult r = segment(c.text);
        ASSERT_TRUE(r.ok()) << c.text << r.message;
        EXPECT_EQ(r.nbf, c.nbf) << c.text;
        EXPECT_EQ(r.nbocc, c.nbocc) << c.text;
        EXPECT_EQ(r.nhap, c.nhap) << c.text;
        EXPECT_EQ(r.fmax, c.fmax) << c.text;
        EXPECT_EQ(r.nbartponct, c.nbponct) << c.text;
        EXPECT_EQ(r.nbcle, c.nbcle) << c.text;
        EXPECT_EQ(r.nbctnu, c.nbctnu) << c.text;
        EXPECT_EQ(r.nbitem, c.nbitem) << c.text;
        EXPECT_EQ(static_cast<int64_t>(readInt32File("t.num").size()), c.nbitem) << c.text;
        EXPECT_FALSE(test::fileExists("xxxx.txn"));
    }
}

TEST(SegmPrinc, LeChatBaseFiles) {
    test::ScopedWorkDir dir;
    ASSERT_TRUE(segment("Le chat.\n").ok());
    EXPECT_EQ(readFile("t.par").substr(0, 36), "t\r\n4 4 2 2 2 1 2 5000000 1 0 0 0 0\r\n");
    EXPECT_EQ(readFile("t.dic"), " 1             0  Le\r\n 1             1  chat\r\n"
                                 " 1             2  .\r\n");
    EXPECT_EQ(readInt32File("t.num"), (std::vector<int32_t>{0, 1, delim('.'), kEol}));
}

TEST(SegmPrinc, FormsAreCutAt59Characters) {
    test::ScopedWorkDir dir;
    ASSERT_TRUE(segment(std::string(70, 'a')).ok());
    Dic d = readDic("t.dic");
    ASSERT_EQ(d.graphy.size(), 2u);
    EXPECT_EQ(d.graphy[0], std::string(11, 'a'));
    EXPECT_EQ(d.graphy[1], std::string(59, 'a'));
    EXPECT_EQ(readInt32File("t.num"), (std::vector<int32_t>{1, 0}));
}

TEST(SegmPrinc, AlphabeticalAndLexicometricOrder) {
    test::ScopedWorkDir dir;
    // Digits, then capitals, then lower case (accented initials folded); «État» (0xC9) last.
    ASSERT_TRUE(segment("z \xC9tat \xE9t\xE9 Zoo 12 et abc \xE7"
                        "a chat\n")
                    .ok());
    Dic d = readDic("t.dic");
    std::vector<std::string> byRank(d.graphy.size());
    for (size_t i = 0; i < d.graphy.size(); ++i)
        byRank[static_cast<size_t>(d.rank[i])] = d.graphy[i];
    std::vector<std::string> expected = {"12",
                                         "Zoo",
                                         "abc",
                                         "\xE7"
                                         "a",
                                         "chat",
                                         "et",
                                         "\xE9t\xE9",
                                         "z",
                                         "\xC9tat"};
    EXPECT_EQ(byRank, expected);

    // Equal frequencies follow the alphabetical rank; higher frequencies come first.
    ASSERT_TRUE(segment("la de la de la de x x x x").ok());
    d = readDic("t.dic");
    EXPECT_EQ(d.graphy, (std::vector<std::string>{"x", "de", "la"}));
}

TEST(SegmPrinc, TextWithoutPunctuationAndCustomDelimiters) {
    test::ScopedWorkDir dir;
    ASSERT_TRUE(segment("un deux un\n", "").ok());
    EXPECT_EQ(readInt32File("t.num"), (std::vector<int32_t>{0, 1, 0, kEol}));
    // Without delimiters the apostrophe is part of the form; with '#' a delimiter it is not.
    SegmResult r = segment("l'homme#x", "#");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.nbf, 2);
    EXPECT_EQ(readDic("t.dic").graphy, (std::vector<std::string>{"l'homme", "x", "#"}));
}

TEST(SegmPrinc, GoldenFilesOfATextWithEveryKindOfArticle) {
    test::ScopedWorkDir dir;
    std::filesystem::copy_file(test::dataPath("golden/petit.txt"), "petit.txt");
    ASSERT_EQ(VerifCles("petit.txt"), 0);
    SegmResult r = SegmPrinc("petit.txt", kDelimiteursDefaut);
    ASSERT_TRUE(r.ok()) << r.message;
    for (const char *name : {"petit.par", "petit.dic", "petit.num"})
        EXPECT_EQ(readFile(name), readFile(test::dataPath(std::string("golden/") + name))) << name;
    EXPECT_EQ(readFile("atrace.txt"), readFile(test::dataPath("golden/petit.atrace.txt")));
}

TEST(SegmPrinc, LimitsAreReportedAndKeepTheOldBase) {
    test::ScopedWorkDir dir;
    ASSERT_TRUE(segment("ancienne base\n").ok());
    const std::string oldPar = readFile("t.par"), oldDic = readFile("t.dic");

    struct Case {
        std::string text;
        int32_t maxart;
        SegmCode code;
        const char *trace;
    } cases[] = {
        {"a b c d e", 4, SegmCode::TropDArticles, "MAXART = 4"},
        {"a b c, d", 4, SegmCode::TropDArticles, "MAXART = 4"}, // punctuation counts too
        {std::string(59, 'a') + " " + std::string(59, 'b'), 3, SegmCode::ZonePleine,
         "Zone des graphies pleine (120 octets)"},
        {"<" + std::string(127, 'k') + "=v>", 100, SegmCode::BaliseTropLongue,
         "L    1 Partie de balise de plus de 126"},
    };
    for (const Case &c : cases) {
        SegmResult r = segment(c.text, kDelimiteursDefaut, c.maxart);
        EXPECT_EQ(r.code, c.code) << c.text;
        EXPECT_FALSE(r.message.empty());
        EXPECT_NE(readFile("atrace.txt").find(c.trace), std::string::npos) << c.text;
        EXPECT_EQ(readFile("t.par"), oldPar);
        EXPECT_EQ(readFile("t.dic"), oldDic);
        EXPECT_FALSE(test::fileExists("xxxx.txn"));
        EXPECT_FALSE(test::fileExists("t.dic.tmp"));
    }
    // 126 characters fit.
    EXPECT_TRUE(segment("<" + std::string(126, 'k') + "=v>").ok());
}

TEST(SegmPrinc, MissingTextIsReported) {
    test::ScopedWorkDir dir;
    SegmResult r = SegmPrinc("absent.txt", kDelimiteursDefaut);
    EXPECT_EQ(r.code, SegmCode::TexteNonOuvert);
    EXPECT_NE(readFile("atrace.txt").find("\r\nFichier absent.txt pas ouvert !"),
              std::string::npos);
}

TEST(SegmPrinc, BaseNameOfPaths) {
    EXPECT_EQ(TraitPath("/a/b/texte.txt"), "texte");
    EXPECT_EQ(TraitPath("/corpus/mon texte.v2.txt"), "mon texte.v2");
    // A backslash is a character of a file name here, not a folder separator.
    EXPECT_EQ(TraitPath("back\\slash.txt"), "back\\slash");
    EXPECT_EQ(TraitPath("sans_extension"), "sans_extension");
    EXPECT_EQ(TraitPath("dossier.x/fichier"), "fichier");
}

TEST(SegmPrinc, BaseNameWithBlanksIsWrittenWhole) {
    test::ScopedWorkDir dir;
    writeFile("mon texte.txt", "un mot\n");
    ASSERT_TRUE(SegmPrinc("mon texte.txt", kDelimiteursDefaut).ok());
    EXPECT_EQ(readFile("mon texte.par").substr(0, 11), "mon texte\r\n");
}
