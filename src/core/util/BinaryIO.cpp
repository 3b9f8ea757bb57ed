#include "util/BinaryIO.h"

#include "util/SafeFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

namespace {
[[maybe_unused]] inline int32_t swapIfBig(int32_t v) {
    if constexpr (std::endian::native == std::endian::little)
        return v;
    else
        return static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(v)));
}
} // namespace

Int32Writer::~Int32Writer() { close(); }

bool Int32Writer::open(const std::string &path) {
    close();
    m_failed = false;
    const int fd = openForWriting(path, false);
    m_file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!m_file && fd >= 0)
        ::close(fd);
    m_buf.reserve(kChunk);
    return m_file != nullptr;
}

bool Int32Writer::adopt(int fd) {
    close();
    m_failed = false;
    const int copy = fd >= 0 ? ::dup(fd) : -1;
    m_file = copy >= 0 ? ::fdopen(copy, "wb") : nullptr;
    if (!m_file && copy >= 0)
        ::close(copy);
    m_buf.reserve(kChunk);
    return m_file != nullptr;
}

void Int32Writer::put(const int32_t *values, size_t n) {
    for (size_t i = 0; i < n; ++i)
        put(values[i]);
}

void Int32Writer::flush() {
    if (!m_file || m_buf.empty())
        return;
    if constexpr (std::endian::native != std::endian::little)
        for (auto &v : m_buf)
            v = swapIfBig(v);
    if (std::fwrite(m_buf.data(), sizeof(int32_t), m_buf.size(), m_file) != m_buf.size())
        m_failed = true;
    m_buf.clear();
}

bool Int32Writer::close() {
    if (!m_file)
        return !m_failed;
    flush();
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

size_t readInt32(std::FILE *file, int32_t *out, size_t n) {
    size_t got = std::fread(out, sizeof(int32_t), n, file);
    if constexpr (std::endian::native != std::endian::little)
        for (size_t i = 0; i < got; ++i)
            out[i] = swapIfBig(out[i]);
    return got;
}

size_t writeInt32(std::FILE *file, int32_t *values, size_t n) {
    if constexpr (std::endian::native != std::endian::little)
        for (size_t i = 0; i < n; ++i)
            values[i] = swapIfBig(values[i]);
    return std::fwrite(values, sizeof(int32_t), n, file);
}

int64_t fileSize(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

} // namespace morvix
