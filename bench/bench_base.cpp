// Segmentation and loading of the large corpus: throughput and peak memory of each phase,
// each phase measured in a child process of its own.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"
#include "util/BinaryIO.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace morvix;
namespace fs = std::filesystem;

int main() {
    const std::string corpus = bench::largeCorpus();
    const int64_t textBytes = fileSize(corpus);
    if (textBytes <= 0) {
        std::fprintf(stderr, "corpus not found: %s\n", corpus.c_str());
        return 1;
    }
    bench::BenchDir work("base");
    const double mb = 1e6;

    // Each phase runs three times in a child process of its own: the figures are the best and
    // the median run (this machine's timings vary from run to run).
    constexpr int kRuns = 3;
    auto summary = [](std::vector<double> t) {
        std::sort(t.begin(), t.end());
        return std::pair<double, double>(t.front(), t[t.size() / 2]);
    };
    std::vector<double> verifyTimes, segTimes, loadTimes;
    int64_t segPeak = 0, loadPeak = 0, peak = 0;
    bench::Figures f{};
    for (int run = 0; run < kRuns; ++run) {
        bool ok = bench::inChild(
            [&](bench::Figures &out) {
                bench::Stopwatch w;
                VerifCles(corpus);
                out[0] = w.seconds();
                SegmOptions o;
                o.maxart = 400000;
                bench::Stopwatch s;
                SegmResult r = SegmPrinc(corpus, kDelimiteursDefaut, o);
                out[1] = s.seconds();
                if (!r.ok()) {
                    std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
                    return false;
                }
                out[2] = r.nbitem;
                out[3] = r.nbocc;
                out[4] = r.nbart;
                out[5] = r.nbf;
                return true;
            },
            f, peak);
        if (!ok)
            return 1;
        verifyTimes.push_back(f[0]);
        segTimes.push_back(f[1]);
        segPeak = std::max(segPeak, peak);
    }
    const double nbitem = f[2];
    std::printf("corpus: %s (%.1f MB)\n", corpus.c_str(), double(textBytes) / mb);
    auto [vBest, vMed] = summary(verifyTimes);
    std::printf("key verification: best %.3f s (%.0f MB/s), median %.3f s (%.0f MB/s)\n", vBest,
                double(textBytes) / mb / vBest, vMed, double(textBytes) / mb / vMed);
    auto [sBest, sMed] = summary(segTimes);
    std::printf("segmentation (files written): best %.3f s (%.1f MB/s of text, %.2f M items/s), "
                "median %.3f s (%.1f MB/s); %.0f items, %.0f occurrences, %.0f articles, %.0f "
                "forms\n",
                sBest, double(textBytes) / mb / sBest, nbitem / sBest / 1e6, sMed,
                double(textBytes) / mb / sMed, f[2], f[3], f[4], f[5]);
    std::printf("segmentation peak RSS: %.1f MB (%.2f x text)\n", double(segPeak) / mb,
                double(segPeak) / double(textBytes));

    // A base is usually opened long after it was written: let the written files reach the
    // disk first, so that their write-back does not slow the reading down.
    sync();
    const std::string par = fs::path(corpus).stem().string() + ".par";
    const int64_t numBytes = fileSize(fs::path(corpus).stem().string() + ".num");
    for (int run = 0; run < kRuns; ++run) {
        bool ok = bench::inChild(
            [&](bench::Figures &out) {
                charg1 b;
                int calls = 0;
                b.AttribGauge([&](int32_t) { ++calls; });
                bench::Stopwatch s;
                int r = b.ChargeBase(par);
                out[0] = s.seconds();
                if (r != kChargeOk) {
                    std::fprintf(stderr, "loading failed: %s\n", b.Erreur().c_str());
                    return false;
                }
                if (run == 0) {
                    bench::Stopwatch q;
                    int64_t total = 0;
                    for (int32_t c = 0; c < b.Nbform(); ++c)
                        total += static_cast<int64_t>(b.LocOccFor(c).size());
                    std::printf("%d gauge calls; LocOccFor over every form: %.3f s (%lld "
                                "positions)\n",
                                calls, q.seconds(), static_cast<long long>(total));
                }
                return true;
            },
            f, peak);
        if (!ok)
            return 1;
        loadTimes.push_back(f[0]);
        loadPeak = std::max(loadPeak, peak);
    }
    auto [lBest, lMed] = summary(loadTimes);
    std::printf("loading: best %.3f s (%.1f MB/s of .num, %.2f M items/s), median %.3f s "
                "(%.1f MB/s)\n",
                lBest, double(numBytes) / mb / lBest, nbitem / lBest / 1e6, lMed,
                double(numBytes) / mb / lMed);
    std::printf("loading peak RSS: %.1f MB (%.2f x .num)\n", double(loadPeak) / mb,
                double(loadPeak) / double(numBytes));
    return 0;
}
