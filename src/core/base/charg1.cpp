#include "base/charg1.h"

#include "base/TriContextes.h"
#include "util/BinaryIO.h"
#include "util/DirectoryLock.h"
#include "util/FileCommit.h"
#include "util/ParallelRun.h"
#include "util/SafeFiles.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

namespace {

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a whole file; false when it cannot be opened or read.
bool readFile(const std::string &path, std::string &out) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out.clear();
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Reads a whole open file from its start; false on a read error.
bool readFd(int fd, std::string &out) {
    out.clear();
    char buf[1 << 16];
    int64_t at = 0, n;
    while ((n = readAt(fd, buf, sizeof buf, at)) > 0) {
        out.append(buf, static_cast<size_t>(n));
        at += n;
    }
    return n == 0;
}

// scanf-like reading of a decimal integer after white space.
bool parseLong(const std::string &s, size_t &i, int64_t &value) {
    while (i < s.size() && isSpace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    size_t digits = 0;
    int64_t v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (v < (int64_t{1} << 40))
            v = v * 10 + (s[i] - '0');
        ++i;
        ++digits;
    }
    value = negative ? -v : v;
    return digits > 0;
}

} // namespace

charg1::charg1() = default;
charg1::~charg1() {
    fermeFichiers();
    DesAlloc();
}

bool charg1::failWith(const std::string &message) {
    m_erreur = message;
    return false;
}

void charg1::gaugeStep(int32_t arg) {
    if (m_gauge)
        m_gauge(arg);
}

int charg1::ChargeBase(const std::string &path) {
    m_erreur.clear();
    const int rc = charge(path);
    fermeFichiers();
    if (rc != kChargeOk)
        videApresEchec();
    return rc;
}

int charg1::charge(const std::string &path) {
    if (!ouvreFichiers(path) || !LecParam(path))
        return kChargeParam;
    if (annulee())
        return kChargeAnnule;
    if (!AllocMem())
        return kChargeMemoire;
    if (!OpenDicNum())
        return annulee() ? kChargeAnnule : kChargeDico;
    if (!VerifieComptes())
        return kChargeParam;
    if (!OpenTextNum())
        return annulee() ? kChargeAnnule : kChargeTexte;
    return kChargeOk;
}

// Under the folder's lock, completes an interrupted replacement of the base and opens its
// three files, so that they are one base even if a segmentation replaces it meanwhile.
bool charg1::ouvreFichiers(const std::string &path) {
    fermeFichiers();
    m_cheminPar = path;
    const std::string dossier = folderOf(path);
    std::string stem = path.substr(dossier.size());
    if (size_t dot = stem.rfind('.'); dot != std::string::npos)
        stem.resize(dot);
    DirectoryLock lock(dossier);
    std::string error;
    if (!baseNameProblem(stem).empty() || !rollForward(dossier, stem, error)) {
        if (!error.empty())
            return failWith("Le fichier de paramètres " + path + " ne peut être lu : " + error +
                            ".");
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failWith("Le fichier de paramètres " + path + " ne peut être lu (" + causeOf(errno) +
                        ").");
    // The counts are near the top; a report longer than this is not read.
    m_contenuPar.assign(size_t{1} << 16, '\0');
    const int64_t got = readAt(fd, m_contenuPar.data(), m_contenuPar.size(), 0);
    ::close(fd);
    if (got < 0)
        return failWith("Le fichier de paramètres " + path + " ne peut être lu.");
    m_contenuPar.resize(static_cast<size_t>(got));
    m_parLu = true;
    std::string name = m_contenuPar.substr(0, m_contenuPar.find('\n'));
    if (!name.empty() && name.back() == '\r')
        name.pop_back();
    if (!baseNameProblem(name).empty())
        return true; // LecParam reports the damaged .par
    if (name != stem && !rollForward(dossier, name, error))
        return failWith("Le fichier de paramètres " + path + " ne peut être lu : " + error + ".");
    m_fdDic = ::open((dossier + name + ".dic").c_str(), O_RDONLY | O_CLOEXEC);
    m_errnoDic = m_fdDic < 0 ? errno : 0;
    m_fdNum = ::open((dossier + name + ".num").c_str(), O_RDONLY | O_CLOEXEC);
    m_errnoNum = m_fdNum < 0 ? errno : 0;
    return true;
}

void charg1::fermeFichiers() {
    for (int *fd : {&m_fdDic, &m_fdNum}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_errnoDic = m_errnoNum = 0;
    m_parLu = false;
    std::string().swap(m_contenuPar);
}

void charg1::videApresEchec() {
    DesAlloc();
    m_nbform = m_nbitem = m_nbitem2 = m_nbart = m_fmax = m_nhap = m_nbocc = 0;
    m_nbFormSup = m_nbTotEntites = m_nbartponct = m_nbcle = m_nbctnu = m_nbLignes = 0;
    m_lexmCap = m_tnumCap = 0;
    m_store = nullptr;
}

bool charg1::LecParam(const std::string &path) {
    std::string content;
    if (m_parLu) {
        content = std::move(m_contenuPar);
        m_parLu = false;
    } else if (!readFile(path, content)) {
        return failWith("Le fichier de paramètres " + path + " ne peut être lu.");
    }
    m_cheminPar = path;
    m_dossier = folderOf(path);
    size_t eol = content.find('\n');
    std::string name = content.substr(0, eol);
    if (!name.empty() && name.back() == '\r')
        name.pop_back();
    if (name.size() > 254)
        name.resize(254);
    m_nomBase = name;
    m_trace.start("LecParam\n");
    if (std::string why = baseNameProblem(name); !why.empty()) {
        // Line 1 chooses the files read and written beside the .par: never another folder.
        m_trace.append("\nNom de base incorrect : %s", name.c_str());
        return failWith("Le fichier de paramètres " + path +
                        " est endommagé : il nomme la base « " + name + " », et " + why + ".");
    }

    int64_t v[11];
    size_t i = eol == std::string::npos ? content.size() : eol + 1;
    int read = 0;
    while (read < 11 && parseLong(content, i, v[read]))
        ++read;
    if (read < 11) {
        m_trace.append("\nFichier de paramètres incomplet : %d entiers lus sur 11", read);
        return failWith("Le fichier de paramètres " + path + " est incomplet (" +
                        std::to_string(read) + " entiers lus sur 11).");
    }
    const int64_t maxv = std::numeric_limits<int32_t>::max();
    bool sound = true;
    for (int k = 0; k < 11; ++k)
        sound = sound && v[k] >= (k == 2 ? -1 : 0) && v[k] < maxv; // field 3 is Nbart - 1
    m_nbitem = static_cast<int32_t>(v[0]);
    m_nbitem2 = static_cast<int32_t>(v[1]);
    m_nbart = static_cast<int32_t>(v[2] + 1);
    m_nbocc = static_cast<int32_t>(v[3]);
    m_nbform = static_cast<int32_t>(v[4]);
    m_fmax = static_cast<int32_t>(v[5]);
    m_nhap = static_cast<int32_t>(v[6]);
    m_limd = static_cast<int32_t>(v[7]);
    m_nbartponct = static_cast<int32_t>(v[8]);
    m_nbcle = static_cast<int32_t>(v[9]);
    m_nbctnu = static_cast<int32_t>(v[10]);
    m_trace.append("\n%d %d %d %d %d %d %d %d %d %d %d", m_nbitem2, m_nbitem, m_nbart, m_nbocc,
                   m_nbform, m_fmax, m_nhap, m_limd, m_nbartponct, m_nbcle, m_nbctnu);
    // The codes must not reach the special codes, and the groups must fit in the articles.
    sound = sound && int64_t{m_nbform} + m_nbartponct + m_nbcle + m_nbctnu <= m_nbart &&
            int64_t{m_nbart} + 258 < m_limd && int64_t{m_limd} + 2 + m_nbitem <= maxv &&
            m_nbocc <= m_nbitem && m_nhap <= m_nbform;
    if (!sound) {
        m_trace.append("\nFichier de paramètres incohérent");
        return failWith("Le fichier de paramètres " + path + " est incohérent.");
    }
    m_nbTotEntites = m_nbart;
    m_nbFormSup = 0;
    m_store = nullptr;
    m_baseDelim = m_limd - 1;
    m_codeFinLigne = m_limd - 258;
    return true;
}

bool charg1::AllocMem() {
    m_tailleLexm = (int64_t{m_nbart} + 1) * 16;
    m_tailleTnum = int64_t{m_nbitem} * 4;
    m_tailleFtext = (int64_t{m_nbart} + 1) * 40;
    m_trace.append("\nAllocation de la mémoire :");
    // What is actually reserved is bounded by what the files can hold (a .dic record takes
    // at least 5 bytes, an item 4), so a damaged .par cannot claim all memory; a file too
    // short for its counts is reported by the reading step.
    auto sizeOf = [&](int fd, const char *ext) {
        struct stat st {};
        if (fd >= 0)
            return ::fstat(fd, &st) == 0 ? static_cast<int64_t>(st.st_size) : int64_t{-1};
        return fileSize(m_dossier + m_nomBase + ext);
    };
    const int64_t dicBytes = sizeOf(m_fdDic, ".dic");
    const int64_t numBytes = sizeOf(m_fdNum, ".num");
    m_lexmCap =
        static_cast<int32_t>(std::min<int64_t>(m_nbart, std::max<int64_t>(dicBytes, 0) / 5 + 1));
    m_tnumCap =
        static_cast<int32_t>(std::min<int64_t>(m_nbitem, std::max<int64_t>(numBytes, 0) / 4));
    try {
        m_lexm.reset(new Lexm[static_cast<size_t>(m_lexmCap) + 1]);
        m_trace.append("\nAllocation de lexm réussie, %lld octets",
                       static_cast<long long>(m_tailleLexm));
        m_tnum.reset(new int32_t[static_cast<size_t>(m_tnumCap) + 1]);
        m_trace.append("\nAllocation de tnum réussie, %lld octets",
                       static_cast<long long>(m_tailleTnum));
        m_ftext.clear();
        m_ftext.reserve(static_cast<size_t>(
            std::min<int64_t>(m_tailleFtext, std::max<int64_t>(dicBytes, 0) + m_lexmCap + 1)));
        m_trace.append("\nAllocation de ftext réussie, %lld octets",
                       static_cast<long long>(m_tailleFtext));
    } catch (const std::bad_alloc &) {
        return failWith("Allocation mémoire impossible.");
    }
    return true;
}

bool charg1::OpenDicNum() {
    const std::string name = m_nomBase + ".dic";
    m_trace.append("\nEntrée dans OpenDicNum");
    m_trace.append("\nDictionnaire numérisé : %s", name.c_str());
    std::string content;
    const bool read = m_fdDic >= 0 ? readFd(m_fdDic, content) : readFile(m_dossier + name, content);
    if (!read) {
        const int cause = m_fdDic >= 0 ? 0 : (m_errnoDic != 0 ? m_errnoDic : ENOENT);
        return failWith("Le dictionnaire " + m_dossier + name +
                        ", que nomme le fichier de paramètres " + m_cheminPar + " (base « " +
                        m_nomBase + " »), ne peut être lu" +
                        (cause != 0 ? " (" + causeOf(cause) + ")" : std::string()) + ".");
    }
    const int32_t step = m_nbart / 100;
    std::vector<size_t> offsets(static_cast<size_t>(m_lexmCap));
    m_ftext.clear();
    size_t i = 0;
    for (int32_t k = 0; k < m_nbart; ++k) {
        int64_t frq = 0, rank = 0;
        bool ok = k < m_lexmCap && parseLong(content, i, frq) && parseLong(content, i, rank);
        while (ok && i < content.size() && isSpace(static_cast<unsigned char>(content[i])))
            ++i;
        size_t start = i;
        while (ok && i < content.size() && !isSpace(static_cast<unsigned char>(content[i])))
            ++i;
        if (!ok || i == start) {
            m_trace.append("\nDictionnaire numérisé incomplet : %d articles lus sur %d", k,
                           m_nbart);
            return failWith("Le dictionnaire " + name + " est incomplet (" + std::to_string(k) +
                            " articles lus sur " + std::to_string(m_nbart) + ").");
        }
        // Ranks only order the articles; a frequency is a count of the text.
        if (frq < 0 || frq > m_nbitem || rank < INT32_MIN || rank > INT32_MAX) {
            m_trace.append("\nArticle %d incohérent dans le dictionnaire", k);
            return failWith("Le dictionnaire " + name + " est endommagé : l'article " +
                            std::to_string(k) + " a la fréquence " + std::to_string(frq) +
                            " et le rang " + std::to_string(rank) + ".");
        }
        // One graphy, as the 64 KB read buffer holds it.
        size_t len = std::min<size_t>(i - start, 65535);
        Lexm &l = m_lexm[static_cast<size_t>(k)];
        l.lexg = static_cast<int32_t>(rank);
        l.frq = static_cast<int32_t>(frq);
        l.info = 0;
        offsets[static_cast<size_t>(k)] = m_ftext.size();
        m_ftext.insert(m_ftext.end(), content.data() + start, content.data() + start + len);
        m_ftext.push_back('\0');
        if (step == 0 ? k == 0 : (k + 1) % step == 0) {
            gaugeStep(0);
            if (annulee())
                return failWith("Chargement annulé.");
        }
    }
    for (int32_t k = 0; k < m_nbart; ++k)
        m_lexm[static_cast<size_t>(k)].graphie = m_ftext.data() + offsets[static_cast<size_t>(k)];
    m_lexm[static_cast<size_t>(m_nbart)] = Lexm{}; // m_lexmCap == m_nbart here
    m_graphyIndex.clear();
    m_graphyOnce = std::make_unique<std::once_flag>();
    return true;
}

// What the .par says of the forms must be what the .dic gives.
bool charg1::VerifieComptes() {
    int64_t occ = 0;
    int32_t fmax = 0, nhap = 0;
    for (int32_t c = 0; c < m_nbform; ++c) {
        const int32_t f = m_lexm[static_cast<size_t>(c)].frq;
        occ += f;
        fmax = std::max(fmax, f);
        nhap += f == 1;
    }
    std::string wrong;
    auto compare = [&](const char *what, int64_t said, int64_t given) {
        if (said != given && wrong.empty())
            wrong = std::string(what) + " " + std::to_string(said) +
                    " alors que le dictionnaire en donne " + std::to_string(given);
    };
    compare("Nbocc", m_nbocc, occ);
    compare("Fmax", m_fmax, fmax);
    compare("Nhap", m_nhap, nhap);
    if (wrong.empty())
        return true;
    m_trace.append("\nFichier de paramètres incohérent avec le dictionnaire");
    return failWith("Le fichier de paramètres " + m_cheminPar + " est incohérent : il annonce " +
                    wrong + ".");
}

bool charg1::OpenTextNum() {
    m_trace.append("\nEntrée dans OpenTextNum\n");
    const std::string name = m_nomBase + ".num";
    int fd = m_fdNum;
    if (fd < 0 && m_errnoNum == 0)
        fd = ::open((m_dossier + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int cause = m_errnoNum != 0 ? m_errnoNum : errno;
        return failWith("Le texte numérisé " + m_dossier + name +
                        ", que nomme le fichier de paramètres " + m_cheminPar + " (base « " +
                        m_nomBase + " »), ne peut être lu (" + causeOf(cause) + ").");
    }
    const bool own = fd != m_fdNum;
    struct FdCloser {
        int fd;
        bool own;
        ~FdCloser() {
            if (own)
                ::close(fd);
        }
    } closer{fd, own};
    // The .num holds exactly Nbitem items: a shorter file is incomplete, a longer one
    // belongs to another base.
    struct stat st {};
    const int64_t bytes = ::fstat(fd, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
    if (bytes != int64_t{m_nbitem} * 4) {
        const int64_t items = std::max<int64_t>(bytes, 0) / 4;
        m_trace.append("\nTexte numérisé incomplet : %lld items lus sur %d",
                       static_cast<long long>(std::min<int64_t>(items, m_nbitem)), m_nbitem);
        if (bytes < int64_t{m_nbitem} * 4)
            return failWith("Le texte numérisé " + name + " est incomplet (" +
                            std::to_string(items) + " items lus sur " + std::to_string(m_nbitem) +
                            ").");
        return failWith("Le texte numérisé " + name + " compte " + std::to_string(items) +
                        " items ou plus, le fichier de paramètres " + m_cheminPar + " en annonce " +
                        std::to_string(m_nbitem) + ".");
    }
    int32_t delimMap[257];
    std::fill(std::begin(delimMap), std::end(delimMap), -1);
    for (int32_t c = m_nbform; c < m_nbform + m_nbartponct; ++c)
        delimMap[static_cast<unsigned char>(m_lexm[static_cast<size_t>(c)].graphie[0])] = c;

    // The text is read in slices, one per core on a large base (each slice counts every
    // article, so a vocabulary over a quarter of the text keeps one slice). Each slice
    // converts its codes (line ends numbered from its own start) and counts its articles;
    // once the counts are checked, each slice renumbers its line ends and fills its share of
    // the index.
    constexpr int32_t kMinItemsPerSlice = 1 << 19;
    const size_t nbSlices =
        m_tranches > 0
            ? std::clamp<size_t>(m_tranches, 1,
                                 std::clamp<size_t>(static_cast<size_t>(m_nbitem), 1, 64))
            : std::clamp<size_t>(static_cast<size_t>(std::min(m_nbitem / kMinItemsPerSlice,
                                                              m_nbitem / std::max(4 * m_nbart, 1))),
                                 1, usefulThreads());
    struct Slice {
        int32_t begin = 0, end = 0;
        std::vector<int32_t> counts; // per article, later the slice's first index slot
        int32_t lines = 0;
        int32_t failedAt = -1; // first position not converted (bad code or short read)
        int32_t badCode = 0;
        bool shortRead = false;
    };
    std::vector<Slice> slices(nbSlices);
    for (size_t s = 0; s < nbSlices; ++s) {
        slices[s].begin = static_cast<int32_t>(int64_t{m_nbitem} * static_cast<int64_t>(s) /
                                               static_cast<int64_t>(nbSlices));
        slices[s].end = static_cast<int32_t>(int64_t{m_nbitem} * static_cast<int64_t>(s + 1) /
                                             static_cast<int64_t>(nbSlices));
    }
    try {
        for (Slice &slice : slices)
            slice.counts.assign(static_cast<size_t>(m_nbart), 0);
    } catch (const std::bad_alloc &) {
        return failWith("Allocation mémoire impossible.");
    }

    // The gauge is called after items S, 2S, 3S ... (after the first when S is 0).
    const int32_t step = m_nbitem / 100;
    const int32_t gaugeCalls = step == 0 ? (m_nbitem > 0 ? 1 : 0) : m_nbitem / step;
    std::atomic<int64_t> progress{0};
    // The lowest slice that met a bad code or a short read: the slices after it stop, those
    // before it go on, as one of them may meet an earlier fault.
    std::atomic<size_t> firstFailed{nbSlices};
    auto fails = [&firstFailed](size_t s) {
        size_t seen = firstFailed.load(std::memory_order_relaxed);
        while (s < seen && !firstFailed.compare_exchange_weak(seen, s, std::memory_order_relaxed))
            ;
    };
    const int32_t nbart = m_nbart, codeFinLigne = m_codeFinLigne, limd = m_limd;
    const int32_t baseDelim = m_baseDelim;
    int32_t *const tnum = m_tnum.get();
    auto convert = [&](size_t s) {
        Slice &slice = slices[s];
        int32_t *counts = slice.counts.data();
        constexpr int32_t kChunk = 1 << 16;
        for (int32_t p = slice.begin; p < slice.end;) {
            if (firstFailed.load(std::memory_order_relaxed) < s || annulee())
                return;
            const int32_t want = std::min(kChunk, slice.end - p);
            int32_t *chunk = tnum + p;
            const int64_t got = readAt(fd, chunk, static_cast<size_t>(want) * 4, int64_t{p} * 4);
            const int32_t n = got > 0 ? static_cast<int32_t>(got / 4) : 0;
            if constexpr (std::endian::native != std::endian::little)
                for (int32_t j = 0; j < n; ++j)
                    chunk[j] =
                        static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(chunk[j])));
            for (int32_t j = 0; j < n; ++j) {
                int32_t v = chunk[j];
                if (static_cast<uint32_t>(v) < static_cast<uint32_t>(nbart)) {
                    ++counts[v];
                    continue;
                }
                if (v == codeFinLigne) {
                    chunk[j] = limd + 2 + slice.lines++;
                    continue;
                }
                if (v > codeFinLigne && v < limd) {
                    const int32_t c = delimMap[baseDelim - v];
                    if (c >= 0) {
                        ++counts[c];
                        chunk[j] = c;
                        continue;
                    }
                }
                slice.failedAt = p + j;
                slice.badCode = v;
                fails(s);
                return;
            }
            if (n < want) {
                slice.failedAt = p + n;
                slice.shortRead = true;
                fails(s);
                return;
            }
            p += n;
            progress.fetch_add(n, std::memory_order_relaxed);
        }
    };
    auto gauge = [this](int32_t) { gaugeStep(1); };
    runInParallel(nbSlices, convert, &progress, m_nbitem, gaugeCalls, gauge);
    if (annulee())
        return failWith("Chargement annulé.");
    for (const Slice &slice : slices) {
        if (slice.failedAt < 0)
            continue;
        const int32_t p = slice.failedAt;
        if (slice.shortRead) {
            m_trace.append("\nTexte numérisé incomplet : %d items lus sur %d", p, m_nbitem);
            return failWith("Le texte numérisé " + name + " est incomplet (" + std::to_string(p) +
                            " items lus sur " + std::to_string(m_nbitem) + ").");
        }
        m_trace.append("\nCode %d hors du dictionnaire à la position %d", slice.badCode, p);
        return failWith("Le texte numérisé " + name + " contient le code " +
                        std::to_string(slice.badCode) + ", hors du dictionnaire, à la position " +
                        std::to_string(p) + ".");
    }

    // Every frequency of the dictionary is what the text holds; the index starts of each
    // article follow from the counts.
    m_occStart.assign(static_cast<size_t>(m_nbart) + 1, 0);
    int32_t lines = 0;
    for (Slice &slice : slices) {
        const int32_t before = lines;
        lines += slice.lines;
        slice.lines = before; // from here, the line ends of the earlier slices
    }
    m_nbLignes = lines;
    for (int32_t c = 0; c < m_nbart; ++c) {
        int64_t total = 0;
        for (const Slice &slice : slices)
            total += slice.counts[static_cast<size_t>(c)];
        if (total != m_lexm[static_cast<size_t>(c)].frq) {
            m_trace.append("\nFréquence de l'article %d incohérente avec le texte numérisé", c);
            return failWith("Le texte numérisé " + name + " compte " + std::to_string(total) +
                            " occurrences de l'article " + std::to_string(c) + " (« " +
                            m_lexm[static_cast<size_t>(c)].graphie + " »), le dictionnaire " +
                            m_nomBase + ".dic en annonce " +
                            std::to_string(m_lexm[static_cast<size_t>(c)].frq) + ".");
        }
        int32_t at = m_occStart[static_cast<size_t>(c)];
        for (Slice &slice : slices) {
            const int32_t n = slice.counts[static_cast<size_t>(c)];
            slice.counts[static_cast<size_t>(c)] = at;
            at += n;
        }
        m_occStart[static_cast<size_t>(c) + 1] = at;
    }
    try {
        m_occPos.reset(new int32_t[static_cast<size_t>(m_occStart.back()) + 1]);
    } catch (const std::bad_alloc &) {
        return failWith("Allocation mémoire impossible.");
    }
    int32_t *const occPos = m_occPos.get();
    runInParallel(nbSlices, [&](size_t s) {
        Slice &slice = slices[s];
        int32_t *fill = slice.counts.data();
        const int32_t offset = slice.lines;
        for (int32_t p = slice.begin; p < slice.end; ++p) {
            const int32_t c = tnum[p];
            if (c < nbart)
                occPos[fill[c]++] = p;
            else if (offset != 0)
                tnum[p] = c + offset;
        }
    });
    m_occValid.store(true, std::memory_order_release);
    return true;
}

void charg1::DesAlloc() {
    m_lexm.reset();
    m_tnum.reset();
    std::vector<char>().swap(m_ftext);
    std::vector<int32_t>().swap(m_occStart);
    m_occPos.reset();
    m_occValid.store(false);
    m_graphyIndex.clear();
    m_graphyOnce = std::make_unique<std::once_flag>();
}

// The index rebuilt after a SetTnum: counts, starts, then positions in text order.
void charg1::buildOccurrenceIndex() const {
    const auto nbart = static_cast<size_t>(m_nbart);
    const int32_t *t = m_tnum.get();
    m_occStart.assign(nbart + 1, 0);
    for (int32_t p = 0; p < m_nbitem; ++p)
        if (t[p] < m_nbart)
            ++m_occStart[static_cast<size_t>(t[p]) + 1];
    for (size_t c = 0; c < nbart; ++c)
        m_occStart[c + 1] += m_occStart[c];
    m_occPos.reset(new int32_t[static_cast<size_t>(m_occStart[nbart]) + 1]);
    std::vector<int32_t> fill(m_occStart.begin(), m_occStart.end() - 1);
    for (int32_t p = 0; p < m_nbitem; ++p)
        if (t[p] < m_nbart)
            m_occPos[static_cast<size_t>(fill[static_cast<size_t>(t[p])]++)] = p;
    m_occValid.store(true, std::memory_order_release);
}

Lexm charg1::RetourneLexm(int32_t code) const {
    return isArticle(code) ? m_lexm[static_cast<size_t>(code)] : Lexm{};
}

Lexm charg1::RetourneLexmAtPos(int32_t position) const {
    return inText(position) ? RetourneLexm(Tnum(position)) : Lexm{};
}

const char *charg1::RetourneGraphie(int32_t code, bool formesSeules) const {
    if (code >= 0 && code < limit(formesSeules))
        return m_lexm[static_cast<size_t>(code)].graphie;
    if (code > m_nbart && m_store && code - m_nbart - 1 < m_store->NbSegments()) {
        static thread_local std::string buffer;
        buffer.clear();
        for (int32_t f : m_store->Formes(code - m_nbart - 1)) {
            if (isArticle(f))
                buffer += m_lexm[static_cast<size_t>(f)].graphie;
            buffer += ' ';
        }
        return buffer.c_str();
    }
    return "";
}

const char *charg1::RetourneGraphieAtPos(int32_t position, bool formesSeules) const {
    if (!inText(position))
        return nullptr;
    int32_t code = Tnum(position);
    if (code < 0 || code >= limit(formesSeules))
        return nullptr;
    return m_lexm[static_cast<size_t>(code)].graphie;
}

int32_t charg1::RetourneFrq(int32_t code) const {
    return isArticle(code) ? m_lexm[static_cast<size_t>(code)].frq : -1;
}

int32_t charg1::RetourneFrqAtPos(int32_t position) const {
    return inText(position) ? RetourneFrq(Tnum(position)) : -1;
}

int32_t charg1::Lexg(int32_t code) const {
    return isArticle(code) ? m_lexm[static_cast<size_t>(code)].lexg : -1;
}

void charg1::SetInfo(int32_t code, int32_t value) {
    if (isArticle(code))
        m_lexm[static_cast<size_t>(code)].info = value;
}

int32_t charg1::LocFormDic(std::string_view graphy, bool formesSeules) const {
    if (!m_lexm)
        return -1;
    std::call_once(*m_graphyOnce, [this] {
        m_graphyIndex.reserve(static_cast<size_t>(m_nbart));
        for (int32_t c = 0; c < m_nbart; ++c)
            m_graphyIndex.emplace(std::string_view(m_lexm[static_cast<size_t>(c)].graphie), c);
    });
    auto it = m_graphyIndex.find(graphy);
    if (it == m_graphyIndex.end() || it->second >= limit(formesSeules))
        return -1;
    return it->second;
}

void charg1::SetTnum(int32_t position, int32_t code) {
    if (!inText(position))
        return;
    m_tnum[static_cast<size_t>(position)] = code;
    m_occValid.store(false);
}

std::span<const int32_t> charg1::OccArticle(int32_t code) const {
    if (!isArticle(code) || !m_tnum)
        return {};
    if (!m_occValid.load(std::memory_order_acquire)) {
        std::lock_guard<std::mutex> lock(m_occMutex);
        if (!m_occValid.load(std::memory_order_relaxed))
            buildOccurrenceIndex();
    }
    const auto c = static_cast<size_t>(code);
    return {m_occPos.get() + m_occStart[c], static_cast<size_t>(m_occStart[c + 1] - m_occStart[c])};
}

std::vector<int32_t> charg1::LocOccFor(int32_t code) const {
    if (isArticle(code)) {
        auto occ = OccArticle(code);
        return {occ.begin(), occ.end()};
    }
    if (code > m_nbart && m_store && code - m_nbart - 1 < m_store->NbSegments())
        return m_store->LocOccSeg(code - m_nbart - 1);
    return {};
}

std::vector<int32_t> charg1::LocOccFor(const int32_t *codes, int32_t n) const {
    std::vector<int32_t> all;
    std::vector<int32_t> seen(codes, codes + std::max(n, 0));
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    size_t runs = 0;
    for (int32_t code : seen) {
        if (isArticle(code)) {
            auto occ = OccArticle(code);
            all.insert(all.end(), occ.begin(), occ.end());
        } else {
            auto occ = LocOccFor(code);
            all.insert(all.end(), occ.begin(), occ.end());
        }
        ++runs;
    }
    if (runs > 1) {
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
    }
    return all;
}

int charg1::ComparContextes(int32_t p1, int32_t p2, int32_t sens, int32_t codeMax) const {
    if (sens == 0)
        return 0;
    const int32_t *t = m_tnum.get();
    while (true) {
        do {
            p1 += sens;
        } while (p1 >= 0 && p1 < m_nbitem && t[p1] > codeMax);
        do {
            p2 += sens;
        } while (p2 >= 0 && p2 < m_nbitem && t[p2] > codeMax);
        const bool out1 = p1 < 0 || p1 >= m_nbitem;
        const bool out2 = p2 < 0 || p2 >= m_nbitem;
        if (out1 || out2)
            return out1 && out2 ? 0 : (out1 ? -1 : 1);
        int32_t r1 = Lexg(t[p1]), r2 = Lexg(t[p2]);
        if (r1 != r2)
            return r1 < r2 ? -1 : 1;
    }
}

int charg1::Compar(int32_t p1, int32_t p2, int32_t sens, int32_t codeMax) const {
    if (sens == 0)
        return 1;
    const int32_t *t = m_tnum.get();
    while (true) {
        do {
            p1 += sens;
            if (p1 < 0 || p1 >= m_nbitem)
                return 1;
        } while (t[p1] > codeMax);
        do {
            p2 += sens;
            if (p2 < 0 || p2 >= m_nbitem)
                return 1;
        } while (t[p2] > codeMax);
        int32_t r1 = Lexg(t[p1]), r2 = Lexg(t[p2]);
        if (r1 < r2)
            return 1;
        if (r1 > r2)
            return 0;
    }
}

void charg1::TriCont(int32_t *positions, int32_t n, int32_t sens, int32_t codeMax) const {
    TriContextes(*this, positions, n, sens, codeMax);
}

void charg1::AssigneSR(const SegmentStore *store) {
    m_store = store;
    m_nbFormSup = store ? store->NbSegments() : 0;
    m_nbTotEntites = m_nbart + m_nbFormSup;
}

} // namespace morvix
