// SPDX-License-Identifier: GPL-3.0-or-later
// `trivalto-cli esplora`: lists and ranges of every varied option, the tables it prints, and the
// mistakes refused with status 2 as the other commands refuse theirs.
#include <gtest/gtest.h>

#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Esito {
    int stato;
    std::string out, err;
};

class Esplora : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cartella_ = new CartellaTemporanea;
        auto db = DatabaseArchivio::ApriOCrea(*cartella_ / "Piccolo.mdb");
        for (const auto& r : RigheCasuali(330, 5, 0, 0, 0))
            db->Inserisci(r, "2026-12-08", "10:00:00");
    }
    static void TearDownTestSuite() { delete cartella_; }

    static Esito Esegui(std::vector<std::string> opzioni) {
        std::vector<std::string> a{"esplora", "--archivio", *cartella_ / "Piccolo.mdb", "--casi", "4"};
        if (std::find(opzioni.begin(), opzioni.end(), "--permutazioni") == opzioni.end())
            a.insert(a.end(), {"--permutazioni", "3"});
        a.insert(a.end(), opzioni.begin(), opzioni.end());
        std::ostringstream out, err;
        const int stato = cli::Principale(a, {"."}, out, err);
        return {stato, out.str(), err.str()};
    }
    static std::vector<std::string> Sezione(const std::string& testo, const std::string& nome) {
        std::vector<std::string> righe;
        std::istringstream in(testo);
        bool dentro = false;
        for (std::string r; std::getline(in, r);) {
            if (r.rfind("## ", 0) == 0)
                dentro = r == "## " + nome;
            else if (dentro)
                righe.push_back(r);
        }
        return righe;
    }
    static inline CartellaTemporanea* cartella_ = nullptr;
};

} // namespace

TEST_F(Esplora, ListeEIntervalli) {
    const auto e =
        Esegui({"--trasformazione", "0-1", "--mensile", "U,1", "--colpi", "4,6", "--fino-a", "31/12/2001"});
    ASSERT_EQ(e.stato, 0) << e.err;
    const auto righe = Sezione(e.out, "Esplorazione");
    ASSERT_EQ(righe.size(), 9u); // the header and eight settings
    EXPECT_EQ(righe[0], "N.\tRuota\tPosizioni\tOperazione\tTrasformazione\tMensile\tDa colpo\tColpi\tProve\t"
                        "Vincite\tVincite attese\tp\tp corretto");
    const auto sintesi = Sezione(e.out, "Sintesi");
    EXPECT_EQ(sintesi.at(1), "Impostazioni provate\t8");
    EXPECT_NE(std::find(sintesi.begin(), sintesi.end(), "Archivi casuali\t3"), sintesi.end());
    EXPECT_EQ(e.out.rfind("# Fino a 31/12/2001", 0), 0u);
    // Every trial of the confirmation lies after the cut-off.
    for (const auto& r : Sezione(e.out, "Conferma"))
        if (r.rfind("Rif", 0) != 0) {
            EXPECT_EQ(r.substr(r.find('\t') + 7, 4), "2002") << r;
        }

    // "tutte" the 31 ways of enabling positions; distance and difference only with two of them.
    const auto tutte =
        Esegui({"--posizioni", "tutte", "--operazione", "somma,distanza", "--permutazioni", "0"});
    ASSERT_EQ(tutte.stato, 0) << tutte.err;
    EXPECT_EQ(Sezione(tutte.out, "Sintesi").at(1), "Impostazioni provate\t41");
    const auto ruote = Esegui({"--ruota", "BA,NA", "--ruote-gioco", "TU", "--permutazioni", "0"});
    ASSERT_EQ(ruote.stato, 0) << ruote.err;
    EXPECT_EQ(Sezione(ruote.out, "Esplorazione").size(), 3u);
}

TEST_F(Esplora, ErroriConStato2) {
    for (const std::vector<std::string>& opzioni : {std::vector<std::string>{"--trasformazione", "0-9"},
                                                    {"--trasformazione", "3-1"},
                                                    {"--trasformazione", "1,"},
                                                    {"--colpi", "5,5"},
                                                    {"--colpi", "2-x"},
                                                    {"--mensile", "U,u"},
                                                    {"--mensile", "0"},
                                                    {"--ruota", "BA,XX"},
                                                    {"--ruota", "BA,BA"},
                                                    {"--posizioni", "11111,2"},
                                                    {"--posizioni", "00000"},
                                                    {"--operazione", "somma,prodotto"},
                                                    {"--operazione", "distanza"},
                                                    {"--fino-a", "32/01/2001"},
                                                    {"--fino-a", "01/01/1990"},
                                                    {"--riferimento", "5"},
                                                    {"--combinazioni", "4"},
                                                    {"--permutazioni", "-1"},
                                                    {"--sconosciuta"}}) {
        const auto e = Esegui(opzioni);
        EXPECT_EQ(e.stato, 2) << opzioni.front() << " " << opzioni.back();
        EXPECT_EQ(e.err.rfind("Errore: ", 0), 0u) << e.err;
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
        EXPECT_TRUE(e.out.empty()) << e.out;
    }
}
