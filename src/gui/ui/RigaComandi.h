// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command row of a window whose one long job fills its tables: the bold button that starts it,
// a progress bar, stop, copy and help. While the job runs the controls that would change what it
// reads are disabled and the busy pointer shows; a job that fails reaches the user as a message and
// gives the controls back, it never ends the program.
#include <QObject>
#include <functional>
#include <initializer_list>

#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QHBoxLayout;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWidget;

namespace trivalto {

class Dialoghi;

class RigaComandi : public QObject {
    Q_OBJECT
public:
    struct Nomi {
        const char* Comando; // objectName of the start button
        QString Testo, Spiegazione;
        const char* Barra; // objectName of the progress bar
        const char* Copia; // objectName of the copy button
    };
    /// Builds the controls as children of `finestra`; `argomentoHelp` is the help topic of the window.
    RigaComandi(QWidget* finestra, Dialoghi& dialoghi, const Nomi& nomi, int argomentoHelp);
    ~RigaComandi() override;

    /// The row, for the window's layout; `accanto` go right after the start button.
    QHBoxLayout* Riga(std::initializer_list<QWidget*> accanto = {});
    QPushButton* Comando() const { return comando_; }
    QToolButton* Copia() const { return copia_; }
    QProgressBar* Barra() const { return barra_; }
    /// What is disabled while the job runs, besides the start button.
    void Blocca(std::initializer_list<QWidget*> controlli);

    bool Attiva() const { return occupazione_.Attiva(); }
    void Ferma() const { lavoro_.Ferma(); }

    /// Starts `lavoro` off the UI thread; `poi` gets its result on the UI thread once the controls are
    /// back. A failure shows "Errore imprevisto, verificare le impostazioni" with its cause instead.
    template <class R>
    void Avvia(std::function<R(const ControlloLavoro&)> lavoro, std::function<void(R)> poi) {
        if (occupazione_.Attiva()) return;
        occupazione_.Inizia();
        lavoro_ = AvviaLavoro<R>(
            finestra_, barra_, std::move(lavoro),
            [this, poi = std::move(poi)](R r) {
                Termina();
                poi(std::move(r));
                emit Finito();
            },
            [this](std::exception_ptr e) {
                Termina();
                MostraErrore(e);
                emit Finito();
            });
    }

signals:
    /// The job has ended, its result or its failure shown.
    void Finito();

private:
    void Termina();
    void MostraErrore(const std::exception_ptr& e);

    QWidget* finestra_;
    Dialoghi& dialoghi_;
    QPushButton* comando_;
    QProgressBar* barra_;
    QToolButton *interrompi_, *copia_, *help_;
    Occupazione occupazione_;
    LavoroAvviato lavoro_;
};

} // namespace trivalto
