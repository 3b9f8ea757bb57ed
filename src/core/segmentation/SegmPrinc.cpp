#include "segmentation/SegmPrinc.h"

#include "segmentation/ArticleTable.h"
#include "segmentation/ChunkScanner.h"
#include "segmentation/LineEnds.h"
#include "util/FrenchCollator.h"
#include "util/ParallelRun.h"
#include "util/SafeFiles.h"
#include "util/TempFile.h"
#include "util/TextWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morvix {

namespace {

using segm::Article;
using segm::ArticleTable;
using segm::ChunkScanner;
using segm::kBaseDelim;
using segm::kCodeFinLigne;
using segm::kLimd;
using segm::ScanStatus;

// Below this many bytes per chunk a parallel scan gains less than it costs.
constexpr int64_t kMinChunk = int64_t{2} << 20;
// Items are 32-bit counts and the n-th line end loads as Limd + 2 + n.
constexpr int64_t kMaxItems = int64_t{INT32_MAX} - kLimd - 2;

// First-letter folding of the accented lower-case initials for the alphabetical buckets.
constexpr std::array<unsigned char, 256> makeFolding() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    t[0xE7] = 'c';
    t[0xF1] = 'n';
    for (int c : {0xEC, 0xED, 0xEE, 0xEF})
        t[static_cast<size_t>(c)] = 'i';
    for (int c : {0xE8, 0xE9, 0xEA, 0xEB})
        t[static_cast<size_t>(c)] = 'e';
    for (int c : {0xF2, 0xF3, 0xF4, 0xF6})
        t[static_cast<size_t>(c)] = 'o';
    for (int c : {0xF9, 0xFA, 0xFB, 0xFC})
        t[static_cast<size_t>(c)] = 'u';
    for (int c : {0xE0, 0xE1, 0xE2, 0xE4, 0xE5})
        t[static_cast<size_t>(c)] = 'a';
    return t;
}
constexpr std::array<unsigned char, 256> kFolding = makeFolding();

[[maybe_unused]] inline uint32_t toLittle(uint32_t v) {
    if constexpr (std::endian::native == std::endian::little)
        return v;
    else
        return __builtin_bswap32(v);
}

// One chunk of the text: its byte range, its scan and its scratch file of creation numbers.
struct Chunk {
    int64_t begin = 0;
    int64_t end = -1; // -1: to the end of the file
    TempFile scratch;
    std::unique_ptr<ChunkScanner> scanner;
    ScanStatus status = ScanStatus::Ok;
    std::vector<int32_t> toGlobal; // creation number in the merged table of each article
    int64_t firstItem = 0;
};

class Segmentation {
  public:
    Segmentation(const std::string &path, const std::string &delimiters, const SegmOptions &options)
        : m_path(path), m_delimiters(delimiters), m_options(options), m_trace(options.tracePath) {}
    ~Segmentation() {
        if (m_text >= 0)
            ::close(m_text);
    }

    SegmResult run();

  private:
    bool TraitPath();
    void AllocTab();
    bool SegmText();
    void TravDico();
    bool NumeDefT();
    bool EcriDicNum();
    bool EcriTexNum();
    bool EcriParam();
    void Desalloc();
    void EffaceTxn();

    bool fail(SegmCode code, std::string message) {
        m_result.code = code;
        m_result.message = std::move(message);
        return false;
    }
    // True, with the result set, when the run is to stop.
    bool cancelled() {
        if (!Annulee(m_options.annulation))
            return false;
        m_trace.append("\nSegmentation annulée\n");
        fail(SegmCode::Annule, "Segmentation annulée.");
        return true;
    }
    bool isOutput(const FileId &text) const;
    bool openText();
    std::vector<int64_t> planCuts(int64_t size);
    bool scanChunks(const std::vector<int64_t> &cuts);
    bool mergeChunks();
    bool scanFailure(const ChunkScanner &scanner, ScanStatus status, int64_t linesBefore);
    bool createTemp(TempFile &file, const std::string &target);
    bool finishTemp(TempFile &file, const std::string &target);

    std::string m_path;
    std::string m_delimiters;
    SegmOptions m_options;
    Trace m_trace;
    SegmResult m_result;

    int m_text = -1;
    int64_t m_textSize = 0;
    segm::ScanSettings m_settings;
    int32_t m_maxart = kMaxartDefaut;
    std::vector<Chunk> m_chunks;
    ArticleTable *m_table = nullptr; // the first chunk's, holding every article once merged
    std::vector<int32_t> m_list1;    // creation numbers in final order

    int64_t m_items = 0;
    int64_t m_occurrences = 0;
    int32_t m_nbf = 0, m_nhap = 0, m_nbcle = 0, m_nbctnu = 0, m_nbponct = 0, m_fmax = 0;
    std::string m_dic, m_num, m_par; // final names
    TempFile m_dicFile, m_numFile, m_parFile;
};

bool Segmentation::isOutput(const FileId &text) const {
    for (const std::string &name : {m_dic, m_num, m_par, commitRecordPath("", m_result.baseName)})
        if (fileId(name, false) == text)
            return true;
    return false;
}

bool Segmentation::TraitPath() {
    m_result.baseName = m_options.nomBase.empty() ? morvix::TraitPath(m_path) : m_options.nomBase;
    m_dic = m_result.baseName + ".dic";
    m_num = m_result.baseName + ".num";
    m_par = m_result.baseName + ".par";
    // Appending to the trace must not be what destroys the text.
    struct stat st {};
    const bool textExists = ::stat(m_path.c_str(), &st) == 0;
    const FileId text{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    if (textExists && fileId(m_options.tracePath, false) == text)
        return fail(SegmCode::TexteEnSortie,
                    "Le texte " + m_path + " est le journal " + m_options.tracePath +
                        " que la segmentation écrit : renommez-le ou changez de dossier.");
    m_trace.append("\n\n*****Début SegmPrinc*****\n");
    m_trace.append("\n\n*****FIN DE TraitPath : pn:%s bn:%s*****\n", m_path.c_str(),
                   m_result.baseName.c_str());
    std::string why = baseNameProblem(m_result.baseName);
    if (why.empty() && m_result.baseName.size() > 240) // room for the temporary names
        why = "il dépasse 240 octets";
    if (!why.empty()) {
        m_trace.append("\nNom de base incorrect : %s\n", m_result.baseName.c_str());
        return fail(SegmCode::NomIncorrect,
                    "Le nom de base « " + m_result.baseName + " » ne convient pas : " + why + ".");
    }
    if (textExists && S_ISREG(st.st_mode) && isOutput(text)) {
        m_trace.append("\nLe texte %s est un des fichiers de la base %s : segmentation refusée\n",
                       m_path.c_str(), m_result.baseName.c_str());
        return fail(SegmCode::TexteEnSortie,
                    "Le texte " + m_path + " est un des fichiers que la segmentation écrirait (" +
                        m_result.baseName +
                        ".par, .dic, .num) : renommez-le ou segmentez-le dans un autre dossier.");
    }
    return true;
}

void Segmentation::AllocTab() {
    m_maxart = std::clamp(m_options.maxart, 1, kMaxartLimite);
    m_trace.append("\nMAXART (Maximum d'articles traités) = %d", m_maxart);
    m_trace.append("\nAllocation de %lldK", static_cast<long long>(104LL * m_maxart / 1024));
    m_settings.maxart = m_maxart;
    m_settings.poolLimit = static_cast<size_t>(m_maxart) * 40;
    m_settings.annulation = m_options.annulation;
    m_trace.append("\n\n*****FIN DE AllocTab*****\n");
}

bool Segmentation::openText() {
    struct stat st {};
    // A pipe is not opened at all: it could be read only once, and opening it may wait.
    const bool found = ::stat(m_path.c_str(), &st) == 0;
    if (found && S_ISREG(st.st_mode))
        m_text = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_text >= 0 && ::fstat(m_text, &st) == 0 && S_ISREG(st.st_mode)) {
        m_textSize = static_cast<int64_t>(st.st_size);
        return true;
    }
    const bool folder = found && S_ISDIR(st.st_mode);
    const bool other = found && !folder && !S_ISREG(st.st_mode);
    if (m_text >= 0)
        ::close(m_text);
    m_text = -1;
    m_trace.append("\nFichier %s pas ouvert !", m_path.c_str());
    return fail(SegmCode::TexteNonOuvert,
                folder ? "Le texte " + m_path + " est un dossier."
                : other
                    ? "Le texte " + m_path + " n'est pas un fichier ordinaire : copiez-le d'abord."
                    : "Le fichier " + m_path + " ne peut être ouvert.");
}

std::vector<int64_t> Segmentation::planCuts(int64_t size) {
    std::vector<int64_t> targets = m_options.coupures;
    if (targets.empty() && m_options.tranches != 1) {
        const int64_t wanted =
            m_options.tranches > 0 ? m_options.tranches : static_cast<int64_t>(usefulThreads());
        const int64_t n = std::clamp<int64_t>(size / kMinChunk, 1, wanted);
        for (int64_t k = 1; k < n; ++k)
            targets.push_back(size * k / n);
    }
    std::sort(targets.begin(), targets.end());
    std::vector<int64_t> cuts;
    const unsigned char eol = m_settings.crLines ? '\r' : '\n';
    std::vector<unsigned char> block(1 << 16);
    for (int64_t t : targets) {
        int64_t from = std::max<int64_t>(t, cuts.empty() ? 0 : cuts.back());
        int64_t cut = -1;
        while (cut < 0 && from < size) {
            const int64_t got = readAt(m_text, block.data(), block.size(), from);
            if (got <= 0)
                break;
            const void *hit = std::memchr(block.data(), eol, static_cast<size_t>(got));
            if (hit)
                cut = from + (static_cast<const unsigned char *>(hit) - block.data()) + 1;
            from += got;
        }
        if (cut > 0 && cut < size && (cuts.empty() || cut > cuts.back()))
            cuts.push_back(cut);
    }
    return cuts;
}

bool Segmentation::scanFailure(const ChunkScanner &scanner, ScanStatus status,
                               int64_t linesBefore) {
    switch (status) {
    case ScanStatus::Overflow:
        if (scanner.table().overflow() == ArticleTable::Overflow::Articles) {
            m_trace.append("\nNombre maximum d'articles atteint (MAXART = %d) : segmentation "
                           "interrompue\n",
                           m_maxart);
            return fail(SegmCode::TropDArticles,
                        "Le texte compte plus de " + std::to_string(m_maxart) +
                            " articles distincts (MAXART) : augmentez MAXART dans les options.");
        }
        m_trace.append("\nZone des graphies pleine (%lld octets) : segmentation interrompue\n",
                       static_cast<long long>(m_settings.poolLimit));
        return fail(SegmCode::ZonePleine, "Les graphies du texte dépassent la zone de " +
                                              std::to_string(m_settings.poolLimit) +
                                              " octets (40 × MAXART) : augmentez MAXART.");
    case ScanStatus::TagTooLong: {
        const int64_t line = linesBefore + scanner.errorLine();
        m_trace.append("\nL%5lld Partie de balise de plus de 126 caractères : "
                       "segmentation interrompue\n",
                       static_cast<long long>(line));
        return fail(SegmCode::BaliseTropLongue,
                    "Ligne " + std::to_string(line) +
                        " : une partie de balise dépasse 126 caractères.");
    }
    case ScanStatus::ReadError:
        m_trace.append("\nFichier %s pas ouvert !", m_path.c_str());
        return fail(SegmCode::TexteNonOuvert, "Erreur de lecture du fichier " + m_path + ".");
    case ScanStatus::Cancelled:
        m_trace.append("\nSegmentation annulée\n");
        return fail(SegmCode::Annule, "Segmentation annulée.");
    default:
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", "xxxx.txn");
        return fail(SegmCode::FichierNonOuvert,
                    "Erreur d'écriture du fichier temporaire dans le dossier courant.");
    }
}

// Scans the chunks cut at `cuts` at once; false when any of them did not end cleanly (its
// status says why).
bool Segmentation::scanChunks(const std::vector<int64_t> &cuts) {
    m_chunks = std::vector<Chunk>(cuts.size() + 1);
    for (size_t k = 0; k < m_chunks.size(); ++k) {
        Chunk &c = m_chunks[k];
        c.begin = k == 0 ? 0 : cuts[k - 1];
        c.end = k < cuts.size() ? cuts[k] : -1;
        c.scanner = std::make_unique<ChunkScanner>(m_settings);
        std::string error;
        if (!c.scratch.create(m_num, true, error)) {
            c.status = ScanStatus::WriteError;
            return false;
        }
    }
    std::atomic<int64_t> progress{0};
    m_settings.progress = &progress;
    runInParallel(
        m_chunks.size(),
        [&](size_t k) {
            Chunk &c = m_chunks[k];
            c.status = c.scanner->scan(m_text, c.begin, c.end, c.scratch.fd());
        },
        &progress, std::max<int64_t>(m_textSize, 1), m_options.gauge ? 100 : 0, m_options.gauge);
    m_settings.progress = nullptr;
    return std::all_of(m_chunks.begin(), m_chunks.end(),
                       [](const Chunk &c) { return c.status == ScanStatus::Ok; });
}

// Merges the chunks' tables into the first in text order; false when a limit is reached.
bool Segmentation::mergeChunks() {
    m_table = &m_chunks[0].scanner->table();
    m_items = m_occurrences = 0;
    std::array<int64_t, 256> punct{};
    for (size_t k = 0; k < m_chunks.size(); ++k) {
        Chunk &c = m_chunks[k];
        if (k > 0) {
            if (!m_table->merge(c.scanner->table(), c.toGlobal))
                return false;
            c.scanner->table().release();
        }
        c.firstItem = m_items;
        m_items += c.scanner->items();
        m_occurrences += c.scanner->occurrences();
        for (size_t ch = 0; ch < 256; ++ch)
            punct[ch] += c.scanner->punctuation()[ch];
    }
    // End of scan: one punctuation article per delimiter character that occurs.
    m_nbponct = 0;
    for (int c = 0; c < 256; ++c) {
        const int64_t count = punct[static_cast<size_t>(c)];
        if (count == 0)
            continue;
        const unsigned char ch[8] = {static_cast<unsigned char>(c)};
        if (m_table->lookUp('1', ch, 1, segm::hashGraphy('1', ch, 1),
                            static_cast<int32_t>(std::min<int64_t>(count, INT32_MAX))) < 0)
            return false;
        ++m_nbponct;
    }
    m_table->finishFrequencies();
    m_table->dropIndex();
    return true;
}

bool Segmentation::SegmText() {
    auto &word = m_settings.word;
    for (int c = 0; c < 256; ++c)
        word[static_cast<size_t>(c)] = c > 32 && c != '\n' && c != '<' && c != '>';
    for (char d : m_delimiters)
        word[static_cast<unsigned char>(d)] = false;

    if (!openText())
        return false;
    m_trace.append("\nFichier -- %s -- ouvert pour segmentation", m_path.c_str());
    TempFile probe;
    std::string error;
    if (!probe.create(m_num, true, error)) {
        m_trace.append("\n           xxxx.txn pas ouvert !");
        return fail(SegmCode::TxnNonOuvert,
                    "Le fichier temporaire ne peut être créé dans le dossier courant : " + error +
                        ".");
    }
    probe.close();
    m_trace.append("\nFichier xxxx.txn ouvert");
    m_trace.append("\nDélimiteurs : %s\n", m_delimiters.c_str());
    m_settings.crLines = crLineEnds(m_text, m_textSize);
    if (m_settings.crLines)
        m_trace.append("\nFins de ligne CR seules : chaque CR est lu comme une fin de ligne\n");

    // Chunks are scanned at once and merged; anything but a clean end of every chunk (a limit,
    // a cut that fell inside a tag) is settled by a single pass, which stops where today's
    // scan stops and says what it says.
    const std::vector<int64_t> cuts = planCuts(m_textSize);
    bool sound = scanChunks(cuts) && mergeChunks();
    if (!sound && !cuts.empty() && !Annulee(m_options.annulation) &&
        std::none_of(m_chunks.begin(), m_chunks.end(), [](const Chunk &c) {
            return c.status == ScanStatus::ReadError || c.status == ScanStatus::WriteError;
        })) {
        sound = scanChunks({}) && mergeChunks();
    }
    m_result.tranches = static_cast<int32_t>(m_chunks.size());
    if (!sound) {
        int64_t lines = 0;
        for (const Chunk &c : m_chunks) {
            if (c.status != ScanStatus::Ok)
                return scanFailure(*c.scanner, c.status, lines);
            lines += c.scanner->lineEnds();
        }
        return scanFailure(*m_chunks[0].scanner, ScanStatus::Overflow, 0); // while merging
    }
    if (m_items > kMaxItems) {
        m_trace.append("\nTexte trop long : segmentation interrompue\n");
        return fail(SegmCode::TropDItems, "Le texte compte " + std::to_string(m_items) +
                                              " items ; une base en tient au plus " +
                                              std::to_string(kMaxItems) +
                                              " (compteurs de 32 bits).");
    }
    int32_t nblemm = 0, nbcatg = 0;
    for (const Article &a : m_table->articles()) {
        switch (m_table->prefixOf(a)) {
        case '0':
            ++m_nbf;
            m_nhap += a.frequency == 1;
            break;
        case '2':
            ++m_nbcle;
            break;
        case '3':
            ++m_nbctnu;
            break;
        case '4':
            ++nblemm;
            break;
        case '5':
            ++nbcatg;
            break;
        default:
            break;
        }
    }
    m_trace.append("\n==  nbf= %d, nhap= %d, nbcle= %d, nbctnu= %d, nblemm=%d, nbcatg= %d\n", m_nbf,
                   m_nhap, m_nbcle, m_nbctnu, nblemm, nbcatg);
    m_trace.append("\n\n*****FIN DE SegmText*****\n");
    return true;
}

void Segmentation::TravDico() {
    std::vector<Article> &articles = m_table->articles();
    // Group by type, keeping creation order, then sort each group alphabetically.
    m_list1.clear();
    m_list1.reserve(articles.size());
    for (char prefix : {'0', '1', '2', '3', '4', '5'})
        for (size_t i = 0; i < articles.size(); ++i)
            if (m_table->prefixOf(articles[i]) == prefix)
                m_list1.push_back(static_cast<int32_t>(i));

    std::vector<std::string> keys(articles.size());
    auto graphyOf = [&](int32_t idx) {
        return m_table->graphy(articles[static_cast<size_t>(idx)]);
    };
    auto bucketOf = [&](int32_t idx) {
        std::string_view g = graphyOf(idx);
        return g.empty() ? 0 : kFolding[static_cast<unsigned char>(g[0])];
    };
    // The collation keys of the articles that share their bucket, on every core.
    std::vector<int32_t> keyed;
    size_t start = 0;
    while (start < m_list1.size()) {
        const char prefix = m_table->prefixOf(articles[static_cast<size_t>(m_list1[start])]);
        size_t end = start;
        while (end < m_list1.size() &&
               m_table->prefixOf(articles[static_cast<size_t>(m_list1[end])]) == prefix)
            ++end;
        std::array<int32_t, 256> counts{};
        for (size_t i = start; i < end; ++i)
            ++counts[bucketOf(m_list1[i])];
        for (size_t i = start; i < end; ++i)
            if (counts[bucketOf(m_list1[i])] > 1)
                keyed.push_back(m_list1[i]);
        start = end;
    }
    const size_t workers = keyed.size() < 20000 ? 1 : usefulThreads();
    runInParallel(workers, [&](size_t w) {
        FrenchCollator collator;
        for (size_t i = w; i < keyed.size(); i += workers)
            keys[static_cast<size_t>(keyed[i])] = collator.sortKey(graphyOf(keyed[i]));
    });
    start = 0;
    while (start < m_list1.size()) {
        const char prefix = m_table->prefixOf(articles[static_cast<size_t>(m_list1[start])]);
        size_t end = start;
        while (end < m_list1.size() &&
               m_table->prefixOf(articles[static_cast<size_t>(m_list1[end])]) == prefix)
            ++end;
        std::sort(m_list1.begin() + static_cast<std::ptrdiff_t>(start),
                  m_list1.begin() + static_cast<std::ptrdiff_t>(end), [&](int32_t a, int32_t b) {
                      auto ba = bucketOf(a), bb = bucketOf(b);
                      if (ba != bb)
                          return ba < bb;
                      return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
                  });
        start = end;
    }
    std::vector<std::string>().swap(keys);
    for (size_t i = 0; i < m_list1.size(); ++i)
        articles[static_cast<size_t>(m_list1[i])].rank = static_cast<int32_t>(i);

    m_trace.append("\n--  Tri lexicom. de %7d formes ", m_nbf);
    std::sort(m_list1.begin(), m_list1.begin() + m_nbf, [&](int32_t a, int32_t b) {
        const Article &x = articles[static_cast<size_t>(a)];
        const Article &y = articles[static_cast<size_t>(b)];
        if (x.frequency != y.frequency)
            return x.frequency > y.frequency;
        return x.rank < y.rank;
    });
    m_fmax = m_nbf > 0 ? articles[static_cast<size_t>(m_list1[0])].frequency : 0;
    for (size_t i = 0; i < m_list1.size(); ++i)
        articles[static_cast<size_t>(m_list1[i])].code = static_cast<int32_t>(i);
    m_trace.append("\n--  Fin Travail Dictionnaire              ");
    m_trace.append("\n\n*****FIN DE TravDico*****\n");
}

bool Segmentation::createTemp(TempFile &file, const std::string &target) {
    std::string error;
    if (file.create(target, false, error))
        return true;
    m_trace.append("\n\"%s\": ne peut etre ouvert\n", target.c_str());
    return fail(SegmCode::FichierNonOuvert,
                "Le fichier " + target + " ne peut être créé : " + error + ".");
}

// Makes a complete temporary file durable.
bool Segmentation::finishTemp(TempFile &file, const std::string &target) {
    if (!m_options.durable || syncData(file.fd()))
        return true;
    m_trace.append("\n\"%s\": ne peut etre ouvert\n", target.c_str());
    return fail(SegmCode::FichierNonOuvert,
                "Erreur d'écriture du fichier " + target + " (" + causeOf(errno) + ").");
}

bool Segmentation::EcriDicNum() {
    if (!createTemp(m_dicFile, m_dic))
        return false;
    TextWriter out;
    out.adopt(m_dicFile.fd());
    m_trace.append("\n    Fichier Dict  :\t %s :", m_dic.c_str());
    std::string line;
    char head[48];
    const std::vector<Article> &articles = m_table->articles();
    for (int32_t idx : m_list1) {
        const Article &a = articles[static_cast<size_t>(idx)];
        int n = std::snprintf(head, sizeof head, " %-7d %7d  ", a.frequency, a.rank);
        line.assign(head, static_cast<size_t>(n));
        line.append(m_table->graphy(a));
        line.push_back('\n');
        out.write(line);
    }
    if (!out.close() || !finishTemp(m_dicFile, m_dic)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_dic.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_dic + ".");
    }
    m_trace.append("\n--  Fin EcriDicNum  %7d articles", static_cast<int32_t>(m_list1.size()));
    m_trace.append("\n\n*****FIN DE EcriDicNum*****\n");
    return true;
}

bool Segmentation::EcriTexNum() {
    if (!createTemp(m_numFile, m_num))
        return false;
    m_trace.append("\n    Fichier Texte :\t %s : ", m_num.c_str());
    const std::vector<Article> &articles = m_table->articles();
    // Each chunk's numbers go straight to their final codes, chunks written at once.
    std::atomic<int64_t> progress{0};
    std::vector<int64_t> copied(m_chunks.size(), 0);
    runInParallel(
        m_chunks.size(),
        [&](size_t k) {
            Chunk &c = m_chunks[k];
            const size_t local = k == 0 ? articles.size() : c.toGlobal.size();
            std::vector<int32_t> codes(local);
            for (size_t i = 0; i < local; ++i)
                codes[i] = articles[k == 0 ? i : static_cast<size_t>(c.toGlobal[i])].code;
            std::vector<int32_t> block(1 << 16);
            const auto nart = static_cast<int64_t>(local);
            int64_t done = 0;
            while (!Annulee(m_options.annulation)) {
                const int64_t got =
                    readAt(c.scratch.fd(), block.data(), block.size() * 4, done * 4);
                if (got <= 0)
                    break;
                const size_t n = static_cast<size_t>(got / 4);
                for (size_t i = 0; i < n; ++i) {
                    auto v = static_cast<int32_t>(toLittle(static_cast<uint32_t>(block[i])));
                    if (v >= 0 && v < nart)
                        v = codes[static_cast<size_t>(v)];
                    block[i] = static_cast<int32_t>(toLittle(static_cast<uint32_t>(v)));
                }
                if (!writeAllAt(m_numFile.fd(), block.data(), n * 4, (c.firstItem + done) * 4))
                    break;
                done += static_cast<int64_t>(n);
                progress.fetch_add(static_cast<int64_t>(n), std::memory_order_relaxed);
            }
            copied[k] = done;
        },
        &progress, std::max<int64_t>(m_items, 1), m_options.gauge ? 100 : 0, m_options.gauge);
    if (cancelled())
        return false;
    bool complete = true;
    for (size_t k = 0; k < m_chunks.size(); ++k)
        complete = complete && copied[k] == m_chunks[k].scanner->items();
    if (!complete || !finishTemp(m_numFile, m_num)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_num.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_num + ".");
    }
    m_trace.append(" %7lld items.", static_cast<long long>(m_items));
    m_trace.append("\n\n*****FIN DE EcriTexNum*****\n");
    return true;
}

bool Segmentation::EcriParam() {
    if (!createTemp(m_parFile, m_par))
        return false;
    TextWriter out;
    out.adopt(m_parFile.fd());
    m_trace.append("\n    Fichier Param \t %s  :", m_par.c_str());
    const auto items = static_cast<int32_t>(m_items);
    const auto occ = static_cast<int32_t>(m_occurrences);
    const auto nart = static_cast<int32_t>(m_table->articles().size());
    out.write(m_result.baseName);
    out.printf("\n%d %d %d %d %d %d %d %d %d %d %d %d %d\n", items, items, nart - 1, occ, m_nbf,
               m_fmax, m_nhap, kLimd, m_nbponct, m_nbcle, m_nbctnu, 0, 0);
    out.printf("\n*** Résultat de la segmentation du fichier: %s.TXT ***",
               m_result.baseName.c_str());
    out.printf("\nDélimiteurs %s", m_delimiters.c_str());
    out.printf("\n");
    out.printf("\n \tnombre des occurrences :  %10d", occ);
    out.printf("\n \tnombre des formes      :  %10d", m_nbf);
    out.printf("\n \tfrequence maximale     :  %10d", m_fmax);
    out.printf("\n \tnombre des hapax       :  %10d", m_nhap);
    out.printf("\n \tnombre des clés(type)  :  %10d", m_nbcle);
    out.printf("\n \tnombre des clés(ctnu)  :  %10d", m_nbctnu);
    out.printf("\n\n*** Fin de la segmentation du fichier:      %s.TXT ***",
               m_result.baseName.c_str());
    if (!out.close() || !finishTemp(m_parFile, m_par)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_par.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_par + ".");
    }
    m_trace.append("\n\n*****FIN DE EcriParam*****\n");
    return true;
}

bool Segmentation::NumeDefT() {
    if (!EcriDicNum() || !EcriTexNum() || !EcriParam() || cancelled())
        return false;
    // The new base replaces an old one as one step, once all three files are complete.
    std::string error;
    if (!commitFiles("", m_result.baseName,
                     {{&m_dicFile, m_dic}, {&m_numFile, m_num}, {&m_parFile, m_par}}, error,
                     m_options.pointEngagement, m_options.durable)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_par.c_str());
        return fail(SegmCode::FichierNonOuvert,
                    "La base " + m_result.baseName + " ne peut être remplacée : " + error + ".");
    }
    m_trace.append("\n\n*****FIN DE LA SEGMENTATION*****\n");
    m_trace.append("\n\n*****FIN DE NumeDefT*****\n");
    return true;
}

void Segmentation::Desalloc() {
    if (m_table)
        m_table->release();
    m_trace.append("\nlibération de ptrzon2");
    m_trace.append("\nlibération de list");
    std::vector<int32_t>().swap(m_list1);
    m_trace.append("\nlibération de list1");
    m_trace.append("\nlibération de msg");
    m_trace.append("\n\n*****FIN DE Desalloc*****\n");
}

void Segmentation::EffaceTxn() {
    m_chunks.clear(); // the scratch files have no name: closing them deletes them
    m_trace.append("\n\n*****FIN DE EffaceTxn*****\n");
}

SegmResult Segmentation::run() {
    const bool done = TraitPath() && (AllocTab(), SegmText()) && !cancelled() &&
                      (TravDico(), !cancelled()) && NumeDefT();
    m_result.traceErreur = m_trace.failure();
    if (!done)
        return m_result; // temporary files go with their owners
    m_result.nbitem = static_cast<int32_t>(m_items);
    m_result.nbart = static_cast<int32_t>(m_table->articles().size());
    m_result.nbocc = static_cast<int32_t>(m_occurrences);
    m_result.nbf = m_nbf;
    m_result.nhap = m_nhap;
    m_result.fmax = m_fmax;
    m_result.nbartponct = m_nbponct;
    m_result.nbcle = m_nbcle;
    m_result.nbctnu = m_nbctnu;
    Desalloc();
    EffaceTxn();
    m_result.traceErreur = m_trace.failure();
    return m_result;
}

} // namespace

std::string TraitPath(const std::string &path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

SegmResult SegmPrinc(const std::string &path, const std::string &delimiters,
                     const SegmOptions &options) {
    Segmentation s(path, delimiters, options);
    return s.run();
}

} // namespace morvix
