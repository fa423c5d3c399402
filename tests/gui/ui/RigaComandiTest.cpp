// SPDX-License-Identifier: GPL-3.0-or-later
// The command row the result windows share: while its job runs the start button and the given
// controls are off and the pointer is busy; the stop button reaches the job; a job that throws ends in
// a message with its cause and gives everything back, as one that ends well does.
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <future>
#include <stdexcept>

#include "DialoghiScriptati.h"
#include "TestUi.h"
#include "gui/ui/RigaComandi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Banco {
    DialoghiScriptati d;
    QWidget finestra;
    QLineEdit* campo = new QLineEdit(&finestra);
    RigaComandi* riga = new RigaComandi(
        &finestra, d,
        {"CmdProva", QStringLiteral("PROVA"), QStringLiteral("Spiegazione"), "BarraProva", "CmdCopiaProva"},
        123);
    int finiti = 0;
    Banco() {
        riga->Blocca({campo});
        finestra.setLayout(riga->Riga());
        QObject::connect(riga, &RigaComandi::Finito, &finestra, [this] { ++finiti; });
        finestra.show();
    }
    template <class T> T* Trova(const char* nome) {
        return finestra.findChild<T*>(QString::fromLatin1(nome));
    }
    bool Libera() const {
        return riga->Comando()->isEnabled() && campo->isEnabled() &&
               QApplication::overrideCursor() == nullptr;
    }
};

} // namespace

class RigaComandiTest : public QObject {
    Q_OBJECT
private slots:
    void controlliENomi() {
        Banco b;
        QCOMPARE(b.riga->Comando()->objectName(), QStringLiteral("CmdProva"));
        QCOMPARE(b.riga->Comando()->text(), QStringLiteral("PROVA"));
        QCOMPARE(b.riga->Barra()->objectName(), QStringLiteral("BarraProva"));
        QVERIFY(b.Trova<QToolButton>("CmdInterrompi"));
        QVERIFY(b.Trova<QToolButton>("CmdCopiaProva"));
        b.Trova<QToolButton>("CmdHelp")->click();
        QCOMPARE(b.d.argomentiHelp, std::vector<int>{123});
    }

    void fermataEControlliRestituiti() {
        Banco b;
        std::promise<void> partito;
        int visto = -1;
        b.riga->Avvia<int>(
            [&partito](const ControlloLavoro& ctl) {
                ctl.Progresso(1, 4);
                partito.set_value();
                while (!ctl.Interrompi->load())
                    QThread::msleep(1);
                return 7;
            },
            [&](int r) {
                QVERIFY(b.Libera()); // the result is shown with the controls back
                visto = r;
            });
        partito.get_future().wait();
        QVERIFY(b.riga->Attiva());
        QVERIFY(!b.riga->Comando()->isEnabled());
        QVERIFY(!b.campo->isEnabled());
        QVERIFY(QApplication::overrideCursor());
        // A second start while one runs is ignored.
        b.riga->Avvia<int>([](const ControlloLavoro&) { return 0; }, [&](int) { visto = 99; });
        b.Trova<QToolButton>("CmdInterrompi")->click();
        QVERIFY(QTest::qWaitFor([&] { return !b.riga->Attiva(); }, 10000));
        QCOMPARE(visto, 7);
        QVERIFY(b.Libera());
        QCOMPARE(b.riga->Barra()->value(), 0);
        QCOMPARE(b.finiti, 1);
        QVERIFY(b.d.messaggi.empty());
    }

    void guastoDelLavoroInUnMessaggio() {
        Banco b;
        b.riga->Avvia<int>(
            [](const ControlloLavoro&) -> int { throw std::runtime_error("memoria esaurita"); },
            [](int) { QFAIL("nessun risultato atteso"); });
        QVERIFY(QTest::qWaitFor([&] { return !b.riga->Attiva(); }, 10000));
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QCOMPARE(b.d.messaggi[0].testo,
                 QStringLiteral("Errore imprevisto, verificare le impostazioni\nmemoria esaurita"));
        QCOMPARE(b.d.messaggi[0].titolo, QStringLiteral("Avviso"));
        QCOMPARE(b.d.messaggi[0].icona, Dialoghi::Icona::Critico);
        QVERIFY(b.Libera());
        QCOMPARE(b.finiti, 1);
        // Whatever is thrown, and the row works again afterwards.
        b.riga->Avvia<int>([](const ControlloLavoro&) -> int { throw 42; }, [](int) {});
        QVERIFY(QTest::qWaitFor([&] { return b.d.messaggi.size() == 2 && !b.riga->Attiva(); }, 10000));
        QVERIFY(b.d.messaggi[1].testo.endsWith(QStringLiteral("\nerrore sconosciuto")));
        int visto = 0;
        b.riga->Avvia<int>([](const ControlloLavoro&) { return 5; }, [&](int r) { visto = r; });
        QVERIFY(QTest::qWaitFor([&] { return visto == 5; }, 10000));
        QVERIFY(b.Libera());
        QCOMPARE(b.finiti, 3);
    }
};

static RegistraTest<RigaComandiTest> registra;
#include "RigaComandiTest.moc"
