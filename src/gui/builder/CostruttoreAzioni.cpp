// SPDX-License-Identifier: GPL-3.0-or-later
// The method builder's commands: each reads its controls, changes the state and repaints.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

#include "core/builder/TabelleCostruttore.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/builder/Costruttore.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto {

// --- Cases and the search ---------------------------------------------------------------------

void Costruttore::GeneraCasiNelloStato() {
    stato_.GeneraCasi(pannello_->LeggiSceltaCasi());
}

void Costruttore::DipingiDopoICasi() {
    DipingiCasi();
    DipingiMetodo();
    DipingiPrevisioni();
}

void Costruttore::Cerca() {
    InputRicerca in = stato_.PreparaRicerca(InteroPeriodo(), pannello_->Elenco());
    auto archivio = stato_.Analisi().Sessione().Istantanea(); // kept alive while the search reads it
    atteso_->Svuota();
    DipingiElencoColpi();
    occupazione_.Inizia();
    struct Esito {
        RisultatoCostruttore Lista;
        std::vector<RigaPerCaso> PerCaso;
    };
    lavoro_ = AvviaLavoro<Esito>(
        this, barra_,
        [in, archivio](const ControlloLavoro& ctl) {
            Esito e{CercaCandidate(in, ctl), {}};
            // The list by case is made here too, so the window only paints it.
            if (!e.Lista.Interrotta) e.PerCaso = trivalto::CopiaInSecondoElenco(in, e.Lista.Righe);
            return e;
        },
        [this, in, archivio](Esito e) {
            stato_.ApplicaRicerca(e.Lista, std::move(e.PerCaso));
            DipingiElencoColpi();
            Termina();
            if (e.Lista.Interrotta) {
                dialoghi_.Messaggio(this, QStringLiteral("Elaborazione interrota."), QStringLiteral("Avviso"),
                                    Dialoghi::Icona::Critico);
                return;
            }
            DipingiElencoCasi();
            StileCasi(fgEV_->Modello(), stato_.Analisi());
            fg1_->ImpostaCellaCorrente(1, 0);
            // The list ranks by covered cases whatever the whole period says: chance is counted the same way.
            auto perCasi = in;
            perCasi.InteroPeriodo = false;
            atteso_->Aggiorna(archivio, perCasi, stato_.Lista().empty() ? 0 : stato_.Lista().front().Cop);
        },
        [this](std::exception_ptr e) { Errore(e); });
}

void Costruttore::CopiaInSecondoElenco() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    stato_.CopiaInSecondoElenco();
    DipingiElencoCasi();
    StileCasi(fgEV_->Modello(), stato_.Analisi());
}

void Costruttore::ControllaTutte() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (!stato_.ContaTutte()) return;
    DipingiElencoColpi();
}

// --- The method ----------------------------------------------------------------------------

void Costruttore::AggiungiAlMetodo(bool perCaso, int riga) {
    if (occupazione_.Attiva()) return;
    const auto esito = perCaso ? stato_.AggiungiDaCasi(riga) : stato_.AggiungiDaColpi(riga);
    if (esito == StatoCostruttore::Aggiunta::Nessuna) return;
    if (esito == StatoCostruttore::Aggiunta::Piena) {
        dialoghi_.Messaggio(this, QStringLiteral("Si possono inserire massimo 5 terzine."),
                            QStringLiteral("Avviso"), Dialoghi::Icona::Informazione);
        return;
    }
    DipingiMetodo();
    Previsioni();
    Riordina();
}

void Costruttore::EliminaUltimaRiga() {
    if (occupazione_.Attiva() || !stato_.EliminaUltima()) return;
    DipingiMetodo();
    Previsioni();
    Riordina();
}

void Costruttore::Reset() {
    if (occupazione_.Attiva()) return;
    // The forecast and the case marks stay until the next PREVISIONI.
    stato_.Reset();
    DipingiMetodo();
}

void Costruttore::OffsetModificato(int riga, int colonna) {
    if (dipingendoMetodo_ || riga < 1 || riga > static_cast<int>(stato_.Metodo().size())) return;
    if (colonna >= MN1 && colonna <= MN3) {
        const auto testo = fgZ_->Testo(riga, colonna).toStdString();
        if (auto errore = stato_.ImpostaOffset(riga, colonna, testo))
            dialoghi_.Messaggio(this, QString::fromStdString(*errore), QStringLiteral("Avviso"),
                                Dialoghi::Icona::Informazione);
    }
    // Only the offsets are the user's: any other cell, and a refused value, come back as they were.
    QMetaObject::invokeMethod(
        this, [this] { DipingiMetodo(); }, Qt::QueuedConnection);
}

void Costruttore::Riordina() {
    stato_.Riordina();
    DipingiElencoCasi();
    fgJ_->ImpostaCellaCorrente(1, ColonnaSecondoCop);
}

// --- Forecast, histories and delays --------------------------------------------------------

void Costruttore::Previsioni(bool vecchie) {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    try {
        const auto in = stato_.PreparaPrevisioni(InteroPeriodo(), Evidenzia(), vecchie);
        if (!in) return; // no case table: the tables stay
        stato_.ApplicaPrevisioni(FaiPrevisioni(*in), *in);
        DipingiPrevisioni();
        if (!vecchie)
            atteso_->AggiornaCop(static_cast<int>(stato_.Metodo().size()),
                                 stato_.Analisi().Previsione().Riepilogo.Coperti);
    } catch (...) {
        Errore(std::current_exception());
    }
}

void Costruttore::Rifinisci() {
    // The forecast is kept tidied: repainting it is all the command has left to do.
    DipingiPrevisioni();
}

void Costruttore::VisualizzaEsiti() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    const int riga = fg1_->RigaCorrente();
    const auto& s = stato_.Analisi();
    if (s.Casi().empty() || riga < 1 || riga > static_cast<int>(stato_.Lista().size())) return;
    const auto& z = stato_.Lista()[static_cast<size_t>(riga - 1)];
    if (z.Vuota()) return;
    ApriStoria(s.StoriaDi({Terzina{z.Cop, z.Tot, z.A, z.B, z.C, z.Ambi, z.Terni}}, InteroPeriodo()), false);
}

} // namespace trivalto
