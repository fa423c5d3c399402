// SPDX-License-Identifier: GPL-3.0-or-later
// The default-settings window: loading the row by its rules, the toggles, saving, a missing row,
// and the analysis window opening with the saved values only when asked to.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "TestUi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/Special.h"
#include "gui/settings/ImpostazioniP.h"
#include "gui/ui/Griglia.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Banco {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    Banco() {
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        ctx.PubblicaArchivio(ArchivioDa(RigheCasuali(60, 3, 0, 0, 0)));
    }
    void Riga(const std::string& valori) {
        ctx.DbProgramma->Db().Esegui("UPDATE Impostazioni SET " + valori + " WHERE Chiave = 'Standard'");
    }
};

template <class T> T* Trova(QWidget& w, const char* nome) {
    return w.findChild<T*>(QString::fromLatin1(nome));
}

Colore Cella(QWidget& w, int c) {
    return Trova<Griglia>(w, "FgRuote")->Modello().Sfondo(1, c);
}

} // namespace

class ImpostazioniPTest : public QObject {
    Q_OBJECT
private slots:
    void caricaSecondoLeRegole() {
        Banco b;
        b.Riga("Numcasi = 4, Somma = 0, Distanza = 1, Posizioni = '10100', RuotaOrigine = 3, Dacolpo = 30, "
               "Elenco = '120', RuoteGioco = '0100'");
        ImpostazioniP w(b.ctx, b.d);
        QCOMPARE(w.windowTitle(), QStringLiteral("Impostazioni predefinite"));
        QCOMPARE(Trova<QComboBox>(w, "CboCasi")->currentText(), QStringLiteral("5"));
        QCOMPARE(Trova<QComboBox>(w, "CboRuota")->currentText(), QStringLiteral("GE"));
        QCOMPARE(Trova<QComboBox>(w, "CboDaColpo")->currentText(), QStringLiteral("31"));
        QCOMPARE(Trova<QComboBox>(w, "CboElenco")->currentText(), QStringLiteral("120"));
        QVERIFY(Trova<QRadioButton>(w, "OptDistanza")->isChecked());
        QCOMPARE(w.Valori().Posizioni, std::string("10100"));
        QCOMPARE(Cella(w, 0), ColoreBianco);
        QCOMPARE(Cella(w, 1), ColoreAcceso);
        QCOMPARE(Cella(w, 3), ColoreBianco);
        QCOMPARE(Cella(w, 10), ColoreAcceso); // past the text's end: played
        // Saving right away writes back what was read, texts normalised.
        Trova<QPushButton>(w, "CmdSalva")->click();
        QCOMPARE(b.d.messaggi.size(), size_t(1)); // the save says it is done
        QCOMPARE(b.d.messaggi.back().testo, QStringLiteral("Impostazioni salvate."));
        const auto s = LeggiImpostazioni(*b.ctx.DbProgramma);
        QCOMPARE(s->RuoteGioco, std::string("01001111111"));
        QCOMPARE(s->Numcasi, 4);
        QCOMPARE(s->Dacolpo, 30);
        QVERIFY(s->Distanza);
    }

    void operazioneSecondoLePosizioni() {
        // A distance stored with five positions: the analysis would open with the sum, and so
        // does this window, with the two options unavailable until exactly two positions are on.
        Banco b;
        b.Riga("Somma = 0, Distanza = 1, Posizioni = '11111'");
        ImpostazioniP w(b.ctx, b.d);
        QVERIFY(Trova<QRadioButton>(w, "OptSomma")->isChecked());
        QVERIFY(!Trova<QRadioButton>(w, "OptDistanza")->isEnabled());
        QVERIFY(!Trova<QRadioButton>(w, "OptDifferenza")->isEnabled());
        Trova<QPushButton>(w, "CmdSalva")->click();
        QVERIFY(LeggiImpostazioni(*b.ctx.DbProgramma)->Somma);
        // The same window on a row of two positions offers and keeps the difference.
        b.Riga("Somma = 0, Distanza = 0, Differenza = 1, Posizioni = '00110'");
        w.Carica();
        QVERIFY(Trova<QRadioButton>(w, "OptDifferenza")->isChecked());
        QVERIFY(Trova<QRadioButton>(w, "OptDistanza")->isEnabled());
        // Tab leaves the wheels grid.
        auto* ruote = Trova<Griglia>(w, "FgRuote");
        w.show();
        QApplication::setActiveWindow(&w);
        ruote->setFocus();
        QTest::keyClick(ruote, Qt::Key_Tab);
        QVERIFY(!ruote->hasFocus());
    }

    void togglesERuote() {
        Banco b;
        ImpostazioniP w(b.ctx, b.d);
        for (int p : {3, 4, 5})
            w.TogglePosizione(p); // two left on
        QVERIFY(Trova<QRadioButton>(w, "OptDistanza")->isEnabled());
        Trova<QRadioButton>(w, "OptDistanza")->setChecked(true);
        w.TogglePosizione(3); // a third: back to "Somma"
        QVERIFY(Trova<QRadioButton>(w, "OptSomma")->isChecked());
        QVERIFY(!Trova<QRadioButton>(w, "OptDistanza")->isEnabled());
        for (int p : {1, 2, 3})
            w.TogglePosizione(p); // none on: the options stay as they were
        QVERIFY(Trova<QRadioButton>(w, "OptSomma")->isChecked());
        Trova<QPushButton>(w, "LblSelezionaTutti")->click();
        for (int c = 0; c < 11; ++c)
            QCOMPARE(Cella(w, c), ColoreAcceso);
        Trova<QPushButton>(w, "LblDeseleziona")->click();
        w.ToggleRuota(7);
        QCOMPARE(w.Valori().RuoteGioco, std::string("00000001000"));
    }

    void rigaMancante() {
        Banco b;
        b.ctx.DbProgramma->Db().Esegui("DELETE FROM Impostazioni");
        ImpostazioniP w(b.ctx, b.d);
        QCOMPARE(Trova<QComboBox>(w, "CboRuota")->currentText(), QStringLiteral("BA"));
        QCOMPARE(Cella(w, 0), ColoreAcceso);
        QCOMPARE(Cella(w, 1), ColoreBianco);
        Trova<QPushButton>(w, "CmdSalva")->click();
        QCOMPARE(b.d.messaggi.size(), size_t(1)); // told, not passed off as saved
        QVERIFY(!LeggiImpostazioni(*b.ctx.DbProgramma).has_value());
    }

    void aperturaDellAnalisi() {
        Banco b;
        b.Riga("Numcasi = 19, Somma = 0, Differenza = 1, Posizioni = '01001', Colpi = 2, Elenco = '90', "
               "Dacolpo = 12, RuoteGioco = '00100000001'");
        QProgressBar barra;
        const auto apri = [&] {
            return std::make_unique<Special>(b.ctx, b.d, &barra, [](const QString&) { return nullptr; });
        };
        {
            auto w = apri(); // not asked: the window's own opening values
            QCOMPARE(Trova<QComboBox>(*w, "CboNumeroCasi")->currentText(), QStringLiteral("12"));
            QVERIFY(w->Stato().Ruote()[0]);
        }
        ImpostazioniStandard s = *LeggiImpostazioni(*b.ctx.DbProgramma);
        s.UsaAllApertura = true;
        ScriviImpostazioni(*b.ctx.DbProgramma, s);
        auto w = apri();
        QCOMPARE(Trova<QComboBox>(*w, "CboNumeroCasi")->currentText(), QStringLiteral("20"));
        QCOMPARE(Trova<QComboBox>(*w, "CboColpi")->currentText(), QStringLiteral("3"));
        QCOMPARE(w->Stato().Colpi(), 3);
        QCOMPARE(Trova<QComboBox>(*w, "CboElenco")->currentText(), QStringLiteral("90"));
        QCOMPARE(Trova<QComboBox>(*w, "CboDaColpo")->currentText(),
                 QStringLiteral("5")); // its list ends at 5
        QVERIFY(Trova<QRadioButton>(*w, "OptDifferenza")->isChecked());
        QVERIFY(Trova<QRadioButton>(*w, "OptDifferenza")->isEnabled());
        QCOMPARE(w->ColorePosizione(2), ColoreAcceso);
        QCOMPARE(w->ColorePosizione(1), ColoreBianco);
        QVERIFY(!w->Stato().Ruote()[0]);
        QVERIFY(w->Stato().Ruote()[2] && w->Stato().Ruote()[10]);
        QCOMPARE(Trova<Griglia>(*w, "FgRuote")->Modello().Sfondo(1, 2), ColoreAcceso);
    }
};

static RegistraTest<ImpostazioniPTest> registra;
#include "ImpostazioniPTest.moc"
