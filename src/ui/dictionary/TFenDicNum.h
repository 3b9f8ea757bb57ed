// The dictionary window: the forms and punctuation signs of the base with their
// frequencies, in lexicometric or lexicographic order, a search by the beginning of a
// graphy, and drags of the selected rows as a group of forms.
#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;
class QTableView;
class QTimer;
class QStatusBar;

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ModeleDico;
class Pastille;

class TFenDicNum : public QWidget {
    Q_OBJECT
  public:
    TFenDicNum(const charg1 &base, QWidget *parent = nullptr);

    QTableView *ListeFormes() const { return m_liste; }
    QLineEdit *EdRech() const { return m_rech; }
    QTimer *TimerRech() const { return m_timer; }
    QStatusBar *StatusBar1() const { return m_status; }
    ModeleDico *Modele() const { return m_modele; }
    int32_t PosRech() const { return m_posRech; }
    uint32_t CouleurPastille() const;
    void SetCouleurPastille(uint32_t couleur);

    // A click on column 0 toggles the order, keeping the selected form selected.
    void ListeFormesColumnClick(int colonne);
    // Searches the rows after the last hit for a graphy beginning with the field's text;
    // false when none (the caller beeps).
    bool Recherche();
    // The rows selected, in row order.
    std::vector<int32_t> LignesSelectionnees() const;

  protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

  private:
    void EdRechChange();
    void SelectionneLigne(int32_t ligne);
    void ShPastilleClick();
    void AjusteColonnes();

    const charg1 &m_base;
    ModeleDico *m_modele;
    QTableView *m_liste;
    QLineEdit *m_rech;
    Pastille *m_pastille;
    QStatusBar *m_status;
    QTimer *m_timer;
    // The row of the last search hit; -1 when there is none.
    int32_t m_posRech = -1;
};

} // namespace morvix::ui
