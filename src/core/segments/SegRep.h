// SegRep: the repeated segments of a loaded base (sequences of 2 to 11 forms that recur at
// least SeuilSeg times and cannot be lengthened on either side without losing
// occurrences), kept as a store of Segment records in emission order, their occurrence
// positions in the .loc.sr file beside the base. Attached to the base (charg1::AssigneSR),
// segment k answers every base query under the code Nbart + 1 + k.
// Depends on base (charg1, SegmentStore) and groups (Tgen).
#pragma once

#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "segments/Segment.h"
#include "util/Annulation.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace morvix {

class Tgen;

// The forms around one occurrence: slot 0 the preceding form, slots 1 to 11 the pivot and
// the 10 forms after it; kMarqueVide where there is none.
using Fenetre = std::array<int32_t, 12>;
inline constexpr int32_t kMarqueVide = 1000000000;
inline constexpr int32_t kLongueurMaxSegment = 11;

class SegRep : public SegmentStore {
  public:
    // `delims`: codes that stop the search for the form preceding an occurrence.
    SegRep(const charg1 *base, std::set<int32_t> delims);
    ~SegRep() override;
    SegRep(const SegRep &) = delete;
    SegRep &operator=(const SegRep &) = delete;

    void AttribGauge(::morvix::Gauge gauge) { Gauge = std::move(gauge); }
    // Where the "CalcSegRep----" message goes (default "atrace.txt" in the current folder).
    void SetTracePath(std::string path) { m_trace.setPath(std::move(path)); }

    // Computes the whole store: pivots are the leading dictionary forms of frequency at
    // least seuilFormes; segments need seuilSegments occurrences. Writes BASE.loc.sr and
    // BASE.desc.sr beside the base under temporary names, renamed over the old files at the
    // end, so that a store still reading the old files keeps them. False, with an empty
    // store, no file replaced and Erreur() set, when a file cannot be written; false with
    // Annule() and the old files left as they were when `annulation` was raised.
    bool CalcSegRep(int32_t seuilFormes, int32_t seuilSegments,
                    const Annulation *annulation = nullptr);
    // True when the last CalcSegRep was cancelled.
    bool Annule() const { return m_annule; }
    // Why the last CalcSegRep failed (UTF-8), empty after success.
    const std::string &Erreur() const { return m_erreur; }
    // The segments that begin with a form of the group; appended to the store when
    // `ranger`. For several forms: each form's segments as it would give them alone, forms
    // in dictionary order. The group itself is left unchanged.
    std::vector<Segment> CalcTgenSR(const Tgen &groupe, bool ranger);
    // The segments found from n occurrence positions; reorders the array (by pivot form,
    // then by right context). Positions that hold no form are put last and ignored.
    std::vector<Segment> SelSegRep(int32_t *positions, int32_t n);
    // Fills the window of the occurrence at `position`.
    void LectSeg(Fenetre &fenetre, int32_t position) const;

    // SegmentStore. LocOccSeg reads the block back from the open .loc.sr file; empty when
    // the file is not open (a store made for one group).
    int32_t NbSegments() const override { return static_cast<int32_t>(Segs.size()); }
    std::vector<int32_t> Formes(int32_t k) const override;
    std::vector<int32_t> LocOccSeg(int32_t k) const override;
    int32_t FrqSeg(int32_t k) const override;

    // The text of segment k: each form's graphy followed by one blank (Windows-1252).
    std::string RetourneGraphie(int32_t k) const;
    // Alphabetical comparison by the forms' ranks, a prefix first; never 0 (equal
    // segments give 1).
    int ComparAlpha(const Segment &a, const Segment &b) const;
    // Sorts the store alphabetically. Never on a store attached to a base.
    void TriAlpha();

    // Paths of the two files (empty before CalcSegRep).
    const std::string &CheminLoc() const { return m_cheminLoc; }
    const std::string &CheminDesc() const { return m_cheminDesc; }

    const charg1 *Base = nullptr;
    int32_t SeuilSeg = 2;
    std::set<int32_t> Delims;
    std::vector<Segment> Segs;
    ::morvix::Gauge Gauge;

  private:
    struct Occurrence;
    void selectPivot(int32_t *positions, int32_t n, std::vector<Segment> &out);
    void readWindow(int32_t position, Occurrence &occ) const;
    void EdiSeg(int32_t j, int32_t *count, int32_t *start, int32_t *left, const int32_t *positions,
                int32_t idx, const Occurrence &prec, const Occurrence &cour,
                std::vector<Segment> &out);
    void writeBlock(const int32_t *positions, int32_t count);
    bool isDelim(int32_t code) const;
    void closeStreams();

    mutable std::FILE *m_fluxLoc = nullptr;
    mutable std::mutex m_lecture; // LocOccSeg's seek and read of m_fluxLoc
    std::FILE *m_fluxDesc = nullptr;
    int64_t m_octetsLoc = 0;
    std::string m_cheminLoc, m_cheminDesc;
    std::string m_erreur;
    bool m_annule = false;
    Trace m_trace;
    std::vector<uint8_t> m_delimArticle; // Delims membership for article codes
    bool m_delimsBeyondArticles = false;
    std::vector<int32_t> m_formRank;       // alphabetical rank of each form among the forms
    std::vector<int32_t> m_rankToCode;     // the form of each rank
    std::vector<int32_t> m_block;          // scratch for one occurrence block
    mutable bool m_readSinceWrite = false; // the .loc.sr position moved away from its end
};

} // namespace morvix
