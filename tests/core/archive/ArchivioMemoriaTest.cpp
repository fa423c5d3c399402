// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/archive/ArchivioMemoria.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {
RigaEstrazione Riga(const std::string& data) {
    RigaEstrazione r{data, {}};
    r.Celle.fill("11-22-33-44-55");
    r.Celle[10] = "----";
    return r;
}
} // namespace

TEST(ArchivioMemoria, OrdinaliDiMeseEAnnoConLaStranezzaDelMese) {
    ArchivioMemoria a;
    a.EstrazioneIniziale = 1;
    // A gap of exactly a year keeps the month number: the month count goes on across the years.
    a.CaricamentoIniziale(
        {Riga("01/01/1944"), Riga("08/01/1944"), Riga("29/12/1944"), Riga("05/12/1945"), Riga("12/01/1946")});
    EXPECT_EQ(a.NumeroEstrazioni, 5);
    EXPECT_EQ(a.UltimaEstrazione, 5);
    EXPECT_EQ(std::vector<int16_t>(a.PosizioneMese.begin() + 1, a.PosizioneMese.end()),
              (std::vector<int16_t>{1, 2, 1, 2, 1}));
    EXPECT_EQ(std::vector<int16_t>(a.PosizioneAnno.begin() + 1, a.PosizioneAnno.end()),
              (std::vector<int16_t>{1, 2, 3, 1, 1}));
    EXPECT_EQ(a.Numeri(2, 0), (NumeriRuota{11, 22, 33, 44, 55}));
    EXPECT_EQ(a.Numeri(2, 10), (NumeriRuota{}));
    EXPECT_EQ(a.DateEstrazioni[0], ""); // draw 0 is never filled
}

TEST(ArchivioMemoria, ModelloDaEstrazioneInizialeEsuoiLimiti) {
    const auto righe = RigheCasuali(500, 3);
    ArchivioMemoria a;
    a.EstrazioneIniziale = 101;
    a.CaricamentoIniziale(righe);
    auto r = a.ImpostazioniArchivioModello();
    EXPECT_EQ(r.IndiceInizio, 101);
    EXPECT_EQ(r.DataInizio, righe[100].Data);
    EXPECT_EQ(r.IndiceFine, 500);
    EXPECT_EQ(r.DataFine, righe[499].Data);
    EXPECT_EQ(r.Conteggio, 400);
    EXPECT_EQ(a.FineModello, 400);
    EXPECT_EQ(a.IndiciModello[1], 101);

    // Outside 1..N the start is clamped, so the model never holds draw 0 and is never empty.
    for (auto [iniziale, primo] : {std::pair{0, 1}, {-7, 1}, {1, 1}, {500, 500}, {9000, 500}}) {
        a.EstrazioneIniziale = iniziale;
        a.CaricamentoIniziale(righe);
        EXPECT_EQ(a.IndiciModello[1], primo) << iniziale;
        EXPECT_EQ(a.IndiciModello[a.FineModello], 500) << iniziale;
    }

    // After a change of the archive the model is the whole archive again.
    a.EstrazioneIniziale = 101;
    a.CaricamentoIniziale(righe);
    auto piu = righe;
    piu.push_back(Riga("31/12/2099"));
    int chiamate = 0;
    a.CaricaArchivioExNovo(piu, [&](int, int) { ++chiamate; });
    r = a.ImpostazioniArchivioModello();
    EXPECT_EQ(r.IndiceInizio, 1);
    EXPECT_EQ(r.IndiceFine, 501);
    EXPECT_EQ(r.Conteggio, 501);
    EXPECT_EQ(a.UltimaEstrazione, 501);
    EXPECT_EQ(chiamate, 10); // every 50 rows
}

TEST(ArchivioMemoria, RicaricaDellaFinestraArchivioLasciaIlModello) {
    auto righe = RigheCasuali(120, 5);
    ArchivioMemoria a;
    a.EstrazioneIniziale = 20;
    a.CaricamentoIniziale(righe);
    righe.push_back(Riga("31/12/2099"));
    a.RicaricaNumeri(righe);
    EXPECT_EQ(a.NumeroEstrazioni, 121);
    EXPECT_EQ(a.UltimaEstrazione, 120);
    EXPECT_EQ(a.IndiciModello[1], 20);
    EXPECT_EQ(a.IndiciModello[a.FineModello], 120);
    EXPECT_GE(a.PosizioneMese.size(), 122u); // readers of draw 121 stay inside the table
}

TEST(ArchivioMemoria, PiuDi9999EstrazioniFalliscono) {
    auto righe = RigheCasuali(10000, 9, 0, 0, 0);
    ArchivioMemoria a;
    a.EstrazioneIniziale = 1;
    EXPECT_THROW(a.CaricamentoIniziale(righe), ErroreArchivio);
    // The rows read before the failure stay loaded.
    EXPECT_EQ(a.NumeroEstrazioni, 9999);
    EXPECT_EQ(a.DateEstrazioni[9999], righe[9998].Data);
}

TEST(ArchivioMemoria, ArchivioRealeCaricato) {
    const auto& a = ArchivioReale();
    EXPECT_EQ(a.NumeroEstrazioni, 7370);
    EXPECT_EQ(a.DateEstrazioni[1], "07/01/1939");
    EXPECT_EQ(a.DateEstrazioni[7370], "21/08/2026");
    EXPECT_EQ(a.Numeri(1, 0), (NumeriRuota{58, 22, 47, 49, 69}));
    EXPECT_EQ(a.Numeri(1, 1), (NumeriRuota{})); // Cagliari starts in July 1939
    EXPECT_EQ(a.Numeri(7370, 10), (NumeriRuota{51, 89, 82, 70, 37}));
    EXPECT_EQ(a.PosizioneMese[7370], 12);
    EXPECT_EQ(a.PosizioneAnno[7370], 134);
}
