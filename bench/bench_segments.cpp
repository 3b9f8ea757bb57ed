// Repeated segments and concordance on the large corpus: the whole segment store at
// thresholds 10/10 (time, segments, peak memory beyond the loaded base) and the
// concordance of the most frequent form sorted on its right context at width 40.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "concordance/Concordance.h"
#include "groups/Tgen.h"
#include "segmentation/SegmPrinc.h"
#include "segments/SegRep.h"
#include "util/BinaryIO.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace morvix;
namespace fs = std::filesystem;

namespace {

// Peak resident memory since the last reset, in bytes (VmHWM).
int64_t highWater() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    return -1;
}

// Processor time of this process, in seconds: the figure that other load on the machine
// does not inflate.
double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

void resetHighWater() { std::ofstream("/proc/self/clear_refs") << "5"; }

} // namespace

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("seg");
    const double mb = 1e6;

    int rc = 1;
    {
        charg1 base;
        SegmResult r;
        if (!bench::segmenteEtCharge(corpus, base, &r))
            return 1;
        const int64_t numBytes = fileSize(r.baseName + ".num");
        std::set<int32_t> delims;
        for (int32_t c = base.Nbform(); c < base.Nbform() + base.Nbartponct(); ++c)
            delims.insert(c);

        resetHighWater();
        const int64_t before = bench::currentRss();
        bench::Stopwatch w;
        const double cpu0 = cpuSeconds();
        auto store = std::make_unique<SegRep>(&base, delims);
        store->CalcSegRep(10, 10);
        const double seconds = w.seconds();
        const double cpu = cpuSeconds() - cpu0;
        const int64_t beyond = highWater() - before;
        const int64_t locBytes = fileSize(store->CheminLoc());
        std::printf("corpus: %s (%d items, %d occurrences, %d forms)\n", corpus.c_str(),
                    base.Nbitem(), base.Nbocc(), base.Nbform());
        std::printf("CalcSegRep 10/10: %.2f s (%.2f s of processor), %.2f M items/s, %d "
                    "segments, .loc.sr %.1f MB\n",
                    seconds, cpu, base.Nbitem() / seconds / 1e6, store->NbSegments(),
                    double(locBytes) / mb);
        std::printf("CalcSegRep peak memory beyond the base: %.1f MB (%.2f x the .num of "
                    "%.1f MB)\n",
                    double(beyond) / mb, double(beyond) / double(numBytes), double(numBytes) / mb);
        base.AssigneSR(nullptr);
        store.reset();

        const int32_t code = 0; // the most frequent form
        Tgen pole(&base, &code, 1, nullptr);
        OptionsConcordance options;
        options.sens = kTriApres;
        options.largeur = 40;
        bench::Stopwatch c;
        const double ccpu0 = cpuSeconds();
        DocumentConcordance doc = ConstruitConcordance(base, pole, options);
        const double cs = c.seconds(), ccpu = cpuSeconds() - ccpu0;
        std::printf("concordance of \"%s\" sorted after, width 40: %d lines in %.3f s "
                    "(%.3f s of processor), %.0f lines/s (%.0f per processor second)\n",
                    base.RetourneGraphie(code, false), doc.nbLignes, cs, ccpu, doc.nbLignes / cs,
                    doc.nbLignes / ccpu);
        rc = 0;
    }
    return rc;
}
