// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/FrmRitardi.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/archive/Palette.h"
#include "gui/analysis/PitturaAnalisi.h"
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

void FrmRitardi::Mostra(StatoRitardi stato) {
    stato_ = std::move(stato);
    fgg1_->ImpostaIntestazione(QString::fromUtf8(IntestazioneRitardi));
    RiempiGriglia(*fgg1_, stato_.Tabella());
    auto& m = fgg1_->Modello();
    for (int c = 1; c < m.Colonne(); ++c) {
        m.ImpostaCentrata(c, true);
        fgg1_->ImpostaLarghezza(c, 520);
    }
    fgg1_->ImpostaLarghezza(0, 120);
    m.ImpostaGrassetto(1, 1, 90, 1, true);
    m.ImpostaSfondo(1, 1, 90, 1, ColoreGialloChiaro);
    for (int n = 1; n <= 90; ++n) {
        if (!stato_.Marcato(n)) continue;
        m.ImpostaSfondo(n, 1, ColoreAcceso);
        for (int w = 0; w < NumeroRuote; ++w)
            if (stato_.RuotaEvidenziata(w)) m.ImpostaSfondo(n, 2 + w, ColoreEvidenza);
    }
    MostraRighe();
}

void FrmRitardi::VisualizzaFiltrate() {
    stato_.Filtra();
    MostraRighe();
}

void FrmRitardi::VisualizzaTutti() {
    stato_.MostraTutti();
    MostraRighe();
}

void FrmRitardi::MostraRighe() {
    for (int r = 1; r < fgg1_->Righe(); ++r)
        fgg1_->NascondiRiga(r, !stato_.Visibile(r));
}

} // namespace trivalto
