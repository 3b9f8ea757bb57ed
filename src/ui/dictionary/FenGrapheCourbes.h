// What the Pareto and vocabulary-growth windows share: a chart filling the window with its
// legend at the top, a bottom panel of the chart's colour holding "Couleur du graphique" and
// "Effacer", drops of a partition that add a curve, and the chart added to the report.
#pragma once

#include "ExportImage.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QAbstractAxis;
class QChart;
class QMimeData;
class QToolButton;

namespace morvix {
class charg1;
class Partition;
struct PointCourbe;
} // namespace morvix

namespace morvix::ui {

class VueGraphique;

class FenGrapheCourbes : public QWidget {
    Q_OBJECT
  public:
    // `fond` is the chart's colour (0x00BBGGRR); `nomImage` the file name proposed when
    // saving the picture.
    FenGrapheCourbes(const charg1 &base, uint32_t fond, const QString &nomImage,
                     FournisseurRapport rapport, QWidget *parent);

    QChart *Graphe() const { return m_graphe; }
    VueGraphique *Vue() const { return m_vue; }
    QWidget *PanBas() const { return m_panBas; }
    QToolButton *BtnColorGraphe() const { return m_btnColorGraphe; }
    QToolButton *BtnEffacer() const { return m_btnEffacer; }
    QColor Couleur() const;

    // A partition drop: accepted when AcceptePartition says so, and drawn as a new curve.
    bool Depose(const QMimeData *data);
    void BtnColorGrapheClick();
    void BtnEffacerClick();
    void AjouteAuRapport();

    virtual bool AcceptePartition(const Partition &partition) const = 0;
    virtual void DessineCourbe(Partition &partition) = 0;

  protected:
    bool event(QEvent *event) override;
    // The stem of the next report image (without ".jpg") and the count of images added,
    // shared by the windows of each class.
    virtual std::string SoucheImage(int32_t n) const = 0;
    virtual int32_t &CompteurImages() const = 0;
    // Called once every curve is removed.
    virtual void CourbesEffacees() {}
    // Adds the curve through `points` on the two axes, two pixels wide (black where the
    // chart's palette would make it white).
    void AjouteCourbe(const QString &nom, const std::vector<PointCourbe> &points,
                      QAbstractAxis *axeX, QAbstractAxis *axeY);

    const charg1 &m_base;

  private:
    void Colorie(const QColor &couleur);

    FournisseurRapport m_rapport;
    QChart *m_graphe;
    VueGraphique *m_vue;
    QWidget *m_panBas;
    QToolButton *m_btnColorGraphe;
    QToolButton *m_btnEffacer;
};

// The partition a drop carries, or null.
Partition *PartitionDeplacee(const QMimeData *data);

} // namespace morvix::ui
