#include "util/SafeFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

int openForWriting(const std::string &path, bool append) {
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::optional<FileId> fileId(const std::string &path, bool followLink) {
    struct stat st {};
    if ((followLink ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return std::nullopt;
    return FileId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

std::string folderOf(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string causeOf(int error) {
    switch (error) {
    case ELOOP:
        return "c'est un lien symbolique, qui n'est pas suivi";
    case ENOENT:
        return "fichier ou dossier absent";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case EROFS:
        return "système de fichiers en lecture seule";
    case ENOSPC:
    case EDQUOT:
        return "disque plein";
    case EISDIR:
        return "c'est un dossier";
    case EEXIST:
        return "le fichier existe déjà";
    case EIO:
        return "erreur d'entrée-sortie";
    default:
        return std::strerror(error);
    }
}

std::string baseNameProblem(const std::string &name) {
    if (name.empty())
        return "il est vide";
    if (name == "." || name == "..")
        return "il désigne un dossier";
    if (name.find('/') != std::string::npos)
        return "il contient un dossier (barre oblique /)";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32)
            return "il contient un caractère de contrôle";
    return {};
}

bool writeAllAt(int fd, const void *data, size_t size, int64_t offset) {
    const auto *p = static_cast<const char *>(data);
    while (size > 0) {
        ssize_t n = ::pwrite(fd, p, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

int64_t readAt(int fd, void *data, size_t size, int64_t offset) {
    auto *p = static_cast<char *>(data);
    size_t got = 0;
    while (got < size) {
        ssize_t n =
            ::pread(fd, p + got, size - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(got);
}

} // namespace morvix
