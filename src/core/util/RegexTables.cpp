#include "util/RegexTables.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <clocale>
#include <cstring>
#include <locale.h>
#include <vector>

namespace morvix {

namespace {

// Steps and nested backtracking levels allowed to one match: far more than any sensible
// pattern needs on a form or a segment, far less than a catastrophic one would take.
constexpr uint32_t kMatchLimit = 1000000;
constexpr uint32_t kDepthLimit = 10000;

// Layout of the engine's tables: lower case, flip case, class bitmaps, ctype flags.
constexpr size_t kLcc = 0;
constexpr size_t kFcc = 256;
constexpr size_t kCbits = 512;
constexpr size_t kCbitClasses = 10; // space xdigit digit upper lower word graph print punct cntrl
constexpr size_t kCtypes = kCbits + 32 * kCbitClasses;
constexpr size_t kTablesLength = kCtypes + 256;

// Case pairs of Windows-1252 outside ASCII: Š š, Œ œ, Ž ž, Ÿ ÿ, and À..Þ à..þ except × ÷.
std::vector<std::pair<int, int>> casePairs() {
    std::vector<std::pair<int, int>> pairs = {
        {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
    for (int u = 0xC0; u <= 0xDE; ++u)
        if (u != 0xD7)
            pairs.push_back({u, u + 0x20});
    return pairs;
}

// Lower-case letters without an upper-case partner: ƒ ª µ º ß.
constexpr int kLowerOnly[] = {0x83, 0xAA, 0xB5, 0xBA, 0xDF};

// Printable signs of Windows-1252 outside ASCII that are not letters.
bool isSign(int c) {
    if (c >= 0xA1 && c <= 0xBF)
        return c != 0xAA && c != 0xB5 && c != 0xBA;
    if (c == 0xD7 || c == 0xF7)
        return true;
    switch (c) {
    case 0x80:
    case 0x82:
    case 0x84:
    case 0x85:
    case 0x86:
    case 0x87:
    case 0x88:
    case 0x89:
    case 0x8B:
    case 0x91:
    case 0x92:
    case 0x93:
    case 0x94:
    case 0x95:
    case 0x96:
    case 0x97:
    case 0x98:
    case 0x99:
    case 0x9B:
        return true;
    default:
        return false;
    }
}

bool hasBit(const unsigned char *t, size_t cls, int c) {
    return (t[kCbits + 32 * cls + static_cast<size_t>(c) / 8] >> (c % 8)) & 1;
}

void setBit(unsigned char *t, size_t cls, int c, bool on) {
    unsigned char &byte = t[kCbits + 32 * cls + static_cast<size_t>(c) / 8];
    const auto mask = static_cast<unsigned char>(1u << (c % 8));
    byte = on ? static_cast<unsigned char>(byte | mask) : static_cast<unsigned char>(byte & ~mask);
}

// Gives byte c every class and ctype flag that the ASCII byte `like` has.
void classifyLike(unsigned char *t, int c, int like) {
    for (size_t cls = 0; cls < kCbitClasses; ++cls)
        setBit(t, cls, c, hasBit(t, cls, like));
    t[kCtypes + static_cast<size_t>(c)] = t[kCtypes + static_cast<size_t>(like)];
}

std::vector<unsigned char> buildTables() {
    std::vector<unsigned char> tables(kTablesLength);
    // The ASCII half comes from the engine itself under the C locale.
    locale_t cLocale = newlocale(LC_CTYPE_MASK, "C", locale_t{});
    locale_t previous = cLocale ? uselocale(cLocale) : locale_t{};
    const uint8_t *base = pcre2_maketables(nullptr);
    if (cLocale) {
        uselocale(previous);
        freelocale(cLocale);
    }
    if (!base)
        return {};
    std::memcpy(tables.data(), base, kTablesLength);
    pcre2_maketables_free(nullptr, base);

    for (int c = 0x80; c < 0x100; ++c) {
        tables[kLcc + static_cast<size_t>(c)] = static_cast<unsigned char>(c);
        tables[kFcc + static_cast<size_t>(c)] = static_cast<unsigned char>(c);
        for (size_t cls = 0; cls < kCbitClasses; ++cls)
            setBit(tables.data(), cls, c, false);
        tables[kCtypes + static_cast<size_t>(c)] = 0;
        if (isSign(c))
            classifyLike(tables.data(), c, '!');
    }
    for (auto [upper, lower] : casePairs()) {
        classifyLike(tables.data(), upper, 'A');
        classifyLike(tables.data(), lower, 'a');
        tables[kLcc + static_cast<size_t>(upper)] = static_cast<unsigned char>(lower);
        tables[kFcc + static_cast<size_t>(upper)] = static_cast<unsigned char>(lower);
        tables[kFcc + static_cast<size_t>(lower)] = static_cast<unsigned char>(upper);
    }
    for (int lower : kLowerOnly)
        classifyLike(tables.data(), lower, 'a');
    return tables;
}

} // namespace

const unsigned char *TablesCaracteres1252() {
    static const std::vector<unsigned char> tables = buildTables();
    return tables.empty() ? nullptr : tables.data();
}

Regex1252::Regex1252(std::string_view pattern) {
    pcre2_compile_context *context = pcre2_compile_context_create(nullptr);
    if (!context) {
        m_erreur = "mémoire insuffisante";
        return;
    }
    pcre2_set_character_tables(context, TablesCaracteres1252());
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     0, &errorCode, &errorOffset, context);
    pcre2_compile_context_free(context);
    if (!code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof message);
        m_erreur = reinterpret_cast<const char *>(message);
        m_erreur += " (position " + std::to_string(errorOffset) + ")";
        return;
    }
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE); // optional: falls back to the interpreter
    m_matchData = pcre2_match_data_create_from_pattern(code, nullptr);
    pcre2_match_context *match = pcre2_match_context_create(nullptr);
    if (!m_matchData || !match) {
        pcre2_match_context_free(match);
        pcre2_code_free(code);
        m_erreur = "mémoire insuffisante";
        return;
    }
    pcre2_set_match_limit(match, kMatchLimit);
    pcre2_set_depth_limit(match, kDepthLimit);
    m_matchContext = match;
    m_code = code;
}

Regex1252::~Regex1252() {
    pcre2_match_context_free(static_cast<pcre2_match_context *>(m_matchContext));
    pcre2_match_data_free(static_cast<pcre2_match_data *>(m_matchData));
    pcre2_code_free(static_cast<pcre2_code *>(m_code));
}

bool Regex1252::cherche(std::string_view subject) const {
    if (!m_code)
        return false;
    const char *bytes = subject.data() ? subject.data() : "";
    int rc =
        pcre2_match(static_cast<const pcre2_code *>(m_code), reinterpret_cast<PCRE2_SPTR>(bytes),
                    subject.size(), 0, 0, static_cast<pcre2_match_data *>(m_matchData),
                    static_cast<pcre2_match_context *>(m_matchContext));
    if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
        rc == PCRE2_ERROR_HEAPLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT ||
        rc == PCRE2_ERROR_NOMEMORY)
        m_tropCouteuse = true;
    return rc >= 0;
}

} // namespace morvix
