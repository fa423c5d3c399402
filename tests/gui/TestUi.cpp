// Runs every window test class in one process (offscreen).
#include <QApplication>
#include <QTest>

#include "TestUi.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int fallite = 0;
    for (auto* crea : trivalto::test::ClassiDiTest()) {
        std::unique_ptr<QObject> prova(crea());
        fallite += QTest::qExec(prova.get(), argc, argv);
    }
    return fallite == 0 ? 0 : 1;
}
