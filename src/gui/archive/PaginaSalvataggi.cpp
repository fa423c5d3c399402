// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/archive/PaginaSalvataggi.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/archive/ChiaviParametri.h"
#include "core/maintenance/Esportazioni.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/shell/ControlloAvvio.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Icone.h"

namespace trivalto {

namespace {

const QString TitoloSalvataggio = QStringLiteral("Salvataggio");

QLabel* Nota(QWidget* padre, const QString& testo) {
    auto* l = new QLabel(testo, padre);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color: #a00000;"));
    return l;
}

/// The chosen name with `estensione` when it has none, as the save dialog's default extension did.
QString ConEstensione(const QString& file, const QString& estensione) {
    return QFileInfo(file).suffix().isEmpty() ? file + QLatin1Char('.') + estensione : file;
}

} // namespace

PaginaSalvataggi::PaginaSalvataggi(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                                   QWidget* pulsanteHelp, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi), barra_(barra),
      quorvex_(QString::fromStdString(PercorsoQuorvex(QDir::homePath().toStdString()))) {
    setObjectName(QStringLiteral("PaginaSalvataggi"));
    auto* compagni = new QGroupBox(QStringLiteral("Programmi collegati"), this);
    auto* datiIii =
        PulsanteComando(compagni, "CmdDatiIii", QStringLiteral("SALVA IN FORMATO VELMORA 3 (Dati.iii)"));
    auto* predefinita = PulsanteComando(compagni, "CmdRendePredefinita", QStringLiteral("RENDE PREDEFINITA"));
    auto* quorvex = PulsanteComando(compagni, "CmdQuorvex", QStringLiteral("SALVA IN FORMATO QUORVEX"));
    lblDatiIii_ = new QLabel(compagni);
    lblDatiIii_->setObjectName(QStringLiteral("LblDatiIii"));
    lblDatiIii_->setFrameShape(QFrame::Panel);
    lblDatiIii_->setFrameShadow(QFrame::Sunken);
    lblDatiIii_->setMinimumWidth(300);
    lblDatiIii_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* g = new QGridLayout(compagni);
    g->addWidget(datiIii, 0, 0);
    g->addWidget(lblDatiIii_, 0, 1);
    g->addWidget(predefinita, 0, 2);
    g->addWidget(quorvex, 1, 0);
    lblQuorvex_ = new QLabel(QDir::toNativeSeparators(quorvex_), compagni);
    lblQuorvex_->setObjectName(QStringLiteral("LblQuorvex"));
    lblQuorvex_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(lblQuorvex_, 1, 1, 1, 2);
    g->addWidget(
        Nota(compagni, QStringLiteral("Attenzione: questi due formati non prevedono i dati della ruota "
                                      "nazionale. Vengono salvate le estrazioni delle 10 ruote classiche.")),
        2, 0, 1, 3);
    // The companion program's own wording, kept as its users know it; the path box below shows where
    // the file really goes.
    auto* notaQuorvex = Nota(compagni, QStringLiteral("Attenzione, questo file deve essere obbligatoriamente "
                                                      "salvato nella cartella C:/Qrvx3/ ....."));
    notaQuorvex->setObjectName(QStringLiteral("LblNotaQuorvex"));
    g->addWidget(notaQuorvex, 3, 0, 1, 3);
    g->setColumnStretch(1, 1);

    auto* nazionale = new QGroupBox(QStringLiteral("Ruota Nazionale"), this);
    auto* testo = PulsanteComando(nazionale, "CmdNazionale", QStringLiteral("SALVA NAZIONALE FORMATO TESTO"));
    auto* hn = new QHBoxLayout(nazionale);
    hn->addWidget(testo);
    hn->addStretch(1);

    // The two addresses: the publisher's site (opened by "COLLEGA AL SITO") and the update file.
    auto* indirizzi = new QGroupBox(QStringLiteral("Indirizzi"), this);
    const auto casellaIndirizzo = [this, indirizzi](QGridLayout* g, int r, const QString& titolo,
                                                    const char* nome, const char* parametro,
                                                    const std::string& valore) {
        auto* casella = new QLineEdit(QString::fromStdString(valore), indirizzi);
        casella->setObjectName(QString::fromLatin1(nome));
        auto* incolla = new QToolButton(indirizzi);
        incolla->setObjectName(QStringLiteral("%1Incolla").arg(QLatin1String(nome)));
        incolla->setIcon(IconaPulsante(QStringLiteral("V"), ColoreVerdeChiaro, 20));
        incolla->setToolTip(QStringLiteral("Incolla contenuto appunti"));
        auto* predefinito = PulsanteComando(indirizzi, "", QStringLiteral("RENDE PREDEFINITO"));
        predefinito->setObjectName(QStringLiteral("%1Predefinito").arg(QLatin1String(nome)));
        g->addWidget(new QLabel(titolo, indirizzi), r, 0);
        g->addWidget(casella, r, 1);
        g->addWidget(incolla, r, 2);
        g->addWidget(predefinito, r, 3);
        connect(incolla, &QToolButton::clicked, this,
                [casella] { casella->setText(QApplication::clipboard()->text()); });
        connect(predefinito, &QPushButton::clicked, this,
                [this, parametro, casella] { RendePredefinito(parametro, casella); });
        return casella;
    };
    auto* gi = new QGridLayout(indirizzi);
    txtIndirizzo_ = casellaIndirizzo(gi, 0, QStringLiteral("Indirizzo Internet"), "TxtIndirizzo",
                                     ChiaviParametri::IndirizzoInternetPredefinito, ctx_.IndirizzoInternet);
    std::string aggiornamento;
    try {
        if (ctx_.DbProgramma)
            aggiornamento =
                ctx_.DbProgramma->LeggiParametro(ChiaviParametri::IndirizzoAggiornamento).value_or("");
    } catch (const std::exception&) {
    }
    txtAggiornamento_ = casellaIndirizzo(gi, 1, QStringLiteral("Indirizzo aggiornamento"), "TxtAggiornamento",
                                         ChiaviParametri::IndirizzoAggiornamento, aggiornamento);
    gi->addWidget(
        Nota(indirizzi, QStringLiteral("Per modificare l'indirizzo internet predefinito, copiare l'indirizzo "
                                       "desiderato ed incollarlo in questa casella dopodichè usare il "
                                       "pulsante RENDE PREDEFINITO")),
        2, 0, 1, 4);
    // Saved when ticked: like the addresses above, it is read at the next start.
    auto* controlloAvvio = new QCheckBox(QStringLiteral("Controlla gli aggiornamenti all'avvio"), indirizzi);
    controlloAvvio->setObjectName(QStringLiteral("ChkControlloAvvio"));
    controlloAvvio->setToolTip(QStringLiteral("All'avvio scarica il file di aggiornamento e propone le "
                                              "estrazioni nuove: nulla viene scritto senza conferma"));
    controlloAvvio->setChecked(ctx_.DbProgramma && ControlloAvvio::Abilitato(*ctx_.DbProgramma));
    gi->addWidget(controlloAvvio, 3, 0, 1, 4);
    connect(controlloAvvio, &QCheckBox::toggled, this, [this, controlloAvvio](bool attivo) {
        try {
            if (ctx_.DbProgramma) ControlloAvvio::Abilita(*ctx_.DbProgramma, attivo);
        } catch (const std::exception& e) {
            const QSignalBlocker blocco(controlloAvvio);
            controlloAvvio->setChecked(!attivo);
            dialoghi_.Messaggio(
                this, QStringLiteral("Salvataggio non riuscito.\n") + QString::fromStdString(e.what()),
                TitoloSalvataggio, Dialoghi::Icona::Critico);
        }
    });
    gi->setColumnStretch(1, 1);

    auto* v = new QVBoxLayout(this);
    auto* riga = new QHBoxLayout;
    riga->addStretch(1);
    if (pulsanteHelp) riga->addWidget(pulsanteHelp);
    v->addLayout(riga);
    v->addWidget(compagni);
    v->addWidget(nazionale);
    v->addWidget(indirizzi);
    v->addStretch(1);

    occupazione_.Bloccati = {datiIii, predefinita, quorvex, testo};
    connect(datiIii, &QPushButton::clicked, this, &PaginaSalvataggi::SalvaDatiIii);
    connect(predefinita, &QPushButton::clicked, this, &PaginaSalvataggi::RendePredefinita);
    connect(quorvex, &QPushButton::clicked, this, &PaginaSalvataggi::SalvaQuorvex);
    connect(testo, &QPushButton::clicked, this, &PaginaSalvataggi::SalvaNazionale);

    // The folder of the last Dati.iii export, as saved by "RENDE PREDEFINITA"; a failure leaves it empty.
    try {
        if (ctx_.DbProgramma)
            lblDatiIii_->setText(QDir::toNativeSeparators(QString::fromStdString(
                ctx_.DbProgramma->LeggiParametro(ChiaviParametri::PercorsoDatiIii).value_or(""))));
    } catch (const std::exception&) {
    }
}

void PaginaSalvataggi::Avvia(
    const QString& file,
    std::function<void(const ArchivioMemoria&, const std::string&, const std::function<void(int, int)>&)>
        esporta,
    std::function<void(bool, const QString&)> poi) {
    occupazione_.Inizia();
    auto archivio = ctx_.Istantanea();
    const auto termina = [this, poi](bool riuscita, const QString& causa) {
        occupazione_.Termina(barra_);
        poi(riuscita, causa);
        emit LavoroFinito();
    };
    lavoro_ = AvviaLavoro<bool>(
        this, barra_,
        [archivio, esporta, destinazione = file.toStdString()](const ControlloLavoro& ctl) {
            esporta(*archivio, destinazione, ctl.Progresso);
            return true;
        },
        [termina](bool) { termina(true, {}); },
        [termina](std::exception_ptr e) { termina(false, CausaErrore(e)); });
}

void PaginaSalvataggi::SalvaDatiIii() {
    if (occupazione_.Attiva()) return;
    const QString etichetta = lblDatiIii_->text();
    const QString cartella = etichetta.isEmpty() ? QString::fromStdString(ctx_.CartellaProgramma())
                                                 : QFileInfo(etichetta).absolutePath();
    const QString scelto = dialoghi_.SalvaFile(this, cartella, QStringLiteral("*.iii"),
                                               QStringLiteral("File di archivio (*.iii)"));
    if (scelto.isEmpty()) return;
    const QString file = ConEstensione(scelto, QStringLiteral("iii"));
    Avvia(
        file, [](const ArchivioMemoria& a, const std::string& f, const auto& p) { EsportaDatiIii(a, f, p); },
        [this, file](bool riuscita, const QString& causa) {
            if (riuscita) {
                lblDatiIii_->setText(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
                Esportato(file);
            } else {
                dialoghi_.Messaggio(this, QStringLiteral("Esportazione non riuscita.\n") + causa,
                                    TitoloSalvataggio, Dialoghi::Icona::Critico);
            }
        });
}

void PaginaSalvataggi::RendePredefinita() {
    try {
        if (ctx_.DbProgramma && ctx_.DbProgramma->ScriviParametro(ChiaviParametri::PercorsoDatiIii,
                                                                  lblDatiIii_->text().toStdString()))
            dialoghi_.Messaggio(this, QStringLiteral("Salvataggio effettuato"), TitoloSalvataggio,
                                Dialoghi::Icona::Informazione);
        else
            ParametroMancante(ChiaviParametri::PercorsoDatiIii);
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Salvataggio non riuscito.\n") + QString::fromStdString(e.what()),
                            TitoloSalvataggio, Dialoghi::Icona::Critico);
    }
}

void PaginaSalvataggi::RendePredefinito(const char* parametro, QLineEdit* casella) {
    try {
        if (!ctx_.DbProgramma ||
            !ctx_.DbProgramma->ScriviParametro(parametro, casella->text().toStdString())) {
            ParametroMancante(parametro);
            return;
        }
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Salvataggio non riuscito.\n") + QString::fromStdString(e.what()),
                            TitoloSalvataggio, Dialoghi::Icona::Critico);
        return;
    }
    // The site address takes effect at once ("COLLEGA AL SITO" opens the new one), not at the next start.
    if (casella == txtIndirizzo_) ctx_.IndirizzoInternet = casella->text().toStdString();
    dialoghi_.Messaggio(this, QStringLiteral("Salvataggio effettuato"), TitoloSalvataggio,
                        Dialoghi::Icona::Informazione);
}

void PaginaSalvataggi::ImpostaPercorsoQuorvex(const QString& percorso) {
    quorvex_ = percorso;
    lblQuorvex_->setText(QDir::toNativeSeparators(percorso));
}

void PaginaSalvataggi::SalvaQuorvex() {
    if (occupazione_.Attiva()) return;
    // The companion program reads a fixed place; a missing folder is made rather than the export refused,
    // and named to the user. Should that fail, the export reports it.
    QString creata;
    try {
        creata = QString::fromStdString(CreaCartelleDi(quorvex_.toStdString()));
    } catch (const ErroreEsportazione&) {
    }
    Avvia(
        quorvex_,
        [](const ArchivioMemoria& a, const std::string& f, const auto& p) { EsportaQuorvex(a, f, p); },
        [this, creata](bool riuscita, const QString& causa) {
            if (riuscita && !creata.isEmpty())
                dialoghi_.Messaggio(this, QStringLiteral("Creata la cartella ") + creata, TitoloSalvataggio,
                                    Dialoghi::Icona::Informazione);
            if (riuscita)
                Esportato(quorvex_);
            else
                dialoghi_.Messaggio(this, QStringLiteral("Attenzione Quorvex non presente.\n") + causa,
                                    QStringLiteral("Le Trivalto"), Dialoghi::Icona::Nessuna);
        });
}

void PaginaSalvataggi::SalvaNazionale() {
    if (occupazione_.Attiva()) return;
    const QString scelto =
        dialoghi_.SalvaFile(this, QString::fromStdString(ctx_.CartellaProgramma()), QStringLiteral("*.Txt"),
                            QStringLiteral("File di archivio (*.Txt)"));
    if (scelto.isEmpty()) return;
    const QString file = ConEstensione(scelto, QStringLiteral("Txt"));
    Avvia(
        file,
        [](const ArchivioMemoria& a, const std::string& f, const auto& p) { EsportaNazionale(a, f, p); },
        [this, file](bool riuscita, const QString& causa) {
            if (riuscita)
                Esportato(file);
            else
                dialoghi_.Messaggio(this, QStringLiteral("Esportazione non riuscita.\n") + causa,
                                    TitoloSalvataggio, Dialoghi::Icona::Critico);
        });
}

void PaginaSalvataggi::Esportato(const QString& file) {
    dialoghi_.Messaggio(this,
                        QStringLiteral("Esportazione completata. File scritto:\n") +
                            QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()),
                        TitoloSalvataggio, Dialoghi::Icona::Informazione);
}

void PaginaSalvataggi::ParametroMancante(const char* parametro) {
    dialoghi_.Messaggio(this,
                        QStringLiteral("Salvataggio non riuscito: il database del programma non ha il "
                                       "parametro %1.")
                            .arg(QLatin1String(parametro)),
                        TitoloSalvataggio, Dialoghi::Icona::Critico);
}

} // namespace trivalto
