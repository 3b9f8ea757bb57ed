#include "segments/SegRep.h"

#include "groups/Tgen.h"
#include "util/BinaryIO.h"
#include "util/TempFile.h"
#include "util/TextWriter.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <sys/types.h>
#include <unistd.h>

namespace morvix {

namespace {

constexpr int32_t kRangVide = -1; // an empty slot, below every rank: the edge sorts first

} // namespace

// One occurrence as the grouping reads it: slot 0 is the preceding form's code (or
// kMarqueVide), slots 1 to 11 the ranks of the forms read forward (or kRangVide), so that
// comparing the slots in order gives the right-context order.
struct SegRep::Occurrence {
    int32_t slot[12];
    int32_t position;
};

SegRep::SegRep(const charg1 *base, std::set<int32_t> delims)
    : Base(base), Delims(std::move(delims)) {
    const int32_t nbart = base ? base->Nbart() : 0;
    const int32_t nbform = base ? base->Nbform() : 0;
    m_delimArticle.assign(static_cast<size_t>(nbart), 0);
    for (int32_t code : Delims) {
        if (code >= 0 && code < nbart)
            m_delimArticle[static_cast<size_t>(code)] = 1;
        else if (code >= nbart)
            m_delimsBeyondArticles = true;
    }
    // Dense ranks of the forms in alphabetical order (ties, on a damaged dictionary, by
    // code), so that every rank maps back to one form.
    m_rankToCode.resize(static_cast<size_t>(nbform));
    for (int32_t c = 0; c < nbform; ++c)
        m_rankToCode[static_cast<size_t>(c)] = c;
    std::stable_sort(m_rankToCode.begin(), m_rankToCode.end(),
                     [base](int32_t a, int32_t b) { return base->Lexg(a) < base->Lexg(b); });
    m_formRank.resize(static_cast<size_t>(nbform));
    for (int32_t r = 0; r < nbform; ++r)
        m_formRank[static_cast<size_t>(m_rankToCode[static_cast<size_t>(r)])] = r;
}

SegRep::~SegRep() { closeStreams(); }

void SegRep::closeStreams() {
    if (m_fluxLoc)
        std::fclose(m_fluxLoc);
    if (m_fluxDesc)
        std::fclose(m_fluxDesc);
    m_fluxLoc = nullptr;
    m_fluxDesc = nullptr;
}

bool SegRep::isDelim(int32_t code) const {
    if (code >= 0 && code < static_cast<int32_t>(m_delimArticle.size()))
        return m_delimArticle[static_cast<size_t>(code)] != 0;
    return m_delimsBeyondArticles && Delims.count(code) > 0;
}

bool SegRep::CalcSegRep(int32_t seuilFormes, int32_t seuilSegments, const Annulation *annulation) {
    Segs.clear();
    closeStreams();
    m_erreur.clear();
    m_annule = false;
    m_octetsLoc = 0;
    m_readSinceWrite = false;
    SeuilSeg = seuilSegments;
    if (!Base)
        return false;

    int32_t nbPivots = 0;
    while (nbPivots < Base->Nbform() && Base->RetourneFrq(nbPivots) >= seuilFormes)
        ++nbPivots;

    const std::string prefix = Base->Dossier() + Base->NomBase();
    m_cheminLoc = prefix + ".loc.sr";
    m_cheminDesc = prefix + ".desc.sr";
    m_trace.append("CalcSegRep----\n%s - %s", m_cheminLoc.c_str(), m_cheminDesc.c_str());
    // Unique temporary names, created exclusively: a link planted beside the base is
    // never followed, and two computations never share a file.
    TempFile tmpLoc, tmpDesc;
    auto fail = [&](const std::string &message) {
        Segs.clear();
        closeStreams();
        m_erreur = message;
        return false;
    };
    std::string error;
    auto open = [&](TempFile &file, const std::string &target) -> std::FILE * {
        if (!file.create(target, false, error) || !file.giveName(error))
            return nullptr;
        const int fd = ::dup(file.fd());
        std::FILE *f = fd >= 0 ? ::fdopen(fd, "w+b") : nullptr;
        if (!f && fd >= 0)
            ::close(fd);
        return f;
    };
    m_fluxLoc = open(tmpLoc, m_cheminLoc);
    m_fluxDesc = open(tmpDesc, m_cheminDesc);
    if (!m_fluxLoc || !m_fluxDesc)
        return fail("Les fichiers " + m_cheminLoc + " et " + m_cheminDesc +
                    " ne peuvent être créés" + (error.empty() ? "" : " : " + error) + ".");

    int32_t counter = 0;
    for (int32_t j = 0; j < nbPivots; ++j) {
        if (Annulee(annulation)) {
            m_annule = true;
            return fail("Calcul des segments répétés annulé.");
        }
        Tgen group(Base, &j, 1, nullptr);
        std::vector<Segment> found = CalcTgenSR(group, false);
        Segs.insert(Segs.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));
        if (counter == nbPivots / 100) {
            if (Gauge)
                Gauge(0);
            counter = 0;
        }
        ++counter;
    }
    const bool written = std::fflush(m_fluxDesc) == 0 && std::fflush(m_fluxLoc) == 0 &&
                         !std::ferror(m_fluxLoc) && !std::ferror(m_fluxDesc);
    if (!written)
        return fail("Le fichier " + m_cheminLoc + " ne peut être écrit.");
    // The open streams follow their files through the renaming.
    if (!replaceFile(tmpDesc.path(), m_cheminDesc))
        return fail("Les fichiers " + m_cheminLoc + " et " + m_cheminDesc +
                    " ne peuvent être remplacés.");
    tmpDesc.handOver();
    if (!replaceFile(tmpLoc.path(), m_cheminLoc))
        return fail("Les fichiers " + m_cheminLoc + " et " + m_cheminDesc +
                    " ne peuvent être remplacés.");
    tmpLoc.handOver();
    return true;
}

std::vector<Segment> SegRep::CalcTgenSR(const Tgen &groupe, bool ranger) {
    std::vector<int32_t> positions = groupe.Occ;
    std::vector<Segment> found =
        SelSegRep(positions.data(), static_cast<int32_t>(positions.size()));
    if (ranger)
        Segs.insert(Segs.end(), found.begin(), found.end());
    return found;
}

std::vector<Segment> SegRep::SelSegRep(int32_t *positions, int32_t n) {
    std::vector<Segment> out;
    if (!Base || !positions || n <= 0)
        return out;
    const int32_t nbform = Base->Nbform();
    const int32_t nbitem = Base->Nbitem();
    auto pivotOf = [&](int32_t p) {
        int32_t c = p >= 0 && p < nbitem ? Base->Tnum(p) : -1;
        return c >= 0 && c < nbform ? c : INT32_MAX;
    };
    const int32_t first = pivotOf(positions[0]);
    bool single = first != INT32_MAX;
    for (int32_t i = 1; single && i < n; ++i)
        single = pivotOf(positions[i]) == first;
    if (single) {
        selectPivot(positions, n, out);
        return out;
    }
    std::stable_sort(positions, positions + n,
                     [&](int32_t a, int32_t b) { return pivotOf(a) < pivotOf(b); });
    int32_t begin = 0;
    while (begin < n && pivotOf(positions[begin]) != INT32_MAX) {
        int32_t end = begin + 1;
        const int32_t code = pivotOf(positions[begin]);
        while (end < n && pivotOf(positions[end]) == code)
            ++end;
        selectPivot(positions + begin, end - begin, out);
        begin = end;
    }
    return out;
}

void SegRep::readWindow(int32_t position, Occurrence &occ) const {
    const int32_t *t = Base->TnumData().data();
    const int32_t nbform = Base->Nbform();
    const int32_t nbitem = Base->Nbitem();
    occ.position = position;
    occ.slot[0] = kMarqueVide;
    for (int32_t q = position - 1; q >= 0; --q) {
        const int32_t c = t[q];
        if (c >= 0 && c < nbform) {
            occ.slot[0] = c;
            break;
        }
        if (isDelim(c))
            break;
    }
    int32_t filled = 1;
    for (int32_t q = position; q < nbitem && filled <= kLongueurMaxSegment; ++q) {
        const int32_t c = t[q];
        if (c >= 0 && c < nbform)
            occ.slot[filled++] = m_formRank[static_cast<size_t>(c)];
    }
    for (; filled <= kLongueurMaxSegment; ++filled)
        occ.slot[filled] = kRangVide;
}

void SegRep::LectSeg(Fenetre &fenetre, int32_t position) const {
    fenetre.fill(kMarqueVide);
    if (!Base || position < 0 || position >= Base->Nbitem())
        return;
    Occurrence occ;
    readWindow(position, occ);
    fenetre[0] = occ.slot[0];
    for (int32_t k = 1; k <= kLongueurMaxSegment; ++k)
        fenetre[static_cast<size_t>(k)] =
            occ.slot[k] == kRangVide ? kMarqueVide : m_rankToCode[static_cast<size_t>(occ.slot[k])];
}

void SegRep::selectPivot(int32_t *positions, int32_t n, std::vector<Segment> &out) {
    std::vector<Occurrence> occs(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        readWindow(positions[i], occs[static_cast<size_t>(i)]);
    // Right-context order of the slots the grouping reads; equal windows by position.
    std::sort(occs.begin(), occs.end(), [](const Occurrence &a, const Occurrence &b) {
        for (int32_t k = 1; k <= kLongueurMaxSegment; ++k)
            if (a.slot[k] != b.slot[k])
                return a.slot[k] < b.slot[k];
        return a.position < b.position;
    });
    for (int32_t i = 0; i < n; ++i)
        positions[i] = occs[static_cast<size_t>(i)].position;

    int32_t count[kLongueurMaxSegment + 2] = {};
    int32_t start[kLongueurMaxSegment + 2] = {};
    int32_t left[kLongueurMaxSegment + 2];
    std::fill(std::begin(left), std::end(left), kMarqueVide);
    const Occurrence *w = &occs[0];
    for (int32_t k = 1; k <= kLongueurMaxSegment; ++k) {
        if (w->slot[k] != kRangVide) {
            count[k] = 1;
            start[k] = 0;
            left[k] = w->slot[0];
        }
    }
    for (int32_t idx = 1; idx < n; ++idx) {
        const Occurrence *v = &occs[static_cast<size_t>(idx)];
        int32_t j = 1;
        while (j <= kLongueurMaxSegment && w->slot[j] == v->slot[j] && v->slot[j] != kRangVide)
            ++j;
        for (int32_t k = 1; k < j; ++k) {
            ++count[k];
            if (v->slot[0] != left[k])
                left[k] = kMarqueVide;
        }
        EdiSeg(j, count, start, left, positions, idx, *w, *v, out);
        w = v;
    }
    EdiSeg(1, count, start, left, positions, n, *w, *w, out);
}

void SegRep::EdiSeg(int32_t j, int32_t *count, int32_t *start, int32_t *left,
                    const int32_t *positions, int32_t idx, const Occurrence &prec,
                    const Occurrence &cour, std::vector<Segment> &out) {
    const int32_t seuil = std::max(SeuilSeg, 1);
    for (int32_t k = j; k <= kLongueurMaxSegment; ++k) {
        const bool emit = k >= 2 && count[k] >= seuil &&
                          (k == kLongueurMaxSegment || count[k] != count[k + 1]) &&
                          left[k] == kMarqueVide;
        if (emit) {
            Segment s;
            s.Formes.resize(static_cast<size_t>(k));
            for (int32_t i = 1; i <= k; ++i)
                s.Formes[static_cast<size_t>(i - 1)] =
                    m_rankToCode[static_cast<size_t>(prec.slot[i])];
            s.Frq = count[k];
            s.PosLoc = m_octetsLoc;
            writeBlock(positions + start[k], count[k]);
            out.push_back(std::move(s));
        }
        if (cour.slot[k] != kRangVide) {
            start[k] = idx;
            count[k] = 1;
            left[k] = cour.slot[0];
        } else {
            start[k] = 0;
            count[k] = 0;
        }
    }
}

void SegRep::writeBlock(const int32_t *positions, int32_t count) {
    if (!m_fluxLoc || std::ferror(m_fluxLoc))
        return;
    if (m_readSinceWrite) {
        std::fseek(m_fluxLoc, 0, SEEK_END);
        m_readSinceWrite = false;
    }
    m_block.assign(positions, positions + count);
    std::sort(m_block.begin(), m_block.end());
    const size_t written = writeInt32(m_fluxLoc, m_block.data(), m_block.size());
    m_octetsLoc += static_cast<int64_t>(written) * 4;
}

std::vector<int32_t> SegRep::Formes(int32_t k) const {
    if (k < 0 || k >= NbSegments())
        return {};
    return Segs[static_cast<size_t>(k)].Formes;
}

int32_t SegRep::FrqSeg(int32_t k) const {
    return k >= 0 && k < NbSegments() ? Segs[static_cast<size_t>(k)].Frq : 0;
}

std::vector<int32_t> SegRep::LocOccSeg(int32_t k) const {
    std::vector<int32_t> positions;
    if (!m_fluxLoc || k < 0 || k >= NbSegments())
        return positions;
    const Segment &s = Segs[static_cast<size_t>(k)];
    // A job and the interface may read the store at once: one seek and read at a time.
    const std::lock_guard<std::mutex> verrou(m_lecture);
    m_readSinceWrite = true;
    if (fseeko(m_fluxLoc, static_cast<off_t>(s.PosLoc), SEEK_SET) != 0)
        return positions;
    positions.resize(static_cast<size_t>(std::max(s.Frq, 0)));
    positions.resize(readInt32(m_fluxLoc, positions.data(), positions.size()));
    return positions;
}

std::string SegRep::RetourneGraphie(int32_t k) const {
    std::string text;
    if (!Base || k < 0 || k >= NbSegments())
        return text;
    for (int32_t form : Segs[static_cast<size_t>(k)].Formes) {
        text += Base->RetourneGraphie(form, false);
        text += ' ';
    }
    return text;
}

int SegRep::ComparAlpha(const Segment &a, const Segment &b) const {
    const size_t common = std::min(a.Formes.size(), b.Formes.size());
    for (size_t i = 0; i < common; ++i) {
        const int32_t ra = Base->Lexg(a.Formes[i]), rb = Base->Lexg(b.Formes[i]);
        if (ra != rb)
            return ra < rb ? -1 : 1;
    }
    return a.Formes.size() < b.Formes.size() ? -1 : 1;
}

void SegRep::TriAlpha() {
    if (!Base)
        return;
    std::stable_sort(Segs.begin(), Segs.end(),
                     [this](const Segment &a, const Segment &b) { return ComparAlpha(a, b) < 0; });
}

} // namespace morvix
