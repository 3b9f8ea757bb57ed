// Writing a page of the partition windows into the current report: a free name in its
// working folder, the file written through a temporary name, the entry registered. A page
// that cannot be written is said so.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace morvix {
class Rapport;
}

namespace morvix::ui {

// `racine` (made safe for the report folder) + `extension`, or, when that name is taken, the
// same with 2, 3 ... before the extension; the name is reserved in the report.
std::string NomLibre(Rapport &rapport, std::string_view racine, std::string_view extension);
// The first n from 0 for which `racine` + n + `extension` names no entry and no file.
int32_t NumeroLibre(const Rapport &rapport, std::string_view racine, std::string_view extension);

// Writes `page` as `fichier` and registers it under `titre` with the comment " ". False,
// after a message box naming the file and the cause, when it could not be written.
bool EnregistrePage(QWidget *parent, Rapport &rapport, const std::string &fichier,
                    const std::string &page, const std::string &titre);

} // namespace morvix::ui
