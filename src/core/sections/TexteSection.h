// The text of one section: the styled runs of the map's text pane (the occurrences of the
// two groups picked out, tags shown as <key=content>), and the section's HTML page for the
// report. Line ends are not shown: a section reads as one paragraph. Texts are
// Windows-1252. Depends on base (charg1), corpus (Section) and groups (Tgen).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvix {

class Section;
class Tgen;

enum class StyleTexte {
    Normal,
    Groupe1, // bold, in the main group's colour
    Groupe2, // bold, in the second group's colour
    Balise,  // a tag, in blue
};

struct RunTexte {
    std::string texte;
    StyleTexte style = StyleTexte::Normal;
};

struct TexteSectionResultat {
    std::vector<RunTexte> runs;
    // Positions of the section left out beyond `maxPositions`.
    int64_t omises = 0;
};

// The runs of section s: each form, punctuation sign and key content followed by one blank;
// an occurrence of `tgen1` (else of `tgenSup`) in a run of its own; a key type with the
// content after it as "<" key "=" content ">" without a blank. Plain runs next to each other
// are joined. Either group may be null. With `maxPositions` above 0, only the section's first
// positions are shown (a tag begun there is shown whole). Empty for s out of range.
TexteSectionResultat TexteSection(const Section &section, int32_t s, const Tgen *tgen1,
                                  const Tgen *tgenSup, int64_t maxPositions = 0);

// The HTML page of section s ("Section " s as title and heading), the occurrences of `tgen1`
// in bold and the tags in blue; graphies are escaped for HTML.
std::string PageSection(const Section &section, int32_t s, const Tgen *tgen1);

// "section-" s ".html"; from the second page of one section on, "section-" s "-" n ".html".
std::string NomPageSection(int32_t s, int32_t n = 1);

} // namespace morvix
