#include "util/ConversionEntree.h"

#include "util/Encoding.h"
#include "util/FichierRemplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace morvix {

namespace {

constexpr size_t kMorceau = 1 << 20;
// A piece kept back without a line feed is converted anyway past this size, cut before an
// ASCII byte (a starter: nothing before it composes with what follows).
constexpr size_t kResteMax = 4 << 20;

enum class Sort { Garde, Blanc, Supprime };

Sort sortHorsJeu(char32_t c) {
    if ((c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x205F || c == 0x3000)
        return Sort::Blanc;
    if (c == 0x200C || c == 0x200D || c == 0x2060 || c == 0xFEFF)
        return Sort::Supprime;
    return Sort::Garde;
}

struct Fermeture {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using Flux = std::unique_ptr<std::FILE, Fermeture>;

std::string erreurFichier(const std::string &chemin) {
    return "le fichier " + chemin + " ne peut être lu : " + std::strerror(errno);
}

} // namespace

void ValidateurUtf8::Ajoute(std::string_view octets) {
    for (char ch : octets) {
        if (!m_valide)
            return;
        const auto b = static_cast<unsigned char>(ch);
        if (m_reste > 0) {
            if (b < m_min || b > m_max) {
                m_valide = false;
                return;
            }
            --m_reste;
            m_min = 0x80;
            m_max = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        m_horsAscii = true;
        if (b >= 0xC2 && b <= 0xDF) {
            m_reste = 1;
        } else if (b == 0xE0) {
            m_reste = 2;
            m_min = 0xA0;
        } else if (b == 0xED) {
            m_reste = 2;
            m_max = 0x9F;
        } else if (b >= 0xE1 && b <= 0xEF) {
            m_reste = 2;
        } else if (b == 0xF0) {
            m_reste = 3;
            m_min = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            m_reste = 3;
        } else if (b == 0xF4) {
            m_reste = 3;
            m_max = 0x8F;
        } else {
            m_valide = false;
        }
    }
}

ConvertisseurCp1252::ConvertisseurCp1252() = default;
ConvertisseurCp1252::~ConvertisseurCp1252() = default;

void ConvertisseurCp1252::Ajoute(std::string_view utf8, std::string &sortie) {
    m_reste.append(utf8);
    size_t fin = m_reste.rfind('\n');
    if (fin != std::string::npos) {
        ++fin;
    } else if (m_reste.size() > kResteMax) {
        fin = m_reste.size();
        while (fin > 0 && static_cast<unsigned char>(m_reste[fin - 1]) >= 0x80)
            --fin;
        if (fin > 0)
            --fin; // the ASCII byte stays with what follows
        if (fin == 0)
            fin = m_reste.size();
    } else {
        return;
    }
    convertit(std::string_view(m_reste).substr(0, fin), sortie);
    m_reste.erase(0, fin);
}

void ConvertisseurCp1252::Termine(std::string &sortie) {
    convertit(m_reste, sortie);
    m_reste.clear();
}

void ConvertisseurCp1252::convertit(std::string_view utf8, std::string &sortie) {
    if (utf8.empty())
        return;
    if (m_debut) {
        m_debut = false;
        if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
            utf8.remove_prefix(3);
    }
    bool ascii = true;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        sortie.append(utf8);
        return;
    }
    UErrorCode statut = U_ZERO_ERROR;
    int32_t longueur = 0, substitutions = 0;
    m_utf16.resize(utf8.size() + 1);
    u_strFromUTF8WithSub(reinterpret_cast<UChar *>(m_utf16.data()),
                         static_cast<int32_t>(m_utf16.size()), &longueur, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, &substitutions, &statut);
    if (U_FAILURE(statut)) {
        // Only a piece larger than 2 GB could fail here; keep its ASCII.
        for (char c : utf8)
            if (static_cast<unsigned char>(c) < 0x80)
                sortie.push_back(c);
            else
                ++m_remplaces;
        return;
    }
    const UChar *texte = reinterpret_cast<const UChar *>(m_utf16.data());
    const UNormalizer2 *nfc = unorm2_getNFCInstance(&statut);
    if (U_SUCCESS(statut) && unorm2_quickCheck(nfc, texte, longueur, &statut) != UNORM_YES &&
        U_SUCCESS(statut)) {
        m_nfc.resize(static_cast<size_t>(longueur) * 3 + 1);
        UErrorCode s2 = U_ZERO_ERROR;
        const int32_t n =
            unorm2_normalize(nfc, texte, longueur, reinterpret_cast<UChar *>(m_nfc.data()),
                             static_cast<int32_t>(m_nfc.size()), &s2);
        if (U_SUCCESS(s2)) {
            texte = reinterpret_cast<const UChar *>(m_nfc.data());
            longueur = n;
        }
    }
    sortie.reserve(sortie.size() + static_cast<size_t>(longueur));
    for (int32_t i = 0; i < longueur;) {
        UChar32 c;
        U16_NEXT(texte, i, longueur, c);
        const int octet = unicodeToCp1252(static_cast<char32_t>(c));
        if (octet >= 0) {
            sortie.push_back(static_cast<char>(octet));
            continue;
        }
        switch (sortHorsJeu(static_cast<char32_t>(c))) {
        case Sort::Blanc:
            sortie.push_back(' ');
            ++m_espaces;
            break;
        case Sort::Supprime:
            ++m_espaces;
            break;
        case Sort::Garde:
            sortie.push_back(kSubstitutCp1252);
            ++m_remplaces;
            break;
        }
    }
}

std::string Utf8VersCp1252(std::string_view utf8, int64_t *nbRemplaces, int64_t *nbEspaces) {
    ConvertisseurCp1252 conv;
    std::string sortie;
    conv.Ajoute(utf8, sortie);
    conv.Termine(sortie);
    if (nbRemplaces)
        *nbRemplaces = conv.NbRemplaces();
    if (nbEspaces)
        *nbEspaces = conv.NbEspaces();
    return sortie;
}

bool EstUtf8(std::string_view octets) {
    if (octets.substr(0, 3) == "\xEF\xBB\xBF")
        return true;
    ValidateurUtf8 v;
    v.Ajoute(octets);
    return v.Valide() && v.HorsAscii();
}

std::string CheminCopieCp1252(const std::string &chemin) {
    const size_t barre = chemin.rfind('/');
    const size_t debutNom = barre == std::string::npos ? 0 : barre + 1;
    const size_t point = chemin.rfind('.');
    const size_t fin = point != std::string::npos && point > debutNom ? point : chemin.size();
    return chemin.substr(0, fin) + ".cp1252.txt";
}

ResultatConversion ConvertitTexteCp1252(const std::string &chemin, EncodageEntree mode,
                                        const Annulation *annulation,
                                        const std::function<void(int32_t)> &gauge) {
    ResultatConversion r;
    r.chemin = chemin;
    if (mode == EncodageEntree::Cp1252)
        return r;
    Flux entree(std::fopen(chemin.c_str(), "rb"));
    if (!entree) {
        r.ok = false;
        r.message = erreurFichier(chemin);
        return r;
    }
    std::string morceau(kMorceau, '\0');
    if (mode == EncodageEntree::Auto) {
        ValidateurUtf8 v;
        bool premier = true, bom = false;
        size_t n;
        while ((n = std::fread(morceau.data(), 1, morceau.size(), entree.get())) > 0) {
            if (premier)
                bom = std::string_view(morceau.data(), n).substr(0, 3) == "\xEF\xBB\xBF";
            premier = false;
            v.Ajoute(std::string_view(morceau.data(), n));
            if (v.Invalide() && !bom)
                break;
            if (Annulee(annulation)) {
                r.annule = true;
                return r;
            }
        }
        if (std::ferror(entree.get())) {
            r.ok = false;
            r.message = erreurFichier(chemin);
            return r;
        }
        if (!bom && !(v.Valide() && v.HorsAscii()))
            return r;
        std::rewind(entree.get());
    }

    r.chemin = CheminCopieCp1252(chemin);
    FichierRemplace sortie;
    if (!sortie.Ouvre(r.chemin)) {
        r.ok = false;
        r.message = "la copie Windows-1252 ne peut être écrite : " + sortie.Erreur();
        return r;
    }
    ConvertisseurCp1252 conv;
    std::string converti;
    size_t n;
    while ((n = std::fread(morceau.data(), 1, morceau.size(), entree.get())) > 0) {
        if (Annulee(annulation)) {
            r.annule = true;
            r.chemin = chemin;
            return r;
        }
        converti.clear();
        conv.Ajoute(std::string_view(morceau.data(), n), converti);
        sortie.Ecrit(converti);
        if (gauge)
            gauge(0);
    }
    if (std::ferror(entree.get())) {
        r.ok = false;
        r.message = erreurFichier(chemin);
        r.chemin = chemin;
        return r;
    }
    converti.clear();
    conv.Termine(converti);
    sortie.Ecrit(converti);
    if (!sortie.Valide()) {
        r.ok = false;
        r.message = "la copie Windows-1252 ne peut être écrite : " + sortie.Erreur();
        r.chemin = chemin;
        return r;
    }
    r.converti = true;
    r.nbRemplaces = conv.NbRemplaces();
    r.nbEspaces = conv.NbEspaces();
    return r;
}

std::string ResumeRemplacements(int64_t nbRemplaces, int64_t nbEspaces) {
    std::string s;
    if (nbRemplaces > 0)
        s = std::to_string(nbRemplaces) +
            (nbRemplaces == 1 ? " caractère non représentable remplacé par « ? »"
                              : " caractères non représentables remplacés par « ? »");
    if (nbEspaces > 0) {
        if (!s.empty())
            s += ", ";
        s += std::to_string(nbEspaces) +
             (nbEspaces == 1 ? " espace ou caractère invisible remplacé par un blanc ou omis"
                             : " espaces ou caractères invisibles remplacés par des blancs ou "
                               "omis");
    }
    return s;
}

} // namespace morvix
