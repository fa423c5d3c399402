// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "DialoghiScriptati.h"
#include "TestUi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Traduzioni.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

using namespace trivalto;
using namespace trivalto::test;

class VisteTest : public QObject {
    Q_OBJECT
private slots:
    void graficoDellaStoria() {
        GraficoStoria g;
        g.resize(200, 100);
        const auto colore = [&](int x, int y) { return g.grab().toImage().pixelColor(x, y); };
        g.Imposta(12, 12, 0);
        // All cases covered: the upper bar spans the width in green, the lower bar is empty.
        QCOMPARE(colore(195, 25), QColor(0, 185, 0));
        QCOMPARE(colore(5, 75), QColor(Qt::white));
        g.Imposta(10, 4, 6);
        QCOMPARE(colore(5, 25), QColor(0, 0, 255));
        QCOMPARE(colore(100, 25), QColor(Qt::white)); // 4 of 10 ends at 80 px
        QCOMPARE(colore(110, 75), QColor(255, 0, 0)); // 6 of 10 reaches 120 px
        QCOMPARE(colore(130, 75), QColor(Qt::white));
    }

    void storiaSintesiECopiaDellaSolaIntestazione() {
        DialoghiScriptati d;
        FinestraStoria s(d);
        QCOMPARE(s.windowTitle(), QStringLiteral("Resoconto storico"));
        s.ImpostaSintesi(12, 5, 7, 6, QStringLiteral("41,7%"));
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("5"));
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("Label6"))->text(), QStringLiteral("6"));
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("41,7%"));
        s.findChild<QPushButton*>(QStringLiteral("Command6"))->click();
        QCOMPARE(
            QApplication::clipboard()->text(),
            QStringLiteral(
                "G N°\tEst Rif\tData\tR.Base\tParam.\tPrevisione completa\tEsito\tSorte\tRuota\tColpo\n"));
    }

    void ritardiSenzaNumeriMarcati() {
        FrmRitardi r;
        QCOMPARE(r.windowTitle(), QStringLiteral("Ritardo dei numeri"));
        auto& g = r.Tabella();
        g.ImpostaIntestazione(QStringLiteral("|N°|BA"));
        g.ImpostaRighe(91);
        r.VisualizzaFiltrate();
        for (int n = 1; n <= 90; ++n)
            QVERIFY(g.RigaNascosta(n));
        r.VisualizzaTutti();
        for (int n = 1; n <= 90; ++n)
            QVERIFY(!g.RigaNascosta(n));
    }

    void dialoghiDiQtInItaliano() {
        QVERIFY(CaricaTraduzioniItaliane(*QCoreApplication::instance()));
        QCOMPARE(QLocale().language(), QLocale::Italian);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Salva come"));
    }
};

static RegistraTest<VisteTest> registra;
#include "VisteTest.moc"
