#include "partitions/Partition.h"

#include "groups/Tgen.h"

#include "PartitionsTestSupport.h"

#include <numeric>

using namespace morvix;
using test::chargeTexte;
using test::forme;

namespace {

// Positions: 0 x, 1 a, 2 b, 3 p, 4 "2", 5 c, 6 a, 7 a, 8 p, 9 "1", 10 d, 11 a, 12 p, 13 "2",
// 14 b, 15 b, 16 ".", then the end of line. Part 0 is "1", part 1 is "2" (content order,
// not order of appearance).
const char *const kTexte = "x a b <p=2> c a a <p=1> d a <p=2> b b .\n";

struct Attendu {
    const char *graphie;
    int32_t frq[2];
};

} // namespace

TEST(Partition, SpansPartsAndFrequencies) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    ASSERT_EQ(p.NbTranches, 3);
    ASSERT_EQ(p.NbParties, 2);
    EXPECT_STREQ(p.Libelle(0), "1");
    EXPECT_STREQ(p.Libelle(1), "2");
    EXPECT_EQ(p.IndexLibelle("2"), 1);
    EXPECT_EQ(p.IndexLibelle("3"), -1);
    const int32_t parts[] = {1, 0, 1}, debuts[] = {5, 10, 14};
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(p.Tranches[size_t(s)].Partie, parts[s]);
        EXPECT_EQ(p.Tranches[size_t(s)].Debut, debuts[s]);
    }
    EXPECT_EQ(p.Tranches[3].Partie, 3);
    EXPECT_EQ(p.Tranches[3].Debut, b->Nbitem());

    // The text before the first tag counts in the first tag's part.
    const Attendu attendus[] = {
        {"a", {1, 3}}, {"b", {0, 3}}, {"c", {0, 1}}, {"d", {1, 0}}, {"x", {0, 1}}};
    for (const Attendu &a : attendus)
        for (int32_t q = 0; q < 2; ++q) {
            EXPECT_EQ(p.Frq(forme(*b, a.graphie), q), a.frq[q]) << a.graphie << q;
            EXPECT_EQ(p.FrqPartie(forme(*b, a.graphie), q), a.frq[q]) << a.graphie << q;
        }
    EXPECT_EQ(p.Taille, (std::vector<int32_t>{2, 8}));
    EXPECT_EQ(p.NbFormes, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(p.NbHapax, (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(p.FmaxPartie, (std::vector<int32_t>{1, 3}));
    // Ties go to the lower code even when the higher one comes first in the text.
    EXPECT_EQ(p.FormeFmax, (std::vector<int32_t>{forme(*b, "a"), forme(*b, "a")}));
    EXPECT_EQ(p.Cochee, (std::vector<bool>{true, true}));
    EXPECT_EQ(p.Selec, (std::vector<bool>{false, false}));
    EXPECT_EQ(p.Couleurs, (std::vector<uint32_t>{0xFFFF40, 0xFFFF40}));
    EXPECT_EQ(p.FrqMin, 10);
    EXPECT_EQ(p.Seuil, 5);
    EXPECT_EQ(p.FrqPartie(forme(*b, "a"), 2), 0);
    EXPECT_EQ(p.FrqPartie(forme(*b, "a"), -1), 0);
}

TEST(Partition, PartOfAPosition) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    const struct {
        int32_t position, partie, tranche;
    } cas[] = {
        {0, 1, 0},  {4, 1, 0},    {5, 1, 0},  {8, 1, 0},  // before the first tag; a tag's items
        {9, 1, 0},  {10, 0, 1},   {13, 0, 1}, {14, 1, 2}, // belong to the span before it
        {16, 1, 2}, {-1, -1, -1},
    };
    for (auto c : cas) {
        EXPECT_EQ(p.PartieDePos(c.position), c.partie) << c.position;
        EXPECT_EQ(p.TrancheDePos(c.position), c.tranche) << c.position;
    }
    EXPECT_EQ(p.PartieDePos(b->Nbitem() - 1), 1);
    EXPECT_EQ(p.PartieDePos(b->Nbitem()), -1);
}

TEST(Partition, SegmentsAndGroupsCountFromTheirPositions) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    test::StoreManuel store;
    // A segment before the first tag (position 1) counts in no part.
    store.segs.push_back({{forme(*b, "a"), forme(*b, "b")}, {1, 6, 10, 14}});
    store.segs.push_back({{forme(*b, "b"), forme(*b, "b")}, {14}});
    b->AssigneSR(&store);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    const int32_t seg0 = b->Nbart() + 1, seg1 = b->Nbart() + 2;
    EXPECT_EQ(p.FrqPartie(seg0, 0), 1);
    EXPECT_EQ(p.FrqPartie(seg0, 1), 2);
    EXPECT_EQ(p.FrqParties(seg0), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(p.FrqParties(seg1), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(p.FrqParties(forme(*b, "a")), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(p.FrqPartie(b->Nbart() + 3, 1), 0); // no such segment

    const std::vector<int32_t> pos = store.segs[0].positions;
    const struct { int32_t tranche, n; } tranches[] = {{0, 1}, {1, 1}, {2, 1}, {3, 0}, {-1, 0}};
    for (auto t : tranches)
        EXPECT_EQ(p.NbOccTranche(pos.data(), 4, t.tranche), t.n) << t.tranche;

    // A group of forms counts from its own positions, unlike the forms, nothing before the
    // first tag; each count agrees with the positions taken one by one.
    const int32_t codes[] = {forme(*b, "a"), forme(*b, "x")};
    Tgen g(b.get(), codes, 2, nullptr);
    for (int32_t q = 0; q < 2; ++q) {
        int32_t attendu = 0;
        for (int32_t position : g.Occ)
            attendu += position >= p.Tranches[0].Debut && p.PartieDePos(position) == q;
        EXPECT_EQ(p.FrqGroupePartie(g, q), attendu) << q;
    }
    EXPECT_EQ(p.FrqGroupePartie(g, 0), 1);
    EXPECT_EQ(p.FrqGroupePartie(g, 1), 2);
}

TEST(Partition, RepereTranchesKeepsSpansAfterTheLastOccurrence) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    const std::vector<int32_t> tout = {0, 6, 11, 15};
    p.RepereTranches(tout.data(), 4);
    EXPECT_EQ(p.Tranches[0].PremOcc, 1);
    EXPECT_EQ(p.Tranches[1].PremOcc, 2);
    EXPECT_EQ(p.Tranches[2].PremOcc, 3);
    EXPECT_EQ(p.Tranches[3].PremOcc, 4);
    const std::vector<int32_t> debut = {2, 7};
    p.RepereTranches(debut.data(), 2);
    EXPECT_EQ(p.Tranches[0].PremOcc, 1);
    EXPECT_EQ(p.Tranches[1].PremOcc, 2); // starts after the last occurrence: kept
    EXPECT_EQ(p.Tranches[2].PremOcc, 3);
    EXPECT_EQ(p.Tranches[3].PremOcc, 2);
}

TEST(Partition, KeyThatNeverOccurs) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    EXPECT_EQ(Partition::CodeCle(*b, "q"), -1);
    EXPECT_EQ(Partition::CodeCle(*b, "a"), -1); // a form is not a key type
    Partition p(*b, forme(*b, "a") + 1000);
    EXPECT_EQ(p.NbParties, 0);
    EXPECT_EQ(p.NbTranches, 0);
    ASSERT_EQ(p.Tranches.size(), 1u);
    EXPECT_EQ(p.Tranches[0].Debut, b->Nbitem());
    EXPECT_EQ(p.PartieDePos(0), -1);
    EXPECT_EQ(p.FrqPartie(0, 0), 0);
    EXPECT_EQ(p.TailleTotale(), 0);
}

TEST(Partition, SampleCorpusRowsSumToTheDictionary) {
    test::ScopedWorkDir dir;
    charg1 b;
    ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(b));
    for (const char *cle : {"auteur", "chapitre", "date"}) {
        Partition p(b, Partition::CodeCle(b, cle));
        ASSERT_GT(p.NbParties, 1) << cle;
        EXPECT_EQ(p.NbTranches, b.RetourneFrq(p.Cle));
        EXPECT_EQ(p.TailleTotale(), b.Nbocc());
        EXPECT_TRUE(std::is_sorted(p.Valeurs.begin(), p.Valeurs.end()));
        for (int32_t j = 0; j < b.Nbform(); ++j) {
            const std::vector<int32_t> l = p.FrqParties(j);
            ASSERT_EQ(std::accumulate(l.begin(), l.end(), 0), b.RetourneFrq(j)) << j;
        }
        // The per-part counts agree with the table, and a part's column holds exactly the
        // non-zero cells of the rows, by ascending code.
        for (int32_t q = 0; q < p.NbParties; ++q) {
            int32_t formes = 0, hapax = 0, taille = 0;
            std::vector<FrqNonNulle> colonne;
            for (int32_t j = 0; j < b.Nbform(); ++j) {
                formes += p.Frq(j, q) > 0;
                hapax += p.Frq(j, q) == 1;
                taille += p.Frq(j, q);
                if (p.Frq(j, q) > 0)
                    colonne.push_back({j, p.Frq(j, q)});
            }
            const auto c = p.ColonnePartie(q);
            ASSERT_EQ(c.size(), colonne.size()) << q;
            for (size_t x = 0; x < c.size(); ++x) {
                EXPECT_EQ(c[x].Indice, colonne[x].Indice);
                EXPECT_EQ(c[x].Frq, colonne[x].Frq);
            }
            EXPECT_EQ(p.NbFormes[size_t(q)], formes);
            EXPECT_EQ(p.NbHapax[size_t(q)], hapax);
            EXPECT_EQ(p.Taille[size_t(q)], taille);
            EXPECT_EQ(p.Frq(p.FormeFmax[size_t(q)], q), p.FmaxPartie[size_t(q)]);
        }
    }
}
