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

void Special::Termina() {
    occupazione_.Termina(barra_);
    emit LavoroFinito();
}

void Special::Errore(const std::exception_ptr& causa) {
    if (occupazione_.Attiva()) Termina();
    dialoghi_.Messaggio(
        this, QStringLiteral("Errore imprevisto, verificare le impostazioni\n") + CausaErrore(causa),
        QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
}

void Special::AggiungiTempo() {
    lstTempi_->addItem(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    lstTempi_->scrollToBottom();
}

void Special::AdattaAllArchivio() {
    if (!stato_.AdattaAllArchivio(ctx_.Archivio())) return;
    ImpostaRiferimento(stato_.Riferimento);
}

void Special::AggiornaContatori() {
    if (!stato_.ListaCompleta) return;
    const long long T = static_cast<long long>(stato_.Lista.size());
    lblTerzineValide_->setText(Q(FormatoMigliaia(T)));
    lblCoppie_->setText(Q(FormatoMigliaia(T * (T - 1) / 2)));
    lblTriple_->setText(Q(FormatoMigliaia(T * (T - 1) * (T - 2) / 6)));
    lblConteggio_->setText(QString::number(T));
}

// --- Cases and parameters -----------------------------------------------------------------

void Special::GeneraTerzine() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    try {
        stato_.GeneraCasi(ctx_.Archivio(), pannello_->LeggiSceltaCasi());
        DipingiCasi(*fgEV_, ctx_.Archivio(), stato_);
    } catch (...) {
        Errore(std::current_exception());
        return;
    }
    SceltaTrasformazione();
}

void Special::SceltaTrasformazione() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    CalcolaParametri();
    ElaboraTerzine();
}

void Special::CalcolaParametri() {
    stato_.CalcolaParametri(ctx_.Archivio(), pannello_->LeggiSceltaParametro(), pannello_->DaColpo(),
                            pannello_->Colpi());
    DipingiCasi(*fgEV_, ctx_.Archivio(), stato_);
    const QString n = QString::number(stato_.Casi.size());
    lblEsaminate_->setText(n);
    lblCasistiche_->setText(n);
}

// --- The terzine search -------------------------------------------------------------------

void Special::ElaboraTerzine() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (!stato_.AlmenoUnaRuota()) {
        dialoghi_.Messaggio(this, QStringLiteral("Selezionare almeno una ruota su cui testare il metodo"),
                            QStringLiteral("Selezione ruota"), Dialoghi::Icona::Informazione);
        return;
    }
    if (!stato_.PuoCercareTerzine()) return;
    CercaTerzineSuiCasi();
}

void Special::CercaTerzineSuiCasi() {
    auto archivio = ctx_.Istantanea();
    InputRicerca in =
        stato_.PreparaTerzine(archivio.get(), chkInteroPeriodo_->isChecked(), pannello_->Elenco());
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
            if (stato_.ListaCompleta) {
                atteso_->Aggiorna(archivio, in, stato_.Lista.empty() ? 0 : stato_.Lista.front().Pos);
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
    auto archivio = ctx_.Istantanea();
    InputCombinazioni in = stato_.PreparaCombinazioni(archivio.get(), K, pannello_->Elenco());
    DipingiCombinazioni(*fg2_, stato_);
    if (barra_)
        barra_->setMaximum(static_cast<int>(
            std::max<long long>(1, NumeroCombinazioni(static_cast<int>(stato_.Lista.size()), K))));
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
                atteso_->AggiornaCop(K, stato_.Combinazioni.empty() ? 0 : stato_.Combinazioni.front().Cop);
            if (!ris.Interrotta) AggiungiTempo();
            Termina();
        },
        [this](std::exception_ptr e) { Errore(e); });
}

void Special::MostraCombinazione(int riga) {
    AdattaAllArchivio();
    if (!stato_.SelezionaCombinazione(ctx_.Archivio(), riga)) return;
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
    if (!stato_.Verifica(ctx_.Archivio())) return;
    StileTerzine(fg1_->Modello(), stato_);
    StileCombinazioni(fg2_->Modello(), stato_);
}

void Special::EliminaRigheSuccessive() {
    if (occupazione_.Attiva()) return;
    const int r = fg1_->RigaCorrente();
    if (!stato_.EliminaRighe(r)) return;
    fg1_->ImpostaRighe(r);
    lblConteggio_->setText(QString::number(stato_.Lista.size()));
}

// --- Histories ----------------------------------------------------------------------------

void Special::ApriStoria(const Storia& storia, bool diCombinazione) {
    if (auto* w = qobject_cast<FinestraStoria*>(apri_(QStringLiteral("Storia")))) {
        w->RicordaChiamante(this);
        MostraStoria(*w, ctx_.Archivio(), storia, diCombinazione);
    }
}

void Special::StoriaTerzina(int riga) {
    const auto& lista = stato_.Lista;
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (stato_.Casi.empty() || riga < 1 || riga > static_cast<int>(lista.size())) return;
    const auto& z = lista[static_cast<size_t>(riga - 1)];
    if (z.Vuota()) return;
    ApriStoria(StoriaTerzine(ctx_.Archivio(), stato_.Casi, {z}, stato_.RuoteRegistrate, stato_.Finestra(),
                             chkInteroPeriodo_->isChecked()),
               false);
}

void Special::ResocontoStorico() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (stato_.Casi.empty()) return;
    const auto terzine = stato_.TerzineScelte();
    if (terzine.empty()) return;
    ApriStoria(StoriaTerzine(ctx_.Archivio(), stato_.Casi, terzine, stato_.RuoteRegistrate, stato_.Finestra(),
                             chkInteroPeriodo_->isChecked()),
               true);
}

// --- Predictions and delays ---------------------------------------------------------------

void Special::Previsioni() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    try {
        const auto in = stato_.PreparaPrevisioni(&ctx_.Archivio(), chkVerificaEstesa_->isChecked(),
                                                 chkInteroPeriodo_->isChecked(), chkEvidenzia_->isChecked());
        if (!in) return; // no case table, or no filled combination chosen: the tables stay
        stato_.ApplicaPrevisioni(FaiPrevisioni(*in), in->Terzine);
        StileCasi(fgEV_->Modello(), stato_);
        DipingiPrevisioni(*fgZ_, *fgPr_, *fgStat_, ctx_.Archivio(), stato_);
        DistribuisciColonne(); // bold numbers may have widened a column
    } catch (...) {
        Errore(std::current_exception());
    }
}

void Special::MostraRitardi(int riga) {
    const auto& righe = stato_.Previsione.Righe;
    if (riga < 1 || riga > static_cast<int>(righe.size())) return;
    const auto& r = righe[static_cast<size_t>(riga - 1)];
    // A forecast made before a reload that shortened the archive may name a draw that is gone.
    if (r.Separatore || r.Estrazione < 1 || r.Estrazione > ctx_.Archivio().NumeroEstrazioni) return;
    if (auto* w = qobject_cast<FrmRitardi*>(apri_(QStringLiteral("Frm_Ritardi"))))
        trivalto::MostraRitardi(*w, ctx_.Archivio(), stato_, riga);
}

} // namespace trivalto
