// Morvix: start-up of the desktop application.
#include "Traduction.h"
#include "mainwindow/TFenPrinc.h"
#include "mainwindow/TSplashScreen.h"

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
    const QString ligne = arguments.join(QLatin1Char(' '));
    try {
        InitTraduction();
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
