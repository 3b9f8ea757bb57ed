// The HTML page of the text window: every item of the numeric text in order, tags as
// highlighted key=value marks, a line break at each end of line, and the occurrences of a
// group in its colour. Qt-free.
#pragma once

#include <cstdint>
#include <string>

namespace morvix {

class charg1;
class Tgen;

// A new empty file "qzth-<pid>-XXXXXX" in the folder named by TEMP (else TMPDIR, else
// /tmp); "" when none can be created.
std::string NomPageTemporaire();

// Writes the page of `base` to `chemin` (created or emptied), with the occurrences of
// `groupe` (may be null) highlighted. False when the file cannot be written.
bool EcritPageEddy(const std::string &chemin, const charg1 &base, const Tgen *groupe);

} // namespace morvix
