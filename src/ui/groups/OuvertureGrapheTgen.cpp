// Creating the group distribution graph of a new partition.
#include "OuvertureFenetres.h"

#include "groups/TFenGrapheTgen.h"
#include "mainwindow/TFenPrinc.h"

#include <QMdiSubWindow>

namespace morvix::ui {

QWidget *CreeGrapheTgen(TFenPrinc &fen, Partition &partition) {
    auto *graphe = new TFenGrapheTgen(partition, [&fen] { return fen.RapportCourant(); });
    fen.AjouteEnfant(graphe)->show();
    return graphe;
}

} // namespace morvix::ui
