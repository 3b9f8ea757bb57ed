// The group distribution graph: the groups of forms dropped on it, each drawn over the parts
// of one partition as a curve of its frequency (absolute, or per 10 000 occurrences of the
// part) or as bars of its specificity; zoom and scroll along the parts; the chart added to
// the report. The series come from the core (groups/VentilationTgen.h).
#pragma once

#include "ExportImage.h"
#include "groups/VentilationTgen.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QAbstractButton;
class QBarSeries;
class QCategoryAxis;
class QChart;
class QMimeData;
class QPushButton;
class QRadioButton;
class QToolButton;
class QValueAxis;

namespace morvix {
class Partition;
class Tgen;
} // namespace morvix

namespace morvix::ui {

class VueGraphique;

class TFenGrapheTgen : public QWidget {
    Q_OBJECT
  public:
    TFenGrapheTgen(Partition &partition, FournisseurRapport rapport, QWidget *parent = nullptr);
    ~TFenGrapheTgen() override;

    // Takes a group drop (a group drag, or a text naming a form); false when refused.
    bool Depose(const QMimeData *data);
    // Appends a group and draws it in the current mode.
    void AjouteGroupe(std::unique_ptr<Tgen> groupe);

    void BtnAffFrqClick();
    void BtnAffSpfClick();
    void RBtnClick();
    void BtnZoomClick();
    void BtnUnZoomClick();
    void BtnLeftClick();
    void BtnRightClick();
    void BtnClearClick();
    // Adds the chart to the report.
    void AjouteAuRapport();

    bool Relatives() const { return m_relatives; }
    bool ModeSpecificites() const { return m_specificites; }
    const BornesVentilation &Bornes() const { return m_bornes; }
    const std::vector<std::unique_ptr<Tgen>> &Groupes() const { return m_groupes; }
    QChart *Graphe() const { return m_graphe; }
    VueGraphique *Vue() const { return m_vue; }
    QValueAxis *AxeY() const { return m_axeY; }
    QCategoryAxis *AxeX() const { return m_axeX; }
    QToolButton *Bouton(const char *nom) const;
    // The counter of report images, shared by every distribution graph of the run.
    static int32_t CompteurExport();

  protected:
    bool event(QEvent *event) override;

  private:
    void Redessine();
    void DessineFrequences(const Tgen &groupe);
    void DessineSpecificites(const Tgen &groupe);
    std::vector<uint32_t> CouleursPrises() const;
    void EffaceSeries();
    void AxeFrequences();
    void AxeSpecificites();
    void Etiquettes();
    void Defile(double pas);

    Partition &m_partition;
    FournisseurRapport m_rapport;
    std::vector<std::unique_ptr<Tgen>> m_groupes;
    bool m_relatives = true;
    bool m_specificites = false;
    BornesVentilation m_bornes;
    int64_t m_maxFrequence = 0;
    bool m_zoome = false;
    bool m_etiquetage = false;

    QChart *m_graphe;
    VueGraphique *m_vue;
    QCategoryAxis *m_axeX;
    QValueAxis *m_axeY;
    QBarSeries *m_barres = nullptr;
    QToolButton *m_btnAffFrq;
    QToolButton *m_btnAffSpf;
    QRadioButton *m_rbtnRel;
    QRadioButton *m_rbtnAbs;
    QToolButton *m_btnZoom;
    QToolButton *m_btnUnZoom;
    QToolButton *m_btnLeft;
    QToolButton *m_btnRight;
    QToolButton *m_btnClear;
};

} // namespace morvix::ui
