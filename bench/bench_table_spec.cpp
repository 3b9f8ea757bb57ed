// The per-part specificity table of the partition window on the large corpus cut into 100
// parts: the time of each row order over every form, the cell look-ups a screen of the grid
// needs, and the building of its report page.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/PagesPartition.h"
#include "partitions/Partition.h"
#include "partitions/TableSpec.h"
#include "segmentation/SegmPrinc.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace morvix;
namespace fs = std::filesystem;

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("table");
    // A copy of the corpus with a key "num" that cuts it into 100 parts of equal length.
    const std::string copie = (work.path() / "cent.txt").string();
    {
        std::ifstream in(corpus, std::ios::binary);
        std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string sortie;
        sortie.reserve(texte.size() + 2000);
        const size_t pas = texte.size() / 100;
        size_t debut = 0;
        for (int32_t n = 0; n < 100; ++n) {
            size_t fin = n == 99 ? texte.size() : texte.find('\n', debut + pas);
            if (fin == std::string::npos)
                fin = texte.size();
            char tag[32];
            std::snprintf(tag, sizeof tag, "<num=%02d>\n", n);
            sortie += tag;
            sortie.append(texte, debut, fin - debut);
            debut = fin;
        }
        std::ofstream(copie, std::ios::binary) << sortie;
    }
    charg1 b;
    if (!bench::segmenteEtCharge(copie, b))
        return 1;
    Partition p(b, Partition::CodeCle(b, "num"));
    std::printf("corpus: %s cut into %d parts (%d forms)\n", fs::path(corpus).filename().c_str(),
                p.NbParties, b.Nbform());
    bench::Stopwatch c;
    TableSpec table(std::make_unique<CalcSpecTot>(p, nullptr));
    std::printf("table of %d rows x %d parts: %.2f s to compute\n", table.NbLignes(),
                table.NbColonnes(), c.seconds());

    const char *noms[] = {"lexical ascending",      "lexical descending",
                          "frequency ascending",    "frequency descending",
                          "specificity descending", "specificity ascending"};
    double pire = 0;
    for (int32_t mode = TableSpec::kLexCroissant; mode <= TableSpec::kSpecCroissante; ++mode) {
        bench::Stopwatch s;
        table.Trie(mode, 37);
        const double d = s.seconds();
        pire = std::max(pire, d);
        std::printf("  sort %-24s %.3f s\n", noms[mode], d);
    }
    std::printf("  slowest sort: %.3f s\n", pire);

    // A screen of the grid: 60 rows by 15 parts, frequency and coefficient of each cell,
    // scrolled through the whole table.
    bench::Stopwatch e;
    int64_t somme = 0, cellules = 0;
    for (int32_t debut = 0; debut + 60 <= table.NbLignes(); debut += 60)
        for (int32_t r = debut; r < debut + 60; ++r)
            for (int32_t col = 40; col < 55; ++col) {
                somme += table.Frequence(r, col) + table.Coeff(r, col);
                ++cellules;
            }
    const double ecrans = e.seconds();
    std::printf("  cells: %.1f M/s (%lld cells, one screen in %.1f us; checksum %lld)\n",
                cellules / ecrans / 1e6, static_cast<long long>(cellules),
                ecrans / (double(cellules) / 900) * 1e6, static_cast<long long>(somme));

    // The window streams the page to its file; here the pieces are only counted.
    bench::Stopwatch g;
    int64_t octets = 0;
    PageTableSpec(table, "num", [&octets](std::string_view morceau) {
        octets += static_cast<int64_t>(morceau.size());
        return true;
    });
    std::printf("  report page: %.2f s, %.1f MB\n", g.seconds(), octets / 1e6);
    std::printf("peak RSS: %.1f MB\n", bench::peakRss() / 1e6);
    return 0;
}
