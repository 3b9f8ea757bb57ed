#include "report/CreationCorpus.h"

#include "util/FichierRemplace.h"

#include <filesystem>

namespace morvix {

namespace {

std::string caracteresInterdits(const std::string &texte, bool egal) {
    for (char c : texte) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= ' ' || b == 0x7F)
            return "elle ne peut contenir ni blanc ni caractère de contrôle";
        if (c == '<' || c == '>' || (egal && c == '='))
            return egal ? "elle ne peut contenir ni « < », ni « > », ni « = »"
                        : "il ne peut contenir « < » ni « > »";
    }
    return {};
}

} // namespace

std::string VerifieCleCorpus(const std::string &cle) {
    if (cle.empty())
        return "la clé est vide";
    const std::string raison = caracteresInterdits(cle, true);
    return raison.empty() ? std::string() : "clé incorrecte : " + raison;
}

std::string VerifieMarqueur(const std::string &marqueur) {
    for (char c : marqueur)
        if (c == '<' || c == '>')
            return "marqueur incorrect : il ne peut contenir « < » ni « > »";
    return {};
}

std::string MarqueurParagraphe(bool traitement, bool formeCle, const std::string &caractere,
                               const std::string &cleParagraphe) {
    if (!traitement)
        return {};
    return formeCle ? "<" + cleParagraphe + "=" : caractere;
}

ResultatCorpus EcritCorpus(const std::string &sortie, const std::vector<Fic> &fichiers,
                           const std::string &cle, const std::string &marqueur,
                           const Annulation *annulation,
                           const std::function<void(int32_t)> &gauge) {
    ResultatCorpus r;
    auto echec = [&](std::string message) {
        r.ok = false;
        r.message = std::move(message);
        return r;
    };
    if (const std::string raison = VerifieCleCorpus(cle); !raison.empty())
        return echec(raison);
    std::error_code ec;
    for (const Fic &f : fichiers)
        if (std::filesystem::equivalent(sortie, f.Chemin, ec))
            return echec("le corpus " + sortie +
                         " ne peut remplacer un des fichiers qu'il "
                         "rassemble");
    FichierRemplace fichier;
    if (!fichier.Ouvre(sortie))
        return echec("le corpus ne peut être écrit : " + fichier.Erreur());
    for (const Fic &f : fichiers) {
        if (Annulee(annulation)) {
            r.annule = true;
            return r;
        }
        fichier.Ecrit("<" + cle + "=" + f.Nom + ">\r\n");
        const EcritureFic e = f.Ecrit(fichier, marqueur, annulation);
        if (e.annule) {
            r.annule = true;
            return r;
        }
        if (!e.ok)
            return echec(e.message);
        fichier.Ecrit("\r\n");
        ++r.nbFichiers;
        r.nbConvertis += e.converti ? 1 : 0;
        r.nbRemplaces += e.nbRemplaces;
        r.nbEspaces += e.nbEspaces;
        if (gauge)
            gauge(0);
    }
    if (!fichier.Valide())
        return echec("le corpus ne peut être écrit : " + fichier.Erreur());
    return r;
}

} // namespace morvix
