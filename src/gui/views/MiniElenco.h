// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mini list `Estrazioni_minielenco` ("Mini elenco"): one draw at a time as an 11 x 5 table, a
// scroll bar that follows reloads of the archive, the date and index searches, and cells the user
// marks green by clicking while browsing. The draw and the marks live in StatoMiniElenco; the grid
// only shows them.
#include <QWidget>

#include "core/analysis/StatoMiniElenco.h"

class QLabel;
class QScrollBar;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;

class MiniElenco : public QWidget {
    Q_OBJECT
public:
    MiniElenco(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);

    void MostraEstrazione(int v);
    void ResettaColorazione();
    void ToggleCella(int riga, int colonna);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    /// Texts and styles: after a move to another draw.
    void Dipingi();
    /// Styles alone: a click keeps the table's rows and current cell.
    void Stile();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    StatoMiniElenco stato_;
    Griglia* Fg3_;
    QScrollBar* hs1_;
    QLabel *Label1_, *Label2_, *Label3_;
};

} // namespace trivalto
