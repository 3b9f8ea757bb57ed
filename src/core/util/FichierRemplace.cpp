#include "util/FichierRemplace.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

FichierRemplace::~FichierRemplace() { Abandonne(); }

bool FichierRemplace::Ouvre(const std::string &cible) {
    Abandonne();
    m_cible = cible;
    m_echec = false;
    m_erreur.clear();
    m_temporaire = cible + ".tmp-XXXXXX";
    const int fd = ::mkstemp(m_temporaire.data());
    if (fd < 0) {
        m_erreur = cible + " : " + std::strerror(errno);
        m_temporaire.clear();
        return false;
    }
    // Readable by other programs like any text the user writes.
    ::fchmod(fd, 0644);
    m_flux = ::fdopen(fd, "wb");
    if (m_flux == nullptr) {
        m_erreur = cible + " : " + std::strerror(errno);
        ::close(fd);
        std::remove(m_temporaire.c_str());
        m_temporaire.clear();
        return false;
    }
    return true;
}

void FichierRemplace::Ecrit(std::string_view octets) {
    if (m_flux == nullptr || octets.empty())
        return;
    if (std::fwrite(octets.data(), 1, octets.size(), m_flux) != octets.size())
        m_echec = true;
}

bool FichierRemplace::Valide() {
    if (m_flux == nullptr)
        return false;
    const bool ecrit = std::fflush(m_flux) == 0 && std::ferror(m_flux) == 0 && !m_echec;
    const int erreurEcriture = errno;
    const bool ferme = std::fclose(m_flux) == 0;
    m_flux = nullptr;
    if (!ecrit || !ferme) {
        m_erreur = m_cible + " : " + std::strerror(ecrit ? errno : erreurEcriture);
        Abandonne();
        return false;
    }
    if (std::rename(m_temporaire.c_str(), m_cible.c_str()) != 0) {
        m_erreur = m_cible + " : " + std::strerror(errno);
        Abandonne();
        return false;
    }
    m_temporaire.clear();
    return true;
}

void FichierRemplace::Abandonne() {
    if (m_flux != nullptr) {
        std::fclose(m_flux);
        m_flux = nullptr;
    }
    if (!m_temporaire.empty()) {
        std::remove(m_temporaire.c_str());
        m_temporaire.clear();
    }
}

} // namespace morvix
