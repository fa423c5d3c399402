// SPDX-License-Identifier: GPL-3.0-or-later
// The mini list: the draw shown, cell marks, their reset, the searches and an archive that grows.
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Griglia.h"
#include "gui/views/MiniElenco.h"

using namespace trivalto;
using namespace trivalto::test;

class MiniElencoTest : public QObject {
    Q_OBJECT
private slots:
    void estrazioneMarcheECrescita() {
        CartellaTemporanea cartella;
        ContestoProgramma ctx(cartella.Percorso().string());
        auto righe = RigheCasuali(30, 8, 0, 0, 0);
        righe[29].Celle[10] = "----"; // the newest draw has no Nazionale
        ctx.PubblicaArchivio(ArchivioDa(righe));
        DialoghiScriptati d;
        MiniElenco w(ctx, d);
        auto* fg3 = w.findChild<Griglia*>(QStringLiteral("Fg3"));
        const auto etichetta = [&](const char* nome) {
            return w.findChild<QLabel*>(QString::fromLatin1(nome))->text();
        };
        QCOMPARE(fg3->Modello().Intestazione(), QStringLiteral("Ruota| N1 | N2 | N3 | N4 | N5 "));
        QCOMPARE(etichetta("Label2"), QStringLiteral("30"));
        QCOMPARE(etichetta("Label1"), QString::fromStdString(righe[29].Data));
        const auto& a = ctx.Archivio();
        QCOMPARE(etichetta("Label3"),
                 QStringLiteral("PM=%1   PA=%2").arg(a.PosizioneMese[30]).arg(a.PosizioneAnno[30]));
        QCOMPARE(fg3->Testo(1, 0), QStringLiteral("BA"));
        QCOMPARE(fg3->Testo(1, 1), QString::number(a.Estrazioni[30][0][0])); // no leading zero
        for (int p = 1; p <= 5; ++p)
            QCOMPARE(fg3->Testo(11, p), QStringLiteral("0"));

        // Two clicks on a cell: green, then white; another draw clears the marks.
        w.ToggleCella(3, 2);
        QCOMPARE(fg3->Modello().Sfondo(3, 2), ColoreAcceso);
        w.ToggleCella(3, 2);
        QCOMPARE(fg3->Modello().Sfondo(3, 2), ColoreBianco);
        w.ToggleCella(3, 2);
        w.ToggleCella(4, 0); // the wheel codes toggle too
        QCOMPARE(fg3->Modello().Sfondo(4, 0), ColoreAcceso);
        auto* barra = w.findChild<QScrollBar*>(QStringLiteral("hs1"));
        barra->setValue(29);
        QCOMPARE(fg3->Modello().Sfondo(3, 2), ColoreBianco);
        w.ToggleCella(3, 2);
        w.findChild<QToolButton*>(QStringLiteral("Command81"))->click();
        QCOMPARE(fg3->Modello().Sfondo(3, 2), ColoreBianco);
        QVERIFY(fg3->Modello().Sfondo(4, 0) != ColoreBianco); // the button face, not white
        QVERIFY(fg3->Modello().Sfondo(4, 0) != ColoreAcceso);

        // Searches: the index search takes any index from 1.
        d.input = {QStringLiteral("1")};
        w.findChild<QToolButton*>(QStringLiteral("Command42_1"))->click();
        QCOMPARE(barra->value(), 1);
        d.input = {QString::fromStdString(righe[9].Data)};
        w.findChild<QToolButton*>(QStringLiteral("Command42_0"))->click();
        QCOMPARE(barra->value(), 10);

        // A reload with a new draw: the next move of the bar raises its maximum.
        righe.push_back(RigheCasuali(31, 8, 0, 0, 0).back());
        ctx.PubblicaArchivio(ArchivioDa(righe));
        barra->setValue(11);
        QCOMPARE(barra->maximum(), 31);
        barra->setValue(31);
        QCOMPARE(etichetta("Label2"), QStringLiteral("31"));

        // Shown at the last draw when another is saved: one click on the bar's arrow reaches it.
        w.resize(400, 400);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint freccia(barra->width() - 4, barra->height() / 2);
        for (int n : {32, 33}) {
            righe.push_back(RigheCasuali(n, 8, 0, 0, 0).back());
            ctx.PubblicaArchivio(ArchivioDa(righe));
            QTest::mouseClick(barra, Qt::LeftButton, {}, freccia);
            QCOMPARE(etichetta("Label2"), QString::number(n));
        }
        // Tab leaves the table.
        fg3->setFocus();
        QTest::keyClick(fg3, Qt::Key_Tab);
        QVERIFY(!fg3->hasFocus());
    }
};

static RegistraTest<MiniElencoTest> registra;
#include "MiniElencoTest.moc"
