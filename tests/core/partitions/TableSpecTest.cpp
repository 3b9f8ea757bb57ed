#include "partitions/TableSpec.h"
#include "partitions/Partition.h"
#include "util/Annulation.h"

#include "PartitionsTestSupport.h"

#include <string>

using namespace morvix;
using test::chargeTexte;
using test::forme;

namespace {

const char *const kTexte = "<p=A> le chat dort . le chien dort <p=B> le chat mange le chat\n"
                           "<p=C> un chien dort le chat dort\n";

// Positions where the forms follow each other in the text.
std::vector<int32_t> occurrences(const charg1 &b, const std::vector<int32_t> &formes) {
    std::vector<int32_t> pos;
    for (int32_t p = 0; p + int32_t(formes.size()) <= b.Nbitem(); ++p) {
        bool ok = true;
        for (size_t i = 0; i < formes.size() && ok; ++i)
            ok = b.Tnum(p + int32_t(i)) == formes[i];
        if (ok)
            pos.push_back(p);
    }
    return pos;
}

void ajouteSegment(test::StoreManuel &store, const charg1 &b, std::vector<const char *> mots) {
    std::vector<int32_t> formes;
    for (const char *m : mots)
        formes.push_back(forme(b, m));
    store.segs.push_back({formes, occurrences(b, formes)});
}

std::unique_ptr<TableSpec> table(Partition &p) {
    return std::make_unique<TableSpec>(std::make_unique<CalcSpecTot>(p, nullptr));
}

// The lexical key of a code as the order defines it: its alphabetical ranks, form by form.
std::vector<int32_t> rangs(const charg1 &b, int32_t code) {
    if (code < b.Nbart())
        return {b.Lexg(code)};
    std::vector<int32_t> r;
    for (int32_t f : b.SegmentStoreAttache()->Formes(code - b.Nbart() - 1))
        r.push_back(b.Lexg(f));
    return r;
}

class TexteAvecSegments : public ::testing::Test {
  protected:
    void SetUp() override {
        base = chargeTexte(kTexte);
        ajouteSegment(store, *base, {"le", "chat"});
        ajouteSegment(store, *base, {"le", "chat", "dort"});
        ajouteSegment(store, *base, {"chat", "dort"});
        ajouteSegment(store, *base, {"chien"});
        base->AssigneSR(&store);
        partition = std::make_unique<Partition>(*base, Partition::CodeCle(*base, "p"));
        partition->FrqMin = 1;
    }
    std::string graphie(int32_t code) const { return base->RetourneGraphie(code, false); }
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    test::StoreManuel store;
    std::unique_ptr<Partition> partition;
};

} // namespace

TEST_F(TexteAvecSegments, RowsAreFormsThenSegmentsWithTheirPartFrequencies) {
    partition->Cochee[1] = false;
    auto t = table(*partition);
    ASSERT_EQ(t->NbColonnes(), 2);
    EXPECT_EQ(t->Partie(0), 0);
    EXPECT_EQ(t->Partie(1), 2);
    ASSERT_EQ(t->NbLignes(), base->Nbform() + 4);
    EXPECT_EQ(t->Code(base->Nbform()), base->Nbart() + 1);
    // Every cell counts as the partition does, forms and segments alike, and so do the
    // rows of a dropped group, a punctuation sign among them.
    auto verifie = [&] {
        for (int32_t r = 0; r < t->NbLignes(); ++r)
            for (int32_t c = 0; c < t->NbColonnes(); ++c)
                EXPECT_EQ(t->Frequence(r, c), partition->FrqPartie(t->Code(r), t->Partie(c)))
                    << graphie(t->Code(r)) << " " << c;
    };
    verifie();
    EXPECT_EQ(t->Frequence(base->Nbform() + 1, 1), 1); // "le chat dort" in C
    const int32_t point = base->LocFormDic(".", false);
    t->Trie(TableSpec::kLexCroissant, -1);
    t->SetLignes({point, base->Nbart() + 2, forme(*base, "chat")});
    EXPECT_EQ(t->ModeTri(), TableSpec::kNonTriee);
    EXPECT_EQ(t->Lignes(), (std::vector<int32_t>{point, base->Nbart() + 2, forme(*base, "chat")}));
    verifie();
}

// Forms by alphabetical rank; a segment by its forms, after the form it begins with and
// after the shorter segments it continues.
TEST_F(TexteAvecSegments, LexicalOrderPutsSegmentsAmongTheirForms) {
    auto t = table(*partition);
    t->Trie(TableSpec::kLexCroissant, -1);
    std::vector<std::string> vu;
    for (int32_t code : t->Lignes())
        vu.push_back(graphie(code));
    const std::vector<std::string> attendu = {"chat",  "chat dort ", "chien",    "chien ",
                                              "dort",  "le",         "le chat ", "le chat dort ",
                                              "mange", "un"};
    EXPECT_EQ(vu, attendu);
    t->Trie(TableSpec::kLexDecroissant, -1);
    std::vector<std::string> inverse;
    for (int32_t code : t->Lignes())
        inverse.push_back(graphie(code));
    EXPECT_EQ(inverse, std::vector<std::string>(attendu.rbegin(), attendu.rend()));
}

// The header-click cycle: a new column sorts descending, the next click ascending; the
// key buttons re-sort the last column descending; the fixed column toggles the lexical
// order.
TEST_F(TexteAvecSegments, HeaderClicksCycleThroughTheModes) {
    auto t = table(*partition);
    t->ClicCle(true); // no column clicked yet
    EXPECT_EQ(t->ModeTri(), TableSpec::kNonTriee);
    struct Clic {
        int32_t colonne; // -1: the fixed column; -2: the key buttons
        bool parFrequence;
        int32_t mode, derniere;
    };
    const Clic clics[] = {
        {0, true, TableSpec::kFrqDecroissante, 0},
        {0, true, TableSpec::kFrqCroissante, 0},
        {0, true, TableSpec::kFrqDecroissante, 0},
        {1, true, TableSpec::kFrqDecroissante, 1},
        {-2, true, TableSpec::kFrqDecroissante, 1}, // already by frequency
        {-2, false, TableSpec::kSpecDecroissante, 1},
        {1, false, TableSpec::kSpecCroissante, 1},
        {1, false, TableSpec::kSpecDecroissante, 1},
        {2, false, TableSpec::kSpecDecroissante, 2},
        {-1, false, TableSpec::kLexCroissant, 2},
        {-1, false, TableSpec::kLexDecroissant, 2},
        {-1, false, TableSpec::kLexCroissant, 2},
        {-2, false, TableSpec::kSpecDecroissante, 2},
        {-2, true, TableSpec::kFrqDecroissante, 2},
        {7, true, TableSpec::kFrqDecroissante, 2}, // no such column
    };
    for (const Clic &c : clics) {
        if (c.colonne == -1)
            t->ClicColonneFixe();
        else if (c.colonne == -2)
            t->ClicCle(c.parFrequence);
        else
            t->ClicColonne(c.colonne, c.parFrequence);
        EXPECT_EQ(t->ModeTri(), c.mode) << c.colonne;
        EXPECT_EQ(t->DerniereColonne(), c.derniere) << c.colonne;
    }
}

// On the sample with segments: every order is a permutation of the rows, monotonic in its
// key, and the specificity orders put the rows without a coefficient last.
TEST(TableSpec, OrdersOnTheSampleAreMonotonicInTheirKey) {
    test::ScopedWorkDir dir;
    charg1 base;
    ASSERT_NO_FATAL_FAILURE(test::chargeEchantillon(base));
    test::StoreManuel store;
    for (const auto &mots : std::vector<std::vector<const char *>>{
             {"de", "la"}, {"de", "la", "reine"}, {"il", "y", "a"}, {"de"}, {"la", "reine"}})
        ajouteSegment(store, base, mots);
    base.AssigneSR(&store);
    Partition p(base, Partition::CodeCle(base, "auteur"));
    ASSERT_GE(p.NbParties, 3);
    auto t = table(p);
    std::vector<int32_t> tous = t->Lignes();
    std::sort(tous.begin(), tous.end());
    int32_t nonNuls = 0;
    for (int32_t r = 0; r < t->NbLignes(); ++r)
        nonNuls += t->Coeff(r, 1) != 0;
    ASSERT_GT(nonNuls, 10);
    for (int32_t mode = TableSpec::kLexCroissant; mode <= TableSpec::kSpecCroissante; ++mode) {
        t->Trie(mode, 1);
        std::vector<int32_t> lignes = t->Lignes();
        std::sort(lignes.begin(), lignes.end());
        ASSERT_EQ(lignes, tous) << mode;
        for (int32_t r = 1; r < t->NbLignes(); ++r) {
            const int32_t a = t->Code(r - 1), b = t->Code(r);
            switch (mode) {
            case TableSpec::kLexCroissant:
                EXPECT_LE(rangs(base, a), rangs(base, b)) << r;
                break;
            case TableSpec::kLexDecroissant:
                EXPECT_GE(rangs(base, a), rangs(base, b)) << r;
                break;
            case TableSpec::kFrqCroissante:
                EXPECT_LE(p.FrqPartie(a, t->Partie(1)), p.FrqPartie(b, t->Partie(1))) << r;
                break;
            case TableSpec::kFrqDecroissante:
                EXPECT_GE(t->Frequence(r - 1, 1), t->Frequence(r, 1)) << r;
                break;
            default: {
                const int32_t ca = t->Coeff(r - 1, 1), cb = t->Coeff(r, 1);
                if (r < nonNuls) {
                    ASSERT_NE(ca, 0) << r;
                    ASSERT_NE(cb, 0) << r;
                    if (mode == TableSpec::kSpecDecroissante)
                        EXPECT_GE(ca, cb) << r;
                    else
                        EXPECT_LE(ca, cb) << r;
                } else {
                    EXPECT_EQ(cb, 0) << r;
                }
            }
            }
        }
    }
}

// A raised flag stops the gathering of the segments' frequencies; the caller drops the
// table.
TEST_F(TexteAvecSegments, CancelledGatheringIsReported) {
    Annulation annulation;
    annulation.Demande();
    TableSpec t(std::make_unique<CalcSpecTot>(*partition, nullptr), &annulation);
    EXPECT_TRUE(t.Interrompue());
    TableSpec u(std::make_unique<CalcSpecTot>(*partition, nullptr), nullptr);
    EXPECT_FALSE(u.Interrompue());
}
