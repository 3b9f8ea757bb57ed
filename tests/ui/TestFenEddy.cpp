// The text window: its page file, the highlighting of a dropped group, the on-screen lines.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "base/charg1.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "report/TFenEddy.h"
#include "report/VueTexte.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace morvix;

namespace {

std::string corps(const std::string &page) {
    const std::string debut = "<body>\n";
    const size_t a = page.find(debut);
    const size_t b = page.find("</body>");
    if (a == std::string::npos || b == std::string::npos) {
        return {};
    }
    return page.substr(a + debut.size(), b - a - debut.size());
}

std::unique_ptr<Tgen> groupe(const charg1 &base, const char *forme, uint32_t couleur) {
    const int32_t code = base.LocFormDic(forme, true);
    auto g = std::make_unique<Tgen>(&base, &code, 1, nullptr);
    g->Couleur = couleur;
    return g;
}

} // namespace

class TestFenEddy : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void pageDuTexte() {
        test::ScopedWorkDir dir;
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("un", "<auteur=Anonyme> Le chat.\n")), 0);
        std::string fichier;
        {
            ui::TFenEddy fen(base);
            fichier = fen.FichierPage();
            QVERIFY(std::filesystem::path(fichier).filename().string().starts_with("qzth"));
            QCOMPARE(fen.AdressePage(),
                     QStringLiteral("file://") + QString::fromStdString(fichier));
            const std::string page = test::readFile(fichier);
            QVERIFY(page.starts_with("<html><head><title>"));
            QVERIFY(page.find(".tgenstyle {font-weight: bold;\ncolor: #ff0000;}\n") !=
                    std::string::npos);
            QCOMPARE(corps(page), std::string("<span class=\"partie\">&lt;auteur=Anonyme&gt;</span>"
                                              " Le chat .<br />\n"));
            QVERIFY(page.ends_with("</body></html>\n"));
            QCOMPARE(fen.HTMLEdit()->TexteLigne(0), QStringLiteral("<auteur=Anonyme> Le chat ."));
        }
        QVERIFY(!std::filesystem::exists(fichier));
    }

    // Only the last group dropped is highlighted, in its colour.
    void depotsDeGroupes() {
        test::ScopedWorkDir dir;
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("deux", "Le chat et le chien.\nUn chat dort.\n")),
                 0);
        ui::TFenEddy fen(base);
        fen.DeposeGroupe(groupe(base, "chat", 0xFF0000));
        std::string page = test::readFile(fen.FichierPage());
        QVERIFY(page.find("color: #0000ff;}") != std::string::npos);
        QCOMPARE(corps(page), std::string(" Le<span class=\"tgenstyle\"> chat</span> et le chien "
                                          ".<br />\n Un<span class=\"tgenstyle\"> chat</span> dort"
                                          " .<br />\n"));
        const auto plages = fen.HTMLEdit()->PlagesGroupe(1);
        QCOMPARE(plages.size(), size_t(1));
        QCOMPARE(fen.HTMLEdit()->TexteLigne(1).mid(plages[0].first, plages[0].second),
                 QStringLiteral("chat"));

        fen.DeposeGroupe(groupe(base, "chien", 0x008000));
        page = test::readFile(fen.FichierPage());
        QVERIFY(page.find("color: #008000;}") != std::string::npos);
        QVERIFY(page.find("tgenstyle\"> chat") == std::string::npos);
        QVERIFY(page.find("<span class=\"tgenstyle\"> chien</span>") != std::string::npos);
        QVERIFY(fen.HTMLEdit()->PlagesGroupe(1).empty());
    }

    // A drop carries codes and a colour; white keeps the palette colour.
    void depotParGlisser() {
        test::ScopedWorkDir dir;
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("trois", "Le chat dort.\n")), 0);
        ui::TFenEddy fen(base);
        fen.resize(400, 300);
        struct Cas {
            uint32_t couleur;
            bool palette;
        };
        for (const Cas &c : {Cas{0x0000FF, false}, Cas{ui::kSansCouleur, true}}) {
            const uint32_t attendue = kPaletteTgen[Tgen::IndexPalette()];
            auto *drag = new ui::TTgenDragObject(nullptr, "nom", c.couleur, 1);
            drag->Codes[0] = base.LocFormDic("dort", true);
            QVERIFY(fen.Depose(drag));
            QVERIFY(fen.Groupe() != nullptr);
            QCOMPARE(fen.Groupe()->Couleur, c.palette ? attendue : c.couleur);
            // The text window names no group after the drag.
            QCOMPARE(fen.Groupe()->Nom, std::string("dort"));
            delete drag;
        }
    }

    // Scrolling by display lines walks the text forward and back to the top.
    void defilement() {
        test::ScopedWorkDir dir;
        std::string texte;
        for (int i = 0; i < 300; ++i) {
            texte += "ligne " + std::to_string(i) + " de texte.\n";
        }
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("long", texte)), 0);
        ui::TFenEddy fen(base);
        fen.resize(500, 300);
        fen.show();
        ui::VueTexte *vue = fen.HTMLEdit();
        QCOMPARE(vue->NbLignesTexte(), 300);
        vue->Defile(10);
        QCOMPARE(vue->PremiereLigne(), 10);
        vue->Defile(1000);
        QCOMPARE(vue->PremiereLigne(), 299);
        vue->Defile(-5000);
        QCOMPARE(vue->PremiereLigne(), 0);
    }

    // A text line of ten thousand words is shown in pieces; nothing of it is lost.
    void ligneTresLongue() {
        test::ScopedWorkDir dir;
        std::string texte;
        for (int i = 0; i < 10000; ++i) {
            texte += i % 2 == 0 ? "mot " : "autre ";
        }
        texte += ".\n";
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("longue", texte)), 0);
        ui::VueTexte vue(base);
        QCOMPARE(vue.NbLignesTexte(), 3);
        QString tout;
        for (int i = 0; i < vue.NbLignesTexte(); ++i) {
            tout += vue.TexteLigne(i);
        }
        QCOMPARE(tout.count(QStringLiteral(" mot")), 5000);
        QVERIFY(tout.endsWith(QStringLiteral(" autre .")));
    }
};

// Finding a form, stepping through a group's occurrences, selecting and copying text.
class TestRechercheTexte : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = std::make_unique<charg1>();
        // "chat" at positions 1, 6 and 11 (an end of line counts as an item); "Chat" once.
        QCOMPARE(m_base->ChargeBase(test::buildBase(
                     "r", test::cp("le chat dort .\nun chat noir .\nle chat Chat été .\n"))),
                 0);
    }

    // Ctrl+F opens the find bar; Enter, F3 and Shift+F3 walk the occurrences of the form as
    // typed (case and accents count), beeping at either end; an unknown form says so.
    void rechercheDUneForme() {
        test::Utilisateur utilisateur;
        ui::TFenEddy fen(*m_base);
        fen.resize(600, 400);
        fen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fen));
        QTest::keyClick(&fen, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(fen.EdRecherche()->isVisible());
        QVERIFY(fen.EdRecherche()->hasFocus());
        QTest::keyClicks(fen.EdRecherche(), QStringLiteral("chat"));
        QTest::keyClick(fen.EdRecherche(), Qt::Key_Return);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 1);
        QCOMPARE(fen.LbRecherche()->text(), QStringLiteral("Occurrence 1 sur 3"));
        QTest::keyClick(&fen, Qt::Key_F3);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 6);
        QVERIFY(fen.Cherche(1));
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 11);
        QVERIFY(!fen.Cherche(1));
        QCOMPARE(utilisateur.bips, 1);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 11);
        QTest::keyClick(&fen, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 6);

        fen.EdRecherche()->setText(QStringLiteral("Chat"));
        QVERIFY(fen.Cherche(1));
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 12);
        fen.EdRecherche()->setText(QStringLiteral("ete"));
        QVERIFY(!fen.Cherche(1));
        QVERIFY(fen.LbRecherche()->text().contains(QStringLiteral("n'est pas une forme")));
        fen.EdRecherche()->setText(QStringLiteral("été"));
        QVERIFY(!fen.Cherche(-1));
        QVERIFY(fen.Cherche(1));
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 13);
        // The marked item's line is brought into view.
        QCOMPARE(fen.HTMLEdit()->LigneDePosition(13), 2);
    }

    // Ctrl+G and Shift+Ctrl+G step through the highlighted group; without one, a beep.
    void occurrencesDuGroupe() {
        test::Utilisateur utilisateur;
        ui::TFenEddy fen(*m_base);
        fen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fen));
        QVERIFY(!fen.OccurrenceGroupe(1));
        QCOMPARE(utilisateur.bips, 1);
        fen.DeposeGroupe(groupe(*m_base, "chat", 0xFF0000));
        QTest::keyClick(&fen, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 1);
        QTest::keyClick(&fen, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 6);
        QTest::keyClick(&fen, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(fen.HTMLEdit()->PositionMarquee(), 1);
        QVERIFY(!fen.OccurrenceGroupe(-1));
        QCOMPARE(utilisateur.bips, 2);
    }

    // A selection over two lines copies their texts with the line break between them.
    void selectionEtCopie() {
        ui::TFenEddy fen(*m_base);
        fen.resize(600, 400);
        fen.show();
        ui::VueTexte *vue = fen.HTMLEdit();
        QCOMPARE(vue->TexteLigne(0), QStringLiteral(" le chat dort ."));
        vue->Selectionne(0, 4, 1, 7);
        QCOMPARE(vue->TexteSelectionne(), QStringLiteral("chat dort .\n un cha"));
        vue->setFocus();
        QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("chat dort .\n un cha"));
        // Selected backwards, the same text.
        vue->Selectionne(1, 7, 0, 4);
        QCOMPARE(vue->TexteSelectionne(), QStringLiteral("chat dort .\n un cha"));
        // A drag with the mouse selects too.
        QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseMove(vue->viewport(), QPoint(200, 8));
        QVERIFY(vue->ASelection());
        QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, QPoint(200, 8));
        QVERIFY(!vue->TexteSelectionne().isEmpty());
    }
};

MORVIX_TEST_FENETRE(TestFenEddy)
MORVIX_TEST_FENETRE(TestRechercheTexte)

#include "TestFenEddy.moc"
