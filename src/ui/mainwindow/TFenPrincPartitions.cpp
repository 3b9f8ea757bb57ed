// The main window's command that opens the partition choice and the partition window.
#include "mainwindow/TFenPrinc.h"

namespace morvix::ui {

bool TFenPrinc::BtnPartDisponible() { return false; }

void TFenPrinc::BtnPartClick() {}

} // namespace morvix::ui
