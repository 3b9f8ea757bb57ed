// morvix-cli commands of the concordance: concordance, inventaire.
#include "CliCommand.h"
#include "CliSegments.h"

#include "base/charg1.h"
#include "concordance/Concordance.h"
#include "concordance/ConcordanceDocuments.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"
#include "segments/SegRep.h"
#include "util/RegexTables.h"

#include <iostream>
#include <memory>

namespace morvix::cli {

namespace {

// The pole named by the positional FORM or by --regex; null after printing why.
std::unique_ptr<Tgen> pole(const charg1 &base, const CliArgs &args, int &rc) {
    rc = kExitOk;
    const bool regex = args.has("--regex");
    if (regex == (args.positionals().size() == 2)) {
        rc = fail(kExitUsage, "donnez soit une forme, soit --regex EXPR");
        return nullptr;
    }
    if (regex) {
        std::string error;
        auto group = PoleDepuisExpression(base, inText(*args.value("--regex")), error);
        if (error == kExpressionTropCouteuse)
            rc = fail(kExitInput, error + " : une forme demande plus d'essais que la limite du "
                                          "moteur ; simplifiez l'expression");
        else if (!error.empty())
            rc = fail(kExitUsage, "expression rationnelle invalide : " + error);
        else if (!group)
            rc = fail(kExitInput, "l'expression ne sélectionne aucune forme");
        return group;
    }
    const std::string form = inText(args.positionals()[1]);
    auto group = PoleDepuisForme(base, form);
    if (!group) {
        const int32_t segment = CodeSegmentDeTexte(base, form);
        if (segment >= 0)
            return std::make_unique<Tgen>(&base, &segment, 1, nullptr);
    }
    if (!group)
        rc = fail(kExitInput, "la forme " + args.positionals()[1] + " n'est pas dans la base");
    return group;
}

void printText(const DocumentConcordance &doc) {
    for (const ElementDocument &item : doc.elements)
        std::cout << outText(LigneAffichage(item).texte) << '\n';
}

int concordance(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("concordance", argv,
                      {"--regex", "--tri", "--largeur", "--partition", "--format", kOptionSegments},
                      {}, 1, 2, args))
        return kExitUsage;
    std::string error;
    int64_t largeur = kLargeurDefaut;
    if (!args.intValue("--largeur", kLargeurDefaut, largeur, error, kLargeurMin, kLargeurMax))
        return fail(kExitUsage, error);
    OptionsConcordance options;
    options.largeur = static_cast<int32_t>(largeur);
    const std::string tri = args.value("--tri").value_or("aucun");
    if (tri == "aucun")
        options.sens = kTriAucun;
    else if (tri == "avant")
        options.sens = kTriAvant;
    else if (tri == "apres" || tri == "après")
        options.sens = kTriApres;
    else
        return fail(kExitUsage, "--tri attend aucun, avant ou apres");
    const std::string format = args.value("--format").value_or("text");
    if (format != "text" && format != "rtf" && format != "html")
        return fail(kExitUsage, "--format attend text, rtf ou html");

    charg1 base;
    if (!chargeBase(base, args.positionals()[0]))
        return kExitInput;
    int rc = kExitOk;
    const std::unique_ptr<SegRep> segments = attacheSegments(base, args, rc);
    if (rc != kExitOk)
        return rc;
    auto group = pole(base, args, rc);
    if (!group)
        return rc;

    RegroupementParties parts;
    std::unique_ptr<Partition> partition;
    if (auto key = args.value("--partition")) {
        const int32_t cle = Partition::CodeCle(base, inText(*key));
        if (cle < 0)
            return fail(kExitInput, "la clé " + *key + " n'est pas dans la base");
        partition = std::make_unique<Partition>(base, cle);
        parts = RegroupementDe(*partition);
        options.regroupement = &parts;
    }

    DocumentConcordance doc = ConstruitConcordance(base, *group, options);
    if (format == "rtf") {
        std::cout << DocumentRtf(doc, group->Couleur);
    } else if (format == "html") {
        InfoPageConcordance info;
        info.nomBase = base.NomBase();
        info.nomPole = group->Nom;
        info.sens = options.sens;
        info.cle = options.regroupement ? &parts.cle : nullptr;
        std::cout << PageHtmlConcordance(doc, info);
    } else {
        printText(doc);
    }
    std::cerr << "Nombre de contextes : " << doc.nbOccurrences << '\n';
    return kExitOk;
}

int inventaire(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("inventaire", argv, {"--regex", "--delims"}, {}, 1, 2, args))
        return kExitUsage;
    charg1 base;
    if (!chargeBase(base, args.positionals()[0]))
        return kExitInput;
    int rc = kExitOk;
    auto group = pole(base, args, rc);
    if (!group)
        return rc;
    const std::string delims =
        args.has("--delims") ? inText(*args.value("--delims")) : std::string(kDelimiteursDefaut);
    DocumentConcordance doc = ConstruitInventaire(base, *group, delims);
    printText(doc);
    std::cerr << doc.nbOccurrences << " segments\n";
    return kExitOk;
}

const CommandRegistration
    kConcordance({"concordance",
                  "concordance BASE.par (FORM | SEGMENT | --regex EXPR) [--tri aucun|avant|apres] "
                  "[--largeur N] [--partition KEY] [--format text|rtf|html] [--segments SF,SS]",
                  "contextes du pôle, triés et regroupés par partie ; rtf et html sont écrits en "
                  "Windows-1252",
                  concordance});
const CommandRegistration kInventaire(
    {"inventaire", "inventaire BASE.par (FORM | --regex EXPR) [--delims STRING]",
     "inventaire distributionnel : segments commençant par une forme du pôle", inventaire});

} // namespace

} // namespace morvix::cli
