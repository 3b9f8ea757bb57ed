#include "util/FileCommit.h"

#include "util/DirectoryLock.h"
#include "util/SafeFiles.h"
#include "util/TempFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvix {

namespace {

constexpr const char *kHeader = "morvix-maj 1\n";

std::string fileNameOf(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A rename the record may hold: NAME.EXT.tmp-XXXXXX over NAME.EXT, no folder anywhere.
bool acceptable(const std::string &name, const std::string &temp, const std::string &target) {
    if (target.size() <= name.size() + 1 || target.compare(0, name.size(), name) != 0 ||
        target[name.size()] != '.' || target.find('/') != std::string::npos)
        return false;
    const std::string tag = ".tmp-";
    const size_t suffix = temp.size() - std::min(temp.size(), target.size() + tag.size());
    if ((suffix != 6 && suffix != 7) || temp.compare(0, target.size(), target) != 0 ||
        temp.compare(target.size(), tag.size(), tag) != 0)
        return false;
    for (size_t i = target.size() + tag.size(); i < temp.size(); ++i)
        if (!isAlnum(temp[i]))
            return false;
    return true;
}

bool exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Only a plain file is a record: a link planted under its name is not ours (the next commit
// replaces it).
bool isRecord(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readRecord(const std::string &path, std::string &content) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buf[4096];
    content.clear();
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0 && content.size() < (1 << 16))
        content.append(buf, static_cast<size_t>(n));
    ::close(fd);
    return n == 0;
}

// Removes the temporary files TARGET.tmp-XXXXXX of the given targets (six characters: the
// names given under the lock, see TempFile).
void removeLeftovers(const std::string &folder, const std::vector<std::string> &targets) {
    DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> found;
    while (const dirent *e = ::readdir(dir)) {
        const std::string entry = e->d_name;
        for (const std::string &target : targets) {
            const size_t n = target.size() + 5;
            if (entry.size() == n + 6 && entry.compare(0, target.size(), target) == 0 &&
                entry.compare(target.size(), 5, ".tmp-") == 0 &&
                std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(n), entry.end(), isAlnum))
                found.push_back(entry);
        }
    }
    ::closedir(dir);
    for (const std::string &entry : found)
        ::unlink((folder + entry).c_str());
}

} // namespace

std::string commitRecordPath(const std::string &folder, const std::string &name) {
    return folder + name + ".maj";
}

bool rollForward(const std::string &folder, const std::string &name, std::string &error) {
    const std::string record = commitRecordPath(folder, name);
    if (!isRecord(record))
        return true;
    std::string content;
    const bool read = readRecord(record, content);
    std::vector<std::pair<std::string, std::string>> renames;
    bool sound = read && content.compare(0, std::string(kHeader).size(), kHeader) == 0;
    size_t i = sound ? std::string(kHeader).size() : content.size();
    while (sound && i < content.size()) {
        const size_t tab = content.find('\t', i), eol = content.find('\n', i);
        if (tab == std::string::npos || eol == std::string::npos || tab > eol) {
            sound = false;
            break;
        }
        renames.emplace_back(content.substr(i, tab - i), content.substr(tab + 1, eol - tab - 1));
        sound = acceptable(name, renames.back().first, renames.back().second);
        i = eol + 1;
    }
    if (!sound) {
        error = "le fichier " + record +
                " (mise à jour interrompue de la base) est illisible ou endommagé : "
                "supprimez-le après avoir vérifié la base";
        return false;
    }
    for (const auto &[temp, target] : renames) {
        const std::string from = folder + temp, to = folder + target;
        if (exists(from) && std::rename(from.c_str(), to.c_str()) != 0) {
            error = "la mise à jour interrompue de " + folder + name +
                    " ne peut être achevée : " + to + " (" + causeOf(errno) + ")";
            return false;
        }
    }
    syncFolder(folder);
    if (::unlink(record.c_str()) != 0 && errno != ENOENT) {
        error = "le fichier " + record + " ne peut être supprimé (" + causeOf(errno) + ")";
        return false;
    }
    return true;
}

bool commitFiles(const std::string &folder, const std::string &name,
                 const std::vector<Replacement> &files, std::string &error, const CommitHook &hook,
                 bool durable) {
    auto step = [&](int32_t n) {
        if (hook)
            hook(n);
    };
    for (const Replacement &r : files)
        if (folderOf(r.target) != folder || fileNameOf(r.target).rfind(name + ".", 0) != 0) {
            error = "remplacement refusé : " + r.target;
            return false;
        }
    DirectoryLock lock(folder);
    if (!rollForward(folder, name, error))
        return false;
    const std::string record = commitRecordPath(folder, name);
    // Temporary files get their names only here, under the lock: any other such name of
    // these targets was left by a process killed while it committed, and goes.
    std::vector<std::string> targets;
    for (const Replacement &r : files)
        targets.push_back(fileNameOf(r.target));
    targets.push_back(fileNameOf(record));
    removeLeftovers(folder, targets);

    step(0);
    std::string content = kHeader;
    for (const Replacement &r : files) {
        if (!r.temp->giveName(error))
            return false;
        const std::string temp = fileNameOf(r.temp->path()), target = fileNameOf(r.target);
        if (folderOf(r.temp->path()) != folder || !acceptable(name, temp, target)) {
            error = "renommage refusé : " + r.temp->path() + " -> " + r.target;
            return false;
        }
        content += temp + "\t" + target + "\n";
    }
    TempFile out;
    if (!out.create(record, false, error))
        return false;
    if (!writeAllAt(out.fd(), content.data(), content.size(), 0) ||
        (durable && !syncData(out.fd())) || !out.giveName(error)) {
        if (error.empty())
            error = "le fichier " + record + " ne peut être écrit (" + causeOf(errno) + ")";
        return false;
    }
    out.close();
    step(1);
    if (std::rename(out.path().c_str(), record.c_str()) != 0) {
        error = "le fichier " + record + " ne peut être écrit (" + causeOf(errno) + ")";
        return false;
    }
    out.handOver();
    if (durable)
        syncFolder(folder);
    // From here on the temporary files belong to the record: none may be removed.
    std::vector<std::string> temps;
    for (const Replacement &r : files) {
        temps.push_back(r.temp->path());
        r.temp->handOver();
    }
    for (size_t k = 0; k < files.size(); ++k) {
        step(static_cast<int32_t>(2 + k));
        if (std::rename(temps[k].c_str(), files[k].target.c_str()) != 0) {
            error =
                "le fichier " + files[k].target + " ne peut être remplacé (" + causeOf(errno) + ")";
            // What is renamed stays renamed; the record completes the rest later.
            return false;
        }
    }
    step(static_cast<int32_t>(2 + files.size()));
    if (durable)
        syncFolder(folder);
    ::unlink(record.c_str());
    return true;
}

} // namespace morvix
