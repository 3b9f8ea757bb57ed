// Opening the Pareto and vocabulary-growth graphs from a partition window.
#include "OuvertureFenetres.h"

#include "dictionary/TFenGrapheAC.h"
#include "dictionary/TFenZipf.h"
#include "mainwindow/TFenPrinc.h"
#include "partitions/Partition.h"

#include <QMdiSubWindow>

namespace morvix::ui {

namespace {

// Both graphs take the width of the free area and half its height, along its left edge.
void Place(TFenPrinc &fen, QWidget *graphe) {
    QMdiSubWindow *cadre = fen.AjouteEnfant(graphe);
    const int hauteur = fen.HauteurLibre() / 2 - 4;
    cadre->setGeometry(0, std::max(0, hauteur - 12), std::max(200, fen.LargeurLibre() - 16),
                       std::max(150, hauteur));
    cadre->show();
}

} // namespace

void OuvrePareto(TFenPrinc &fen, Partition &partition) {
    Place(fen, new TFenZipf(partition, [&fen] { return fen.RapportCourant(); }));
}

void OuvreAccroissementVocabulaire(TFenPrinc &fen, Partition &partition) {
    Place(fen,
          new TFenGrapheAC(&partition, partition.Base(), [&fen] { return fen.RapportCourant(); }));
}

} // namespace morvix::ui
