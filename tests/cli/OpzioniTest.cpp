// SPDX-License-Identifier: GPL-3.0-or-later
// Options of the command-line tool: an empty value, a repeated option, a malformed number or an option
// that would change nothing is a mistake (status 2), never taken as an option left out.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "cli/Opzioni.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(Opzioni, ValoriVuotiERipetuti) {
    {
        cli::Opzioni o({"--ruote-gioco", ""});
        std::string v;
        EXPECT_FALSE(o.Valore("--ruote-gioco", v, false));
        EXPECT_EQ(o.Errore, "valore vuoto per --ruote-gioco");
    }
    {
        cli::Opzioni o({"--casi", "5", "--casi", "6"});
        std::string v;
        EXPECT_FALSE(o.Valore("--casi", v, false));
        EXPECT_EQ(o.Errore, "opzione ripetuta: --casi");
    }
    {
        cli::Opzioni o({"--forza-ultima", "--forza-ultima"});
        EXPECT_TRUE(o.Interruttore("--forza-ultima"));
        EXPECT_EQ(o.Errore, "opzione ripetuta: --forza-ultima");
    }
    const auto archivio = PercorsoDati("archivio-1939-2026.txt");
    for (const std::vector<std::string>& a :
         {std::vector<std::string>{"analizza", "--archivio", archivio, "--ruote-gioco", ""},
          std::vector<std::string>{"analizza", "--archivio", archivio, "--mensile", ""},
          std::vector<std::string>{"analizza", "--archivio", archivio, "--colpi", "3", "--colpi", "4"},
          std::vector<std::string>{"analizza", "--archivio", archivio, "--evidenzia", "--evidenzia"},
          std::vector<std::string>{"esporta", "quorvex", "x", "--archivio", ""},
          std::vector<std::string>{"aggiorna", "--da", ""}}) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::Principale(a, {"."}, out, err), 2) << a.back();
        const std::string messaggio = err.str();
        EXPECT_EQ(messaggio.rfind("Errore: ", 0), 0u) << messaggio;
        EXPECT_EQ(std::count(messaggio.begin(), messaggio.end(), '\n'), 1) << messaggio;
    }
}

// A number is the whole value: followed by anything, in another base, with a blank or a sign, it is a
// mistake (status 2) naming its option, never read as the number it starts with.
TEST(Opzioni, NumeriMalformati) {
    CartellaTemporanea c;
    const auto archivio = c / "archivio.txt";
    {
        std::ofstream out(archivio, std::ios::binary);
        for (size_t i = 0; i < 40; ++i)
            out << ScriviLineaArchivioTesto(RigheReali()[RigheReali().size() - 40 + i]) << "\r\n";
    }
    const std::vector<std::vector<std::string>> opzioni = {{"analizza", "--casi"},
                                                           {"analizza", "--trasformazione"},
                                                           {"analizza", "--fisso"},
                                                           {"analizza", "--da-colpo"},
                                                           {"analizza", "--colpi"},
                                                           {"analizza", "--elenco"},
                                                           {"analizza", "--combinazioni"},
                                                           {"analizza", "--previsioni"},
                                                           {"analizza", "--caso"},
                                                           {"analizza", "--storia-terzina"},
                                                           {"analizza", "--riferimento"},
                                                           {"analizza", "--mensile"},
                                                           {"analizza", "--atteso", "--simulazioni"},
                                                           {"analizza", "--atteso", "--seme"},
                                                           {"costruttore", "--esiti"},
                                                           {"costruttore", "--ritardi"},
                                                           {"verifica", "--combinazioni"},
                                                           {"verifica", "--da-estrazione"},
                                                           {"verifica", "--a-estrazione"}};
    for (const auto& opzione : opzioni)
        for (const char* valore :
             {"12abc", "1.5", "0x10", "7 ", " 7", "+7", "1e1", "99999999999", "-", "٣"}) {
            auto argomenti = opzione;
            argomenti.insert(argomenti.end(), {valore, "--archivio", archivio});
            std::ostringstream out, err;
            EXPECT_EQ(cli::Principale(argomenti, {c.Percorso().string()}, out, err), 2)
                << opzione.back() << " \"" << valore << "\"";
            EXPECT_EQ(err.str(), "Errore: valore non valido per " + opzione.back() + ": \"" + valore + "\"" +
                                     err.str().substr(err.str().find(" (atteso")))
                << opzione.back() << " \"" << valore << "\"";
            EXPECT_TRUE(out.str().empty()) << opzione.back() << " \"" << valore << "\"";
        }
}

// Options that would change nothing are mistakes: an empty terzina in --metodo, --corregge without
// --applica.
TEST(Opzioni, OpzioniSenzaEffetto) {
    for (const char* metodo : {"1,2,3;", ";1,2,3", "1,2,3;;4,5,6", ";", "1,2,3,", "1,,2,3", ",1,2,3"}) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::Principale({"costruttore", "--metodo", metodo}, {"."}, out, err), 2) << metodo;
        EXPECT_EQ(err.str().rfind("Errore: --metodo", 0), 0u) << err.str();
    }
    std::ostringstream out, err;
    EXPECT_EQ(
        cli::Principale({"aggiorna", "--da", "x.txt", "--corregge", "--archivio", "a.mdb"}, {"."}, out, err),
        2);
    EXPECT_EQ(err.str(), "Errore: --corregge va con --applica\n");
}
