// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's status line about the archive, the check for updates at start-up against a
// server on 127.0.0.1, its setting, and the window "Informazioni su Trivalto".
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "DialoghiScriptati.h"
#include "ServerProva.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/InformazioniProgramma.h"
#include "gui/archive/Archivio.h"
#include "gui/shell/Container.h"
#include "gui/shell/ControlloAvvio.h"
#include "gui/shell/Informazioni.h"
#include "gui/shell/RegistroFinestre.h"
#include "gui/shell/StatoArchivio.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// The real archive without its last ten draws; the main window is built by Apri, after the test
/// has chosen the setting and the update address.
struct Banco {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    std::unique_ptr<Container> principale;

    Banco() {
        AvviaSuArchivio(ctx, cartella / "Archivio.mdb",
                        {RigheReali().begin(), RigheReali().end() - 10}); // the last ten draws left out
    }
    void Imposta(bool controlla, const std::string& indirizzo) {
        ControlloAvvio::Abilita(*ctx.DbProgramma, controlla);
        ctx.DbProgramma->ScriviParametro("IndirizzoAggiornamento", indirizzo);
    }
    /// Opens the main window and waits for its start-up check, when allowed.
    void Apri() {
        principale = std::make_unique<Container>(ctx, d);
        RegistraFinestre(*principale, ctx, d);
        QSignalSpy finito(principale->ControlloAggiornamenti(), &ControlloAvvio::Finito);
        if (ControlloAvvio::Abilitato(*ctx.DbProgramma))
            QVERIFY(finito.wait(20000)); // it starts once the window is up
        else
            QTest::qWait(50);
    }
    size_t NelDatabase() { return DatabaseArchivio::Apri(cartella / "Archivio.mdb")->LeggiTutte().size(); }
    QLabel* Etichetta(const char* nome) { return principale->findChild<QLabel*>(QString::fromLatin1(nome)); }
};

const size_t Completo = 7370;

/// The last draw the test archive holds.
QString UltimaTenuta() {
    return QString::fromStdString(RigheReali()[Completo - 11].Data);
}

} // namespace

class ControlloAvvioTest : public QObject {
    Q_OBJECT
private slots:
    void etaDellArchivio() {
        const auto& a = ArchivioReale();
        QCOMPARE(StatoArchivio::TestoEta(a, {21, 8, 2026}),
                 QStringLiteral("Archivio aggiornato al 21/08/2026"));
        QCOMPARE(StatoArchivio::TestoEta(a, {22, 8, 2026}),
                 QStringLiteral("Archivio aggiornato al 21/08/2026 (manca circa 1 estrazione)"));
        QCOMPARE(StatoArchivio::TestoEta(a, {26, 8, 2026}),
                 QStringLiteral("Archivio aggiornato al 21/08/2026 (mancano circa 2 estrazioni)"));
        QCOMPARE(StatoArchivio::TestoEta(ArchivioMemoria{}, {26, 8, 2026}), QStringLiteral("Archivio vuoto"));
    }

    void spentoPerDefinizione() {
        Banco b;
        ServerProva server(200, Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
        b.ctx.DbProgramma->ScriviParametro("IndirizzoAggiornamento", server.Indirizzo());
        QVERIFY(!ControlloAvvio::Abilitato(*b.ctx.DbProgramma)); // no row in a new program database
        b.Apri();
        QVERIFY(!b.principale->ControlloAggiornamenti()->InCorso());
        QVERIFY(b.d.messaggi.empty());
        QVERIFY(!b.Etichetta("LblControlloAvvio")->isVisibleTo(b.principale.get()));
        QVERIFY(b.Etichetta("LblStatoArchivio")
                    ->text()
                    .startsWith(QStringLiteral("Archivio aggiornato al ") + UltimaTenuta() +
                                QStringLiteral(" (mancano circa ")));
    }

    void estrazioniOfferteENonScritteSenzaConsenso() {
        Banco b;
        ServerProva server(200, Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
        b.Imposta(true, server.Indirizzo());
        b.d.risposte = {false};
        b.Apri();
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QCOMPARE(b.d.messaggi[0].titolo, QStringLiteral("Aggiornamento archivio"));
        QVERIFY(b.d.messaggi[0].icona == Dialoghi::Icona::Domanda);
        QCOMPARE(b.d.messaggi[0].testo,
                 QStringLiteral("Sono disponibili 10 estrazioni nuove, dal %1 al 21/08/2026.\nAggiungerle "
                                "all'archivio?")
                     .arg(QString::fromStdString(RigheReali()[Completo - 10].Data)));
        QCOMPARE(b.NelDatabase(), Completo - 10);
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, static_cast<int>(Completo) - 10);
        QCOMPARE(b.Etichetta("LblControlloAvvio")->text(), QStringLiteral("Disponibili 10 estrazioni nuove"));
    }

    void estrazioniAggiunteConIlConsenso() {
        Banco b;
        ServerProva server(200, Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
        b.Imposta(true, server.Indirizzo());
        b.d.risposte = {true};
        b.Apri();
        QCOMPARE(b.d.messaggi.size(), size_t(1)); // the question only
        QCOMPARE(b.NelDatabase(), Completo);
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, static_cast<int>(Completo));
        QCOMPARE(b.Etichetta("Lbl_Ev")->text(), QStringLiteral("7370"));
        QVERIFY(b.Etichetta("LblStatoArchivio")
                    ->text()
                    .startsWith(QStringLiteral("Archivio aggiornato al 21/08/2026")));
        QCOMPARE(b.Etichetta("LblControlloAvvio")->text(), QStringLiteral("Aggiunte 10 estrazioni"));

        // The next start finds nothing new and asks nothing.
        b.principale.reset();
        b.d.messaggi.clear();
        b.Apri();
        QVERIFY(b.d.messaggi.empty());
        QCOMPARE(b.Etichetta("LblControlloAvvio")->text(),
                 QStringLiteral("Nessuna estrazione nuova da scaricare"));
    }

    void serverGuastoSilenzioso() {
        ServerProva manca(404, "");
        ServerProva rumore(200, "non è un file di estrazioni");
        ServerProva tronca(200, Leggi(PercorsoDati("aggiornamento-ultime100.txt")),
                           ServerProva::Modo::Tronca);
        for (const auto& indirizzo :
             {ServerProva::IndirizzoChiuso(), manca.Indirizzo(), rumore.Indirizzo(), tronca.Indirizzo()}) {
            Banco b;
            b.Imposta(true, indirizzo);
            b.Apri();
            QVERIFY2(b.d.messaggi.empty(), indirizzo.c_str());
            QCOMPARE(b.Etichetta("LblControlloAvvio")->text(),
                     QStringLiteral("Controllo degli aggiornamenti non riuscito"));
            QVERIFY(!b.Etichetta("LblControlloAvvio")->toolTip().isEmpty()); // the cause
            QCOMPARE(b.NelDatabase(), Completo - 10);
        }
    }

    void impostazioneEPaginaAggiornamenti() {
        Banco b;
        b.Apri();
        b.principale->findChild<QPushButton*>(QStringLiteral("CmdPaginaAggiornamenti"))->click();
        auto* archivio = b.principale->findChild<Archivio*>();
        QVERIFY(archivio);
        auto* schede = archivio->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
        QCOMPARE(schede->currentWidget()->objectName(), QStringLiteral("PaginaAggiornamenti"));

        // The setting lives in the program database: ticked, it is there at the next start.
        auto* casella = archivio->findChild<QCheckBox*>(QStringLiteral("ChkControlloAvvio"));
        QVERIFY(!casella->isChecked());
        casella->click();
        QCOMPARE(b.ctx.DbProgramma->LeggiParametro(ControlloAvvio::Parametro),
                 std::optional<std::string>("1"));
        b.ctx.DbProgramma.reset();
        b.ctx.ApriDbProgramma();
        QVERIFY(ControlloAvvio::Abilitato(*b.ctx.DbProgramma));
        casella->click();
        QVERIFY(!ControlloAvvio::Abilitato(*b.ctx.DbProgramma));
    }

    void informazioni() {
        Banco b;
        b.Apri();
        auto* pulsante = b.principale->findChild<QToolButton*>(QStringLiteral("CmdInformazioni"));
        QCOMPARE(pulsante->toolTip(), QStringLiteral("Informazioni su Trivalto"));
        pulsante->click();
        pulsante->click(); // one window
        const auto finestre = b.principale->findChildren<Informazioni*>();
        QCOMPARE(finestre.size(), qsizetype(1));
        QCOMPARE(finestre[0]->windowTitle(), QStringLiteral("Informazioni su Trivalto"));
        QVERIFY(finestre[0]
                    ->findChild<QLabel*>(QStringLiteral("LblVersione"))
                    ->text()
                    .contains(QStringLiteral("Versione ") + QString::fromStdString(VersioneProgramma())));
        const QString testo = finestre[0]->findChild<QTextBrowser*>()->toPlainText();
        for (const char* atteso : {"GPL-3.0-or-later", "Qt", "SQLCipher", "libcurl", "libzip", "BSD-3-Clause",
                                   "LGPL-3.0-only", "archivio storico ufficiale"})
            QVERIFY2(testo.contains(QString::fromUtf8(atteso)), atteso);
        QVERIFY(testo.contains(QStringLiteral("7.360 estrazioni, dal 07/01/1939 al ") + UltimaTenuta()));
    }
};

static RegistraTest<ControlloAvvioTest> registra;
#include "ControlloAvvioTest.moc"
