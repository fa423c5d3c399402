// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/FinestraCatena.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/analysis/PitturaAnalisi.h"
#include "gui/ui/Controlli.h"
#include "gui/ui/Dialoghi.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto {

FinestraCatena::FinestraCatena(ContestoProgramma& contesto, Dialoghi& dialoghi,
                               std::function<QWidget*(const QString&)> apri, QWidget* parent)
    : QWidget(parent), ctx_(contesto), dialoghi_(dialoghi), apri_(std::move(apri)) {}

FinestraCatena::~FinestraCatena() {
    // The search owns its inputs and its flag: it is only told to stop, nobody waits for it.
    lavoro_.Ferma();
    // A bar that outlives the window (the main window's) is left empty.
    if (occupazione_.Attiva() && barra_) barra_->setValue(0);
}

void FinestraCatena::CollegaPannello(PannelloAnalisi* pannello) {
    pannello_ = pannello;
    connect(pannello_, &PannelloAnalisi::RiferimentoCambiato, this, [this] { DipingiCasi(); });
    connect(pannello_, &PannelloAnalisi::SceltaTrasformazioneChiesta, this,
            &FinestraCatena::SceltaTrasformazione);
    occupazione_.Bloccati.push_back(pannello_->SceltaTrasformazione());
}

QGroupBox* FinestraCatena::CostruisciOpzioni(QCheckBox** verificaEstesa) {
    auto* g = new QGroupBox(QStringLiteral("Opzioni"), this);
    chkInteroPeriodo_ = new QCheckBox(QStringLiteral("Controlla intero periodo"), g);
    chkInteroPeriodo_->setObjectName(QStringLiteral("ChkInteroPeriodo"));
    chkEvidenzia_ = new QCheckBox(QStringLiteral("Evidenzia 1° sfaldamento"), g);
    chkEvidenzia_->setObjectName(QStringLiteral("ChkEvidenzia"));
    auto* l = new QVBoxLayout(g);
    l->addWidget(chkInteroPeriodo_);
    l->addWidget(chkEvidenzia_);
    if (verificaEstesa) {
        *verificaEstesa = new QCheckBox(QStringLiteral("Verifica estesa"), g);
        (*verificaEstesa)->setObjectName(QStringLiteral("ChkVerificaEstesa"));
        l->addWidget(*verificaEstesa);
    }
    l->addStretch(1);
    return g;
}

QSplitter* FinestraCatena::DisponiColonne(const std::vector<std::vector<QWidget*>>& colonne) {
    tabelle_ = new QSplitter(Qt::Horizontal, this);
    for (size_t c = 0; c < colonne.size(); ++c) {
        if (colonne[c].size() == 1) {
            tabelle_->addWidget(colonne[c].front());
            continue;
        }
        auto* colonna = new QSplitter(Qt::Vertical, this);
        for (auto* w : colonne[c])
            colonna->addWidget(w);
        if (c + 1 == colonne.size()) colonna->setStretchFactor(0, 1);
        tabelle_->addWidget(colonna);
    }
    tabelle_->setStretchFactor(static_cast<int>(colonne.size()) - 1, 1);
    connect(tabelle_, &QSplitter::splitterMoved, this, [this] { colonneSpostate_ = true; });
    return tabelle_;
}

void FinestraCatena::OrdinaTabulazione(const std::vector<std::variant<const char*, QWidget*>>& catena) {
    QWidget* prima = nullptr;
    for (const auto& voce : catena) {
        QWidget* w = std::holds_alternative<QWidget*>(voce)
                         ? std::get<QWidget*>(voce)
                         : findChild<QWidget*>(QString::fromLatin1(std::get<const char*>(voce)));
        if (!w) continue;
        if (prima) QWidget::setTabOrder(prima, w);
        prima = w;
    }
}

QWidget* FinestraCatena::CostruisciConteggioCasi(QWidget* padre, const QString& esaminate,
                                                 const QString& totali) {
    auto* w = new QWidget(padre);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    lblEsaminate_ = ValoreDestra(w, "LblEsaminate");
    lblCasistiche_ = ValoreDestra(w, "LblCasistiche");
    l->addWidget(EtichettaDestra(w, esaminate));
    l->addWidget(lblEsaminate_);
    l->addWidget(EtichettaDestra(w, totali));
    l->addWidget(lblCasistiche_);
    l->addStretch(1);
    return w;
}

bool FinestraCatena::InteroPeriodo() const {
    return chkInteroPeriodo_ && chkInteroPeriodo_->isChecked();
}

bool FinestraCatena::Evidenzia() const {
    return chkEvidenzia_ && chkEvidenzia_->isChecked();
}

void FinestraCatena::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    DistribuisciColonne();
}

void FinestraCatena::ImpostaRiferimento(int d) {
    pannello_->VaiA(d);
    pannello_->ImpostaRiferimento(d);
}

void FinestraCatena::AdattaAllArchivio() {
    if (Analisi().AdattaAllArchivio(ctx_.Istantanea())) ImpostaRiferimento(Analisi().Riferimento());
}

// --- Long work ------------------------------------------------------------------------------------

void FinestraCatena::Termina() {
    occupazione_.Termina(barra_);
    emit LavoroFinito();
}

void FinestraCatena::Errore(const std::exception_ptr& causa) {
    if (occupazione_.Attiva()) Termina();
    dialoghi_.Messaggio(
        this, QStringLiteral("Errore imprevisto, verificare le impostazioni\n") + CausaErrore(causa),
        QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
}

// --- Cases, parameters and the search ---------------------------------------------------------------

void FinestraCatena::GeneraTerzine() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    try {
        GeneraCasiNelloStato();
        DipingiDopoICasi();
    } catch (...) {
        Errore(std::current_exception());
        return;
    }
    SceltaTrasformazione();
}

void FinestraCatena::SceltaTrasformazione() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    CalcolaParametri();
    ElaboraTerzine();
}

void FinestraCatena::CalcolaParametri() {
    Analisi().CalcolaParametri(pannello_->LeggiSceltaParametro(), pannello_->DaColpo(), pannello_->Colpi());
    DipingiCasi();
    const QString n = QString::number(Analisi().Casi().size());
    lblEsaminate_->setText(n);
    lblCasistiche_->setText(n);
}

void FinestraCatena::ElaboraTerzine() {
    if (occupazione_.Attiva()) return;
    AdattaAllArchivio();
    if (!Analisi().AlmenoUnaRuota()) {
        dialoghi_.Messaggio(this, QStringLiteral("Selezionare almeno una ruota su cui testare il metodo"),
                            QStringLiteral("Selezione ruota"), Dialoghi::Icona::Informazione);
        return;
    }
    if (!Analisi().PuoCercareTerzine()) return;
    Cerca();
}

// --- Histories and delays ---------------------------------------------------------------------------

void FinestraCatena::ApriStoria(const Storia& storia, bool diCombinazione) {
    if (auto* w = qobject_cast<FinestraStoria*>(apri_(QStringLiteral("Storia")))) {
        w->RicordaChiamante(this);
        MostraStoria(*w, Analisi().Archivio(), storia, diCombinazione);
    }
}

void FinestraCatena::MostraRitardi(int riga) {
    const auto& righe = Analisi().Previsione().Righe;
    if (riga < 1 || riga > static_cast<int>(righe.size())) return;
    const auto& r = righe[static_cast<size_t>(riga - 1)];
    // A forecast made before a reload that shortened the archive may name a draw that is gone.
    if (r.Separatore || r.Estrazione < 1 || r.Estrazione > ctx_.Archivio().NumeroEstrazioni) return;
    if (auto* w = qobject_cast<FrmRitardi*>(apri_(QStringLiteral("Frm_Ritardi"))))
        trivalto::MostraRitardi(*w, ctx_.Archivio(), Analisi(), riga);
}

} // namespace trivalto
