// Damaged bases: the input replaces one of the three files of a sound base.
#include "FuzzQueries.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"

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

void put(const char *path, const void *data, size_t size) {
    if (std::FILE *f = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::string par = [] {
        const char text[] = "<auteur=Hugo> Le chat, le chien.\nUn chat noir.\n";
        put("sain.txt", text, sizeof text - 1);
        SegmOptions o;
        o.durable = false;
        SegmPrinc("sain.txt", kDelimiteursDefaut, o);
        return slurp("sain.par");
    }();
    static const std::string dic = slurp("sain.dic");
    static const std::string num = slurp("sain.num");
    if (size == 0)
        return 0;
    put("sain.par", par.data(), par.size());
    put("sain.dic", dic.data(), dic.size());
    put("sain.num", num.data(), num.size());
    static const char *names[3] = {"sain.par", "sain.dic", "sain.num"};
    put(names[data[0] % 3], data + 1, size - 1);
    charg1 b;
    if (b.ChargeBase("sain.par") == kChargeOk)
        fuzzQueries(b);
    return 0;
}
