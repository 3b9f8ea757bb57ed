// The charts and the factorial map on the large corpus, with a key "seg" added to a
// temporary copy every 290 words (about 30 000 parts): the group distribution graph of the
// commonest forms in both modes, the Pareto and vocabulary-growth curves, and the map of
// 30 000 points (factors drawn at random; the map does not depend on their values): its
// full paint, hover texts, clicks, a rubber band over every point and an axis change.
#include "BenchSupport.h"

#include "afc/TFenGrapheAFC.h"
#include "afc/TListePoints.h"
#include "afc/VueCarteAFC.h"
#include "base/charg1.h"
#include "dictionary/AccroissementVocabulaire.h"
#include "dictionary/Pareto.h"
#include "dictionary/TFenGrapheAC.h"
#include "dictionary/TFenZipf.h"
#include "groups/TFenGrapheTgen.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

using namespace morvix;

namespace {

std::string copieDecoupee(const std::string &corpus, const std::filesystem::path &dossier) {
    std::ifstream in(corpus, std::ios::binary);
    std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 100);
    int32_t mots = 0, n = 0;
    bool dansMot = false, dansBalise = false;
    for (char c : texte) {
        if (c == '<')
            dansBalise = true;
        const bool blanc = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!dansBalise && blanc && dansMot && ++mots % 290 == 0) {
            sortie += " <seg=" + std::to_string(n++) + ">";
        }
        dansMot = !blanc && !dansBalise;
        if (c == '>')
            dansBalise = false;
        sortie += c;
    }
    const std::string chemin = (dossier / "romans-seg.txt").string();
    std::ofstream(chemin, std::ios::binary) << sortie;
    return chemin;
}

void mouvement(QWidget *w, QEvent::Type type, QPoint p, Qt::MouseButton bouton,
               Qt::MouseButtons boutons) {
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), bouton, boutons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("gui-graphiques");
    charg1 base;
    if (!bench::segmenteEtCharge(copieDecoupee(corpus, work.path()), base))
        return 1;
    QApplication app(argc, argv);
    Partition seg(base, Partition::CodeCle(base, "seg"));
    Partition livre(base, Partition::CodeCle(base, "livre"));
    std::printf("corpus: %d occurrences, %d forms; key seg: %d parts; key livre: %d parts\n",
                base.Nbocc(), base.Nbform(), seg.NbParties, livre.NbParties);

    // Curves of the core.
    for (Partition *p : {&livre, &seg}) {
        bench::Stopwatch t;
        const CourbePareto pareto = CalculePareto(*p);
        const double tp = t.seconds();
        for (int32_t j = 0; j < p->NbParties; j += 2)
            p->Selec[static_cast<size_t>(j)] = true;
        bench::Stopwatch t2;
        const CourbePareto moitie = CalculePareto(*p);
        const double tm = t2.seconds();
        bench::Stopwatch t3;
        const CourbeAccroissement ac = CalculeAccroissement(*p);
        const double ta = t3.seconds();
        std::fill(p->Selec.begin(), p->Selec.end(), false);
        std::printf("%d parts: Pareto of all parts %.3f s (%zu points), of half of them %.3f s; "
                    "vocabulary growth of half %.3f s (%zu points)\n",
                    p->NbParties, tp, pareto.Points.size(), tm, ta, ac.Points.size());
        (void)moitie;
    }
    {
        bench::Stopwatch t;
        ui::TFenGrapheAC ac(&livre, base, {});
        ac.resize(1000, 500);
        ac.show();
        QApplication::processEvents();
        ac.repaint();
        std::printf("vocabulary growth window on the whole text: %.3f s\n", t.seconds());
        bench::Stopwatch t2;
        ui::TFenZipf zipf(livre, {});
        zipf.resize(1000, 500);
        zipf.show();
        QApplication::processEvents();
        zipf.repaint();
        std::printf("Pareto window: %.3f s\n", t2.seconds());
    }

    // The distribution graph of the three commonest forms over 30 000 parts.
    {
        ui::TFenGrapheTgen graphe(seg, {});
        graphe.resize(1000, 500);
        graphe.show();
        QApplication::processEvents();
        bench::Stopwatch t;
        for (int32_t code : {0, 1, 2})
            graphe.AjouteGroupe(std::make_unique<Tgen>(&base, &code, 1, nullptr));
        QApplication::processEvents();
        graphe.repaint();
        std::printf("distribution graph, 3 groups over %d parts, frequencies: %.3f s\n",
                    seg.NbParties, t.seconds());
        bench::Stopwatch t2;
        graphe.Bouton("BtnAffSpf")->click();
        QApplication::processEvents();
        graphe.repaint();
        std::printf("  specificities: %.3f s\n", t2.seconds());
        bench::Stopwatch t3;
        graphe.Bouton("BtnZoom")->click();
        QApplication::processEvents();
        graphe.repaint();
        graphe.Bouton("BtnRight")->click();
        QApplication::processEvents();
        graphe.repaint();
        std::printf("  zoom and scroll: %.3f s\n", t3.seconds());
    }

    // The factorial map of 30 000 points.
    {
        const int32_t n = seg.NbParties;
        std::mt19937 alea(7);
        std::normal_distribution<double> loi(0, 150);
        {
            std::ofstream f("facteurs.txt");
            f << n << " 3\n";
            for (int32_t j = 0; j < n; ++j) {
                f << "1 " << j << " 1 1";
                for (int k = 0; k < 9; ++k)
                    f << ' ' << loi(alea);
                f << '\n';
            }
        }
        auto points = std::make_unique<TListePoints>("facteurs.txt", n);
        if (!points->Valide()) {
            std::fprintf(stderr, "%s\n", points->Erreur().c_str());
            return 1;
        }
        bench::Stopwatch t;
        ui::TFenGrapheAFC fen(seg, std::move(points), {300000, 200000, 100000}, {});
        fen.resize(1200, 800);
        fen.show();
        QApplication::processEvents();
        const double creation = t.seconds();
        ui::VueCarteAFC *carte = fen.Carte();
        bench::Stopwatch t2;
        carte->repaint();
        const double peinture = t2.seconds();
        std::printf("map of %d points: window %.3f s, full paint %.3f s\n", n, creation, peinture);

        std::vector<double> survols;
        for (int i = 0; i < 500; ++i) {
            bench::Stopwatch s;
            mouvement(carte, QEvent::MouseMove,
                      QPoint(i * 7 % carte->width(), i * 3 % carte->height()), Qt::NoButton,
                      Qt::NoButton);
            survols.push_back(s.seconds());
        }
        std::sort(survols.begin(), survols.end());
        std::printf("  500 hover texts: median %.3f ms, longest %.3f ms\n",
                    survols[survols.size() / 2] * 1e3, survols.back() * 1e3);

        std::vector<double> clics;
        for (int i = 0; i < 50; ++i) {
            const QPoint p(i * 23 % carte->width(), i * 17 % carte->height());
            bench::Stopwatch s;
            mouvement(carte, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            mouvement(carte, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            QApplication::processEvents();
            clics.push_back(s.seconds());
        }
        std::sort(clics.begin(), clics.end());
        std::printf("  50 clicks with their repaint: median %.3f ms, longest %.3f ms\n",
                    clics[clics.size() / 2] * 1e3, clics.back() * 1e3);

        bench::Stopwatch t3;
        mouvement(carte, QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 20; ++i)
            mouvement(carte, QEvent::MouseMove,
                      QPoint(carte->width() * i / 20, carte->height() * i / 20), Qt::LeftButton,
                      Qt::LeftButton);
        const QPoint fin(carte->width() - 1, carte->height() - 1);
        mouvement(carte, QEvent::MouseButtonRelease, fin, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
        std::printf("  rubber band over every point, with the repaint: %.3f s\n", t3.seconds());

        bench::Stopwatch t4;
        fen.cbAxeYChange(2);
        QApplication::processEvents();
        carte->repaint();
        std::printf("  axis change with the repaint: %.3f s\n", t4.seconds());
    }
    return 0;
}
