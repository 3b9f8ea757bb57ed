// Opening the list of section specificities.
#include "OuvertureFenetres.h"

#include <QString>

namespace morvix::ui {

void OuvreSpecSections(TFenPrinc &, const charg1 &, std::vector<ResSpec>, const QString &) {}

} // namespace morvix::ui
