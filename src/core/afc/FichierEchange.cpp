#include "afc/FichierEchange.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <sys/stat.h>

namespace morvix {

bool FichierEchange::refuseLien() {
    struct stat st {};
    if (::lstat(m_cible.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        m_erreur = m_cible + " est un lien symbolique : refusé";
        m_fichier.Abandonne();
        return true;
    }
    return false;
}

bool FichierEchange::Ouvre(const std::string &cible) {
    m_cible = cible;
    m_erreur.clear();
    if (refuseLien())
        return false;
    if (!m_fichier.Ouvre(cible)) {
        m_erreur = m_fichier.Erreur();
        return false;
    }
    return true;
}

void FichierEchange::Ecrit(std::string_view octets) {
    if (!m_crlf) {
        m_fichier.Ecrit(octets);
        return;
    }
    m_tampon.clear();
    for (char c : octets) {
        if (c == '\n')
            m_tampon += '\r';
        m_tampon += c;
    }
    m_fichier.Ecrit(m_tampon);
}

void FichierEchange::Imprime(const char *format, ...) {
    char texte[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(texte, sizeof texte, format, args);
    va_end(args);
    if (n > 0)
        Ecrit(std::string_view(texte, std::min(static_cast<size_t>(n), sizeof texte - 1)));
}

bool FichierEchange::Valide() {
    // A link planted while the file was written is refused too.
    if (refuseLien())
        return false;
    if (!m_fichier.Valide()) {
        m_erreur = m_fichier.Erreur();
        return false;
    }
    return true;
}

} // namespace morvix
