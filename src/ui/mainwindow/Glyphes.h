// The program's own artwork: toolbar glyphs, navigation icons, the logo and the splash
// picture, drawn at run time.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace morvix::ui {

enum class Glyphe {
    Segment,
    Ouvrir,
    Docu,
    SR,
    PCLC,
    Part,
    Parag,
    SelFormes,
    Conteneur,
    ConteneurPlein,
    Mosaique,
    VaVersFeuille,
    NvFeuille,
    AjouteRap,
    Options,
    Edit,
    Aide,
    Quitter,
    ListFen,
};

QIcon IconeGlyphe(Glyphe g);
// Navigation tree icons: 0 window, 1 base or text, 2 folder of views.
QIcon IconeNavigation(int index);
// The logo at the left end of the toolbar (205 x 42).
QPixmap Logo();
// The splash picture (528 x 371).
QPixmap ImageAccueil();

} // namespace morvix::ui
