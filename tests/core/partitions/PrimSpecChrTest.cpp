#include "partitions/PrimSpecChr.h"

#include "partitions/Partition.h"
#include "partitions/Specificite.h"
#include "util/Annulation.h"

#include "PartitionsTestSupport.h"

#include <algorithm>
#include <cmath>

using namespace morvix;
using test::chargeTexte;
using test::forme;

namespace {

struct Chrono {
    std::unique_ptr<charg1> base;
    std::unique_ptr<Partition> part;
    std::unique_ptr<PrimSpecChr> chr;

    const ResSpecChr *de(int32_t code) const {
        for (const ResSpecChr &r : chr->Resultats())
            if (r.Code == code)
                return &r;
        return nullptr;
    }
};

Chrono calcule(const std::vector<int> &cible, int32_t frqMin = 10,
               const SegmentStore *store = nullptr) {
    Chrono c;
    c.base = chargeTexte(test::texteParties(cible));
    if (store)
        c.base->AssigneSR(store);
    c.part = std::make_unique<Partition>(*c.base, Partition::CodeCle(*c.base, "t"));
    c.chr = std::make_unique<PrimSpecChr>(*c.part, 5, frqMin);
    c.chr->Calcule();
    return c;
}

// The strongest run recomputed over every run, for comparison with a result: a later run
// must beat the best one by more than 1e-9 of it.
ResSpecChr meilleurRun(const Partition &p, int32_t code, int32_t F, double seuil = 0.05) {
    ResSpecChr r{code, 0, 0, 0, 0};
    double best = 0;
    for (int32_t i = 0; i < p.NbParties; ++i)
        for (int32_t j = i; j < p.NbParties; ++j) {
            int32_t k = 0, t = 0;
            for (int32_t q = i; q <= j; ++q) {
                k += p.FrqPartie(code, q);
                t += p.Taille[size_t(q)];
            }
            const double v = ValSpec(p.Base().Nbocc(), t, F, k, seuil);
            if (std::fabs(v) - std::fabs(best) > 1e-9 * std::fabs(best)) {
                best = v;
                r = {code, k, ArrondiSpec(v), i, j};
            }
        }
    return r;
}

} // namespace

TEST(PrimSpecChr, RunsAndTheComplementaryRule) {
    const struct {
        const char *nom;
        std::vector<int> cible;
        int32_t premiere, derniere, f;
        bool positif;
    } cas[] = {
        // Under-used in the first three parts of ten: positive on parts 3 … 9, f from 0 … 2.
        {"debut", {1, 0, 1, 12, 12, 12, 12, 12, 12, 12}, 3, 9, 2, true},
        // The same, where rounding puts the complementary run (over-used, f = 77) ahead by
        // 4e-13: the first run found still wins.
        {"debut, complement ahead by rounding",
         {1, 0, 1, 11, 11, 11, 11, 11, 11, 11},
         3,
         9,
         2,
         true},
        // Under-used at the end: the positive run before it, visited first, wins the tie.
        {"fin", {12, 12, 12, 12, 12, 12, 12, 0, 0, 1}, 0, 6, 84, true},
        // Under-used inside: stays negative on that run.
        {"milieu", {12, 12, 12, 0, 0, 0, 12, 12, 12, 12}, 3, 5, 0, false},
        // Over-used in one part.
        {"pic", {2, 2, 2, 2, 30, 2, 2, 2, 2, 2}, 4, 4, 30, true},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        test::ScopedWorkDir dir;
        Chrono ch = calcule(c.cible);
        const int32_t code = forme(*ch.base, "cible");
        const ResSpecChr *r = ch.de(code);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Premiere, c.premiere);
        EXPECT_EQ(r->Derniere, c.derniere);
        EXPECT_EQ(r->f, c.f);
        EXPECT_EQ(r->Coeff > 0, c.positif);
        // The run found before the complementary rule is the strongest of all runs.
        const ResSpecChr m = meilleurRun(*ch.part, code, ch.base->RetourneFrq(code));
        EXPECT_EQ(m.f, r->f);
        EXPECT_EQ(std::abs(m.Coeff), std::abs(r->Coeff));
        // Filler forms are spread evenly: none comes out.
        EXPECT_EQ(ch.chr->NbResultats(), 1);
    }

    // The case above keeps its point: the complement's value is the larger one.
    test::ScopedWorkDir dir;
    Chrono ch = calcule({1, 0, 1, 11, 11, 11, 11, 11, 11, 11});
    const Partition &p = *ch.part;
    auto valeur = [&](int32_t i, int32_t j) {
        int32_t k = 0, t = 0;
        for (int32_t q = i; q <= j; ++q) {
            k += p.FrqPartie(forme(*ch.base, "cible"), q);
            t += p.Taille[size_t(q)];
        }
        return ValSpec(ch.base->Nbocc(), t, 79, k, 0.05);
    };
    EXPECT_LT(valeur(0, 2), 0);
    EXPECT_GT(valeur(3, 9), -valeur(0, 2));
}

TEST(PrimSpecChr, MinimumFrequencyIsStrict) {
    test::ScopedWorkDir dir;
    const std::vector<int> cible = {0, 0, 0, 0, 12};
    Chrono ch = calcule(cible, 12);
    EXPECT_EQ(ch.de(forme(*ch.base, "cible")), nullptr); // F = 12 is not above 12
    PrimSpecChr plus(*ch.part, 5, 11);
    plus.Calcule();
    ASSERT_EQ(plus.NbResultats(), 1);
    EXPECT_EQ(plus.Resultat(0).Premiere, 4);
}

TEST(PrimSpecChr, AtThresholdZeroOnlyAnUnderflowingProbabilityIsSpecific) {
    // No run is skipped as non-specific when its probability may underflow to 0.
    test::ScopedWorkDir dir;
    Chrono ch = calcule({0, 0, 0, 0, 1000});
    PrimSpecChr zero(*ch.part, 0, 10);
    zero.Calcule();
    const int32_t code = forme(*ch.base, "cible");
    const ResSpecChr m = meilleurRun(*ch.part, code, 1000, 0.0);
    ASSERT_EQ(std::abs(m.Coeff), 51);
    ASSERT_EQ(zero.NbResultats(), 1);
    EXPECT_EQ(zero.Resultat(0).Coeff, 51);
    EXPECT_EQ(zero.Resultat(0).Premiere, 4);
    EXPECT_EQ(zero.Resultat(0).f, m.f);
}

TEST(PrimSpecChr, EqualRunsGoToTheSmallerFirstPart) {
    test::ScopedWorkDir dir;
    // Parts 1 and 3 hold the same counts and sizes: the same value, the first one wins.
    Chrono ch = calcule({1, 20, 1, 20, 1});
    const ResSpecChr *r = ch.de(forme(*ch.base, "cible"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Premiere, 1);
    EXPECT_LE(r->Derniere, 3);
}

TEST(PrimSpecChr, SegmentsTakeTheirFrequencyFromTheStore) {
    test::ScopedWorkDir dir;
    test::StoreManuel store;
    Chrono ch = calcule({0, 0, 0, 0, 0});
    // A segment on the filler form "w0", attached after the fact: frequent in the last part.
    std::vector<int32_t> occ = ch.base->LocOccFor(forme(*ch.base, "w0"));
    std::vector<int32_t> fin(occ.end() - 10, occ.end());
    store.segs.push_back({{forme(*ch.base, "w0")}, fin});
    store.segs.push_back({{forme(*ch.base, "w1")}, {fin[0]}}); // too rare
    ch.base->AssigneSR(&store);
    PrimSpecChr chr(*ch.part, 5, 5);
    chr.Calcule();
    const int32_t seg = ch.base->Nbart() + 1;
    EXPECT_EQ(chr.FrqTotale(seg), 10);
    EXPECT_EQ(chr.FrqTotale(seg + 1), 1);
    EXPECT_EQ(chr.FrqTotale(seg + 2), -1);
    ASSERT_EQ(chr.NbResultats(), 1);
    EXPECT_EQ(chr.Resultat(0).Code, seg);
    EXPECT_EQ(chr.Resultat(0).Premiere, 4);
    EXPECT_EQ(chr.Resultat(0).Derniere, 4);
    EXPECT_EQ(chr.Resultat(0).f, 0); // the absence from parts 0 … 3, complemented
    EXPECT_GT(chr.Resultat(0).Coeff, 0);
}

TEST(PrimSpecChr, TenSortOrders) {
    test::ScopedWorkDir dir;
    charg1 b;
    ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(b));
    Partition p(b, Partition::CodeCle(b, "date"));
    PrimSpecChr chr(p, 5, 10);
    chr.Calcule();
    ASSERT_GT(chr.NbResultats(), 50);
    for (const ResSpecChr &r : chr.Resultats()) {
        ASSERT_NE(r.Coeff, 0);
        ASSERT_LE(r.Premiere, r.Derniere);
        ASSERT_GE(r.Premiere, 0);
        ASSERT_LT(r.Derniere, p.NbParties);
    }
    using Cle = std::function<std::pair<int32_t, int32_t>(const ResSpecChr &)>;
    const Cle cles[] = {
        [&](const ResSpecChr &r) {
            return std::pair{b.Lexg(r.Code), 0};
        },
        [&](const ResSpecChr &r) {
            return std::pair{b.RetourneFrq(r.Code), 0};
        },
        [](const ResSpecChr &r) {
            return std::pair{r.Premiere, r.Derniere};
        },
        [](const ResSpecChr &r) {
            return std::pair{r.f, 0};
        },
        [](const ResSpecChr &r) {
            return std::pair{r.Coeff, 0};
        },
    };
    for (int32_t ordre = 0; ordre < 10; ++ordre) {
        chr.Trie(ordre);
        const Cle &cle = cles[ordre / 2];
        const bool desc = ordre % 2 == 1;
        EXPECT_TRUE(std::is_sorted(chr.Resultats().begin(), chr.Resultats().end(),
                                   [&](const ResSpecChr &x, const ResSpecChr &y) {
                                       return desc ? cle(y) < cle(x) : cle(x) < cle(y);
                                   }))
            << ordre;
    }
    const std::vector<ResSpecChr> avant = chr.Resultats();
    chr.Trie(10);
    chr.Trie(-1);
    EXPECT_TRUE(std::equal(avant.begin(), avant.end(), chr.Resultats().begin(),
                           [](const ResSpecChr &x, const ResSpecChr &y) {
                               return x.Code == y.Code && x.Coeff == y.Coeff;
                           }));
}

TEST(Accroissements, ReferenceUpToThePartThenFlagsRestored) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(test::texteParties({0, 0, 30, 5, 5}));
    Partition p(*b, Partition::CodeCle(*b, "t"));
    p.Selec[2] = true;
    p.Selec[4] = true; // selected after the part: counts in the target size only
    p.Cochee[3] = false;
    const std::vector<bool> selec = p.Selec, cochee = p.Cochee;
    int32_t appels = 0;
    Accroissements a = AccroissementsSpecifiques(p, 2, 7, [&](int32_t) { ++appels; });
    ASSERT_TRUE(a.Spec);
    EXPECT_EQ(a.Partie, 2);
    EXPECT_EQ(a.Entete, "Partie : a2");
    EXPECT_EQ(p.Selec, selec);
    EXPECT_EQ(p.Cochee, cochee);
    EXPECT_EQ(p.Seuil, 2);
    EXPECT_EQ(p.FrqMin, 7);
    EXPECT_GT(appels, 0);

    // The same computation by hand: reference = ticked parts up to 2.
    p.Cochee = {true, true, true, false, false};
    PrimSpec attendu(p, 1);
    attendu.Calcule();
    p.Cochee = cochee;
    ASSERT_EQ(a.Spec->NbResultats(), attendu.NbResultats());
    for (int32_t i = 0; i < attendu.NbResultats(); ++i) {
        EXPECT_EQ(a.Spec->Resultats()[size_t(i)].Code, attendu.Resultats()[size_t(i)].Code);
        EXPECT_EQ(a.Spec->Resultats()[size_t(i)].Coeff, attendu.Resultats()[size_t(i)].Coeff);
    }
    const ResSpec &r = a.Spec->Resultats().front();
    EXPECT_EQ(r.Code, forme(*b, "cible"));
    EXPECT_EQ(r.F, 30);
    EXPECT_EQ(r.k, 30);
}

TEST(Accroissements, NoPartBothTickedAndSelected) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(test::texteParties({0, 3, 5}));
    Partition p(*b, Partition::CodeCle(*b, "t"));
    p.Selec[0] = true;
    p.Cochee[0] = false;
    Accroissements a = AccroissementsSpecifiques(p, 5, 10, nullptr);
    EXPECT_FALSE(a.Spec);
    EXPECT_EQ(a.Partie, -1);
    EXPECT_EQ(p.Selec, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(p.Cochee, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(p.Seuil, 5);
}

TEST(PrimSpecChr, SameResultsAsEveryRunComputedInFull) {
    // The computation skips runs that a bound proves non-specific or no stronger than the
    // best one so far; the results must be those of ValSpec on every run, with the
    // complementary rule applied.
    test::ScopedWorkDir dir;
    charg1 b;
    ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(b));
    Partition p(b, Partition::CodeCle(b, "chapitre"));
    ASSERT_GT(p.NbParties, 15);
    {
        const int32_t seuil = 5;
        PrimSpecChr chr(p, seuil, 10);
        chr.Calcule();
        std::vector<ResSpecChr> attendu;
        for (int32_t e = 0; e < b.Nbform(); ++e) {
            if (b.RetourneFrq(e) <= 10)
                continue;
            ResSpecChr r = meilleurRun(p, e, b.RetourneFrq(e), seuil * 0.01);
            if (r.Coeff == 0)
                continue;
            const int32_t fin = p.NbParties - 1;
            if (r.Coeff < 0 && r.Premiere == 0) {
                r = {e, r.f, -r.Coeff, r.Derniere + 1, fin};
            } else if (r.Coeff < 0 && r.Derniere == fin) {
                r = {e, r.f, -r.Coeff, 0, r.Premiere - 1};
            }
            attendu.push_back(r);
        }
        EXPECT_GT(attendu.size(), 100u);
        ASSERT_EQ(chr.NbResultats(), static_cast<int32_t>(attendu.size()));
        for (size_t i = 0; i < attendu.size(); ++i) {
            const ResSpecChr &x = chr.Resultats()[i], &y = attendu[i];
            ASSERT_EQ(x.Code, y.Code) << i;
            EXPECT_EQ(x.f, y.f) << x.Code;
            EXPECT_EQ(x.Coeff, y.Coeff) << x.Code;
            EXPECT_EQ(x.Premiere, y.Premiere) << x.Code;
            EXPECT_EQ(x.Derniere, y.Derniere) << x.Code;
        }
    }
}

TEST(PrimSpecChr, ProgressOverTheCodesComputedAndCancellation) {
    test::ScopedWorkDir dir;
    charg1 b;
    ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(b));
    Partition p(b, Partition::CodeCle(b, "chapitre"));
    PrimSpecChr chr(p, 5, 10);
    std::vector<int32_t> passes;
    ASSERT_TRUE(chr.Calcule([&](int32_t passe) { passes.push_back(passe); }));
    EXPECT_EQ(passes, std::vector<int32_t>(100, 0)); // forms only: no segment store
    const std::vector<ResSpecChr> complet = chr.Resultats();
    ASSERT_FALSE(complet.empty());

    // Raised halfway: no result at all, and a later run gives the full results again.
    Annulation annulation;
    int32_t appels = 0;
    EXPECT_FALSE(chr.Calcule(
        [&](int32_t) {
            if (++appels == 50)
                annulation.Demande();
        },
        &annulation));
    EXPECT_EQ(chr.NbResultats(), 0);
    EXPECT_EQ(appels, 50);
    annulation.Reinitialise();
    ASSERT_TRUE(chr.Calcule(nullptr, &annulation));
    ASSERT_EQ(chr.NbResultats(), static_cast<int32_t>(complet.size()));
    for (size_t i = 0; i < complet.size(); ++i)
        EXPECT_EQ(chr.Resultats()[i].Code, complet[i].Code);
}

// Segments have no alphabetical rank of their own: the alphabetical orders place each by its
// forms, after the form it begins with, instead of all of them first.
TEST(PrimSpecChr, AlphabeticalOrderPlacesSegmentsByTheirForms) {
    test::ScopedWorkDir dir;
    test::StoreManuel store;
    Chrono ch = calcule({1, 1, 1, 1, 40});
    const int32_t cible = forme(*ch.base, "cible"), w0 = forme(*ch.base, "w0");
    std::vector<int32_t> occ = ch.base->LocOccFor(cible);
    const std::vector<int32_t> fin(occ.end() - 30, occ.end());
    // "cible cible" and "w0 cible", both frequent in the last part.
    store.segs.push_back({{cible, cible}, fin});
    store.segs.push_back({{w0, cible}, fin});
    ch.base->AssigneSR(&store);
    PrimSpecChr chr(*ch.part, 5, 5);
    chr.Calcule();
    const int32_t seg = ch.base->Nbart() + 1;
    chr.Trie(0);
    std::vector<int32_t> codes;
    for (const ResSpecChr &r : chr.Resultats())
        if (r.Code == cible || r.Code == seg || r.Code == seg + 1 || r.Code == w0)
            codes.push_back(r.Code);
    ASSERT_EQ(codes.size(), 3u); // w0 is evenly spread: not specific
    EXPECT_EQ(codes, (std::vector<int32_t>{cible, seg, seg + 1}));
    chr.Trie(1);
    codes.clear();
    for (const ResSpecChr &r : chr.Resultats())
        if (r.Code == cible || r.Code == seg || r.Code == seg + 1)
            codes.push_back(r.Code);
    EXPECT_EQ(codes, (std::vector<int32_t>{seg + 1, seg, cible}));
    ch.base->AssigneSR(nullptr);
}
