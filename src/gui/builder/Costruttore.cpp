// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the method builder and the painting of its tables from its state.
#include "gui/builder/Costruttore.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/builder/TabelleCostruttore.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 500;

} // namespace

Costruttore::Costruttore(ContestoProgramma& contesto, Dialoghi& dialoghi,
                         std::function<QWidget*(const QString&)> apri, QWidget* parent)
    : FinestraCatena(contesto, dialoghi, std::move(apri), parent) {
    setObjectName(QStringLiteral("Costruttore"));
    setWindowTitle(QStringLiteral("Generazione terzine"));
    setProperty("massimizzata", true);
    setProperty("ArgomentoHelp", ArgomentoHelp);
    // A move of the reference draw empties the case table; the lists stay.
    CollegaPannello(new PannelloAnalisi(this, ctx_, dialoghi_, stato_.Analisi(),
                                        {MassimoElencoCostruttore, /*MeseSeparato=*/true}));
    costruisciInterfaccia();
    pannello_->Apertura();
}

void Costruttore::costruisciInterfaccia() {
    // In drawing order: the order of creation is the order of Tab.
    auto* opzioni = CostruisciOpzioni();
    auto* comandi = costruisciComandi();
    auto* tabelle = costruisciTabelle();
    pannello_->Disponi(opzioni, comandi, tabelle, "ScorriCostruttore");
    ordinaTabulazione();
}

void Costruttore::ordinaTabulazione() {
    // As drawn: the settings and the commands row, then the left column (cases, forecast), then the
    // right one (the lists, the method, the statistics), each table after the buttons of its heading.
    OrdinaTabulazione({"CmdHelp", "CmdCopiaCasi", fgEV_, "CmdCopiaPrevisioni", "CmdStampaPrevisioni", fgPr_,
                       elenchi_, fg1_, fgJ_, "CmdEliminaUltima", "CmdReset", fgZ_, fgStat_, "CmdSimula"});
}

QWidget* Costruttore::costruisciComandi() {
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    const auto comando = [&](const char* nome, const QString& testo, auto azione, bool bold = true) {
        auto* b = bold ? PulsanteComando(w, nome, testo) : new QPushButton(testo, w);
        b->setObjectName(QString::fromLatin1(nome));
        b->setMinimumHeight(30);
        connect(b, &QPushButton::clicked, this, azione);
        occupazione_.Bloccati.push_back(b);
        l->addWidget(b);
        return b;
    };
    comando("CmdGenerazioneTerzine", QStringLiteral("GENERAZIONE TERZINE"), [this] { GenerazioneTerzine(); });
    comando("CmdElaboraTerzine", QStringLiteral("ELABORA TERZINE"), [this] { ElaboraTerzine(); });
    comando(
        "CmdCopiaSecondoElenco", QStringLiteral("copia in 2° elenco"), [this] { CopiaInSecondoElenco(); },
        false);
    comando("CmdControllaTutte", QStringLiteral("CONTROLLA TUTTE"), [this] { ControllaTutte(); });
    comando("CmdPrevisioni", QStringLiteral("PREVISIONI"), [this] { Previsioni(); });
    comando(
        "Command1", QStringLiteral("Command1"), [this] { Rifinisci(); }, false)
        ->setToolTip(QStringLiteral(
            "Ripulisce la tabella delle previsioni: un esito senza colpo perde anche i numeri"));
    comando(
        "CmdVisualizzaEsiti", QStringLiteral("Visualizza esiti"), [this] { VisualizzaEsiti(); }, false)
        ->setToolTip(QStringLiteral("Resoconto storico della terzina scelta nell'elenco per colpo"));
    auto* vecchie = PulsanteFigura(w, "CmdVecchiePrevisioni", QStringLiteral("vecchio previsoni"),
                                   QStringLiteral("P"), ColoreGialloChiaro);
    vecchie->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(vecchie, &QToolButton::clicked, this, [this] { Previsioni(true); });
    occupazione_.Bloccati.push_back(vecchie);
    l->addWidget(vecchie);
    l->addStretch(1);
    barra_ = new QProgressBar(w);
    barra_->setObjectName(QStringLiteral("ProgressBar1"));
    barra_->setTextVisible(false);
    barra_->setMaximumWidth(160);
    barra_->setValue(0);
    l->addWidget(barra_);
    auto* interrompi = PulsanteFigura(w, "CmdInterrompi", QStringLiteral("Interrompe elaborazione"),
                                      QStringLiteral("X"), ColoreRosa);
    interrompi->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(interrompi, &QToolButton::clicked, this, [this] { Interrompi(); });
    auto* help =
        PulsanteFigura(w, "CmdHelp", QStringLiteral("Help in linea"), QStringLiteral("?"), ColoreAzzurro);
    help->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    l->addWidget(interrompi);
    l->addWidget(help);
    return w;
}

QWidget* Costruttore::costruisciTabelle() {
    fgEV_ = GrigliaTabella(this, "FgEV", IntestazioneCasiCostruttore);
    fg1_ = GrigliaTabella(this, "fg1", IntestazioneElencoColpi);
    fgJ_ = GrigliaTabella(this, "FgJ", IntestazioneElencoCasi);
    fgZ_ = GrigliaTabella(this, "FgZ", IntestazioneMetodo);
    fgPr_ = GrigliaTabella(this, "FgPr", IntestazionePrevisioni);
    fgStat_ = GrigliaTabella(this, "FgStat", IntestazioneStatistiche);
    impostaLarghezze();
    // A thousand rows of short numbers: the widths need a sample of them, not every row measured again at
    // each change of the method.
    for (auto* g : {fg1_, fgJ_})
        g->horizontalHeader()->setResizeContentsPrecision(60);

    connect(fg1_, &Griglia::DoppioClic, this, [this](int r, int) { AggiungiAlMetodo(false, r); });
    connect(fgJ_, &Griglia::DoppioClic, this, [this](int r, int) { AggiungiAlMetodo(true, r); });
    connect(fgPr_, &Griglia::DoppioClic, this, [this](int r, int) { MostraRitardi(r); });
    for (auto* g : {fg1_, fgJ_, fgPr_})
        g->installEventFilter(this);
    connect(
        &fgZ_->Modello(), &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& da, const QModelIndex&) { OffsetModificato(da.row() + 1, da.column()); });

    const auto copia = [this](const char* nome, Griglia* g) {
        auto* b = PulsanteFigura(this, nome, QStringLiteral("Copia tabella"), QStringLiteral("C"),
                                 ColoreVerdeChiaro);
        connect(b, &QToolButton::clicked, this, [g] { g->CopiaNegliAppunti(); });
        return b;
    };
    auto* stampa = PulsanteFigura(this, "CmdStampaPrevisioni", QStringLiteral("Stampa tabella"),
                                  QStringLiteral("S"), ColoreAzzurroChiaro);
    stampa->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(stampa, &QToolButton::clicked, this,
            [this] { fgPr_->Stampa(dialoghi_, QStringLiteral("Previsioni"), QPageLayout::Portrait, 400); });
    auto* elimina = PulsanteFigura(this, "CmdEliminaUltima", QStringLiteral("Elimina ultima riga"),
                                   QStringLiteral("-"), ColoreRosa);
    auto* reset = PulsanteFigura(this, "CmdReset", QStringLiteral("Reset"), QStringLiteral("0"), ColoreRosa);
    for (auto* b : {elimina, reset}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        occupazione_.Bloccati.push_back(b);
    }
    connect(elimina, &QToolButton::clicked, this, &Costruttore::EliminaUltimaRiga);
    connect(reset, &QToolButton::clicked, this, &Costruttore::Reset);

    // Cases with their counters, and the forecast under them.
    auto* contaCasi = CostruisciConteggioCasi(this, QStringLiteral("N° casistiche esaminate"),
                                              QStringLiteral("N° casistiche totali"));
    auto* casi = Riquadro(this, QStringLiteral("Casi"), fgEV_, {copia("CmdCopiaCasi", fgEV_)}, contaCasi);
    auto* previsioni =
        Riquadro(this, QStringLiteral("Previsioni"), fgPr_, {copia("CmdCopiaPrevisioni", fgPr_), stampa});

    // The two lists on two tabs, the count of rows beside them.
    elenchi_ = new QTabWidget(this);
    elenchi_->setObjectName(QStringLiteral("SSTab1"));
    elenchi_->addTab(fg1_, QStringLiteral("Elenco per colpo sfaldamneto"));
    elenchi_->addTab(fgJ_, QStringLiteral("Elenco per casistiche coperture"));
    auto* conta = new QWidget(this);
    auto* lt = new QHBoxLayout(conta);
    lt->setContentsMargins(4, 0, 4, 0);
    lblTerzineValide_ = ValoreDestra(conta, "LblTerzineValide");
    lblConteggio_ = new QLabel(conta);
    lblConteggio_->setObjectName(QStringLiteral("LblConteggioLista"));
    lblConteggio_->setToolTip(QStringLiteral("Righe dell'elenco"));
    lblConteggio_->setMinimumWidth(40);
    lt->addWidget(EtichettaDestra(conta, QStringLiteral("N° terzine valide")));
    lt->addWidget(lblTerzineValide_);
    lt->addWidget(lblConteggio_);
    elenchi_->setCornerWidget(conta, Qt::TopRightCorner);

    // The method and its statistics.
    fgZ_->setMaximumHeight(AltezzaPerRighe(fgZ_, MassimoTerzineMetodo));
    fgStat_->setMaximumHeight(AltezzaPerRighe(fgStat_, 1));
    auto* basso = new QWidget(this);
    auto* lb = new QGridLayout(basso);
    lb->setContentsMargins(0, 0, 0, 0);
    lb->addWidget(Riquadro(basso, QStringLiteral("Metodo"), fgZ_, {elimina, reset}), 0, 0);
    auto* destraBasso = new QWidget(basso);
    auto* ldb = new QVBoxLayout(destraBasso);
    ldb->setContentsMargins(0, 0, 0, 0);
    ldb->addWidget(Riquadro(destraBasso, QStringLiteral("Statistica"), fgStat_, {}));
    atteso_ = new PannelloAtteso(dialoghi_, ctx_.Provate, QStringLiteral("Coperti"), false, destraBasso);
    ldb->addWidget(atteso_);
    ldb->addStretch(1);
    lb->addWidget(destraBasso, 0, 1, Qt::AlignTop);
    // The chance panel's verdict reads across the method and the panel; the lists give up its height.
    lb->addWidget(atteso_->StaccaGiudizio(), 1, 0, 1, 2);
    fgZ_->setMinimumWidth(LarghezzaTabella(fgZ_));
    lb->setColumnStretch(1, 1);
    lb->setRowStretch(2, 1);

    return DisponiColonne({{casi, previsioni}, {elenchi_, basso}});
}

void Costruttore::impostaLarghezze() {
    ColonneCentrate(fgEV_, {420, 720, 1100, 400, 450, 420, 380, 380, 380, 380, 380}, 220);
    ColonneCentrate(fg1_, {480, 480, 420, 420, 420, 400, 400}, 250);
    ColonneCentrate(fgJ_, {480, 480, 420, 420, 420, 400, 480}, 250);
    ColonneCentrate(fgZ_, {300, 620, 620, 620, 450, 600, 800, 220, 220});
    ColonneCentrate(fgPr_, {450, 720, 1100, 300, 420, 380, 450, 450, 450, 450, 420, 1300, 360});
    ColonneCentrate(fgStat_, {820, 720, 560, 520, 820, 560, 560});
    fgEV_->NascondiColonna(CR1N, true);
    fgPr_->NascondiColonna(PF1, true);
    fgJ_->NascondiColonna(5, true);
    for (int c : {MNCC, MNegative, MDue, MTre})
        fgZ_->NascondiColonna(c, true);
    // The offsets are chosen from 1 … 90; the rest of the method row is the source row's.
    QStringList numeri;
    for (int n = 1; n <= 90; ++n)
        numeri << QString::number(n);
    for (int c : {MN1, MN2, MN3})
        fgZ_->Modello().ImpostaElenco(c, numeri.join(QLatin1Char('|')));
    fgZ_->ImpostaModificabile(true);
}

void Costruttore::DistribuisciColonne() {
    // The cases and the forecast get the width that shows all their columns; the lists take the rest
    // and scroll. Once the user drags a divider, the widths are theirs.
    if (colonneSpostate_ || !tabelle_) return;
    const int sinistra = std::max(LarghezzaTabella(fgEV_), LarghezzaTabella(fgPr_)) + 4;
    tabelle_->setSizes({sinistra, std::max(tabelle_->width() - sinistra - tabelle_->handleWidth(), 0)});
}

bool Costruttore::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(oggetto, evento);
    const int tasto = static_cast<QKeyEvent*>(evento)->key();
    auto* g = qobject_cast<Griglia*>(oggetto);
    if (!g || (tasto != Qt::Key_Return && tasto != Qt::Key_Enter) || g->RigaCorrente() < 1)
        return QWidget::eventFilter(oggetto, evento);
    const int r = g->RigaCorrente();
    if (g == fg1_ || g == fgJ_)
        AggiungiAlMetodo(g == fgJ_, r);
    else if (g == fgPr_)
        MostraRitardi(r);
    return true;
}

// --- Painting ----------------------------------------------------------------------------------

void Costruttore::DipingiCasi() {
    const auto& s = stato_.Analisi();
    if (!s.CasiVisibili()) {
        fgEV_->ImpostaRighe(1);
        return;
    }
    RiempiGriglia(*fgEV_, TabellaCasiCostruttore(s.Archivio(), s.Casi()));
    StileCasi(fgEV_->Modello(), s);
    fgEV_->AllargaAlContenuto();
}

void Costruttore::DipingiElencoColpi() {
    RiempiGriglia(*fg1_, TabellaElencoColpi(stato_.Lista(), stato_.Colpi()));
    auto& m = fg1_->Modello();
    const int ultima = m.Righe() - 1;
    if (stato_.ListaCompleta()) StileListaCompleta(m);
    if (ultima >= 1 && !stato_.Colpi().empty()) {
        m.ImpostaSfondo(1, PrimaColonnaColpi, ultima, m.Colonne() - 1, ColoreAzzurroChiaro);
        for (size_t r = 0; r < stato_.Colpi().size() && static_cast<int>(r) < ultima; ++r)
            for (int c = 0; c < 20; ++c)
                if (stato_.Colpi()[r].Terno[static_cast<size_t>(c)])
                    m.ImpostaSfondo(static_cast<int>(r) + 1, PrimaColonnaColpi + c, ColoreAcceso);
    }
    fg1_->AllargaAlContenuto();
    const QString righe = stato_.ListaCompleta() ? QString::number(stato_.Lista().size()) : QString();
    lblTerzineValide_->setText(stato_.ListaCompleta() ? QString::fromStdString(FormatoMigliaia(
                                                            static_cast<long long>(stato_.Lista().size())))
                                                      : QString());
    lblConteggio_->setText(righe);
}

void Costruttore::DipingiElencoCasi() {
    RiempiGriglia(*fgJ_, TabellaElencoCasi(stato_.ListaCasi()));
    auto& m = fgJ_->Modello();
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    m.ImpostaGrassetto(1, 2, ultima, 4, true);
    m.ImpostaPrimoPiano(1, 2, ultima, 4, ColoreRosso);
    m.ImpostaSfondo(1, 2, ultima, 4, ColoreGiallo);
    m.ImpostaGrassetto(1, ColonnaSecondoCop, ultima, ColonnaSecondoCop, true);
    m.ImpostaSfondo(1, ColonnaSecondoCop, ultima, ColonnaSecondoCop, ColoreAzzurro);
    m.ImpostaGrassetto(1, 0, ultima, 0, true);
    m.ImpostaPrimoPiano(1, 0, ultima, 0, ColoreBlu);
    for (size_t r = 0; r < stato_.ListaCasi().size(); ++r)
        for (size_t k = 0; k < MassimoCasi; ++k) {
            const int segno = stato_.ListaCasi()[r].Coperture[k];
            if (segno)
                m.ImpostaSfondo(static_cast<int>(r) + 1, PrimaColonnaCasi + static_cast<int>(k),
                                segno == 3 ? ColoreArancio : ColoreAcceso);
        }
    fgJ_->AllargaAlContenuto();
}

void Costruttore::DipingiMetodo() {
    // Filling the table must not read as the user's edits.
    dipingendoMetodo_ = true;
    RiempiGriglia(*fgZ_, TabellaMetodo(stato_.Metodo()));
    const int ultima = fgZ_->Righe() - 1;
    if (ultima >= 1) {
        fgZ_->Modello().ImpostaPrimoPiano(1, MN1, ultima, MN3, ColoreRosso);
        fgZ_->Modello().ImpostaGrassetto(1, MN1, ultima, MN3, true);
    }
    dipingendoMetodo_ = false;
}

void Costruttore::DipingiPrevisioni() {
    DipingiPrevisione(*fgPr_, *fgStat_, stato_.Analisi().Archivio(), stato_.Analisi());
    StileCasi(fgEV_->Modello(), stato_.Analisi());
}

} // namespace trivalto
