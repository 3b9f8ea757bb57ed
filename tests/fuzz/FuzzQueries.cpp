#include "FuzzQueries.h"

#include "base/charg1.h"

#include <algorithm>
#include <cstring>

namespace morvix {

void fuzzConsistency(const charg1 &b) {
    // What the loader accepted, the files agree on.
    int64_t occ = 0;
    int32_t fmax = 0, nhap = 0;
    for (int32_t c = 0; c < b.Nbform(); ++c) {
        const int32_t f = b.RetourneFrq(c);
        if (f < 0)
            __builtin_trap();
        occ += f;
        fmax = std::max(fmax, f);
        nhap += f == 1;
    }
    if (occ != b.Nbocc() || fmax != b.Fmax() || nhap != b.Nhap() ||
        static_cast<int64_t>(b.TnumData().size()) != b.Nbitem())
        __builtin_trap();
    for (int32_t c = 0; c < b.Nbart(); ++c)
        if (static_cast<int64_t>(b.OccArticle(c).size()) != b.RetourneFrq(c))
            __builtin_trap();
}

void fuzzQueries(const charg1 &b) {
    fuzzConsistency(b);
    int64_t occ = 0;
    for (int32_t c = 0; c < b.Nbart(); ++c) {
        const char *g = b.RetourneGraphie(c, false);
        if (!g || b.LocFormDic(g, false) > c)
            __builtin_trap();
        std::vector<int32_t> pos = b.LocOccFor(c);
        if (!std::is_sorted(pos.begin(), pos.end()))
            __builtin_trap();
        for (int32_t p : pos)
            if (b.Tnum(p) != c)
                __builtin_trap();
        if (c < b.Nbform())
            occ += static_cast<int64_t>(pos.size());
        if (c < 8 && pos.size() > 1) {
            for (int32_t sens : {-1, 1}) {
                std::vector<int32_t> sorted = pos;
                b.TriCont(sorted.data(), static_cast<int32_t>(sorted.size()), sens,
                          b.Nbform() + b.Nbartponct() - 1);
                std::vector<int32_t> check = sorted;
                std::sort(check.begin(), check.end());
                if (check != pos)
                    __builtin_trap();
            }
        }
    }
    for (int32_t p = -1; p <= b.Nbitem(); ++p) {
        b.RetourneLexmAtPos(p);
        b.RetourneGraphieAtPos(p, true);
        b.RetourneFrqAtPos(p);
    }
    std::vector<int32_t> all(static_cast<size_t>(b.Nbart()));
    for (int32_t c = 0; c < b.Nbart(); ++c)
        all[static_cast<size_t>(c)] = c;
    std::vector<int32_t> every = b.LocOccFor(all.data(), b.Nbart());
    if (!std::is_sorted(every.begin(), every.end()) ||
        std::adjacent_find(every.begin(), every.end()) != every.end())
        __builtin_trap();
    (void)occ;
}

} // namespace morvix
