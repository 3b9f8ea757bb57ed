#include "util/FrenchCollator.h"

#include "util/Encoding.h"

#include <unicode/ucol.h>

#include <vector>

namespace morvix {

FrenchCollator::FrenchCollator() {
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open("fr", &status);
    if (U_FAILURE(status)) {
        if (m_collator)
            ucol_close(m_collator);
        m_collator = nullptr;
    }
}

FrenchCollator::~FrenchCollator() {
    if (m_collator)
        ucol_close(m_collator);
}

std::string FrenchCollator::sortKey(std::string_view cp1252) const {
    std::u16string text = cp1252ToUtf16(cp1252);
    const auto *chars = reinterpret_cast<const UChar *>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::string key;
    if (m_collator) {
        std::vector<uint8_t> buffer(text.size() * 4 + 32);
        int32_t n = ucol_getSortKey(m_collator, chars, length, buffer.data(),
                                    static_cast<int32_t>(buffer.size()));
        if (n > static_cast<int32_t>(buffer.size())) {
            buffer.resize(static_cast<size_t>(n));
            n = ucol_getSortKey(m_collator, chars, length, buffer.data(), n);
        }
        // n counts the terminating NUL, which serves as the separator.
        key.assign(reinterpret_cast<const char *>(buffer.data()), static_cast<size_t>(n));
        if (key.empty() || key.back() != '\0')
            key.push_back('\0');
    } else {
        key.push_back('\0');
    }
    key.append(cp1252);
    return key;
}

int FrenchCollator::compare(std::string_view a, std::string_view b) const {
    int c = sortKey(a).compare(sortKey(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace morvix
