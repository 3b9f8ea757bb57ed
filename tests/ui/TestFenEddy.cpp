// The text window: its page file, the highlighting of a dropped group, the on-screen lines.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "base/charg1.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "report/TFenEddy.h"
#include "report/VueTexte.h"

#include <QDropEvent>
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

MORVIX_TEST_FENETRE(TestFenEddy)

#include "TestFenEddy.moc"
