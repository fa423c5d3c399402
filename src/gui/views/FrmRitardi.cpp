// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/FrmRitardi.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/archive/Palette.h"
#include "gui/ui/Griglia.h"

namespace trivalto {

FrmRitardi::FrmRitardi(QWidget* parent) : QWidget(parent), fgg1_(new Griglia(this)) {
    setObjectName(QStringLiteral("Frm_Ritardi"));
    setWindowTitle(QStringLiteral("Ritardo dei numeri"));
    fgg1_->setObjectName(QStringLiteral("Fgg1"));
    auto* filtrate = new QPushButton(QStringLiteral("Visualizza filtrate"), this);
    filtrate->setObjectName(QStringLiteral("Command4"));
    auto* tutti = new QPushButton(QStringLiteral("Visualizza tutti"), this);
    tutti->setObjectName(QStringLiteral("Command1"));
    auto* copia = new QPushButton(QStringLiteral("Copia tabella"), this);
    copia->setObjectName(QStringLiteral("Command2"));
    connect(filtrate, &QPushButton::clicked, this, &FrmRitardi::VisualizzaFiltrate);
    connect(tutti, &QPushButton::clicked, this, &FrmRitardi::VisualizzaTutti);
    connect(copia, &QPushButton::clicked, this, [this] { fgg1_->CopiaNegliAppunti(); });
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(filtrate);
    pulsanti->addWidget(tutti);
    pulsanti->addWidget(copia);
    pulsanti->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fgg1_, 1);
    layout->addLayout(pulsanti);
    resize(620, 520);
}

void FrmRitardi::VisualizzaFiltrate() {
    for (int r = 1; r < fgg1_->Righe(); ++r)
        fgg1_->NascondiRiga(r, fgg1_->Modello().Sfondo(r, 1) != ColoreAcceso);
}

void FrmRitardi::VisualizzaTutti() {
    for (int r = 1; r < fgg1_->Righe(); ++r)
        fgg1_->NascondiRiga(r, false);
}

} // namespace trivalto
