// Random texts through verification, segmentation, loading and every query.
#include "FuzzQueries.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include <cstdint>
#include <cstdio>
#include <string>

using namespace morvix;

namespace {

std::string slurp(const char *path) {
    std::string s;
    if (std::FILE *f = std::fopen(path, "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
    }
    return s;
}

} // namespace

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
    o.durable = false;
    const char *delims = size > 0 && data[0] == '#' ? "#." : kDelimiteursDefaut;
    SegmResult r = SegmPrinc("fuzz.txt", delims, o);
    // Cut in two at a line end, the text gives the same base, or the same failure.
    SegmOptions cut = o;
    cut.nomBase = "coupe";
    cut.coupures = {static_cast<int64_t>(size / 2)};
    SegmResult c = SegmPrinc("fuzz.txt", delims, cut);
    if (c.code != r.code || c.message != r.message)
        __builtin_trap();
    if (r.ok() &&
        (slurp("fuzz.dic") != slurp("coupe.dic") || slurp("fuzz.num") != slurp("coupe.num")))
        __builtin_trap();
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
