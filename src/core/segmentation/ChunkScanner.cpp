#include "segmentation/ChunkScanner.h"

#include "util/BinaryIO.h"
#include "util/SafeFiles.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morvix::segm {

namespace {

// Input of the scan: raw bytes of a range of the text, refilled so that a whole form is
// always in view; a CR is turned into a line feed as it is read when CRs end the lines.
class ScanBuffer {
  public:
    static constexpr size_t kLook = 64; // more than the longest form
    static constexpr size_t kPad = 64;  // readable bytes past the data (hash, form copies)

    ScanBuffer(int fd, int64_t begin, int64_t end, const ScanSettings &settings)
        : m_fd(fd), m_next(begin), m_stop(end), m_settings(settings) {
        m_buf.resize((size_t{1} << 20) + kLook + kPad);
        pos = last = m_buf.data();
    }

    // Makes at least kLook bytes available unless the range ends first.
    void refill() {
        if (m_eof || static_cast<size_t>(last - pos) >= kLook)
            return;
        const size_t left = static_cast<size_t>(last - pos);
        std::memmove(m_buf.data(), pos, left);
        pos = m_buf.data();
        last = pos + left;
        while (!m_eof && static_cast<size_t>(last - pos) < kLook) {
            size_t room = m_buf.size() - kPad - static_cast<size_t>(last - m_buf.data());
            if (m_stop >= 0)
                room = static_cast<size_t>(
                    std::min<int64_t>(static_cast<int64_t>(room), m_stop - m_next));
            if (Annulee(m_settings.annulation)) {
                cancelled = true;
                room = 0;
            }
            const int64_t n =
                room == 0 ? 0 : readAt(m_fd, const_cast<unsigned char *>(last), room, m_next);
            if (n < 0)
                failed = true;
            if (n <= 0) {
                m_eof = true;
                break;
            }
            if (m_settings.crLines)
                std::replace(const_cast<unsigned char *>(last),
                             const_cast<unsigned char *>(last) + n,
                             static_cast<unsigned char>('\r'), static_cast<unsigned char>('\n'));
            if (m_settings.progress)
                m_settings.progress->fetch_add(n, std::memory_order_relaxed);
            m_next += n;
            last += n;
        }
        // hashGraphy and the form copies read a little past the data.
        std::memset(const_cast<unsigned char *>(last), 0, kPad);
    }
    // Next byte with a CR LF pair read as one line feed, or -1 at the end of the range.
    int getFolded() {
        refill();
        if (pos == last)
            return -1;
        int c = *pos++;
        if (c == '\r') {
            refill();
            if (pos != last && *pos == '\n')
                c = *pos++;
        }
        return c;
    }

    const unsigned char *pos = nullptr;
    const unsigned char *last = nullptr;
    bool failed = false;
    bool cancelled = false;

  private:
    int m_fd;
    int64_t m_next;
    int64_t m_stop;
    const ScanSettings &m_settings;
    std::vector<unsigned char> m_buf;
    bool m_eof = false;
};

} // namespace

ScanStatus ChunkScanner::scan(int fd, int64_t begin, int64_t end, int scratchFd) {
    m_table.reset(m_settings.maxart, m_settings.poolLimit);
    m_punct.fill(0);
    m_items = m_occurrences = m_lineEnds = m_errorLine = 0;
    Int32Writer txn;
    if (!txn.adopt(scratchFd))
        return ScanStatus::WriteError;
    ScanBuffer in(fd, begin, end, m_settings);

    // Outside tags a CR is ignored like any control character, so the raw bytes give the
    // same items as the text read with CR LF folded; tags are read folded.
    unsigned char tag[kMaxPartieBalise + 8] = {};
    const bool *word = m_settings.word.data();
    // A form is looked up only once the next one has been read and its table entry
    // prefetched, so that the memory latency of one overlaps the scan of the other.
    struct Pending {
        unsigned char bytes[ScanBuffer::kPad];
        size_t n = 0;
        uint32_t hash = 0;
        bool active = false;
    } pending;
    auto flush = [&]() -> bool {
        if (!pending.active)
            return true;
        pending.active = false;
        int32_t idx = m_table.lookUp('0', pending.bytes, pending.n, pending.hash);
        if (idx < 0)
            return false;
        txn.put(idx);
        ++m_items;
        ++m_occurrences;
        return true;
    };
    while (true) {
        if (static_cast<size_t>(in.last - in.pos) < ScanBuffer::kLook) {
            in.refill();
            if (in.pos == in.last)
                break;
        }
        const unsigned char c = *in.pos++;
        if (word[c]) {
            const unsigned char *start = in.pos - 1;
            const unsigned char *limit = std::min(in.last, start + kMaxForme);
            const unsigned char *q = in.pos;
            while (q < limit && word[*q])
                ++q;
            in.pos = q;
            const auto n = static_cast<size_t>(q - start);
            const uint32_t h = hashGraphy('0', start, n);
            m_table.prefetch(h);
            if (!flush())
                return ScanStatus::Overflow;
            std::memcpy(pending.bytes, start, sizeof pending.bytes); // fixed size: no call
            pending.n = n;
            pending.hash = h;
            pending.active = true;
            continue;
        }
        if (c <= 32 && c != '\n')
            continue;
        if (!flush())
            return ScanStatus::Overflow;
        if (c == '\n') {
            txn.put(kCodeFinLigne);
            ++m_items;
            ++m_lineEnds;
        } else if (c == '<') {
            // Key up to '=', content up to '>', blanks dropped.
            for (char prefix : {'2', '3'}) {
                const int stop = prefix == '2' ? '=' : '>';
                size_t n = 0;
                int d;
                while ((d = in.getFolded()) != -1 && d != stop) {
                    if (d == '\n')
                        ++m_lineEnds;
                    if (d == ' ')
                        continue;
                    if (n == kMaxPartieBalise) {
                        m_errorLine = m_lineEnds + 1;
                        return ScanStatus::TagTooLong;
                    }
                    tag[n++] = static_cast<unsigned char>(d);
                }
                if (d == -1) {
                    // An unclosed tag at the end of an unverified text gives nothing; at the
                    // end of a chunk, the cut was inside a tag.
                    if (end >= 0 && !in.failed && !in.cancelled)
                        return ScanStatus::OpenTagAtEnd;
                    break;
                }
                int32_t idx = m_table.lookUp(prefix, tag, n);
                if (idx < 0)
                    return ScanStatus::Overflow;
                txn.put(idx);
                ++m_items;
            }
        } else {
            txn.put(kBaseDelim - c);
            ++m_punct[c];
            ++m_items;
        }
    }
    if (in.cancelled)
        return ScanStatus::Cancelled;
    if (in.failed)
        return ScanStatus::ReadError;
    if (!flush())
        return ScanStatus::Overflow;
    if (!txn.close())
        return ScanStatus::WriteError;
    m_table.finishFrequencies();
    return ScanStatus::Ok;
}

} // namespace morvix::segm
