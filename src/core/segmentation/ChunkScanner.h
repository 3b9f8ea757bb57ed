// The scan of one chunk of a text: forms, punctuation signs, ends of line and tag parts are
// counted into the chunk's own article table and their creation numbers written into the
// chunk's scratch file. A chunk starts just after a line end that lies outside any tag, so
// that its scan depends on nothing before it; a chunk that ends inside a tag says so (its
// cut was not such a place and the text is scanned again in a single pass).
#pragma once

#include "segmentation/ArticleTable.h"
#include "util/Annulation.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace morvix::segm {

inline constexpr int32_t kLimd = 5000000;
inline constexpr int32_t kCodeFinLigne = kLimd - 258; // 4999742
inline constexpr int32_t kBaseDelim = kLimd - 1;      // a delimiter c is written as 4999999 - c
inline constexpr size_t kMaxForme = 59;
inline constexpr size_t kMaxPartieBalise = 126;

struct ScanSettings {
    std::array<bool, 256> word{}; // word characters
    bool crLines = false;         // a CR is a line end (texts without any line feed)
    int32_t maxart = 0;
    size_t poolLimit = 0;
    const Annulation *annulation = nullptr;
    std::atomic<int64_t> *progress = nullptr; // bytes scanned, summed over the chunks
};

enum class ScanStatus {
    Ok,
    Overflow,     // MAXART or the pool: table().overflow() says which
    TagTooLong,   // a tag part of more than 126 characters, on line errorLine
    OpenTagAtEnd, // the chunk ends inside a tag
    ReadError,
    WriteError,
    Cancelled,
};

class ChunkScanner {
  public:
    explicit ChunkScanner(const ScanSettings &settings) : m_settings(settings) {}

    // Scans bytes [begin, end) of the text `fd` (end -1: to the end of the file), writing
    // one 32-bit creation number or special code per item into `scratchFd`.
    ScanStatus scan(int fd, int64_t begin, int64_t end, int scratchFd);

    ArticleTable &table() { return m_table; }
    const ArticleTable &table() const { return m_table; }
    const std::array<int64_t, 256> &punctuation() const { return m_punct; }
    int64_t items() const { return m_items; }
    int64_t occurrences() const { return m_occurrences; }
    // Line ends seen, and the chunk's line (from 1) of a TagTooLong.
    int64_t lineEnds() const { return m_lineEnds; }
    int64_t errorLine() const { return m_errorLine; }

  private:
    const ScanSettings &m_settings;
    ArticleTable m_table;
    std::array<int64_t, 256> m_punct{};
    int64_t m_items = 0;
    int64_t m_occurrences = 0;
    int64_t m_lineEnds = 0;
    int64_t m_errorLine = 0;
};

} // namespace morvix::segm
