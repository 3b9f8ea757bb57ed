// The partition choice and the partition window: the tree nodes and the PCLC menu, ticks
// and selections by mouse, the restriction box of "Sp. Tot", a cancelled table, the
// header-click sorts, the exported table and report pages, a dropped group, the
// chronological page.
#include "PartitionsUiSupport.h"

#include "ExportTableau.h"
#include "base/charg1.h"
#include "groups/TgenDrag.h"
#include "mainwindow/TFenNavig.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/GrilleFigee.h"
#include "partitions/ModeleChrono.h"
#include "partitions/ModelePCLC.h"
#include "partitions/ModeleTableSpec.h"
#include "partitions/PagesPartition.h"
#include "partitions/Partition.h"
#include "partitions/TFenParamSpecDiac.h"
#include "partitions/TFenParamSpecTot.h"
#include "partitions/TableSpec.h"
#include "partitions/TextesPartition.h"
#include "report/Rapport.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace morvix;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

void clicCellule(QTableView *vue, int ligne, int colonne) {
    const QPoint p = vue->visualRect(vue->model()->index(ligne, colonne)).center();
    QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, p);
}

void clicEntete(QHeaderView *entete, int section) {
    const int x = entete->sectionViewportPosition(section) + entete->sectionSize(section) / 2;
    QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, QPoint(x, entete->height() / 2));
}

// Answers "Sp. Tot" with the restriction box as given, recording how the dialog came.
struct ReponseSpTot {
    bool restreint = true;
    int32_t frqMin = 1;
    bool vuActive = false, vuCochee = false;
    int32_t vuSeuil = -1, vuFrqMin = -1;
};

void repondSpTot(test::Utilisateur &u, ReponseSpTot &r) {
    u.dialogue = [&r](QDialog &d) {
        auto *dialogue = qobject_cast<ui::TFenParamSpecTot *>(&d);
        if (dialogue == nullptr) {
            return static_cast<int>(QDialog::Rejected);
        }
        r.vuActive = dialogue->ChkRestreint()->isEnabled();
        r.vuCochee = dialogue->ChkRestreint()->isChecked();
        r.vuSeuil = dialogue->Boites()->Seuil();
        r.vuFrqMin = dialogue->Boites()->FrqMin();
        dialogue->ChkRestreint()->setChecked(r.restreint);
        dialogue->Boites()->EdFrqMin()->setValue(r.frqMin);
        return static_cast<int>(QDialog::Accepted);
    };
}

std::vector<int32_t> codesAffiches(const ui::TFenStatPart &f) {
    return f.Table() != nullptr ? f.Table()->Lignes() : std::vector<int32_t>();
}

} // namespace

class TestFenStatPart : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    QString m_base;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = q(m_dir->path() + "/" + test::buildBase("parts", test::texteQuatreParties()));
        QVERIFY(!m_base.isEmpty());
    }
    void cleanupTestCase() { m_dir.reset(); }

    // The first choice of a key type opens its window and its nodes; the second opens
    // neither, only one more distribution graph; the PCLC menu brings
    // the window back. The base's key types are listed in code order.
    void choixEtNavigation() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        QVERIFY(fen.Bouton("BtnPart")->isEnabled());
        QStringList cles;
        u.dialogue = [&cles](QDialog &d) {
            auto *choix = qobject_cast<ui::TFenChoixPart *>(&d);
            for (int i = 0; i < choix->ListeCles()->count(); ++i) {
                cles << choix->ListeCles()->item(i)->text();
            }
            return static_cast<int>(QDialog::Rejected);
        };
        fen.BtnPartClick();
        QCOMPARE(cles, (QStringList{QStringLiteral("auteur"), QStringLiteral("t")}));
        QCOMPARE(fen.CorpusModele().NbPartitions(), 0);

        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        QVERIFY(f != nullptr);
        QCOMPARE(f->windowTitle(),
                 QStringLiteral("Principales caractéristiques de la partition : t"));
        QCOMPARE(fen.CorpusModele().NbPartitions(), 1);
        QTreeWidgetItem *noeud = ui::TFenNavig::Enfant(
            fen.Navigation()->Trouve(QStringLiteral("Partitions")), QStringLiteral("t"));
        QVERIFY(noeud != nullptr);
        QStringList enfants;
        for (int i = 0; i < noeud->childCount(); ++i) {
            enfants << noeud->child(i)->text(0);
        }
        QCOMPARE(enfants, (QStringList{QStringLiteral("PCLC"), QStringLiteral("Graphiques"),
                                       QStringLiteral("Spécifs"), QStringLiteral("AFC")}));
        QCOMPARE(fen.CorpusModele().PartitionI(0).Noeud, static_cast<void *>(noeud->child(1)));
        QCOMPARE(fen.Navigation()->Fenetre(noeud->child(0)), f->parentWidget());

        // Each choice opens a distribution graph, numbered under "Graphiques".
        QTreeWidgetItem *graphiques = noeud->child(1);
        QCOMPARE(graphiques->childCount(), 1);
        QCOMPARE(graphiques->child(0)->text(0), QStringLiteral("Graphique (1)"));
        QVERIFY(qobject_cast<QMdiSubWindow *>(fen.Navigation()->Fenetre(graphiques->child(0))) !=
                nullptr);
        test::choisitCle(u, QStringLiteral("t"));
        fen.BtnPartClick();
        QCOMPARE(test::fenetresPartition(fen).size(), 1);
        QCOMPARE(noeud->parent()->childCount(), 1);
        QCOMPARE(fen.CorpusModele().NbPartitions(), 1);
        QCOMPARE(graphiques->childCount(), 2);
        QCOMPARE(graphiques->child(1)->text(0), QStringLiteral("Graphique (2)"));
        QCOMPARE(fen.CorpusModele().PartitionI(0).Fenetres.size(), size_t(2));

        auto *cadre = qobject_cast<QMdiSubWindow *>(f->parentWidget());
        cadre->showMinimized();
        QMenu *menu = fen.PmnPCLCPopup();
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("t"));
        fen.PCLCClick(0);
        QVERIFY(!cadre->isMinimized());
        QCOMPARE(fen.Mdi()->activeSubWindow(), cadre);

        // With several key types selected, the first in list order is built.
        u.dialogue = [](QDialog &d) {
            auto *choix = qobject_cast<ui::TFenChoixPart *>(&d);
            choix->ListeCles()->selectAll();
            choix->BtnCreerClick();
            return choix->result();
        };
        fen.BtnPartClick();
        QCOMPARE(fen.CorpusModele().NbPartitions(), 2);
        QCOMPARE(fen.CorpusModele().PartitionI(1).Part->Cle,
                 Partition::CodeCle(*fen.Base(), "auteur"));

        // "Créer" with nothing selected only closes.
        u.dialogue = [](QDialog &d) {
            auto *choix = qobject_cast<ui::TFenChoixPart *>(&d);
            choix->BtnCreerClick();
            return choix->Cree() ? choix->result() : -1;
        };
        fen.BtnPartClick();
        QCOMPARE(fen.CorpusModele().NbPartitions(), 2);
    }

    // Unticking a selected part unselects it; a click on another cell of an unticked part
    // changes nothing; a ticked part is selected and unselected by any cell but the tick.
    void cocheEtSelection() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        fen.resize(1200, 900);
        fen.show();
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        QVERIFY(f != nullptr);
        const Partition &p = f->LaPartition();
        QTableView *grille = f->GrillePCLC();
        QCOMPARE(grille->model()->rowCount(), 4);
        QCOMPARE(grille->model()->index(1, ui::ModelePCLC::ColPartie).data().toString(),
                 QStringLiteral("a1"));

        clicCellule(grille, 1, ui::ModelePCLC::ColPartie);
        QVERIFY(p.Selec[1]);
        QCOMPARE(grille->model()->index(1, 3).data(Qt::BackgroundRole).value<QBrush>(),
                 QApplication::palette().brush(QPalette::Highlight));
        clicCellule(grille, 1, ui::ModelePCLC::ColCoche);
        QVERIFY(!p.Cochee[1]);
        QVERIFY(!p.Selec[1]);
        clicCellule(grille, 1, ui::ModelePCLC::ColOcc);
        QVERIFY(!p.Selec[1]);
        clicCellule(grille, 1, ui::ModelePCLC::ColCoche);
        QVERIFY(p.Cochee[1]);
        clicCellule(grille, 2, ui::ModelePCLC::ColForme);
        clicCellule(grille, 2, ui::ModelePCLC::ColNum);
        QVERIFY(!p.Selec[2]);
        // A press on one part and a release on another row and column changes nothing.
        const QPoint a = grille->visualRect(grille->model()->index(0, 2)).center();
        const QPoint b = grille->visualRect(grille->model()->index(3, 5)).center();
        QTest::mousePress(grille->viewport(), Qt::LeftButton, {}, a);
        QTest::mouseRelease(grille->viewport(), Qt::LeftButton, {}, b);
        QVERIFY(!p.Selec[0]);
        QVERIFY(!p.Selec[3]);
    }

    // With every part ticked the restriction box is off and disabled and the table covers
    // every part; with a part unticked and the box left ticked, one column per ticked part;
    // with the box unticked, every part against the whole partition, the ticks unchanged.
    void restrictionDeSpTot() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        Partition &p = f->LaPartition();
        QVERIFY(!f->Pages()->isTabVisible(1));

        ReponseSpTot r;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        QVERIFY(!r.vuActive);
        QVERIFY(!r.vuCochee);
        QCOMPARE(r.vuSeuil, 5);
        QCOMPARE(r.vuFrqMin, 10);
        QCOMPARE(p.FrqMin, 1);
        QVERIFY(f->Table() != nullptr);
        QCOMPARE(f->Table()->Calcul().NumParties(), (std::vector<int32_t>{0, 1, 2, 3}));
        QVERIFY(f->Pages()->isTabVisible(1));
        QCOMPARE(f->Pages()->currentWidget(), f->PageTableSpec());
        QCOMPARE(f->ModeleSpec()->rowCount(), fen.Base()->Nbform());
        QCOMPARE(f->ModeleSpec()->columnCount(), 5);
        const int32_t alpha = fen.Base()->LocFormDic("alpha", true);
        QVERIFY(f->Table()->Calcul().CoeffPartie(alpha, 0) > 1);

        p.Cochee[2] = false;
        r = ReponseSpTot();
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        QVERIFY(r.vuActive);
        QVERIFY(r.vuCochee);
        QCOMPARE(r.vuFrqMin, 1);
        QCOMPARE(f->Table()->Calcul().NumParties(), (std::vector<int32_t>{0, 1, 3}));
        QCOMPARE(f->ModeleSpec()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("a3"));

        r = ReponseSpTot();
        r.restreint = false;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        QCOMPARE(f->Table()->Calcul().NumParties(), (std::vector<int32_t>{0, 1, 2, 3}));
        QCOMPARE(p.Cochee, (std::vector<bool>{true, true, false, true}));
        // The whole partition is the reference: a0's coefficient is the one of every part
        // ticked.
        Partition tous(*fen.Base(), p.Cle);
        tous.FrqMin = 1;
        CalcSpecTot attendu(tous, nullptr);
        QCOMPARE(f->Table()->Calcul().CoeffPartie(alpha, 0), attendu.CoeffPartie(alpha, 0));
    }

    // A cancelled table leaves the window, the partition's ticks and its parameters as
    // they were.
    void tableAnnulee() {
        test::ScopedWorkDir dir;
        test::Utilisateur u;
        const QString base =
            q(dir.path() + "/" + test::buildBase("s", test::readFile(MORVIX_SAMPLE)));
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("titre"));
        QVERIFY(f != nullptr);
        Partition &p = f->LaPartition();
        ReponseSpTot r;
        r.frqMin = 5;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        const TableSpec *avant = f->Table();
        QVERIFY(avant != nullptr);
        f->Pages()->setCurrentIndex(0);
        p.Cochee[0] = false;
        const std::vector<bool> cochee = p.Cochee;

        r = ReponseSpTot();
        r.restreint = false;
        r.frqMin = 3;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        QVERIFY(f->CalculEnCours());
        fen.Taches().Annule();
        fen.Taches().Attend();
        QVERIFY(!f->CalculEnCours());
        QCOMPARE(f->Table(), avant);
        QCOMPARE(f->Pages()->currentIndex(), 0);
        QCOMPARE(p.Cochee, cochee);
        QCOMPARE(p.FrqMin, 5);
        QCOMPARE(fen.Gauge()->maximum(), 200);
    }

    // Header clicks: a new part column sorts descending, the next click ascending; the key
    // buttons re-sort the last column; the fixed column sorts lexically. The exported table
    // and the report page show the columns and rows of the screen.
    void trisExportEtPages() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        fen.resize(1200, 900);
        fen.show();
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        ReponseSpTot r;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        const TableSpec &t = *f->Table();
        QHeaderView *entete = f->GrilleSpec()->horizontalHeader();

        clicEntete(entete, 2);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kFrqDecroissante));
        QCOMPARE(t.DerniereColonne(), 1);
        QCOMPARE(f->ModeleSpec()->index(0, 0).data().toString(), QStringLiteral("beta"));
        clicEntete(entete, 2);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kFrqCroissante));
        QTest::mouseClick(f->RbSpecificite(), Qt::LeftButton);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kSpecDecroissante));
        QCOMPARE(f->ModeleSpec()->index(0, 0).data().toString(), QStringLiteral("beta"));
        clicEntete(entete, 2);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kSpecCroissante));
        clicEntete(f->GrilleSpec()->ColonneFigee()->horizontalHeader(), 0);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kLexCroissant));
        QCOMPARE(f->ModeleSpec()->index(0, 0).data().toString(), QStringLiteral("alpha"));
        clicEntete(entete, 4);
        QCOMPARE(t.ModeTri(), int32_t(TableSpec::kSpecDecroissante));
        QCOMPARE(f->ModeleSpec()->index(0, 0).data().toString(), QStringLiteral("delta"));
        // The cell of a saturated or specific code shows its sign and colour rule.
        const QModelIndex cellule = f->ModeleSpec()->index(0, 4);
        QCOMPARE(cellule.data(ui::ModeleTableSpec::RoleTexteCoeff).toString(),
                 q(TexteCoeffTableau(t.Coeff(0, 3))));
        QVERIFY(cellule.data(ui::ModeleTableSpec::RoleCoeff).toInt() > 0);

        // The exported table: the fixed column, then per part its frequency and coefficient,
        // rows in the screen's order.
        const QStringList lignes = ui::TexteTableau(*f->ModeleSpec(), {}, ui::FormatTableau::Tsv)
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), t.NbLignes() + 1);
        QCOMPARE(lignes[0], QStringLiteral("Formes/SR\ta0\ta0 (spécificité)\ta1\ta1 (spécificité)"
                                           "\ta2\ta2 (spécificité)\ta3\ta3 (spécificité)"));
        for (int32_t ligne = 0; ligne < t.NbLignes(); ++ligne) {
            QStringList attendu{q(fen.Base()->RetourneGraphie(t.Code(ligne), false))};
            for (int32_t c = 0; c < t.NbColonnes(); ++c) {
                attendu << QString::number(t.Frequence(ligne, c))
                        << QString::number(t.Coeff(ligne, c));
            }
            QCOMPARE(lignes[ligne + 1], attendu.join(QLatin1Char('\t')));
        }

        // The report pages: the table's page when its page is active, the PCLC page
        // otherwise; a second export of a page gets a name of its own.
        Rapport &rapport = *fen.RapportCourant();
        QVERIFY(f->AjouteRapport());
        fen.Taches().Attend();
        f->Pages()->setCurrentWidget(f->PagePCLC());
        QVERIFY(f->AjouteRapport());
        QVERIFY(f->AjouteRapport());
        QCOMPARE(rapport.Fichiers(),
                 (std::vector<std::string>{"tfgt.html", "pclct.html", "pclct2.html"}));
        const std::string titre = "Principales caract\xe9ristiques de la partition : t";
        QCOMPARE(rapport.Entrees()[0].titre, titre);
        std::string tfg = test::readFile(rapport.Dossier() + "tfgt.html");
        tfg.erase(std::remove(tfg.begin(), tfg.end(), '\r'), tfg.end());
        QCOMPARE(tfg, PageTableSpec(t, titre));
        QVERIFY(tfg.find("\n<tr><td>delta<td") < tfg.find("\n<tr><td>alpha<td"));
    }

    // A group dropped on the table becomes its rows, in the group's order.
    void depotDeGroupe() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        TgenDrag drag;
        const charg1 &b = *fen.Base();
        drag.codes = {b.LocFormDic("gamma", true), b.LocFormDic("alpha", true)};
        f->DeposeGroupe(drag); // no table yet: nothing
        QVERIFY(f->Table() == nullptr);
        ReponseSpTot r;
        repondSpTot(u, r);
        f->BtnSpTotClick();
        fen.Taches().Attend();
        f->DeposeGroupe(drag);
        QCOMPARE(codesAffiches(*f), drag.codes);
        QCOMPARE(f->ModeleSpec()->rowCount(), 2);
        QCOMPARE(f->ModeleSpec()->index(1, 1).data().toInt(), 30);
    }

    // "Sp Diac." selects the first part when none is; the increments open their list and
    // the chronological page shows; its first click on "coeff" sorts from the highest down.
    void diachronie() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        Partition &p = f->LaPartition();
        u.dialogue = [](QDialog &) { return static_cast<int>(QDialog::Rejected); };
        f->BtnSpDiacClick();
        QCOMPARE(p.Selec, (std::vector<bool>{true, false, false, false}));
        QVERIFY(f->Chrono() == nullptr);

        p.Selec = {false, true, false, false};
        u.dialogue = [](QDialog &d) {
            auto *diac = qobject_cast<ui::TFenParamSpecDiac *>(&d);
            diac->Boites()->EdFrqMin()->setValue(5);
            return static_cast<int>(QDialog::Accepted);
        };
        const int pages = fen.ListesGauche()->count();
        f->BtnSpDiacClick();
        fen.Taches().Attend();
        QCOMPARE(p.FrqMin, 5);
        QCOMPARE(p.Cochee, std::vector<bool>(4, true));
        QCOMPARE(p.Selec, (std::vector<bool>{false, true, false, false}));
        QCOMPARE(fen.ListesGauche()->count(), pages + 1);
        QWidget *liste = fen.ListesGauche()->widget(pages);
        QCOMPARE(liste->windowTitle(), QStringLiteral("Spécifs évolutives - t"));
        QVERIFY(f->Chrono() != nullptr);
        QVERIFY(f->Chrono()->NbResultats() > 0);
        QCOMPARE(f->Pages()->currentWidget(), f->PageChrono());
        QCOMPARE(f->ModeleChronologique()->columnCount(), 5);

        f->ClicEnteteChrono(kChronoCoeff);
        QCOMPARE(f->OrdreChrono(), int32_t(PrimSpecChr::kCoeffDecroissant));
        const PrimSpecChr &c = *f->Chrono();
        for (int32_t i = 1; i < c.NbResultats(); ++i) {
            QVERIFY(c.Resultat(i - 1).Coeff >= c.Resultat(i).Coeff);
        }
        const ResSpecChr &premier = c.Resultat(0);
        QCOMPARE(f->ModeleChronologique()->index(0, kChronoParties).data().toString(),
                 q(TexteTranche(p, premier)));
        f->ClicEnteteChrono(kChronoParties);
        QCOMPARE(f->OrdreChrono(), int32_t(PrimSpecChr::kTrancheCroissante));
    }
};

MORVIX_TEST_FENETRE(TestFenStatPart)
#include "TestFenStatPart.moc"
