// morvix-cli command on correspondence analysis: afc.
#include "CliCommand.h"

#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "util/Annulation.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <numeric>
#include <sys/stat.h>

namespace morvix::cli {

namespace {

constexpr int kExitInterrompu = 130;

// Ctrl-C or a termination request during the analysis cancels it, so that the program is
// stopped and the exchange folder removed; the handlers are restored afterwards.
Annulation g_interruption;

class Interruptions {
  public:
    Interruptions() {
        struct sigaction sa {};
        sa.sa_handler = [](int) { g_interruption.Demande(); };
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGINT, &sa, &m_int);
        ::sigaction(SIGTERM, &sa, &m_term);
    }
    ~Interruptions() {
        ::sigaction(SIGINT, &m_int, nullptr);
        ::sigaction(SIGTERM, &m_term, nullptr);
    }
    Interruptions(const Interruptions &) = delete;
    Interruptions &operator=(const Interruptions &) = delete;

  private:
    struct sigaction m_int {
    }, m_term{};
};

// The folder named by --garder: created (0700) when missing, refused when it is not a
// folder.
bool dossierGarde(const std::string &chemin, std::string &erreur) {
    if (::mkdir(chemin.c_str(), 0700) != 0 && errno != EEXIST) {
        erreur = chemin + " ne peut être créé : " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        erreur = chemin + " n'est pas un dossier";
        return false;
    }
    return true;
}

int afc(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("afc", argv, {"--frqmin", "--garder"}, {}, 2, 2, args))
        return kExitUsage;
    std::string error;
    int64_t frqMin = 10;
    if (!args.intValue("--frqmin", 10, frqMin, error, 1))
        return fail(kExitUsage, error);

    const std::string &path = args.positionals()[0];
    charg1 base;
    if (!chargeBase(base, path))
        return kExitInput;
    const std::string cle = inText(args.positionals()[1]);
    int32_t code = Partition::CodeCle(base, cle);
    if (code < 0)
        return fail(kExitInput, "la clé " + args.positionals()[1] + " n'existe pas dans la base");
    Partition partition(base, code);
    if (partition.NbParties < 3)
        return fail(kExitInput, "la partition sur " + args.positionals()[1] + " a " +
                                    std::to_string(partition.NbParties) +
                                    " partie(s) : il en faut au moins 3");
    partition.FrqMin = static_cast<int32_t>(frqMin);
    ParamAfc param = ParamAfcInitiaux(partition);
    if (param.NI < 1)
        return fail(kExitInput, "aucune forme n'atteint la fréquence " + std::to_string(frqMin));

    // Each analysis in a folder of its own, unless the exchange files are to be kept.
    std::unique_ptr<DossierPrive> prive;
    std::string dossier;
    if (auto garder = args.value("--garder")) {
        if (!dossierGarde(*garder, error))
            return fail(kExitInput, error);
        dossier = *garder;
    } else {
        prive = std::make_unique<DossierPrive>();
        if (prive->Chemin().empty())
            return fail(kExitInput, prive->Erreur());
        dossier = prive->Chemin();
    }
    ResultatLanceAfc r;
    {
        g_interruption.Reinitialise();
        Interruptions interruptions;
        r = LanceAfc(partition, param, dossier, std::string(), &g_interruption);
    }
    if (r.Code == CodeAfc::Annule)
        return fail(kExitInterrompu, "analyse interrompue");
    if (!r.ok())
        return fail(kExitInput, r.Message + (r.Detail.empty() ? "" : " : " + r.Detail));

    const TListePoints &p = *r.Points;
    std::cout << "lignes actives\t" << param.NI << "\nparties\t" << partition.NbParties
              << "\nfacteurs\t" << p.NbFact << "\n\nfacteur\tvaleur propre\tpourcentage\n";
    double somme = std::accumulate(r.ValeursPropres.begin(), r.ValeursPropres.end(), 0.0);
    char buf[64];
    for (size_t k = 0; k < r.ValeursPropres.size(); ++k) {
        double v = static_cast<double>(r.ValeursPropres[k]);
        std::snprintf(buf, sizeof buf, "%.6f\t%.2f", v / 1e6, somme > 0 ? 100 * v / somme : 0.0);
        std::cout << k + 1 << '\t' << buf << '\n';
    }
    std::cout << "\npartie\tlibelle\tF1\tF2\n";
    for (int32_t j = 0; j < p.NbPoints; ++j) {
        std::snprintf(buf, sizeof buf, "%.2f\t%.2f", p.Fact[0][static_cast<size_t>(j)],
                      p.Fact[1][static_cast<size_t>(j)]);
        std::cout << j << '\t' << outText(partition.Libelle(j)) << '\t' << buf << '\n';
    }
    return kExitOk;
}

const CommandRegistration kAfc({"afc", "afc BASE.par KEY [--frqmin N] [--garder DOSSIER]",
                                "analyse factorielle des correspondances des formes (fréquence "
                                "au moins N, 10 par défaut) par les parties de la clé KEY : "
                                "valeurs propres et coordonnées des parties sur F1 et F2 ; "
                                "les fichiers d'échange sont gardés dans DOSSIER",
                                afc});

} // namespace

} // namespace morvix::cli
