// SPDX-License-Identifier: GPL-3.0-or-later
// What chance alone gives, in the windows: the panel beside the analysis and the walk-forward window,
// each compared with the command-line tool on the same settings.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <stdexcept>

#include "DialoghiScriptati.h"
#include "TabelleFinestra.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/FinestraVerifica.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/analysis/Special.h"
#include "gui/builder/Costruttore.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Contesto {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    Contesto() { ctx.PubblicaArchivio(ArchivioReale()); }
};

/// The rows of a `## NAME` table of a command-line run, header included.
Tabella TabellaCli(const std::vector<std::string>& argomenti, const std::string& nome) {
    for (auto& [n, t] : SequenzaCli(argomenti))
        if (n == nome) return t;
    return {};
}

std::string Voce(const Tabella& t, const std::string& nome) {
    for (const auto& r : t)
        if (r.size() == 2 && r[0] == nome) return r[1];
    return "?";
}

} // namespace

class VerificaTest : public QObject {
    Q_OBJECT
private slots:
    void pannelloDelCasoComeLaRigaDiComando() {
        Contesto c;
        QProgressBar barra;
        Special w(c.ctx, c.d, &barra, [](const QString&) { return nullptr; });
        w.resize(1200, 700);
        w.show();
        auto* pannello = w.findChild<PannelloAtteso*>(QStringLiteral("PannelloAtteso"));
        QVERIFY(pannello->Valore("LblPosAtteso").isEmpty());
        w.findChild<QPushButton*>(QStringLiteral("CmdGeneraTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        const auto atteso = TabellaCli({"analizza", "--archivio", PercorsoDati("archivio-1939-2026.txt"),
                                        "--atteso", "--combinazioni", "3"},
                                       "Atteso");
        QCOMPARE(pannello->Valore("LblPosAtteso").toStdString(), Voce(atteso, "Pos atteso"));
        QCOMPARE(pannello->Valore("LblMiglioreOsservato").toStdString(),
                 Voce(atteso, "Pos migliore osservato"));
        w.findChild<QPushButton*>(QStringLiteral("CmdTreTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        QCOMPARE(pannello->Valore("LblCopAtteso").toStdString(), Voce(atteso, "Cop atteso"));
        pannello->Simula();
        QVERIFY(QTest::qWaitFor([&] { return !pannello->Occupato(); }, 30000));
        QCOMPARE(pannello->Valore("LblMedianaCaso").toStdString(),
                 Voce(atteso, "Pos migliore per caso, mediana"));
        QCOMPARE(pannello->Valore("LblP").toStdString(), Voce(atteso, "Pos migliore, p"));
        // The best combination against the best combinations of the simulated archives, as the command line.
        QCOMPARE(pannello->Valore("LblCopOsservato").toStdString(), Voce(atteso, "Cop migliore osservato"));
        QCOMPARE(pannello->Valore("LblMedianaCop").toStdString(),
                 Voce(atteso, "Cop migliore per caso, mediana"));
        QCOMPARE(pannello->Valore("LblPercentileCop").toStdString(),
                 Voce(atteso, "Cop migliore per caso, 95° percentile"));
        QCOMPARE(pannello->Valore("LblPCop").toStdString(), Voce(atteso, "Cop migliore, p"));
        QCOMPARE(pannello->TestoGiudizio().toStdString(), Voce(atteso, "Giudizio"));
        // Another combination size makes the simulated bests of the old one meaningless, even when a
        // simulation that started before the change ends after it.
        pannello->Simula();
        w.findChild<QPushButton*>(QStringLiteral("CmdDueTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata() && !pannello->Occupato(); }, 30000));
        QVERIFY(pannello->Valore("LblPCop").isEmpty());
        QVERIFY(pannello->Valore("LblP").isEmpty());
        // A new search clears what the simulations said about the old list.
        w.findChild<QPushButton*>(QStringLiteral("CmdElaboraTerzine"))->click();
        QVERIFY(pannello->Valore("LblMedianaCaso").isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
    }

    void pannelloDelCostruttoreSegueIlMetodo() {
        Contesto c;
        Costruttore w(c.ctx, c.d, [](const QString&) { return nullptr; });
        w.resize(1200, 700);
        w.show();
        w.GenerazioneTerzine();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        w.AggiungiAlMetodo(false, 1);
        w.AggiungiAlMetodo(false, 2);
        std::string metodo;
        for (const auto& t : w.Stato().Metodo())
            metodo.append(metodo.empty() ? "" : ";")
                .append(std::to_string(t.A) + "," + std::to_string(t.B) + "," + std::to_string(t.C));
        const auto atteso = TabellaCli({"costruttore", "--archivio", PercorsoDati("archivio-1939-2026.txt"),
                                        "--metodo", metodo, "--atteso"},
                                       "Atteso");
        auto* pannello = w.findChild<PannelloAtteso*>(QStringLiteral("PannelloAtteso"));
        QCOMPARE(pannello->Valore("LblPosAtteso").toStdString(), Voce(atteso, "Pos atteso"));
        QCOMPARE(pannello->Valore("LblCopAtteso").toStdString(), Voce(atteso, "Coperti dal metodo atteso"));
        QCOMPARE(pannello->Valore("LblMiglioreOsservato").toStdString(),
                 Voce(atteso, "Pos migliore osservato"));
        pannello->Simula();
        QVERIFY(QTest::qWaitFor([&] { return !pannello->Occupato(); }, 30000));
        QCOMPARE(pannello->TestoGiudizio().toStdString(), Voce(atteso, "Giudizio"));
        // The list by colpo ranks by covered cases with the whole period too: so does chance.
        w.findChild<QCheckBox*>(QStringLiteral("ChkInteroPeriodo"))->setChecked(true);
        w.GenerazioneTerzine();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        QCOMPARE(pannello->Valore("LblPosAtteso").toStdString(), Voce(atteso, "Pos atteso"));
    }

    void giudizioDelPannelloSulleSoglie() {
        Contesto c;
        QProgressBar barra;
        Special w(c.ctx, c.d, &barra, [](const QString&) { return nullptr; });
        w.resize(1200, 700);
        w.show();
        auto* pannello = w.findChild<PannelloAtteso*>(QStringLiteral("PannelloAtteso"));
        QVERIFY(pannello->TestoGiudizio().isEmpty());
        // Four other settings tried before: the fifth search brings the reminder.
        for (int colpi = 1; colpi <= 4; ++colpi) {
            InputRicerca altra;
            altra.Finestra.Colpi = colpi;
            c.ctx.Provate.Registra(altra);
        }
        w.findChild<QPushButton*>(QStringLiteral("CmdGeneraTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        QVERIFY(pannello->TestoGiudizio().startsWith(QStringLiteral("Premere Simula")));
        QCOMPARE(pannello->Valore("LblMiglioreOsservato"), QStringLiteral("5"));
        // Simulated bests worked by hand around the observed 5: 10, 9, 2 and 1 of 200 reach it.
        const struct {
            int arrivati;
            const char *p, *inizio;
        } prove[] = {{10, "0,050", "Alla portata del caso: "},
                     {9, "0,045", "Poco oltre il caso: "},
                     {2, "0,010", "Poco oltre il caso: "},
                     {1, "0,005", "Oltre il caso: "}};
        for (const auto& q : prove) {
            EsitoSimulazione e;
            e.TopPos.assign(200, 4);
            std::fill(e.TopPos.begin(), e.TopPos.begin() + q.arrivati, 5);
            pannello->MostraSimulazione(e);
            QCOMPARE(pannello->Valore("LblP"), QString::fromLatin1(q.p));
            const auto righe = pannello->TestoGiudizio().split(QLatin1Char('\n'));
            QCOMPARE(righe.size(), 2);
            QCOMPARE(righe[0],
                     QString::fromUtf8(q.inizio) +
                         QStringLiteral("la prima terzina dell'elenco copre 5 casi su 12; in 200 archivi "
                                        "estratti a caso la migliore ne copre 4 (mediana) e arriva almeno "
                                        "a 5 in %1 su 200.")
                             .arg(q.arrivati == 1 ? QStringLiteral("1 archivio")
                                                  : QStringLiteral("%1 archivi").arg(q.arrivati)));
            QVERIFY(
                righe[1].startsWith(QStringLiteral("Attenzione: sono state provate 5 impostazioni diverse")));
        }
        // Every figure explains itself.
        for (const char* nome : {"LblPosAtteso", "LblMiglioreOsservato", "LblMedianaCaso",
                                 "LblPercentileCaso", "LblP", "LblCopAtteso", "LblPCop"})
            QVERIFY2(!pannello->findChild<QLabel*>(QString::fromLatin1(nome))->toolTip().isEmpty(), nome);
        // The same search again is not another setting.
        w.findChild<QPushButton*>(QStringLiteral("CmdElaboraTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 20000));
        EsitoSimulazione e;
        e.TopPos.assign(200, 4);
        pannello->MostraSimulazione(e);
        QVERIFY(pannello->TestoGiudizio().contains(QStringLiteral("provate 5 impostazioni")));
    }

    void verificaRetroattivaComeLaRigaDiComando() {
        Contesto c;
        FinestraVerifica w(c.ctx, c.d);
        w.resize(1200, 700);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Verifica retroattiva"));
        auto* da = w.findChild<QSpinBox*>(QStringLiteral("SpnDaEstrazione"));
        auto* a = w.findChild<QSpinBox*>(QStringLiteral("SpnAEstrazione"));
        QCOMPARE(a->value(), 7370);
        da->setValue(5000);
        w.findChild<QComboBox*>(QStringLiteral("CboGioca"))->setCurrentIndex(2);
        w.findChild<QPushButton*>(QStringLiteral("CmdVerifica"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 30000));
        const std::vector<std::string> argomenti = {
            "verifica",       "--archivio", PercorsoDati("archivio-1939-2026.txt"), "--da-estrazione", "5000",
            "--combinazioni", "2"};
        QVERIFY(!w.Esito().Prove.empty());
        QVERIFY(DaGriglia(w.findChild<Griglia*>(QStringLiteral("FgVerifica"))) ==
                TabellaCli(argomenti, "Verifica"));
        // The summary as the command line prints it, the verdict under it in words.
        auto sintesi = DaGriglia(w.findChild<Griglia*>(QStringLiteral("FgSintesi")));
        const auto giudizio = w.findChild<QLabel*>(QStringLiteral("LblGiudizio"))->text();
        sintesi.push_back({"Giudizio", giudizio.toStdString()});
        QVERIFY(sintesi == TabellaCli(argomenti, "Sintesi"));
        // Why the first trial falls where it does.
        const auto& primaProva = w.Esito().Prove.front();
        QVERIFY(primaProva.Riferimento >= 5000);
        const auto spiegazione = w.findChild<QLabel*>(QStringLiteral("LblSpiegazioneProve"))->text();
        QVERIFY2(spiegazione.contains(
                     QStringLiteral("la prima prova del periodo è l'estrazione %1 del %2")
                         .arg(primaProva.Riferimento)
                         .arg(QString::fromStdString(
                             c.ctx.Archivio().DateEstrazioni[static_cast<size_t>(primaProva.Riferimento)]))),
                 qPrintable(spiegazione));
        auto* fg = w.findChild<Griglia*>(QStringLiteral("FgVerifica"));
        QVERIFY(!fg->model()->headerData(6, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
        auto* fgs = w.findChild<Griglia*>(QStringLiteral("FgSintesi"));
        QVERIFY(fgs->model()
                    ->index(2, 1)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("Vincite attese")));

        // A range the wrong way round is refused; an interrupted run keeps the shown trials.
        da->setValue(7000);
        a->setValue(6000);
        w.Verifica();
        QCOMPARE(c.d.messaggi.size(), size_t(1));
        const auto prima = w.Esito().Prove.size();
        da->setValue(1);
        a->setValue(7370);
        {
            PoolFermo pool;
            w.Verifica();
            w.findChild<QToolButton*>(QStringLiteral("CmdInterrompi"))->click();
            pool.Libera();
            QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 30000));
        }
        QCOMPARE(c.d.messaggi.size(), size_t(2));
        QCOMPARE(c.d.messaggi[1].testo,
                 QStringLiteral("Elaborazione interrotta: restano le prove di prima."));
        QCOMPARE(c.d.messaggi[1].icona, Dialoghi::Icona::Informazione);
        QCOMPARE(w.Esito().Prove.size(), prima);
    }

    void guastoDellaVerificaInUnMessaggio() {
        Contesto c;
        FinestraVerifica w(c.ctx, c.d);
        w.show();
        w.SostituisciCalcolo([](const ArchivioMemoria&, const SceltaVerificaRetroattiva&,
                                const ControlloLavoro&) -> EsitoRetroattivo {
            throw std::invalid_argument("al massimo 30 casi");
        });
        auto* verifica = w.findChild<QPushButton*>(QStringLiteral("CmdVerifica"));
        verifica->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 30000));
        QCOMPARE(c.d.messaggi.size(), size_t(1));
        QCOMPARE(c.d.messaggi[0].testo,
                 QStringLiteral("Errore imprevisto, verificare le impostazioni\nal massimo 30 casi"));
        QCOMPARE(c.d.messaggi[0].icona, Dialoghi::Icona::Critico);
        QVERIFY(verifica->isEnabled());
        QVERIFY(w.findChild<QSpinBox*>(QStringLiteral("SpnDaEstrazione"))->isEnabled());
        QVERIFY(w.Esito().Prove.empty());
        QCOMPARE(w.findChild<Griglia*>(QStringLiteral("FgVerifica"))->Modello().Righe(), 1);
    }

    void proveSullArchivioDellaVerifica() {
        Contesto c;
        const auto& reale = ArchivioReale();
        FinestraVerifica w(c.ctx, c.d);
        w.resize(1200, 700);
        w.show();
        w.findChild<QSpinBox*>(QStringLiteral("SpnDaEstrazione"))->setValue(7000);
        // The archive is reloaded, much shorter and with other dates, while the run waits for a thread.
        {
            PoolFermo pool;
            w.Verifica();
            c.ctx.PubblicaArchivio(ArchivioDa(RigheCasuali(600, 5)));
            pool.Libera();
            QVERIFY(QTest::qWaitFor([&] { return !w.Occupata(); }, 30000));
        }
        QVERIFY(c.d.messaggi.empty());
        const auto prove = w.Esito().Prove;
        QVERIFY(!prove.empty());
        QVERIFY(prove.front().Riferimento >= 7000);
        const auto data = [&](size_t i) {
            return reale.DateEstrazioni[static_cast<size_t>(prove[i].Riferimento)];
        };
        const auto righe = DaGriglia(w.findChild<Griglia*>(QStringLiteral("FgVerifica")));
        QCOMPARE(righe.size(), prove.size() + 1);
        for (size_t i = 0; i < prove.size(); ++i)
            QCOMPARE(righe[i + 1][1], data(i));
        // Another change of rule redraws the explanation from the run's archive, and so does a repaint.
        c.ctx.PubblicaArchivio(ArchivioDa(RigheCasuali(40, 6)));
        auto* mensile = w.findChild<QComboBox*>(QStringLiteral("CboMensile"));
        mensile->setCurrentIndex((mensile->currentIndex() + 1) % mensile->count());
        const auto spiegazione = w.findChild<QLabel*>(QStringLiteral("LblSpiegazioneProve"))->text();
        QVERIFY2(spiegazione.contains(QString::fromStdString(data(0))), qPrintable(spiegazione));
        QVERIFY(!w.grab().isNull());
        QCOMPARE(DaGriglia(w.findChild<Griglia*>(QStringLiteral("FgVerifica"))), righe);
    }
};

static RegistraTest<VerificaTest> registra;
#include "VerificaTest.moc"
