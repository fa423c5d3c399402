// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the analysis window and the method builder do alike: the settings panel, the chance panel, the
// cases -> parameters -> search commands, the busy state and the failures of long work, the histories and
// the delays. Each window supplies its state, its own search and its painting.
#include <QPointer>
#include <QProgressBar>
#include <QWidget>
#include <exception>
#include <functional>
#include <variant>
#include <vector>

#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/Storia.h"
#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QSplitter;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class PannelloAnalisi;
class PannelloAtteso;

class FinestraCatena : public QWidget {
    Q_OBJECT
public:
    /// `apri` opens (or brings forward) a named child window of the main window: "Storia" or "Frm_Ritardi".
    FinestraCatena(ContestoProgramma& contesto, Dialoghi& dialoghi,
                   std::function<QWidget*(const QString&)> apri, QWidget* parent);
    ~FinestraCatena() override;

    /// "Scelta trasformazione": the parameters again, then the search.
    void SceltaTrasformazione();
    void ElaboraTerzine();
    void Interrompi() { lavoro_.Ferma(); }
    void ImpostaRiferimento(int d);
    bool Occupata() const { return occupazione_.Attiva(); }

signals:
    /// Emitted on the UI thread when a search (or a failure) has ended.
    void LavoroFinito();

protected:
    void resizeEvent(QResizeEvent* evento) override;

    virtual StatoAnalisi& Analisi() = 0;
    /// GENERA TERZINE's first half on the window's state (the builder also starts a new method).
    virtual void GeneraCasiNelloStato() = 0;
    virtual void DipingiDopoICasi() = 0;
    virtual void DipingiCasi() = 0;
    /// The window's own search, on the cases and wheels the state holds.
    virtual void Cerca() = 0;
    /// The tables' widths after a resize, until the user drags a divider.
    virtual void DistribuisciColonne() {}

    /// GENERA TERZINE: the cases, then "Scelta trasformazione".
    void GeneraTerzine();
    /// The settings panel the window made on its state: a move of the reference draw empties the case
    /// table, "Scelta trasformazione" runs here and is locked while a search runs.
    void CollegaPannello(PannelloAnalisi* pannello);
    /// "Opzioni": "Controlla intero periodo" and "Evidenzia 1° sfaldamento", then, when asked for,
    /// "Verifica estesa" (the analysis window's).
    QGroupBox* CostruisciOpzioni(QCheckBox** verificaEstesa = nullptr);
    /// The tables in columns side by side, each column's widgets one above the other; the last column
    /// takes the spare width and its first widget the spare height. A dragged divider is the user's.
    QSplitter* DisponiColonne(const std::vector<std::vector<QWidget*>>& colonne);
    /// Tab through `catena` in its order: controls given by object name or by pointer, after the settings
    /// and the commands row (their order of creation).
    void OrdinaTabulazione(const std::vector<std::variant<const char*, QWidget*>>& catena);
    /// The count of the cases examined and of all cases, filled by the parameter step.
    QWidget* CostruisciConteggioCasi(QWidget* padre, const QString& esaminate, const QString& totali);
    /// The state on the archive loaded now; a reference draw the reload took away comes back to the last.
    void AdattaAllArchivio();
    void CalcolaParametri();
    void Termina();
    void Errore(const std::exception_ptr& causa);
    void ApriStoria(const Storia& storia, bool diCombinazione);
    /// A double click on forecast row `riga`: the delays at its draw.
    void MostraRitardi(int riga);
    bool InteroPeriodo() const;
    bool Evidenzia() const;

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    std::function<QWidget*(const QString&)> apri_;
    QPointer<QProgressBar> barra_;
    LavoroAvviato lavoro_; // the search running, if any
    Occupazione occupazione_;
    PannelloAnalisi* pannello_ = nullptr;
    PannelloAtteso* atteso_ = nullptr;
    QCheckBox *chkInteroPeriodo_ = nullptr, *chkEvidenzia_ = nullptr;
    QLabel *lblEsaminate_ = nullptr, *lblCasistiche_ = nullptr;
    QSplitter* tabelle_ = nullptr;
    bool colonneSpostate_ = false; // the user has dragged a divider
};

} // namespace trivalto
