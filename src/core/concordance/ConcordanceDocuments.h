// The two renderings of a concordance document: the rich-text document the concordance
// window shows, and the HTML page it adds to the report. Both return Windows-1252 text.
// Depends on concordance (the documents) and report (the page header).
#pragma once

#include "concordance/Concordance.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace morvix {

// An item as a text line, the way the window and the command line show it: a part header
// "Partie : " label ", Nombre de contextes : " n, or left, blank, pole, blank, right.
struct LigneAffichee {
    std::string texte;
    size_t debutPole = 0;    // where the pole begins in `texte` (lines only)
    size_t longueurPole = 0; // 0 for a header
};
LigneAffichee LigneAffichage(const ElementDocument &item);

// Rich text in Courier New: the pole in bold in its colour (black when the colour is white),
// part headers in bold; backslashes and braces of the texts are escaped.
std::string DocumentRtf(const DocumentConcordance &document, uint32_t couleurPole);

struct InfoPageConcordance {
    std::string titreFenetre = "Concordances"; // the window's caption
    std::string nomBase;                       // Windows-1252
    std::string nomPole;                       // Windows-1252
    int32_t sens = kTriAucun;
    const std::string *cle = nullptr; // graphy of the grouping partition's key, or null
    std::time_t date = std::time(nullptr);
};

// " (tri avant)", " (tri ordre du texte)" or " (tri après)".
std::string TexteTri(int32_t sens);
// "Concordance de : " and the pole's name.
std::string TitreConcordance(const std::string &nomPole);
// The file name of the window's n-th report page: "conc" n ".html".
std::string NomPageConcordance(int32_t compteur);
// The report entry's title: the page title followed by the sort text.
std::string TitreEntreeConcordance(const std::string &nomPole, int32_t sens);

// The report page of the concordance. The texts are escaped for HTML.
std::string PageHtmlConcordance(const DocumentConcordance &document,
                                const InfoPageConcordance &info);

// "Inventaire distributionnel de : " and the pole's name.
std::string TitreInventaire(const std::string &nomPole);
// The report page of a distributional inventory, laid out like the concordance's (the sort
// and the grouping do not apply), ending with the number of segments.
std::string PageHtmlInventaire(const DocumentConcordance &document,
                               const InfoPageConcordance &info);

// Stems of the pages' file names in the report ("conc1.html", "inv1.html", ...).
inline constexpr const char *kSouchePageConcordance = "conc";
inline constexpr const char *kSouchePageInventaire = "inv";

} // namespace morvix
