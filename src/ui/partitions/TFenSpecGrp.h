// The docked list of one set of specificity results: for a partition (it keeps the PrimSpec
// it shows) or for sections (it keeps the results handed to it). Positives or negatives
// first, a drag of the selected rows as a group of forms in the pastille's colour, and its
// page in the report.
#pragma once

#include "partitions/PrimSpec.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QLabel;
class QRadioButton;
class QTableView;
class QToolButton;

namespace morvix {
class charg1;
class Partition;
} // namespace morvix

namespace morvix::ui {

class ModeleSpecGrp;
class Pastille;
class TFenPrinc;

class TFenSpecGrp : public QWidget {
    Q_OBJECT
  public:
    // A list for a partition, caption "Spécifs - Part : " + key; the pastille takes the
    // colour the selected parts share (blue when they differ or none is selected).
    TFenSpecGrp(TFenPrinc &fen, std::unique_ptr<PrimSpec> spec, QWidget *parent = nullptr);
    // A list for sections, caption "Spécifs - Sections", black pastille. `resultats` by
    // decreasing coefficient.
    TFenSpecGrp(TFenPrinc &fen, const charg1 &base, std::vector<ResSpec> resultats,
                QWidget *parent = nullptr);
    ~TFenSpecGrp() override;

    QLabel *LbCorpRef() const { return m_lbCorpRef; }
    QLabel *LbParties() const { return m_lbParties; }
    QTableView *ListResu() const { return m_liste; }
    QRadioButton *RbPositives() const { return m_positives; }
    QRadioButton *RbNegatives() const { return m_negatives; }
    QToolButton *BtnAjouteRap() const { return m_btnRapport; }
    Pastille *ShPastille() const { return m_pastille; }
    ModeleSpecGrp *Modele() const { return m_modele; }
    const std::vector<ResSpec> &Resultats() const;
    const Partition *LaPartition() const { return m_partition; }

    uint32_t CouleurPastille() const;
    void SetCouleurPastille(uint32_t couleur);
    // Both labels, and the hint both show (none when empty).
    void SetEntetes(const QString &corpRef, const QString &parties,
                    const QString &infobulle = QString());
    // Docks the list at the top of the main window's left page control, its page in front.
    void Montre();
    // Adds the list's page to the report ("spf" + n + ".html"); false when it could not.
    bool AjouteRapport();

  protected:
    bool event(QEvent *event) override;

  private:
    void construit();

    TFenPrinc &m_fen;
    const charg1 &m_base;
    std::unique_ptr<PrimSpec> m_spec;
    std::vector<ResSpec> m_resultatsSections;
    const Partition *m_partition = nullptr;
    ModeleSpecGrp *m_modele = nullptr;
    QLabel *m_lbCorpRef = nullptr;
    QLabel *m_lbParties = nullptr;
    QRadioButton *m_positives = nullptr;
    QRadioButton *m_negatives = nullptr;
    QToolButton *m_btnRapport = nullptr;
    Pastille *m_pastille = nullptr;
    QTableView *m_liste = nullptr;
};

} // namespace morvix::ui
