// Start-up benchmark of the main window on the large corpus: the time from the command to a
// usable window (dictionary and text shown) beyond the loading itself, the resident memory
// then, and the longest pause while paging the text window from top to bottom.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "mainwindow/TFenPrinc.h"
#include "report/TFenEddy.h"
#include "report/VueTexte.h"
#include "segmentation/SegmPrinc.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace morvix;

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string corpus = bench::largeCorpus();
    if (!std::filesystem::exists(corpus)) {
        std::fprintf(stderr, "bench_gui: corpus not found: %s\n", corpus.c_str());
        return 1;
    }
    const auto dossier = std::filesystem::temp_directory_path() / "morvix-bench-gui";
    std::filesystem::create_directories(dossier);
    std::filesystem::current_path(dossier);
    SegmOptions options;
    options.maxart = kMaxartLimite;
    const SegmResult segm = SegmPrinc(corpus, kDelimiteursDefaut, options);
    if (!segm.ok()) {
        std::fprintf(stderr, "bench_gui: %s\n", segm.message.c_str());
        return 1;
    }
    const std::string par = (dossier / (segm.baseName + ".par")).string();
    double chargement = 0;
    {
        bench::Stopwatch chrono;
        charg1 base;
        base.ChargeBase(par);
        chargement = chrono.seconds();
    }

    QApplication app(argc, argv);
    ui::TFenPrinc fen;
    fen.resize(1400, 900);
    fen.show();
    bench::Stopwatch chrono;
    fen.OuvreBase(QString::fromStdString(par));
    QApplication::processEvents();
    // Usable: the text window has been drawn once.
    fen.FenEddy()->HTMLEdit()->viewport()->repaint();
    const double total = chrono.seconds();
    std::printf("corpus %s: %d items\n", corpus.c_str(), fen.Base()->Nbitem());
    std::printf("base loading: %.2f s; command to usable window: %.2f s (%.2f s beyond loading)\n",
                chargement, total, total - chargement);
    std::printf("resident memory then: %.0f MB\n",
                static_cast<double>(bench::currentRss()) / (1024.0 * 1024.0));

    ui::VueTexte *vue = fen.FenEddy()->HTMLEdit();
    double pire = 0;
    int pas = 0;
    int pireLigne = 0;
    std::vector<double> durees;
    const int32_t lignes = vue->NbLignesTexte();
    // Page down from the top for a while, then jump along the whole text.
    for (; pas < 3000; ++pas) {
        bench::Stopwatch t;
        vue->Defile(40);
        vue->viewport()->repaint();
        durees.push_back(t.seconds());
        if (t.seconds() > pire) {
            pire = t.seconds();
            pireLigne = vue->PremiereLigne();
        }
    }
    for (int i = 0; i <= 500; ++i) {
        bench::Stopwatch t;
        vue->verticalScrollBar()->setValue(
            static_cast<int>(static_cast<int64_t>(lignes) * i / 500));
        vue->viewport()->repaint();
        durees.push_back(t.seconds());
        if (t.seconds() > pire) {
            pire = t.seconds();
            pireLigne = vue->PremiereLigne();
        }
    }
    std::printf("text window: %d lines; longest pause over %d page steps and 501 jumps: %.1f ms "
                "(at line %d, %lld characters)\n",
                lignes, pas, pire * 1000.0, pireLigne,
                static_cast<long long>(vue->TexteLigne(pireLigne).size()));
    std::sort(durees.begin(), durees.end());
    const auto lents =
        std::count_if(durees.begin(), durees.end(), [](double d) { return d > 0.1; });
    std::printf("median step %.1f ms, 99th percentile %.1f ms, steps above 100 ms: %lld\n",
                durees[durees.size() / 2] * 1000.0, durees[durees.size() * 99 / 100] * 1000.0,
                static_cast<long long>(lents));
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(dossier);
    return 0;
}
