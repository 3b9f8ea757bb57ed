#include "util/TextReader.h"

namespace morvix {

namespace {
constexpr size_t kBufferSize = 1 << 20;
constexpr size_t kKeep = 1; // room in front of the data for one put-back byte
} // namespace

TextReader::~TextReader() { close(); }

bool TextReader::open(const std::string &path) {
    close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    if (!m_buf)
        m_buf.reset(new char[kBufferSize + kKeep]);
    m_pos = m_end = kKeep;
    return true;
}

int TextReader::fd() const { return m_file ? ::fileno(m_file) : -1; }

void TextReader::close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_end = kKeep;
    m_crLines = false;
}

bool TextReader::fill() {
    if (!m_file)
        return false;
    size_t n = std::fread(m_buf.get() + kKeep, 1, kBufferSize, m_file);
    if (n == 0)
        return false;
    m_pos = kKeep;
    m_end = kKeep + n;
    return true;
}

void TextReader::unget(int c) {
    if (c == kEof)
        return;
    // get() leaves at least one byte before m_pos: either the byte itself or the reserved slot.
    m_buf[--m_pos] = static_cast<char>(c);
}

} // namespace morvix
