// The main window's command that opens the form-selection window.
#include "mainwindow/TFenPrinc.h"

namespace morvix::ui {

bool TFenPrinc::BtnSelFormesDisponible() { return false; }

void TFenPrinc::BtnSelFormesClick() {}

} // namespace morvix::ui
