// Runs every window test class on one application object.
#include "Traduction.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>

QObject *nouveauTestFenPrinc();
QObject *nouveauTestFenDicNum();
QObject *nouveauTestFenEddy();

int main(int argc, char *argv[]) {
    setenv("MORVIX_SANS_ATTENTE", "1", 1);
    QApplication app(argc, argv);
    morvix::ui::InitTraduction(MORVIX_BIN_DIR "/locale");
    int echecs = 0;
    for (QObject *(*fabrique)() : {nouveauTestFenPrinc, nouveauTestFenDicNum, nouveauTestFenEddy}) {
        QObject *test = fabrique();
        echecs += QTest::qExec(test, argc, argv);
        delete test;
    }
    return echecs == 0 ? 0 : 1;
}
