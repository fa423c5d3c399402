// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/MiniElenco.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QScrollBar>
#include <QToolButton>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RicercaEstrazione.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 710;

/// The system's button face as a grid colour (0x00BBGGRR).
Colore ColoreFacciaPulsante() {
    const QColor c = QApplication::palette().color(QPalette::Button);
    return static_cast<Colore>(c.red()) | static_cast<Colore>(c.green()) << 8 |
           static_cast<Colore>(c.blue()) << 16;
}

} // namespace

MiniElenco::MiniElenco(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("Estrazioni_minielenco"));
    setWindowTitle(QStringLiteral("Mini elenco"));
    setProperty("ArgomentoHelp", ArgomentoHelp);

    Fg3_ = new Griglia(this);
    Fg3_->setObjectName(QStringLiteral("Fg3"));
    Fg3_->setTabKeyNavigation(false);
    Fg3_->ImpostaIntestazione(QString::fromLatin1(IntestazioneMiniElenco));
    Dipingi();
    for (int c = 0; c < StatoMiniElenco::Colonne; ++c) {
        Fg3_->Modello().ImpostaCentrata(c, true);
        Fg3_->ImpostaLarghezza(c, 620);
    }
    Fg3_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fg3_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fg3_->setFixedSize(Fg3_->columnWidth(0) * 6 + 4,
                       Fg3_->horizontalHeader()->sizeHint().height() + 11 * Fg3_->rowHeight(0) + 4);

    hs1_ = new QScrollBar(Qt::Horizontal, this);
    hs1_->setObjectName(QStringLiteral("hs1"));
    hs1_->setPageStep(10);
    hs1_->installEventFilter(this);
    Label1_ = EtichettaValore(this, "Label1", 0);
    Label2_ = EtichettaValore(this, "Label2", 0);
    Label3_ = EtichettaValore(this, "Label3", 0);
    auto* reset = PulsanteFigura(this, "Command81", QStringLiteral("Resetta colorazione"),
                                 QStringLiteral("R"), ColoreRosa);
    auto* data = PulsanteFigura(this, "Command42_0", QStringLiteral("Cerca estrazione per data"),
                                QStringLiteral("D"), ColoreGialloChiaro);
    auto* indice = PulsanteFigura(this, "Command42_1", QStringLiteral("Ricerca per numero indice"),
                                  QStringLiteral("#"), ColoreGialloChiaro);
    auto* help =
        PulsanteFigura(this, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"), ColoreAzzurro);
    for (auto* b : {reset, data, indice, help})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* g = new QGridLayout(this);
    g->addWidget(Label2_, 0, 0);
    g->addWidget(Label1_, 0, 1, 1, 2);
    g->addWidget(Label3_, 1, 0, 1, 3);
    g->addWidget(hs1_, 2, 0, 1, 3);
    g->addWidget(Fg3_, 3, 0, 1, 3, Qt::AlignHCenter);
    auto* pulsanti = new QHBoxLayout;
    for (auto* b : {reset, data, indice})
        pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    pulsanti->addWidget(help);
    g->addLayout(pulsanti, 4, 0, 1, 3);

    connect(hs1_, &QScrollBar::valueChanged, this, &MiniElenco::MostraEstrazione);
    connect(Fg3_, &Griglia::Clic, this, &MiniElenco::ToggleCella);
    connect(reset, &QToolButton::clicked, this, &MiniElenco::ResettaColorazione);
    const auto sposta = [this](int k) {
        hs1_->setMaximum(ctx_.Archivio().UltimaEstrazione); // the archive may have grown
        if (hs1_->value() == k)
            MostraEstrazione(k);
        else
            hs1_->setValue(k);
    };
    connect(data, &QToolButton::clicked, this, [this, sposta] {
        if (auto k = CercaPerData(dialoghi_, this, ctx_.Archivio())) sposta(*k);
    });
    connect(indice, &QToolButton::clicked, this, [this, sposta] {
        if (auto k = CercaPerIndice(dialoghi_, this, ctx_.Archivio(), 1)) sposta(*k);
    });
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });

    const int ultima = ctx_.Archivio().UltimaEstrazione;
    hs1_->setRange(std::min(1, ultima), ultima);
    sposta(ultima);
}

bool MiniElenco::eventFilter(QObject* oggetto, QEvent* evento) {
    // The maximum follows the archive before the bar handles the user's move: at the last draw a
    // step forward must reach a draw saved since, which a bar still ending there would swallow.
    if (oggetto == hs1_) switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            if (hs1_->maximum() != ctx_.Archivio().UltimaEstrazione)
                hs1_->setMaximum(ctx_.Archivio().UltimaEstrazione);
            break;
        default:
            break;
        }
    return QWidget::eventFilter(oggetto, evento);
}

void MiniElenco::MostraEstrazione(int v) {
    const auto& a = ctx_.Archivio();
    if (hs1_->maximum() != a.UltimaEstrazione) hs1_->setMaximum(a.UltimaEstrazione);
    if (!stato_.Mostra(v, a.NumeroEstrazioni)) return;
    Label2_->setText(QString::number(v));
    Label1_->setText(QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(v)]));
    Label3_->setText(QStringLiteral("PM=%1   PA=%2")
                         .arg(a.PosizioneMese[static_cast<size_t>(v)])
                         .arg(a.PosizioneAnno[static_cast<size_t>(v)]));
    Dipingi();
}

void MiniElenco::ToggleCella(int riga, int colonna) {
    if (stato_.Alterna(riga - 1, colonna)) Stile();
}

void MiniElenco::ResettaColorazione() {
    stato_.Resetta();
    Stile();
}

void MiniElenco::Dipingi() {
    RiempiGriglia(*Fg3_, TabellaMiniElenco(ctx_.Archivio(), stato_));
    Stile();
}

void MiniElenco::Stile() {
    auto& m = Fg3_->Modello();
    m.AzzeraStili();
    m.ImpostaGrassetto(1, 0, StatoMiniElenco::Righe, 0, true);
    for (int w = 0; w < StatoMiniElenco::Righe; ++w)
        for (int c = 0; c < StatoMiniElenco::Colonne; ++c)
            switch (stato_.SegnoCella(w, c)) {
            case StatoMiniElenco::Segno::Marcato:
                m.ImpostaSfondo(w + 1, c, ColoreAcceso);
                break;
            case StatoMiniElenco::Segno::Rilievo:
                m.ImpostaSfondo(w + 1, c, ColoreFacciaPulsante());
                break;
            case StatoMiniElenco::Segno::Nessuno:
                break;
            }
}

} // namespace trivalto
