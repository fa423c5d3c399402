// SPDX-License-Identifier: GPL-3.0-or-later
// The archive window's commands: showing a draw, writing it, the searches, the list and the calendar.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <ctime>

#include "core/maintenance/CalendarioEstrazioni.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/archive/Archivio.h"
#include "gui/archive/CasellaNumero.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"

namespace trivalto {

namespace {

const QString TitoloSalvataggio = QStringLiteral("Salvataggio estrazione");
const QString TitoloAnomalia = QStringLiteral("Anomalia archivio");

} // namespace

// --- Showing a draw ---------------------------------------------------------------------------

void Archivio::MostraEstrazione(int k) {
    if (k < HScrestrazione_->minimum() || k > HScrestrazione_->maximum()) return;
    if (HScrestrazione_->value() == k)
        emit HScrestrazione_->valueChanged(k); // shown again, over what was typed
    else
        HScrestrazione_->setValue(k);
}

void Archivio::CaricaTabellaArchivio() {
    const auto& a = ctx_.Archivio();
    const int d = indiceCorrente_;
    if (d < 1 || d > a.NumeroEstrazioni) return;
    ImpostaCaselle(CaselleDaEstrazione(a.Estrazioni[static_cast<size_t>(d)]));
    LabelPM_->setText(QString::number(a.PosizioneMese[static_cast<size_t>(d)]));
    LabelPA_->setText(QString::number(a.PosizioneAnno[static_cast<size_t>(d)]));
}

TestiCaselle Archivio::Caselle() const {
    TestiCaselle t;
    for (size_t b = 0; b < t.size(); ++b)
        t[b] = txtin_[b]->text().toStdString();
    return t;
}

void Archivio::ImpostaCaselle(const TestiCaselle& testi) {
    for (size_t b = 0; b < testi.size(); ++b)
        txtin_[b]->setText(QString::fromStdString(testi[b]));
}

void Archivio::AggiornaRiepilogoArchivio() {
    const auto& a = ctx_.Archivio();
    const int n = a.NumeroEstrazioni;
    lblAggiornati_->setText(n >= 1 ? QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(n)])
                                   : QString());
    lblNumero_->setText(QString::number(n));
    HScrestrazione_->setRange(std::min(1, n), n);
    MostraEstrazione(n);
    CaricaElenco();
    CaricaCalendario();
}

bool Archivio::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == pAN_DC_ && evento->type() == QEvent::MouseButtonRelease) {
        CliccaIndice();
        return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}

void Archivio::CliccaIndice() {
    const auto risposta = dialoghi_.Chiedi(this, QStringLiteral("Digitare il numero indice"),
                                           QStringLiteral("Indice estrazione"), QStringLiteral("3894"));
    if (!risposta) return;
    bool ok = false;
    const int k = risposta->trimmed().toInt(&ok);
    if (ok) MostraEstrazione(k);
}

void Archivio::ImpostaDataScelta(const QDate& data) {
    MonthView1_->setSelectedDate(data);
    txtDataScelta_->setText(data.toString(QStringLiteral("dd/MM/yyyy")));
}

// --- Writing ----------------------------------------------------------------------------------

bool Archivio::Ricarica() {
    try {
        ricarica_();
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(
            this,
            QStringLiteral("L'archivio è stato scritto ma non è stato possibile ricaricarlo.\n") +
                QString::fromStdString(e.what()),
            TitoloAnomalia, Dialoghi::Icona::Critico);
        return false;
    }
    AggiornaRiepilogoArchivio();
    return true;
}

void Archivio::SalvaEstrazione() {
    const auto caselle = Caselle();
    if (auto errore = ControllaCaselle(caselle)) {
        dialoghi_.Messaggio(this, QString::fromStdString(*errore), TitoloSalvataggio,
                            Dialoghi::Icona::Esclamazione);
        return;
    }
    const QString data = MonthView1_->selectedDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (!dialoghi_.Domanda(this,
                           QStringLiteral("Confermi il salvataggio dell'estrazione del ") + data +
                               QStringLiteral(" ?"),
                           TitoloSalvataggio))
        return;
    try {
        const auto [datareg, orareg] = DataOraRegistrazione();
        ctx_.ConnessioneArchivio().Inserisci(RigaDaCaselle(data.toStdString(), caselle), datareg, orareg);
    } catch (const ErroreDataPresente&) {
        dialoghi_.Messaggio(
            this, QStringLiteral("Attenzione probabilmente hai inserito una data già memorizzata..."),
            TitoloAnomalia, Dialoghi::Icona::Critico);
        return;
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Salvataggio non riuscito.\n") + QString::fromStdString(e.what()),
                            TitoloAnomalia, Dialoghi::Icona::Critico);
        return;
    }
    dialoghi_.Messaggio(this, QStringLiteral("Dati salvati correttamente. Ricarico archivio."),
                        TitoloSalvataggio, Dialoghi::Icona::Informazione);
    Ricarica();
}

void Archivio::ModificaEstrazione() {
    const int P = HScrestrazione_->value();
    const QString data = LBLESTRAZIONE_->text();
    if (data.isEmpty()) return;
    const auto caselle = Caselle();
    if (auto errore = ControllaCaselle(caselle)) {
        dialoghi_.Messaggio(this, QString::fromStdString(*errore), TitoloSalvataggio,
                            Dialoghi::Icona::Esclamazione);
        return;
    }
    if (!dialoghi_.Domanda(this,
                           QStringLiteral("Confermi la modifica dell'estrazione del ") + data +
                               QStringLiteral(" ?  La modifica è relativa agli estratti e viene mantenuta la "
                                              "stessa data."),
                           TitoloSalvataggio))
        return;
    try {
        const auto [datareg, orareg] = DataOraRegistrazione();
        if (ctx_.ConnessioneArchivio().Modifica(RigaDaCaselle(data.toStdString(), caselle), datareg,
                                                orareg)) {
            dialoghi_.Messaggio(this, QStringLiteral("Modifica effettuata. Ricarico archivio."),
                                TitoloSalvataggio, Dialoghi::Icona::Informazione);
            if (!Ricarica()) return;
        } else {
            dialoghi_.Messaggio(this, QStringLiteral("Elemento non trovato. Possibile anomalia"),
                                QStringLiteral("Le Trivalto"), Dialoghi::Icona::Nessuna);
        }
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Modifica non riuscita.\n") + QString::fromStdString(e.what()),
                            TitoloAnomalia, Dialoghi::Icona::Critico);
        return;
    }
    MostraEstrazione(P);
    const QDate d = QDate::fromString(data, QStringLiteral("dd/MM/yyyy"));
    if (d.isValid()) MonthView1_->setSelectedDate(d);
}

void Archivio::EliminaEstrazione() {
    const QString data = LBLESTRAZIONE_->text();
    if (data.isEmpty()) return;
    if (!dialoghi_.Domanda(this,
                           QStringLiteral("Attenzione: sarà eliminata l'estrazione del ") + data +
                               QStringLiteral(".  Confermi ?"),
                           QStringLiteral("Eliminazione record"), Dialoghi::Risposta::No))
        return;
    try {
        if (!ctx_.ConnessioneArchivio().Elimina(data.toStdString())) return;
    } catch (const std::exception& e) {
        dialoghi_.Messaggio(this,
                            QStringLiteral("Eliminazione non riuscita.\n") + QString::fromStdString(e.what()),
                            TitoloAnomalia, Dialoghi::Icona::Critico);
        return;
    }
    dialoghi_.Messaggio(this, QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."),
                        QStringLiteral("Sistemazione Archivio estrazioni"), Dialoghi::Icona::Informazione);
    Ricarica();
}

// --- Commands of the entry boxes ---------------------------------------------------------------

void Archivio::AzzeraGriglia() {
    ImpostaCaselle(TestiCaselle{});
    // Typing starts again from Bari, even when the button took the focus with a click.
    txtin_[0]->setFocus(Qt::OtherFocusReason);
}

void Archivio::IncollaEstrazione() {
    const QString testo = QStringLiteral(" ") + QApplication::clipboard()->text();
    txtIncolla_->setText(testo);
    ImpostaCaselle(CaselleIncollate(QApplication::clipboard()->text().toStdString()));
}

// --- List of draws ----------------------------------------------------------------------------

void Archivio::CaricaElenco() {
    const auto& a = ctx_.Archivio();
    auto& m = FgDB_->Modello();
    m.ImpostaRighe(1);
    m.ImpostaRighe(a.NumeroEstrazioni + 1);
    for (int i = 1; i <= a.NumeroEstrazioni; ++i) {
        m.ImpostaTesto(i, 0, QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(i)]));
        for (int w = 0; w < NumeroRuote; ++w)
            m.ImpostaTesto(i, w + 1,
                           QString::fromStdString(
                               CellaDaNumeri(a.Estrazioni[static_cast<size_t>(i)][static_cast<size_t>(w)])));
    }
}

void Archivio::RigaElencoScelta(int riga) {
    auto& m = FgDB_->Modello();
    if (riga < 1 || riga >= m.Righe()) return;
    m.ImpostaSfondo(1, 0, m.Righe() - 1, m.Colonne() - 1, ColoreBianco);
    m.ImpostaSfondo(riga, 0, riga, m.Colonne() - 1, ColoreEvidenza);
}

void Archivio::SelezioneEstrazione() {
    const int riga = FgDB_->RigaCorrente();
    if (riga < 1 || riga >= FgDB_->Righe()) return;
    MostraEstrazione(riga);
    const QDate d = QDate::fromString(FgDB_->Testo(riga, 0), QStringLiteral("dd/MM/yyyy"));
    if (d.isValid()) ImpostaDataScelta(d);
    SSTab1_->setCurrentIndex(0);
}

// --- Calendar of a year --------------------------------------------------------------------------

void Archivio::CaricaCalendario() {
    bool ok = false;
    const int anno = cboAnno_->currentText().toInt(&ok);
    if (!ok) return;
    const auto c = CalendarioDellAnno(ctx_.Archivio(), anno);
    QString intestazione = QStringLiteral("A|M");
    for (int g : c.Giorni)
        intestazione += QLatin1Char('|') + QString::number(g);
    fg1_->ImpostaRighe(1);
    fg1_->ImpostaIntestazione(intestazione);
    auto& m = fg1_->Modello();
    m.ImpostaRighe(static_cast<int>(c.Righe.size()) + 1);
    for (size_t r = 0; r < c.Righe.size(); ++r) {
        const int riga = static_cast<int>(r) + 1;
        m.ImpostaTesto(riga, 0, QString::number(c.Righe[r].Anno));
        m.ImpostaTesto(riga, 1, QString::number(c.Righe[r].Mese));
        for (size_t k = 0; k < c.Giorni.size(); ++k)
            if (const int g = c.Righe[r].Celle[k])
                m.ImpostaTesto(riga, static_cast<int>(k) + 2, QString::number(g));
    }
    for (int col = 0; col < m.Colonne(); ++col)
        m.ImpostaCentrata(col, true);
    // Narrow day columns, just wide enough for two digits, so a whole year fits the page.
    auto* testata = fg1_->horizontalHeader();
    const int margine = testata->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, testata);
    const int giorno = std::max(fg1_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 2,
                                testata->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 2 * margine);
    // Year and month are bold in the grid's default type, larger than the days' type: a month of
    // two digits must not be cut to "...".
    QFont grassetto;
    grassetto.setBold(true);
    const QFontMetrics mg(grassetto);
    fg1_->setColumnWidth(0, mg.horizontalAdvance(QStringLiteral("0000")) + 8);
    fg1_->setColumnWidth(1, mg.horizontalAdvance(QStringLiteral("00")) + 8);
    for (int col = 2; col < m.Colonne(); ++col)
        fg1_->setColumnWidth(col, giorno);
    const int ultima = m.Righe() - 1;
    if (ultima >= 1) {
        m.ImpostaGrassetto(1, 0, ultima, 1, true);
        m.ImpostaSfondo(1, 0, ultima, 0, ColoreGialloChiaro);
        m.ImpostaSfondo(1, 1, ultima, 1, ColoreVerdeChiaro);
        for (int col = m.Colonne() - 1; col >= 2; --col)
            if (!m.Testo(ultima, col).isEmpty()) {
                fg1_->ImpostaCellaCorrente(ultima, col);
                break;
            }
    }
    if (chkSigla_->isChecked()) SigleGiorni();
}

void Archivio::SigleGiorni() {
    auto& m = fg1_->Modello();
    for (int r = 1; r < m.Righe(); ++r)
        for (int col = 2; col < m.Colonne(); ++col) {
            const QString t = m.Testo(r, col);
            bool ok = false;
            const int g = t.toInt(&ok);
            if (ok) m.ImpostaTesto(r, col, QString::fromStdString(SiglaGiorno(g)));
        }
}

void Archivio::CellaCalendarioScelta(int riga, int colonna) {
    auto& m = fg1_->Modello();
    if (riga < 1 || riga >= m.Righe() || colonna < 2) return;
    const QString data = QStringLiteral("%1/%2/%3")
                             .arg(m.Testo(0, colonna).toInt(), 2, 10, QLatin1Char('0'))
                             .arg(m.Testo(riga, 1).toInt(), 2, 10, QLatin1Char('0'))
                             .arg(m.Testo(riga, 0));
    const auto& a = ctx_.Archivio();
    for (int i = a.NumeroEstrazioni; i >= 1; --i)
        if (QString::fromStdString(a.DateEstrazioni[static_cast<size_t>(i)]) == data) {
            MostraEstrazione(i);
            ImpostaDataScelta(QDate::fromString(data, QStringLiteral("dd/MM/yyyy")));
            return;
        }
}

} // namespace trivalto
