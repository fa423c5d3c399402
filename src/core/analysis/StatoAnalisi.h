// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of a terzine analysis, kept apart from any widget: the toggles, the marks of the case table,
// the chosen case and combination and the forecast, on top of the analysis session that runs the chain.
// A window shows it and paints its colours from it; the commands below are the window's commands
// without the widgets, so they can be read and tested on their own and reused by other windows.
// Fields are private: a window changes the state only through the commands, which keep its rules.
// Not thread-safe: owned and used by one thread; searches get copies of what they read.
#include <memory>
#include <optional>
#include <vector>

#include "core/analysis/SessioneAnalisi.h"

namespace trivalto {

class StatoAnalisi {
public:
    // --- Archive -----------------------------------------------------------------------------
    /// The snapshot every later command reads, given at the start of each command. After a reload that
    /// shortened the archive, a reference draw past the new last draw comes back to it, emptying the case
    /// table, and the case records past the end are dropped. True when anything changed.
    bool AdattaAllArchivio(std::shared_ptr<const ArchivioMemoria> archivio);
    const SessioneAnalisi& Sessione() const { return sessione_; }
    const ArchivioMemoria& Archivio() const { return sessione_.Archivio(); }

    // --- Toggles ---------------------------------------------------------------------------
    const PosizioniAbilitate& Posizioni() const { return posizioni_; }
    void ImpostaPosizioni(const PosizioniAbilitate& posizioni) { posizioni_ = posizioni; }
    /// Turns position p (1..5) on or off; the result says what happens to the operations. Out of range:
    /// nothing changes.
    EffettoPosizioni TogglePosizione(int p);
    const RuoteGioco& Ruote() const { return ruote_; } // "Ruote gioco": only the first wheel at opening
    void ImpostaRuote(const RuoteGioco& ruote) { ruote_ = ruote; }
    void ToggleRuota(int w);
    void TutteLeRuote(bool accese);
    bool AlmenoUnaRuota() const;

    // --- Reference draw and case table ------------------------------------------------------
    int Riferimento() const { return sessione_.Riferimento(); }
    /// A move of the reference draw: the case table is emptied, the records stay.
    void ImpostaRiferimento(int d);
    /// The case records: they outlive the case table, which a move of the reference draw empties.
    const std::vector<Caso>& Casi() const { return sessione_.Casi(); }
    bool CasiVisibili() const { return casiVisibili_; }
    const std::vector<SegniCaso>& Segni() const { return segni_; } // the forecast's marks, one per case
    PosizioniAbilitate PosizioniGenera() const { return posizioniGenera_; } // shaded when the rows were made
    bool ParametriCalcolati() const { return parametriCalcolati_; }         // "Par" yellow
    bool UltimoInCorso() const { return ultimoInCorso_; }     // the last case is the last draw (cyan)
    bool CasiEvidenziati() const { return casiEvidenziati_; } // "R1 " … "Par" bold, "R1 " blue
    int CasoScelto() const { return casoScelto_; }            // row in bold, 1-based; 0 none

    /// GENERA TERZINE's first half: the cases of `scelta` at the reference draw, parameters 0.
    void GeneraCasi(SceltaCasi scelta);
    /// "Scelta trasformazione": parameters of the shown cases, and the play window it fixes.
    /// With the case table emptied the records are emptied too, as no row is left to read.
    void CalcolaParametri(SceltaParametro scelta, int daColpo, int colpi);
    bool SelezionaCaso(int riga);
    /// The chosen case's record, if a shown row is chosen.
    const Caso* CasoSelezionato() const;

    // --- Play window -------------------------------------------------------------------------
    int DaColpo() const { return sessione_.DaColpo(); }
    int Colpi() const { return sessione_.Colpi(); }
    /// The Colpi list: followed at once. Outside 1..20 nothing changes.
    bool ImpostaColpi(int colpi);
    const RuoteGioco& RuoteRegistrate() const { return sessione_.RuoteRicerca(); } // of the last search
    const RuoteGioco& RuoteGenera() const { return ruoteGenera_; } // chosen at the last GENERA TERZINE
    FinestraGioco Finestra() const { return sessione_.Finestra(); }

    // --- Terzine list --------------------------------------------------------------------------
    const std::vector<Terzina>& Lista() const { return sessione_.Lista(); }
    bool ListaCompleta() const { return sessione_.ListaCompleta(); }    // counters and styles shown
    const std::vector<bool>& Verificate() const { return verificate_; } // rows out for the chosen case

    bool PuoCercareTerzine() const { return casiVisibili_ && !Casi().empty(); }
    /// Starts a terzine search: records the play wheels, empties the combinations and gives the
    /// search its input (covered cases flagged), on the snapshot of the last AdattaAllArchivio.
    InputRicerca PreparaTerzine(bool interoPeriodo, int elenco);
    void ApplicaTerzine(const RisultatoTerzine& ris);
    bool HaTerzine() const { return sessione_.HaTerzine(); }
    /// "Elimina righe successive" from list row `riga` (1-based).
    bool EliminaRighe(int riga);
    /// "Verifica terzine" for the chosen case; false (nothing changes) without a chosen case or list.
    bool Verifica();
    Storia StoriaDi(const std::vector<Terzina>& terzine, bool interoPeriodo) const {
        return sessione_.StoriaDi(terzine, interoPeriodo);
    }

    // --- Combinations ------------------------------------------------------------------------
    const std::vector<Combinazione>& Combinazioni() const { return sessione_.Combinazioni(); }
    /// The list as the combination search read it: the rows `Combinazioni` point into. A later
    /// "Elimina righe successive" shortens `Lista`, never what a shown combination plays.
    const std::vector<Terzina>& ListaCombinazioni() const { return sessione_.ListaCombinazioni(); }
    int CombinazioneScelta() const { return combinazioneScelta_; } // 1-based, 0 none
    const std::vector<DettaglioTerzina>& Dettaglio() const { return dettaglio_; }

    InputCombinazioni PreparaCombinazioni(int K, int elenco);
    void ApplicaCombinazioni(const RisultatoCombinazioni& ris);
    /// A click on a combination row: chosen, and its detail for the chosen case (if any).
    bool SelezionaCombinazione(int riga);
    /// The terzine of the chosen combination; empty when none is chosen or the row is empty.
    std::vector<Terzina> TerzineScelte() const {
        return sessione_.TerzineDellaCombinazione(combinazioneScelta_);
    }

    // --- Forecast ----------------------------------------------------------------------------
    const RisultatoPrevisioni& Previsione() const { return previsione_; }
    const std::vector<Terzina>& Scelte() const { return scelte_; } // the terzine the forecast played
    bool PrevisioneFatta() const { return previsioneFatta_; }

    /// Nothing to forecast without a case table or a chosen, filled combination.
    std::optional<InputPrevisioni> PreparaPrevisioni(bool verificaEstesa, bool interoPeriodo,
                                                     bool evidenzia) const;
    /// The forecast of `terzine` (the builder's method); nothing without a case table.
    std::optional<InputPrevisioni> PreparaPrevisioniDi(std::vector<Terzina> terzine,
                                                       const SessioneAnalisi::OpzioniPrevisioni& o) const;
    void ApplicaPrevisioni(RisultatoPrevisioni ris, std::vector<Terzina> scelte);
    /// The builder's older form: the rows and marks, the statistics row and the "done" flag as they were.
    void ApplicaSoloRighe(RisultatoPrevisioni ris, std::vector<Terzina> scelte);
    /// The forecast emptied (a new case set in the builder).
    void SvuotaPrevisione();
    /// The builder's own search ran on these cases: the analysis list is emptied (it is not the builder's)
    /// and, when it completed, the case rows are shown bold as after a terzine search.
    void RicercaEsterna(bool completa);
    /// The first cell of every case back to white (green and cyan belong to the forecast before).
    void CancellaCoperti();
    /// Covered flags for the next search: the cases the shown forecast covered.
    std::vector<bool> Coperti() const;

private:
    SessioneAnalisi sessione_;
    PosizioniAbilitate posizioni_{true, true, true, true, true};
    RuoteGioco ruote_{true};
    bool casiVisibili_ = false;
    std::vector<SegniCaso> segni_;
    PosizioniAbilitate posizioniGenera_{};
    bool parametriCalcolati_ = false, ultimoInCorso_ = false, casiEvidenziati_ = false;
    int casoScelto_ = 0;
    RuoteGioco ruoteGenera_{};
    std::vector<bool> verificate_;
    int combinazioneScelta_ = 0;
    std::vector<DettaglioTerzina> dettaglio_;
    RisultatoPrevisioni previsione_;
    std::vector<Terzina> scelte_;
    bool previsioneFatta_ = false;
};

} // namespace trivalto
