// morvix-cli command on correspondence analysis: afc.
#include "CliCommand.h"

#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "partitions/Partition.h"

#include <cstdio>
#include <iostream>
#include <numeric>

namespace morvix::cli {

namespace {

int afc(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("afc", argv, {"--frqmin"}, {}, 2, 2, args))
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

    ResultatLanceAfc r = LanceAfc(partition, param);
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

const CommandRegistration kAfc({"afc", "afc BASE.par KEY [--frqmin N]",
                                "analyse factorielle des correspondances des formes (fréquence "
                                "au moins N, 10 par défaut) par les parties de la clé KEY : "
                                "valeurs propres et coordonnées des parties sur F1 et F2",
                                afc});

} // namespace

} // namespace morvix::cli
