// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The delays window `Frm_Ritardi`: the table `Fgg1` (row n: number n and its delay on each wheel), a
// filter on the marked numbers and a copy of the whole table. What it shows lives in StatoRitardi;
// the grid only shows it.
#include <QWidget>

#include "core/analysis/StatoRitardi.h"

namespace trivalto {

class Griglia;

class FrmRitardi : public QWidget {
    Q_OBJECT
public:
    explicit FrmRitardi(QWidget* parent = nullptr);

    /// Shows `stato` whole: texts, marks and the rows its filter lists.
    void Mostra(StatoRitardi stato);
    const StatoRitardi& Stato() const { return stato_; }
    /// The table, to read (it is painted only from the state).
    Griglia& Tabella() { return *fgg1_; }
    void VisualizzaFiltrate();
    void VisualizzaTutti();

private:
    void MostraRighe();

    Griglia* fgg1_;
    StatoRitardi stato_;
};

} // namespace trivalto
