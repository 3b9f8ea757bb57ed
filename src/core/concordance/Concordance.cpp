#include "concordance/Concordance.h"

#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segments/SegRep.h"
#include "util/RegexTables.h"

#include <algorithm>
#include <cstdio>

namespace morvix {

RegroupementParties RegroupementDe(const Partition &partition) {
    RegroupementParties parts;
    parts.nbParties = partition.NbParties;
    parts.partieDePos = [&partition](int32_t position) { return partition.PartieDePos(position); };
    for (int32_t i = 0; i < partition.NbParties; ++i)
        parts.libelles.emplace_back(partition.Libelle(i));
    parts.cle = partition.Base().RetourneGraphie(partition.Cle, false);
    return parts;
}

std::unique_ptr<Tgen> PoleDepuisForme(const charg1 &base, std::string_view graphie) {
    const int32_t code = base.LocFormDic(graphie, true);
    if (code < 0)
        return nullptr;
    return std::make_unique<Tgen>(&base, &code, 1, nullptr);
}

std::vector<int32_t> CodesDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur) {
    std::vector<int32_t> codes;
    Regex1252 regex(motif);
    erreur = regex.erreur();
    if (!regex.valide())
        return codes;
    for (int32_t code = 0; code < base.Nbform(); ++code)
        if (regex.cherche(base.RetourneGraphie(code, false)))
            codes.push_back(code);
    if (base.SegmentStoreAttache())
        for (int32_t k = 0; k < base.NbFormSup(); ++k) {
            const int32_t code = base.Nbart() + 1 + k;
            if (regex.cherche(base.RetourneGraphie(code, false)))
                codes.push_back(code);
        }
    return codes;
}

std::unique_ptr<Tgen> PoleDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur) {
    std::vector<int32_t> codes = CodesDepuisExpression(base, motif, erreur);
    if (codes.empty())
        return nullptr;
    return std::make_unique<Tgen>(&base, codes, nullptr);
}

void TrieOccurrences(const charg1 &base, std::vector<int32_t> &positions, int32_t sens) {
    if (sens == kTriAucun)
        std::sort(positions.begin(), positions.end());
    else
        base.TriCont(positions.data(), static_cast<int32_t>(positions.size()), sens < 0 ? -1 : 1,
                     base.Nbform() - 1);
}

LigneContexte LigneDeContexte(const charg1 &base, int32_t position, int32_t largeur) {
    LigneContexte line;
    line.position = position;
    const size_t w = static_cast<size_t>(std::max(largeur, 0));
    if (const char *g = base.RetourneGraphieAtPos(position, false))
        line.pole = g;

    // Left: " g" in front for each article going back, until the width is reached.
    const char *pieces[256 + 1];
    size_t nbPieces = 0, length = 0;
    std::vector<const char *> more; // only for widths beyond the fixed array
    for (int32_t q = position - 1; length < w && q >= 0; --q) {
        const char *g = base.RetourneGraphieAtPos(q, true);
        if (!g || !*g)
            continue;
        if (nbPieces < 256)
            pieces[nbPieces++] = g;
        else
            more.push_back(g);
        length += 1 + std::char_traits<char>::length(g);
    }
    std::string left;
    left.reserve(std::max(length, w));
    for (size_t i = more.size(); i-- > 0;) {
        left += ' ';
        left += more[i];
    }
    for (size_t i = nbPieces; i-- > 0;) {
        left += ' ';
        left += pieces[i];
    }
    if (left.size() > w)
        line.gauche.assign(left, left.size() - w, w);
    else
        line.gauche.assign(w - left.size(), ' ').append(left);

    // Right: "g " for each article going forward, until the width is reached.
    const int32_t nbitem = base.Nbitem();
    line.droite.reserve(w + 16);
    for (int32_t q = position + 1; line.droite.size() < w && q < nbitem; ++q) {
        const char *g = base.RetourneGraphieAtPos(q, true);
        if (!g || !*g)
            continue;
        line.droite += g;
        line.droite += ' ';
    }
    return line;
}

DocumentConcordance ConstruitConcordance(const charg1 &base, const Tgen &pole,
                                         const OptionsConcordance &options) {
    DocumentConcordance doc;
    std::vector<int32_t> positions = pole.Occ;
    doc.nbOccurrences = static_cast<int32_t>(positions.size());
    TrieOccurrences(base, positions, options.sens);
    const int32_t width = std::clamp(options.largeur, kLargeurMin, kLargeurMax);
    auto lineItem = [&](int32_t p) {
        ElementDocument item;
        item.ligne = LigneDeContexte(base, p, width);
        return item;
    };

    const RegroupementParties *parts = options.regroupement;
    if (!parts || !parts->partieDePos) {
        doc.elements.reserve(positions.size());
        for (int32_t p : positions)
            doc.elements.push_back(lineItem(p));
        doc.nbLignes = static_cast<int32_t>(positions.size());
        return doc;
    }
    // Each part's occurrences, in the order of the sorted array.
    std::vector<std::vector<int32_t>> byPart(static_cast<size_t>(std::max(parts->nbParties, 0)));
    for (int32_t p : positions) {
        const int32_t part = parts->partieDePos(p);
        if (part >= 0 && part < parts->nbParties)
            byPart[static_cast<size_t>(part)].push_back(p);
    }
    for (size_t i = 0; i < byPart.size(); ++i) {
        if (byPart[i].empty())
            continue;
        ElementDocument header;
        header.entete = true;
        header.partie = static_cast<int32_t>(i);
        if (i < parts->libelles.size())
            header.libelle = parts->libelles[i];
        header.nombre = static_cast<int32_t>(byPart[i].size());
        doc.elements.push_back(std::move(header));
        for (int32_t p : byPart[i])
            doc.elements.push_back(lineItem(p));
        doc.nbLignes += static_cast<int32_t>(byPart[i].size());
    }
    return doc;
}

std::set<int32_t> DelimiteursDepuisTexte(const charg1 &base, std::string_view caracteres) {
    std::set<int32_t> codes;
    for (char c : caracteres)
        codes.insert(base.LocFormDic(std::string_view(&c, 1), false));
    return codes;
}

DocumentConcordance ConstruitInventaire(const charg1 &base, const Tgen &pole,
                                        std::string_view delimiteurs) {
    DocumentConcordance doc;
    SegRep store(&base, DelimiteursDepuisTexte(base, delimiteurs));
    store.SeuilSeg = 2;
    store.CalcTgenSR(pole, true);
    store.TriAlpha();
    doc.nbOccurrences = store.NbSegments();
    doc.nbLignes = store.NbSegments();
    doc.elements.reserve(store.Segs.size());
    for (const Segment &s : store.Segs) {
        const auto length = static_cast<int32_t>(s.Formes.size());
        const int32_t m = std::max(7 - length, 1);
        ElementDocument item;
        LigneContexte &line = item.ligne;
        if (5 - m > 0)
            line.gauche.assign(static_cast<size_t>(5 * (5 - m)), ' ');
        char frq[16];
        std::snprintf(frq, sizeof frq, "%4d", s.Frq);
        line.gauche += frq;
        for (int32_t i = 0; i < m; ++i)
            line.gauche += " ----";
        line.gauche += ' ';
        line.pole = base.RetourneGraphie(s.Formes[0], false);
        for (size_t i = 1; i < s.Formes.size(); ++i) {
            line.droite += base.RetourneGraphie(s.Formes[i], false);
            line.droite += ' ';
        }
        doc.elements.push_back(std::move(item));
    }
    return doc;
}

} // namespace morvix
