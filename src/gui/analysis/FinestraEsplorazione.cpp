// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/FinestraEsplorazione.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RigaComandi.h"

namespace trivalto {

namespace {
constexpr int ArgomentoHelp = 850;

QDate Giorno(const std::string& testo) {
    return QDate::fromString(QString::fromStdString(testo), QStringLiteral("dd/MM/yyyy"));
}

/// A compact list of checkable entries; `accese` are checked at first.
QListWidget* ListaSpunte(QWidget* padre, const char* nome, const QStringList& voci, const QList<int>& accese,
                         bool inRiga) {
    auto* l = new QListWidget(padre);
    l->setObjectName(QString::fromLatin1(nome));
    for (int i = 0; i < voci.size(); ++i) {
        auto* voce = new QListWidgetItem(voci[i], l);
        voce->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        voce->setCheckState(accese.contains(i) ? Qt::Checked : Qt::Unchecked);
    }
    if (inRiga) {
        l->setFlow(QListView::LeftToRight);
        l->setWrapping(true);
    }
    l->setMaximumHeight(l->fontMetrics().height() * 6);
    return l;
}

std::vector<int> Spuntate(const QListWidget* l) {
    std::vector<int> scelte;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->checkState() == Qt::Checked) scelte.push_back(i);
    return scelte;
}

QString TestoPosizioni(int maschera) {
    QString t;
    for (int k = 4; k >= 0; --k)
        t += (maschera >> k) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return t;
}

} // namespace

// --- The chart ------------------------------------------------------------------------------------

GraficoEsplorazione::GraficoEsplorazione(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraficoEsplorazione"));
    setMinimumSize(260, 150);
    setToolTip(QStringLiteral("Ogni punto è un'impostazione provata, dalla p più piccola alla più grande. "
                              "La linea grigia è dove cadrebbero le p se nessuna impostazione valesse nulla: "
                              "punti sulla linea o sopra sono fortuna, non un metodo."));
}

void GraficoEsplorazione::Imposta(const EsitoEsplorazione& esito) {
    p_.clear();
    for (const auto& r : esito.Righe)
        if (r.Fatta) p_.push_back(r.P);
    std::sort(p_.begin(), p_.end());
    update();
}

void GraficoEsplorazione::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    const int sinistra = fm.horizontalAdvance(QStringLiteral("0,00")) + fm.height() + 10;
    const QRectF area(sinistra, fm.height() * 2 + 8, width() - sinistra - 12,
                      height() - fm.height() * 4 - 20);
    p.setPen(Qt::gray);
    p.drawRect(area);
    if (p_.empty()) {
        p.drawText(area, Qt::AlignCenter, QStringLiteral("Nessuna impostazione provata"));
        return;
    }
    const double m = static_cast<double>(p_.size());
    const auto punto = [&](double k, double y) {
        return QPointF(area.left() + area.width() * (k - 0.5) / m, area.bottom() - area.height() * y);
    };
    p.setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    p.drawLine(punto(0.5, 0.5 / (m + 1)), punto(m + 0.5, (m + 0.5) / (m + 1)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 200));
    const double r = std::clamp(area.width() / m / 3, 1.5, 4.0);
    for (size_t k = 0; k < p_.size(); ++k)
        p.drawEllipse(punto(static_cast<double>(k) + 1, p_[k]), r, r);

    p.setPen(Qt::black);
    p.drawText(QRectF(0, area.top() - fm.height() / 2.0, sinistra - 4, fm.height()), Qt::AlignRight,
               QStringLiteral("1"));
    p.drawText(QRectF(0, area.bottom() - fm.height() / 2.0, sinistra - 4, fm.height()), Qt::AlignRight,
               QStringLiteral("0"));
    p.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignCenter,
               QStringLiteral("impostazioni, dalla p più piccola (%1 in tutto)").arg(p_.size()));
    p.save();
    p.translate(fm.height(), area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, -fm.height(), area.height(), fm.height() + 2), Qt::AlignCenter,
               QStringLiteral("p"));
    p.restore();
    // The legend, above the plot.
    const qreal y = fm.height() / 2.0 + 4;
    p.setBrush(QColor(0, 0, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(area.left() + 6, y), 4, 4);
    p.setPen(Qt::black);
    p.drawText(QPointF(area.left() + 14, y + fm.ascent() / 2.0 - 1),
               QStringLiteral("p di ogni impostazione"));
    const qreal x2 = area.left() + 24 + fm.horizontalAdvance(QStringLiteral("p di ogni impostazione"));
    p.setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    p.drawLine(QPointF(x2, y), QPointF(x2 + 20, y));
    p.setPen(Qt::black);
    p.drawText(QPointF(x2 + 26, y + fm.ascent() / 2.0 - 1), QStringLiteral("ciò che dà il caso"));
}

// --- The window -----------------------------------------------------------------------------------

FinestraEsplorazione::FinestraEsplorazione(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi) {
    setObjectName(QStringLiteral("EsploraImpostazioni"));
    setWindowTitle(QStringLiteral("Esplora impostazioni"));
    setProperty("massimizzata", true);
    setProperty("ArgomentoHelp", ArgomentoHelp);

    auto* scelte = costruisciScelte();
    auto* fisse = costruisciFisse();
    auto* impostazioni = new QHBoxLayout;
    impostazioni->setSpacing(2);
    impostazioni->addWidget(scelte, 3);
    impostazioni->addWidget(fisse, 1);

    comandi_ = new RigaComandi(
        this, dialoghi_,
        {"CmdEsplora", QStringLiteral("ESPLORA"),
         QStringLiteral("Prova ogni impostazione con la verifica retroattiva fino alla data scelta"),
         "BarraEsplorazione", "CmdCopiaEsplorazione"},
        ArgomentoHelp);
    connect(comandi_->Comando(), &QPushButton::clicked, this, &FinestraEsplorazione::Esplora);
    connect(comandi_, &RigaComandi::Finito, this, &FinestraEsplorazione::LavoroFinito);
    comandi_->Blocca({scelte, fisse});
    lblConteggio_ = new QLabel(this);
    lblConteggio_->setObjectName(QStringLiteral("LblConteggio"));

    fgEsplorazione_ = GrigliaTabella(this, "FgEsplorazione",
                                     "N.|Ruota|Posizioni|Operazione|Trasformazione|Mensile|Da colpo|Colpi|"
                                     "Prove|Vincite|Vincite attese|p|p corretto");
    for (int c = 0; c < fgEsplorazione_->Modello().Colonne(); ++c)
        fgEsplorazione_->Modello().ImpostaCentrata(c, true);
    fgEsplorazione_->horizontalHeader()->setToolTip(
        QStringLiteral("Un clic sul titolo ordina per quella colonna; un secondo clic inverte l'ordine"));
    connect(fgEsplorazione_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FinestraEsplorazione::OrdinaPer);
    connect(comandi_->Copia(), &QToolButton::clicked, this, [this] { fgEsplorazione_->CopiaNegliAppunti(); });
    fgSintesi_ = GrigliaTabella(this, "FgSintesiEsplorazione", "Voce|Valore");
    // The values take the width the names leave and wrap rather than hide behind a sideways scroll.
    fgSintesi_->setWordWrap(true);
    fgSintesi_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    fgSintesi_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    fgSintesi_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A value that wraps on a narrower column makes its row taller.
    connect(fgSintesi_->verticalHeader(), &QHeaderView::sectionResized, this,
            &FinestraEsplorazione::AdattaSintesi);
    lblGiudizio_ = new QLabel(this);
    lblGiudizio_->setObjectName(QStringLiteral("LblGiudizio"));
    lblGiudizio_->setWordWrap(true);
    lblGiudizio_->setFrameShape(QFrame::StyledPanel);
    lblGiudizio_->setMargin(6);
    lblGiudizio_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGiudizio_->setText(QStringLiteral(
        "Chi prova molte impostazioni ne trova sempre una che sembra funzionare: la migliore di tante prove "
        "è fortunata per costruzione. Qui il conto tiene presente quante impostazioni sono state provate."));
    grafico_ = new GraficoEsplorazione(this);
    auto* destra = new QWidget(this);
    auto* ld = new QVBoxLayout(destra);
    ld->setContentsMargins(0, 0, 0, 0);
    ld->addWidget(Riquadro(destra, QStringLiteral("Sintesi"), fgSintesi_, {}));
    ld->addWidget(grafico_, 1);
    tabelle_ = new QSplitter(Qt::Horizontal, this);
    tabelle_->addWidget(Riquadro(this, QStringLiteral("Impostazioni provate"), fgEsplorazione_, {}));
    tabelle_->addWidget(destra);
    tabelle_->setStretchFactor(0, 3);
    tabelle_->setStretchFactor(1, 2);
    connect(tabelle_, &QSplitter::splitterMoved, this, [this] { colonneSpostate_ = true; });
    // The word-wrapped verdict makes the scroll area size the page by height for width, which adds up
    // preferred heights: the tables' would push the page past a 1280x800 screen for nothing. They take
    // what is left, down to the least they can show.
    tabelle_->setMinimumHeight(tabelle_->minimumSizeHint().height());
    tabelle_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(impostazioni);
    layout->addLayout(comandi_->Riga({lblConteggio_}));
    // The verdict across the window, in two or three lines: in the column beside the table it took the
    // chart's height.
    layout->addWidget(lblGiudizio_);
    layout->addWidget(tabelle_, 1);
    DisponiScorrevole(this, layout, "ScorriEsplorazione");
    grafico_->Imposta({});
    AdattaSintesi();
    AggiornaConteggio();
}

FinestraEsplorazione::~FinestraEsplorazione() = default;

void FinestraEsplorazione::Interrompi() {
    comandi_->Ferma();
}

bool FinestraEsplorazione::Occupata() const {
    return comandi_->Attiva();
}

QWidget* FinestraEsplorazione::costruisciScelte() {
    auto* g = new QGroupBox(QStringLiteral("Impostazioni da provare"), this);
    QStringList ruote, posizioni, trasformazioni, mensili{QStringLiteral("U")};
    for (int w = 0; w < NumeroRuote; ++w)
        ruote << QString::fromLatin1(CodiciRuote[static_cast<size_t>(w)].data(),
                                     static_cast<int>(CodiciRuote[static_cast<size_t>(w)].size()));
    for (int maschera = 31; maschera >= 1; --maschera)
        posizioni << TestoPosizioni(maschera);
    for (int t = 0; t < VociTrasformazione; ++t)
        trasformazioni << (NomiTrasformazioni[static_cast<size_t>(t)].empty()
                               ? QString::number(t)
                               : QString::fromLatin1(
                                     NomiTrasformazioni[static_cast<size_t>(t)].data(),
                                     static_cast<int>(NomiTrasformazioni[static_cast<size_t>(t)].size())));
    for (int m = 1; m <= 31; ++m)
        mensili << QString::number(m);
    const auto& a = ctx_.Archivio();
    const int mese = a.NumeroEstrazioni > 0 ? a.PosizioneMese[static_cast<size_t>(a.UltimaEstrazione)] : 1;
    lstRuote_ = ListaSpunte(g, "LstRuote", ruote, {0}, true);
    lstPosizioni_ = ListaSpunte(g, "LstPosizioni", posizioni, {0}, false);
    lstTrasformazioni_ = ListaSpunte(g, "LstTrasformazioni", trasformazioni, {0}, false);
    lstMensili_ = ListaSpunte(g, "LstMensili", mensili, {mese}, false);
    lstMensili_->scrollToItem(lstMensili_->item(mese));
    lstRuote_->setToolTip(QStringLiteral("Le ruote base: il parametro si legge su questa ruota"));
    lstMensili_->setToolTip(
        QStringLiteral("\"U\" è l'ultima estrazione del mese, 1..31 la posizione nel mese"));
    chkSomma_ = new QCheckBox(QStringLiteral("somma"), g);
    chkDistanza_ = new QCheckBox(QStringLiteral("distanza"), g);
    chkDifferenza_ = new QCheckBox(QStringLiteral("differenza"), g);
    chkSomma_->setObjectName(QStringLiteral("ChkSomma"));
    chkDistanza_->setObjectName(QStringLiteral("ChkDistanza"));
    chkDifferenza_->setObjectName(QStringLiteral("ChkDifferenza"));
    chkSomma_->setChecked(true);
    chkDistanza_->setToolTip(QStringLiteral("Solo con due posizioni abilitate"));
    chkDifferenza_->setToolTip(chkDistanza_->toolTip());
    const auto spin = [g](const char* nome, int minimo, int massimo, int valore) {
        auto* s = new QSpinBox(g);
        s->setObjectName(QString::fromLatin1(nome));
        s->setRange(minimo, massimo);
        s->setValue(valore);
        s->setAlignment(Qt::AlignRight);
        return s;
    };
    spnDaColpoDa_ = spin("SpnDaColpoDa", 1, 5, 1);
    spnDaColpoA_ = spin("SpnDaColpoA", 1, 5, 1);
    spnColpiDa_ = spin("SpnColpiDa", 1, 20, 8);
    spnColpiA_ = spin("SpnColpiA", 1, 20, 8);

    auto* operazioni = new QVBoxLayout;
    for (auto* c : {chkSomma_, chkDistanza_, chkDifferenza_})
        operazioni->addWidget(c);
    operazioni->addStretch(1);
    auto* finestra = new QGridLayout;
    finestra->addWidget(EtichettaDestra(g, QStringLiteral("Da colpo")), 0, 0);
    finestra->addWidget(spnDaColpoDa_, 0, 1);
    finestra->addWidget(new QLabel(QStringLiteral("a"), g), 0, 2);
    finestra->addWidget(spnDaColpoA_, 0, 3);
    finestra->addWidget(EtichettaDestra(g, QStringLiteral("Colpi")), 1, 0);
    finestra->addWidget(spnColpiDa_, 1, 1);
    finestra->addWidget(new QLabel(QStringLiteral("a"), g), 1, 2);
    finestra->addWidget(spnColpiA_, 1, 3);
    finestra->setRowStretch(2, 1);

    auto* l = new QGridLayout(g);
    const QString titoli[] = {QStringLiteral("Ruota base"), QStringLiteral("Posizioni"),
                              QStringLiteral("Operazione"), QStringLiteral("Trasformazione"),
                              QStringLiteral("Mensile"),    QStringLiteral("Finestra di gioco")};
    for (int c = 0; c < 6; ++c)
        l->addWidget(new QLabel(titoli[c], g), 0, c);
    l->addWidget(lstRuote_, 1, 0);
    l->addWidget(lstPosizioni_, 1, 1);
    l->addLayout(operazioni, 1, 2);
    l->addWidget(lstTrasformazioni_, 1, 3);
    l->addWidget(lstMensili_, 1, 4);
    l->addLayout(finestra, 1, 5);
    lstRuote_->setMinimumWidth(lstRuote_->fontMetrics().horizontalAdvance(QStringLiteral("BA BA BA BA ")) +
                               40);

    for (auto* lista : {lstRuote_, lstPosizioni_, lstTrasformazioni_, lstMensili_})
        connect(lista, &QListWidget::itemChanged, this, &FinestraEsplorazione::AggiornaConteggio);
    for (auto* c : {chkSomma_, chkDistanza_, chkDifferenza_})
        connect(c, &QCheckBox::toggled, this, &FinestraEsplorazione::AggiornaConteggio);
    for (auto* s : {spnDaColpoDa_, spnDaColpoA_, spnColpiDa_, spnColpiA_})
        connect(s, &QSpinBox::valueChanged, this, &FinestraEsplorazione::AggiornaConteggio);
    return g;
}

QWidget* FinestraEsplorazione::costruisciFisse() {
    auto* g = new QGroupBox(QStringLiteral("Uguali per tutte"), this);
    spnCasi_ = new QSpinBox(g);
    spnCasi_->setObjectName(QStringLiteral("SpnCasi"));
    spnCasi_->setRange(1, MassimoCasi);
    spnCasi_->setValue(12);
    spnElenco_ = new QSpinBox(g);
    spnElenco_->setObjectName(QStringLiteral("SpnElenco"));
    spnElenco_->setRange(10, MassimoElenco);
    spnElenco_->setSingleStep(10);
    spnElenco_->setValue(50);
    cboGioca_ = new QComboBox(g);
    cboGioca_->setObjectName(QStringLiteral("CboGioca"));
    cboGioca_->addItems(
        {QStringLiteral("la migliore terzina"), QStringLiteral("la migliore combinazione di 1"),
         QStringLiteral("la migliore combinazione di 2"), QStringLiteral("la migliore combinazione di 3")});
    chkTutteLeRuote_ = new QCheckBox(QStringLiteral("Gioca su tutte le ruote"), g);
    chkTutteLeRuote_->setObjectName(QStringLiteral("ChkTutteLeRuote"));
    chkTutteLeRuote_->setToolTip(QStringLiteral("Altrimenti ogni impostazione gioca sulla sua ruota base"));
    datFinoA_ = new QDateEdit(g);
    datFinoA_->setObjectName(QStringLiteral("DatFinoA"));
    datFinoA_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    datFinoA_->setCalendarPopup(true);
    datFinoA_->setToolTip(QStringLiteral("La classifica legge solo le estrazioni fino a questa data; la "
                                         "migliore impostazione si gioca poi una volta sulle successive"));
    const auto& a = ctx_.Archivio();
    if (a.NumeroEstrazioni > 0) {
        datFinoA_->setDateRange(Giorno(a.DateEstrazioni[1]),
                                Giorno(a.DateEstrazioni[static_cast<size_t>(a.NumeroEstrazioni)]));
        datFinoA_->setDate(Giorno(a.DateEstrazioni[static_cast<size_t>(TaglioPredefinito(a))]));
    }
    spnCasuali_ = new QSpinBox(g);
    spnCasuali_->setObjectName(QStringLiteral("SpnCasuali"));
    spnCasuali_->setRange(0, 1000);
    spnCasuali_->setValue(100);
    spnCasuali_->setToolTip(QStringLiteral("Archivi di estrazioni casuali su cui ricontrollare la migliore"));
    auto* l = new QGridLayout(g);
    const std::pair<QString, QWidget*> righe[] = {{QStringLiteral("Casi"), spnCasi_},
                                                  {QStringLiteral("Elenco"), spnElenco_},
                                                  {QStringLiteral("Gioca"), cboGioca_},
                                                  {QStringLiteral("Fino a"), datFinoA_},
                                                  {QStringLiteral("Archivi casuali"), spnCasuali_}};
    int r = 0;
    for (const auto& [testo, controllo] : righe) {
        l->addWidget(EtichettaDestra(g, testo), r, 0);
        l->addWidget(controllo, r++, 1);
    }
    l->addWidget(chkTutteLeRuote_, r, 0, 1, 2);
    return g;
}

GrigliaEsplorazione FinestraEsplorazione::LeggiGriglia() const {
    GrigliaEsplorazione g;
    g.Base.Casi.NumeroCasi = spnCasi_->value();
    g.Base.Elenco = spnElenco_->value() / 10 * 10;
    g.Base.K = cboGioca_->currentIndex();
    g.GiocaSullaRuotaBase = !chkTutteLeRuote_->isChecked();
    g.Base.Ruote.fill(true);
    g.Ruote = Spuntate(lstRuote_);
    g.Posizioni.clear();
    for (int i : Spuntate(lstPosizioni_)) {
        PosizioniAbilitate p{};
        for (int k = 0; k < 5; ++k)
            p[static_cast<size_t>(k)] = ((31 - i) >> (4 - k)) & 1;
        g.Posizioni.push_back(p);
    }
    g.Operazioni.clear();
    const std::pair<QCheckBox*, Operazione> operazioni[] = {{chkSomma_, Operazione::Somma},
                                                            {chkDistanza_, Operazione::Distanza},
                                                            {chkDifferenza_, Operazione::Differenza}};
    for (const auto& [c, o] : operazioni)
        if (c->isChecked()) g.Operazioni.push_back(o);
    g.Trasformazioni = Spuntate(lstTrasformazioni_);
    g.Mensili = Spuntate(lstMensili_); // entry 0 is "U", entry m is ordinal m
    g.DaColpi.clear();
    for (int d = spnDaColpoDa_->value(); d <= spnDaColpoA_->value(); ++d)
        g.DaColpi.push_back(d);
    g.Colpi.clear();
    for (int c = spnColpiDa_->value(); c <= spnColpiA_->value(); ++c)
        g.Colpi.push_back(c);
    return g;
}

int FinestraEsplorazione::LeggiFinoA() const {
    const QDate d = datFinoA_->date();
    return UltimaFinoA(ctx_.Archivio(), {d.day(), d.month(), d.year()});
}

void FinestraEsplorazione::AggiornaConteggio() {
    const auto n = ImpostazioniDellaGriglia(LeggiGriglia()).size();
    lblConteggio_->setText(QStringLiteral("Impostazioni da provare: %1").arg(n));
}

void FinestraEsplorazione::Esplora() {
    if (comandi_->Attiva()) return;
    const auto griglia = LeggiGriglia();
    if (ImpostazioniDellaGriglia(griglia).empty()) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Nessuna impostazione da provare: scegliere almeno una ruota, una "
                                           "posizione, un'operazione, una trasformazione e un mensile "
                                           "(distanza e differenza vogliono due posizioni)."),
                            QStringLiteral("Avviso"), Dialoghi::Icona::Informazione);
        return;
    }
    SceltaEsplorazione scelta;
    scelta.FinoA = LeggiFinoA();
    scelta.Permutazioni = spnCasuali_->value();
    if (scelta.FinoA < 1) {
        dialoghi_.Messaggio(this, QStringLiteral("La data scelta precede la prima estrazione dell'archivio."),
                            QStringLiteral("Avviso"), Dialoghi::Icona::Informazione);
        return;
    }
    auto archivio = ctx_.Istantanea();
    const std::string data = archivio->DateEstrazioni[static_cast<size_t>(scelta.FinoA)];
    comandi_->Avvia<EsitoEsplorazione>(
        [archivio, griglia, scelta](const ControlloLavoro& ctl) {
            return trivalto::Esplora(*archivio, griglia, scelta, ctl);
        },
        [this, data](EsitoEsplorazione e) {
            // A stop keeps the settings that ran: their rows are shown, marked as a partial result.
            esito_ = std::move(e);
            dataFinoA_ = data;
            Mostra();
        });
}

void FinestraEsplorazione::Mostra() {
    ordine_.clear();
    for (size_t k = 0; k < esito_.Righe.size(); ++k)
        if (esito_.Righe[k].Fatta) ordine_.push_back(k);
    colonnaOrdine_ = -1;
    RiempiTabella();
    auto sintesi = TabellaSintesiEsplorazione(esito_, dataFinoA_);
    sintesi.Righe.pop_back(); // the verdict has a place of its own, above the figures
    RiempiGriglia(*fgSintesi_, sintesi);
    // Every row when there is room; when there is not, the chart keeps its least height and the
    // summary scrolls.
    // The names on one line each: measured with wrapping on, a column sized to its contents only
    // shrinks.
    fgSintesi_->setWordWrap(false);
    fgSintesi_->resizeColumnToContents(0);
    fgSintesi_->setWordWrap(true);
    fgSintesi_->resizeRowsToContents();
    AdattaSintesi();
    QString giudizio = QString::fromStdString(GiudizioEsplorazione(esito_, dataFinoA_));
    // A stop after every setting ran is told by the verdict itself: the ranking is whole.
    if (esito_.Interrotta && esito_.Provate < static_cast<int>(esito_.Righe.size()))
        giudizio = QStringLiteral("Esplorazione interrotta: il giudizio vale solo per le %1 impostazioni "
                                  "provate su %2.\n")
                       .arg(esito_.Provate)
                       .arg(esito_.Righe.size()) +
                   giudizio;
    lblGiudizio_->setText(giudizio);
    grafico_->Imposta(esito_);
    AdattaDivisione();
}

void FinestraEsplorazione::AdattaDivisione() {
    // The p values, at the table's right end, stay in sight while the summary and the chart keep a
    // readable width; once the user drags the divider, the widths are theirs.
    if (colonneSpostate_) return;
    const int totale = tabelle_->width() - tabelle_->handleWidth();
    const int tabella = std::min(LarghezzaTabella(fgEsplorazione_) + 8, totale - 360);
    if (tabella > tabelle_->sizes().value(0)) tabelle_->setSizes({tabella, totale - tabella});
}

void FinestraEsplorazione::AdattaSintesi() {
    int altezza = fgSintesi_->horizontalHeader()->sizeHint().height() + 2 * fgSintesi_->frameWidth();
    for (int r = 0; r < fgSintesi_->model()->rowCount(); ++r)
        altezza += fgSintesi_->rowHeight(r);
    fgSintesi_->setMaximumHeight(altezza);
}

void FinestraEsplorazione::RiempiTabella() {
    EsitoEsplorazione vista;
    for (size_t k : ordine_)
        vista.Righe.push_back(esito_.Righe[k]);
    RiempiGriglia(*fgEsplorazione_, TabellaEsplorazione(vista));
    // "N." is the rank by p and stays with its setting whatever column the rows are sorted by.
    for (size_t i = 0; i < ordine_.size(); ++i)
        fgEsplorazione_->Modello().ImpostaTesto(static_cast<int>(i) + 1, 0, QString::number(ordine_[i] + 1));
    // A shown sort indicator widens every column by the arrow's room, which pushed the p values out
    // of sight: the widths are taken without it, and only the sorted column gets the room.
    auto* titoli = fgEsplorazione_->horizontalHeader();
    titoli->setSortIndicatorShown(false);
    fgEsplorazione_->resizeColumnsToContents();
    if (colonnaOrdine_ < 0) return;
    titoli->setSortIndicator(colonnaOrdine_, crescente_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    titoli->setSortIndicatorShown(true);
    fgEsplorazione_->setColumnWidth(colonnaOrdine_, std::max(fgEsplorazione_->columnWidth(colonnaOrdine_),
                                                             titoli->sectionSizeHint(colonnaOrdine_)));
}

void FinestraEsplorazione::OrdinaPer(int colonna) {
    if (ordine_.empty() || colonna < 0) return;
    crescente_ = colonna == colonnaOrdine_ ? !crescente_ : true;
    colonnaOrdine_ = colonna;
    // The values, never the texts: "0,0400" and "12" sort as numbers.
    const auto chiave = [this, colonna](size_t k) -> double {
        const auto& r = esito_.Righe[k];
        const auto& s = r.Scelta;
        switch (colonna) {
        case 1:
            return s.Ruota;
        case 2:
            return -(s.Posizioni[0] * 16 + s.Posizioni[1] * 8 + s.Posizioni[2] * 4 + s.Posizioni[3] * 2 +
                     s.Posizioni[4]);
        case 3:
            return static_cast<int>(s.Tipo);
        case 4:
            return s.Trasformazione;
        case 5:
            return s.Mensile;
        case 6:
            return s.DaColpo;
        case 7:
            return s.Colpi;
        case 8:
            return r.Prove;
        case 9:
            return r.Vincite;
        case 10:
            return r.Attese;
        case 11:
            return r.P;
        case 12:
            return r.PCorretto;
        default:
            return static_cast<double>(k); // "N.": the rank
        }
    };
    std::stable_sort(ordine_.begin(), ordine_.end(), [&](size_t x, size_t y) {
        return crescente_ ? chiave(x) < chiave(y) : chiave(x) > chiave(y);
    });
    RiempiTabella();
    AdattaDivisione();
}

} // namespace trivalto
