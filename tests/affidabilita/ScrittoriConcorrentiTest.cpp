// SPDX-License-Identifier: GPL-3.0-or-later
// Two processes making one new archive at once, the second started after a random delay: each either
// writes all it says it wrote or is refused because the other is writing, and the archive holds
// exactly what the successful ones wrote, with nothing left beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <set>

#include "Processi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Avviato {
    pid_t Pid = -1;
    std::string Uscita, Errori; // files
};

/// trivalto-cli started without waiting for it, its output in files of `cartella`.
Avviato Avvia(const std::vector<std::string>& argomenti, const std::string& cartella,
              const std::string& nome) {
    Avviato a{-1, cartella + "/" + nome + ".out", cartella + "/" + nome + ".err"};
    // Everything the child needs is made before fork: it only opens, duplicates and executes.
    std::vector<char*> argv{const_cast<char*>(TRIVALTO_CLI)};
    for (const auto& s : argomenti)
        argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);
    a.Pid = fork();
    if (a.Pid == 0) {
        dup2(open(a.Uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
        dup2(open(a.Errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
        execv(TRIVALTO_CLI, argv.data());
        _exit(127);
    }
    return a;
}

int Attendi(const Avviato& a) {
    int stato = 0;
    waitpid(a.Pid, &stato, 0);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

void ScriviTesto(const std::string& file, size_t da, size_t a) {
    std::ofstream out(file, std::ios::binary);
    for (size_t i = da; i < a; ++i)
        out << ScriviLineaArchivioTesto(RigheReali()[i]) << "\r\n";
}

} // namespace

TEST(ScrittoriConcorrenti, DueImportazioniInUnArchivioNuovo) {
    CartellaTemporanea c;
    // Two overlapping stretches of the real archive: the shared draws are equal, so either order works.
    const auto primo = c / "primo.txt", secondo = c / "secondo.txt";
    ScriviTesto(primo, 0, 400);
    ScriviTesto(secondo, 300, 700);
    const std::set<std::string> datePrimo = [] {
        std::set<std::string> d;
        for (size_t i = 0; i < 400; ++i)
            d.insert(RigheReali()[i].Data);
        return d;
    }();
    const std::set<std::string> dateSecondo = [] {
        std::set<std::string> d;
        for (size_t i = 300; i < 700; ++i)
            d.insert(RigheReali()[i].Data);
        return d;
    }();
    const auto cartella = c / "archivi";
    const auto archivio = cartella + "/a.mdb";
    std::filesystem::create_directory(cartella);
    std::vector<double> durate;
    for (int i = 0; i < 3; ++i) {
        std::filesystem::remove(archivio);
        durate.push_back(EseguiCli({"importa", primo, "--archivio", archivio}).Secondi);
    }
    std::sort(durate.begin(), durate.end());
    std::mt19937 gen(1905);
    std::uniform_real_distribution<double> ritardo(0, 1.3 * durate[1]);
    const std::regex aggiunte(
        "Estrazioni aggiunte: ([0-9]+), già presenti: ([0-9]+), totale in archivio: ([0-9]+)");
    int rifiutati = 0, entrambi = 0;
    for (int prova = 1; prova <= 40; ++prova) {
        std::filesystem::remove(archivio);
        const bool scambia = std::bernoulli_distribution(0.5)(gen);
        const std::string* testi[2] = {&primo, &secondo};
        const std::set<std::string>* date[2] = {&datePrimo, &dateSecondo};
        if (scambia) std::swap(testi[0], testi[1]), std::swap(date[0], date[1]);
        const auto attesa = std::chrono::duration<double>(ritardo(gen));
        const auto a = Avvia({"importa", *testi[0], "--archivio", archivio}, c.Percorso().string(), "a");
        std::this_thread::sleep_for(attesa);
        const auto b = Avvia({"importa", *testi[1], "--archivio", archivio}, c.Percorso().string(), "b");
        const int stati[2] = {Attendi(a), Attendi(b)};
        const Avviato* processi[2] = {&a, &b};

        ASSERT_EQ(Integrita(archivio), "ok") << "prova " << prova;
        std::set<std::string> presenti;
        for (const auto& r : DatabaseArchivio::Apri(archivio)->LeggiTutte())
            presenti.insert(r.Data);
        std::set<std::string> scritte;
        int totaleAggiunte = 0, riusciti = 0;
        for (int p = 0; p < 2; ++p) {
            const auto uscita = Leggi(processi[p]->Uscita), errori = Leggi(processi[p]->Errori);
            if (stati[p] == 1) {
                EXPECT_NE(errori.find("un'altra scrittura dello stesso archivio è in corso"),
                          std::string::npos)
                    << "prova " << prova << ": " << errori;
                EXPECT_TRUE(uscita.empty()) << "prova " << prova;
                ++rifiutati;
                continue;
            }
            ASSERT_EQ(stati[p], 0) << "prova " << prova << ": " << errori;
            std::smatch m;
            ASSERT_TRUE(std::regex_search(uscita, m, aggiunte)) << uscita;
            ++riusciti;
            totaleAggiunte += std::stoi(m[1]);
            EXPECT_EQ(std::stoi(m[1]) + std::stoi(m[2]), 400) << "prova " << prova;
            // What it says is in the archive when it ends is there now.
            for (const auto& d : *date[p])
                ASSERT_TRUE(presenti.count(d)) << "prova " << prova << ": manca " << d;
            scritte.insert(date[p]->begin(), date[p]->end());
        }
        ASSERT_GE(riusciti, 1) << "prova " << prova;
        entrambi += riusciti == 2;
        EXPECT_EQ(presenti, scritte) << "prova " << prova;
        EXPECT_EQ(totaleAggiunte, static_cast<int>(presenti.size())) << "prova " << prova;
        // Neither the new file nor the lock of either run is left beside the archive.
        for (const auto& voce : std::filesystem::directory_iterator(cartella))
            EXPECT_EQ(voce.path().filename(), "a.mdb") << "prova " << prova;
    }
    RecordProperty("rifiutati", rifiutati);
    RecordProperty("entrambi", entrambi);
    // The delays do make the runs overlap, and do let some run one after the other.
    EXPECT_GT(rifiutati, 0);
    EXPECT_GT(entrambi, 0);
}
