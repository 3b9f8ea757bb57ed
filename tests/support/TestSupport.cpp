#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace morvix::test {

ScopedWorkDir::ScopedWorkDir() {
    std::string tmpl = (fs::temp_directory_path() / "morvix-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
    m_previous = fs::current_path().string();
    fs::current_path(m_path);
}

ScopedWorkDir::~ScopedWorkDir() {
    std::error_code ec;
    fs::current_path(m_previous, ec);
    fs::remove_all(m_path, ec);
}

void writeFile(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<int32_t> readInt32File(const std::string &path) {
    std::string bytes = readFile(path);
    std::vector<int32_t> v(bytes.size() / 4);
    for (size_t i = 0; i < v.size(); ++i) {
        uint32_t x = 0;
        for (int k = 3; k >= 0; --k)
            x = (x << 8) | static_cast<unsigned char>(bytes[i * 4 + static_cast<size_t>(k)]);
        v[i] = static_cast<int32_t>(x);
    }
    return v;
}

bool fileExists(const std::string &path) { return fs::exists(path); }

int runCommand(const std::string &command, std::string *stdoutText, std::string *stderrText) {
    char outName[] = "/tmp/morvix-out-XXXXXX";
    char errName[] = "/tmp/morvix-err-XXXXXX";
    int outFd = ::mkstemp(outName);
    int errFd = ::mkstemp(errName);
    ::close(outFd);
    ::close(errFd);
    std::string full = command + " >" + outName + " 2>" + errName;
    int status = std::system(full.c_str());
    if (stdoutText)
        *stdoutText = readFile(outName);
    if (stderrText)
        *stderrText = readFile(errName);
    std::remove(outName);
    std::remove(errName);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string dataPath(const std::string &name) { return std::string(MORVIX_TEST_DATA) + "/" + name; }

int runCli(const std::string &args, std::string *stdoutText, std::string *stderrText) {
    return runCommand(std::string(MORVIX_BIN_DIR) + "/morvix-cli " + args, stdoutText, stderrText);
}

} // namespace morvix::test

#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

namespace morvix::test {

std::string buildBase(const std::string &name, const std::string &text,
                      const std::string &delimiters) {
    const std::string path = name + ".txt";
    writeFile(path, text);
    if (VerifCles(path) != 0)
        return "";
    SegmResult r = SegmPrinc(path, delimiters);
    return r.ok() ? name + ".par" : "";
}

} // namespace morvix::test
