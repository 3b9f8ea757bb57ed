// The large corpus and the tenfold corpus (the large one ten times over, built in a temporary
// folder) side by side: segmentation against `LC_ALL=C wc -w` on the same file, loading, the
// partition by author and its per-part table, the repeated segments 10/10, the concordances
// of "de" and of "Après". Every figure is taken in a child process of its own, with its peak
// memory; each child loads the base first, and its peak includes the base.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "concordance/Concordance.h"
#include "groups/Tgen.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"
#include "segments/SegRep.h"
#include "util/BinaryIO.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace morvix;
namespace fs = std::filesystem;

namespace {

constexpr double kMb = 1e6;

struct Mesure {
    double seconds = 0; // best run
    int64_t peak = 0;   // highest peak of the runs
    double detail = 0;  // a count the phase reports
};

struct Corpus {
    std::string label;
    std::string text;
    std::string par;
    int64_t textBytes = 0;
    int64_t numBytes = 0;
    Mesure wc, segmentation, loading, partition, spectot, segments, concordanceDe, concordanceApres;
};

bool mesure(int runs, const std::function<bool(bench::Figures &)> &phase, Mesure &m) {
    m = Mesure{};
    for (int r = 0; r < runs; ++r) {
        bench::Figures f{};
        int64_t peak = 0;
        if (!bench::inChild(phase, f, peak))
            return false;
        m.seconds = r == 0 ? f[0] : std::min(m.seconds, f[0]);
        m.peak = std::max(m.peak, peak);
        m.detail = f[1];
    }
    return true;
}

// A phase on the loaded base, timed without the loading.
std::function<bool(bench::Figures &)> surLaBase(const std::string &par,
                                                std::function<double(charg1 &)> work) {
    return [par, work](bench::Figures &out) {
        charg1 b;
        if (!bench::charge(b, par))
            return false;
        bench::Stopwatch w;
        out[1] = work(b);
        out[0] = w.seconds();
        return out[1] >= 0;
    };
}

double concordance(charg1 &b, const char *forme) {
    auto pole = PoleDepuisForme(b, forme);
    if (!pole) {
        std::fprintf(stderr, "no form \"%s\"\n", forme);
        return -1;
    }
    OptionsConcordance options;
    options.sens = kTriApres;
    options.largeur = 40;
    return ConstruitConcordance(b, *pole, options).nbLignes;
}

bool mesureCorpus(Corpus &c, int runs) {
    c.textBytes = fileSize(c.text);
    double s = 0;
    int64_t peak = 0;
    for (int r = 0; r < runs; ++r) {
        if (!bench::runProgram("wc", {"-w", c.text}, s, peak)) {
            std::fprintf(stderr, "wc -w failed\n");
            return false;
        }
        c.wc.seconds = r == 0 ? s : std::min(c.wc.seconds, s);
        c.wc.peak = std::max(c.wc.peak, peak);
    }
    const std::string text = c.text;
    if (!mesure(
            runs,
            [text](bench::Figures &out) {
                SegmOptions o;
                o.maxart = 400000;
                bench::Stopwatch w;
                SegmResult r = SegmPrinc(text, kDelimiteursDefaut, o);
                out[0] = w.seconds();
                out[1] = r.nbitem;
                if (!r.ok())
                    std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
                return r.ok();
            },
            c.segmentation))
        return false;
    c.par = fs::path(c.text).stem().string() + ".par";
    c.numBytes = fileSize(fs::path(c.par).stem().string() + ".num");
    const std::string par = c.par;
    if (!mesure(
            runs,
            [par](bench::Figures &out) {
                charg1 b;
                bench::Stopwatch w;
                if (!bench::charge(b, par))
                    return false;
                out[0] = w.seconds();
                out[1] = b.Nbitem();
                return true;
            },
            c.loading))
        return false;
    auto parties = [](charg1 &b) { return Partition(b, Partition::CodeCle(b, "auteur")); };
    return mesure(1, surLaBase(par, [&](charg1 &b) { return parties(b).NbParties; }),
                  c.partition) &&
           mesure(
               1,
               [&](bench::Figures &out) {
                   charg1 b;
                   if (!bench::charge(b, par))
                       return false;
                   Partition p = parties(b);
                   bench::Stopwatch w;
                   CalcSpecTot tot(p, [](int32_t) {});
                   out[0] = w.seconds();
                   out[1] = tot.NbParties();
                   return true;
               },
               c.spectot) &&
           mesure(1,
                  surLaBase(par,
                            [](charg1 &b) {
                                std::set<int32_t> delims;
                                for (int32_t k = b.Nbform(); k < b.Nbform() + b.Nbartponct(); ++k)
                                    delims.insert(k);
                                SegRep store(&b, delims);
                                return store.CalcSegRep(10, 10) ? store.NbSegments() : -1.0;
                            }),
                  c.segments) &&
           mesure(1, surLaBase(par, [](charg1 &b) { return concordance(b, "de"); }),
                  c.concordanceDe) &&
           mesure(1, surLaBase(par, [](charg1 &b) { return concordance(b, "Apr\xE8s"); }),
                  c.concordanceApres);
}

void ligne(const char *name, const std::vector<Corpus> &corpora, Mesure Corpus::*m,
           const char *detail = nullptr,
           const std::function<std::string(const Corpus &)> &extra = {}) {
    // Padded by characters, not bytes (the names are UTF-8).
    int width = 0;
    for (const char *q = name; *q; ++q)
        width += (static_cast<unsigned char>(*q) & 0xC0) != 0x80;
    std::printf("%s%*s", name, std::max(0, 26 - width), "");
    for (const Corpus &c : corpora) {
        const Mesure &x = c.*m;
        std::printf(" | %s %8.3f s %7.0f MB", c.label.c_str(), x.seconds, double(x.peak) / kMb);
        if (detail)
            std::printf(" %.0f %s", x.detail, detail);
        if (extra)
            std::printf(" %s", extra(c).c_str());
    }
    std::printf("\n");
}

std::string format(const char *f, double a, double b = 0) {
    char buf[96];
    std::snprintf(buf, sizeof buf, f, a, b);
    return buf;
}

} // namespace

int main() {
    const std::string large = bench::requireLargeCorpus();
    if (large.empty())
        return 1;
    setenv("LC_ALL", "C", 1);
    bench::BenchDir work("decuple");
    const std::string tenfold = (work.path() / "decuple.txt").string();
    // Written by a child, so that none of the text stays in this process's heap to be
    // counted in the peaks of the children that follow.
    bench::Figures unused{};
    int64_t peak = 0;
    if (!bench::inChild(
            [&](bench::Figures &) {
                std::ifstream in(large, std::ios::binary);
                std::string text((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
                if (!text.empty() && text.back() != '\n')
                    text += '\n';
                std::ofstream out(tenfold, std::ios::binary);
                for (int i = 0; i < 10; ++i)
                    out << text;
                return static_cast<bool>(out.flush());
            },
            unused, peak)) {
        std::fprintf(stderr, "cannot write %s\n", tenfold.c_str());
        return 1;
    }
    std::vector<Corpus> corpora(2);
    corpora[0].label = "large";
    corpora[0].text = large;
    corpora[1].label = "tenfold";
    corpora[1].text = tenfold;
    if (!mesureCorpus(corpora[0], 3) || !mesureCorpus(corpora[1], 2))
        return 1;

    std::printf("large: %s, %.1f MB; tenfold: the large corpus ten times over, %.1f MB\n",
                fs::path(large).filename().c_str(), double(corpora[0].textBytes) / kMb,
                double(corpora[1].textBytes) / kMb);
    std::printf("times are the best of 3 runs (large) and 2 (tenfold) for wc, segmentation and "
                "loading, of 1 otherwise; memory is each process's peak RSS\n");
    bool met = true;
    ligne("LC_ALL=C wc -w", corpora, &Corpus::wc);
    ligne("segmentation", corpora, &Corpus::segmentation, "items", [&](const Corpus &c) {
        const double ratio = c.segmentation.seconds / c.wc.seconds;
        const double memory = double(c.segmentation.peak) / double(c.textBytes);
        if (&c == &corpora[0])
            met = met && ratio <= 1.0;
        met = met && memory < 1.0;
        return format("(%.2f x wc -w, %.2f x text)", ratio, memory);
    });
    ligne("loading", corpora, &Corpus::loading, "items", [&](const Corpus &c) {
        const double rate = double(c.numBytes) / kMb / c.loading.seconds;
        const double memory = double(c.loading.peak) / double(c.numBytes);
        met = met && rate >= (&c == &corpora[0] ? 400 : 300) && memory <= 2.2;
        return format("(%.0f MB/s of .num, %.2f x .num)", rate, memory);
    });
    ligne("Partition auteur", corpora, &Corpus::partition, "parts");
    ligne("CalcSpecTot auteur", corpora, &Corpus::spectot, "parts");
    ligne("CalcSegRep 10/10", corpora, &Corpus::segments, "segments");
    ligne("concordance \"de\"", corpora, &Corpus::concordanceDe, "lines");
    ligne("concordance \"Apr\xC3\xA8s\"", corpora, &Corpus::concordanceApres, "lines");
    std::printf("%-26s", "files");
    for (const Corpus &c : corpora) {
        const std::string stem = fs::path(c.par).stem().string();
        std::printf(" | %s .num %.0f MB, .dic %.1f MB, .loc.sr %.0f MB", c.label.c_str(),
                    double(c.numBytes) / kMb, double(fileSize(stem + ".dic")) / kMb,
                    double(std::max<int64_t>(fileSize(stem + ".loc.sr"), 0)) / kMb);
    }
    std::printf("\n");
    std::printf("targets (segmentation <= 1.0 x wc -w on the large corpus and < 1 x the text; "
                "loading >= 400 MB/s large, >= 300 MB/s tenfold, <= 2.2 x .num): %s\n",
                met ? "met" : "MISSED");
    return met ? 0 : 1;
}
