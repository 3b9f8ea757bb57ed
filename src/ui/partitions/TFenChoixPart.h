// The partition choice: the key types of the base's markup; "Créer" builds the partition on
// the chosen one (or takes the one already registered), opens its partition window and its
// navigation nodes the first time, and a group distribution graph each time.
#pragma once

#include <QDialog>

#include <cstdint>

class QListWidget;
class QMdiSubWindow;

namespace morvix {
class charg1;
}

namespace morvix::ui {

class TFenPrinc;

class TFenChoixPart : public QDialog {
    Q_OBJECT
  public:
    TFenChoixPart(TFenPrinc &fen, const charg1 &base, QWidget *parent = nullptr);

    QListWidget *ListeCles() const { return m_liste; }
    // True when "Créer" closed the dialog.
    bool Cree() const { return m_cree; }
    // The frame of the partition window opened by this dialog, or null.
    QMdiSubWindow *FenetreCreee() const { return m_cadre; }

    // "Créer": sets the flag and builds on the first selected key type, if any.
    void BtnCreerClick();
    // Builds or finds the partition of the key type of code `cle` and opens its windows.
    void Construit(int32_t cle);

  private:
    // The code of the first selected item in list order, or -1.
    int32_t cleChoisie() const;

    TFenPrinc &m_fen;
    const charg1 &m_base;
    QListWidget *m_liste;
    bool m_cree = false;
    QMdiSubWindow *m_cadre = nullptr;
};

} // namespace morvix::ui
