// The main window's command that opens the repeated-segment dialog and list.
#include "mainwindow/TFenPrinc.h"

namespace morvix::ui {

bool TFenPrinc::BtnSRDisponible() { return false; }

void TFenPrinc::BtnSRClick() {}

} // namespace morvix::ui
