#include "report/PageEddy.h"

#include "base/charg1.h"
#include "groups/Tgen.h"
#include "report/Temporaires.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace morvix {

namespace {

struct FermeFichier {
    void operator()(std::FILE *f) const { std::fclose(f); }
};

std::string couleurHtml(uint32_t c) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "#%02x%02x%02x", c & 0xFFu, (c >> 8) & 0xFFu,
                  (c >> 16) & 0xFFu);
    return texte;
}

} // namespace

std::string NomPageTemporaire() {
    std::string modele = DossierTemporaire() + "/" + PrefixeTemporaire("qzth") + "XXXXXX";
    const int fd = mkstemp(modele.data());
    if (fd < 0) {
        return {};
    }
    close(fd);
    return modele;
}

bool EcritPageEddy(const std::string &chemin, const charg1 &base, const Tgen *groupe) {
    std::unique_ptr<std::FILE, FermeFichier> f(std::fopen(chemin.c_str(), "wb"));
    if (!f) {
        return false;
    }
    std::string page;
    page.reserve(1 << 20);
    page += "<html><head><title>Texte</title>";
    page += "<style type=\"text/css\">\n";
    page += ".tgenstyle {font-weight: bold;\ncolor: ";
    page += groupe != nullptr ? couleurHtml(groupe->Couleur) : std::string("#ff0000");
    page += ";}\n";
    page += ".partie {background-color: #ffff00;\nfont-weight: bold;\ncolor: #0000ff;}\n";
    page += "</style></head><body>\n";

    const int32_t limiteFormes = base.Nbform() + base.Nbartponct();
    const int32_t limiteCles = limiteFormes + base.Nbcle();
    const int32_t n = base.Nbitem();
    // The group's occurrences are ascending: one cursor replaces a membership test.
    const int32_t *occ = groupe != nullptr && !groupe->Occ.empty() ? groupe->Occ.data() : nullptr;
    const int32_t *finOcc = occ != nullptr ? occ + groupe->Occ.size() : nullptr;
    bool ok = true;
    for (int32_t p = 0; p < n && ok; ++p) {
        const int32_t code = base.Tnum(p);
        if (code >= 0 && code < limiteFormes) {
            while (occ != finOcc && *occ < p) {
                ++occ;
            }
            if (occ != finOcc && *occ == p) {
                page += "<span class=\"tgenstyle\"> ";
                page += base.RetourneGraphie(code, false);
                page += "</span>";
            } else {
                page += ' ';
                page += base.RetourneGraphie(code, false);
            }
        } else if (code >= limiteFormes && code < limiteCles) {
            page += "<span class=\"partie\">&lt;";
            page += base.RetourneGraphie(code, false);
            page += '=';
            if (p + 1 < n) {
                page += base.RetourneGraphie(base.Tnum(p + 1), false);
            }
            page += "&gt;</span>";
            ++p;
        } else if (code > base.Limd()) {
            page += "<br />\n";
        }
        if (page.size() > (1u << 20) - 4096) {
            ok = std::fwrite(page.data(), 1, page.size(), f.get()) == page.size();
            page.clear();
        }
    }
    page += "</body></html>\n";
    ok = ok && std::fwrite(page.data(), 1, page.size(), f.get()) == page.size();
    ok = std::fclose(f.release()) == 0 && ok;
    return ok;
}

} // namespace morvix
