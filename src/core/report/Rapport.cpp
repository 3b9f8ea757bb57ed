#include "report/Rapport.h"

#include "base/charg1.h"
#include "report/RapportOutils.h"
#include "report/Temporaires.h"
#include "util/Encoding.h"
#include "util/Programme.h"
#include "util/TextWriter.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace morvix {

namespace {

std::string horodatage(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
}

} // namespace

Rapport::Rapport(RapportArbre *arbre, const charg1 *base, std::time_t creation)
    : m_base(base), m_arbre(arbre), m_dossierImages(DossierProgramme() + "images/") {
    assert(base && "a report needs its base");
    m_nom = base->NomBase() + "_" + horodatage(creation);
    std::string modele = DossierTemporaire() + "/" + PrefixeTemporaire("qzv5") + "XXXXXX";
    if (::mkdtemp(modele.data()))
        m_dossier = modele + "/";
    else
        m_erreur = "le dossier de travail du rapport ne peut être créé dans " + DossierTemporaire();
}

Rapport::~Rapport() {
    if (m_dossier.empty())
        return;
    std::error_code ec;
    fs::remove_all(m_dossier, ec);
}

bool Rapport::AjouteEntree(const std::string &titre, const std::string &fichier,
                           const std::string &commentaire) {
    if (fichier.empty() || NomFichierRapport(fichier) != fichier) {
        m_erreur = "nom de fichier refusé pour le rapport : " + cp1252ToUtf8(fichier);
        return false;
    }
    auto index = static_cast<int32_t>(m_fichiers.size());
    m_fichiers.push_back(fichier);
    m_commentaires.push_back(commentaire);
    m_entrees.push_back({titre, index});
    m_enregistre = false;
    if (m_arbre)
        m_arbre->EntreeAjoutee(index, titre);
    return true;
}

std::string Rapport::NomLibre(const std::string &souche, const std::string &extension,
                              bool premierSansNumero) {
    const std::string cle = souche + '\0' + extension + (premierSansNumero ? "-" : "1");
    int32_t &n = m_prochainNumero.try_emplace(cle, 1).first->second;
    while (true) {
        const int32_t numero = n++;
        std::string nom = souche;
        if (numero > 1 || !premierSansNumero)
            nom += std::to_string(numero);
        nom += extension;
        std::error_code ec;
        const bool pris =
            m_nomsReserves.count(nom) > 0 ||
            std::find(m_fichiers.begin(), m_fichiers.end(), nom) != m_fichiers.end() ||
            (Valide() && fs::exists(fs::path(m_dossier + nom), ec));
        if (!pris) {
            m_nomsReserves.insert(nom);
            return nom;
        }
    }
}

bool Rapport::copie(const std::string &source, const std::string &cible) {
    std::error_code ec;
    fs::copy_file(source, cible, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        m_erreur = "copie impossible de " + cp1252ToUtf8(source) + " vers " + cp1252ToUtf8(cible) +
                   " : " + ec.message();
        return false;
    }
    return true;
}

bool Rapport::Sauve(const std::string &destination) {
    m_erreur.clear();
    if (destination.empty())
        return false;
    std::string dossier = destination;
    if (dossier.back() != '/')
        dossier += '/';
    dossier += m_nom + "/";
    const std::string contenu = dossier + "contenu/";
    std::error_code ec;
    fs::create_directories(contenu, ec);
    if (ec) {
        m_erreur = "le dossier " + cp1252ToUtf8(contenu) + " ne peut être créé : " + ec.message();
        return false;
    }

    // A missing decoration only leaves a picture out of the saved pages.
    for (const char *image : {"paper.gif", "bulle.gif", "cube.gif", "grille.gif"})
        fs::copy_file(m_dossierImages + image, contenu + image,
                      fs::copy_options::overwrite_existing, ec);

    auto ligne = [](std::string &page, const char *utf8) {
        page += cp1252Literal(utf8);
        page += '\n';
    };
    std::string index;
    ligne(index, "<HTML><HEAD><TITLE>Rapport </TITLE></HEAD>");
    ligne(index, "<BODY BACKGROUND=\"contenu\\paper.gif\">");
    ligne(index, "<table width=\"100%\" border=\"1\" cellpadding=\"5\" "
                 "background=\"contenu\\grille.gif\"><tr> <td colspan=\"2\"><img "
                 "src=\"contenu\\cube.gif\">&nbsp;&nbsp; Rapport d'analyse <br></table><br>");
    ligne(index, "<table width=\"100%\" border=\"1\" cellpadding=\"5\" "
                 "background=\"contenu\\grille.gif\"><tr> <td colspan=\"2\"><img "
                 "src=\"contenu\\bulle.gif\">Principales caratéristiques lexicométriques");
    auto compte = [&](const char *utf8, int32_t n) {
        index += cp1252Literal(utf8);
        index += std::to_string(n);
        index += '\n';
    };
    compte("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des occurrences <td align=right>",
           m_base->Nbocc());
    compte("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des formes<td align=right>",
           m_base->Nbform());
    compte("<tr><td><img src=\"contenu\\bulle.gif\">Fréquence maximale<td align=right>",
           m_base->Fmax());
    compte("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des hapax<td align=right>",
           m_base->Nhap());
    ligne(index, "</table><br><br>");
    ligne(index, "<OL>");

    for (const EntreeRapport &entree : m_entrees) {
        const std::string &fichier = m_fichiers[static_cast<size_t>(entree.index)];
        if (!copie(m_dossier + fichier, contenu + fichier))
            return false;
        std::string lien;
        size_t jpg = fichier.find(".jpg");
        if (jpg != std::string::npos) {
            std::string pageImage = fichier.substr(0, jpg + 1) + "html";
            lien = "contenu/" + pageImage;
            std::string page = "<html>\n<head><title>Image</title></head>\n<body "
                               "bgcolor=#ffffff>\n" +
                               m_commentaires[static_cast<size_t>(entree.index)] +
                               "<br>\n<img src=\"" + fichier + "\">\n</body>\n</html>";
            if (!EcritPageRapport(contenu + pageImage, page)) {
                m_erreur = "la page " + cp1252ToUtf8(contenu + pageImage) + " ne peut être écrite";
                return false;
            }
        } else {
            lien = "contenu/" + fichier;
        }
        index += "<LI><A HREF=\"" + lien + "\">" + entree.titre + "</A>\n";
    }
    ligne(index, "</OL>");
    ligne(index, "</BODY></HTML>");

    if (!EcritPageRapport(dossier + "index.htm", index)) {
        m_erreur = "la page " + cp1252ToUtf8(dossier) + "index.htm ne peut être écrite";
        return false;
    }
    m_enregistre = true;
    return true;
}

} // namespace morvix
