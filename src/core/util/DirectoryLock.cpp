#include "util/DirectoryLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace morvix {

DirectoryLock::DirectoryLock(const std::string &folder) {
    m_fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    int r;
    do {
        r = ::flock(m_fd, LOCK_EX);
    } while (r != 0 && errno == EINTR);
    m_locked = r == 0;
}

DirectoryLock::~DirectoryLock() {
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

} // namespace morvix
