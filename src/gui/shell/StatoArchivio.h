// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's status line about the archive: the date of its last draw, how many draws it
// probably lacks today, the outcome of the start-up check for updates, and a button to the
// archive window's page "Aggiornamenti".
#include <QWidget>

#include "core/archive/Vocabolario.h"

class QLabel;
class QPushButton;

namespace trivalto {

class ArchivioMemoria;
class ContestoProgramma;

class StatoArchivio : public QWidget {
    Q_OBJECT
public:
    explicit StatoArchivio(ContestoProgramma& contesto, QWidget* parent = nullptr);

    /// Rewrites the archive's age from the archive as loaded now and today's date.
    void Aggiorna();
    /// "Archivio aggiornato al GG/MM/AAAA (mancano circa N estrazioni)" for `oggi`.
    static QString TestoEta(const ArchivioMemoria& archivio, const Data& oggi);
    /// The start-up check's state beside the age; an empty text hides it. `dettaglio` is its tooltip.
    void MostraControllo(const QString& testo, const QString& dettaglio = {});

signals:
    void ApriAggiornamenti();

private:
    ContestoProgramma& ctx_;
    QLabel* lblStato_;
    QLabel* lblControllo_;
    QPushButton* cmdAggiornamenti_;
};

} // namespace trivalto
