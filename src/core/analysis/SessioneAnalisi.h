// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis chain, once: cases -> parameters -> terzine -> combinations -> forecast, with the checks,
// histories and delays of what it found, over one snapshot of the archive. The two windows, the builder's
// state, the walk-forward, the chance check and the command line all run it, so a change to how an analysis
// runs is made here.
//
// A step can be driven whole (`CercaTerzine`, `CercaCombinazioni`: on the caller's thread) or split, so a
// window can keep a search off the UI thread: `Prepara...` hands a copy to a worker (sharing the snapshot),
// `Applica...` takes the result back on the owner's thread. A search empties what was found from the list
// before it (the combinations), so a combination never points into a list it was not found on.
// Not thread-safe: one owner.
#include <memory>
#include <optional>
#include <vector>

#include "core/analysis/Casi.h"
#include "core/analysis/Combinazioni.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/Storia.h"
#include "core/analysis/Verifica.h"

namespace trivalto {

inline constexpr int MassimoColpi = 20;

/// Every setting of an analysis as one value, from the cases to the play.
struct ImpostazioniAnalisi {
    SceltaCasi Casi; // Casi.Riferimento is the reference draw
    SceltaParametro Parametro;
    RuoteGioco Ruote{};
    int DaColpo = 1, Colpi = 8;
    bool InteroPeriodo = false;
    int Elenco = 50;
    FinestraGioco Finestra() const { return {DaColpo, Colpi, Casi.Riferimento}; }
};

class SessioneAnalisi {
public:
    /// A session over an empty archive: every step finds nothing.
    SessioneAnalisi();
    explicit SessioneAnalisi(std::shared_ptr<const ArchivioMemoria> archivio);
    /// An archive the caller keeps alive for as long as the session and the inputs it hands out.
    static std::shared_ptr<const ArchivioMemoria> Prestito(const ArchivioMemoria& archivio);

    /// The chain up to the terzine list on the caller's thread, with one value of settings. With no case
    /// no search runs (the list stays empty).
    static SessioneAnalisi Esegui(std::shared_ptr<const ArchivioMemoria> archivio,
                                  const ImpostazioniAnalisi& imp, const ControlloLavoro& ctl = {});

    /// A session on the cases, wheels, play window and covered cases of a search input made elsewhere (a
    /// walk-forward trial, a simulated archive of the chance check); the archive is borrowed.
    static SessioneAnalisi Su(const InputRicerca& in);

    /// The reference draw, the cases and their parameters of `imp`: the chain up to the search.
    void Prepara(const ImpostazioniAnalisi& imp);
    /// The search with the wheels, period and Elenco of `imp`.
    const std::vector<Terzina>& CercaTerzine(const ImpostazioniAnalisi& imp,
                                             const ControlloLavoro& ctl = {}) {
        return CercaTerzine(imp.Ruote, imp.InteroPeriodo, imp.Elenco, ctl);
    }

    const ArchivioMemoria& Archivio() const { return *archivio_; }
    const std::shared_ptr<const ArchivioMemoria>& Istantanea() const { return archivio_; }
    /// A newer snapshot after a reload. A reference draw past its last draw comes back to it and the cases
    /// past its end are dropped, so no step reads a draw that is gone.
    /// True when the reference draw or the cases changed.
    bool CambiaArchivio(std::shared_ptr<const ArchivioMemoria> archivio);

    // --- Reference draw, cases and parameters ------------------------------------------------
    int Riferimento() const { return riferimento_; }
    /// A move of the reference draw (the caller keeps it within the archive): the cases already made stay,
    /// the later steps read the new draw as the end of their checks.
    void ImpostaRiferimento(int d) { riferimento_ = d; }
    /// The cases of `scelta` at the reference draw, parameters 0.
    const std::vector<Caso>& GeneraCasi(SceltaCasi scelta);
    /// Each case's parameter, and the play window the later steps use.
    void CalcolaParametri(const SceltaParametro& scelta, int daColpo, int colpi);
    /// Drops the case records (a window whose case table was emptied has no row left to read).
    void SvuotaCasi() { casi_.clear(); }
    const std::vector<Caso>& Casi() const { return casi_; }
    /// The case of row `riga` (1-based), if any.
    const Caso* CasoDellaRiga(int riga) const;
    int DaColpo() const { return daColpo_; }
    int Colpi() const { return colpi_; }
    FinestraGioco Finestra() const { return {daColpo_, colpi_, riferimento_}; }
    /// The number of colpi alone (the window's list follows it at once); outside 1..20 nothing changes.
    bool ImpostaColpi(int colpi);

    // --- Terzine ---------------------------------------------------------------------------------
    /// Starts a search: records the wheels, empties the combinations and sets the list to `elenco` empty
    /// rows. `coperti` (parallel to the cases) flags the cases the search skips, also in later searches.
    InputRicerca PreparaTerzine(const RuoteGioco& ruote, bool interoPeriodo, int elenco,
                                std::vector<bool> coperti = {});
    void ApplicaTerzine(const RisultatoTerzine& ris);
    const std::vector<Terzina>& CercaTerzine(const RuoteGioco& ruote, bool interoPeriodo, int elenco,
                                             const ControlloLavoro& ctl = {});
    /// The input of the last search again, every case counted (the combinations, the chance check and the
    /// builder's lists read it).
    InputRicerca UltimaRicerca(bool interoPeriodo, int elenco) const;
    const std::vector<Terzina>& Lista() const { return lista_; }
    bool ListaCompleta() const { return listaCompleta_; }
    bool HaTerzine() const;
    const RuoteGioco& RuoteRicerca() const { return ruote_; }
    /// "Elimina righe successive" from list row `riga` (1-based); the combinations already found keep
    /// the list they were found on.
    bool EliminaRighe(int riga);
    /// The list rows that came out for `caso` in its play window.
    std::vector<bool> Verifica(const Caso& caso) const;

    // --- Combinations ----------------------------------------------------------------------------
    InputCombinazioni PreparaCombinazioni(int K, int elenco);
    void ApplicaCombinazioni(const RisultatoCombinazioni& ris);
    const std::vector<Combinazione>& CercaCombinazioni(int K, int elenco, const ControlloLavoro& ctl = {});
    const std::vector<Combinazione>& Combinazioni() const { return combinazioni_; }
    bool CombinazioniComplete() const { return combinazioniComplete_; } // the last search ran to its end
    /// What the chain would play: the best terzina (K = 0) or the terzine of the best combination of K.
    /// Empty when a search was stopped or found nothing.
    std::vector<Terzina> Scegli(int K, bool interoPeriodo, int elenco, const ControlloLavoro& ctl = {});
    /// The list as the combination search read it: the rows the combinations point into.
    const std::vector<Terzina>& ListaCombinazioni() const { return listaCombinazioni_; }
    /// The terzine of combination row `riga` (1-based); empty for an empty or missing row.
    std::vector<Terzina> TerzineDellaCombinazione(int riga) const;
    std::vector<DettaglioTerzina> Dettaglio(const Caso& caso, const std::vector<Terzina>& terzine) const;

    // --- Forecast, histories, delays -------------------------------------------------------------
    /// Nothing to forecast without cases.
    bool PuoPrevedere() const { return !casi_.empty(); }
    struct OpzioniPrevisioni {
        bool VerificaEstesa = false, InteroPeriodo = false, Evidenzia = false, SoloRighe = false;
    };
    InputPrevisioni PreparaPrevisioni(std::vector<Terzina> terzine, const OpzioniPrevisioni& o) const;
    RisultatoPrevisioni Previsioni(std::vector<Terzina> terzine, const OpzioniPrevisioni& o) const;
    Storia StoriaDi(const std::vector<Terzina>& terzine, bool interoPeriodo) const;
    /// The delays at draw `d`; nothing for a draw the snapshot does not hold.
    std::optional<TabellaRitardi> Ritardi(int d) const;

    /// The list and its combinations emptied.
    void SvuotaLista();

private:
    void SvuotaCombinazioni();

    std::shared_ptr<const ArchivioMemoria> archivio_;
    int riferimento_ = 0;
    std::vector<Caso> casi_;
    int daColpo_ = 1, colpi_ = 8;
    RuoteGioco ruote_{};
    std::vector<Terzina> lista_;
    bool listaCompleta_ = false;
    std::vector<bool> coperti_; // the cases the searches skip
    std::vector<Combinazione> combinazioni_;
    bool combinazioniComplete_ = false;
    std::vector<Terzina> listaCombinazioni_;
};

} // namespace trivalto
