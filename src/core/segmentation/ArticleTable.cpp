#include "segmentation/ArticleTable.h"

#include <algorithm>

namespace morvix::segm {

void ArticleTable::reset(int32_t maxart, size_t poolLimit) {
    m_maxart = maxart;
    m_poolLimit = poolLimit;
    m_overflow = Overflow::None;
    m_articles.clear();
    m_articles.reserve(static_cast<size_t>(std::min(maxart, 1 << 16)));
    m_pool.clear();
    m_pool.reserve(std::min<size_t>(poolLimit, size_t{1} << 20));
    m_table.assign(1024, Slot{});
    m_mask = 1023;
}

int32_t ArticleTable::create(uint32_t slot, char prefix, const unsigned char *s, size_t n,
                             uint32_t h, int32_t count) {
    if (static_cast<int64_t>(m_articles.size()) >= m_maxart) {
        m_overflow = Overflow::Articles;
        return -1;
    }
    if (m_pool.size() + n + 2 > m_poolLimit) {
        m_overflow = Overflow::Pool;
        return -1;
    }
    auto idx = static_cast<int32_t>(m_articles.size());
    m_articles.push_back(
        Article{static_cast<uint32_t>(m_pool.size()), static_cast<uint32_t>(n + 1), count});
    m_pool.push_back(prefix);
    m_pool.insert(m_pool.end(), s, s + n);
    m_pool.push_back('\0');
    Slot &e = m_table[slot];
    e.hash = h;
    e.index = idx;
    e.frequency = count;
    if (n + 1 <= Slot::kInline) {
        e.length = static_cast<uint8_t>(n + 1);
        e.bytes[0] = prefix;
        std::memcpy(e.bytes + 1, s, n);
    }
    if (m_articles.size() * 2 > m_table.size())
        grow();
    return idx;
}

void ArticleTable::grow() {
    std::vector<Slot> table(m_table.size() * 2);
    auto mask = static_cast<uint32_t>(table.size() - 1);
    for (const Slot &e : m_table) {
        if (e.index < 0)
            continue;
        uint32_t slot = e.hash & mask;
        while (table[slot].index >= 0)
            slot = (slot + 1) & mask;
        table[slot] = e;
    }
    m_table.swap(table);
    m_mask = mask;
}

void ArticleTable::finishFrequencies() {
    for (const Slot &e : m_table)
        if (e.index >= 0)
            m_articles[static_cast<size_t>(e.index)].frequency = e.frequency;
}

bool ArticleTable::merge(const ArticleTable &other, std::vector<int32_t> &map) {
    map.resize(other.m_articles.size());
    // hashGraphy reads whole words: the graphies copied out of the pool get room past them.
    unsigned char bytes[256 + 8];
    for (size_t i = 0; i < other.m_articles.size(); ++i) {
        const Article &a = other.m_articles[i];
        const std::string_view g = other.graphy(a);
        const size_t n = std::min(g.size(), sizeof bytes - 8);
        std::memcpy(bytes, g.data(), n);
        std::memset(bytes + n, 0, 8);
        const char prefix = other.prefixOf(a);
        const int32_t idx = lookUp(prefix, bytes, n, hashGraphy(prefix, bytes, n), a.frequency);
        if (idx < 0)
            return false;
        map[i] = idx;
    }
    return true;
}

// (`v = {}` would keep the capacity: it assigns an empty list.)
void ArticleTable::dropIndex() { std::vector<Slot>().swap(m_table); }

void ArticleTable::release() {
    std::vector<Article>().swap(m_articles);
    std::vector<Slot>().swap(m_table);
    std::vector<char>().swap(m_pool);
}

} // namespace morvix::segm
