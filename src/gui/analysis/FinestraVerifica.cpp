// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/FinestraVerifica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/analysis/Giudizio.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/GraficoVerifica.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/EtichettaAdattata.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RigaComandi.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 800;

/// Every figure of the two tables says what it means when the pointer rests on it.
void SpiegaFigure(Griglia& prove, Griglia& sintesi) {
    const QString colonne[] = {
        QStringLiteral("L'estrazione di riferimento della prova: la terzina è scelta guardando solo le "
                       "estrazioni fino a questa"),
        QStringLiteral("La data dell'estrazione di riferimento"),
        QStringLiteral("Le distanze della terzina (o delle terzine della combinazione) migliori sulle "
                       "estrazioni fino al riferimento"),
        QStringLiteral("I numeri che quelle distanze danno dal parametro dell'estrazione di riferimento: "
                       "quelli giocati nella prova"),
        QStringLiteral("ambo o terno se i numeri giocati sono usciti dopo il riferimento, \"-\" se non sono "
                       "usciti"),
        QStringLiteral(
            "L'estrazione dopo il riferimento in cui è arrivata la vincita (1 = la prima giocata)"),
        QStringLiteral(
            "Probabilità: quanto spesso vincerebbero, nelle stesse estrazioni e sulle stesse ruote, "
            "altrettanti numeri scelti a caso; 0,0571 vuol dire circa 6 volte su 100"),
    };
    for (int c = 0; c < 7; ++c)
        prove.Modello().ImpostaSpiegazioneColonna(c, colonne[c]);
    const QString righe[] = {
        QStringLiteral("Le estrazioni del periodo in cui il metodo è stato provato: una riga della tabella "
                       "Prove ciascuna"),
        QStringLiteral("Le prove in cui i numeri giocati hanno fatto almeno ambo"),
        QStringLiteral("Vincite attese: quante prove vincerebbe in media chi gioca numeri scelti a caso, "
                       "nelle stesse estrazioni e sulle stesse ruote (la somma delle probabilità)"),
        QStringLiteral("Le vincite su cento prove"),
        QStringLiteral(
            "p: la probabilità di fare almeno queste vincite giocando numeri scelti a caso. Vicino "
            "a 1 il caso fa altrettanto; sotto 0,05 è raro per puro caso, sotto 0,01 molto raro"),
    };
    for (int r = 0; r < 5; ++r)
        sintesi.Modello().ImpostaSpiegazioneRiga(r + 1, righe[r]);
}

} // namespace

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

    comandi_ =
        new RigaComandi(this, dialoghi_,
                        {"CmdVerifica", QStringLiteral("VERIFICA"),
                         QStringLiteral("Prova il metodo su ogni estrazione del periodo che sia un caso"),
                         "BarraVerifica", "CmdCopiaVerifica"},
                        ArgomentoHelp);
    connect(comandi_->Comando(), &QPushButton::clicked, this, &FinestraVerifica::Verifica);
    connect(comandi_, &RigaComandi::Finito, this, &FinestraVerifica::LavoroFinito);
    comandi_->Blocca({periodo, pannello_->Casi(), pannello_->Parametro(), pannello_->Gioco()});

    // What a trial is, in the window itself: without it the first trial, often decades after the start
    // of the range, looks like a fault.
    lblSpiegazione_ = new EtichettaAdattata(this, "LblSpiegazioneProve");
    if (auto* mensile = pannello_->Casi()->findChild<QComboBox*>(QStringLiteral("CboMensile")))
        connect(mensile, &QComboBox::currentIndexChanged, this, [this] { SpiegaProve(); });

    fgVerifica_ =
        GrigliaTabella(this, "FgVerifica", "Rif|Data|Terzine|Numeri giocati|Esito|Colpo|Probabilità");
    fgSintesi_ = GrigliaTabella(this, "FgSintesi", "Voce|Valore");
    for (int c = 0; c < fgVerifica_->Modello().Colonne(); ++c)
        fgVerifica_->Modello().ImpostaCentrata(c, true);
    fgSintesi_->Modello().ImpostaCentrata(1, true);
    SpiegaFigure(*fgVerifica_, *fgSintesi_);
    connect(comandi_->Copia(), &QToolButton::clicked, this, [this] { fgVerifica_->CopiaNegliAppunti(); });
    grafico_ = new GraficoVerifica(this);
    lblGiudizio_ = new EtichettaAdattata(this, "LblGiudizio");
    lblGiudizio_->setFrameShape(QFrame::StyledPanel);
    lblGiudizio_->setMargin(3);
    lblGiudizio_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblGiudizio_->setToolTip(
        QStringLiteral("Il giudizio: \"Alla portata del caso\" se p è almeno 0,05, \"Poco oltre il caso\" "
                       "da 0,01 a 0,05, \"Oltre il caso\" sotto 0,01. Anche \"Oltre il caso\" non promette "
                       "vincite future: dice solo che il puro caso lo spiega male"));
    auto* destra = new QWidget(this);
    auto* ld = new QVBoxLayout(destra);
    ld->setContentsMargins(0, 0, 0, 0);
    fgSintesi_->setMaximumHeight(AltezzaPerRighe(fgSintesi_, 5));
    // The verdict beside the summary it sums up, in the width the short table leaves.
    auto* sintesi = new QHBoxLayout;
    sintesi->addWidget(Riquadro(destra, QStringLiteral("Sintesi"), fgSintesi_, {}), 2);
    sintesi->addWidget(lblGiudizio_, 3);
    ld->addLayout(sintesi);
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
    layout->addLayout(comandi_->Riga());
    layout->addWidget(lblSpiegazione_);
    layout->addWidget(tabelle_, 1);
    DisponiScorrevole(this, layout, "ScorriVerifica");
    pannello_->Apertura();
    // Until the first run there is no summary to show: an empty one would read as "0 hits, p = 1".
    grafico_->Imposta({});
    lblGiudizio_->Imposta(QStringLiteral("Il giudizio sulle prove compare qui dopo VERIFICA."));
    SpiegaProve();
}

FinestraVerifica::~FinestraVerifica() = default;

void FinestraVerifica::Interrompi() {
    comandi_->Ferma();
}

bool FinestraVerifica::Occupata() const {
    return comandi_->Attiva();
}

SceltaVerificaRetroattiva FinestraVerifica::LeggiScelta() const {
    SceltaVerificaRetroattiva s;
    s.Casi = pannello_->LeggiSceltaCasi();
    s.Parametro = pannello_->LeggiSceltaParametro();
    s.Parametro.Posizioni = stato_.Posizioni();
    s.Ruote = stato_.Ruote();
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
    if (comandi_->Attiva()) return;
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
    comandi_->Avvia<EsitoRetroattivo>(
        [archivio, scelta, calcolo = calcolo_](const ControlloLavoro& ctl) {
            return calcolo(*archivio, scelta, ctl);
        },
        [this, archivio, scelta](EsitoRetroattivo e) {
            if (e.Interrotta) {
                // A stop is the user's choice, not a fault; the trials of the last whole run stay shown.
                dialoghi_.Messaggio(this,
                                    QStringLiteral("Elaborazione interrotta: restano le prove di prima."),
                                    QStringLiteral("Avviso"), Dialoghi::Icona::Informazione);
                return;
            }
            esito_ = std::move(e);
            // The trials name draws by their place in the archive they ran on: a reload meanwhile must
            // not give them another archive's dates, or none.
            archivioMostrato_ = archivio;
            sceltaMostrata_ = scelta;
            quanteProvate_ = ctx_.Provate.Registra(scelta);
            Mostra();
        });
}

QString FinestraVerifica::DataProva(size_t i) const {
    if (!archivioMostrato_) return {};
    return QString::fromStdString(
        archivioMostrato_->DateEstrazioni[static_cast<size_t>(esito_.Prove[i].Riferimento)]);
}

void FinestraVerifica::SpiegaProve() {
    const bool mostrate = !esito_.Prove.empty();
    const int m = (mostrate ? sceltaMostrata_ : LeggiScelta()).Casi.Mensile;
    QString testo = QStringLiteral(
        "Una prova: a un'estrazione di riferimento il programma sceglie la migliore terzina guardando solo "
        "le "
        "estrazioni fino a quella, la gioca sulle estrazioni che seguono (Da colpo, Colpi, Ruote gioco) e "
        "annota se vince. ");
    if (m == 0)
        testo += QStringLiteral("Con Mensile U c'è una prova all'ultima estrazione di ogni mese");
    else if (m == 1)
        testo += QStringLiteral("Con Mensile 1 c'è una prova alla prima estrazione di ogni mese");
    else
        testo += QStringLiteral("Con Mensile %1 c'è una prova solo alla %1ª estrazione di un mese, quindi "
                                "solo nei mesi che hanno almeno %1 estrazioni")
                     .arg(m);
    if (mostrate)
        testo += (m >= 2 ? QStringLiteral(": per questo la prima prova del periodo è l'estrazione %1 del %2")
                         : QStringLiteral(": la prima prova del periodo è l'estrazione %1 del %2"))
                     .arg(esito_.Prove.front().Riferimento)
                     .arg(DataProva(0));
    testo += QStringLiteral(". Le estrazioni più recenti, il cui esito non è ancora noto, non danno prove.");
    lblSpiegazione_->Imposta(testo);
}

void FinestraVerifica::Mostra() {
    RiempiGriglia(*fgVerifica_, TabellaVerifica(*archivioMostrato_, esito_));
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
    const auto g = GiudicaRetroattivo(esito_, quanteProvate_);
    lblGiudizio_->Imposta(
        QString::fromStdString(g.Testo) +
        (g.Avvertenza.empty() ? QString() : QLatin1Char('\n') + QString::fromStdString(g.Avvertenza)));
    if (esito_.Prove.empty())
        grafico_->Imposta({});
    else
        grafico_->Imposta(esito_.Prove, DataProva(0), DataProva(esito_.Prove.size() - 1));
    SpiegaProve();
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
