// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the archive window: its four pages, the entry boxes and the opening values.
#include "gui/archive/Archivio.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/shell/ContestoProgramma.h"
#include "gui/archive/CasellaNumero.h"
#include "gui/archive/PaginaAggiornamenti.h"
#include "gui/archive/PaginaSalvataggi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/RicercaEstrazione.h"

namespace trivalto {

namespace {

constexpr int ArgomentoHelp = 320;

/// Header sections with almost no margin: the calendar's day columns are two digits wide, and the
/// usual margin of the Windows style cuts "10" ... "31" down to their first digit.
class IntestazioneStretta : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metrica, const QStyleOption* opzione, const QWidget* widget) const override {
        if (metrica == PM_HeaderMargin) return 1;
        return QProxyStyle::pixelMetric(metrica, opzione, widget);
    }
};

QToolButton* Figura(QWidget* padre, const char* nome, const QString& testo, const QString& simbolo,
                    Colore colore) {
    auto* b = PulsanteFigura(padre, nome, testo, simbolo, colore);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return b;
}

/// A date typed in full, as GG/MM/AAAA or without the leading zeros; invalid otherwise.
QDate DataDigitata(const QString& testo) {
    const QString t = testo.trimmed();
    QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    return d;
}

} // namespace

Archivio::Archivio(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                   std::function<void()> ricarica, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi), ricarica_(std::move(ricarica)) {
    setObjectName(QStringLiteral("archivio"));
    setWindowTitle(QStringLiteral("Gestione archivio DB"));
    setProperty("massimizzata", true);
    setProperty("ArgomentoHelp", ArgomentoHelp);
    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    SSTab1_->addTab(costruisciGestione(), QStringLiteral("&Gestione estrazioni"));
    SSTab1_->addTab(costruisciElenco(), QStringLiteral("Elenco estrazioni"));
    salvataggi_ = new PaginaSalvataggi(ctx_, dialoghi_, barra, PulsanteHelp(this), this);
    SSTab1_->addTab(salvataggi_, QStringLiteral("Salvataggi"));
    aggiornamenti_ = new PaginaAggiornamenti(
        ctx_, dialoghi_, barra, [this] { Ricarica(); }, PulsanteHelp(this, 330), this);
    connect(aggiornamenti_, &PaginaAggiornamenti::MostraPrimaPagina, this,
            [this] { SSTab1_->setCurrentIndex(0); });
    SSTab1_->addTab(aggiornamenti_, QStringLiteral("Aggiornamenti"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(SSTab1_);
    apertura();
}

QPushButton* Archivio::PulsanteHelp(QWidget* padre, int argomento) {
    auto* b = new QPushButton(IconaPulsante(QStringLiteral("?"), ColoreAzzurro, 20), QString(), padre);
    b->setObjectName(QStringLiteral("CmdHelp"));
    b->setToolTip(QStringLiteral("Help in linea"));
    connect(b, &QPushButton::clicked, this, [this, argomento] { dialoghi_.Help(this, argomento); });
    return b;
}

QWidget* Archivio::costruisciGestione() {
    auto* pagina = new QWidget(this);
    auto* g = new QGridLayout(pagina);
    g->addWidget(costruisciCaselle(pagina), 0, 0, 2, 1);
    g->addWidget(costruisciNavigazione(pagina), 0, 1);
    g->addWidget(costruisciCalendario(pagina), 1, 1);
    g->addWidget(costruisciStatistica(pagina), 0, 2, 2, 1);
    g->setColumnStretch(2, 1);
    return pagina;
}

QWidget* Archivio::costruisciCaselle(QWidget* padre) {
    auto* gruppo = new QGroupBox(QStringLiteral("Estrazione"), padre);
    auto* g = new QGridLayout(gruppo);
    g->setHorizontalSpacing(3);
    g->setVerticalSpacing(3);
    for (int w = 0; w < NumeroRuote; ++w) {
        auto* nome =
            new QLabel(QString::fromLatin1(NomiRuote[static_cast<size_t>(w)].data(),
                                           static_cast<qsizetype>(NomiRuote[static_cast<size_t>(w)].size())),
                       gruppo);
        nome->setObjectName(QStringLiteral("LblRuota%1").arg(w));
        g->addWidget(nome, w, 0);
        for (int p = 0; p < NumeriPerRuota; ++p) {
            const int b = w * 5 + p + 1;
            auto* c = new CasellaNumero(b, gruppo);
            txtin_[static_cast<size_t>(b - 1)] = c;
            g->addWidget(c, w, p + 1);
            connect(c, &CasellaNumero::Sposta, this, [this](int d) {
                auto* dest = txtin_[static_cast<size_t>(d - 1)];
                dest->setFocus(Qt::TabFocusReason);
            });
        }
    }
    auto* salva = PulsanteComando(gruppo, "Command8", QStringLiteral("SALVA ESTRAZIONE"));
    auto* modifica = PulsanteComando(gruppo, "Command3", QStringLiteral("MODIFICA ESTRAZIONE"));
    auto* elimina = PulsanteComando(gruppo, "Command2", QStringLiteral("ELIMINA ESTRAZIONE"));
    auto* azzera = PulsanteComando(gruppo, "CmdAzzera", QStringLiteral("AZZERA GRID"));
    auto* incolla = PulsanteComando(gruppo, "CmdIncolla", QStringLiteral("INCOLLA ESTRAZIONE"));
    txtIncolla_ = new QLineEdit(gruppo);
    txtIncolla_->setObjectName(QStringLiteral("TxtIncolla"));
    txtIncolla_->setReadOnly(true);
    txtIncolla_->setToolTip(QStringLiteral("Testo incollato dagli appunti"));
    int r = NumeroRuote;
    for (auto* b : {salva, modifica, elimina, azzera, incolla})
        g->addWidget(b, r++, 0, 1, 6);
    g->addWidget(txtIncolla_, r, 0, 1, 6);
    g->setRowStretch(r + 1, 1);
    // Keys for a draw typed without the mouse; the captions stay as they are.
    for (auto [b, tasto, nome] :
         {std::tuple{salva, Qt::Key_S, "Alt+S"}, std::tuple{modifica, Qt::Key_M, "Alt+M"},
          std::tuple{elimina, Qt::Key_E, "Alt+E"}, std::tuple{azzera, Qt::Key_Z, "Alt+Z"},
          std::tuple{incolla, Qt::Key_I, "Alt+I"}}) {
        b->setShortcut(QKeySequence(Qt::ALT | tasto));
        b->setToolTip(QStringLiteral("Tasto rapido: ") + QString::fromLatin1(nome));
    }
    connect(salva, &QPushButton::clicked, this, &Archivio::SalvaEstrazione);
    connect(modifica, &QPushButton::clicked, this, &Archivio::ModificaEstrazione);
    connect(elimina, &QPushButton::clicked, this, &Archivio::EliminaEstrazione);
    connect(azzera, &QPushButton::clicked, this, &Archivio::AzzeraGriglia);
    connect(incolla, &QPushButton::clicked, this, &Archivio::IncollaEstrazione);
    return gruppo;
}

QWidget* Archivio::costruisciNavigazione(QWidget* padre) {
    auto* gruppo = new QGroupBox(QStringLiteral("Archivio"), padre);
    LBLESTRAZIONE_ = EtichettaValore(gruppo, "LBLESTRAZIONE", 160);
    QFont grande = LBLESTRAZIONE_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    LBLESTRAZIONE_->setFont(grande);
    HScrestrazione_ = new QScrollBar(Qt::Horizontal, gruppo);
    HScrestrazione_->setObjectName(QStringLiteral("HScrestrazione"));
    HScrestrazione_->setPageStep(10);
    pAN_DC_ = EtichettaValore(gruppo, "pAN_DC", 70);
    pAN_DC_->setCursor(Qt::PointingHandCursor);
    pAN_DC_->setToolTip(QStringLiteral("Clic per digitare il numero indice"));
    pAN_DC_->installEventFilter(this);
    lblNumero_ = EtichettaValore(gruppo, "LblNumEstrazioni", 90);
    lblAggiornati_ = EtichettaValore(gruppo, "LblAggiornatoAl", 90);
    LabelPM_ = EtichettaValore(gruppo, "LabelPM", 40);
    LabelPA_ = EtichettaValore(gruppo, "LabelPA", 40);
    auto* ultima = Figura(gruppo, "CmdUltima", QStringLiteral("Vai ultima estrazione"), QStringLiteral(">|"),
                          ColoreGialloChiaro);
    auto* indice = Figura(gruppo, "CmdCercaIndice", QStringLiteral("Ricerca per numero indice"),
                          QStringLiteral("#"), ColoreGialloChiaro);
    auto* data = Figura(gruppo, "CmdCercaData", QStringLiteral("Ricerca per data"), QStringLiteral("D"),
                        ColoreGialloChiaro);

    auto* g = new QGridLayout(gruppo);
    g->addWidget(LBLESTRAZIONE_, 0, 0, 1, 2);
    g->addWidget(HScrestrazione_, 1, 0, 1, 2);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(new QLabel(QStringLiteral("Indice"), gruppo));
    pulsanti->addWidget(pAN_DC_);
    pulsanti->addStretch(1);
    for (auto* b : {ultima, indice, data})
        pulsanti->addWidget(b);
    g->addLayout(pulsanti, 2, 0, 1, 2);
    int riga = 3;
    for (auto [testo, valore] :
         {std::pair{"Num estraz", lblNumero_}, std::pair{"Dati aggiornati al", lblAggiornati_},
          std::pair{"Mensile", LabelPM_}, std::pair{"Annuale", LabelPA_}}) {
        g->addWidget(new QLabel(QString::fromUtf8(testo), gruppo), riga, 0);
        g->addWidget(valore, riga++, 1);
    }

    connect(HScrestrazione_, &QScrollBar::valueChanged, this, [this](int k) {
        indiceCorrente_ = k;
        pAN_DC_->setText(QString::number(k));
        const auto& a = ctx_.Archivio();
        LBLESTRAZIONE_->setText(k >= 1 && k <= a.NumeroEstrazioni
                                    ? QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(k)])
                                    : QString());
        CaricaTabellaArchivio();
    });
    connect(ultima, &QToolButton::clicked, this,
            [this] { MostraEstrazione(ctx_.Archivio().NumeroEstrazioni); });
    connect(indice, &QToolButton::clicked, this, [this] {
        if (auto k = CercaPerIndice(dialoghi_, this, ctx_.Archivio(), 20)) MostraEstrazione(*k);
    });
    connect(data, &QToolButton::clicked, this, [this] {
        if (auto k = CercaPerData(dialoghi_, this, ctx_.Archivio())) MostraEstrazione(*k);
    });
    return gruppo;
}

QWidget* Archivio::costruisciCalendario(QWidget* padre) {
    auto* gruppo = new QGroupBox(QStringLiteral("Data della nuova estrazione"), padre);
    MonthView1_ = new QCalendarWidget(gruppo);
    MonthView1_->setObjectName(QStringLiteral("MonthView1"));
    MonthView1_->setGridVisible(true);
    MonthView1_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    MonthView1_->setFirstDayOfWeek(Qt::Monday);
    MonthView1_->setMaximumSize(300, 230);
    MonthView1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    txtDataScelta_ = new QLineEdit(gruppo);
    txtDataScelta_->setObjectName(QStringLiteral("TxtDataSelezionata"));
    txtDataScelta_->setMaxLength(10);
    txtDataScelta_->setAlignment(Qt::AlignCenter);
    txtDataScelta_->setToolTip(QStringLiteral("Digitare la data come GG/MM/AAAA. Tasto rapido: Alt+D"));
    auto* oggi = Figura(gruppo, "CmdDataOdierna", QStringLiteral("Imposta data odierna"), QStringLiteral("O"),
                        ColoreVerdeChiaro);
    auto* dellEstrazione = Figura(gruppo, "CmdImpostaData", QStringLiteral("Imposta data"),
                                  QStringLiteral("="), ColoreVerdeChiaro);
    auto* nota =
        new QLabel(QStringLiteral("Attenzione: la data considerata è quella del calendario e riportata "
                                  "anche nella casella Data selezionata"),
                   gruppo);
    nota->setWordWrap(true);
    nota->setMaximumWidth(300);
    nota->setStyleSheet(QStringLiteral("color: #a00000;"));
    auto* g = new QGridLayout(gruppo);
    g->addWidget(MonthView1_, 0, 0, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Data selezionata"), gruppo), 1, 0);
    g->addWidget(txtDataScelta_, 1, 1);
    g->addWidget(oggi, 1, 2);
    g->addWidget(dellEstrazione, 1, 3);
    g->addWidget(nota, 2, 0, 1, 4);
    connect(MonthView1_, &QCalendarWidget::clicked, this, [this](const QDate& d) {
        ImpostaDataScelta(d);
        txtDataScelta_->setFocus();
    });
    connect(MonthView1_, &QCalendarWidget::selectionChanged, this, [this] {
        txtDataScelta_->setText(MonthView1_->selectedDate().toString(QStringLiteral("dd/MM/yyyy")));
    });
    // A date typed in full moves the calendar, which stays the date that counts; whatever else is
    // left in the box gives way to the calendar's date when the box is left.
    connect(txtDataScelta_, &QLineEdit::textEdited, this, [this](const QString& testo) {
        const QDate d = DataDigitata(testo);
        if (d.isValid() && d != MonthView1_->selectedDate()) {
            const QSignalBlocker blocco(MonthView1_);
            MonthView1_->setSelectedDate(d);
        }
    });
    connect(txtDataScelta_, &QLineEdit::editingFinished, this, [this] {
        txtDataScelta_->setText(MonthView1_->selectedDate().toString(QStringLiteral("dd/MM/yyyy")));
    });
    // The date of a new draw without the mouse: the calendar is far along the tab order.
    auto* vaiAllaData = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_D), this);
    connect(vaiAllaData, &QShortcut::activated, this, [this] {
        SSTab1_->setCurrentIndex(0);
        txtDataScelta_->setFocus(Qt::ShortcutFocusReason);
        txtDataScelta_->selectAll();
    });
    connect(oggi, &QToolButton::clicked, this, [this] { ImpostaDataScelta(QDate::currentDate()); });
    connect(dellEstrazione, &QToolButton::clicked, this, [this] {
        const QDate d = QDate::fromString(LBLESTRAZIONE_->text(), QStringLiteral("dd/MM/yyyy"));
        if (d.isValid()) ImpostaDataScelta(d);
    });
    return gruppo;
}

QWidget* Archivio::costruisciStatistica(QWidget* padre) {
    auto* colonna = new QWidget(padre);
    auto* v = new QVBoxLayout(colonna);
    v->setContentsMargins(0, 0, 0, 0);
    auto* gruppo = new QGroupBox(QStringLiteral("Calendario delle estrazioni"), colonna);
    cboAnno_ = new QComboBox(gruppo);
    cboAnno_->setObjectName(QStringLiteral("CboAnno"));
    cboAnno_->setMaxVisibleItems(20);
    auto* carica = new QPushButton(QStringLiteral("Carica calendario"), gruppo);
    carica->setObjectName(QStringLiteral("CmdCaricaCalendario"));
    chkSigla_ = new QCheckBox(QStringLiteral("Sigla giorno settimana"), gruppo);
    chkSigla_->setObjectName(QStringLiteral("ChkSigla"));
    auto* sigle = new QPushButton(QStringLiteral("D L M"), gruppo);
    sigle->setObjectName(QStringLiteral("Command17"));
    sigle->setToolTip(QStringLiteral("Mostra le sigle dei giorni della settimana"));
    fg1_ = new Griglia(gruppo);
    fg1_->setObjectName(QStringLiteral("fg1"));
    fg1_->ImpostaIntestazione(QStringLiteral("A|M"));
    fg1_->setTabKeyNavigation(false); // Tab leaves the grid instead of walking its cells
    // Up to 31 day columns beside year and month: a smaller type lets a whole year fit the page.
    QFont piccolo = fg1_->font();
    piccolo.setPointSizeF(piccolo.pointSizeF() * 0.85);
    fg1_->setFont(piccolo);
    fg1_->horizontalHeader()->setFont(piccolo);
    fg1_->horizontalHeader()->setMinimumSectionSize(8);
    auto* stretta = new IntestazioneStretta;
    stretta->setParent(fg1_);
    fg1_->horizontalHeader()->setStyle(stretta);
    auto* legenda =
        new QLabel(QStringLiteral("1=(D) Domenica  2=(L) Lunedì   3=(M) Martedì  4=(m) Mercoledì  "
                                  "5=(G) Giovedì  6=(V) Venerdì  7=(S) Sabato"),
                   gruppo);
    legenda->setWordWrap(true);
    auto* g = new QGridLayout(gruppo);
    g->addWidget(new QLabel(QStringLiteral("Anno"), gruppo), 0, 0);
    g->addWidget(cboAnno_, 0, 1);
    g->addWidget(carica, 0, 2);
    g->addWidget(chkSigla_, 1, 0, 1, 2);
    g->addWidget(sigle, 1, 2);
    g->setColumnStretch(3, 1);
    g->addWidget(fg1_, 2, 0, 1, 4);
    g->addWidget(legenda, 3, 0, 1, 4);
    v->addWidget(gruppo, 1);

    auto* sito = new QGroupBox(QStringLiteral("Sito dell'archivio"), colonna);
    lblIndirizzo_ = new QLabel(sito);
    lblIndirizzo_->setObjectName(QStringLiteral("LblIndirizzo"));
    lblIndirizzo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblIndirizzo_->setMinimumWidth(60);
    lblIndirizzo_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* collega = new QPushButton(QStringLiteral("COLLEGA AL SITO"), sito);
    collega->setObjectName(QStringLiteral("CmdCollega"));
    auto* hs = new QHBoxLayout(sito);
    hs->addWidget(lblIndirizzo_, 1);
    hs->addWidget(collega);
    hs->addWidget(PulsanteHelp(sito));
    v->addWidget(sito);

    connect(carica, &QPushButton::clicked, this, &Archivio::CaricaCalendario);
    connect(cboAnno_, &QComboBox::currentIndexChanged, this, [this](int) { CaricaCalendario(); });
    connect(chkSigla_, &QCheckBox::clicked, this, [this] { CaricaCalendario(); });
    connect(sigle, &QPushButton::clicked, this, &Archivio::SigleGiorni);
    connect(fg1_, &Griglia::DoppioClic, this, &Archivio::CellaCalendarioScelta);
    connect(collega, &QPushButton::clicked, this, [this] {
        const QUrl url = QUrl::fromUserInput(QString::fromStdString(ctx_.IndirizzoInternet));
        if (url.isValid() && !url.isEmpty()) QDesktopServices::openUrl(url);
    });
    return colonna;
}

QWidget* Archivio::costruisciElenco() {
    auto* pagina = new QWidget(this);
    FgDB_ = new Griglia(pagina);
    FgDB_->setObjectName(QStringLiteral("FgDB"));
    FgDB_->setTabKeyNavigation(false);
    QString intestazione = QStringLiteral("DataEstrazione");
    for (auto c : CampiRuote)
        intestazione += QLatin1Char('|') + QString::fromLatin1(c.data(), static_cast<qsizetype>(c.size()));
    FgDB_->ImpostaIntestazione(intestazione);
    const auto& fm = FgDB_->fontMetrics();
    FgDB_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("DataEstrazione")) + 16);
    for (int c = 1; c <= NumeroRuote; ++c) {
        FgDB_->setColumnWidth(c, fm.horizontalAdvance(QStringLiteral("00-00-00-00-00")) + 16);
        FgDB_->Modello().ImpostaCentrata(c, true);
    }
    FgDB_->Modello().ImpostaCentrata(0, true);
    auto* scegli = Figura(pagina, "CmdSelezione", QStringLiteral("Selezione estrazione"),
                          QStringLiteral("OK"), ColoreVerdeChiaro);
    auto* ultima = Figura(pagina, "CmdElencoUltima", QStringLiteral("Vai ultima estrazione"),
                          QStringLiteral(">|"), ColoreGialloChiaro);
    auto* prima = Figura(pagina, "CmdElencoPrima", QStringLiteral("Vai alla prima estrazione"),
                         QStringLiteral("|<"), ColoreGialloChiaro);
    auto* v = new QVBoxLayout(pagina);
    auto* riga = new QHBoxLayout;
    for (auto* b : {scegli, prima, ultima})
        riga->addWidget(b);
    riga->addStretch(1);
    riga->addWidget(PulsanteHelp(pagina));
    v->addLayout(riga);
    v->addWidget(FgDB_, 1);
    connect(FgDB_, &Griglia::Clic, this, [this](int r, int) { RigaElencoScelta(r); });
    connect(FgDB_, &Griglia::DoppioClic, this, [this](int, int) { SelezioneEstrazione(); });
    connect(scegli, &QToolButton::clicked, this, &Archivio::SelezioneEstrazione);
    connect(ultima, &QToolButton::clicked, this, [this] { FgDB_->MostraRiga(FgDB_->Righe() - 1); });
    connect(prima, &QToolButton::clicked, this, [this] { FgDB_->MostraRiga(1); });
    return pagina;
}

void Archivio::apertura() {
    SSTab1_->setCurrentIndex(0);
    lblIndirizzo_->setText(QString::fromStdString(ctx_.IndirizzoInternet));
    const int annoCorrente = QDate::currentDate().year();
    {
        const QSignalBlocker blocco(cboAnno_);
        for (int anno = 1939; anno <= annoCorrente; ++anno)
            cboAnno_->addItem(QString::number(anno));
        cboAnno_->setCurrentIndex(cboAnno_->count() - 1);
    }
    AggiornaRiepilogoArchivio(); // the last draw, the list and the current year's calendar
    ImpostaDataScelta(QDate::currentDate());
    txtin_[0]->setFocus();
}

} // namespace trivalto
