// Partitions of many parts. A copy of the large corpus, built in a temporary folder, gets a
// tag <num=N> every 1 000 words, <num4=N> every 4 000 and <num10=N> every 10 000 (a word: a
// blank-separated token that is not a tag): 8 446, 2 112 and 845 parts. Each figure is taken
// in a child process of its own and printed against its target: the partition on num (< 3 s,
// < 1 GB), the per-part table on num (< 20 s), the correspondence analysis on num4 (< 60 s),
// the chronological specificities on num10 (they finish, with progress). The command line's
// `partition` and `spectot` are timed too, their output thrown away.
#include "BenchSupport.h"

#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpecChr.h"
#include "segmentation/SegmPrinc.h"
#include "util/Programme.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace morvix;
namespace fs = std::filesystem;

namespace {

// The corpus with its three keys of regular parts.
bool ecritCorpus(const std::string &source, const std::string &cible) {
    std::ifstream in(source, std::ios::binary);
    const std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (texte.empty())
        return false;
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 200);
    int64_t mots = 0;
    char tag[64];
    auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    for (size_t i = 0; i < texte.size();) {
        if (blanc(texte[i])) {
            sortie += texte[i++];
            continue;
        }
        size_t fin = i;
        while (fin < texte.size() && !blanc(texte[fin]))
            ++fin;
        const bool estTag = texte[i] == '<' && texte[fin - 1] == '>';
        if (!estTag) {
            constexpr std::pair<const char *, int64_t> kCles[] = {
                {"num", 1000}, {"num4", 4000}, {"num10", 10000}};
            for (auto [cle, pas] : kCles)
                if (mots % pas == 0) {
                    std::snprintf(tag, sizeof tag, "<%s=%lld> ", cle,
                                  static_cast<long long>(mots / pas));
                    sortie += tag;
                }
            ++mots;
        }
        sortie.append(texte, i, fin - i);
        i = fin;
    }
    std::ofstream(cible, std::ios::binary) << sortie;
    return true;
}

const char *verdict(bool tenu) { return tenu ? "met" : "MISSED"; }

} // namespace

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("echelle");
    const std::string texte = (work.path() / "echelle.txt").string();
    const std::string par = "echelle.par";
    const double mb = 1e6;
    bench::Figures f{};
    int64_t pic = 0;
    if (!bench::inChild(
            [&](bench::Figures &) {
                if (!ecritCorpus(corpus, texte))
                    return false;
                SegmOptions o;
                o.maxart = 400000;
                SegmResult r = SegmPrinc(texte, kDelimiteursDefaut, o);
                if (!r.ok())
                    std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
                return r.ok();
            },
            f, pic))
        return 1;
    std::printf("corpus: %s with keys num, num4, num10 every 1 000, 4 000, 10 000 words\n",
                fs::path(corpus).filename().c_str());
    int rc = 0;

    // The partition of 8 446 parts.
    if (!bench::inChild(
            [&](bench::Figures &out) {
                charg1 b;
                bench::Stopwatch c;
                if (!bench::charge(b, par))
                    return false;
                out[0] = c.seconds();
                bench::Stopwatch w;
                Partition p(b, Partition::CodeCle(b, "num"));
                out[1] = w.seconds();
                out[2] = p.NbParties;
                out[3] = static_cast<double>(p.NbFrqNonNulles());
                out[4] = b.Nbform();
                return true;
            },
            f, pic))
        return 1;
    const bool partitionTenue = f[0] + f[1] < 3.0 && pic < 1000 * 1000 * 1000;
    rc |= !partitionTenue;
    std::printf("partition num: %.0f parts, %.2f s to build (+ %.2f s loading the base), peak "
                "RSS %.0f MB; %.0f non-zero cells of %.0f forms x parts (%.2f %%); target < 3 s "
                "and < 1 GB: %s\n",
                f[2], f[1], f[0], double(pic) / mb, f[3], f[4] * f[2], 100 * f[3] / (f[4] * f[2]),
                verdict(partitionTenue));

    // The per-part table on it.
    if (!bench::inChild(
            [&](bench::Figures &out) {
                charg1 b;
                if (!bench::charge(b, par))
                    return false;
                Partition p(b, Partition::CodeCle(b, "num"));
                int32_t appels = 0;
                bench::Stopwatch w;
                CalcSpecTot tot(p, [&](int32_t) { ++appels; });
                out[0] = w.seconds();
                int64_t resultats = 0;
                for (int32_t i = 0; i < tot.NbParties(); ++i)
                    resultats += tot.Spec(i).NbResultats();
                out[1] = static_cast<double>(resultats);
                out[2] = appels;
                return true;
            },
            f, pic))
        return 1;
    const bool spectotTenu = f[0] < 20.0;
    rc |= !spectotTenu;
    std::printf("CalcSpecTot num: %.2f s, %.0f results, %.0f progress calls, peak RSS %.0f MB; "
                "target < 20 s: %s\n",
                f[0], f[1], f[2], double(pic) / mb, verdict(spectotTenu));

    const std::string cli = DossierProgramme() + "../bin/morvix-cli";
    if (fs::exists(cli)) {
        for (const char *cmd : {"partition", "spectot"}) {
            double s = 0;
            if (!bench::runProgram(cli, {cmd, par, "num"}, s, pic)) {
                std::fprintf(stderr, "morvix-cli %s failed\n", cmd);
                return 1;
            }
            std::printf("morvix-cli %s echelle.par num > /dev/null: %.2f s, peak RSS %.0f MB\n",
                        cmd, s, double(pic) / mb);
        }
    }

    // The correspondence analysis of 2 112 parts.
    const std::string qz5afc = DossierProgramme() + "../bin/qz5afc";
    if (fs::exists(qz5afc)) {
        if (!bench::inChild(
                [&](bench::Figures &out) {
                    charg1 b;
                    if (!bench::charge(b, par))
                        return false;
                    Partition p(b, Partition::CodeCle(b, "num4"));
                    ParamAfc param = ParamAfcInitiaux(p);
                    DossierPrive dossier;
                    bench::Stopwatch w;
                    ResultatLanceAfc r = LanceAfc(p, param, dossier.Chemin(), qz5afc);
                    out[0] = w.seconds();
                    if (!r.ok()) {
                        std::fprintf(stderr, "afc failed: %s %s\n", r.Message.c_str(),
                                     r.Detail.c_str());
                        return false;
                    }
                    struct rusage u {};
                    getrusage(RUSAGE_CHILDREN, &u);
                    out[1] = static_cast<double>(u.ru_maxrss) * 1024;
                    out[2] = param.NI;
                    out[3] = p.NbParties;
                    out[4] = param.NF;
                    out[5] = static_cast<double>(bench::peakRss());
                    return true;
                },
                f, pic))
            return 1;
        const bool afcTenue = f[0] < 60.0;
        rc |= !afcTenue;
        std::printf(
            "afc num4: %.0f rows x %.0f parts, %.0f factors: %.2f s (write, qz5afc, read "
            "back), peak RSS %.0f MB writing and reading, %.0f MB in qz5afc; target < 60 s: "
            "%s\n",
            f[2], f[3], f[4], f[0], f[5] / mb, f[1] / mb, verdict(afcTenue));
    }

    // The chronological specificities of 845 parts.
    if (!bench::inChild(
            [&](bench::Figures &out) {
                charg1 b;
                if (!bench::charge(b, par))
                    return false;
                Partition p(b, Partition::CodeCle(b, "num10"));
                PrimSpecChr chr(p, p.Seuil, p.FrqMin);
                int32_t appels = 0;
                double premier = -1;
                bench::Stopwatch w;
                chr.Calcule([&](int32_t) {
                    if (appels++ == 0)
                        premier = w.seconds();
                });
                out[0] = w.seconds();
                out[1] = appels;
                out[2] = premier;
                out[3] = chr.NbResultats();
                out[4] = p.NbParties;
                return true;
            },
            f, pic))
        return 1;
    const bool chronoTenu = f[1] >= 100;
    rc |= !chronoTenu;
    std::printf("PrimSpecChr num10: %.0f parts (%.0f runs per form), %.1f s, %.0f results, %.0f "
                "progress calls (the first after %.2f s), peak RSS %.0f MB; target: finishes "
                "with progress: %s\n",
                f[4], f[4] * (f[4] + 1) / 2, f[0], f[3], f[1], f[2], double(pic) / mb,
                verdict(chronoTenu));
    return rc;
}
