// SPDX-License-Identifier: GPL-3.0-or-later
// The walk-forward cuts each trial's cases from one list and plays the best terzina found without the
// full list: it must give, trial for trial, what the chain built from nothing gives.
#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "Supporto.h"
#include "core/analysis/VerificaRetroattiva.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

std::string Descrivi(const SceltaVerificaRetroattiva& s) {
    std::string r =
        "casi=" + std::to_string(s.Casi.NumeroCasi) + " mensile=" + std::to_string(s.Casi.Mensile) +
        " forza=" + std::to_string(s.Casi.ForzaUltima) + " ruota=" + std::to_string(s.Casi.Ruota) +
        " trasf=" + std::to_string(s.Parametro.Trasformazione) + " dacolpo=" + std::to_string(s.DaColpo) +
        " colpi=" + std::to_string(s.Colpi) + " intero=" + std::to_string(s.InteroPeriodo) +
        " elenco=" + std::to_string(s.Elenco) + " K=" + std::to_string(s.K) + " da=" + std::to_string(s.Da) +
        " a=" + std::to_string(s.A) + " ruote=";
    for (bool b : s.Ruote)
        r += b ? '1' : '0';
    return r;
}

void Confronta(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s) {
    const auto diretta = VerificaRetroattivaDiretta(a, s);
    const auto veloce = VerificaRetroattiva(a, s);
    ASSERT_EQ(diretta.Prove.size(), veloce.Prove.size()) << Descrivi(s);
    for (size_t k = 0; k < diretta.Prove.size(); ++k)
        ASSERT_EQ(diretta.Prove[k], veloce.Prove[k])
            << Descrivi(s) << " prova del riferimento " << diretta.Prove[k].Riferimento;
    EXPECT_EQ(diretta.Vincite, veloce.Vincite) << Descrivi(s);
    EXPECT_EQ(diretta.Attese, veloce.Attese) << Descrivi(s);
    EXPECT_EQ(diretta.P, veloce.P) << Descrivi(s);
    EXPECT_FALSE(veloce.Interrotta);
}

/// Settings drawn within the windows' ranges; K > 0 keeps the list short, as the combinations cost.
SceltaVerificaRetroattiva Casuale(std::mt19937& gen, int ultima) {
    auto tra = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
    SceltaVerificaRetroattiva s;
    s.Casi = {0, tra(1, 30), tra(0, 5), tra(0, 1) == 1, tra(0, 10)};
    for (auto& p : s.Parametro.Posizioni)
        p = tra(0, 3) > 0;
    s.Parametro.Trasformazione = tra(0, 8);
    s.Parametro.Fisso = tra(0, 89);
    if (tra(0, 1)) {
        s.Ruote[static_cast<size_t>(tra(0, 10))] = true;
    } else {
        for (auto& r : s.Ruote)
            r = tra(0, 3) == 0;
    }
    s.DaColpo = tra(1, 5);
    s.Colpi = tra(1, 12);
    s.InteroPeriodo = tra(0, 3) == 0;
    s.K = tra(0, 5) == 0 ? tra(1, 3) : 0;
    s.Elenco = s.K > 0 ? 10 : 10 * tra(1, 20);
    s.Da = tra(1, ultima / 2);
    s.A = tra(0, 2) == 0 ? 0 : tra(s.Da, ultima);
    s.Thread = tra(0, 2);
    return s;
}

} // namespace

TEST(VerificaRetroattiva, ComeLaCatenaSuArchiviCasualiConDoppiZeriERuoteVuote) {
    for (unsigned seme = 1; seme <= 10; ++seme) {
        const auto a = seme % 2 ? ArchivioDa(RigheCasuali(300, seme, 0, 0, 0.1))
                                : ArchivioDa(RigheCasuali(300, seme, 0.05, 0.03, 0.1));
        std::mt19937 gen(seme * 31337);
        for (int i = 0; i < 4; ++i)
            Confronta(a, Casuale(gen, a.UltimaEstrazione));
    }
}

TEST(VerificaRetroattiva, ComeLaCatenaSullArchivioReale) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    // The opening settings over the whole archive, on the base wheel and on every wheel.
    SceltaVerificaRetroattiva s;
    s.Casi = {0, 12, a.PosizioneMese[static_cast<size_t>(ultima)], false, 0};
    s.Ruote[0] = true;
    Confronta(a, s);
    s.Casi.Mensile = 0; // "U": the last draw of each month, every month of the archive
    s.Casi.Ruota = 7;
    s.Parametro.Trasformazione = 4;
    s.Ruote = {};
    s.Ruote[7] = true;
    Confronta(a, s);
    // Weekly years with a window longer than the gap between cases, whose windows are cut at the reference.
    s.Casi = {0, 30, 2, false, 3};
    s.Ruote.fill(true);
    s.DaColpo = 2;
    s.Colpi = 12;
    s.Da = 1800;
    s.A = 2400;
    Confronta(a, s);
    s.InteroPeriodo = true;
    Confronta(a, s);
    std::mt19937 gen(2026);
    for (int i = 0; i < 4; ++i) {
        auto c = Casuale(gen, ultima);
        c.Da = ultima - 600;
        Confronta(a, c);
    }
}

TEST(VerificaRetroattiva, NessunCasoNessunaProvaEFermata) {
    const auto a = ArchivioDa(RigheCasuali(200, 3, 0, 0, 0));
    SceltaVerificaRetroattiva s;
    s.Ruote[0] = true;
    s.Casi.NumeroCasi = 0;
    EXPECT_TRUE(VerificaRetroattiva(a, s).Prove.empty());
    s.Casi.NumeroCasi = 12;
    s.Da = 150;
    s.A = 100;
    EXPECT_TRUE(VerificaRetroattiva(a, s).Prove.empty());
    s.Da = 1;
    s.A = 0;
    std::atomic<bool> stop{true};
    const auto fermata = VerificaRetroattiva(a, s, {&stop, {}});
    EXPECT_TRUE(fermata.Interrotta);
    EXPECT_TRUE(fermata.Prove.empty());
}
