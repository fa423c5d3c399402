// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of a terzine analysis, kept apart from any widget: the toggles, the case records and
// the marks of the case table, the chosen case, the terzine list, the combinations and the forecast.
// A window shows it and paints its colours from it; the commands below are the window's commands
// without the widgets, so they can be read and tested on their own and reused by other windows.
// Not thread-safe: owned and used by one thread; searches get copies of what they read.
#include <optional>
#include <vector>

#include "core/analysis/Casi.h"
#include "core/analysis/Combinazioni.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/Verifica.h"

namespace trivalto {

class StatoAnalisi {
public:
    // --- Toggles ---------------------------------------------------------------------------
    PosizioniAbilitate Posizioni{true, true, true, true, true};
    RuoteGioco Ruote{true}; // "Ruote gioco": only the first wheel at opening

    /// Turns position p (1..5) on or off; the result says what happens to the operations.
    EffettoPosizioni TogglePosizione(int p);
    void ToggleRuota(int w);
    void TutteLeRuote(bool accese);
    bool AlmenoUnaRuota() const;

    // --- Reference draw and case table ------------------------------------------------------
    int Riferimento = 0;
    /// The case records: they outlive the case table, which a move of the reference draw empties.
    std::vector<Caso> Casi;
    bool CasiVisibili = false;
    std::vector<SegniCaso> Segni;         // the forecast's marks, one per shown case
    PosizioniAbilitate PosizioniGenera{}; // positions shaded in the rows when they were made
    bool ParametriCalcolati = false;      // "Par" yellow
    bool UltimoInCorso = false;           // the last case is the last draw loaded (cyan)
    bool CasiEvidenziati = false;         // "R1 " … "Par" bold, "R1 " blue
    int CasoScelto = 0;                   // row in bold, 1-based; 0 none

    /// A move of the reference draw: the case table is emptied, the records stay.
    void ImpostaRiferimento(int d);
    /// GENERA TERZINE's first half: the cases of `scelta` at the reference draw, parameters 0.
    void GeneraCasi(const ArchivioMemoria& archivio, SceltaCasi scelta);
    /// "Scelta trasformazione": parameters of the shown cases, and the play window it fixes.
    /// With the case table emptied the records are emptied too, as no row is left to read.
    void CalcolaParametri(const ArchivioMemoria& archivio, SceltaParametro scelta, int daColpo, int colpi);
    bool SelezionaCaso(int riga);
    /// The chosen case's record, if a shown row is chosen.
    const Caso* CasoSelezionato() const;

    // --- Play window -------------------------------------------------------------------------
    int DaColpo = 1, Colpi = 8;   // Colpi also follows its list at once
    RuoteGioco RuoteRegistrate{}; // recorded by the last terzine search
    RuoteGioco RuoteGenera{};     // chosen at the last GENERA TERZINE
    FinestraGioco Finestra() const { return {DaColpo, Colpi, Riferimento}; }

    // --- Terzine list --------------------------------------------------------------------------
    std::vector<Terzina> Lista;
    bool ListaCompleta = false;   // the last search ran to its end (counters and styles shown)
    std::vector<bool> Verificate; // "Verifica terzine": rows that came out for the chosen case

    bool PuoCercareTerzine() const { return CasiVisibili && !Casi.empty(); }
    /// Starts a terzine search: records the play wheels, empties the combinations and gives the
    /// search its input (covered cases flagged). `archivio` is the snapshot the search will read.
    InputRicerca PreparaTerzine(const ArchivioMemoria* archivio, bool interoPeriodo, int elenco);
    void ApplicaTerzine(const RisultatoTerzine& ris);
    bool HaTerzine() const;
    /// "Elimina righe successive" from list row `riga` (1-based).
    bool EliminaRighe(int riga);
    /// "Verifica terzine" for the chosen case; false (nothing changes) without a chosen case or list.
    bool Verifica(const ArchivioMemoria& archivio);

    // --- Combinations ------------------------------------------------------------------------
    std::vector<Combinazione> Combinazioni;
    /// The list as the combination search read it: the rows `Combinazioni` point into. A later
    /// "Elimina righe successive" shortens `Lista`, never what a shown combination plays.
    std::vector<Terzina> ListaCombinazioni;
    int CombinazioneScelta = 0; // 1-based, 0 none
    std::vector<DettaglioTerzina> Dettaglio;

    InputCombinazioni PreparaCombinazioni(const ArchivioMemoria* archivio, int K, int elenco);
    void ApplicaCombinazioni(const RisultatoCombinazioni& ris);
    /// A click on a combination row: chosen, and its detail for the chosen case (if any).
    bool SelezionaCombinazione(const ArchivioMemoria& archivio, int riga);
    /// The terzine of the chosen combination; empty when none is chosen or the row is empty.
    std::vector<Terzina> TerzineScelte() const;

    // --- Forecast ----------------------------------------------------------------------------
    RisultatoPrevisioni Previsione;
    std::vector<Terzina> Scelte; // the terzine the forecast played
    bool PrevisioneFatta = false;

    /// Nothing to forecast without a case table or a chosen, filled combination.
    std::optional<InputPrevisioni> PreparaPrevisioni(const ArchivioMemoria* archivio, bool verificaEstesa,
                                                     bool interoPeriodo, bool evidenzia) const;
    void ApplicaPrevisioni(RisultatoPrevisioni ris, std::vector<Terzina> scelte);
    /// Covered flags for the next search: the cases the shown forecast covered.
    std::vector<bool> Coperti() const;

    // --- Archive reloads ---------------------------------------------------------------------
    /// After a reload that shortened the archive (a draw deleted): a reference draw past the new
    /// last draw comes back to it, emptying the case table, and the case records past the end are
    /// dropped, so no command reads a draw that is gone. True when anything changed.
    bool AdattaAllArchivio(const ArchivioMemoria& archivio);
};

} // namespace trivalto
