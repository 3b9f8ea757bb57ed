// The view chooser inside the main window: views registered once, maps numbered per view,
// their navigation nodes, and the command that opens it.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "corpus/Section.h"
#include "mainwindow/TFenNavig.h"
#include "mainwindow/TFenPrinc.h"
#include "sections/TFenChoixDelim.h"
#include "sections/TFenParamCarte.h"
#include "sections/TFenParamSpecSect.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace morvix;

namespace {

const char *kTexte = "<auteur=Anonyme> Le chat dort. Le chien aboie !\n<auteur=Autre> Le chat "
                     "mange ; il dort.\n";

void choisit(ui::TFenChoixDelim &d, const QStringList &graphies) {
    QListWidget *liste = d.ListDelims();
    for (int i = 0; i < liste->count(); ++i) {
        liste->item(i)->setSelected(graphies.contains(liste->item(i)->text()));
    }
}

} // namespace

class TestFenChoixDelim : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void vuesEtCartes() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        QVERIFY(
            fen.OuvreBase(QString::fromStdString(dir.path() + "/" + test::buildBase("v", kTexte))));
        QVERIFY(fen.Bouton("BtnParag")->isEnabled());
        QVERIFY(fen.ParamCarte() != nullptr);
        QVERIFY(fen.ParamSpecSect() != nullptr);
        const charg1 &base = *fen.Base();
        QTreeWidgetItem *cartes = ui::TFenNavig::Enfant(
            fen.Navigation()->TreePages()->topLevelItem(0), QStringLiteral("Cartes Sections"));
        QVERIFY(cartes != nullptr);

        ui::TFenChoixDelim premier(fen, base);
        QCOMPARE(premier.windowTitle(), QStringLiteral("Sections"));
        // Only punctuation signs, in code order; no existing view yet.
        QCOMPARE(premier.ListDelims()->count(), base.Nbartponct());
        QCOMPARE(premier.ListDelims()->item(0)->text(),
                 QString::fromLatin1(base.RetourneGraphie(base.Nbform(), false)));
        QVERIFY(!premier.PgC()->isTabVisible(0));
        QCOMPARE(premier.PgC()->currentIndex(), 1);
        QVERIFY(premier.BtnCreerClick() == nullptr); // nothing selected
        QCOMPARE(fen.CorpusModele().NbSections(), 0);

        choisit(premier, {QStringLiteral(".")});
        ui::TFenCarteParag *carte = premier.BtnCreerClick();
        QVERIFY(carte != nullptr);
        const QString titre = QStringLiteral(" découpées d'après le délimiteur:  .");
        QCOMPARE(carte->windowTitle(),
                 QStringLiteral("Sections ") + titre + QStringLiteral(" - vue n°1"));
        QCOMPARE(fen.CorpusModele().NbSections(), 1);
        QCOMPARE(cartes->childCount(), 1);
        QTreeWidgetItem *vue = cartes->child(0);
        QCOMPARE(vue->text(0), titre);
        QCOMPARE(vue->child(0)->text(0), QStringLiteral("Vue n°1"));
        QVERIFY(fen.Navigation()->Fenetre(vue->child(0)) == carte->parentWidget());
        QCOMPARE(carte->Carte().NbSections(), 2);

        // The same delimiters again: Yes opens a second view of the registered one.
        ui::TFenChoixDelim second(fen, base);
        QVERIFY(second.PgC()->isTabVisible(0));
        QCOMPARE(second.LBoxSect()->count(), 1);
        QCOMPARE(second.LBoxSect()->item(0)->text(), titre);
        choisit(second, {QStringLiteral(".")});
        utilisateur.reponse = QMessageBox::Yes;
        ui::TFenCarteParag *autre = second.BtnCreerClick();
        QVERIFY(autre != nullptr);
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QCOMPARE(utilisateur.messages[0].texte,
                 QStringLiteral("La section existe déjà,\nvoulez-vous créer une nouvelle vue ?"));
        QVERIFY(autre->windowTitle().endsWith(QStringLiteral(" - vue n°2")));
        QCOMPARE(&autre->Vue(), &carte->Vue());
        QCOMPARE(fen.CorpusModele().NbSections(), 1);
        QCOMPARE(vue->childCount(), 2);
        QCOMPARE(vue->child(1)->text(0), QStringLiteral("Vue n°2"));

        // No: nothing opens, the last map comes forward.
        ui::TFenChoixDelim troisieme(fen, base);
        choisit(troisieme, {QStringLiteral(".")});
        utilisateur.reponse = QMessageBox::No;
        const auto avant = fen.Mdi()->subWindowList().size();
        QVERIFY(troisieme.BtnCreerClick() == nullptr);
        QCOMPARE(fen.Mdi()->subWindowList().size(), avant);
        QCOMPARE(fen.Mdi()->activeSubWindow(), autre->parentWidget());

        // Other delimiters make another view; a double click on a view brings its first map.
        ui::TFenChoixDelim quatrieme(fen, base);
        choisit(quatrieme, {QStringLiteral("!"), QStringLiteral(";")});
        ui::TFenCarteParag *exclam = quatrieme.BtnCreerClick();
        QVERIFY(exclam != nullptr);
        QCOMPARE(fen.CorpusModele().NbSections(), 2);
        QCOMPARE(exclam->Carte().NbSections(), 2);
        QVERIFY(exclam->windowTitle().contains(QStringLiteral(":  ! ; - vue n°1")));
        ui::TFenChoixDelim cinquieme(fen, base);
        QCOMPARE(cinquieme.LBoxSect()->count(), 2);
        cinquieme.LBoxSect()->item(0)->setSelected(true);
        cinquieme.LBoxSectDblClick();
        QCOMPARE(fen.Mdi()->activeSubWindow(), carte->parentWidget());
    }

    // The toolbar button and the menu item open the chooser on the open base.
    void commande() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        QVERIFY(
            fen.OuvreBase(QString::fromStdString(dir.path() + "/" + test::buildBase("v", kTexte))));
        ui::TFenCarteParag *ouverte = nullptr;
        utilisateur.dialogue = [&ouverte](QDialog &d) {
            auto &choix = static_cast<ui::TFenChoixDelim &>(d);
            choisit(choix, {QStringLiteral(".")});
            ouverte = choix.BtnCreerClick();
            return static_cast<int>(QDialog::Accepted);
        };
        fen.Bouton("BtnParag")->click();
        QVERIFY(ouverte != nullptr);
        QCOMPARE(utilisateur.dialoguesModaux, 1);
        QAction *menu = nullptr;
        for (QAction *a : fen.findChildren<QAction *>()) {
            if (a->text() == QStringLiteral("Carte des &sections")) {
                menu = a;
            }
        }
        QVERIFY(menu != nullptr);
        utilisateur.reponse = QMessageBox::Yes;
        menu->trigger();
        QCOMPARE(utilisateur.dialoguesModaux, 2);
        QVERIFY(ouverte->windowTitle().endsWith(QStringLiteral("vue n°2")));
    }
};

MORVIX_TEST_FENETRE(TestFenChoixDelim)
#include "TestFenChoixDelim.moc"
