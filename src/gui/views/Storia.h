// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The history window `Storia` ("Resoconto storico"): the history lines a caller hands it, their
// summary and a bar chart of covered against negative cases; copy and print of the table.
#include <QPointer>
#include <QWidget>

class QLabel;

namespace trivalto {

class Dialoghi;
class Griglia;
struct TabellaTesto;

/// The bar chart `pic1`: covered cases (green when all are covered, else blue) over negative ones
/// (red), both as fractions of the number of cases.
class GraficoStoria : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void Imposta(int casi, int coperti, int negativi);
    QSize sizeHint() const override { return {220, 90}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int casi_ = 0, coperti_ = 0, negativi_ = 0;
};

class FinestraStoria : public QWidget {
    Q_OBJECT
public:
    explicit FinestraStoria(Dialoghi& dialoghi, QWidget* parent = nullptr);

    Griglia& Tabella() { return *fg1_; }
    /// Writes the values beside "Casi esaminati", "Coperti", "Negativi", "Positivi", "Percentuale"
    /// and draws the chart.
    void ImpostaSintesi(int casi, int coperti, int negativi, int positivi, const QString& percentuale);
    /// The window that filled it last; closing the history gives it back the focus.
    void RicordaChiamante(QWidget* chiamante) { chiamante_ = chiamante; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Dialoghi& dialoghi_;
    Griglia* fg1_;
    GraficoStoria* pic1_;
    QLabel* valori_[5];
    QPointer<QWidget> chiamante_;
};

} // namespace trivalto
