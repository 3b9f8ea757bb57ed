#include "CoranDon.h"

#include "afc/LimitesAfc.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace morvix::afc {

namespace {

std::vector<std::string> mots(const std::string &s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string m;
    while (in >> m)
        out.push_back(m);
    return out;
}

bool entier(const std::string &s, int64_t &v) {
    if (s.empty())
        return false;
    errno = 0;
    char *fin = nullptr;
    long long x = std::strtoll(s.c_str(), &fin, 10);
    if (errno != 0 || *fin != '\0')
        return false;
    v = x;
    return true;
}

// "number, one blank, 20-character label, counts".
bool litLigne(const std::string &s, int32_t nbColonnes, LigneTable &l, std::string &cause) {
    size_t p = s.find_first_not_of(' ');
    if (p == std::string::npos) {
        cause = "ligne vide";
        return false;
    }
    size_t q = p;
    if (q < s.size() && s[q] == '-')
        ++q;
    while (q < s.size() && s[q] >= '0' && s[q] <= '9')
        ++q;
    if (!entier(s.substr(p, q - p), l.numero)) {
        cause = "numéro de ligne illisible";
        return false;
    }
    if (q + 1 + 20 > s.size() || s[q] != ' ') {
        cause = "libellé de 20 caractères attendu après le numéro et un blanc";
        return false;
    }
    l.libelle = s.substr(q + 1, 20);
    while (!l.libelle.empty() && l.libelle.back() == ' ')
        l.libelle.pop_back();
    l.colonnes.clear();
    l.valeurs.clear();
    int32_t lus = 0;
    const char *c = s.data() + q + 21, *fin = s.data() + s.size();
    while (true) {
        while (c < fin && (*c == ' ' || *c == '\t'))
            ++c;
        if (c == fin)
            break;
        int64_t v = 0;
        auto [p2, ec] = std::from_chars(c, fin, v);
        if (ec != std::errc() || (p2 < fin && *p2 != ' ' && *p2 != '\t') || v < 0) {
            const char *e = c;
            while (e < fin && *e != ' ' && *e != '\t')
                ++e;
            cause = "effectif illisible : " + std::string(c, e);
            return false;
        }
        if (v != 0 && lus < nbColonnes) {
            l.colonnes.push_back(lus);
            l.valeurs.push_back(v);
        }
        ++lus;
        c = p2;
    }
    if (lus != nbColonnes) {
        cause = std::to_string(lus) + " effectifs au lieu de " + std::to_string(nbColonnes);
        return false;
    }
    return true;
}

} // namespace

LigneTable LigneTable::Dense(int64_t numero, std::string libelle,
                             const std::vector<int64_t> &comptes) {
    LigneTable l;
    l.numero = numero;
    l.libelle = std::move(libelle);
    for (size_t j = 0; j < comptes.size(); ++j)
        if (comptes[j] != 0) {
            l.colonnes.push_back(static_cast<int32_t>(j));
            l.valeurs.push_back(comptes[j]);
        }
    return l;
}

std::vector<int64_t> LigneTable::Comptes(int32_t nbColonnes) const {
    std::vector<int64_t> v(static_cast<size_t>(nbColonnes), 0);
    for (size_t x = 0; x < colonnes.size(); ++x)
        if (colonnes[x] < nbColonnes)
            v[static_cast<size_t>(colonnes[x])] = valeurs[x];
    return v;
}

bool LitCoranDon(const std::string &chemin, TableAfc &table, std::string &erreur) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        erreur = chemin + " ne peut être ouvert";
        return false;
    }
    // Read line by line: a table of thousands of rows by thousands of parts is large.
    size_t numero = 0; // lines read
    std::string ligne;
    auto suivante = [&] {
        if (!std::getline(f, ligne))
            return false;
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        ++numero;
        return true;
    };
    auto faute = [&](size_t l, const std::string &cause) {
        erreur = chemin + ", ligne " + std::to_string(l + 1) + " : " + cause;
        return false;
    };
    std::vector<std::string> tete;
    while (tete.size() < 5 && suivante())
        tete.push_back(ligne);
    if (tete.size() < 5)
        return faute(tete.size(), "fichier incomplet");
    table = TableAfc{};
    table.titre = tete[0];

    std::vector<std::string> dims = mots(tete[1]);
    int64_t ni = 0, nj = 0;
    if (dims.size() < 2 || !entier(dims[0], ni) || !entier(dims[1], nj) || ni < 1 || nj < 1 ||
        nj > 1000000)
        return faute(1, "NI et NJ attendus");
    table.nbColonnes = static_cast<int32_t>(nj);

    if (mots(tete[2]).size() != static_cast<size_t>(nj))
        return faute(2, "un libellé par colonne attendu");

    std::string types = tete[3];
    while (!types.empty() && types.back() == ' ')
        types.pop_back();
    if (types.size() != static_cast<size_t>(nj))
        return faute(3, "un type par colonne attendu");
    for (char c : types) {
        if (c != '1' && c != '2')
            return faute(3, "type de colonne inconnu");
        table.types.push_back(c - '0');
    }

    int x = 0, k = 0, w = 0;
    char fin = 0;
    if (std::sscanf(tete[4].c_str(), " (%dx,5A4,%dF%d.0%c", &x, &k, &w, &fin) != 4 || fin != ')' ||
        k != nj || w < 1)
        return faute(4, "format des lignes attendu : (6x,5A4," + std::to_string(nj) + "F5.0)");

    std::string cause;
    for (int64_t i = 0; i < ni; ++i) {
        if (!suivante())
            return faute(numero,
                         "fichier incomplet : " + std::to_string(ni) + " lignes actives annoncées");
        LigneTable l;
        if (!litLigne(ligne, table.nbColonnes, l, cause))
            return faute(numero - 1, cause);
        table.actives.push_back(std::move(l));
    }

    if (!suivante())
        return faute(numero,
                     "fichier incomplet : " + std::to_string(ni) + " lignes actives annoncées");
    std::vector<std::string> params = mots(ligne);
    int64_t nf = 0;
    if (params.empty() || !entier(params[0], nf) || nf < 1)
        return faute(numero - 1, "nombre de facteurs attendu");
    if (nf > kMaxFacteurs)
        return faute(numero - 1, std::to_string(nf) + " facteurs demandés : au plus " +
                                     std::to_string(kMaxFacteurs));
    table.nbFacteurs = static_cast<int32_t>(nf);

    while (suivante()) {
        if (ligne.find_first_not_of(' ') == std::string::npos)
            continue;
        LigneTable l;
        if (!litLigne(ligne, table.nbColonnes, l, cause))
            return faute(numero - 1, cause);
        table.supplementaires.push_back(std::move(l));
    }
    return true;
}

} // namespace morvix::afc
