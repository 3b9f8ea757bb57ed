#include "util/Programme.h"

#include <filesystem>
#include <system_error>

namespace morvix {

std::string DossierProgramme() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path())
        return "./";
    std::string dossier = exe.parent_path().string();
    if (dossier.empty() || dossier.back() != '/')
        dossier += '/';
    return dossier;
}

} // namespace morvix
