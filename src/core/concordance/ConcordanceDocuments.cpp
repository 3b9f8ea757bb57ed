#include "concordance/ConcordanceDocuments.h"

#include "report/RapportOutils.h"
#include "util/TextWriter.h"

namespace morvix {

namespace {

void appendRtfEscaped(std::string &out, const std::string &text) {
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
}

} // namespace

LigneAffichee LigneAffichage(const ElementDocument &item) {
    LigneAffichee ligne;
    if (item.entete) {
        ligne.texte =
            "Partie : " + item.libelle + ", Nombre de contextes : " + std::to_string(item.nombre);
        return ligne;
    }
    const LigneContexte &l = item.ligne;
    ligne.texte.reserve(l.gauche.size() + l.pole.size() + l.droite.size() + 2);
    ligne.texte += l.gauche;
    ligne.texte += ' ';
    ligne.debutPole = ligne.texte.size();
    ligne.longueurPole = l.pole.size();
    ligne.texte += l.pole;
    ligne.texte += ' ';
    ligne.texte += l.droite;
    return ligne;
}

std::string DocumentRtf(const DocumentConcordance &document, uint32_t couleurPole) {
    const uint32_t c = couleurPole == kCouleurAucune ? 0 : couleurPole;
    std::string out = "{\\rtf1\\ansi\\deff0\\deftab10000\n{\\fonttbl{\\f0\\fmodern\\fprq1 Courier "
                      "New;}}\n{\\colortbl\\red0\\green0\\blue0;\\red";
    out += std::to_string(c & 0xFF);
    out += "\\green";
    out += std::to_string((c >> 8) & 0xFF);
    out += "\\blue";
    out += std::to_string((c >> 16) & 0xFF);
    out += ";}\n\\pard \\f0 \\fs20 \n";
    for (const ElementDocument &item : document.elements) {
        if (item.entete) {
            out += "\\par \\b Partie : ";
            appendRtfEscaped(out, item.libelle);
            out += ", Nombre de contextes : ";
            out += std::to_string(item.nombre);
            out += "\\par \\b0 \n";
            continue;
        }
        out += "\\f0 \\fs20 ";
        appendRtfEscaped(out, item.ligne.gauche);
        out += " \\b \\cf1 ";
        appendRtfEscaped(out, item.ligne.pole);
        out += " \\b0 \\cf0 \\f0 \\fs20 ";
        appendRtfEscaped(out, item.ligne.droite);
        out += " \\par ";
    }
    out += "\\par }";
    return out;
}

std::string TexteTri(int32_t sens) {
    std::string text = " (tri ";
    text += sens < 0 ? "avant)" : sens == 0 ? "ordre du texte)" : cp1252Literal("après)");
    return text;
}

std::string TitreConcordance(const std::string &nomPole) { return "Concordance de : " + nomPole; }

std::string NomPageConcordance(int32_t compteur) {
    return "conc" + std::to_string(compteur) + ".html";
}

std::string TitreEntreeConcordance(const std::string &nomPole, int32_t sens) {
    return TitreConcordance(nomPole) + TexteTri(sens);
}

namespace {

std::string debutPage(const char *titreHtml, const InfoPageConcordance &info,
                      const std::string *cle) {
    std::string out = "<html>\n<head>\n<title>";
    out += titreHtml;
    out += "</title>\n</head>\n<body bgcolor=#ffffff>\n<CENTER><H3>";
    out += info.titreFenetre;
    out += "</H3></CENTER><br>";
    out += EnteteRapport(info.nomBase, cle, info.date);
    out += "<pre><font size=2>";
    return out;
}

void appendLignes(std::string &out, const DocumentConcordance &document) {
    for (const ElementDocument &item : document.elements) {
        if (item.entete) {
            out += "\n<br><b>Partie : ";
            AjouteHtmlEchappe(out, item.libelle);
            out += ", Nombre de contextes : ";
            out += std::to_string(item.nombre);
            out += "</b><br>\n";
            continue;
        }
        AjouteHtmlEchappe(out, item.ligne.gauche);
        out += "&nbsp;<b>";
        AjouteHtmlEchappe(out, item.ligne.pole);
        out += "</b>&nbsp;";
        AjouteHtmlEchappe(out, item.ligne.droite);
        out += '\n';
    }
}

} // namespace

std::string PageHtmlConcordance(const DocumentConcordance &document,
                                const InfoPageConcordance &info) {
    std::string out = debutPage("Concordance", info, info.cle);
    AjouteHtmlEchappe(out, TitreConcordance(info.nomPole));
    out += "<br>";
    out += TexteTri(info.sens);
    out += "<br><br>\n";
    appendLignes(out, document);
    out += "</font></pre></body></html>";
    return out;
}

std::string TitreInventaire(const std::string &nomPole) {
    return "Inventaire distributionnel de : " + nomPole;
}

std::string PageHtmlInventaire(const DocumentConcordance &document,
                               const InfoPageConcordance &info) {
    std::string out = debutPage("Inventaire distributionnel", info, nullptr);
    AjouteHtmlEchappe(out, TitreInventaire(info.nomPole));
    out += "<br><br>\n";
    appendLignes(out, document);
    out += "<br>";
    out += std::to_string(document.nbOccurrences);
    out += " segments\n</font></pre></body></html>";
    return out;
}

} // namespace morvix
