// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Supporto.h"
#include "core/archive/FormatiTesto.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(FormatiTesto, ArchivioRealeEStoricoCoincidono) {
    const auto& testo = RigheReali();
    ASSERT_EQ(testo.size(), 7370u);
    EXPECT_EQ(testo.front().Data, "07/01/1939");
    EXPECT_EQ(testo.front().Celle[0], "58-22-47-49-69");
    EXPECT_EQ(testo.front().Celle[1], "----");
    EXPECT_EQ(testo.back().Data, "21/08/2026");
    EXPECT_EQ(testo.back().Celle[10], "51-89-82-70-37");
    const auto storico = LeggiFileEstrazioni(PercorsoDati("storico-1939-2026.txt"));
    ASSERT_EQ(storico.size(), testo.size());
    for (size_t i = 0; i < testo.size(); ++i)
        ASSERT_EQ(storico[i], testo[i]) << testo[i].Data;
}

TEST(FormatiTesto, RigaErrataSegnalataConIlSuoNumero) {
    std::string buona = ScriviLineaArchivioTesto(RigheReali()[5]);
    ASSERT_EQ(buona.size(), 175u);
    std::string numeroFuori = buona;
    numeroFuori.replace(11, 2, "95");
    std::string dataErrata = buona;
    dataErrata.replace(0, 2, "32");
    const std::string altra = ScriviLineaArchivioTesto(RigheReali()[6]);
    for (const auto& cattiva : {numeroFuori, dataErrata, buona.substr(0, 100)}) {
        std::stringstream in(buona + "\r\n" + altra + "\r\n\r\n" + cattiva + "\r\n");
        try {
            LeggiArchivioTesto(in);
            FAIL() << "accettata: " << cattiva;
        } catch (const ErroreFormato& e) {
            EXPECT_EQ(e.Riga, 4);
        }
    }
    std::stringstream storico("1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tXX\t1\t2\t3\t4\t5\n");
    EXPECT_THROW(LeggiStorico(storico), ErroreFormato);
    std::stringstream doppio("1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tBA\t1\t2\t3\t4\t5\n");
    EXPECT_THROW(LeggiStorico(doppio), ErroreFormato);
}

namespace {

/// A draw with every wheel 01-02-03-04-05 but an empty Nazionale.
RigaEstrazione EstrazioneDel(const std::string& data) {
    RigaEstrazione r{data, {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[10] = "----";
    return r;
}

/// The line and message of the error a text archive gives (line 0 when it is read whole).
std::pair<int, std::string> Errore(const std::string& testo) {
    std::istringstream in(testo);
    try {
        LeggiArchivioTesto(in);
    } catch (const ErroreFormato& e) {
        return {e.Riga, e.what()};
    }
    return {0, ""};
}

} // namespace

TEST(FormatiTesto, AnniSecolariNelleDueForme) {
    const auto buona = ScriviLineaArchivioTesto(EstrazioneDel("28/02/1900"));
    EXPECT_EQ(LeggiLineaArchivioTesto(ScriviLineaArchivioTesto(EstrazioneDel("29/02/2000")), 1).Data,
              "29/02/2000");
    for (const char* data : {"29/02/1900", "29/02/2100"}) {
        const auto e = Errore(buona + "\r\n" + ScriviLineaArchivioTesto(EstrazioneDel(data)) + "\r\n");
        EXPECT_EQ(e.first, 2) << data;
        EXPECT_NE(e.second.find(data), std::string::npos) << e.second;
    }
    std::istringstream storico("2000/02/29\tBA\t1\t2\t3\t4\t5\r\n");
    const auto righe = LeggiStorico(storico);
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].Data, "29/02/2000");
    EXPECT_EQ(righe[0].Celle[0], "01-02-03-04-05");
    for (const char* data : {"1900/02/29", "2100/02/29"}) {
        std::istringstream errato("2000/02/29\tBA\t1\t2\t3\t4\t5\n" + std::string(data) +
                                  "\tBA\t1\t2\t3\t4\t5\n");
        try {
            LeggiStorico(errato);
            ADD_FAILURE() << "accettata " << data;
        } catch (const ErroreFormato& e) {
            EXPECT_EQ(e.Riga, 2) << data;
        }
    }
}

TEST(FormatiTesto, RigheCorteECelleConUnoSpazio) {
    const RigaEstrazione r = EstrazioneDel("07/01/2000");
    const auto linea = ScriviLineaArchivioTesto(r);
    ASSERT_EQ(linea.size(), 175u);
    // An empty Nazionale ("----" and ten blanks) may lose its trailing blanks: 165 to 174 characters
    // are still the same draw.
    for (size_t n : {165u, 170u, 174u})
        EXPECT_EQ(LeggiLineaArchivioTesto(linea.substr(0, n), 1), r) << n;
    // Shorter, or a filled Nazionale cut short, is a damaged line: refused with its number.
    auto piena = r;
    piena.Celle[10] = "51-89-82-70-37";
    const auto lineaPiena = ScriviLineaArchivioTesto(piena);
    const auto altra = ScriviLineaArchivioTesto(EstrazioneDel("08/01/2000"));
    for (const auto& corta : {linea.substr(0, 164), linea.substr(0, 160), lineaPiena.substr(0, 174)}) {
        const auto e = Errore(linea + "\r\n" + altra + "\r\n" + corta + "\r\n");
        EXPECT_EQ(e.first, 3) << corta.size();
    }
    EXPECT_NE(Errore(lineaPiena.substr(0, 174)).second.find("Nazionale"), std::string::npos);

    // A number padded with a blank instead of a zero (" 5" for 05) is not the stored two-digit cell:
    // the line is refused, naming the wheel, rather than stored as a cell no other draw matches.
    for (size_t ruota : {0u, 3u, 10u}) {
        auto cella = piena;
        cella.Celle[ruota] = ruota == 3 ? "05-17- 3-48-90" : " 5-17-33-48-90";
        const auto e = Errore(linea + "\r\n" + ScriviLineaArchivioTesto(cella) + "\r\n");
        EXPECT_EQ(e.first, 2) << ruota;
        EXPECT_NE(e.second.find(NomiRuote[ruota]), std::string::npos) << e.second;
    }
    // The stored cell itself is read leniently: a blank before a digit is no digit lost.
    EXPECT_EQ(LeggiCellaRuota(" 5-17- 3-48-90"), (NumeriRuota{5, 17, 3, 48, 90}));
}

TEST(FormatiTesto, FileCheIniziaConRigheVuote) {
    const auto prima = EstrazioneDel("07/01/2000"), seconda = EstrazioneDel("08/01/2000");
    const std::string intestata = ScriviLineaArchivioTesto(prima) + " pr"; // the full archive's first line
    const std::string testo =
        "\r\n   \r\n\r\n" + intestata + "\r\n" + ScriviLineaArchivioTesto(seconda) + "\r\n\r\n";
    std::istringstream in(testo);
    EXPECT_EQ(LeggiArchivioTesto(in), (std::vector<RigaEstrazione>{prima, seconda}));
    // Errors keep the line number of the file, blank lines counted.
    EXPECT_EQ(Errore("\r\n\r\n" + intestata + "\r\n" + intestata.substr(0, 100) + "\r\n").first, 4);

    // The layout is chosen from the first line that is not blank, whichever it is.
    CartellaTemporanea c;
    std::ofstream(c / "testo.txt", std::ios::binary) << testo;
    EXPECT_EQ(LeggiFileEstrazioni(c / "testo.txt"), (std::vector<RigaEstrazione>{prima, seconda}));
    std::ofstream(c / "storico.txt", std::ios::binary) << "\r\n\r\n2000/01/07\tBA\t1\t2\t3\t4\t5\r\n";
    const auto storico = LeggiFileEstrazioni(c / "storico.txt");
    ASSERT_EQ(storico.size(), 1u);
    EXPECT_EQ(storico[0].Data, "07/01/2000");
    EXPECT_EQ(storico[0].Celle[0], "01-02-03-04-05");
}

TEST(FormatiTesto, DueEstrazioniSuUnaRigaNonNePerdonoUna) {
    // Draws run together on one line (a lost line end, or a file whose lines end with a bare carriage
    // return) must not be read as the first draw alone: the others would vanish without a word.
    const auto prima = ScriviLineaArchivioTesto(EstrazioneDel("07/01/2000"));
    const auto seconda = ScriviLineaArchivioTesto(EstrazioneDel("08/01/2000"));
    EXPECT_EQ(Errore(prima + "\r\n" + prima + seconda + "\r\n").first, 2);
    EXPECT_EQ(Errore(prima + "\r" + seconda + "\r").first, 1);
    EXPECT_EQ(Errore(prima + " pr" + seconda + "\r\n").first, 1);
    // Blanks past the last field, or after the first line's mark, are still one draw.
    std::istringstream in(prima + " pr  \r\n" + seconda + "   \r\n");
    EXPECT_EQ(LeggiArchivioTesto(in),
              (std::vector<RigaEstrazione>{EstrazioneDel("07/01/2000"), EstrazioneDel("08/01/2000")}));
}

TEST(FormatiTesto, ImportazioneRifiutaCiòCheNonPuòEssereUnaEstrazione) {
    const auto linea = [](const std::string& data, const std::string& ruota = "01-02-03-04-05", int w = 0) {
        auto r = EstrazioneDel(data);
        r.Celle[static_cast<size_t>(w)] = ruota;
        return ScriviLineaArchivioTesto(r) + "\r\n";
    };
    const auto storico = [](const std::string& testo, const RegoleLettura& regole = {}) {
        std::istringstream in(testo);
        try {
            LeggiStorico(in, regole);
        } catch (const ErroreFormato& e) {
            return std::pair<int, std::string>{e.Riga, e.what()};
        }
        return std::pair<int, std::string>{0, ""};
    };
    // A number twice on one wheel, in both layouts: the line and the wheel are named.
    auto e = Errore(linea("07/01/2000") + linea("08/01/2000", "05-17-33-17-90", 3));
    EXPECT_EQ(e.first, 2);
    EXPECT_NE(e.second.find("Genova: numero 17 ripetuto"), std::string::npos) << e.second;
    e = storico("2000/01/07\tBA\t1\t2\t3\t4\t5\n2000/01/07\tRN\t9\t8\t7\t9\t1\n");
    EXPECT_EQ(e.first, 2);
    EXPECT_NE(e.second.find("Nazionale: numero 9 ripetuto"), std::string::npos) << e.second;

    // Dates: 1871 is the first plausible year, today plus a week the last day.
    const Data ultima{15, 6, 2030};
    RegoleLettura regole;
    regole.Ultima = ultima;
    for (const auto& [data, riga] : {std::pair{"31/12/1870", 1}, std::pair{"16/06/2030", 1},
                                     std::pair{"01/01/1871", 0}, std::pair{"15/06/2030", 0}}) {
        std::istringstream in(linea(data));
        int trovata = 0;
        try {
            LeggiArchivioTesto(in, regole);
        } catch (const ErroreFormato& x) {
            trovata = x.Riga;
            EXPECT_NE(std::string(x.what()).find("non plausibile"), std::string::npos) << x.what();
        }
        EXPECT_EQ(trovata, riga) << data;
    }
    EXPECT_EQ(storico("2030/06/16\tBA\t1\t2\t3\t4\t5\n", regole).first, 1);
    const Data domani = UltimaDataPlausibile();
    EXPECT_EQ(Errore(linea(TestoData({1, domani.mese % 12 + 1, domani.anno + 1}))).first,
              1); // past next week

    // The same date twice in one file is a fault of the file, not a draw already in the archive.
    e = Errore(linea("07/01/2000") + linea("08/01/2000") + linea("07/01/2000"));
    EXPECT_EQ(e.first, 3);
    EXPECT_NE(e.second.find("ripetuta nel file (già alla riga 1)"), std::string::npos) << e.second;

    // More draws than an archive holds: refused while reading, not after a 200 MB file is in memory.
    regole = {};
    regole.MassimoEstrazioni = 2;
    std::istringstream tre(linea("07/01/2000") + linea("08/01/2000") + linea("09/01/2000"));
    EXPECT_THROW(LeggiArchivioTesto(tre, regole), ErroreFormato);
    EXPECT_EQ(storico("2000/01/07\tBA\t1\t2\t3\t4\t5\n2000/01/08\tBA\t1\t2\t3\t4\t5\n"
                      "2000/01/08\tCA\t1\t2\t3\t4\t5\n2000/01/09\tBA\t1\t2\t3\t4\t5\n",
                      regole)
                  .first,
              4);

    // The update check reads leniently and marks such rows itself.
    RegoleLettura permissive;
    permissive.Rigorose = false;
    EXPECT_EQ(storico("1800/01/07\tBA\t1\t1\t3\t4\t5\n", permissive).first, 0);
}

TEST(FormatiTesto, FileCheNonSonoTestoDiEstrazioni) {
    CartellaTemporanea c;
    const auto errore = [&](const std::string& contenuto) {
        std::ofstream(c / "f.txt", std::ios::binary | std::ios::trunc) << contenuto;
        try {
            LeggiFileEstrazioni(c / "f.txt");
        } catch (const ErroreFormato& e) {
            return std::string(e.what());
        }
        return std::string("accettato");
    };
    const std::string linea = ScriviLineaArchivioTesto(EstrazioneDel("07/01/2000")) + "\r\n";
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF", senzaMarca;
    for (char ch : linea) {
        utf16le += std::string{ch, '\0'};
        utf16be += std::string{'\0', ch};
        senzaMarca += std::string{ch, '\0'};
    }
    for (const auto& testo : {utf16le, utf16be, senzaMarca})
        EXPECT_NE(errore(testo).find("codifica UTF-16"), std::string::npos) << errore(testo);
    // A NUL inside a line: named, and the message is not cut there.
    const auto nullo = errore(linea + linea.substr(0, 20) + std::string(1, '\0') + linea.substr(21));
    EXPECT_EQ(nullo, "riga 2: carattere nullo: il file non è di testo");
    EXPECT_NE(errore("").find("accettato"), std::string::npos);
    // A UTF-8 mark before the first line is not part of its date.
    std::ofstream(c / "bom.txt", std::ios::binary) << "\xEF\xBB\xBF" << linea;
    EXPECT_EQ(LeggiFileEstrazioni(c / "bom.txt"), std::vector<RigaEstrazione>{EstrazioneDel("07/01/2000")});
}
