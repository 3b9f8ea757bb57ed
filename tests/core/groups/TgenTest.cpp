#include "groups/Tgen.h"
#include "base/charg1.h"
#include "groups/TgenDrag.h"
#include "groups/TgenQueue.h"
#include "segments/SegRep.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace morvix;

namespace {

class TgenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string par = test::buildBase("t", "le chat . le chien , le chat dort .\n");
        ASSERT_FALSE(par.empty());
        ASSERT_EQ(base.ChargeBase(par), kChargeOk);
    }
    int32_t code(const char *g) { return base.LocFormDic(g, true); }

    test::ScopedWorkDir dir;
    charg1 base;
};

} // namespace

TEST_F(TgenTest, NamesAndOccurrences) {
    const int32_t le = code("le"), chat = code("chat"), absent = base.Nbart() + 7;
    struct Case {
        std::vector<int32_t> codes;
        const char *name;
        std::string nom;
        int32_t nbOcc;
    } cases[] = {
        {{chat}, nullptr, "chat", 2},
        {{chat, le}, nullptr, "chat+", 5},
        {{le, chat}, " mon groupe ", " mon groupe ", 5},
        {{chat, chat}, nullptr, "chat+", 2},
        {{absent}, nullptr, "", 0},
    };
    for (const Case &c : cases) {
        Tgen g(&base, c.codes, c.name);
        EXPECT_EQ(g.Nom, c.nom);
        EXPECT_EQ(g.NbOcc, c.nbOcc);
        EXPECT_EQ(g.NbItems, static_cast<int32_t>(c.codes.size()));
        EXPECT_EQ(g.Items, c.codes);
        EXPECT_TRUE(std::is_sorted(g.Occ.begin(), g.Occ.end()));
        EXPECT_EQ(std::adjacent_find(g.Occ.begin(), g.Occ.end()), g.Occ.end());
        EXPECT_EQ(g.OccSet.size(), g.Occ.size());
        for (int32_t p = 0; p < base.Nbitem(); ++p)
            EXPECT_EQ(g.OccSet.contains(p),
                      std::find(g.Occ.begin(), g.Occ.end(), p) != g.Occ.end());
    }
}

TEST_F(TgenTest, PaletteAdvancesOnEveryConstruction) {
    const int32_t c = code("chat");
    const int32_t start = Tgen::IndexPalette();
    Tgen first(&base, &c, 1, nullptr);
    EXPECT_EQ(first.Couleur, kPaletteTgen[start]);
    for (int i = 0; i < 9; ++i)
        Tgen(&base, &c, 1, nullptr);
    Tgen eleventh(&base, &c, 1, nullptr);
    EXPECT_EQ(eleventh.Couleur, first.Couleur);

    // The repeated-segment computation builds one group per pivot form.
    SegRep store(&base, {});
    const int32_t before = Tgen::IndexPalette();
    ASSERT_TRUE(store.CalcSegRep(2, 2));
    int32_t pivots = 0;
    while (pivots < base.Nbform() && base.RetourneFrq(pivots) >= 2)
        ++pivots;
    EXPECT_EQ(Tgen::IndexPalette(), (before + pivots) % 10);
}

TEST_F(TgenTest, SegmentMembers) {
    SegRep store(&base, {});
    ASSERT_TRUE(store.CalcSegRep(2, 2));
    ASSERT_GE(store.NbSegments(), 1);
    ASSERT_EQ(store.RetourneGraphie(0), "le chat ");
    base.AssigneSR(&store);
    const int32_t seg = base.Nbart() + 1, le = code("le");
    Tgen alone(&base, &seg, 1, nullptr);
    EXPECT_EQ(alone.Nom, "le chat ");
    EXPECT_EQ(alone.Occ, store.LocOccSeg(0));
    const int32_t both[] = {seg, le};
    Tgen shared(&base, both, 2, nullptr);
    EXPECT_EQ(shared.Nom, "le chat +");
    EXPECT_EQ(shared.Occ, base.LocOccFor(le)); // every "le chat" starts at a "le"
    base.AssigneSR(nullptr);
}

TEST_F(TgenTest, DropProtocol) {
    const int32_t chat = code("chat"), le = code("le");
    auto g = TgenDepuisDepot(base, {{chat, le}, kCouleurAucune, "animaux"}, true);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Nom, "animaux");
    EXPECT_EQ(g->Couleur, kPaletteTgen[(Tgen::IndexPalette() + 9) % 10]);
    g = TgenDepuisDepot(base, {{chat}, 0, "animaux"}, false);
    EXPECT_EQ(g->Nom, "chat");
    EXPECT_EQ(g->Couleur, 0u);
    g = TgenDepuisDepot(base, {{chat, le}, 0x123456, ""}, true);
    EXPECT_EQ(g->Nom, "chat+");
    EXPECT_EQ(g->Couleur, 0x123456u);
    EXPECT_EQ(TgenDepuisDepot(base, {{}, 0, "vide"}, true), nullptr);
}

TEST_F(TgenTest, QueueKeepsTwentyNewestFirst) {
    TgenQueue queue;
    EXPECT_EQ(queue.Indication(), "Vide");
    EXPECT_EQ(queue.CurrentTgen(), nullptr);
    EXPECT_TRUE(queue.DragCourant().codes.empty());
    const int32_t chat = code("chat");
    for (int i = 0; i < 20; ++i)
        queue.AjouteTgen(std::make_unique<Tgen>(&base, &chat, 1, std::to_string(i).c_str()));
    ASSERT_TRUE(queue.Choisit(19)); // the oldest becomes current
    EXPECT_EQ(queue.Indication(), "0");
    EXPECT_EQ(queue.IndexCourant(), 19);
    EXPECT_EQ(queue[0].Nom, "19");

    queue.AjouteTgen(std::make_unique<Tgen>(&base, &chat, 1, "nouveau"));
    EXPECT_EQ(queue.size(), 20u);
    EXPECT_EQ(queue.Indication(), "nouveau");
    EXPECT_EQ(queue.IndexCourant(), 0);
    EXPECT_EQ(queue[19].Nom, "1"); // "0" left
    EXPECT_FALSE(queue.Choisit(20));
    const TgenDrag drag = queue.DragCourant();
    EXPECT_EQ(drag.codes, std::vector<int32_t>{chat});
    EXPECT_EQ(drag.nom, "nouveau");
    EXPECT_EQ(drag.couleur, queue.CurrentTgen()->Couleur);
}
