// Verification of the «<key=value>» markup of a text before segmentation: writes its report
// into the trace log (started afresh) and counts the malformed tags.
#pragma once

#include "util/Trace.h"

#include <cstdint>
#include <string>

namespace morvix {

// VerifCles returns this when the text cannot be opened or is not a file (the trace says so).
inline constexpr int32_t kVerifTexteNonOuvert = -1;
// ... and this, without touching the trace, when the text is the trace log itself.
inline constexpr int32_t kVerifTexteEstJournal = -2;

// Number of errors in the markup of the text at `path` (0 when sound), or one of the
// negative codes above.
int32_t VerifCles(const std::string &path, Trace &trace);
int32_t VerifCles(const std::string &path);

} // namespace morvix
