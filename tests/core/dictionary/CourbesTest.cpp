// The Pareto and vocabulary-growth curves, checked on small texts and against the
// per-part table and a position-by-position walk on the sample corpus.
#include "dictionary/AccroissementVocabulaire.h"
#include "dictionary/Pareto.h"

#include "base/charg1.h"
#include "partitions/Partition.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

using namespace morvix;

namespace {

void chargeEchantillon(charg1 &b) {
    ASSERT_EQ(test::buildBase("s", test::readFile(MORVIX_SAMPLE)), "s.par");
    ASSERT_EQ(b.ChargeBase("s.par"), kChargeOk) << b.Erreur();
}

struct Base {
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    std::unique_ptr<Partition> partition;
    explicit Base(const std::string &texte, const char *cle = "t") {
        base = test::chargeTexte(texte);
        partition = std::make_unique<Partition>(*base, Partition::CodeCle(*base, cle));
    }
    void selectionne(std::initializer_list<const char *> libelles) {
        for (const char *l : libelles) {
            const int32_t j = partition->IndexLibelle(l);
            ASSERT_GE(j, 0) << l;
            partition->Selec[static_cast<size_t>(j)] = true;
        }
    }
};

// The curve from the per-part table, summed the slow way.
std::vector<PointCourbe> paretoParTable(const Partition &p, const std::vector<int32_t> &parties) {
    std::map<int32_t, int64_t> n;
    for (int32_t f = 0; f < p.Base().Nbform(); ++f) {
        int32_t s = 0;
        for (int32_t j : parties)
            s += p.FrqPartie(f, j);
        if (s > 0)
            ++n[s];
    }
    std::vector<PointCourbe> points;
    int64_t cumul = 0;
    for (auto it = n.rbegin(); it != n.rend(); ++it)
        cumul += it->second, points.insert(points.begin(), {cumul, it->first});
    return points;
}

} // namespace

TEST(Pareto, WithoutSelectionEveryPartAndItsLabels) {
    Base b("<t=b>\nle chat le chien\n<t=a>\nle chat dort\n");
    const CourbePareto c = CalculePareto(*b.partition);
    EXPECT_EQ(c.Titre, "a, b");
    // le 3, chat 2, chien 1, dort 1.
    EXPECT_EQ(c.Points, (std::vector<PointCourbe>{{4, 1}, {2, 2}, {1, 3}}));
    EXPECT_EQ(c.NbFormes(), 4);
}

TEST(Pareto, FormsAllOnceGiveOnePoint) {
    Base b("<t=a>\nun deux trois\n<t=b>\nun un un\n");
    b.selectionne({"a"});
    const CourbePareto c = CalculePareto(*b.partition);
    EXPECT_EQ(c.Titre, "a");
    EXPECT_EQ(c.Points, (std::vector<PointCourbe>{{3, 1}}));
}

// The forms before the first tag count in the first part, as in the per-part table; any
// selection gives the table's sums.
TEST(Pareto, SelectedPartsAgreeWithThePerPartTable) {
    test::ScopedWorkDir dir;
    charg1 base;
    chargeEchantillon(base);
    for (const char *cle : {"auteur", "chapitre"}) {
        Partition p(base, Partition::CodeCle(base, cle));
        ASSERT_GE(p.NbParties, 2) << cle;
        std::vector<int32_t> toutes;
        for (int32_t j = 0; j < p.NbParties; ++j)
            toutes.push_back(j);
        EXPECT_EQ(CalculePareto(p).Points, paretoParTable(p, toutes));
        std::vector<int32_t> choix;
        for (int32_t j = 0; j < p.NbParties; j += 2) {
            p.Selec[static_cast<size_t>(j)] = true;
            choix.push_back(j);
        }
        EXPECT_EQ(CalculePareto(p).Points, paretoParTable(p, choix));
    }
}

TEST(Accroissement, AllDifferentForms) {
    Base b("un deux trois quatre\n");
    const CourbeAccroissement c = CalculeAccroissement(*b.base);
    EXPECT_EQ(c.Points, (std::vector<PointCourbe>{{1, 0}, {2, 1}, {3, 2}, {4, 3}, {4, 4}}));
}

TEST(Accroissement, WholeTextWithoutSelection) {
    Base b("<t=a>\nle chat le chien\n<t=b>\nle chat dort\n");
    const CourbeAccroissement c = CalculeAccroissement(*b.partition);
    EXPECT_TRUE(c.CorpusEntier);
    EXPECT_EQ(c.Points.back(), (PointCourbe{b.base->Nbocc(), b.base->Nbform()}));
}

// The text before the first tag is read; the spans of parts not selected are skipped.
TEST(Accroissement, SkipsTheSpansOfExcludedParts) {
    Base b("x <t=1> a b <t=2> c a <t=1> d <t=3> e\n");
    b.selectionne({"1", "3"});
    const CourbeAccroissement c = CalculeAccroissement(*b.partition);
    EXPECT_FALSE(c.CorpusEntier);
    EXPECT_EQ(c.Titre, "1, 3");
    EXPECT_EQ(c.Points, (std::vector<PointCourbe>{{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {5, 5}}));
}

TEST(Accroissement, AgreesWithAWalkOverThePositions) {
    test::ScopedWorkDir dir;
    charg1 base;
    chargeEchantillon(base);
    Partition p(base, Partition::CodeCle(base, "chapitre"));
    ASSERT_GE(p.NbParties, 2);
    for (int32_t j = 1; j < p.NbParties; j += 2)
        p.Selec[static_cast<size_t>(j)] = true;
    std::vector<PointCourbe> attendus;
    std::vector<bool> vue(static_cast<size_t>(base.Nbform()));
    int64_t occ = 0, formes = 0;
    for (int32_t pos = 0; pos < base.Nbitem(); ++pos) {
        const int32_t c = base.Tnum(pos);
        if (c >= base.Nbform() ||
            (pos >= p.Tranches[0].Debut && !p.Selec[static_cast<size_t>(p.PartieDePos(pos))]))
            continue;
        ++occ;
        if (!vue[static_cast<size_t>(c)]) {
            attendus.push_back({occ, formes++});
            vue[static_cast<size_t>(c)] = true;
        }
    }
    attendus.push_back({occ, formes});
    EXPECT_EQ(CalculeAccroissement(p).Points, attendus);
}
