// An exclusive advisory lock on a folder (flock on the folder itself, so that no lock file
// is left behind), held while a set of files in it is replaced or opened together. Every
// process of the system that replaces or opens a base takes it; others are not stopped.
#pragma once

#include <string>

namespace morvix {

class DirectoryLock {
  public:
    // Waits for the lock on `folder` ("" for the current folder). A folder that cannot be
    // opened or locked is left unlocked (locked() false): the lock only orders our writers.
    explicit DirectoryLock(const std::string &folder);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock &) = delete;
    DirectoryLock &operator=(const DirectoryLock &) = delete;

    bool locked() const { return m_locked; }

  private:
    int m_fd = -1;
    bool m_locked = false;
};

} // namespace morvix
