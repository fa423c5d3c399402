// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's commands: each reads its controls, changes the state and repaints.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTime>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/analysis/Special.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// --- Long work ----------------------------------------------------------------------------

void Special::AggiungiTempo() {
    lstTempi_->addItem(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    lstTempi_->scrollToBottom();
}

void Special::AggiornaContatori() {
    if (!stato_.ListaCompleta()) return;
    const long long T = static_cast<long long>(stato_.Lista().size());
    lblTerzineValide_->setText(Q(FormatoMigliaia(T)));
    lblCoppie_->setText(Q(FormatoMigliaia(T * (T - 1) / 2)));
    lblTriple_->setText(Q(FormatoMigliaia(T * (T - 1) * (T - 2) / 6)));
    lblConteggio_->setText(QString::number(T));
}

// --- Cases and parameters -----------------------------------------------------------------

void Special::GeneraCasiNelloStato() {
    stato_.GeneraCasi(pannello_->LeggiSceltaCasi());
}

void Special::DipingiCasi() {
    trivalto::DipingiCasi(*fgEV_, stato_.Archivio(), stato_);
}

// --- The terzine search -------------------------------------------------------------------

void Special::Cerca() {
    InputRicerca in = stato_.PreparaTerzine(InteroPeriodo(), pannello_->Elenco());
    auto archivio = stato_.Sessione().Istantanea(); // kept alive while the search reads it
    atteso_->Svuota();
    fg2_->ImpostaRighe(1);
    DipingiTerzine(*fg1_, stato_);
    AggiungiTempo();
    occupazione_.Inizia();
    lavoro_ = AvviaLavoro<RisultatoTerzine>(
        this, barra_, [in, archivio](const ControlloLavoro& ctl) { return CercaTerzine(in, ctl); },
        [this, in, archivio](RisultatoTerzine ris) {
            stato_.ApplicaTerzine(ris);
            DipingiTerzine(*fg1_, stato_);
            if (stato_.ListaCompleta()) {
                atteso_->Aggiorna(archivio, in, stato_.Lista().empty() ? 0 : stato_.Lista().front().Pos);
                AggiornaContatori();
                AggiungiTempo();
                StileCasi(fgEV_->Modello(), stato_);
            }
            Termina();
        },
        [this](std::exception_ptr e) { Errore(e); });
}

// --- Combinations --------------------------------------------------------------------------

void Special::CercaCombinazioni(int K) {
    if (occupazione_.Attiva() || !stato_.HaTerzine()) return;
    AdattaAllArchivio();
    lstTempi_->clear();
    AggiungiTempo();
    InputCombinazioni in = stato_.PreparaCombinazioni(K, pannello_->Elenco());
    auto archivio = stato_.Sessione().Istantanea();
    DipingiCombinazioni(*fg2_, stato_);
    if (barra_)
        barra_->setMaximum(static_cast<int>(
            std::max<long long>(1, NumeroCombinazioni(static_cast<int>(stato_.Lista().size()), K))));
    occupazione_.Inizia();
    lavoro_ = AvviaLavoro<RisultatoCombinazioni>(
        this, barra_,
        [in = std::move(in), archivio](const ControlloLavoro& ctl) {
            return trivalto::CercaCombinazioni(in, ctl);
        },
        [this, K](RisultatoCombinazioni ris) {
            const bool vuota =
                std::all_of(ris.Righe.begin(), ris.Righe.end(), [](auto& c) { return c.Vuota(); });
            // An interrupted search that found nothing leaves the empty table as it stands.
            if (!ris.Interrotta || !vuota) {
                stato_.ApplicaCombinazioni(ris);
                DipingiCombinazioni(*fg2_, stato_);
            }
            if (!ris.Interrotta)
                atteso_->AggiornaCop(K,
                                     stato_.Combinazioni().empty() ? 0 : stato_.Combinazioni().front().Cop);
            if (!ris.Interrotta) AggiungiTempo();
            Termina();
        },
        [this](std::exception_ptr e) { Errore(e); });
}

void Special::MostraCombinazione(int riga) {
    AdattaAllArchivio();
    if (!stato_.SelezionaCombinazione(riga)) return;
    StileCombinazioni(fg2_->Modello(), stato_);
    fg2_->AllargaAlContenuto();
    DipingiDettaglio(*fgp_, stato_);
}

void Special::SelezionaCaso(int riga) {
    AdattaAllArchivio();
    if (!stato_.SelezionaCaso(riga)) return;
    StileCasi(fgEV_->Modello(), stato_);
    fgEV_->AllargaAlContenuto();
}

void Special::VerificaTerzine() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (!stato_.Verifica()) return;
    StileTerzine(fg1_->Modello(), stato_);
    StileCombinazioni(fg2_->Modello(), stato_);
}

void Special::EliminaRigheSuccessive() {
    if (occupazione_.Attiva()) return;
    const int r = fg1_->RigaCorrente();
    if (!stato_.EliminaRighe(r)) return;
    fg1_->ImpostaRighe(r);
    lblConteggio_->setText(QString::number(stato_.Lista().size()));
}

// --- Histories ----------------------------------------------------------------------------

void Special::StoriaTerzina(int riga) {
    const auto& lista = stato_.Lista();
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (stato_.Casi().empty() || riga < 1 || riga > static_cast<int>(lista.size())) return;
    const auto& z = lista[static_cast<size_t>(riga - 1)];
    if (z.Vuota()) return;
    ApriStoria(stato_.StoriaDi({z}, InteroPeriodo()), false);
}

void Special::ResocontoStorico() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (stato_.Casi().empty()) return;
    const auto terzine = stato_.TerzineScelte();
    if (terzine.empty()) return;
    ApriStoria(stato_.StoriaDi(terzine, InteroPeriodo()), true);
}

// --- Predictions and delays ---------------------------------------------------------------

void Special::Previsioni() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    try {
        const auto in =
            stato_.PreparaPrevisioni(chkVerificaEstesa_->isChecked(), InteroPeriodo(), Evidenzia());
        if (!in) return; // no case table, or no filled combination chosen: the tables stay
        stato_.ApplicaPrevisioni(FaiPrevisioni(*in), in->Terzine);
        StileCasi(fgEV_->Modello(), stato_);
        DipingiPrevisioni(*fgZ_, *fgPr_, *fgStat_, stato_.Archivio(), stato_);
        DistribuisciColonne(); // bold numbers may have widened a column
    } catch (...) {
        Errore(std::current_exception());
    }
}

} // namespace trivalto
