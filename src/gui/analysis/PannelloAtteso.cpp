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
    : QGroupBox(QStringLiteral("Che cosa dà il caso"), parent), dialoghi_(dialoghi), nomeCop_(std::move(nomeCop)),
      simulaCombinazioni_(simulaCombinazioni) {
    setObjectName(QStringLiteral("PannelloAtteso"));
    setToolTip(QStringLiteral("Il confronto dei risultati con quello che darebbe il puro caso (vedere l'help)"));
    auto* l = new QGridLayout(this);
    l->setVerticalSpacing(1);
    l->setContentsMargins(4, 2, 4, 2);
    // Two columns, so the panel takes four rows from the list above it.
    int n = 0;
    const auto voce = [&](const char* nome, const QString& testo, const QString& spiega) {
        auto* e = EtichettaDestra(this, testo);
        e->setToolTip(spiega);
        auto* v = ValoreDestra(this, nome);
        v->setMinimumWidth(36);
        v->setToolTip(spiega);
        l->addWidget(e, n / 2, 2 * (n % 2));
        l->addWidget(v, n / 2, 2 * (n % 2) + 1);
        ++n;
        return std::pair{e, v};
    };
    lblPosAtteso_ = voce("LblPosAtteso", QStringLiteral("Pos atteso"),
                         QStringLiteral("Casi vinti in media da una terzina scelta prima, a caso"))
                        .second;
    std::tie(lblEtichettaCop_, lblCopAtteso_) =
        voce("LblCopAtteso", nomeCop_,
             QStringLiteral("Casi coperti in media da altrettante terzine scelte prima, senza numeri in comune"));
    lblMigliore_ = voce("LblMiglioreOsservato", QStringLiteral("Migliore"),
                        QStringLiteral("Pos della prima terzina dell'elenco"))
                       .second;
    lblP_ = voce("LblP", QStringLiteral("p"),
                 QStringLiteral("Quota delle simulazioni il cui migliore arriva al migliore osservato"))
                .second;
    lblMediana_ = voce("LblMedianaCaso", QStringLiteral("Caso: mediana"),
                       QStringLiteral("Mediana del migliore Pos su archivi simulati a caso"))
                      .second;
    lblPercentile_ = voce("LblPercentileCaso", QStringLiteral("95°"),
                          QStringLiteral("Il migliore Pos supera questo valore solo in 5 simulazioni su 100"))
                         .second;
    simula_ = PulsanteComando(this, "CmdSimula", QStringLiteral("Simula"));
    simula_->setToolTip(QStringLiteral("Rifà la stessa ricerca su %1 archivi simulati a caso").arg(Simulazioni));
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("BarraSimulazioni"));
    barra_->setTextVisible(false);
    barra_->setMaximumHeight(8);
    l->addWidget(simula_, 3, 0, 1, 2);
    l->addWidget(barra_, 3, 2, 1, 2);
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
    cercato_ = false;
    K_ = osservatoCop_ = 0;
    for (auto* l : {lblPosAtteso_, lblCopAtteso_, lblMigliore_, lblMediana_, lblPercentile_, lblP_})
        l->clear();
    simula_->setEnabled(false);
}

void PannelloAtteso::Aggiorna(std::shared_ptr<const ArchivioMemoria> archivio, InputRicerca in, int osservatoPos) {
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
    const auto atteso = CalcolaAtteso(in_, K_);
    lblPosAtteso_->setText(Decimale(atteso.Pos, 2));
    lblCopAtteso_->setText(K_ > 0 ? Decimale(atteso.Cop, 2) : QString());
    lblEtichettaCop_->setText(K_ > 0 ? QStringLiteral("%1 (%2)").arg(nomeCop_).arg(K_) : nomeCop_);
    lblMigliore_->setText(QString::number(osservatoPos_));
    lblMediana_->clear();
    lblPercentile_->clear();
    lblP_->clear();
}

void PannelloAtteso::Simula() {
    if (occupato_) {
        lavoro_.Ferma();
        return;
    }
    if (!cercato_) return;
    occupato_ = true;
    simula_->setText(QStringLiteral("Ferma"));
    SceltaSimulazione scelta{Simulazioni, 1, simulaCombinazioni_ ? K_ : 0, 0};
    const int osservato = osservatoPos_;
    lavoro_ = AvviaLavoro<EsitoSimulazione>(
        this, barra_,
        [in = in_, archivio = archivio_, scelta](const ControlloLavoro& ctl) { return SimulaMigliori(in, scelta, ctl); },
        [this, osservato](EsitoSimulazione e) {
            Termina();
            if (e.Interrotta) return;
            const auto c = Confronta(e.TopPos, osservato);
            lblMediana_->setText(Decimale(c.Mediana, 1));
            lblPercentile_->setText(QString::number(static_cast<int>(c.Percentile95)));
            lblP_->setText(Decimale(c.P, 3));
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
