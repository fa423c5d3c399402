// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's busy state while its long work runs: the controls that would change what the work reads
// are disabled, the busy pointer shows; at the end they come back and the progress bar empties.
#include <QApplication>
#include <QProgressBar>
#include <QWidget>
#include <vector>

namespace trivalto {

class Occupazione {
public:
    std::vector<QWidget*> Bloccati;

    bool Attiva() const { return attiva_; }
    void Inizia() {
        attiva_ = true;
        for (auto* w : Bloccati)
            w->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    /// `barra` may be null.
    void Termina(QProgressBar* barra) {
        attiva_ = false;
        for (auto* w : Bloccati)
            w->setEnabled(true);
        QApplication::restoreOverrideCursor();
        if (barra) barra->setValue(0);
    }
    /// A window closed during its work gives the pointer back; the work itself is only told to stop.
    ~Occupazione() {
        if (attiva_) QApplication::restoreOverrideCursor();
    }

private:
    bool attiva_ = false;
};

} // namespace trivalto
