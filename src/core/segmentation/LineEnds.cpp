#include "segmentation/LineEnds.h"

#include "util/SafeFiles.h"

#include <cstring>
#include <vector>

namespace morvix {

bool crLineEnds(int fd, int64_t size) {
    // Most texts show a line feed in their first block; only the others are read through.
    std::vector<char> block(1 << 20);
    bool cr = false;
    for (int64_t at = 0; at < size;) {
        const int64_t got = readAt(fd, block.data(), block.size(), at);
        if (got <= 0)
            break;
        const auto n = static_cast<size_t>(got);
        if (std::memchr(block.data(), '\n', n))
            return false;
        cr = cr || std::memchr(block.data(), '\r', n) != nullptr;
        at += got;
    }
    return cr;
}

} // namespace morvix
