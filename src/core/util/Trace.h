// The trace log "atrace.txt": each message opens the file, appends and closes it again, so
// the log is complete up to the last message. Formats are UTF-8 literals written as
// Windows-1252 with CR LF line ends.
#pragma once

#include "util/TextWriter.h"

#include <string>

namespace morvix {

class Trace {
  public:
    explicit Trace(std::string path = "atrace.txt") : m_path(std::move(path)) {}

    const std::string &path() const { return m_path; }
    void setPath(std::string path) {
        release();
        m_path = std::move(path);
    }

    // Starts a new log (the file is emptied) with one message.
    void start(const char *formatUtf8, ...) __attribute__((format(printf, 2, 3)));
    // Appends one message.
    void append(const char *formatUtf8, ...) __attribute__((format(printf, 2, 3)));

    // Keeps the file open between `hold` and `release` (messages still go out in order).
    void hold();
    void release();

    // Every message from now on is also appended to `copy` (Windows-1252, line feeds as
    // they are), so that a caller can show what this run wrote; null stops.
    void capture(std::string *copy) { m_copy = copy; }
    // Why a message could not be written since the last start() (French), or "".
    const std::string &failure() const { return m_failure; }

  private:
    void emit(bool truncate, const char *formatUtf8, va_list args);
    void noteFailure(int error);

    std::string m_path;
    TextWriter m_held;
    std::string *m_copy = nullptr;
    std::string m_failure;
};

} // namespace morvix
