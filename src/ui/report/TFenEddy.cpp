#include "report/TFenEddy.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/Positions.h"
#include "base/charg1.h"
#include "groups/Tgen.h"
#include "groups/TgenDrag.h"
#include "mainwindow/DragObjects.h"
#include "report/PageEddy.h"
#include "report/VueTexte.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace morvix::ui {

TFenEddy::TFenEddy(const charg1 &base, QWidget *parent)
    : QWidget(parent), m_base(base), m_fichier(NomPageTemporaire()), m_vue(new VueTexte(base)) {
    setObjectName(QStringLiteral("FenEddy"));
    setWindowTitle(Tr("Vireloupe"));
    QString chemin = DeCheminNatif(m_fichier);
    chemin.replace(QLatin1Char('\\'), QLatin1Char('/'));
    m_adresse = QStringLiteral("file://") + chemin;
    auto *haut = new QWidget;
    haut->setObjectName(QStringLiteral("PanHaut"));
    haut->setFixedHeight(32);
    // The find bar lives in the top panel, shown by Ctrl+F.
    m_barre = new QWidget(haut);
    m_barre->setObjectName(QStringLiteral("BarreRecherche"));
    auto *ligne = new QHBoxLayout(haut);
    ligne->setContentsMargins(4, 2, 4, 2);
    ligne->addWidget(m_barre);
    auto *dansBarre = new QHBoxLayout(m_barre);
    dansBarre->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(Tr("Rechercher la forme :"));
    m_edRecherche = new QLineEdit;
    m_edRecherche->setObjectName(QStringLiteral("EdRecherche"));
    m_edRecherche->setAccessibleName(Tr("Forme à rechercher"));
    label->setBuddy(m_edRecherche);
    auto *suivante = new QPushButton(Tr("Suivante"));
    suivante->setObjectName(QStringLiteral("BtnSuivante"));
    suivante->setToolTip(Tr("Occurrence suivante (F3)"));
    auto *precedente = new QPushButton(Tr("Précédente"));
    precedente->setObjectName(QStringLiteral("BtnPrecedente"));
    precedente->setToolTip(Tr("Occurrence précédente (Maj+F3)"));
    m_lbRecherche = new QLabel;
    m_lbRecherche->setObjectName(QStringLiteral("LbRecherche"));
    dansBarre->addWidget(label);
    dansBarre->addWidget(m_edRecherche, 1);
    dansBarre->addWidget(suivante);
    dansBarre->addWidget(precedente);
    dansBarre->addWidget(m_lbRecherche, 1);
    m_barre->hide();
    connect(m_edRecherche, &QLineEdit::returnPressed, this, [this] { Cherche(1); });
    connect(suivante, &QPushButton::clicked, this, [this] { Cherche(1); });
    connect(precedente, &QPushButton::clicked, this, [this] { Cherche(-1); });
    auto raccourci = [this](const QKeySequence &touches, auto action) {
        auto *a = new QAction(this);
        a->setShortcut(touches);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, action);
        addAction(a);
    };
    raccourci(QKeySequence::Find, [this] { MontreRecherche(); });
    raccourci(QKeySequence(Qt::Key_F3), [this] { Cherche(1); });
    raccourci(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { Cherche(-1); });
    raccourci(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { OccurrenceGroupe(1); });
    raccourci(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G), [this] { OccurrenceGroupe(-1); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(haut);
    layout->addWidget(m_vue, 1);
    setAcceptDrops(true);
    EcritPage();
}

TFenEddy::~TFenEddy() {
    if (!m_fichier.empty()) {
        std::remove(m_fichier.c_str());
    }
}

void TFenEddy::EcritPage() {
    if (!m_fichier.empty()) {
        EcritPageEddy(m_fichier, m_base, m_groupe.get());
    }
}

void TFenEddy::DeposeGroupe(std::unique_ptr<Tgen> groupe) {
    if (!groupe) {
        return;
    }
    m_vue->SetGroupe(groupe.get());
    m_groupe = std::move(groupe);
    EcritPage();
    m_vue->viewport()->update();
}

void TFenEddy::MontreRecherche() {
    m_barre->show();
    m_edRecherche->setFocus();
    m_edRecherche->selectAll();
}

bool TFenEddy::Va(std::span<const int32_t> occurrences, int sens) {
    const int32_t marque = m_vue->PositionMarquee();
    const int32_t depuis =
        marque >= 0 ? marque : m_vue->PremierePositionVisible() - (sens > 0 ? 1 : 0);
    const int32_t p = PositionVoisine(occurrences, depuis, sens);
    if (p < 0) {
        Bip();
        m_lbRecherche->setText(sens > 0 ? Tr("Plus d'occurrence après celle-ci")
                                        : Tr("Plus d'occurrence avant celle-ci"));
        return false;
    }
    m_vue->MontrePosition(p);
    m_lbRecherche->setText(
        Tr("Occurrence %1 sur %2").arg(RangPosition(occurrences, p)).arg(occurrences.size()));
    return true;
}

bool TFenEddy::Cherche(int sens) {
    const QString forme = m_edRecherche->text().trimmed();
    if (forme.isEmpty()) {
        MontreRecherche();
        return false;
    }
    m_barre->show();
    const int32_t code = m_base.LocFormDic(VersCp1252(forme), true);
    if (code < 0) {
        Bip();
        m_lbRecherche->setText(Tr("« %1 » n'est pas une forme du texte").arg(forme));
        return false;
    }
    return Va(m_base.OccArticle(code), sens);
}

bool TFenEddy::OccurrenceGroupe(int sens) {
    if (!m_groupe || m_groupe->Occ.empty()) {
        Bip();
        m_barre->show();
        m_lbRecherche->setText(Tr("Aucun groupe n'est mis en évidence"));
        return false;
    }
    m_barre->show();
    return Va(m_groupe->Occ, sens);
}

void TFenEddy::dragEnterEvent(QDragEnterEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr) {
        event->acceptProposedAction();
    }
}

void TFenEddy::dragMoveEvent(QDragMoveEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr) {
        event->acceptProposedAction();
    }
}

bool TFenEddy::Depose(const QMimeData *data) {
    const TTgenDragObject *drag = GroupeDeplace(data);
    if (drag == nullptr) {
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    DeposeGroupe(TgenDepuisDepot(m_base, drag->Contenu(), false));
    QGuiApplication::restoreOverrideCursor();
    return true;
}

void TFenEddy::dropEvent(QDropEvent *event) {
    if (Depose(event->mimeData())) {
        event->acceptProposedAction();
    }
}

} // namespace morvix::ui
