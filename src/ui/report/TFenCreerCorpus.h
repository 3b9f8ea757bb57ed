// The corpus creation dialog ("Création de Corpus"): a list of text and word-processor files
// gathered into one marked-up text, each opened by a tag naming its file, documents
// converted paragraph by paragraph with an optional paragraph marker. The writing runs on a
// job runner of the dialog's own, whose gauge and stop button are in the dialog (the main
// window's are out of reach behind a modal dialog).
#pragma once

#include "report/Fic.h"

#include <QDialog>

#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace morvix::ui {

class ExecuteurTaches;
class ModeleFichiersCorpus;

class TFenCreerCorpus : public QDialog {
    Q_OBJECT
  public:
    explicit TFenCreerCorpus(QWidget *parent = nullptr);
    ~TFenCreerCorpus() override;

    QTableView *LVFiles() const { return m_liste; }
    QPushButton *BtnAdd() const { return m_ajouter; }
    QGroupBox *GrpWord() const { return m_grpWord; }
    QCheckBox *ChkTrait() const { return m_trait; }
    QRadioButton *RBCar() const { return m_rbCar; }
    QLineEdit *EdCar() const { return m_edCar; }
    QRadioButton *RBCle() const { return m_rbCle; }
    QLineEdit *EdCle() const { return m_edCle; }
    QLineEdit *EdNomCle() const { return m_nomCle; }
    QPushButton *BtnSave() const { return m_sauver; }
    QPushButton *BtnAnnuler() const { return m_annuler; }
    ExecuteurTaches &Taches() { return *m_taches; }
    const std::vector<Fic> &Fichiers() const;

    // Adds each path not listed yet.
    void AjouteFichiers(const QStringList &chemins);
    void BtnAddClick();
    // Writes the corpus (closing the dialog with OK once written), or, for a single text
    // file, names that file; with an empty list nothing happens.
    void BtnSaveClick();
    // The file to select in the open dialog: the corpus saved, or the single text file; ""
    // when nothing was saved.
    const QString &FichierSauve() const { return m_fichierSauve; }

  private:
    void ChkTraitClick();
    void Occupe(bool occupe);

    std::unique_ptr<ExecuteurTaches> m_taches;
    ModeleFichiersCorpus *m_modele;
    QString m_fichierSauve;

    QTableView *m_liste;
    QPushButton *m_ajouter;
    QGroupBox *m_grpWord;
    QCheckBox *m_trait;
    QRadioButton *m_rbCar;
    QLineEdit *m_edCar;
    QRadioButton *m_rbCle;
    QLineEdit *m_edCle;
    QLineEdit *m_nomCle;
    QPushButton *m_sauver;
    QPushButton *m_annuler;
    QProgressBar *m_gauge;
    QPushButton *m_arreter;
};

} // namespace morvix::ui
