// Opening the files the system writes without following a symbolic link planted under a
// fixed name, telling whether two paths are one file, and the French wording of the causes
// of a failed file operation. POSIX only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvix {

// Opens `path` for writing (created, then truncated or appended to), refusing a symbolic
// link as its last component. The descriptor, or -1 with errno set.
int openForWriting(const std::string &path, bool append);

// The device and inode of a file.
struct FileId {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FileId &) const = default;
};
// `followLink` false looks at a symbolic link itself, which a rename replaces harmlessly.
std::optional<FileId> fileId(const std::string &path, bool followLink = true);

// The folder part of a path ("" for the current folder), ending with '/' when not empty.
std::string folderOf(const std::string &path);

// The cause of a failed open or write, in French ("c'est un lien symbolique", ...).
std::string causeOf(int error);

// Why `name` cannot name the files of a base (French), or "" when it can: a base name is
// a file name, without folder or control character.
std::string baseNameProblem(const std::string &name);

// Writes all of `size` bytes at `offset`; false on a write error or a full disk.
bool writeAllAt(int fd, const void *data, size_t size, int64_t offset);
// Reads up to `size` bytes at `offset`; the number read, or -1.
int64_t readAt(int fd, void *data, size_t size, int64_t offset);

} // namespace morvix
