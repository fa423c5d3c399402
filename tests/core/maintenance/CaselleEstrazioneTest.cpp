// SPDX-License-Identifier: GPL-3.0-or-later
// The entry boxes' rules, the check before a draw is stored, the paste rule and the year calendar.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/maintenance/CalendarioEstrazioni.h"
#include "core/maintenance/CaselleEstrazione.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(CaselleEstrazione, FiltroDellaDigitazione) {
    // Each step of typing as the box sees it.
    EXPECT_EQ(FiltraCasella("7"), "7");
    EXPECT_EQ(FiltraCasella("9"), "9");
    EXPECT_EQ(FiltraCasella("95"), "");   // above 90 when the second digit arrives
    EXPECT_EQ(FiltraCasella("99"), "99"); // the one value above 90 that stays
    EXPECT_EQ(FiltraCasella("90"), "90");
    EXPECT_EQ(FiltraCasella("a"), "");
    EXPECT_EQ(FiltraCasella("4x"), "");
    EXPECT_EQ(FiltraCasella("0"), "0");
    EXPECT_EQ(FormatoCasella("7"), "07");
    EXPECT_EQ(FormatoCasella(""), "");
    EXPECT_EQ(FormatoCasella("45"), "45");
}

TEST(CaselleEstrazione, TastiInvioEFrecce) {
    auto a = Tasto(1, "7", TastoCasella::Invio);
    EXPECT_EQ(a.Destinazione, 2);
    EXPECT_EQ(a.Testo, "07");
    for (const char* zero : {"0", "00", ""}) {
        a = Tasto(4, zero, TastoCasella::Invio);
        EXPECT_TRUE(a.Svuota) << zero;
        EXPECT_EQ(a.Destinazione, 0) << zero;
    }
    EXPECT_EQ(Tasto(55, "12", TastoCasella::Invio).Destinazione, 1);
    // The four wrap-arounds.
    EXPECT_EQ(Tasto(10, "12", TastoCasella::Destra).Destinazione, 6);
    EXPECT_EQ(Tasto(53, "12", TastoCasella::Giu).Destinazione, 3);
    EXPECT_EQ(Tasto(2, "12", TastoCasella::Su).Destinazione, 52);
    EXPECT_EQ(Tasto(51, "12", TastoCasella::Sinistra).Destinazione, 55);
    EXPECT_EQ(Tasto(7, "", TastoCasella::Destra).Destinazione, 8);
    EXPECT_EQ(Tasto(7, "12", TastoCasella::Giu).Destinazione, 12);
    // A one-digit box is emptied by an arrow, and the focus stays.
    a = Tasto(3, "5", TastoCasella::Destra);
    EXPECT_TRUE(a.Svuota);
    EXPECT_EQ(a.Destinazione, 0);
}

// Every box and every arrow: the focus never leaves the grid, left and right stay on the wheel, up and
// down on the position, and each arrow is undone by its opposite.
TEST(CaselleEstrazione, FrecceDaOgniCasella) {
    const auto riga = [](int b) { return (b - 1) / 5; };
    const auto colonna = [](int b) { return (b - 1) % 5; };
    const std::pair<TastoCasella, TastoCasella> opposti[] = {{TastoCasella::Giu, TastoCasella::Su},
                                                             {TastoCasella::Su, TastoCasella::Giu},
                                                             {TastoCasella::Destra, TastoCasella::Sinistra},
                                                             {TastoCasella::Sinistra, TastoCasella::Destra}};
    for (int b = 1; b <= NumeroCaselle; ++b)
        for (const auto& [andata, ritorno] : opposti) {
            const auto a = Tasto(b, "42", andata);
            ASSERT_FALSE(a.Svuota) << b;
            ASSERT_GE(a.Destinazione, 1) << b;
            ASSERT_LE(a.Destinazione, NumeroCaselle) << b;
            EXPECT_NE(a.Destinazione, b) << b;
            EXPECT_EQ(a.Testo, "42");
            if (andata == TastoCasella::Su || andata == TastoCasella::Giu)
                EXPECT_EQ(colonna(a.Destinazione), colonna(b)) << b;
            else
                EXPECT_EQ(riga(a.Destinazione), riga(b)) << b;
            EXPECT_EQ(Tasto(a.Destinazione, "", ritorno).Destinazione, b) << b;
            // One or three characters: emptied, the focus stays.
            for (const char* corto : {"4", "423"}) {
                const auto v = Tasto(b, corto, andata);
                EXPECT_TRUE(v.Svuota && v.Destinazione == 0 && v.Testo.empty()) << b << " " << corto;
            }
        }
    // Enter walks the 55 boxes in reading order and comes back to the first.
    int b = 1;
    for (int passo = 1; passo <= NumeroCaselle; ++passo) {
        b = Tasto(b, "7", TastoCasella::Invio).Destinazione;
        EXPECT_EQ(b, passo % NumeroCaselle + 1);
    }
}

namespace {

/// Bari 01..05, Cagliari 06..10 and so on; Nazionale empty.
TestiCaselle Completa() {
    TestiCaselle c;
    for (int b = 1; b <= 50; ++b)
        c[static_cast<size_t>(b - 1)] = std::string(b < 10 ? "0" : "").append(std::to_string(b));
    return c;
}

} // namespace

TEST(CaselleEstrazione, ControlloPrimaDiScrivere) {
    auto c = Completa();
    EXPECT_FALSE(ControllaCaselle(c).has_value());
    const auto riga = RigaDaCaselle("22/08/2026", c);
    EXPECT_EQ(riga.Celle[0], "01-02-03-04-05");
    EXPECT_EQ(riga.Celle[9], "46-47-48-49-50");
    EXPECT_EQ(riga.Celle[10], "----"); // an empty wheel is stored as such
    // A wheel shown as "00" (an empty stored wheel) is still empty.
    for (int b = 51; b <= 55; ++b)
        c[static_cast<size_t>(b - 1)] = "00";
    EXPECT_FALSE(ControllaCaselle(c).has_value());
    EXPECT_EQ(RigaDaCaselle("22/08/2026", c).Celle[10], "----");

    auto x = Completa();
    x[12] = "99";
    EXPECT_EQ(ControllaCaselle(x), "Ruota di Firenze, casella 13: \"99\" non è un numero da 1 a 90.");
    x = Completa();
    x[33] = "32";
    EXPECT_EQ(ControllaCaselle(x), "Ruota di Palermo: il numero 32 è ripetuto (caselle 32 e 34).");
    x = Completa();
    x[50] = "07";
    EXPECT_EQ(ControllaCaselle(x),
              "Ruota Nazionale: manca il numero nella casella 52. Una ruota va completata "
              "con cinque numeri o lasciata tutta vuota.");
    x = Completa();
    x[1] = "";
    EXPECT_TRUE(ControllaCaselle(x)->starts_with("Ruota di Bari: manca il numero nella casella 2."));
    TestiCaselle vuote;
    EXPECT_EQ(ControllaCaselle(vuote), "Nessun numero inserito: l'estrazione è vuota.");
}

TEST(CaselleEstrazione, IncollaEstrazione) {
    auto n = NumeriIncollati("1 2 3\n");
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[1], 2);
    EXPECT_EQ(n[2], 3);
    EXPECT_EQ(n[3], 0);
    // Without the line end the last number is the user's all the same.
    n = NumeriIncollati("1 2 3");
    EXPECT_EQ(n[1], 2);
    EXPECT_EQ(n[2], 3);
    EXPECT_EQ(n[3], 0);
    n = NumeriIncollati("45");
    EXPECT_EQ(n[0], 45);
    EXPECT_EQ(n[1], 0);
    // A copied draw line: date digits count too, as they are runs of digits.
    n = NumeriIncollati("BA 12-45-07\r\n");
    EXPECT_EQ(n[0], 12);
    EXPECT_EQ(n[2], 7);
    std::string lunga;
    for (int i = 1; i <= 60; ++i)
        lunga.append(std::to_string(i)).append(" ");
    n = NumeriIncollati(lunga);
    EXPECT_EQ(n[54], 55); // at most 55 numbers
    // What the boxes receive: a number a box cannot hold leaves it empty, never its first digits.
    const auto t = CaselleIncollate("12 123 99 2026 7 95 0\n");
    EXPECT_EQ(t[0], "12");
    EXPECT_EQ(t[1], "");
    EXPECT_EQ(t[2], "99"); // kept, as typing keeps it; the check before writing refuses it
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t[4], "07");
    EXPECT_EQ(t[5], "");
    EXPECT_EQ(t[6], "00");
    EXPECT_EQ(t[7], "00");
    EXPECT_EQ(CaselleIncollate("99999999999 1\n")[0], "");
}

TEST(CalendarioEstrazioni, AnniDelLArchivioReale) {
    EXPECT_EQ(GiornoSettimana({7, 1, 1939}), 7);  // a Saturday
    EXPECT_EQ(GiornoSettimana({21, 8, 2026}), 6); // a Friday
    EXPECT_EQ(GiornoSettimana({29, 2, 2000}), 3); // a Tuesday
    EXPECT_EQ(GiornoSettimana({1, 3, 1900}), 5);  // a Thursday: 1900 had no 29 February
    EXPECT_EQ(SiglaGiorno(4), "m");
    EXPECT_EQ(SiglaGiorno(0), "");

    // 1944: a draw every Saturday, days 1 to 30 in some month, never a 31st.
    const auto c44 = CalendarioDellAnno(ArchivioReale(), 1944);
    ASSERT_EQ(c44.Righe.size(), 12u);
    ASSERT_EQ(c44.Giorni.size(), 30u);
    EXPECT_EQ(c44.Giorni.front(), 1);
    EXPECT_EQ(c44.Giorni.back(), 30);
    int draws = 0;
    for (const auto& r : c44.Righe)
        for (int g : r.Celle) {
            if (g) {
                EXPECT_EQ(g, 7);
            }
            draws += g != 0;
        }
    EXPECT_EQ(draws, 53);
    EXPECT_EQ(c44.Righe[0].Celle[0], 7); // 01/01/1944
    EXPECT_EQ(c44.Righe[0].Celle[1], 0);

    const auto c26 = CalendarioDellAnno(ArchivioReale(), 2026);
    ASSERT_EQ(c26.Righe.size(), 8u);
    EXPECT_EQ(c26.Righe.back().Mese, 8);
    const auto k = std::find(c26.Giorni.begin(), c26.Giorni.end(), 21) - c26.Giorni.begin();
    EXPECT_EQ(c26.Righe.back().Celle[static_cast<size_t>(k)], 6);

    const auto vuoto = CalendarioDellAnno(ArchivioReale(), 1938);
    EXPECT_TRUE(vuoto.Righe.empty());
    EXPECT_TRUE(vuoto.Giorni.empty());
}
