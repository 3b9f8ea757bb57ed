// The options dialog: the maximum number of articles of a segmentation and the number of
// labels, for this run only.
#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;

namespace morvix::ui {

// The run settings, set only by the options dialog.
struct Reglages {
    int32_t MAXART = 100000;
    int32_t NbEtiqs = 1;
};

// The values the dialog accepts.
inline constexpr int32_t kMaxartMin = 1000;
inline constexpr int32_t kMaxartMax = 4999741;
inline constexpr int32_t kNbEtiqsMin = 1;
inline constexpr int32_t kNbEtiqsMax = 1000;

class TFenOpt : public QDialog {
    Q_OBJECT
  public:
    // `dossierMusiques`: the folder whose "*.wav" files fill the title list.
    explicit TFenOpt(const QString &dossierMusiques, QWidget *parent = nullptr);

    QLineEdit *EdMaxart() const { return m_maxart; }
    QLineEdit *EdEtiqs() const { return m_etiqs; }
    QComboBox *ListeMusiques() const { return m_musiques; }

    // Why the texts cannot be taken (not an integer, or outside its range, the range
    // named), the field at fault in `champ`; empty when both can.
    QString Verifie(QLineEdit **champ = nullptr) const;
    // Converts EdEtiqs into NbEtiqs, then EdMaxart into MAXART. On a text that Verifie
    // refuses, stops there (a setting already converted keeps its new value) and returns
    // the error message; empty on success.
    QString Applique(Reglages &reglages) const;

    // OK keeps the dialog open, with the entry, while Verifie refuses the texts.
    void accept() override;

  private:
    QLineEdit *m_maxart;
    QLineEdit *m_etiqs;
    QComboBox *m_musiques;
};

} // namespace morvix::ui
