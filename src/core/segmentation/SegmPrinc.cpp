#include "segmentation/SegmPrinc.h"

#include "util/BinaryIO.h"
#include "util/FrenchCollator.h"
#include "util/TextWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace morvix {

namespace {

constexpr int32_t kLimd = 5000000;
constexpr int32_t kCodeFinLigne = kLimd - 258; // 4999742
constexpr int32_t kBaseDelim = kLimd - 1;      // a delimiter c is written as 4999999 - c
constexpr size_t kMaxForme = 59;
constexpr size_t kMaxPartieBalise = 126;
constexpr const char *kTxn = "xxxx.txn";

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

struct Article {
    uint32_t offset;   // prefixed graphy in the pool
    uint32_t length;   // prefix included, terminator excluded
    int32_t frequency; // from the table entry once the scan ends
    int32_t rank = 0;
    int32_t code = 0;
};

// Hash of a prefixed graphy, eight bytes at a time. The bytes are read by whole words:
// at least 8 bytes past s + n must be readable.
inline uint32_t hashGraphy(char prefix, const unsigned char *s, size_t n) {
    uint64_t h = (0x9E3779B97F4A7C15ull * (static_cast<unsigned char>(prefix) + 1)) ^ n;
    while (n >= 8) {
        uint64_t v;
        std::memcpy(&v, s, 8);
        h = (h ^ v) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        s += 8;
        n -= 8;
    }
    uint64_t v;
    std::memcpy(&v, s, 8);
    if constexpr (std::endian::native == std::endian::little)
        v &= n == 0 ? 0 : ~uint64_t{0} >> (64 - 8 * n);
    else
        v &= n == 0 ? 0 : ~uint64_t{0} << (64 - 8 * n);
    h = (h ^ v) * 0x94D049BB133111EBull;
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

// Input buffer of the scan: raw bytes, refilled so that a whole form is always in view.
class ScanBuffer {
  public:
    static constexpr size_t kLook = 64; // more than the longest form
    static constexpr size_t kPad = 64;  // readable bytes past the data (hash, form copies)

    ~ScanBuffer() {
        if (m_file)
            std::fclose(m_file);
    }
    bool open(const std::string &path) {
        m_file = std::fopen(path.c_str(), "rb");
        m_buf.resize((size_t{1} << 20) + kLook + kPad);
        pos = end = m_buf.data();
        return m_file != nullptr;
    }
    // Makes at least kLook bytes available unless the input ends first.
    void refill() {
        if (m_eof || static_cast<size_t>(end - pos) >= kLook)
            return;
        const size_t left = static_cast<size_t>(end - pos);
        std::memmove(m_buf.data(), pos, left);
        pos = m_buf.data();
        end = pos + left;
        while (!m_eof && static_cast<size_t>(end - pos) < kLook) {
            size_t room = m_buf.size() - kPad - static_cast<size_t>(end - m_buf.data());
            size_t n = std::fread(const_cast<unsigned char *>(end), 1, room, m_file);
            if (n == 0)
                m_eof = true;
            end += n;
        }
    }
    // Next byte with a CR LF pair read as one line feed, or -1 at the end of the input.
    int getFolded() {
        refill();
        if (pos == end)
            return -1;
        int c = *pos++;
        if (c == '\r') {
            refill();
            if (pos != end && *pos == '\n')
                c = *pos++;
        }
        return c;
    }

    const unsigned char *pos = nullptr;
    const unsigned char *end = nullptr;

  private:
    std::FILE *m_file = nullptr;
    std::vector<unsigned char> m_buf;
    bool m_eof = false;
};

// One entry of the article hash table. Short prefixed graphies (most forms) and the
// running frequency live in the entry itself, so that a look-up touches one cache line.
struct alignas(32) Slot {
    static constexpr size_t kInline = 19;
    uint32_t hash = 0;
    int32_t index = -1; // creation number, -1 when empty
    int32_t frequency = 0;
    uint8_t length = 0; // prefixed length when inline, 0 otherwise
    char bytes[kInline] = {};
};
static_assert(sizeof(Slot) == 32);

class Segmentation {
  public:
    Segmentation(const std::string &path, const std::string &delimiters, const SegmOptions &options)
        : m_path(path), m_delimiters(delimiters), m_options(options), m_trace(options.tracePath) {}

    SegmResult run();

  private:
    void TraitPath();
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
    void cleanUp();

    // Looks up or creates the article of the graphy with its type prefix; -1 on overflow.
    int32_t lookUp(char prefix, const unsigned char *s, size_t n) {
        return lookUp(prefix, s, n, hashGraphy(prefix, s, n));
    }
    int32_t lookUp(char prefix, const unsigned char *s, size_t n, uint32_t h);
    void grow();
    std::string_view graphy(const Article &a) const {
        return {m_pool.data() + a.offset + 1, a.length - 1};
    }

    std::string m_path;
    std::string m_delimiters;
    SegmOptions m_options;
    Trace m_trace;
    SegmResult m_result;

    int32_t m_maxart = kMaxartDefaut;
    size_t m_poolLimit = 0;
    std::vector<char> m_pool;
    std::vector<Article> m_articles;
    std::vector<Slot> m_table; // open addressing
    uint32_t m_mask = 0;
    std::array<int64_t, 256> m_punct{};
    std::array<bool, 256> m_word{};
    std::vector<int32_t> m_list1; // creation numbers in final order

    int64_t m_items = 0;
    int64_t m_occurrences = 0;
    int32_t m_nbf = 0, m_nhap = 0, m_nbcle = 0, m_nbctnu = 0, m_nbponct = 0, m_fmax = 0;
    std::string m_dic, m_num, m_par; // final names
    bool m_txnCreated = false;
};

int32_t Segmentation::lookUp(char prefix, const unsigned char *s, size_t n, uint32_t h) {
    uint32_t slot = h & m_mask;
    while (true) {
        Slot &e = m_table[slot];
        if (e.index < 0)
            break;
        if (e.hash == h) {
            bool same;
            if (e.length != 0) {
                same = e.length == n + 1 && e.bytes[0] == prefix;
                for (size_t i = 0; same && i < n; ++i) // short: cheaper than a memcmp call
                    same = static_cast<unsigned char>(e.bytes[i + 1]) == s[i];
            } else {
                const Article &a = m_articles[static_cast<size_t>(e.index)];
                const char *g = m_pool.data() + a.offset;
                same = a.length == n + 1 && g[0] == prefix && std::memcmp(g + 1, s, n) == 0;
            }
            if (same) {
                ++e.frequency;
                return e.index;
            }
        }
        slot = (slot + 1) & m_mask;
    }
    if (static_cast<int64_t>(m_articles.size()) >= m_maxart) {
        fail(SegmCode::TropDArticles,
             "Le texte compte plus de " + std::to_string(m_maxart) +
                 " articles distincts (MAXART) : augmentez MAXART dans les options.");
        m_trace.append("\nNombre maximum d'articles atteint (MAXART = %d) : segmentation "
                       "interrompue\n",
                       m_maxart);
        return -1;
    }
    if (m_pool.size() + n + 2 > m_poolLimit) {
        fail(SegmCode::ZonePleine, "Les graphies du texte dépassent la zone de " +
                                       std::to_string(m_poolLimit) +
                                       " octets (40 × MAXART) : augmentez MAXART.");
        m_trace.append("\nZone des graphies pleine (%lld octets) : segmentation interrompue\n",
                       static_cast<long long>(m_poolLimit));
        return -1;
    }
    auto idx = static_cast<int32_t>(m_articles.size());
    m_articles.push_back(
        Article{static_cast<uint32_t>(m_pool.size()), static_cast<uint32_t>(n + 1), 1});
    m_pool.push_back(prefix);
    m_pool.insert(m_pool.end(), s, s + n);
    m_pool.push_back('\0');
    Slot &e = m_table[slot];
    e.hash = h;
    e.index = idx;
    e.frequency = 1;
    if (n + 1 <= Slot::kInline) {
        e.length = static_cast<uint8_t>(n + 1);
        e.bytes[0] = prefix;
        std::memcpy(e.bytes + 1, s, n);
    }
    if (m_articles.size() * 2 > m_table.size())
        grow();
    return idx;
}

void Segmentation::grow() {
    std::vector<Slot> table(m_table.size() * 2);
    auto mask = static_cast<uint32_t>(table.size() - 1);
    for (const Slot &e : m_table) {
        if (e.index < 0)
            continue;
        uint32_t slot = e.hash & mask;
        while (table[slot].index >= 0)
            slot = (slot + 1) & mask;
        table[slot] = e;
    }
    m_table.swap(table);
    m_mask = mask;
}

void Segmentation::TraitPath() {
    m_result.baseName = morvix::TraitPath(m_path);
    m_trace.append("\n\n*****FIN DE TraitPath : pn:%s bn:%s*****\n", m_path.c_str(),
                   m_result.baseName.c_str());
    m_dic = m_result.baseName + ".dic";
    m_num = m_result.baseName + ".num";
    m_par = m_result.baseName + ".par";
}

void Segmentation::AllocTab() {
    m_maxart = std::clamp(m_options.maxart, 1, kMaxartLimite);
    m_poolLimit = static_cast<size_t>(m_maxart) * 40;
    m_trace.append("\nMAXART (Maximum d'articles traités) = %d", m_maxart);
    m_trace.append("\nAllocation de %lldK", static_cast<long long>(104LL * m_maxart / 1024));
    m_articles.clear();
    m_articles.reserve(static_cast<size_t>(std::min(m_maxart, 1 << 16)));
    m_pool.clear();
    m_pool.reserve(std::min<size_t>(m_poolLimit, size_t{1} << 20));
    m_table.assign(1024, Slot{});
    m_mask = 1023;
    m_punct.fill(0);
    m_trace.append("\n\n*****FIN DE AllocTab*****\n");
}

bool Segmentation::SegmText() {
    for (int c = 0; c < 256; ++c)
        m_word[static_cast<size_t>(c)] = c > 32 && c != '\n' && c != '<' && c != '>';
    for (char d : m_delimiters)
        m_word[static_cast<unsigned char>(d)] = false;

    ScanBuffer in;
    if (!in.open(m_path)) {
        m_trace.append("\nFichier %s pas ouvert !", m_path.c_str());
        return fail(SegmCode::TexteNonOuvert, "Le fichier " + m_path + " ne peut être ouvert.");
    }
    m_trace.append("\nFichier -- %s -- ouvert pour segmentation", m_path.c_str());
    Int32Writer txn;
    if (!txn.open(kTxn)) {
        m_trace.append("\n           xxxx.txn pas ouvert !");
        return fail(SegmCode::TxnNonOuvert,
                    "Le fichier temporaire xxxx.txn ne peut être créé dans le dossier courant.");
    }
    m_txnCreated = true;
    m_trace.append("\nFichier xxxx.txn ouvert");
    m_trace.append("\nDélimiteurs : %s\n", m_delimiters.c_str());

    // Outside tags a CR is ignored like any control character, so the raw bytes give the
    // same items as the text read with CR LF folded; tags are read folded.
    unsigned char tag[kMaxPartieBalise + 8] = {};
    int32_t line = 1;
    const bool *word = m_word.data();
    // A form is looked up only once the next one has been read and its table entry
    // prefetched, so that the memory latency of one overlaps the scan of the other.
    struct Pending {
        unsigned char bytes[ScanBuffer::kPad];
        size_t n = 0;
        uint32_t hash = 0;
        bool active = false;
    } pending;
    auto flush = [&]() -> bool {
        if (!pending.active)
            return true;
        pending.active = false;
        int32_t idx = lookUp('0', pending.bytes, pending.n, pending.hash);
        if (idx < 0)
            return false;
        txn.put(idx);
        ++m_items;
        ++m_occurrences;
        return true;
    };
    while (true) {
        if (static_cast<size_t>(in.end - in.pos) < ScanBuffer::kLook) {
            in.refill();
            if (in.pos == in.end)
                break;
        }
        const unsigned char c = *in.pos++;
        if (word[c]) {
            const unsigned char *start = in.pos - 1;
            const unsigned char *limit = std::min(in.end, start + kMaxForme);
            const unsigned char *q = in.pos;
            while (q < limit && word[*q])
                ++q;
            in.pos = q;
            const auto n = static_cast<size_t>(q - start);
            const uint32_t h = hashGraphy('0', start, n);
            __builtin_prefetch(&m_table[h & m_mask]);
            if (!flush())
                return false;
            std::memcpy(pending.bytes, start, sizeof pending.bytes); // fixed size: no call
            pending.n = n;
            pending.hash = h;
            pending.active = true;
            continue;
        }
        if (c <= 32 && c != '\n')
            continue;
        if (!flush())
            return false;
        if (c == '\n') {
            txn.put(kCodeFinLigne);
            ++m_items;
            ++line;
        } else if (c == '<') {
            // Key up to '=', content up to '>', blanks dropped.
            for (char prefix : {'2', '3'}) {
                const int stop = prefix == '2' ? '=' : '>';
                size_t n = 0;
                int d;
                while ((d = in.getFolded()) != -1 && d != stop) {
                    if (d == '\n')
                        ++line;
                    if (d == ' ')
                        continue;
                    if (n == kMaxPartieBalise) {
                        m_trace.append("\nL%5d Partie de balise de plus de 126 caractères : "
                                       "segmentation interrompue\n",
                                       line);
                        return fail(SegmCode::BaliseTropLongue,
                                    "Ligne " + std::to_string(line) +
                                        " : une partie de balise dépasse 126 caractères.");
                    }
                    tag[n++] = static_cast<unsigned char>(d);
                }
                if (d == -1)
                    break; // an unclosed tag at the end of an unverified text gives nothing
                int32_t idx = lookUp(prefix, tag, n);
                if (idx < 0)
                    return false;
                txn.put(idx);
                ++m_items;
            }
        } else {
            txn.put(kBaseDelim - c);
            ++m_punct[c];
            ++m_items;
        }
    }
    if (!flush())
        return false;
    // Items are stored as 32-bit counts and ends of line load as Limd + 2 + n.
    if (m_items > int64_t{INT32_MAX} - kLimd - 2) {
        m_trace.append("\nTexte trop long : segmentation interrompue\n");
        return fail(SegmCode::TropDArticles, "Le texte compte trop d'items.");
    }
    if (!txn.close()) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", kTxn);
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier xxxx.txn.");
    }
    for (const Slot &e : m_table)
        if (e.index >= 0)
            m_articles[static_cast<size_t>(e.index)].frequency = e.frequency;
    // End of scan: one punctuation article per delimiter character that occurs.
    for (int c = 0; c < 256; ++c) {
        if (m_punct[static_cast<size_t>(c)] == 0)
            continue;
        const unsigned char ch[8] = {static_cast<unsigned char>(c)};
        int32_t idx = lookUp('1', ch, 1);
        if (idx < 0)
            return false;
        m_articles[static_cast<size_t>(idx)].frequency =
            static_cast<int32_t>(m_punct[static_cast<size_t>(c)]);
        ++m_nbponct;
    }
    int32_t nblemm = 0, nbcatg = 0;
    for (const Article &a : m_articles) {
        switch (m_pool[a.offset]) {
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
    // Group by type, keeping creation order, then sort each group alphabetically.
    m_list1.clear();
    m_list1.reserve(m_articles.size());
    for (char prefix : {'0', '1', '2', '3', '4', '5'})
        for (size_t i = 0; i < m_articles.size(); ++i)
            if (m_pool[m_articles[i].offset] == prefix)
                m_list1.push_back(static_cast<int32_t>(i));

    FrenchCollator collator;
    std::vector<std::string> keys(m_articles.size());
    auto bucketOf = [&](int32_t idx) {
        std::string_view g = graphy(m_articles[static_cast<size_t>(idx)]);
        return g.empty() ? 0 : kFolding[static_cast<unsigned char>(g[0])];
    };
    size_t start = 0;
    while (start < m_list1.size()) {
        const char prefix = m_pool[m_articles[static_cast<size_t>(m_list1[start])].offset];
        size_t end = start;
        while (end < m_list1.size() &&
               m_pool[m_articles[static_cast<size_t>(m_list1[end])].offset] == prefix)
            ++end;
        std::array<int32_t, 256> counts{};
        for (size_t i = start; i < end; ++i)
            ++counts[bucketOf(m_list1[i])];
        for (size_t i = start; i < end; ++i) {
            int32_t idx = m_list1[i];
            if (counts[bucketOf(idx)] > 1)
                keys[static_cast<size_t>(idx)] =
                    collator.sortKey(graphy(m_articles[static_cast<size_t>(idx)]));
        }
        std::sort(m_list1.begin() + static_cast<std::ptrdiff_t>(start),
                  m_list1.begin() + static_cast<std::ptrdiff_t>(end), [&](int32_t a, int32_t b) {
                      auto ba = bucketOf(a), bb = bucketOf(b);
                      if (ba != bb)
                          return ba < bb;
                      return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
                  });
        start = end;
    }
    keys = {};
    for (size_t i = 0; i < m_list1.size(); ++i)
        m_articles[static_cast<size_t>(m_list1[i])].rank = static_cast<int32_t>(i);

    m_trace.append("\n--  Tri lexicom. de %7d formes ", m_nbf);
    std::sort(m_list1.begin(), m_list1.begin() + m_nbf, [&](int32_t a, int32_t b) {
        const Article &x = m_articles[static_cast<size_t>(a)];
        const Article &y = m_articles[static_cast<size_t>(b)];
        if (x.frequency != y.frequency)
            return x.frequency > y.frequency;
        return x.rank < y.rank;
    });
    m_fmax = m_nbf > 0 ? m_articles[static_cast<size_t>(m_list1[0])].frequency : 0;
    for (size_t i = 0; i < m_list1.size(); ++i)
        m_articles[static_cast<size_t>(m_list1[i])].code = static_cast<int32_t>(i);
    m_trace.append("\n--  Fin Travail Dictionnaire              ");
    m_trace.append("\n\n*****FIN DE TravDico*****\n");
}

bool Segmentation::EcriDicNum() {
    TextWriter out;
    const std::string tmp = m_dic + ".tmp";
    if (!out.open(tmp)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_dic.c_str());
        return fail(SegmCode::FichierNonOuvert, "Le fichier " + m_dic + " ne peut être créé.");
    }
    m_trace.append("\n    Fichier Dict  :\t %s :", m_dic.c_str());
    std::string line;
    char head[48];
    for (int32_t idx : m_list1) {
        const Article &a = m_articles[static_cast<size_t>(idx)];
        int n = std::snprintf(head, sizeof head, " %-7d %7d  ", a.frequency, a.rank);
        line.assign(head, static_cast<size_t>(n));
        line.append(graphy(a));
        line.push_back('\n');
        out.write(line);
    }
    if (!out.close()) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_dic.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_dic + ".");
    }
    m_trace.append("\n--  Fin EcriDicNum  %7d articles", static_cast<int32_t>(m_list1.size()));
    m_trace.append("\n\n*****FIN DE EcriDicNum*****\n");
    return true;
}

bool Segmentation::EcriTexNum() {
    std::FILE *in = std::fopen(kTxn, "rb");
    if (!in) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", kTxn);
        return fail(SegmCode::FichierNonOuvert, "Le fichier xxxx.txn ne peut être relu.");
    }
    Int32Writer out;
    const std::string tmp = m_num + ".tmp";
    if (!out.open(tmp)) {
        std::fclose(in);
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_num.c_str());
        return fail(SegmCode::FichierNonOuvert, "Le fichier " + m_num + " ne peut être créé.");
    }
    m_trace.append("\n    Fichier Texte :\t %s : ", m_num.c_str());
    std::vector<int32_t> codes(m_articles.size());
    for (size_t i = 0; i < m_articles.size(); ++i)
        codes[i] = m_articles[i].code;
    std::vector<int32_t> chunk(1 << 16);
    int64_t copied = 0;
    const auto nart = static_cast<int32_t>(codes.size());
    while (true) {
        size_t got = readInt32(in, chunk.data(), chunk.size());
        if (got == 0)
            break;
        for (size_t i = 0; i < got; ++i) {
            int32_t v = chunk[i];
            if (v >= 0 && v < nart)
                chunk[i] = codes[static_cast<size_t>(v)];
        }
        out.put(chunk.data(), got);
        copied += static_cast<int64_t>(got);
    }
    std::fclose(in);
    if (!out.close() || copied != m_items) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_num.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_num + ".");
    }
    m_trace.append(" %7lld items.", static_cast<long long>(copied));
    m_trace.append("\n\n*****FIN DE EcriTexNum*****\n");
    return true;
}

bool Segmentation::EcriParam() {
    TextWriter out;
    const std::string tmp = m_par + ".tmp";
    if (!out.open(tmp)) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_par.c_str());
        return fail(SegmCode::FichierNonOuvert, "Le fichier " + m_par + " ne peut être créé.");
    }
    m_trace.append("\n    Fichier Param \t %s  :", m_par.c_str());
    const auto items = static_cast<int32_t>(m_items);
    const auto occ = static_cast<int32_t>(m_occurrences);
    const auto nart = static_cast<int32_t>(m_articles.size());
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
    if (!out.close()) {
        m_trace.append("\n\"%s\": ne peut etre ouvert\n", m_par.c_str());
        return fail(SegmCode::FichierNonOuvert, "Erreur d'écriture du fichier " + m_par + ".");
    }
    m_trace.append("\n\n*****FIN DE EcriParam*****\n");
    return true;
}

bool Segmentation::NumeDefT() {
    if (!EcriDicNum() || !EcriTexNum() || !EcriParam())
        return false;
    // The new base replaces an old one only once all three files are complete; the .par,
    // through which a base is opened, goes last.
    for (const std::string *name : {&m_dic, &m_num, &m_par}) {
        if (!replaceFile(*name + ".tmp", *name)) {
            m_trace.append("\n\"%s\": ne peut etre ouvert\n", name->c_str());
            return fail(SegmCode::FichierNonOuvert,
                        "Le fichier " + *name + " ne peut être remplacé.");
        }
    }
    m_trace.append("\n\n*****FIN DE LA SEGMENTATION*****\n");
    m_trace.append("\n\n*****FIN DE NumeDefT*****\n");
    return true;
}

void Segmentation::Desalloc() {
    m_articles = {};
    m_trace.append("\nlibération de ptrzon2");
    m_table = {};
    m_trace.append("\nlibération de list");
    m_list1 = {};
    m_trace.append("\nlibération de list1");
    m_pool = {};
    m_trace.append("\nlibération de msg");
    m_trace.append("\n\n*****FIN DE Desalloc*****\n");
}

void Segmentation::EffaceTxn() {
    std::remove(kTxn);
    m_txnCreated = false;
    m_trace.append("\n\n*****FIN DE EffaceTxn*****\n");
}

void Segmentation::cleanUp() {
    if (m_txnCreated)
        std::remove(kTxn);
    for (const std::string *name : {&m_dic, &m_num, &m_par})
        if (!name->empty())
            std::remove((*name + ".tmp").c_str());
}

SegmResult Segmentation::run() {
    m_trace.append("\n\n*****Début SegmPrinc*****\n");
    TraitPath();
    AllocTab();
    if (!SegmText() || (TravDico(), !NumeDefT())) {
        cleanUp();
        return m_result;
    }
    m_result.nbitem = static_cast<int32_t>(m_items);
    m_result.nbart = static_cast<int32_t>(m_articles.size());
    m_result.nbocc = static_cast<int32_t>(m_occurrences);
    m_result.nbf = m_nbf;
    m_result.nhap = m_nhap;
    m_result.fmax = m_fmax;
    m_result.nbartponct = m_nbponct;
    m_result.nbcle = m_nbcle;
    m_result.nbctnu = m_nbctnu;
    Desalloc();
    EffaceTxn();
    return m_result;
}

} // namespace

std::string TraitPath(const std::string &path) {
    size_t slash = path.find_last_of("/\\");
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
