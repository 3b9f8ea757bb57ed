// The form-selection window: searches on the job runner, the merged list, removal, list
// files, drags and drops, the colour chip, and its opening from the main window.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "Pastille.h"
#include "Traduction.h"
#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "groups/ModeleSelecFormes.h"
#include "groups/TFenSelecFormes.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/TFenPrinc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace morvix;

namespace {

const char *kTexte = "le chant chanter chant du chanteur . le chant chanter enchanté Chant .\n";

// "le chant" (twice) and "chant du" (once), as a segment computation would store them.
class Store : public SegmentStore {
  public:
    std::vector<std::vector<int32_t>> formes;
    int32_t NbSegments() const override { return static_cast<int32_t>(formes.size()); }
    std::vector<int32_t> Formes(int32_t k) const override { return formes[static_cast<size_t>(k)]; }
    std::vector<int32_t> LocOccSeg(int32_t) const override { return {}; }
    int32_t FrqSeg(int32_t k) const override { return k == 0 ? 2 : 1; }
};

QStringList lignes(const ui::TFenSelecFormes &fen) {
    QStringList l;
    for (int r = 0; r < fen.Modele()->rowCount(); ++r) {
        l << fen.Modele()->index(r, 0).data().toString();
    }
    return l;
}

QStringList mots(const char *texte) { return QString::fromUtf8(texte).split(QLatin1Char('|')); }

} // namespace

class TestFenSelecFormes : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    Store m_store;
    ui::ExecuteurTaches m_taches;

    void cherche(ui::TFenSelecFormes &fen, int type, const char *motif) {
        QSignalBlocker bloque(fen.LstTypeReq());
        fen.LstTypeReq()->setCurrentIndex(type);
        fen.EdMotif()->setText(QString::fromUtf8(motif));
        fen.BtnRechClick();
        m_taches.Attend();
    }
    int32_t code(const char *g) const { return m_base->LocFormDic(test::cp(g), true); }

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("sel", test::cp(kTexte))), 0);
        m_store.formes = {{code("le"), code("chant")}, {code("chant"), code("du")}};
        m_base->AssigneSR(&m_store);
    }
    void cleanupTestCase() {
        m_base.reset();
        m_dir.reset();
    }

    void controles() {
        ui::TFenSelecFormes fen(*m_base, m_taches);
        QCOMPARE(fen.windowTitle(), QStringLiteral("Groupes de formes"));
        QCOMPARE(fen.LstTypeReq()->count(), 5);
        QCOMPARE(fen.LstTypeReq()->currentIndex(), 0);
        QVERIFY(fen.ChkAjout()->isChecked());
        QCOMPARE(fen.CouleurPastille(), ui::kSansCouleur);
        QVERIFY(!fen.DragBtn()->accessibleName().isEmpty());
        QCOMPARE(fen.Modele()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Fréquence"));
    }

    // Two searches with "Ajouter" checked give the union, each item once; unchecked, a
    // search replaces the list; the group is named after the first pattern.
    void recherches() {
        ui::TFenSelecFormes fen(*m_base, m_taches);
        cherche(fen, 1, " chant ");
        QCOMPARE(lignes(fen), mots("chant|chanter|chanteur|chant du "));
        QCOMPARE(fen.EdNomGrp()->text(), QStringLiteral("chant+"));
        QCOMPARE(fen.Modele()->index(0, 1).data().toString(), QStringLiteral("3"));
        QCOMPARE(fen.Modele()->index(3, 1).data().toString(), QStringLiteral("1"));
        cherche(fen, 3, "ch.nt");
        QCOMPARE(lignes(fen), mots("chant|chanter|chanteur|chant du |enchanté|le chant "));
        cherche(fen, 0, "absent");
        QCOMPARE(fen.Modele()->rowCount(), 6);
        fen.ChkAjout()->setChecked(false);
        cherche(fen, 2, "er");
        QCOMPARE(lignes(fen), mots("chanter"));
        // The pattern is trimmed: a blank at the end of a segment is asked for as \s.
        cherche(fen, 4, "\\s$");
        QCOMPARE(lignes(fen), mots("le chant |chant du "));
        QCOMPARE(fen.EdNomGrp()->text(), QStringLiteral("chant+"));
        // An empty pattern does nothing.
        cherche(fen, 1, "   ");
        QCOMPARE(fen.Modele()->rowCount(), 2);
        // Enter and a change of kind search too.
        fen.EdMotif()->setText(QStringLiteral("chanteur"));
        QTest::keyClick(fen.EdMotif(), Qt::Key_Return);
        m_taches.Attend();
        QCOMPARE(lignes(fen), mots("chanteur"));
        fen.EdMotif()->setText(QStringLiteral("Chant"));
        fen.LstTypeReq()->setCurrentIndex(0);
        m_taches.Attend();
        QCOMPARE(lignes(fen), mots("Chant"));
    }

    // An expression that does not compile says why and leaves the list as it was.
    void expressionIncorrecte() {
        test::Utilisateur utilisateur;
        ui::TFenSelecFormes fen(*m_base, m_taches);
        cherche(fen, 0, "chant");
        fen.ChkAjout()->setChecked(false);
        cherche(fen, 4, "(ch");
        QCOMPARE(lignes(fen), mots("chant"));
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QVERIFY(utilisateur.messages[0].texte.startsWith(
            QStringLiteral("Expression rationnelle incorrecte : ")));
    }

    void suppressions() {
        ui::TFenSelecFormes fen(*m_base, m_taches);
        cherche(fen, 3, "ch");
        const int n = fen.Modele()->rowCount();
        fen.ListResu()->selectRow(0);
        fen.BtnSupprClick(false);
        QCOMPARE(fen.Modele()->rowCount(), n - 1);
        fen.ListResu()->selectRow(1);
        QTest::keyClick(fen.ListResu(), Qt::Key_Delete);
        QCOMPARE(fen.Modele()->rowCount(), n - 2);
        fen.ListResu()->clearSelection();
        fen.BtnSupprClick(false);
        QCOMPARE(fen.Modele()->rowCount(), n - 2);
        fen.BtnSupprClick(true);
        QCOMPARE(fen.Modele()->rowCount(), 0);
    }

    // Rows dragged out make a black group named by the field; the button carries every code
    // with the chip's colour. A drop from the list itself adds nothing but turns the chip
    // black; a drop never empties the list.
    void glisserDeposer() {
        ui::TFenSelecFormes fen(*m_base, m_taches);
        cherche(fen, 1, "chant");
        fen.EdNomGrp()->setText(QStringLiteral("  mes chants "));
        QModelIndexList choisis{fen.Modele()->index(3, 0), fen.Modele()->index(1, 1),
                                fen.Modele()->index(1, 0)};
        std::unique_ptr<QMimeData> data(fen.Modele()->mimeData(choisis));
        const ui::TTgenDragObject *drag = ui::GroupeDeplace(data.get());
        QVERIFY(drag != nullptr);
        QCOMPARE(drag->Codes, (std::vector<int32_t>{code("chanter"), m_base->Nbart() + 2}));
        QCOMPARE(drag->Nom, std::string("mes chants"));
        QCOMPARE(drag->Couleur, 0u);
        QCOMPARE(drag->Source(), static_cast<QObject *>(fen.ListResu()));

        std::unique_ptr<ui::TTgenDragObject> bouton(fen.DragBoutonObjet());
        QCOMPARE(bouton->Codes, fen.Codes());
        QCOMPARE(bouton->Couleur, ui::kSansCouleur);

        fen.ChkAjout()->setChecked(false);
        QVERIFY(fen.Depose(data.get()));
        QCOMPARE(fen.Modele()->rowCount(), 4);
        QCOMPARE(fen.CouleurPastille(), 0u);

        ui::TTgenDragObject autre(nullptr, std::string(), 0x00FF00, 2);
        autre.Codes = {code("le"), code("chant")};
        QVERIFY(fen.Depose(&autre));
        QCOMPARE(lignes(fen), mots("chant|chanter|chanteur|chant du |le"));
        QCOMPARE(fen.CouleurPastille(), 0x00FF00u);

        QMimeData texte;
        texte.setText(QStringLiteral(" enchanté "));
        QVERIFY(fen.Depose(&texte));
        QCOMPARE(lignes(fen).back(), QStringLiteral("enchanté"));
    }

    void pastille() {
        test::Utilisateur utilisateur;
        utilisateur.couleur = QColor(255, 0, 0);
        ui::TFenSelecFormes fen(*m_base, m_taches);
        fen.show();
        QTest::mouseClick(fen.ShPastille(), Qt::LeftButton);
        QCOMPARE(utilisateur.couleursDemandees, 1);
        QCOMPARE(fen.CouleurPastille(), 0x0000FFu);
        utilisateur.couleur.reset();
        QTest::mouseClick(fen.ShPastille(), Qt::LeftButton);
        QCOMPARE(fen.CouleurPastille(), 0x0000FFu);
    }

    // A saved list holding a segment comes back with the segment; loading adds to the list.
    void enregistrerCharger() {
        test::Utilisateur utilisateur;
        ui::TFenSelecFormes fen(*m_base, m_taches);
        cherche(fen, 2, "chant");
        cherche(fen, 4, "^le\\s");
        QCOMPARE(lignes(fen), mots("chant|le chant "));
        utilisateur.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/liste");
        fen.BtnEnrClick();
        QCOMPARE(test::readFile(m_dir->path() + "/liste.lst"),
                 std::string("chant\r\nle chant \r\n"));

        ui::TFenSelecFormes autre(*m_base, m_taches);
        cherche(autre, 0, "du");
        utilisateur.fichierOuverture = QString::fromStdString(m_dir->path() + "/liste.lst");
        autre.BtnLoadClick();
        QCOMPARE(lignes(autre), mots("du|chant|le chant "));
        QCOMPARE(utilisateur.dialoguesFichier.back(), QStringLiteral("Ouverture d'une liste"));

        utilisateur.fichierOuverture = QString::fromStdString(m_dir->path() + "/absente.lst");
        autre.BtnLoadClick();
        QCOMPARE(autre.Modele()->rowCount(), 3);
        QCOMPARE(utilisateur.messages.size(), size_t(1));
    }

    // The main window's command opens one window per click at the top left of the area.
    void ouvertureDepuisLaFenetrePrincipale() {
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(QString::fromStdString(m_dir->path() + "/sel.par")));
        QVERIFY(fen.Bouton("BtnSelFormes")->isEnabled());
        const int avant = static_cast<int>(fen.Mdi()->subWindowList().size());
        fen.BtnSelFormesClick();
        fen.BtnSelFormesClick();
        const auto fenetres = fen.Mdi()->subWindowList();
        QCOMPARE(static_cast<int>(fenetres.size()), avant + 2);
        QMdiSubWindow *cadre = fenetres.back();
        QVERIFY(qobject_cast<ui::TFenSelecFormes *>(cadre->widget()) != nullptr);
        QCOMPARE(cadre->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(cadre->height(), 438);
    }

    void catalogueAnglais() {
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        {
            ui::TFenSelecFormes fen(*m_base, m_taches);
            QCOMPARE(fen.windowTitle(), QStringLiteral("Groups of forms"));
            QCOMPARE(fen.LstTypeReq()->itemText(4), QStringLiteral("is a regular expression"));
        }
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
    }
};

MORVIX_TEST_FENETRE(TestFenSelecFormes)

#include "TestFenSelecFormes.moc"
