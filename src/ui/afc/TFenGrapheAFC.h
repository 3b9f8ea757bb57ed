// The results of a correspondence analysis of a partition: the eigenvalue histogram, the
// factor table and the factorial map, on which the user selects, ticks and colours parts
// (the partition's own marks, seen by every window on it), and from which the specificity
// dialogs and a new analysis are opened.
#pragma once

#include "ExportImage.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QChart;
class QComboBox;
class QLabel;
class QRadioButton;
class QStackedWidget;
class QTableView;
class QToolButton;

namespace morvix {
class Partition;
class TListePoints;
} // namespace morvix

namespace morvix::ui {

class GrilleCouleurs;
class ModeleFacteurs;
class VueCarteAFC;
class VueGraphique;

// What the window opens and writes into, handed by whoever creates it.
struct ServicesAfc {
    FournisseurRapport rapport;
    // "Spécifs", "AFC" and "CAH", "Sp ch ev": the dialogs on the partition.
    std::function<void(Partition &)> specifs;
    std::function<void(Partition &)> afc;
    std::function<void(Partition &)> specDiac;
    // False while a job of the runner may be reading the partition: its marks stay as they
    // are (null: always free).
    std::function<bool()> partitionLibre;
};

class TFenGrapheAFC : public QWidget {
    Q_OBJECT
  public:
    // `points` is the factor list read back from the analysis (valid); `valeursPropres`
    // the eigenvalues (empty when none could be read).
    TFenGrapheAFC(Partition &partition, std::unique_ptr<TListePoints> points,
                  std::vector<int64_t> valeursPropres, ServicesAfc services,
                  QWidget *parent = nullptr);
    ~TFenGrapheAFC() override;

    enum Page { PageVP = 0, PageFacteurs = 1, PageGraphiques = 2 };
    void MontrePage(Page page);
    Page PageCourante() const;

    // The axis lists' choice (0-based factor); refused when it is the other axis's.
    void cbAxeXChange(int facteur);
    void cbAxeYChange(int facteur);
    void ModeEtiquettes(bool identifiants);
    void GrilleCoulChange(uint32_t couleur);
    void BtnSpEvolClick();
    void AjouteAuRapport();

    const TListePoints &Points() const { return *m_points; }
    Partition &PartitionAnalysee() const { return m_partition; }
    VueCarteAFC *Carte() const { return m_carte; }
    QComboBox *AxeX() const { return m_cbAxeX; }
    QComboBox *AxeY() const { return m_cbAxeY; }
    QLabel *LigneEtat() const { return m_etat; }
    GrilleCouleurs *Grille() const { return m_grille; }
    QTableView *Table() const { return m_table; }
    ModeleFacteurs *Modele() const { return m_modele; }
    QChart *Histogramme() const { return m_histogramme; }
    VueGraphique *VueHistogramme() const { return m_vueHisto; }
    QToolButton *Bouton(const char *nom) const;
    // The counter of report images, shared by every factorial map of the run.
    static int32_t CompteurImages();

  protected:
    bool event(QEvent *event) override;

  private:
    void ConstruitHistogramme(const std::vector<int64_t> &valeurs);
    void ChangeAxe(QComboBox *liste, int facteur, bool horizontal);
    QWidget *PanneauOutils();

    Partition &m_partition;
    std::unique_ptr<TListePoints> m_points;
    ServicesAfc m_services;
    bool m_identifiants = false;

    QStackedWidget *m_pages;
    QChart *m_histogramme;
    VueGraphique *m_vueHisto;
    QTableView *m_table;
    ModeleFacteurs *m_modele;
    VueCarteAFC *m_carte;
    QComboBox *m_cbAxeX;
    QComboBox *m_cbAxeY;
    QLabel *m_etat;
    GrilleCouleurs *m_grille;
    QRadioButton *m_rbNom;
    QRadioButton *m_rbId;
};

} // namespace morvix::ui
