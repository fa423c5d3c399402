// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check for updates at start-up, when the user allows it (the parameter row
// "ControllaAggiornamenti", off unless set): the update file is downloaded and checked against the
// archive off the UI thread; draws the archive lacks are offered, and written only when the user
// says yes. A failure shows in the status line only: the user did not ask for this check just now.
#include <QObject>
#include <QPointer>
#include <functional>

#include "core/archive/ChiaviParametri.h"
#include "core/maintenance/Aggiornamento.h"
#include "gui/ui/Lavoro.h"

class QWidget;

namespace trivalto {

class ContestoProgramma;
class DatabaseProgramma;
class Dialoghi;
class StatoArchivio;

class ControlloAvvio : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Parametro = ChiaviParametri::ControllaAggiornamenti;

    /// `ricarica` runs after draws were written: the reload of the archive and of what shows it.
    ControlloAvvio(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* finestra, StatoArchivio* stato,
                   std::function<void()> ricarica);
    ~ControlloAvvio() override;

    /// Whether the user allows the check; false when the row is missing or unreadable.
    static bool Abilitato(DatabaseProgramma& db);
    static void Abilita(DatabaseProgramma& db, bool abilitato);

    /// Starts the check when allowed and an update address is set; false when nothing was started.
    bool Avvia();
    bool InCorso() const { return lavoro_.InCorso(); }

signals:
    /// The check ended, whatever its outcome (after the user's answer, when there was a question).
    void Finito();

private:
    struct Trovato {
        std::vector<RigaAggiornamento> Righe;
        std::vector<EsitoRiga> Esiti;
    };
    void Offri(Trovato t);
    void Applica(const Trovato& t);

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QPointer<QWidget> finestra_;
    QPointer<StatoArchivio> stato_;
    std::function<void()> ricarica_;
    LavoroAvviato lavoro_;
};

} // namespace trivalto
