// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window test classes (offscreen). Without arguments: every class. "Classe [funzione...]":
// one class, or some of its functions. "--ctest FILE": writes one CTest entry per test function,
// so a failure names the function.
#include <QApplication>
#include <QFile>
#include <QMetaMethod>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "TestUi.h"

namespace {

QStringList Funzioni(const QMetaObject& m) {
    static const QStringList speciali{QStringLiteral("initTestCase"), QStringLiteral("cleanupTestCase"),
                                      QStringLiteral("init"), QStringLiteral("cleanup")};
    QStringList nomi;
    for (int i = m.methodOffset(); i < m.methodCount(); ++i) {
        const QMetaMethod f = m.method(i);
        const QString nome = QString::fromLatin1(f.name());
        if (f.methodType() != QMetaMethod::Slot || f.access() != QMetaMethod::Private ||
            f.parameterCount() != 0 || speciali.contains(nome) || nome.endsWith(QStringLiteral("_data")))
            continue;
        nomi << nome;
    }
    return nomi;
}

int ScriviCTest(const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return 1;
    const QString eseguibile = QCoreApplication::applicationFilePath();
    for (auto* crea : trivalto::test::ClassiDiTest()) {
        std::unique_ptr<QObject> prova(crea());
        const QString classe = QString::fromLatin1(prova->metaObject()->className());
        for (const QString& f : Funzioni(*prova->metaObject())) {
            const QString nome = classe + QLatin1Char('.') + f;
            out.write(QStringLiteral("add_test([=[%1]=] \"%2\" %3 %4)\n"
                                     "set_tests_properties([=[%1]=] PROPERTIES ENVIRONMENT "
                                     "QT_QPA_PLATFORM=offscreen TIMEOUT 120)\n")
                          .arg(nome, eseguibile, classe, f)
                          .toUtf8());
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings (window places, last folders) and data folders of this run only: nothing read from
    // or left in the real home.
    QTemporaryDir casa;
    qputenv("XDG_CONFIG_HOME", casa.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", casa.filePath(QStringLiteral("dati")).toLocal8Bit());
    QApplication app(argc, argv);
    // As the program names itself: the same settings file and data folder names.
    QApplication::setApplicationName(QStringLiteral("Trivalto"));
    QApplication::setOrganizationName(QStringLiteral("Trivalto"));
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() == 3 && argomenti[1] == QStringLiteral("--ctest")) return ScriviCTest(argomenti[2]);
    const QString scelta = argomenti.size() > 1 ? argomenti[1] : QString();
    int fallite = 0, eseguite = 0;
    for (auto* crea : trivalto::test::ClassiDiTest()) {
        std::unique_ptr<QObject> prova(crea());
        if (!scelta.isEmpty() && scelta != QString::fromLatin1(prova->metaObject()->className())) continue;
        ++eseguite;
        QSettings().clear(); // no window places left by the class before
        QStringList resto = argomenti.mid(scelta.isEmpty() ? 1 : 2);
        resto.prepend(argomenti[0]);
        fallite += QTest::qExec(prova.get(), resto);
    }
    if (eseguite == 0) {
        qWarning("nessuna classe di test \"%s\"", qPrintable(scelta));
        return 1;
    }
    return fallite == 0 ? 0 : 1;
}
