// SPDX-License-Identifier: GPL-3.0-or-later
// The archive window on a small archive database of its own: the keyboard of the entry boxes,
// saving, correcting and deleting a draw with the reload after it, the searches, the paste rule,
// the list of draws and the calendar of a year.
#include <sys/stat.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/maintenance/Esportazioni.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/Piattaforma.h"
#include "gui/analysis/Special.h"
#include "gui/archive/Archivio.h"
#include "gui/archive/PaginaSalvataggi.h"
#include "gui/shell/Container.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// A program folder with an archive of 40 draws, the model starting at draw 5, the main window
/// and the archive window over it.
struct Banco {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    std::vector<RigaEstrazione> righe = RigheCasuali(40, 17, 0, 0, 0.05);
    std::unique_ptr<Container> principale;
    std::unique_ptr<Archivio> w;

    Banco() {
        {
            auto db = DatabaseArchivio::ApriOCrea(cartella / "Archivio.mdb");
            for (const auto& r : righe)
                db->Inserisci(r, "2026-12-08", "10:00:00");
        }
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.RegistraArchivioScelto(cartella / "Archivio.mdb");
        ctx.ApriArchivio();
        ctx.EstrazioneIniziale = 5;
        ctx.CaricamentoIniziale();
        principale = std::make_unique<Container>(ctx, d);
        w = std::make_unique<Archivio>(ctx, d, principale->BarraProgresso(),
                                       [this] { principale->CaricaArchivioExNovo(); });
        w->resize(1100, 680);
        w->show();
        QApplication::setActiveWindow(w.get());
    }
    template <class T> T* c(const QString& nome) { return w->findChild<T*>(nome); }
    QLineEdit* Box(int b) { return c<QLineEdit>(QStringLiteral("txtin%1").arg(b)); }
    QString Etichetta(const char* nome) { return c<QLabel>(QString::fromLatin1(nome))->text(); }
    QString Principale(const char* nome) {
        return principale->findChild<QLabel*>(QString::fromLatin1(nome))->text();
    }
    void Premi(const char* nome) {
        if (auto* b = c<QPushButton>(QString::fromLatin1(nome)))
            b->click();
        else
            c<QToolButton>(QString::fromLatin1(nome))->click();
    }
    /// Boxes holding Bari 01..05, Cagliari 06..10 … Venezia 46..50, Nazionale empty.
    void Riempi() {
        TestiCaselle t;
        for (int b = 1; b <= 50; ++b)
            t[static_cast<size_t>(b - 1)] =
                QStringLiteral("%1").arg(b, 2, 10, QLatin1Char('0')).toStdString();
        w->ImpostaCaselle(t);
    }
    std::string Ultima() const {
        return ctx.Archivio().DateEstrazioni[static_cast<size_t>(ctx.Archivio().NumeroEstrazioni)];
    }
};

QDate Giorno(const std::string& testo) {
    return QDate::fromString(QString::fromStdString(testo), QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class ArchivioTest : public QObject {
    Q_OBJECT
private slots:
    void apertura() {
        Banco b;
        QCOMPARE(b.w->windowTitle(), QStringLiteral("Gestione archivio DB"));
        QCOMPARE(b.Etichetta("LBLESTRAZIONE"), QString::fromStdString(b.Ultima()));
        QCOMPARE(b.Etichetta("LblNumEstrazioni"), QStringLiteral("40"));
        QCOMPARE(b.Etichetta("LblAggiornatoAl"), QString::fromStdString(b.Ultima()));
        QCOMPARE(b.Etichetta("pAN_DC"), QStringLiteral("40"));
        const auto& n = b.ctx.Archivio().Estrazioni[40];
        QCOMPARE(b.Box(1)->text(), QStringLiteral("%1").arg(n[0][0], 2, 10, QLatin1Char('0')));
        QCOMPARE(b.c<QComboBox>(QStringLiteral("CboAnno"))->currentText(),
                 QString::number(QDate::currentDate().year()));
        QCOMPARE(b.c<QComboBox>(QStringLiteral("CboAnno"))->itemText(0), QStringLiteral("1939"));
        QCOMPARE(b.c<QLineEdit>(QStringLiteral("TxtDataSelezionata"))->text(),
                 QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    }

    void tastieraDelleCaselle() {
        Banco b;
        b.Premi("CmdAzzera");
        b.Box(1)->setFocus();
        QTest::keyClicks(b.Box(1), QStringLiteral("7"));
        QTest::keyClick(b.Box(1), Qt::Key_Return);
        QCOMPARE(b.Box(1)->text(), QStringLiteral("07"));
        QVERIFY(b.Box(2)->hasFocus());
        QTest::keyClicks(b.Box(2), QStringLiteral("0"));
        QTest::keyClick(b.Box(2), Qt::Key_Return);
        QCOMPARE(b.Box(2)->text(), QString());
        QVERIFY(b.Box(2)->hasFocus());
        for (const auto& [digitato, resta] :
             std::vector<std::pair<QString, QString>>{{QStringLiteral("95"), QString()},
                                                      {QStringLiteral("99"), QStringLiteral("99")},
                                                      {QStringLiteral("a"), QString()},
                                                      {QStringLiteral("4x"), QString()}}) {
            b.Box(2)->clear();
            QTest::keyClicks(b.Box(2), digitato);
            QCOMPARE(b.Box(2)->text(), resta);
        }
        // The four wrap-arounds, each from a box holding two digits.
        for (const auto& [da, tasto, a] :
             std::vector<std::tuple<int, Qt::Key, int>>{{10, Qt::Key_Right, 6},
                                                        {53, Qt::Key_Down, 3},
                                                        {2, Qt::Key_Up, 52},
                                                        {51, Qt::Key_Left, 55}}) {
            b.Box(da)->setFocus();
            b.Box(da)->setText(QStringLiteral("12"));
            QTest::keyClick(b.Box(da), tasto);
            QVERIFY2(b.Box(a)->hasFocus(), qPrintable(QStringLiteral("da %1 a %2").arg(da).arg(a)));
        }
        // One digit and an arrow: the box is emptied and keeps the focus.
        b.Box(8)->setFocus();
        b.Box(8)->setText(QStringLiteral("5"));
        QTest::keyClick(b.Box(8), Qt::Key_Right);
        QCOMPARE(b.Box(8)->text(), QString());
        QVERIFY(b.Box(8)->hasFocus());
        // Leaving a box writes it with two digits; it is yellow only while it has the focus.
        QTest::keyClicks(b.Box(8), QStringLiteral("3"));
        b.Box(9)->setFocus();
        QCOMPARE(b.Box(8)->text(), QStringLiteral("03"));
        QVERIFY(b.Box(9)->styleSheet().contains(QStringLiteral("#ffff00")));
        QVERIFY(!b.Box(8)->styleSheet().contains(QStringLiteral("#ffff00")));
    }

    void cifreDigitateInAnticipo() {
        // Keys typed ahead reach the next box before the program has had a moment: none of the digits
        // may be lost, whether the box was reached by Enter or by a click.
        Banco b;
        b.Premi("CmdAzzera");
        b.Box(1)->setFocus();
        QTest::keyClicks(b.Box(1), QStringLiteral("12"));
        QTest::keyClick(b.Box(1), Qt::Key_Return);
        QVERIFY(b.Box(2)->hasFocus());
        QTest::keyClick(b.Box(2), Qt::Key_4);
        QCoreApplication::processEvents();
        QTest::keyClick(b.Box(2), Qt::Key_5);
        QCOMPARE(b.Box(2)->text(), QStringLiteral("45"));
        QTest::mouseClick(b.Box(3), Qt::LeftButton);
        QVERIFY(b.Box(3)->hasFocus());
        QTest::keyClick(b.Box(3), Qt::Key_6);
        QCoreApplication::processEvents();
        QTest::keyClick(b.Box(3), Qt::Key_7);
        QCOMPARE(b.Box(3)->text(), QStringLiteral("67"));
        // A box reached by Enter still starts with its old number selected, ready to be typed over.
        b.Box(5)->setText(QStringLiteral("88"));
        b.Box(4)->setFocus();
        QTest::keyClicks(b.Box(4), QStringLiteral("9"));
        QTest::keyClick(b.Box(4), Qt::Key_Return);
        QVERIFY(b.Box(5)->hasFocus());
        QTest::keyClicks(b.Box(5), QStringLiteral("33"));
        QCOMPARE(b.Box(5)->text(), QStringLiteral("33"));
    }

    void salvaUnaNuovaEstrazione() {
        Banco b;
        const QDate nuova = Giorno(b.Ultima()).addDays(2);
        b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->setSelectedDate(nuova);
        b.Riempi(); // Nazionale left empty
        b.d.risposte.push_back(true);
        b.Premi("Command8");
        const QString data = nuova.toString(QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(b.d.messaggi.at(0).testo, QStringLiteral("Confermi il salvataggio dell'estrazione del ") +
                                               data + QStringLiteral(" ?"));
        QCOMPARE(b.d.messaggi.at(1).testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
        QCOMPARE(b.d.messaggi.at(1).titolo, QStringLiteral("Salvataggio estrazione"));
        // Reloaded: the new last draw, the model back to the whole archive, both windows' labels.
        const auto& a = b.ctx.Archivio();
        QCOMPARE(a.NumeroEstrazioni, 41);
        QCOMPARE(a.IndiciModello[1], 1);
        QCOMPARE(b.Principale("Lbl_inizioNE"), QStringLiteral("1"));
        QCOMPARE(b.Principale("Lbl_fineNE"), QStringLiteral("41"));
        QCOMPARE(b.Etichetta("LBLESTRAZIONE"), data);
        QCOMPARE(b.Etichetta("LblNumEstrazioni"), QStringLiteral("41"));
        QCOMPARE(b.c<QScrollBar>(QStringLiteral("HScrestrazione"))->maximum(), 41);
        QCOMPARE(b.w->findChild<Griglia*>(QStringLiteral("FgDB"))->Righe(), 42);
        // The empty wheel is stored as such and shows as "00".
        const auto scritta = b.ctx.ConnessioneArchivio().Trova(data.toStdString());
        QVERIFY(scritta.has_value());
        QCOMPARE(QString::fromStdString(scritta->Celle[0]), QStringLiteral("01-02-03-04-05"));
        QCOMPARE(QString::fromStdString(scritta->Celle[10]), QStringLiteral("----"));
        for (int box = 51; box <= 55; ++box)
            QCOMPARE(b.Box(box)->text(), QStringLiteral("00"));

        // The same date again: refused, nothing written or reloaded.
        b.d.messaggi.clear();
        b.d.risposte.push_back(true);
        b.Premi("Command8");
        QCOMPARE(b.d.messaggi.back().testo,
                 QStringLiteral("Attenzione probabilmente hai inserito una data già memorizzata..."));
        QCOMPARE(b.d.messaggi.back().titolo, QStringLiteral("Anomalia archivio"));
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, 41);
        QCOMPARE(b.ctx.ConnessioneArchivio().Conta(), 41);
    }

    void estrazioniRifiutate() {
        Banco b;
        b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->setSelectedDate(Giorno(b.Ultima()).addDays(3));
        const auto prova = [&](int box, const QString& testo, const QString& atteso) {
            b.Riempi();
            b.Box(box)->setText(testo);
            b.d.messaggi.clear();
            b.d.risposte.push_back(true);
            b.Premi("Command8");
            QCOMPARE(b.d.messaggi.size(), size_t(1)); // no question: refused before it
            QCOMPARE(b.d.messaggi[0].testo, atteso);
            b.d.risposte.clear();
            QCOMPARE(b.ctx.ConnessioneArchivio().Conta(), 40);
        };
        prova(13, QStringLiteral("99"),
              QStringLiteral("Ruota di Firenze, casella 13: \"99\" non è un numero da 1 a 90."));
        prova(34, QStringLiteral("32"),
              QStringLiteral("Ruota di Palermo: il numero 32 è ripetuto (caselle 32 e 34)."));
        prova(2, QString(),
              QStringLiteral("Ruota di Bari: manca il numero nella casella 2. Una ruota va completata "
                             "con cinque numeri o lasciata tutta vuota."));
        // Correcting a stored draw is checked the same way.
        b.Box(1)->setText(QStringLiteral("99"));
        b.d.messaggi.clear();
        b.Premi("Command3");
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QVERIFY(b.d.messaggi[0].testo.startsWith(QStringLiteral("Ruota di Bari, casella 1")));
    }

    void modificaEdElimina() {
        Banco b;
        b.w->MostraEstrazione(30);
        const QString data = QString::fromStdString(b.ctx.Archivio().DateEstrazioni[30]);
        b.Riempi();
        b.d.risposte.push_back(true);
        b.Premi("Command3");
        QCOMPARE(
            b.d.messaggi.at(0).testo,
            QStringLiteral("Confermi la modifica dell'estrazione del ") + data +
                QStringLiteral(" ?  La modifica è relativa agli estratti e viene mantenuta la stessa data."));
        QCOMPARE(b.d.messaggi.at(1).testo, QStringLiteral("Modifica effettuata. Ricarico archivio."));
        // Same date, same place, shown again.
        QCOMPARE(b.ctx.Archivio().DateEstrazioni[30], data.toStdString());
        QCOMPARE(b.ctx.Archivio().Estrazioni[30][0][0], int16_t(1));
        QCOMPARE(b.w->IndiceCorrente(), 30);
        QCOMPARE(b.Etichetta("LBLESTRAZIONE"), data);
        QCOMPARE(b.Box(50)->text(), QStringLiteral("50"));

        b.d.messaggi.clear();
        b.d.risposte.push_back(true);
        b.Premi("Command2");
        QCOMPARE(b.d.messaggi.at(0).testo, QStringLiteral("Attenzione: sarà eliminata l'estrazione del ") +
                                               data + QStringLiteral(".  Confermi ?"));
        QCOMPARE(b.d.messaggi.at(0).titolo, QStringLiteral("Eliminazione record"));
        // Enter on the question must not delete a draw.
        QVERIFY(b.d.messaggi.at(0).predefinita == Dialoghi::Risposta::No);
        QCOMPARE(b.d.messaggi.at(1).testo,
                 QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."));
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, 39);
        QCOMPARE(b.w->IndiceCorrente(), 39); // the newest draw is shown
        QVERIFY(!b.ctx.ConnessioneArchivio().Trova(data.toStdString()).has_value());
        // A No leaves everything as it is.
        b.d.risposte.push_back(false);
        b.Premi("Command2");
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, 39);
    }

    void scritturaConUnaFinestraDiAnalisiAperta() {
        Banco b;
        QProgressBar barra;
        Special analisi(b.ctx, b.d, &barra, [](const QString&) { return nullptr; });
        analisi.findChild<QComboBox*>(QStringLiteral("CboNumeroCasi"))->setCurrentIndex(2);
        analisi.findChild<QComboBox*>(QStringLiteral("CboMensile"))->setCurrentIndex(1);
        analisi.findChild<QPushButton*>(QStringLiteral("CmdGeneraTerzine"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !analisi.Occupata(); }, 20000));
        auto* lista = analisi.findChild<Griglia*>(QStringLiteral("fg1"));
        const QString prima = lista->Modello().TestoCompleto();
        QVERIFY(lista->Righe() > 1);
        b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->setSelectedDate(Giorno(b.Ultima()).addDays(1));
        b.Riempi();
        b.d.risposte.push_back(true);
        b.Premi("Command8");
        QCOMPARE(b.ctx.Archivio().NumeroEstrazioni, 41);
        // The analysis keeps its tables; its next move reads the new archive.
        QCOMPARE(lista->Modello().TestoCompleto(), prima);
        analisi.findChild<QToolButton*>(QStringLiteral("CmdUltima"))->click();
        QCOMPARE(analisi.findChild<QScrollBar*>(QStringLiteral("hsRiferimento"))->value(), 41);
    }

    void ricercheENavigazione() {
        Banco b;
        b.d.input = {QStringLiteral("19")};
        b.Premi("CmdCercaIndice");
        QCOMPARE(b.w->IndiceCorrente(), 40); // below 20: nothing
        b.d.input = {QStringLiteral("25")};
        b.Premi("CmdCercaIndice");
        QCOMPARE(b.w->IndiceCorrente(), 25);
        // The index label takes any index of the scroll bar's range.
        b.d.input = {QStringLiteral("3")};
        QTest::mouseClick(b.c<QLabel>(QStringLiteral("pAN_DC")), Qt::LeftButton);
        QCOMPARE(b.w->IndiceCorrente(), 3);
        QVERIFY(
            b.d.richieste.last().startsWith(QStringLiteral("Indice estrazione: Digitare il numero indice")));
        // The date search compares the text: without leading zeros nothing is found.
        const QString data = QString::fromStdString(b.ctx.Archivio().DateEstrazioni[12]);
        QString senzaZeri = data;
        senzaZeri.remove(0, data.startsWith(QLatin1Char('0')) ? 1 : 0);
        if (senzaZeri != data) {
            b.d.input = {senzaZeri};
            b.Premi("CmdCercaData");
            QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Data non trovata"));
            QCOMPARE(b.d.messaggi.back().titolo, QStringLiteral("Cerca data"));
        }
        // Model draws only: draw 2 lies before the model, which starts at draw 5.
        b.d.input = {QString::fromStdString(b.ctx.Archivio().DateEstrazioni[2])};
        b.Premi("CmdCercaData");
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Data non trovata"));
        b.d.input = {data};
        b.Premi("CmdCercaData");
        QCOMPARE(b.w->IndiceCorrente(), 12);
        b.Premi("CmdUltima");
        QCOMPARE(b.w->IndiceCorrente(), 40);
        // The list: a click paints the row, "Selezione estrazione" shows it on the first page.
        auto* elenco = b.w->findChild<Griglia*>(QStringLiteral("FgDB"));
        QCOMPARE(elenco->Testo(7, 0), QString::fromStdString(b.ctx.Archivio().DateEstrazioni[7]));
        elenco->ImpostaCellaCorrente(7, 1);
        emit elenco->Clic(7, 1);
        QCOMPARE(elenco->Modello().Sfondo(7, 3), ColoreEvidenza);
        QCOMPARE(elenco->Modello().Sfondo(6, 3), ColoreBianco);
        b.Premi("CmdSelezione");
        QCOMPARE(b.w->IndiceCorrente(), 7);
        QCOMPARE(b.c<QLineEdit>(QStringLiteral("TxtDataSelezionata"))->text(),
                 QString::fromStdString(b.ctx.Archivio().DateEstrazioni[7]));
    }

    void incollaEstrazione() {
        Banco b;
        QApplication::clipboard()->setText(QStringLiteral("1 2 3\n"));
        b.Premi("CmdIncolla");
        QCOMPARE(b.Box(1)->text(), QStringLiteral("01"));
        QCOMPARE(b.Box(3)->text(), QStringLiteral("03"));
        QCOMPARE(b.Box(4)->text(), QStringLiteral("00"));
        QCOMPARE(b.c<QLineEdit>(QStringLiteral("TxtIncolla"))->text(), QStringLiteral(" 1 2 3\n"));
        // Without a trailing separator the last number is kept, not dropped.
        QApplication::clipboard()->setText(QStringLiteral("4 5 6"));
        b.Premi("CmdIncolla");
        QCOMPARE(b.Box(2)->text(), QStringLiteral("05"));
        QCOMPARE(b.Box(3)->text(), QStringLiteral("06"));
        QCOMPARE(b.Box(4)->text(), QStringLiteral("00"));
        // A copied text with an issue number and a year: those boxes are left empty, not given
        // the first two digits ("10", "20") as numbers that would pass the check.
        QApplication::clipboard()->setText(QStringLiteral("n. 101 del 22/08/2026 Bari 80 33\n"));
        b.Premi("CmdIncolla");
        const QStringList attesi = {QString(),           QStringLiteral("22"), QStringLiteral("08"),
                                    QString(),           QStringLiteral("80"), QStringLiteral("33"),
                                    QStringLiteral("00")};
        for (int box = 1; box <= attesi.size(); ++box)
            QCOMPARE(b.Box(box)->text(), attesi[box - 1]);
        b.Box(30)->setFocus();
        b.Premi("CmdAzzera");
        for (int box = 1; box <= 55; ++box)
            QVERIFY(b.Box(box)->text().isEmpty());
        QVERIFY(b.Box(1)->hasFocus()); // typing starts again from Bari
    }

    void estrazioneDaTastiera() {
        Banco b;
        const QDate nuova = Giorno(b.Ultima()).addDays(1);
        const auto tasto = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), k, m);
        };
        QVERIFY(QTest::qWaitForWindowExposed(b.w.get()));
        b.Box(17)->setFocus();
        tasto(Qt::Key_Z, Qt::AltModifier);
        QTRY_VERIFY(b.Box(1)->hasFocus()); // a button's key clicks it a moment later
        for (int n = 1; n <= 50; ++n) {    // Nazionale left empty
            QTest::keyClicks(QApplication::focusWidget(), QString::number(n));
            tasto(Qt::Key_Return);
        }
        QVERIFY(b.Box(51)->hasFocus());
        // The date: Alt+D reaches the box, a date typed in full moves the calendar.
        tasto(Qt::Key_D, Qt::AltModifier);
        auto* casella = b.c<QLineEdit>(QStringLiteral("TxtDataSelezionata"));
        QVERIFY(casella->hasFocus());
        QTest::keyClicks(casella, nuova.toString(QStringLiteral("d/M/yyyy")));
        QCOMPARE(b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->selectedDate(), nuova);
        tasto(Qt::Key_Return);
        const QString data = nuova.toString(QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(casella->text(), data);
        b.d.risposte.push_back(true);
        tasto(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(b.d.messaggi.size(), size_t(2));
        QCOMPARE(b.d.messaggi.at(0).testo, QStringLiteral("Confermi il salvataggio dell'estrazione del ") +
                                               data + QStringLiteral(" ?"));
        const auto scritta = b.ctx.ConnessioneArchivio().Trova(data.toStdString());
        QVERIFY(scritta.has_value());
        QCOMPARE(QString::fromStdString(scritta->Celle[9]), QStringLiteral("46-47-48-49-50"));
        // A date left half typed gives way to the calendar's, which is the one that counts.
        tasto(Qt::Key_D, Qt::AltModifier);
        QTest::keyClicks(casella, QStringLiteral("3/1"));
        b.Box(1)->setFocus();
        QCOMPARE(casella->text(), data);
        QCOMPARE(b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->selectedDate(), nuova);
    }

    void focusTraLeCaselleEGriglie() {
        Banco b;
        // Focus passing through a box leaves no selection behind in it.
        b.Box(5)->setFocus();
        b.Box(6)->setFocus();
        QTest::qWait(20);
        QVERIFY(b.Box(5)->selectedText().isEmpty());
        QCOMPARE(b.Box(6)->selectedText(), b.Box(6)->text());
        // Tab leaves the grids instead of walking their cells one by one.
        auto* fg1 = b.w->findChild<Griglia*>(QStringLiteral("fg1"));
        b.c<QComboBox>(QStringLiteral("CboAnno"))->setCurrentText(QStringLiteral("2000"));
        fg1->ImpostaCellaCorrente(1, 3);
        fg1->setFocus();
        QTest::keyClick(fg1, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(!fg1->hasFocus());
        b.c<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        auto* elenco = b.w->findChild<Griglia*>(QStringLiteral("FgDB"));
        elenco->setFocus();
        QTest::keyClick(elenco, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(!elenco->hasFocus());
    }

    void salvataggi() {
        Banco b;
        auto* pagina = b.w->findChild<PaginaSalvataggi*>();
        QVERIFY(pagina);
        const auto attendi = [&] { QVERIFY(QTest::qWaitFor([&] { return !pagina->Occupata(); }, 10000)); };
        // Dati.iii: the chosen name gets its extension; the label keeps the whole file name.
        b.d.file = {QString::fromStdString(b.cartella / "esporta")};
        b.Premi("CmdDatiIii");
        attendi();
        const auto file = b.cartella / "esporta.iii";
        QCOMPARE(b.w->findChild<QLabel*>(QStringLiteral("LblDatiIii"))->text(), QString::fromStdString(file));
        EsportaDatiIii(b.ctx.Archivio(), b.cartella / "atteso.iii");
        QFile a(QString::fromStdString(file)), e(QString::fromStdString(b.cartella / "atteso.iii"));
        QVERIFY(a.open(QIODevice::ReadOnly) && e.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), e.readAll());
        QCOMPARE(a.size(), qint64(40 * 110));
        QCOMPARE(b.d.messaggi.back().testo,
                 QStringLiteral("Esportazione completata. File scritto:\n") + QString::fromStdString(file));
        b.Premi("CmdRendePredefinita");
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Salvataggio effettuato"));
        QCOMPARE(QString::fromStdString(*b.ctx.DbProgramma->LeggiParametro("PercorsoDati.iii")),
                 QString::fromStdString(file));
        // Quorvex where its folder is missing: the folder is made, and the message says where.
        const auto quorvex = QString::fromStdString(b.cartella / "wine/QRVX3/DATI32.III");
        pagina->ImpostaPercorsoQuorvex(quorvex);
        QCOMPARE(
            b.w->findChild<QLabel*>(QStringLiteral("LblNotaQuorvex"))->text(),
            QStringLiteral("Attenzione, questo file deve essere obbligatoriamente salvato nella cartella "
                           "C:/Qrvx3/ ....."));
        b.Premi("CmdQuorvex");
        attendi();
        QCOMPARE(b.d.messaggi.back().testo,
                 QStringLiteral("Esportazione completata. File scritto:\n") + quorvex);
        QCOMPARE(b.d.messaggi.back().icona, Dialoghi::Icona::Informazione);
        QCOMPARE(QFileInfo(quorvex).size(), qint64(40 * 114));
        // A folder that cannot be made (a file stands in its place): the failure, not a success.
        std::ofstream(b.cartella / "bloccato") << "x";
        pagina->ImpostaPercorsoQuorvex(QString::fromStdString(b.cartella / "bloccato/QRVX3/DATI32.III"));
        b.Premi("CmdQuorvex");
        attendi();
        QVERIFY(b.d.messaggi.back().testo.startsWith(QStringLiteral("Attenzione Quorvex non presente.\n")));
        b.d.file = {QString::fromStdString(b.cartella / "naz")};
        b.Premi("CmdNazionale");
        attendi();
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Esportazione completata. File scritto:\n") +
                                                QString::fromStdString(b.cartella / "naz.Txt"));
        // A text list that cannot be written is reported, not passed over.
        b.d.file = {QString::fromStdString(b.cartella / "manca/naz.Txt")};
        b.Premi("CmdNazionale");
        attendi();
        QVERIFY(b.d.messaggi.back().testo.startsWith(QStringLiteral("Esportazione non riuscita.")));
        // A FIFO chosen as the file is reported and stays a FIFO.
        const auto fifo = b.cartella / "fifo.Txt";
        QCOMPARE(mkfifo(fifo.c_str(), 0600), 0);
        b.d.file = {QString::fromStdString(fifo)};
        b.Premi("CmdNazionale");
        attendi();
        QVERIFY(b.d.messaggi.back().testo.startsWith(QStringLiteral("Esportazione non riuscita.\n")));
        QVERIFY(b.d.messaggi.back().testo.contains(QStringLiteral("è una FIFO, non un file normale")));
        QCOMPARE(TipoDi(fifo), TipoFile::Fifo);
        b.d.file.clear(); // cancelled: nothing at all
        b.Premi("CmdNazionale");
        QVERIFY(!pagina->Occupata());
    }

    void calendarioDellAnno() {
        Banco b; // the random draws run from 01/01/2000 on
        auto* anno = b.c<QComboBox>(QStringLiteral("CboAnno"));
        auto* fg1 = b.w->findChild<Griglia*>(QStringLiteral("fg1"));
        anno->setCurrentText(QStringLiteral("1999"));
        QCOMPARE(fg1->Righe(), 1);
        QCOMPARE(fg1->RigaCorrente(), 0);
        anno->setCurrentText(QStringLiteral("2000"));
        QVERIFY(fg1->Righe() >= 2);
        QCOMPARE(fg1->Testo(1, 0), QStringLiteral("2000"));
        QCOMPARE(fg1->Testo(1, 1), QStringLiteral("1"));
        QCOMPARE(fg1->Testo(0, 2), QStringLiteral("1"));
        QCOMPARE(fg1->Testo(1, 2), QStringLiteral("7")); // 01/01/2000 was a Saturday
        QCOMPARE(fg1->Modello().Sfondo(1, 0), ColoreGialloChiaro);
        QCOMPARE(fg1->Modello().Sfondo(1, 1), ColoreVerdeChiaro);
        const int ultima = fg1->Righe() - 1;
        QCOMPARE(fg1->RigaCorrente(), ultima);
        QVERIFY(!fg1->Testo(ultima, fg1->ColonnaCorrente()).isEmpty());
        // Letters on ticking, numbers again on unticking.
        b.c<QCheckBox>(QStringLiteral("ChkSigla"))->click();
        QCOMPARE(fg1->Testo(1, 2), QStringLiteral("S"));
        b.c<QCheckBox>(QStringLiteral("ChkSigla"))->click();
        QCOMPARE(fg1->Testo(1, 2), QStringLiteral("7"));
        // A double click on a day shows that draw.
        emit fg1->DoppioClic(1, 2);
        QCOMPARE(b.Etichetta("LBLESTRAZIONE"), QStringLiteral("01/01/2000"));
        // A month of two digits, bold, fits its column.
        b.c<QCalendarWidget>(QStringLiteral("MonthView1"))->setSelectedDate(QDate(2000, 12, 23));
        b.Riempi();
        b.d.risposte.push_back(true);
        b.Premi("Command8");
        anno->setCurrentText(QStringLiteral("2000"));
        b.Premi("CmdCaricaCalendario");
        QCOMPARE(fg1->Testo(fg1->Righe() - 1, 1), QStringLiteral("12"));
        for (int col : {0, 1})
            QVERIFY2(fg1->columnWidth(col) >= fg1->LarghezzaNecessaria(col),
                     qPrintable(QString::number(col)));
        // Every day of the header shows both its digits, inside the margins the style draws it in.
        auto* intestazione = fg1->horizontalHeader();
        const int margine =
            intestazione->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, intestazione);
        for (int col = 2; col < fg1->Modello().Colonne(); ++col) {
            const QString giorno = fg1->Testo(0, col);
            QVERIFY2(intestazione->sectionSize(col) >=
                         intestazione->fontMetrics().horizontalAdvance(giorno) + 2 * margine,
                     qPrintable(giorno));
        }
    }
};

static RegistraTest<ArchivioTest> registra;
#include "ArchivioTest.moc"
