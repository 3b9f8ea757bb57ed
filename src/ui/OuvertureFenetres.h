// Windows that one subsystem's windows open on another's: declared here so that each side
// depends on a function, not on the other's classes. Each is defined beside the windows it
// opens.
#pragma once

#include "partitions/PrimSpec.h"

#include <vector>

class QString;
class QWidget;

namespace morvix {
class charg1;
class Partition;
} // namespace morvix

namespace morvix::ui {

class TFenPrinc;

// ui/afc: the analysis dialog on the partition (modal), then the factorial map.
void OuvreAFC(TFenPrinc &fen, Partition &partition);
// ui/dictionary: the Pareto graph and the vocabulary-growth graph of a partition.
void OuvrePareto(TFenPrinc &fen, Partition &partition);
void OuvreAccroissementVocabulaire(TFenPrinc &fen, Partition &partition);
// ui/groups: the group distribution graph of a new partition, shown as a child window;
// null while that window does not exist.
QWidget *CreeGrapheTgen(TFenPrinc &fen, Partition &partition);
// ui/partitions: the specificity dialog of a partition and the chronological specificity
// dialog (modal), from a factorial map.
void OuvreParamSpec(TFenPrinc &fen, Partition &partition);
void OuvreParamSpecDiac(TFenPrinc &fen, Partition &partition);
// ui/partitions: the docked list of section specificities ("Spécifs - Sections"), which
// keeps the results; `entete` is its first label.
void OuvreSpecSections(TFenPrinc &fen, const charg1 &base, std::vector<ResSpec> resultats,
                       const QString &entete);

} // namespace morvix::ui
