#include "gui/analysis/PannelloAtteso.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/analysis/TabelleAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"

namespace trivalto {

namespace {

QString Decimale(double valore, int cifre) {
    return QString::fromStdString(TestoDecimale(valore, cifre));
}

constexpr int Simulazioni = 200;

} // namespace

PannelloAtteso::PannelloAtteso(Dialoghi& dialoghi, QString nomeCop, bool simulaCombinazioni, QWidget* parent)
    : QGroupBox(QStringLiteral("Che cosa dà il caso"), parent), dialoghi_(dialoghi),
      nomeCop_(std::move(nomeCop)), simulaCombinazioni_(simulaCombinazioni) {
    setObjectName(QStringLiteral("PannelloAtteso"));
    setToolTip(
        QStringLiteral("Il confronto dei risultati con quello che darebbe il puro caso (vedere l'help)"));
    auto* l = new QGridLayout(this);
    l->setVerticalSpacing(1);
    l->setContentsMargins(4, 2, 4, 2);
    // A column for the terzina's Pos and one for the K terzine's Cop, so that every figure of the
    // command-line table has its place and the panel stays as narrow as the list above it.
    simula_ = PulsanteComando(this, "CmdSimula", QStringLiteral("Simula"));
    simula_->setToolTip(
        QStringLiteral("Rifà la stessa ricerca su %1 archivi simulati a caso").arg(Simulazioni));
    l->addWidget(simula_, 0, 0);
    const auto intestazione = [&](const QString& testo, int colonna) {
        auto* e = new QLabel(testo, this);
        e->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        l->addWidget(e, 0, colonna);
        return e;
    };
    intestazione(QStringLiteral("Pos"), 1);
    lblIntestazioneCop_ = intestazione(nomeCop_, 2);
    const int larghezza = fontMetrics().horizontalAdvance(QStringLiteral("000,00")) + 8;
    int riga = 1;
    const auto voce = [&](QLabel*(&valori)[2], const QString& testo, const char* nomePos, const char* nomeCop,
                          const QString& spiegaPos, const QString& spiegaCop) {
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
        e->setToolTip(spiegaPos);
        ++riga;
    };
    voce(lblAtteso_, QStringLiteral("Atteso"), "LblPosAtteso", "LblCopAtteso",
         QStringLiteral("Casi vinti in media da una terzina scelta prima, a caso"),
         QStringLiteral("Casi coperti in media da altrettante terzine scelte prima, senza numeri in comune"));
    voce(lblOsservato_, QStringLiteral("Osservato"), "LblMiglioreOsservato", "LblCopOsservato",
         QStringLiteral("Pos della prima terzina dell'elenco"),
         QStringLiteral("Cop della prima combinazione (nel costruttore: i casi coperti dal metodo)"));
    voce(lblMediana_, QStringLiteral("Caso: mediana"), "LblMedianaCaso", "LblMedianaCop",
         QStringLiteral("Mediana del migliore Pos su archivi simulati a caso"),
         QStringLiteral("Mediana del Cop della migliore combinazione su archivi simulati a caso"));
    voce(lblPercentile_, QStringLiteral("Caso: 95°"), "LblPercentileCaso", "LblPercentileCop",
         QStringLiteral("Il migliore Pos supera questo valore solo in 5 simulazioni su 100"),
         QStringLiteral(
             "Il Cop della migliore combinazione supera questo valore solo in 5 simulazioni su 100"));
    voce(lblP_, QStringLiteral("p"), "LblP", "LblPCop",
         QStringLiteral("Quota delle simulazioni il cui migliore arriva al migliore osservato"),
         QStringLiteral(
             "Quota delle simulazioni la cui migliore combinazione arriva alla migliore osservata"));
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("BarraSimulazioni"));
    barra_->setTextVisible(false);
    barra_->setMaximumHeight(6);
    l->addWidget(barra_, riga, 0, 1, 3);
    l->setColumnStretch(0, 1);
    connect(simula_, &QPushButton::clicked, this, &PannelloAtteso::Simula);
    Svuota();
}

PannelloAtteso::~PannelloAtteso() {
    lavoro_.Ferma();
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
    simula_->setEnabled(false);
}

void PannelloAtteso::Aggiorna(std::shared_ptr<const ArchivioMemoria> archivio, InputRicerca in,
                              int osservatoPos) {
    Svuota();
    archivio_ = std::move(archivio);
    in_ = std::move(in);
    in_.Archivio = archivio_.get();
    osservatoPos_ = osservatoPos;
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
    SceltaSimulazione scelta{Simulazioni, 1, simulaCombinazioni_ ? K_ : 0, 0};
    const int osservatoPos = osservatoPos_, osservatoCop = osservatoCop_, generazione = generazione_;
    lavoro_ = AvviaLavoro<EsitoSimulazione>(
        this, barra_,
        [in = in_, archivio = archivio_, scelta](const ControlloLavoro& ctl) {
            return SimulaMigliori(in, scelta, ctl);
        },
        [this, osservatoPos, osservatoCop, generazione](EsitoSimulazione e) {
            Termina();
            if (e.Interrotta || generazione != generazione_) return;
            const auto scrivi = [this](int c, const std::vector<int>& simulati, int osservato) {
                if (simulati.empty()) return;
                const auto s = Confronta(simulati, osservato);
                lblMediana_[c]->setText(Decimale(s.Mediana, 1));
                lblPercentile_[c]->setText(Decimale(s.Percentile95, 0));
                lblP_[c]->setText(Decimale(s.P, 3));
            };
            scrivi(0, e.TopPos, osservatoPos);
            scrivi(1, e.TopCop, osservatoCop);
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
