// One dictionary record of the loaded base.
#pragma once

#include <cstdint>

namespace morvix {

struct Lexm {
    int32_t lexg = 0;              // alphabetical rank
    int32_t frq = 0;               // frequency
    const char *graphie = nullptr; // graphy, inside the base's pool
    int32_t info = 0;              // a free word for callers
};

} // namespace morvix
