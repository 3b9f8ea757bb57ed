// A file written under no name of its own until it is complete: created unnamed in the
// folder of the file it will replace (O_TMPFILE), or, where the file system cannot, under
// a unique name created exclusively. A file never named vanishes when closed or when the
// process dies; a named one not handed over is removed by the destructor.
#pragma once

#include <string>

namespace morvix {

class TempFile {
  public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    // Creates the file beside `target` (a path; its folder is used). An anonymous file is
    // never named (scratch data); otherwise giveName() can give it a name later. False with
    // `error` (French) set when the folder refuses.
    bool create(const std::string &target, bool anonymous, std::string &error);
    // Links the file under a unique name `target` + ".tmp-XXXXXX" (nothing when it already
    // has one); the name is then path().
    bool giveName(std::string &error);
    // Forgets the name: it now belongs to whoever renamed the file.
    void handOver() { m_path.clear(); }
    // Closes the descriptor; a named file stays until the destructor or handOver.
    void close();

    int fd() const { return m_fd; }
    const std::string &path() const { return m_path; }
    const std::string &target() const { return m_target; }

  private:
    bool createNamed(std::string &error);

    int m_fd = -1;
    std::string m_target;
    std::string m_path; // "" while unnamed
};

// Flushes a file's data to the disk; false on failure.
bool syncData(int fd);
// Makes the entries of a folder ("" for the current one) durable; false on failure.
bool syncFolder(const std::string &folder);

} // namespace morvix
