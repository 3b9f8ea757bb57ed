// GoogleTest helpers on loaded bases: a base built from a small text, a hand-made
// repeated-segment store.
#pragma once

#include "base/SegmentStore.h"
#include "base/charg1.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace morvix::test {

// Builds the base NAME from `text` in the current folder and loads it (failures are
// reported as test failures).
inline std::unique_ptr<charg1> chargeTexte(const std::string &text, const std::string &name = "p") {
    EXPECT_EQ(buildBase(name, text), name + ".par");
    auto b = std::make_unique<charg1>();
    EXPECT_EQ(b->ChargeBase(name + ".par"), kChargeOk) << b->Erreur();
    return b;
}

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

} // namespace morvix::test
