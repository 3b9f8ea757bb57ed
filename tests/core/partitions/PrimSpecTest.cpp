#include "partitions/PrimSpec.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"
#include "util/Annulation.h"

#include "PartitionsTestSupport.h"

#include <algorithm>
#include <map>

using namespace morvix;
using test::chargeTexte;

namespace {

class SampleBase : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(base)); }
    test::ScopedWorkDir dir;
    charg1 base;
};

// The results PrimSpec must give, recomputed from the frequencies one code at a time.
std::vector<ResSpec> attendus(const Partition &p, const std::vector<int32_t> &codes,
                              int32_t diviseur = 1) {
    int64_t T = 0, t = 0;
    for (int32_t q = 0; q < p.NbParties; ++q) {
        T += p.Cochee[size_t(q)] ? p.Taille[size_t(q)] : 0;
        t += p.Selec[size_t(q)] ? p.Taille[size_t(q)] : 0;
    }
    if (diviseur > 1) {
        T /= diviseur;
        t /= diviseur;
    }
    std::vector<ResSpec> r;
    for (int32_t e : codes) {
        int32_t F = 0, k = 0;
        for (int32_t q = 0; q < p.NbParties; ++q) {
            const int32_t f = p.FrqPartie(e, q);
            F += p.Cochee[size_t(q)] ? f : 0;
            k += p.Cochee[size_t(q)] && p.Selec[size_t(q)] ? f : 0;
        }
        if (F < p.FrqMin || (e < p.Base().Nbform() && (k == 0 || F == 0)))
            continue;
        const int32_t c = CoeffSpec(double(T), double(t), F, k, p.Seuil * 0.01);
        if (c != 0)
            r.push_back({e, F, k, c});
    }
    std::stable_sort(r.begin(), r.end(),
                     [](const ResSpec &a, const ResSpec &b) { return a.Coeff > b.Coeff; });
    return r;
}

std::vector<int32_t> codesFormes(const charg1 &b) {
    std::vector<int32_t> c(size_t(b.Nbform()));
    for (int32_t j = 0; j < b.Nbform(); ++j)
        c[size_t(j)] = j;
    return c;
}

void expectMemes(const std::vector<ResSpec> &a, const std::vector<ResSpec> &b) {
    ASSERT_EQ(a.size(), b.size()) << (a.empty() ? -1 : a[0].Code) << " "
                                  << (b.empty() ? -1 : b[0].Code) << " "
                                  << (b.size() > 1 ? b[1].Code : -1);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Code, b[i].Code) << i;
        EXPECT_EQ(a[i].F, b[i].F) << i;
        EXPECT_EQ(a[i].k, b[i].k) << i;
        EXPECT_EQ(a[i].Coeff, b[i].Coeff) << i;
    }
}

} // namespace

TEST_F(SampleBase, PrimSpecMatchesTheModelCodeByCode) {
    Partition p(base, Partition::CodeCle(base, "date"));
    ASSERT_GE(p.NbParties, 4);
    const struct {
        std::vector<int32_t> cibles, horsReference;
        int32_t seuil, frqMin, diviseur;
    } cas[] = {
        {{0}, {}, 5, 10, 1},     {{1, 3}, {}, 1, 3, 1},
        {{2}, {0}, 5, 10, 1}, // a target part outside the reference: k counts nothing there
        {{0, 2}, {2}, 5, 10, 1}, {{1}, {}, 5, 10, 3}, // sizes divided, frequencies not
    };
    for (const auto &c : cas) {
        p.Selec.assign(size_t(p.NbParties), false);
        p.Cochee.assign(size_t(p.NbParties), true);
        for (int32_t q : c.cibles)
            p.Selec[size_t(q)] = true;
        for (int32_t q : c.horsReference)
            p.Cochee[size_t(q)] = false;
        p.Seuil = c.seuil;
        p.FrqMin = c.frqMin;
        PrimSpec spec(p, c.diviseur);
        spec.SetProgression([](int32_t) {});
        spec.Calcule();
        EXPECT_GT(spec.NbResultats(), 10);
        expectMemes(spec.Resultats(), attendus(p, codesFormes(base), c.diviseur));
        for (const ResSpec &r : spec.Resultats())
            EXPECT_NE(r.k, 0); // a form absent from the target never comes out
    }
}

TEST_F(SampleBase, DivisorIsClassWideAndTheLastConstructionWins) {
    Partition p(base, Partition::CodeCle(base, "auteur"));
    p.Selec[0] = true;
    PrimSpec divise(p, 3);
    EXPECT_EQ(PrimSpec::Diviseur(), 3);
    PrimSpec plein(p, 1);
    EXPECT_EQ(PrimSpec::Diviseur(), 1);
    divise.Calcule(); // computes with the divisor of the last construction
    plein.Calcule();
    expectMemes(divise.Resultats(), plein.Resultats());
}

TEST(PrimSpec, SegmentsPassAndProgressCalls) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(test::texteParties({0, 0, 0, 40, 40}));
    // Segment 0 is absent from the target part but frequent elsewhere: under-used.
    // Segment 1 is rarer than the minimum frequency: no result.
    test::StoreManuel store;
    std::vector<int32_t> occ = b->LocOccFor(test::forme(*b, "cible"));
    store.segs.push_back({{test::forme(*b, "cible")}, occ});
    store.segs.push_back({{test::forme(*b, "cible")}, {occ[0], occ[1]}});
    b->AssigneSR(&store);
    Partition p(*b, Partition::CodeCle(*b, "t"));
    p.Selec[0] = true;
    std::vector<int32_t> appels;
    PrimSpec spec(p, 1);
    spec.SetProgression([&](int32_t passe) { appels.push_back(passe); });
    spec.Calcule();
    std::vector<int32_t> codes = codesFormes(*b);
    codes.push_back(b->Nbart() + 1);
    codes.push_back(b->Nbart() + 2);
    expectMemes(spec.Resultats(), attendus(p, codes));
    auto seg = std::find_if(spec.Resultats().begin(), spec.Resultats().end(),
                            [&](const ResSpec &r) { return r.Code == b->Nbart() + 1; });
    ASSERT_NE(seg, spec.Resultats().end());
    EXPECT_EQ(seg->k, 0);
    EXPECT_LT(seg->Coeff, 0);
    // The form itself, also absent from the target, has no result.
    EXPECT_TRUE(std::none_of(spec.Resultats().begin(), spec.Resultats().end(),
                             [&](const ResSpec &r) { return r.Code == test::forme(*b, "cible"); }));

    // Fewer than 100 codes in a pass: n / 100 = 0 is met once, by the first code.
    EXPECT_EQ(appels, (std::vector<int32_t>{0, 1}));
}

TEST_F(SampleBase, ProgressComesAboutAHundredTimesPerPass) {
    Partition p(base, Partition::CodeCle(base, "auteur"));
    p.Selec[1] = true;
    int32_t appels = 0;
    PrimSpec spec(p, 1);
    spec.SetProgression([&](int32_t) { ++appels; });
    spec.Calcule();
    // With n codes the counter meets n / 100 every n / 100 + 1 codes after the first call.
    const int32_t n = base.Nbform(), pas = n / 100;
    int32_t attendu = 0;
    for (int32_t compteur = 0, i = 0; i < n; ++i, ++compteur)
        if (compteur == pas) {
            ++attendu;
            compteur = 0;
        }
    EXPECT_EQ(appels, attendu);
    EXPECT_GE(appels, 98);
    EXPECT_LE(appels, 101);
}

TEST_F(SampleBase, CalcSpecTotAgreesWithOnePrimSpecPerPart) {
    Partition p(base, Partition::CodeCle(base, "date"));
    p.Cochee[1] = false; // unticked: neither computed nor in the reference
    p.Selec[3] = true;
    const std::vector<bool> selec = p.Selec, cochee = p.Cochee;
    int32_t appels = 0;
    CalcSpecTot tot(p, [&](int32_t) { ++appels; });
    EXPECT_EQ(p.Selec, selec);
    EXPECT_EQ(p.Cochee, cochee);
    std::vector<int32_t> attenduParties;
    for (int32_t q = 0; q < p.NbParties; ++q)
        if (q != 1)
            attenduParties.push_back(q);
    ASSERT_EQ(tot.NumParties(), attenduParties);
    EXPECT_EQ(appels, 100); // a hundred calls for the forms, whatever the number of parts
    for (int32_t i = 0; i < tot.NbParties(); ++i) {
        p.Selec.assign(size_t(p.NbParties), false);
        p.Selec[size_t(tot.NumParties()[size_t(i)])] = true;
        PrimSpec seul(p, 1);
        seul.Calcule();
        expectMemes(tot.Spec(i).Resultats(), seul.Resultats());
        std::map<int32_t, int32_t> parCode;
        for (const ResSpec &r : seul.Resultats())
            parCode[r.Code] = r.Coeff;
        for (int32_t j = 0; j < base.Nbform(); ++j)
            ASSERT_EQ(tot.CoeffPartie(j, i), parCode.count(j) ? parCode[j] : 0) << j << " " << i;
    }
    EXPECT_EQ(tot.CoeffPartie(0, -1), 0);
    EXPECT_EQ(tot.CoeffPartie(0, tot.NbParties()), 0);
    EXPECT_EQ(tot.CoeffPartie(base.Nbart() + 5, 0), 0);
}

TEST(CalcSpecTot, SegmentCoefficientsThroughTheStore) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(test::texteParties({0, 30, 0, 2}));
    test::StoreManuel store;
    store.segs.push_back({{test::forme(*b, "cible")}, b->LocOccFor(test::forme(*b, "cible"))});
    b->AssigneSR(&store);
    Partition p(*b, Partition::CodeCle(*b, "t"));
    CalcSpecTot tot(p, nullptr);
    const int32_t seg = b->Nbart() + 1, cible = test::forme(*b, "cible");
    EXPECT_GT(tot.CoeffPartie(seg, 1), 10);
    EXPECT_EQ(tot.CoeffPartie(seg, 1), tot.CoeffPartie(cible, 1));
    EXPECT_LT(tot.CoeffPartie(seg, 0), 0);   // absent segment: under-used
    EXPECT_EQ(tot.CoeffPartie(cible, 0), 0); // absent form: no result
}

TEST_F(SampleBase, CalcSpecTotAgreesWithPrimSpecOnSegmentsPresentOrAbsent) {
    // Segments made of the occurrences of frequent forms, some cut to the first part of the
    // text so that they are absent from most parts: under-use of an absent segment comes
    // from its reference frequency alone.
    test::StoreManuel store;
    for (int32_t j = 0; j < 200; ++j) {
        std::vector<int32_t> occ = base.LocOccFor(j);
        if (j % 3 == 1)
            occ.resize(occ.size() / 4);
        store.segs.push_back({{j}, occ});
    }
    base.AssigneSR(&store);
    Partition p(base, Partition::CodeCle(base, "date"));
    p.Cochee[2] = false;
    p.FrqMin = 5;
    std::vector<int32_t> passes;
    CalcSpecTot tot(p, [&](int32_t passe) { passes.push_back(passe); });
    EXPECT_EQ(std::count(passes.begin(), passes.end(), 0), 100);
    EXPECT_EQ(std::count(passes.begin(), passes.end(), 1), 100);
    EXPECT_TRUE(std::is_sorted(passes.begin(), passes.end()));
    int32_t absents = 0;
    for (int32_t i = 0; i < tot.NbParties(); ++i) {
        p.Selec.assign(size_t(p.NbParties), false);
        p.Selec[size_t(tot.NumParties()[size_t(i)])] = true;
        PrimSpec seul(p, 1);
        seul.Calcule();
        expectMemes(tot.Spec(i).Resultats(), seul.Resultats());
        for (const ResSpec &r : seul.Resultats()) {
            EXPECT_EQ(tot.CoeffPartie(r.Code, i), r.Coeff);
            absents += r.Code > base.Nbart() && r.k == 0;
        }
    }
    EXPECT_GT(absents, 10);
    base.AssigneSR(nullptr);
}

TEST_F(SampleBase, CancelledComputationsKeepNoResult) {
    Partition p(base, Partition::CodeCle(base, "chapitre"));
    Annulation annulation;
    int32_t appels = 0;
    // Raised during the computation, from the progress callback.
    CalcSpecTot tot(
        p,
        [&](int32_t) {
            if (++appels == 3)
                annulation.Demande();
        },
        &annulation);
    EXPECT_TRUE(tot.Annulee());
    EXPECT_EQ(tot.NbParties(), 0);
    EXPECT_EQ(tot.CoeffPartie(0, 0), 0);
    EXPECT_LT(appels, 100);

    p.Selec[0] = true;
    PrimSpec spec(p, 1);
    EXPECT_FALSE(spec.Calcule(&annulation));
    EXPECT_EQ(spec.NbResultats(), 0);
    annulation.Reinitialise();
    EXPECT_TRUE(spec.Calcule(&annulation));
    EXPECT_GT(spec.NbResultats(), 0);
    CalcSpecTot complet(p, nullptr, &annulation);
    EXPECT_FALSE(complet.Annulee());
    EXPECT_EQ(complet.NbParties(), p.NbParties);
}
