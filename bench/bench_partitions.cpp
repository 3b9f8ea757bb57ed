// Partitions and specificities on the large corpus, by its finest key (the most spans), by
// coarser ones and by a key of exactly 30 parts added to a temporary copy: partition build
// throughput, CalcSpecTot throughput in (form, part) coefficients per second, PrimSpecChr time,
// peak memory.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpecChr.h"
#include "segmentation/SegmPrinc.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace morvix;
namespace fs = std::filesystem;

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("part");
    // A copy of the corpus (in the temporary folder) with one more key, "periode", that
    // groups the novels, in text order, into 30 parts, so that the chronological
    // specificities are also timed on exactly 30 parts.
    const std::string copie = (work.path() / "romans30.txt").string();
    {
        std::ifstream in(corpus, std::ios::binary);
        std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string sortie;
        sortie.reserve(texte.size() + 20000);
        int32_t roman = 0;
        size_t debut = 0;
        for (size_t at = texte.find("<livre="); at != std::string::npos;
             at = texte.find("<livre=", at + 1)) {
            sortie.append(texte, debut, at - debut);
            char tag[32];
            std::snprintf(tag, sizeof tag, "<periode=%02d> ", roman++ * 30 / 100);
            sortie += tag;
            debut = at;
        }
        sortie.append(texte, debut, std::string::npos);
        std::ofstream(copie, std::ios::binary) << sortie;
    }
    charg1 b;
    SegmResult r;
    if (!bench::segmenteEtCharge(copie, b, &r))
        return 1;
    std::printf("corpus: %s with a key \"periode\" added (%d items, %d occurrences, %d forms)\n",
                fs::path(corpus).filename().c_str(), b.Nbitem(), b.Nbocc(), b.Nbform());
    const int64_t avant = bench::peakRss();

    for (const char *cle : {"chapitre", "livre", "auteur", "date", "periode"}) {
        const int32_t code = Partition::CodeCle(b, cle);
        if (code < 0)
            continue;
        // The first build pays for the fresh pages of the table; the best of three does not.
        double premier = 0, meilleur = 1e30;
        for (int essai = 0; essai < 3; ++essai) {
            bench::Stopwatch w;
            Partition essaye(b, code);
            const double d = w.seconds();
            premier = essai == 0 ? d : premier;
            meilleur = std::min(meilleur, d);
        }
        bench::Stopwatch w;
        Partition p(b, code);
        meilleur = std::min(meilleur, w.seconds());
        std::printf("key %s: %d spans, %d parts\n", cle, p.NbTranches, p.NbParties);
        std::printf("  partition: %.3f s first, %.3f s best: %.1f M items/s (%.1f first)\n",
                    premier, meilleur, b.Nbitem() / meilleur / 1e6, b.Nbitem() / premier / 1e6);

        bench::Stopwatch s;
        int32_t appels = 0;
        CalcSpecTot tot(p, [&](int32_t) { ++appels; });
        const double spec = s.seconds();
        int64_t resultats = 0;
        for (int32_t i = 0; i < tot.NbParties(); ++i)
            resultats += tot.Spec(i).NbResultats();
        const double cellules = double(b.Nbform()) * tot.NbParties();
        std::printf("  CalcSpecTot: %.3f s, %.2f M coefficients/s (%.0f cells, %lld results, "
                    "%d progress calls)\n",
                    spec, cellules / spec / 1e6, cellules, static_cast<long long>(resultats),
                    appels);

        if (p.NbParties <= 120) {
            bench::Stopwatch c;
            PrimSpecChr chr(p, p.Seuil, p.FrqMin);
            chr.Calcule();
            const double chrono = c.seconds();
            std::printf("  PrimSpecChr: %.3f s for %d parts (%d runs per form, %d results)\n",
                        chrono, p.NbParties, p.NbParties * (p.NbParties + 1) / 2,
                        chr.NbResultats());
        }
    }
    std::printf("peak RSS: %.1f MB (%.1f MB with the base loaded)\n", bench::peakRss() / 1e6,
                avant / 1e6);
    return 0;
}
