// SPDX-License-Identifier: GPL-3.0-or-later
// Page "Aggiornamenti": an update file chosen on disk, the official archive served zipped on
// 127.0.0.1, the apply with its reload, and failures that leave the archive and the downloaded file.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <sstream>
#include <zip.h>

#include "DialoghiScriptati.h"
#include "ServerProva.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/archive/Archivio.h"
#include "gui/archive/PaginaAggiornamenti.h"
#include "gui/shell/Container.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// The real archive without its last ten draws, the main window and the archive window over it.
struct Banco {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    std::unique_ptr<Container> principale;
    std::unique_ptr<Archivio> w;
    PaginaAggiornamenti* pagina = nullptr;

    Banco() {
        AvviaSuArchivio(ctx, cartella / "Archivio.mdb",
                        {RigheReali().begin(), RigheReali().end() - 10}); // the last ten draws left out
        principale = std::make_unique<Container>(ctx, d);
        w = std::make_unique<Archivio>(ctx, d, principale->BarraProgresso(),
                                       [this] { principale->CaricaArchivioExNovo(); });
        pagina = w->findChild<PaginaAggiornamenti*>();
    }
    void Premi(const char* nome) {
        w->findChild<QPushButton*>(QString::fromLatin1(nome))->click();
        QVERIFY(QTest::qWaitFor([&] { return !pagina->Occupata(); }, 20000));
    }
    QStringList Resoconto() {
        QStringList righe;
        auto* l = w->findChild<QListWidget*>(QStringLiteral("List4"));
        for (int i = 0; i < l->count(); ++i)
            righe << l->item(i)->text();
        return righe;
    }
    void Indirizzo(const std::string& indirizzo) {
        ctx.DbProgramma->ScriviParametro("IndirizzoAggiornamento", indirizzo);
    }
};

} // namespace

class AggiornamentiTest : public QObject {
    Q_OBJECT
private slots:
    void fileScelto() {
        Banco b;
        // The update file has no first-line mark: a chosen text archive is refused without it.
        b.d.file = {QString::fromStdString(PercorsoDati("aggiornamento-ultime100.txt"))};
        b.Premi("Command21");
        QCOMPARE(b.d.messaggi.back().testo,
                 QStringLiteral("Attenzione, sembra che il file non sia del formato corretto"));
        QVERIFY(b.pagina->Righe().empty());
        auto testo = Leggi(PercorsoDati("aggiornamento-ultime100.txt"));
        testo.insert(175, " pr");
        std::ofstream(b.cartella / "marcato.txt", std::ios::binary) << testo;
        b.d.file = {QString::fromStdString(b.cartella / "marcato.txt")};
        b.Premi("Command21");
        QCOMPARE(b.pagina->Righe().size(), size_t(100));
        auto* tabella = b.w->findChild<Griglia*>(QStringLiteral("FgImporta"));
        QCOMPARE(tabella->Righe(), 101);
        QCOMPARE(tabella->Testo(100, 1), QStringLiteral("21/08/2026"));
        QCOMPARE(tabella->Modello().Sfondo(100, 1), ColoreArancioChiaro);
        QCOMPARE(tabella->Modello().Sfondo(1, 2), ColoreVerde);
        QCOMPARE(b.Resoconto().first(), QStringLiteral("Manca estrazione del: 21/08/2026"));
        QCOMPARE(b.Resoconto().last(), QStringLiteral("Nessuna anomalia rilevata"));
        // Random bytes: a clear message naming the phase.
        std::ofstream(b.cartella / "rumore.zip", std::ios::binary)
            << std::string("PK\x03\x04\x99\x01rumore", 12);
        b.d.file = {QString::fromStdString(b.cartella / "rumore.zip")};
        b.Premi("Command21");
        QVERIFY(b.d.messaggi.back().testo.startsWith(QStringLiteral(
            "Attenzione qualcosa è andato strorto nella procedura Elenco nuove estrazioni\n")));
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, static_cast<int>(RigheReali().size()) - 10);
    }

    void dopoIlControlloUltimaRigaERiepilogo() {
        Banco b;
        b.w->resize(1000, 700);
        b.w->show();
        b.w->findChild<QTabWidget*>()->setCurrentIndex(3);
        QVERIFY(QTest::qWaitForWindowExposed(b.w.get()));
        auto testo = Leggi(PercorsoDati("aggiornamento-ultime100.txt"));
        testo.insert(175, " pr");
        const auto seconda = testo.find("03/03/2026 36-68-14-51-50");
        QVERIFY(seconda != std::string::npos);
        testo.replace(seconda + 11, 14, "36-68-14-51-52"); // differs from the archive
        const auto terza = testo.find("\n", seconda) + 1;
        testo.replace(terza + 11, 2, "95"); // no Lotto number
        std::ofstream(b.cartella / "marcato.txt", std::ios::binary) << testo;
        b.d.file = {QString::fromStdString(b.cartella / "marcato.txt")};
        b.Premi("Command21");
        auto* tabella = b.w->findChild<Griglia*>(QStringLiteral("FgImporta"));
        QCOMPARE(tabella->Righe(), 101);
        QCOMPARE(b.w->findChild<QLabel*>(QStringLiteral("LblRiepilogo"))->text(),
                 QStringLiteral("10 da importare, 1 errate, 1 non valide"));
        // The last row whole in view, also after the layout has made room for a scroll bar.
        const auto ultimaVisibile = [tabella] {
            const QRect r = tabella->visualRect(tabella->model()->index(99, 1));
            return r.isValid() && r.top() >= 0 && r.bottom() < tabella->viewport()->height();
        };
        QTRY_VERIFY(ultimaVisibile());
        QTest::qWait(50);
        QVERIFY(ultimaVisibile());
        // Tab leaves the table instead of walking its cells.
        b.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.w.get()));
        tabella->setFocus();
        QVERIFY(tabella->hasFocus());
        QTest::keyClick(tabella, Qt::Key_Tab);
        QVERIFY(!tabella->hasFocus());
        // After the apply the table is empty, and so is its summary.
        b.Premi("CmdAggiornamento");
        QVERIFY(b.w->findChild<QLabel*>(QStringLiteral("LblRiepilogo"))->text().isEmpty());
    }

    void archivioUfficialeScaricatoEApplicato() {
        Banco b;
        std::ofstream(b.cartella / "Estr_Agg.txt", std::ios::binary) << "vecchio";
        {
            ServerProva manca(404, "");
            b.Indirizzo(manca.Indirizzo("/storico.zip"));
            b.Premi("CmdControllo");
            QCOMPARE(b.d.messaggi.back().testo,
                     QStringLiteral(
                         "Attenzione qualcosa è andato strorto nella procedura Collegamento al sito\nil "
                         "server ha risposto 404 (file non trovato)"));
            QCOMPARE(Leggi(b.cartella / "Estr_Agg.txt"), std::string("vecchio"));
        }
        const std::string coda = CodaStorico(1100);
        ServerProva server(200, ZipDi("storico.txt", coda));
        b.Indirizzo(server.Indirizzo("/storico.zip"));
        b.Premi("CmdControllo");
        int daImportare = 0;
        for (const auto& e : b.pagina->Esiti())
            daImportare += e.Segno == Marca::DaImportare;
        QCOMPARE(daImportare, 10);
        b.w->findChild<QTabWidget*>()->setCurrentIndex(3);
        b.Premi("CmdAggiornamento");
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Dati salvati correttamente."));
        QCOMPARE(b.Resoconto().last(), QStringLiteral("aggiunti N° 10 record"));
        QCOMPARE(b.w->findChild<QTabWidget*>()->currentIndex(), 0);
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, static_cast<int>(RigheReali().size()));
        QCOMPARE(b.ctx.ConnessioneArchivio().LeggiTutte(), RigheReali());
        QCOMPARE(b.w->findChild<Griglia*>(QStringLiteral("FgImporta"))->Righe(), 1);
        // Once more: nothing left to apply.
        b.Premi("CmdAggiornamento");
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Non ci sono estrazioni da aggiornare."));
    }

    void indirizziRendePredefinito() {
        Banco b;
        auto* sito = b.w->findChild<QLineEdit*>(QStringLiteral("TxtIndirizzo"));
        auto* aggiornamento = b.w->findChild<QLineEdit*>(QStringLiteral("TxtAggiornamento"));
        QCOMPARE(sito->text(), QString::fromStdString(b.ctx.IndirizzoInternet));
        QApplication::clipboard()->setText(QStringLiteral("https://esempio.invalid/sito"));
        b.w->findChild<QToolButton*>(QStringLiteral("TxtIndirizzoIncolla"))->click();
        QCOMPARE(sito->text(), QStringLiteral("https://esempio.invalid/sito"));
        b.w->findChild<QPushButton*>(QStringLiteral("TxtIndirizzoPredefinito"))->click();
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Salvataggio effettuato"));
        QCOMPARE(*b.ctx.DbProgramma->LeggiParametro("IndirizzoInternet"),
                 std::string("https://esempio.invalid/sito"));
        QCOMPARE(b.ctx.IndirizzoInternet, std::string("https://esempio.invalid/sito"));
        // A program database without the row: the save says it failed instead of saying nothing.
        b.ctx.DbProgramma->Db().Esegui(
            "DELETE FROM ParametriProgramma WHERE Parametro = 'Indirizzointernet'");
        b.w->findChild<QPushButton*>(QStringLiteral("TxtIndirizzoPredefinito"))->click();
        QCOMPARE(b.d.messaggi.back().testo,
                 QStringLiteral("Salvataggio non riuscito: il database del "
                                "programma non ha il parametro Indirizzointernet."));
        QCOMPARE(b.d.messaggi.back().icona, Dialoghi::Icona::Critico);
        // The update address set here is the one "CONTROLLO AGGIORNAMENTI" downloads.
        ServerProva server(200, Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
        aggiornamento->setText(QString::fromStdString(server.Indirizzo()));
        b.w->findChild<QPushButton*>(QStringLiteral("TxtAggiornamentoPredefinito"))->click();
        b.Premi("CmdControllo");
        QCOMPARE(b.pagina->Righe().size(), size_t(100));
        QCOMPARE(Leggi(b.cartella / "Estr_Agg.txt"), Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
    }

    void trasferimentoAnnullato() {
        Banco b;
        std::ofstream(b.cartella / "Estr_Agg.txt", std::ios::binary) << "vecchio";
        ServerProva muto(200, "mai", ServerProva::Modo::Muto);
        b.Indirizzo(muto.Indirizzo());
        b.w->findChild<QPushButton*>(QStringLiteral("CmdControllo"))->click();
        QVERIFY(b.pagina->Occupata());
        b.w->findChild<QPushButton*>(QStringLiteral("Command26"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !b.pagina->Occupata(); }, 20000));
        // The user's own stop is no failure.
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Trasferimento annullato."));
        QCOMPARE(b.d.messaggi.back().icona, Dialoghi::Icona::Informazione);
        QCOMPARE(Leggi(b.cartella / "Estr_Agg.txt"), std::string("vecchio"));
    }
};

static RegistraTest<AggiornamentiTest> registra;
#include "AggiornamentiTest.moc"
