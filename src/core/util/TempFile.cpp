#include "util/TempFile.h"

#include "util/SafeFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

namespace {

// Six characters for a name given under the folder's lock (giveName), seven for one made
// at creation where the folder cannot hold unnamed files, so that FileCommit's clean-up of
// names left by killed processes can tell them apart.
std::string uniqueSuffix(int length = 6) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string s = ".tmp-";
    for (int i = 0; i < length; ++i)
        s += kChars[generator() % (sizeof kChars - 1)];
    return s;
}

std::string folderOrDot(const std::string &target) {
    std::string folder = folderOf(target);
    return folder.empty() ? std::string(".") : folder;
}

} // namespace

TempFile::~TempFile() {
    close();
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

void TempFile::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TempFile::create(const std::string &target, bool anonymous, std::string &error) {
    close();
    m_target = target;
    m_path.clear();
#ifdef O_TMPFILE
    m_fd = ::open(folderOrDot(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
    if (m_fd >= 0)
        return true;
#endif
    if (!createNamed(error))
        return false;
    if (anonymous) {
        ::unlink(m_path.c_str());
        m_path.clear();
    }
    return true;
}

bool TempFile::createNamed(std::string &error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = m_target + uniqueSuffix(7);
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (m_fd >= 0) {
            m_path = path;
            return true;
        }
        if (errno != EEXIST) {
            error = "le fichier temporaire " + path + " ne peut être créé (" + causeOf(errno) + ")";
            return false;
        }
    }
    error = "aucun nom de fichier temporaire libre pour " + m_target;
    return false;
}

bool TempFile::giveName(std::string &error) {
    if (!m_path.empty())
        return true;
    if (m_fd < 0) {
        error = "fichier temporaire fermé";
        return false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = m_target + uniqueSuffix();
        // Through /proc for an unprivileged process, else AT_EMPTY_PATH where it is allowed.
        int r = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        if (r != 0 && errno != EEXIST)
            r = ::linkat(m_fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
        if (r == 0) {
            m_path = path;
            return true;
        }
        if (errno != EEXIST) {
            error = "le fichier temporaire " + path + " ne peut être créé (" + causeOf(errno) + ")";
            return false;
        }
    }
    error = "aucun nom de fichier temporaire libre pour " + m_target;
    return false;
}

bool syncData(int fd) {
    int r;
    do {
        r = ::fdatasync(fd);
    } while (r != 0 && errno == EINTR);
    return r == 0 || errno == EINVAL || errno == EROFS; // files that cannot be synced
}

bool syncFolder(const std::string &folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

} // namespace morvix
