// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `analizza` and `costruttore` share: the analysis options, the archive they read and the
// contract's table printing.
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "core/analysis/Atteso.h"
#include "core/analysis/Casi.h"
#include "core/analysis/RicercaTerzine.h"
#include "core/analysis/SessioneAnalisi.h"
#include "core/analysis/Storia.h"
#include "core/analysis/TabelleAnalisi.h"

namespace trivalto::cli {

/// A bad option: a one-line message and exit status 2.
struct ErroreOpzione : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// The whole of `testo` as a decimal number in minimo..massimo; anything else ("12abc", "1.5",
/// "0x10", "7 ") throws ErroreOpzione naming the option.
int Intero(const std::string& testo, const std::string& nome, int minimo, int massimo);
/// The parts of `testo` between the separators, empty ones included ("1,2," gives three).
std::vector<std::string> Dividi(const std::string& testo, char separatore);

/// "## NAME", the header split at "|" and joined by TAB, one line per row.
void StampaTabella(std::ostream& out, const std::string& nome, const TabellaTesto& t);
void StampaStoria(std::ostream& out, const ArchivioMemoria& a, const Storia& s, bool diCombinazione);

/// The analysis options as typed (defaults: the windows' opening values).
struct TestiAnalisi {
    std::string Archivio, Riferimento, Casi = "12", Mensile, Ruota = "BA", Posizioni = "11111",
                                       Operazione = "somma", Trasformazione = "0", Fisso = "0",
                                       RuoteGioco = "BA", DaColpo = "1", Colpi = "8", Elenco = "50";
    bool ForzaUltima = false, InteroPeriodo = false;
};
TestiAnalisi LeggiOpzioniAnalisi(Opzioni& o);

/// Throws ErroreOpzione; Elenco runs from 10 to `elencoMassimo` in tens.
ImpostazioniAnalisi InterpretaOpzioniAnalisi(const TestiAnalisi& testi, int elencoMassimo);

/// "--atteso", "--simulazioni N", "--seme S": what chance alone gives, beside the results.
struct RichiestaAtteso {
    bool Attiva = false;
    SceltaSimulazione Simulazione;
};
RichiestaAtteso LeggiOpzioniAtteso(Opzioni& o);
/// The rows of `## Atteso` for simulations already run.
TabellaTesto TabellaAtteso(const InputRicerca& in, const SceltaSimulazione& sim,
                           const EsitoSimulazione& simulati, int osservatoPos, int K, int osservatoCop,
                           const std::string& nomeCop);
/// `## Atteso`: the expected values for `in` (with K, of K terzine fixed in advance), the observed tops,
/// where they stand among the simulated ones and the verdict on the last of them. `nomeCop` names the cases
/// the K terzine cover; with `simulaCombinazioni` the simulations run the combination search too.
void StampaAtteso(std::ostream& out, const InputRicerca& in, const RichiestaAtteso& r, int osservatoPos,
                  int K, int osservatoCop, const std::string& nomeCop, bool simulaCombinazioni);

/// Loads the archive and settles the reference draw, the month ordinal and the verification end.
/// False, with the message written to `err`, when the archive cannot be read (exit status 1).
bool CaricaPerAnalisi(const TestiAnalisi& testi, const Ambiente& amb, ImpostazioniAnalisi& imp,
                      ArchivioMemoria& archivio, std::ostream& err);

} // namespace trivalto::cli
