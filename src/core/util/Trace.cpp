#include "util/Trace.h"

#include "util/SafeFiles.h"

#include <cstdarg>
#include <vector>

namespace morvix {

void Trace::emit(bool truncate, const char *formatUtf8, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const char *format = cp1252Literal(formatUtf8);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0)
        return;
    std::vector<char> text(static_cast<size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    std::string_view message(text.data(), static_cast<size_t>(n));
    if (truncate)
        m_failure.clear();
    if (m_copy)
        m_copy->append(message);
    if (m_held.isOpen() && !truncate) {
        m_held.write(message);
        return;
    }
    TextWriter out;
    if (!out.open(m_path, !truncate)) {
        noteFailure(out.openError());
        return;
    }
    out.write(message);
    if (!out.close())
        noteFailure(0);
}

void Trace::noteFailure(int error) {
    if (m_failure.empty())
        m_failure = "le journal " + m_path + " ne peut être écrit (" +
                    (error != 0 ? causeOf(error) : std::string("erreur d'écriture")) + ")";
}

void Trace::start(const char *formatUtf8, ...) {
    release();
    va_list args;
    va_start(args, formatUtf8);
    emit(true, formatUtf8, args);
    va_end(args);
}

void Trace::append(const char *formatUtf8, ...) {
    va_list args;
    va_start(args, formatUtf8);
    emit(false, formatUtf8, args);
    va_end(args);
}

void Trace::hold() {
    if (!m_held.isOpen() && !m_held.open(m_path, true))
        noteFailure(m_held.openError());
}

void Trace::release() {
    if (m_held.isOpen() && !m_held.close())
        noteFailure(0);
}

} // namespace morvix
