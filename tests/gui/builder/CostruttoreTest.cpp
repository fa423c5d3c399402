// SPDX-License-Identifier: GPL-3.0-or-later
// The method builder used as a user would: the chain, double clicks into the method, the sixth terzina,
// removal and reset, an edited offset, an interrupted search, the history and the delays; its tables
// compared with `trivalto-cli costruttore` on the same settings.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "DialoghiScriptati.h"
#include "TabelleFinestra.h"
#include "TestUi.h"
#include "core/builder/TabelleCostruttore.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/builder/Costruttore.h"
#include "gui/shell/Container.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Banco : BancoFinestra<Costruttore> {
    Banco() : BancoFinestra(ArchivioReale()) { Mostra(std::make_unique<Costruttore>(ctx, d, Apri())); }
    void DoppioClic(Griglia* griglia, int riga) { Clic(griglia, riga, true, 2); }
    void Invio(Griglia* griglia, int riga) { BancoFinestra::Invio(griglia, riga); }
    /// The offsets of a row as "a,b,c": from column 2 in the lists, from column 1 in the method.
    std::string Terzina(Griglia* tabella, int riga) {
        const int n1 = tabella == g("FgZ") ? MN1 : 2;
        return (tabella->Testo(riga, n1) + QLatin1Char(',') + tabella->Testo(riga, n1 + 1) +
                QLatin1Char(',') + tabella->Testo(riga, n1 + 2))
            .toStdString();
    }
};

std::vector<std::pair<std::string, Tabella>> Costruttore_(std::vector<std::string> argomenti) {
    argomenti.insert(argomenti.begin(),
                     {"costruttore", "--archivio", PercorsoDati("archivio-1939-2026.txt")});
    return SequenzaCli(argomenti);
}

} // namespace

class CostruttoreTest : public QObject {
    Q_OBJECT
private slots:
    void aperturaETabelleVuote() {
        Banco b;
        QCOMPARE(b.w->windowTitle(), QStringLiteral("Generazione terzine"));
        QCOMPARE(b.c<QLabel>("LblRiferimento")->text(), QStringLiteral("7370 21/08/2026"));
        QCOMPARE(b.c<QLabel>("LblMese")->text(), QStringLiteral("12"));
        auto* elenco = b.c<QComboBox>("CboElenco");
        QCOMPARE(elenco->count(), 100);
        QCOMPARE(elenco->itemText(99), QStringLiteral("1000"));
        QCOMPARE(elenco->currentText(), QStringLiteral("50"));
        QCOMPARE(b.c<QComboBox>("CboNumeroCasi")->currentText(), QStringLiteral("12"));
        QCOMPARE(b.c<QComboBox>("CboColpi")->currentText(), QStringLiteral("8"));
        QCOMPARE(b.c<QComboBox>("CboMensile")->currentText(), QStringLiteral("12"));
        for (const char* nome : {"FgEV", "fg1", "FgJ", "FgZ", "FgPr", "FgStat"})
            QVERIFY2(b.g(nome)->Righe() == 1, nome);
        QCOMPARE(b.g("FgEV")->Modello().Intestazione(), QString::fromUtf8(IntestazioneCasiCostruttore));
        QCOMPARE(b.g("FgJ")->Modello().Colonne(), 37);
        QVERIFY(b.g("FgEV")->isColumnHidden(CR1N));
        QVERIFY(b.g("FgJ")->isColumnHidden(5));
        QVERIFY(b.g("FgPr")->isColumnHidden(PF1));
        for (int c : {MNCC, MNegative, MDue, MTre})
            QVERIFY(b.g("FgZ")->isColumnHidden(c));
        QCOMPARE(b.g("FgZ")->Modello().Elenco(MN2).size(), 90);
    }

    void catenaEMetodoComeLaRigaDiComando() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        // Two terzine by double click on the list by colpo, a third by Return on the list by case.
        b.DoppioClic(b.g("fg1"), 3);
        b.DoppioClic(b.g("fg1"), 1);
        const std::string terza = b.Terzina(b.g("FgJ"), 1);
        b.Invio(b.g("FgJ"), 1);
        b.Premi("CmdControllaTutte");
        QCOMPARE(b.g("FgZ")->Righe(), 4);
        std::string metodo;
        for (int r = 1; r <= 3; ++r)
            metodo.append(r > 1 ? ";" : "").append(b.Terzina(b.g("FgZ"), r));
        QCOMPARE(b.Terzina(b.g("FgZ"), 3), terza);
        const auto cli = Costruttore_({"--metodo", metodo, "--controlla-tutte"});
        // FgEV fg1 FgJ, then FgZ FgPr FgStat FgJ per terzina, then fg1 again.
        QCOMPARE(cli.size(), size_t(3 + 4 * 3 + 1));
        QVERIFY(DaGriglia(b.g("FgEV")) == cli[0].second);
        QVERIFY(DaGriglia(b.g("fg1")) == cli.back().second);
        for (const auto& [nome, riga] : {std::pair{"FgZ", 12}, {"FgPr", 13}, {"FgStat", 14}, {"FgJ", 15}}) {
            QCOMPARE(cli[static_cast<size_t>(riga - 1)].first, std::string(nome));
            auto finestra = DaGriglia(b.g(nome));
            auto atteso = cli[static_cast<size_t>(riga - 1)].second;
            // The tool adds from the list by colpo; the hidden source columns of a row taken from the
            // list by case hold that list's cells instead.
            if (std::string(nome) == "FgZ")
                for (auto* t : {&finestra, &atteso})
                    for (auto& r : *t)
                        r.resize(MEsiti + 1);
            QVERIFY2(finestra == atteso, nome);
        }
        // The list by case is ordered by its second "Cop": what the method still leaves open.
        auto& j = b.g("FgJ")->Modello();
        for (int r = 2; r < j.Righe(); ++r)
            QVERIFY(j.Valore(r - 1, ColonnaSecondoCop) >= j.Valore(r, ColonnaSecondoCop));
    }

    // The same away from the opening values: every wheel, a later first colpo, the whole period and the
    // first success highlighted, where "Tot", the forecast's extra rows and the count by colpo differ.
    void impostazioniDiverseComeLaRigaDiComando() {
        Banco b;
        b.c<QComboBox>("CboNumeroCasi")->setCurrentIndex(19);
        b.c<QComboBox>("CboDaColpo")->setCurrentIndex(1);
        b.c<QComboBox>("CboColpi")->setCurrentIndex(4);
        b.c<QCheckBox>("ChkInteroPeriodo")->setChecked(true);
        b.c<QCheckBox>("ChkEvidenzia")->setChecked(true);
        b.c<QPushButton>("LblSelezionaTutti")->click();
        b.Premi("CmdGenerazioneTerzine");
        b.DoppioClic(b.g("fg1"), 2);
        b.DoppioClic(b.g("fg1"), 5);
        b.Premi("CmdControllaTutte");
        const std::string metodo = b.Terzina(b.g("FgZ"), 1) + ";" + b.Terzina(b.g("FgZ"), 2);
        const auto cli =
            Costruttore_({"--casi", "20", "--da-colpo", "2", "--colpi", "5", "--intero-periodo",
                          "--evidenzia", "--ruote-gioco", "TU", "--metodo", metodo, "--controlla-tutte"});
        QCOMPARE(cli.size(), size_t(3 + 4 * 2 + 1));
        QVERIFY(DaGriglia(b.g("FgEV")) == cli[0].second);
        QVERIFY(DaGriglia(b.g("fg1")) == cli.back().second);
        for (size_t i = 0; i < 4; ++i) {
            const auto& [nome, atteso] = cli[3 + 4 + i];
            QVERIFY2(DaGriglia(b.g(nome.c_str())) == atteso, nome.c_str());
        }
    }

    void sestaTerzinaEliminaEReset() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        for (int r = 1; r <= 5; ++r)
            b.DoppioClic(b.g("fg1"), r);
        QCOMPARE(b.g("FgZ")->Righe(), 6);
        QCOMPARE(b.g("FgZ")->Testo(5, MOrdinale), QStringLiteral("5"));
        const auto previsioni = DaGriglia(b.g("FgPr"));
        b.DoppioClic(b.g("fg1"), 6);
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QCOMPARE(b.d.messaggi[0].testo, QStringLiteral("Si possono inserire massimo 5 terzine."));
        QCOMPARE(b.d.messaggi[0].titolo, QStringLiteral("Avviso"));
        QCOMPARE(b.g("FgZ")->Righe(), 6);
        QVERIFY(DaGriglia(b.g("FgPr")) == previsioni);

        // Removing the fifth terzina clears its column of marks and its forecast rows.
        b.Premi("CmdEliminaUltima");
        QCOMPARE(b.g("FgZ")->Righe(), 5);
        auto& casi = b.g("FgEV")->Modello();
        for (int r = 1; r < casi.Righe(); ++r)
            QCOMPARE(casi.Sfondo(r, CSegno1 + 4), ColoreBianco);
        for (int r = 1; r < b.g("FgPr")->Righe(); ++r)
            QVERIFY(b.g("FgPr")->Testo(r, PNT) != QStringLiteral("5"));

        // Reset empties the method; the forecast stays until PREVISIONI, which then has nothing to play.
        const auto dopo = DaGriglia(b.g("FgPr"));
        b.Premi("CmdReset");
        QCOMPARE(b.g("FgZ")->Righe(), 1);
        QVERIFY(DaGriglia(b.g("FgPr")) == dopo);
        b.Premi("CmdPrevisioni");
        QCOMPARE(b.g("FgPr")->Righe(), 1);
        QCOMPARE(b.g("FgStat")->Testo(1, 0), QStringLiteral("12"));
        QCOMPARE(b.g("FgStat")->Testo(1, 1), QStringLiteral("0"));
        b.Premi("CmdEliminaUltima"); // nothing to remove: nothing happens
        QCOMPARE(b.d.messaggi.size(), size_t(1));
    }

    void offsetModificatoARifiutoORiprova() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        b.DoppioClic(b.g("fg1"), 1);
        auto& z = b.g("FgZ")->Modello();
        const QString prima = z.Testo(1, MN1);
        const QString altro = z.Testo(1, MN2);
        for (const QString& testo : {QStringLiteral("95"), QString(), QStringLiteral("x"), altro}) {
            z.setData(z.index(0, MN1), testo, Qt::EditRole);
            QTest::qWait(10);
            QCOMPARE(z.Testo(1, MN1), prima);
        }
        QCOMPARE(b.d.messaggi.size(), size_t(4));
        QCOMPARE(b.d.messaggi[0].testo, QStringLiteral("Scrivere un numero da 1 a 90."));
        QVERIFY(b.d.messaggi[3].testo.contains(QStringLiteral("è già nella terzina")));
        // A good value is taken, and the next PREVISIONI plays it.
        const int nuovo = prima.toInt() == 90                  ? 89
                          : prima.toInt() + 1 == altro.toInt() ? 90
                                                               : prima.toInt() + 1;
        z.setData(z.index(0, MN1), QString::number(nuovo), Qt::EditRole);
        QTest::qWait(10);
        QCOMPARE(b.w->Stato().Metodo()[0].A, nuovo);
        b.Premi("CmdPrevisioni");
        const int parametro = b.g("FgEV")->Testo(1, CPar).toInt();
        QCOMPARE(b.g("FgPr")->Testo(1, PN1).toInt(), NumeroGiocato(parametro, nuovo));
    }

    // Digits typed on an offset cell open its editor and are taken as typed, judged as any edit.
    void offsetScrittoATastiera() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        b.DoppioClic(b.g("fg1"), 1);
        auto* z = b.g("FgZ");
        b.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.w.get()));
        const auto scrivi = [&](const QString& testo) {
            z->setFocus();
            z->ImpostaCellaCorrente(1, MN1);
            QTest::qWait(20); // what the last edit queued (the method repainted) has run
            for (const QChar c : testo)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QVERIFY(QApplication::focusWidget() != z); // the editor has the keys
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(z));
            QTest::qWait(20);
        };
        const int altri[] = {z->Testo(1, MN2).toInt(), z->Testo(1, MN3).toInt()};
        int nuovo = 47;
        while (nuovo == altri[0] || nuovo == altri[1] || nuovo == z->Testo(1, MN1).toInt())
            ++nuovo;
        scrivi(QString::number(nuovo));
        QCOMPARE(b.w->Stato().Metodo()[0].A, nuovo);
        QCOMPARE(z->Testo(1, MN1).toInt(), nuovo);
        scrivi(QStringLiteral("7"));
        QCOMPARE(b.w->Stato().Metodo()[0].A, 7 == altri[0] || 7 == altri[1] ? nuovo : 7);
        const auto messaggi = b.d.messaggi.size();
        const int prima = b.w->Stato().Metodo()[0].A;
        scrivi(QStringLiteral("95"));
        QCOMPARE(b.d.messaggi.size(), messaggi + 1);
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Scrivere un numero da 1 a 90."));
        QCOMPARE(b.w->Stato().Metodo()[0].A, prima);
        QCOMPARE(z->Testo(1, MN1).toInt(), prima);
    }

    // Closing the history gives the window back to the builder that opened it, not to whichever
    // window the main window's area would pick.
    void storiaChiusaRidaIlFuocoAlCostruttore() {
        BancoFinestra<Costruttore> b(ArchivioReale());
        Container c(b.ctx, b.d);
        Costruttore* costruttore = nullptr;
        c.RegistraFinestra(QStringLiteral("Command2"), [] {
            auto* w = new QWidget;
            w->resize(200, 150);
            return w;
        });
        c.RegistraFinestra(QStringLiteral("Storia"), [&b] { return new FinestraStoria(b.d); });
        c.RegistraFinestra(QStringLiteral("Command6"), [&] {
            return costruttore =
                       new Costruttore(b.ctx, b.d, [&c](const QString& n) { return c.ApriFinestra(n); });
        });
        c.resize(1280, 900);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        c.ApriFinestra(QStringLiteral("Command2"));
        c.ApriFinestra(QStringLiteral("Command6"));
        costruttore->findChild<QPushButton*>(QStringLiteral("CmdGenerazioneTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !costruttore->Occupata(); }, 20000));
        costruttore->findChild<Griglia*>(QStringLiteral("fg1"))->ImpostaCellaCorrente(2, 0);
        costruttore->findChild<QPushButton*>(QStringLiteral("CmdVisualizzaEsiti"))->click();
        auto* area = c.AreaFinestre();
        QCOMPARE(area->activeSubWindow()->widget()->objectName(), QStringLiteral("Storia"));
        area->activeSubWindow()->close();
        QTRY_VERIFY(area->activeSubWindow() && area->activeSubWindow()->widget() == costruttore);
        QTest::qWait(20);
        QCOMPARE(area->activeSubWindow()->widget(), costruttore);
    }

    void interruzioneLasciaIlSecondoElenco() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        const auto perCaso = DaGriglia(b.g("FgJ"));
        {
            PoolFermo pool;
            b.c<QComboBox>("CboColpi")->setCurrentIndex(3);
            b.c<QPushButton>("CmdElaboraTerzine")->click();
            QVERIFY(b.w->Occupata());
            b.c<QToolButton>("CmdInterrompi")->click();
            pool.Libera();
            QVERIFY(QTest::qWaitFor([&] { return !b.w->Occupata(); }, 20000));
        }
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QCOMPARE(b.d.messaggi[0].testo, QStringLiteral("Elaborazione interrota."));
        QVERIFY(DaGriglia(b.g("FgJ")) == perCaso);
        QCOMPARE(b.c<QProgressBar>("ProgressBar1")->value(), 0);
    }

    // Keyboard alone, in a window narrower than its controls (beside the draws list): Tab goes through
    // every control as drawn, no table keeps it, and each control it reaches is scrolled into view.
    void tabulazioneInFinestraStretta() {
        Banco b;
        b.w->resize(860, 520);
        QTest::qWait(20);
        QWidget* primo = b.c<QWidget>("CmdCercaData");
        primo->setFocus(Qt::TabFocusReason);
        QStringList nomi;
        for (int i = 0; i < 80; ++i) {
            QWidget* f = QApplication::focusWidget();
            if (!f || (i > 0 && f == primo)) break;
            if (f->objectName() != QStringLiteral("qt_tabwidget_tabbar")) nomi << f->objectName();
            QVERIFY2(!f->visibleRegion().isEmpty(), qPrintable(f->objectName()));
            QTest::keyClick(f, Qt::Key_Tab);
            QTest::qWait(1);
        }
        QVERIFY2(QApplication::focusWidget() == primo, qPrintable(nomi.join(QLatin1Char(' '))));
        QCOMPARE(nomi.join(QLatin1Char(' ')),
                 QStringLiteral(
                     "CmdCercaData CmdCercaIndice CmdUltima CmdSettaMensile CboNumeroCasi CboMensile "
                     "ChkForzaUltima CboRuota Posizione1 Posizione2 Posizione3 Posizione4 Posizione5 "
                     "OptSomma CboTrasformazione CboFisso CmdSceltaTrasformazione LblSelezionaTutti "
                     "LblDeseleziona FgRuote CboDaColpo CboColpi CboElenco ChkInteroPeriodo ChkEvidenzia "
                     "CmdGenerazioneTerzine CmdElaboraTerzine CmdCopiaSecondoElenco CmdControllaTutte "
                     "CmdPrevisioni Command1 CmdVisualizzaEsiti CmdVecchiePrevisioni CmdInterrompi CmdHelp "
                     "CmdCopiaCasi FgEV CmdCopiaPrevisioni CmdStampaPrevisioni FgPr fg1 CmdEliminaUltima "
                     "CmdReset FgZ FgStat"));
    }

    void esitiERitardi() {
        Banco b;
        b.Premi("CmdGenerazioneTerzine");
        b.g("fg1")->ImpostaCellaCorrente(2, 0);
        b.Premi("CmdVisualizzaEsiti");
        QVERIFY(b.storia);
        QCOMPARE(b.storia->Tabella().Righe(), 13); // one line per case
        auto storia = Costruttore_({"--esiti", "2"}).back().second;
        storia.resize(13); // the summary lines follow the table
        QVERIFY(DaGriglia(&b.storia->Tabella()) == storia);
        b.DoppioClic(b.g("fg1"), 1);
        b.DoppioClic(b.g("FgPr"), 1);
        QVERIFY(b.ritardi);
        QVERIFY(b.ritardi->windowTitle().startsWith(QStringLiteral("Ritardi all'estrazione N° 7370")));
    }
};

static RegistraTest<CostruttoreTest> registra;
#include "CostruttoreTest.moc"
