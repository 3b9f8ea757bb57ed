// The main window's command that opens the delimiter choice and the section maps.
#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "sections/TFenChoixDelim.h"

namespace morvix::ui {

bool TFenPrinc::BtnParagDisponible() { return true; }

void TFenPrinc::BtnParagClick() {
    if (!m_base) {
        return;
    }
    TFenChoixDelim dialogue(*this, *m_base);
    ExecuteDialogue(dialogue);
}

} // namespace morvix::ui
