// SPDX-License-Identifier: GPL-3.0-or-later
// SIGKILL at random moments during the writes of the program, each on a fresh copy of the real
// archive: afterwards the archive's pages are sound and it holds the state before or the state
// after the write, never a mix; an export leaves the old file or the whole new one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "Processi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

// Kills per trial; the sanitizer build, where every run is several times slower, asks for fewer.
const int Prove = std::getenv("TRIVALTO_INTERRUZIONI") ? std::atoi(std::getenv("TRIVALTO_INTERRUZIONI")) : 50;

/// Kill moments over the length of an uninterrupted run (the median of three): half anywhere in it,
/// half in its last part, where the writes and the commit are.
class Momenti {
public:
    Momenti(const std::function<double()>& eseguiIntera, unsigned seme) : gen_(seme) {
        std::vector<double> t;
        for (int i = 0; i < 3; ++i)
            t.push_back(eseguiIntera());
        std::sort(t.begin(), t.end());
        durata_ = t[1];
    }
    double Prossimo() {
        const bool finale = std::bernoulli_distribution(0.5)(gen_);
        return std::uniform_real_distribution<double>(finale ? 0.6 * durata_ : 0.0005, 1.1 * durata_)(gen_);
    }

private:
    std::mt19937 gen_;
    double durata_ = 0;
};

struct Conteggio {
    int Vecchio = 0, Nuovo = 0;
};

/// The archive after a kill: sound, and equal to `vecchio` or to `nuovo` (an absent file counts
/// as the old state when `vecchio` is empty).
void Controlla(const std::string& archivio, const std::vector<RigaEstrazione>& vecchio,
               const std::vector<RigaEstrazione>& nuovo, Conteggio& c, int prova) {
    if (vecchio.empty() && !std::filesystem::exists(archivio)) {
        ++c.Vecchio;
        return;
    }
    ASSERT_EQ(Integrita(archivio), "ok") << "prova " << prova;
    const auto righe = DatabaseArchivio::Apri(archivio)->LeggiTutte();
    if (righe == vecchio)
        ++c.Vecchio;
    else if (righe == nuovo)
        ++c.Nuovo;
    else
        FAIL() << "prova " << prova << ": " << righe.size() << " estrazioni, né lo stato di prima ("
               << vecchio.size() << ") né quello dopo (" << nuovo.size() << ")";
}

/// The real archive less its last `meno` draws.
void ArchivioSenzaUltime(const std::string& file, size_t meno) {
    CopiaArchivioReale(file);
    auto db = DatabaseArchivio::Apri(file);
    Transaction tr(db->Db());
    for (size_t i = RigheReali().size() - meno; i < RigheReali().size(); ++i)
        db->Elimina(RigheReali()[i].Data);
    tr.Conferma();
}

std::vector<RigaEstrazione> PrimeRighe(size_t quante) {
    return {RigheReali().begin(), RigheReali().begin() + static_cast<long>(quante)};
}

} // namespace

TEST(Interruzioni, ImportazioneDaRigaDiComando) {
    CartellaTemporanea c;
    const auto base = c / "base.mdb", archivio = c / "a.mdb";
    ArchivioSenzaUltime(base, 100);
    const auto testo = PercorsoDati("archivio-1939-2026.txt");
    // Odd trials import into a copy that lacks the last 100 draws, even ones make a new archive.
    const auto prepara = [&](int prova) {
        std::filesystem::remove(archivio);
        std::filesystem::remove(archivio + "-journal");
        if (prova % 2) std::filesystem::copy_file(base, archivio);
    };
    Momenti momenti(
        [&] {
            prepara(0);
            return EseguiCli({"importa", testo, "--archivio", archivio}).Secondi;
        },
        1401);
    Conteggio conta;
    for (int prova = 1; prova <= Prove; ++prova) {
        prepara(prova);
        EseguiCli({"importa", testo, "--archivio", archivio}, momenti.Prossimo());
        Controlla(archivio, prova % 2 ? PrimeRighe(RigheReali().size() - 100) : std::vector<RigaEstrazione>{},
                  RigheReali(), conta, prova);
        // A run after the kill finds its way: the whole archive.
        if (prova % 10 == 0) {
            ASSERT_EQ(EseguiCli({"importa", testo, "--archivio", archivio}).Stato, 0);
            EXPECT_EQ(DatabaseArchivio::Apri(archivio)->Conta(), static_cast<int>(RigheReali().size()));
        }
    }
    RecordProperty("vecchio", conta.Vecchio);
    RecordProperty("nuovo", conta.Nuovo);
    if (Prove >= 20) { // the kills do land before the commit
        EXPECT_GT(conta.Vecchio, 0);
    }
}

// The archive window's save and correction of a draw, in a process killed while it writes.
TEST(Interruzioni, SalvataggioDiUnaEstrazione) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    RigaEstrazione nuova = RigheReali().back(), corretta = RigheReali().back();
    nuova.Data = "25/08/2026";
    corretta.Celle[0] = "90-89-88-87-86";
    auto conNuova = RigheReali(), conCorretta = RigheReali();
    conNuova.push_back(nuova);
    conCorretta.back() = corretta;
    const auto salva = [&](int prova, double uccidiDopo) {
        const auto inizio = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            try {
                auto db = DatabaseArchivio::Apri(archivio);
                if (prova % 2)
                    db->Inserisci(nuova, "2026-08-25", "20:00:00");
                else
                    db->Modifica(corretta, "2026-08-25", "20:00:00");
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        int stato = 0;
        if (uccidiDopo > 0) {
            std::this_thread::sleep_for(std::chrono::duration<double>(uccidiDopo));
            kill(pid, SIGKILL);
        }
        waitpid(pid, &stato, 0);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    };
    Momenti momenti(
        [&] {
            CopiaArchivioReale(archivio);
            return salva(1, 0);
        },
        1402);
    Conteggio conta;
    for (int prova = 1; prova <= Prove; ++prova) {
        CopiaArchivioReale(archivio);
        std::filesystem::remove(archivio + "-journal");
        salva(prova, momenti.Prossimo());
        Controlla(archivio, RigheReali(), prova % 2 ? conNuova : conCorretta, conta, prova);
    }
    RecordProperty("vecchio", conta.Vecchio);
    RecordProperty("nuovo", conta.Nuovo);
}

TEST(Interruzioni, ApplicazioneDiUnAggiornamento) {
    CartellaTemporanea c;
    const auto base = c / "base.mdb", archivio = c / "a.mdb";
    ArchivioSenzaUltime(base, 10);
    const std::vector<std::string> comando = {
        "aggiorna", "--da", PercorsoDati("aggiornamento-ultime100.txt"), "--applica", "--archivio", archivio};
    const auto prepara = [&] {
        std::filesystem::copy_file(base, archivio, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(archivio + "-journal");
    };
    Momenti momenti(
        [&] {
            prepara();
            return EseguiCli(comando).Secondi;
        },
        1403);
    Conteggio conta;
    for (int prova = 1; prova <= Prove; ++prova) {
        prepara();
        EseguiCli(comando, momenti.Prossimo());
        Controlla(archivio, PrimeRighe(RigheReali().size() - 10), RigheReali(), conta, prova);
    }
    RecordProperty("vecchio", conta.Vecchio);
    RecordProperty("nuovo", conta.Nuovo);
    if (Prove >= 20) { // the kills do land before the commit
        EXPECT_GT(conta.Vecchio, 0);
    }
}

TEST(Interruzioni, Esportazione) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb", file = c / "DATI32.III";
    CopiaArchivioReale(archivio);
    const std::vector<std::string> comando = {"esporta", "dati-iii", file, "--archivio", archivio};
    ASSERT_EQ(EseguiCli(comando).Stato, 0);
    const auto nuovo = Leggi(file);
    ASSERT_GT(nuovo.size(), 100000u);
    const std::string vecchio = "file di prima\r\n";
    const auto prepara = [&] {
        for (const auto& voce : std::filesystem::directory_iterator(c.Percorso()))
            if (voce.path().filename().string().rfind("DATI32.III", 0) == 0) std::filesystem::remove(voce);
        std::ofstream(file, std::ios::binary) << vecchio;
    };
    Momenti momenti(
        [&] {
            prepara();
            return EseguiCli(comando).Secondi;
        },
        1404);
    Conteggio conta;
    for (int prova = 1; prova <= Prove; ++prova) {
        prepara();
        EseguiCli(comando, momenti.Prossimo());
        const auto ora = Leggi(file);
        if (ora == vecchio)
            ++conta.Vecchio;
        else if (ora == nuovo)
            ++conta.Nuovo;
        else
            ADD_FAILURE() << "prova " << prova << ": file di " << ora.size()
                          << " byte, né il vecchio né il nuovo";
        EXPECT_EQ(Integrita(archivio), "ok");
    }
    RecordProperty("vecchio", conta.Vecchio);
    RecordProperty("nuovo", conta.Nuovo);
    if (Prove >= 20) { // the kills do land before the commit
        EXPECT_GT(conta.Vecchio, 0);
    }
}
