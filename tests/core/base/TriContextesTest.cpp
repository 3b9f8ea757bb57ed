// The bounded context sort: the order of contexts that differ within the bound is the
// whole-context order, contexts equal that far (repeated passages) come by position, and a
// raised cancellation flag leaves the array as it was.
#include "base/TriContextes.h"
#include "base/charg1.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace morvix;

namespace {

// An independent bounded comparison: the ranks of the next `borne` context articles, read
// one by one; <0 when a's context comes first.
int comparBorne(const charg1 &b, int32_t p, int32_t q, int32_t sens, int32_t codeMax,
                int32_t borne) {
    for (int32_t lus = 0; lus < borne; ++lus) {
        auto suivant = [&](int32_t &x) {
            do
                x += sens;
            while (x >= 0 && x < b.Nbitem() && b.Tnum(x) > codeMax);
            return x >= 0 && x < b.Nbitem() ? b.Lexg(b.Tnum(x)) : INT32_MIN;
        };
        const int32_t rp = suivant(p), rq = suivant(q);
        if (rp != rq)
            return rp < rq ? -1 : 1;
        if (rp == INT32_MIN)
            return 0;
    }
    return 0;
}

// Every adjacent pair is in order: by context within the bound, else by position.
void verifieOrdre(const charg1 &b, const std::vector<int32_t> &tries, int32_t sens,
                  int32_t codeMax) {
    for (size_t i = 1; i < tries.size(); ++i) {
        const int c = comparBorne(b, tries[i - 1], tries[i], sens, codeMax, kBorneContexte);
        ASSERT_TRUE(c < 0 || (c == 0 && tries[i - 1] < tries[i]))
            << "positions " << tries[i - 1] << ", " << tries[i] << " sens " << sens;
        // Within the bound, the bounded order is the whole-context order.
        if (c != 0) {
            EXPECT_LT(b.ComparContextes(tries[i - 1], tries[i], sens, codeMax), 0);
        }
    }
}

// Words drawn from a small vocabulary, so that contexts share long stretches.
std::string passage(int32_t mots, uint32_t graine) {
    static const char *vocabulaire[] = {"le",  "chat", "dort", "et",   "la", "pluie", "tombe",
                                        "sur", "un",   "toit", "gris", "de", "ville", ","};
    std::mt19937 alea(graine);
    std::string texte;
    for (int32_t i = 0; i < mots; ++i) {
        texte += vocabulaire[alea() % std::size(vocabulaire)];
        texte += i % 40 == 39 ? "\n" : " ";
    }
    return texte;
}

} // namespace

// A passage of 5 000 items repeated three times: its copies tie far beyond the bound, which
// the sort must neither walk to the end nor leave unordered.
TEST(TriContextes, RepeatedPassageSortsByPositionBeyondTheBound) {
    test::ScopedWorkDir dir;
    const std::string bloc = passage(5000, 7);
    auto base = test::chargeTexte(passage(300, 1) + bloc + bloc + passage(50, 2) + bloc + ".\n");
    for (const char *forme : {"chat", "de", "toit"}) {
        const int32_t code = base->LocFormDic(forme, true);
        ASSERT_GE(code, 0);
        for (int32_t codeMax : {base->Nbform() - 1, base->Nbform() + base->Nbartponct() - 1})
            for (int32_t sens : {-1, 1}) {
                std::vector<int32_t> pos = base->LocOccFor(code);
                ASSERT_TRUE(TriContextes(*base, pos.data(), static_cast<int32_t>(pos.size()), sens,
                                         codeMax));
                std::vector<int32_t> tous = pos;
                std::sort(tous.begin(), tous.end());
                ASSERT_EQ(tous, base->LocOccFor(code)) << "a permutation";
                verifieOrdre(*base, pos, sens, codeMax);
                // An occurrence in the middle of the first copy and its twin in the second
                // (5 000 words and 125 line ends later) tie: adjacent, by position.
                const std::vector<int32_t> occ = base->LocOccFor(code);
                const auto dansCopie =
                    std::find_if(occ.begin(), occ.end(), [](int32_t p) { return p > 2000; });
                ASSERT_NE(dansCopie, occ.end());
                const int32_t p = *dansCopie, jumeau = p + 5125;
                ASSERT_EQ(base->Tnum(jumeau), code);
                const auto i = std::find(pos.begin(), pos.end(), p);
                ASSERT_TRUE(i + 1 < pos.end());
                EXPECT_EQ(*(i + 1), jumeau);
            }
    }
}

// Real text in both directions, forms only and with punctuation; the base's TriCont gives
// the same order.
TEST(TriContextes, SampleOrderAndTriContAgree) {
    test::ScopedWorkDir dir;
    auto base = test::chargeTexte(test::readFile(MORVIX_SAMPLE), "s");
    for (int32_t code : {0, 3, 50, 700, base->Nbform()}) {
        const std::vector<int32_t> occ = base->LocOccFor(code);
        for (int32_t sens : {-1, 1}) {
            std::vector<int32_t> a = occ, b = occ;
            ASSERT_TRUE(TriContextes(*base, a.data(), static_cast<int32_t>(a.size()), sens,
                                     base->Nbform() - 1));
            verifieOrdre(*base, a, sens, base->Nbform() - 1);
            base->TriCont(b.data(), static_cast<int32_t>(b.size()), sens, base->Nbform() - 1);
            EXPECT_EQ(a, b);
            std::vector<int32_t> ordre;
            ASSERT_TRUE(OrdreContextes(*base, occ, sens, base->Nbform() - 1, ordre));
            for (size_t i = 0; i < ordre.size(); ++i)
                ASSERT_EQ(occ[static_cast<size_t>(ordre[i])], a[i]);
        }
    }
}

// Edges: a context that ends first sorts first; sens 0 and a raised flag change nothing.
TEST(TriContextes, EdgesNoSortAndCancellation) {
    test::ScopedWorkDir dir;
    auto base = test::chargeTexte("b a c a b a\n");
    const int32_t a = base->LocFormDic("a", true);
    std::vector<int32_t> pos = base->LocOccFor(a); // followed by "c b a", "b a", nothing
    ASSERT_EQ(pos.size(), 3u);
    std::vector<int32_t> tries = pos;
    ASSERT_TRUE(TriContextes(*base, tries.data(), 3, 1, base->Nbform() - 1));
    EXPECT_EQ(tries, (std::vector<int32_t>{pos[2], pos[1], pos[0]}));

    tries = pos;
    ASSERT_TRUE(TriContextes(*base, tries.data(), 3, 0, base->Nbform() - 1));
    EXPECT_EQ(tries, pos);

    const std::string grand = passage(20000, 3);
    auto gros = test::chargeTexte(grand, "g");
    std::vector<int32_t> occ = gros->LocOccFor(0);
    const std::vector<int32_t> avant = occ;
    Annulation annulation;
    annulation.Demande();
    EXPECT_FALSE(TriContextes(*gros, occ.data(), static_cast<int32_t>(occ.size()), 1,
                              gros->Nbform() - 1, &annulation));
    EXPECT_EQ(occ, avant);
}
