#include "report/Temporaires.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace morvix {

namespace {

// The process id written in "<prefix>-<pid>-...", or -1 when the name has not that form.
pid_t processusDuNom(std::string_view nom, std::string_view prefixe) {
    if (nom.size() <= prefixe.size() + 1 || nom.substr(0, prefixe.size()) != prefixe ||
        nom[prefixe.size()] != '-') {
        return -1;
    }
    int64_t pid = 0;
    size_t i = prefixe.size() + 1;
    const size_t debut = i;
    while (i < nom.size() && nom[i] >= '0' && nom[i] <= '9' && i - debut < 10) {
        pid = pid * 10 + (nom[i] - '0');
        ++i;
    }
    if (i == debut || i >= nom.size() || nom[i] != '-' || pid <= 0) {
        return -1;
    }
    return static_cast<pid_t>(pid);
}

bool vivant(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

} // namespace

std::string DossierTemporaire() {
    for (const char *var : {"TEMP", "TMPDIR"}) {
        const char *v = std::getenv(var);
        std::error_code ec;
        if (v != nullptr && *v != '\0' && fs::is_directory(v, ec)) {
            std::string d = v;
            while (d.size() > 1 && d.back() == '/') {
                d.pop_back();
            }
            return d;
        }
    }
    return "/tmp";
}

std::string PrefixeTemporaire(const std::string &prefixe) {
    return prefixe + "-" + std::to_string(::getpid()) + "-";
}

int32_t NettoieTemporaires(const std::string &dossier) {
    int32_t retires = 0;
    std::error_code ec;
    fs::directory_iterator it(dossier, ec);
    if (ec) {
        return 0;
    }
    for (const fs::directory_entry &e : it) {
        const std::string nom = e.path().filename().string();
        std::error_code ec2;
        // Never follow a link planted under one of our names.
        const fs::file_status s = e.symlink_status(ec2);
        if (ec2) {
            continue;
        }
        pid_t pid = -1;
        if (fs::is_regular_file(s)) {
            pid = processusDuNom(nom, "qzth");
        } else if (fs::is_directory(s)) {
            pid = processusDuNom(nom, "qzv5");
        }
        if (pid <= 0 || vivant(pid)) {
            continue;
        }
        if (fs::remove_all(e.path(), ec2) > 0 && !ec2) {
            ++retires;
        }
    }
    return retires;
}

} // namespace morvix
