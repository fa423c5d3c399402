// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPainter>
#include <QPrinter>

#include "gui/ui/Griglia.h"

namespace trivalto {

void StampaGriglia(const ModelloGriglia& m, const Griglia* vista, QPrinter& stampante,
                   const QString& titolo) {
    QPainter p(&stampante);
    if (!p.isActive()) return;
    QFont carattere(QStringLiteral("DejaVu Sans"), 8);
    p.setFont(carattere);
    const QRect pagina = p.viewport();
    const QFontMetrics fm(carattere, &stampante);
    const int altezzaRiga = fm.height() + fm.height() / 3;

    // Visible columns only, as wide as their widest text.
    std::vector<int> colonne, larghezze;
    for (int c = 0; c < m.Colonne(); ++c) {
        if (vista && vista->isColumnHidden(c)) continue;
        int w = fm.horizontalAdvance(m.Testo(0, c));
        for (int r = 1; r < m.Righe(); ++r)
            w = std::max(w, fm.horizontalAdvance(m.Testo(r, c)));
        colonne.push_back(c);
        larghezze.push_back(w + fm.averageCharWidth() * 2);
    }
    int totale = 0;
    for (int w : larghezze)
        totale += w;
    const double scala = totale > pagina.width() ? double(pagina.width()) / totale : 1.0;

    int y = 0;
    const auto nuovaPagina = [&] {
        stampante.newPage();
        y = 0;
    };
    const auto riga = [&](int r) {
        int x = 0;
        for (size_t i = 0; i < colonne.size(); ++i) {
            const int c = colonne[i], w = qRound(larghezze[i] * scala);
            const QRect cella(x, y, w, altezzaRiga);
            p.fillRect(cella, r == 0 ? QColor(230, 230, 230) : ModelloGriglia::ColoreQt(m.Sfondo(r, c)));
            p.setPen(QColor(160, 160, 160));
            p.drawRect(cella);
            QFont f = carattere;
            f.setBold(r == 0 || m.Grassetto(r, c));
            p.setFont(f);
            p.setPen(r == 0 ? Qt::black : ModelloGriglia::ColoreQt(m.PrimoPiano(r, c)));
            p.drawText(cella.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignHCenter, m.Testo(r, c));
            x += w;
        }
        y += altezzaRiga;
    };

    p.setFont(carattere);
    p.drawText(0, 0, pagina.width(), altezzaRiga, Qt::AlignLeft | Qt::AlignVCenter, titolo);
    y = altezzaRiga * 2;
    riga(0);
    for (int r = 1; r < m.Righe(); ++r) {
        if (vista && vista->RigaNascosta(r)) continue;
        if (y + altezzaRiga > pagina.height()) {
            nuovaPagina();
            riga(0);
        }
        riga(r);
    }
}

} // namespace trivalto
