#include "segments/TfrmSR.h"

#include "ExportTableau.h"
#include "Interaction.h"
#include "Pastille.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Glyphes.h"
#include "report/Rapport.h"
#include "report/RapportOutils.h"
#include "segments/ListeSegments.h"
#include "segments/ModeleSR.h"
#include "segments/SegRep.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvix::ui {

TfrmSR::TfrmSR(const charg1 &base, const SegRep &store, std::function<Rapport *()> rapport,
               QWidget *parent)
    : QWidget(parent), m_base(base), m_store(store), m_rapport(std::move(rapport)),
      m_modele(new ModeleSR(base, store, this)), m_liste(new QTableView), m_pastille(new Pastille),
      m_btnRap(new QToolButton) {
    setObjectName(QStringLiteral("frmSR"));
    setWindowTitle(Tr("Segments répétés"));
    setWindowFlag(Qt::Tool);
    resize(270, 612);

    auto *label = new QLabel(Tr("Sélectionnez une couleur :"));
    m_pastille->setFixedSize(24, 16);
    m_pastille->setToolTip(Tr("Couleur d'affichage des éléments de la liste\r\naprès projection."));
    m_pastille->setAccessibleName(Tr("Couleur d'affichage des éléments de la liste"));
    m_pastille->SetCouleur(kSansCouleur);
    m_modele->SetCouleur(kSansCouleur);
    connect(m_pastille, &Pastille::CouleurChangee, m_modele, &ModeleSR::SetCouleur);

    m_btnRap->setObjectName(QStringLiteral("SpdBtnRap"));
    m_btnRap->setIcon(IconeGlyphe(Glyphe::AjouteRap));
    m_btnRap->setIconSize(QSize(20, 20));
    m_btnRap->setAutoRaise(true);
    m_btnRap->setToolTip(Tr("Ajouter au rapport"));
    m_btnRap->setAccessibleName(Tr("Ajouter au rapport"));
    connect(m_btnRap, &QToolButton::clicked, this, [this] { SpdBtnRapClick(); });

    m_liste->setObjectName(QStringLiteral("ListSR"));
    m_liste->setModel(m_modele);
    m_modele->SetSource(m_liste);
    PrepareListeGlissee(m_liste);
    m_liste->horizontalHeader()->setSectionsClickable(true);
    m_liste->setColumnWidth(ModeleSR::ColLg, 30);
    m_liste->setColumnWidth(ModeleSR::ColSegment, 175);
    m_liste->setColumnWidth(ModeleSR::ColFrq, 30);
    m_liste->horizontalHeader()->setStretchLastSection(true);
    connect(m_liste->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmSR::ListSRColumnClick);
    InstalleExportTableau(m_liste, QStringLiteral("segments.tsv"));

    auto *haut = new QHBoxLayout;
    haut->addWidget(label);
    haut->addWidget(m_pastille);
    haut->addStretch(1);
    haut->addWidget(m_btnRap);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(2, 2, 2, 2);
    colonne->setSpacing(2);
    colonne->addLayout(haut);
    colonne->addWidget(m_liste, 1);
}

uint32_t TfrmSR::CouleurPastille() const { return m_pastille->Couleur(); }

void TfrmSR::SetCouleurPastille(uint32_t couleur) { m_pastille->SetCouleur(couleur); }

std::vector<int32_t> TfrmSR::LignesSelectionnees() const {
    std::vector<int32_t> lignes;
    for (const QModelIndex &i : m_liste->selectionModel()->selectedRows()) {
        lignes.push_back(i.row());
    }
    std::sort(lignes.begin(), lignes.end());
    return lignes;
}

void TfrmSR::ListSRColumnClick(int colonne) {
    if (colonne < 0 || colonne >= ModeleSR::NbColonnes) {
        return;
    }
    m_liste->clearSelection();
    m_modele->Trie(static_cast<ModeleSR::Colonne>(colonne));
}

bool TfrmSR::SpdBtnRapClick() {
    Rapport *rapport = m_rapport ? m_rapport() : nullptr;
    if (rapport == nullptr) {
        return false;
    }
    const std::string titre = VersCp1252(windowTitle());
    const std::string nom = rapport->NomLibre(kSouchePageSegments, kExtensionPage, true);
    if (!rapport->Valide() ||
        !EcritPageRapport(rapport->Dossier() + nom, PageHtmlSegments(m_store, titre))) {
        Message(this, QMessageBox::Warning, windowTitle(),
                Tr("La page du rapport ne peut être écrite : ") +
                    DeCheminNatif(rapport->Dossier() + nom),
                QMessageBox::Ok);
        return false;
    }
    return rapport->AjouteEntree(titre, nom, " ");
}

} // namespace morvix::ui
