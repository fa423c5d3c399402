// SPDX-License-Identifier: GPL-3.0-or-later
// The "Esplora impostazioni" window: the count of settings before the start, the same table and verdict
// as the command-line tool, sorting by a column both ways, a stop that keeps the settings done, and a
// page that reads whole at the size the window has on a 1280x800 screen.
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "DialoghiScriptati.h"
#include "TabelleFinestra.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/FinestraEsplorazione.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Banco {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    std::vector<RigaEstrazione> righe = RigheCasuali(420, 8, 0, 0, 0);
    std::unique_ptr<FinestraEsplorazione> w;

    Banco() {
        auto db = DatabaseArchivio::ApriOCrea(cartella / "A.mdb");
        for (const auto& r : righe)
            db->Inserisci(r, "2026-12-08", "10:00:00");
        ctx.PubblicaArchivio(ArchivioDa(righe));
        w = std::make_unique<FinestraEsplorazione>(ctx, d);
        w->resize(1200, 760);
        w->show();
    }
    template <class T> T* c(const char* nome) { return w->findChild<T*>(QString::fromLatin1(nome)); }
    void Spunta(const char* lista, int voce, bool accesa) {
        c<QListWidget>(lista)->item(voce)->setCheckState(accesa ? Qt::Checked : Qt::Unchecked);
    }
    QString Conteggio() { return c<QLabel>("LblConteggio")->text(); }
    /// Transformations 0..3 on the first draw of the month, 6 cases, up to draw 300.
    void Piccola() {
        for (int t = 1; t <= 3; ++t)
            Spunta("LstTrasformazioni", t, true);
        for (int m = 0; m <= 31; ++m)
            Spunta("LstMensili", m, m == 1);
        c<QSpinBox>("SpnCasi")->setValue(6);
        c<QSpinBox>("SpnCasuali")->setValue(5);
        c<QDateEdit>("DatFinoA")
            ->setDate(
                QDate::fromString(QString::fromStdString(righe[299].Data), QStringLiteral("dd/MM/yyyy")));
    }
    void Esplora() {
        c<QPushButton>("CmdEsplora")->click();
        QVERIFY(QTest::qWaitFor([&] { return !w->Occupata(); }, 60000));
    }
};

} // namespace

class EsplorazioneTest : public QObject {
    Q_OBJECT
private slots:
    void comeLaRigaDiComando() {
        Banco b;
        QCOMPARE(b.Conteggio(), QStringLiteral("Impostazioni da provare: 1"));
        b.Piccola();
        QCOMPARE(b.Conteggio(), QStringLiteral("Impostazioni da provare: 4"));
        // Distance needs two positions: with 11111 alone it adds nothing, with 11000 it does.
        b.c<QCheckBox>("ChkDistanza")->setChecked(true);
        QCOMPARE(b.Conteggio(), QStringLiteral("Impostazioni da provare: 4"));
        b.Spunta("LstPosizioni", 31 - 0b11000, true);
        QCOMPARE(b.Conteggio(), QStringLiteral("Impostazioni da provare: 12"));
        b.Spunta("LstPosizioni", 31 - 0b11000, false);
        b.c<QCheckBox>("ChkDistanza")->setChecked(false);
        b.Esplora();
        QCOMPARE(b.w->Esito().Provate, 4);

        Tabella cliEsplorazione, cliSintesi;
        for (auto& [nome, t] :
             SequenzaCli({"esplora", "--archivio", b.cartella / "A.mdb", "--casi", "6", "--trasformazione",
                          "0-3", "--mensile", "1", "--fino-a", b.righe[299].Data, "--permutazioni", "5"})) {
            if (nome == "Esplorazione") cliEsplorazione = t;
            if (nome == "Sintesi") cliSintesi = t;
        }
        QCOMPARE(DaGriglia(b.c<Griglia>("FgEsplorazione")), cliEsplorazione);
        // The summary without its verdict, which the window shows in words above it.
        QCOMPARE(cliSintesi.back()[0], std::string("Giudizio"));
        QCOMPARE(b.c<QLabel>("LblGiudizio")->text().toStdString(), cliSintesi.back()[1]);
        cliSintesi.pop_back();
        QCOMPARE(DaGriglia(b.c<Griglia>("FgSintesiEsplorazione")), cliSintesi);

        // Sorting by "Vincite": ascending, then descending on a second click.
        const auto colonna = [&](int c) {
            std::vector<int> v;
            const auto t = DaGriglia(b.c<Griglia>("FgEsplorazione"));
            for (size_t r = 1; r < t.size(); ++r)
                v.push_back(std::stoi(t[r][static_cast<size_t>(c)]));
            return v;
        };
        b.w->OrdinaPer(9);
        auto v = colonna(9);
        QVERIFY(std::is_sorted(v.begin(), v.end()));
        b.w->OrdinaPer(9);
        v = colonna(9);
        QVERIFY(std::is_sorted(v.rbegin(), v.rend()));
        QCOMPARE(static_cast<int>(v.size()), 4);
        auto* titoli = b.c<Griglia>("FgEsplorazione")->horizontalHeader();
        QVERIFY(titoli->isSortIndicatorShown());
        QCOMPARE(titoli->sortIndicatorSection(), 9);
        QCOMPARE(titoli->sortIndicatorOrder(), Qt::DescendingOrder);
        // "N." is the rank by p: each row keeps the number the unsorted table gave it.
        auto ordinata = DaGriglia(b.c<Griglia>("FgEsplorazione"));
        std::sort(ordinata.begin() + 1, ordinata.end(),
                  [](const auto& x, const auto& y) { return std::stoi(x[0]) < std::stoi(y[0]); });
        QCOMPARE(ordinata, cliEsplorazione);
    }

    void fermataTieneLeRigheFatte() {
        Banco b;
        b.Piccola();
        b.c<QSpinBox>("SpnCasuali")->setValue(0);
        b.c<QPushButton>("CmdEsplora")->click();
        b.w->Interrompi();
        QVERIFY(QTest::qWaitFor([&] { return !b.w->Occupata(); }, 60000));
        const auto& e = b.w->Esito();
        QVERIFY(e.Interrotta);
        QCOMPARE(b.c<Griglia>("FgEsplorazione")->Righe(), e.Provate + 1);
        QVERIFY(b.c<QLabel>("LblGiudizio")->text().startsWith(QStringLiteral("Esplorazione interrotta")));
        QVERIFY(b.d.messaggi.empty());
    }

    void leggibileA1280x800() {
        Banco b;
        b.w->resize(1186, 683);
        b.Piccola();
        b.Esplora();
        QTest::qWait(50);
        QVERIFY(!b.c<QScrollArea>("ScorriEsplorazione")->verticalScrollBar()->isVisible());

        // Every name and value of the summary whole: the names on one line, the values wrapped in
        // rows tall enough for them, nothing behind a sideways scroll.
        auto* s = b.c<Griglia>("FgSintesiEsplorazione");
        QVERIFY(!s->horizontalScrollBar()->isVisible());
        const int margini = 2 * (s->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, s) + 1);
        const QFontMetrics fm = s->fontMetrics();
        for (int r = 1; r < s->Righe(); ++r) {
            QVERIFY2(fm.horizontalAdvance(s->Testo(r, 0)) + margini <= s->columnWidth(0),
                     qPrintable(s->Testo(r, 0)));
            const QRect spazio(0, 0, s->columnWidth(1) - margini, 10000);
            QVERIFY2(fm.boundingRect(spazio, Qt::TextWordWrap, s->Testo(r, 1)).height() <=
                         s->rowHeight(r - 1),
                     qPrintable(s->Testo(r, 1)));
        }

        // A sort gives the arrow's room to its column alone: "p corretto" stays in sight.
        auto* t = b.c<Griglia>("FgEsplorazione");
        const auto larghezze = [t] {
            std::vector<int> l;
            for (int c = 0; c < t->Modello().Colonne(); ++c)
                l.push_back(t->columnWidth(c));
            return l;
        };
        const auto prima = larghezze();
        b.w->OrdinaPer(4);
        QTest::qWait(50);
        auto dopo = larghezze();
        QVERIFY(dopo[4] >= t->horizontalHeader()->sectionSizeHint(4));
        dopo[4] = prima[4];
        QCOMPARE(dopo, prima);
        const int ultima = t->Modello().Colonne() - 1;
        QVERIFY(t->columnViewportPosition(ultima) + t->columnWidth(ultima) <= t->viewport()->width());
    }

    void nienteDaProvare() {
        Banco b;
        b.Spunta("LstRuote", 0, false);
        QCOMPARE(b.Conteggio(), QStringLiteral("Impostazioni da provare: 0"));
        b.c<QPushButton>("CmdEsplora")->click();
        QCOMPARE(b.d.messaggi.size(), size_t(1));
        QVERIFY(b.d.messaggi[0].testo.startsWith(QStringLiteral("Nessuna impostazione da provare")));
        QVERIFY(!b.w->Occupata());
    }
};

static RegistraTest<EsplorazioneTest> registra;
#include "EsplorazioneTest.moc"
