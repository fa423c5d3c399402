// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/archive/DatabaseArchivio.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {
struct Esito {
    int codice;
    std::string out, err;
};

Esito Esegui(std::vector<std::string> argomenti, const std::string& cartella = ".") {
    std::ostringstream out, err;
    const int codice = cli::Principale(argomenti, {cartella}, out, err);
    return {codice, out.str(), err.str()};
}

std::vector<std::string> Righe(const std::string& testo) {
    std::vector<std::string> r;
    std::stringstream ss(testo);
    for (std::string l; std::getline(ss, l);)
        r.push_back(l);
    return r;
}
} // namespace

TEST(Cli, ImportaArchivioRealeESecondaVoltaNonRaddoppia) {
    CartellaTemporanea c;
    const auto db = c / "archivio.mdb";
    auto e = Esegui({"importa", PercorsoDati("archivio-1939-2026.txt"), "--archivio", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_NE(e.out.find("Estrazioni aggiunte: 7370"), std::string::npos);
    // The update file's draws are all there already.
    e = Esegui({"importa", PercorsoDati("aggiornamento-ultime100.txt"), "--archivio", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_NE(e.out.find("aggiunte: 0, già presenti: 100"), std::string::npos);
    const auto righe = DatabaseArchivio::Apri(db)->LeggiTutte();
    ASSERT_EQ(righe.size(), 7370u);
    EXPECT_EQ(righe.front(), RigheReali().front());
    EXPECT_EQ(righe.back(), RigheReali().back());
}

TEST(Cli, ImportaRigaErrataNonScriveNulla) {
    CartellaTemporanea c;
    const auto file = c / "errato.txt";
    {
        std::ofstream out(file, std::ios::binary);
        out << ScriviLineaArchivioTesto(RigheReali()[0]) << "\r\n";
        std::string rotta = ScriviLineaArchivioTesto(RigheReali()[1]);
        rotta[14] = '#';
        out << rotta << "\r\n";
    }
    auto e = Esegui({"importa", file, "--archivio", c / "a.mdb"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("riga 2"), std::string::npos) << e.err;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    EXPECT_EQ(db->Conta(), 0);
    // A draw already stored with other numbers: refused, nothing added.
    db->Inserisci(RigheReali()[1], "2026-01-01", "00:00:00");
    RigaEstrazione diversa = RigheReali()[1];
    diversa.Celle[0] = "01-02-03-04-05";
    {
        std::ofstream out(file, std::ios::binary);
        out << ScriviLineaArchivioTesto(RigheReali()[0]) << "\r\n"
            << ScriviLineaArchivioTesto(diversa) << "\r\n";
    }
    e = Esegui({"importa", file, "--archivio", c / "a.mdb"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(db->Conta(), 1);
}

TEST(Cli, ImportaAnniSecolariERigheUnite) {
    CartellaTemporanea c;
    RigaEstrazione r{"29/02/2000", {}};
    r.Celle.fill("01-02-03-04-05");
    auto marzo = r, secolare = r;
    marzo.Data = "01/03/2000";
    secolare.Data = "29/02/1900"; // 1900 was no leap year
    const auto linea = [](const RigaEstrazione& x) { return ScriviLineaArchivioTesto(x); };
    // A date that does not exist, and two draws joined by a bare carriage return: refused with the
    // line, and nothing is written.
    for (const auto& [testo, riga] : {std::pair{linea(r) + "\r\n" + linea(secolare) + "\r\n", "riga 2"},
                                      std::pair{linea(r) + "\r" + linea(marzo) + "\r", "riga 1"}}) {
        std::ofstream(c / "f.txt", std::ios::binary) << testo;
        const auto e = Esegui({"importa", c / "f.txt", "--archivio", c / "a.mdb"});
        EXPECT_EQ(e.codice, 1) << riga;
        EXPECT_NE(e.err.find(riga), std::string::npos) << e.err;
        EXPECT_EQ(DatabaseArchivio::ApriOCrea(c / "a.mdb")->Conta(), 0) << riga;
    }
    std::ofstream(c / "f.txt", std::ios::binary) << linea(r) << "\r\n" << linea(marzo) << "\r\n";
    ASSERT_EQ(Esegui({"importa", c / "f.txt", "--archivio", c / "a.mdb"}).codice, 0);
    EXPECT_EQ(DatabaseArchivio::Apri(c / "a.mdb")->LeggiTutte(), (std::vector<RigaEstrazione>{r, marzo}));
}

namespace {

/// Every draw's date with its registration stamp, in date order.
std::vector<std::string> Registrazioni(const std::string& archivio) {
    auto db = DatabaseArchivio::Apri(archivio);
    auto st = db->Db().Prepara("SELECT DataEstrazione, datareg, orareg FROM EstrazioniLotto ORDER BY 1");
    std::vector<std::string> r;
    while (st.Step())
        r.push_back(st.Testo(0) + " " + st.Testo(1) + " " + st.Testo(2));
    return r;
}

} // namespace

// The build's data step gives the same archive whatever the machine's clock and time zone say: the
// rows carry the date given, not the moment of the build. Without it they carry today's.
TEST(Cli, PreparaConDataDiRegistrazioneFissa) {
    CartellaTemporanea c;
    {
        std::ofstream out(c / "poche.txt", std::ios::binary);
        RigaEstrazione r;
        r.Celle.fill("01-02-03-04-05");
        for (int g = 1; g <= 25; ++g) {
            r.Data = TestoData({g, 3, 2020});
            out << ScriviLineaArchivioTesto(r) << "\n";
        }
    }
    const char* prima = std::getenv("TZ");
    const std::string salvato = prima ? prima : "";
    std::vector<std::vector<std::string>> archivi;
    for (const char* fuso : {"<+14>-14", "<-12>12"}) {
        const auto cartella = c / (std::string("p") + (archivi.empty() ? "1" : "2"));
        std::filesystem::create_directories(cartella);
#ifndef _WIN32
        setenv("TZ", fuso, 1);
        tzset();
#else
        (void)fuso;
#endif
        const auto e = Esegui({"prepara", "--cartella", cartella, "--testo", c / "poche.txt", "--archivio",
                               cartella + "/a.mdb", "--registrazione", "2026-12-09"});
        ASSERT_EQ(e.codice, 0) << e.err;
        archivi.push_back(Registrazioni(cartella + "/a.mdb"));
    }
#ifndef _WIN32
    if (prima)
        setenv("TZ", salvato.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
#endif
    ASSERT_EQ(archivi[0].size(), 25u);
    EXPECT_EQ(archivi[0], archivi[1]);
    EXPECT_EQ(archivi[0].front(), "2020-03-01 2026-12-09 00:00:00");
    EXPECT_EQ(archivi[0].back(), "2020-03-25 2026-12-09 00:00:00");

    const auto e = Esegui({"prepara", "--cartella", c / "p1", "--testo", c / "poche.txt", "--archivio",
                           c / "b.mdb", "--registrazione", "2026-02-30"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_NE(e.err.find("data non valida per --registrazione: 2026-02-30"), std::string::npos) << e.err;
    EXPECT_FALSE(std::filesystem::exists(c / "b.mdb"));

    ASSERT_EQ(
        Esegui({"prepara", "--cartella", c / "p1", "--testo", c / "poche.txt", "--archivio", c / "oggi.mdb"})
            .codice,
        0);
    const auto oggi = Registrazioni(c / "oggi.mdb");
    ASSERT_FALSE(oggi.empty());
    const std::string iso = IsoData(Oggi());
    EXPECT_NE(oggi.front().find(" " + iso + " "), std::string::npos) << oggi.front() << " " << iso;
}

// Every refusal comes before the first write: the archive (or its absence) is as it was.
TEST(Cli, ImportaEPreparaControllanoPrimaDiScrivere) {
    CartellaTemporanea c;
    const auto reale = PercorsoDati("archivio-1939-2026.txt");
    // A database that is not an archive (the program database) gets no table of draws added.
    ASSERT_EQ(
        Esegui({"prepara", "--cartella", c.Percorso().string(), "--testo", reale, "--archivio", c / "a.mdb"})
            .codice,
        0);
    const auto programma = c / DatabaseProgramma::NomeFile;
    const auto prima = Leggi(programma);
    auto e = Esegui({"importa", reale, "--archivio", programma});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("non contiene un archivio di estrazioni"), std::string::npos) << e.err;
    EXPECT_EQ(Leggi(programma), prima);

    // More draws than an archive holds: 2,629 more fit, 2,630 do not, and nothing is written.
    std::vector<RigaEstrazione> righe(2630);
    Data d{1, 1, 1871};
    for (auto& r : righe) {
        r.Data = TestoData(d);
        r.Celle.fill("01-02-03-04-05");
        if (++d.giorno > 28) d.giorno = 1, d.mese = d.mese % 12 + 1, d.anno += d.mese == 1;
    }
    const auto scrivi = [&](size_t quante) {
        std::ofstream out(c / "molte.txt", std::ios::binary | std::ios::trunc);
        for (size_t i = 0; i < quante; ++i)
            out << ScriviLineaArchivioTesto(righe[i]) << "\r\n";
    };
    const auto archivio = Leggi(c / "a.mdb");
    scrivi(2630);
    e = Esegui({"importa", c / "molte.txt", "--archivio", c / "a.mdb"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("10000 estrazioni, più del massimo di 9999"), std::string::npos) << e.err;
    EXPECT_EQ(Leggi(c / "a.mdb"), archivio);
    scrivi(2629);
    e = Esegui({"importa", c / "molte.txt", "--archivio", c / "a.mdb"});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(DatabaseArchivio::Apri(c / "a.mdb")->Conta(), 9999);

    // prepara: a missing folder, or a program database that cannot be made, and no archive is written.
    for (const auto& cartella : {c / "manca", c / "d"}) {
        std::filesystem::create_directories(c.Percorso() / "d" / DatabaseProgramma::NomeFile);
        e = Esegui({"prepara", "--cartella", cartella, "--testo", reale, "--archivio", c / "nuovo.mdb"});
        EXPECT_EQ(e.codice, 1) << cartella;
        EXPECT_FALSE(std::filesystem::exists(c / "nuovo.mdb")) << cartella;
    }
    // ... nor a program database when the archive cannot be written.
    std::filesystem::create_directories(c / "p");
    e = Esegui({"prepara", "--cartella", c / "p", "--testo", reale, "--archivio", c / "p"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_FALSE(std::filesystem::exists(c.Percorso() / "p" / DatabaseProgramma::NomeFile));
    EXPECT_TRUE(std::filesystem::is_empty(c / "p"));
}

// A write that another one holds is refused before anything is written, and prepara never makes the
// archive and the program database one file, whatever the spelling of its path.
TEST(Cli, ScrittureCheSiEscludono) {
    CartellaTemporanea c;
    const auto reale = PercorsoDati("archivio-1939-2026.txt");
    const auto cartella = c.Percorso().string();
    std::vector<std::string> stessi{c / DatabaseProgramma::NomeFile,
                                    cartella + "/./" + DatabaseProgramma::NomeFile};
#ifndef _WIN32 // Windows has no ordinary symbolic links
    std::filesystem::create_symlink(c / DatabaseProgramma::NomeFile, c / "collegamento.mdb");
    stessi.push_back(c / "collegamento.mdb");
#endif
    for (const auto& archivio : stessi) {
        const auto e = Esegui({"prepara", "--cartella", cartella, "--testo", reale, "--archivio", archivio});
        EXPECT_EQ(e.codice, 1) << archivio;
        EXPECT_NE(e.err.find("è lo stesso file del database del programma"), std::string::npos) << e.err;
        EXPECT_EQ(e.out, "") << archivio;
        EXPECT_FALSE(std::filesystem::exists(c / DatabaseProgramma::NomeFile)) << archivio;
    }
    std::filesystem::remove(c / "collegamento.mdb");
    {
        BloccoEsclusivo altro(c / "a.mdb.blocco");
        ASSERT_TRUE(altro.Preso());
        auto e = Esegui({"importa", reale, "--archivio", c / "a.mdb"});
        EXPECT_EQ(e.codice, 1);
        EXPECT_EQ(
            e.err,
            "Impossibile scrivere l'archivio " + c / "a.mdb" +
                ": un'altra scrittura dello stesso archivio è in corso: nessuna estrazione importata\n");
        EXPECT_EQ(e.out, "");
        e = Esegui({"prepara", "--cartella", cartella, "--testo", reale, "--archivio", c / "a.mdb"});
        EXPECT_EQ(e.codice, 1);
        EXPECT_NE(e.err.find("un'altra scrittura dello stesso archivio è in corso"), std::string::npos)
            << e.err;
        EXPECT_FALSE(std::filesystem::exists(c / "a.mdb"));
        EXPECT_FALSE(std::filesystem::exists(c / DatabaseProgramma::NomeFile));
    }
    {
        BloccoEsclusivo altro(c / (std::string(DatabaseProgramma::NomeFile) + ".blocco"));
        const auto e =
            Esegui({"prepara", "--cartella", cartella, "--testo", reale, "--archivio", c / "a.mdb"});
        EXPECT_EQ(e.codice, 1);
        EXPECT_NE(e.err.find("un'altra scrittura di"), std::string::npos) << e.err;
        EXPECT_FALSE(std::filesystem::exists(c / "a.mdb"));
    }
    // Free again: the write goes through and leaves nothing beside its files.
    EXPECT_EQ(Esegui({"prepara", "--cartella", cartella, "--testo", reale, "--archivio", c / "a.mdb"}).codice,
              0);
    std::set<std::string> file;
    for (const auto& voce : std::filesystem::directory_iterator(c.Percorso()))
        file.insert(voce.path().filename().string());
    EXPECT_EQ(file, (std::set<std::string>{"a.mdb", DatabaseProgramma::NomeFile}));
}

TEST(Cli, AnalizzaStampaLeTabelleDellaFinestra) {
    CartellaTemporanea c;
    ASSERT_EQ(Esegui({"prepara", "--cartella", c.Percorso().string(), "--testo",
                      PercorsoDati("archivio-1939-2026.txt"), "--archivio", c / "A.mdb"})
                  .codice,
              0);
    const auto e = Esegui({"analizza"}, c.Percorso().string());
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = Righe(e.out);
    ASSERT_EQ(r.size(), 1u + 1 + 12 + 1 + 1 + 50);
    EXPECT_EQ(r[0], "## FgEV");
    EXPECT_EQ(r[1], "Pro \tN° Estr\tData Estraz     \tR1 \tR1N\tPar\tN1 \tN2 \tN3 \tN4 \tN5 \t1\t2\t3");
    EXPECT_EQ(r[2], "1\t7370\t21/08/2026\tBA\t0\t45\t81\t63\t87\t20\t64\t\t\t");
    EXPECT_EQ(r[14], "## fg1");
    EXPECT_EQ(r[15], "Pos\tNeg\tN1\tN2\tN3\t 2 \t 3");
    // The same search through a text archive gives the same tables.
    EXPECT_EQ(Esegui({"analizza", "--archivio", PercorsoDati("archivio-1939-2026.txt")}).out, e.out);
}

TEST(Cli, RigheVuoteECelleTerniVuote) {
    const auto e = Esegui({"analizza", "--archivio", PercorsoDati("archivio-1939-2026.txt"), "--casi", "1",
                           "--mensile", "U", "--colpi", "1", "--elenco", "200", "--trasformazione", "7"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = Righe(e.out);
    // One case, one colpo on Bari: 10 pairs of the five numbers, 88 thirds each, less the 20 double counts.
    int piene = 0, vuote = 0;
    for (size_t i = 5; i < r.size(); ++i)
        (r[i] == "\t\t\t\t\t\t" ? vuote : piene)++;
    EXPECT_EQ(piene + vuote, 200);
    EXPECT_EQ(r[5].back(), '\t') << r[5]; // " 3 " empty when 0
}

TEST(Cli, OpzioniErrateDannoStato2) {
    const std::vector<std::vector<std::string>> errate = {
        {"analizza", "--casi", "31"},
        {"analizza", "--casi", "x"},
        {"analizza", "--mensile", "32"},
        {"analizza", "--ruota", "XX"},
        {"analizza", "--operazione", "distanza"},
        {"analizza", "--elenco", "15"},
        {"analizza", "--colpi"},
        {"analizza", "--sconosciuta"},
        {"analizza", "--ruote-gioco", "BA,ZZ"},
        {"analizza", "--combinazioni", "4"},
        {"analizza", "--elenco", "300"},
        {"costruttore", "--elenco", "1010"},
        {"costruttore", "--metodo", "1,2,3;4,5,6;7,8,9;10,11,12;13,14,15;16,17,18"},
        {"costruttore", "--metodo", "1,2"},
        {"costruttore", "--metodo", "1,2,2"},
        {"costruttore", "--metodo", "1,2,91"},
        {"costruttore", "--ritardi", "2"},
        {"boh"},
        {}};
    for (const auto& a : errate) {
        const auto e = Esegui(a);
        EXPECT_EQ(e.codice, 2) << (a.empty() ? "" : a.back());
        EXPECT_FALSE(e.err.empty());
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1);
    }
}

// The builder's chain prints its tables in the window's order; a terzina outside the list is added with
// the counts its row would show, and the order of the list by case follows the method.
TEST(Cli, CostruttoreOrdineDelleTabelleETerzinaFuoriElenco) {
    const std::string archivio = PercorsoDati("archivio-1939-2026.txt");
    const auto e = Esegui({"costruttore", "--archivio", archivio, "--elenco", "1000", "--metodo",
                           "5,47,86;1,2,3", "--controlla-tutte", "--esiti", "1", "--ritardi", "1"});
    ASSERT_EQ(e.codice, 0) << e.err;
    std::vector<std::string> nomi;
    for (const auto& l : Righe(e.out))
        if (l.rfind("## ", 0) == 0) nomi.push_back(l.substr(3));
    EXPECT_EQ(nomi, (std::vector<std::string>{"FgEV", "fg1", "FgJ", "FgZ", "FgPr", "FgStat", "FgJ", "FgZ",
                                              "FgPr", "FgStat", "FgJ", "fg1", "Storia", "Fgg1"}));
    // 1-2-3 never covers a case at the opening settings: it enters the method with zero counts.
    EXPECT_NE(e.out.find("2\t1\t2\t3\t\t0\t0\t0\t\n"), std::string::npos);
    const auto lista = Righe(e.out);
    const auto fg1 = std::find(lista.begin(), lista.end(), "## fg1");
    EXPECT_EQ(std::distance(fg1 + 2, std::find(fg1 + 1, lista.end(), "## FgJ")), 1000);
}

// Fixed inputs on the real archive give fixed tables, kept as expected files under tests/cli/attesi:
// any change of a result shows as the first table row that moved.
TEST(Cli, FirmaDeiRisultati) {
    const std::string archivio = PercorsoDati("archivio-1939-2026.txt");
    const std::vector<std::vector<std::string>> catene = {
        {"--combinazioni", "2", "--previsioni", "1", "--ritardi", "2", "--storia-terzina", "1",
         "--storia-combinazione", "1", "--caso", "2"},
        {"--riferimento",
         "7000",
         "--casi",
         "30",
         "--mensile",
         "U",
         "--forza-ultima",
         "--ruota",
         "NA",
         "--posizioni",
         "01010",
         "--operazione",
         "distanza",
         "--trasformazione",
         "4",
         "--ruote-gioco",
         "TU",
         "--da-colpo",
         "2",
         "--colpi",
         "15",
         "--elenco",
         "100",
         "--intero-periodo",
         "--combinazioni",
         "3",
         "--previsioni",
         "2",
         "--evidenzia",
         "--verifica-estesa"},
        {"--riferimento",    "25", "--mensile",     "2",           "--casi",         "6",
         "--ruota",          "GE", "--posizioni",   "11000",       "--operazione",   "differenza",
         "--trasformazione", "2",  "--ruote-gioco", "BA,CA,GE,NZ", "--combinazioni", "1",
         "--previsioni",     "1"}};
    // TRIVALTO_AGGIORNA_ATTESI=1 rewrites the expected files from this output instead of comparing.
    const bool aggiorna = std::getenv("TRIVALTO_AGGIORNA_ATTESI") != nullptr;
    for (size_t n = 0; n < catene.size(); ++n) {
        auto argomenti = catene[n];
        argomenti.insert(argomenti.begin(), {"analizza", "--archivio", archivio});
        const auto e = Esegui(argomenti);
        ASSERT_EQ(e.codice, 0) << e.err;
        const std::string file =
            std::string(TRIVALTO_ATTESI_DIR) + "/catena" + std::to_string(n + 1) + ".txt";
        if (aggiorna) {
            std::ofstream out(file, std::ios::binary);
            out << e.out;
            ASSERT_TRUE(out.flush()) << "impossibile scrivere " << file;
            continue;
        }
        const std::string testo = Leggi(file);
        ASSERT_FALSE(testo.empty()) << file << " manca: TRIVALTO_AGGIORNA_ATTESI=1 lo crea";
        const auto attese = Righe(testo), ottenute = Righe(e.out);
        // Line by line, so a failure names the table and its row (0 = the header) that moved.
        std::string tabella = "(prima di ogni tabella)";
        int riga = 0;
        for (size_t i = 0; i < std::max(attese.size(), ottenute.size()); ++i) {
            const std::string attesa = i < attese.size() ? attese[i] : "(fine del file)";
            const std::string ottenuta = i < ottenute.size() ? ottenute[i] : "(fine dell'uscita)";
            if (attesa.rfind("## ", 0) == 0) {
                tabella = attesa;
                riga = -1;
            } else {
                ++riga;
            }
            ASSERT_EQ(attesa, ottenuta)
                << file << ", riga " << i + 1 << ": tabella " << tabella << ", riga " << riga;
        }
        EXPECT_TRUE(testo == e.out) << file << ": differisce solo l'ultimo a capo";
    }
}
