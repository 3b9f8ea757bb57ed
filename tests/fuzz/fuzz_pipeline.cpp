// Random texts through verification, segmentation, loading and every query.
#include "FuzzQueries.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include <cstdint>
#include <cstdio>

using namespace morvix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::FILE *f = std::fopen("fuzz.txt", "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    if (VerifCles("fuzz.txt") != 0)
        return 0;
    SegmOptions o;
    o.maxart = 300; // small enough that the fuzzer reaches the limits
    SegmResult r = SegmPrinc("fuzz.txt", size > 0 && data[0] == '#' ? "#." : kDelimiteursDefaut, o);
    if (!r.ok())
        return 0;
    charg1 b;
    if (b.ChargeBase("fuzz.par") != kChargeOk)
        __builtin_trap(); // a base the engine wrote must load
    if (b.Nbocc() != r.nbocc || b.Nbform() != r.nbf || b.Nbitem() != r.nbitem)
        __builtin_trap();
    int64_t occ = 0;
    for (int32_t c = 0; c < b.Nbform(); ++c)
        occ += b.RetourneFrq(c);
    if (occ != b.Nbocc())
        __builtin_trap();
    fuzzQueries(b);
    return 0;
}
