#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include "core/archive/DatabaseProgramma.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/shell/Container.h"
#include "gui/shell/Inizio.h"
#include "gui/shell/RegistroFinestre.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Traduzioni.h"

using namespace trivalto;

namespace {

/// The executable's folder when writable, otherwise the user's data folder, which receives a copy
/// of the shipped program database on first use.
QString CartellaProgramma() {
    const QString eseguibile = QCoreApplication::applicationDirPath();
    if (QFileInfo(eseguibile).isWritable()) return eseguibile;
    const QString dati = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dati);
    const QString db = QDir(dati).filePath(QString::fromLatin1(DatabaseProgramma::NomeFile));
    const QString spedito = QDir(eseguibile).filePath(QString::fromLatin1(DatabaseProgramma::NomeFile));
    if (!QFileInfo::exists(db) && QFileInfo::exists(spedito)) QFile::copy(spedito, db);
    return dati;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trivalto"));
    QApplication::setOrganizationName(QStringLiteral("Trivalto"));
    CaricaTraduzioniItaliane(app);

    ContestoProgramma contesto(CartellaProgramma().toStdString());
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
    const QString help = QFileInfo::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/help"))
                             ? QCoreApplication::applicationDirPath() + QStringLiteral("/help")
                             : QString::fromStdString(contesto.CartellaProgramma()) + QStringLiteral("/help");
    DialoghiQt dialoghi(help);

    auto* inizio = new Inizio(contesto, dialoghi);
    inizio->setAttribute(Qt::WA_DeleteOnClose);
    Container* principale = nullptr;
    QObject::connect(inizio, &Inizio::Fine, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(inizio, &Inizio::Caricato, &app, [&] {
        principale = new Container(contesto, dialoghi);
        RegistraFinestre(*principale, contesto, dialoghi);
        QObject::connect(principale, &Container::Fine, &app, &QApplication::quit, Qt::QueuedConnection);
        principale->show();
        inizio->close();
    });
    inizio->show();
    QTimer::singleShot(0, inizio, [inizio] { inizio->Avvia(); });
    const int esito = app.exec();
    delete principale;
    return esito;
}
