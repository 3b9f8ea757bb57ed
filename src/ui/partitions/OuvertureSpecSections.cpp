// Opening the list of section specificities.
#include "OuvertureFenetres.h"

#include "partitions/TFenSpecGrp.h"

#include <QString>

namespace morvix::ui {

void OuvreSpecSections(TFenPrinc &fen, const charg1 &base, std::vector<ResSpec> resultats,
                       const QString &entete) {
    auto *liste = new TFenSpecGrp(fen, base, std::move(resultats));
    liste->SetEntetes(entete, QString());
    liste->Montre();
}

} // namespace morvix::ui
