// Pictures of the main window and of every dialog, for checking layouts in each language:
// `captures_fenetres DOSSIER BASE.par` writes one PNG per window into DOSSIER. The language
// is the one LANGUAGE chooses. Run by scripts/screenshot.sh under Xvfb.
#include "Accessibilite.h"
#include "Interaction.h"
#include "Traduction.h"
#include "dictionary/TFenDicNum.h"
#include "mainwindow/TFenChoixDelimForme.h"
#include "mainwindow/TFenOpt.h"
#include "mainwindow/TFenPrinc.h"
#include "mainwindow/TOptionsOpenDialog.h"
#include "mainwindow/TSplashScreen.h"
#include "partitions/TFenChoixPart.h"
#include "partitions/TFenParamSpec.h"
#include "partitions/TFenParamSpecDiac.h"
#include "partitions/TFenParamSpecTot.h"
#include "partitions/TFenSpecGrp.h"
#include "partitions/TFenStatPart.h"
#include "report/TFenEddy.h"
#include "segmentation/SegmPrinc.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace morvix::ui;

namespace {

QString g_dossier;

// Shows a window, lets it lay itself out, saves its picture and closes it.
void capture(QWidget &w, const QString &nom) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        std::fprintf(stderr, "captures: %s not shown\n", qPrintable(nom));
    }
    QTest::qWait(150);
    const QString fichier = g_dossier + QLatin1Char('/') + nom + QStringLiteral(".png");
    if (!w.grab().save(fichier)) {
        std::fprintf(stderr, "captures: %s not written\n", qPrintable(fichier));
    }
    w.close();
}

// The partition choice, the parameter dialogs, and the partition window's three pages with
// a specificity list, on the key "titre" of the sample.
void capturesPartitions(TFenPrinc &fen) {
    if (fen.Base() == nullptr) {
        return;
    }
    {
        TFenChoixPart choix(fen, *fen.Base(), &fen);
        capture(choix, QStringLiteral("choix-partition"));
    }
    Interactions().executeDialogue = [](QDialog &d) {
        if (auto *choix = qobject_cast<TFenChoixPart *>(&d)) {
            const auto items =
                choix->ListeCles()->findItems(QStringLiteral("titre"), Qt::MatchExactly);
            if (!items.isEmpty()) {
                items.front()->setSelected(true);
            }
            choix->BtnCreerClick();
            return choix->result();
        }
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    fen.show();
    fen.BtnPartClick();
    const auto fenetres = fen.findChildren<TFenStatPart *>();
    if (fenetres.isEmpty()) {
        return;
    }
    TFenStatPart *stat = fenetres.front();
    {
        TFenParamSpecTot dialogue(stat);
        capture(dialogue, QStringLiteral("param-spec-tot"));
        TFenParamSpec specifs(stat, stat->LaPartition());
        capture(specifs, QStringLiteral("param-spec"));
        TFenParamSpecDiac diac(stat, stat->LaPartition());
        capture(diac, QStringLiteral("param-spec-diac"));
    }
    fen.show();
    stat->LaPartition().Selec[1] = true;
    if (auto *cadre = qobject_cast<QMdiSubWindow *>(stat->parentWidget())) {
        cadre->showMaximized();
    }
    QTest::qWait(200);
    capture(fen, QStringLiteral("partition-pclc"));
    fen.show();
    stat->BtnSpTotClick();
    fen.Taches().Attend();
    stat->BtnSpecifsClick();
    fen.Taches().Attend();
    QTest::qWait(200);
    capture(fen, QStringLiteral("partition-table"));
    fen.show();
    stat->BtnSpDiacClick();
    fen.Taches().Attend();
    QTest::qWait(200);
    capture(fen, QStringLiteral("partition-chrono"));
    InteractionsParDefaut();
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("MORVIX_SANS_ATTENTE", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: captures_fenetres DOSSIER BASE.par\n");
        return 2;
    }
    g_dossier = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_dossier);
    InitTraduction(MORVIX_BIN_DIR "/locale");
    InstalleTraductionsQt();
    InstalleNomsAccessibles();

    {
        TSplashScreen accueil;
        capture(accueil, QStringLiteral("accueil"));
    }
    TFenPrinc fen;
    fen.resize(1280, 860);
    fen.show();
    fen.OuvreBase(QString::fromLocal8Bit(argv[2]));
    QTest::qWait(300);
    capture(fen, QStringLiteral("fenetre-principale"));
    fen.show();
    if (fen.FenEddy() != nullptr) {
        fen.FenEddy()->MontreRecherche();
    }
    QTest::qWait(200);
    capture(fen, QStringLiteral("fenetre-principale-recherche"));

    {
        TFenOpt dialogue(QString(), &fen);
        capture(dialogue, QStringLiteral("options"));
    }
    {
        TFenChoixDelimForme dialogue(morvix::kDelimiteursDefaut, &fen);
        capture(dialogue, QStringLiteral("delimiteurs"));
    }
    {
        TOptionsOpenDialog dialogue(&fen);
        PrepareDialogueFichier(dialogue);
        capture(dialogue, QStringLiteral("ouvrir-texte"));
    }
    {
        QFileDialog dialogue(&fen, Tr("Ouverture d'une base Morvix"), QDir::currentPath(),
                             Tr("Fichiers paramètres (*.par)"));
        PrepareDialogueFichier(dialogue);
        capture(dialogue, QStringLiteral("ouvrir-base"));
    }
    {
        QColorDialog dialogue(Qt::blue, &fen);
        capture(dialogue, QStringLiteral("couleur"));
    }
    {
        QMessageBox boite(QMessageBox::Question, Tr("Morvix3"),
                          Tr("Le rapport a été modifié.\nVoulez-vous le sauvegarder ?"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &fen);
        capture(boite, QStringLiteral("question"));
    }
    capturesPartitions(fen);
    return 0;
}
