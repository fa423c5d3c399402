// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/Dialoghi.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>

#include "gui/ui/DialogoFile.h"
#include "gui/ui/FinestraHelp.h"

namespace trivalto {

namespace {
QString ChiaveCartella(const QString& filtro) {
    QString chiave = filtro;
    for (QChar& c : chiave)
        if (!c.isLetterOrNumber()) c = QLatin1Char('_');
    return QStringLiteral("CartelleRecenti/") + chiave;
}
} // namespace

QString CartellaProposta(const QString& filtro, const QString& cartella, const QString& cartellaProgramma) {
    if (cartellaProgramma.isEmpty() || QDir(cartella) != QDir(cartellaProgramma)) return cartella;
    const QString ricordata = QSettings().value(ChiaveCartella(filtro)).toString();
    return !ricordata.isEmpty() && QFileInfo(ricordata).isDir() ? ricordata : cartella;
}

void RicordaCartella(const QString& filtro, const QString& fileScelto) {
    QSettings().setValue(ChiaveCartella(filtro), QFileInfo(fileScelto).absolutePath());
}

DialoghiQt::DialoghiQt(QString cartellaHelp, QString cartellaProgramma)
    : cartellaHelp_(std::move(cartellaHelp)), cartellaProgramma_(std::move(cartellaProgramma)) {}

DialoghiQt::~DialoghiQt() {
    delete help_;
}

void DialoghiQt::Messaggio(QWidget* padre, const QString& testo, const QString& titolo, Icona icona) {
    QMessageBox::Icon qi = QMessageBox::NoIcon;
    switch (icona) {
    case Icona::Informazione:
        qi = QMessageBox::Information;
        break;
    case Icona::Esclamazione:
        qi = QMessageBox::Warning;
        break;
    case Icona::Critico:
        qi = QMessageBox::Critical;
        break;
    case Icona::Domanda:
        qi = QMessageBox::Question;
        break;
    case Icona::Nessuna:
        break;
    }
    QMessageBox box(qi, titolo, testo, QMessageBox::Ok, padre);
    box.exec();
}

bool DialoghiQt::Domanda(QWidget* padre, const QString& testo, const QString& titolo, Risposta predefinita) {
    QMessageBox box(QMessageBox::Question, titolo, testo, QMessageBox::NoButton, padre);
    auto* si = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    auto* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(predefinita == Risposta::No ? no : si);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton*>(si);
}

std::optional<QString> DialoghiQt::Chiedi(QWidget* padre, const QString& richiesta, const QString& titolo,
                                          const QString& proposta) {
    QInputDialog dialogo(padre);
    dialogo.setWindowTitle(titolo);
    dialogo.setLabelText(richiesta);
    dialogo.setTextValue(proposta);
    dialogo.setOkButtonText(QStringLiteral("OK"));
    dialogo.setCancelButtonText(QStringLiteral("Annulla"));
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.textValue();
}

QString DialoghiQt::ApriFile(QWidget* padre, const QString& cartella, const QString& nome,
                             const QString& filtro) {
    const QString scelto = ScegliFile(
        padre, QStringLiteral("Apri"),
        QDir(CartellaProposta(filtro, cartella, cartellaProgramma_)).filePath(nome), filtro, false);
    if (!scelto.isEmpty()) RicordaCartella(filtro, scelto);
    return scelto;
}

QString DialoghiQt::SalvaFile(QWidget* padre, const QString& cartella, const QString& nome,
                              const QString& filtro) {
    const QString scelto =
        ScegliFile(padre, QStringLiteral("Salva con nome"),
                   QDir(CartellaProposta(filtro, cartella, cartellaProgramma_)).filePath(nome), filtro, true);
    if (!scelto.isEmpty()) RicordaCartella(filtro, scelto);
    return scelto;
}

bool DialoghiQt::PreparaStampa(QWidget* padre, QPrinter& stampante) {
    QPrintDialog dialogo(&stampante, padre);
    dialogo.setWindowTitle(QStringLiteral("Stampa"));
    return dialogo.exec() == QDialog::Accepted;
}

void DialoghiQt::Help(QWidget*, int argomento) {
    if (!help_) help_ = new FinestraHelp(cartellaHelp_);
    help_->MostraArgomento(argomento);
}

} // namespace trivalto
