// SPDX-License-Identifier: GPL-3.0-or-later
// The fast search must give the reference's list row for row, ties included.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <stdexcept>

#include "Supporto.h"
#include "core/analysis/MigliorTerzina.h"
#include "core/analysis/RicercaTerzine.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Impostazione {
    int riferimento, casi, mensile;
    bool forzaUltima;
    int ruota;
    PosizioniAbilitate posizioni;
    Operazione op;
    int trasformazione, fisso;
    RuoteGioco ruote;
    int daColpo, colpi, elenco;
    bool intero;
    std::vector<bool> coperti;
};

InputRicerca Prepara(const ArchivioMemoria& a, const Impostazione& s) {
    SceltaCasi sc{s.riferimento, s.casi, s.mensile, s.forzaUltima, s.ruota};
    auto casi = GeneraCasi(a, sc);
    CalcolaParametri(a, casi, {s.posizioni, s.op, s.trasformazione, s.fisso});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = casi;
    in.Coperti = s.coperti;
    in.Ruote = s.ruote;
    in.Finestra = {s.daColpo, s.colpi, s.riferimento};
    in.InteroPeriodo = s.intero;
    in.Elenco = s.elenco;
    return in;
}

std::string Descrivi(const Impostazione& s) {
    std::string r = "rif=" + std::to_string(s.riferimento) + " casi=" + std::to_string(s.casi) +
                    " mensile=" + std::to_string(s.mensile) + " dacolpo=" + std::to_string(s.daColpo) +
                    " colpi=" + std::to_string(s.colpi) + " elenco=" + std::to_string(s.elenco) +
                    " intero=" + std::to_string(s.intero) + " trasf=" + std::to_string(s.trasformazione) +
                    " ruote=";
    for (bool b : s.ruote)
        r += b ? '1' : '0';
    return r;
}

void Confronta(const ArchivioMemoria& a, const Impostazione& s) {
    const auto in = Prepara(a, s);
    const auto rif = CercaTerzineRiferimento(in);
    const auto veloce = CercaTerzine(in);
    ASSERT_EQ(rif.Righe.size(), veloce.Righe.size()) << Descrivi(s);
    for (size_t r = 0; r < rif.Righe.size(); ++r) {
        const auto& x = rif.Righe[r];
        const auto& y = veloce.Righe[r];
        ASSERT_EQ(x, y) << Descrivi(s) << " riga " << r << ": riferimento " << x.Pos << "/" << x.Neg << " "
                        << x.A << "-" << x.B << "-" << x.C << " a" << x.Ambi << " t" << x.Terni << ", veloce "
                        << y.Pos << "/" << y.Neg << " " << y.A << "-" << y.B << "-" << y.C << " a" << y.Ambi
                        << " t" << y.Terni;
    }
}

RuoteGioco Ruote(std::initializer_list<int> indici) {
    RuoteGioco r{};
    for (int w : indici)
        r[w] = true;
    return r;
}

RuoteGioco Tutte() {
    RuoteGioco r;
    r.fill(true);
    return r;
}

constexpr PosizioniAbilitate TuttePosizioni{true, true, true, true, true};

/// Settings drawn at random within the window's ranges; the seed makes each run repeatable.
Impostazione Casuale(std::mt19937& gen, int ultima, bool pesante) {
    auto tra = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
    Impostazione s{};
    s.riferimento = tra(std::max(1, ultima - 300), ultima);
    s.casi = tra(1, 30);
    s.mensile = tra(0, 4);
    s.forzaUltima = tra(0, 1);
    s.ruota = tra(0, 10);
    for (auto& p : s.posizioni)
        p = tra(0, 3) > 0;
    s.op = Operazione::Somma;
    s.trasformazione = tra(0, 8);
    s.fisso = tra(0, 89);
    if (tra(0, 1)) {
        s.ruote = Ruote({tra(0, 10)});
    } else {
        for (auto& r : s.ruote)
            r = tra(0, 2) == 0;
    }
    s.daColpo = tra(1, 5);
    s.colpi = pesante ? tra(1, 20) : tra(1, 8);
    s.elenco = 10 * tra(1, 20);
    s.intero = tra(0, 1);
    for (int i = 0; i < s.casi; ++i)
        s.coperti.push_back(tra(0, 4) == 0);
    return s;
}

/// The best terzina alone must be the list's first row; `cerca` is reused so leftovers of one search
/// would show up in the next.
void ConfrontaMigliore(CercaMigliorTerzina& cerca, const ArchivioMemoria& a, const Impostazione& s) {
    const auto in = Prepara(a, s);
    const auto lista = CercaTerzine(in);
    const auto migliore = cerca(in);
    ASSERT_FALSE(migliore.Interrotta) << Descrivi(s);
    ASSERT_EQ(migliore.Migliore, lista.Righe.front())
        << Descrivi(s) << ": lista " << lista.Righe[0].Pos << " " << lista.Righe[0].A << "-"
        << lista.Righe[0].B << "-" << lista.Righe[0].C << " t" << lista.Righe[0].Terni << ", migliore "
        << migliore.Migliore.Pos << " " << migliore.Migliore.A << "-" << migliore.Migliore.B << "-"
        << migliore.Migliore.C << " t" << migliore.Migliore.Terni;
}

} // namespace

TEST(RicercaTerzine, RealeAllePreimpostazioniDellaFinestra) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    for (bool intero : {false, true})
        Confronta(a, {ultima,
                      12,
                      a.PosizioneMese[ultima],
                      false,
                      0,
                      TuttePosizioni,
                      Operazione::Somma,
                      0,
                      0,
                      Ruote({0}),
                      1,
                      8,
                      50,
                      intero,
                      {}});
}

TEST(RicercaTerzine, RealeAiLimitiDiDaColpoColpiEdElenco) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    struct Limiti {
        int daColpo, colpi, elenco;
        RuoteGioco ruote;
    };
    for (const auto& l : {Limiti{1, 1, 10, Ruote({10})}, Limiti{5, 20, 200, Tutte()},
                          Limiti{3, 2, 200, Ruote({7})}, Limiti{5, 1, 10, Tutte()}})
        for (bool intero : {false, true})
            Confronta(a, {ultima - 40,
                          30,
                          0,
                          true,
                          3,
                          TuttePosizioni,
                          Operazione::Somma,
                          1,
                          0,
                          l.ruote,
                          l.daColpo,
                          l.colpi,
                          l.elenco,
                          intero,
                          {}});
}

TEST(RicercaTerzine, RealeConCasiCopertiEParametroNullo) {
    const auto& a = ArchivioReale();
    std::vector<bool> coperti = {true,  false, false, true,  false, false,
                                 false, true,  false, false, false, false};
    // "7-Nulla": offsets are the numbers themselves.
    Confronta(a, {a.UltimaEstrazione - 7, 12, 2, false, 5, TuttePosizioni, Operazione::Somma, 7, 0,
                  Ruote({0, 1, 2}), 1, 8, 50, false, coperti});
    Confronta(a, {a.UltimaEstrazione - 7,
                  12,
                  2,
                  false,
                  5,
                  {true, false, false, true, false},
                  Operazione::Distanza,
                  2,
                  0,
                  Ruote({4, 8}),
                  2,
                  6,
                  100,
                  true,
                  coperti});
}

TEST(RicercaTerzine, RealeNel1939ConRuoteMancanti) {
    // Genova and Cagliari start in July 1939 and Nazionale in 2005: empty base wheels, zeros drawn.
    const auto& a = ArchivioReale();
    Confronta(a, {30,
                  12,
                  1,
                  false,
                  3,
                  {false, true, false, true, false},
                  Operazione::Differenza,
                  2,
                  0,
                  Tutte(),
                  1,
                  8,
                  50,
                  true,
                  {}});
    Confronta(a, {3800,
                  20,
                  0,
                  false,
                  10,
                  {true, true, false, false, false},
                  Operazione::Distanza,
                  2,
                  0,
                  Ruote({10, 0}),
                  1,
                  12,
                  200,
                  false,
                  {}});
}

TEST(RicercaTerzine, RealeImpostazioniCampione) {
    const auto& a = ArchivioReale();
    std::mt19937 gen(20261208);
    for (int i = 0; i < 6; ++i)
        Confronta(a, Casuale(gen, a.UltimaEstrazione, false));
}

TEST(RicercaTerzine, ArchiviCasualiConDoppiZeriERuoteVuote) {
    for (unsigned seme = 1; seme <= 6; ++seme) {
        const auto a = ArchivioDa(RigheCasuali(400, seme, 0.08, 0.03, 0.08));
        std::mt19937 gen(seme * 7919);
        for (int i = 0; i < 3; ++i)
            Confronta(a, Casuale(gen, a.UltimaEstrazione, seme % 2 == 0));
    }
}

TEST(RicercaTerzine, InterruzioneTieneLaListaParziale) {
    const auto& a = ArchivioReale();
    const Impostazione s{a.UltimaEstrazione,
                         12,
                         1,
                         false,
                         0,
                         TuttePosizioni,
                         Operazione::Somma,
                         0,
                         0,
                         Ruote({0, 5}),
                         1,
                         8,
                         50,
                         false,
                         {}};
    const auto in = Prepara(a, s);
    std::atomic<bool> stop{false};
    ControlloLavoro ctl{&stop, [&](int valore, int) {
                            if (valore >= 1100) stop = true;
                        }};
    const auto rif = CercaTerzineRiferimento(in, ctl);
    stop = false;
    const auto veloce = CercaTerzine(in, ctl);
    EXPECT_TRUE(rif.Interrotta);
    EXPECT_TRUE(veloce.Interrotta);
    EXPECT_EQ(rif.Righe, veloce.Righe);
    // Stopped before the 12,000th terzina in lexicographic order.
    const auto indice = [](const Terzina& z) {
        int n = 0;
        for (int a = 1; a <= 88; ++a)
            for (int b = a + 1; b <= 89; ++b)
                for (int c = b + 1; c <= 90; ++c, ++n)
                    if (a == z.A && b == z.B && c == z.C) return n;
        return n;
    };
    for (const auto& z : veloce.Righe) {
        if (!z.Vuota()) {
            EXPECT_LT(indice(z), 11999);
        }
    }
    // A stop asked before the search starts is kept: the search ends at its first check.
    stop = true;
    const auto subito = CercaTerzine(in, {&stop, {}});
    EXPECT_TRUE(subito.Interrotta);
    EXPECT_TRUE(stop);
    EXPECT_EQ(subito.Righe, CercaTerzineRiferimento(in, {&stop, {}}).Righe);
}

TEST(RicercaTerzine, UnCasoConParametroNulloSiVerificaSullArchivio) {
    // One case, one colpo on Bari, "7-Nulla": the list holds, in lexicographic order, the terzine
    // that hold two or three of the five numbers Bari drew next; a terno counts once, as a terno.
    const auto& a = ArchivioReale();
    const int rif = a.UltimaEstrazione - 1;
    const Impostazione s{rif, 1, 0,   true,  0, TuttePosizioni, Operazione::Somma, 7, 0, Ruote({0}),
                         1,   1, 200, false, {}};
    const auto in = Prepara(a, s);
    ASSERT_EQ(in.Casi.size(), 1u);
    const auto ris = CercaTerzine(in);
    const auto& estratti = a.Estrazioni[in.Casi[0].Estrazione + 1][0];
    int precedente = -1;
    for (const auto& z : ris.Righe) {
        ASSERT_FALSE(z.Vuota());
        int dentro = 0;
        for (int n : {z.A, z.B, z.C})
            dentro += std::count(estratti.begin(), estratti.end(), n);
        EXPECT_GE(dentro, 2);
        EXPECT_EQ(z.Pos, 1);
        EXPECT_EQ(z.Neg, 0);
        EXPECT_EQ(z.Terni, dentro == 3 ? 1 : 0);
        EXPECT_EQ(z.Ambi, dentro == 2 ? 1 : 0);
        const int chiave = z.A * 10000 + z.B * 100 + z.C;
        EXPECT_GT(chiave, precedente);
        precedente = chiave;
    }
    Confronta(a, s);
}

TEST(RicercaTerzine, MenoTerzineDellElencoLascianoRigheVuote) {
    // An empty play window (the reference draw is the case itself): nothing scores, every row is empty.
    const auto& a = ArchivioReale();
    const Impostazione s{a.UltimaEstrazione,
                         3,
                         1,
                         false,
                         0,
                         TuttePosizioni,
                         Operazione::Somma,
                         0,
                         0,
                         Ruote({0}),
                         1,
                         8,
                         30,
                         false,
                         {}};
    auto in = Prepara(a, s);
    in.Casi.resize(1);
    in.Casi[0].Estrazione = a.UltimaEstrazione;
    const auto ris = CercaTerzine(in);
    ASSERT_EQ(ris.Righe.size(), 30u);
    for (const auto& z : ris.Righe)
        EXPECT_TRUE(z.Vuota());
}

TEST(MigliorTerzina, PrimaRigaDellaListaSuArchiviCasualiEReale) {
    CercaMigliorTerzina cerca;
    // Clean draws take the pairs' path; repeated numbers, zeros and empty wheels the list's own.
    for (unsigned seme = 1; seme <= 8; ++seme) {
        const bool puliti = seme % 2 == 1;
        const auto a = ArchivioDa(puliti ? RigheCasuali(400, seme, 0, 0, 0.1)
                                         : RigheCasuali(400, seme, 0.08, 0.03, 0.08));
        std::mt19937 gen(seme * 104729);
        for (int i = 0; i < 25; ++i) {
            auto s = Casuale(gen, a.UltimaEstrazione, i % 5 == 0);
            if (i % 3 != 0) s.intero = false;
            ConfrontaMigliore(cerca, a, s);
        }
    }
    const auto& a = ArchivioReale();
    std::mt19937 gen(7);
    for (int i = 0; i < 20; ++i)
        ConfrontaMigliore(cerca, a, Casuale(gen, a.UltimaEstrazione, i % 4 == 0));
}

TEST(MigliorTerzina, PareggiCoppieSoleECasiSenzaEventi) {
    CercaMigliorTerzina cerca;
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    // One case, one colpo: every scoring terzina ties at 1, and the first holds offset 1 or 2 beside a pair.
    for (int trasformazione : {0, 7})
        for (int rif = ultima - 30; rif < ultima; rif += 3)
            ConfrontaMigliore(cerca, a,
                              {rif,
                               1,
                               0,
                               true,
                               0,
                               TuttePosizioni,
                               Operazione::Somma,
                               trasformazione,
                               0,
                               Ruote({rif % 11}),
                               1,
                               1,
                               10,
                               false,
                               {}});
    // Only the reference draw's own case, whose window is all in the future: nothing scores.
    ConfrontaMigliore(
        cerca, a,
        {ultima, 1, 1, true, 0, TuttePosizioni, Operazione::Somma, 0, 0, Ruote({0}), 1, 8, 10, false, {}});
    // Every wheel for twenty colpi and thirty cases: more wedges than terzine, the list's path.
    ConfrontaMigliore(cerca, a,
                      {ultima - 40,
                       30,
                       0,
                       false,
                       2,
                       TuttePosizioni,
                       Operazione::Somma,
                       0,
                       0,
                       Tutte(),
                       1,
                       20,
                       10,
                       false,
                       {}});
    // Half the cases covered, among them the first.
    std::vector<bool> coperti(20);
    for (size_t k = 0; k < coperti.size(); k += 2)
        coperti[k] = true;
    ConfrontaMigliore(cerca, a,
                      {ultima - 5, 20, 0, false, 4, TuttePosizioni, Operazione::Somma, 3, 0, Ruote({4, 9}), 2,
                       6, 10, false, coperti});
}

TEST(MigliorTerzina, FermataElencoVuotoETroppiCasi) {
    const auto& a = ArchivioReale();
    auto in = Prepara(a, {a.UltimaEstrazione,
                          12,
                          1,
                          false,
                          0,
                          TuttePosizioni,
                          Operazione::Somma,
                          0,
                          0,
                          Ruote({0}),
                          1,
                          8,
                          10,
                          false,
                          {}});
    CercaMigliorTerzina cerca;
    std::atomic<bool> stop{true};
    const auto fermata = cerca(in, {&stop, {}});
    EXPECT_TRUE(fermata.Interrotta);
    EXPECT_TRUE(fermata.Migliore.Vuota());
    stop = false;
    EXPECT_EQ(cerca(in, {&stop, {}}).Migliore, CercaTerzine(in).Righe[0]);
    in.Elenco = 0;
    EXPECT_TRUE(cerca(in).Migliore.Vuota());
    in.Elenco = 10;
    in.Casi = GeneraCasi(a, {a.UltimaEstrazione, 31, 0, false, 0});
    EXPECT_THROW(cerca(in), std::invalid_argument);
}

TEST(MigliorTerzina, UnTernoDopoLAmboDelloStessoCasoContaDaAmbo) {
    // Parameter 0: offsets are the numbers. The first case meets 1-2 and only later 1-2-3, the second
    // meets 1-2-3 at once: one ambo, one terno.
    const auto a = ArchivioAMano({{"10-11-12-13-14"},
                                  {"01-02-50-60-70"},
                                  {"01-02-03-80-81"},
                                  {"20-21-22-23-24"},
                                  {"30-31-32-33-34"},
                                  {"01-02-03-40-41"},
                                  {"45-46-47-48-49"}});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = {{5, 0, 0}, {1, 0, 0}};
    in.Ruote[0] = true;
    in.Finestra = {1, 2, 7};
    in.Elenco = 10;
    const Terzina attesa{2, 0, 1, 2, 3, 1, 1};
    EXPECT_EQ(CercaTerzine(in).Righe[0], attesa);
    EXPECT_EQ(CercaMigliorTerzina{}(in).Migliore, attesa);
}
