#include "concordance/Concordance.h"

#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segments/SegRep.h"
#include "util/RegexTables.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <span>

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

namespace {

// Context order of TriCont, faster: each occurrence carries the ranks of the first two
// forms of its context (0 once the edge is reached), and only positions whose two first
// forms agree are compared further, by charg1::ComparContextes, then by position.
struct CleContexte {
    int64_t rang[2]; // alphabetical ranks; kBord once the edge is reached
    int32_t position;
    int32_t indice;
};
constexpr int64_t kBord = INT64_MIN;

std::vector<CleContexte> cleContextes(const charg1 &base, const std::vector<int32_t> &positions,
                                      int32_t sens) {
    const std::span<const int32_t> t = base.TnumData();
    const int32_t nbitem = base.Nbitem(), codeMax = base.Nbform() - 1;
    std::vector<CleContexte> keys(positions.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        int32_t p = positions[i];
        CleContexte &key = keys[i];
        key.position = p;
        key.indice = static_cast<int32_t>(i);
        bool edge = false;
        for (int64_t &rank : key.rang) {
            rank = kBord;
            if (edge)
                continue;
            do {
                p += sens;
            } while (p >= 0 && p < nbitem && t[static_cast<size_t>(p)] > codeMax);
            edge = p < 0 || p >= nbitem;
            if (!edge)
                rank = base.Lexg(t[static_cast<size_t>(p)]);
        }
    }
    const int32_t dir = sens < 0 ? -1 : 1;
    std::sort(keys.begin(), keys.end(), [&](const CleContexte &a, const CleContexte &b) {
        if (a.rang[0] != b.rang[0])
            return a.rang[0] < b.rang[0];
        if (a.rang[1] != b.rang[1])
            return a.rang[1] < b.rang[1];
        const int c = base.ComparContextes(a.position, b.position, dir, codeMax);
        return c != 0 ? c < 0 : a.position < b.position;
    });
    return keys;
}

// Indexes into `positions` in the order of the lines.
std::vector<int32_t> ordreLignes(const charg1 &base, const std::vector<int32_t> &positions,
                                 int32_t sens) {
    std::vector<int32_t> order(positions.size());
    if (sens == kTriAucun) {
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int32_t>(i);
        std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
            return positions[static_cast<size_t>(a)] < positions[static_cast<size_t>(b)];
        });
        return order;
    }
    std::vector<CleContexte> keys = cleContextes(base, positions, sens < 0 ? -1 : 1);
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].indice;
    return order;
}

} // namespace

void TrieOccurrences(const charg1 &base, std::vector<int32_t> &positions, int32_t sens) {
    std::vector<int32_t> order = ordreLignes(base, positions, sens);
    std::vector<int32_t> sorted(positions.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = positions[static_cast<size_t>(order[i])];
    positions = std::move(sorted);
}

LigneContexte LigneDeContexte(const charg1 &base, int32_t position, int32_t largeur) {
    LigneContexte line;
    line.position = position;
    const size_t w = static_cast<size_t>(std::max(largeur, 0));
    if (const char *g = base.RetourneGraphieAtPos(position, false))
        line.pole = g;

    // Left: " g" in front for each article going back, until the width is reached; then
    // the last w characters, or blanks in front up to w.
    struct Piece {
        const char *text;
        size_t length;
    };
    Piece fixed[64];
    std::vector<Piece> more; // beyond 64 pieces (very wide contexts)
    size_t nbPieces = 0, length = 0;
    for (int32_t q = position - 1; length < w && q >= 0; --q) {
        const char *g = base.RetourneGraphieAtPos(q, true);
        if (!g || !*g)
            continue;
        const Piece piece{g, std::char_traits<char>::length(g)};
        if (nbPieces < 64)
            fixed[nbPieces++] = piece;
        else
            more.push_back(piece);
        length += 1 + piece.length;
    }
    line.gauche.assign(w, ' ');
    size_t end = w; // fill from the right, nearest article first
    auto put = [&](const Piece &piece) {
        for (size_t k = piece.length; k-- > 0 && end > 0;)
            line.gauche[--end] = piece.text[k];
        if (end > 0)
            line.gauche[--end] = ' ';
    };
    for (size_t i = 0; i < nbPieces && end > 0; ++i)
        put(fixed[i]);
    for (size_t i = 0; i < more.size() && end > 0; ++i)
        put(more[i]);

    // Right: "g " for each article going forward, until the width is reached.
    const int32_t nbitem = base.Nbitem();
    line.droite.reserve(w + 24);
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
    const std::vector<int32_t> &positions = pole.Occ;
    doc.nbOccurrences = static_cast<int32_t>(positions.size());
    const int32_t width = std::clamp(options.largeur, kLargeurMin, kLargeurMax);
    const std::vector<int32_t> order = ordreLignes(base, positions, options.sens);

    const RegroupementParties *parts = options.regroupement;
    const bool grouped = parts && parts->partieDePos;
    std::vector<int32_t> partOf;
    if (grouped) {
        partOf.resize(positions.size());
        for (size_t i = 0; i < positions.size(); ++i) {
            const int32_t part = parts->partieDePos(positions[i]);
            partOf[i] = part >= 0 && part < parts->nbParties ? part : -1;
        }
    }
    // Lines are built in text order, where the reads of the numeric text are close.
    std::vector<LigneContexte> lines(positions.size());
    for (size_t i = 0; i < positions.size(); ++i)
        if (!grouped || partOf[i] >= 0)
            lines[i] = LigneDeContexte(base, positions[i], width);
    auto take = [&](int32_t index) {
        ElementDocument item;
        item.ligne = std::move(lines[static_cast<size_t>(index)]);
        doc.elements.push_back(std::move(item));
        ++doc.nbLignes;
    };

    if (!grouped) {
        doc.elements.reserve(positions.size());
        for (int32_t index : order)
            take(index);
        return doc;
    }
    // Each part's lines, in the order of the sort.
    std::vector<std::vector<int32_t>> byPart(static_cast<size_t>(std::max(parts->nbParties, 0)));
    for (int32_t index : order)
        if (partOf[static_cast<size_t>(index)] >= 0)
            byPart[static_cast<size_t>(partOf[static_cast<size_t>(index)])].push_back(index);
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
        for (int32_t index : byPart[i])
            take(index);
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
