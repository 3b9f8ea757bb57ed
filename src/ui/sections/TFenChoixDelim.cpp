#include "sections/TFenChoixDelim.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "OuvertureFenetres.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "corpus/Section.h"
#include "mainwindow/TFenNavig.h"
#include "mainwindow/TFenPrinc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

void amene(TFenPrinc &fen, QWidget *fenetre) {
    auto *cadre =
        fenetre != nullptr ? qobject_cast<QMdiSubWindow *>(fenetre->parentWidget()) : nullptr;
    if (cadre == nullptr) {
        return;
    }
    cadre->showNormal();
    fen.Mdi()->setActiveSubWindow(cadre);
    cadre->raise();
}

// The "Cartes Sections" node of the open base: the branch opened last, so that a view never
// goes under the branch of an earlier base.
QTreeWidgetItem *noeudCartes(TFenNavig &navig) {
    QTreeWidget *arbre = navig.TreePages();
    for (int i = arbre->topLevelItemCount() - 1; i >= 0; --i) {
        if (QTreeWidgetItem *n = TFenNavig::Enfant(arbre->topLevelItem(i), Tr("Cartes Sections"))) {
            return n;
        }
    }
    return nullptr;
}

} // namespace

ContexteCarte ContexteCartes(TFenPrinc &fen) {
    ContexteCarte c;
    c.taches = &fen.Taches();
    c.corpus = &fen.CorpusModele();
    c.reglages = &fen.Settings();
    c.rapport = [&fen] { return fen.RapportCourant(); };
    c.paramCarte = fen.ParamCarte();
    c.paramSpecSect = fen.ParamSpecSect();
    c.ouvreSpecs = [&fen](std::vector<ResSpec> resultats, const QString &entete) {
        if (fen.Base() != nullptr) {
            OuvreSpecSections(fen, *fen.Base(), std::move(resultats), entete);
        }
    };
    return c;
}

QString TitreVue(const Section &section) {
    QString titre = Tr(" découpées d'après le délimiteur: ");
    for (int32_t code : section.Delims) {
        titre += QLatin1Char(' ') + DeCp1252(section.Base->RetourneGraphie(code, false));
    }
    return titre;
}

TFenChoixDelim::TFenChoixDelim(TFenPrinc &fen, const charg1 &base)
    : QDialog(&fen), m_fen(fen), m_base(base), m_pgc(new QTabWidget), m_listDelims(new QListWidget),
      m_lboxSect(new QListWidget) {
    setObjectName(QStringLiteral("FenChoixDelim"));
    setWindowTitle(Tr("Sections"));
    m_pgc->setObjectName(QStringLiteral("PgC"));

    auto *tsOld = new QWidget;
    tsOld->setObjectName(QStringLiteral("TSOld"));
    m_lboxSect->setObjectName(QStringLiteral("LBoxSect"));
    auto *afficher = new QPushButton(Tr("Afficher"));
    afficher->setObjectName(QStringLiteral("BtnAfficher"));
    afficher->setDefault(true);
    auto *annuler1 = new QPushButton(Tr("Annuler"));
    auto *colOld = new QVBoxLayout(tsOld);
    colOld->addWidget(m_lboxSect, 1);
    auto *boutonsOld = new QHBoxLayout;
    boutonsOld->addStretch(1);
    boutonsOld->addWidget(afficher);
    boutonsOld->addWidget(annuler1);
    colOld->addLayout(boutonsOld);

    auto *tsNew = new QWidget;
    tsNew->setObjectName(QStringLiteral("TSNew"));
    m_listDelims->setObjectName(QStringLiteral("ListDelims"));
    m_listDelims->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listDelims->setViewMode(QListView::ListMode);
    m_listDelims->setFlow(QListView::TopToBottom);
    m_listDelims->setWrapping(true);
    m_listDelims->setResizeMode(QListView::Adjust);
    auto *creer = new QPushButton(Tr("Créer"));
    creer->setObjectName(QStringLiteral("BtnCreer"));
    creer->setDefault(true);
    auto *annuler2 = new QPushButton(Tr("Annuler"));
    auto *colNew = new QVBoxLayout(tsNew);
    colNew->addWidget(new QLabel(Tr("Délimiteurs disponibles :")));
    colNew->addWidget(m_listDelims, 1);
    auto *boutonsNew = new QHBoxLayout;
    boutonsNew->addStretch(1);
    boutonsNew->addWidget(creer);
    boutonsNew->addWidget(annuler2);
    colNew->addLayout(boutonsNew);

    m_pgc->addTab(tsOld, Tr("Sections existantes"));
    m_pgc->addTab(tsNew, Tr("Nouvelle section"));
    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(m_pgc);
    resize(360, 300);

    for (QPushButton *a : {annuler1, annuler2}) {
        connect(a, &QPushButton::clicked, this, &QDialog::reject);
    }
    connect(creer, &QPushButton::clicked, this, [this] { BtnCreerClick(); });
    connect(m_listDelims, &QListWidget::itemDoubleClicked, this, [this] { BtnCreerClick(); });
    connect(afficher, &QPushButton::clicked, this, &TFenChoixDelim::LBoxSectDblClick);
    connect(m_lboxSect, &QListWidget::itemDoubleClicked, this, &TFenChoixDelim::LBoxSectDblClick);

    // The punctuation signs, in code order.
    for (int32_t c = base.Nbform(); c < base.Nbform() + base.Nbartponct(); ++c) {
        auto *item = new QListWidgetItem(DeCp1252(base.RetourneGraphie(c, false)), m_listDelims);
        item->setData(Qt::UserRole, c);
    }
    Corpus &corpus = fen.CorpusModele();
    for (int32_t i = 0; i < corpus.NbSections(); ++i) {
        InfoSection &info = corpus.SectionI(i);
        if (info.Sect && info.Sect->Base == &base) {
            m_vues.push_back(&info);
            const auto *noeud = static_cast<const QTreeWidgetItem *>(info.Noeud);
            m_lboxSect->addItem(noeud != nullptr ? noeud->text(0) : TitreVue(*info.Sect));
        }
    }
    if (m_vues.empty()) {
        m_pgc->setCurrentIndex(1);
        m_pgc->setTabVisible(0, false);
    } else {
        m_pgc->setCurrentIndex(0);
    }
}

TFenCarteParag *TFenChoixDelim::BtnCreerClick() {
    std::vector<int32_t> codes;
    for (int i = 0; i < m_listDelims->count(); ++i) {
        if (m_listDelims->item(i)->isSelected()) {
            codes.push_back(m_listDelims->item(i)->data(Qt::UserRole).toInt());
        }
    }
    if (codes.empty()) {
        return nullptr;
    }
    // One scan of the text: on the job runner unless another job holds it.
    const charg1 *base = &m_base;
    auto construit = [base, codes](const Progression &) {
        return std::make_shared<Section>(*base, codes);
    };
    std::shared_ptr<Section> nouvelle;
    if (!m_fen.Taches().Occupe()) {
        nouvelle = m_fen.Taches().Execute<std::shared_ptr<Section>>(construit).value_or(nullptr);
    }
    if (!nouvelle) {
        nouvelle = construit(Progression{});
    }

    Corpus &corpus = m_fen.CorpusModele();
    auto section = std::make_unique<Section>(std::move(*nouvelle));
    Section *brute = section.get();
    const bool ajoutee = corpus.AjouteSection(brute);
    if (ajoutee) {
        (void)section.release(); // the corpus owns it now
    }
    const int32_t index = corpus.IndexSection(brute);
    if (index < 0) {
        return nullptr;
    }
    InfoSection &info = corpus.SectionI(index);
    if (ajoutee) {
        if (QTreeWidgetItem *cartes = noeudCartes(*m_fen.Navigation())) {
            QTreeWidgetItem *noeud =
                m_fen.Navigation()->AjouteNoeud(cartes, TitreVue(*info.Sect), 2);
            cartes->setExpanded(true);
            info.Noeud = noeud;
        }
    } else {
        section.reset();
        const auto reponse =
            Message(this, QMessageBox::Question, Tr("Sections"),
                    Tr("La section existe déjà,\nvoulez-vous créer une nouvelle vue ?"),
                    QMessageBox::Yes | QMessageBox::No);
        if (reponse != QMessageBox::Yes) {
            if (!info.Fenetres.empty()) {
                amene(m_fen, static_cast<QWidget *>(info.Fenetres.back()));
            }
            accept();
            return nullptr;
        }
    }
    TFenCarteParag *carte = OuvreCarte(info);
    accept();
    return carte;
}

TFenCarteParag *TFenChoixDelim::OuvreCarte(InfoSection &info) {
    auto *carte = new TFenCarteParag(m_base, *info.Sect, ContexteCartes(m_fen));
    const auto k = static_cast<int32_t>(info.Fenetres.size());
    carte->setWindowTitle(Tr("Sections ") + TitreVue(*info.Sect) + Tr(" - vue n°") +
                          QString::number(k + 1));
    QMdiSubWindow *cadre = m_fen.AjouteEnfant(carte);
    const int largeur = m_fen.Mdi()->width();
    cadre->resize(std::max(largeur, 200), 390);
    cadre->move(std::max(cadre->x(), 0), std::max(cadre->y(), 0));
    cadre->show();
    info.Fenetres.push_back(carte);
    if (auto *vue = static_cast<QTreeWidgetItem *>(info.Noeud)) {
        QTreeWidgetItem *noeud =
            m_fen.Navigation()->AjouteNoeud(vue, Tr("Vue n°") + QString::number(k + 1));
        vue->setExpanded(true);
        m_fen.Navigation()->SetFenetre(noeud, cadre);
    }
    return carte;
}

void TFenChoixDelim::LBoxSectDblClick() {
    const auto choisis = m_lboxSect->selectedItems();
    if (choisis.isEmpty()) {
        return;
    }
    const int ligne = m_lboxSect->row(choisis.front());
    if (ligne >= 0 && ligne < static_cast<int>(m_vues.size()) &&
        !m_vues[static_cast<size_t>(ligne)]->Fenetres.empty()) {
        amene(m_fen, static_cast<QWidget *>(m_vues[static_cast<size_t>(ligne)]->Fenetres.front()));
    }
    accept();
}

} // namespace morvix::ui
