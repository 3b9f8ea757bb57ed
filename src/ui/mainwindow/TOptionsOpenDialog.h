// The file dialog that picks a text to segment, with a strip at its bottom offering the
// advanced options (assembling a corpus from several files).
#pragma once

#include <QFileDialog>

class QPushButton;

namespace morvix::ui {

class TOptionsOpenDialog : public QFileDialog {
    Q_OBJECT
  public:
    explicit TOptionsOpenDialog(QWidget *parent = nullptr);
    QPushButton *BtnOptions() const { return m_options; }

    // Selects `fichier` in the file list, so that it can be confirmed at once (after the
    // corpus creation dialog saved it).
    void SelectionneFichier(const QString &fichier);
    // "Options...": the corpus creation dialog, modal; the file it saved is then selected.
    void CreationCorpus();

  Q_SIGNALS:
    // "Options..." was pressed.
    void OptionsDemandees();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    QPushButton *m_options;
    bool m_agrandi = false;
};

} // namespace morvix::ui
