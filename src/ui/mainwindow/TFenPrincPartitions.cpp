// The main window's command that opens the partition choice and the partition window.
#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "partitions/TFenChoixPart.h"

#include <QTimer>

namespace morvix::ui {

bool TFenPrinc::BtnPartDisponible() { return true; }

void TFenPrinc::BtnPartClick() {
    if (!m_base) {
        return;
    }
    TFenChoixPart dialogue(*this, *m_base, this);
    Interactions().executeDialogue(dialogue);
    // Once the windows the dialog opened exist.
    m_timerTile->start();
}

} // namespace morvix::ui
