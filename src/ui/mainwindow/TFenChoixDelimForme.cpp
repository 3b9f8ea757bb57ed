#include "mainwindow/TFenChoixDelimForme.h"

#include "Texte.h"
#include "Traduction.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvix::ui {

TFenChoixDelimForme::TFenChoixDelimForme(const std::string &delimiteurs, QWidget *parent)
    : QDialog(parent), m_delims(new QLineEdit(DeCp1252(delimiteurs))) {
    setObjectName(QStringLiteral("FenChoixDelimForme"));
    setWindowTitle(Tr("Choix des délimiteurs de forme"));
    m_delims->setObjectName(QStringLiteral("EdDelims"));
    auto *etiquette = new QLabel(Tr("Délimiteurs :"));
    QFont gras = etiquette->font();
    gras.setBold(true);
    etiquette->setFont(gras);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    boutons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(Tr("Annuler"));
    boutons->button(QDialogButtonBox::Help)->setText(Tr("&Aide"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(boutons, &QDialogButtonBox::helpRequested, this, &TFenChoixDelimForme::AideDemandee);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(etiquette);
    layout->addWidget(m_delims);
    layout->addWidget(boutons);
    resize(360, sizeHint().height());
}

std::string TFenChoixDelimForme::Delimiteurs() const { return VersCp1252(m_delims->text()); }

} // namespace morvix::ui
