// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/PannelloAtteso.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/analysis/Giudizio.h"
#include "core/analysis/ImpostazioniProvate.h"
#include "core/analysis/TabelleAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/EtichettaAdattata.h"

namespace trivalto {

namespace {

QString Decimale(double valore, int cifre) {
    return QString::fromStdString(TestoDecimale(valore, cifre));
}

constexpr int Simulazioni = 200;

} // namespace

PannelloAtteso::PannelloAtteso(Dialoghi& dialoghi, ImpostazioniProvate& provate, QString nomeCop,
                               bool simulaCombinazioni, QWidget* parent)
    : QGroupBox(QStringLiteral("Che cosa dà il caso"), parent), dialoghi_(dialoghi), provate_(provate),
      nomeCop_(std::move(nomeCop)), simulaCombinazioni_(simulaCombinazioni) {
    setObjectName(QStringLiteral("PannelloAtteso"));
    setToolTip(QStringLiteral("Il confronto dei risultati con quello che darebbe il puro caso: ogni numero "
                              "spiega sé stesso se ci si ferma sopra con il mouse (vedere anche l'help)"));
    auto* l = new QGridLayout(this);
    l->setVerticalSpacing(1);
    l->setContentsMargins(4, 2, 4, 2);
    // A column for the terzina's Pos and one for the K terzine's Cop, so that every figure of the
    // command-line table has its place and the panel stays as narrow as the list above it.
    simula_ = PulsanteComando(this, "CmdSimula", QStringLiteral("Simula"));
    simula_->setToolTip(
        QStringLiteral("Rifà la stessa ricerca su %1 archivi di estrazioni scelte a caso, per "
                       "vedere fin dove arriva il caso da solo, e dà il giudizio")
            .arg(Simulazioni));
    l->addWidget(simula_, 0, 0);
    const auto intestazione = [&](const QString& testo, int colonna, const QString& spiega) {
        auto* e = new QLabel(testo, this);
        e->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        e->setToolTip(spiega);
        l->addWidget(e, 0, colonna);
        return e;
    };
    intestazione(QStringLiteral("Pos"), 1, QStringLiteral("La prima terzina dell'elenco"));
    lblIntestazioneCop_ = intestazione(
        nomeCop_, 2,
        simulaCombinazioni_ ? QStringLiteral("La prima combinazione (il numero di terzine fra parentesi)")
                            : QStringLiteral("Le terzine del metodo (il loro numero fra parentesi)"));
    const int larghezza = fontMetrics().horizontalAdvance(QStringLiteral("000,00")) + 8;
    int riga = 1;
    const auto voce = [&](QLabel*(&valori)[2], const QString& testo, const char* nomePos, const char* nomeCop,
                          const QString& spiegaPos, const QString& spiegaCop, const QString& spiegaVoce) {
        auto* e = EtichettaDestra(this, testo);
        l->addWidget(e, riga, 0);
        const char* nomi[2] = {nomePos, nomeCop};
        const QString* spiega[2] = {&spiegaPos, &spiegaCop};
        for (int c = 0; c < 2; ++c) {
            valori[c] = ValoreDestra(this, nomi[c]);
            valori[c]->setMinimumWidth(larghezza);
            valori[c]->setToolTip(*spiega[c]);
            l->addWidget(valori[c], riga, c + 1);
        }
        e->setToolTip(spiegaVoce);
        ++riga;
    };
    const QString copNonSimulato =
        simulaCombinazioni_
            ? QString()
            : QStringLiteral(" Nel costruttore il metodo è scelto a mano: i suoi %1 non si possono "
                             "simulare, e questa casella resta vuota.")
                  .arg(nomeCop_);
    voce(
        lblAtteso_, QStringLiteral("Atteso"), "LblPosAtteso", "LblCopAtteso",
        QStringLiteral("Quanti casi vincerebbe in media una terzina scelta prima, senza guardare l'archivio "
                       "(con \"Controlla intero periodo\": quante volte vincerebbe)"),
        QStringLiteral("Quanti casi coprirebbero in media altrettante terzine scelte prima, senza guardare "
                       "l'archivio e senza numeri in comune"),
        QStringLiteral("Atteso: quello che darebbe in media il puro caso a chi sceglie i numeri prima, senza "
                       "guardare l'archivio"));
    voce(lblOsservato_, QStringLiteral("Osservato"), "LblMiglioreOsservato", "LblCopOsservato",
         QStringLiteral(
             "Il Pos della prima terzina dell'elenco: la migliore di 117.480 terzine provate, perciò "
             "sempre molto sopra l'atteso, anche in un archivio di estrazioni casuali. Va confrontato "
             "con le righe del caso qui sotto"),
         simulaCombinazioni_ ? QStringLiteral("Il Cop della prima combinazione: la migliore fra molte, da "
                                              "confrontare con le righe del caso qui sotto")
                             : QStringLiteral("I casi coperti dal metodo"),
         QStringLiteral("Osservato: quello che ha ottenuto davvero il migliore trovato nell'archivio"));
    voce(lblMediana_, QStringLiteral("Caso: mediana"), "LblMedianaCaso", "LblMedianaCop",
         QStringLiteral("Il Pos della migliore terzina in un archivio di estrazioni casuali, di solito: metà "
                        "dei %1 archivi simulati sta sotto, metà sopra")
             .arg(Simulazioni),
         QStringLiteral("Il Cop della migliore combinazione in un archivio di estrazioni casuali, di solito: "
                        "metà degli archivi simulati sta sotto, metà sopra") +
             copNonSimulato,
         QStringLiteral("Mediana: quanto arriva di solito il migliore quando le estrazioni sono puro caso "
                        "(premere Simula)"));
    voce(
        lblPercentile_, QStringLiteral("Caso: 95°"), "LblPercentileCaso", "LblPercentileCop",
        QStringLiteral("Il Pos della migliore terzina supera questo valore solo in 5 archivi casuali su 100"),
        QStringLiteral("Il Cop della migliore combinazione supera questo valore solo in 5 archivi casuali su "
                       "100") +
            copNonSimulato,
        QStringLiteral("95° percentile: quanto arriva il migliore, per puro caso, nei 95 archivi su 100 meno "
                       "fortunati; solo 5 su 100 vanno oltre"));
    voce(
        lblP_, QStringLiteral("p"), "LblP", "LblPCop",
        QStringLiteral(
            "La quota degli archivi casuali la cui migliore terzina arriva almeno al Pos osservato"),
        QStringLiteral("La quota degli archivi casuali la cui migliore combinazione arriva almeno al Cop "
                       "osservato") +
            copNonSimulato,
        QStringLiteral("p: la quota degli archivi casuali che arrivano almeno all'osservato. 1,000 vuol dire "
                       "tutti, 0,500 la metà: il caso lo dà da solo. Sotto 0,05 è raro per puro caso, sotto "
                       "0,01 molto raro; 0,000 vuol dire nessuno dei %1, non \"mai\"")
            .arg(Simulazioni));
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("BarraSimulazioni"));
    barra_->setTextVisible(false);
    barra_->setMaximumHeight(6);
    l->addWidget(barra_, riga++, 0, 1, 3);
    // The sentence a player reads instead of the figures; the windows move it where it has room.
    lblGiudizio_ = new EtichettaAdattata(this, "LblGiudizio");
    lblGiudizio_->setToolTip(
        QStringLiteral("Il giudizio: \"Alla portata del caso\" se p è almeno 0,05, \"Poco oltre il caso\" "
                       "da 0,01 a 0,05, \"Oltre il caso\" sotto 0,01. Anche \"Oltre il caso\" non promette "
                       "vincite future: dice solo che il puro caso lo spiega male"));
    l->addWidget(lblGiudizio_, riga, 0, 1, 3);
    l->setColumnStretch(0, 1);
    connect(simula_, &QPushButton::clicked, this, &PannelloAtteso::Simula);
    Svuota();
}

PannelloAtteso::~PannelloAtteso() {
    lavoro_.Ferma();
}

EtichettaAdattata* PannelloAtteso::StaccaGiudizio() {
    layout()->removeWidget(lblGiudizio_);
    lblGiudizio_->setFrameShape(QFrame::StyledPanel);
    lblGiudizio_->setMargin(3);
    return lblGiudizio_;
}

QString PannelloAtteso::TestoGiudizio() const {
    return lblGiudizio_->text();
}

QString PannelloAtteso::Valore(const char* nome) const {
    auto* l = findChild<QLabel*>(QString::fromLatin1(nome));
    return l ? l->text() : QString();
}

void PannelloAtteso::Svuota() {
    lavoro_.Ferma();
    ++generazione_;
    cercato_ = false;
    K_ = osservatoCop_ = 0;
    for (auto* valori : {lblAtteso_, lblOsservato_, lblMediana_, lblPercentile_, lblP_})
        for (int c = 0; c < 2; ++c)
            valori[c]->clear();
    lblIntestazioneCop_->setText(nomeCop_);
    lblGiudizio_->Imposta({});
    simula_->setEnabled(false);
}

void PannelloAtteso::Aggiorna(std::shared_ptr<const ArchivioMemoria> archivio, InputRicerca in,
                              int osservatoPos) {
    Svuota();
    archivio_ = std::move(archivio);
    in_ = std::move(in);
    in_.Archivio = archivio_.get();
    osservatoPos_ = osservatoPos;
    quanteProvate_ = provate_.Registra(in_);
    cercato_ = true;
    simula_->setEnabled(true);
    MostraAtteso();
}

void PannelloAtteso::AggiornaCop(int K, int osservatoCop) {
    if (!cercato_) return;
    K_ = K;
    osservatoCop_ = osservatoCop;
    MostraAtteso();
}

void PannelloAtteso::MostraAtteso() {
    // A simulation still running measures what was shown when it started.
    lavoro_.Ferma();
    ++generazione_;
    const auto atteso = CalcolaAtteso(in_, K_);
    lblAtteso_[0]->setText(Decimale(atteso.Pos, 2));
    lblOsservato_[0]->setText(QString::number(osservatoPos_));
    lblAtteso_[1]->setText(K_ > 0 ? Decimale(atteso.Cop, 2) : QString());
    lblOsservato_[1]->setText(K_ > 0 ? QString::number(osservatoCop_) : QString());
    lblIntestazioneCop_->setText(K_ > 0 ? QStringLiteral("%1 (%2)").arg(nomeCop_).arg(K_) : nomeCop_);
    PulisciSimulazioni();
}

void PannelloAtteso::PulisciSimulazioni() {
    for (auto* valori : {lblMediana_, lblPercentile_, lblP_})
        for (int c = 0; c < 2; ++c)
            valori[c]->clear();
    lblGiudizio_->Imposta(
        QStringLiteral("Premere Simula, nel riquadro \"Che cosa dà il caso\", per sapere se questo "
                       "risultato va oltre quello che dà il caso da solo."));
}

void PannelloAtteso::MostraSimulazione(const EsitoSimulazione& e) {
    if (!cercato_) return;
    const auto scrivi = [this](int c, const std::vector<int>& simulati, int osservato) {
        if (simulati.empty()) return;
        const auto s = Confronta(simulati, osservato);
        lblMediana_[c]->setText(Decimale(s.Mediana, 1));
        lblPercentile_[c]->setText(Decimale(s.Percentile95, 0));
        lblP_[c]->setText(Decimale(s.P, 3));
    };
    scrivi(0, e.TopPos, osservatoPos_);
    scrivi(1, e.TopCop, osservatoCop_);

    // What is played is judged: the combination when its bests were simulated, else the list's first.
    const bool combinazione = K_ > 0 && !e.TopCop.empty();
    const int K = combinazione ? K_ : 0;
    const MiglioreGiudicato m{K, in_.InteroPeriodo, CasiGiudicati(in_, K), static_cast<int>(e.TopPos.size())};
    const auto g = GiudicaMigliore(
        m, Confronta(combinazione ? e.TopCop : e.TopPos, combinazione ? osservatoCop_ : osservatoPos_),
        quanteProvate_);
    QString testo = QString::fromStdString(g.Testo);
    if (!g.Avvertenza.empty()) testo += QLatin1Char('\n') + QString::fromStdString(g.Avvertenza);
    lblGiudizio_->Imposta(testo);
}

void PannelloAtteso::Simula() {
    if (occupato_) {
        lavoro_.Ferma();
        return;
    }
    if (!cercato_) return;
    occupato_ = true;
    simula_->setText(QStringLiteral("Ferma"));
    PulisciSimulazioni();
    lblGiudizio_->Imposta(QStringLiteral("Simulazione in corso: il giudizio arriva alla fine."));
    SceltaSimulazione scelta{Simulazioni, 1, simulaCombinazioni_ ? K_ : 0, 0};
    const int generazione = generazione_;
    lavoro_ = AvviaLavoro<EsitoSimulazione>(
        this, barra_,
        [in = in_, archivio = archivio_, scelta](const ControlloLavoro& ctl) {
            return SimulaMigliori(in, scelta, ctl);
        },
        [this, generazione](EsitoSimulazione e) {
            Termina();
            // A change of what is shown bumps the generation: these bests no longer belong to it.
            if (generazione != generazione_) return;
            if (e.Interrotta) return PulisciSimulazioni();
            MostraSimulazione(e);
        },
        [this](std::exception_ptr e) {
            Termina();
            dialoghi_.Messaggio(this, QStringLiteral("Simulazione non riuscita\n") + CausaErrore(e),
                                QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
        });
}

void PannelloAtteso::Termina() {
    occupato_ = false;
    simula_->setText(QStringLiteral("Simula"));
    barra_->setValue(0);
    emit SimulazioneFinita();
}

} // namespace trivalto
