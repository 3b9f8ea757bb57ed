// Opening the correspondence-analysis windows from a partition window.
#include "OuvertureFenetres.h"

namespace morvix::ui {

void OuvreAFC(TFenPrinc &, Partition &) {}

} // namespace morvix::ui
