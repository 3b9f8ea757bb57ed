// Locale-aware comparison of Windows-1252 graphies for the alphabetical order: ICU's
// collator for "fr" with default attributes, ties broken by the bytes so the order is total.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace morvix {

class FrenchCollator {
  public:
    FrenchCollator();
    ~FrenchCollator();
    FrenchCollator(const FrenchCollator &) = delete;
    FrenchCollator &operator=(const FrenchCollator &) = delete;

    bool ok() const { return m_collator != nullptr; }

    // ICU sort key of the graphy (bytes comparable with memcmp, NUL-terminated key dropped);
    // the graphy bytes are appended after a 0x00 separator so that equal keys fall back on
    // the bytes.
    std::string sortKey(std::string_view cp1252) const;

    // -1, 0 or 1; 0 only for identical bytes.
    int compare(std::string_view a, std::string_view b) const;

  private:
    UCollator *m_collator = nullptr;
};

} // namespace morvix
