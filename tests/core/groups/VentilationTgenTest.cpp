// The series of the group distribution graph: relative and absolute frequencies, empty
// parts, specificities, axis bounds and the colour of a new series.
#include "groups/VentilationTgen.h"

#include "base/charg1.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace morvix;

namespace {

std::string repete(const std::string &mot, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += mot + std::to_string(i % 40) + " ";
    return s;
}

struct Base {
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    std::unique_ptr<Partition> partition;
    explicit Base(const std::string &texte) {
        base = test::chargeTexte(texte);
        partition = std::make_unique<Partition>(*base, Partition::CodeCle(*base, "t"));
    }
    Tgen groupe(const char *forme) const {
        const int32_t c = base->LocFormDic(forme, true);
        EXPECT_GE(c, 0) << forme;
        return Tgen(base.get(), &c, 1, nullptr);
    }
};

} // namespace

// 3 occurrences in a part of 12 000 show as 2 per 10 000 (truncated), 3 in absolute mode;
// the relative value does not overflow 32 bits for a large count.
TEST(VentilationTgen, RelativeValuesAreTruncatedPerTenThousand) {
    Base b("<t=a>\n" + repete("w", 11997) + "cible cible cible\n<t=b>\n" + repete("w", 500) +
           "cible\n");
    const Tgen g = b.groupe("cible");
    ASSERT_EQ(b.partition->Taille[0], 12000);
    EXPECT_EQ(FrequencesVentilation(*b.partition, g.Occ, true), (std::vector<int64_t>{2, 19}));
    EXPECT_EQ(FrequencesVentilation(*b.partition, g.Occ, false), (std::vector<int64_t>{3, 1}));
}

// A part without forms counts as size 1: a group of punctuation occurring there gets
// 10 000 per occurrence rather than a division by zero.
TEST(VentilationTgen, PartOfSizeZeroCountsAsOne) {
    Base b("<t=a>\n. .\n<t=b>\nun deux trois .\n");
    ASSERT_EQ(b.partition->Taille[0], 0);
    const int32_t point = b.base->LocFormDic(".", false);
    ASSERT_GE(point, 0);
    const Tgen g(b.base.get(), &point, 1, nullptr);
    EXPECT_EQ(FrequencesVentilation(*b.partition, g.Occ, true),
              (std::vector<int64_t>{20000, 3333}));
    const std::vector<int32_t> spec = SpecificitesVentilation(*b.partition, g.Occ);
    EXPECT_EQ(spec[0], CoeffSpec(b.base->Nbocc(), 1, 3, 2, 0.05));
}

// Against the whole text (T = Nbocc): a part of 100 occurrences of 1000 holding 8 of the
// group's 20 is over-used with coefficient 4, the rest of the text under-uses it.
TEST(VentilationTgen, SpecificitiesAgainstTheWholeText) {
    std::string texte = "<t=a>\n" + repete("w", 92);
    for (int i = 0; i < 8; ++i)
        texte += "cible ";
    texte += "\n<t=b>\n" + repete("w", 888);
    for (int i = 0; i < 12; ++i)
        texte += "cible ";
    Base b(texte + "\n");
    ASSERT_EQ(b.base->Nbocc(), 1000);
    const std::vector<int32_t> spec = SpecificitesVentilation(*b.partition, b.groupe("cible").Occ);
    EXPECT_EQ(spec[0], 4);
    EXPECT_LT(spec[1], 0);
}

// The axis always holds 0 and one unit beyond the extreme values.
TEST(VentilationTgen, AxisBounds) {
    BornesVentilation bornes;
    EXPECT_EQ(bornes.AxeMin(), -1);
    EXPECT_EQ(bornes.AxeMax(), 1);
    for (double v : {3.0, -4.0, 12.0, 0.0, -2.0, 7.0})
        bornes.Etend(v);
    EXPECT_EQ(bornes.AxeMin(), -5);
    EXPECT_EQ(bornes.AxeMax(), 13);
    bornes.RemetAZero();
    bornes.Etend(5);
    EXPECT_EQ(bornes.AxeMin(), -1);
    EXPECT_EQ(bornes.AxeMax(), 6);
}

TEST(VentilationTgen, TickIntervals) {
    EXPECT_EQ(PasAxe(0), 1);
    EXPECT_EQ(PasAxe(8), 1);
    EXPECT_EQ(PasAxe(18), 2);
    EXPECT_EQ(PasAxe(147), 20);
    EXPECT_EQ(PasAxe(400), 50);
    EXPECT_EQ(PasAxe(1000), 100);
}

// A group keeps its colour only when it is not black and not already on the chart; a
// series is never white.
TEST(VentilationTgen, SeriesColour) {
    const std::vector<uint32_t> prises = {0xFF0000, 0};
    EXPECT_EQ(CouleurSerieGroupe(0x0000FF, prises), 0x0000FF);
    EXPECT_EQ(CouleurSerieGroupe(0xFF0000, prises), -1);
    EXPECT_EQ(CouleurSerieGroupe(0, {}), -1);
    EXPECT_EQ(CouleurSerieGroupe(0xFFFFFF, prises), 0xFFFFFF);
    EXPECT_EQ(CouleurVisible(0xFFFFFF), 0u);
    EXPECT_EQ(CouleurVisible(0x00C0C0), 0x00C0C0u);
}
