// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/FinestraHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace trivalto {

FinestraHelp::FinestraHelp(QString cartella, QWidget* parent)
    : QWidget(parent, Qt::Window), cartella_(std::move(cartella)), testo_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("FinestraHelp"));
    setWindowTitle(QStringLiteral("Help in linea - Le Trivalto"));
    testo_->setObjectName(QStringLiteral("TestoHelp"));
    testo_->setOpenLinks(true);
    testo_->setSearchPaths({cartella_});
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(testo_);
    layout->addWidget(chiudi, 0, Qt::AlignRight);
    resize(720, 560);
}

void FinestraHelp::MostraArgomento(int argomento) {
    const QString pagina = QDir(cartella_).filePath(QString::number(argomento) + QStringLiteral(".html"));
    if (QFileInfo::exists(pagina)) {
        testo_->setSource(QUrl::fromLocalFile(pagina));
    } else {
        testo_->setHtml(
            QStringLiteral("<h2>Help non disponibile</h2><p>La pagina dell'argomento %1 non si trova "
                           "nella cartella %2.</p>")
                .arg(argomento)
                .arg(cartella_.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

QString FinestraHelp::PaginaCorrente() const {
    return testo_->source().toLocalFile();
}

} // namespace trivalto
