// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/RigaComandi.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Icone.h"

namespace trivalto {

RigaComandi::RigaComandi(QWidget* finestra, Dialoghi& dialoghi, const Nomi& nomi, int argomentoHelp)
    : QObject(finestra), finestra_(finestra), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("RigaComandi"));
    comando_ = PulsanteComando(finestra, nomi.Comando, nomi.Testo);
    comando_->setMinimumHeight(30);
    comando_->setToolTip(nomi.Spiegazione);
    barra_ = new QProgressBar(finestra);
    barra_->setObjectName(QString::fromLatin1(nomi.Barra));
    barra_->setTextVisible(false);
    barra_->setMaximumWidth(240);
    interrompi_ = PulsanteFigura(finestra, "CmdInterrompi", QStringLiteral("Interrompe elaborazione"),
                                 QStringLiteral("X"), ColoreRosa);
    connect(interrompi_, &QToolButton::clicked, this, [this] { Ferma(); });
    copia_ = PulsanteFigura(finestra, nomi.Copia, QStringLiteral("Copia tabella"), QStringLiteral("C"),
                            ColoreVerdeChiaro);
    help_ = PulsanteFigura(finestra, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"),
                           ColoreAzzurro);
    connect(help_, &QToolButton::clicked, this,
            [this, argomentoHelp] { dialoghi_.Help(finestra_, argomentoHelp); });
    for (auto* b : {interrompi_, copia_, help_})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    occupazione_.Bloccati = {comando_};
}

RigaComandi::~RigaComandi() {
    // The job owns what it reads: told to stop, it ends on its own and calls nobody back.
    lavoro_.Ferma();
}

QHBoxLayout* RigaComandi::Riga(std::initializer_list<QWidget*> accanto) {
    auto* riga = new QHBoxLayout;
    riga->addWidget(comando_);
    for (auto* w : accanto)
        riga->addWidget(w);
    riga->addWidget(barra_);
    riga->addWidget(interrompi_);
    riga->addStretch(1);
    riga->addWidget(copia_);
    riga->addWidget(help_);
    return riga;
}

void RigaComandi::Blocca(std::initializer_list<QWidget*> controlli) {
    occupazione_.Bloccati = {comando_};
    occupazione_.Bloccati.insert(occupazione_.Bloccati.end(), controlli);
}

void RigaComandi::Termina() {
    occupazione_.Termina(barra_);
}

void RigaComandi::MostraErrore(const std::exception_ptr& e) {
    dialoghi_.Messaggio(finestra_,
                        QStringLiteral("Errore imprevisto, verificare le impostazioni\n") + CausaErrore(e),
                        QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
}

} // namespace trivalto
