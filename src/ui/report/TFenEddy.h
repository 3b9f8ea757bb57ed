// The text window: the whole text of the base, tags highlighted, and the occurrences of the
// last group dropped on it in the group's colour. The page is also written as an HTML file
// (prefix "qzth" in the temporary folder), rewritten at each drop.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QMimeData;

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace morvix {
class charg1;
class Tgen;
} // namespace morvix

namespace morvix::ui {

class VueTexte;

class TFenEddy : public QWidget {
    Q_OBJECT
  public:
    TFenEddy(const charg1 &base, QWidget *parent = nullptr);
    ~TFenEddy() override;

    const std::string &FichierPage() const { return m_fichier; }
    // "file://" and the page's path.
    const QString &AdressePage() const { return m_adresse; }
    const Tgen *Groupe() const { return m_groupe.get(); }
    VueTexte *HTMLEdit() const { return m_vue; }

    // Highlights the group (the window keeps it), rewrites the page and refreshes.
    void DeposeGroupe(std::unique_ptr<Tgen> groupe);
    // A dropped group drag; false when the data is not one.
    bool Depose(const QMimeData *data);

    // Finding a form (Ctrl+F, F3, Shift+F3): the form typed in the find field, accents and
    // case as typed; the next (sens > 0) or previous occurrence from the marked one, or from
    // the top of the view. False, with a beep and a word in the find bar, when there is none.
    void MontreRecherche();
    bool Cherche(int sens);
    // The next or previous occurrence of the highlighted group (Ctrl+G, Shift+Ctrl+G).
    bool OccurrenceGroupe(int sens);
    QLineEdit *EdRecherche() const { return m_edRecherche; }
    QLabel *LbRecherche() const { return m_lbRecherche; }

  protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    void EcritPage();
    bool Va(std::span<const int32_t> occurrences, int sens);

    const charg1 &m_base;
    std::unique_ptr<Tgen> m_groupe;
    std::string m_fichier;
    QString m_adresse;
    VueTexte *m_vue;
    QWidget *m_barre = nullptr;
    QLineEdit *m_edRecherche = nullptr;
    QLabel *m_lbRecherche = nullptr;
};

} // namespace morvix::ui
