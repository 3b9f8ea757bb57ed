#include "mainwindow/TSplashScreen.h"

#include "Traduction.h"
#include "mainwindow/Glyphes.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#ifndef MORVIX_VERSION
#define MORVIX_VERSION "3.00"
#endif

namespace morvix::ui {

TSplashScreen::TSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_version(new QLabel(this)) {
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(528, 371);
    auto *image = new QLabel(this);
    image->setPixmap(ImageAccueil());
    image->setGeometry(0, 0, 528, 371);
    m_version->setObjectName(QStringLiteral("LbVersion"));
    m_version->setStyleSheet(QStringLiteral("color: white;"));
    m_version->setText(Tr("Version : ") + QString::fromUtf8(MORVIX_VERSION));
    m_version->setGeometry(12, 340, 300, 20);
    m_version->raise();
    if (QScreen *ecran = QGuiApplication::primaryScreen()) {
        move(ecran->geometry().center() - rect().center());
    }
}

void TSplashScreen::mousePressEvent(QMouseEvent *) { close(); }

void TSplashScreen::Attente(int64_t debut, double secondes) {
    if (std::getenv("MORVIX_SANS_ATTENTE") != nullptr) {
        return;
    }
    while (static_cast<double>(static_cast<int64_t>(std::time(nullptr)) - debut) < secondes) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace morvix::ui
