#include "sections/TexteSection.h"

#include "base/charg1.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "report/RapportOutils.h"

#include <algorithm>

namespace morvix {

namespace {

// Tells in ascending order whether positions are occurrences of a group, by one walk along
// its ascending positions.
class Curseur {
  public:
    explicit Curseur(const Tgen *g, int32_t debut) {
        if (g != nullptr) {
            m_it = std::lower_bound(g->Occ.begin(), g->Occ.end(), debut);
            m_fin = g->Occ.end();
        }
    }
    bool contient(int32_t p) {
        while (m_it != m_fin && *m_it < p)
            ++m_it;
        return m_it != m_fin && *m_it == p;
    }

  private:
    std::vector<int32_t>::const_iterator m_it{};
    std::vector<int32_t>::const_iterator m_fin{};
};

enum class Genre { Groupe1, Groupe2, Texte, Balise };

// Walks the positions of section s, calling f(genre, graphy, content graphy) for each item
// shown; stops after `max` positions when it is above 0 and returns the positions left.
template <class F>
int64_t parcourt(const Section &section, int32_t s, const Tgen *g1, const Tgen *g2, int64_t max,
                 F &&f) {
    if (s < 0 || s >= section.NbSections)
        return 0;
    const charg1 &b = *section.Base;
    const int32_t debut = section.Debuts[static_cast<size_t>(s)];
    const int32_t fin = section.Debuts[static_cast<size_t>(s) + 1];
    const int32_t nbart = b.Nbart();
    const int32_t debutCles = b.Nbform() + b.Nbartponct();
    const int32_t finCles = debutCles + b.Nbcle();
    Curseur c1(g1, debut);
    Curseur c2(g2, debut);
    int64_t vues = 0;
    for (int32_t p = debut; p < fin; ++p) {
        if (max > 0 && vues++ >= max)
            return fin - p;
        const int32_t c = b.Tnum(p);
        if (c < 0 || c >= nbart)
            continue; // a line end
        const char *g = b.RetourneGraphieAtPos(p, false);
        if (c1.contient(p)) {
            f(Genre::Groupe1, g, nullptr);
        } else if (c2.contient(p)) {
            f(Genre::Groupe2, g, nullptr);
        } else if (c < debutCles || c >= finCles) {
            f(Genre::Texte, g, nullptr);
        } else {
            const char *contenu =
                p + 1 < b.Nbitem() ? b.RetourneGraphieAtPos(p + 1, false) : nullptr;
            f(Genre::Balise, g, contenu != nullptr ? contenu : "");
            ++p;
        }
    }
    return 0;
}

} // namespace

TexteSectionResultat TexteSection(const Section &section, int32_t s, const Tgen *tgen1,
                                  const Tgen *tgenSup, int64_t maxPositions) {
    TexteSectionResultat r;
    std::string attente;
    auto vide = [&] {
        if (!attente.empty()) {
            r.runs.push_back({std::move(attente), StyleTexte::Normal});
            attente.clear();
        }
    };
    r.omises = parcourt(
        section, s, tgen1, tgenSup, maxPositions,
        [&](Genre genre, const char *g, const char *contenu) {
            switch (genre) {
            case Genre::Texte:
                attente += g;
                attente += ' ';
                break;
            case Genre::Groupe1:
            case Genre::Groupe2:
                vide();
                r.runs.push_back({std::string(g) + ' ', genre == Genre::Groupe1
                                                            ? StyleTexte::Groupe1
                                                            : StyleTexte::Groupe2});
                break;
            case Genre::Balise:
                vide();
                r.runs.push_back({std::string("<") + g + '=' + contenu + '>', StyleTexte::Balise});
                break;
            }
        });
    vide();
    return r;
}

std::string PageSection(const Section &section, int32_t s, const Tgen *tgen1) {
    const std::string n = std::to_string(s);
    std::string page = "<html>\n<head><title>Section " + n +
                       "</title></head>\n<body bgcolor=#ffffff>\n<h2>Section " + n +
                       "</h2><br>\n<font size=-2>\n";
    std::string attente;
    parcourt(section, s, tgen1, nullptr, 0, [&](Genre genre, const char *g, const char *contenu) {
        switch (genre) {
        case Genre::Texte:
        case Genre::Groupe2: // not marked on the page
            AjouteHtmlEchappe(attente, g);
            attente += ' ';
            break;
        case Genre::Groupe1:
            page += attente;
            attente.clear();
            page += "<b>";
            AjouteHtmlEchappe(page, g);
            page += "</b> ";
            break;
        case Genre::Balise:
            page += attente;
            attente.clear();
            page += "<font color=\"#0000FF\">&lt;";
            AjouteHtmlEchappe(page, g);
            page += '=';
            AjouteHtmlEchappe(page, contenu);
            page += "&gt;</font>";
            break;
        }
    });
    page += attente;
    page += "</font>\n</body>\n</html>";
    return page;
}

std::string NomPageSection(int32_t s, int32_t n) {
    std::string nom = "section-" + std::to_string(s);
    if (n > 1)
        nom += "-" + std::to_string(n);
    return nom + ".html";
}

} // namespace morvix
