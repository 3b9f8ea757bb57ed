// Creating the group distribution graph of a new partition.
#include "OuvertureFenetres.h"

namespace morvix::ui {

QWidget *CreeGrapheTgen(TFenPrinc &, Partition &) { return nullptr; }

} // namespace morvix::ui
