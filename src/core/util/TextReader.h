// Buffered byte reader of a text file in text mode: a CR LF pair reads as one line feed
// (a lone CR stays). Used for the input texts and the base's text files.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace morvix {

class TextReader {
  public:
    static constexpr int kEof = -1;

    TextReader() = default;
    ~TextReader();
    TextReader(const TextReader &) = delete;
    TextReader &operator=(const TextReader &) = delete;

    bool open(const std::string &path);
    void close();
    bool isOpen() const { return m_file != nullptr; }
    // The descriptor of the open file, or -1.
    int fd() const;
    // Reads every CR as a line feed (texts whose lines end with a CR alone).
    void setCrLines(bool on) { m_crLines = on; }

    // The next byte (0..255) or kEof.
    int get() {
        if (m_pos == m_end && !fill())
            return kEof;
        int c = static_cast<unsigned char>(m_buf[m_pos++]);
        if (c == '\r') {
            if (m_crLines)
                return '\n';
            if (peek() == '\n')
                c = static_cast<unsigned char>(m_buf[m_pos++]);
        }
        return c;
    }
    // The next byte without consuming it (raw: a CR is not folded).
    int peek() {
        if (m_pos == m_end && !fill())
            return kEof;
        return static_cast<unsigned char>(m_buf[m_pos]);
    }
    // Puts back the byte just read by get() (one byte only).
    void unget(int c);

  private:
    bool fill();

    std::FILE *m_file = nullptr;
    std::unique_ptr<char[]> m_buf;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_crLines = false;
};

} // namespace morvix
