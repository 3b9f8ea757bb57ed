// The section map window on the large corpus: paging the map of the view cut at "!" (tens of
// thousands of sections) with the commonest form dropped on it, and showing the text of long
// sections, the longest pause of each; the report image of the map.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "corpus/Section.h"
#include "report/Rapport.h"
#include "sections/TFenCarteParag.h"
#include "sections/VueCarte.h"
#include "sections/VueParag.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace morvix;

namespace {

void pages(ui::TFenCarteParag &fen, QScrollArea *zone) {
    QScrollBar *barre = zone->verticalScrollBar();
    std::vector<double> durees;
    for (int y = 0; y <= barre->maximum(); y += barre->pageStep()) {
        bench::Stopwatch t;
        barre->setValue(y);
        zone->viewport()->repaint();
        durees.push_back(t.seconds());
    }
    std::sort(durees.begin(), durees.end());
    std::printf("  %zu pages of %d pixels: median %.2f ms, longest %.2f ms\n", durees.size(),
                barre->pageStep(), durees[durees.size() / 2] * 1e3, durees.back() * 1e3);
    (void)fen;
}

} // namespace

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("gui-sections");
    charg1 base;
    if (!bench::segmenteEtCharge(corpus, base))
        return 1;
    QApplication app(argc, argv);

    for (const char *delimiteur : {"!", ";"}) {
        const int32_t code = base.LocFormDic(delimiteur, false);
        Section vue(base, &code, 1);
        ui::TFenCarteParag fen(base, vue, ui::ContexteCarte{});
        fen.resize(1000, 700);
        fen.show();
        QApplication::processEvents();
        auto *zone = fen.findChild<QScrollArea *>(QStringLiteral("ScrollBox1"));
        std::printf("view \"%s\": %d sections, map %d x %d\n", delimiteur, vue.NbSections,
                    fen.PaintBox1()->width(), fen.PaintBox1()->height());
        bench::Stopwatch tDepot;
        fen.DeposeGroupe(TgenDrag{{0}, 0x0000FF, {}}, false);
        std::printf("  drop of the commonest form: %.3f s\n", tDepot.seconds());
        pages(fen, zone);

        // The text of the longest sections.
        std::vector<int32_t> ordre(static_cast<size_t>(vue.NbSections));
        for (int32_t s = 0; s < vue.NbSections; ++s)
            ordre[static_cast<size_t>(s)] = s;
        auto longueur = [&vue](int32_t s) {
            return vue.Debuts[static_cast<size_t>(s) + 1] - vue.Debuts[static_cast<size_t>(s)];
        };
        std::partial_sort(ordre.begin(), ordre.begin() + std::min<int32_t>(5, vue.NbSections),
                          ordre.end(),
                          [&](int32_t a, int32_t b) { return longueur(a) > longueur(b); });
        double pire = 0;
        for (int i = 0; i < std::min<int32_t>(5, vue.NbSections); ++i) {
            bench::Stopwatch t;
            fen.PaintBox1Clic(ordre[static_cast<size_t>(i)], false, false);
            fen.ParagEdit()->viewport()->repaint();
            pire = std::max(pire, t.seconds());
        }
        std::printf("  text of the 5 longest sections (up to %d positions): longest %.3f s\n",
                    longueur(ordre[0]), pire);

        Rapport rapport(nullptr, &base);
        ui::ContexteCarte contexte;
        contexte.rapport = [&rapport] { return &rapport; };
        ui::TFenCarteParag avecRapport(base, vue, contexte);
        bench::Stopwatch tImage;
        avecRapport.AjouteImageRapport();
        std::printf("  report image: %.3f s\n", tImage.seconds());
    }
    return 0;
}
