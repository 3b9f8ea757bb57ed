// Helpers shared by the tests: temporary working folders, small files, running programs.
#pragma once

#include "segmentation/SegmPrinc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvix::test {

// Creates a fresh folder, makes it current, and goes back and removes it at destruction.
class ScopedWorkDir {
  public:
    ScopedWorkDir();
    ~ScopedWorkDir();
    ScopedWorkDir(const ScopedWorkDir &) = delete;
    ScopedWorkDir &operator=(const ScopedWorkDir &) = delete;
    const std::string &path() const { return m_path; }

  private:
    std::string m_path;
    std::string m_previous;
};

void writeFile(const std::string &path, const std::string &bytes);
std::string readFile(const std::string &path);
std::vector<int32_t> readInt32File(const std::string &path);
bool fileExists(const std::string &path);

// Runs a shell command; returns its exit status and fills its output.
int runCommand(const std::string &command, std::string *stdoutText = nullptr,
               std::string *stderrText = nullptr);

std::string dataPath(const std::string &name);

// Runs build/bin/morvix-cli with `args` (shell words); returns its exit status.
int runCli(const std::string &args, std::string *stdoutText = nullptr,
           std::string *stderrText = nullptr);

} // namespace morvix::test

namespace morvix::test {

// Writes `text` (Windows-1252 bytes) to NAME.txt in the current folder, verifies and
// segments it with `delimiters`; returns the path of the .par ("" when either step failed).
std::string buildBase(const std::string &name, const std::string &text,
                      const std::string &delimiters = kDelimiteursDefaut);

} // namespace morvix::test
