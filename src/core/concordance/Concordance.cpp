#include "concordance/Concordance.h"

#include "base/TriContextes.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segments/SegRep.h"
#include "util/RegexTables.h"

#include <algorithm>
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

int32_t CodeSegmentDeTexte(const charg1 &base, std::string_view texte) {
    if (!base.SegmentStoreAttache() || texte.empty())
        return -1;
    if (texte.back() == ' ')
        texte.remove_suffix(1);
    for (int32_t k = 0; k < base.NbFormSup(); ++k) {
        const int32_t code = base.Nbart() + 1 + k;
        std::string_view graphie = base.RetourneGraphie(code, false);
        if (!graphie.empty() && graphie.back() == ' ')
            graphie.remove_suffix(1);
        if (graphie == texte)
            return code;
    }
    return -1;
}

std::vector<int32_t> CodesDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur, const Annulation *annulation) {
    std::vector<int32_t> codes;
    Regex1252 regex(motif);
    erreur = regex.erreur();
    if (!regex.valide())
        return codes;
    std::vector<int32_t> candidates;
    for (int32_t code = 0; code < base.Nbform(); ++code)
        candidates.push_back(code);
    if (base.SegmentStoreAttache())
        for (int32_t k = 0; k < base.NbFormSup(); ++k)
            candidates.push_back(base.Nbart() + 1 + k);
    // A costly pattern stops the search at the first text it cannot settle: its answer
    // would otherwise be a silent, partial one.
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (regex.cherche(base.RetourneGraphie(candidates[i], false)))
            codes.push_back(candidates[i]);
        if (regex.tropCouteuse()) {
            erreur = kExpressionTropCouteuse;
            return {};
        }
        if (i % 1024 == 0 && Annulee(annulation)) {
            erreur = "Recherche annulée";
            return {};
        }
    }
    return codes;
}

std::unique_ptr<Tgen> PoleDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur, const Annulation *annulation) {
    std::vector<int32_t> codes = CodesDepuisExpression(base, motif, erreur, annulation);
    if (codes.empty())
        return nullptr;
    return std::make_unique<Tgen>(&base, codes, nullptr);
}

namespace {

// Indexes into `positions` in the order of the lines; false when cancelled.
bool ordreLignes(const charg1 &base, const std::vector<int32_t> &positions, int32_t sens,
                 std::vector<int32_t> &order, const Annulation *annulation) {
    if (sens != kTriAucun)
        return OrdreContextes(base, positions, sens < 0 ? -1 : 1, base.Nbform() - 1, order,
                              annulation);
    order.resize(positions.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        return positions[static_cast<size_t>(a)] < positions[static_cast<size_t>(b)];
    });
    return true;
}

} // namespace

void TrieOccurrences(const charg1 &base, std::vector<int32_t> &positions, int32_t sens) {
    std::vector<int32_t> order;
    ordreLignes(base, positions, sens, order, nullptr);
    std::vector<int32_t> sorted(positions.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = positions[static_cast<size_t>(order[i])];
    positions = std::move(sorted);
}

namespace {

// The graphies of the forms and punctuation signs, with their lengths, by code: what the
// contexts show. Everything else (keys, line ends) shows nothing.
class GraphiesContexte {
  public:
    explicit GraphiesContexte(const charg1 &base)
        : m_tnum(base.TnumData()), m_pole(base),
          m_graphies(static_cast<size_t>(std::max(base.Nbform() + base.Nbartponct(), 0))) {
        for (size_t c = 0; c < m_graphies.size(); ++c)
            m_graphies[c] = base.RetourneGraphie(static_cast<int32_t>(c), true);
    }
    // "" for a position out of the text or an item that is not shown.
    std::string_view at(int32_t position) const {
        if (position < 0 || static_cast<size_t>(position) >= m_tnum.size())
            return {};
        const int32_t code = m_tnum[static_cast<size_t>(position)];
        return code >= 0 && static_cast<size_t>(code) < m_graphies.size()
                   ? m_graphies[static_cast<size_t>(code)]
                   : std::string_view();
    }
    const charg1 &base() const { return m_pole; }
    int32_t nbitem() const { return static_cast<int32_t>(m_tnum.size()); }

  private:
    std::span<const int32_t> m_tnum;
    const charg1 &m_pole;
    std::vector<std::string_view> m_graphies;
};

void buildLine(const GraphiesContexte &g, int32_t position, size_t w, LigneContexte &line) {
    line.position = position;
    if (const char *pole = g.base().RetourneGraphieAtPos(position, false))
        line.pole = pole;

    // Left: " g" in front for each article going back, until the width is reached; then
    // the last w characters, or blanks in front up to w. Filled from the right.
    line.gauche.assign(w, ' ');
    size_t end = w, length = 0;
    for (int32_t q = position - 1; length < w && q >= 0; --q) {
        const std::string_view piece = g.at(q);
        if (piece.empty())
            continue;
        length += 1 + piece.size();
        for (size_t k = piece.size(); k-- > 0 && end > 0;)
            line.gauche[--end] = piece[k];
        if (end > 0)
            line.gauche[--end] = ' ';
    }

    // Right: "g " for each article going forward, until the width is reached.
    line.droite.reserve(w + 24);
    const int32_t nbitem = g.nbitem();
    for (int32_t q = position + 1; line.droite.size() < w && q < nbitem; ++q) {
        const std::string_view piece = g.at(q);
        if (piece.empty())
            continue;
        line.droite += piece;
        line.droite += ' ';
    }
}

} // namespace

LigneContexte LigneDeContexte(const charg1 &base, int32_t position, int32_t largeur) {
    LigneContexte line;
    buildLine(GraphiesContexte(base), position, static_cast<size_t>(std::max(largeur, 0)), line);
    return line;
}

DocumentConcordance ConstruitConcordance(const charg1 &base, const Tgen &pole,
                                         const OptionsConcordance &options) {
    DocumentConcordance doc;
    if (Annulee(options.annulation)) {
        doc.annule = true;
        return doc;
    }
    const std::vector<int32_t> &positions = pole.Occ;
    const size_t n = positions.size();
    doc.nbOccurrences = static_cast<int32_t>(n);
    const auto width = static_cast<size_t>(std::clamp(options.largeur, kLargeurMin, kLargeurMax));
    std::vector<int32_t> order;
    if (!ordreLignes(base, positions, options.sens, order, options.annulation)) {
        doc.annule = true;
        return doc;
    }

    // The document's slot of each occurrence (-1: in no part), headers placed first.
    std::vector<int32_t> slot(n, -1);
    const RegroupementParties *parts = options.regroupement;
    if (!parts || !parts->partieDePos) {
        for (size_t i = 0; i < n; ++i)
            slot[static_cast<size_t>(order[i])] = static_cast<int32_t>(i);
        doc.elements.resize(n);
        doc.nbLignes = static_cast<int32_t>(n);
    } else {
        const auto nbParties = static_cast<size_t>(std::max(parts->nbParties, 0));
        std::vector<int32_t> partOf(n), count(nbParties, 0);
        for (size_t i = 0; i < n; ++i) {
            const int32_t part = parts->partieDePos(positions[i]);
            partOf[i] = part >= 0 && static_cast<size_t>(part) < nbParties ? part : -1;
            if (partOf[i] >= 0)
                ++count[static_cast<size_t>(partOf[i])];
        }
        std::vector<int32_t> next(nbParties, 0); // next free slot of each part
        for (size_t i = 0; i < nbParties; ++i) {
            if (count[i] == 0)
                continue;
            ElementDocument header;
            header.entete = true;
            header.partie = static_cast<int32_t>(i);
            if (i < parts->libelles.size())
                header.libelle = parts->libelles[i];
            header.nombre = count[i];
            doc.elements.push_back(std::move(header));
            next[i] = static_cast<int32_t>(doc.elements.size());
            doc.nbLignes += count[i];
            doc.elements.resize(doc.elements.size() + static_cast<size_t>(count[i]));
        }
        for (int32_t index : order) {
            const int32_t part = partOf[static_cast<size_t>(index)];
            if (part >= 0)
                slot[static_cast<size_t>(index)] = next[static_cast<size_t>(part)]++;
        }
    }
    // Lines are built in text order, where the reads of the numeric text are close.
    const GraphiesContexte graphies(base);
    for (size_t i = 0; i < n; ++i) {
        if ((i & 0xFFFF) == 0xFFFF && Annulee(options.annulation)) {
            doc = DocumentConcordance();
            doc.annule = true;
            return doc;
        }
        if (slot[i] >= 0)
            buildLine(graphies, positions[i], width,
                      doc.elements[static_cast<size_t>(slot[i])].ligne);
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
                                        std::string_view delimiteurs,
                                        const Annulation *annulation) {
    DocumentConcordance doc;
    SegRep store(&base, DelimiteursDepuisTexte(base, delimiteurs));
    store.SeuilSeg = 2;
    store.CalcTgenSR(pole, true);
    if (Annulee(annulation)) {
        doc.annule = true;
        return doc;
    }
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
