// morvix-cli commands on partitions: partition, specif, spectot, chrono, increments.
#include "CliCommand.h"
#include "CliSegments.h"

#include "base/charg1.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpec.h"
#include "partitions/PrimSpecChr.h"
#include "segments/SegRep.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <set>
#include <unistd.h>

namespace morvix::cli {

namespace {

// A loaded base and its partition on a key, or the exit code of the failure.
struct Chargement {
    std::unique_ptr<charg1> base;
    std::unique_ptr<SegRep> segments; // with --segments
    std::unique_ptr<Partition> part;
    int code = kExitOk;
};

Chargement charge(const std::string &path, const std::string &cle, const CliArgs &args) {
    Chargement c;
    c.base = std::make_unique<charg1>();
    if (!chargeBase(*c.base, path)) {
        c.code = kExitInput;
        return c;
    }
    c.segments = attacheSegments(*c.base, args, c.code);
    if (c.code != kExitOk)
        return c;
    const int32_t code = Partition::CodeCle(*c.base, inText(cle));
    if (code < 0) {
        c.code = fail(kExitInput, "la clé « " + cle + " » n'existe pas dans la base " + path);
        return c;
    }
    c.part = std::make_unique<Partition>(*c.base, code);
    return c;
}

// Parses "--seuil" and "--frqmin" into the partition.
bool parametres(const CliArgs &args, Partition &p, int &code) {
    std::string error;
    int64_t seuil = 0, frqMin = 0;
    if (!args.intValue("--seuil", kSeuilDefaut, seuil, error, 0, 100) ||
        !args.intValue("--frqmin", kFrqMinDefaut, frqMin, error, 0)) {
        code = fail(kExitUsage, error);
        return false;
    }
    p.Seuil = static_cast<int32_t>(seuil);
    p.FrqMin = static_cast<int32_t>(frqMin);
    return true;
}

// Sets `flags` to the parts named in a comma-separated list of labels.
bool parties(const Partition &p, const std::string &liste, std::vector<bool> &flags, int &code) {
    flags.assign(static_cast<size_t>(p.NbParties), false);
    size_t debut = 0;
    while (debut <= liste.size()) {
        size_t fin = liste.find(',', debut);
        if (fin == std::string::npos)
            fin = liste.size();
        const std::string label = liste.substr(debut, fin - debut);
        const int32_t q = p.IndexLibelle(inText(label));
        if (q < 0) {
            code = fail(kExitInput, "la partie « " + label + " » n'existe pas");
            return false;
        }
        flags[static_cast<size_t>(q)] = true;
        debut = fin + 1;
    }
    return true;
}

// Parses a command on BASE.par KEY, loads the base and its partition and applies --seuil
// and --frqmin; `cible`, when not null, is a required option naming the selected parts.
// False with `code` set on failure.
bool prepare(const char *commande, const std::vector<std::string> &argv,
             const std::set<std::string> &valued, const char *cible, CliArgs &args, Chargement &c,
             int &code) {
    code = kExitUsage;
    std::set<std::string> options = valued;
    if (std::string_view(commande) != "partition")
        options.insert(kOptionSegments);
    if (!parseOrUsage(commande, argv, options, {}, 2, 2, args))
        return false;
    if (cible && !args.has(cible)) {
        code = fail(kExitUsage, std::string(commande) + " : " + cible + " est obligatoire");
        return false;
    }
    c = charge(args.positionals()[0], args.positionals()[1], args);
    if (!c.part) {
        code = c.code;
        return false;
    }
    return parametres(args, *c.part, code) &&
           (!cible || parties(*c.part, *args.value(cible), c.part->Selec, code));
}

void imprimeResultats(const Partition &p, const PrimSpec &spec) {
    std::cout << "graphie\tF\tk\tcoeff\n";
    for (const ResSpec &r : spec.Resultats())
        std::cout << outText(p.Base().RetourneGraphie(r.Code, false)) << '\t' << r.F << '\t' << r.k
                  << '\t' << r.Coeff << '\n';
}

int partition(const std::vector<std::string> &argv) {
    CliArgs args;
    Chargement c;
    int code = kExitOk;
    if (!prepare("partition", argv, {}, nullptr, args, c, code))
        return code;
    const Partition &p = *c.part;
    std::cout << "partie\ttaille\tformes\thapax\tfmax\tforme fmax\n";
    for (int32_t q = 0; q < p.NbParties; ++q) {
        const auto uq = static_cast<size_t>(q);
        std::cout << outText(p.Libelle(q)) << '\t' << p.Taille[uq] << '\t' << p.NbFormes[uq] << '\t'
                  << p.NbHapax[uq] << '\t' << p.FmaxPartie[uq] << '\t'
                  << (p.FmaxPartie[uq] > 0
                          ? outText(c.base->RetourneGraphie(p.FormeFmax[uq], false))
                          : std::string())
                  << '\n';
    }
    return kExitOk;
}

int specif(const std::vector<std::string> &argv) {
    CliArgs args;
    Chargement c;
    int code = kExitOk;
    if (!prepare("specif", argv, {"--parts", "--reference", "--seuil", "--frqmin"}, "--parts", args,
                 c, code))
        return code;
    Partition &p = *c.part;
    if (auto ref = args.value("--reference"); ref && !parties(p, *ref, p.Cochee, code))
        return code;
    // The target frequencies are counted over the parts both selected and in the reference:
    // without one, nothing can be computed.
    bool commune = false;
    for (int32_t q = 0; q < p.NbParties; ++q)
        commune = commune || (p.Selec[static_cast<size_t>(q)] && p.Cochee[static_cast<size_t>(q)]);
    if (!commune)
        return fail(kExitInput, "aucune des parties de --parts n'est dans la référence "
                                "(--reference) : aucune spécificité ne peut être calculée");
    PrimSpec spec(p, 1);
    spec.SetProgression(nullptr);
    spec.Calcule();
    imprimeResultats(p, spec);
    return kExitOk;
}

int spectot(const std::vector<std::string> &argv) {
    CliArgs args;
    Chargement c;
    int code = kExitOk;
    if (!prepare("spectot", argv, {"--seuil", "--frqmin"}, nullptr, args, c, code))
        return code;
    Partition &p = *c.part;
    CalcSpecTot tot(p, nullptr);
    std::cout << "graphie\tF";
    for (int32_t q : tot.NumParties()) {
        const std::string label = outText(p.Libelle(q));
        std::cout << '\t' << label << " f\t" << label << " coeff";
    }
    std::cout << '\n';
    // Most cells of a form are 0 and 0 (a form absent from a part has no coefficient there):
    // its row is written from its non-zero frequencies, the cells between them copied from a
    // row of zeros. An absent segment can be under-used: its cells are all looked up.
    const std::vector<int32_t> &numParties = tot.NumParties();
    std::vector<int32_t> colonne(static_cast<size_t>(p.NbParties), -1);
    for (size_t i = 0; i < numParties.size(); ++i)
        colonne[static_cast<size_t>(numParties[i])] = static_cast<int32_t>(i);
    const std::string zeros = [&] {
        std::string z;
        for (size_t i = 0; i < numParties.size(); ++i)
            z += "\t0\t0";
        return z;
    }();
    std::string ligne;
    std::vector<FrqNonNulle> cellules;
    auto imprime = [&](int32_t code, int32_t F) {
        ligne = outText(c.base->RetourneGraphie(code, false));
        ligne += '\t';
        ligne += std::to_string(F);
        p.FrqPartiesNonNulles(code, cellules);
        if (code >= c.base->Nbform()) {
            std::vector<int32_t> frq(numParties.size(), 0);
            for (const FrqNonNulle &cell : cellules)
                if (colonne[static_cast<size_t>(cell.Indice)] >= 0)
                    frq[static_cast<size_t>(colonne[static_cast<size_t>(cell.Indice)])] = cell.Frq;
            for (size_t i = 0; i < numParties.size(); ++i) {
                ligne += '\t';
                ligne += std::to_string(frq[i]);
                ligne += '\t';
                ligne += std::to_string(tot.CoeffPartie(code, static_cast<int32_t>(i)));
            }
            ligne += '\n';
            std::cout << ligne;
            return;
        }
        size_t suivante = 0; // the next column to write
        for (const FrqNonNulle &cell : cellules) {
            const int32_t i = colonne[static_cast<size_t>(cell.Indice)];
            if (i < 0)
                continue;
            ligne.append(zeros, 0, (static_cast<size_t>(i) - suivante) * 4);
            ligne += '\t';
            ligne += std::to_string(cell.Frq);
            ligne += '\t';
            ligne += std::to_string(tot.CoeffPartie(code, i));
            suivante = static_cast<size_t>(i) + 1;
        }
        ligne.append(zeros, 0, (numParties.size() - suivante) * 4);
        ligne += '\n';
        std::cout << ligne;
    };
    for (int32_t j = 0; j < c.base->Nbform(); ++j)
        imprime(j, c.base->RetourneFrq(j));
    if (c.segments)
        for (int32_t k = 0; k < c.segments->NbSegments(); ++k)
            imprime(c.base->Nbart() + 1 + k, c.segments->FrqSeg(k));
    return kExitOk;
}

int chrono(const std::vector<std::string> &argv) {
    CliArgs args;
    Chargement c;
    int code = kExitOk;
    if (!prepare("chrono", argv, {"--seuil", "--frqmin", "--order"}, nullptr, args, c, code))
        return code;
    Partition &p = *c.part;
    std::string error;
    int64_t ordre = -1;
    if (!args.intValue("--order", -1, ordre, error, -1, 9))
        return fail(kExitUsage, error);
    PrimSpecChr chr(p, p.Seuil, p.FrqMin);
    // Minutes on a partition of hundreds of parts: on a terminal, the progress on stderr (a
    // hundred calls, one per hundredth of the codes computed).
    int32_t centiemes = 0;
    const bool terminal = ::isatty(2) != 0;
    chr.Calcule(terminal ? ProgressionSpec([&](int32_t) {
        std::fprintf(stderr, "\rchrono : %d %%", ++centiemes);
        std::fflush(stderr);
    })
                         : ProgressionSpec());
    if (centiemes > 0)
        std::fputs("\n", stderr);
    chr.Trie(static_cast<int32_t>(ordre));
    std::cout << "graphie\tF\tf\tcoeff\tparties\n";
    for (const ResSpecChr &r : chr.Resultats()) {
        std::cout << outText(c.base->RetourneGraphie(r.Code, false)) << '\t'
                  << chr.FrqTotale(r.Code) << '\t' << r.f << '\t' << r.Coeff << '\t'
                  << outText(p.Libelle(r.Premiere));
        if (r.Derniere != r.Premiere)
            std::cout << " - " << outText(p.Libelle(r.Derniere));
        std::cout << '\n';
    }
    return kExitOk;
}

int increments(const std::vector<std::string> &argv) {
    CliArgs args;
    Chargement c;
    int code = kExitOk;
    if (!prepare("increments", argv, {"--part", "--seuil", "--frqmin"}, "--part", args, c, code))
        return code;
    Partition &p = *c.part;
    Accroissements a = AccroissementsSpecifiques(p, p.Seuil, p.FrqMin, nullptr);
    if (!a.Spec)
        return fail(kExitInput, "aucune partie à la fois cochée et sélectionnée");
    std::cout << outText(a.Entete) << '\n';
    imprimeResultats(p, *a.Spec);
    return kExitOk;
}

const CommandRegistration kPartition({"partition", "partition BASE.par KEY",
                                      "statistiques par partie : taille, formes, hapax, fmax, "
                                      "forme de fmax",
                                      partition});
const CommandRegistration kSpecif({"specif",
                                   "specif BASE.par KEY --parts L1,L2… [--reference L1,…] "
                                   "[--seuil 5] [--frqmin 10] [--segments SF,SS]",
                                   "spécificités des parties nommées contre la référence "
                                   "(toutes les parties par défaut)",
                                   specif});
const CommandRegistration kSpectot({"spectot",
                                    "spectot BASE.par KEY [--seuil 5] [--frqmin 10] "
                                    "[--segments SF,SS]",
                                    "fréquence et coefficient de spécificité de chaque forme "
                                    "dans chaque partie",
                                    spectot});
const CommandRegistration kChrono({"chrono",
                                   "chrono BASE.par KEY [--seuil 5] [--frqmin 10] [--order N] "
                                   "[--segments SF,SS]",
                                   "spécificités chronologiques (ordre de tri 0 à 9)", chrono});
const CommandRegistration kIncrements({"increments",
                                       "increments BASE.par KEY --part LABEL [--seuil 5] "
                                       "[--frqmin 10] [--segments SF,SS]",
                                       "accroissements spécifiques d'une partie", increments});

} // namespace

} // namespace morvix::cli
