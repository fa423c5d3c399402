// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Informazioni.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/shell/ContestoProgramma.h"
#include "core/shell/InformazioniProgramma.h"

namespace trivalto {

namespace {
QString Html(const std::string& testo) {
    return QString::fromStdString(testo).toHtmlEscaped();
}
} // namespace

Informazioni::Informazioni(const ContestoProgramma& contesto, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Informazioni"));
    setWindowTitle(QStringLiteral("Informazioni su Trivalto"));
    auto* icona = new QLabel(this);
    icona->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    auto* titolo =
        new QLabel(QStringLiteral("<span style=\"font-size: 16pt; font-weight: bold;\">Trivalto</span>"
                                  "<br>Versione %1<br>Archivio del Lotto e ricerca delle terzine")
                       .arg(Html(VersioneProgramma())),
                   this);
    titolo->setObjectName(QStringLiteral("LblVersione"));
    titolo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* testa = new QHBoxLayout;
    testa->addWidget(icona);
    testa->addWidget(titolo, 1);

    auto* corpo = new QTextBrowser(this);
    corpo->setObjectName(QStringLiteral("TxtInformazioni"));
    corpo->setOpenExternalLinks(true);
    corpo->setHtml(Testo(contesto));

    auto* pulsanti = new QDialogButtonBox(this);
    auto* chiudi = pulsanti->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::AcceptRole);
    chiudi->setObjectName(QStringLiteral("CmdChiudi"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* v = new QVBoxLayout(this);
    v->addLayout(testa);
    v->addWidget(corpo, 1);
    v->addWidget(pulsanti);
    resize(640, 640);
}

QString Informazioni::Testo(const ContestoProgramma& contesto) {
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    const auto& a = contesto.Archivio();
    QString archivio;
    if (a.NumeroEstrazioni > 0)
        archivio = QStringLiteral("%1 estrazioni, dal %2 al %3.<br>Ultima estrazione: <b>%3</b>")
                       .arg(italiano.toString(a.NumeroEstrazioni), Html(a.DateEstrazioni[1]),
                            Html(a.DateEstrazioni[static_cast<size_t>(a.NumeroEstrazioni)]));
    else
        archivio = QStringLiteral("Nessuna estrazione caricata.");
    archivio += QStringLiteral("<br>File: ") + Html(contesto.PercorsoArchivio);

    QString librerie = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\">"
                                      "<tr><th>Libreria</th><th>Versione</th><th>Licenza</th></tr>");
    const auto riga = [&librerie](const QString& nome, const QString& versione, const QString& licenza) {
        librerie += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(nome.toHtmlEscaped(), versione.toHtmlEscaped(), licenza.toHtmlEscaped());
    };
    riga(QStringLiteral("Qt"), QString::fromLatin1(qVersion()), QStringLiteral("LGPL-3.0-only"));
    for (const auto& l : LibrerieUsate())
        riga(QString::fromStdString(l.Nome), QString::fromStdString(l.Versione),
             QString::fromStdString(l.Licenza));
    librerie += QStringLiteral("</table>");

    return QStringLiteral("<h3>Archivio</h3><p>%1</p>"
                          "<h3>Provenienza dei dati</h3><p>%2</p>"
                          "<h3>Licenza</h3><p><b>%3</b></p><p>%4</p>"
                          "<p>Testo della licenza: <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">"
                          "https://www.gnu.org/licenses/gpl-3.0.html</a></p>"
                          "<h3>Librerie</h3>%5")
        .arg(archivio, Html(ProvenienzaDati()), QString::fromLatin1(LicenzaProgramma), Html(AvvisoLicenza()),
             librerie);
}

} // namespace trivalto
