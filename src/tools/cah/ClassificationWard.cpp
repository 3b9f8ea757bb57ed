#include "ClassificationWard.h"

#include "util/TextWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace morvix::cah {

std::vector<Fusion> Ward(const std::vector<double> &poids,
                         const std::vector<std::vector<double>> &coord) {
    const auto n = static_cast<int32_t>(poids.size());
    std::vector<Fusion> fusions;
    if (n < 2)
        return fusions;
    const auto un = static_cast<size_t>(n);
    // d[a][b]: Ward's cost of merging clusters a and b, updated by Lance and Williams.
    std::vector<double> d(un * un, 0.0);
    auto at = [&](int32_t a, int32_t b) -> double & {
        return d[static_cast<size_t>(a) * un + static_cast<size_t>(b)];
    };
    for (int32_t a = 0; a < n; ++a)
        for (int32_t b = a + 1; b < n; ++b) {
            double d2 = 0;
            for (size_t k = 0; k < coord[static_cast<size_t>(a)].size(); ++k) {
                double e = coord[static_cast<size_t>(a)][k] - coord[static_cast<size_t>(b)][k];
                d2 += e * e;
            }
            double pa = poids[static_cast<size_t>(a)], pb = poids[static_cast<size_t>(b)];
            at(a, b) = at(b, a) = pa * pb / (pa + pb) * d2;
        }
    std::vector<double> w(poids);
    std::vector<bool> vivant(un, true);
    std::vector<int32_t> noeud(un); // tree node carried by each slot
    std::vector<int32_t> effectif(un, 1);
    for (int32_t a = 0; a < n; ++a)
        noeud[static_cast<size_t>(a)] = a;

    // Nearest-neighbour chain: exact for Ward, whose cost is reducible.
    std::vector<int32_t> chaine;
    struct Brute {
        int32_t a, b;
        double indice;
    };
    std::vector<Brute> brutes;
    int32_t restants = n;
    while (restants > 1) {
        if (chaine.empty())
            for (int32_t a = 0; a < n; ++a)
                if (vivant[static_cast<size_t>(a)]) {
                    chaine.push_back(a);
                    break;
                }
        int32_t a = chaine.back();
        int32_t precedent = chaine.size() > 1 ? chaine[chaine.size() - 2] : -1;
        int32_t b = -1;
        double best = std::numeric_limits<double>::infinity();
        if (precedent >= 0) {
            b = precedent;
            best = at(a, precedent);
        }
        for (int32_t c = 0; c < n; ++c)
            if (c != a && vivant[static_cast<size_t>(c)] && at(a, c) < best) {
                best = at(a, c);
                b = c;
            }
        if (b != precedent) {
            chaine.push_back(b);
            continue;
        }
        chaine.pop_back();
        chaine.pop_back();
        // Merge slots a and b into slot min(a, b).
        int32_t garde = std::min(a, b), ote = std::max(a, b);
        double wa = w[static_cast<size_t>(a)], wb = w[static_cast<size_t>(b)];
        for (int32_t k = 0; k < n; ++k) {
            if (!vivant[static_cast<size_t>(k)] || k == a || k == b)
                continue;
            double wk = w[static_cast<size_t>(k)];
            double v =
                ((wk + wa) * at(k, a) + (wk + wb) * at(k, b) - wk * at(a, b)) / (wk + wa + wb);
            at(k, garde) = at(garde, k) = v;
        }
        brutes.push_back({noeud[static_cast<size_t>(a)], noeud[static_cast<size_t>(b)], best});
        vivant[static_cast<size_t>(ote)] = false;
        w[static_cast<size_t>(garde)] = wa + wb;
        effectif[static_cast<size_t>(garde)] += effectif[static_cast<size_t>(ote)];
        noeud[static_cast<size_t>(garde)] = -1 - static_cast<int32_t>(brutes.size() - 1);
        --restants;
    }

    // Merges sorted by index; raw node ids (-1 - k for the k-th raw merge) renumbered.
    std::vector<size_t> ordre(brutes.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = i;
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](size_t x, size_t y) { return brutes[x].indice < brutes[y].indice; });
    std::vector<int32_t> nouveau(brutes.size());
    for (size_t s = 0; s < ordre.size(); ++s)
        nouveau[ordre[s]] = n + static_cast<int32_t>(s);
    auto renumerote = [&](int32_t id) {
        return id >= 0 ? id : nouveau[static_cast<size_t>(-1 - id)];
    };
    std::vector<int32_t> taille(un + brutes.size(), 1);
    for (size_t s = 0; s < ordre.size(); ++s) {
        const Brute &m = brutes[ordre[s]];
        Fusion f;
        f.aine = std::min(renumerote(m.a), renumerote(m.b));
        f.cadet = std::max(renumerote(m.a), renumerote(m.b));
        f.indice = m.indice;
        f.effectif = taille[static_cast<size_t>(f.aine)] + taille[static_cast<size_t>(f.cadet)];
        taille[un + s] = f.effectif;
        fusions.push_back(f);
    }
    return fusions;
}

std::vector<int32_t> OrdreFeuilles(const std::vector<Fusion> &fusions, int32_t n) {
    std::vector<int32_t> ordre;
    if (n <= 0)
        return ordre;
    std::vector<int32_t> pile{fusions.empty() ? 0 : n + static_cast<int32_t>(fusions.size()) - 1};
    while (!pile.empty()) {
        int32_t x = pile.back();
        pile.pop_back();
        if (x < n) {
            ordre.push_back(x);
            continue;
        }
        const Fusion &f = fusions[static_cast<size_t>(x - n)];
        pile.push_back(f.cadet);
        pile.push_back(f.aine);
    }
    return ordre;
}

namespace {

// Leaves on rows 2i, each merge drawn at a column proportional to its index.
std::string dendrogramme(const std::vector<Fusion> &fusions, const std::vector<int32_t> &ident,
                         int32_t n) {
    constexpr int32_t kLargeur = 60;
    std::vector<int32_t> ordre = OrdreFeuilles(fusions, n);
    const auto nn = static_cast<size_t>(n) + fusions.size();
    std::vector<int32_t> ligne(nn, 0), colonne(nn, 0);
    for (size_t i = 0; i < ordre.size(); ++i)
        ligne[static_cast<size_t>(ordre[i])] = 2 * static_cast<int32_t>(i);
    double max = fusions.empty() ? 0 : fusions.back().indice;
    for (size_t s = 0; s < fusions.size(); ++s) {
        const Fusion &f = fusions[s];
        size_t x = static_cast<size_t>(n) + s;
        ligne[x] = (ligne[static_cast<size_t>(f.aine)] + ligne[static_cast<size_t>(f.cadet)]) / 2;
        colonne[x] =
            max > 0 ? 1 + static_cast<int32_t>(std::lround(f.indice / max * (kLargeur - 1))) : 1;
        // A merge never sits left of the merges below it.
        colonne[x] = std::max({colonne[x], colonne[static_cast<size_t>(f.aine)] + 1,
                               colonne[static_cast<size_t>(f.cadet)] + 1});
    }
    const int32_t hauteur = 2 * n - 1;
    const int32_t largeur = (fusions.empty() ? 1 : colonne[nn - 1]) + 1;
    std::vector<std::string> grille(static_cast<size_t>(hauteur),
                                    std::string(static_cast<size_t>(largeur), ' '));
    auto pose = [&](int32_t l, int32_t c, char ch) {
        char &g = grille[static_cast<size_t>(l)][static_cast<size_t>(c)];
        if (g == ' ' || ch == '+')
            g = ch;
    };
    for (size_t s = 0; s < fusions.size(); ++s) {
        const Fusion &f = fusions[s];
        size_t x = static_cast<size_t>(n) + s;
        for (int32_t enfant : {f.aine, f.cadet}) {
            auto e = static_cast<size_t>(enfant);
            for (int32_t c = colonne[e]; c < colonne[x]; ++c)
                pose(ligne[e], c, '-');
            pose(ligne[e], colonne[x], '+');
        }
        int32_t l0 =
            std::min(ligne[static_cast<size_t>(f.aine)], ligne[static_cast<size_t>(f.cadet)]);
        int32_t l1 =
            std::max(ligne[static_cast<size_t>(f.aine)], ligne[static_cast<size_t>(f.cadet)]);
        for (int32_t l = l0 + 1; l < l1; ++l)
            pose(l, colonne[x], '|');
    }
    std::string texte;
    for (int32_t l = 0; l < hauteur; ++l) {
        char tete[32] = "";
        if (l % 2 == 0)
            std::snprintf(tete, sizeof tete, "%8d ",
                          ident[static_cast<size_t>(ordre[static_cast<size_t>(l / 2)])]);
        else
            std::snprintf(tete, sizeof tete, "%8s ", "");
        std::string g = grille[static_cast<size_t>(l)];
        while (!g.empty() && g.back() == ' ')
            g.pop_back();
        texte += tete + g + "\n";
    }
    return texte;
}

} // namespace

bool TexteCah(const TListePoints &points, std::string &texte, std::string &erreur) {
    // Back from the analysis' scales: masses per mille, coordinates in thousandths.
    std::vector<double> poids;
    std::vector<std::vector<double>> coord;
    std::vector<int32_t> ident;
    std::vector<int32_t> ecartes;
    for (int32_t p = 0; p < points.NbPoints; ++p) {
        const auto up = static_cast<size_t>(p);
        if (!points.Actif[up] || !(points.Masse[up] > 0)) {
            ecartes.push_back(p);
            continue;
        }
        ident.push_back(p);
        poids.push_back(points.Masse[up] / 1000.0);
        std::vector<double> c(static_cast<size_t>(points.NbFact));
        for (size_t k = 0; k < c.size(); ++k)
            c[k] = points.Fact[k][up] / 1000.0;
        coord.push_back(std::move(c));
    }
    const auto n = static_cast<int32_t>(ident.size());
    if (n < 2) {
        erreur = "moins de deux parties actives à classer";
        return false;
    }
    std::vector<Fusion> fusions = Ward(poids, coord);
    char buf[160];
    texte = cp1252Literal("Classification ascendante hiérarchique (critère de Ward)\n");
    std::snprintf(buf, sizeof buf, "%d parties classées sur %d facteurs\n", n, points.NbFact);
    texte += cp1252Literal(buf);
    if (!ecartes.empty()) {
        texte += cp1252Literal("Parties non classées (supplémentaires ou de masse nulle) :");
        for (int32_t p : ecartes)
            texte += " " + std::to_string(p);
        texte += "\n";
    }
    texte += cp1252Literal("\nFusions (indice : accroissement de l'inertie intra-classe)\n");
    texte += cp1252Literal("   Noeud   Aîné  Cadet  Effectif        Indice\n");
    // Leaves are named by their part identifier, nodes by NbPoints + merge number.
    auto nom = [&](int32_t x) {
        return x < n ? ident[static_cast<size_t>(x)] : x - n + points.NbPoints;
    };
    double somme = 0;
    for (size_t s = 0; s < fusions.size(); ++s) {
        const Fusion &f = fusions[s];
        somme += f.indice;
        std::snprintf(buf, sizeof buf, "%8d %6d %6d %9d %13.6f\n",
                      points.NbPoints + static_cast<int32_t>(s), nom(f.aine), nom(f.cadet),
                      f.effectif, f.indice);
        texte += buf;
    }
    std::snprintf(buf, sizeof buf, "Somme des indices : %.6f\n", somme);
    texte += buf;
    texte += cp1252Literal("\nDendrogramme\n");
    texte += dendrogramme(fusions, ident, n);
    return true;
}

} // namespace morvix::cah
