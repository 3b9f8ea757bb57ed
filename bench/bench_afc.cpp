// Correspondence analysis of the large corpus: the table written, the analysis program run
// and its factors read back, for the finest key (the one with the most parts) and for
// every other key, FreqMin 10, then for 10 000 rows by about 100 parts. Prints time and
// peak memory of each run.
#include "BenchSupport.h"

#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"
#include "util/Programme.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

using namespace morvix;
namespace fs = std::filesystem;

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    const std::string programme = DossierProgramme() + "../bin/qz5afc";
    if (!fs::exists(programme)) {
        std::fprintf(stderr, "analysis program not found: %s\n", programme.c_str());
        return 1;
    }
    bench::BenchDir work("afc");
    charg1 base;
    if (!bench::segmenteEtCharge(corpus, base))
        return 1;

    // Keys by decreasing number of parts: the finest first.
    std::vector<std::pair<int32_t, int32_t>> cles; // parts, key code
    const int32_t premiere = base.Nbform() + base.Nbartponct();
    for (int32_t c = premiere; c < premiere + base.Nbcle(); ++c)
        cles.emplace_back(Partition(base, c).NbParties, c);
    std::sort(cles.rbegin(), cles.rend());

    std::printf("corpus %s: %d occurrences, %d forms\n", fs::path(corpus).filename().c_str(),
                base.Nbocc(), base.Nbform());
    const fs::path echange = work.path() / "echange";
    fs::create_directories(echange);
    int rc = 0;
    // Every key at FreqMin 10, then the reference shape: 10 000 rows by the key nearest
    // to 100 parts.
    struct Analyse {
        int32_t cle, nbParties, ni;
    };
    std::vector<Analyse> analyses;
    for (auto [nbParties, cle] : cles)
        if (nbParties >= 3)
            analyses.push_back({cle, nbParties, NbFormesAuMoins(base, 10)});
    if (!analyses.empty()) {
        Analyse ref = *std::min_element(analyses.begin(), analyses.end(), [](auto &a, auto &b) {
            return std::abs(a.nbParties - 100) < std::abs(b.nbParties - 100);
        });
        ref.ni = std::min(10000, base.Nbform());
        analyses.push_back(ref);
    }
    for (const Analyse &a : analyses) {
        Partition partition(base, a.cle);
        ParamAfc param = ParamAfcInitiaux(partition);
        param.FrqMin = 10;
        param.NI = a.ni;
        bench::Stopwatch w;
        ResultatLanceAfc r = LanceAfc(partition, param, echange.string(), programme);
        const double secondes = w.seconds();
        struct rusage enfant {};
        getrusage(RUSAGE_CHILDREN, &enfant);
        std::printf("afc key %-10s %6d rows x %5d parts, %d factors: %.2f s (write + program + "
                    "read), %.1f rows x parts / us; peak RSS: this process %.0f MB, qz5afc "
                    "(largest run so far) %.0f MB%s\n",
                    base.RetourneGraphie(a.cle, false), param.NI, a.nbParties, param.NF, secondes,
                    static_cast<double>(param.NI) * a.nbParties / secondes / 1e6,
                    static_cast<double>(bench::peakRss()) / 1e6,
                    static_cast<double>(enfant.ru_maxrss) * 1024 / 1e6,
                    r.ok() ? "" : (" FAILED: " + r.Detail).c_str());
        if (!r.ok())
            rc = 1;
    }
    return rc;
}
