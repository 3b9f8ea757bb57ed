// The concordance window: history, sorts kept by the history, the view's lines and
// colours, drops and drags, the report pages.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "concordance/TFenConcor.h"
#include "concordance/VueConcordance.h"
#include "corpus/Corpus.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <memory>

using namespace morvix;

namespace {

const char *kTexte = "<auteur=A> le chat {x} dort . un chat a\\b mange\n<auteur=B> le chien "
                     "dort . le chat boit\n";

} // namespace

class TestFenConcor : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<ui::ExecuteurTaches> m_taches;
    Corpus m_corpus;
    std::unique_ptr<Rapport> m_rapport;

    std::unique_ptr<ui::TFenConcor> fenetre() {
        return std::make_unique<ui::TFenConcor>(*m_base, *m_taches, m_corpus,
                                                [this] { return m_rapport.get(); });
    }
    void tape(ui::TFenConcor &fen, const char *forme) {
        fen.EdForme()->setText(QString::fromUtf8(forme));
        QTest::keyClick(fen.EdForme(), Qt::Key_Return);
        m_taches->Attend();
    }
    static void rapport(ui::TFenConcor &fen) {
        QEvent demande(ui::WM_AJOUTE_RAPPORT);
        QCoreApplication::sendEvent(&fen, &demande);
    }
    static QString nomPole(const ui::TFenConcor &fen) {
        return fen.Pole() ? QString::fromLatin1(fen.Pole()->Nom) : QString();
    }
    static QStringList lignes(const ui::VueConcordance &vue) {
        QStringList l;
        for (int32_t i = 0; i < vue.NbLignes(); ++i) {
            l << vue.TexteLigne(i);
        }
        return l;
    }

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        ::setenv("TEMP", m_dir->path().c_str(), 1);
        m_base = std::make_unique<charg1>();
        // Braces and backslashes are not delimiters here: they stay inside forms.
        QCOMPARE(m_base->ChargeBase(test::buildBase("conc", test::cp(kTexte), ".,:;!?")), 0);
        m_taches = std::make_unique<ui::ExecuteurTaches>();
        m_corpus.AjouteBase(m_base.get());
        m_rapport = std::make_unique<Rapport>(nullptr, m_base.get());
    }
    void cleanupTestCase() {
        m_rapport.reset();
        m_corpus.RetireBase(m_base.get());
        m_taches.reset();
        m_base.reset();
        m_dir.reset();
    }

    void creationSansPole() {
        auto fen = fenetre();
        QCOMPARE(fen->windowTitle(), QStringLiteral("Concordances"));
        QVERIFY(!fen->BtnPrec()->isEnabled() && !fen->BtnSuiv()->isEnabled());
        QCOMPARE(fen->BtnPrec()->accessibleName(), QStringLiteral("Précédent"));
        QCOMPARE(fen->ComboTri()->currentIndex(), 0);
        QCOMPARE(fen->CbTypeDocu()->currentIndex(), 0);
        QCOMPARE(fen->ComboGrp()->itemText(0), QStringLiteral("<Aucun>"));
        QCOMPARE(fen->ConcorEdit()->NbLignes(), 0);
        // A typed text that names nothing changes nothing.
        tape(*fen, "nulle");
        QVERIFY(fen->Pole() == nullptr);
        QCOMPARE(fen->IndexCourant(), -1);
    }

    // Three poles, back twice, a fourth: it goes after the first, the others stay reachable.
    void historique() {
        auto fen = fenetre();
        tape(*fen, "chat");
        tape(*fen, "dort");
        tape(*fen, "le");
        QVERIFY(fen->BtnPrec()->isEnabled());
        QVERIFY(!fen->BtnSuiv()->isEnabled());
        fen->BtnPrec()->click();
        m_taches->Attend();
        fen->BtnPrec()->click();
        m_taches->Attend();
        QCOMPARE(nomPole(*fen), QStringLiteral("chat"));
        QVERIFY(!fen->BtnPrec()->isEnabled());
        tape(*fen, "chien");
        QCOMPARE(fen->Historique().size(), size_t(4));
        QCOMPARE(fen->IndexCourant(), 1);
        QVERIFY(fen->BtnPrec()->isEnabled() && fen->BtnSuiv()->isEnabled());
        QStringList suite;
        while (fen->BtnSuiv()->isEnabled()) {
            fen->BtnSuiv()->click();
            m_taches->Attend();
            suite << nomPole(*fen);
        }
        QCOMPARE(suite, (QStringList{QStringLiteral("dort"), QStringLiteral("le")}));
    }

    // Going back restores the sort of the entry, not the document type or the grouping.
    void triRestaure() {
        auto fen = fenetre();
        fen->ComboTri()->setCurrentIndex(2);
        tape(*fen, "chat");
        QCOMPARE(fen->StatusBar()->currentMessage(), QStringLiteral("Nombre de contextes : 3"));
        // Sorted after: "a\b mange", "boit", "{x} dort" (forms only, by rank).
        const QStringList apres = lignes(*fen->ConcorEdit());
        QVERIFY(apres[1].contains(QStringLiteral("chat boit")));
        fen->ComboTri()->setCurrentIndex(0);
        m_taches->Attend();
        tape(*fen, "dort");
        fen->CbTypeDocu()->setCurrentIndex(ui::TFenConcor::Inventaire);
        m_taches->Attend();
        fen->BtnPrec()->click();
        m_taches->Attend();
        QCOMPARE(fen->ComboTri()->currentIndex(), 2);
        QCOMPARE(fen->CbTypeDocu()->currentIndex(), int(ui::TFenConcor::Inventaire));
        fen->CbTypeDocu()->setCurrentIndex(ui::TFenConcor::Concordance);
        m_taches->Attend();
        QCOMPARE(lignes(*fen->ConcorEdit()), apres);
        fen->BtnSuiv()->click();
        m_taches->Attend();
        QCOMPARE(fen->ComboTri()->currentIndex(), 0);
    }

    // Braces and backslashes are shown as they are; the pole is drawn in its colour, black
    // for white; part headers follow a blank line.
    void vueEtCouleurs() {
        auto fen = fenetre();
        fen->SpinLgCont()->setValue(10);
        tape(*fen, "chat");
        const ui::VueConcordance &vue = *fen->ConcorEdit();
        QCOMPARE(vue.NbLignes(), 3);
        QCOMPARE(vue.TexteLigne(0), QStringLiteral("        le chat {x} dort . "));
        QCOMPARE(vue.TexteLigne(1), QStringLiteral(" dort . un chat a\\b mange "));
        QCOMPARE(vue.PlagePole(1), std::make_pair(int32_t(11), int32_t(4)));
        QCOMPARE(vue.CouleurPole(), CouleurQtAttendue(fen->Pole()->Couleur));

        auto blanc = std::make_shared<Tgen>(m_base.get(), std::vector<int32_t>{0}, nullptr);
        blanc->Couleur = kCouleurAucune;
        fen->MontrePole(blanc);
        m_taches->Attend();
        QCOMPARE(vue.CouleurPole(), QColor(Qt::black));

        Partition *enregistree = m_corpus.EnregistrePartition(
            std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "auteur")));
        fen->RemplitComboGrp();
        QCOMPARE(fen->ComboGrp()->count(), 2);
        QCOMPARE(fen->ComboGrp()->itemText(1), QStringLiteral("auteur"));
        fen->ComboGrp()->setCurrentIndex(1);
        QMetaObject::invokeMethod(fen->ComboGrp(), "activated", Q_ARG(int, 1));
        m_taches->Attend();
        QCOMPARE(fen->Regroupement(), enregistree);
        QVERIFY(vue.TexteLigne(0).isEmpty() && !vue.EstEntete(0));
        QVERIFY(vue.EstEntete(1));
        QVERIFY(vue.TexteLigne(1).startsWith(QStringLiteral("Partie : A, Nombre de contextes : ")));
        m_corpus.RetireBase(m_base.get());
        m_corpus.AjouteBase(m_base.get());
        // The partition gone, the next building has no grouping.
        fen->BtnRecycle()->click();
        m_taches->Attend();
        QVERIFY(fen->Regroupement() == nullptr);
        QVERIFY(!fen->ConcorEdit()->EstEntete(1));
    }

    // Only one article can be dragged out; a dropped group keeps its name and colour rule.
    void glisserEtDeposer() {
        auto fen = fenetre();
        std::unique_ptr<ui::TTgenDragObject> objet(fen->ObjetGlisse(QStringLiteral(" chien ")));
        QVERIFY(objet != nullptr);
        QCOMPARE(objet->Codes, std::vector<int32_t>{m_base->LocFormDic("chien", true)});
        QCOMPARE(objet->Couleur, 0u);
        QVERIFY(objet->Nom.empty());
        QVERIFY(fen->ObjetGlisse(QStringLiteral("le chat")) == nullptr);

        TgenDrag drag{{m_base->LocFormDic("chat", true), m_base->LocFormDic("chien", true)},
                      kCouleurAucune,
                      "animaux"};
        fen->Depose(drag);
        m_taches->Attend();
        QCOMPARE(nomPole(*fen), QStringLiteral("animaux"));
        QVERIFY(fen->Pole()->Couleur != kCouleurAucune);
        QCOMPARE(fen->ConcorEdit()->NbLignes(), 4);
        drag.nom.clear();
        drag.couleur = 0x00FF00;
        fen->Depose(drag);
        m_taches->Attend();
        QCOMPARE(nomPole(*fen), QStringLiteral("chat+"));
        QCOMPARE(fen->Pole()->Couleur, 0x00FF00u);

        ui::EvDepotTexte depot(QStringLiteral("  boit "));
        QCoreApplication::sendEvent(fen.get(), &depot);
        m_taches->Attend();
        QCOMPARE(nomPole(*fen), QStringLiteral("boit"));
        QCOMPARE(fen->Historique().size(), size_t(3));
    }

    // A selection in the view, and a press inside it that waits for the drag.
    void selectionDansLaVue() {
        auto fen = fenetre();
        fen->resize(700, 300);
        fen->show();
        tape(*fen, "chat");
        ui::VueConcordance *vue = fen->ConcorEdit();
        vue->Selectionne({1, 41}, {1, 45});
        QCOMPARE(vue->TexteSelectionne(), QStringLiteral("chat"));
        const qreal cw = QFontMetricsF(vue->font()).horizontalAdvance(QLatin1Char('M'));
        const int h = vue->fontMetrics().height();
        const QPoint dedans(qRound(4 + 43 * cw), h + h / 2);
        QCOMPARE(vue->CurseurEn(dedans).colonne, 43);
        QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, dedans);
        QVERIFY(vue->GlissementEnAttente());
        QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, dedans);
        QVERIFY(!vue->GlissementEnAttente());
        QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {},
                           QPoint(qRound(4 + 47 * cw), h + h / 2));
        QCOMPARE(vue->TexteSelectionne(), QStringLiteral("a\\b"));
        QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {},
                           QPoint(qRound(4 + 52 * cw), h + h / 2));
        QCOMPARE(vue->TexteSelectionne(), QStringLiteral("mange"));
    }

    // Report pages: conc1, conc2 across two windows, nothing without a pole, the
    // inventory's own page when it is shown.
    void pagesDuRapport() {
        m_rapport = std::make_unique<Rapport>(nullptr, m_base.get());
        auto a = fenetre();
        auto b = fenetre();
        rapport(*a);
        QVERIFY(m_rapport->Fichiers().empty());
        tape(*a, "chat");
        tape(*b, "chien");
        a->ComboTri()->setCurrentIndex(1);
        m_taches->Attend();
        rapport(*a);
        rapport(*b);
        m_taches->Attend();
        b->CbTypeDocu()->setCurrentIndex(ui::TFenConcor::Inventaire);
        m_taches->Attend();
        rapport(*b);
        m_taches->Attend();
        QCOMPARE(m_rapport->Fichiers(),
                 (std::vector<std::string>{"conc1.html", "conc2.html", "inv1.html"}));
        QCOMPARE(m_rapport->Entrees()[0].titre, std::string("Concordance de : chat (tri avant)"));
        QCOMPARE(m_rapport->Entrees()[2].titre,
                 std::string("Inventaire distributionnel de : chien"));
        const std::string page = test::readFile(m_rapport->Dossier() + "conc1.html");
        QVERIFY(page.find("Concordance de : chat<br> (tri avant)") != std::string::npos);
        QVERIFY(test::fileExists(m_rapport->Dossier() + "inv1.html"));
        // The window's own choice of document is built for the page when the view shows
        // another one.
        a->CbTypeDocu()->setCurrentIndex(ui::TFenConcor::Inventaire);
        a->ComboTri()->setCurrentIndex(0);
        rapport(*a);
        m_taches->Attend();
        QCOMPARE(m_rapport->Fichiers().back(), std::string("inv2.html"));
    }

    void anglais() {
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        auto fen = fenetre();
        QCOMPARE(fen->windowTitle(), QStringLiteral("Concordances"));
        QCOMPARE(fen->ComboTri()->itemText(2), QStringLiteral("After"));
        QCOMPARE(fen->CbTypeDocu()->itemText(1), QStringLiteral("Distributional inventory"));
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
    }

  private:
    static QColor CouleurQtAttendue(uint32_t c) {
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }
};

MORVIX_TEST_FENETRE(TestFenConcor)
#include "TestFenConcor.moc"
