// Buffered text-mode file writer: every line feed is written as CR LF, as the base files,
// the trace and the exchange files have on disk. Formats are given in UTF-8 and written as
// Windows-1252; arguments are written as they are (they are already Windows-1252 bytes).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace morvix {

class TextWriter {
  public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter &) = delete;
    TextWriter &operator=(const TextWriter &) = delete;

    // Opens `path` for writing (truncating) or appending; false when it cannot be opened
    // (a symbolic link is never followed: see SafeFiles.h). openError() then tells why.
    bool open(const std::string &path, bool append = false);
    // Writes into a copy of the descriptor `fd` (a TempFile's), from its current offset.
    bool adopt(int fd);
    int openError() const { return m_openError; }
    bool isOpen() const { return m_file != nullptr; }

    // printf-style; the format is UTF-8 and converted to Windows-1252.
    void printf(const char *formatUtf8, ...) __attribute__((format(printf, 2, 3)));
    // Writes bytes as they are, translating line feeds.
    void write(std::string_view bytes);

    // Flushes and closes, with the data made durable first when `sync`; false if any write
    // failed.
    bool close(bool sync = false);

  private:
    std::FILE *m_file = nullptr;
    bool m_failed = false;
    int m_openError = 0;
};

// The Windows-1252 form of a UTF-8 literal, cached per literal address.
const char *cp1252Literal(const char *utf8);

// Replaces `target` by `source` (a rename on the same file system).
bool replaceFile(const std::string &source, const std::string &target);

} // namespace morvix
