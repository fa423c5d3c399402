// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/GraficoVerifica.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace trivalto {

namespace {

const QColor ColoreVincite(0, 0, 200);
const QColor ColoreFascia(220, 220, 220);

/// A step of 1, 2 or 5 times a power of ten that cuts 0..massimo into about four parts.
double Passo(double massimo) {
    const double grezzo = std::max(massimo / 4, 1.0);
    const double dieci = std::pow(10, std::floor(std::log10(grezzo)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * dieci >= grezzo) return m * dieci;
    return 10 * dieci;
}

} // namespace

GraficoVerifica::GraficoVerifica(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraficoVerifica"));
    setMinimumSize(300, 160);
    setToolTip(
        QStringLiteral("Le vincite del metodo prova dopo prova (linea blu) accanto a quelle che darebbe "
                       "il puro caso (linea grigia tratteggiata). La fascia grigia è dove resta il caso "
                       "95 volte su 100: una linea blu che non ne esce in alto è quello che il caso dà "
                       "da solo"));
}

void GraficoVerifica::Imposta(const std::vector<ProvaRetroattiva>& prove, const QString& primaData,
                              const QString& ultimaData) {
    vincite_.assign(1, 0);
    attese_.assign(1, 0);
    banda_.assign(1, 0);
    double varianza = 0;
    for (const auto& p : prove) {
        vincite_.push_back(vincite_.back() + (p.Vinta ? 1 : 0));
        attese_.push_back(attese_.back() + p.Probabilita);
        varianza += p.Probabilita * (1 - p.Probabilita);
        banda_.push_back(2 * std::sqrt(varianza));
    }
    primaData_ = primaData;
    ultimaData_ = ultimaData;
    update();
}

void GraficoVerifica::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    const int h = fm.height();
    const int numeri = fm.horizontalAdvance(QStringLiteral("0000"));
    const QRectF area(h + numeri + 10, 8, width() - h - numeri - 20, height() - 2 * h - 16);
    const double n = static_cast<double>(vincite_.size() > 1 ? vincite_.size() - 1 : 0);

    // The axes' names: what is counted upwards, what runs to the right.
    p.setPen(Qt::black);
    p.save();
    p.translate(2, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, 0, area.height(), h), Qt::AlignCenter,
               QStringLiteral("Vincite (somma)"));
    p.restore();
    p.drawText(QRectF(area.left(), area.bottom() + 4 + h, area.width(), h), Qt::AlignCenter,
               n > 0 ? QStringLiteral("Prove in ordine di data: %1").arg(static_cast<int>(n))
                     : QStringLiteral("Prove in ordine di data"));
    if (vincite_.size() < 2) {
        p.setPen(Qt::gray);
        p.drawRect(area);
        p.drawText(area, Qt::AlignCenter, QStringLiteral("Nessuna prova"));
        return;
    }
    p.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), h), Qt::AlignLeft,
               primaData_.isEmpty() ? QStringLiteral("1") : primaData_);
    p.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), h), Qt::AlignRight,
               ultimaData_.isEmpty() ? QString::number(static_cast<int>(n)) : ultimaData_);

    double massimo = 1;
    for (size_t i = 0; i < vincite_.size(); ++i)
        massimo = std::max({massimo, vincite_[i], attese_[i] + banda_[i]});
    const double passo = Passo(massimo);
    massimo = std::ceil(massimo / passo) * passo;
    const auto punto = [&](size_t i, double y) {
        return QPointF(area.left() + area.width() * static_cast<double>(i) / n,
                       area.bottom() - area.height() * y / massimo);
    };
    for (double y = 0; y <= massimo + passo / 2; y += passo) {
        const double yy = area.bottom() - area.height() * y / massimo;
        p.setPen(QColor(235, 235, 235));
        p.drawLine(QPointF(area.left(), yy), QPointF(area.right(), yy));
        p.setPen(Qt::black);
        p.drawText(QRectF(h + 2, yy - h / 2.0, numeri + 4, h), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(static_cast<long long>(std::lround(y))));
    }
    QPainterPath fascia;
    fascia.moveTo(punto(0, 0));
    for (size_t i = 0; i < attese_.size(); ++i)
        fascia.lineTo(punto(i, attese_[i] + banda_[i]));
    for (size_t i = attese_.size(); i-- > 0;)
        fascia.lineTo(punto(i, std::max(attese_[i] - banda_[i], 0.0)));
    p.fillPath(fascia, ColoreFascia);
    const QPen pennaCaso(Qt::darkGray, 1.5, Qt::DashLine), pennaVincite(ColoreVincite, 2);
    const auto linea = [&](const std::vector<double>& y, const QPen& penna) {
        QPainterPath percorso;
        percorso.moveTo(punto(0, y[0]));
        for (size_t i = 1; i < y.size(); ++i)
            percorso.lineTo(punto(i, y[i]));
        p.setPen(penna);
        p.drawPath(percorso);
    };
    linea(attese_, pennaCaso);
    linea(vincite_, pennaVincite);
    p.setPen(Qt::gray);
    p.drawRect(area);

    // The legend sits top left, where both lines start from the bottom.
    const QString voci[3] = {QStringLiteral("Vincite del metodo"), QStringLiteral("Vincite attese dal caso"),
                             QStringLiteral("Dove resta il caso 95 volte su 100")};
    int larghezza = 0;
    for (const auto& v : voci)
        larghezza = std::max(larghezza, fm.horizontalAdvance(v));
    const QRectF legenda(area.left() + 6, area.top() + 6, larghezza + 40, 3 * h + 8);
    p.fillRect(legenda, QColor(255, 255, 255, 230));
    p.setPen(QColor(200, 200, 200));
    p.drawRect(legenda);
    for (int i = 0; i < 3; ++i) {
        const double y = legenda.top() + 4 + i * h + h / 2.0;
        const QPointF da(legenda.left() + 6, y), a(legenda.left() + 28, y);
        if (i == 2)
            p.fillRect(QRectF(da.x(), y - h / 3.0, a.x() - da.x(), 2 * h / 3.0), ColoreFascia);
        else {
            p.setPen(i == 0 ? pennaVincite : pennaCaso);
            p.drawLine(da, a);
        }
        p.setPen(Qt::black);
        p.drawText(QRectF(a.x() + 6, y - h / 2.0, larghezza + 4, h), Qt::AlignLeft | Qt::AlignVCenter,
                   voci[i]);
    }
}

} // namespace trivalto
