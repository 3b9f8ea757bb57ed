// Morvix: start-up of the desktop application.
#include "Accessibilite.h"
#include "Traduction.h"
#include "mainwindow/TFenPrinc.h"
#include "mainwindow/TSplashScreen.h"
#include "report/Temporaires.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include <cstdlib>
#include <ctime>
#include <exception>

using namespace morvix::ui;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // --maxart N (or --maxart=N) raises the article limit of the segmentations of this run.
    QString maxart;
    for (qsizetype i = 0; i < arguments.size();) {
        if (arguments[i] == QStringLiteral("--maxart") && i + 1 < arguments.size()) {
            maxart = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(QStringLiteral("--maxart="))) {
            maxart = arguments[i].mid(9);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    const QString ligne = arguments.join(QLatin1Char(' '));
    try {
        // What killed runs left in the temporary folder goes; a running instance's stays.
        morvix::NettoieTemporaires(morvix::DossierTemporaire());
        InitTraduction();
        InstalleTraductionsQt();
        InstalleNomsAccessibles();
        const int64_t debut = static_cast<int64_t>(std::time(nullptr));
        auto *accueil = new TSplashScreen;
        accueil->show();
        accueil->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        TSplashScreen::Attente(debut);
        QApplication::setApplicationName(QStringLiteral("Morvix3"));
        QApplication::setApplicationDisplayName(QString());

        TFenPrinc fenetre;
        delete accueil;
        if (!maxart.isEmpty()) {
            const QString erreur = fenetre.ReglageMaxart(maxart);
            if (!erreur.isEmpty()) {
                QMessageBox::warning(nullptr, QStringLiteral("Morvix3"), erreur);
            }
        }
        if (QScreen *ecran = QGuiApplication::primaryScreen()) {
            fenetre.setGeometry(ecran->availableGeometry());
        }
        fenetre.showMaximized();
        fenetre.LigneCommande(ligne);

        // MORVIX_CAPTURE=file.png saves a picture of the window once it is up, then quits.
        if (const char *capture = std::getenv("MORVIX_CAPTURE")) {
            const QString fichier = QString::fromLocal8Bit(capture);
            QTimer::singleShot(1500, &fenetre, [&fenetre, fichier] {
                fenetre.grab().save(fichier);
                QApplication::exit(0);
            });
        }
        return QApplication::exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Morvix3"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
