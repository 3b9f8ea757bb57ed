// Saving a drawing as a picture: SVG (the same drawing, as vectors) or PNG at a chosen width,
// with the proportions kept. Used by the windows that paint their own content; the file is
// replaced only once it is complete. Also the context-menu action of the charts and maps,
// and the JPEG images they add to the report.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QPainter;
class QWidget;

namespace morvix {
class Rapport;
}

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

// The report of the open base at the time of asking (it is replaced by "Nouveau"); null
// when none.
using FournisseurRapport = std::function<morvix::Rapport *()>;

// A drawing whose size follows its window: the size on screen, and the painting at it.
struct DessinExport {
    std::function<QSize()> taille;
    Dessin dessine;
};

// The drawing at its size on screen, on white.
QImage ImageDessin(const DessinExport &dessin);

// The context-menu action "Enregistrer l'image..." of a window (owned by it), proposing
// `nom` (with its extension).
QAction *ActionExportImage(QWidget *proprietaire, DessinExport dessin, QString nom);

// Writes `image` as a JPEG of the report's quality into the report's working folder under
// the first free name for `souche` (Windows-1252, made safe): souche.jpg, else souche2.jpg
// ..., and registers it with `titre` and
// `commentaire`. False, with the reason in `erreur`, when nothing was added.
bool AjouteImageRapport(morvix::Rapport &rapport, const QImage &image, const std::string &souche,
                        const std::string &titre, const std::string &commentaire, QString *erreur);

// AjouteImageRapport on the current report, with a message box on failure; nothing when
// there is no report.
void AjouteImageAuRapport(QWidget *fenetre, const FournisseurRapport &rapport, const QImage &image,
                          const std::string &souche, const std::string &titre,
                          const std::string &commentaire);

} // namespace morvix::ui
