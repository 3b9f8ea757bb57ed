// Helpers shared by the partition tests: a base built from a small text, a hand-made
// repeated-segment store, and texts with controlled part frequencies.
#pragma once

#include "base/SegmentStore.h"
#include "base/charg1.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace morvix::test {

// The bundled sample corpus as the base "s" in the current folder.
inline void chargeEchantillon(charg1 &b) {
    ASSERT_EQ(buildBase("s", readFile(MORVIX_SAMPLE)), "s.par");
    ASSERT_EQ(b.ChargeBase("s.par"), kChargeOk) << b.Erreur();
}

inline int32_t forme(const charg1 &b, const char *graphy) { return b.LocFormDic(graphy, true); }

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
