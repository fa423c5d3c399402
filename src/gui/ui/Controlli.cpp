// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/Controlli.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/ui/Griglia.h"

namespace trivalto {

QComboBox* ElencoNumeri(QWidget* padre, const char* nome, int da, int a, int passo, int scelta) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    for (int n = da; n <= a; n += passo)
        c->addItem(QString::number(n));
    c->setCurrentIndex(scelta);
    c->setMaxVisibleItems(16);
    return c;
}

QComboBox* ElencoRuote(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    for (int w = 0; w < NumeroRuote; ++w)
        c->addItem(QString::fromLatin1(CodiciRuote[static_cast<size_t>(w)].data(), 2));
    c->setCurrentIndex(0);
    c->setMaxVisibleItems(16);
    return c;
}

QComboBox* ElencoTrasformazioni(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    for (int t = 0; t < VociTrasformazione; ++t) {
        const auto voce = NomiTrasformazioni[static_cast<size_t>(t)];
        c->addItem(QString::fromUtf8(voce.data(), static_cast<qsizetype>(voce.size())));
    }
    c->setCurrentIndex(0);
    return c;
}

QLabel* EtichettaValore(QWidget* padre, const char* nome, int larghezzaMinima, Qt::Alignment allineamento) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nome));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(allineamento);
    l->setMinimumWidth(larghezzaMinima);
    return l;
}

QPushButton* PulsanteComando(QWidget* padre, const char* nome, const QString& testo) {
    auto* b = new QPushButton(testo, padre);
    b->setObjectName(QString::fromLatin1(nome));
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    return b;
}

QPushButton* PulsanteCollegamento(QWidget* padre, const char* nome, const QString& testo) {
    auto* b = new QPushButton(testo, padre);
    b->setObjectName(QString::fromLatin1(nome));
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
    return b;
}

QPushButton* PulsantePosizione(QWidget* padre, int p) {
    auto* b = new QPushButton(QString::number(p), padre);
    b->setObjectName(QStringLiteral("Posizione%1").arg(p));
    b->setFixedSize(30, 24);
    return b;
}

void DipingiPosizioni(const std::array<QPushButton*, 5>& pulsanti, const PosizioniAbilitate& accese) {
    for (size_t p = 0; p < pulsanti.size(); ++p)
        pulsanti[p]->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid #777; font-weight: bold; }")
                .arg(ModelloGriglia::ColoreQt(accese[p] ? ColoreAcceso : ColoreBianco).name()));
}

void ApplicaEffettoPosizioni(EffettoPosizioni effetto, QRadioButton* somma, QRadioButton* distanza,
                             QRadioButton* differenza) {
    switch (effetto) {
    case EffettoPosizioni::AbilitaDistanze:
        distanza->setEnabled(true);
        differenza->setEnabled(true);
        break;
    case EffettoPosizioni::SoloSomma:
        distanza->setEnabled(false);
        differenza->setEnabled(false);
        somma->setChecked(true);
        break;
    case EffettoPosizioni::NessunCambio:
        break;
    }
}

Griglia* GrigliaRuote(QWidget* padre) {
    auto* g = new Griglia(padre);
    g->setObjectName(QStringLiteral("FgRuote"));
    QStringList codici;
    for (int w = 0; w < NumeroRuote; ++w)
        codici << QString::fromLatin1(CodiciRuote[static_cast<size_t>(w)].data(), 2);
    g->ImpostaIntestazione(codici.join(QLatin1Char('|')));
    g->ImpostaRighe(2);
    for (int w = 0; w < NumeroRuote; ++w) {
        g->ImpostaTesto(1, w, codici[w]);
        g->Modello().ImpostaCentrata(w, true);
        g->ImpostaLarghezza(w, 375);
    }
    g->horizontalHeader()->setVisible(false);
    g->horizontalScrollBar()->setEnabled(false);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setFixedHeight(g->verticalHeader()->defaultSectionSize() + 4);
    g->setFixedWidth(g->columnWidth(0) * NumeroRuote + 4);
    return g;
}

void DipingiRuote(Griglia& griglia, const std::array<bool, 11>& giocate) {
    for (int w = 0; w < NumeroRuote; ++w)
        griglia.Modello().ImpostaSfondo(1, w, giocate[static_cast<size_t>(w)] ? ColoreAcceso : ColoreBianco);
}

QLabel* EtichettaDestra(QWidget* padre, const QString& testo) {
    auto* l = new QLabel(testo, padre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* ValoreDestra(QWidget* padre, const char* nome) {
    return EtichettaValore(padre, nome, 64, Qt::AlignRight | Qt::AlignVCenter);
}

Griglia* GrigliaTabella(QWidget* padre, const char* nome, const char* intestazione) {
    auto* g = new Griglia(padre);
    g->setObjectName(QString::fromLatin1(nome));
    g->ImpostaIntestazione(QString::fromUtf8(intestazione));
    // Tab goes on to the next control; the arrows move within the table.
    g->setTabKeyNavigation(false);
    return g;
}

void ColonneCentrate(Griglia* g, std::initializer_list<int> twips, int altre) {
    for (int c = 0; c < g->Modello().Colonne(); ++c) {
        const int t = c < static_cast<int>(twips.size()) ? *(twips.begin() + c) : altre;
        if (t > 0) g->ImpostaLarghezza(c, t);
        g->setColumnWidth(c, std::max(g->columnWidth(c), g->horizontalHeader()->sectionSizeHint(c)));
        g->Modello().ImpostaCentrata(c, true);
    }
}

int AltezzaPerRighe(const Griglia* g, int righe) {
    return g->horizontalHeader()->sizeHint().height() + righe * g->verticalHeader()->defaultSectionSize() +
           2 * g->frameWidth() + g->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int LarghezzaTabella(const Griglia* g) {
    int larghezza = 2 * g->frameWidth() + g->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < g->Modello().Colonne(); ++c)
        larghezza += g->columnWidth(c);
    return larghezza;
}

QWidget* Riquadro(QWidget* padre, const QString& titolo, Griglia* griglia,
                  std::initializer_list<QWidget*> pulsanti, QWidget* sotto) {
    auto* w = new QWidget(padre);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    auto* riga = new QHBoxLayout;
    auto* t = new QLabel(QStringLiteral("<b>%1</b>").arg(titolo), w);
    riga->addWidget(t);
    riga->addStretch(1);
    for (auto* p : pulsanti)
        riga->addWidget(p);
    v->addLayout(riga);
    v->addWidget(griglia, 1);
    if (sotto) v->addWidget(sotto);
    return w;
}

void DisponiScorrevole(QWidget* finestra, QLayout* layout, const char* nome) {
    auto* contenuto = new QWidget(finestra);
    contenuto->setLayout(layout);
    auto* scorri = new QScrollArea(finestra);
    scorri->setObjectName(QString::fromLatin1(nome));
    scorri->setFrameShape(QFrame::NoFrame);
    scorri->setWidgetResizable(true);
    scorri->setFocusPolicy(Qt::NoFocus);
    scorri->setWidget(contenuto);
    auto* esterno = new QVBoxLayout(finestra);
    esterno->setContentsMargins(0, 0, 0, 0);
    esterno->addWidget(scorri);
}

} // namespace trivalto
