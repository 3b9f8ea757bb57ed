// Segmentation and loading of the large corpus: throughput and peak memory of each phase,
// each phase measured in a child process of its own.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"
#include "util/BinaryIO.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace morvix;
namespace fs = std::filesystem;

namespace {

// Runs `phase` in a child; returns its exit status and the child's peak RSS.
template <typename F> int inChild(F phase, int64_t &peak) {
    std::fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        int r = phase();
        std::fflush(stdout);
        _exit(r);
    }
    int status = 0;
    struct rusage u {};
    wait4(pid, &status, 0, &u);
    peak = static_cast<int64_t>(u.ru_maxrss) * 1024;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

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
    int64_t segPeak = 0, loadPeak = 0;
    SegmResult last;
    for (int run = 0; run < kRuns; ++run) {
        int pipeFd[2];
        if (pipe(pipeFd) != 0)
            return 1;
        int64_t peak = 0;
        int rc = inChild(
            [&] {
                bench::Stopwatch w;
                VerifCles(corpus);
                double times[2] = {w.seconds(), 0};
                SegmOptions o;
                o.maxart = 400000;
                bench::Stopwatch s;
                SegmResult r = SegmPrinc(corpus, kDelimiteursDefaut, o);
                times[1] = s.seconds();
                if (!r.ok()) {
                    std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
                    return 1;
                }
                int32_t counts[4] = {r.nbitem, r.nbocc, r.nbart, r.nbf};
                if (write(pipeFd[1], times, sizeof times) != sizeof times ||
                    write(pipeFd[1], counts, sizeof counts) != sizeof counts)
                    return 1;
                return 0;
            },
            peak);
        double times[2] = {0, 0};
        int32_t counts[4] = {0, 0, 0, 0};
        bool got = rc == 0 && read(pipeFd[0], times, sizeof times) == sizeof times &&
                   read(pipeFd[0], counts, sizeof counts) == sizeof counts;
        close(pipeFd[0]);
        close(pipeFd[1]);
        if (!got)
            return 1;
        verifyTimes.push_back(times[0]);
        segTimes.push_back(times[1]);
        segPeak = std::max(segPeak, peak);
        last.nbitem = counts[0];
        last.nbocc = counts[1];
        last.nbart = counts[2];
        last.nbf = counts[3];
    }
    std::printf("corpus: %s (%.1f MB)\n", corpus.c_str(), double(textBytes) / mb);
    auto [vBest, vMed] = summary(verifyTimes);
    std::printf("key verification: best %.3f s (%.0f MB/s), median %.3f s (%.0f MB/s)\n", vBest,
                double(textBytes) / mb / vBest, vMed, double(textBytes) / mb / vMed);
    auto [sBest, sMed] = summary(segTimes);
    std::printf("segmentation (files written): best %.3f s (%.1f MB/s of text, %.2f M items/s), "
                "median %.3f s (%.1f MB/s); %d items, %d occurrences, %d articles, %d forms\n",
                sBest, double(textBytes) / mb / sBest, last.nbitem / sBest / 1e6, sMed,
                double(textBytes) / mb / sMed, last.nbitem, last.nbocc, last.nbart, last.nbf);
    std::printf("segmentation peak RSS: %.1f MB (%.2f x text)\n", double(segPeak) / mb,
                double(segPeak) / double(textBytes));

    // A base is usually opened long after it was written: let the written files reach the
    // disk first, so that their write-back does not slow the reading down.
    sync();
    const std::string par = fs::path(corpus).stem().string() + ".par";
    const int64_t numBytes = fileSize(fs::path(corpus).stem().string() + ".num");
    for (int run = 0; run < kRuns; ++run) {
        int pipeFd[2];
        if (pipe(pipeFd) != 0)
            return 1;
        int64_t peak = 0;
        int rc = inChild(
            [&] {
                charg1 b;
                int calls = 0;
                b.AttribGauge([&](int32_t) { ++calls; });
                bench::Stopwatch s;
                int r = b.ChargeBase(par);
                double t = s.seconds();
                if (r != kChargeOk) {
                    std::fprintf(stderr, "loading failed: %s\n", b.Erreur().c_str());
                    return 1;
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
                return write(pipeFd[1], &t, sizeof t) == sizeof t ? 0 : 1;
            },
            peak);
        double t = 0;
        bool got = rc == 0 && read(pipeFd[0], &t, sizeof t) == sizeof t;
        close(pipeFd[0]);
        close(pipeFd[1]);
        if (!got)
            return 1;
        loadTimes.push_back(t);
        loadPeak = std::max(loadPeak, peak);
    }
    auto [lBest, lMed] = summary(loadTimes);
    std::printf("loading: best %.3f s (%.1f MB/s of .num, %.2f M items/s), median %.3f s "
                "(%.1f MB/s)\n",
                lBest, double(numBytes) / mb / lBest, last.nbitem / lBest / 1e6, lMed,
                double(numBytes) / mb / lMed);
    std::printf("loading peak RSS: %.1f MB (%.2f x .num)\n", double(loadPeak) / mb,
                double(loadPeak) / double(numBytes));
    return 0;
}
