// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Esplora impostazioni": many settings tried at once by the walk-forward on the draws up to a date,
// ranked by p, corrected for how many were tried, the best played once on the draws after that date,
// and a chart that sets the settings' p values beside what chance alone gives for that many tries.
#include <QWidget>

#include "core/analysis/Esplorazione.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QSpinBox;
class QSplitter;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;
class RigaComandi;

/// The settings' p values from the smallest, against the line chance gives for as many tries: the k-th
/// smallest of m p values of settings that do nothing falls near k / (m + 1).
class GraficoEsplorazione : public QWidget {
    Q_OBJECT
public:
    explicit GraficoEsplorazione(QWidget* parent = nullptr);
    void Imposta(const EsitoEsplorazione& esito);
    QSize sizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    std::vector<double> p_; // ascending
};

class FinestraEsplorazione : public QWidget {
    Q_OBJECT
public:
    FinestraEsplorazione(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);
    ~FinestraEsplorazione() override;

    void Esplora();
    void Interrompi();
    bool Occupata() const;
    const EsitoEsplorazione& Esito() const { return esito_; }
    /// The grid and the cut-off the choices describe now.
    GrigliaEsplorazione LeggiGriglia() const;
    int LeggiFinoA() const;
    /// Sorts the table by a column; a second call on the same column reverses the order.
    void OrdinaPer(int colonna);

signals:
    void LavoroFinito();

private:
    QWidget* costruisciScelte();
    QWidget* costruisciFisse();
    void AggiornaConteggio();
    void Mostra();
    /// The summary as tall as its rows, so that the chart has the rest.
    void AdattaSintesi();
    /// The table's side of the divider wide enough for all its columns, within what the window has.
    void AdattaDivisione();
    void RiempiTabella();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QListWidget *lstRuote_, *lstPosizioni_, *lstTrasformazioni_, *lstMensili_;
    QCheckBox *chkSomma_, *chkDistanza_, *chkDifferenza_, *chkTutteLeRuote_;
    QSpinBox *spnDaColpoDa_, *spnDaColpoA_, *spnColpiDa_, *spnColpiA_, *spnCasi_, *spnElenco_, *spnCasuali_;
    QComboBox* cboGioca_;
    QDateEdit* datFinoA_;
    QLabel *lblConteggio_, *lblGiudizio_;
    RigaComandi* comandi_;
    Griglia *fgEsplorazione_, *fgSintesi_;
    GraficoEsplorazione* grafico_;
    QSplitter* tabelle_;
    bool colonneSpostate_ = false;
    EsitoEsplorazione esito_;
    std::vector<size_t> ordine_; // the finished rows of esito_, in the order the table shows them
    int colonnaOrdine_ = -1;
    bool crescente_ = true;
    std::string dataFinoA_; // the cut-off of the shown result
};

} // namespace trivalto
