// The form-selection window ("Groupes de formes"): searches the forms and repeated segments
// of the base by exact graphy or pattern, gathers them in a result list without duplicates,
// and names, colours, saves, loads and drags that list as a group of forms.
#pragma once

#include "groups/SelectionFormes.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QTableView;
class QToolButton;

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ExecuteurTaches;
class ModeleSelecFormes;
class Pastille;
class TTgenDragObject;

class TFenSelecFormes : public QWidget {
    Q_OBJECT
  public:
    // The base and the job runner outlive the window.
    TFenSelecFormes(const charg1 &base, ExecuteurTaches &taches, QWidget *parent = nullptr);

    QGroupBox *GroupBox() const { return m_groupe; }
    QLineEdit *EdNomGrp() const { return m_nomGrp; }
    QToolButton *DragBtn() const { return m_dragBtn; }
    QLineEdit *EdMotif() const { return m_motif; }
    QComboBox *LstTypeReq() const { return m_typeReq; }
    QCheckBox *ChkAjout() const { return m_ajout; }
    QPushButton *BtnRech() const { return m_rech; }
    QPushButton *BtnSuppr() const { return m_suppr; }
    QPushButton *BtnEnr() const { return m_enr; }
    QPushButton *BtnLoad() const { return m_load; }
    Pastille *ShPastille() const { return m_pastille; }
    QTableView *ListResu() const { return m_liste; }
    ModeleSelecFormes *Modele() const { return m_modele; }
    const std::vector<int32_t> &Codes() const { return m_codes.Codes(); }
    uint32_t CouleurPastille() const;
    void SetCouleurPastille(uint32_t couleur);

    // Runs the request of the list's kind on the pattern; the pattern-matching kinds run on
    // the job runner and add their result when it comes back.
    void BtnRechClick();
    // Removes the selected rows, or every row with `tous` (Shift held).
    void BtnSupprClick(bool tous);
    void BtnEnrClick();
    void BtnLoadClick();
    // The group the drag button carries: every code, the name, the chip's colour.
    TTgenDragObject *DragBoutonObjet() const;
    // A drop on the list: a group's codes are added (never replacing the list) and its
    // colour goes to the chip; a text from another program adds the form it names.
    bool Depose(const QMimeData *data);

  protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

  private:
    std::string NomGroupe() const;
    void Ajoute(const std::vector<int32_t> &codes, bool remplace);

    const charg1 &m_base;
    ExecuteurTaches &m_taches;
    ListeCodes m_codes;
    QPoint m_departDrag;

    QGroupBox *m_groupe;
    QLineEdit *m_nomGrp;
    QToolButton *m_dragBtn;
    QLineEdit *m_motif;
    QComboBox *m_typeReq;
    QCheckBox *m_ajout;
    QPushButton *m_rech;
    QPushButton *m_suppr;
    QPushButton *m_enr;
    QPushButton *m_load;
    Pastille *m_pastille;
    QTableView *m_liste;
    ModeleSelecFormes *m_modele;
};

} // namespace morvix::ui
