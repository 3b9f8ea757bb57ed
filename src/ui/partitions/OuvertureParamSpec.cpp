// Opening the specificity dialogs of a partition from the windows of other subsystems.
#include "OuvertureFenetres.h"

namespace morvix::ui {

void OuvreParamSpec(TFenPrinc &, Partition &) {}
void OuvreParamSpecDiac(TFenPrinc &, Partition &) {}

} // namespace morvix::ui
