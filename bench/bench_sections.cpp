// Section maps on the large corpus: building views cut at "." and at "!", the per-section
// form counts, marking the commonest form with its coefficients (against the section-by-
// section scan it replaces), the layout and hit test of the map, the styles of every box, the
// specificities of many sections, and the text of the longest section.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Specificite.h"
#include "sections/CarteSections.h"
#include "sections/SpecSections.h"
#include "sections/TexteSection.h"
#include "segmentation/SegmPrinc.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

using namespace morvix;

namespace {

// The marking as a section-by-section scan: each section's positions against the group's
// set until the first hit, then the group's count in the section.
MarquageGroupe marquageParSection(const Section &v, const Tgen &g) {
    MarquageGroupe m;
    m.marques.assign(static_cast<size_t>(v.NbSections), 0);
    m.coeffs.assign(static_cast<size_t>(v.NbSections), 0);
    for (int32_t s = 0; s < v.NbSections; ++s) {
        for (int32_t p = v.Debuts[static_cast<size_t>(s)]; p < v.Debuts[static_cast<size_t>(s) + 1];
             ++p) {
            if (g.OccSet.contains(p)) {
                m.marques[static_cast<size_t>(s)] = 1;
                m.coeffs[static_cast<size_t>(s)] = CoeffSpec(v.Base->Nbocc(), v.NbFormesSect(s),
                                                             g.NbOcc, v.FrqTgenSect(g, s), 0.05);
                break;
            }
        }
    }
    return m;
}

void mesureVue(const charg1 &b, const char *delimiteur) {
    const int32_t code = b.LocFormDic(delimiteur, false);
    if (code < 0)
        return;
    bench::Stopwatch tVue;
    Section v(b, &code, 1);
    const double sVue = tVue.seconds();
    std::printf("view \"%s\": %d sections, built in %.3f s (%.0f Mitems/s)\n", delimiteur,
                v.NbSections, sVue, b.Nbitem() / sVue / 1e6);

    bench::Stopwatch tFormes;
    const std::vector<int32_t> formes = FormesParSection(v);
    std::printf("  form counts of every section: %.3f s\n", tFormes.seconds());

    const int32_t de = 0; // the commonest form
    Tgen g(&b, &de, 1, nullptr);
    bench::Stopwatch tMarque;
    const MarquageGroupe m = MarqueGroupe(v, formes, g, b.Nbocc(), true);
    const double sMarque = tMarque.seconds();
    const auto marquees = std::count(m.marques.begin(), m.marques.end(), 1);
    std::printf("  marking \"%s\" (%d occurrences, %ld sections): %.4f s\n", g.Nom.c_str(), g.NbOcc,
                static_cast<long>(marquees), sMarque);
    if (v.NbSections <= 200000) {
        bench::Stopwatch tNaif;
        const MarquageGroupe n = marquageParSection(v, g);
        const double sNaif = tNaif.seconds();
        std::printf("  section-by-section scan: %.3f s (%.0f times slower), %s results\n", sNaif,
                    sNaif / sMarque,
                    n.marques == m.marques && n.coeffs == m.coeffs ? "same" : "DIFFERENT");
    }

    CarteSections carte(v);
    carte.PoseGroupePrincipal(std::make_unique<Tgen>(&b, &de, 1, nullptr), m);
    bench::Stopwatch tDisp;
    carte.SetTailleBoite(9);
    const double sDisp = tDisp.seconds();
    const DispositionCarte &d = carte.Disposition();
    std::printf("  layout: %.4f s, area %d x %d\n", sDisp, d.Largeur(), d.Hauteur());
    std::mt19937 alea(1);
    int64_t touches = 0;
    bench::Stopwatch tTouche;
    constexpr int kPoints = 1000000;
    for (int i = 0; i < kPoints; ++i)
        touches += d.Touche(static_cast<int32_t>(alea() % static_cast<uint32_t>(d.Largeur())),
                            static_cast<int32_t>(alea() % static_cast<uint32_t>(d.Hauteur()))) >= 0;
    const double sTouche = tTouche.seconds();
    std::printf("  hit test: %.1f M points/s (%ld on a box)\n", kPoints / sTouche / 1e6,
                static_cast<long>(touches));
    bench::Stopwatch tStyle;
    uint64_t somme = 0;
    for (int32_t s = 0; s < v.NbSections; ++s)
        somme += carte.Style(s).fond;
    std::printf("  styles of every box: %.4f s (%llu)\n", tStyle.seconds(),
                static_cast<unsigned long long>(somme % 7));

    std::vector<int32_t> cibles;
    for (int32_t s = 0; s < v.NbSections; s += std::max(1, v.NbSections / 20000))
        cibles.push_back(s);
    bench::Stopwatch tSpec;
    const ResultatSpecSections r = SpecSections(v, cibles, {2, 5, 1});
    std::printf("  specificities of %zu sections (%lld forms): %.3f s, %zu results\n",
                cibles.size(), static_cast<long long>(r.taille), tSpec.seconds(),
                r.resultats.size());

    int32_t longue = 0;
    for (int32_t s = 1; s < v.NbSections; ++s)
        if (v.Debuts[static_cast<size_t>(s) + 1] - v.Debuts[static_cast<size_t>(s)] >
            v.Debuts[static_cast<size_t>(longue) + 1] - v.Debuts[static_cast<size_t>(longue)])
            longue = s;
    bench::Stopwatch tTexte;
    const TexteSectionResultat texte = TexteSection(v, longue, &g, nullptr);
    std::printf("  text of the longest section (%d positions, %zu runs): %.4f s\n",
                v.Debuts[static_cast<size_t>(longue) + 1] - v.Debuts[static_cast<size_t>(longue)],
                texte.runs.size(), tTexte.seconds());
}

} // namespace

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("sections");
    charg1 b;
    if (!bench::segmenteEtCharge(corpus, b))
        return 1;
    std::printf("corpus: %s (%d items, %d occurrences, %d forms)\n",
                std::filesystem::path(corpus).filename().c_str(), b.Nbitem(), b.Nbocc(),
                b.Nbform());
    for (const char *d : {".", "!"})
        mesureVue(b, d);
    std::printf("peak memory: %.0f MB\n", bench::peakRss() / 1e6);
    return 0;
}
