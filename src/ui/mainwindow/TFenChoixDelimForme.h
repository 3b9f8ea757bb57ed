// The dialog that proposes the form delimiters before a segmentation.
#pragma once

#include <QDialog>

class QLineEdit;

namespace morvix::ui {

class TFenChoixDelimForme : public QDialog {
    Q_OBJECT
  public:
    // `delimiteurs`: the Windows-1252 default string shown in the field.
    TFenChoixDelimForme(const std::string &delimiteurs, QWidget *parent = nullptr);
    QLineEdit *EdDelims() const { return m_delims; }
    // The field's text as Windows-1252 bytes.
    std::string Delimiteurs() const;

  Q_SIGNALS:
    void AideDemandee();

  private:
    QLineEdit *m_delims;
};

} // namespace morvix::ui
