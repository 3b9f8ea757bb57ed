// The program's own folder: where the fixed folders (images, locale, aide, rapport) and the
// sibling programs sit.
#pragma once

#include <string>

namespace morvix {

// Folder of the running executable, ending with '/'; the current folder ("./") when the
// system cannot tell.
std::string DossierProgramme();

} // namespace morvix
