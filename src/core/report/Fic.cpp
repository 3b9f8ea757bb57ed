#include "report/Fic.h"

#include "report/LectureDocument.h"
#include "util/ConversionEntree.h"
#include "util/FichierRemplace.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace morvix {

namespace {

struct Fermeture {
    void operator()(std::FILE *f) const { std::fclose(f); }
};

EcritureFic echec(std::string message) {
    EcritureFic e;
    e.ok = false;
    e.message = std::move(message);
    return e;
}

// A text file: its bytes, or their conversion when they are UTF-8.
EcritureFic ecritTexte(const std::string &chemin, FichierRemplace &sortie,
                       const Annulation *annulation) {
    std::unique_ptr<std::FILE, Fermeture> f(std::fopen(chemin.c_str(), "rb"));
    if (!f)
        return echec("le fichier " + chemin + " ne peut être lu : " + std::strerror(errno));
    std::string morceau(size_t{1} << 20, '\0');
    ValidateurUtf8 validateur;
    bool bom = false, premier = true;
    size_t n;
    while ((n = std::fread(morceau.data(), 1, morceau.size(), f.get())) > 0) {
        if (premier)
            bom = std::string_view(morceau.data(), n).substr(0, 3) == "\xEF\xBB\xBF";
        premier = false;
        validateur.Ajoute(std::string_view(morceau.data(), n));
        if (validateur.Invalide() && !bom)
            break;
    }
    if (std::ferror(f.get()))
        return echec("le fichier " + chemin + " ne peut être lu : " + std::strerror(errno));
    const bool utf8 = bom || (validateur.Valide() && validateur.HorsAscii());
    std::rewind(f.get());
    EcritureFic e;
    e.converti = utf8;
    ConvertisseurCp1252 conv;
    std::string converti;
    while ((n = std::fread(morceau.data(), 1, morceau.size(), f.get())) > 0) {
        if (Annulee(annulation)) {
            e.annule = true;
            return e;
        }
        if (utf8) {
            converti.clear();
            conv.Ajoute(std::string_view(morceau.data(), n), converti);
            sortie.Ecrit(converti);
        } else {
            sortie.Ecrit(std::string_view(morceau.data(), n));
        }
    }
    if (std::ferror(f.get()))
        return echec("le fichier " + chemin + " ne peut être lu : " + std::strerror(errno));
    if (utf8) {
        converti.clear();
        conv.Termine(converti);
        sortie.Ecrit(converti);
        e.nbRemplaces = conv.NbRemplaces();
        e.nbEspaces = conv.NbEspaces();
    }
    return e;
}

} // namespace

std::string NomFic(const std::string &chemin) {
    const size_t barre = chemin.rfind('/');
    std::string nom = barre == std::string::npos ? chemin : chemin.substr(barre + 1);
    const size_t point = nom.rfind('.');
    if (point != std::string::npos)
        nom.erase(point);
    if (EstUtf8(nom))
        nom = Utf8VersCp1252(nom);
    if (nom.size() > kLongueurNomFic)
        nom.resize(kLongueurNomFic);
    for (char &c : nom) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= ' ' || c == '<' || c == '>' || b == 0x7F)
            c = '_';
    }
    return nom.empty() ? std::string("_") : nom;
}

Fic::Fic(std::string chemin) : Chemin(std::move(chemin)) {
    Nom = NomFic(Chemin);
    struct stat st {};
    if (::stat(Chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        Taille = static_cast<int64_t>(st.st_size);
    switch (FormatDocumentDe(Chemin)) {
    case FormatDocument::Doc:
        Type = kFicWord;
        break;
    case FormatDocument::Docx:
        Type = kFicWordXml;
        break;
    case FormatDocument::Odt:
        Type = kFicOdt;
        break;
    case FormatDocument::Aucun: {
        const size_t point = Chemin.rfind('.');
        const size_t barre = Chemin.rfind('/');
        std::string ext =
            point != std::string::npos && (barre == std::string::npos || point > barre)
                ? Chemin.substr(point)
                : std::string();
        for (char &c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Type = ext == ".txt" ? kFicTexte : kFicInconnu;
        break;
    }
    }
}

EcritureFic Fic::Ecrit(FichierRemplace &sortie, const std::string &marqueur,
                       const Annulation *annulation) const {
    if (!EstDocument())
        return ecritTexte(Chemin, sortie, annulation);
    ParagraphesDocument doc = LitParagraphes(Chemin, annulation);
    EcritureFic e;
    if (doc.annule) {
        e.annule = true;
        return e;
    }
    if (!doc.ok)
        return echec(doc.message);
    e.converti = true;
    const bool formeCle = !marqueur.empty() && marqueur.front() == '<';
    std::string avant = marqueur;
    if (!avant.empty() && !formeCle && avant.back() != '\n')
        avant += '\n';
    // Line ends of the corpus are CR LF, as every text file the system writes.
    std::string fin;
    for (char c : avant) {
        if (c == '\n')
            fin += '\r';
        fin += c;
    }
    avant = std::move(fin);
    ConvertisseurCp1252 conv;
    std::string texte;
    int32_t i = 0;
    for (const std::string &paragraphe : doc.paragraphes) {
        ++i;
        if (Annulee(annulation)) {
            e.annule = true;
            return e;
        }
        texte.clear();
        texte += avant;
        if (formeCle) {
            texte += std::to_string(i);
            texte += ">\r\n";
        }
        conv.Ajoute(paragraphe, texte);
        conv.Termine(texte);
        texte += '\r';
        sortie.Ecrit(texte);
    }
    e.nbParagraphes = i;
    e.nbRemplaces = conv.NbRemplaces();
    e.nbEspaces = conv.NbEspaces();
    return e;
}

} // namespace morvix
