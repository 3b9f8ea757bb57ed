#include "afc/LanceAfc.h"

#include "partitions/Partition.h"
#include "util/Annulation.h"
#include "util/Programme.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <initializer_list>
#include <poll.h>
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
        : m_fd(::open(chemin.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
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
    // False when the lock file cannot be opened (a link planted under its name, for one).
    bool Tenu() const { return m_fd >= 0; }

  private:
    int m_fd;
};

enum class Execution { Terminee, NonLancee, Annulee };

// Starts `programme` in `dossier` with /dev/null as standard input and output and waits
// for it, polling `annulation`: once it is raised the program is killed. Its standard
// error is collected in `messages`.
Execution execute(const std::string &programme, const std::string &dossier, std::string &messages,
                  const Annulation *annulation) {
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0)
        return Execution::NonLancee;
    int temoin[2]; // tells the parent why exec failed
    if (::pipe2(temoin, O_CLOEXEC) != 0) {
        ::close(tube[0]);
        ::close(tube[1]);
        return Execution::NonLancee;
    }
    pid_t pid = ::fork();
    if (pid < 0) {
        for (int fd : {tube[0], tube[1], temoin[0], temoin[1]})
            ::close(fd);
        return Execution::NonLancee;
    }
    if (pid == 0) {
        // A process group of its own, so that a cancellation stops whatever it started.
        ::setpgid(0, 0);
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
    ::setpgid(pid, pid);
    ::close(tube[1]);
    ::close(temoin[1]);
    // Until the program closes its standard error (it ends), with a look at the flag every
    // tenth of a second.
    bool tue = false;
    char buf[4096];
    while (true) {
        if (Annulee(annulation)) {
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            tue = true;
            break;
        }
        pollfd pf{tube[0], POLLIN, 0};
        const int pret = ::poll(&pf, 1, 100);
        if (pret < 0 && errno != EINTR)
            break;
        if (pret <= 0)
            continue;
        const ssize_t n = ::read(tube[0], buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
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
    if (tue)
        return Execution::Annulee;
    if (lu == static_cast<ssize_t>(sizeof err)) {
        messages = programme + " ne peut être lancé : " + std::strerror(err);
        return Execution::NonLancee;
    }
    return Execution::Terminee;
}

// Removes the exchange files `noms` from `dossier`, with the temporary files the program
// may have left under them when it was killed ("NAME.tmp", "NAME.tmp-XXXXXX").
void supprime(const std::string &dossier, std::initializer_list<const char *> noms) {
    std::error_code ec;
    for (const char *nom : noms)
        std::filesystem::remove(dossier + nom, ec);
    for (const auto &e : std::filesystem::directory_iterator(dossier, ec)) {
        const std::string f = e.path().filename().string();
        for (const char *nom : noms) {
            const std::string tmp = std::string(nom) + ".tmp";
            if (f.compare(0, tmp.size(), tmp) == 0) {
                std::error_code ignore;
                std::filesystem::remove(e.path(), ignore);
            }
        }
    }
}

void retireFinDeLigne(std::string &s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
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
                          const std::string &dossier, const std::string &programme,
                          const Annulation *annulation) {
    ResultatLanceAfc r;
    const std::string d = avecSeparateur(dossier);
    const std::string prog = programme.empty() ? DossierProgramme() + "qz5afc" : programme;
    if (d.empty()) {
        r.Code = CodeAfc::Parametres;
        r.Message = kErreurParametresAfc;
        r.Detail = "aucun dossier d'échange utilisable";
        return r;
    }
    auto annule = [&] {
        supprime(d, {"coran.don", "facteurs.txt", "vp.txt", "lignes.txt"});
        r = ResultatLanceAfc{};
        r.Code = CodeAfc::Annule;
        return std::move(r);
    };
    Verrou verrou(d + "coran.lock");
    if (!verrou.Tenu()) {
        r.Code = CodeAfc::Parametres;
        r.Message = kErreurParametresAfc;
        r.Detail = d + "coran.lock ne peut être ouvert : " + std::strerror(errno);
        return r;
    }
    if (Annulee(annulation))
        return annule();
    if (!EcritCoranDon(d + "coran.don", partition, param, r.Detail)) {
        r.Code = CodeAfc::Parametres;
        r.Message = kErreurParametresAfc;
        return r;
    }
    r.Facteurs = d + "facteurs.txt";
    for (const char *f : {"facteurs.txt", "vp.txt", "lignes.txt"})
        std::remove((d + f).c_str());
    std::string messages;
    const Execution e = execute(prog, d, messages, annulation);
    if (e == Execution::Annulee || Annulee(annulation))
        return annule();
    retireFinDeLigne(messages);
    r.Detail = messages;
    r.Points = std::make_unique<TListePoints>(r.Facteurs, partition.NbParties);
    if (e != Execution::Terminee || !r.Points->Valide()) {
        if (e == Execution::Terminee && messages.empty())
            r.Detail = r.Points->Erreur();
        r.Points.reset();
        r.Code = CodeAfc::Facteurs;
        r.Message = kErreurFacteurs;
        return r;
    }
    LitValeursPropres(d + "vp.txt", r.ValeursPropres);
    return r;
}

ResultatLanceCah LanceCah(const std::string &dossier, const std::string &programme,
                          const Annulation *annulation) {
    ResultatLanceCah r;
    const std::string d = avecSeparateur(dossier);
    if (d.empty()) {
        r.Detail = "aucun dossier d'échange utilisable";
        return r;
    }
    const std::string prog = programme.empty() ? DossierProgramme() + "qz5cah" : programme;
    Verrou verrou(d + "coran.lock");
    if (!verrou.Tenu()) {
        r.Detail = d + "coran.lock ne peut être ouvert : " + std::strerror(errno);
        return r;
    }
    if (Annulee(annulation)) {
        r.Annule = true;
        return r;
    }
    r.Cah = d + "cah.txt";
    std::remove(r.Cah.c_str());
    const Execution e = execute(prog, d, r.Detail, annulation);
    if (e == Execution::Annulee) {
        supprime(d, {"cah.txt"});
        r = ResultatLanceCah{};
        r.Annule = true;
        return r;
    }
    retireFinDeLigne(r.Detail);
    r.Ok = e == Execution::Terminee && ::access(r.Cah.c_str(), R_OK) == 0;
    if (!r.Ok && r.Detail.empty())
        r.Detail = prog + " n'a pas écrit " + r.Cah;
    return r;
}

DossierPrive::DossierPrive() {
    std::string racine = "/tmp";
    for (const char *var : {"TEMP", "TMPDIR"})
        if (const char *v = std::getenv(var); v && *v) {
            racine = v;
            break;
        }
    std::string modele = avecSeparateur(racine) + "morvix-afc-XXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) {
        m_erreur =
            "le dossier d'échange " + modele + " ne peut être créé : " + std::strerror(errno);
        return;
    }
    m_chemin = modele + "/";
}

DossierPrive::~DossierPrive() {
    if (m_chemin.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(m_chemin, ec);
}

} // namespace morvix
