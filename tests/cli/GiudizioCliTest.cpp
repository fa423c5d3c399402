// SPDX-License-Identifier: GPL-3.0-or-later
// The "Giudizio" row of `## Atteso` and `## Sintesi`: its first words follow the p printed above it, worked
// by hand on both sides of 0,05 and 0,01; a planted pattern is judged beyond chance, the real archive not.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "cli/OpzioniAnalisi.h"
#include "core/archive/FormatiTesto.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

std::string Voce(const TabellaTesto& t, const std::string& nome) {
    for (const auto& r : t.Righe)
        if (r.size() == 2 && r[0] == nome) return r[1];
    return "?";
}

std::string Esegui(const std::vector<std::string>& argomenti) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::Principale(argomenti, {"."}, out, err), 0) << err.str();
    return out.str();
}

/// The `voce` row of the `## tabella` table of a command-line output.
std::string VoceCli(const std::string& uscita, const std::string& tabella, const std::string& voce) {
    std::stringstream ss(uscita);
    bool dentro = false;
    for (std::string l; std::getline(ss, l);) {
        if (l.rfind("## ", 0) == 0) dentro = l == "## " + tabella;
        if (dentro && l.rfind(voce + "\t", 0) == 0) return l.substr(voce.size() + 1);
    }
    return "?";
}

bool Inizia(const std::string& testo, const std::string& inizio) {
    return testo.rfind(inizio, 0) == 0;
}

/// 200 simulated bests: `cinque` of 5, `sei` of 6, the rest of 7.
std::vector<int> Simulati(int cinque, int sei) {
    std::vector<int> v(static_cast<size_t>(cinque), 5);
    v.insert(v.end(), static_cast<size_t>(sei), 6);
    v.resize(200, 7);
    return v;
}

/// A random archive where, after every first draw of a month, the next draw on Bari brings P + 10 and
/// P + 20 (P the case's parameter at the opening settings), written as a text archive.
std::string ArchivioPiantato(const CartellaTemporanea& c) {
    // The text reader refuses a number repeated on a wheel: five distinct numbers everywhere.
    auto righe = RigheCasuali(700, 11, 0, 0, 0);
    std::mt19937 gen(11);
    std::array<int, 90> urna;
    std::iota(urna.begin(), urna.end(), 1);
    const auto cella = [](const std::array<int, 5>& n) {
        std::array<std::string, 5> t;
        for (size_t p = 0; p < 5; ++p) {
            char due[8];
            std::snprintf(due, sizeof due, "%02d", n[p]);
            t[p] = due;
        }
        return ScriviCellaRuota(t);
    };
    for (auto& r : righe)
        for (auto& x : r.Celle) {
            std::shuffle(urna.begin(), urna.end(), gen);
            x = cella({urna[0], urna[1], urna[2], urna[3], urna[4]});
        }
    const auto a = ArchivioDa(righe);
    for (int r = 1; r < a.NumeroEstrazioni; ++r) {
        if (a.PosizioneMese[static_cast<size_t>(r)] != 1) continue;
        std::vector<Caso> caso{{r, 0, 0}};
        CalcolaParametri(a, caso, {});
        const int x = NumeroGiocato(caso[0].Parametro, 10), y = NumeroGiocato(caso[0].Parametro, 20);
        std::array<int, 5> n{x, y, 0, 0, 0};
        int altro = 1;
        for (size_t p = 2; p < 5; ++p) {
            while (altro == x || altro == y)
                ++altro;
            n[p] = altro++;
        }
        righe[static_cast<size_t>(r)].Celle[0] = cella(n); // draw r + 1
    }
    const auto file = c / "piantato.txt";
    std::ofstream f(file);
    for (const auto& r : righe)
        f << ScriviLineaArchivioTesto(r) << "\n";
    return file;
}

} // namespace

TEST(CliGiudizio, PrimeParoleSecondoIlPCalcolatoAMano) {
    std::vector<std::vector<std::string>> estrazioni(13, {"01-02-03-04-05"});
    const auto a = ArchivioAMano(estrazioni);
    InputRicerca in;
    in.Archivio = &a;
    for (int d = 1; d <= 12; ++d)
        in.Casi.push_back({d, 0, 0});
    in.Ruote[0] = true;
    in.Finestra = {1, 1, 13};
    const SceltaSimulazione sim{200, 1, 0, 0};
    const struct {
        int cinque, sei;
        const char *p, *inizio;
    } prove[] = {{100, 90, "0,050", "Alla portata del caso: "},
                 {101, 90, "0,045", "Poco oltre il caso: "},
                 {110, 88, "0,010", "Poco oltre il caso: "},
                 {111, 88, "0,005", "Oltre il caso: "}};
    for (const auto& q : prove) {
        EsitoSimulazione e;
        e.TopPos = Simulati(q.cinque, q.sei);
        const auto t = cli::TabellaAtteso(in, sim, e, 7, 0, 0, "Cop");
        EXPECT_EQ(Voce(t, "Pos migliore, p"), q.p);
        ASSERT_EQ(t.Righe.back()[0], "Giudizio");
        EXPECT_TRUE(Inizia(t.Righe.back()[1],
                           q.inizio + std::string("la prima terzina dell'elenco copre 7 casi su 12")))
            << t.Righe.back()[1];
    }
    // With the combinations simulated too, the verdict judges the combination that is played.
    EsitoSimulazione e;
    e.TopPos = Simulati(111, 88);
    e.TopCop = Simulati(100, 90);
    auto t = cli::TabellaAtteso(in, {200, 1, 2, 0}, e, 7, 2, 7, "Cop");
    EXPECT_EQ(Voce(t, "Pos migliore, p"), "0,005");
    EXPECT_EQ(Voce(t, "Cop migliore, p"), "0,050");
    EXPECT_TRUE(Inizia(Voce(t, "Giudizio"),
                       "Alla portata del caso: la migliore combinazione di 2 terzine copre 7 casi "
                       "su 12; in 200 archivi"));
    // The builder's method is chosen by hand and not simulated: the list's first is judged.
    e.TopCop.clear();
    t = cli::TabellaAtteso(in, sim, e, 7, 2, 5, "Coperti dal metodo");
    EXPECT_EQ(Voce(t, "Coperti dal metodo osservato"), "5");
    EXPECT_TRUE(Inizia(Voce(t, "Giudizio"), "Oltre il caso: la prima terzina dell'elenco"))
        << Voce(t, "Giudizio");
}

TEST(CliGiudizio, ArchivioRealeAllaPortataDelCaso) {
    const auto reale = PercorsoDati("archivio-1939-2026.txt");
    EXPECT_EQ(
        VoceCli(Esegui({"analizza", "--archivio", reale, "--atteso"}), "Atteso", "Giudizio"),
        "Alla portata del caso: la prima terzina dell'elenco copre 5 casi su 12; in 200 archivi estratti a "
        "caso la migliore ne copre 6 (mediana) e in tutti arriva almeno a 5.");
    const auto uscita = Esegui({"verifica", "--archivio", reale, "--da-estrazione", "6500"});
    const auto giudizio = VoceCli(uscita, "Sintesi", "Giudizio");
    auto testoP = VoceCli(uscita, "Sintesi", "p");
    std::replace(testoP.begin(), testoP.end(), ',', '.');
    const double p = std::stod(testoP);
    EXPECT_TRUE(Inizia(giudizio, p >= 0.05   ? "Alla portata del caso: in "
                                 : p >= 0.01 ? "Poco oltre il caso: in "
                                             : "Oltre il caso: in "))
        << giudizio;
}

TEST(CliGiudizio, SchemaPiantatoOltreIlCaso) {
    CartellaTemporanea c;
    const auto file = ArchivioPiantato(c);
    const auto atteso = VoceCli(Esegui({"analizza", "--archivio", file, "--mensile", "1", "--colpi", "1",
                                        "--atteso", "--simulazioni", "20"}),
                                "Atteso", "Giudizio");
    EXPECT_TRUE(
        Inizia(atteso, "Oltre il caso: la prima terzina dell'elenco copre 12 casi su 12; in 20 archivi"))
        << atteso;
    EXPECT_NE(atteso.find("e in nessuno arriva a 12."), std::string::npos) << atteso;
    const auto sintesi =
        VoceCli(Esegui({"verifica", "--archivio", file, "--mensile", "1", "--colpi", "1", "--elenco", "10"}),
                "Sintesi", "Giudizio");
    EXPECT_TRUE(Inizia(sintesi, "Oltre il caso: in ")) << sintesi;
    EXPECT_NE(sintesi.find("meno di una volta su 1.000."), std::string::npos) << sintesi;
}

TEST(CliGiudizio, CostruttoreInteroPeriodoConfrontaICasiCoperti) {
    // The list by colpo ranks by covered cases even with the whole period: chance must count cases too,
    // not every hit, or 11 covered cases would be set against a median of 27 hits.
    const auto reale = PercorsoDati("archivio-1939-2026.txt");
    const std::vector<std::string> base = {"costruttore", "--archivio", reale,      "--ruote-gioco", "TU",
                                           "--colpi",     "12",         "--atteso", "--simulazioni", "20"};
    auto intero = base;
    intero.push_back("--intero-periodo");
    const auto conIntero = Esegui(intero), senza = Esegui(base);
    for (const char* voce :
         {"Pos atteso", "Pos migliore osservato", "Pos migliore per caso, mediana", "Giudizio"})
        EXPECT_EQ(VoceCli(conIntero, "Atteso", voce), VoceCli(senza, "Atteso", voce)) << voce;
}
