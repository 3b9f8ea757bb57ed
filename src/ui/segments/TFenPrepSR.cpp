#include "segments/TFenPrepSR.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

constexpr int kRoleCode = Qt::UserRole + 1;
constexpr int kSeuilMin = 2;
constexpr int kSeuilDefaut = 10;

QListWidget *listeCochee(const QString &nom) {
    auto *liste = new QListWidget;
    liste->setObjectName(nom);
    liste->setViewMode(QListView::ListMode);
    liste->setFlow(QListView::TopToBottom);
    liste->setWrapping(true);
    liste->setResizeMode(QListView::Adjust);
    liste->setToolTip(Tr("Cochez les délimiteurs de séquence"));
    liste->setAccessibleName(Tr("Cochez les délimiteurs de séquence"));
    liste->setMinimumHeight(110);
    return liste;
}

void remplit(QListWidget *liste, const charg1 &base, int32_t debut, int32_t fin) {
    for (int32_t code = debut; code < fin; ++code) {
        auto *item = new QListWidgetItem(DeCp1252(base.RetourneGraphie(code, false)), liste);
        item->setData(kRoleCode, code);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

std::set<int32_t> coches(const QListWidget *liste) {
    std::set<int32_t> codes;
    for (int i = 0; i < liste->count(); ++i) {
        const QListWidgetItem *item = liste->item(i);
        if (item->checkState() == Qt::Checked) {
            codes.insert(item->data(kRoleCode).toInt());
        }
    }
    return codes;
}

} // namespace

TFenPrepSR::TFenPrepSR(const charg1 &base, QWidget *parent)
    : QDialog(parent), m_delims(listeCochee(QStringLiteral("ListDelims"))),
      m_cles(listeCochee(QStringLiteral("ListCles"))), m_forme(new QSpinBox), m_sr(new QSpinBox) {
    setObjectName(QStringLiteral("FenPrepSR"));
    setWindowTitle(Tr("Paramétrage du calcul des segments répétés"));
    QFont gras = font();
    gras.setBold(true);
    setFont(gras);

    // Thresholds above the highest frequency would find nothing.
    const int fmax = std::max(1, base.Fmax());
    for (QSpinBox *spin : {m_forme, m_sr}) {
        spin->setRange(std::min(kSeuilMin, fmax), fmax);
        spin->setValue(std::min(kSeuilDefaut, fmax));
    }
    m_forme->setObjectName(QStringLiteral("EditForme"));
    m_sr->setObjectName(QStringLiteral("EditSR"));

    const int32_t ponct = base.Nbform(), cles = ponct + base.Nbartponct();
    remplit(m_delims, base, ponct, cles);
    remplit(m_cles, base, cles, cles + base.Nbcle());

    auto *lbDelims = new QLabel(Tr("Délimiteurs de séquence :"));
    lbDelims->setObjectName(QStringLiteral("LbDelimSq"));
    auto *lbForme = new QLabel(Tr("Seuil de sélection des formes :"));
    lbForme->setObjectName(QStringLiteral("LbSeuilFormes"));
    auto *lbSR = new QLabel(Tr("Seuil de sélection des segments :"));
    lbForme->setVisible(false);
    m_forme->setVisible(false);

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *seuils = new QGridLayout;
    seuils->addWidget(lbForme, 0, 0);
    seuils->addWidget(m_forme, 0, 1);
    seuils->addWidget(lbSR, 1, 0);
    seuils->addWidget(m_sr, 1, 1);
    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(lbDelims);
    colonne->addWidget(m_delims);
    colonne->addWidget(m_cles);
    colonne->addLayout(seuils);
    colonne->addWidget(boutons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 360)));
}

std::set<int32_t> TFenPrepSR::Delimiteurs() const {
    std::set<int32_t> codes = coches(m_delims);
    codes.merge(coches(m_cles));
    return codes;
}

int32_t TFenPrepSR::SeuilFormes() const { return m_forme->value(); }

int32_t TFenPrepSR::SeuilSegments() const { return m_sr->value(); }

} // namespace morvix::ui
