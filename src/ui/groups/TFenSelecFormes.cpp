#include "groups/TFenSelecFormes.h"

#include "ExecuteurTaches.h"
#include "ExportTableau.h"
#include "Interaction.h"
#include "Pastille.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "groups/ModeleSelecFormes.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Glyphes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvix::ui {

namespace {

QString titre() { return Tr("Groupes de formes"); }

bool accepte(const QMimeData *data) {
    return GroupeDeplace(data) != nullptr ||
           (!data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText());
}

} // namespace

TFenSelecFormes::TFenSelecFormes(const charg1 &base, ExecuteurTaches &taches, QWidget *parent)
    : QWidget(parent), m_base(base), m_taches(taches), m_groupe(new QGroupBox),
      m_nomGrp(new QLineEdit), m_dragBtn(new QToolButton), m_motif(new QLineEdit),
      m_typeReq(new QComboBox), m_ajout(new QCheckBox(Tr("Ajouter"))),
      m_rech(new QPushButton(Tr("&Rechercher"))), m_suppr(new QPushButton(Tr("&Supprimer"))),
      m_enr(new QPushButton(Tr("&Enregistrer"))), m_load(new QPushButton(Tr("&Charger"))),
      m_pastille(new Pastille), m_liste(new QTableView),
      m_modele(new ModeleSelecFormes(base, m_codes, this)) {
    setObjectName(QStringLiteral("FenSelecFormes"));
    setWindowTitle(titre());

    m_nomGrp->setObjectName(QStringLiteral("EdNomGrp"));
    m_dragBtn->setObjectName(QStringLiteral("DragBtn"));
    m_dragBtn->setIcon(IconeGlyphe(Glyphe::ConteneurPlein));
    m_dragBtn->setIconSize(QSize(24, 24));
    m_dragBtn->setAutoRaise(true);
    m_dragBtn->setToolTip(Tr("Ce bouton vous permet de\r\nglisser/déposer tout le groupe."));
    m_dragBtn->setAccessibleName(m_dragBtn->toolTip());
    m_dragBtn->installEventFilter(this);
    m_motif->setObjectName(QStringLiteral("EdMotif"));
    m_typeReq->setObjectName(QStringLiteral("LstTypeReq"));
    m_typeReq->addItems(
        {Tr("est exactement ce que je recherche"), Tr("est le début de ce que je recherche"),
         Tr("est la fin de ce que je recherche"), Tr("est contenu dans ce que je recherche"),
         Tr("est une expression rationnelle")});
    m_typeReq->setCurrentIndex(0);
    m_ajout->setObjectName(QStringLiteral("ChkAjout"));
    m_ajout->setChecked(true);
    m_rech->setObjectName(QStringLiteral("BtnRech"));
    m_rech->setToolTip(Tr("Rechercher le motif avec\r\nles options sélectionnées."));
    m_suppr->setObjectName(QStringLiteral("BtnSuppr"));
    m_suppr->setToolTip(Tr("Supprime le ou les éléments sélectionnés\r\nShift+Click : supprime "
                           "tous les éléments."));
    m_enr->setObjectName(QStringLiteral("BtnEnr"));
    m_enr->setToolTip(Tr("Permet de sauvegarder sur disque une liste\r\npour usage ultérieur"));
    m_load->setObjectName(QStringLiteral("BtnLoad"));
    m_load->setToolTip(Tr("Permet de charger une liste déjà créée"));
    m_pastille->setFixedSize(24, 16);
    m_pastille->setToolTip(Tr("Cliquez ici pour choisir\r\nla couleur du Tgen."));
    m_pastille->setAccessibleName(Tr("Couleur du groupe"));
    SetCouleurPastille(kSansCouleur);

    m_liste->setObjectName(QStringLiteral("ListResu"));
    m_liste->setModel(m_modele);
    m_modele->SetSource(m_liste);
    m_modele->SetNom([this] { return NomGroupe(); });
    m_liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_liste->setShowGrid(true);
    m_liste->setDragEnabled(true);
    m_liste->setDragDropMode(QAbstractItemView::DragOnly);
    m_liste->viewport()->setAcceptDrops(true);
    m_liste->viewport()->installEventFilter(this);
    m_liste->installEventFilter(this);
    m_liste->verticalHeader()->hide();
    m_liste->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_liste->verticalHeader()->setDefaultSectionSize(m_liste->fontMetrics().height() + 4);
    m_liste->setColumnWidth(ModeleSelecFormes::ColForme, 175);
    m_liste->setColumnWidth(ModeleSelecFormes::ColFrequence, 65);
    m_liste->horizontalHeader()->setStretchLastSection(true);
    InstalleExportTableau(m_liste, QStringLiteral("groupe.tsv"));

    auto *grille = new QGridLayout(m_groupe);
    grille->addWidget(new QLabel(Tr("Nom du groupe :")), 0, 0);
    grille->addWidget(m_nomGrp, 0, 1, 1, 2);
    grille->addWidget(m_dragBtn, 0, 3);
    grille->addWidget(new QLabel(Tr("Le motif :")), 1, 0);
    grille->addWidget(m_motif, 1, 1, 1, 2);
    grille->addWidget(m_pastille, 1, 3, Qt::AlignCenter);
    grille->addWidget(m_typeReq, 2, 0, 1, 3);
    grille->addWidget(m_ajout, 2, 3);
    auto *boutons = new QHBoxLayout;
    for (QPushButton *b : {m_rech, m_suppr, m_enr, m_load}) {
        boutons->addWidget(b);
    }
    grille->addLayout(boutons, 3, 0, 1, 4);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(4, 4, 4, 4);
    colonne->addWidget(m_groupe);
    colonne->addWidget(m_liste, 1);

    connect(m_rech, &QPushButton::clicked, this, &TFenSelecFormes::BtnRechClick);
    connect(m_motif, &QLineEdit::returnPressed, this, &TFenSelecFormes::BtnRechClick);
    connect(m_typeReq, &QComboBox::currentIndexChanged, this, &TFenSelecFormes::BtnRechClick);
    connect(m_suppr, &QPushButton::clicked, this, [this] {
        BtnSupprClick(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    connect(m_enr, &QPushButton::clicked, this, &TFenSelecFormes::BtnEnrClick);
    connect(m_load, &QPushButton::clicked, this, &TFenSelecFormes::BtnLoadClick);
}

uint32_t TFenSelecFormes::CouleurPastille() const { return m_pastille->Couleur(); }

void TFenSelecFormes::SetCouleurPastille(uint32_t couleur) { m_pastille->SetCouleur(couleur); }

std::string TFenSelecFormes::NomGroupe() const { return VersCp1252(m_nomGrp->text().trimmed()); }

void TFenSelecFormes::Ajoute(const std::vector<int32_t> &codes, bool remplace) {
    if (remplace) {
        m_codes.Vide();
    }
    m_codes.Ajoute(codes);
    m_modele->Actualise();
}

void TFenSelecFormes::BtnRechClick() {
    const QString p = m_motif->text().trimmed();
    if (p.isEmpty()) {
        return;
    }
    if (m_nomGrp->text().trimmed().isEmpty()) {
        m_nomGrp->setText(p + QLatin1Char('+'));
    }
    const bool remplace = !m_ajout->isChecked();
    const auto type = static_cast<TypeRequete>(std::max(0, m_typeReq->currentIndex()));
    const std::string motif = VersCp1252(p);
    if (type == TypeRequete::Exacte) {
        // One look-up in the base's index, on this thread.
        Ajoute(RechercheFormes(m_base, type, motif).codes, remplace);
        return;
    }
    const charg1 *base = &m_base;
    setCursor(Qt::BusyCursor);
    const bool lance = m_taches.Lance<ResultatRecherche>(
        this,
        [base, type, motif](const Progression &pr) {
            return RechercheFormes(*base, type, motif, pr.annulation, pr.StepIt);
        },
        [this, remplace](ResultatRecherche r) {
            unsetCursor();
            if (r.annule) {
                return;
            }
            if (!r.valide) {
                Message(this, QMessageBox::Warning, titre(),
                        Tr("Expression rationnelle incorrecte : ") +
                            QString::fromStdString(r.erreur),
                        QMessageBox::Ok);
                return;
            }
            Ajoute(r.codes, remplace);
        });
    if (!lance) {
        unsetCursor();
        Message(this, QMessageBox::Information, titre(), Tr("Un calcul est en cours"),
                QMessageBox::Ok);
    }
}

void TFenSelecFormes::BtnSupprClick(bool tous) {
    if (tous) {
        m_codes.Vide();
    } else {
        std::vector<int32_t> lignes;
        for (const QModelIndex &i : m_liste->selectionModel()->selectedRows()) {
            lignes.push_back(i.row());
        }
        if (lignes.empty()) {
            return;
        }
        m_codes.Retire(lignes);
    }
    m_modele->Actualise();
}

void TFenSelecFormes::BtnEnrClick() {
    QString chemin = Interactions().choisitFichierEnregistrement(this, Tr("Enregistrer une liste"),
                                                                 Tr("Listes (*.lst)"), QString());
    if (chemin.isEmpty()) {
        return;
    }
    if (!chemin.endsWith(QStringLiteral(".lst"), Qt::CaseInsensitive)) {
        chemin += QStringLiteral(".lst");
    }
    std::string erreur;
    if (!EcritListe(CheminNatif(chemin), m_base, m_codes.Codes(), erreur)) {
        Message(this, QMessageBox::Warning, titre(), QString::fromStdString(erreur),
                QMessageBox::Ok);
    }
}

void TFenSelecFormes::BtnLoadClick() {
    const QString chemin = Interactions().choisitFichierOuverture(this, Tr("Ouverture d'une liste"),
                                                                  Tr("Listes (*.lst)"));
    if (chemin.isEmpty()) {
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const LectureListe l = LitListe(CheminNatif(chemin), m_base);
    QGuiApplication::restoreOverrideCursor();
    if (!l.ok) {
        Message(this, QMessageBox::Warning, titre(), QString::fromStdString(l.message),
                QMessageBox::Ok);
        return;
    }
    Ajoute(l.codes, false);
}

TTgenDragObject *TFenSelecFormes::DragBoutonObjet() const {
    auto *objet = new TTgenDragObject(m_dragBtn, NomGroupe(), CouleurPastille(), m_codes.Taille());
    objet->Codes = m_codes.Codes();
    return objet;
}

bool TFenSelecFormes::Depose(const QMimeData *data) {
    if (const TTgenDragObject *drag = GroupeDeplace(data)) {
        m_codes.Ajoute(drag->Codes);
        SetCouleurPastille(drag->Couleur);
        m_modele->Actualise();
        return true;
    }
    if (!accepte(data)) {
        return false;
    }
    const int32_t code = m_base.LocFormDic(VersCp1252(data->text().trimmed()), true);
    if (code >= 0) {
        Ajoute({code}, false);
    }
    return true;
}

bool TFenSelecFormes::eventFilter(QObject *objet, QEvent *event) {
    if (objet == m_dragBtn) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_departDrag = static_cast<QMouseEvent *>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseMove) {
            auto *souris = static_cast<QMouseEvent *>(event);
            if ((souris->buttons() & Qt::LeftButton) && m_codes.Taille() > 0 &&
                (souris->position().toPoint() - m_departDrag).manhattanLength() >=
                    QApplication::startDragDistance()) {
                auto *drag = new QDrag(m_dragBtn);
                drag->setMimeData(DragBoutonObjet());
                drag->setPixmap(m_dragBtn->icon().pixmap(24, 24));
                drag->exec(Qt::CopyAction);
                m_dragBtn->setDown(false);
                return true;
            }
        }
    } else if (objet == m_liste->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *e = static_cast<QDragMoveEvent *>(event);
            if (accepte(e->mimeData())) {
                e->acceptProposedAction();
            } else {
                e->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *e = static_cast<QDropEvent *>(event);
            if (Depose(e->mimeData())) {
                e->acceptProposedAction();
            } else {
                e->ignore();
            }
            return true;
        }
        default:
            break;
        }
    } else if (objet == m_liste && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        BtnSupprClick(false);
        return true;
    }
    return QWidget::eventFilter(objet, event);
}

} // namespace morvix::ui
