#include "afc/TListePoints.h"

#include "afc/LimitesAfc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace morvix {

namespace {

std::vector<std::string_view> champs(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r'))
            ++i;
        size_t d = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r')
            ++i;
        if (i > d)
            out.push_back(s.substr(d, i - d));
    }
    return out;
}

bool reel(std::string_view s, double &v) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size() && std::isfinite(v);
}

bool entier(std::string_view s, int64_t &v) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size();
}

} // namespace

bool TListePoints::refuse(std::string cause) {
    m_erreur = std::move(cause);
    m_valide = false;
    NbPoints = NbFact = 0;
    Fact.clear();
    Masse.clear();
    Distance.clear();
    Actif.clear();
    return false;
}

TListePoints::TListePoints(const std::string &chemin, int32_t nbParties) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        refuse(chemin + " ne peut être ouvert");
        return;
    }
    std::string ligne;
    if (!std::getline(f, ligne)) {
        refuse(chemin + " est vide");
        return;
    }
    auto tete = champs(ligne);
    int64_t n = 0, nf = 0;
    if (tete.size() != 2 || !entier(tete[0], n) || !entier(tete[1], nf) || n < 1 || n > 10000000) {
        refuse(chemin + ", ligne 1 : nombre de points et de facteurs attendus");
        return;
    }
    if (nf > kMaxFacteurs) {
        refuse(chemin + ", ligne 1 : " + std::to_string(nf) + " facteurs, au plus " +
               std::to_string(kMaxFacteurs));
        return;
    }
    if (nbParties >= 0 && n != nbParties) {
        refuse(chemin + " : " + std::to_string(n) + " points pour " + std::to_string(nbParties) +
               " parties");
        return;
    }
    if (nf < 2) {
        refuse(chemin + " : au moins deux facteurs attendus");
        return;
    }
    // Every value takes at least two bytes: a header claiming more than the file can hold
    // is refused before anything is reserved for it.
    std::error_code taille;
    const auto octets = std::filesystem::file_size(chemin, taille);
    if (taille || static_cast<double>(n) * static_cast<double>(2 * (4 + 3 * nf)) - 1 >
                      static_cast<double>(octets)) {
        refuse(chemin + " : trop court pour " + std::to_string(n) + " points et " +
               std::to_string(nf) + " facteurs");
        return;
    }
    NbPoints = static_cast<int32_t>(n);
    NbFact = static_cast<int32_t>(nf);
    const auto np = static_cast<size_t>(n);
    Fact.assign(static_cast<size_t>(3 * nf), std::vector<double>(np, 0.0));
    Masse.assign(np, 0.0);
    Distance.assign(np, 0.0);
    Actif.assign(np, 0);
    std::vector<bool> lu(np, false);
    const size_t attendus = 4 + 3 * static_cast<size_t>(nf);
    for (int64_t l = 0; l < n; ++l) {
        const std::string numero = chemin + ", ligne " + std::to_string(l + 2);
        if (!std::getline(f, ligne)) {
            refuse(numero + " : ligne manquante");
            return;
        }
        auto c = champs(ligne);
        if (c.size() != attendus) {
            refuse(numero + " : " + std::to_string(c.size()) + " valeurs au lieu de " +
                   std::to_string(attendus));
            return;
        }
        int64_t actif = 0, id = 0;
        if (!entier(c[0], actif) || (actif != 0 && actif != 1)) {
            refuse(numero + " : indicateur 0 ou 1 attendu");
            return;
        }
        if (!entier(c[1], id) || id < 0 || id >= n) {
            refuse(numero + " : identifiant hors de 0 à " + std::to_string(n - 1));
            return;
        }
        const auto p = static_cast<size_t>(id);
        if (lu[p]) {
            refuse(numero + " : identifiant " + std::to_string(id) + " répété");
            return;
        }
        lu[p] = true;
        Actif[p] = static_cast<unsigned char>(actif);
        bool ok = reel(c[2], Masse[p]) && reel(c[3], Distance[p]);
        for (size_t j = 0; ok && j < Fact.size(); ++j)
            ok = reel(c[4 + j], Fact[j][p]);
        if (!ok) {
            refuse(numero + " : valeur illisible");
            return;
        }
    }
    m_fx = 0;
    m_fy = 1;
    if (!axeUtilisable(0) || !axeUtilisable(1)) {
        refuse(chemin + " : tous les points ont la même coordonnée sur un axe");
        return;
    }
    bornes();
    m_valide = true;
}

bool TListePoints::axeUtilisable(int32_t facteur) const {
    if (facteur < 0 || facteur >= NbFact)
        return false;
    auto [mn, mx] = std::minmax_element(Fact[static_cast<size_t>(facteur)].begin(),
                                        Fact[static_cast<size_t>(facteur)].end());
    return *mn < *mx;
}

void TListePoints::bornes() {
    auto [mnx, mxx] = std::minmax_element(X().begin(), X().end());
    auto [mny, mxy] = std::minmax_element(Y().begin(), Y().end());
    MinX = *mnx;
    MaxX = *mxx;
    MinY = *mny;
    MaxY = *mxy;
}

bool TListePoints::ChoisitAxeX(int32_t facteur) {
    if (!m_valide || facteur == m_fy || !axeUtilisable(facteur))
        return false;
    m_fx = facteur;
    bornes();
    return true;
}

bool TListePoints::ChoisitAxeY(int32_t facteur) {
    if (!m_valide || facteur == m_fx || !axeUtilisable(facteur))
        return false;
    m_fy = facteur;
    bornes();
    return true;
}

bool LitValeursPropres(const std::string &chemin, std::vector<int64_t> &valeurs) {
    valeurs.clear();
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    std::stringstream tout;
    tout << f.rdbuf();
    std::string texte = tout.str();
    auto c = champs(texte);
    // Line ends count as white space too.
    std::vector<std::string_view> mots;
    for (std::string_view m : c) {
        size_t d = 0;
        for (size_t i = 0; i <= m.size(); ++i)
            if (i == m.size() || m[i] == '\n') {
                if (i > d)
                    mots.push_back(m.substr(d, i - d));
                d = i + 1;
            }
    }
    int64_t m = 0;
    if (mots.empty() || !entier(mots[0], m) || m < 0 || m > kMaxFacteurs ||
        static_cast<size_t>(m) > mots.size() - 1)
        return false;
    std::vector<int64_t> v(static_cast<size_t>(m));
    for (size_t i = 0; i < v.size(); ++i)
        if (!entier(mots[i + 1], v[i]))
            return false;
    valeurs = std::move(v);
    return true;
}

} // namespace morvix
