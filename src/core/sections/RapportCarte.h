// The report entry of a section map's image: its file name and the comment that heads its
// page. Texts are Windows-1252. Depends on report (the page header).
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace morvix {

class Rapport;

// The first n from `premier` up whose name nom(n) is neither an entry of the report nor a
// file of its working folder, so that no window overwrites another's entry.
int32_t NumeroLibre(const Rapport &rapport, const std::function<std::string(int32_t)> &nom,
                    int32_t premier = 1);

// "img-section-" + the view's first delimiter + n + ".jpg", made safe as a file name.
std::string NomImageCarte(std::string_view premierDelimiteur, int32_t n);

// What the comment says besides its title.
struct ContenuImageCarte {
    std::string titre;            // the window's caption, then "(" n ")"
    const std::string *groupe1;   // the main group's name, or null
    const std::string *groupeSup; // the second group's name, or null
    std::string nomBase;
    const std::string *cle; // the partition's key type, or null
};

// "<CENTER><H3>" title "</H3><CENTER><br>\n", "Terme = " and the group names, then the page
// header table and "<br>\n".
std::string CommentaireImageCarte(const ContenuImageCarte &contenu,
                                  std::time_t t = std::time(nullptr));

} // namespace morvix
