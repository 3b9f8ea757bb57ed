#include "dictionary/TFenDicNum.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "dictionary/ModeleDico.h"
#include "mainwindow/DragObjects.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

#include "ExportTableau.h"
#include "Pastille.h"

namespace morvix::ui {

TFenDicNum::TFenDicNum(const charg1 &base, QWidget *parent)
    : QWidget(parent), m_base(base), m_modele(new ModeleDico(base, this)), m_liste(new QTableView),
      m_rech(new QLineEdit), m_pastille(new Pastille), m_status(new QStatusBar),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("FenDicNum"));
    setWindowTitle(Tr("Dictionnaire"));
    setMinimumWidth(254);
    resize(254, 378);

    auto *label1 = new QLabel(Tr("Sélectionnez une couleur :"));
    m_pastille->setFixedSize(24, 16);
    m_pastille->setToolTip(Tr("Couleur d'affichage des éléments de la liste\r\naprès projection."));
    m_pastille->setAccessibleName(Tr("Couleur d'affichage des éléments de la liste"));
    connect(m_pastille, &Pastille::CouleurChangee, m_modele, &ModeleDico::SetCouleur);
    SetCouleurPastille(0xFF0000);
    auto *label2 = new QLabel(Tr("Recherche :"));
    m_rech->setObjectName(QStringLiteral("EdRech"));
    m_rech->installEventFilter(this);

    m_liste->setObjectName(QStringLiteral("ListeFormes"));
    m_liste->setModel(m_modele);
    m_modele->SetSource(m_liste);
    PrepareListeGlissee(m_liste);
    m_liste->horizontalHeader()->setSectionsClickable(true);
    AjusteColonnes();
    m_liste->horizontalHeader()->setStretchLastSection(true);
    connect(m_liste->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFenDicNum::ListeFormesColumnClick);
    InstalleExportTableau(m_liste, QStringLiteral("dictionnaire.tsv"));

    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    m_status->showMessage(QString::number(m_modele->NbLignesDic()) + Tr(" formes"));

    m_timer->setObjectName(QStringLiteral("TimerRech"));
    m_timer->setInterval(1500);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { Recherche(); });
    connect(m_rech, &QLineEdit::textEdited, this, &TFenDicNum::EdRechChange);

    auto *grille = new QGridLayout;
    grille->addWidget(label1, 0, 0);
    grille->addWidget(m_pastille, 0, 1);
    grille->addWidget(label2, 1, 0);
    grille->addWidget(m_rech, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    layout->addLayout(grille);
    layout->addWidget(m_liste, 1);
    layout->addWidget(m_status);
}

void TFenDicNum::AjusteColonnes() {
    // At least the usual widths, and the whole caption of each header in any language.
    const QFontMetrics mesure = m_liste->horizontalHeader()->fontMetrics();
    const int marge = 2 * m_liste->style()->pixelMetric(QStyle::PM_HeaderMargin) + 12;
    const int largeurs[ModeleDico::NbColonnes] = {175, 65};
    for (int c = 0; c < ModeleDico::NbColonnes; ++c) {
        const QString titre = m_modele->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        m_liste->setColumnWidth(c, std::max(largeurs[c], mesure.horizontalAdvance(titre) + marge));
    }
}

uint32_t TFenDicNum::CouleurPastille() const { return m_modele->Couleur(); }

void TFenDicNum::SetCouleurPastille(uint32_t couleur) {
    m_pastille->SetCouleur(couleur);
    m_modele->SetCouleur(couleur);
}

std::vector<int32_t> TFenDicNum::LignesSelectionnees() const {
    std::vector<int32_t> lignes;
    for (const QModelIndex &i : m_liste->selectionModel()->selectedRows()) {
        lignes.push_back(i.row());
    }
    std::sort(lignes.begin(), lignes.end());
    return lignes;
}

void TFenDicNum::SelectionneLigne(int32_t ligne) {
    const QModelIndex index = m_modele->index(ligne, 0);
    m_liste->clearSelection();
    m_liste->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_liste->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
}

void TFenDicNum::ListeFormesColumnClick(int colonne) {
    m_posRech = -1;
    int32_t code = -1;
    const QModelIndex courant = m_liste->selectionModel()->currentIndex();
    if (m_liste->selectionModel()->hasSelection()) {
        const auto lignes = LignesSelectionnees();
        const int32_t ligne =
            courant.isValid() && m_liste->selectionModel()->isRowSelected(courant.row())
                ? courant.row()
                : lignes.front();
        code = m_modele->Code(ligne);
    }
    if (colonne != ModeleDico::ColForme) {
        return;
    }
    m_liste->clearSelection();
    m_modele->SetTriAlphabetique(!m_modele->TriAlphabetique());
    AjusteColonnes();
    if (code >= 0) {
        const int32_t ligne = m_modele->Ligne(code);
        if (ligne >= 0) {
            SelectionneLigne(ligne);
        }
    }
}

void TFenDicNum::EdRechChange() {
    m_timer->stop();
    m_posRech = -1;
    m_timer->start();
}

bool TFenDicNum::Recherche() {
    const std::string prefixe = VersCp1252(m_rech->text());
    if (prefixe.empty()) {
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    int32_t trouve = -1;
    const int32_t n = m_modele->NbLignesDic();
    for (int32_t ligne = m_posRech + 1; ligne < n; ++ligne) {
        const char *graphie = m_base.RetourneGraphie(m_modele->Code(ligne), true);
        if (graphie != nullptr && std::strncmp(graphie, prefixe.c_str(), prefixe.size()) == 0) {
            trouve = ligne;
            break;
        }
    }
    if (trouve >= 0) {
        m_posRech = trouve;
        SelectionneLigne(trouve);
    }
    QGuiApplication::restoreOverrideCursor();
    return trouve >= 0;
}

void TFenDicNum::ShPastilleClick() { m_pastille->ChoisitCouleur(); }

bool TFenDicNum::eventFilter(QObject *objet, QEvent *event) {
    if (objet == m_rech && event->type() == QEvent::KeyPress) {
        auto *touche = static_cast<QKeyEvent *>(event);
        const int k = touche->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F3) {
            m_timer->stop();
            if (k != Qt::Key_F3) {
                m_posRech = -1;
            }
            if (!Recherche()) {
                Bip();
            }
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

} // namespace morvix::ui
