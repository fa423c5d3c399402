// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page "Aggiornamenti" of the archive window: an update file chosen on disk or downloaded, checked
// against the archive (rows to import, equal, different, not valid), and the marked rows written.
// The rows and their marks live here; the table is painted from them. Transfers and the check run
// off the UI thread on their own connection to the archive, and "Command26" stops them.
#include <QPointer>
#include <QProgressBar>
#include <QWidget>
#include <functional>

#include "core/maintenance/Aggiornamento.h"
#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;

class PaginaAggiornamenti : public QWidget {
    Q_OBJECT
public:
    /// `ricarica` runs after the apply: the reload of the archive and the window's refresh.
    PaginaAggiornamenti(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                        std::function<void()> ricarica, QWidget* pulsanteHelp, QWidget* parent = nullptr);

    void AggiornaDaFile();
    void ControlloAggiornamenti();
    void Aggiornamento();
    void ScaricoFile();
    void ScaricaFtp();
    void ScaricaConNome();
    /// "Command26": stops the transfer or check in progress, which then ends as cancelled.
    void Interrompi();
    bool Occupata() const { return occupazione_.Attiva(); }

    const std::vector<RigaAggiornamento>& Righe() const { return righe_; }
    const std::vector<EsitoRiga>& Esiti() const { return esiti_; }

signals:
    void LavoroFinito();
    /// The window should show its first page ("Gestione estrazioni").
    void MostraPrimaPagina();

private:
    struct Controllato {
        std::vector<RigaAggiornamento> Righe;
        EsitoControllo Esito;
    };
    /// Reads (or downloads) a source into rows and checks them, naming the phase a failure stops in.
    void AvviaControllo(std::function<std::string(const ControlloLavoro&, std::string& fase)> sorgente);
    void Avvia(std::function<void(const ControlloLavoro&)> lavoro, std::function<void()> poi);
    void Inizia();
    void Termina();
    void Guasto(const QString& fase, const QString& causa);
    /// A failed job: cancelled when the user stopped it, else the failure of `fase`.
    void Fallito(const QString& fase, std::exception_ptr e);
    void Dipingi();
    /// The configured update address; empty (and the user told) when there is none.
    std::string IndirizzoAggiornamento();
    std::string FileScaricato() const;

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QPointer<QProgressBar> barra_;
    std::function<void()> ricarica_;
    std::vector<RigaAggiornamento> righe_;
    std::vector<EsitoRiga> esiti_;
    Griglia* FgImporta_;
    QListWidget* List4_;
    QCheckBox* Check3_;
    QLabel* LblRiepilogo_;
    Occupazione occupazione_;
    bool interrotta_ = false;
    LavoroAvviato lavoro_;
};

} // namespace trivalto
