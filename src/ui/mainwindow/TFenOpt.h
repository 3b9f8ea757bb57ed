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

class TFenOpt : public QDialog {
    Q_OBJECT
  public:
    // `dossierMusiques`: the folder whose "*.wav" files fill the title list.
    explicit TFenOpt(const QString &dossierMusiques, QWidget *parent = nullptr);

    QLineEdit *EdMaxart() const { return m_maxart; }
    QLineEdit *EdEtiqs() const { return m_etiqs; }
    QComboBox *ListeMusiques() const { return m_musiques; }

    // Converts EdEtiqs into NbEtiqs, then EdMaxart into MAXART. On a text that is not an
    // integer, stops there (a setting already converted keeps its new value) and returns
    // the error message; empty on success.
    QString Applique(Reglages &reglages) const;

  private:
    QLineEdit *m_maxart;
    QLineEdit *m_etiqs;
    QComboBox *m_musiques;
};

} // namespace morvix::ui
