#include "base/charg1.h"

#include "base/TriContextes.h"
#include "util/BinaryIO.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

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
charg1::~charg1() { DesAlloc(); }

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
    if (!LecParam(path))
        return kChargeParam;
    if (!AllocMem())
        return kChargeMemoire;
    if (!OpenDicNum())
        return kChargeDico;
    if (!OpenTextNum())
        return kChargeTexte;
    return kChargeOk;
}

bool charg1::LecParam(const std::string &path) {
    std::string content;
    if (!readFile(path, content))
        return failWith("Le fichier de paramètres " + path + " ne peut être lu.");
    size_t slash = path.find_last_of('/');
    m_dossier = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    size_t eol = content.find('\n');
    std::string name = content.substr(0, eol);
    if (!name.empty() && name.back() == '\r')
        name.pop_back();
    if (name.size() > 254)
        name.resize(254);
    m_nomBase = name;
    m_trace.start("LecParam\n");

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
            int64_t{m_nbart} + 258 < m_limd && int64_t{m_limd} + 2 + m_nbitem <= maxv;
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
    const int64_t dicBytes = fileSize(m_dossier + m_nomBase + ".dic");
    const int64_t numBytes = fileSize(m_dossier + m_nomBase + ".num");
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
    if (!readFile(m_dossier + name, content))
        return failWith("Le dictionnaire " + name + " ne peut être lu.");
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
        // One graphy, as the 64 KB read buffer holds it.
        size_t len = std::min<size_t>(i - start, 65535);
        Lexm &l = m_lexm[static_cast<size_t>(k)];
        l.lexg = static_cast<int32_t>(rank);
        l.frq = static_cast<int32_t>(frq);
        l.info = 0;
        offsets[static_cast<size_t>(k)] = m_ftext.size();
        m_ftext.insert(m_ftext.end(), content.data() + start, content.data() + start + len);
        m_ftext.push_back('\0');
        if (step == 0 ? k == 0 : (k + 1) % step == 0)
            gaugeStep(0);
    }
    for (int32_t k = 0; k < m_nbart; ++k)
        m_lexm[static_cast<size_t>(k)].graphie = m_ftext.data() + offsets[static_cast<size_t>(k)];
    m_lexm[static_cast<size_t>(m_nbart)] = Lexm{}; // m_lexmCap == m_nbart here
    m_graphyIndex.clear();
    return true;
}

bool charg1::OpenTextNum() {
    m_trace.append("\nEntrée dans OpenTextNum\n");
    const std::string name = m_nomBase + ".num";
    std::FILE *f = std::fopen((m_dossier + name).c_str(), "rb");
    if (!f)
        return failWith("Le texte numérisé " + name + " ne peut être lu.");
    int32_t delimMap[257];
    std::fill(std::begin(delimMap), std::end(delimMap), -1);
    for (int32_t c = m_nbform; c < m_nbform + m_nbartponct; ++c)
        delimMap[static_cast<unsigned char>(m_lexm[static_cast<size_t>(c)].graphie[0])] = c;

    // The gauge is called after items S, 2S, 3S ... (after the first when S is 0); the next
    // call is kept rather than divided out at every item.
    const int32_t step = m_nbitem / 100;
    int64_t nextGauge = step == 0 ? 1 : step;
    int32_t counter = 2;
    int32_t p = 0;
    // Occurrences per article, counted on the way for the occurrence index.
    m_occStart.assign(static_cast<size_t>(m_nbart) + 1, 0);
    int32_t *counts = m_occStart.data() + 1;
    constexpr size_t kChunk = 1 << 16;
    while (p < m_nbitem) {
        size_t want = std::min<size_t>(kChunk, static_cast<size_t>(m_tnumCap - p));
        int32_t *chunk = m_tnum.get() + p;
        size_t got = readInt32(f, chunk, want);
        for (size_t j = 0; j < got; ++j, ++p) {
            int32_t v = chunk[j];
            if (v == m_codeFinLigne) {
                v = m_limd + counter++;
            } else if (v > m_codeFinLigne && v < m_limd) {
                v = delimMap[m_baseDelim - v];
                if (v >= 0)
                    ++counts[v];
            } else if (v >= 0 && v < m_nbart) {
                ++counts[v];
            } else {
                v = -1;
            }
            if (v < 0) {
                std::fclose(f);
                m_trace.append("\nCode %d hors du dictionnaire à la position %d", chunk[j], p);
                return failWith("Le texte numérisé " + name + " contient le code " +
                                std::to_string(chunk[j]) +
                                ", hors du dictionnaire, à la position " + std::to_string(p) + ".");
            }
            chunk[j] = v;
            if (int64_t{p} + 1 == nextGauge) {
                gaugeStep(1);
                nextGauge = step == 0 ? -1 : nextGauge + step;
            }
        }
        if (got < want || (want == 0 && p < m_nbitem)) {
            std::fclose(f);
            m_trace.append("\nTexte numérisé incomplet : %d items lus sur %d", p, m_nbitem);
            return failWith("Le texte numérisé " + name + " est incomplet (" + std::to_string(p) +
                            " items lus sur " + std::to_string(m_nbitem) + ").");
        }
    }
    m_nbLignes = counter - 2;
    std::fclose(f);
    fillOccurrenceIndex();
    return true;
}

void charg1::DesAlloc() {
    m_lexm.reset();
    m_tnum.reset();
    m_ftext = {};
    m_occStart = {};
    m_occPos.reset();
    m_occValid = false;
    m_graphyIndex.clear();
}

void charg1::buildOccurrenceIndex() const {
    m_occStart.assign(static_cast<size_t>(m_nbart) + 1, 0);
    const int32_t *t = m_tnum.get();
    for (int32_t p = 0; p < m_nbitem; ++p) {
        int32_t c = t[p];
        if (c < m_nbart)
            ++m_occStart[static_cast<size_t>(c) + 1];
    }
    fillOccurrenceIndex();
}

void charg1::fillOccurrenceIndex() const {
    const auto nbart = static_cast<size_t>(m_nbart);
    const int32_t *t = m_tnum.get();
    for (size_t c = 0; c < nbart; ++c)
        m_occStart[c + 1] += m_occStart[c];
    m_occPos.reset(new int32_t[static_cast<size_t>(m_occStart[nbart]) + 1]);
    std::vector<int32_t> fill(m_occStart.begin(), m_occStart.end() - 1);
    for (int32_t p = 0; p < m_nbitem; ++p) {
        int32_t c = t[p];
        if (c < m_nbart)
            m_occPos[static_cast<size_t>(fill[static_cast<size_t>(c)]++)] = p;
    }
    m_occValid = true;
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
        m_graphyBuffer.clear();
        for (int32_t f : m_store->Formes(code - m_nbart - 1)) {
            if (isArticle(f))
                m_graphyBuffer += m_lexm[static_cast<size_t>(f)].graphie;
            m_graphyBuffer += ' ';
        }
        return m_graphyBuffer.c_str();
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
    if (m_graphyIndex.empty() && m_nbart > 0) {
        m_graphyIndex.reserve(static_cast<size_t>(m_nbart));
        for (int32_t c = 0; c < m_nbart; ++c)
            m_graphyIndex.emplace(std::string_view(m_lexm[static_cast<size_t>(c)].graphie), c);
    }
    auto it = m_graphyIndex.find(graphy);
    if (it == m_graphyIndex.end() || it->second >= limit(formesSeules))
        return -1;
    return it->second;
}

void charg1::SetTnum(int32_t position, int32_t code) {
    if (!inText(position))
        return;
    m_tnum[static_cast<size_t>(position)] = code;
    m_occValid = false;
}

std::span<const int32_t> charg1::OccArticle(int32_t code) const {
    if (!isArticle(code) || !m_tnum)
        return {};
    if (!m_occValid)
        buildOccurrenceIndex();
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
