// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk-forward chart: hits so far against the hits chance alone would give, trial after trial, with a
// band of two standard deviations around the chance line, its axes named and a legend.
#include <QWidget>
#include <vector>

#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto {

class GraficoVerifica : public QWidget {
    Q_OBJECT
public:
    explicit GraficoVerifica(QWidget* parent = nullptr);
    /// `primaData` and `ultimaData` name the first and the last trial under the horizontal axis.
    void Imposta(const std::vector<ProvaRetroattiva>& prove, const QString& primaData = {},
                 const QString& ultimaData = {});
    QSize sizeHint() const override { return {320, 180}; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    std::vector<double> vincite_, attese_, banda_;
    QString primaData_, ultimaData_;
};

} // namespace trivalto
