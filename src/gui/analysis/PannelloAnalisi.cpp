// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/PannelloAnalisi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/settings/ImpostazioniStandard.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RicercaEstrazione.h"

namespace trivalto {

PannelloAnalisi::PannelloAnalisi(QWidget* finestra, ContestoProgramma& contesto, Dialoghi& dialoghi,
                                 StatoAnalisi& stato, Forma forma)
    : QObject(finestra), finestra_(finestra), ctx_(contesto), dialoghi_(dialoghi), stato_(stato),
      forma_(forma) {
    riferimento_ = costruisciRiferimento();
    casi_ = costruisciCasi();
    parametro_ = costruisciParametro();
    gioco_ = costruisciGioco();
}

QWidget* PannelloAnalisi::costruisciRiferimento() {
    // The builder, with one more group in its row, keeps the caption short.
    auto* g = new QGroupBox(forma_.MeseSeparato ? QStringLiteral("Riferimento")
                                                : QStringLiteral("Estrazione di riferimento"),
                            finestra_);
    lblRiferimento_ = new QLabel(g);
    lblRiferimento_->setObjectName(QStringLiteral("LblRiferimento"));
    lblRiferimento_->setFrameShape(QFrame::Panel);
    lblRiferimento_->setFrameShadow(QFrame::Sunken);
    lblRiferimento_->setAlignment(Qt::AlignCenter);
    hsRiferimento_ = new QScrollBar(Qt::Horizontal, g);
    hsRiferimento_->setObjectName(QStringLiteral("hsRiferimento"));
    // The builder's label holds no month ordinal and can be narrower.
    const int larghezza = forma_.MeseSeparato ? 120 : 150;
    hsRiferimento_->setMinimumWidth(larghezza);
    lblRiferimento_->setMinimumHeight(30);
    lblRiferimento_->setMinimumWidth(larghezza);
    auto* data = PulsanteFigura(g, "CmdCercaData", QStringLiteral("Ricera per data"), QStringLiteral("D"),
                                ColoreGialloChiaro);
    auto* indice = PulsanteFigura(g, "CmdCercaIndice", QStringLiteral("Ricerca per numero estrazione"),
                                  QStringLiteral("#"), ColoreGialloChiaro);
    auto* ultima = PulsanteFigura(g, "CmdUltima", QStringLiteral("Vai all'ultima estrazione"),
                                  QStringLiteral(">|"), ColoreGialloChiaro);
    auto* mensile = PulsanteFigura(g, "CmdSettaMensile", QStringLiteral("Setta estrazione mensìle"),
                                   QStringLiteral("M"), ColoreVerdeChiaro);
    for (auto* b : {data, indice, ultima, mensile})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* v = new QGridLayout(g);
    v->setVerticalSpacing(4);
    v->addWidget(lblRiferimento_, 0, 0, 1, 4);
    v->addWidget(hsRiferimento_, 1, 0, 1, 4);
    v->addWidget(data, 2, 0);
    v->addWidget(indice, 2, 1);
    v->addWidget(ultima, 2, 2);
    v->addWidget(mensile, 2, 3);

    connect(hsRiferimento_, &QScrollBar::valueChanged, this, [this](int d) { ImpostaRiferimento(d); });
    connect(data, &QToolButton::clicked, this, [this] {
        if (auto d = CercaPerData(dialoghi_, finestra_, ctx_.Archivio())) VaiA(*d);
        ImpostaRiferimento(hsRiferimento_->value());
    });
    connect(indice, &QToolButton::clicked, this, [this] {
        if (auto d = CercaPerIndice(dialoghi_, finestra_, ctx_.Archivio(), 20)) VaiA(*d);
        ImpostaRiferimento(hsRiferimento_->value());
    });
    connect(ultima, &QToolButton::clicked, this, [this] {
        VaiA(ctx_.Archivio().UltimaEstrazione);
        ImpostaRiferimento(hsRiferimento_->value());
    });
    connect(mensile, &QToolButton::clicked, this, [this] {
        cboMensile_->setCurrentIndex(
            std::min<int>(ctx_.Archivio().PosizioneMese[static_cast<size_t>(stato_.Riferimento())], 31));
    });
    return g;
}

QGroupBox* PannelloAnalisi::costruisciCasi() {
    auto* g = new QGroupBox(QStringLiteral("Casi"), finestra_);
    cboCasi_ = ElencoNumeri(g, "CboNumeroCasi", 1, 30, 1, 11);
    cboMensile_ = ElencoNumeri(g, "CboMensile", 1, 31);
    cboMensile_->insertItem(0, QStringLiteral("U"));
    cboMensile_->setCurrentIndex(1);
    chkForzaUltima_ = new QCheckBox(QStringLiteral("Forza ultima"), g);
    chkForzaUltima_->setObjectName(QStringLiteral("ChkForzaUltima"));
    cboRuota_ = ElencoRuote(g, "CboRuota");
    auto* l = new QGridLayout(g);
    l->addWidget(EtichettaDestra(g, QStringLiteral("N° casi")), 0, 0);
    l->addWidget(cboCasi_, 0, 1);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Mensile")), 1, 0);
    l->addWidget(cboMensile_, 1, 1);
    if (forma_.MeseSeparato) {
        lblMese_ = EtichettaValore(g, "LblMese", 28);
        lblMese_->setToolTip(QStringLiteral("Mensile dell'estrazione di riferimento"));
        l->addWidget(lblMese_, 1, 2);
    }
    l->addWidget(chkForzaUltima_, 2, 0, 1, 3);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Ruota")), 3, 0);
    l->addWidget(cboRuota_, 3, 1);
    return g;
}

QGroupBox* PannelloAnalisi::costruisciParametro() {
    auto* g = new QGroupBox(QStringLiteral("Parametro"), finestra_);
    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Posizioni abilitate"), g), 0, 0, 1, 5);
    // A row of their own, so the five toggles sit evenly whatever the columns below need.
    auto* posizioni = new QHBoxLayout;
    for (int p = 1; p <= 5; ++p) {
        auto* b = PulsantePosizione(g, p);
        btnPosizioni_[static_cast<size_t>(p - 1)] = b;
        posizioni->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, p] { TogglePosizione(p); });
    }
    posizioni->addStretch(1);
    l->addLayout(posizioni, 1, 0, 1, 6);
    optSomma_ = new QRadioButton(QStringLiteral("Somma"), g);
    optSomma_->setObjectName(QStringLiteral("OptSomma"));
    optDistanza_ = new QRadioButton(QStringLiteral("Distanza"), g);
    optDistanza_->setObjectName(QStringLiteral("OptDistanza"));
    optDifferenza_ = new QRadioButton(QStringLiteral("Differenza"), g);
    optDifferenza_->setObjectName(QStringLiteral("OptDifferenza"));
    auto* operazioni = new QHBoxLayout;
    for (auto* o : {optSomma_, optDistanza_, optDifferenza_})
        operazioni->addWidget(o);
    l->addLayout(operazioni, 2, 0, 1, 6);
    cboTrasformazione_ = ElencoTrasformazioni(g, "CboTrasformazione");
    cboTrasformazione_->setMinimumContentsLength(10);
    cboTrasformazione_->setMaximumWidth(150);
    cboTrasformazione_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFisso_ = ElencoNumeri(g, "CboFisso", 0, 89, 1, 0);
    scelta_ = new QPushButton(QStringLiteral("Scelta trasformazione"), g);
    scelta_->setObjectName(QStringLiteral("CmdSceltaTrasformazione"));
    l->addWidget(EtichettaDestra(g, QStringLiteral("Trasformazione")), 3, 0, 1, 2);
    l->addWidget(cboTrasformazione_, 3, 2, 1, 4);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Fisso")), 4, 0, 1, 2);
    l->addWidget(cboFisso_, 4, 2);
    l->addWidget(scelta_, 4, 3, 1, 3);
    connect(scelta_, &QPushButton::clicked, this, &PannelloAnalisi::SceltaTrasformazioneChiesta);
    return g;
}

QGroupBox* PannelloAnalisi::costruisciGioco() {
    auto* g = new QGroupBox(QStringLiteral("Gioco"), finestra_);
    fgRuote_ = GrigliaRuote(g);
    connect(fgRuote_, &Griglia::Clic, this, [this](int, int c) { CambiaRuota(c); });
    fgRuote_->installEventFilter(this);
    fgRuote_->setTabKeyNavigation(false);

    auto* tutti = PulsanteCollegamento(g, "LblSelezionaTutti", QStringLiteral("Seleziona tutti"));
    auto* nessuno = PulsanteCollegamento(g, "LblDeseleziona", QStringLiteral("Deseleziona"));
    connect(tutti, &QPushButton::clicked, this, [this] {
        stato_.TutteLeRuote(true);
        DipingiRuote();
    });
    connect(nessuno, &QPushButton::clicked, this, [this] {
        stato_.TutteLeRuote(false);
        DipingiRuote();
    });

    cboDaColpo_ = ElencoNumeri(g, "CboDaColpo", 1, 5, 1, 0);
    cboColpi_ = ElencoNumeri(g, "CboColpi", 1, 20, 1, 7);
    cboElenco_ = ElencoNumeri(g, "CboElenco", 10, forma_.ElencoMassimo, 10, 4);
    connect(cboColpi_, &QComboBox::currentIndexChanged, this, [this](int i) { stato_.ImpostaColpi(i + 1); });
    // Tab goes through the heading's links before the wheels they act on, as drawn.
    QWidget::setTabOrder(nessuno, fgRuote_);

    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Ruote gioco"), g), 0, 0, 1, 2);
    l->addWidget(tutti, 0, 2, 1, 2, Qt::AlignRight);
    l->addWidget(nessuno, 0, 4, 1, 2, Qt::AlignRight);
    l->addWidget(fgRuote_, 1, 0, 1, 6);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Da colpo")), 2, 0);
    l->addWidget(cboDaColpo_, 2, 1);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Colpi")), 2, 2);
    l->addWidget(cboColpi_, 2, 3);
    l->addWidget(EtichettaDestra(g, QStringLiteral("Elenco")), 2, 4);
    l->addWidget(cboElenco_, 2, 5);
    return g;
}

void PannelloAnalisi::Disponi(QWidget* opzioni, QWidget* comandi, QWidget* tabelle,
                              const char* nomeScorrimento) {
    auto* impostazioni = new QHBoxLayout;
    impostazioni->setSpacing(2);
    for (QWidget* g : {riferimento_, static_cast<QWidget*>(casi_), static_cast<QWidget*>(parametro_),
                       static_cast<QWidget*>(gioco_), opzioni})
        impostazioni->addWidget(g);
    impostazioni->addStretch(1);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(impostazioni);
    layout->addWidget(comandi);
    layout->addWidget(tabelle, 1);
    DisponiScorrevole(finestra_, layout, nomeScorrimento);
}

void PannelloAnalisi::Apertura() {
    // Opening values: all five positions on, "Somma" with the distances disabled, only Bari played.
    DipingiPosizioni();
    optSomma_->setChecked(true);
    optDistanza_->setEnabled(false);
    optDifferenza_->setEnabled(false);
    DipingiRuote();
    const auto& a = ctx_.Archivio();
    const int ultima = a.UltimaEstrazione;
    // The list stops at 31; a longer run of one month number (a gap of whole years) takes the last entry.
    cboMensile_->setCurrentIndex(ultima > 0 ? std::min<int>(a.PosizioneMese[static_cast<size_t>(ultima)], 31)
                                            : 0);
    hsRiferimento_->setRange(std::min(1, ultima), ultima);
    hsRiferimento_->setPageStep(10);
    hsRiferimento_->setValue(ultima);
    ImpostaRiferimento(ultima);
    ApplicaImpostazioniStandard();
}

void PannelloAnalisi::ApplicaImpostazioniStandard() {
    std::optional<ImpostazioniStandard> s;
    try {
        if (ctx_.DbProgramma) s = LeggiImpostazioni(*ctx_.DbProgramma);
    } catch (const std::exception&) {
        return; // the window's own opening values stand
    }
    if (!s || !s->UsaAllApertura) return;
    cboCasi_->setCurrentIndex(s->Numcasi);
    cboRuota_->setCurrentIndex(s->RuotaOrigine);
    cboTrasformazione_->setCurrentIndex(s->Trasformazione);
    cboFisso_->setCurrentIndex(s->Fisso);
    cboDaColpo_->setCurrentIndex(std::min(s->Dacolpo, cboDaColpo_->count() - 1));
    cboColpi_->setCurrentIndex(s->Colpi);
    cboElenco_->setCurrentText(QString::fromStdString(s->Elenco));
    stato_.ImpostaPosizioni(PosizioniDaTesto(s->Posizioni));
    DipingiPosizioni();
    // A distance or a difference needs exactly two positions; otherwise the sum stands.
    const bool due = std::count(stato_.Posizioni().begin(), stato_.Posizioni().end(), true) == 2;
    optDistanza_->setEnabled(due);
    optDifferenza_->setEnabled(due);
    (due && s->Distanza ? optDistanza_ : due && s->Differenza ? optDifferenza_ : optSomma_)->setChecked(true);
    const auto ruote = RuoteDaTesto(s->RuoteGioco);
    RuoteGioco gioco{};
    std::copy_n(ruote.begin(), std::min(ruote.size(), gioco.size()), gioco.begin());
    stato_.ImpostaRuote(gioco);
    DipingiRuote();
}

void PannelloAnalisi::DipingiPosizioni() {
    trivalto::DipingiPosizioni(btnPosizioni_, stato_.Posizioni());
}

void PannelloAnalisi::DipingiRuote() {
    trivalto::DipingiRuote(*fgRuote_, stato_.Ruote());
}

void PannelloAnalisi::TogglePosizione(int p) {
    const auto effetto = stato_.TogglePosizione(p);
    DipingiPosizioni();
    ApplicaEffettoPosizioni(effetto, optSomma_, optDistanza_, optDifferenza_);
}

void PannelloAnalisi::CambiaRuota(int c) {
    if (c < 0 || c >= NumeroRuote) return;
    stato_.ToggleRuota(c);
    DipingiRuote();
}

void PannelloAnalisi::VaiA(int d) {
    // The archive may have grown since the bar's range was set.
    hsRiferimento_->setMaximum(ctx_.Archivio().UltimaEstrazione);
    hsRiferimento_->setValue(d);
}

bool PannelloAnalisi::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto != fgRuote_ || evento->type() != QEvent::KeyPress)
        return QObject::eventFilter(oggetto, evento);
    const int tasto = static_cast<QKeyEvent*>(evento)->key();
    if (tasto != Qt::Key_Return && tasto != Qt::Key_Enter && tasto != Qt::Key_Space) return false;
    CambiaRuota(fgRuote_->ColonnaCorrente());
    return true;
}

void PannelloAnalisi::ImpostaRiferimento(int d) {
    const auto& a = ctx_.Archivio();
    if (hsRiferimento_->maximum() != a.UltimaEstrazione) hsRiferimento_->setMaximum(a.UltimaEstrazione);
    d = std::clamp(d, 0, a.UltimaEstrazione);
    const auto data = QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(d)]);
    const int mese = a.PosizioneMese[static_cast<size_t>(d)];
    if (lblMese_) {
        lblRiferimento_->setText(QStringLiteral("%1 %2").arg(d).arg(data));
        lblMese_->setText(QString::number(mese));
    } else {
        lblRiferimento_->setText(QStringLiteral("%1 %2  M-%3").arg(d).arg(data).arg(mese));
    }
    // Only the case table on the screen is emptied; the case records stay.
    stato_.ImpostaRiferimento(d);
    emit RiferimentoCambiato(d);
}

int PannelloAnalisi::Elenco() const {
    return (cboElenco_->currentIndex() + 1) * 10;
}

int PannelloAnalisi::DaColpo() const {
    return cboDaColpo_->currentIndex() + 1;
}

int PannelloAnalisi::Colpi() const {
    return cboColpi_->currentIndex() + 1;
}

SceltaCasi PannelloAnalisi::LeggiSceltaCasi() const {
    SceltaCasi s;
    s.NumeroCasi = cboCasi_->currentIndex() + 1;
    s.Mensile = cboMensile_->currentIndex();
    s.ForzaUltima = chkForzaUltima_->isChecked();
    s.Ruota = cboRuota_->currentIndex();
    return s;
}

SceltaParametro PannelloAnalisi::LeggiSceltaParametro() const {
    SceltaParametro sp;
    sp.Tipo = optDistanza_->isChecked()     ? Operazione::Distanza
              : optDifferenza_->isChecked() ? Operazione::Differenza
                                            : Operazione::Somma;
    sp.Trasformazione = cboTrasformazione_->currentIndex();
    sp.Fisso = cboFisso_->currentIndex();
    return sp;
}

} // namespace trivalto
