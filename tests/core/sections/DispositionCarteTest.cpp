#include "sections/DispositionCarte.h"

#include <gtest/gtest.h>

using namespace morvix;

// 120 sections of size 9 (step 11): 50 to a row, 2 more pixels after every 10th box, the
// number after every 50th, 2 more pixels of height after every second row.
TEST(DispositionCarte, RowsOfFiftyWithoutPartition) {
    DispositionCarte d(120, 9);
    EXPECT_EQ(d.Pas(), 11);
    EXPECT_EQ(d.X(0), 20);
    EXPECT_EQ(d.Y(0), 5);
    EXPECT_EQ(d.X(9), 20 + 9 * 11);
    EXPECT_EQ(d.X(10), 20 + 10 * 11 + 2);
    EXPECT_EQ(d.X(49), 20 + 49 * 11 + 4 * 2);
    EXPECT_EQ(d.Y(49), 5);
    EXPECT_EQ(d.X(50), 20);
    EXPECT_EQ(d.Y(50), 16);
    EXPECT_EQ(d.Y(99), 16);
    EXPECT_EQ(d.Y(100), 16 + 11 + 2);
    ASSERT_EQ(d.Numeros().size(), 2u);
    EXPECT_EQ(d.Numeros()[0].numero, 50);
    EXPECT_EQ(d.Numeros()[0].x, d.X(49) + 11 + 2 + 5);
    EXPECT_EQ(d.Numeros()[0].y, 3);
    EXPECT_EQ(d.Numeros()[1].numero, 100);
    EXPECT_EQ(d.Numeros()[1].y, 14);
    EXPECT_EQ(d.Largeur(), 732); // 9 x 50 x 1.35 + 125
    EXPECT_EQ(d.Hauteur(), 99);  // 2 rows x 12.15 + 75
}

TEST(DispositionCarte, AreaSizeFollowsTheBoxSize) {
    for (int32_t t = kTailleBoiteMin; t <= kTailleBoiteMax; ++t) {
        DispositionCarte d(1000, t);
        EXPECT_EQ(d.Largeur(), static_cast<int32_t>(t * 50 * 1.35 + 125)) << t;
        EXPECT_EQ(d.Pas(), static_cast<int32_t>(t * 1.3)) << t;
    }
    EXPECT_EQ(DispositionCarte(10, 3).TailleBoite(), kTailleBoiteMin);
    EXPECT_EQ(DispositionCarte(0, 9).Hauteur(), 75);
}

// With boxes of 7 or 8 pixels the rows take more height than the area's formula counts:
// the last rows of a long map must not fall outside the area.
TEST(DispositionCarte, AreaHoldsTheLastRow) {
    for (int32_t t : {7, 8, 9, 25}) {
        DispositionCarte d(20000, t);
        EXPECT_GE(d.Hauteur(), d.Y(19999) + t) << t;
        EXPECT_GE(d.Hauteur(), static_cast<int32_t>(400 * t * 1.35 + 75)) << t;
    }
    // Many spans of one section each: the headers push the rows down.
    std::vector<int32_t> premieres, parties;
    for (int32_t q = 0; q < 2000; ++q) {
        premieres.push_back(q);
        parties.push_back(q % 3);
    }
    premieres.push_back(2000);
    DispositionCarte d(2000, 9, premieres, parties);
    EXPECT_GE(d.Hauteur(), d.Y(1999) + 9);
}

TEST(DispositionCarte, HitsIncludeTheEdgesAndNothingBetweenBoxes) {
    DispositionCarte d(120, 9);
    EXPECT_EQ(d.Touche(20, 5), 0);
    EXPECT_EQ(d.Touche(29, 14), 0); // bottom-right corner
    EXPECT_EQ(d.Touche(30, 5), -1); // between boxes 0 and 1
    EXPECT_EQ(d.Touche(31, 10), 1);
    EXPECT_EQ(d.Touche(d.X(10) - 1, 5), -1); // the wider gap after the 10th box
    EXPECT_EQ(d.Touche(d.X(10), 5), 10);
    EXPECT_EQ(d.Touche(25, 15), -1); // between rows
    EXPECT_EQ(d.Touche(25, 16), 50);
    EXPECT_EQ(d.Touche(d.X(119) + 3, d.Y(119) + 3), 119);
    EXPECT_EQ(d.Touche(d.X(119) + 20, d.Y(119)), -1); // after the last box
    EXPECT_EQ(d.Touche(5, 5), -1);
    EXPECT_EQ(d.Touche(25, 500), -1);
    // Every box is found at its own corners.
    for (int32_t s = 0; s < 120; ++s) {
        EXPECT_EQ(d.Touche(d.X(s), d.Y(s)), s);
        EXPECT_EQ(d.Touche(d.X(s) + 9, d.Y(s) + 9), s);
    }
}

TEST(DispositionCarte, ExposedSectionsAreTheRowsCrossingTheBand) {
    DispositionCarte d(20000, 9);
    const auto [premier, fin] = d.Exposees(d.Y(5000), d.Y(5000) + 30, 0);
    EXPECT_EQ(premier, 5000);
    EXPECT_EQ(d.Y(fin - 1) <= d.Y(5000) + 30, true);
    EXPECT_GT(d.Y(fin), d.Y(5000) + 30);
    EXPECT_EQ(d.Exposees(0, d.Hauteur(), 0), std::make_pair(0, 20000));
}

// Spans of the partition, in text order: each gets a header, even one without a section; a
// span's first box stands in its section's column.
TEST(DispositionCarte, LayoutUnderAPartition) {
    const std::vector<int32_t> premieres = {0, 0, 55, 60};
    const std::vector<int32_t> parties = {2, 0, 1};
    DispositionCarte d(60, 9, premieres, parties);
    EXPECT_TRUE(d.AvecPartition());
    EXPECT_EQ(d.XFin(), 613); // 9 x 50 x 1.3 + 28
    ASSERT_EQ(d.Entetes().size(), 3u);
    EXPECT_EQ(d.Entetes()[0].y, 10);
    EXPECT_EQ(d.Entetes()[0].partie, 2);
    // The empty span: 10 + 12, then 1.3 x 9 + 9 / 2 lower.
    EXPECT_EQ(d.Entetes()[1].y, 38 + 5);
    EXPECT_EQ(d.Y(0), 55);
    EXPECT_EQ(d.X(0), 20);
    EXPECT_EQ(d.Y(54), 66);
    EXPECT_EQ(d.Entetes()[2].y, 82 + 5);
    EXPECT_EQ(d.Y(55), 99);
    EXPECT_EQ(d.X(55), 20 + 5 * 11);
    EXPECT_EQ(d.X(59), 20 + 9 * 11);
    EXPECT_EQ(d.Hauteur(), 183); // 12.15 + 3 x 32.15 + 75
    EXPECT_EQ(d.Touche(d.X(55), d.Y(55)), 55);
}

TEST(DispositionCarte, SectionsBeforeTheFirstSpanAreNotDrawn) {
    DispositionCarte d(30, 9, {10, 30}, {0});
    EXPECT_FALSE(d.Dessinee(9));
    EXPECT_TRUE(d.Dessinee(10));
    EXPECT_EQ(d.X(10), 20 + 10 * 11 + 2);
    EXPECT_EQ(d.Exposees(0, 1000, 0).first, 10);
    for (int32_t y = 0; y < 40; ++y)
        EXPECT_NE(d.Touche(20, y), 0);
}
