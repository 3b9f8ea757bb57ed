// 32-bit little-endian integer files (.num, .loc.sr): buffered writer and bulk reader.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace morvix {

class Int32Writer {
  public:
    Int32Writer() = default;
    ~Int32Writer();
    Int32Writer(const Int32Writer &) = delete;
    Int32Writer &operator=(const Int32Writer &) = delete;

    // Creates `path` (a symbolic link is never followed) or writes into a copy of `fd`.
    bool open(const std::string &path);
    bool adopt(int fd);
    void put(int32_t value) {
        m_buf.push_back(value);
        if (m_buf.size() == kChunk)
            flush();
    }
    void put(const int32_t *values, size_t n);
    bool close(); // false if any write failed
    bool isOpen() const { return m_file != nullptr; }

  private:
    static constexpr size_t kChunk = 1 << 16;
    void flush();

    std::FILE *m_file = nullptr;
    std::vector<int32_t> m_buf;
    bool m_failed = false;
};

// Reads up to `n` little-endian integers from `file` into `out`; returns how many were read.
size_t readInt32(std::FILE *file, int32_t *out, size_t n);
// Writes `n` integers little-endian (the values may be byte-swapped in place); returns how
// many were written.
size_t writeInt32(std::FILE *file, int32_t *values, size_t n);

// Size of a file in bytes, or -1.
int64_t fileSize(const std::string &path);

} // namespace morvix
