// Opening the Pareto and vocabulary-growth graphs from a partition window.
#include "OuvertureFenetres.h"

namespace morvix::ui {

void OuvrePareto(TFenPrinc &, Partition &) {}
void OuvreAccroissementVocabulaire(TFenPrinc &, Partition &) {}

} // namespace morvix::ui
