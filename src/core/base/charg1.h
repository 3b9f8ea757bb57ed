// charg1: a base loaded in memory (counts of the .par file, the dictionary of the .dic file,
// the numeric text of the .num file) and every query on articles, positions and contexts.
// Depends on util (trace, binary reading); knows repeated segments only through
// SegmentStore.
#pragma once

#include "base/Lexm.h"
#include "base/SegmentStore.h"
#include "util/Annulation.h"
#include "util/Trace.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvix {

// Progress callback; the argument (0 for the dictionary, 1 for the text) may be ignored.
using Gauge = std::function<void(int32_t)>;

// Result codes of ChargeBase.
enum ChargeResult : int {
    kChargeOk = 0,
    kChargeParam = 1,   // the parameter file cannot be read or is damaged
    kChargeDico = 2,    // the numeric dictionary cannot be read or is damaged
    kChargeTexte = 3,   // the numeric text cannot be read or is damaged
    kChargeMemoire = 4, // memory cannot be allocated
    kChargeAnnule = 5,  // the loading was cancelled
};

// Once loaded, a charg1 may be queried from several threads at once (the derived indexes
// are built under a lock, the segment graphy buffer is per thread); SetInfo, SetTnum and
// AssigneSR change it and must not run alongside queries.
class charg1 {
  public:
    charg1();
    ~charg1();
    charg1(const charg1 &) = delete;
    charg1 &operator=(const charg1 &) = delete;

    void AttribGauge(Gauge gauge) { m_gauge = std::move(gauge); }
    // The flag that stops a loading (ChargeBase then returns kChargeAnnule); may be null.
    void AttribAnnulation(const Annulation *annulation) { m_annulation = annulation; }
    // The number of slices the numeric text is read in (0, the default: one per core on a
    // large base; at most 64); the base loaded is the same for every number.
    void AttribTranches(size_t tranches) { m_tranches = tranches; }
    // The trace log written while loading (default "atrace.txt" in the current folder).
    void SetTracePath(std::string path) { m_trace.setPath(std::move(path)); }

    // Loads the base whose .par file is at `path`; the .dic and .num files are looked for
    // beside it under the base name of the .par file, opened together under the folder's
    // lock after completing an interrupted replacement of the base (FileCommit.h). The
    // counts of the three files are checked against each other. Returns a ChargeResult; a
    // failed or cancelled loading leaves an empty base (every count 0).
    int ChargeBase(const std::string &path);
    bool LecParam(const std::string &path);
    bool AllocMem();
    bool OpenDicNum();
    bool OpenTextNum();
    void DesAlloc();
    // Why the last ChargeBase failed (UTF-8), empty after success.
    const std::string &Erreur() const { return m_erreur; }
    // Why the trace log could not be written during the last loading (UTF-8), or "".
    const std::string &ErreurTrace() const { return m_trace.failure(); }

    int32_t Nbform() const { return m_nbform; }
    int32_t Nbocc() const { return m_nbocc; }
    int32_t Nhap() const { return m_nhap; }
    int32_t Fmax() const { return m_fmax; }
    int32_t Nbitem() const { return m_nbitem; }
    int32_t Nbart() const { return m_nbart; }
    int32_t Nbartponct() const { return m_nbartponct; }
    int32_t Nbcle() const { return m_nbcle; }
    int32_t Nbctnu() const { return m_nbctnu; }
    int32_t NbLignes() const { return m_nbLignes; }
    int32_t Limd() const { return m_limd; }
    int32_t NbFormSup() const { return m_nbFormSup; }
    int32_t NbTotEntites() const { return m_nbTotEntites; }
    const std::string &NomBase() const { return m_nomBase; }
    // Folder of the loaded .par file ("" for the current folder), ending with '/'.
    const std::string &Dossier() const { return m_dossier; }

    Lexm RetourneLexm(int32_t code) const;
    Lexm RetourneLexmAtPos(int32_t position) const;
    // The graphy of an article (pointer into the pool) or of a segment (built in a buffer
    // of the calling thread that its next such call overwrites); "" for anything else.
    const char *RetourneGraphie(int32_t code, bool formesSeules) const;
    // The graphy at a position when its code is below the limit; nullptr otherwise.
    const char *RetourneGraphieAtPos(int32_t position, bool formesSeules) const;
    int32_t RetourneFrq(int32_t code) const;
    int32_t RetourneFrqAtPos(int32_t position) const;
    int32_t Lexg(int32_t code) const;
    void SetInfo(int32_t code, int32_t value);
    // Lowest code below the limit whose graphy equals `graphy` byte for byte, or -1.
    int32_t LocFormDic(std::string_view graphy, bool formesSeules) const;

    int32_t Tnum(int32_t position) const { return m_tnum[static_cast<size_t>(position)]; }
    void SetTnum(int32_t position, int32_t code);
    // The whole numeric text (Nbitem codes).
    std::span<const int32_t> TnumData() const {
        return {m_tnum.get(), static_cast<size_t>(m_nbitem)};
    }

    // Ascending positions of an article code or of a segment code.
    std::vector<int32_t> LocOccFor(int32_t code) const;
    // Ascending positions, each once, of any of the n codes (articles and segments).
    std::vector<int32_t> LocOccFor(const int32_t *codes, int32_t n) const;
    // The occurrences of an article code without copying (empty for other codes).
    std::span<const int32_t> OccArticle(int32_t code) const;

    // Sorts positions by their right (sens +1) or left (sens -1) context, codes above
    // codeMax skipped; nothing when sens is 0. A context that reaches an edge of the text
    // before any difference sorts first; contexts equal over kBorneContexte articles
    // (TriContextes.h) come by ascending position.
    void TriCont(int32_t *positions, int32_t n, int32_t sens, int32_t codeMax) const;
    // 1 when p1 may stay before p2 in the context order, else 0.
    int Compar(int32_t p1, int32_t p2, int32_t sens, int32_t codeMax) const;
    // Three-way context comparison over the whole contexts (unbounded, unlike TriCont): <0,
    // 0 (equal up to the same edge), >0.
    int ComparContextes(int32_t p1, int32_t p2, int32_t sens, int32_t codeMax) const;

    void AssigneSR(const SegmentStore *store);
    const SegmentStore *SegmentStoreAttache() const { return m_store; }

  private:
    bool failWith(const std::string &message);
    int charge(const std::string &path);
    bool ouvreFichiers(const std::string &path);
    void fermeFichiers();
    bool VerifieComptes();
    void videApresEchec();
    bool annulee() const { return Annulee(m_annulation); }
    void gaugeStep(int32_t arg);
    void buildOccurrenceIndex() const;
    int32_t limit(bool formesSeules) const {
        return formesSeules ? m_nbform + m_nbartponct : m_nbart;
    }
    bool isArticle(int32_t code) const { return code >= 0 && code < m_nbart; }
    bool inText(int32_t position) const { return position >= 0 && position < m_nbitem; }

    std::string m_nomBase;
    std::string m_dossier;
    int32_t m_limd = 0;
    int32_t m_baseDelim = 0;
    int32_t m_codeFinLigne = 0;
    std::unique_ptr<int32_t[]> m_tnum;
    std::unique_ptr<Lexm[]> m_lexm;
    std::vector<char> m_ftext;
    int32_t m_nbform = 0;
    int32_t m_nbitem = 0;
    int32_t m_nbitem2 = 0;
    int32_t m_nbart = 0;
    int32_t m_fmax = 0;
    int32_t m_nhap = 0;
    int32_t m_nbocc = 0;
    int32_t m_nbFormSup = 0;
    int32_t m_nbTotEntites = 0;
    int32_t m_nbartponct = 0;
    int32_t m_nbcle = 0;
    int32_t m_nbctnu = 0;
    int32_t m_nbLignes = 0;
    int64_t m_tailleLexm = 0, m_tailleTnum = 0, m_tailleFtext = 0;
    int32_t m_lexmCap = 0; // records actually reserved
    int32_t m_tnumCap = 0; // items actually reserved
    Trace m_trace;
    Gauge m_gauge;
    const Annulation *m_annulation = nullptr;
    size_t m_tranches = 0;
    const SegmentStore *m_store = nullptr;
    std::string m_erreur;
    // The three files, opened together by ChargeBase (-1 otherwise), and their names.
    std::string m_cheminPar;
    std::string m_contenuPar;
    bool m_parLu = false;
    int m_fdDic = -1, m_fdNum = -1;
    int m_errnoDic = 0, m_errnoNum = 0;

    // Occurrence index: positions of code c are m_occPos[m_occStart[c] .. m_occStart[c+1]).
    // Built while loading; rebuilt under m_occMutex on the first query after a SetTnum.
    mutable std::vector<int32_t> m_occStart;
    mutable std::unique_ptr<int32_t[]> m_occPos; // left uninitialised until filled
    mutable std::atomic<bool> m_occValid{false};
    mutable std::mutex m_occMutex;
    // Graphy -> code, built on the first LocFormDic.
    mutable std::unordered_map<std::string_view, int32_t> m_graphyIndex;
    mutable std::unique_ptr<std::once_flag> m_graphyOnce = std::make_unique<std::once_flag>();
};

} // namespace morvix
