// Limits shared by the writer of "coran.don", the analysis and clustering programs and the
// readers of their result files, so that a file one of them accepts the others accept too.
#pragma once

#include <cstdint>

namespace morvix {

// Factors asked of the analysis, written to "facteurs.txt" and "vp.txt" and read back.
inline constexpr int32_t kMaxFacteurs = 100000;

} // namespace morvix
