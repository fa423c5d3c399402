// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A wrapped label whose minimum height is the height of its text at its width. Splitters and scroll areas
// size their children by the minimum height and know nothing of a wrapped label's height at its width:
// without this, a long sentence is cut off or reserves lines it does not need.
#include <QLabel>

namespace trivalto {

class EtichettaAdattata : public QLabel {
    Q_OBJECT
public:
    EtichettaAdattata(QWidget* padre, const char* nome);
    /// The text, hidden when empty.
    void Imposta(const QString& testo);

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Adatta();
};

} // namespace trivalto
