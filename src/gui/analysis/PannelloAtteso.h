#pragma once
// The compact panel of what chance alone gives, beside the analysis results: the expected Pos of one
// terzina fixed in advance (and the expected Cop of K of them), and, on request, where the observed best
// stands among the bests of the same search on simulated archives.
#include <QGroupBox>
#include <memory>

#include "core/analysis/Atteso.h"
#include "gui/ui/Lavoro.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace trivalto {

class Dialoghi;

class PannelloAtteso : public QGroupBox {
    Q_OBJECT
public:
    /// `nomeCop` names the cases K terzine cover ("Cop", or "Coperti" in the builder); with
    /// `simulaCombinazioni` the simulations search the combinations too.
    PannelloAtteso(Dialoghi& dialoghi, QString nomeCop, bool simulaCombinazioni, QWidget* parent = nullptr);
    ~PannelloAtteso() override;

    /// A finished search: the expectations at once; the simulations are cleared until asked again.
    void Aggiorna(std::shared_ptr<const ArchivioMemoria> archivio, InputRicerca in, int osservatoPos);
    /// The K terzine now judged (a combination or a method) and the cases they cover.
    void AggiornaCop(int K, int osservatoCop);
    /// Empty: nothing searched.
    void Svuota();
    /// Runs the simulations (or stops them when they run).
    void Simula();

    bool Occupato() const { return occupato_; }
    QString Valore(const char* nome) const;

signals:
    void SimulazioneFinita();

private:
    void MostraAtteso();
    void Termina();

    Dialoghi& dialoghi_;
    QString nomeCop_;
    bool simulaCombinazioni_;
    std::shared_ptr<const ArchivioMemoria> archivio_;
    InputRicerca in_;
    bool cercato_ = false;
    int osservatoPos_ = 0, K_ = 0, osservatoCop_ = 0;
    bool occupato_ = false;
    LavoroAvviato lavoro_;

    QLabel *lblPosAtteso_, *lblCopAtteso_, *lblEtichettaCop_, *lblMigliore_, *lblMediana_, *lblPercentile_, *lblP_;
    QPushButton* simula_;
    QProgressBar* barra_;
};

} // namespace trivalto
