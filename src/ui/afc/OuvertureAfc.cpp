// Opening the correspondence-analysis windows from a partition window.
#include "OuvertureFenetres.h"

#include "afc/AnalyseAfc.h"
#include "mainwindow/TFenPrinc.h"

#include <QMdiSubWindow>

namespace morvix::ui {

void OuvreAFC(TFenPrinc &fen, Partition &partition) {
    ContexteAfc contexte;
    contexte.taches = &fen.Taches();
    contexte.fenetre = &fen;
    contexte.montreCarte = [&fen](TFenGrapheAFC *carte) {
        fen.AjouteEnfant(carte)->showMaximized();
    };
    contexte.services.rapport = [&fen] { return fen.RapportCourant(); };
    contexte.services.specifs = [&fen](Partition &p) { OuvreParamSpec(fen, p); };
    contexte.services.specDiac = [&fen](Partition &p) { OuvreParamSpecDiac(fen, p); };
    contexte.etat = [&fen](const QString &texte) { fen.StatusMessage(texte); };
    LanceAnalyseAfc(contexte, partition, 0);
}

} // namespace morvix::ui
