// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The delays window `Frm_Ritardi`: the table `Fgg1` a caller fills (row n: number n and its delay
// on each wheel), a filter on the marked numbers (green in column 1) and a copy of the whole table.
#include <QWidget>

namespace trivalto {

class Griglia;

class FrmRitardi : public QWidget {
    Q_OBJECT
public:
    explicit FrmRitardi(QWidget* parent = nullptr);
    Griglia& Tabella() { return *fgg1_; }
    void VisualizzaFiltrate();
    void VisualizzaTutti();

private:
    Griglia* fgg1_;
};

} // namespace trivalto
