// Helpers shared by the partition tests: a base built from a small text, a hand-made
// repeated-segment store, and texts with controlled part frequencies.
#pragma once

#include "base/SegmentStore.h"
#include "base/charg1.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace morvix::test {

inline std::unique_ptr<charg1> chargeTexte(const std::string &text, const std::string &name = "p") {
    EXPECT_EQ(buildBase(name, text), name + ".par");
    auto b = std::make_unique<charg1>();
    EXPECT_EQ(b->ChargeBase(name + ".par"), kChargeOk) << b->Erreur();
    return b;
}

// The bundled sample corpus as the base "s" in the current folder.
inline void chargeEchantillon(charg1 &b) {
    ASSERT_EQ(buildBase("s", readFile(MORVIX_SAMPLE)), "s.par");
    ASSERT_EQ(b.ChargeBase("s.par"), kChargeOk) << b.Erreur();
}

inline int32_t forme(const charg1 &b, const char *graphy) { return b.LocFormDic(graphy, true); }

// Segments given by their forms and occurrence positions.
class StoreManuel : public SegmentStore {
  public:
    struct Seg {
        std::vector<int32_t> formes;
        std::vector<int32_t> positions;
    };
    std::vector<Seg> segs;
    int32_t NbSegments() const override { return static_cast<int32_t>(segs.size()); }
    std::vector<int32_t> Formes(int32_t k) const override {
        return segs[static_cast<size_t>(k)].formes;
    }
    std::vector<int32_t> LocOccSeg(int32_t k) const override {
        return segs[static_cast<size_t>(k)].positions;
    }
    int32_t FrqSeg(int32_t k) const override {
        return static_cast<int32_t>(segs[static_cast<size_t>(k)].positions.size());
    }
};

// A text of parts "a0", "a1", … (in that order): each part holds `remplissage` filler
// forms (the same ones in every part) followed by the form "cible" repeated cible[p] times.
inline std::string texteParties(const std::vector<int> &cible, int remplissage = 300) {
    std::string text;
    for (size_t p = 0; p < cible.size(); ++p) {
        text += "<t=a" + std::to_string(p) + ">\n";
        for (int i = 0; i < remplissage; ++i)
            text += "w" + std::to_string(i % 30) + " ";
        for (int i = 0; i < cible[p]; ++i)
            text += "cible ";
        text += "\n";
    }
    return text;
}

} // namespace morvix::test
