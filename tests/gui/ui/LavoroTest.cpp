// SPDX-License-Identifier: GPL-3.0-or-later
// Jobs off the UI thread: results and progress come back on the UI thread, a stop asked before the
// job starts is kept, and a job whose owner has gone ends on its own without calling back.
#include <QApplication>
#include <QProgressBar>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <future>

#include "TestUi.h"
#include "gui/ui/Lavoro.h"

using namespace trivalto;
using namespace trivalto::test;

class LavoroTest : public QObject {
    Q_OBJECT
private slots:
    void risultatoEProgressoSulThreadDellInterfaccia() {
        QObject contesto;
        QProgressBar barra;
        std::promise<void> via;
        auto segnale = via.get_future().share();
        QThread* threadRisultato = nullptr;
        int risultato = 0;
        auto lavoro = AvviaLavoro<int>(
            &contesto, &barra,
            [segnale](const ControlloLavoro& ctl) {
                ctl.Progresso(7, 20);
                segnale.wait();
                return 42;
            },
            [&](int r) {
                threadRisultato = QThread::currentThread();
                risultato = r;
            },
            [](std::exception_ptr) { QFAIL("nessun errore atteso"); });
        QVERIFY(QTest::qWaitFor([&] { return barra.value() == 7; }, 5000));
        QCOMPARE(barra.maximum(), 20);
        QVERIFY(lavoro.InCorso());
        via.set_value();
        QVERIFY(QTest::qWaitFor([&] { return risultato == 42; }, 5000));
        QCOMPARE(threadRisultato, qApp->thread());
        QVERIFY(!lavoro.InCorso());
    }

    void eccezioneConLaSuaCausa() {
        QObject contesto;
        QString causa;
        bool chiamato = false;
        AvviaLavoro<int>(
            &contesto, nullptr,
            [](const ControlloLavoro&) -> int { throw std::runtime_error("disco pieno"); },
            [](int) { QFAIL("nessun risultato atteso"); },
            [&](std::exception_ptr e) {
                chiamato = true;
                causa = CausaErrore(e);
            });
        QVERIFY(QTest::qWaitFor([&] { return chiamato; }, 5000));
        QCOMPARE(causa, QStringLiteral("disco pieno"));
    }

    void stopChiestoPrimaDellAvvio() {
        // One pool thread, held busy: the job waits in the queue while the stop is asked.
        auto* pool = QThreadPool::globalInstance();
        const int thread = pool->maxThreadCount();
        pool->setMaxThreadCount(1);
        std::promise<void> libera;
        auto attesa = libera.get_future().share();
        QThreadPool::globalInstance()->start([attesa] { attesa.wait(); });
        QObject contesto;
        int visto = -1;
        auto lavoro = AvviaLavoro<int>(
            &contesto, nullptr, [](const ControlloLavoro& ctl) { return ctl.Interrompi->load() ? 1 : 0; },
            [&](int v) { visto = v; }, [](std::exception_ptr) {});
        lavoro.Ferma();
        libera.set_value();
        QVERIFY(QTest::qWaitFor([&] { return visto >= 0; }, 5000));
        pool->setMaxThreadCount(thread);
        QCOMPARE(visto, 1);
    }

    void proprietarioChiusoPrimaDellaFine() {
        std::promise<void> via;
        auto segnale = via.get_future().share();
        std::atomic<bool> finito{false}, visto{false};
        LavoroAvviato lavoro;
        {
            QObject contesto;
            lavoro = AvviaLavoro<int>(
                &contesto, nullptr,
                [segnale, &finito](const ControlloLavoro& ctl) {
                    segnale.wait();
                    finito = ctl.Interrompi->load();
                    return 1;
                },
                [&](int) { visto = true; }, [&](std::exception_ptr) { visto = true; });
            lavoro.Ferma();
        }
        via.set_value();
        QVERIFY(QTest::qWaitFor([&] { return finito.load(); }, 5000));
        QTest::qWait(50);
        QVERIFY(!visto);
    }
};

static RegistraTest<LavoroTest> registra;
#include "LavoroTest.moc"
