// The main window: opening bases from the command line and their errors, the navigation
// tree and sheets, the report and closing, the group container, options and the catalog.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "Traduction.h"
#include "base/charg1.h"
#include "groups/Tgen.h"
#include "mainwindow/ConteneurGroupes.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/TFenChoixDelimForme.h"
#include "mainwindow/TFenNavig.h"
#include "mainwindow/TFenOpt.h"
#include "mainwindow/TFenPrinc.h"
#include "mainwindow/TOptionsOpenDialog.h"
#include "mainwindow/TSplashScreen.h"
#include "partitions/Partition.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

using namespace morvix;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::string)

namespace {

const char *kTexte =
    "<auteur=Anonyme> Le chat dort. Le chien aboie.\n<auteur=Autre> Le chat mange.\n";

QString q(const std::string &s) { return QString::fromStdString(s); }

// The commands of an open base are enabled; an analysis command whose window does not exist
// yet stays disabled and says so in its hint.
bool commandesBaseActives(const ui::TFenPrinc &fen) {
    for (const char *nom : {"BtnNvFeuille", "BtnVaVersFeuille", "BtnAjouteRap"}) {
        if (!fen.Bouton(nom)->isEnabled()) {
            return false;
        }
    }
    using T = ui::TFenPrinc;
    const std::pair<const char *, bool> analyses[] = {
        {"BtnParag", T::BtnParagDisponible()},
        {"BtnDocu", T::BtnDocuDisponible()},
        {"BtnPart", T::BtnPartDisponible()},
        {"BtnSR", T::BtnSRDisponible()},
        {"BtnSelFormes", T::BtnSelFormesDisponible()}};
    for (const auto &[nom, disponible] : analyses) {
        const QToolButton *b = fen.Bouton(nom);
        if (b->isEnabled() != disponible ||
            b->toolTip().contains(QStringLiteral("pas encore disponible")) == disponible) {
            return false;
        }
    }
    return true;
}

void depose(ui::ConteneurGroupes *cible, QMimeData *data) { cible->Depose(data); }

QMdiSubWindow *enfant(ui::TFenPrinc &fen, const QString &titre) {
    auto *w = new QWidget;
    w->setWindowTitle(titre);
    QMdiSubWindow *cadre = fen.AjouteEnfant(w);
    cadre->show();
    return cadre;
}

// A child window that counts the report requests it receives.
class FenetreRapport : public QWidget {
  public:
    int demandes = 0;

  protected:
    bool event(QEvent *e) override {
        if (e->type() == ui::WM_AJOUTE_RAPPORT) {
            ++demandes;
            return true;
        }
        return QWidget::event(e);
    }
};

} // namespace

class TestFenPrinc : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void ligneCommande_data() {
        QTest::addColumn<std::string>("fichier");
        QTest::addColumn<std::string>("contenu");
        QTest::addColumn<QString>("suite");
        QTest::addColumn<bool>("ouverte");
        QTest::addColumn<int>("delimiteurs");
        QTest::addColumn<QString>("message");
        const QString cles = QStringLiteral("Problème dans les clefs.\nConsultez atrace.txt");
        QTest::newRow("base et texte après un blanc")
            << std::string("base.par") << std::string() << QStringLiteral(" et la suite") << true
            << 0 << QString();
        QTest::newRow("texte") << std::string("texte.txt") << std::string(kTexte) << QString()
                               << true << 1 << QString();
        QTest::newRow("balise malformée")
            << std::string("mal.txt") << std::string("<auteur Anonyme> Le chat.\n") << QString()
            << false << 0 << cles;
        QTest::newRow("fichier absent")
            << std::string() << std::string() << QString() << false << 0 << QString();
        QTest::newRow("chemin coupé au blanc")
            << std::string("mon texte.txt") << std::string(kTexte) << QString() << false << 0
            << QString();
        // The extension test is case-sensitive: ".PAR" is segmented as a text.
        QTest::newRow("extension en capitales") << std::string("TEXTE.PAR") << std::string(kTexte)
                                                << QString() << true << 1 << QString();
    }
    void ligneCommande() {
        QFETCH(std::string, fichier);
        QFETCH(std::string, contenu);
        QFETCH(QString, suite);
        QFETCH(bool, ouverte);
        QFETCH(int, delimiteurs);
        QFETCH(QString, message);
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        std::string chemin = dir.path() + "/absent.txt";
        if (fichier == "base.par") {
            chemin = dir.path() + "/" + test::buildBase("base", kTexte);
        } else if (!fichier.empty()) {
            chemin = dir.path() + "/" + fichier;
            test::writeFile(chemin, contenu);
        }
        fs::current_path("/");
        {
            ui::TFenPrinc fen;
            fen.LigneCommande(q(chemin) + suite);
            QCOMPARE(fen.Base() != nullptr, ouverte);
            QCOMPARE(utilisateur.delimiteursDemandes, delimiteurs);
            QCOMPARE(commandesBaseActives(fen), ouverte);
            if (message.isEmpty()) {
                QVERIFY(utilisateur.messages.empty());
            } else {
                QCOMPARE(utilisateur.messages.size(), size_t(1));
                // The message says where the verification's report is.
                QVERIFY(utilisateur.messages[0].texte.startsWith(message));
                QVERIFY(utilisateur.messages[0].texte.contains(q(dir.path() + "/atrace.txt")));
            }
            if (ouverte) {
                QVERIFY(fen.FenDicNum() != nullptr);
                QVERIFY(fen.FenEddy() != nullptr);
                QCOMPARE(fen.Panneau(1)->text(), QStringLiteral("Prêt"));
                QCOMPARE(fen.ListesGauche()->currentWidget(), fen.FenDicNum());
                QVERIFY(fen.RapportCourant() != nullptr);
                QCOMPARE(fen.CorpusModele().Bases.size(), size_t(1));
            }
        }
        fs::current_path(dir.path());
    }

    // A segmentation that is cancelled or fails opens nothing, not even an older base of the
    // same name left in the folder.
    void segmentationInterrompue() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        test::buildBase("vieux", kTexte);
        const QString texte = q(dir.path() + "/vieux.txt");
        {
            utilisateur.confirmeDelimiteurs = false;
            ui::TFenPrinc fen;
            QVERIFY(!fen.Segmente(texte));
            QVERIFY(fen.Base() == nullptr);
            QCOMPARE(fen.Panneau(1)->text(), QString());
            QVERIFY(utilisateur.messages.empty());
        }
        {
            utilisateur.confirmeDelimiteurs = true;
            ui::TFenPrinc fen;
            fen.Settings().MAXART = 3;
            QVERIFY(!fen.Segmente(texte));
            QVERIFY(fen.Base() == nullptr);
            QCOMPARE(utilisateur.messages.size(), size_t(1));
            QVERIFY(!utilisateur.messages[0].texte.isEmpty());
            fen.Settings().MAXART = 100000;
            QVERIFY(fen.Segmente(texte));
        }
    }

    // Opening another base while the report has unsaved entries asks first; Cancel keeps
    // the open base, its windows and its report.
    void ouvertureAvecRapportModifie() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const QString a = q(dir.path() + "/" + test::buildBase("a", kTexte));
        const QString b = q(dir.path() + "/" + test::buildBase("b", "Un autre texte.\n"));
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(a));
        Rapport *rapport = fen.RapportCourant();
        test::writeFile(rapport->Dossier() + "p.html", "<html></html>");
        QVERIFY(rapport->AjouteEntree("p", "p.html", " "));
        const charg1 *base = fen.Base();
        utilisateur.reponse = QMessageBox::Cancel;
        QVERIFY(!fen.OuvreBase(b));
        QCOMPARE(fen.Base(), base);
        QCOMPARE(fen.RapportCourant(), rapport);
        QVERIFY(fen.FenEddy() != nullptr);
        utilisateur.reponse = QMessageBox::No;
        QVERIFY(fen.OuvreBase(b));
        QCOMPARE(utilisateur.messages.size(), size_t(2));
        QVERIFY(fen.RapportCourant()->Enregistre());
    }

    // Each opening adds a sheet and shows the new windows on it; the navigation tree holds
    // one branch, that of the open base.
    void deuxOuvertures() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const QString a = q(dir.path() + "/" + test::buildBase("a", kTexte));
        const QString b = q(dir.path() + "/" + test::buildBase("b", "Un autre texte.\n"));
        ui::TFenPrinc fen;
        fen.show();
        QVERIFY(fen.OuvreBase(a));
        QVERIFY(fen.OuvreBase(b));
        QTreeWidget *arbre = fen.Navigation()->TreePages();
        QCOMPARE(arbre->topLevelItemCount(), 1);
        QTreeWidgetItem *branche = arbre->topLevelItem(0);
        QCOMPARE(branche->text(0), b);
        QStringList enfants;
        for (int k = 0; k < branche->childCount(); ++k) {
            enfants << branche->child(k)->text(0);
        }
        QCOMPARE(enfants,
                 (QStringList{QStringLiteral("Texte"), QStringLiteral("Dictionnaire"),
                              QStringLiteral("Cartes Sections"), QStringLiteral("Partitions")}));
        QCOMPARE(fen.OngletsFeuilles()->count(), 2);
        QCOMPARE(fen.OngletsFeuilles()->tabText(1), QStringLiteral("Feuille 2"));
        QCOMPARE(fen.OngletsFeuilles()->currentIndex(), 1);
        // The windows of the first base went with it; the registry holds the open base only.
        QCOMPARE(fen.Mdi()->subWindowList().size(), 1);
        QVERIFY(fen.Mdi()->subWindowList().front()->isVisible());
        QCOMPARE(fen.ListesGauche()->count(), 3);
        QCOMPARE(fen.CorpusModele().Bases.size(), size_t(1));
        QCOMPARE(fen.CorpusModele().Bases[0], fen.Base());
        QVERIFY(fen.Navigation()->Fenetre(branche->child(0)) != nullptr);
        // Going back to the first sheet and again to the second keeps the text window on it.
        fen.OngletsFeuilles()->setCurrentIndex(0);
        QVERIFY(!fen.Mdi()->subWindowList().front()->isVisible());
        fen.OngletsFeuilles()->setCurrentIndex(1);
        QVERIFY(fen.Mdi()->subWindowList().front()->isVisible());
        QVERIFY(utilisateur.messages.empty());
    }

    // The "Texte" and "Dictionnaire" nodes bring their window back once it was closed.
    void fenetresRouvertes() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const QString a = q(dir.path() + "/" + test::buildBase("a", kTexte));
        ui::TFenPrinc fen;
        fen.show();
        QVERIFY(fen.OuvreBase(a));
        QTreeWidget *arbre = fen.Navigation()->TreePages();
        QTreeWidgetItem *branche = arbre->topLevelItem(0);
        fen.FenEddy()->parentWidget()->close();
        QTRY_VERIFY(fen.FenEddy() == nullptr);
        fen.FenDicNum()->close();
        QTRY_VERIFY(fen.FenDicNum() == nullptr);
        QCOMPARE(fen.ListesGauche()->count(), 2);
        arbre->setCurrentItem(branche->child(0));
        QVERIFY(fen.FenEddy() != nullptr);
        QCOMPARE(fen.Mdi()->subWindowList().size(), 1);
        QVERIFY(fen.Navigation()->Fenetre(branche->child(0)) != nullptr);
        arbre->setCurrentItem(branche->child(1));
        QVERIFY(fen.FenDicNum() != nullptr);
        QCOMPARE(fen.ListesGauche()->currentWidget(), fen.FenDicNum());
        // Selecting the node again while the window is open does not make a second one.
        arbre->setCurrentItem(branche->child(0));
        QCOMPARE(fen.Mdi()->subWindowList().size(), 1);
        QCOMPARE(fen.ListesGauche()->count(), 3);
    }

    void ouvreBaseErreurs_data() {
        QTest::addColumn<QString>("fichierAbime");
        QTest::addColumn<QString>("raison");
        QTest::newRow("paramètres")
            << QStringLiteral(".par") << QStringLiteral("de lecture du fichier de paramètres");
        QTest::newRow("dictionnaire")
            << QStringLiteral(".dic") << QStringLiteral("de lecture du dictionnaire numérisé");
        QTest::newRow("texte") << QStringLiteral(".num")
                               << QStringLiteral("de lecture du texte numérisé");
    }
    void ouvreBaseErreurs() {
        QFETCH(QString, fichierAbime);
        QFETCH(QString, raison);
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const std::string bonne = dir.path() + "/" + test::buildBase("bonne", kTexte);
        const std::string abimee = dir.path() + "/" + test::buildBase("abimee", kTexte);
        const std::string abime = abimee.substr(0, abimee.size() - 4) + fichierAbime.toStdString();
        if (fichierAbime == QStringLiteral(".par")) {
            test::writeFile(abime, "pas une base\r\n");
        } else {
            fs::resize_file(abime, fs::file_size(abime) / 3);
        }
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(q(bonne)));
        QVERIFY(!fen.OuvreBase(q(abimee)));
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QCOMPARE(utilisateur.messages[0].titre, q(abimee));
        // The reason, then the file at fault and the cause.
        const QString texte = utilisateur.messages[0].texte;
        QVERIFY(texte.startsWith(QStringLiteral("Erreur ") + raison + QStringLiteral("\n\n")));
        QVERIFY(texte.contains(QStringLiteral("abimee") + fichierAbime));
        // The base that was open stays open, with its windows, when another fails to load.
        QVERIFY(fen.Base() != nullptr);
        QCOMPARE(fen.Base()->NomBase(), std::string("bonne"));
        QVERIFY(commandesBaseActives(fen));
        QVERIFY(!fen.Mdi()->subWindowList().isEmpty());
        QCOMPARE(fen.CorpusModele().Bases.size(), size_t(1));
        QCOMPARE(fen.Panneau(1)->text(), QString());
    }

    // Closing asks about a modified report only; Cancel keeps the window open, and "Nouveau"
    // on an empty report starts a new one without the folder browser.
    void fermetureEtRapport() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const QString par = q(dir.path() + "/" + test::buildBase("r", kTexte));
        {
            ui::TFenPrinc fen;
            QCloseEvent avant;
            QCoreApplication::sendEvent(&fen, &avant);
            QVERIFY(avant.isAccepted());
            QVERIFY(fen.OuvreBase(q(dir.path() + "/" + "r.par")));
            QCloseEvent nonModifie;
            QCoreApplication::sendEvent(&fen, &nonModifie);
            QVERIFY(nonModifie.isAccepted());
            QVERIFY(utilisateur.messages.empty());

            utilisateur.reponse = QMessageBox::Yes;
            utilisateur.dossier = QString();
            // The new report may take the freed one's address: tell them by their folders.
            const std::string premier = fen.RapportCourant()->Dossier();
            fen.BtnNouvRapClick();
            QCOMPARE(utilisateur.messages.size(), size_t(1));
            QCOMPARE(utilisateur.messages[0].titre, QStringLiteral("Confirmation"));
            QVERIFY(fen.RapportCourant() != nullptr && fen.RapportCourant()->Dossier() != premier);

            Rapport *rapport = fen.RapportCourant();
            test::writeFile(rapport->Dossier() + "page.html", "<html></html>");
            QVERIFY(rapport->AjouteEntree("Une page", "page.html", " "));
            QCOMPARE(fen.TreeViewRapport()->topLevelItem(0)->child(0)->text(0),
                     QStringLiteral("Une page"));
            utilisateur.messages.clear();
            utilisateur.reponse = QMessageBox::Cancel;
            QCloseEvent annule;
            QCoreApplication::sendEvent(&fen, &annule);
            QVERIFY(!annule.isAccepted());
            QCOMPARE(utilisateur.messages.size(), size_t(1));
            QCOMPARE(utilisateur.messages[0].texte,
                     QStringLiteral("Le rapport a été modifié.\nVoulez-vous le sauvegarder ?"));
            // "Nouveau", Yes, and the folder browser cancelled: the entries are kept.
            utilisateur.reponse = QMessageBox::Yes;
            fen.BtnNouvRapClick();
            QCOMPARE(fen.RapportCourant(), rapport);
            // Saved into a chosen folder, the report has no unsaved change left.
            utilisateur.dossier = q(dir.path());
            fen.BtnSauvRapportClick();
            QVERIFY(rapport->Enregistre());
            QVERIFY(fs::exists(dir.path() + "/" + rapport->Nom() + "/index.htm"));
            utilisateur.messages.clear();
            QCloseEvent ferme;
            QCoreApplication::sendEvent(&fen, &ferme);
            QVERIFY(ferme.isAccepted());
            QVERIFY(utilisateur.messages.empty());
        }
        (void)par;
    }

    void options() {
        test::Utilisateur utilisateur;
        struct Cas {
            const char *etiqs;
            const char *maxart;
            int32_t nbEtiqs;
            int32_t maxartAttendu;
            bool erreur;
        };
        for (const Cas &c :
             {Cas{"3", "2000", 3, 2000, false}, Cas{"4", "abc", 4, 100000, true},
              Cas{"x", "5000", 1, 100000, true}, Cas{" 7 ", "99999999999", 7, 100000, true},
              // Out of range: refused, the limit named.
              Cas{"2", "-1", 2, 100000, true}, Cas{"2", "0", 2, 100000, true},
              Cas{"0", "5000", 1, 100000, true}, Cas{"1", "4999742", 1, 100000, true},
              Cas{"1", "4999741", 1, 4999741, false}}) {
            ui::TFenOpt dialogue{QString()};
            QCOMPARE(dialogue.EdMaxart()->text(), QStringLiteral("100000"));
            QCOMPARE(dialogue.EdEtiqs()->text(), QStringLiteral("1"));
            dialogue.EdEtiqs()->setText(QString::fromUtf8(c.etiqs));
            dialogue.EdMaxart()->setText(QString::fromUtf8(c.maxart));
            ui::Reglages reglages;
            const QString erreur = dialogue.Applique(reglages);
            QCOMPARE(!erreur.isEmpty(), c.erreur);
            QCOMPARE(reglages.NbEtiqs, c.nbEtiqs);
            QCOMPARE(reglages.MAXART, c.maxartAttendu);
        }
    }

    // A refused value keeps the dialog open with the entry and names the range; a good
    // one closes it. --maxart on the command line goes through the same checks.
    void optionsRefusees() {
        test::Utilisateur utilisateur;
        ui::TFenOpt dialogue{QString()};
        dialogue.show();
        dialogue.EdMaxart()->setText(QStringLiteral("0"));
        dialogue.accept();
        QVERIFY(dialogue.isVisible());
        QCOMPARE(dialogue.result(), int(QDialog::Rejected));
        QCOMPARE(dialogue.EdMaxart()->text(), QStringLiteral("0"));
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QVERIFY(
            utilisateur.messages[0].texte.contains(QStringLiteral("Nombre maximum d'articles")));
        QVERIFY(utilisateur.messages[0].texte.contains(QStringLiteral("entre 1000 et 4999741")));
        dialogue.EdMaxart()->setText(QStringLiteral("200000"));
        dialogue.accept();
        QCOMPARE(dialogue.result(), int(QDialog::Accepted));
        QCOMPARE(utilisateur.messages.size(), size_t(1));

        ui::TFenPrinc fen;
        QVERIFY(!fen.ReglageMaxart(QStringLiteral("-5")).isEmpty());
        QCOMPARE(fen.Settings().MAXART, 100000);
        QVERIFY(fen.ReglageMaxart(QStringLiteral("250000")).isEmpty());
        QCOMPARE(fen.Settings().MAXART, 250000);
        // The field is wide enough for its whole value.
        QVERIFY(dialogue.EdMaxart()->width() >=
                dialogue.EdMaxart()->fontMetrics().horizontalAdvance(QStringLiteral("4999741")));
    }

    // A text beyond the article limit: the user is offered a larger limit (at least twice)
    // and the segmentation starts again; declined, nothing opens.
    void limiteDArticles() {
        test::ScopedWorkDir dir;
        const std::string texte = "a b c d e f g h i j k l m n o p q r s t u v w x y z.\n";
        test::writeFile(dir.path() + "/grand.txt", texte);
        {
            test::Utilisateur utilisateur;
            utilisateur.reponse = QMessageBox::No;
            ui::TFenPrinc fen;
            fen.Settings().MAXART = 10;
            QVERIFY(!fen.Segmente(q(dir.path() + "/grand.txt")));
            QCOMPARE(utilisateur.messages.size(), size_t(1));
            QVERIFY(utilisateur.messages[0].texte.contains(
                QStringLiteral("« Nombre maximum d'articles »")));
            QVERIFY(utilisateur.messages[0].texte.contains(QStringLiteral("limite de 20 ?")));
            QVERIFY(fen.Base() == nullptr);
        }
        test::Utilisateur utilisateur;
        utilisateur.reponse = QMessageBox::Yes;
        ui::TFenPrinc fen;
        fen.Settings().MAXART = 10;
        QVERIFY(fen.Segmente(q(dir.path() + "/grand.txt")));
        QVERIFY(fen.Base() != nullptr);
        QVERIFY(fen.Settings().MAXART >= 27);
        QVERIFY(!utilisateur.messages.empty());
        QCOMPARE(ui::LimiteProposee(100000, 0), 200000);
        QCOMPARE(ui::LimiteProposee(100000, 300000), 375000);
        QCOMPARE(ui::LimiteProposee(4000000, 0), 4999741);
    }

    // Every toolbar button is named for a screen reader by its hint; the help and report
    // pages say so when no browser could open them.
    void accessibiliteEtPages() {
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        auto boutons =
            fen.findChild<QWidget *>(QStringLiteral("Panel1"))->findChildren<QToolButton *>();
        QVERIFY(boutons.size() >= 17);
        boutons << fen.findChild<QToolButton *>(QStringLiteral("BtnRetreci"));
        for (const QToolButton *b : boutons) {
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        }
        QCOMPARE(fen.Bouton("HelpBtn")->accessibleName(), QStringLiteral("Aide"));
        utilisateur.documentOuvert = false;
        fen.HelpBtnClick();
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QVERIFY(utilisateur.messages[0].texte.contains(QStringLiteral("aide/html/aide.html")));
        utilisateur.documentOuvert = true;
        fen.BtnEditClick();
        QCOMPARE(utilisateur.messages.size(), size_t(1));
    }

    // Every window and dialog of the main window has a caption.
    void legendes() {
        ui::TFenOpt options{QString()};
        QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
        ui::TFenChoixDelimForme delimiteurs(kDelimiteursDefaut);
        QVERIFY(!delimiteurs.windowTitle().isEmpty());
        ui::TOptionsOpenDialog ouvrir;
        QVERIFY(!ouvrir.windowTitle().isEmpty());
        ui::TFenPrinc fen;
        QVERIFY(!fen.Navigation()->windowTitle().isEmpty());
    }

    // Qt's own dialogs speak the interface's language: French by default, English with
    // LANGUAGE=en.
    void dialoguesDeQt() {
        QMessageBox boite(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(boite.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        QVERIFY(ui::InstalleTraductionsQt());
        QCOMPARE(ui::LangueInterface(), QStringLiteral("en"));
        QMessageBox anglaise(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(anglaise.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
        QVERIFY(ui::InstalleTraductionsQt());
        QCOMPARE(ui::LangueInterface(), QStringLiteral("fr"));
    }

    void panneauGauche() {
        {
            // The windows' area takes the whole height under the toolbar, the left panel
            // follows the splitter.
            ui::TFenPrinc fen;
            fen.resize(1024, 720);
            fen.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fen));
            QVERIFY(fen.Mdi()->height() > 500);
            QVERIFY(fen.Mdi()->y() < 80);
            auto *separateur = fen.findChild<QSplitter *>(QStringLiteral("Separateur"));
            QVERIFY(separateur != nullptr);
            const int total = separateur->sizes().value(0) + separateur->sizes().value(1);
            separateur->setSizes({400, total - 400});
            QVERIFY(fen.PanneauFond()->width() > 350);
            fen.BtnRetreciClick();
            QCOMPARE(fen.PanneauFond()->width(), 15);
            fen.BtnRetreciClick();
            QCOMPARE(fen.PanneauFond()->width(), 296);
        }
        ui::TFenPrinc fen;
        QCOMPARE(fen.PanneauFond()->width(), 296);
        fen.BtnRetreciClick();
        QCOMPARE(fen.PanneauFond()->width(), 15);
        fen.BtnRetreciClick();
        QCOMPARE(fen.PanneauFond()->width(), 296);
        QCOMPARE(fen.windowTitle(), QStringLiteral("Morvix3"));
        QCOMPARE(fen.Bouton("BtnSegment")->toolTip(),
                 QStringLiteral("Nouvelle base (segmentation)"));
        QVERIFY(fen.Bouton("BtnPCLC")->isEnabled());
        QVERIFY(fen.PmnPCLCPopup()->actions().isEmpty());
        QCOMPARE(fen.Container()->toolTip(), QStringLiteral("Vide"));
        ui::TSplashScreen accueil;
        QCOMPARE(accueil.LbVersion()->text(), QStringLiteral("Version : " MORVIX_VERSION));
        QCOMPARE(accueil.size(), QSize(528, 371));
    }

    // The queue keeps the 20 newest groups; the menu lists them newest first.
    void conteneur() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(q(dir.path() + "/" + test::buildBase("c", kTexte))));
        const int32_t chat = fen.Base()->LocFormDic("chat", true);
        const int32_t chien = fen.Base()->LocFormDic("chien", true);
        ui::ConteneurGroupes *conteneur = fen.Container();
        for (int i = 1; i <= 21; ++i) {
            auto *drag = new ui::TTgenDragObject(nullptr, "g" + std::to_string(i), 0x0000FF, 2);
            drag->Codes = {chat, chien};
            depose(conteneur, drag);
            delete drag;
        }
        QCOMPARE(fen.Queue().size(), size_t(20));
        QCOMPARE(conteneur->toolTip(), QStringLiteral("g21"));
        QMenu *menu = conteneur->PMnuQueuePopup();
        QCOMPARE(menu->actions().size(), 20);
        QCOMPARE(menu->actions().front()->text(), QStringLiteral("g21"));
        QCOMPARE(menu->actions().back()->text(), QStringLiteral("g2"));
        QVERIFY(menu->actions().front()->isChecked());
        conteneur->ElemMenuClick(3);
        QCOMPARE(conteneur->toolTip(), QStringLiteral("g18"));
        QVERIFY(conteneur->PMnuQueuePopup()->actions().at(3)->isChecked());
        const TgenDrag repris = conteneur->ContainerStartDrag();
        QCOMPARE(repris.nom, std::string("g18"));
        QCOMPARE(repris.codes, (std::vector<int32_t>{chat, chien}));

        // An unnamed drop is named after its first code; the container refuses itself.
        auto *sansNom = new ui::TTgenDragObject(nullptr, std::string(), ui::kSansCouleur, 2);
        sansNom->Codes = {chien, chat};
        depose(conteneur, sansNom);
        QCOMPARE(conteneur->toolTip(), QStringLiteral("chien+"));
        auto *soiMeme = new ui::TTgenDragObject(conteneur, "soi", 0, 1);
        soiMeme->Codes = {chat};
        depose(conteneur, soiMeme);
        QCOMPARE(conteneur->toolTip(), QStringLiteral("chien+"));
        delete sansNom;
        delete soiMeme;

        // A text from another program: a form makes a one-form group, anything else nothing.
        QCoreApplication::sendEvent(&fen, new ui::EvDepotTexte(QStringLiteral("  aboie \n")));
        QCOMPARE(conteneur->toolTip(), QStringLiteral("aboie"));
        ui::EvDepotTexte inconnu(QStringLiteral("licorne"));
        QCoreApplication::sendEvent(&fen, &inconnu);
        QCOMPARE(conteneur->toolTip(), QStringLiteral("aboie"));
    }

    // "Ajouter au rapport" posts its request to the active child window; the help and report
    // pages are opened from the program's folder.
    void commandesSimples() {
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        fen.show();
        auto *fenetre = new FenetreRapport;
        QMdiSubWindow *cadre = fen.AjouteEnfant(fenetre);
        cadre->show();
        fen.Mdi()->setActiveSubWindow(cadre);
        fen.BtnAjouteRapClick();
        QCOMPARE(fenetre->demandes, 0);
        QCoreApplication::processEvents();
        QCOMPARE(fenetre->demandes, 1);
        fen.HelpBtnClick();
        fen.BtnEditClick();
        QCOMPARE(utilisateur.documents.size(), size_t(2));
        QVERIFY(utilisateur.documents[0].endsWith(QStringLiteral("/aide/html/aide.html")));
        QVERIFY(utilisateur.documents[1].endsWith(QStringLiteral("/rapport/index.htm")));
    }

    // The PCLC menu lists the registered partitions by key and finds each one's window
    // through its "PCLC" navigation node.
    void menuPCLC() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        fen.show();
        QVERIFY(fen.OuvreBase(q(dir.path() + "/" + test::buildBase("p", kTexte))));
        const int32_t cle = Partition::CodeCle(*fen.Base(), "auteur");
        Corpus &corpus = fen.CorpusModele();
        corpus.EnregistrePartition(std::make_unique<Partition>(*fen.Base(), cle));
        ui::TFenNavig *navig = fen.Navigation();
        QTreeWidgetItem *noeud = navig->AjouteNoeud(navig->Trouve(QStringLiteral("Partitions")),
                                                    QStringLiteral("auteur"), 2);
        QTreeWidgetItem *pclc = navig->AjouteNoeud(noeud, QStringLiteral("PCLC"));
        corpus.PartitionI(0).Noeud = navig->AjouteNoeud(noeud, QStringLiteral("Graphiques"));
        QMdiSubWindow *fenetre = enfant(fen, QStringLiteral("statistiques"));
        navig->SetFenetre(pclc, fenetre);
        enfant(fen, QStringLiteral("autre"));
        QMenu *menu = fen.PmnPCLCPopup();
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().front()->text(), QStringLiteral("auteur"));
        menu->actions().front()->trigger();
        QCOMPARE(fen.Mdi()->activeSubWindow(), fenetre);
    }

    // Windows A (active), B, C are listed B, C, A; choosing A does nothing.
    void listeDesFenetres() {
        ui::TFenPrinc fen;
        fen.show();
        QMdiSubWindow *c = enfant(fen, QStringLiteral("C"));
        QMdiSubWindow *b = enfant(fen, QStringLiteral("B"));
        QMdiSubWindow *a = enfant(fen, QStringLiteral("A"));
        fen.Mdi()->setActiveSubWindow(c);
        fen.Mdi()->setActiveSubWindow(b);
        fen.Mdi()->setActiveSubWindow(a);
        QStringList titres;
        for (QAction *action : fen.PmnListFenPopup()->actions()) {
            titres << action->text();
        }
        QCOMPARE(titres,
                 (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
        fen.ListeFenetreClick(2);
        QCOMPARE(fen.Mdi()->activeSubWindow(), a);
        fen.ListeFenetreClick(1);
        QCOMPARE(fen.Mdi()->activeSubWindow(), c);
    }

    // Leaving a sheet hides its windows; entering it shows them again.
    void feuilles() {
        ui::TFenPrinc fen;
        fen.show();
        fen.NouvelleFeuille();
        fen.NouvelleFeuille();
        QMdiSubWindow *fenetres[3] = {enfant(fen, QStringLiteral("1")),
                                      enfant(fen, QStringLiteral("2")),
                                      enfant(fen, QStringLiteral("3"))};
        fen.OngletsFeuilles()->setCurrentIndex(1);
        for (QMdiSubWindow *w : fenetres) {
            QVERIFY(!w->isVisible());
        }
        fen.OngletsFeuilles()->setCurrentIndex(0);
        for (QMdiSubWindow *w : fenetres) {
            QVERIFY(w->isVisible());
        }
        QStringList menu;
        for (QAction *action : fen.MenuFeuilles()->actions()) {
            menu << action->text();
        }
        QCOMPARE(menu,
                 (QStringList{QStringLiteral("Nouvelle feuille"), QStringLiteral("Feuille 2")}));
        fen.Mdi()->setActiveSubWindow(fenetres[2]);
        fen.VaVersFeuille(1);
        QVERIFY(!fenetres[2]->isVisible());
        fen.OngletsFeuilles()->setCurrentIndex(1);
        QVERIFY(fenetres[2]->isVisible());
        QVERIFY(!fenetres[0]->isVisible());
    }

    // Selecting a node that stands for a window brings it forward; other nodes do nothing.
    void navigation() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        ui::TFenPrinc fen;
        fen.show();
        QVERIFY(fen.OuvreBase(q(dir.path() + "/" + test::buildBase("n", kTexte))));
        QTreeWidgetItem *branche = fen.Navigation()->TreePages()->topLevelItem(0);
        QMdiSubWindow *texte =
            qobject_cast<QMdiSubWindow *>(fen.Navigation()->Fenetre(branche->child(0)));
        QVERIFY(texte != nullptr);
        QMdiSubWindow *autre = enfant(fen, QStringLiteral("autre"));
        fen.Mdi()->setActiveSubWindow(autre);
        fen.Navigation()->TreePages()->setCurrentItem(branche->child(3));
        QCOMPARE(fen.Mdi()->activeSubWindow(), autre);
        fen.Navigation()->TreePages()->setCurrentItem(branche->child(0));
        QCOMPARE(fen.Mdi()->activeSubWindow(), texte);
        QVERIFY(autre->isVisible());
        QCOMPARE(fen.Navigation()->Trouve(QStringLiteral("Partitions")), branche->child(3));
    }

    void catalogueAnglais() {
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        {
            ui::TFenPrinc fen;
            QCOMPARE(fen.ListesGauche()->tabText(1), QStringLiteral("Report"));
            QCOMPARE(fen.Bouton("BtnSegment")->toolTip(),
                     QStringLiteral("New base (segmentation)"));
            QCOMPARE(fen.Container()->toolTip(), QStringLiteral("Empty"));
        }
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
        ui::TFenPrinc fen;
        QCOMPARE(fen.ListesGauche()->tabText(1), QStringLiteral("Rapport"));
    }
};

MORVIX_TEST_FENETRE(TestFenPrinc)

#include "TestFenPrinc.moc"
