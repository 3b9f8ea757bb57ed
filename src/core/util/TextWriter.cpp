#include "util/TextWriter.h"

#include "util/Encoding.h"
#include "util/SafeFiles.h"
#include "util/TempFile.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace morvix {

TextWriter::~TextWriter() { close(); }

bool TextWriter::open(const std::string &path, bool append) {
    close();
    m_failed = false;
    m_openError = 0;
    int fd = openForWriting(path, append);
    if (fd < 0) {
        m_openError = errno;
        return false;
    }
    m_file = ::fdopen(fd, append ? "ab" : "wb");
    if (!m_file) {
        m_openError = errno;
        ::close(fd);
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    return true;
}

bool TextWriter::adopt(int fd) {
    close();
    m_failed = false;
    m_openError = 0;
    int copy = fd >= 0 ? ::dup(fd) : -1;
    m_file = copy >= 0 ? ::fdopen(copy, "wb") : nullptr;
    if (!m_file) {
        m_openError = errno;
        if (copy >= 0)
            ::close(copy);
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    return true;
}

void TextWriter::write(std::string_view bytes) {
    if (!m_file)
        return;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            if (i > start && std::fwrite(bytes.data() + start, 1, i - start, m_file) != i - start)
                m_failed = true;
            if (std::fwrite("\r\n", 1, 2, m_file) != 2)
                m_failed = true;
            start = i + 1;
        }
    }
    if (start < bytes.size() &&
        std::fwrite(bytes.data() + start, 1, bytes.size() - start, m_file) != bytes.size() - start)
        m_failed = true;
}

void TextWriter::printf(const char *formatUtf8, ...) {
    if (!m_file)
        return;
    const char *format = cp1252Literal(formatUtf8);
    char small[512];
    va_list args;
    va_start(args, formatUtf8);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) {
        va_end(copy);
        m_failed = true;
        return;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        va_end(copy);
        write(std::string_view(small, static_cast<size_t>(n)));
        return;
    }
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, copy);
    va_end(copy);
    write(std::string_view(big.data(), static_cast<size_t>(n)));
}

bool TextWriter::close(bool sync) {
    if (!m_file)
        return !m_failed;
    if (sync && (std::fflush(m_file) != 0 || !syncData(::fileno(m_file))))
        m_failed = true;
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

const char *cp1252Literal(const char *utf8) {
    static std::mutex mutex;
    static std::unordered_map<const char *, std::string> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(utf8);
    if (it == cache.end())
        it = cache.emplace(utf8, utf8ToCp1252(utf8)).first;
    return it->second.c_str();
}

bool replaceFile(const std::string &source, const std::string &target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

} // namespace morvix
