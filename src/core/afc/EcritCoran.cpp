#include "afc/EcritCoran.h"

#include "afc/FichierEchange.h"
#include "afc/LimitesAfc.h"
#include "base/charg1.h"
#include "partitions/Partition.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <span>
#include <vector>

namespace morvix {

namespace {

int32_t chiffres(int64_t v) {
    int32_t n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

// A field of at least `largeur` characters that never runs into the one before it.
std::string champ(const std::string &s, size_t largeur, bool premier) {
    size_t l = std::max(largeur, premier ? s.size() : s.size() + 1);
    return std::string(l - s.size(), ' ') + s;
}

// The first 20 bytes of a graphy, padded with blanks to 20.
std::string libelle(const char *graphie) {
    std::string s(graphie ? graphie : "");
    if (s.size() > 20)
        s.resize(20);
    s.resize(20, ' ');
    return s;
}

} // namespace

int32_t NbFormesAuMoins(const charg1 &base, int32_t frqMin) {
    int32_t n = 0;
    while (n < base.Nbform() && base.RetourneFrq(n) >= frqMin)
        ++n;
    return n;
}

ParamAfc ParamAfcInitiaux(const Partition &partition) {
    const charg1 &base = partition.Base();
    ParamAfc p;
    p.Titre = base.NomBase() + " : " + base.RetourneGraphie(partition.Cle, false);
    p.FrqMin = partition.FrqMin;
    p.NI = NbFormesAuMoins(base, p.FrqMin);
    p.NF = std::min(partition.NbParties - 1, kMaxFacteurs);
    return p;
}

int32_t NbPartiesNonCochees(const Partition &partition) {
    return static_cast<int32_t>(
        std::count(partition.Cochee.begin(), partition.Cochee.end(), false));
}

bool EcritCoranDon(const std::string &chemin, const Partition &partition, const ParamAfc &param,
                   std::string &erreur) {
    const charg1 &base = partition.Base();
    const int32_t nj = partition.NbParties;
    if (nj < 1) {
        erreur = "la partition n'a aucune partie";
        return false;
    }
    if (param.NI < 1 || param.NI > base.Nbform()) {
        erreur = "NI doit être compris entre 1 et " + std::to_string(base.Nbform());
        return false;
    }
    if (param.NF < 1 || param.NF > kMaxFacteurs) {
        erreur = "NF doit être compris entre 1 et " + std::to_string(kMaxFacteurs);
        return false;
    }

    // Rows first, to size the fields.
    std::vector<int32_t> codes;
    for (int32_t j = 0; j < param.NI; ++j)
        codes.push_back(j);
    const auto nbActives = codes.size();
    if (const SegmentStore *store = base.SegmentStoreAttache())
        for (int32_t k = 0; k < store->NbSegments(); ++k)
            if (store->FrqSeg(k) >= param.FrqMin)
                codes.push_back(base.Nbart() + 1 + k);
    // The rows' non-zero cells: forms from the partition's table, segments counted once
    // from their positions.
    const auto unj = static_cast<size_t>(nj);
    std::vector<std::vector<FrqNonNulle>> segments(codes.size() - nbActives);
    auto cellules = [&](size_t r) -> std::span<const FrqNonNulle> {
        return r < nbActives ? partition.LigneForme(codes[r]) : segments[r - nbActives];
    };
    int64_t maxFrq = 0;
    for (size_t r = 0; r < codes.size(); ++r) {
        if (r >= nbActives)
            partition.FrqPartiesNonNulles(codes[r], segments[r - nbActives]);
        for (const FrqNonNulle &c : cellules(r))
            maxFrq = std::max<int64_t>(maxFrq, c.Frq);
    }
    const int32_t largeurFrq = std::max(5, chiffres(maxFrq) + 1);
    const int32_t largeurNum = std::max(5, chiffres(codes.empty() ? 0 : codes.back()));

    FichierEchange w(true);
    if (!w.Ouvre(chemin)) {
        erreur = w.Erreur();
        return false;
    }
    // The title is one line whatever was typed.
    std::string titre = param.Titre;
    std::replace_if(
        titre.begin(), titre.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    w.Ecrit(titre + "\n");
    w.Ecrit(champ(std::to_string(param.NI), 4, true) + champ(std::to_string(nj), 4, false));
    w.Imprime("%4d%4d%4d\n", 5, 1, 0);
    std::string ligne;
    for (int32_t i = 0; i < nj; ++i)
        ligne += champ(std::to_string(i), 4, i == 0);
    w.Ecrit(ligne + "\n");
    ligne.clear();
    for (int32_t i = 0; i < nj; ++i)
        ligne += (param.Mode == 1 && !partition.Cochee[static_cast<size_t>(i)]) ? '2' : '1';
    w.Ecrit(ligne + "\n");
    w.Imprime("(%dx,5A4,%dF%d.0)\n", largeurNum + 1, nj, largeurFrq);

    // A row of zeros, each count right-aligned in its field; a row's non-zero counts are
    // written over it.
    std::string zeros;
    for (size_t i = 0; i < unj; ++i)
        zeros += std::string(static_cast<size_t>(largeurFrq) - 1, ' ') + '0';
    std::string comptes;
    char nombre[32];
    auto ecritLigne = [&](size_t r) {
        std::snprintf(nombre, sizeof nombre, "%*d ", largeurNum, codes[r]);
        ligne = nombre;
        ligne += libelle(base.RetourneGraphie(codes[r], false));
        comptes = zeros;
        for (const FrqNonNulle &c : cellules(r)) {
            auto [fin, ec] = std::to_chars(nombre, nombre + sizeof nombre, c.Frq);
            const auto n = static_cast<size_t>(fin - nombre);
            comptes.replace((static_cast<size_t>(c.Indice) + 1) * static_cast<size_t>(largeurFrq) -
                                n,
                            n, nombre, n);
        }
        ligne += comptes;
        ligne += '\n';
        w.Ecrit(ligne);
    };
    for (size_t r = 0; r < nbActives; ++r)
        ecritLigne(r);
    w.Ecrit(champ(std::to_string(param.NF), 4, true));
    w.Imprime("%4d%4d%4d%4d%4d%4d\n", 0, 0, 4, 150, 0, 0);
    for (size_t r = nbActives; r < codes.size(); ++r)
        ecritLigne(r);
    if (!w.Valide()) {
        erreur = w.Erreur();
        return false;
    }
    return true;
}

} // namespace morvix
