// Which byte ends the lines of a text: a line feed (LF or CR LF), or, in a text that holds
// no line feed at all, a lone CR (old Macintosh files), which is then read as a line feed.
#pragma once

#include <cstdint>

namespace morvix {

// True when the text open on `fd` (`size` bytes) has CRs and no line feed.
bool crLineEnds(int fd, int64_t size);

} // namespace morvix
