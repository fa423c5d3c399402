// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/archive/PaginaAggiornamenti.h"

#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/archive/ChiaviParametri.h"
#include "core/maintenance/Scaricamento.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"

namespace trivalto {

namespace {

const QString TitoloAvviso = QStringLiteral("Avviso");
const QString TitoloAggiornamento = QStringLiteral("Aggiornamento archivio");
const char* FaseCollegamento = "Collegamento al sito";
const char* FaseElenco = "Elenco nuove estrazioni";
const char* FaseControllo = "Controllo estrazioni mancanti";

/// A chosen text archive without its first-line mark.
struct FormatoErrato : std::runtime_error {
    FormatoErrato() : std::runtime_error("formato") {}
};

/// "N da importare, M errate, K non valide" over the marks of a check.
QString Riepilogo(const std::vector<EsitoRiga>& esiti) {
    int daImportare = 0, errate = 0, nonValide = 0;
    for (const auto& e : esiti) {
        daImportare += e.Segno == Marca::DaImportare;
        errate += e.Segno == Marca::Errata;
        nonValide += e.Segno == Marca::NonValida;
    }
    return QStringLiteral("%1 da importare, %2 errate, %3 non valide")
        .arg(daImportare)
        .arg(errate)
        .arg(nonValide);
}

QLabel* Nota(QWidget* padre, const QString& testo, const char* colore = "#000000") {
    auto* l = new QLabel(testo, padre);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colore)));
    return l;
}

} // namespace

PaginaAggiornamenti::PaginaAggiornamenti(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                                         std::function<void()> ricarica, QWidget* pulsanteHelp,
                                         QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi), barra_(barra), ricarica_(std::move(ricarica)) {
    setObjectName(QStringLiteral("PaginaAggiornamenti"));
    FgImporta_ = new Griglia(this);
    FgImporta_->setObjectName(QStringLiteral("FgImporta"));
    FgImporta_->ImpostaIntestazione(
        QStringLiteral("|Data    estraz   "
                       "|Bari|Cagliari|Firenze|Genova|Milano|Napoli|Palermo|Roma|Torino|Venezia|Nazionale"));
    FgImporta_->ImpostaLarghezza(0, 150);
    for (int c = 1; c < 13; ++c)
        FgImporta_->Modello().ImpostaCentrata(c, true);
    List4_ = new QListWidget(this);
    List4_->setObjectName(QStringLiteral("List4"));
    QFont fisso(QStringLiteral("Courier New"));
    fisso.setStyleHint(QFont::Monospace);
    List4_->setFont(fisso);
    FgImporta_->setTabKeyNavigation(false); // the table is read, not edited: Tab goes on to the next control
    LblRiepilogo_ = new QLabel(this);
    LblRiepilogo_->setObjectName(QStringLiteral("LblRiepilogo"));
    QFont grassetto = LblRiepilogo_->font();
    grassetto.setBold(true);
    LblRiepilogo_->setFont(grassetto);
    Check3_ = new QCheckBox(QStringLiteral("Corregge estrazioni errate"), this);
    Check3_->setObjectName(QStringLiteral("Check3"));

    auto* daFile = PulsanteComando(this, "Command21", QStringLiteral("AGGIORNA DA FILE"));
    auto* controllo = PulsanteComando(this, "CmdControllo", QStringLiteral("CONTROLLO AGGIORNAMENTI"));
    auto* applica = PulsanteComando(this, "CmdAggiornamento", QStringLiteral("AGGIORNAMENTO"));
    auto* scarico = PulsanteComando(this, "CmdScaricoFile", QStringLiteral("SCARICO FILE"));
    auto* ftp = new QPushButton(QStringLiteral("Scarica via FTP"), this);
    ftp->setObjectName(QStringLiteral("Command19"));
    auto* conNome = new QPushButton(QStringLiteral("Scarica e salva con nome..."), this);
    conNome->setObjectName(QStringLiteral("Command20"));
    auto* annulla = new QPushButton(QStringLiteral("Annulla trasferimento"), this);
    annulla->setObjectName(QStringLiteral("Command26"));
    occupazione_.Bloccati = {daFile, controllo, applica, scarico, ftp, conNome};

    auto* pulsanti = new QGridLayout;
    pulsanti->addWidget(controllo, 0, 0);
    pulsanti->addWidget(daFile, 0, 1);
    pulsanti->addWidget(applica, 0, 2);
    pulsanti->addWidget(Check3_, 0, 3);
    pulsanti->addWidget(scarico, 1, 0);
    pulsanti->addWidget(ftp, 1, 1);
    pulsanti->addWidget(conNome, 1, 2);
    pulsanti->addWidget(annulla, 1, 3);
    pulsanti->setColumnStretch(4, 1);
    if (pulsanteHelp) pulsanti->addWidget(pulsanteHelp, 0, 5);

    auto* note = new QVBoxLayout;
    note->addWidget(Nota(this, QStringLiteral("L'aggiornamento automatico non è un servizio garantito")));
    note->addWidget(
        Nota(this, QStringLiteral("Inoltre la disponibilità non è immediata ma potrebbe richiedere qualche "
                                  "giorno dopo l'ultima estrazione effettuata. ")));
    note->addWidget(
        Nota(this, QStringLiteral("Di norma, se non ci sono impedimenti, l'aggiornamento dovrebbe essere "
                                  "disponibile il giorno successivo all'ultima estrazione")));
    note->addWidget(
        Nota(this, QStringLiteral("Il controllo viene effettuato nelle ultime 100 estrazioni. Per "
                                  "l'archivio completo contattare il programmatore")));
    note->addWidget(
        Nota(this,
             QStringLiteral("Lo sfondo arancione nella colonna della data identifica le estrazioni da "
                            "importare"),
             "#a05000"));
    note->addWidget(
        Nota(this,
             QStringLiteral("La data in rosso e lo sfondo di una ruota bianco identifica una estrazione  "
                            "con errori in quella ruota"),
             "#c00000"));
    note->addWidget(
        Nota(this,
             QStringLiteral("Lo sfondo rosa nella colonna della data identifica una riga non valida, che "
                            "non viene mai scritta nell'archivio"),
             "#a00060"));
    note->addStretch(1);
    auto* elenco = new QVBoxLayout;
    elenco->addWidget(new QLabel(QStringLiteral("Elenco estrazioni mancanti"), this));
    elenco->addWidget(List4_, 1);
    auto* basso = new QHBoxLayout;
    basso->addLayout(elenco, 1);
    basso->addLayout(note, 1);

    auto* v = new QVBoxLayout(this);
    v->addLayout(pulsanti);
    v->addWidget(LblRiepilogo_);
    v->addWidget(FgImporta_, 3);
    v->addLayout(basso, 2);

    connect(daFile, &QPushButton::clicked, this, &PaginaAggiornamenti::AggiornaDaFile);
    connect(controllo, &QPushButton::clicked, this, &PaginaAggiornamenti::ControlloAggiornamenti);
    connect(applica, &QPushButton::clicked, this, &PaginaAggiornamenti::Aggiornamento);
    connect(scarico, &QPushButton::clicked, this, &PaginaAggiornamenti::ScaricoFile);
    connect(ftp, &QPushButton::clicked, this, &PaginaAggiornamenti::ScaricaFtp);
    connect(conNome, &QPushButton::clicked, this, &PaginaAggiornamenti::ScaricaConNome);
    connect(annulla, &QPushButton::clicked, this, &PaginaAggiornamenti::Interrompi);
}

std::string PaginaAggiornamenti::IndirizzoAggiornamento() {
    std::string indirizzo;
    try {
        if (ctx_.DbProgramma)
            indirizzo =
                ctx_.DbProgramma->LeggiParametro(ChiaviParametri::IndirizzoAggiornamento).value_or("");
    } catch (const std::exception&) {
    }
    if (indirizzo.empty())
        Guasto(QString::fromLatin1(FaseCollegamento),
               QStringLiteral("nessun indirizzo di aggiornamento impostato"));
    return indirizzo;
}

std::string PaginaAggiornamenti::FileScaricato() const {
    return (std::filesystem::path(ctx_.CartellaProgramma()) / "Estr_Agg.txt").string();
}

// --- Long work ------------------------------------------------------------------------------------

void PaginaAggiornamenti::Interrompi() {
    if (!occupazione_.Attiva()) return;
    interrotta_ = true;
    lavoro_.Ferma();
}

void PaginaAggiornamenti::Inizia() {
    interrotta_ = false;
    occupazione_.Inizia();
}

void PaginaAggiornamenti::Termina() {
    occupazione_.Termina(barra_);
    emit LavoroFinito();
}

void PaginaAggiornamenti::Guasto(const QString& fase, const QString& causa) {
    dialoghi_.Messaggio(this,
                        QStringLiteral("Attenzione qualcosa è andato strorto nella procedura ") + fase +
                            QStringLiteral("\n") + causa,
                        TitoloAvviso, Dialoghi::Icona::Critico);
}

void PaginaAggiornamenti::Fallito(const QString& fase, std::exception_ptr e) {
    if (interrotta_)
        dialoghi_.Messaggio(this, QStringLiteral("Trasferimento annullato."), TitoloAggiornamento,
                            Dialoghi::Icona::Informazione);
    else
        Guasto(fase, CausaErrore(e));
}

void PaginaAggiornamenti::Avvia(std::function<void(const ControlloLavoro&)> lavoro,
                                std::function<void()> poi) {
    Inizia();
    lavoro_ = AvviaLavoro<bool>(
        this, barra_,
        [lavoro](const ControlloLavoro& ctl) {
            lavoro(ctl);
            return true;
        },
        [this, poi](bool) {
            Termina();
            poi();
        },
        [this](std::exception_ptr e) {
            Termina();
            Fallito(QString::fromLatin1(FaseCollegamento), e);
        });
}

void PaginaAggiornamenti::AvviaControllo(
    std::function<std::string(const ControlloLavoro&, std::string& fase)> sorgente) {
    auto fase = std::make_shared<std::string>();
    const std::string archivio = ctx_.PercorsoArchivio;
    Inizia();
    lavoro_ = AvviaLavoro<Controllato>(
        this, barra_,
        [sorgente, fase, archivio](const ControlloLavoro& ctl) {
            const std::string contenuto = sorgente(ctl, *fase);
            *fase = FaseElenco;
            Controllato c;
            c.Righe = RigheDaSorgente(contenuto);
            *fase = FaseControllo;
            // Its own connection, not the program's: that one belongs to the UI thread.
            auto db = DatabaseArchivio::Apri(archivio);
            c.Esito = ControllaRighe(*db, c.Righe, ctl.Progresso);
            return c;
        },
        [this](Controllato c) {
            Termina();
            righe_ = std::move(c.Righe);
            esiti_ = std::move(c.Esito.Righe);
            if (!righe_.empty()) { // a source without draws ends without any report
                List4_->clear();
                for (const auto& riga : c.Esito.Resoconto)
                    List4_->addItem(QString::fromStdString(riga));
            }
            Dipingi();
        },
        [this, fase](std::exception_ptr e) {
            Termina();
            try {
                std::rethrow_exception(e);
            } catch (const FormatoErrato&) {
                dialoghi_.Messaggio(
                    this, QStringLiteral("Attenzione, sembra che il file non sia del formato corretto"),
                    TitoloAvviso, Dialoghi::Icona::Critico);
            } catch (...) {
                Fallito(QString::fromStdString(*fase), e);
            }
        });
}

// --- Commands --------------------------------------------------------------------------------------

void PaginaAggiornamenti::AggiornaDaFile() {
    if (occupazione_.Attiva()) return;
    const QString file =
        dialoghi_.ApriFile(this, QString::fromStdString(ctx_.CartellaProgramma()), QString(),
                           QStringLiteral("File di aggiornamento (*.txt *.Txt *.TXT *.zip *.ZIP)"));
    if (file.isEmpty()) return;
    AvviaControllo([percorso = file.toStdString()](const ControlloLavoro&, std::string& fase) {
        fase.clear();
        auto contenuto = LeggiSorgente(percorso);
        // A text archive chosen by hand must carry the first-line mark; the other kinds tell themselves.
        if (RiconosciSorgente(contenuto) != TipoSorgente::Zip &&
            RiconosciSorgente(contenuto) != TipoSorgente::Storico && !PrimoRecordValido(contenuto))
            throw FormatoErrato();
        return contenuto;
    });
}

void PaginaAggiornamenti::ControlloAggiornamenti() {
    if (occupazione_.Attiva()) return;
    const auto indirizzo = IndirizzoAggiornamento();
    if (indirizzo.empty()) return;
    AvviaControllo([indirizzo, file = FileScaricato()](const ControlloLavoro& ctl, std::string& fase) {
        fase = FaseCollegamento;
        ControlloScaricamento c;
        c.Interrompi = ctl.Interrompi;
        c.Progresso = [&ctl](long long ricevuti, long long totali) {
            if (ctl.Progresso && totali > 0)
                ctl.Progresso(static_cast<int>(ricevuti / 1024), static_cast<int>(totali / 1024));
        };
        ScaricaInFile(indirizzo, file, c);
        return LeggiSorgente(file);
    });
}

void PaginaAggiornamenti::ScaricoFile() {
    if (occupazione_.Attiva()) return;
    const auto indirizzo = IndirizzoAggiornamento();
    if (indirizzo.empty()) return;
    Avvia(
        [indirizzo, file = FileScaricato()](const ControlloLavoro& ctl) {
            ControlloScaricamento c;
            c.Interrompi = ctl.Interrompi;
            ScaricaInFile(indirizzo, file, c);
        },
        [this] {
            dialoghi_.Messaggio(this, QStringLiteral("Fatto"), QStringLiteral("Le Trivalto"),
                                Dialoghi::Icona::Nessuna);
        });
}

void PaginaAggiornamenti::ScaricaFtp() {
    if (occupazione_.Attiva()) return;
    const auto indirizzo = IndirizzoAggiornamento();
    if (indirizzo.empty()) return;
    const QUrl http(QString::fromStdString(indirizzo));
    if (!http.isValid() || http.host().isEmpty()) {
        Guasto(QString::fromLatin1(FaseCollegamento),
               QStringLiteral("indirizzo di aggiornamento non valido"));
        return;
    }
    // The same folder on the publisher's FTP host.
    QUrl cartella = http;
    cartella.setScheme(QStringLiteral("ftp"));
    cartella.setPort(-1);
    cartella.setPath(http.path().section(QLatin1Char('/'), 0, -2) + QLatin1Char('/'));
    const std::string pippo = (std::filesystem::path(ctx_.CartellaProgramma()) / "pippo.txt").string();
    Avvia(
        [c = cartella.toString().toStdString(), pippo](const ControlloLavoro& ctl) {
            ControlloScaricamento s;
            s.Interrompi = ctl.Interrompi;
            trivalto::ScaricaFtp(c, "Estr_agg.txt", pippo, s);
        },
        [] {});
}

void PaginaAggiornamenti::ScaricaConNome() {
    if (occupazione_.Attiva()) return;
    const auto indirizzo = IndirizzoAggiornamento();
    if (indirizzo.empty()) return;
    const QString nome = QUrl(QString::fromStdString(indirizzo)).fileName();
    const QString file = dialoghi_.SalvaFile(this, QString::fromStdString(ctx_.CartellaProgramma()), nome,
                                             QStringLiteral("Tutti i file (*)"));
    if (file.isEmpty()) return;
    Avvia(
        [indirizzo, f = file.toStdString()](const ControlloLavoro& ctl) {
            ControlloScaricamento s;
            s.Interrompi = ctl.Interrompi;
            ScaricaInFile(indirizzo, f, s);
        },
        [this] {
            dialoghi_.Messaggio(this, QStringLiteral("Fatto"), QStringLiteral("Le Trivalto"),
                                Dialoghi::Icona::Nessuna);
        });
}

void PaginaAggiornamenti::Aggiornamento() {
    if (occupazione_.Attiva()) return;
    List4_->clear();
    if (righe_.empty()) {
        dialoghi_.Messaggio(this, QStringLiteral("Non ci sono estrazioni da aggiornare."),
                            TitoloAggiornamento, Dialoghi::Icona::Informazione);
        emit MostraPrimaPagina();
        return;
    }
    EsitoApplicazione esito;
    try {
        esito = ApplicaRighe(ctx_.ConnessioneArchivio(), righe_, esiti_, Check3_->isChecked());
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Aggiornamento non riuscito: l'archivio è rimasto com'era.\n") +
                                QString::fromStdString(e.what()),
                            TitoloAggiornamento, Dialoghi::Icona::Critico);
        return;
    }
    for (const auto& riga : esito.Resoconto)
        List4_->addItem(QString::fromStdString(riga));
    if (esito.Aggiunte > 0) {
        dialoghi_.Messaggio(this, QStringLiteral("Dati salvati correttamente."), TitoloAggiornamento,
                            Dialoghi::Icona::Informazione);
        emit MostraPrimaPagina();
    }
    righe_.clear();
    esiti_.clear();
    Dipingi();
    if (ricarica_) ricarica_();
}

// --- The table --------------------------------------------------------------------------------------

void PaginaAggiornamenti::Dipingi() {
    auto& m = FgImporta_->Modello();
    m.ImpostaRighe(1);
    m.ImpostaRighe(static_cast<int>(righe_.size()) + 1);
    for (size_t i = 0; i < righe_.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        m.ImpostaTesto(r, 1, QString::fromStdString(righe_[i].Data));
        for (size_t k = 0; k < righe_[i].Celle.size(); ++k)
            m.ImpostaTesto(r, 2 + static_cast<int>(k), QString::fromStdString(righe_[i].Celle[k]));
        if (i >= esiti_.size()) continue;
        const auto& e = esiti_[i];
        switch (e.Segno) {
        case Marca::DaImportare:
            m.ImpostaSfondo(r, 1, ColoreArancioChiaro);
            break;
        case Marca::Errata:
            m.ImpostaPrimoPiano(r, 1, ColoreRosso);
            m.ImpostaGrassetto(r, 1, true);
            break;
        case Marca::NonValida:
            m.ImpostaSfondo(r, 1, ColoreRosa);
            break;
        case Marca::Uguale:
            break;
        }
        for (size_t k = 0; k < e.RuoteUguali.size(); ++k)
            if (e.RuoteUguali[k]) m.ImpostaSfondo(r, 2 + static_cast<int>(k), ColoreVerde);
    }
    // Widened first: a horizontal scroll bar that appears takes room from the rows.
    FgImporta_->AllargaAlContenuto();
    if (m.Righe() > 1) FgImporta_->MostraUltimaRiga();
    LblRiepilogo_->setText(righe_.empty() ? QString() : Riepilogo(esiti_));
}

} // namespace trivalto
