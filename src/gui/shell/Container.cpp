// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Container.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/archive/TabelleNumeri.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/archive/Archivio.h"
#include "gui/shell/ControlloAvvio.h"
#include "gui/shell/Informazioni.h"
#include "gui/shell/StatoArchivio.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {
constexpr int ArgomentoHelp = 300;
constexpr QSize DimensioneSolita(1260, 780);

QString ChiaveFinestra(const QString& nome) {
    return QStringLiteral("Finestre/") + nome;
}

struct VoceStriscia {
    const char* nome;
    const char* suggerimento;
    const char* simbolo;
    Colore colore;
};

// The strip, top to bottom; the text is the tooltip.
constexpr VoceStriscia Striscia[] = {
    {"Command1", "Gestione archivio", "DB", ColoreGialloChiaro},
    {"Command2", "Mini elenco estrazioni", "ME", ColoreVerdeChiaro},
    {"Command8", "Le Trivalto", "T3", ColoreArancioChiaro},
    {"Command6", "Generatore di terzine", "GT", ColoreAzzurroChiaro},
    {"Command3", "Le Trivalto", "IMP", ColoreRosa},
    {"CmdVerificaRetroattiva", "Verifica retroattiva", "VR", ColoreVerdeChiaro},
    {"CmdEsploraImpostazioni", "Esplora impostazioni", "EI", ColoreGialloChiaro},
};
} // namespace

Container::Container(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent)
    : QMainWindow(parent), ctx_(contesto), dialoghi_(dialoghi), area_(new QMdiArea(this)),
      pb1_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("Container"));
    setWindowTitle(QStringLiteral("Le Trivalto"));

    // SettaValoriBase and CaricaFormazioniNumeri: the palette is constant and the number tables
    // are built once here, before any window reads them.
    Tabelle();

    auto* centrale = new QWidget(this);
    auto* layout = new QHBoxLayout(centrale);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    costruisciStriscia();
    layout->addWidget(findChild<QWidget*>(QStringLiteral("Picture1")));
    auto* destra = new QVBoxLayout;
    destra->setContentsMargins(6, 6, 6, 0);
    costruisciPannelloModello(centrale);
    destra->addWidget(findChild<QWidget*>(QStringLiteral("PannelloModello")));
    area_->setObjectName(QStringLiteral("AreaFinestre"));
    area_->setBackground(QColor(0x5a, 0x6e, 0x7f));
    // A small window opened over a maximized one keeps its own size.
    area_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    destra->addWidget(area_, 1);
    layout->addLayout(destra, 1);
    setCentralWidget(centrale);

    pb1_->setObjectName(QStringLiteral("pb1"));
    pb1_->setValue(0);
    pb1_->setMaximumWidth(320);
    pb1_->setTextVisible(false);
    statusBar()->addPermanentWidget(pb1_);
    stato_ = new StatoArchivio(ctx_, this);
    statusBar()->addWidget(stato_, 1);
    connect(stato_, &StatoArchivio::ApriAggiornamenti, this, &Container::ApriPaginaAggiornamenti);
    controllo_ = new ControlloAvvio(ctx_, dialoghi_, this, stato_, [this] {
        CaricaArchivioExNovo();
        // The archive window, when open, shows the draws just added as after its own writes.
        if (auto* archivio = findChild<Archivio*>()) archivio->AggiornaRiepilogoArchivio();
    });
    // Once the window is up, so that an offer of new draws has a window to ask over.
    QTimer::singleShot(0, controllo_, [this] { controllo_->Avvia(); });

    costruisciElencoEstrazioni();
    caricaFgpa();
    ImpostazioniArchivioModello();

    // The one F1 of the main window and its children: the active child's topic, else the main window's.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { dialoghi_.Help(this, ArgomentoAttivo()); });
    resize(DimensioneSolita);
    QSettings impostazioni;
    geometriaRicordata_ = restoreGeometry(
        impostazioni.value(ChiaveFinestra(objectName()) + QStringLiteral("/geometria")).toByteArray());
    restoreState(impostazioni.value(ChiaveFinestra(objectName()) + QStringLiteral("/stato")).toByteArray());
    // Emitted by "FINE" and by closing the window, before the program quits.
    connect(this, &Container::Fine, this, &Container::RicordaDisposizione);
}

void Container::Mostra() {
    const QScreen* schermo = screen();
    const bool entra = !schermo || (schermo->availableSize().width() >= DimensioneSolita.width() &&
                                    schermo->availableSize().height() >= DimensioneSolita.height());
    if (!geometriaRicordata_ && !entra)
        showMaximized();
    else
        show();
}

void Container::costruisciStriscia() {
    auto* picture1 = new QWidget(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setAutoFillBackground(true);
    picture1->setBackgroundRole(QPalette::Button);
    auto* v = new QVBoxLayout(picture1);
    v->setContentsMargins(4, 8, 4, 8);
    v->setSpacing(8);
    const auto pulsante = [&](const QString& nome, const QString& suggerimento, const QIcon& icona) {
        auto* b = new QToolButton(picture1);
        b->setObjectName(nome);
        b->setToolTip(suggerimento);
        b->setIcon(icona);
        b->setIconSize(QSize(34, 34));
        b->setAutoRaise(true);
        v->addWidget(b);
        pulsanti_[nome] = b;
        return b;
    };
    for (const auto& voce : Striscia) {
        auto* b = pulsante(QString::fromLatin1(voce.nome), QString::fromUtf8(voce.suggerimento),
                           IconaPulsante(QString::fromLatin1(voce.simbolo), voce.colore));
        b->setEnabled(false);
        const QString nome = b->objectName();
        connect(b, &QToolButton::clicked, this, [this, nome] { ApriFinestra(nome); });
    }
    auto* elenco = pulsante(QStringLiteral("CmdElencoEstrazioni"), QStringLiteral("Elenco estrazioni"),
                            IconaPulsante(QStringLiteral("EL"), ColoreGiallo));
    connect(elenco, &QToolButton::clicked, this, [this] {
        if (auto* dock = findChild<QDockWidget*>(QStringLiteral("DockFgpa")))
            dock->setVisible(!dock->isVisible());
    });
    auto* help = pulsante(QStringLiteral("CmDHelp"), QStringLiteral("Help in linea"),
                          IconaPulsante(QStringLiteral("?"), ColoreAzzurro));
    connect(help, &QToolButton::clicked, this, [this] { dialoghi_.Help(this, ArgomentoHelp); });
    auto* informazioni =
        pulsante(QStringLiteral("CmdInformazioni"), QStringLiteral("Informazioni su Trivalto"),
                 IconaPulsante(QStringLiteral("i"), ColoreAzzurroChiaro));
    connect(informazioni, &QToolButton::clicked, this, &Container::MostraInformazioni);
    v->addStretch(1);
    auto* fine = new QToolButton(picture1);
    fine->setObjectName(QStringLiteral("Command45"));
    fine->setText(QStringLiteral("FINE"));
    fine->setMinimumSize(52, 40);
    QFont f = fine->font();
    f.setBold(true);
    fine->setFont(f);
    v->addWidget(fine);
    connect(fine, &QToolButton::clicked, this, &Container::Fine);
}

void Container::costruisciPannelloModello(QWidget* contenitore) {
    auto* pannello = new QFrame(contenitore);
    pannello->setObjectName(QStringLiteral("PannelloModello"));
    pannello->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(pannello);
    auto* titolo = new QLabel(QStringLiteral("<b>Archivio modello</b>"), pannello);
    g->addWidget(titolo, 0, 0, 2, 1);
    const char* intestazioni[] = {"Inizio", "Fine", "N° estr"};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromUtf8(intestazioni[i]), pannello);
        l->setObjectName(QStringLiteral("Label4_%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        g->addWidget(l, 0, i == 2 ? 5 : 1 + 2 * i, 1, i == 2 ? 1 : 2);
    }
    const auto valore = [&](const char* nome, const char* suggerimento, int colonna) {
        auto* l = new QLabel(pannello);
        l->setObjectName(QString::fromLatin1(nome));
        l->setToolTip(QString::fromUtf8(suggerimento));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(90);
        g->addWidget(l, 1, colonna);
        return l;
    };
    lblInizio_ = valore("LblInizio", "Data inizio", 1);
    lblInizioNE_ = valore("Lbl_inizioNE", "Indice inizio", 2);
    lblFine_ = valore("LblFine", "Data fine", 3);
    lblFineNE_ = valore("Lbl_fineNE", "Indice fine", 4);
    lblEv_ = valore("Lbl_Ev", "Estrazioni archivio modello", 5);
    lblEv_->setAutoFillBackground(true);
    QPalette p = lblEv_->palette();
    p.setColor(QPalette::Window, ModelloGriglia::ColoreQt(ColoreVerdeScuro));
    p.setColor(QPalette::WindowText, Qt::white);
    lblEv_->setPalette(p);
    QFont f = lblEv_->font();
    f.setBold(true);
    lblEv_->setFont(f);
    g->setColumnStretch(6, 1);
}

void Container::costruisciElencoEstrazioni() {
    auto* dock = new QDockWidget(QStringLiteral("Elenco estrazioni"), this);
    dock->setObjectName(QStringLiteral("DockFgpa"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                      QDockWidget::DockWidgetClosable);
    fgpa_ = new Griglia(dock);
    fgpa_->setObjectName(QStringLiteral("fgpa"));
    fgpa_->ImpostaIntestazione(QStringLiteral("Indice|Data|PA|PM"));
    fgpa_->setTabKeyNavigation(false); // Tab leaves the list instead of walking its 7,000 rows
    fgpa_->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < 4; ++c)
        fgpa_->Modello().ImpostaCentrata(c, true);
    dock->setWidget(fgpa_);
    addDockWidget(Qt::RightDockWidgetArea, dock);
}

void Container::caricaFgpa() {
    const auto& a = ctx_.Archivio();
    auto& m = fgpa_->Modello();
    m.ImpostaRighe(1);
    m.ImpostaRighe(a.NumeroEstrazioni + 1);
    for (int i = 1; i <= a.NumeroEstrazioni; ++i) {
        m.ImpostaTesto(i, 0, QString::number(i));
        m.ImpostaTesto(i, 1, QString::fromStdString(a.DateEstrazioni[i]));
        m.ImpostaTesto(i, 2, QString::number(a.PosizioneAnno[i]));
        m.ImpostaTesto(i, 3, QString::number(a.PosizioneMese[i]));
    }
    fgpa_->ImpostaLarghezza(0, 700);
    fgpa_->ImpostaLarghezza(1, 1300);
    fgpa_->ImpostaLarghezza(2, 500);
    fgpa_->ImpostaLarghezza(3, 500);
    fgpa_->setMinimumWidth(fgpa_->columnWidth(0) * 2 + fgpa_->columnWidth(1) + fgpa_->columnWidth(2) * 2 +
                           30);
    fgpa_->scrollToBottom();
}

void Container::ImpostazioniArchivioModello() {
    const auto r = ctx_.Archivio().ImpostazioniArchivioModello();
    lblInizio_->setText(QString::fromStdString(r.DataInizio));
    lblInizioNE_->setText(QString::number(r.IndiceInizio));
    lblFine_->setText(QString::fromStdString(r.DataFine));
    lblFineNE_->setText(QString::number(r.IndiceFine));
    lblEv_->setText(QString::number(r.Conteggio));
}

void Container::CaricaArchivioExNovo() {
    ctx_.CaricaArchivioExNovo([this](int valore, int massimo) {
        pb1_->setMaximum(massimo);
        pb1_->setValue(valore);
    });
    pb1_->setValue(0);
    ImpostazioniArchivioModello();
    caricaFgpa();
    stato_->Aggiorna();
}

Informazioni* Container::MostraInformazioni() {
    if (!informazioni_) {
        informazioni_ = new Informazioni(ctx_, this);
        informazioni_->setAttribute(Qt::WA_DeleteOnClose);
    }
    informazioni_->show();
    informazioni_->raise();
    informazioni_->activateWindow();
    return informazioni_;
}

void Container::ApriPaginaAggiornamenti() {
    QWidget* archivio = ApriFinestra(QStringLiteral("Command1"));
    if (!archivio) return;
    auto* schede = archivio->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    auto* pagina = archivio->findChild<QWidget*>(QStringLiteral("PaginaAggiornamenti"));
    if (schede && pagina) schede->setCurrentWidget(pagina);
}

void Container::RegistraFinestra(const QString& pulsante, Fabbrica fabbrica) {
    fabbriche_[pulsante] = std::move(fabbrica);
    if (auto it = pulsanti_.find(pulsante); it != pulsanti_.end()) it->second->setEnabled(true);
}

QWidget* Container::ApriFinestra(const QString& pulsante) {
    if (auto it = aperte_.find(pulsante); it != aperte_.end() && it->second) {
        // Brought forward as it was: a maximised window stays maximised; only a minimised one is restored.
        QMdiSubWindow* sotto = it->second;
        if (sotto->isMinimized()) sotto->setWindowState(sotto->windowState() & ~Qt::WindowMinimized);
        sotto->show();
        area_->setActiveSubWindow(sotto);
        sotto->raise();
        return sotto->widget();
    }
    auto f = fabbriche_.find(pulsante);
    if (f == fabbriche_.end()) return nullptr;
    QWidget* finestra = f->second();
    auto* sotto = area_->addSubWindow(finestra);
    sotto->setAttribute(Qt::WA_DeleteOnClose);
    sotto->setWindowIcon(windowIcon());
    sotto->setProperty("chiaveFinestra", ChiaveFinestra(pulsante));
    sotto->installEventFilter(this);
    aperte_[pulsante] = sotto;
    const QVariant ricordata = QSettings().value(ChiaveFinestra(pulsante) + QStringLiteral("/massimizzata"));
    mostraSottofinestra(pulsante, sotto,
                        ricordata.isValid() ? ricordata.toBool()
                                            : finestra->property("massimizzata").toBool());
    area_->setActiveSubWindow(sotto);
    return finestra;
}

void Container::mostraSottofinestra(const QString& pulsante, QMdiSubWindow* sotto, bool massimizzata) {
    if (massimizzata) {
        // A large window gets the whole area; the draws list makes room and can be shown again.
        if (auto* dock = findChild<QDockWidget*>(QStringLiteral("DockFgpa"))) dock->hide();
        sotto->showMaximized();
        return;
    }
    const QRect ricordata =
        QSettings().value(ChiaveFinestra(pulsante) + QStringLiteral("/geometria")).toRect();
    QWidget* finestra = sotto->widget();
    if (ricordata.isValid())
        sotto->setGeometry(ricordata);
    else if (finestra->testAttribute(Qt::WA_Resized))
        // The subwindow takes the size the window chose for itself, plus its frame.
        sotto->resize(finestra->size() + (sotto->size() - sotto->contentsRect().size()) + QSize(0, 24));
    sotto->show();
    // Keep it inside the area, where the cascade (or a larger screen last time) would push it past
    // the right or bottom edge.
    const QSize spazio = area_->viewport()->size();
    sotto->resize(sotto->size().boundedTo(spazio));
    sotto->move(std::clamp(sotto->x(), 0, std::max(0, spazio.width() - sotto->width())),
                std::clamp(sotto->y(), 0, std::max(0, spazio.height() - sotto->height())));
}

void Container::RicordaDisposizione() {
    QSettings impostazioni;
    impostazioni.setValue(ChiaveFinestra(objectName()) + QStringLiteral("/geometria"), saveGeometry());
    impostazioni.setValue(ChiaveFinestra(objectName()) + QStringLiteral("/stato"), saveState());
    for (const auto& [nome, sotto] : aperte_)
        if (sotto) ricordaSottofinestra(sotto);
}

void Container::ricordaSottofinestra(QMdiSubWindow* sotto) {
    // A minimised window is remembered as it was before; a maximised one keeps its last normal place.
    if (sotto->isMinimized()) return;
    const QString chiave = sotto->property("chiaveFinestra").toString();
    QSettings impostazioni;
    impostazioni.setValue(chiave + QStringLiteral("/massimizzata"), sotto->isMaximized());
    if (!sotto->isMaximized())
        impostazioni.setValue(chiave + QStringLiteral("/geometria"), sotto->geometry());
}

bool Container::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::Close)
        if (auto* sotto = qobject_cast<QMdiSubWindow*>(oggetto)) ricordaSottofinestra(sotto);
    return QMainWindow::eventFilter(oggetto, evento);
}

int Container::ArgomentoAttivo() const {
    if (const QMdiSubWindow* attiva = area_->activeSubWindow(); attiva && attiva->widget()) {
        const QVariant argomento = attiva->widget()->property("ArgomentoHelp");
        if (argomento.isValid()) return argomento.toInt();
    }
    return ArgomentoHelp;
}

void Container::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Fine();
}

} // namespace trivalto
