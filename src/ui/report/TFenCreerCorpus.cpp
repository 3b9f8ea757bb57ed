#include "report/TFenCreerCorpus.h"

#include "ExecuteurTaches.h"
#include "ExportTableau.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "report/ConversionTexte.h"
#include "report/CreationCorpus.h"
#include "report/ModeleFichiersCorpus.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

QString titre() { return Tr("Création de Corpus"); }

} // namespace

TFenCreerCorpus::TFenCreerCorpus(QWidget *parent)
    : QDialog(parent), m_taches(std::make_unique<ExecuteurTaches>()),
      m_modele(new ModeleFichiersCorpus(this)), m_liste(new QTableView),
      m_ajouter(new QPushButton(Tr("&Ajouter"))), m_grpWord(new QGroupBox(Tr(" Options Word "))),
      m_trait(new QCheckBox(Tr("Traitement des paragraphes :"))),
      m_rbCar(new QRadioButton(Tr("Caractère spécial :"))),
      m_edCar(new QLineEdit(QStringLiteral("\u00B6"))), m_rbCle(new QRadioButton(Tr("Clé :"))),
      m_edCle(new QLineEdit(QStringLiteral("parag"))),
      m_nomCle(new QLineEdit(QString::fromLatin1(kCleCorpusDefaut))),
      m_sauver(new QPushButton(Tr("&Sauvegarder"))), m_annuler(new QPushButton(Tr("&Annuler"))),
      m_gauge(new QProgressBar), m_arreter(new QPushButton(Tr("Arrêter"))) {
    setObjectName(QStringLiteral("FenCreerCorpus"));
    setWindowTitle(titre());

    m_liste->setObjectName(QStringLiteral("LVFiles"));
    m_liste->setModel(m_modele);
    m_liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_liste->setShowGrid(true);
    m_liste->verticalHeader()->hide();
    m_liste->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_liste->verticalHeader()->setDefaultSectionSize(m_liste->fontMetrics().height() + 4);
    m_liste->setColumnWidth(ModeleFichiersCorpus::ColNom, 100);
    m_liste->setColumnWidth(ModeleFichiersCorpus::ColChemin, 200);
    m_liste->setColumnWidth(ModeleFichiersCorpus::ColType, 75);
    m_liste->setColumnWidth(ModeleFichiersCorpus::ColTaille, 75);
    m_liste->horizontalHeader()->setStretchLastSection(true);
    InstalleExportTableau(m_liste, QStringLiteral("fichiers-corpus.tsv"));

    m_ajouter->setObjectName(QStringLiteral("BtnAdd"));
    m_grpWord->setObjectName(QStringLiteral("GrpWord"));
    m_trait->setObjectName(QStringLiteral("ChkTrait"));
    m_rbCar->setObjectName(QStringLiteral("RBCar"));
    m_rbCar->setChecked(true);
    m_edCar->setObjectName(QStringLiteral("EdCar"));
    m_rbCle->setObjectName(QStringLiteral("RBCle"));
    m_edCle->setObjectName(QStringLiteral("EdCle"));
    m_nomCle->setObjectName(QStringLiteral("EdNomCle"));
    m_sauver->setObjectName(QStringLiteral("BtnSave"));
    m_sauver->setDefault(true);
    m_annuler->setObjectName(QStringLiteral("BtnAnnuler"));
    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setRange(0, 200);
    m_gauge->setTextVisible(false);
    m_arreter->setObjectName(QStringLiteral("BtnArreter"));
    m_taches->AttribGauge(m_gauge);
    m_taches->AttribBoutonAnnuler(m_arreter);
    ChkTraitClick();

    auto *grilleWord = new QGridLayout(m_grpWord);
    grilleWord->addWidget(m_trait, 0, 0, 1, 2);
    grilleWord->addWidget(m_rbCar, 1, 0);
    grilleWord->addWidget(m_edCar, 1, 1);
    grilleWord->addWidget(m_rbCle, 2, 0);
    grilleWord->addWidget(m_edCle, 2, 1);
    auto *ligneCle = new QHBoxLayout;
    auto *label1 = new QLabel(Tr("Nom de la clé :"));
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(m_nomCle);
    ligneCle->addWidget(label1);
    ligneCle->addWidget(m_nomCle, 1);
    auto *droite = new QVBoxLayout;
    droite->addWidget(m_ajouter);
    droite->addWidget(m_grpWord);
    droite->addLayout(ligneCle);
    droite->addStretch(1);
    droite->addWidget(m_sauver);
    droite->addWidget(m_annuler);
    auto *haut = new QHBoxLayout;
    haut->addWidget(m_liste, 1);
    haut->addLayout(droite);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_gauge, 1);
    bas->addWidget(m_arreter);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(haut, 1);
    colonne->addLayout(bas);
    resize(720, 360);

    connect(m_ajouter, &QPushButton::clicked, this, &TFenCreerCorpus::BtnAddClick);
    connect(m_trait, &QCheckBox::toggled, this, &TFenCreerCorpus::ChkTraitClick);
    connect(m_sauver, &QPushButton::clicked, this, &TFenCreerCorpus::BtnSaveClick);
    connect(m_annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_taches.get(), &ExecuteurTaches::OccupeChange, this, &TFenCreerCorpus::Occupe);
}

TFenCreerCorpus::~TFenCreerCorpus() = default;

const std::vector<Fic> &TFenCreerCorpus::Fichiers() const { return m_modele->Fichiers(); }

void TFenCreerCorpus::ChkTraitClick() {
    const bool actif = m_trait->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_rbCar, m_edCar, m_rbCle, m_edCle}) {
        w->setEnabled(actif);
    }
}

void TFenCreerCorpus::Occupe(bool occupe) {
    m_ajouter->setEnabled(!occupe);
    m_sauver->setEnabled(!occupe);
    if (!occupe) {
        m_gauge->setValue(0);
    }
}

void TFenCreerCorpus::AjouteFichiers(const QStringList &chemins) {
    for (const QString &c : chemins) {
        m_modele->Ajoute(CheminNatif(QFileInfo(c).absoluteFilePath()));
    }
}

void TFenCreerCorpus::BtnAddClick() {
    AjouteFichiers(Interactions().choisitFichiersOuverture(
        this, Tr("Ajouter un ou des fichiers"),
        Tr("Documents textes et word (*.txt *.doc *.docx *.odt);;Documents Word (*.doc "
           "*.docx);;Documents OpenDocument (*.odt);;Fichiers Texte (*.txt)")));
}

void TFenCreerCorpus::BtnSaveClick() {
    const std::vector<Fic> &fichiers = Fichiers();
    if (fichiers.empty() || m_taches->Occupe()) {
        return;
    }
    if (fichiers.size() == 1 && fichiers.front().Type == kFicTexte) {
        m_fichierSauve = DeCheminNatif(fichiers.front().Chemin);
        accept();
        return;
    }
    // The tags must pass the key verification: the key and the markers are checked here.
    const std::string cle = VersCp1252(m_nomCle->text().trimmed());
    const bool formeCle = m_rbCle->isChecked();
    const std::string cleParagraphe = VersCp1252(m_edCle->text().trimmed());
    const std::string caractere = VersCp1252(m_edCar->text());
    std::string raison = VerifieCleCorpus(cle);
    if (raison.empty() && m_trait->isChecked()) {
        raison = formeCle ? VerifieCleCorpus(cleParagraphe) : VerifieMarqueur(caractere);
    }
    if (!raison.empty()) {
        Message(this, QMessageBox::Warning, titre(), QString::fromStdString(raison),
                QMessageBox::Ok);
        return;
    }
    const std::string marqueur =
        MarqueurParagraphe(m_trait->isChecked(), formeCle, caractere, cleParagraphe);

    QString chemin = Interactions().choisitFichierEnregistrement(
        this, Tr("Sauvegarder le corpus sous..."), Tr("Fichiers texte (*.txt)"), QString());
    if (chemin.isEmpty()) {
        return;
    }
    if (QFileInfo(chemin).suffix().isEmpty()) {
        chemin += QStringLiteral(".txt");
    }
    const std::string sortie = CheminNatif(chemin);
    auto copie = std::make_shared<std::vector<Fic>>(fichiers);
    m_taches->Lance<ResultatCorpus>(
        this,
        [sortie, copie, cle, marqueur](const Progression &p) {
            return EcritCorpus(sortie, *copie, cle, marqueur, p.annulation, p.StepIt);
        },
        [this, chemin](ResultatCorpus r) {
            if (r.annule) {
                return;
            }
            if (!r.ok) {
                Message(this, QMessageBox::Warning, titre(), QString::fromStdString(r.message),
                        QMessageBox::Ok);
                return;
            }
            if (const QString resume = TexteRemplacements(r.nbRemplaces, r.nbEspaces);
                !resume.isEmpty()) {
                Message(this, QMessageBox::Information, titre(),
                        Tr("Corpus enregistré : %1").arg(QFileInfo(chemin).fileName()) +
                            QStringLiteral("\n") + resume,
                        QMessageBox::Ok);
            }
            m_fichierSauve = chemin;
            accept();
        });
}

} // namespace morvix::ui
