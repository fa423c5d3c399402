// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "core/shell/ContestoProgramma.h"
#include "gui/shell/Avvio.h"
#include "gui/shell/Container.h"
#include "gui/shell/Inizio.h"
#include "gui/shell/RegistroFinestre.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Icone.h"
#include "gui/ui/Traduzioni.h"

using namespace trivalto;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trivalto"));
    QApplication::setOrganizationName(QStringLiteral("Trivalto"));
    QGuiApplication::setDesktopFileName(QStringLiteral("trivalto"));
    QApplication::setWindowIcon(IconaProgramma());
#ifdef Q_OS_WIN
    if (const QString famiglia = CarattereSostitutivo(QApplication::font()); !famiglia.isEmpty()) {
        QFont f = QApplication::font();
        f.setFamily(famiglia);
        QApplication::setFont(f);
    }
    // Under Wine the fixed-width lists' Courier New is missing too.
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
#endif
    CaricaTraduzioniItaliane(app);

    const CartelleProgramma cartelle = CartelleAvvio(QCoreApplication::applicationDirPath());
    try {
        PreparaCartellaUtente(cartelle);
    } catch (const std::exception& e) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Avviso"),
            QStringLiteral("Impossibile preparare la cartella dei dati %1:\n%2")
                .arg(QString::fromStdString(cartelle.Programma), QString::fromStdString(e.what())));
        return 1;
    }
    ContestoProgramma contesto(cartelle.Programma);
    try {
        contesto.ApriDbProgramma();
        contesto.LeggiParametri();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Avviso"),
                              QStringLiteral("Impossibile aprire il database del programma %1:\n%2")
                                  .arg(QString::fromStdString(contesto.PercorsoDbProgramma()),
                                       QString::fromStdString(e.what())));
        return 1;
    }
    DialoghiQt dialoghi(CartellaHelp(cartelle), QString::fromStdString(cartelle.Programma));

    auto* inizio = new Inizio(contesto, dialoghi);
    inizio->setAttribute(Qt::WA_DeleteOnClose);
    Container* principale = nullptr;
    QObject::connect(inizio, &Inizio::Fine, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(inizio, &Inizio::Caricato, &app, [&] {
        principale = new Container(contesto, dialoghi);
        RegistraFinestre(*principale, contesto, dialoghi);
        QObject::connect(principale, &Container::Fine, &app, &QApplication::quit, Qt::QueuedConnection);
        principale->Mostra();
        inizio->close();
    });
    inizio->show();
    QTimer::singleShot(0, inizio, [inizio] { inizio->Avvia(); });
    const int esito = app.exec();
    delete principale;
    return esito;
}
