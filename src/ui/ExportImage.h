// Saving a drawing as a picture: SVG (the same drawing, as vectors) or PNG at a chosen width,
// with the proportions kept. Used by the windows that paint their own content; the file is
// replaced only once it is complete.
#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QAction;
class QPainter;
class QWidget;

namespace morvix::ui {

// Paints the drawing in its own coordinates (0, 0) - (taille.width, taille.height).
using Dessin = std::function<void(QPainter &)>;

// Writes the drawing to `chemin`: SVG when its extension is ".svg", otherwise PNG scaled to
// `largeurPng` pixels wide (the drawing's own width when 0). False, with the reason in
// `erreur`, when the picture cannot be made or written.
bool EnregistreDessin(const QString &chemin, QSize taille, const Dessin &dessin, int largeurPng,
                      QString *erreur);

// Asks for the file (proposing `nom`) and, for a PNG, for its width, then writes it and
// reports a failure in a message box.
void ExporteDessin(QWidget *parent, const QString &nom, QSize taille, const Dessin &dessin);

// The largest PNG side offered.
inline constexpr int kLargeurPngMax = 16000;

} // namespace morvix::ui
