// Factor and eigenvalue files as the analysis program might leave them: the readers must
// refuse or accept them without fault, and an accepted list must be usable.
#include "afc/TListePoints.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

using namespace morvix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    std::FILE *f = std::fopen("facteurs.txt", "wb");
    if (!f)
        return 0;
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
    TListePoints points("facteurs.txt", data[0] % 2 ? -1 : data[0] / 2);
    if (points.Valide()) {
        if (points.NbFact < 2 || points.X().size() != static_cast<size_t>(points.NbPoints))
            __builtin_trap();
        for (int32_t k = 0; k < points.NbFact; ++k)
            if (points.ChoisitAxeX(k) && !(points.MinX < points.MaxX))
                __builtin_trap();
        if (!std::isfinite(points.MinY) || !std::isfinite(points.MaxY))
            __builtin_trap();
    }
    std::vector<int64_t> valeurs;
    LitValeursPropres("facteurs.txt", valeurs);
    return 0;
}
