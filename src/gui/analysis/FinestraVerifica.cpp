#include "gui/analysis/FinestraVerifica.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {
constexpr int ArgomentoHelp = 800;
}

// --- The chart ------------------------------------------------------------------------------------

GraficoVerifica::GraficoVerifica(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraficoVerifica"));
    setMinimumSize(240, 160);
    setToolTip(QStringLiteral("Vincite prova dopo prova (blu) e quelle che darebbe il puro caso (grigio), "
                              "con la fascia di due deviazioni standard"));
}

void GraficoVerifica::Imposta(const std::vector<ProvaRetroattiva>& prove) {
    vincite_.assign(1, 0);
    attese_.assign(1, 0);
    banda_.assign(1, 0);
    double varianza = 0;
    for (const auto& p : prove) {
        vincite_.push_back(vincite_.back() + (p.Vinta ? 1 : 0));
        attese_.push_back(attese_.back() + p.Probabilita);
        varianza += p.Probabilita * (1 - p.Probabilita);
        banda_.push_back(2 * std::sqrt(varianza));
    }
    update();
}

void GraficoVerifica::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    const QRectF area(fm.horizontalAdvance(QStringLiteral("0000")) + 8, 8,
                      width() - fm.horizontalAdvance(QStringLiteral("0000")) - 16,
                      height() - fm.height() - 20);
    p.setPen(Qt::gray);
    p.drawRect(area);
    if (vincite_.size() < 2) {
        p.drawText(area, Qt::AlignCenter, QStringLiteral("Nessuna prova"));
        return;
    }
    const double n = static_cast<double>(vincite_.size() - 1);
    double massimo = 1;
    for (size_t i = 0; i < vincite_.size(); ++i)
        massimo = std::max({massimo, vincite_[i], attese_[i] + banda_[i]});
    const auto punto = [&](size_t i, double y) {
        return QPointF(area.left() + area.width() * static_cast<double>(i) / n,
                       area.bottom() - area.height() * y / massimo);
    };
    QPainterPath fascia;
    fascia.moveTo(punto(0, 0));
    for (size_t i = 0; i < attese_.size(); ++i)
        fascia.lineTo(punto(i, attese_[i] + banda_[i]));
    for (size_t i = attese_.size(); i-- > 0;)
        fascia.lineTo(punto(i, std::max(attese_[i] - banda_[i], 0.0)));
    p.fillPath(fascia, QColor(220, 220, 220));
    const auto linea = [&](const std::vector<double>& y, const QPen& penna) {
        QPainterPath percorso;
        percorso.moveTo(punto(0, y[0]));
        for (size_t i = 1; i < y.size(); ++i)
            percorso.lineTo(punto(i, y[i]));
        p.setPen(penna);
        p.drawPath(percorso);
    };
    linea(attese_, QPen(Qt::darkGray, 1.5, Qt::DashLine));
    linea(vincite_, QPen(QColor(0, 0, 200), 2));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, area.top() - 4, area.left() - 4, fm.height()), Qt::AlignRight,
               QString::number(static_cast<int>(std::ceil(massimo))));
    p.drawText(QRectF(0, area.bottom() - fm.height() + 4, area.left() - 4, fm.height()), Qt::AlignRight,
               QStringLiteral("0"));
    p.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignCenter,
               QStringLiteral("prove (%1): vincite in blu, caso in grigio").arg(static_cast<int>(n)));
}

// --- The window -----------------------------------------------------------------------------------

FinestraVerifica::FinestraVerifica(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("VerificaRetroattiva"));
    setWindowTitle(QStringLiteral("Verifica retroattiva"));
    setProperty("massimizzata", true);
    setProperty("ArgomentoHelp", ArgomentoHelp);
    pannello_ = new PannelloAnalisi(this, ctx_, dialoghi_, stato_, {});
    // Every draw of the range is a reference: the reference group has nothing to say here.
    pannello_->Riferimento()->hide();
    pannello_->SceltaTrasformazione()->hide();

    const int ultima = ctx_.Archivio().NumeroEstrazioni;
    auto* periodo = new QGroupBox(QStringLiteral("Periodo e gioco"), this);
    spnDa_ = new QSpinBox(periodo);
    spnDa_->setObjectName(QStringLiteral("SpnDaEstrazione"));
    spnA_ = new QSpinBox(periodo);
    spnA_->setObjectName(QStringLiteral("SpnAEstrazione"));
    for (auto* s : {spnDa_, spnA_}) {
        s->setRange(1, std::max(ultima, 1));
        s->setAlignment(Qt::AlignRight);
    }
    spnDa_->setValue(1);
    spnA_->setValue(std::max(ultima, 1));
    cboGioca_ = new QComboBox(periodo);
    cboGioca_->setObjectName(QStringLiteral("CboGioca"));
    cboGioca_->addItems(
        {QStringLiteral("la migliore terzina"), QStringLiteral("la migliore combinazione di 1"),
         QStringLiteral("la migliore combinazione di 2"), QStringLiteral("la migliore combinazione di 3")});
    chkInteroPeriodo_ = new QCheckBox(QStringLiteral("Controlla intero periodo"), periodo);
    chkInteroPeriodo_->setObjectName(QStringLiteral("ChkInteroPeriodo"));
    auto* lp = new QGridLayout(periodo);
    lp->addWidget(EtichettaDestra(periodo, QStringLiteral("Da estrazione")), 0, 0);
    lp->addWidget(spnDa_, 0, 1);
    lp->addWidget(EtichettaDestra(periodo, QStringLiteral("A estrazione")), 1, 0);
    lp->addWidget(spnA_, 1, 1);
    lp->addWidget(EtichettaDestra(periodo, QStringLiteral("Gioca")), 2, 0);
    lp->addWidget(cboGioca_, 2, 1);
    lp->addWidget(chkInteroPeriodo_, 3, 0, 1, 2);

    auto* impostazioni = new QHBoxLayout;
    impostazioni->setSpacing(2);
    impostazioni->addWidget(pannello_->Casi());
    impostazioni->addWidget(pannello_->Parametro());
    impostazioni->addWidget(pannello_->Gioco());
    impostazioni->addWidget(periodo);
    impostazioni->addStretch(1);

    auto* comandi = new QHBoxLayout;
    auto* verifica = PulsanteComando(this, "CmdVerifica", QStringLiteral("VERIFICA"));
    verifica->setMinimumHeight(30);
    verifica->setToolTip(QStringLiteral("Prova il metodo su ogni estrazione del periodo che sia un caso"));
    connect(verifica, &QPushButton::clicked, this, &FinestraVerifica::Verifica);
    occupazione_.Bloccati = {verifica, periodo, pannello_->Casi(), pannello_->Parametro(), pannello_->Gioco()};
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("BarraVerifica"));
    barra_->setTextVisible(false);
    barra_->setMaximumWidth(240);
    auto* interrompi = PulsanteFigura(this, "CmdInterrompi", QStringLiteral("Interrompe elaborazione"),
                                      QStringLiteral("X"), ColoreRosa);
    interrompi->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(interrompi, &QToolButton::clicked, this, [this] { Interrompi(); });
    auto* copia = PulsanteFigura(this, "CmdCopiaVerifica", QStringLiteral("Copia tabella"),
                                 QStringLiteral("C"), ColoreVerdeChiaro);
    copia->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* help =
        PulsanteFigura(this, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"), ColoreAzzurro);
    help->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    comandi->addWidget(verifica);
    comandi->addWidget(barra_);
    comandi->addWidget(interrompi);
    comandi->addStretch(1);
    comandi->addWidget(copia);
    comandi->addWidget(help);

    fgVerifica_ =
        GrigliaTabella(this, "FgVerifica", "Rif|Data|Terzine|Numeri giocati|Esito|Colpo|Probabilità");
    fgSintesi_ = GrigliaTabella(this, "FgSintesi", "Voce|Valore");
    for (int c = 0; c < fgVerifica_->Modello().Colonne(); ++c)
        fgVerifica_->Modello().ImpostaCentrata(c, true);
    fgSintesi_->Modello().ImpostaCentrata(1, true);
    connect(copia, &QToolButton::clicked, this, [this] { fgVerifica_->CopiaNegliAppunti(); });
    grafico_ = new GraficoVerifica(this);
    auto* destra = new QWidget(this);
    auto* ld = new QVBoxLayout(destra);
    ld->setContentsMargins(0, 0, 0, 0);
    fgSintesi_->setMaximumHeight(AltezzaPerRighe(fgSintesi_, 5));
    ld->addWidget(Riquadro(destra, QStringLiteral("Sintesi"), fgSintesi_, {}));
    ld->addWidget(grafico_, 1);
    tabelle_ = new QSplitter(Qt::Horizontal, this);
    tabelle_->addWidget(Riquadro(this, QStringLiteral("Prove"), fgVerifica_, {}));
    tabelle_->addWidget(destra);
    tabelle_->setStretchFactor(0, 3);
    tabelle_->setStretchFactor(1, 2);
    connect(tabelle_, &QSplitter::splitterMoved, this, [this] { colonneSpostate_ = true; });

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(impostazioni);
    layout->addLayout(comandi);
    layout->addWidget(tabelle_, 1);
    DisponiScorrevole(this, layout, "ScorriVerifica");
    pannello_->Apertura();
    // Until the first run there is no summary to show: an empty one would read as "0 hits, p = 1".
    grafico_->Imposta({});
}

FinestraVerifica::~FinestraVerifica() {
    lavoro_.Ferma();
}

SceltaVerificaRetroattiva FinestraVerifica::LeggiScelta() const {
    SceltaVerificaRetroattiva s;
    s.Casi = pannello_->LeggiSceltaCasi();
    s.Parametro = pannello_->LeggiSceltaParametro();
    s.Parametro.Posizioni = stato_.Posizioni;
    s.Ruote = stato_.Ruote;
    s.DaColpo = pannello_->DaColpo();
    s.Colpi = pannello_->Colpi();
    s.InteroPeriodo = chkInteroPeriodo_->isChecked();
    s.Elenco = pannello_->Elenco();
    s.K = cboGioca_->currentIndex();
    s.Da = spnDa_->value();
    s.A = spnA_->value();
    return s;
}

void FinestraVerifica::Verifica() {
    if (occupazione_.Attiva()) return;
    if (!stato_.AlmenoUnaRuota()) {
        dialoghi_.Messaggio(this, QStringLiteral("Selezionare almeno una ruota su cui testare il metodo"),
                            QStringLiteral("Selezione ruota"), Dialoghi::Icona::Informazione);
        return;
    }
    if (spnDa_->value() > spnA_->value()) {
        dialoghi_.Messaggio(this, QStringLiteral("L'estrazione iniziale viene dopo quella finale."),
                            QStringLiteral("Avviso"), Dialoghi::Icona::Informazione);
        return;
    }
    auto archivio = ctx_.Istantanea();
    const auto scelta = LeggiScelta();
    occupazione_.Inizia();
    lavoro_ = AvviaLavoro<EsitoRetroattivo>(
        this, barra_,
        [archivio, scelta](const ControlloLavoro& ctl) {
            return VerificaRetroattiva(*archivio, scelta, ctl);
        },
        [this](EsitoRetroattivo e) {
            Termina();
            if (e.Interrotta) {
                dialoghi_.Messaggio(this, QStringLiteral("Elaborazione interrota."), QStringLiteral("Avviso"),
                                    Dialoghi::Icona::Critico);
                return;
            }
            esito_ = std::move(e);
            Mostra();
        },
        [this](std::exception_ptr e) {
            Termina();
            dialoghi_.Messaggio(
                this, QStringLiteral("Errore imprevisto, verificare le impostazioni\n") + CausaErrore(e),
                QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
        });
}

void FinestraVerifica::Termina() {
    occupazione_.Termina(barra_);
    emit LavoroFinito();
}

void FinestraVerifica::Mostra() {
    RiempiGriglia(*fgVerifica_, TabellaVerifica(ctx_.Archivio(), esito_));
    auto& m = fgVerifica_->Modello();
    for (size_t i = 0; i < esito_.Prove.size(); ++i)
        if (esito_.Prove[i].Vinta) {
            const int r = static_cast<int>(i) + 1;
            m.ImpostaSfondo(r, 4, ColoreAcceso);
            m.ImpostaGrassetto(r, 4, true);
        }
    fgVerifica_->resizeColumnsToContents();
    RiempiGriglia(*fgSintesi_, TabellaSintesi(esito_));
    fgSintesi_->resizeColumnsToContents();
    grafico_->Imposta(esito_.Prove);
    // The trials of a combination are wide: the probability, at their right end, stays in sight as
    // long as the summary and the chart keep a readable width. Once the user drags the divider, the
    // widths are theirs.
    if (!colonneSpostate_) {
        const int totale = tabelle_->width() - tabelle_->handleWidth();
        const int prove = std::min(LarghezzaTabella(fgVerifica_) + 8, totale - 300);
        if (prove > tabelle_->sizes().value(0)) tabelle_->setSizes({prove, totale - prove});
    }
}

} // namespace trivalto
