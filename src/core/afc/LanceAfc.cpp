#include "afc/LanceAfc.h"

#include "partitions/Partition.h"
#include "util/Programme.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvix {

namespace {

std::string avecSeparateur(std::string d) {
    if (!d.empty() && d.back() != '/')
        d += '/';
    return d;
}

// A folder private to the user: created 0700, refused if it is a link or someone else's.
bool dossierPrive(const std::string &chemin) {
    if (::mkdir(chemin.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(chemin.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 0077) == 0 || ::chmod(chemin.c_str(), 0700) == 0;
}

class Verrou {
  public:
    explicit Verrou(const std::string &chemin)
        : m_fd(::open(chemin.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~Verrou() {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    Verrou(const Verrou &) = delete;
    Verrou &operator=(const Verrou &) = delete;

  private:
    int m_fd;
};

// Starts `programme` in `dossier` with /dev/null as standard input and output and waits
// for it; its standard error is collected in `messages`. False when it cannot be started.
bool execute(const std::string &programme, const std::string &dossier, std::string &messages) {
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0)
        return false;
    int temoin[2]; // tells the parent why exec failed
    if (::pipe2(temoin, O_CLOEXEC) != 0) {
        ::close(tube[0]);
        ::close(tube[1]);
        return false;
    }
    pid_t pid = ::fork();
    if (pid < 0) {
        for (int fd : {tube[0], tube[1], temoin[0], temoin[1]})
            ::close(fd);
        return false;
    }
    if (pid == 0) {
        int nul = ::open("/dev/null", O_RDWR);
        if (nul >= 0) {
            ::dup2(nul, 0);
            ::dup2(nul, 1);
        }
        ::dup2(tube[1], 2);
        int err = 0;
        if (::chdir(dossier.c_str()) == 0) {
            char *const argv[] = {const_cast<char *>(programme.c_str()), nullptr};
            ::execv(programme.c_str(), argv);
        }
        err = errno;
        [[maybe_unused]] ssize_t w = ::write(temoin[1], &err, sizeof err);
        ::_exit(127);
    }
    ::close(tube[1]);
    ::close(temoin[1]);
    char buf[4096];
    ssize_t n;
    while ((n = ::read(tube[0], buf, sizeof buf)) != 0) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (messages.size() < 65536)
            messages.append(buf, static_cast<size_t>(n));
    }
    ::close(tube[0]);
    int err = 0;
    ssize_t lu;
    while ((lu = ::read(temoin[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(temoin[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (lu == static_cast<ssize_t>(sizeof err)) {
        messages = programme + " ne peut être lancé : " + std::strerror(err);
        return false;
    }
    return true;
}

} // namespace

std::string DossierEchangeAfc() {
    std::string programme = DossierProgramme();
    if (::access(programme.c_str(), W_OK | X_OK) == 0)
        return programme;
    for (const char *var : {"TEMP", "TMPDIR"}) {
        const char *v = std::getenv(var);
        if (v && *v) {
            std::string d = avecSeparateur(v) + "morvix-afc-" + std::to_string(::geteuid());
            if (dossierPrive(d))
                return d + "/";
        }
    }
    std::string d = "/tmp/morvix-afc-" + std::to_string(::geteuid());
    return dossierPrive(d) ? d + "/" : std::string();
}

ResultatLanceAfc LanceAfc(const Partition &partition, const ParamAfc &param,
                          const std::string &dossier, const std::string &programme) {
    ResultatLanceAfc r;
    const std::string d = avecSeparateur(dossier);
    const std::string prog = programme.empty() ? DossierProgramme() + "qz5afc" : programme;
    if (d.empty()) {
        r.Code = CodeAfc::Parametres;
        r.Message = kErreurParametresAfc;
        r.Detail = "aucun dossier d'échange utilisable";
        return r;
    }
    Verrou verrou(d + "coran.lock");
    if (!EcritCoranDon(d + "coran.don", partition, param, r.Detail)) {
        r.Code = CodeAfc::Parametres;
        r.Message = kErreurParametresAfc;
        return r;
    }
    r.Facteurs = d + "facteurs.txt";
    for (const char *f : {"facteurs.txt", "vp.txt", "lignes.txt"})
        std::remove((d + f).c_str());
    std::string messages;
    bool lance = execute(prog, d, messages);
    while (!messages.empty() && (messages.back() == '\n' || messages.back() == '\r'))
        messages.pop_back();
    r.Detail = messages;
    r.Points = std::make_unique<TListePoints>(r.Facteurs, partition.NbParties);
    if (!lance || !r.Points->Valide()) {
        if (lance && messages.empty())
            r.Detail = r.Points->Erreur();
        r.Points.reset();
        r.Code = CodeAfc::Facteurs;
        r.Message = kErreurFacteurs;
        return r;
    }
    LitValeursPropres(d + "vp.txt", r.ValeursPropres);
    return r;
}

ResultatLanceCah LanceCah(const std::string &dossier, const std::string &programme) {
    ResultatLanceCah r;
    const std::string d = avecSeparateur(dossier);
    if (d.empty()) {
        r.Detail = "aucun dossier d'échange utilisable";
        return r;
    }
    const std::string prog = programme.empty() ? DossierProgramme() + "qz5cah" : programme;
    Verrou verrou(d + "coran.lock");
    r.Cah = d + "cah.txt";
    std::remove(r.Cah.c_str());
    bool lance = execute(prog, d, r.Detail);
    while (!r.Detail.empty() && (r.Detail.back() == '\n' || r.Detail.back() == '\r'))
        r.Detail.pop_back();
    r.Ok = lance && ::access(r.Cah.c_str(), R_OK) == 0;
    if (!r.Ok && r.Detail.empty())
        r.Detail = prog + " n'a pas écrit " + r.Cah;
    return r;
}

} // namespace morvix
