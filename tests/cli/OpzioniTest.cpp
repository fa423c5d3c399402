// Options of the command-line tool: an empty value or a repeated option is a mistake (status 2),
// never taken as an option left out.
#include <gtest/gtest.h>

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
