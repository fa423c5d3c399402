// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/StatoArchivio.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/maintenance/EstrazioniMancanti.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

StatoArchivio::StatoArchivio(ContestoProgramma& contesto, QWidget* parent)
    : QWidget(parent), ctx_(contesto), lblStato_(new QLabel(this)), lblControllo_(new QLabel(this)),
      cmdAggiornamenti_(new QPushButton(QStringLiteral("Aggiornamenti..."), this)) {
    setObjectName(QStringLiteral("StatoArchivio"));
    lblStato_->setObjectName(QStringLiteral("LblStatoArchivio"));
    lblControllo_->setObjectName(QStringLiteral("LblControlloAvvio"));
    lblControllo_->hide();
    cmdAggiornamenti_->setObjectName(QStringLiteral("CmdPaginaAggiornamenti"));
    cmdAggiornamenti_->setToolTip(QStringLiteral("Apre la pagina \"Aggiornamenti\" della gestione archivio"));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(4, 0, 4, 0);
    h->addWidget(lblStato_);
    h->addWidget(cmdAggiornamenti_);
    h->addWidget(lblControllo_);
    h->addStretch(1);
    connect(cmdAggiornamenti_, &QPushButton::clicked, this, &StatoArchivio::ApriAggiornamenti);
    Aggiorna();
}

QString StatoArchivio::TestoEta(const ArchivioMemoria& archivio, const Data& oggi) {
    if (archivio.NumeroEstrazioni < 1) return QStringLiteral("Archivio vuoto");
    const QString ultima =
        QString::fromStdString(archivio.DateEstrazioni[static_cast<size_t>(archivio.NumeroEstrazioni)]);
    const int mancanti = StimaEstrazioniMancanti(archivio, oggi);
    const QString testo = QStringLiteral("Archivio aggiornato al ") + ultima;
    if (mancanti == 0) return testo;
    if (mancanti == 1) return testo + QStringLiteral(" (manca circa 1 estrazione)");
    return testo + QStringLiteral(" (mancano circa %1 estrazioni)").arg(mancanti);
}

void StatoArchivio::Aggiorna() {
    lblStato_->setText(TestoEta(ctx_.Archivio(), Oggi()));
    lblStato_->setToolTip(QStringLiteral("Archivio: ") + QString::fromStdString(ctx_.PercorsoArchivio));
}

void StatoArchivio::MostraControllo(const QString& testo, const QString& dettaglio) {
    lblControllo_->setText(testo);
    lblControllo_->setToolTip(dettaglio);
    lblControllo_->setVisible(!testo.isEmpty());
}

} // namespace trivalto
