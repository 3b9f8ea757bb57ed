#include "partitions/TFenSpecGrp.h"

#include "ExportTableau.h"
#include "Interaction.h"
#include "Pastille.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/Glyphes.h"
#include "mainwindow/TFenPrinc.h"
#include "partitions/ModeleSpecGrp.h"
#include "partitions/PagesPartition.h"
#include "partitions/PagesRapport.h"
#include "partitions/Partition.h"
#include "partitions/TextesPartition.h"
#include "report/Rapport.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvix::ui {

namespace {
constexpr uint32_t kNoir = 0x000000;
}

TFenSpecGrp::TFenSpecGrp(TFenPrinc &fen, std::unique_ptr<PrimSpec> spec, QWidget *parent)
    : QWidget(parent), m_fen(fen), m_base(spec->LaPartition().Base()), m_spec(std::move(spec)),
      m_partition(&m_spec->LaPartition()) {
    construit();
    SetCouleurPastille(CouleurPastillePartition(*m_partition));
    setWindowTitle(Tr("Spécifs - Part : ") +
                   DeCp1252(m_base.RetourneGraphie(m_partition->Cle, false)));
}

TFenSpecGrp::TFenSpecGrp(TFenPrinc &fen, const charg1 &base, std::vector<ResSpec> resultats,
                         QWidget *parent)
    : QWidget(parent), m_fen(fen), m_base(base), m_resultatsSections(std::move(resultats)) {
    construit();
    SetCouleurPastille(kNoir);
    setWindowTitle(Tr("Spécifs - Sections"));
}

TFenSpecGrp::~TFenSpecGrp() = default;

const std::vector<ResSpec> &TFenSpecGrp::Resultats() const {
    return m_spec ? m_spec->Resultats() : m_resultatsSections;
}

void TFenSpecGrp::construit() {
    setObjectName(QStringLiteral("FenSpecGrp"));
    setWindowFlag(Qt::Tool);
    setMinimumWidth(150);
    resize(286, 400);
    m_modele = new ModeleSpecGrp(m_base, Resultats(), this);

    m_lbCorpRef = new QLabel;
    m_lbCorpRef->setObjectName(QStringLiteral("LbCorpRef"));
    m_lbParties = new QLabel;
    m_lbParties->setObjectName(QStringLiteral("LbParties"));
    for (QLabel *l : {m_lbCorpRef, m_lbParties}) {
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto *lbSpecif = new QLabel(Tr("Spécificités"));
    m_positives = new QRadioButton(Tr("positives"));
    m_positives->setObjectName(QStringLiteral("RbPositives"));
    m_positives->setToolTip(Tr("Afficher les spécificités positives en premier"));
    m_positives->setChecked(true);
    m_negatives = new QRadioButton(Tr("négatives"));
    m_negatives->setObjectName(QStringLiteral("RbNegatives"));
    m_negatives->setToolTip(Tr("Afficher les spécificités négatives en premier"));
    connect(m_positives, &QRadioButton::toggled, this,
            [this](bool on) { m_modele->SetPositives(on); });
    m_btnRapport = new QToolButton;
    m_btnRapport->setObjectName(QStringLiteral("BtnAjouteRap"));
    m_btnRapport->setAutoRaise(true);
    m_btnRapport->setIcon(IconeGlyphe(Glyphe::AjouteRap));
    m_btnRapport->setIconSize(QSize(24, 24));
    m_btnRapport->setToolTip(Tr("Ajouter au rapport"));
    m_btnRapport->setAccessibleName(Tr("Ajouter au rapport"));
    connect(m_btnRapport, &QToolButton::clicked, this, [this] { AjouteRapport(); });
    m_pastille = new Pastille;
    m_pastille->setObjectName(QStringLiteral("ShPastille"));
    m_pastille->setFixedSize(36, 36);
    m_pastille->setToolTip(Tr("Couleur d'affichage des éléments de la liste\naprès projection."));
    m_pastille->setAccessibleName(Tr("Couleur d'affichage des éléments de la liste"));
    connect(m_pastille, &Pastille::CouleurChangee, this,
            [this](uint32_t couleur) { m_modele->SetCouleur(couleur); });

    m_liste = new QTableView;
    m_liste->setObjectName(QStringLiteral("ListResu"));
    m_liste->setModel(m_modele);
    m_modele->SetSource(m_liste);
    PrepareListeGlissee(m_liste);
    // Each column at least as wide as its header in any language.
    for (int c = ModeleSpecGrp::ColTerme; c < ModeleSpecGrp::NbColonnes; ++c) {
        const QString titre = m_modele->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        m_liste->setColumnWidth(c, std::max(c == ModeleSpecGrp::ColTerme ? 100 : 40,
                                            m_liste->fontMetrics().horizontalAdvance(titre) + 14));
    }
    // The term takes what the numbers leave of the docked width.
    m_liste->horizontalHeader()->setMinimumSectionSize(40);
    m_liste->horizontalHeader()->setSectionResizeMode(ModeleSpecGrp::ColTerme,
                                                      QHeaderView::Stretch);
    InstalleExportTableau(m_liste, QStringLiteral("specificites.tsv"));

    auto *textes = new QVBoxLayout;
    textes->addWidget(m_lbCorpRef);
    textes->addWidget(m_lbParties);
    textes->addStretch(1);
    auto *haut = new QHBoxLayout;
    haut->addLayout(textes, 1);
    haut->addWidget(m_btnRapport, 0, Qt::AlignTop);
    haut->addWidget(m_pastille, 0, Qt::AlignTop);
    auto *radios = new QHBoxLayout;
    radios->addWidget(lbSpecif);
    radios->addWidget(m_positives);
    radios->addWidget(m_negatives);
    radios->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(haut);
    layout->addLayout(radios);
    layout->addWidget(m_liste, 1);
}

uint32_t TFenSpecGrp::CouleurPastille() const { return m_modele->Couleur(); }

void TFenSpecGrp::SetCouleurPastille(uint32_t couleur) {
    m_modele->SetCouleur(couleur);
    m_pastille->SetCouleur(couleur);
}

void TFenSpecGrp::SetEntetes(const QString &corpRef, const QString &parties,
                             const QString &infobulle) {
    m_lbCorpRef->setText(corpRef);
    m_lbParties->setText(parties);
    m_lbCorpRef->setToolTip(infobulle);
    m_lbParties->setToolTip(infobulle);
}

void TFenSpecGrp::Montre() {
    m_fen.Docke(this);
    m_fen.ListesGauche()->setCurrentIndex(m_fen.ListesGauche()->count() - 1);
    show();
}

bool TFenSpecGrp::AjouteRapport() {
    Rapport *rapport = m_fen.RapportCourant();
    if (rapport == nullptr) {
        return false;
    }
    const int32_t n = NumeroLibre(*rapport, "spf", ".html");
    std::string cle;
    if (m_partition != nullptr) {
        cle = m_base.RetourneGraphie(m_partition->Cle, false);
    }
    EntetePageSpec entete{VersCp1252(windowTitle()), m_base.NomBase(),
                          m_partition != nullptr ? &cle : nullptr, VersCp1252(m_lbParties->text())};
    const std::string page = PageSpecGrp(m_base, Resultats(), entete);
    const std::string titre =
        entete.Titre + " " + entete.TexteParties + "(" + std::to_string(n + 1) + ")";
    return EnregistrePage(this, *rapport, "spf" + std::to_string(n) + ".html", page, titre);
}

bool TFenSpecGrp::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteRapport();
        return true;
    }
    return QWidget::event(event);
}

} // namespace morvix::ui
