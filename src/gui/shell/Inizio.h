// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start window `INIZIO`: shows the archive path, leads the first-use choice of the archive file,
// and on "PROCEDI" loads the archive into memory.
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;

class Inizio : public QWidget {
    Q_OBJECT
public:
    Inizio(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);

    /// The part of the start-up that may ask the user: opens the archive, or explains and lets the
    /// user choose it when it cannot be opened. Runs once the window is shown.
    void Avvia();
    void SelezionaArchivio();
    /// "PROCEDI": true when the archive is loaded (Caricato() has been emitted).
    bool Procedi();

signals:
    void Caricato();
    void Fine();

private:
    void costruisciInterfaccia();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QLabel* lblArchivio_;
    QProgressBar* pb1_;
};

} // namespace trivalto
