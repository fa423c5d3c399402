// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Inizio.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {
constexpr int ArgomentoHelp = 310;
}

Inizio::Inizio(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("INIZIO"));
    setWindowTitle(QStringLiteral("Le Trivalto: Versione %1.%2.%3")
                       .arg(TRIVALTO_VERSIONE_MAJOR)
                       .arg(TRIVALTO_VERSIONE_MINOR)
                       .arg(TRIVALTO_VERSIONE_REVISION));
    costruisciInterfaccia();
    lblArchivio_->setText(QString::fromStdString(ctx_.PercorsoArchivio));
}

void Inizio::costruisciInterfaccia() {
    auto* titolo = new QLabel(QStringLiteral("Le Trivalto"), this);
    QFont ft = titolo->font();
    ft.setPointSize(ft.pointSize() * 2 + 4);
    ft.setBold(true);
    titolo->setFont(ft);
    titolo->setAlignment(Qt::AlignCenter);
    titolo->setStyleSheet(QStringLiteral("color: #0b5d1e;"));
    auto* sottotitolo = new QLabel(QStringLiteral("Archivio del Lotto e ricerca delle terzine"), this);
    sottotitolo->setAlignment(Qt::AlignCenter);

    auto* label5 = new QLabel(QStringLiteral("Percorso archivio:"), this);
    label5->setObjectName(QStringLiteral("Label5"));
    lblArchivio_ = new QLabel(this);
    lblArchivio_->setObjectName(QStringLiteral("Lbl_Archivio"));
    lblArchivio_->setFrameShape(QFrame::StyledPanel);
    lblArchivio_->setWordWrap(true);
    lblArchivio_->setMinimumHeight(40);
    lblArchivio_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* command4 = new QPushButton(QStringLiteral("SELEZIONE ARCHIVIO"), this);
    command4->setObjectName(QStringLiteral("Command4"));
    auto* label1 = new QLabel(
        QStringLiteral(
            "Da utilizzare solamente al primo utilizzo del programma. Consultare l'help in linea ------->"),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto* help = new QToolButton(this);
    help->setObjectName(QStringLiteral("CmDHelp"));
    help->setToolTip(QStringLiteral("Help in linea"));
    help->setIcon(IconaPulsante(QStringLiteral("?"), ColoreAzzurroChiaro, 32));
    help->setIconSize(QSize(32, 32));

    pb1_ = new QProgressBar(this);
    pb1_->setObjectName(QStringLiteral("pb1"));
    pb1_->setValue(0);
    pb1_->setTextVisible(false);

    auto* command2 = new QPushButton(QStringLiteral("PROCEDI"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setDefault(true);
    auto* command3 = new QPushButton(QStringLiteral("FINE"), this);
    command3->setObjectName(QStringLiteral("Command3"));
    for (auto* b : {command2, command3, command4})
        b->setMinimumHeight(34);

    auto* griglia = new QGridLayout;
    griglia->addWidget(label5, 0, 0, 1, 3);
    griglia->addWidget(lblArchivio_, 1, 0, 1, 3);
    griglia->addWidget(command4, 2, 0);
    griglia->addWidget(label1, 2, 1);
    griglia->addWidget(help, 2, 2);
    griglia->setColumnStretch(1, 1);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(command2);
    pulsanti->addWidget(command3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titolo);
    layout->addWidget(sottotitolo);
    layout->addSpacing(12);
    layout->addLayout(griglia);
    layout->addSpacing(8);
    layout->addWidget(pb1_);
    layout->addLayout(pulsanti);
    resize(640, 340);

    connect(command2, &QPushButton::clicked, this, [this] { Procedi(); });
    connect(command3, &QPushButton::clicked, this, &Inizio::Fine);
    connect(command4, &QPushButton::clicked, this, &Inizio::SelezionaArchivio);
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
}

void Inizio::Avvia() {
    // Enter presses "PROCEDI" at once, also where no window manager hands out the focus.
    activateWindow();
    findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
    if (ctx_.ApriArchivio()) return;
    if (!ctx_.PercorsoArchivio.empty() && std::filesystem::exists(ctx_.PercorsoArchivio)) {
        // The archive is there but cannot be used (a newer program wrote it, or it is damaged):
        // the first-use text would send the user looking for a file they already have.
        dialoghi_.Messaggio(this,
                            QStringLiteral("Impossibile aprire l'archivio %1:\n%2")
                                .arg(QString::fromStdString(ctx_.PercorsoArchivio),
                                     QString::fromStdString(ctx_.CausaArchivio)),
                            QStringLiteral("Selezionare Archivio"), Dialoghi::Icona::Esclamazione);
        SelezionaArchivio();
        return;
    }
    dialoghi_.Messaggio(
        this, QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio"),
        QStringLiteral("Selezionare Archivio"), Dialoghi::Icona::Esclamazione);
    SelezionaArchivio();
}

void Inizio::SelezionaArchivio() {
    const QString percorso =
        dialoghi_.ApriFile(this, QString::fromStdString(ctx_.CartellaProgramma()), QStringLiteral("*.mdb"),
                           QStringLiteral("File di archivio (*.Mdb)"));
    // Chosen or not, the next step is PROCEDI: Enter goes there, not back into the file dialog.
    findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
    if (percorso.isEmpty()) return;
    lblArchivio_->setText(QStringLiteral("Database: ") + QDir::toNativeSeparators(percorso));
    try {
        ctx_.RegistraArchivioScelto(percorso.toStdString());
    } catch (const std::exception& e) {
        // This run uses the archive; saying nothing would let the next start ask for it again unexplained.
        dialoghi_.Messaggio(
            this,
            QStringLiteral("L'archivio scelto non è stato memorizzato per i prossimi avvii.\n") +
                QString::fromStdString(e.what()),
            QStringLiteral("Selezionare Archivio"), Dialoghi::Icona::Esclamazione);
    }
}

bool Inizio::Procedi() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool riuscito = false;
    QString causa;
    try {
        ctx_.CaricamentoIniziale([this](int valore, int massimo) {
            if (valore % 500 == 0 || valore + 1 >= massimo) {
                pb1_->setMaximum(massimo);
                pb1_->setValue(valore);
            }
        });
        riuscito = ctx_.Archivio().NumeroEstrazioni > 0;
        if (!riuscito) causa = QStringLiteral("l'archivio non contiene estrazioni");
    } catch (const std::exception& e) {
        riuscito = false;
        causa = QString::fromStdString(e.what());
    }
    QApplication::restoreOverrideCursor();
    if (!riuscito) {
        dialoghi_.Messaggio(
            this,
            QStringLiteral("Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere "
                           "il programma e riavviarlo\n") +
                causa,
            QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
        return false;
    }
    emit Caricato();
    return true;
}

} // namespace trivalto
