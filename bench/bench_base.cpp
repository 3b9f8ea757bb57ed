// Segmentation and loading of the large corpus: throughput and peak memory of each phase,
// each phase measured in a child process of its own.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"
#include "util/BinaryIO.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

    int64_t peak = 0;
    int rc = inChild(
        [&] {
            bench::Stopwatch w;
            int32_t errors = VerifCles(corpus);
            double verify = w.seconds();
            SegmOptions o;
            o.maxart = 400000;
            bench::Stopwatch s;
            SegmResult r = SegmPrinc(corpus, kDelimiteursDefaut, o);
            double seg = s.seconds();
            if (!r.ok()) {
                std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
                return 1;
            }
            std::printf("corpus: %s (%.1f MB)\n", corpus.c_str(), double(textBytes) / mb);
            std::printf("key verification: %.3f s, %.0f MB/s, %d errors\n", verify,
                        double(textBytes) / mb / verify, errors);
            std::printf("segmentation: %.3f s, %.1f MB/s of text, %.2f M items/s "
                        "(%d items, %d occurrences, %d articles, %d forms)\n",
                        seg, double(textBytes) / mb / seg, r.nbitem / seg / 1e6, r.nbitem, r.nbocc,
                        r.nbart, r.nbf);
            return 0;
        },
        peak);
    if (rc != 0)
        return 1;
    std::printf("segmentation peak RSS: %.1f MB (%.2f x text)\n", double(peak) / mb,
                double(peak) / double(textBytes));

    const std::string par = fs::path(corpus).stem().string() + ".par";
    const int64_t numBytes = fileSize(fs::path(corpus).stem().string() + ".num");
    rc = inChild(
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
            std::printf("loading: %.3f s, %.1f MB/s of .num, %.2f M items/s, %d gauge calls\n", t,
                        double(numBytes) / mb / t, b.Nbitem() / t / 1e6, calls);
            bench::Stopwatch q;
            int64_t total = 0;
            for (int32_t c = 0; c < b.Nbform(); ++c)
                total += static_cast<int64_t>(b.LocOccFor(c).size());
            std::printf("LocOccFor over every form: %.3f s (%lld positions)\n", q.seconds(),
                        static_cast<long long>(total));
            return 0;
        },
        peak);
    if (rc != 0)
        return 1;
    std::printf("loading peak RSS: %.1f MB (%.2f x .num)\n", double(peak) / mb,
                double(peak) / double(numBytes));
    return 0;
}
