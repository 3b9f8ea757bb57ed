// The main window's command that opens a form-selection window.
#include "mainwindow/TFenPrinc.h"

#include "groups/TFenSelecFormes.h"

#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace morvix::ui {

bool TFenPrinc::BtnSelFormesDisponible() { return true; }

void TFenPrinc::BtnSelFormesClick() {
    if (!m_base) {
        return;
    }
    if (QMdiSubWindow *active = m_mdi->activeSubWindow(); active && active->isMaximized()) {
        active->showNormal();
    }
    auto *fen = new TFenSelecFormes(*m_base, m_taches);
    QMdiSubWindow *cadre = AjouteEnfant(fen);
    cadre->setGeometry(0, 0, fen->GroupBox()->sizeHint().width() + 16, 438);
    cadre->show();
}

} // namespace morvix::ui
