// Reading the factor and eigenvalue files back, and refusing malformed ones.
#include "afc/TListePoints.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace morvix;
using morvix::test::ScopedWorkDir;
using morvix::test::writeFile;

namespace {

// Three points, three factors: flag, id, mass, distance, 3 coords, 3 ctr, 3 cos2.
const std::vector<std::string> kPoints = {
    "1 0 250.5 120.25 100 -20 5 300 10 1 0.8 0.15 0.05",
    "1 1 400 80 -60.5 40 0 500 200 0 0.6 0.4 0",
    "0 2 349.5 10 -10 -15 0 0 0 0 0.3 0.7 0",
};

std::string fichier(const std::vector<std::string> &lignes, const std::string &tete = "3 3") {
    std::string s = tete + "\n";
    for (const std::string &l : lignes)
        s += l + "\r\n";
    return s;
}

} // namespace

TEST(TListePoints, LinesInAnyOrderFillTheSamePoints) {
    ScopedWorkDir dir;
    writeFile("a.txt", fichier(kPoints));
    writeFile("b.txt", fichier({kPoints[2], kPoints[0], kPoints[1]}));
    TListePoints a("a.txt", 3), b("b.txt", 3);
    ASSERT_TRUE(a.Valide()) << a.Erreur();
    ASSERT_TRUE(b.Valide()) << b.Erreur();
    EXPECT_EQ(a.Fact, b.Fact);
    EXPECT_EQ(a.Masse, b.Masse);
    EXPECT_EQ(a.Actif, (std::vector<unsigned char>{1, 1, 0}));
    EXPECT_DOUBLE_EQ(a.Masse[0], 250.5);
    EXPECT_DOUBLE_EQ(a.Distance[0], 120.25);
    EXPECT_DOUBLE_EQ(a.Fact[1][2], -15); // coordinate on factor 2
    EXPECT_DOUBLE_EQ(a.Fact[4][1], 200); // contribution to factor 2
    EXPECT_DOUBLE_EQ(a.Fact[6][0], 0.8); // squared cosine on factor 1
    EXPECT_DOUBLE_EQ(a.MinX, -60.5);
    EXPECT_DOUBLE_EQ(a.MaxX, 100);
    EXPECT_DOUBLE_EQ(a.MinY, -20);
    EXPECT_DOUBLE_EQ(a.MaxY, 40);
}

TEST(TListePoints, ReadsNumbersWhateverTheLocale) {
    ScopedWorkDir dir;
    writeFile("a.txt", fichier(kPoints));
    const char *fr = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    TListePoints a("a.txt", 3);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_TRUE(a.Valide()) << (fr ? "fr_FR" : "C") << a.Erreur();
}

TEST(TListePoints, MalformedFilesAreRefused) {
    struct Cas {
        const char *nom;
        std::string texte;
        int32_t nbParties;
    };
    const std::vector<Cas> cas = {
        {"missing file", "", 3},
        {"identifier outside", fichier({kPoints[0], kPoints[1], "0 3 1 1 1 1 1 1 1 1 1 1 1"}), 3},
        {"negative identifier", fichier({kPoints[0], kPoints[1], "0 -1 1 1 1 1 1 1 1 1 1 1 1"}), 3},
        {"identifier repeated", fichier({kPoints[0], kPoints[1], kPoints[1]}), 3},
        {"other number of parts", fichier(kPoints), 4},
        {"one factor", "3 1\n1 0 1 1 1 1 1\n1 1 1 1 2 1 1\n1 2 1 1 3 1 1\n", 3},
        {"value not a number", fichier({kPoints[0], kPoints[1], "0 2 1 1 1 x 1 1 1 1 1 1 1"}), 3},
        {"value infinite", fichier({kPoints[0], kPoints[1], "0 2 1 1 1 inf 1 1 1 1 1 1 1"}), 3},
        {"missing value", fichier({kPoints[0], kPoints[1], "0 2 1 1 1 1 1 1 1 1 1 1"}), 3},
        {"extra value", fichier({kPoints[0], kPoints[1], "0 2 1 1 1 1 1 1 1 1 1 1 1 1"}), 3},
        {"missing line", fichier({kPoints[0], kPoints[1]}), 3},
        {"flag other than 0 or 1", fichier({kPoints[0], kPoints[1], "7 2 1 1 1 1 1 1 1 1 1 1 1"}),
         3},
        {"bad header", fichier(kPoints, "trois 3"), 3},
        // A header claiming more than the file holds is refused before any reservation
        // (2512 points of 52522 factors would take gigabytes).
        {"header beyond the file", "2512 52522", -1},
        {"equal bounds on factor 2",
         fichier({"1 0 1 1 1 5 0 1 1 1 1 1 1", "1 1 1 1 2 5 0 1 1 1 1 1 1",
                  "1 2 1 1 3 5 0 1 1 1 1 1 1"}),
         3},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        ScopedWorkDir dir;
        if (!c.texte.empty())
            writeFile("f.txt", c.texte);
        TListePoints t("f.txt", c.nbParties);
        EXPECT_FALSE(t.Valide());
        EXPECT_FALSE(t.Erreur().empty());
        EXPECT_EQ(t.NbPoints, 0);
        EXPECT_TRUE(t.Fact.empty());
    }
}

TEST(TListePoints, AxesRefuseTheOtherAxisFactorAndFlatFactors) {
    ScopedWorkDir dir;
    writeFile("a.txt", fichier(kPoints)); // factor 3 holds 5, 0, 0
    TListePoints t("a.txt");
    ASSERT_TRUE(t.Valide()) << t.Erreur();
    EXPECT_FALSE(t.ChoisitAxeY(0)); // shown horizontally
    EXPECT_EQ(t.FacteurY(), 1);
    EXPECT_FALSE(t.ChoisitAxeX(3));
    EXPECT_TRUE(t.ChoisitAxeY(2));
    EXPECT_DOUBLE_EQ(t.MinY, 0);
    EXPECT_DOUBLE_EQ(t.MaxY, 5);
    EXPECT_TRUE(t.ChoisitAxeX(1));
    EXPECT_EQ(&t.X(), &t.Fact[1]);
    EXPECT_DOUBLE_EQ(t.MinX, -20);

    writeFile("plat.txt", fichier({"1 0 1 1 1 5 7 1 1 1 1 1 1", "1 1 1 1 2 4 7 1 1 1 1 1 1",
                                   "1 2 1 1 3 6 7 1 1 1 1 1 1"}));
    TListePoints p("plat.txt");
    ASSERT_TRUE(p.Valide());
    EXPECT_FALSE(p.ChoisitAxeY(2)); // every point at 7
    EXPECT_EQ(p.FacteurY(), 1);
}

TEST(LitValeursPropres, ReadsTheCountThenTheValues) {
    ScopedWorkDir dir;
    struct Cas {
        const char *texte; // nullptr: no file
        bool ok;
        std::vector<int64_t> valeurs;
    };
    const std::vector<Cas> cas = {
        {"3\n74759\n10017\n414\n", true, {74759, 10017, 414}},
        {"2 5 6", true, {5, 6}},
        {"0\n", true, {}},
        {nullptr, false, {}},
        {"", false, {}},
        {"3\n1\n2\n", false, {}},
        {"2\n1\nx\n", false, {}},
        {"-1\n", false, {}},
    };
    for (const Cas &c : cas) {
        std::remove("vp.txt");
        if (c.texte)
            writeFile("vp.txt", c.texte);
        std::vector<int64_t> v{99};
        EXPECT_EQ(LitValeursPropres("vp.txt", v), c.ok) << (c.texte ? c.texte : "(none)");
        EXPECT_EQ(v, c.valeurs);
    }
}
