// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/Storia.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"

namespace trivalto {

void GraficoStoria::Imposta(int casi, int coperti, int negativi) {
    casi_ = casi, coperti_ = coperti, negativi_ = negativi;
    update();
}

void GraficoStoria::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(180, 180, 180));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (casi_ <= 0) return;
    // Width = number of cases, height = 10, as the chart's coordinate system.
    const double sx = width() / double(casi_), sy = height() / 10.0;
    const QColor copertiColore = coperti_ == casi_ ? QColor(0, 185, 0) : QColor(0, 0, 255);
    p.fillRect(QRectF(0, 1 * sy, coperti_ * sx, 3 * sy), copertiColore);
    p.fillRect(QRectF(0, 6 * sy, negativi_ * sx, 3 * sy), QColor(255, 0, 0));
}

FinestraStoria::FinestraStoria(Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent), dialoghi_(dialoghi), fg1_(new Griglia(this)), pic1_(new GraficoStoria(this)) {
    setObjectName(QStringLiteral("Storia"));
    setWindowTitle(QStringLiteral("Resoconto storico"));
    fg1_->setObjectName(QStringLiteral("fg1"));
    fg1_->ImpostaIntestazione(
        QStringLiteral("G N°|Est Rif|Data|R.Base|Param.|Previsione completa|Esito|Sorte|Ruota|Colpo"));
    pic1_->setObjectName(QStringLiteral("pic1"));

    auto* sintesi = new QGridLayout;
    const char* titoli[] = {"Casi esaminati", "Coperti", "Negativi", "Positivi", "Percentuale"};
    const char* nomi[] = {"Label1", "Label2", "Label3", "Label6", "Label4"};
    for (int i = 0; i < 5; ++i) {
        auto* t = new QLabel(QString::fromUtf8(titoli[i]), this);
        t->setObjectName(QStringLiteral("Label5_%1").arg(i));
        valori_[i] = new QLabel(this);
        valori_[i]->setObjectName(QString::fromLatin1(nomi[i]));
        valori_[i]->setFrameShape(QFrame::Panel);
        valori_[i]->setFrameShadow(QFrame::Sunken);
        valori_[i]->setMinimumWidth(70);
        valori_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sintesi->addWidget(t, i, 0);
        sintesi->addWidget(valori_[i], i, 1);
    }
    auto* copia = new QPushButton(QStringLiteral("Copia tabella"), this);
    copia->setObjectName(QStringLiteral("Command6"));
    auto* stampa = new QPushButton(QStringLiteral("Stampa"), this);
    stampa->setObjectName(QStringLiteral("Command1"));
    connect(copia, &QPushButton::clicked, this, [this] { fg1_->CopiaNegliAppunti(); });
    connect(stampa, &QPushButton::clicked, this,
            [this] { fg1_->Stampa(dialoghi_, windowTitle(), QPageLayout::Portrait, 300); });

    auto* destra = new QVBoxLayout;
    destra->addLayout(sintesi);
    destra->addWidget(pic1_);
    destra->addWidget(copia);
    destra->addWidget(stampa);
    destra->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fg1_, 1);
    layout->addLayout(destra);
    resize(980, 460);
}

void FinestraStoria::ImpostaSintesi(int casi, int coperti, int negativi, int positivi,
                                    const QString& percentuale) {
    const QString testi[] = {QString::number(casi), QString::number(coperti), QString::number(negativi),
                             QString::number(positivi), percentuale};
    for (int i = 0; i < 5; ++i)
        valori_[i]->setText(testi[i]);
    pic1_->Imposta(casi, coperti, negativi);
}

void FinestraStoria::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !chiamante_) return;
    // After the close has run its course: the main window's area would otherwise activate the
    // window it opened first, not the one the user came from.
    QMetaObject::invokeMethod(
        chiamante_.data(),
        [chiamante = chiamante_] {
            if (!chiamante) return;
            QWidget* w = chiamante;
            while (w && !qobject_cast<QMdiSubWindow*>(w))
                w = w->parentWidget();
            auto* sotto = qobject_cast<QMdiSubWindow*>(w);
            if (sotto && sotto->mdiArea())
                sotto->mdiArea()->setActiveSubWindow(sotto);
            else
                chiamante->window()->activateWindow();
        },
        Qt::QueuedConnection);
}

} // namespace trivalto
