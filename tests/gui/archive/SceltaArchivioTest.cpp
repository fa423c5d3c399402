// SPDX-License-Identifier: GPL-3.0-or-later
// An archive chosen at the start window is the archive written: saving, correcting and deleting a draw
// and applying an update all reach the chosen file, while the one opened before stays byte for byte.
#include <QCalendarWidget>
#include <QDate>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/archive/Archivio.h"
#include "gui/archive/PaginaAggiornamenti.h"
#include "gui/shell/Container.h"
#include "gui/shell/Inizio.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

std::string CreaArchivio(const CartellaTemporanea& cartella, const std::string& nome,
                         const std::vector<RigaEstrazione>& righe) {
    const auto percorso = cartella / nome;
    auto db = DatabaseArchivio::ApriOCrea(percorso);
    for (const auto& r : righe)
        db->Inserisci(r, "2026-12-08", "10:00:00");
    return percorso;
}

TestiCaselle Caselle(int primo) {
    TestiCaselle t;
    for (int b = 1; b <= 50; ++b)
        t[static_cast<size_t>(b - 1)] =
            QStringLiteral("%1").arg((primo + b - 2) % 90 + 1, 2, 10, QLatin1Char('0')).toStdString();
    return t;
}

QDate Giorno(const std::string& testo) {
    return QDate::fromString(QString::fromStdString(testo), QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class SceltaArchivioTest : public QObject {
    Q_OBJECT
private slots:
    void scrittureNellArchivioScelto() {
        CartellaTemporanea cartella;
        const auto righeB = RigheCasuali(45, 7, 0, 0, 0);
        const auto a = CreaArchivio(cartella, "A.mdb", RigheCasuali(40, 42, 0, 0, 0));
        const auto b = CreaArchivio(cartella, "B.mdb", righeB);
        const std::string bytesA = Leggi(a);

        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.RegistraArchivioScelto(a);
        DialoghiScriptati d;
        Inizio inizio(ctx, d);
        inizio.Avvia(); // the previous archive is opened, as at every start
        QVERIFY(d.messaggi.empty());
        d.file.push_back(QString::fromStdString(b));
        inizio.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QVERIFY(inizio.Procedi());
        QCOMPARE(ctx.Archivio().NumeroEstrazioni, 45);

        Container principale(ctx, d);
        Archivio w(ctx, d, principale.BarraProgresso(), [&] { principale.CaricaArchivioExNovo(); });
        const auto premi = [&](const char* nome) {
            d.messaggi.clear();
            d.risposte.push_back(true);
            w.findChild<QPushButton*>(QString::fromLatin1(nome))->click();
        };

        // SALVA
        const QDate nuova = Giorno(righeB.back().Data).addDays(3);
        w.findChild<QCalendarWidget*>(QStringLiteral("MonthView1"))->setSelectedDate(nuova);
        w.ImpostaCaselle(Caselle(1));
        premi("Command8");
        QCOMPARE(d.messaggi.at(1).testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
        // MODIFICA
        w.MostraEstrazione(30);
        const std::string modificata = ctx.Archivio().DateEstrazioni[30];
        w.ImpostaCaselle(Caselle(11));
        premi("Command3");
        QCOMPARE(d.messaggi.at(1).testo, QStringLiteral("Modifica effettuata. Ricarico archivio."));
        // ELIMINA
        w.MostraEstrazione(20);
        const std::string eliminata = ctx.Archivio().DateEstrazioni[20];
        premi("Command2");
        QCOMPARE(d.messaggi.at(1).testo,
                 QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."));
        // An update file with one more draw, applied from the update page.
        RigaEstrazione aggiunta = righeB.back();
        aggiunta.Data = nuova.addDays(4).toString(QStringLiteral("dd/MM/yyyy")).toStdString();
        std::string testo = ScriviLineaArchivioTesto(aggiunta);
        testo.insert(175, " pr");
        std::ofstream(cartella / "agg.txt", std::ios::binary) << testo << "\r\n";
        auto* pagina = w.findChild<PaginaAggiornamenti*>();
        d.file = {QString::fromStdString(cartella / "agg.txt")};
        w.findChild<QPushButton*>(QStringLiteral("Command21"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !pagina->Occupata(); }, 20000));
        QCOMPARE(pagina->Righe().size(), size_t(1));
        w.findChild<QTabWidget*>()->setCurrentIndex(3);
        premi("CmdAggiornamento");
        QVERIFY(QTest::qWaitFor([&] { return !pagina->Occupata(); }, 20000));
        QCOMPARE(d.messaggi.back().testo, QStringLiteral("Dati salvati correttamente."));

        // Every change is in the chosen file and in what the windows show...
        auto& db = ctx.ConnessioneArchivio();
        QCOMPARE(db.Db().Percorso(), b);
        QCOMPARE(db.Conta(), 46);
        QVERIFY(db.Trova(nuova.toString(QStringLiteral("dd/MM/yyyy")).toStdString()).has_value());
        QVERIFY(db.Trova(aggiunta.Data).has_value());
        QVERIFY(!db.Trova(eliminata).has_value());
        QCOMPARE(QString::fromStdString(db.Trova(modificata)->Celle[0]), QStringLiteral("11-12-13-14-15"));
        QCOMPARE(ctx.Archivio().NumeroEstrazioni, 46);
        // ...and none in the previous one.
        QVERIFY(Leggi(a) == bytesA);
    }

    // A path changed behind the context's back still never reaches the file opened before.
    void connessioneSegueIlPercorso() {
        CartellaTemporanea cartella;
        const auto a = CreaArchivio(cartella, "A.mdb", RigheCasuali(10, 1, 0, 0, 0));
        const auto b = CreaArchivio(cartella, "B.mdb", RigheCasuali(12, 2, 0, 0, 0));
        ContestoProgramma ctx(cartella.Percorso().string());
        ctx.ApriDbProgramma();
        ctx.RegistraArchivioScelto(a);
        QVERIFY(ctx.ApriArchivio());
        QCOMPARE(ctx.ConnessioneArchivio().Conta(), 10);
        ctx.PercorsoArchivio = b;
        QCOMPARE(ctx.ConnessioneArchivio().Conta(), 12);
        // A chosen file that is not an archive: the write fails instead of landing in B.
        std::ofstream(cartella / "rotto.mdb", std::ios::binary) << "non un archivio";
        ctx.RegistraArchivioScelto(cartella / "rotto.mdb");
        bool rifiutata = false;
        try {
            ctx.ConnessioneArchivio();
        } catch (const std::exception&) {
            rifiutata = true;
        }
        QVERIFY(rifiutata);
    }
};

static RegistraTest<SceltaArchivioTest> registra;
#include "SceltaArchivioTest.moc"
