#include "partitions/TFenChoixPart.h"

#include "OuvertureFenetres.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "mainwindow/TFenNavig.h"
#include "mainwindow/TFenPrinc.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/Partition.h"
#include "partitions/TFenStatPart.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

// The frame a navigation node brings forward: the window's own frame when it is a child of
// the main window.
QWidget *cadreDe(QWidget *fenetre) {
    for (QWidget *w = fenetre; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<QMdiSubWindow *>(w) != nullptr) {
            return w;
        }
    }
    return fenetre;
}

} // namespace

TFenChoixPart::TFenChoixPart(TFenPrinc &fen, const charg1 &base, QWidget *parent)
    : QDialog(parent), m_fen(fen), m_base(base), m_liste(new QListWidget) {
    setObjectName(QStringLiteral("FenChoixPart"));
    setWindowTitle(Tr("Choix de la partition"));
    m_liste->setObjectName(QStringLiteral("ListeCles"));
    m_liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_liste->setMinimumSize(273, 97);
    const int32_t premier = base.Nbform() + base.Nbartponct();
    for (int32_t code = premier; code < premier + base.Nbcle(); ++code) {
        auto *item = new QListWidgetItem(DeCp1252(base.RetourneGraphie(code, false)), m_liste);
        item->setData(Qt::UserRole, code);
    }
    connect(m_liste, &QListWidget::itemDoubleClicked, this, [this] {
        const int32_t cle = cleChoisie();
        if (cle >= 0) {
            Construit(cle);
            done(QDialog::Rejected);
        }
    });
    auto *boutons = new QDialogButtonBox;
    QPushButton *creer = boutons->addButton(Tr("Créer"), QDialogButtonBox::AcceptRole);
    creer->setObjectName(QStringLiteral("BtnCreer"));
    QPushButton *annuler = boutons->addButton(Tr("Annuler"), QDialogButtonBox::RejectRole);
    annuler->setObjectName(QStringLiteral("BtnAnnuler"));
    connect(creer, &QPushButton::clicked, this, &TFenChoixPart::BtnCreerClick);
    connect(annuler, &QPushButton::clicked, this, [this] {
        m_cree = false;
        reject();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_liste);
    layout->addWidget(boutons);
    FixeEtCentre(this);
}

int32_t TFenChoixPart::cleChoisie() const {
    for (int i = 0; i < m_liste->count(); ++i) {
        if (m_liste->item(i)->isSelected()) {
            return m_liste->item(i)->data(Qt::UserRole).toInt();
        }
    }
    return -1;
}

void TFenChoixPart::BtnCreerClick() {
    m_cree = true;
    const int32_t cle = cleChoisie();
    if (cle >= 0) {
        Construit(cle);
    }
    accept();
}

void TFenChoixPart::Construit(int32_t cle) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    hide();
    Corpus &corpus = m_fen.CorpusModele();
    // A key type already registered is not built again: the registered partition serves.
    int32_t index = corpus.IndexPartition(&m_base, cle);
    bool ajoutee = false;
    if (index < 0) {
        const charg1 *base = &m_base;
        m_fen.StatusMessage(Tr("Construction de la partition"));
        auto partition = m_fen.Taches().Execute<std::shared_ptr<Partition>>(
            [base, cle](const Progression &) { return std::make_shared<Partition>(*base, cle); });
        m_fen.StatusMessage(QString());
        if (!partition || *partition == nullptr || m_fen.Taches().DerniereAnnulee()) {
            if (!partition) {
                m_fen.StatusMessage(Tr("Un calcul est en cours"));
            }
            QGuiApplication::restoreOverrideCursor();
            return;
        }
        auto nouvelle = std::make_unique<Partition>(std::move(**partition));
        ajoutee = corpus.AjoutePartition(nouvelle.get());
        if (ajoutee) {
            nouvelle.release();
        }
        index = corpus.IndexPartition(&m_base, cle);
    }
    InfoPartition &info = corpus.PartitionI(index);
    Partition &partition = *info.Part;
    TFenNavig &navig = *m_fen.Navigation();
    if (ajoutee) {
        auto *fenetre = new TFenStatPart(m_fen, partition);
        m_cadre = m_fen.AjouteEnfant(fenetre);
        m_cadre->resize(550, 400);
        m_cadre->show();
        QTreeWidgetItem *noeud = navig.AjouteNoeud(navig.Trouve(Tr("Partitions")),
                                                   DeCp1252(m_base.RetourneGraphie(cle, false)), 2);
        navig.SetFenetre(navig.AjouteNoeud(noeud, QStringLiteral("PCLC")), m_cadre);
        info.Noeud = navig.AjouteNoeud(noeud, Tr("Graphiques"));
        navig.AjouteNoeud(noeud, Tr("Spécifs"), 2);
        navig.AjouteNoeud(noeud, QStringLiteral("AFC"), 2);
        navig.TreePages()->expandAll();
    }
    if (QWidget *graphe = CreeGrapheTgen(m_fen, partition)) {
        const auto n = static_cast<int32_t>(info.Fenetres.size());
        info.Fenetres.push_back(graphe);
        if (info.Noeud != nullptr) {
            navig.SetFenetre(
                navig.AjouteNoeud(static_cast<QTreeWidgetItem *>(info.Noeud),
                                  Tr("Graphique (") + QString::number(n + 1) + QLatin1Char(')')),
                cadreDe(graphe));
        }
    }
    if (m_cadre != nullptr) {
        m_cadre->showMinimized();
    }
    QGuiApplication::restoreOverrideCursor();
}

} // namespace morvix::ui
