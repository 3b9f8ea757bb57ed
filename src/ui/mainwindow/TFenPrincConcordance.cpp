// The main window's command that opens the concordance window.
#include "mainwindow/TFenPrinc.h"

namespace morvix::ui {

bool TFenPrinc::BtnDocuDisponible() { return false; }

void TFenPrinc::BtnDocuClick() {}

} // namespace morvix::ui
