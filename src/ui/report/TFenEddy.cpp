#include "report/TFenEddy.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "groups/Tgen.h"
#include "groups/TgenDrag.h"
#include "mainwindow/DragObjects.h"
#include "report/PageEddy.h"
#include "report/VueTexte.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
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
