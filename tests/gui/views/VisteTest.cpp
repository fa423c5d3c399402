// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/StatoAnalisi.h"
#include "gui/analysis/PitturaAnalisi.h"
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

    void ritardiDipintiDalloStato() {
        const auto archivio = ArchivioDa(RigheCasuali(40, 3));
        RuoteGioco ruote{};
        ruote[0] = ruote[10] = true;
        const auto tabella = CalcolaRitardi(archivio, 30);
        FrmRitardi r;
        r.Mostra(StatoRitardi(tabella, {3, 47}, ruote));
        auto& m = r.Tabella().Modello();
        QCOMPARE(m.Intestazione(), QString::fromUtf8(IntestazioneRitardi));
        QCOMPARE(m.Righe(), 91);
        QCOMPARE(m.Testo(47, 1), QStringLiteral("47"));
        QCOMPARE(m.Testo(47, 12), QString::number(tabella.Ritardi[47][10]));
        QCOMPARE(m.Sfondo(3, 1), ColoreAcceso);
        QCOMPARE(m.Sfondo(4, 1), ColoreGialloChiaro);
        QVERIFY(m.Grassetto(4, 1));
        QCOMPARE(m.Sfondo(47, 2), ColoreEvidenza);
        QCOMPARE(m.Sfondo(47, 12), ColoreEvidenza);
        QCOMPARE(m.Sfondo(47, 3), ColoreBianco);
        QCOMPARE(m.Sfondo(4, 2), ColoreBianco);

        const auto visibili = [&] {
            QList<int> v;
            for (int n = 1; n <= 90; ++n)
                if (!r.Tabella().RigaNascosta(n)) v << n;
            return v;
        };
        r.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(visibili(), (QList<int>{3, 47}));
        // Another case shown while filtered: its own rows, all of them, and its marks only.
        r.Mostra(StatoRitardi(tabella, {5}, {}));
        QCOMPARE(visibili().size(), 90);
        QCOMPARE(m.Sfondo(3, 1), ColoreGialloChiaro);
        QCOMPARE(m.Sfondo(5, 2), ColoreBianco);
        r.VisualizzaFiltrate();
        QCOMPARE(visibili(), (QList<int>{5}));
        r.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(visibili().size(), 90);
    }

    void ritardiComeLiDipingeLAnalisi() {
        // A forecast row's delays: the numbers its case plays marked, on the wheels chosen at GENERA
        // TERZINE, and the filter keeping just them; another case's numbers are left alone.
        const auto archivio = ArchivioDa(RigheCasuali(60, 5));
        StatoAnalisi s;
        s.AdattaAllArchivio(SessioneAnalisi::Prestito(archivio));
        RuoteGioco ruote{};
        ruote[4] = ruote[7] = true;
        s.ImpostaRuote(ruote);
        s.ImpostaRiferimento(60);
        s.GeneraCasi({60, 2, 1, false, 0});
        RigaPrevisione altro, p;
        altro.Caso = 1;
        altro.Numeri = {4, 5, 6};
        p.Caso = 2;
        p.Estrazione = 50;
        p.Numeri = {90, 1, 33};
        s.ApplicaPrevisioni({{altro, p}, {}, {}}, {});
        FrmRitardi w;
        MostraRitardi(w, archivio, s, 2);
        QCOMPARE(w.windowTitle(), QString::fromStdString(TitoloRitardi(archivio, 50)));
        const auto& m = w.Tabella().Modello();
        QCOMPARE(w.Tabella().Righe(), 91);
        for (int n : {1, 33, 90}) {
            QCOMPARE(m.Sfondo(n, 1), ColoreAcceso);
            for (int ruota = 0; ruota < NumeroRuote; ++ruota)
                QCOMPARE(m.Sfondo(n, 2 + ruota) == ColoreEvidenza, ruota == 4 || ruota == 7);
        }
        QCOMPARE(m.Sfondo(4, 1), ColoreGialloChiaro);
        w.VisualizzaFiltrate();
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(w.Tabella().RigaNascosta(n), n != 1 && n != 33 && n != 90);
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
