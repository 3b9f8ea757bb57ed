// Runs the window test classes linked into this program on one application object.
#include "Accessibilite.h"
#include "Traduction.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>

int main(int argc, char *argv[]) {
    setenv("MORVIX_SANS_ATTENTE", "1", 1);
    QApplication app(argc, argv);
    morvix::ui::InitTraduction(MORVIX_BIN_DIR "/locale");
    morvix::ui::InstalleTraductionsQt();
    morvix::ui::InstalleNomsAccessibles();
    int echecs = 0;
    for (morvix::test::FabriqueTest fabrique : morvix::test::TestsEnregistres()) {
        QObject *test = fabrique();
        echecs += QTest::qExec(test, argc, argv);
        delete test;
    }
    return echecs == 0 ? 0 : 1;
}
