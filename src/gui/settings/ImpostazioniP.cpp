// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/ImpostazioniP.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 600;

} // namespace

ImpostazioniP::ImpostazioniP(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("ImpostazioniP"));
    setWindowTitle(QStringLiteral("Impostazioni predefinite"));
    setProperty("ArgomentoHelp", ArgomentoHelp);

    auto* casi = new QGroupBox(QStringLiteral("Casi e parametro"), this);
    cboCasi_ = ElencoNumeri(casi, "CboCasi", 1, 30);
    cboRuota_ = ElencoRuote(casi, "CboRuota");
    cboTrasformazione_ = ElencoTrasformazioni(casi, "CboTrasformazione");
    cboFisso_ = ElencoNumeri(casi, "CboFisso", 0, 89);
    optSomma_ = new QRadioButton(QStringLiteral("Somma"), casi);
    optSomma_->setObjectName(QStringLiteral("OptSomma"));
    optDistanza_ = new QRadioButton(QStringLiteral("Distanza"), casi);
    optDistanza_->setObjectName(QStringLiteral("OptDistanza"));
    optDifferenza_ = new QRadioButton(QStringLiteral("Differenza"), casi);
    optDifferenza_->setObjectName(QStringLiteral("OptDifferenza"));
    auto* gc = new QGridLayout(casi);
    gc->addWidget(new QLabel(QStringLiteral("casi"), casi), 0, 0);
    gc->addWidget(cboCasi_, 0, 1);
    gc->addWidget(new QLabel(QStringLiteral("Ruota"), casi), 0, 2);
    gc->addWidget(cboRuota_, 0, 3);
    gc->addWidget(new QLabel(QStringLiteral("Posizioni abilitate"), casi), 1, 0, 1, 4);
    auto* posizioni = new QHBoxLayout;
    for (int p = 1; p <= 5; ++p) {
        auto* b = PulsantePosizione(casi, p);
        btnPosizioni_[static_cast<size_t>(p - 1)] = b;
        posizioni->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, p] { TogglePosizione(p); });
    }
    posizioni->addStretch(1);
    gc->addLayout(posizioni, 2, 0, 1, 4);
    auto* operazioni = new QHBoxLayout;
    for (auto* o : {optSomma_, optDistanza_, optDifferenza_})
        operazioni->addWidget(o);
    gc->addLayout(operazioni, 3, 0, 1, 4);
    gc->addWidget(new QLabel(QStringLiteral("Trasformazione"), casi), 4, 0);
    gc->addWidget(cboTrasformazione_, 4, 1, 1, 3);
    gc->addWidget(new QLabel(QStringLiteral("Fisso"), casi), 5, 0);
    gc->addWidget(cboFisso_, 5, 1);

    auto* gioco = new QGroupBox(QStringLiteral("Gioco"), this);
    cboDaColpo_ = ElencoNumeri(gioco, "CboDaColpo", 1, 50);
    cboColpi_ = ElencoNumeri(gioco, "CboColpi", 1, 20);
    cboElenco_ = ElencoNumeri(gioco, "CboElenco", 10, 200, 10);
    fgRuote_ = GrigliaRuote(gioco);
    fgRuote_->setTabKeyNavigation(false);
    auto* tutti = PulsanteCollegamento(gioco, "LblSelezionaTutti", QStringLiteral("Seleziona tutti"));
    auto* nessuno = PulsanteCollegamento(gioco, "LblDeseleziona", QStringLiteral("Deseleziona"));
    auto* gg = new QGridLayout(gioco);
    gg->addWidget(new QLabel(QStringLiteral("Ruote gioco"), gioco), 0, 0, 1, 2);
    gg->addWidget(tutti, 0, 2, 1, 2, Qt::AlignRight);
    gg->addWidget(nessuno, 0, 4, 1, 2, Qt::AlignRight);
    gg->addWidget(fgRuote_, 1, 0, 1, 6);
    gg->addWidget(new QLabel(QStringLiteral("Da colpo"), gioco), 2, 0);
    gg->addWidget(cboDaColpo_, 2, 1);
    gg->addWidget(new QLabel(QStringLiteral("Colpi"), gioco), 2, 2);
    gg->addWidget(cboColpi_, 2, 3);
    gg->addWidget(new QLabel(QStringLiteral("Elenco"), gioco), 2, 4);
    gg->addWidget(cboElenco_, 2, 5);

    chkUsa_ = new QCheckBox(QStringLiteral("Usa queste impostazioni all'apertura dell'analisi"), this);
    chkUsa_->setObjectName(QStringLiteral("ChkUsaAllApertura"));
    auto* salva = PulsanteComando(this, "CmdSalva", QStringLiteral("Salva impostazioni"));
    auto* help =
        PulsanteFigura(this, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"), ColoreAzzurro);
    help->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* v = new QVBoxLayout(this);
    v->addWidget(casi);
    v->addWidget(gioco);
    v->addWidget(chkUsa_);
    auto* basso = new QHBoxLayout;
    basso->addWidget(salva);
    basso->addStretch(1);
    basso->addWidget(help);
    v->addLayout(basso);

    // Tab follows the rows as they are drawn, not the order the controls were made in.
    QWidget* ordine[] = {cboCasi_,
                         cboRuota_,
                         btnPosizioni_[0],
                         btnPosizioni_[1],
                         btnPosizioni_[2],
                         btnPosizioni_[3],
                         btnPosizioni_[4],
                         optSomma_,
                         optDistanza_,
                         optDifferenza_,
                         cboTrasformazione_,
                         cboFisso_,
                         tutti,
                         nessuno,
                         fgRuote_,
                         cboDaColpo_,
                         cboColpi_,
                         cboElenco_,
                         chkUsa_,
                         salva,
                         help};
    for (size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);

    connect(fgRuote_, &Griglia::Clic, this, [this](int, int c) { ToggleRuota(c); });
    connect(tutti, &QPushButton::clicked, this, [this] {
        ruote_.fill(true);
        DipingiRuote();
    });
    connect(nessuno, &QPushButton::clicked, this, [this] {
        ruote_.fill(false);
        DipingiRuote();
    });
    connect(salva, &QPushButton::clicked, this, &ImpostazioniP::Salva);
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    Carica();
}

void ImpostazioniP::DipingiPosizioni() {
    trivalto::DipingiPosizioni(btnPosizioni_, posizioni_);
}

void ImpostazioniP::DipingiRuote() {
    trivalto::DipingiRuote(*fgRuote_, ruote_);
}

void ImpostazioniP::Carica() {
    // Built state, kept where the row is missing: the opening values of a new database.
    const ImpostazioniStandard d;
    std::optional<ImpostazioniStandard> letta;
    try {
        if (ctx_.DbProgramma) letta = LeggiImpostazioni(*ctx_.DbProgramma);
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Impossibile leggere le impostazioni predefinite.\n") +
                                QString::fromStdString(e.what()),
                            QStringLiteral("Impostazioni predefinite"), Dialoghi::Icona::Esclamazione);
    }
    const auto& s = letta ? *letta : d;
    cboCasi_->setCurrentIndex(s.Numcasi);
    optSomma_->setChecked(s.Somma);
    optDistanza_->setChecked(s.Distanza);
    optDifferenza_->setChecked(s.Differenza);
    posizioni_ = PosizioniDaTesto(s.Posizioni);
    cboRuota_->setCurrentIndex(s.RuotaOrigine);
    cboTrasformazione_->setCurrentIndex(s.Trasformazione);
    cboFisso_->setCurrentIndex(s.Fisso);
    cboDaColpo_->setCurrentIndex(s.Dacolpo);
    cboColpi_->setCurrentIndex(s.Colpi);
    cboElenco_->setCurrentText(QString::fromStdString(s.Elenco));
    ruote_ = letta ? RuoteDaTesto(s.RuoteGioco) : std::array<bool, 11>{true};
    chkUsa_->setChecked(s.UsaAllApertura);
    DipingiPosizioni();
    DipingiRuote();
    // The analysis opens with a distance or a difference only on exactly two positions and with the
    // sum otherwise: the options say so from the start, so a choice that would be dropped cannot be saved.
    const bool due = std::count(posizioni_.begin(), posizioni_.end(), true) == 2;
    optDistanza_->setEnabled(due);
    optDifferenza_->setEnabled(due);
    if (!due) optSomma_->setChecked(true);
}

ImpostazioniStandard ImpostazioniP::Valori() const {
    ImpostazioniStandard s;
    s.Numcasi = cboCasi_->currentIndex();
    s.Somma = optSomma_->isChecked();
    s.Distanza = optDistanza_->isChecked();
    s.Differenza = optDifferenza_->isChecked();
    s.Posizioni = TestoDaPosizioni(posizioni_);
    s.RuotaOrigine = cboRuota_->currentIndex();
    s.Trasformazione = cboTrasformazione_->currentIndex();
    s.Fisso = cboFisso_->currentIndex();
    s.Dacolpo = cboDaColpo_->currentIndex();
    s.Colpi = cboColpi_->currentIndex();
    s.Elenco = cboElenco_->currentText().toStdString();
    s.RuoteGioco = TestoDaRuote(ruote_);
    s.UsaAllApertura = chkUsa_->isChecked();
    return s;
}

void ImpostazioniP::Salva() {
    try {
        if (ctx_.DbProgramma && ScriviImpostazioni(*ctx_.DbProgramma, Valori())) {
            dialoghi_.Messaggio(this, QStringLiteral("Impostazioni salvate."),
                                QStringLiteral("Impostazioni predefinite"), Dialoghi::Icona::Informazione);
            return;
        }
        // Nothing to rewrite: saying nothing would pass a lost choice off as saved.
        dialoghi_.Messaggio(
            this,
            QStringLiteral("Impostazioni non salvate: il database del programma non contiene la "
                           "riga \"Standard\"."),
            QStringLiteral("Impostazioni predefinite"), Dialoghi::Icona::Esclamazione);
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Impostazioni non salvate.\n") + QString::fromStdString(e.what()),
                            QStringLiteral("Impostazioni predefinite"), Dialoghi::Icona::Critico);
    }
}

void ImpostazioniP::TogglePosizione(int p) {
    auto& acceso = posizioni_[static_cast<size_t>(p - 1)];
    acceso = !acceso;
    DipingiPosizioni();
    ApplicaEffettoPosizioni(
        RegolaPosizioni(static_cast<int>(std::count(posizioni_.begin(), posizioni_.end(), true))), optSomma_,
        optDistanza_, optDifferenza_);
}

void ImpostazioniP::ToggleRuota(int w) {
    if (w < 0 || w >= NumeroRuote) return;
    ruote_[static_cast<size_t>(w)] = !ruote_[static_cast<size_t>(w)];
    DipingiRuote();
}

} // namespace trivalto
