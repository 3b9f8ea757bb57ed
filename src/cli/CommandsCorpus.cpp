// morvix-cli commands on input texts: corpus (assembling text and word-processor files),
// and the preparation of the text that segment reads (--encoding-entree).
#include "CliCommand.h"

#include "report/CreationCorpus.h"
#include "report/PreparationTexte.h"

#include <iostream>

namespace morvix::cli {

int prepareTexteEntree(const std::string &chemin, const std::optional<std::string> &encodage,
                       std::string &texte) {
    EncodageEntree mode = EncodageEntree::Auto;
    if (encodage) {
        if (*encodage == "utf8" || *encodage == "utf-8")
            mode = EncodageEntree::Utf8;
        else if (*encodage == "cp1252" || *encodage == "windows-1252")
            mode = EncodageEntree::Cp1252;
        else if (*encodage != "auto")
            return fail(kExitUsage,
                        "encodage d'entrée inconnu : " + *encodage + " (auto, utf8 ou cp1252)");
    }
    const ResultatConversion r = PrepareTexte(chemin, mode);
    if (!r.ok)
        return fail(kExitInput, r.message);
    texte = r.chemin;
    if (r.converti) {
        std::string note = (r.document ? "document converti en texte Windows-1252 : "
                                       : "texte UTF-8 converti en Windows-1252 : ") +
                           r.chemin;
        if (const std::string resume = ResumeRemplacements(r.nbRemplaces, r.nbEspaces);
            !resume.empty())
            note += " (" + resume + ")";
        std::cerr << "morvix-cli: " << note << '\n';
    }
    return kExitOk;
}

namespace {

int corpus(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("corpus", argv, {"--cle", "--marqueur", "--cle-paragraphe"}, {}, 2, SIZE_MAX,
                      args))
        return kExitUsage;
    if (args.has("--marqueur") && args.has("--cle-paragraphe"))
        return fail(kExitUsage, "--marqueur et --cle-paragraphe s'excluent");
    const std::string cle = inText(args.value("--cle").value_or(kCleCorpusDefaut));
    if (const std::string raison = VerifieCleCorpus(cle); !raison.empty())
        return fail(kExitUsage, "--cle : " + raison);
    std::string marqueur;
    if (auto m = args.value("--marqueur")) {
        marqueur = inText(*m);
        if (const std::string raison = VerifieMarqueur(marqueur); !raison.empty())
            return fail(kExitUsage, "--marqueur : " + raison);
    } else if (auto c = args.value("--cle-paragraphe")) {
        const std::string cleParagraphe = inText(*c);
        if (const std::string raison = VerifieCleCorpus(cleParagraphe); !raison.empty())
            return fail(kExitUsage, "--cle-paragraphe : " + raison);
        marqueur = MarqueurParagraphe(true, true, {}, cleParagraphe);
    }
    const std::string &sortie = args.positionals()[0];
    std::vector<Fic> fichiers;
    for (size_t i = 1; i < args.positionals().size(); ++i)
        fichiers.emplace_back(args.positionals()[i]);
    const ResultatCorpus r = EcritCorpus(sortie, fichiers, cle, marqueur);
    if (!r.ok)
        return fail(kExitInput, r.message);
    std::cout << "corpus\t" << sortie << "\nfichiers\t" << r.nbFichiers << "\nconvertis\t"
              << r.nbConvertis << "\ncaracteres remplaces\t" << r.nbRemplaces
              << "\nespaces remplaces\t" << r.nbEspaces << '\n';
    return kExitOk;
}

const CommandRegistration kCorpus(
    {"corpus", "corpus OUT.txt FICHIER... [--cle NOM] [--marqueur TEXTE | --cle-paragraphe NOM]",
     "rassemble des textes et des documents (.doc, .docx, .odt) en un corpus, chacun ouvert "
     "par <NOM=fichier> (NOM : titre par défaut)",
     corpus});

} // namespace

} // namespace morvix::cli
