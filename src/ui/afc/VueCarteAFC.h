// The factorial map: each part a labelled box at its coordinates on the two factors shown,
// the axes through 0 with their ticks, a rubber band to hit several boxes, and the hover
// text. Only the exposed boxes are painted; the layout (core afc/CarteFactorielle.h) is
// recomputed when the size, an axis or the labels change, and serves the hit tests.
#pragma once

#include "ExportImage.h"
#include "afc/CarteFactorielle.h"

#include <QStaticText>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QRubberBand;

namespace morvix {
class Partition;
class TListePoints;
} // namespace morvix

namespace morvix::ui {

class VueCarteAFC : public QWidget {
    Q_OBJECT
  public:
    VueCarteAFC(Partition &partition, TListePoints &points, QWidget *parent = nullptr);

    // The labels of the parts (Windows-1252), shown in the boxes.
    void SetLibelles(std::vector<std::string> libelles);
    const std::vector<std::string> &Libelles() const { return m_libelles; }
    // The axes changed: lays the boxes out again and repaints.
    void Actualise();

    void SetMode(ModeCarte mode);
    ModeCarte Mode() const { return m_mode; }
    // The colour colouring gives.
    void SetCouleur(uint32_t couleur) { m_couleur = couleur; }
    // Asked before a click or a rubber band changes the parts' marks: when it says false
    // (a job is reading the partition), they are left and the map beeps.
    void SetPartitionLibre(std::function<bool()> libre) { m_partitionLibre = std::move(libre); }
    bool PartitionLibre() const { return !m_partitionLibre || m_partitionLibre(); }

    const CarteFactorielle &Carte() const { return m_carte; }
    // Paints the map of the widget's size, the boxes that meet `zone` only.
    void Dessine(QPainter &p, const QRect &zone) const;
    DessinExport Dessin();
    QAction *ActionImage() const { return m_actionImage; }
    // Repaints the boxes of the parts whose flags or colours differ from `avant`.
    struct Etat {
        std::vector<bool> selec, cochee;
        std::vector<uint32_t> couleurs;
    };
    Etat EtatParties() const;
    void RepeintChangees(const Etat &avant);

  Q_SIGNALS:
    // The hover text for the status line.
    void Survol(const QString &texte);
    // A click or a rubber band changed the parts' marks.
    void PartiesModifiees();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    void Dispose();

    Partition &m_partition;
    TListePoints &m_points;
    std::vector<std::string> m_libelles;
    std::vector<QStaticText> m_textes;
    std::vector<TailleTexte> m_tailles;
    CarteFactorielle m_carte;
    ModeCarte m_mode = ModeCarte::Selection;
    uint32_t m_couleur = 0xFF0000;
    std::function<bool()> m_partitionLibre;
    QPoint m_coin1, m_coin2;
    bool m_enfonce = false;
    Qt::MouseButton m_bouton = Qt::NoButton;
    QRubberBand *m_elastique;
    QAction *m_actionImage;
};

} // namespace morvix::ui
