// The main window's command that opens the concordance window.
#include "mainwindow/TFenPrinc.h"

#include "concordance/TFenConcor.h"

#include <QMdiSubWindow>

namespace morvix::ui {

bool TFenPrinc::BtnDocuDisponible() { return true; }

void TFenPrinc::BtnDocuClick() {
    if (!m_base) {
        return;
    }
    auto *fen = new TFenConcor(*m_base, m_taches, m_corpus, [this] { return m_rapport.get(); });
    fen->resize(std::max(200, LargeurLibre() - 5), fen->height());
    QMdiSubWindow *cadre = AjouteEnfant(fen);
    cadre->move(0, 0);
    cadre->showMaximized();
}

} // namespace morvix::ui
