// Partition: the text of a loaded base cut into parts by a key type. Every tag of the key
// opens a span that belongs to the part named by the tag's key content, up to the next tag
// of the same key; spans with the same content form one part. Holds the frequency of every
// graphical form in every part, the per-part counts, the user's choice of parts and the two
// parameters of specificity computations. Depends on base (charg1, and through it the
// attached repeated-segment store for segment codes).
//
// Part indexes: part q is the q-th key content in ascending code order (`Valeurs`), that is
// in alphabetical order of the contents. Every per-part array below is indexed that way.
//
// The partition keeps a reference to the base, which must outlive it. Only `Cochee`,
// `Selec`, `Couleurs`, `FrqMin` and `Seuil` are meant to change after construction;
// computations that need another reference or target set change `Cochee`/`Selec` for their
// duration and restore them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace morvix {

class charg1;

// One span of the partition.
struct Tranche {
    int32_t Partie = 0;  // part index; NbParties + 1 on the sentinel
    int32_t Debut = 0;   // first position: the tag's position + 2 (Nbitem on the sentinel)
    int32_t PremOcc = 0; // index of a group's first occurrence in the span (RepereTranches)
};

// One non-zero cell of the forms x parts table: the part (in a form's row) or the form code
// (in a part's column), and the frequency.
struct FrqNonNulle {
    int32_t Indice = 0;
    int32_t Frq = 0;
};

inline constexpr uint32_t kCouleurPartieDefaut = 0xFFFF40;
inline constexpr int32_t kFrqMinDefaut = 10;
inline constexpr int32_t kSeuilDefaut = 5;

class Partition {
  public:
    // Builds the whole partition of `base` on the key type of code `cle`. A key type that
    // never occurs gives zero parts and zero spans.
    Partition(const charg1 &base, int32_t cle);

    const charg1 &Base() const { return *m_base; }

    int32_t NbTranches = 0;          // number of spans (tags of the key)
    int32_t NbParties = 0;           // number of distinct key contents
    std::vector<bool> Cochee;        // ticked: in the reference set; initially all true
    std::vector<bool> Selec;         // selected: in the target set; initially all false
    std::vector<uint32_t> Couleurs;  // 0x00BBGGRR per part; initially kCouleurPartieDefaut
    int32_t FrqMin = kFrqMinDefaut;  // minimum frequency of specificity computations
    int32_t Seuil = kSeuilDefaut;    // probability threshold, in percent
    std::vector<int32_t> Valeurs;    // key content codes, ascending
    std::vector<int32_t> Taille;     // occurrences of graphical forms per part
    std::vector<int32_t> NbFormes;   // distinct graphical forms per part
    std::vector<int32_t> NbHapax;    // forms occurring exactly once in the part
    std::vector<int32_t> FmaxPartie; // highest frequency of a form in the part
    std::vector<int32_t> FormeFmax;  // lowest code reaching it (0 for a part without forms)
    int32_t Cle = 0;                 // code of the key type
    std::vector<Tranche> Tranches;   // NbTranches spans in text order, then the sentinel

    // Frequencies of the graphical forms in the parts. The text before the first tag counts
    // in the first span's part. Most cells are 0, so only the others are stored, twice: by
    // form and by part.
    //
    // Frequency of a graphical form in a part; the caller keeps both indexes in range.
    int32_t Frq(int32_t code, int32_t part) const;
    // The parts where a graphical form occurs, ascending, with its frequency in each.
    std::span<const FrqNonNulle> LigneForme(int32_t code) const {
        const auto c = static_cast<size_t>(code);
        return {m_lignes.data() + m_debutLigne[c],
                static_cast<size_t>(m_debutLigne[c + 1] - m_debutLigne[c])};
    }
    // The graphical forms occurring in a part, by ascending code, with their frequencies.
    std::span<const FrqNonNulle> ColonnePartie(int32_t part) const {
        const auto q = static_cast<size_t>(part);
        return {m_colonnes.data() + m_debutColonne[q],
                static_cast<size_t>(m_debutColonne[q + 1] - m_debutColonne[q])};
    }
    // Number of non-zero (form, part) cells.
    int64_t NbFrqNonNulles() const { return static_cast<int64_t>(m_lignes.size()); }

    // Occurrences of a code in a part: Frq for a graphical form; for any other code (a
    // repeated segment in practice) counted from LocOccFor over the part's spans, so that
    // occurrences before the first tag count in no part. 0 for a part out of range.
    int32_t FrqPartie(int32_t code, int32_t part) const;
    // All NbParties frequencies of a code at once (same rules as FrqPartie, one pass over
    // its positions); `out` receives NbParties values.
    void FrqParties(int32_t code, int32_t *out) const;
    std::vector<int32_t> FrqParties(int32_t code) const;
    // The non-zero frequencies of a code (same rules as FrqPartie) as (part, frequency)
    // cells by ascending part, replacing the content of `out`.
    void FrqPartiesNonNulles(int32_t code, std::vector<FrqNonNulle> &out) const;
    // Per-part counts of n ascending positions over the spans (before the first tag: none).
    void FrqPositionsParties(const int32_t *positions, int32_t n, int32_t *out) const;

    // How many of the n ascending positions lie in the span; 0 when span >= NbTranches.
    int32_t NbOccTranche(const int32_t *positions, int32_t n, int32_t span) const;
    // Part index of a position: the text before the first tag belongs to the first part and
    // a tag's own items to the span before it; -1 outside the text or without spans.
    int32_t PartieDePos(int32_t position) const;
    // Index of the span holding a position (same rules as PartieDePos), or -1.
    int32_t TrancheDePos(int32_t position) const;

    // Occurrences of a group in a part, from its n ascending occurrence positions.
    int32_t FrqGroupePartie(const int32_t *occ, int32_t n, int32_t part) const;
    // Any group offering `Occ` (ascending positions, a contiguous container) and `NbOcc`.
    template <class Groupe> int32_t FrqGroupePartie(const Groupe &g, int32_t part) const {
        return FrqGroupePartie(g.Occ.data(), g.NbOcc, part);
    }

    // Stores in each span's PremOcc the index of the first of the n ascending positions at
    // or after the span's start; a span starting after the last position keeps its previous
    // value; the sentinel gets n.
    void RepereTranches(const int32_t *occ, int32_t n);
    template <class Groupe> void RepereTranches(const Groupe &g) {
        RepereTranches(g.Occ.data(), g.NbOcc);
    }

    // The label of a part: the graphy of its key content (Windows-1252); "" out of range.
    const char *Libelle(int32_t part) const;
    // Index of the part whose label is `label` byte for byte, or -1.
    int32_t IndexLibelle(std::string_view label) const;
    // Sum of the sizes of all parts.
    int64_t TailleTotale() const;

    // Code of the key type whose graphy is `graphy` on the base, or -1.
    static int32_t CodeCle(const charg1 &base, std::string_view graphy);

  private:
    void construit();

    const charg1 *m_base;
    // Rows: the cells of form c are m_lignes[m_debutLigne[c] .. m_debutLigne[c + 1]), by
    // ascending part. Columns: the cells of part q, m_colonnes[m_debutColonne[q] ..
    // m_debutColonne[q + 1]), by ascending code.
    std::vector<int64_t> m_debutLigne;
    std::vector<FrqNonNulle> m_lignes;
    std::vector<int64_t> m_debutColonne;
    std::vector<FrqNonNulle> m_colonnes;
};

} // namespace morvix
