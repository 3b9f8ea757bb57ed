// The main window's command that opens the delimiter choice and the section maps.
#include "mainwindow/TFenPrinc.h"

namespace morvix::ui {

bool TFenPrinc::BtnParagDisponible() { return false; }

void TFenPrinc::BtnParagClick() {}

} // namespace morvix::ui
