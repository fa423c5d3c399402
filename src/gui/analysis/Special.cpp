// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the analysis window: controls, their opening values and the grids.
#include "gui/analysis/Special.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/analysis/TabelleAnalisi.h"
#include "core/settings/ImpostazioniStandard.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RicercaEstrazione.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 400;

} // namespace

Special::Special(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                 std::function<QWidget*(const QString&)> apri, QWidget* parent)
    : FinestraCatena(contesto, dialoghi, std::move(apri), parent) {
    barra_ = barra;
    setObjectName(QStringLiteral("special"));
    setWindowTitle(QStringLiteral("Le Trivalto"));
    setProperty("massimizzata", true);
    setProperty("ArgomentoHelp", ArgomentoHelp);
    CollegaPannello(new PannelloAnalisi(this, ctx_, dialoghi_, stato_, {}));
    costruisciInterfaccia();
    pannello_->Apertura();
}

void Special::costruisciInterfaccia() {
    // In drawing order: the order of creation is the order of Tab.
    auto* opzioni = CostruisciOpzioni(&chkVerificaEstesa_);
    auto* comandi = costruisciComandi();
    auto* tabelle = costruisciTabelle();
    pannello_->Disponi(opzioni, comandi, tabelle, "ScorriSpecial");
    // As drawn: column by column (cases and forecast; terzine with its counters and the chance panel;
    // combinations, detail, chosen terzine, statistics), each table after the buttons of its heading.
    OrdinaTabulazione({"CmdHelp", "CmdCopiaCasi", fgEV_, "CmdCopiaPrevisioni", "CmdStampaPrevisioni", fgPr_,
                       "CmdCopiaTerzine", "CmdEliminaRighe", "CmdVerificaTerzine", fg1_, lstTempi_,
                       "CmdSimula", "CmdCopiaCombinazioni", "CmdResoconto", "CmdStampaCombinazioni", fg2_,
                       fgp_, fgZ_, fgStat_});
}

QWidget* Special::costruisciComandi() {
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    const auto comando = [&](const char* nome, const QString& testo, auto azione) {
        auto* b = PulsanteComando(w, nome, testo);
        b->setMinimumHeight(30);
        connect(b, &QPushButton::clicked, this, azione);
        occupazione_.Bloccati.push_back(b);
        l->addWidget(b);
        return b;
    };
    comando("CmdGeneraTerzine", QStringLiteral("GENERA TERZINE"), [this] { GeneraTerzine(); });
    comando("CmdElaboraTerzine", QStringLiteral("ELABORA TERZINE (5)"), [this] { ElaboraTerzine(); });
    comando("CmdUnaTerzina", QStringLiteral("UNA TERZINA"), [this] { CercaCombinazioni(1); });
    comando("CmdDueTerzine", QStringLiteral("DUE TERZINE"), [this] { CercaCombinazioni(2); });
    comando("CmdTreTerzine", QStringLiteral("TRE TERZINE"), [this] { CercaCombinazioni(3); });
    comando("CmdPrevisioni", QStringLiteral("PREVISIONI"), [this] { Previsioni(); });
    l->addStretch(1);
    auto* interrompi = PulsanteFigura(w, "CmdInterrompi", QStringLiteral("Interrompe elaborazione"),
                                      QStringLiteral("X"), ColoreRosa);
    connect(interrompi, &QToolButton::clicked, this, [this] { Interrompi(); });
    auto* help =
        PulsanteFigura(w, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"), ColoreAzzurro);
    help->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    l->addWidget(interrompi);
    l->addWidget(help);
    return w;
}

QWidget* Special::costruisciContatori() {
    auto* w = new QWidget(this);
    auto* l = new QGridLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    lblTerzineValide_ = ValoreDestra(w, "LblTerzineValide");
    lblCoppie_ = ValoreDestra(w, "LblCoppie");
    lblTriple_ = ValoreDestra(w, "LblTriple");
    l->addWidget(EtichettaDestra(w, QStringLiteral("Terzine valide")), 0, 0);
    l->addWidget(lblTerzineValide_, 0, 1);
    l->addWidget(EtichettaDestra(w, QStringLiteral("Coppie")), 1, 0);
    l->addWidget(lblCoppie_, 1, 1);
    l->addWidget(EtichettaDestra(w, QStringLiteral("Triple")), 2, 0);
    l->addWidget(lblTriple_, 2, 1);
    return w;
}

QWidget* Special::costruisciTabelle() {
    fgEV_ = GrigliaTabella(this, "FgEV", IntestazioneCasi);
    fg1_ = GrigliaTabella(this, "fg1", IntestazioneTerzine);
    fg2_ = GrigliaTabella(this, "fg2", IntestazioneCombinazioni);
    fgp_ = GrigliaTabella(this, "FGP", IntestazioneDettaglio);
    fgZ_ = GrigliaTabella(this, "FgZ", IntestazioneScelte);
    fgPr_ = GrigliaTabella(this, "FgPr", IntestazionePrevisioni);
    fgStat_ = GrigliaTabella(this, "FgStat", IntestazioneStatistiche);
    impostaLarghezze();

    connect(fgEV_, &Griglia::Clic, this, [this](int r, int) { SelezionaCaso(r); });
    connect(fg1_, &Griglia::DoppioClic, this, [this](int r, int) { StoriaTerzina(r); });
    connect(fg2_, &Griglia::Clic, this, [this](int r, int) { MostraCombinazione(r); });
    connect(fgPr_, &Griglia::DoppioClic, this, [this](int r, int) { MostraRitardi(r); });
    for (auto* g : {fgEV_, fg1_, fg2_, fgPr_})
        g->installEventFilter(this);

    const auto copia = [this](const char* nome, Griglia* g, const QString& simbolo) {
        auto* b = PulsanteFigura(this, nome, QStringLiteral("Copia tabella"), simbolo, ColoreVerdeChiaro);
        connect(b, &QToolButton::clicked, this, [g] { g->CopiaNegliAppunti(); });
        return b;
    };
    auto* elimina = PulsanteFigura(this, "CmdEliminaRighe", QStringLiteral("Elimina righe successive"),
                                   QStringLiteral("-"), ColoreRosa);
    auto* verifica = PulsanteFigura(this, "CmdVerificaTerzine", QStringLiteral("Verifica terzine"),
                                    QStringLiteral("V"), ColoreArancioChiaro);
    auto* resoconto = PulsanteFigura(this, "CmdResoconto", QStringLiteral("Resoconto storico"),
                                     QStringLiteral("R"), ColoreArancioChiaro);
    auto* stampaPrev = PulsanteFigura(this, "CmdStampaPrevisioni", QStringLiteral("Stampa tabella"),
                                      QStringLiteral("S"), ColoreAzzurroChiaro);
    auto* stampaComb =
        PulsanteFigura(this, "CmdStampaCombinazioni", QStringLiteral("Stampa tabella delle terzine"),
                       QStringLiteral("S"), ColoreAzzurroChiaro);
    for (auto* b : {elimina, verifica, resoconto, stampaPrev, stampaComb})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    occupazione_.Bloccati.push_back(elimina);
    occupazione_.Bloccati.push_back(verifica);
    connect(elimina, &QToolButton::clicked, this, &Special::EliminaRigheSuccessive);
    connect(verifica, &QToolButton::clicked, this, &Special::VerificaTerzine);
    connect(resoconto, &QToolButton::clicked, this, &Special::ResocontoStorico);
    connect(stampaPrev, &QToolButton::clicked, this,
            [this] { fgPr_->Stampa(dialoghi_, QStringLiteral("Previsioni"), QPageLayout::Portrait, 400); });
    connect(stampaComb, &QToolButton::clicked, this, [this] {
        fg2_->Stampa(dialoghi_, QStringLiteral("Combinazioni di terzine"), QPageLayout::Portrait, 400);
    });

    // Cases, with their counters.
    auto* contaCasi =
        CostruisciConteggioCasi(this, QStringLiteral("Esaminate"), QStringLiteral("Casistiche totali"));
    auto* casi = Riquadro(this, QStringLiteral("Casi"), fgEV_,
                          {copia("CmdCopiaCasi", fgEV_, QStringLiteral("C"))}, contaCasi);
    auto* previsioni = Riquadro(this, QStringLiteral("Previsioni"), fgPr_,
                                {copia("CmdCopiaPrevisioni", fgPr_, QStringLiteral("C")), stampaPrev});

    // Terzine, with the list count and the counters.
    auto* sottoTerzine = new QWidget(this);
    auto* lt = new QVBoxLayout(sottoTerzine);
    lt->setContentsMargins(0, 0, 0, 0);
    lblConteggio_ = new QLabel(sottoTerzine);
    lblConteggio_->setObjectName(QStringLiteral("LblConteggioLista"));
    lt->addWidget(lblConteggio_);
    lt->addWidget(costruisciContatori());
    lstTempi_ = new QListWidget(sottoTerzine);
    lstTempi_->setObjectName(QStringLiteral("LstTempi"));
    lstTempi_->setMaximumHeight(2 * lstTempi_->fontMetrics().height() + 8); // the start and the end
    lstTempi_->setToolTip(QStringLiteral("Ora di inizio e di fine delle elaborazioni"));
    lt->addWidget(lstTempi_);
    atteso_ = new PannelloAtteso(dialoghi_, ctx_.Provate, QStringLiteral("Cop"), true, sottoTerzine);
    lt->addWidget(atteso_);
    auto* terzine =
        Riquadro(this, QStringLiteral("Terzine"), fg1_,
                 {copia("CmdCopiaTerzine", fg1_, QStringLiteral("C")), elimina, verifica}, sottoTerzine);

    // Combinations, detail, chosen terzine, statistics and the time log.
    auto* combinazioni =
        Riquadro(this, QStringLiteral("Combinazioni"), fg2_,
                 {copia("CmdCopiaCombinazioni", fg2_, QStringLiteral("C")), resoconto, stampaComb});
    // The detail and the chosen terzine hold at most three rows, the statistics one: the height
    // they do not need goes to the combinations.
    fgp_->setMaximumHeight(AltezzaPerRighe(fgp_, 3));
    fgZ_->setMaximumHeight(AltezzaPerRighe(fgZ_, 3));
    fgStat_->setMaximumHeight(AltezzaPerRighe(fgStat_, 1));
    auto* basso = new QWidget(this);
    auto* lb = new QGridLayout(basso);
    lb->setContentsMargins(0, 0, 0, 0);
    lb->addWidget(Riquadro(basso, QStringLiteral("Dettaglio"), fgp_, {}), 0, 0);
    lb->addWidget(Riquadro(basso, QStringLiteral("Terzine scelte"), fgZ_, {}), 0, 1);
    lb->addWidget(Riquadro(basso, QStringLiteral("Statistica"), fgStat_, {}), 1, 0, 1, 2);
    // The chance panel's verdict reads here, beside the panel, in a few lines; the combinations give up
    // the height it takes.
    lb->addWidget(atteso_->StaccaGiudizio(), 2, 0, 1, 2);
    fgp_->setMaximumWidth(LarghezzaTabella(fgp_));
    lb->setColumnStretch(1, 1);
    lb->setRowStretch(3, 1);

    return DisponiColonne({{casi, previsioni}, {terzine}, {combinazioni, basso}});
}

void Special::DistribuisciColonne() {
    // The cases and the forecast, and the terzine list, get the width that shows all their
    // columns (the numbers to play now are at the forecast's right end); the combinations, too
    // wide for most screens anyway, take what is left and scroll. Once the user drags a divider,
    // the widths are theirs.
    if (colonneSpostate_ || !tabelle_) return;
    const int margini = 4; // the frame's margins around each table
    const int c1 = std::max(LarghezzaTabella(fgEV_), LarghezzaTabella(fgPr_)) + margini;
    const int c2 = std::max(LarghezzaTabella(fg1_) + margini, tabelle_->widget(1)->minimumSizeHint().width());
    const int resto = tabelle_->width() - c1 - c2 - 2 * tabelle_->handleWidth();
    tabelle_->setSizes({c1, c2, std::max(resto, 0)});
}

void Special::impostaLarghezze() {
    ColonneCentrate(fgEV_, {420, 720, 1300, 400, 450, 420, 380, 380, 380, 380, 380, 220, 220, 220});
    ColonneCentrate(fg1_, {480, 480, 420, 420, 420, 400, 400});
    ColonneCentrate(fg2_, {600, 540, 420, 420, 420, 420, 420, 330, 300, 420, 420, 420,
                           420, 420, 330, 300, 420, 420, 420, 420, 420, 330, 300});
    ColonneCentrate(fgp_, {480, 480, 480, 420, 480, 420});
    ColonneCentrate(fgZ_, {200, 620, 620, 620, 450, 500, 800, 220, 220});
    ColonneCentrate(fgPr_, {450, 720, 1300, 300, 420, 380, 450, 450, 450, 450, 420, 1300, 360});
    ColonneCentrate(fgStat_, {820, 720, 560, 520, 820, 560, 560});
}

bool Special::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(oggetto, evento);
    const int tasto = static_cast<QKeyEvent*>(evento)->key();
    auto* g = qobject_cast<Griglia*>(oggetto);
    const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (!g || !invio || g->RigaCorrente() < 1) return QWidget::eventFilter(oggetto, evento);
    const int r = g->RigaCorrente();
    if (g == fgEV_)
        SelezionaCaso(r);
    else if (g == fg1_)
        StoriaTerzina(r);
    else if (g == fg2_)
        MostraCombinazione(r);
    else if (g == fgPr_)
        MostraRitardi(r);
    else
        return QWidget::eventFilter(oggetto, evento);
    return true;
}

} // namespace trivalto
