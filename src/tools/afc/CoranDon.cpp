#include "CoranDon.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace morvix::afc {

namespace {

std::vector<std::string> lignes(const std::string &texte) {
    std::vector<std::string> out;
    std::string ligne;
    std::istringstream in(texte);
    while (std::getline(in, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        out.push_back(ligne);
    }
    return out;
}

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
    l.valeurs.clear();
    l.valeurs.reserve(static_cast<size_t>(nbColonnes));
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
        l.valeurs.push_back(v);
        c = p2;
    }
    if (l.valeurs.size() != static_cast<size_t>(nbColonnes)) {
        cause = std::to_string(l.valeurs.size()) + " effectifs au lieu de " +
                std::to_string(nbColonnes);
        return false;
    }
    return true;
}

} // namespace

bool LitCoranDon(const std::string &chemin, TableAfc &table, std::string &erreur) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        erreur = chemin + " ne peut être ouvert";
        return false;
    }
    std::stringstream tout;
    tout << f.rdbuf();
    std::vector<std::string> ls = lignes(tout.str());
    auto faute = [&](size_t ligne, const std::string &cause) {
        erreur = chemin + ", ligne " + std::to_string(ligne + 1) + " : " + cause;
        return false;
    };
    if (ls.size() < 5)
        return faute(ls.size(), "fichier incomplet");
    table = TableAfc{};
    table.titre = ls[0];

    std::vector<std::string> dims = mots(ls[1]);
    int64_t ni = 0, nj = 0;
    if (dims.size() < 2 || !entier(dims[0], ni) || !entier(dims[1], nj) || ni < 1 || nj < 1 ||
        nj > 1000000)
        return faute(1, "NI et NJ attendus");
    table.nbColonnes = static_cast<int32_t>(nj);

    if (mots(ls[2]).size() != static_cast<size_t>(nj))
        return faute(2, "un libellé par colonne attendu");

    std::string types = ls[3];
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
    if (std::sscanf(ls[4].c_str(), " (%dx,5A4,%dF%d.0%c", &x, &k, &w, &fin) != 4 || fin != ')' ||
        k != nj || w < 1)
        return faute(4, "format des lignes attendu : (6x,5A4," + std::to_string(nj) + "F5.0)");

    if (ls.size() < 5 + static_cast<size_t>(ni) + 1)
        return faute(ls.size(),
                     "fichier incomplet : " + std::to_string(ni) + " lignes actives annoncées");
    table.actives.resize(static_cast<size_t>(ni));
    std::string cause;
    for (size_t i = 0; i < table.actives.size(); ++i)
        if (!litLigne(ls[5 + i], table.nbColonnes, table.actives[i], cause))
            return faute(5 + i, cause);

    size_t lf = 5 + static_cast<size_t>(ni);
    std::vector<std::string> params = mots(ls[lf]);
    int64_t nf = 0;
    if (params.empty() || !entier(params[0], nf) || nf < 1 || nf > 1000000)
        return faute(lf, "nombre de facteurs attendu");
    table.nbFacteurs = static_cast<int32_t>(nf);

    for (size_t i = lf + 1; i < ls.size(); ++i) {
        if (ls[i].find_first_not_of(' ') == std::string::npos)
            continue;
        LigneTable l;
        if (!litLigne(ls[i], table.nbColonnes, l, cause))
            return faute(i, cause);
        table.supplementaires.push_back(std::move(l));
    }
    return true;
}

} // namespace morvix::afc
