// The temporary files of the windows (the text window's pages "qzth-<pid>-XXXXXX" and the
// report's working folders "qzv5-<pid>-XXXXXX"), in the user's temporary folder. Each name
// carries the id of the process that made it, so that a later run can remove what a killed
// run left and never touch what a running one uses.
#pragma once

#include <cstdint>
#include <string>

namespace morvix {

// The folder named by TEMP, else TMPDIR, else /tmp (without a final '/').
std::string DossierTemporaire();

// The start of this process's temporary names: prefix + "-" + process id + "-".
std::string PrefixeTemporaire(const std::string &prefixe);

// Removes from `dossier` the "qzth-" files and "qzv5-" folders whose process no longer
// exists; names of another form and those of a live process are left. Returns how many
// were removed.
int32_t NettoieTemporaires(const std::string &dossier);

} // namespace morvix
