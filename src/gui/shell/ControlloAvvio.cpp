// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/ControlloAvvio.h"

#include <QWidget>

#include "core/archive/ChiaviParametri.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/maintenance/Scaricamento.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/shell/StatoArchivio.h"
#include "gui/ui/Dialoghi.h"

namespace trivalto {

namespace {
const QString TitoloAggiornamento = QStringLiteral("Aggiornamento archivio");
} // namespace

ControlloAvvio::ControlloAvvio(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* finestra,
                               StatoArchivio* stato, std::function<void()> ricarica)
    : QObject(finestra), ctx_(contesto), dialoghi_(dialoghi), finestra_(finestra), stato_(stato),
      ricarica_(std::move(ricarica)) {}

ControlloAvvio::~ControlloAvvio() {
    // A transfer still running at exit would only be thrown away; it stops at its next check.
    lavoro_.Ferma();
}

bool ControlloAvvio::Abilitato(DatabaseProgramma& db) {
    try {
        return db.LeggiParametro(Parametro).value_or("0") == "1";
    } catch (const std::exception&) {
        return false;
    }
}

void ControlloAvvio::Abilita(DatabaseProgramma& db, bool abilitato) {
    db.ImpostaParametro(Parametro, abilitato ? "1" : "0");
}

bool ControlloAvvio::Avvia() {
    if (InCorso() || !ctx_.DbProgramma || !Abilitato(*ctx_.DbProgramma)) return false;
    std::string indirizzo;
    try {
        indirizzo = ctx_.DbProgramma->LeggiParametro(ChiaviParametri::IndirizzoAggiornamento).value_or("");
    } catch (const std::exception&) {
    }
    if (indirizzo.empty() || ctx_.PercorsoArchivio.empty()) return false;
    if (stato_) stato_->MostraControllo(QStringLiteral("Controllo degli aggiornamenti in corso..."));
    lavoro_ = AvviaLavoro<Trovato>(
        this, nullptr,
        [indirizzo, archivio = ctx_.PercorsoArchivio](const ControlloLavoro& ctl) {
            ControlloScaricamento c;
            c.Interrompi = ctl.Interrompi;
            Trovato t;
            t.Righe = RigheDaSorgente(Scarica(indirizzo, c));
            // Its own connection, not the program's: that one belongs to the UI thread.
            auto db = DatabaseArchivio::Apri(archivio);
            t.Esiti = ControllaRighe(*db, t.Righe).Righe;
            return t;
        },
        [this](Trovato t) { Offri(std::move(t)); },
        [this](std::exception_ptr e) {
            if (stato_)
                stato_->MostraControllo(QStringLiteral("Controllo degli aggiornamenti non riuscito"),
                                        CausaErrore(e));
            emit Finito();
        });
    return true;
}

void ControlloAvvio::Offri(Trovato t) {
    std::vector<std::string> nuove;
    for (size_t i = 0; i < t.Righe.size() && i < t.Esiti.size(); ++i)
        if (t.Esiti[i].Segno == Marca::DaImportare) nuove.push_back(t.Righe[i].Data);
    if (nuove.empty()) {
        if (stato_) stato_->MostraControllo(QStringLiteral("Nessuna estrazione nuova da scaricare"));
        emit Finito();
        return;
    }
    if (stato_)
        stato_->MostraControllo(nuove.size() == 1
                                    ? QStringLiteral("Disponibile 1 estrazione nuova")
                                    : QStringLiteral("Disponibili %1 estrazioni nuove").arg(nuove.size()));
    const QString domanda =
        nuove.size() == 1
            ? QStringLiteral("È disponibile 1 estrazione nuova, del %1.\nAggiungerla all'archivio?")
                  .arg(QString::fromStdString(nuove.front()))
            : QStringLiteral("Sono disponibili %1 estrazioni nuove, dal %2 al %3.\nAggiungerle all'archivio?")
                  .arg(nuove.size())
                  .arg(QString::fromStdString(nuove.front()), QString::fromStdString(nuove.back()));
    if (dialoghi_.Domanda(finestra_, domanda, TitoloAggiornamento)) Applica(t);
    emit Finito();
}

void ControlloAvvio::Applica(const Trovato& t) {
    try {
        // Only the missing draws: a draw that differs from the archive is left to the update page,
        // where the user sees it and decides.
        const auto esito = ApplicaRighe(ctx_.ConnessioneArchivio(), t.Righe, t.Esiti, false);
        if (stato_)
            stato_->MostraControllo(esito.Aggiunte == 1
                                        ? QStringLiteral("Aggiunta 1 estrazione")
                                        : QStringLiteral("Aggiunte %1 estrazioni").arg(esito.Aggiunte));
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(finestra_,
                            QStringLiteral("Aggiornamento non riuscito: l'archivio è rimasto com'era.\n") +
                                QString::fromStdString(e.what()),
                            TitoloAggiornamento, Dialoghi::Icona::Critico);
        return;
    }
    try {
        if (ricarica_) ricarica_();
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(finestra_,
                            QStringLiteral("Le estrazioni sono state aggiunte, ma l'archivio non si è potuto "
                                           "ricaricare: riavviare il programma.\n") +
                                QString::fromStdString(e.what()),
                            TitoloAggiornamento, Dialoghi::Icona::Critico);
    }
}

} // namespace trivalto
