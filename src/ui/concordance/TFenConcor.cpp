#include "concordance/TFenConcor.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "concordance/VueConcordance.h"
#include "corpus/Corpus.h"
#include "groups/Tgen.h"
#include "groups/TgenDrag.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace morvix::ui {

namespace {

// Texts written with "\r\n" line breaks, shown with plain line feeds.
QString sansCR(QString texte) {
    return texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A list that asks to be refilled each time it drops down.
class ComboRemplie : public QComboBox {
  public:
    std::function<void()> avantOuverture;

    void showPopup() override {
        if (avantOuverture) {
            avantOuverture();
        }
        QComboBox::showPopup();
    }
};

QToolButton *boutonIcone(const QString &nom, QStyle::StandardPixmap icone,
                         const QString &indication, QWidget *parent) {
    auto *b = new QToolButton;
    b->setObjectName(nom);
    b->setIcon(parent->style()->standardIcon(icone));
    b->setAutoRaise(true);
    b->setToolTip(indication);
    b->setAccessibleName(indication);
    return b;
}

struct CurseurAttente {
    CurseurAttente() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurAttente() { QGuiApplication::restoreOverrideCursor(); }
    CurseurAttente(const CurseurAttente &) = delete;
    CurseurAttente &operator=(const CurseurAttente &) = delete;
};

} // namespace

TFenConcor::TFenConcor(const charg1 &base, ExecuteurTaches &taches, Corpus &corpus,
                       std::function<Rapport *()> rapport, std::unique_ptr<Tgen> groupe,
                       QWidget *parent)
    : QWidget(parent), m_base(base), m_taches(taches), m_corpus(corpus),
      m_rapport(std::move(rapport)),
      m_btnPrec(
          boutonIcone(QStringLiteral("BtnPrec"), QStyle::SP_ArrowBack, Tr("Précédent"), this)),
      m_btnSuiv(
          boutonIcone(QStringLiteral("BtnSuiv"), QStyle::SP_ArrowForward, Tr("Suivant"), this)),
      m_edForme(new QLineEdit), m_chkExpRep(new QCheckBox(Tr("Expression rationnelle"))),
      m_comboTri(new QComboBox), m_cbTypeDocu(new QComboBox), m_comboGrp(new ComboRemplie),
      m_spinLgCont(new QSpinBox), m_edDelims(new QLineEdit),
      m_btnRecycle(boutonIcone(QStringLiteral("BtnRecycle"), QStyle::SP_BrowserReload,
                               Tr("Rafraîchir"), this)),
      m_vue(new VueConcordance), m_status(new QStatusBar) {
    setObjectName(QStringLiteral("FenConcor"));
    setWindowTitle(Tr("Concordances"));

    m_edForme->setObjectName(QStringLiteral("EdForme"));
    m_edForme->setToolTip(Tr("Entrez une forme"));
    m_edForme->installEventFilter(this);
    m_chkExpRep->setObjectName(QStringLiteral("ChkExpRep"));
    m_comboTri->setObjectName(QStringLiteral("ComboTri"));
    m_comboTri->setToolTip(Tr("Sens du tri des contextes"));
    m_comboTri->addItems({Tr("Aucun"), Tr("Avant"), Tr("Après")});
    m_cbTypeDocu->setObjectName(QStringLiteral("CbTypeDocu"));
    m_cbTypeDocu->addItems({Tr("Concordance"), Tr("Inventaire distributionnel")});
    m_comboGrp->setObjectName(QStringLiteral("ComboGrp"));
    m_comboGrp->setToolTip(sansCR(
        Tr("Partie qui vous permettra de regrouper les contextes\r\navant de trier ceux-ci.")));
    m_comboGrp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    static_cast<ComboRemplie *>(m_comboGrp)->avantOuverture = [this] { RemplitComboGrp(); };
    m_spinLgCont->setObjectName(QStringLiteral("SpinLgCont"));
    m_spinLgCont->setRange(kLargeurMin, kLargeurMax);
    m_spinLgCont->setSingleStep(5);
    m_spinLgCont->setValue(kLargeurDefaut);
    m_spinLgCont->setKeyboardTracking(false);
    m_spinLgCont->setToolTip(sansCR(
        Tr("Longueur du contexte.\r\n------------------------------------\r\nVous permet de "
           "choisir combien de caractères\r\ndoivent apparaitre avant et après chaque pôle.")));
    m_edDelims->setObjectName(QStringLiteral("EdDelims"));
    m_edDelims->setText(DeCp1252(kDelimiteursDefaut));
    m_edDelims->setMinimumWidth(m_edDelims->fontMetrics().horizontalAdvance(m_edDelims->text()) +
                                16);
    m_status->setObjectName(QStringLiteral("StatusBar"));
    m_status->setSizeGripEnabled(false);

    auto *grille = new QGridLayout;
    grille->setContentsMargins(4, 4, 4, 2);
    grille->setHorizontalSpacing(6);
    auto *historique = new QHBoxLayout;
    historique->addWidget(m_btnPrec);
    historique->addWidget(m_btnSuiv);
    grille->addLayout(historique, 0, 0, 2, 1);
    auto etiquette = [&](const QString &texte, QWidget *champ, int ligne, int colonne) {
        auto *l = new QLabel(texte);
        l->setBuddy(champ);
        grille->addWidget(l, ligne, colonne);
        grille->addWidget(champ, ligne, colonne + 1);
    };
    etiquette(Tr("Forme :"), m_edForme, 0, 1);
    grille->addWidget(m_chkExpRep, 1, 2);
    etiquette(Tr("Tri :"), m_comboTri, 0, 3);
    etiquette(Tr("Type de documentation :"), m_cbTypeDocu, 1, 3);
    etiquette(Tr("Regroupement :"), m_comboGrp, 0, 5);
    etiquette(Tr("Largeur :"), m_spinLgCont, 1, 5);
    etiquette(sansCR(Tr("Délimiteurs de\r\nséquence :")), m_edDelims, 0, 7);
    grille->addWidget(m_btnRecycle, 1, 8);
    grille->setColumnStretch(9, 1);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addLayout(grille);
    colonne->addWidget(m_vue, 1);
    colonne->addWidget(m_status);

    RemplitComboGrp();
    m_comboGrp->setCurrentIndex(0);
    majBoutons();

    connect(m_btnPrec, &QToolButton::clicked, this, &TFenConcor::BtnPrecClick);
    connect(m_btnSuiv, &QToolButton::clicked, this, &TFenConcor::BtnSuivClick);
    connect(m_btnRecycle, &QToolButton::clicked, this, &TFenConcor::Reconstruit);
    connect(m_comboTri, &QComboBox::currentIndexChanged, this, &TFenConcor::Reconstruit);
    connect(m_cbTypeDocu, &QComboBox::currentIndexChanged, this, &TFenConcor::Reconstruit);
    connect(m_comboGrp, &QComboBox::activated, this, &TFenConcor::choisitRegroupement);
    connect(m_spinLgCont, &QSpinBox::valueChanged, this, &TFenConcor::Reconstruit);
    connect(m_vue, &VueConcordance::GroupeDepose, this, &TFenConcor::Depose);
    connect(m_vue, &VueConcordance::TexteDepose, this, &TFenConcor::DeposeTexte);
    connect(m_vue, &VueConcordance::GlissementDemande, this, [this](const QString &texte) {
        TTgenDragObject *objet = ObjetGlisse(texte);
        if (objet == nullptr) {
            return;
        }
        auto *drag = new QDrag(m_vue);
        drag->setMimeData(objet);
        drag->exec(Qt::CopyAction);
    });

    if (groupe) {
        MontrePole(std::shared_ptr<const Tgen>(std::move(groupe)));
    }
}

TFenConcor::~TFenConcor() = default;

void TFenConcor::statut(const QString &texte) {
    m_status->showMessage(texte);
    m_status->repaint();
}

int32_t TFenConcor::sensTri() const {
    switch (m_comboTri->currentIndex()) {
    case 1:
        return kTriAvant;
    case 2:
        return kTriApres;
    default:
        return kTriAucun;
    }
}

void TFenConcor::majBoutons() {
    m_btnPrec->setEnabled(m_courant > 0);
    m_btnSuiv->setEnabled(m_courant >= 0 &&
                          m_courant + 1 < static_cast<int32_t>(m_historique.size()));
}

void TFenConcor::MontrePole(std::shared_ptr<const Tgen> groupe) {
    if (!groupe) {
        return;
    }
    m_historique.insert(m_historique.begin() + (m_courant + 1),
                        EntreeHistorique{groupe, m_comboTri->currentIndex()});
    ++m_courant;
    m_pole = std::move(groupe);
    majBoutons();
    Reconstruit();
}

void TFenConcor::BtnPrecClick() {
    if (m_courant <= 0) {
        return;
    }
    --m_courant;
    const EntreeHistorique &e = m_historique[static_cast<size_t>(m_courant)];
    m_pole = e.groupe;
    {
        const QSignalBlocker bloque(m_comboTri);
        m_comboTri->setCurrentIndex(e.tri);
    }
    majBoutons();
    Reconstruit();
}

void TFenConcor::BtnSuivClick() {
    if (m_courant + 1 >= static_cast<int32_t>(m_historique.size())) {
        return;
    }
    ++m_courant;
    const EntreeHistorique &e = m_historique[static_cast<size_t>(m_courant)];
    m_pole = e.groupe;
    {
        const QSignalBlocker bloque(m_comboTri);
        m_comboTri->setCurrentIndex(e.tri);
    }
    majBoutons();
    Reconstruit();
}

void TFenConcor::EdFormeValide() {
    const std::string texte = VersCp1252(m_edForme->text());
    if (!m_chkExpRep->isChecked()) {
        if (auto pole = PoleDepuisForme(m_base, texte)) {
            MontrePole(std::shared_ptr<const Tgen>(std::move(pole)));
        }
        return;
    }
    // A pattern may take a large part of the dictionary: its group is built on the runner.
    std::string erreur;
    std::vector<int32_t> codes = CodesDepuisExpression(m_base, texte, erreur);
    if (!erreur.empty()) {
        statut(Tr("Expression rationnelle invalide : ") + QString::fromStdString(erreur));
        return;
    }
    if (codes.empty()) {
        return;
    }
    const charg1 *base = &m_base;
    statut(Tr("Création des contextes"));
    const bool lancee = m_taches.Lance<std::shared_ptr<const Tgen>>(
        this,
        [base, codes = std::move(codes)](const Progression &) {
            return std::make_shared<const Tgen>(base, codes, nullptr);
        },
        [this](std::shared_ptr<const Tgen> groupe) {
            if (!m_taches.DerniereAnnulee()) {
                MontrePole(std::move(groupe));
            }
        });
    if (!lancee) {
        statut(Tr("Un calcul est en cours"));
    }
}

void TFenConcor::Depose(const TgenDrag &drag) {
    CurseurAttente attente;
    if (auto groupe = TgenDepuisDepot(m_base, drag, true)) {
        MontrePole(std::shared_ptr<const Tgen>(std::move(groupe)));
    }
}

void TFenConcor::DeposeTexte(const QString &texte) {
    if (auto pole = PoleDepuisForme(m_base, VersCp1252(texte.trimmed()))) {
        MontrePole(std::shared_ptr<const Tgen>(std::move(pole)));
    }
}

TTgenDragObject *TFenConcor::ObjetGlisse(const QString &texte) const {
    const int32_t code = m_base.LocFormDic(VersCp1252(texte.trimmed()), true);
    if (code < 0) {
        return nullptr;
    }
    auto *objet = new TTgenDragObject(m_vue, std::string(), 0, 1);
    objet->Codes[0] = code;
    return objet;
}

void TFenConcor::RemplitComboGrp() {
    const Partition *choisie = partitionValide();
    m_partitionsListe.clear();
    m_comboGrp->clear();
    m_comboGrp->addItem(Tr("<Aucun>"));
    int courant = 0;
    for (int32_t i = 0; i < m_corpus.NbPartitions(); ++i) {
        const Partition *p = m_corpus.PartitionI(i).Part.get();
        if (p == nullptr || &p->Base() != &m_base) {
            continue;
        }
        m_partitionsListe.push_back(p);
        m_comboGrp->addItem(DeCp1252(m_base.RetourneGraphie(p->Cle, false)));
        if (p == choisie) {
            courant = static_cast<int>(m_partitionsListe.size());
        }
    }
    m_comboGrp->setCurrentIndex(courant);
}

const Partition *TFenConcor::partitionValide() {
    if (m_partition == nullptr) {
        return nullptr;
    }
    for (int32_t i = 0; i < m_corpus.NbPartitions(); ++i) {
        if (m_corpus.PartitionI(i).Part.get() == m_partition) {
            return m_partition;
        }
    }
    m_partition = nullptr;
    return nullptr;
}

void TFenConcor::choisitRegroupement(int index) {
    m_partition = index >= 1 && static_cast<size_t>(index) <= m_partitionsListe.size()
                      ? m_partitionsListe[static_cast<size_t>(index - 1)]
                      : nullptr;
    Reconstruit();
}

TFenConcor::Parametres TFenConcor::parametresCourants() const {
    Parametres p;
    p.pole = m_pole.get();
    p.inventaire = m_cbTypeDocu->currentIndex() == Inventaire;
    if (p.inventaire) {
        p.delimiteurs = VersCp1252(m_edDelims->text());
    } else {
        p.sens = sensTri();
        p.largeur = m_spinLgCont->value();
        p.partition = m_partition;
    }
    return p;
}

bool TFenConcor::lance(const Parametres &p,
                       std::function<void(std::shared_ptr<const DocumentConcordance>)> fin) {
    RegroupementParties regroupement;
    if (p.partition != nullptr) {
        regroupement = RegroupementDe(*p.partition);
    }
    const charg1 *base = &m_base;
    std::shared_ptr<const Tgen> pole = m_pole;
    m_enCours = true;
    const bool lancee = m_taches.Lance<std::shared_ptr<const DocumentConcordance>>(
        this,
        [base, pole, p, regroupement](const Progression &progression) {
            DocumentConcordance doc;
            if (p.inventaire) {
                doc = ConstruitInventaire(*base, *pole, p.delimiteurs, progression.annulation);
            } else {
                OptionsConcordance options;
                options.sens = p.sens;
                options.largeur = p.largeur;
                options.regroupement = p.partition != nullptr ? &regroupement : nullptr;
                options.annulation = progression.annulation;
                doc = ConstruitConcordance(*base, *pole, options);
            }
            return std::make_shared<const DocumentConcordance>(std::move(doc));
        },
        [this, fin = std::move(fin)](std::shared_ptr<const DocumentConcordance> doc) {
            m_enCours = false;
            const bool refaire = std::exchange(m_aRefaire, false);
            if (!doc->annule) {
                fin(doc);
            } else if (!refaire) {
                m_rapportEnAttente = false;
                statut(Tr("Calcul annulé"));
            }
            if (refaire) {
                Reconstruit();
            }
        });
    if (!lancee) {
        m_enCours = false;
        statut(Tr("Un calcul est en cours"));
    }
    return lancee;
}

void TFenConcor::Reconstruit() {
    if (!m_pole) {
        return;
    }
    if (m_enCours) {
        // The running building is out of date: stop it and start again once it has stopped.
        m_aRefaire = true;
        m_taches.Annule();
        return;
    }
    partitionValide();
    const Parametres p = parametresCourants();
    statut(p.inventaire          ? Tr("Recherche des segments")
           : p.sens != kTriAucun ? Tr("Tri des contextes")
                                 : Tr("Création des contextes"));
    lance(p, [this, p](std::shared_ptr<const DocumentConcordance> doc) { affiche(p, doc); });
}

void TFenConcor::affiche(const Parametres &p, std::shared_ptr<const DocumentConcordance> doc) {
    statut(p.inventaire ? Tr("Préparation de l'affichage") : Tr("Affichage des contextes"));
    m_document = doc;
    m_parametresDocument = p;
    m_vue->SetDocument(std::move(doc), p.pole->Couleur);
    statut(p.inventaire
               ? QString::number(m_document->nbOccurrences) + Tr(" segments")
               : Tr("Nombre de contextes : ") + QString::number(m_document->nbOccurrences));
    if (std::exchange(m_rapportEnAttente, false)) {
        ecritPage(p, *m_document);
    }
}

bool TFenConcor::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteAuRapport();
        return true;
    }
    if (event->type() == WM_DEPOT_TEXTE) {
        DeposeTexte(static_cast<EvDepotTexte *>(event)->Texte);
        return true;
    }
    return QWidget::event(event);
}

bool TFenConcor::eventFilter(QObject *objet, QEvent *event) {
    if (objet == m_edForme && event->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent *>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            EdFormeValide();
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

} // namespace morvix::ui
