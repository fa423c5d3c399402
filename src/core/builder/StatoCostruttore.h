// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the method builder, kept apart from any widget. The cases, toggles, play window and
// forecast are an analysis state's (the same commands, the same marks); on top of it the builder keeps
// its two candidate lists, the count by colpo and the hand-built method of at most five terzine.
// Not thread-safe: owned and used by one thread; searches get copies of what they read.
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/StatoAnalisi.h"
#include "core/builder/RicercaCostruttore.h"

namespace trivalto {

/// A row of the method table: the offsets (editable) and the source row's counts as texts.
struct TerzinaMetodo {
    int A = 0, B = 0, C = 0;
    std::string Esiti, Negative, Due, Tre;
    bool operator==(const TerzinaMetodo&) const = default;
};

class StatoCostruttore {
public:
    /// The cases, toggles, play window and forecast: the analysis window's state and commands.
    StatoAnalisi& Analisi() { return analisi_; }
    const StatoAnalisi& Analisi() const { return analisi_; }

    // --- Candidate lists -----------------------------------------------------------------------
    const std::vector<Candidata>& Lista() const { return lista_; }      // by colpo
    bool ListaCompleta() const { return listaCompleta_; }               // the last search ran to its end
    const std::vector<ConteggioColpi>& Colpi() const { return colpi_; } // "CONTROLLA TUTTE"; empty until run
    const std::vector<RigaPerCaso>& ListaCasi() const { return listaCasi_; } // by case, in its current order
    int CasiRicerca() const { return casiRicerca_; }                         // cases of the last search

    /// "GENERAZIONE TERZINE"'s first half: a new case set starts a new method; the forecast and the
    /// statistics are emptied too.
    void GeneraCasi(SceltaCasi scelta);
    /// Starts a search: the list by colpo gets Elenco empty rows; the list by case stays until the search
    /// completes.
    InputRicerca PreparaRicerca(bool interoPeriodo, int elenco);
    /// A completed search also fills the list by case (`perCaso` when the caller made it already, with
    /// trivalto::CopiaInSecondoElenco on the search's input); an interrupted one keeps the rows found so far.
    void ApplicaRicerca(const RisultatoCostruttore& ris,
                        std::optional<std::vector<RigaPerCaso>> perCaso = std::nullopt);
    bool HaCandidate() const;
    /// What "copia in 2° elenco" and "CONTROLLA TUTTE" read: the cases and the wheels of the last search.
    InputRicerca Ricerca(bool interoPeriodo) const;
    /// "copia in 2° elenco": also clears the covered and in-play marks of the case table.
    void CopiaInSecondoElenco();
    /// "CONTROLLA TUTTE"; false (nothing changes) without a candidate.
    bool ContaTutte();

    // --- Method ------------------------------------------------------------------------------
    /// At most MassimoTerzineMetodo rows, offsets 1..90 and distinct within a row.
    const std::vector<TerzinaMetodo>& Metodo() const { return metodo_; }

    enum class Aggiunta { Nessuna, Piena, Fatta };
    /// A double click on row `riga` (1-based) of the list by colpo or of the list by case.
    Aggiunta AggiungiDaColpi(int riga);
    Aggiunta AggiungiDaCasi(int riga);
    /// A candidate with the counts of a list by colpo row (the command-line tool adds terzine by value).
    /// A candidate whose offsets are outside 1..90 or repeated adds nothing.
    Aggiunta AggiungiCandidata(const Candidata& z);
    bool EliminaUltima();
    void Reset() { metodo_.clear(); }
    /// An offset typed into the method table (`colonna` 1..3): empty, not a number, outside 1..90 or equal
    /// to another offset of the row is refused with the reason, and the cell keeps its value.
    std::optional<std::string> ImpostaOffset(int riga, int colonna, const std::string& testo);

    // --- Forecast ----------------------------------------------------------------------------
    /// "PREVISIONI" (or, with `vecchie`, "vecchio previsoni") of the method; nothing without a case table.
    std::optional<InputPrevisioni> PreparaPrevisioni(bool interoPeriodo, bool evidenzia, bool vecchie) const;
    void ApplicaPrevisioni(RisultatoPrevisioni ris, const InputPrevisioni& in);
    /// ReRank: by the cases the method's forecast covered, as the case table shows them.
    void Riordina();

    /// See StatoAnalisi::AdattaAllArchivio.
    bool AdattaAllArchivio(std::shared_ptr<const ArchivioMemoria> archivio) {
        return analisi_.AdattaAllArchivio(std::move(archivio));
    }

private:
    Aggiunta Aggiungi(TerzinaMetodo t);

    StatoAnalisi analisi_;
    std::vector<Candidata> lista_;
    bool listaCompleta_ = false;
    std::vector<ConteggioColpi> colpi_;
    std::vector<RigaPerCaso> listaCasi_;
    int casiRicerca_ = 0;
    std::vector<TerzinaMetodo> metodo_;
};

} // namespace trivalto
