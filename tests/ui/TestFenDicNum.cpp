// The dictionary window: rows, both orders, search, drags.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "Pastille.h"
#include "base/charg1.h"
#include "dictionary/ModeleDico.h"
#include "dictionary/TFenDicNum.h"
#include "mainwindow/DragObjects.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace morvix;

namespace {

// Frequencies: de 4, le 3, dent 2, chat 2, debout 1, zèbre 1, ...
const char *kTexte = "de le de le de dent chat le de dent chat debout zèbre.\nArbre, dé !\n";

QString graphieLigne(const ui::TFenDicNum &fen, int ligne) {
    return fen.Modele()->index(ligne, 0).data().toString();
}

int ligneSelectionnee(const ui::TFenDicNum &fen) {
    const auto lignes = fen.LignesSelectionnees();
    return lignes.size() == 1 ? lignes.front() : -1;
}

void tape(ui::TFenDicNum &fen, const QString &texte, Qt::Key touche) {
    fen.EdRech()->setText(texte);
    QTest::keyClick(fen.EdRech(), touche);
}

} // namespace

class TestFenDicNum : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("dico", test::cp(kTexte))), 0);
    }
    void cleanupTestCase() {
        m_base.reset();
        m_dir.reset();
    }

    void lignesEtStatut() {
        ui::TFenDicNum fen(*m_base);
        const int32_t n = m_base->Nbform() + m_base->Nbartponct();
        QCOMPARE(fen.Modele()->rowCount(), n);
        QCOMPARE(fen.StatusBar1()->currentMessage(),
                 QString::number(n) + QStringLiteral(" formes"));
        QCOMPARE(graphieLigne(fen, 0), QStringLiteral("de"));
        QCOMPARE(fen.Modele()->index(0, 1).data().toString(), QStringLiteral("4"));
        QCOMPARE(fen.windowTitle(), QStringLiteral("Dictionnaire"));
    }

    // Switching the order keeps the selected form selected, at its new row.
    void ordreGardeLaSelection() {
        ui::TFenDicNum fen(*m_base);
        const int32_t chat = m_base->LocFormDic("chat", true);
        fen.ListeFormes()->selectRow(chat);
        fen.ListeFormesColumnClick(0);
        QVERIFY(fen.Modele()->TriAlphabetique());
        QCOMPARE(fen.Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Formes (ordre lexicographique)"));
        QCOMPARE(graphieLigne(fen, 0), QStringLiteral("Arbre"));
        QCOMPARE(graphieLigne(fen, ligneSelectionnee(fen)), QStringLiteral("chat"));
        QCOMPARE(ligneSelectionnee(fen), m_base->Lexg(chat));
        // Punctuation keeps its rows after the forms.
        QCOMPARE(fen.Modele()->Code(m_base->Nbform()), m_base->Nbform());
        fen.ListeFormesColumnClick(1);
        QVERIFY(fen.Modele()->TriAlphabetique());
        fen.ListeFormesColumnClick(0);
        QVERIFY(!fen.Modele()->TriAlphabetique());
        QCOMPARE(ligneSelectionnee(fen), chat);
    }

    // Enter finds the first match from the top, F3 the next ones, then beeps.
    void recherche() {
        test::Utilisateur utilisateur;
        ui::TFenDicNum fen(*m_base);
        fen.show();
        struct Etape {
            const char *texte;
            Qt::Key touche;
            const char *attendue;
            int bips;
        };
        const Etape etapes[] = {
            {"de", Qt::Key_Return, "de", 0}, {"de", Qt::Key_F3, "dent", 0},
            {"de", Qt::Key_F3, "debout", 0}, {"de", Qt::Key_F3, "debout", 1},
            {"de", Qt::Key_Return, "de", 1}, {"dé", Qt::Key_Return, "dé", 1},
            {"De", Qt::Key_Return, "dé", 2}, {"zè", Qt::Key_Enter, "zèbre", 2},
        };
        for (const Etape &e : etapes) {
            tape(fen, QString::fromUtf8(e.texte), e.touche);
            QCOMPARE(graphieLigne(fen, ligneSelectionnee(fen)), QString::fromUtf8(e.attendue));
            QCOMPARE(utilisateur.bips, e.bips);
        }
        // Typing starts the delay; its end searches from the top.
        fen.EdRech()->clear();
        QTest::keyClicks(fen.EdRech(), QStringLiteral("ch"));
        QVERIFY(fen.TimerRech()->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(graphieLigne(fen, ligneSelectionnee(fen)), QStringLiteral("chat"),
                                  3000);
    }

    // A drag of three rows carries their codes in row order and the swatch colour.
    void glisser() {
        ui::TFenDicNum fen(*m_base);
        fen.SetCouleurPastille(0x00FF00);
        QModelIndexList lignes;
        for (int r : {4, 1, 2}) {
            lignes << fen.Modele()->index(r, 1) << fen.Modele()->index(r, 0);
        }
        std::unique_ptr<QMimeData> data(fen.Modele()->mimeData(lignes));
        const ui::TTgenDragObject *drag = ui::GroupeDeplace(data.get());
        QVERIFY(drag != nullptr);
        QCOMPARE(drag->Codes, (std::vector<int32_t>{1, 2, 4}));
        QCOMPARE(drag->Couleur, 0x00FF00u);
        QVERIFY(drag->Nom.empty());
        QCOMPARE(drag->Source(), static_cast<QObject *>(fen.ListeFormes()));
    }

    // A click on the swatch asks for a colour; the chosen one goes into the next drags. The
    // swatch paints itself (no style sheet that its hint would inherit) and has a name for
    // screen readers; the headers show their whole caption.
    void pastilleEtEntetes() {
        test::Utilisateur utilisateur;
        ui::TFenDicNum fen(*m_base);
        fen.show();
        auto *pastille = fen.findChild<ui::Pastille *>(QStringLiteral("ShPastille"));
        QVERIFY(pastille != nullptr);
        QVERIFY(pastille->styleSheet().isEmpty());
        QVERIFY(!pastille->accessibleName().isEmpty());
        utilisateur.couleur = QColor(0, 128, 255);
        QTest::mouseClick(pastille, Qt::LeftButton);
        QCOMPARE(utilisateur.couleursDemandees, 1);
        QCOMPARE(fen.CouleurPastille(), 0xFF8000u);
        QCOMPARE(fen.Modele()->Couleur(), 0xFF8000u);
        utilisateur.couleur.reset();
        QTest::mouseClick(pastille, Qt::LeftButton);
        QCOMPARE(fen.CouleurPastille(), 0xFF8000u);

        const QFontMetrics mesure = fen.ListeFormes()->horizontalHeader()->fontMetrics();
        for (int alpha = 0; alpha < 2; ++alpha) {
            const QString titre =
                fen.Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
            QVERIFY(fen.ListeFormes()->columnWidth(0) > mesure.horizontalAdvance(titre));
            fen.ListeFormesColumnClick(0);
        }
    }
};

MORVIX_TEST_FENETRE(TestFenDicNum)

#include "TestFenDicNum.moc"
