// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/shell/Avvio.h"
#include "gui/shell/Container.h"
#include "gui/shell/Inizio.h"
#include "gui/shell/RegistroFinestre.h"
#include "gui/ui/FinestraHelp.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

std::string CreaArchivio(const CartellaTemporanea& cartella, const std::string& nome, int estrazioni) {
    const auto percorso = cartella / nome;
    auto db = DatabaseArchivio::ApriOCrea(percorso);
    for (const auto& r : RigheCasuali(estrazioni, 42, 0, 0, 0))
        db->Inserisci(r, "2026-12-08", "10:00:00");
    return percorso;
}

QString Etichetta(QWidget& w, const char* nome) {
    auto* l = w.findChild<QLabel*>(QString::fromLatin1(nome));
    return l ? l->text() : QStringLiteral("<manca>");
}

const QString MessaggioAltroArchivio = QStringLiteral(
    "Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e riavviarlo");

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }

    void primoAvvioSenzaArchivio() {
        CartellaTemporanea cartella;
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma(); // created: the archive path is empty
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        w.Avvia();
        QCOMPARE(d.messaggi.size(), size_t(1));
        QCOMPARE(
            d.messaggi[0].testo,
            QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio"));
        QCOMPARE(d.messaggi[0].titolo, QStringLiteral("Selezionare Archivio"));
        QVERIFY(d.messaggi[0].icona == Dialoghi::Icona::Esclamazione);
        QCOMPARE(d.richieste, QStringList({QStringLiteral("*.mdb File di archivio (*.Mdb)")}));
        QCOMPARE(ctx.PercorsoArchivio, std::string()); // the dialog was cancelled

        QSignalSpy caricato(&w, &Inizio::Caricato);
        w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(caricato.count(), 0);
        QCOMPARE(d.messaggi.size(), size_t(2));
        // The message, then its cause on a line of its own.
        QVERIFY(d.messaggi[1].testo.startsWith(MessaggioAltroArchivio + QLatin1Char('\n')));
        QVERIFY(d.messaggi[1].testo.size() > MessaggioAltroArchivio.size() + 1);
        QCOMPARE(d.messaggi[1].titolo, QStringLiteral("Avviso"));
        QVERIFY(d.messaggi[1].icona == Dialoghi::Icona::Critico);
    }

    void selezioneArchivioPoiProcedi() {
        CartellaTemporanea cartella;
        const auto archivio = CreaArchivio(cartella, "Nuovo.mdb", 60);
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        // The file dialog answers with "/" on every system; the window shows the system's form.
        d.file.push_back(QDir::fromNativeSeparators(QString::fromStdString(archivio)));
        w.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(Etichetta(w, "Lbl_Archivio"),
                 QStringLiteral("Database: ") + QDir::toNativeSeparators(QString::fromStdString(archivio)));
        QFile percorso(QString::fromStdString(cartella / "PercorsoDatabase.txt"));
        QVERIFY(percorso.open(QIODevice::ReadOnly));
        QCOMPARE(percorso.readAll(), QByteArray("\"" + QByteArray::fromStdString(archivio) + "\"\r\n"));
        // The row is rewritten, so the next start finds the archive.
        QCOMPARE(ctx.DbProgramma->LeggiParametro("PercorsoArchivio").value_or(""), archivio);

        QSignalSpy caricato(&w, &Inizio::Caricato);
        QVERIFY(w.Procedi());
        QCOMPARE(caricato.count(), 1);
        QCOMPARE(ctx.Archivio().NumeroEstrazioni, 60);
        QVERIFY(d.messaggi.empty());
    }

    // After the file dialog, chosen or cancelled, Enter presses PROCEDI (not SELEZIONE ARCHIVIO again).
    void invioDopoLaSceltaPremeProcedi() {
        CartellaTemporanea cartella;
        const auto archivio = CreaArchivio(cartella, "Nuovo.mdb", 30);
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* seleziona = w.findChild<QPushButton*>(QStringLiteral("Command4"));
        seleziona->setFocus();
        seleziona->click(); // cancelled: no file given
        QCOMPARE(QApplication::focusWidget(), w.findChild<QPushButton*>(QStringLiteral("Command2")));
        d.file.push_back(QString::fromStdString(archivio));
        seleziona->setFocus();
        seleziona->click();
        QSignalSpy caricato(&w, &Inizio::Caricato);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(caricato.count(), 1);
        QCOMPARE(ctx.Archivio().NumeroEstrazioni, 30);
    }

    void archivioCorrottoOStranieroDaIlMessaggio() {
        CartellaTemporanea cartella;
        {
            std::ofstream spazzatura(cartella / "rotto.mdb", std::ios::binary);
            spazzatura << std::string(4096, '\x5a');
        }
        {
            Database altro(cartella / "altrui.mdb", "un'altra password", Database::Modo::Crea);
            altro.Esegui("CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY)");
        }
        {
            Database vuoto(cartella / "vuoto.mdb", PasswordDatabase(), Database::Modo::Crea);
            vuoto.Esegui("CREATE TABLE Altro (x)");
        }
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        for (const char* nome : {"rotto.mdb", "altrui.mdb", "vuoto.mdb", "inesistente.mdb"}) {
            d.messaggi.clear();
            d.file.push_back(QString::fromStdString(cartella / nome));
            w.SelezionaArchivio();
            QVERIFY(!w.Procedi());
            QCOMPARE(d.messaggi.size(), size_t(1));
            QVERIFY2(d.messaggi[0].testo.startsWith(MessaggioAltroArchivio + QLatin1Char('\n')), nome);
        }
        // The user can still choose a good archive and go on.
        d.file.push_back(QString::fromStdString(CreaArchivio(cartella, "buono.mdb", 30)));
        w.SelezionaArchivio();
        QVERIFY(w.Procedi());
    }

    void pannelloDelModelloDa101EPoiRicarica() {
        CartellaTemporanea cartella;
        const auto archivio = CreaArchivio(cartella, "A.mdb", 500);
        DatabaseProgramma::Crea(cartella / "DbTrivalto.mdb", archivio)
            ->ScriviParametro("EstrazioneIniziale", "101");
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio inizio(ctx, d);
        inizio.Avvia();
        QVERIFY(d.messaggi.empty());
        QVERIFY(inizio.Procedi());
        Container c(ctx, d);
        QCOMPARE(Etichetta(c, "Lbl_inizioNE"), QStringLiteral("101"));
        QCOMPARE(Etichetta(c, "LblInizio"), QString::fromStdString(ctx.Archivio().DateEstrazioni[101]));
        QCOMPARE(Etichetta(c, "Lbl_fineNE"), QStringLiteral("500"));
        QCOMPARE(Etichetta(c, "LblFine"), QString::fromStdString(ctx.Archivio().DateEstrazioni[500]));
        QCOMPARE(Etichetta(c, "Lbl_Ev"), QStringLiteral("400"));
        auto* fgpa = c.findChild<Griglia*>(QStringLiteral("fgpa"));
        QCOMPARE(fgpa->Righe(), 501);
        QCOMPARE(fgpa->Testo(500, 0), QStringLiteral("500"));
        QCOMPARE(fgpa->Testo(1, 1), QString::fromStdString(ctx.Archivio().DateEstrazioni[1]));
        QCOMPARE(fgpa->Testo(1, 2), QStringLiteral("1"));
        QCOMPARE(fgpa->Testo(1, 3), QStringLiteral("1"));

        // After a change of the archive the model is the whole archive again: 1, N and N.
        RigaEstrazione nuova{"31/12/2099", {}};
        nuova.Celle.fill("01-02-03-04-05");
        DatabaseArchivio::Apri(archivio)->Inserisci(nuova, "2026-12-08", "10:00:00");
        c.CaricaArchivioExNovo();
        QCOMPARE(Etichetta(c, "Lbl_inizioNE"), QStringLiteral("1"));
        QCOMPARE(Etichetta(c, "Lbl_fineNE"), QStringLiteral("501"));
        QCOMPARE(Etichetta(c, "Lbl_Ev"), QStringLiteral("501"));
        QCOMPARE(Etichetta(c, "LblFine"), QStringLiteral("31/12/2099"));
        QCOMPARE(ctx.Archivio().UltimaEstrazione, 501);
    }

    void finestraPrincipaleStrisciaHelpEFine() {
        CartellaTemporanea cartella;
        DatabaseProgramma::Crea(cartella / "DbTrivalto.mdb", CreaArchivio(cartella, "A.mdb", 40));
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.CaricamentoIniziale();
        DialoghiScriptati d;
        Container c(ctx, d);
        const std::pair<const char*, const char*> suggerimenti[] = {
            {"Command1", "Gestione archivio"}, {"Command2", "Mini elenco estrazioni"},
            {"Command8", "Le Trivalto"},       {"Command6", "Generatore di terzine"},
            {"Command3", "Le Trivalto"},       {"CmDHelp", "Help in linea"}};
        for (const auto& [nome, testo] : suggerimenti) {
            auto* b = c.findChild<QToolButton*>(QString::fromLatin1(nome));
            QVERIFY2(b, nome);
            QCOMPARE(b->toolTip(), QString::fromUtf8(testo));
        }
        QVERIFY(!c.findChild<QToolButton*>(QStringLiteral("Command1"))->isEnabled()); // not built yet
        c.findChild<QToolButton*>(QStringLiteral("CmDHelp"))->click();
        QCOMPARE(d.argomentiHelp, std::vector<int>({300}));

        int create = 0;
        c.RegistraFinestra(QStringLiteral("Command2"), [&] {
            ++create;
            auto* w = new QWidget;
            w->setObjectName(QStringLiteral("Prova"));
            return w;
        });
        auto* b = c.findChild<QToolButton*>(QStringLiteral("Command2"));
        QVERIFY(b->isEnabled());
        b->click();
        b->click();
        QCOMPARE(create, 1);
        QCOMPARE(c.AreaFinestre()->subWindowList().size(), 1);

        // F1: the active child's topic when it has one, the main window's otherwise.
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        d.argomentiHelp.clear();
        c.RegistraFinestra(QStringLiteral("Command3"), [] {
            auto* w = new QWidget;
            w->setProperty("ArgomentoHelp", 600);
            w->setProperty("massimizzata", true);
            return w;
        });
        c.findChild<QToolButton*>(QStringLiteral("Command3"))->click();
        QTest::keyClick(&c, Qt::Key_F1);
        QCOMPARE(d.argomentiHelp, std::vector<int>({600}));
        c.ApriFinestra(QStringLiteral("Command2")); // no topic of its own
        QTest::keyClick(&c, Qt::Key_F1);
        QCOMPARE(d.argomentiHelp, std::vector<int>({600, 300}));
        // Pressed again, a maximised window comes forward still maximised.
        auto* grande = c.AreaFinestre()->subWindowList().back();
        QVERIFY(grande->isMaximized());
        c.findChild<QToolButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(c.AreaFinestre()->activeSubWindow(), grande);
        QVERIFY(grande->isMaximized());
        grande->showMinimized();
        c.findChild<QToolButton*>(QStringLiteral("Command3"))->click();
        QVERIFY(!grande->isMinimized());

        QSignalSpy fine(&c, &Container::Fine);
        c.findChild<QToolButton*>(QStringLiteral("Command45"))->click();
        QCOMPARE(fine.count(), 1);
    }

    void archivioSceltoNonMemorizzabile() {
        CartellaTemporanea cartella;
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        // "PercorsoDatabase.txt" cannot be written where a folder has its name.
        std::filesystem::create_directory(cartella / "PercorsoDatabase.txt");
        const auto archivio = CreaArchivio(cartella, "A.mdb", 30);
        d.file.push_back(QString::fromStdString(archivio));
        w.SelezionaArchivio();
        QCOMPARE(d.messaggi.size(), size_t(1));
        QVERIFY(d.messaggi[0].testo.startsWith(
            QStringLiteral("L'archivio scelto non è stato memorizzato per i prossimi avvii.\n")));
        QCOMPARE(ctx.PercorsoArchivio, archivio); // this run goes on with it
        QVERIFY(w.Procedi());
    }

    // An installed copy started by a new user (empty data folder): the program database and a copy
    // of the bundled archive appear in the user's folder, where Qt and the CLI both look, and the
    // start window opens on it without asking anything.
    void primoAvvioInstallatoInUnaCasaVuota() {
        CartellaTemporanea radice;
        std::filesystem::create_directories(radice / "usr/bin");
        std::filesystem::create_directories(radice / "usr/share/trivalto/help");
        CartellaTemporanea casa;
        const QByteArray vecchia = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(casa / "dati"));
        {
            CartellaTemporanea fonte;
            std::filesystem::copy_file(CreaArchivio(fonte, "A.mdb", 50),
                                       radice / "usr/share/trivalto/ArchivioLotto.mdb");
        }
        const auto cartelle = CartelleAvvio(QString::fromStdString(radice / "usr/bin"));
        QVERIFY(cartelle.Installato);
        QCOMPARE(QString::fromStdString(cartelle.Programma),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QCOMPARE(cartelle.Programma, CartellaDatiUtente());
        QCOMPARE(QString::fromStdString(cartelle.Programma),
                 QString::fromStdString(casa / "dati/Trivalto/Trivalto"));
        QCOMPARE(QDir(CartellaHelp(cartelle)).canonicalPath(),
                 QDir(QString::fromStdString(radice / "usr/share/trivalto/help")).canonicalPath());
        PreparaCartellaUtente(cartelle);

        ContestoProgramma ctx(cartelle.Programma);
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        w.Avvia();
        QVERIFY(d.messaggi.empty());
        QVERIFY(d.richieste.isEmpty());
        QCOMPARE(Etichetta(w, "Lbl_Archivio"),
                 QString::fromStdString(casa / "dati/Trivalto/Trivalto/ArchivioLotto.mdb"));
        QVERIFY(w.Procedi());
        QCOMPARE(ctx.Archivio().NumeroEstrazioni, 50);
        QVERIFY(std::filesystem::is_empty(radice / "usr/bin"));
        qputenv("XDG_DATA_HOME", vecchia);
    }

    // A system font that is not installed (Windows' own under Wine) gives way to a sans-serif family
    // that is, keeping its size; one that is installed is kept.
    void carattereDiSistemaMancante() {
        QFont mancante(QStringLiteral("Carattere Che Non Esiste 7q"), 9);
        const QString famiglia = CarattereSostitutivo(mancante);
        QVERIFY(!famiglia.isEmpty());
        QFont sostituito(mancante);
        sostituito.setFamily(famiglia);
        QCOMPARE(QFontInfo(sostituito).family(), famiglia);
        QVERIFY(!QFontInfo(sostituito).family().contains(QStringLiteral("Serif")));
        QCOMPARE(CarattereSostitutivo(sostituito), QString());
    }

    // An archive written by a newer program: the start says why it cannot be used instead of the
    // first-use text, leaves the file alone and lets the user choose another.
    void archivioDiUnaVersionePiuRecente() {
        CartellaTemporanea cartella;
        const auto archivio = CreaArchivio(cartella, "A.mdb", 20);
        DatabaseArchivio::Apri(archivio)->Db().ImpostaVersioneSchema(DatabaseArchivio::VersioneCorrente + 1);
        const std::string prima = Leggi(archivio);
        DatabaseProgramma::Crea(cartella / "DbTrivalto.mdb", archivio);
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        w.Avvia();
        QCOMPARE(d.messaggi.size(), size_t(1));
        QVERIFY2(
            d.messaggi[0].testo.startsWith(
                QStringLiteral("Impossibile aprire l'archivio %1:\n").arg(QString::fromStdString(archivio))),
            qPrintable(d.messaggi[0].testo));
        QVERIFY(d.messaggi[0].testo.contains(QStringLiteral("versione più recente di Trivalto")));
        QCOMPARE(d.richieste, QStringList({QStringLiteral("*.mdb File di archivio (*.Mdb)")}));
        QCOMPARE(Leggi(archivio), prima);
    }

    // Every child window comes back where and as large as it was left, maximised or not, also in a
    // later run; the main window keeps its size (the first time it fills a small screen); file dialogs
    // reopen in the folder last used.
    void disposizioneEcartelleRicordate() {
        CartellaTemporanea cartella;
        DatabaseProgramma::Crea(cartella / "DbTrivalto.mdb", CreaArchivio(cartella, "A.mdb", 40));
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.CaricamentoIniziale();
        DialoghiScriptati d;
        const auto registra = [](Container& c) {
            c.RegistraFinestra(QStringLiteral("Command2"), [] {
                auto* w = new QWidget;
                w->resize(200, 150);
                return w;
            });
            c.RegistraFinestra(QStringLiteral("Command3"), [] {
                auto* w = new QWidget;
                w->setProperty("massimizzata", true);
                return w;
            });
        };
        const QRect posto(40, 30, 420, 260);
        {
            Container c(ctx, d);
            registra(c);
            // The first time, on a screen smaller than the usual size (offscreen: 800x600), it fills it.
            c.Mostra();
            QVERIFY(QTest::qWaitForWindowExposed(&c));
            QVERIFY(c.isMaximized());
            c.showNormal();
            c.resize(1100, 700);
            c.ApriFinestra(QStringLiteral("Command2"));
            auto* piccola = c.AreaFinestre()->activeSubWindow();
            piccola->setGeometry(posto);
            const QPointer<QMdiSubWindow> chiusa = piccola;
            piccola->close();
            QTRY_VERIFY(chiusa.isNull());
            c.ApriFinestra(QStringLiteral("Command2"));
            QCOMPARE(c.AreaFinestre()->activeSubWindow()->geometry(), posto);
            // A window that opens maximised and is left in its normal state reopens normal.
            c.ApriFinestra(QStringLiteral("Command3"));
            auto* grande = c.AreaFinestre()->activeSubWindow();
            QVERIFY(grande->isMaximized());
            grande->showNormal();
            grande->setGeometry(QRect(10, 10, 300, 200));
            // Still open when the program ends: remembered then.
            c.findChild<QToolButton*>(QStringLiteral("Command45"))->click();
        }
        {
            Container c(ctx, d);
            registra(c);
            QCOMPARE(c.size(), QSize(1100, 700));
            c.Mostra(); // where the user left it, even on the small screen
            QVERIFY(!c.isMaximized());
            QVERIFY(QTest::qWaitForWindowExposed(&c));
            c.ApriFinestra(QStringLiteral("Command3"));
            QVERIFY(!c.AreaFinestre()->activeSubWindow()->isMaximized());
            QCOMPARE(c.AreaFinestre()->activeSubWindow()->geometry(), QRect(10, 10, 300, 200));
            const QPointer<QMdiSubWindow> chiusa = c.AreaFinestre()->activeSubWindow();
            chiusa->showMaximized();
            chiusa->close();
            QTRY_VERIFY(chiusa.isNull());
            c.ApriFinestra(QStringLiteral("Command3"));
            QVERIFY(c.AreaFinestre()->activeSubWindow()->isMaximized());
            // A place remembered on a larger screen is brought back inside the area.
            QSettings().setValue(QStringLiteral("Finestre/Command2/geometria"),
                                 QRect(3000, 2000, 5000, 4000));
            c.ApriFinestra(QStringLiteral("Command2"));
            const QRect dentro = c.AreaFinestre()->activeSubWindow()->geometry();
            QVERIFY2(QRect(QPoint(0, 0), c.AreaFinestre()->viewport()->size()).contains(dentro),
                     qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(dentro.x())
                                    .arg(dentro.y())
                                    .arg(dentro.width())
                                    .arg(dentro.height())));
        }

        const QString programma = QString::fromStdString(cartella.Percorso().string());
        const QString filtro = QStringLiteral("File di archivio (*.iii)");
        QCOMPARE(CartellaProposta(filtro, programma, programma), programma);
        std::filesystem::create_directories(cartella / "esportazioni");
        RicordaCartella(filtro, QString::fromStdString(cartella / "esportazioni/DATI32.III"));
        const QString esportazioni = QString::fromStdString(cartella / "esportazioni");
        QCOMPARE(CartellaProposta(filtro, programma, programma), esportazioni);
        // Another kind of file, or a folder the window itself proposes, is not affected.
        QCOMPARE(CartellaProposta(QStringLiteral("*.mdb"), programma, programma), programma);
        QCOMPARE(CartellaProposta(filtro, QStringLiteral("/tmp"), programma), QStringLiteral("/tmp"));
        std::filesystem::remove(cartella / "esportazioni");
        QCOMPARE(CartellaProposta(filtro, programma, programma), programma); // gone since: the default
    }

    // Keyboard alone: Tab reaches every control of the main window and of the child windows in the
    // order they are drawn, and comes back to the first one (no table keeps the focus for itself).
    void tabulazioneSenzaTrappole() {
        CartellaTemporanea cartella;
        DatabaseProgramma::Crea(cartella / "DbTrivalto.mdb", CreaArchivio(cartella, "A.mdb", 40));
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.ApriArchivio();
        ctx.CaricamentoIniziale();
        DialoghiScriptati d;
        Container c(ctx, d);
        RegistraFinestre(c, ctx, d);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        c.activateWindow();
        const auto giro = [&](QWidget* primo) {
            primo->setFocus(Qt::TabFocusReason);
            QStringList nomi;
            for (int i = 0; i < 120; ++i) {
                QWidget* w = QApplication::focusWidget();
                if (!w || (i > 0 && w == primo)) break;
                if (nomi.isEmpty() || nomi.back() != w->objectName()) nomi << w->objectName();
                QTest::keyClick(w, Qt::Key_Tab);
            }
            return QApplication::focusWidget() == primo ? nomi
                                                        : QStringList{QStringLiteral("bloccato")} + nomi;
        };
        QCOMPARE(giro(c.findChild<QWidget*>(QStringLiteral("Command1"))).join(QLatin1Char(' ')),
                 QStringLiteral("Command1 Command2 Command8 Command6 Command3 CmdVerificaRetroattiva "
                                "CmdEsploraImpostazioni CmdElencoEstrazioni CmDHelp CmdInformazioni "
                                "Command45 CmdPaginaAggiornamenti fgpa"));

        auto* impostazioni = c.ApriFinestra(QStringLiteral("Command3"));
        QCOMPARE(
            giro(impostazioni->findChild<QWidget*>(QStringLiteral("CboCasi"))).join(QLatin1Char(' ')),
            QStringLiteral("CboCasi CboRuota Posizione1 Posizione2 Posizione3 Posizione4 Posizione5 OptSomma "
                           "CboTrasformazione CboFisso LblSelezionaTutti LblDeseleziona FgRuote CboDaColpo "
                           "CboColpi CboElenco ChkUsaAllApertura CmdSalva CmdHelp"));
        auto* mini = c.ApriFinestra(QStringLiteral("Command2"));
        QCOMPARE(giro(mini->findChild<QWidget*>(QStringLiteral("Fg3"))).join(QLatin1Char(' ')),
                 QStringLiteral("Fg3 Command81 Command42_0 Command42_1 CmdHelp"));
        auto* archivio = c.ApriFinestra(QStringLiteral("Command1"));
        const QStringList gestione = giro(archivio->findChild<QWidget*>(QStringLiteral("txtin1")));
        QVERIFY2(!gestione.contains(QStringLiteral("bloccato")), qPrintable(gestione.join(QLatin1Char(' '))));
        for (const char* nome :
             {"txtin55", "Command8", "CmdIncolla", "TxtDataSelezionata", "fg1", "CmdCollega"})
            QVERIFY2(gestione.contains(QString::fromLatin1(nome)), nome);
    }

    void helpDellaFinestraDiAvvio() {
        CartellaTemporanea cartella;
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        DialoghiScriptati d;
        Inizio w(ctx, d);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QTest::keyClick(&w, Qt::Key_F1);
        w.findChild<QToolButton*>(QStringLiteral("CmDHelp"))->click();
        QCOMPARE(d.argomentiHelp, std::vector<int>({310, 310}));
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Le Trivalto: Versione ")));
        QSignalSpy fine(&w, &Inizio::Fine);
        w.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(fine.count(), 1);
    }

    // The help window shows a topic's page, says in Italian when a page is missing, and Esc closes it.
    void finestraHelpSiChiudeConEsc() {
        CartellaTemporanea cartella;
        {
            std::ofstream pagina(cartella / "310.html");
            pagina << "<html><body><p>Avvio del programma</p></body></html>";
        }
        FinestraHelp f(QString::fromStdString(cartella.Percorso().string()));
        f.MostraArgomento(310);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Avvio del programma")));
        f.MostraArgomento(999);
        QVERIFY(f.findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Help non disponibile")));
        f.activateWindow();
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
    }
};

static RegistraTest<ShellTest> registra;
#include "ShellTest.moc"
