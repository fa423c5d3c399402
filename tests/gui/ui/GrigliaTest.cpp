// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

class GrigliaTest : public QObject {
    Q_OBJECT
private slots:
    void intestazioneERighe() {
        Griglia g;
        QAbstractItemModelTester tester(&g.Modello(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        g.ImpostaIntestazione(
            QStringLiteral("|Data    estraz   |Bari|Cagliari|Firenze|Genova|Milano|Napoli|Palermo|Roma|"
                           "Torino|Venezia|Nazionale"));
        QCOMPARE(g.Modello().Colonne(), 13);
        QCOMPARE(g.Testo(0, 0), QString());
        QCOMPARE(g.Testo(0, 1), QStringLiteral("Data    estraz   "));
        g.ImpostaRighe(5);
        g.ImpostaTesto(4, 12, QStringLiteral("x"));
        QCOMPARE(g.model()->rowCount(), 4);
        g.ImpostaRighe(1);
        QCOMPARE(g.Righe(), 1);
        QCOMPARE(g.Testo(0, 2), QStringLiteral("Bari")); // the header survives
        g.ImpostaRighe(3);
        QCOMPARE(g.Testo(2, 12), QString()); // new rows are empty
        QCOMPARE(g.Modello().Valore(2, 12), 0.0);
    }

    void coloriEGrassettoSiRileggonoEsatti() {
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("a|b|c"));
        g.ImpostaRighe(4);
        auto& m = g.Modello();
        QCOMPARE(m.Sfondo(1, 1), ColoreBianco);
        m.ImpostaSfondo(1, 0, ColoreAcceso);
        m.ImpostaSfondo(2, 1, 3, 2, ColoreArancioChiaro);
        m.ImpostaPrimoPiano(3, 2, ColoreRosso);
        m.ImpostaGrassetto(1, 0, 3, 0, true);
        QCOMPARE(m.Sfondo(1, 0), Colore(65280));
        QCOMPARE(m.Sfondo(2, 1), ColoreArancioChiaro);
        QCOMPARE(m.Sfondo(3, 2), ColoreArancioChiaro);
        QCOMPARE(m.Sfondo(1, 1), ColoreBianco);
        QCOMPARE(m.PrimoPiano(3, 2), ColoreRosso);
        QVERIFY(m.Grassetto(2, 0));
        QVERIFY(!m.Grassetto(2, 1));
        // The view paints the colour the number stands for (red in the low byte).
        const QColor qc = m.data(m.index(1, 1), Qt::BackgroundRole).value<QColor>();
        QCOMPARE(qc, QColor(0xFF, 0xC0, 0x80));
        // Out-of-range cells read as defaults instead of failing.
        QCOMPARE(m.Sfondo(99, 99), ColoreBianco);
    }

    void ordinamentoNumericoStabileDecrescente() {
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("Pos|Id"));
        const QStringList pos = {QStringLiteral("5"), QString(),           QStringLiteral("12"),
                                 QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("5")};
        g.ImpostaRighe(static_cast<int>(pos.size()) + 1);
        for (int i = 0; i < pos.size(); ++i) {
            g.ImpostaTesto(i + 1, 0, pos[i]);
            g.ImpostaTesto(i + 1, 1, QString::number(i));
            g.Modello().ImpostaSfondo(i + 1, 1, static_cast<Colore>(i));
        }
        g.Modello().Ordina(0);
        QStringList ordine;
        for (int r = 1; r < g.Righe(); ++r)
            ordine << g.Testo(r, 1);
        // 12 > 9 > 5 (three, in their first order) > empty; "12" sorts above "9" as a number.
        QCOMPARE(ordine.join(QLatin1Char(',')), QStringLiteral("2,4,0,3,5,1"));
        QCOMPARE(g.Modello().Sfondo(1, 1), Colore(2)); // formats move with their row
    }

    void testoPerGliAppunti() {
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("N1 |N2 | 3"));
        g.ImpostaRighe(3);
        g.ImpostaTesto(1, 0, QStringLiteral("7"));
        g.ImpostaTesto(1, 2, QStringLiteral("1"));
        g.ImpostaTesto(2, 1, QStringLiteral("90"));
        g.NascondiRiga(2, true);
        g.CopiaNegliAppunti();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("N1 \tN2 \t 3\n7\t\t1\n\t90\t\n"));
        Griglia soloIntestazione;
        soloIntestazione.ImpostaIntestazione(QStringLiteral("a|b"));
        QCOMPARE(soloIntestazione.Modello().TestoCompleto(), QStringLiteral("a\tb\n"));
    }

    void clicImpostaLaCellaCorrente() {
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("a|b|c"));
        g.ImpostaRighe(4);
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        int rigaClic = -1, colonnaClic = -1, doppi = 0;
        connect(&g, &Griglia::Clic, this, [&](int r, int c) { rigaClic = r, colonnaClic = c; });
        connect(&g, &Griglia::DoppioClic, this, [&](int, int) { ++doppi; });
        const QRect cella = g.visualRect(g.Modello().index(1, 2));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cella.center());
        QCOMPARE(rigaClic, 2);
        QCOMPARE(colonnaClic, 2);
        QCOMPARE(g.RigaCorrente(), 2);
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cella.center());
        QCOMPARE(doppi, 1);
    }

    void elencoEModificabilita() {
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("Ruota|N"));
        g.ImpostaRighe(2);
        g.Modello().ImpostaElenco(0, QStringLiteral("BA|CA|FI"));
        QCOMPARE(g.Modello().Elenco(0),
                 QStringList({QStringLiteral("BA"), QStringLiteral("CA"), QStringLiteral("FI")}));
        QVERIFY(!g.model()->setData(g.Modello().index(0, 1), QStringLiteral("5"), Qt::EditRole));
        g.ImpostaModificabile(true);
        QVERIFY(g.model()->setData(g.Modello().index(0, 1), QStringLiteral("5"), Qt::EditRole));
        QCOMPARE(g.Testo(1, 1), QStringLiteral("5"));
    }

    void stampaSuPdf() {
        CartellaTemporanea cartella;
        Griglia g;
        g.ImpostaIntestazione(QStringLiteral("Pos|Neg|N1|N2|N3| 2 | 3"));
        g.ImpostaRighe(120);
        for (int r = 1; r < 120; ++r)
            g.ImpostaTesto(r, 0, QString::number(r));
        DialoghiScriptati d;
        QVERIFY(!g.Stampa(d, QStringLiteral("Terzine"), QPageLayout::Portrait, 400)); // cancelled
        d.pdf = QString::fromStdString(cartella / "terzine.pdf");
        QVERIFY(g.Stampa(d, QStringLiteral("Terzine"), QPageLayout::Portrait, 400));
        QFile pdf(d.pdf);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(pdf.size() > 1000);
    }
};

static RegistraTest<GrigliaTest> registra;
#include "GrigliaTest.moc"
