// The articles of one scan: an open-addressing hash table over the prefixed graphies, the
// pool that holds them and the records in creation order. One table per chunk of text while
// the chunks are scanned in parallel; the chunks' tables are then merged, in text order, into
// the first, which gives the creation order and frequencies of a single pass.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace morvix::segm {

struct Article {
    uint32_t offset;   // prefixed graphy in the pool
    uint32_t length;   // prefix included, terminator excluded
    int32_t frequency; // from the table entry once the scan ends
    int32_t rank = 0;
    int32_t code = 0;
};

// Hash of a prefixed graphy, eight bytes at a time. The bytes are read by whole words:
// at least 8 bytes past s + n must be readable.
inline uint32_t hashGraphy(char prefix, const unsigned char *s, size_t n) {
    uint64_t h = (0x9E3779B97F4A7C15ull * (static_cast<unsigned char>(prefix) + 1)) ^ n;
    while (n >= 8) {
        uint64_t v;
        std::memcpy(&v, s, 8);
        h = (h ^ v) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        s += 8;
        n -= 8;
    }
    uint64_t v;
    std::memcpy(&v, s, 8);
    if constexpr (std::endian::native == std::endian::little)
        v &= n == 0 ? 0 : ~uint64_t{0} >> (64 - 8 * n);
    else
        v &= n == 0 ? 0 : ~uint64_t{0} << (64 - 8 * n);
    h = (h ^ v) * 0x94D049BB133111EBull;
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

// One entry of the hash table. Short prefixed graphies (most forms) and the running
// frequency live in the entry itself, so that a look-up touches one cache line.
struct alignas(32) Slot {
    static constexpr size_t kInline = 19;
    uint32_t hash = 0;
    int32_t index = -1; // creation number, -1 when empty
    int32_t frequency = 0;
    uint8_t length = 0; // prefixed length when inline, 0 otherwise
    char bytes[kInline] = {};
};
static_assert(sizeof(Slot) == 32);

class ArticleTable {
  public:
    enum class Overflow { None, Articles, Pool };

    // Empties the table for at most `maxart` articles and `poolLimit` bytes of graphies.
    void reset(int32_t maxart, size_t poolLimit);

    void prefetch(uint32_t h) const { __builtin_prefetch(&m_table[h & m_mask]); }
    // Counts `count` more occurrences of the article (created when new); its creation
    // number, or -1 when a limit is reached (overflow() says which).
    int32_t lookUp(char prefix, const unsigned char *s, size_t n, uint32_t h, int32_t count = 1) {
        uint32_t slot = h & m_mask;
        while (true) {
            Slot &e = m_table[slot];
            if (e.index < 0)
                break;
            if (e.hash == h && same(e, prefix, s, n)) {
                e.frequency += count;
                return e.index;
            }
            slot = (slot + 1) & m_mask;
        }
        return create(slot, prefix, s, n, h, count);
    }
    int32_t lookUp(char prefix, const unsigned char *s, size_t n) {
        return lookUp(prefix, s, n, hashGraphy(prefix, s, n));
    }

    // Copies the running frequencies of the table into the records.
    void finishFrequencies();
    // Adds the articles of `other` (a later chunk, frequencies finished) in its creation
    // order; fills `map` with the creation number here of each of its articles. False when
    // a limit is reached.
    bool merge(const ArticleTable &other, std::vector<int32_t> &map);
    // Releases the hash table (the records and the pool stay).
    void dropIndex();
    void release();

    Overflow overflow() const { return m_overflow; }
    size_t poolLimit() const { return m_poolLimit; }
    std::vector<Article> &articles() { return m_articles; }
    const std::vector<Article> &articles() const { return m_articles; }
    char prefixOf(const Article &a) const { return m_pool[a.offset]; }
    std::string_view graphy(const Article &a) const {
        return {m_pool.data() + a.offset + 1, a.length - 1};
    }

  private:
    bool same(const Slot &e, char prefix, const unsigned char *s, size_t n) const {
        if (e.length != 0) {
            bool eq = e.length == n + 1 && e.bytes[0] == prefix;
            for (size_t i = 0; eq && i < n; ++i) // short: cheaper than a memcmp call
                eq = static_cast<unsigned char>(e.bytes[i + 1]) == s[i];
            return eq;
        }
        const Article &a = m_articles[static_cast<size_t>(e.index)];
        const char *g = m_pool.data() + a.offset;
        return a.length == n + 1 && g[0] == prefix && std::memcmp(g + 1, s, n) == 0;
    }
    int32_t create(uint32_t slot, char prefix, const unsigned char *s, size_t n, uint32_t h,
                   int32_t count);
    void grow();

    int32_t m_maxart = 0;
    size_t m_poolLimit = 0;
    std::vector<char> m_pool;
    std::vector<Article> m_articles;
    std::vector<Slot> m_table;
    uint32_t m_mask = 0;
    Overflow m_overflow = Overflow::None;
};

} // namespace morvix::segm
