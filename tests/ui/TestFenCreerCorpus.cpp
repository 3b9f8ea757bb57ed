// The corpus creation dialog, the "Options..." button that opens it, and the segmentation
// of texts that are not Windows-1252 from the main window.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "base/charg1.h"
#include "mainwindow/TFenPrinc.h"
#include "mainwindow/TOptionsOpenDialog.h"
#include "report/ModeleFichiersCorpus.h"
#include "report/TFenCreerCorpus.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <filesystem>

using namespace morvix;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

QString cellule(const ui::TFenCreerCorpus &dlg, int ligne, int colonne) {
    return dlg.LVFiles()->model()->index(ligne, colonne).data().toString();
}

} // namespace

class TestFenCreerCorpus : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void controles() {
        ui::TFenCreerCorpus dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Création de Corpus"));
        QVERIFY(!dlg.ChkTrait()->isChecked());
        QVERIFY(dlg.RBCar()->isChecked());
        QCOMPARE(dlg.EdCar()->text(), QStringLiteral("¶"));
        QCOMPARE(dlg.EdCle()->text(), QStringLiteral("parag"));
        QCOMPARE(dlg.EdNomCle()->text(), QStringLiteral("titre"));
        for (QWidget *w :
             std::initializer_list<QWidget *>{dlg.RBCar(), dlg.EdCar(), dlg.RBCle(), dlg.EdCle()}) {
            QVERIFY(!w->isEnabled());
        }
        dlg.ChkTrait()->click();
        QVERIFY(dlg.EdCle()->isEnabled() && dlg.RBCar()->isEnabled());
        dlg.ChkTrait()->click();
        QVERIFY(!dlg.EdCar()->isEnabled());
    }

    // Adding a file twice leaves one row; a single text file is named without writing.
    void ajoutEtTexteSeul() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::writeFile("Notes de cours.txt", "abc\n");
        test::writeFile("b.doc", "x");
        const QString notes = q(dir.path() + "/Notes de cours.txt");
        utilisateur.fichiersOuverture = {notes, q(dir.path() + "/b.doc"), notes};
        ui::TFenCreerCorpus dlg;
        dlg.BtnAddClick();
        dlg.BtnAddClick();
        QCOMPARE(dlg.LVFiles()->model()->rowCount(), 2);
        QCOMPARE(utilisateur.dialoguesFichier.back(), QStringLiteral("Ajouter un ou des fichiers"));
        QCOMPARE(cellule(dlg, 0, 0), QStringLiteral("Notes_de_cours"));
        QCOMPARE(cellule(dlg, 0, 1), notes);
        QCOMPARE(cellule(dlg, 0, 2), QStringLiteral("Texte"));
        QCOMPARE(cellule(dlg, 0, 3), QStringLiteral("4"));
        QCOMPARE(cellule(dlg, 1, 2), QStringLiteral("Doc. Word"));

        ui::TFenCreerCorpus seul;
        seul.BtnSaveClick();
        QCOMPARE(seul.result(), 0);
        seul.AjouteFichiers({notes});
        seul.BtnSaveClick();
        QCOMPARE(seul.result(), int(QDialog::Accepted));
        QCOMPARE(seul.FichierSauve(), notes);
        QCOMPARE(utilisateur.dialoguesFichier.size(), size_t(2)); // the two additions only
    }

    // The corpus is written on the dialog's job runner, with the characters Windows-1252
    // lacks reported; the dialog then closes with the file to select.
    void sauvegarde() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::writeFile("a.txt", "un\n");
        std::filesystem::copy_file(test::dataPath("documents/trois.odt"), "trois.odt");
        ui::TFenCreerCorpus dlg;
        dlg.AjouteFichiers({q(dir.path() + "/a.txt"), q(dir.path() + "/trois.odt")});
        dlg.ChkTrait()->click();
        dlg.RBCle()->setChecked(true);
        utilisateur.fichierEnregistrement = q(dir.path() + "/corpus");
        dlg.BtnSaveClick();
        dlg.Taches().Attend();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.FichierSauve(), q(dir.path() + "/corpus.txt"));
        QCOMPARE(utilisateur.dialoguesFichier.back(),
                 QStringLiteral("Sauvegarder le corpus sous..."));
        const std::string corpus = test::readFile("corpus.txt");
        QVERIFY(corpus.rfind("<titre=a>\r\nun\n\r\n<titre=trois>\r\n<parag=1>\r\nLe c", 0) == 0);
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QCOMPARE(utilisateur.messages[0].texte,
                 QStringLiteral("Corpus enregistré : corpus.txt\n2 caractères non représentables "
                                "remplacés par « ? »"));
    }

    // A key that would fail the key verification, or a file that cannot be read, is said and
    // nothing is written.
    void refus() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::writeFile("a.txt", "un\n");
        test::writeFile("b.txt", "deux\n");
        utilisateur.fichierEnregistrement = q(dir.path() + "/corpus.txt");
        ui::TFenCreerCorpus dlg;
        dlg.AjouteFichiers({q(dir.path() + "/a.txt"), q(dir.path() + "/b.txt")});
        dlg.EdNomCle()->setText(QStringLiteral("mon titre"));
        dlg.BtnSaveClick();
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QVERIFY(utilisateur.dialoguesFichier.empty());
        dlg.EdNomCle()->setText(QStringLiteral("titre"));
        std::filesystem::remove("b.txt");
        dlg.BtnSaveClick();
        dlg.Taches().Attend();
        QCOMPARE(utilisateur.messages.size(), size_t(2));
        QVERIFY(utilisateur.messages[1].texte.contains(QStringLiteral("b.txt")));
        QCOMPARE(dlg.result(), 0);
        QVERIFY(dlg.FichierSauve().isEmpty());
        QVERIFY(!test::fileExists("corpus.txt"));
    }

    // "Options..." opens the dialog; the file it names is then selected in the open dialog.
    void boutonOptions() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::writeFile("seul.txt", "un\n");
        ui::TOptionsOpenDialog ouverture;
        QString titre;
        utilisateur.dialogue = [&](QDialog &d) {
            auto *dlg = qobject_cast<ui::TFenCreerCorpus *>(&d);
            if (dlg == nullptr) {
                return int(QDialog::Rejected);
            }
            titre = dlg->windowTitle();
            dlg->AjouteFichiers({q(dir.path() + "/seul.txt")});
            dlg->BtnSaveClick();
            return dlg->result();
        };
        ouverture.BtnOptions()->click();
        QCOMPARE(titre, QStringLiteral("Création de Corpus"));
        QCOMPARE(ouverture.selectedFiles(), QStringList{q(dir.path() + "/seul.txt")});
    }

    // A UTF-8 text is segmented through its Windows-1252 copy once the user agrees.
    void segmentationUtf8() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::writeFile("u.txt", "<auteur=Zo\u00E9> L\u2019\u00E9t\u00E9 \u03A9.\n");
        const QString texte = q(dir.path() + "/u.txt");
        ui::TFenPrinc fen;
        utilisateur.reponse = QMessageBox::Cancel;
        QVERIFY(!fen.Segmente(texte));
        QVERIFY(fen.Base() == nullptr);
        QCOMPARE(utilisateur.delimiteursDemandes, 0);
        utilisateur.reponse = QMessageBox::Ok;
        QVERIFY(fen.Segmente(texte));
        QCOMPARE(fen.Base()->NomBase(), std::string("u.cp1252"));
        QVERIFY(fen.Base()->LocFormDic("L\x92\xE9t\xE9", true) >= 0);
        QCOMPARE(utilisateur.messages.back().texte,
                 QStringLiteral("Ce texte est en UTF-8 : sa copie en Windows-1252, u.cp1252.txt, "
                                "va être segmentée.\n1 caractère non représentable remplacé par "
                                "« ? »"));
        QCOMPARE(test::readFile("u.txt"),
                 std::string("<auteur=Zo\u00E9> L\u2019\u00E9t\u00E9 \u03A9.\n"));
    }
};

MORVIX_TEST_FENETRE(TestFenCreerCorpus)

#include "TestFenCreerCorpus.moc"
