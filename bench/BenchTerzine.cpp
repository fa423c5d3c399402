// SPDX-License-Identifier: GPL-3.0-or-later
// Times the terzine search, literal reference against the fast search, on the real archive, and
// prints both medians and their ratio. Usage: bench_terzine [repetitions of the fast search]
// [esplorazione: the exploration's lines alone]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/analysis/Atteso.h"
#include "core/analysis/Combinazioni.h"
#include "core/analysis/Esplorazione.h"
#include "core/analysis/RicercaTerzine.h"
#include "core/analysis/VerificaRetroattiva.h"
#include "core/archive/FormatiTesto.h"
#include "core/builder/RicercaCostruttore.h"
#include "core/builder/StatoCostruttore.h"

using namespace trivalto;

namespace {

template <class F> double MedianaMs(int ripetizioni, F&& f) {
    std::vector<double> tempi;
    for (int i = 0; i < ripetizioni; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        tempi.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(tempi.begin(), tempi.end());
    return tempi[tempi.size() / 2];
}

void Misura(const char* nome, const ArchivioMemoria& a, int casi, int mensile, RuoteGioco ruote, int daColpo,
            int colpi, bool intero, int elenco, int ripetizioni) {
    SceltaCasi sc{a.UltimaEstrazione, casi, mensile, true, 0};
    auto elencoCasi = GeneraCasi(a, sc);
    CalcolaParametri(a, elencoCasi, {});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = elencoCasi;
    in.Ruote = ruote;
    in.Finestra = {daColpo, colpi, a.UltimaEstrazione};
    in.InteroPeriodo = intero;
    in.Elenco = elenco;
    RisultatoTerzine r1, r2;
    const double veloce = MedianaMs(ripetizioni, [&] { r2 = CercaTerzine(in); });
    const double riferimento = MedianaMs(1, [&] { r1 = CercaTerzineRiferimento(in); });
    std::printf("%-28s riferimento %10.2f ms   veloce %8.3f ms   rapporto %8.0fx   %s\n", nome, riferimento,
                veloce, riferimento / veloce, r1.Righe == r2.Righe ? "identici" : "DIVERSI");
}

void MisuraCombinazioni(const ArchivioMemoria& a, int ripetizioni) {
    SceltaCasi sc{a.UltimaEstrazione, 30, 0, true, 0};
    auto casi = GeneraCasi(a, sc);
    CalcolaParametri(a, casi, {});
    RuoteGioco tutte;
    tutte.fill(true);
    InputRicerca ir;
    ir.Archivio = &a;
    ir.Casi = casi;
    ir.Ruote = tutte;
    ir.Finestra = {1, 20, a.UltimaEstrazione};
    ir.Elenco = 200;
    InputCombinazioni ic;
    ic.Archivio = &a;
    ic.Casi = casi;
    ic.Lista = CercaTerzine(ir).Righe;
    ic.Ruote = tutte;
    ic.Finestra = ir.Finestra;
    ic.K = 3;
    ic.Elenco = 200;
    RisultatoCombinazioni r1, r2;
    const double veloce = MedianaMs(ripetizioni, [&] { r2 = CercaCombinazioni(ic); });
    const double riferimento = MedianaMs(1, [&] { r1 = CercaCombinazioniRiferimento(ic); });
    std::printf("%-28s riferimento %10.2f ms   veloce %8.3f ms   rapporto %8.0fx   %s\n",
                "TRE TERZINE (200, 30 casi, TU)", riferimento, veloce, riferimento / veloce,
                r1.Righe == r2.Righe ? "identici" : "DIVERSI");
}

void MisuraCostruttore(const ArchivioMemoria& a, int ripetizioni) {
    SceltaCasi sc{a.UltimaEstrazione, 30, 0, true, 0};
    auto casi = GeneraCasi(a, sc);
    CalcolaParametri(a, casi, {});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = casi;
    in.Ruote.fill(true);
    in.Finestra = {1, 20, a.UltimaEstrazione};
    in.Elenco = MassimoElencoCostruttore;
    RisultatoCostruttore r1, r2;
    const double veloce = MedianaMs(ripetizioni, [&] { r2 = CercaCandidate(in); });
    const double riferimento = MedianaMs(1, [&] { r1 = CercaCandidateRiferimento(in); });
    std::printf("%-28s riferimento %10.2f ms   veloce %8.3f ms   rapporto %8.0fx   %s\n",
                "costruttore (1000, 30, U, TU)", riferimento, veloce, riferimento / veloce,
                r1.Righe == r2.Righe ? "identici" : "DIVERSI");
}

/// What a double click in the builder costs at the opening settings: the terzina into the method, the
/// forecast with its statistics and the re-ranked list by case (Elenco 1,000, the list's largest).
void MisuraDoppioClic(const ArchivioMemoria& a, int ripetizioni) {
    StatoCostruttore s;
    s.AdattaAllArchivio(SessioneAnalisi::Prestito(a));
    const int ultima = a.UltimaEstrazione;
    s.Analisi().ImpostaRiferimento(ultima);
    s.GeneraCasi({ultima, 12, a.PosizioneMese[static_cast<size_t>(ultima)], false, 0});
    s.Analisi().CalcolaParametri(SceltaParametro{}, 1, 8);
    s.ApplicaRicerca(CercaCandidate(s.PreparaRicerca(false, MassimoElencoCostruttore)));
    int riga = 0;
    const double ms = MedianaMs(ripetizioni, [&] {
        if (s.Metodo().size() == MassimoTerzineMetodo) s.Reset();
        s.AggiungiDaColpi(++riga);
        const auto in = s.PreparaPrevisioni(false, false, false);
        s.ApplicaPrevisioni(FaiPrevisioni(*in), *in);
        s.Riordina();
    });
    std::printf("%-28s %8.3f ms (un fotogramma: 16,7 ms)\n", "doppio clic (12 casi, BA)", ms);
}

/// The chance panel's simulations and the walk-forward over the whole archive, at the opening settings.
void MisuraCaso(const ArchivioMemoria& a) {
    const int ultima = a.UltimaEstrazione;
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = GeneraCasi(a, {ultima, 12, a.PosizioneMese[static_cast<size_t>(ultima)], false, 0});
    CalcolaParametri(a, in.Casi, {});
    in.Ruote[0] = true;
    in.Finestra = {1, 8, ultima};
    const double simulazioni = MedianaMs(3, [&] { SimulaMigliori(in, {200, 1, 0, 0}); });
    SceltaVerificaRetroattiva s;
    s.Casi = {0, 12, a.PosizioneMese[static_cast<size_t>(ultima)], false, 0};
    s.Ruote[0] = true;
    EsitoRetroattivo e;
    const double verifica = MedianaMs(1, [&] { e = VerificaRetroattiva(a, s); });
    std::printf("%-28s %8.1f ms\n", "200 simulazioni", simulazioni);
    std::printf("%-28s %8.1f ms (%zu prove, tutto l'archivio)\n", "verifica retroattiva", verifica,
                e.Prove.size());
}

/// The exploration: settings of the opening play window over the whole archive, spread over every core,
/// and the walk-forward of single settings against the chain built trial by trial from nothing.
void MisuraEsplorazione(const ArchivioMemoria& a) {
    GrigliaEsplorazione g;
    g.Ruote = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    g.Trasformazioni = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    g.Trasformazioni.resize(VociTrasformazione);
    g.Mensili = {a.PosizioneMese[static_cast<size_t>(a.UltimaEstrazione)]};
    SceltaEsplorazione s;
    s.Permutazioni = 0;
    EsitoEsplorazione e;
    const double ms = MedianaMs(3, [&] { e = Esplora(a, g, s); });
    const double perImpostazione = ms / std::max(e.Provate, 1);
    std::printf("%-28s %8.1f ms (%d impostazioni su %u core, %.2f ms l'una: 1.000 in circa %.1f s)\n",
                "esplorazione", ms, e.Provate, std::thread::hardware_concurrency(), perImpostazione,
                perImpostazione);

    // One core each: the first settings of the grid, whose trials the chain rebuilds from nothing.
    const auto impostazioni = ImpostazioniDellaGriglia(g);
    double diretta = 0, veloce = 0;
    bool identici = true;
    for (size_t k = 0; k < 4 && k < impostazioni.size(); ++k) {
        auto sk = SceltaPer(g, impostazioni[k]);
        sk.Thread = 1;
        EsitoRetroattivo x, y;
        diretta += MedianaMs(1, [&] { x = VerificaRetroattivaDiretta(a, sk); });
        veloce += MedianaMs(5, [&] { y = VerificaRetroattiva(a, sk); });
        identici = identici && x.Prove == y.Prove && x.P == y.P;
    }
    std::printf("%-28s diretta %10.2f ms   veloce %8.3f ms   rapporto %8.0fx   %s\n",
                "verifica di un'impostazione", diretta / 4, veloce / 4, diretta / veloce,
                identici ? "identici" : "DIVERSI");
}

} // namespace

int main(int argc, char** argv) {
    const int ripetizioni = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    ArchivioMemoria a;
    a.EstrazioneIniziale = 1;
    a.CaricamentoIniziale(LeggiFileEstrazioni(TRIVALTO_DATA_DIR "/archivio-1939-2026.txt"));
    RuoteGioco bari{};
    bari[0] = true;
    RuoteGioco tutte;
    tutte.fill(true);
    if (argc > 2 && std::string(argv[2]) == "esplorazione") {
        std::printf(
            "Esplorazione: 10 ruote base x 9 trasformazioni, finestra di apertura, tutto l'archivio\n");
        MisuraEsplorazione(a);
        return 0;
    }
    std::printf("Ricerca delle terzine, archivio reale di %d estrazioni (mediana di %d ripetizioni)\n",
                a.NumeroEstrazioni, ripetizioni);
    Misura("predefinite (12 casi, BA)", a, 12, a.PosizioneMese[a.UltimaEstrazione], bari, 1, 8, false, 50,
           ripetizioni);
    Misura("massime (30 casi, U, TU)", a, 30, 0, tutte, 5, 20, true, 200, ripetizioni);
    std::printf("Combinazioni di tre terzine, elenco di 200 (1.313.400 triple), Colpi 20\n");
    MisuraCombinazioni(a, ripetizioni);
    std::printf("Elenco per colpo del costruttore, Elenco 1.000, 30 casi \"U\", tutte le ruote, Colpi 20\n");
    MisuraCostruttore(a, ripetizioni);
    std::printf(
        "Metodo del costruttore: terzina aggiunta, previsioni, statistica ed elenco per casi riordinato\n");
    MisuraDoppioClic(a, ripetizioni);
    std::printf(
        "Il caso: simulazioni del migliore e verifica retroattiva, impostazioni di apertura, tutti i core\n");
    MisuraCaso(a);
    std::printf("Esplorazione: 10 ruote base x 9 trasformazioni, finestra di apertura, tutto l'archivio\n");
    MisuraEsplorazione(a);
    return 0;
}
