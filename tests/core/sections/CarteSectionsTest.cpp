#include "sections/CarteSections.h"
#include "sections/MarquageSections.h"

#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace morvix;

namespace {

// Sentences of 3 to 12 words drawn from a small vocabulary, "chat" and "chien" among them.
std::string phrases(int n, unsigned graine = 7) {
    static const char *mots[] = {"le", "un",     "chat",  "chien", "dort", "mange",
                                 "la", "souris", "court", "vite",  "et",   "puis"};
    std::mt19937 alea(graine);
    std::string texte = "debut ";
    for (int i = 0; i < n; ++i) {
        const int longueur = 3 + static_cast<int>(alea() % 10);
        for (int j = 0; j < longueur; ++j)
            texte += std::string(mots[alea() % 12]) + (alea() % 7 == 0 ? " , " : " ");
        texte += i % 9 == 0 ? ".\n" : ". ";
    }
    return texte;
}

int32_t code(const charg1 &b, const char *g) { return b.LocFormDic(g, false); }

std::unique_ptr<Tgen> groupe(const charg1 &b, std::vector<int32_t> codes, uint32_t couleur) {
    auto g = std::make_unique<Tgen>(&b, codes);
    g->Couleur = couleur;
    return g;
}

// A map whose main group is given marks and coefficients directly.
void poseMarques(CarteSections &carte, const charg1 &b, std::vector<char> marques,
                 std::vector<int32_t> coeffs, uint32_t couleur = 0x0000FF) {
    MarquageGroupe m;
    m.marques = std::move(marques);
    m.coeffs = std::move(coeffs);
    carte.PoseGroupePrincipal(groupe(b, {code(b, "chat")}, couleur), std::move(m));
}

class Carte : public ::testing::Test {
  protected:
    void SetUp() override {
        base = test::chargeTexte(phrases(120));
        point = code(*base, ".");
        vue = std::make_unique<Section>(*base, &point, 1);
        ASSERT_EQ(vue->NbSections, 120);
    }
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    int32_t point = -1;
    std::unique_ptr<Section> vue;
};

} // namespace

TEST(Nuances, HalfAndTwoThirdsTowardsWhitePerByte) {
    const Nuances rouge = NuancesDe(0x0000FF);
    EXPECT_EQ(rouge.pleine, 0x0000FFu);
    EXPECT_EQ(rouge.moyenne, 0x7F7FFFu);
    EXPECT_EQ(rouge.claire, 0xAAAAFFu);
    const Nuances n = NuancesDe(0x408010);
    EXPECT_EQ(n.moyenne, (0x40u + 0x5F) << 16 | (0x80u + 0x3F) << 8 | (0x10u + 0x77));
    EXPECT_EQ(n.claire, (0x40u + 0x7F) << 16 | (0x80u + 0x54) << 8 | (0x10u + 0x9F));
}

// The one-merge marking agrees with counting section by section.
TEST_F(Carte, MarkingAgreesWithCountsPerSection) {
    const std::vector<int32_t> formes = FormesParSection(*vue);
    for (const char *g : {"chat", "souris", "debut"}) {
        std::vector<int32_t> codes = {code(*base, g)};
        if (std::string(g) == "souris")
            codes.push_back(code(*base, "chien"));
        Tgen t(base.get(), codes);
        const MarquageGroupe m = MarqueGroupe(*vue, formes, t, base->Nbocc(), true);
        int32_t marquees = 0;
        for (int32_t s = 0; s < vue->NbSections; ++s) {
            ASSERT_EQ(formes[static_cast<size_t>(s)], vue->NbFormesSect(s));
            const int32_t k = vue->FrqTgenSect(t, s);
            EXPECT_EQ(m.marques[static_cast<size_t>(s)] != 0, k > 0) << g << s;
            const int32_t attendu =
                k > 0 ? CoeffSpec(base->Nbocc(), vue->NbFormesSect(s), t.NbOcc, k, 0.05) : 0;
            EXPECT_EQ(m.coeffs[static_cast<size_t>(s)], attendu) << g << s;
            marquees += k > 0;
        }
        if (std::string(g) == "debut") {
            EXPECT_EQ(marquees, 0); // before the first section
        } else {
            EXPECT_GT(marquees, 10);
        }
    }
}

TEST_F(Carte, BoxStyles) {
    CarteSections carte(*vue);
    std::vector<char> marques(120, 0);
    std::vector<int32_t> coeffs(120, 0);
    for (int32_t s : {1, 2, 3, 4, 5, 6})
        marques[static_cast<size_t>(s)] = 1;
    coeffs[1] = 7, coeffs[2] = 5, coeffs[3] = 4, coeffs[4] = 2, coeffs[5] = 1, coeffs[6] = -3;
    poseMarques(carte, *base, marques, coeffs);
    EXPECT_EQ(carte.Style(0).fond, kBlanc);
    EXPECT_EQ(carte.Style(0).trait, kBleu); // current: blue, 3 pixels
    EXPECT_EQ(carte.Style(0).epaisseur, 3);
    EXPECT_EQ(carte.Style(1).fond, 0x0000FFu);
    EXPECT_EQ(carte.Style(1).trait, kNoir);
    EXPECT_EQ(carte.Style(1).epaisseur, 1);

    // "seuillage" with the default thresholds 5 and 2.
    carte.SetSeuillage(true);
    const Nuances n = NuancesDe(0x0000FF);
    const uint32_t attendu[] = {n.pleine, n.pleine, n.moyenne, n.moyenne, n.claire, n.claire};
    for (int32_t s = 1; s <= 6; ++s)
        EXPECT_EQ(carte.Style(s).fond, attendu[s - 1]) << s;

    // A second group keeps the main group's shades and takes the upper half of a box that
    // holds both.
    std::vector<char> sup(120, 0);
    sup[2] = sup[10] = 1;
    carte.PoseGroupeSecondaire(groupe(*base, {code(*base, "chien")}, 0x008000), sup);
    EXPECT_EQ(carte.Style(2).fond, n.pleine);
    EXPECT_EQ(carte.Coeff(2), 5);
    const DispositionCarte &d = carte.Disposition();
    const StyleBoite haut = carte.Style(2);
    EXPECT_TRUE(haut.interieur);
    EXPECT_EQ(haut.couleurInterieur, 0x008000u);
    EXPECT_EQ(haut.x1, d.X(2) + 1);
    EXPECT_EQ(haut.y1, d.Y(2) + 1);
    EXPECT_EQ(haut.x2, d.X(2) + 8);
    EXPECT_EQ(haut.y2, d.Y(2) + 5); // 9 / 2 + 1
    EXPECT_EQ(carte.Style(10).y2, d.Y(10) + 9);
    EXPECT_FALSE(carte.Style(11).interieur);
}

// White stands for "no colour": a white group is drawn black, shades included.
TEST_F(Carte, WhiteGroupIsDrawnBlack) {
    CarteSections carte(*vue);
    std::vector<char> marques(120, 0);
    marques[3] = 1;
    poseMarques(carte, *base, marques, std::vector<int32_t>(120, 9), kBlanc);
    EXPECT_EQ(carte.Style(3).fond, kNoir);
    carte.SetSeuillage(true);
    EXPECT_EQ(carte.Style(3).fond, kNoir);
    std::vector<char> sup(120, 0);
    sup[4] = 1;
    carte.PoseGroupeSecondaire(groupe(*base, {code(*base, "chien")}, kBlanc), sup);
    EXPECT_EQ(carte.Style(4).couleurInterieur, kNoir);
}

TEST_F(Carte, ShiftAndCtrlSelection) {
    CarteSections carte(*vue);
    carte.Clic(3, false, false); // box 4
    EXPECT_EQ(carte.SectionsSelectionnees(), std::vector<int32_t>{3});
    // Shift on box 10: boxes 10 down to 5, the current one excluded (it stays selected).
    carte.Clic(9, true, false);
    EXPECT_EQ(carte.SectionsSelectionnees(), (std::vector<int32_t>{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(carte.SectCour(), 9);
    // Shift on the current box changes nothing.
    carte.Clic(9, true, false);
    EXPECT_EQ(carte.SectionsSelectionnees().size(), 7u);
    // Shift backwards from 9 to 12 selects 12, 11 and 10.
    carte.Clic(12, true, false);
    EXPECT_EQ(carte.SectionsSelectionnees().back(), 12);
    EXPECT_EQ(carte.SectionsSelectionnees().size(), 10u);
    // Ctrl on a selected box deselects it and keeps the others.
    carte.Clic(5, false, true);
    EXPECT_FALSE(carte.Selectionnee(5));
    EXPECT_EQ(carte.SectionsSelectionnees().size(), 9u);
    carte.Clic(40, false, true);
    EXPECT_TRUE(carte.Selectionnee(40));
    // A plain click keeps only its box, even when pressed again on it.
    carte.Clic(20, false, false);
    EXPECT_EQ(carte.SectionsSelectionnees(), std::vector<int32_t>{20});
    carte.Clic(20, false, false);
    EXPECT_EQ(carte.SectionsSelectionnees(), std::vector<int32_t>{20});
    EXPECT_EQ(carte.Style(20).epaisseur, 3);
    carte.Clic(-1, false, false);
    carte.Clic(120, false, false);
    EXPECT_EQ(carte.SectCour(), 20);
}

TEST_F(Carte, SectionAndOccurrenceMoves) {
    CarteSections carte(*vue);
    EXPECT_FALSE(carte.Boutons().secPrec);
    EXPECT_TRUE(carte.Boutons().secSuiv);
    EXPECT_FALSE(carte.Boutons().occSuiv); // no group yet
    carte.SectionPrecedente();
    EXPECT_EQ(carte.SectCour(), 0);
    for (int i = 0; i < 200; ++i)
        carte.SectionSuivante();
    EXPECT_EQ(carte.SectCour(), 119);
    EXPECT_FALSE(carte.Boutons().secSuiv);
    EXPECT_TRUE(carte.Boutons().secPrec);

    std::vector<char> marques(120, 0);
    marques[0] = marques[30] = marques[60] = 1;
    carte.Clic(10, false, false);
    poseMarques(carte, *base, marques, std::vector<int32_t>(120, 0));
    EXPECT_TRUE(carte.Boutons().occPrec);
    EXPECT_TRUE(carte.Boutons().occSuiv);
    EXPECT_TRUE(carte.OccurrenceSuivante());
    EXPECT_EQ(carte.SectCour(), 30);
    EXPECT_TRUE(carte.OccurrenceSuivante());
    EXPECT_EQ(carte.SectCour(), 60);
    // Past the last section holding the group: nothing moves, the button is disabled.
    EXPECT_FALSE(carte.OccurrenceSuivante());
    EXPECT_EQ(carte.SectCour(), 60);
    EXPECT_FALSE(carte.Boutons().occSuiv);
    EXPECT_TRUE(carte.OccurrencePrecedente());
    EXPECT_TRUE(carte.Boutons().occSuiv);
    EXPECT_TRUE(carte.Boutons().occPrec);
    EXPECT_TRUE(carte.OccurrencePrecedente());
    EXPECT_EQ(carte.SectCour(), 0);
    EXPECT_FALSE(carte.Boutons().occPrec); // found section 0
    EXPECT_FALSE(carte.OccurrencePrecedente());
    EXPECT_EQ(carte.SectCour(), 0);
    carte.Clic(45, false, false);
    EXPECT_TRUE(carte.Boutons().occPrec);
    carte.Clic(0, false, false);
    EXPECT_FALSE(carte.Boutons().occPrec);
    EXPECT_TRUE(carte.Boutons().occSuiv);

    carte.Reinitialise();
    EXPECT_EQ(carte.Tgen1(), nullptr);
    EXPECT_FALSE(carte.Marquee(30));
    EXPECT_FALSE(carte.Boutons().occSuiv);
    EXPECT_TRUE(carte.SectionsSelectionnees().empty());
}

TEST(CarteUneSection, NextSectionStaysDisabled) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("a b c . d e\n");
    const int32_t point = code(*b, ".");
    Section vue(*b, &point, 1);
    ASSERT_EQ(vue.NbSections, 1);
    CarteSections carte(vue);
    EXPECT_FALSE(carte.Boutons().secSuiv);
    carte.SectionSuivante();
    EXPECT_EQ(carte.SectCour(), 0);
}

// The spans' first sections are the map's own: the partition is left as it was, and a span
// in which no section starts draws no box.
TEST(CartePartition, SpansLocatedAmongTheSections) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("<p=1> a . b . <p=2> c d <p=3> e . f .\n");
    const int32_t point = code(*b, ".");
    Section vue(*b, &point, 1);
    ASSERT_EQ(vue.NbSections, 4);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    ASSERT_EQ(p.NbTranches, 3);
    std::vector<int32_t> avant;
    for (const Tranche &t : p.Tranches)
        avant.push_back(t.PremOcc);
    CarteSections carte(vue);
    carte.SetPartition(&p);
    // Sections start after each period: "b .", "<p=2> c d <p=3> e .", "f .", "\n".
    EXPECT_EQ(carte.PremieresSections(), (std::vector<int32_t>{0, 2, 2, 4}));
    for (size_t q = 0; q < p.Tranches.size(); ++q)
        EXPECT_EQ(p.Tranches[q].PremOcc, avant[q]);
    EXPECT_EQ(carte.Disposition().Entetes().size(), 3u);
    EXPECT_EQ(carte.Disposition().Entetes()[2].partie, 2);
    carte.SetPartition(nullptr);
    EXPECT_FALSE(carte.Disposition().AvecPartition());
    carte.SetTailleBoite(20);
    EXPECT_EQ(carte.Disposition().Pas(), 26);
}
