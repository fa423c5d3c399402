// The analysis window's commands: the chain from the cases to the predictions.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTime>

#include "gui/analysis/Special.h"
#include "core/analysis/TabelleAnalisi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Lavoro.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void RiempiGriglia(Griglia* g, const TabellaTesto& t) {
    auto& m = g->Modello();
    m.ImpostaRighe(1);
    m.ImpostaRighe(static_cast<int>(t.Righe.size()) + 1);
    for (size_t r = 0; r < t.Righe.size(); ++r)
        for (size_t c = 0; c < t.Righe[r].size(); ++c)
            m.ImpostaTesto(static_cast<int>(r) + 1, static_cast<int>(c), Q(t.Righe[r][c]));
}

} // namespace

// --- Reading the controls -------------------------------------------------------------------

RuoteGioco Special::RuoteSelezionate() const {
    RuoteGioco r{};
    for (int w = 0; w < NumeroRuote; ++w)
        r[w] = fgRuote_->Modello().Sfondo(1, w) == ColoreAcceso;
    return r;
}

int Special::Elenco() const {
    return (cboElenco_->currentIndex() + 1) * 10;
}

int Special::CasoSelezionato() const {
    for (int r = 1; r < fgEV_->Righe(); ++r)
        if (fgEV_->Modello().Grassetto(r, CPro)) return r;
    return 0;
}

int Special::CombinazioneSelezionata() const {
    return combinazioneSelezionata_ >= 1 && combinazioneSelezionata_ < fg2_->Righe()
               ? combinazioneSelezionata_
               : 0;
}

// --- Long work ----------------------------------------------------------------------------

void Special::Inizia() {
    occupata_ = true;
    for (auto* w : bloccati_)
        w->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void Special::Termina() {
    occupata_ = false;
    for (auto* w : bloccati_)
        w->setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (barra_) barra_->setValue(0);
    emit LavoroFinito();
}

void Special::Errore() {
    Termina();
    dialoghi_.Messaggio(this, QStringLiteral("Errore imprevisto, verificare le impostazioni"),
                        QStringLiteral("Avviso"), Dialoghi::Icona::Critico);
}

void Special::AggiungiTempo() {
    lstTempi_->addItem(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

// --- Cases and parameters -----------------------------------------------------------------

void Special::GeneraTerzine() {
    if (occupata_) return;
    try {
        SceltaCasi s;
        s.Riferimento = riferimento_;
        s.NumeroCasi = cboCasi_->currentIndex() + 1;
        s.Mensile = cboMensile_->currentIndex();
        s.ForzaUltima = chkForzaUltima_->isChecked();
        s.Ruota = cboRuota_->currentIndex();
        ruoteGenera_ = RuoteSelezionate();
        const auto casi = GeneraCasi(ctx_.Archivio(), s);
        RiempiGriglia(fgEV_, TabellaCasi(ctx_.Archivio(), casi));
        for (int r = 1; r < fgEV_->Righe(); ++r)
            for (int p = 0; p < 5; ++p)
                if (posizioni_[static_cast<size_t>(p)] == ColoreAcceso)
                    fgEV_->Modello().ImpostaSfondo(r, CN1 + p, ColoreVerde);
    } catch (...) {
        Errore();
        return;
    }
    SceltaTrasformazione();
}

void Special::SceltaTrasformazione() {
    if (occupata_) return;
    CalcolaParametri();
    ElaboraTerzine();
}

void Special::CalcolaParametri() {
    auto& m = fgEV_->Modello();
    SceltaParametro sp;
    for (int p = 0; p < 5; ++p)
        sp.Posizioni[p] = posizioni_[static_cast<size_t>(p)] == ColoreAcceso;
    sp.Tipo = optDistanza_->isChecked()     ? Operazione::Distanza
              : optDifferenza_->isChecked() ? Operazione::Differenza
                                            : Operazione::Somma;
    sp.Trasformazione = cboTrasformazione_->currentIndex();
    sp.Fisso = cboFisso_->currentIndex();
    std::vector<Caso> casi;
    for (int r = 1; r < m.Righe(); ++r) {
        NumeriRuota numeri{};
        for (int p = 0; p < 5; ++p)
            numeri[p] = static_cast<int16_t>(m.Valore(r, CN1 + p));
        const Caso caso{static_cast<int>(m.Valore(r, CEstr)), static_cast<int>(m.Valore(r, CR1N)),
                        CalcolaParametro(numeri, sp.Posizioni, sp.Tipo, sp.Trasformazione, sp.Fisso)};
        m.ImpostaTesto(r, CPar, QString::number(caso.Parametro));
        casi.push_back(caso);
    }
    const int ultima = m.Righe() - 1;
    if (ultima >= 1 && static_cast<int>(m.Valore(ultima, CEstr)) == ctx_.Archivio().NumeroEstrazioni)
        m.ImpostaSfondo(ultima, CEstr, ColoreInGioco);
    if (ultima >= 1) m.ImpostaSfondo(1, CPar, ultima, CPar, ColoreEvidenza);
    casi_ = std::move(casi);
    daColpo_ = cboDaColpo_->currentIndex() + 1;
    colpi_ = cboColpi_->currentIndex() + 1;
    const QString n = QString::number(casi_.size());
    lblEsaminate_->setText(n);
    lblCasistiche_->setText(n);
}

// --- The terzine search -------------------------------------------------------------------

void Special::ElaboraTerzine() {
    if (occupata_) return;
    const auto ruote = RuoteSelezionate();
    if (std::none_of(ruote.begin(), ruote.end(), [](bool b) { return b; })) {
        dialoghi_.Messaggio(this, QStringLiteral("Selezionare almeno una ruota su cui testare il metodo"),
                            QStringLiteral("Selezione ruota"), Dialoghi::Icona::Informazione);
        return;
    }
    if (fgEV_->Righe() < 2 || fgEV_->Testo(1, CEstr).isEmpty()) return;
    CercaTerzineSuiCasi();
}

void Special::CercaTerzineSuiCasi() {
    fg2_->ImpostaRighe(1);
    combinazioni_.clear();
    combinazioneSelezionata_ = 0;
    fg1_->ImpostaRighe(1);
    fg1_->ImpostaRighe(Elenco() + 1);
    AggiungiTempo();

    InputRicerca in;
    in.Archivio = &ctx_.Archivio();
    // The covered cases (green first cell) are skipped; the records match the table rows.
    for (int r = 1; r < fgEV_->Righe() && r <= static_cast<int>(casi_.size()); ++r) {
        in.Casi.push_back(casi_[static_cast<size_t>(r - 1)]);
        in.Coperti.push_back(fgEV_->Modello().Sfondo(r, CPro) == ColoreAcceso);
    }
    ruoteRegistrate_ = RuoteSelezionate();
    in.Ruote = ruoteRegistrate_;
    in.Finestra = {daColpo_, colpi_, riferimento_};
    in.InteroPeriodo = chkInteroPeriodo_->isChecked();
    in.Elenco = Elenco();
    Inizia();
    ControlloLavoro ctl{&interrompi_, ProgressoSuBarra(barra_)};
    lavoro_ = AvviaLavoro<RisultatoTerzine>(
        this, [in, ctl] { return CercaTerzine(in, ctl); },
        [this](RisultatoTerzine ris) {
            MostraTerzine(ris.Righe, !ris.Interrotta);
            Termina();
        },
        [this] { Errore(); });
}

void Special::MostraTerzine(const std::vector<Terzina>& righe, bool completa) {
    lista_ = righe;
    RiempiGriglia(fg1_, TabellaTerzine(righe));
    if (!completa) return; // interrupted: the list as it stands, nothing else
    auto& m = fg1_->Modello();
    const int ultima = m.Righe() - 1;
    for (int r = 1; r <= ultima; ++r)
        if (m.Valore(r, 6) > 0) m.ImpostaSfondo(r, 6, ColoreEvidenza);
    const long long T = ultima;
    lblTerzineValide_->setText(Q(FormatoMigliaia(T)));
    lblCoppie_->setText(Q(FormatoMigliaia(T * (T - 1) / 2)));
    lblTriple_->setText(Q(FormatoMigliaia(T * (T - 1) * (T - 2) / 6)));
    AggiungiTempo();
    lblConteggio_->setText(QString::number(T));
    if (ultima >= 1) {
        m.ImpostaGrassetto(1, 0, ultima, 0, true);
        m.ImpostaPrimoPiano(1, 0, ultima, 0, ColoreBlu);
        m.ImpostaGrassetto(1, 2, ultima, 4, true);
        m.ImpostaPrimoPiano(1, 2, ultima, 4, ColoreRosso);
        m.ImpostaSfondo(1, 2, ultima, 4, ColoreGialloChiaro);
    }
    auto& e = fgEV_->Modello();
    if (e.Righe() > 1) {
        e.ImpostaGrassetto(1, CR1, e.Righe() - 1, CPar, true);
        e.ImpostaPrimoPiano(1, CR1, e.Righe() - 1, CR1, ColoreBlu);
        e.ImpostaSfondo(1, CPar, e.Righe() - 1, CPar, ColoreEvidenza);
    }
}

// --- Combinations --------------------------------------------------------------------------

void Special::CercaCombinazioni(int K) {
    if (occupata_) return;
    if (std::none_of(lista_.begin(), lista_.end(), [](const Terzina& z) { return !z.Vuota(); })) return;
    lstTempi_->clear();
    AggiungiTempo();
    fg2_->ImpostaRighe(1);
    fg2_->ImpostaRighe(Elenco());
    combinazioneSelezionata_ = 0;
    InputCombinazioni in;
    in.Archivio = &ctx_.Archivio();
    in.Casi = casi_;
    in.Lista = lista_;
    in.Ruote = ruoteRegistrate_;
    in.Finestra = {daColpo_, colpi_, riferimento_};
    in.K = K;
    in.Elenco = Elenco();
    if (barra_)
        barra_->setMaximum(
            static_cast<int>(std::max<long long>(1, NumeroCombinazioni(static_cast<int>(lista_.size()), K))));
    Inizia();
    ControlloLavoro ctl{&interrompi_, ProgressoSuBarra(barra_)};
    lavoro_ = AvviaLavoro<RisultatoCombinazioni>(
        this, [in, ctl] { return trivalto::CercaCombinazioni(in, ctl); },
        [this](RisultatoCombinazioni ris) {
            const bool vuota =
                std::all_of(ris.Righe.begin(), ris.Righe.end(), [](auto& c) { return c.Vuota(); });
            if (!ris.Interrotta || !vuota) MostraCombinazioni(ris.Righe);
            if (!ris.Interrotta) AggiungiTempo();
            Termina();
        },
        [this] { Errore(); });
}

void Special::MostraCombinazioni(const std::vector<Combinazione>& righe) {
    combinazioni_ = righe;
    RiempiGriglia(fg2_, TabellaCombinazioni(righe, lista_));
    auto& m = fg2_->Modello();
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    m.ImpostaPrimoPiano(1, 1, ultima, 1, ColoreRosso);
    for (int g = 0; g < 3; ++g) {
        const int inizio = 2 + 7 * g;
        m.ImpostaSfondo(1, inizio, ultima, inizio + 1, ColoreAzzurro);
        m.ImpostaSfondo(1, inizio + 2, ultima, inizio + 6, ColoreGialloChiaro);
        m.ImpostaGrassetto(1, inizio + 2, ultima, inizio + 4, true);
    }
}

void Special::MostraCombinazione(int riga) {
    if (riga < 1 || riga > static_cast<int>(combinazioni_.size())) return;
    auto& m = fg2_->Modello();
    m.ImpostaGrassetto(1, 0, m.Righe() - 1, m.Colonne() - 1, false);
    m.ImpostaGrassetto(riga, 0, riga, m.Colonne() - 1, true);
    combinazioneSelezionata_ = riga;
    fgp_->ImpostaRighe(1);
    const int caso = CasoSelezionato();
    if (caso < 1 || caso > static_cast<int>(casi_.size())) return;
    const auto terzine = TerzineDellaCombinazione(combinazioni_[static_cast<size_t>(riga - 1)], lista_);
    const auto dettagli = trivalto::MostraCombinazione(ctx_.Archivio(), casi_[static_cast<size_t>(caso - 1)],
                                                       terzine, ruoteRegistrate_, {daColpo_, colpi_, 0});
    RiempiGriglia(fgp_, TabellaDettaglio(dettagli));
    auto& d = fgp_->Modello();
    for (size_t i = 0; i < dettagli.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        for (int k = 0; k < 3; ++k)
            if (dettagli[i].Usciti[static_cast<size_t>(k)]) d.ImpostaSfondo(r, k, ColoreAcceso);
        if (dettagli[i].Esito) {
            d.ImpostaGrassetto(r, 0, r, 5, true);
            d.ImpostaPrimoPiano(r, 3, ColoreRosso);
        }
    }
}

void Special::SelezionaCaso(int riga) {
    auto& m = fgEV_->Modello();
    if (riga < 1 || riga >= m.Righe()) return;
    m.ImpostaGrassetto(1, 0, m.Righe() - 1, m.Colonne() - 1, false);
    m.ImpostaGrassetto(riga, 0, riga, m.Colonne() - 1, true);
    m.ImpostaGrassetto(1, CR1, m.Righe() - 1, CPar, true);
    m.ImpostaPrimoPiano(1, CR1, m.Righe() - 1, CR1, ColoreBlu);
    m.ImpostaSfondo(1, CPar, m.Righe() - 1, CPar, ColoreEvidenza);
}

void Special::VerificaTerzine() {
    if (occupata_ || lista_.empty()) return;
    const int caso = CasoSelezionato();
    if (caso < 1 || caso > static_cast<int>(casi_.size())) return;
    auto& m = fg1_->Modello();
    m.ImpostaSfondo(1, 0, m.Righe() - 1, 0, ColoreBianco);
    const auto verdi = trivalto::VerificaTerzine(ctx_.Archivio(), casi_[static_cast<size_t>(caso - 1)], lista_,
                                                 ruoteRegistrate_, {daColpo_, colpi_, 0});
    for (size_t k = 0; k < verdi.size(); ++k)
        if (verdi[k]) m.ImpostaSfondo(static_cast<int>(k) + 1, 0, ColoreAcceso);
    auto& c = fg2_->Modello();
    for (size_t r = 0; r < combinazioni_.size(); ++r) {
        for (int g = 0; g < 3; ++g) {
            const int riga = static_cast<int>(r) + 1, inizio = 4 + 7 * g;
            c.ImpostaSfondo(riga, inizio, riga, inizio + 2, ColoreGialloChiaro);
            const int k = combinazioni_[r].Righe[static_cast<size_t>(g)];
            if (k < 0 || k >= static_cast<int>(lista_.size())) continue;
            // Groups whose offsets equal those of a terzina that came out for the case.
            for (size_t v = 0; v < verdi.size(); ++v)
                if (verdi[v] && lista_[v].A == lista_[static_cast<size_t>(k)].A &&
                    lista_[v].B == lista_[static_cast<size_t>(k)].B &&
                    lista_[v].C == lista_[static_cast<size_t>(k)].C)
                    c.ImpostaSfondo(riga, inizio, riga, inizio + 2, ColoreVerde);
        }
    }
}

void Special::EliminaRigheSuccessive() {
    if (occupata_) return;
    const int r = fg1_->RigaCorrente();
    if (!trivalto::EliminaRigheSuccessive(lista_, r)) return;
    fg1_->ImpostaRighe(r);
    lblConteggio_->setText(QString::number(lista_.size()));
}

// --- Histories ----------------------------------------------------------------------------

void Special::ApriStoria(const Storia& storia, bool diCombinazione) {
    auto* w = qobject_cast<FinestraStoria*>(apri_(QStringLiteral("Storia")));
    if (!w) return;
    auto& g = w->Tabella();
    g.ImpostaIntestazione(QString::fromUtf8(IntestazioneStoria));
    RiempiGriglia(&g, TabellaStoria(ctx_.Archivio(), storia, diCombinazione));
    auto& m = g.Modello();
    for (size_t i = 0; i < storia.Righe.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        if (storia.Righe[i].Negativo) m.ImpostaSfondo(r, 0, ColoreEvidenza);
        if (storia.Righe[i].Sorte == 3) {
            m.ImpostaGrassetto(r, 7, true);
            m.ImpostaPrimoPiano(r, 7, ColoreRosso);
        }
    }
    g.resizeColumnsToContents();
    w->ImpostaSintesi(storia.Casi, storia.Coperti, storia.Negativi, storia.Positivi, Q(storia.Percentuale));
}

void Special::StoriaTerzina(int riga) {
    if (occupata_ || casi_.empty() || riga < 1 || riga > static_cast<int>(lista_.size())) return;
    const auto& z = lista_[static_cast<size_t>(riga - 1)];
    if (z.Vuota()) return;
    ApriStoria(StoriaTerzine(ctx_.Archivio(), casi_, {z}, ruoteRegistrate_, {daColpo_, colpi_, riferimento_},
                             chkInteroPeriodo_->isChecked()),
               false);
}

void Special::ResocontoStorico() {
    const int riga = CombinazioneSelezionata();
    if (occupata_ || casi_.empty() || riga < 1 || riga > static_cast<int>(combinazioni_.size())) return;
    const auto& c = combinazioni_[static_cast<size_t>(riga - 1)];
    if (c.Vuota()) return;
    ApriStoria(StoriaTerzine(ctx_.Archivio(), casi_, TerzineDellaCombinazione(c, lista_), ruoteRegistrate_,
                             {daColpo_, colpi_, riferimento_}, chkInteroPeriodo_->isChecked()),
               true);
}

// --- Predictions and delays ---------------------------------------------------------------

void Special::Previsioni() {
    if (occupata_) return;
    const int riga = CombinazioneSelezionata();
    if (fgEV_->Righe() < 2 || riga < 1 || riga > static_cast<int>(combinazioni_.size())) return;
    try {
        InputPrevisioni in;
        in.Archivio = &ctx_.Archivio();
        in.Casi = casi_;
        in.Terzine = TerzineDellaCombinazione(combinazioni_[static_cast<size_t>(riga - 1)], lista_);
        in.Ruote = ruoteRegistrate_;
        in.Finestra = {daColpo_, colpi_, riferimento_};
        in.VerificaEstesa = chkVerificaEstesa_->isChecked();
        in.InteroPeriodo = chkInteroPeriodo_->isChecked();
        in.Evidenzia = chkEvidenzia_->isChecked();
        previsione_ = FaiPrevisioni(in);
        RiempiPrevisioni(previsione_, in.Terzine);
    } catch (...) {
        Errore();
    }
}

void Special::RiempiPrevisioni(const RisultatoPrevisioni& ris, const std::vector<Terzina>& scelte) {
    RiempiGriglia(fgZ_, TabellaScelte(scelte));
    if (fgZ_->Righe() > 1) fgZ_->Modello().ImpostaPrimoPiano(1, 1, fgZ_->Righe() - 1, 3, ColoreRosso);

    auto& e = fgEV_->Modello();
    const int casi = std::min(e.Righe() - 1, static_cast<int>(ris.Segni.size()));
    e.ImpostaSfondo(1, CPro, e.Righe() - 1, CPro, ColoreBianco);
    e.ImpostaSfondo(1, CSegno1, e.Righe() - 1, CSegno3, ColoreBianco);
    for (int r = 1; r <= casi; ++r) {
        const auto& s = ris.Segni[static_cast<size_t>(r - 1)];
        if (s.Primo == SegniCaso::Stato::Verde) e.ImpostaSfondo(r, CPro, ColoreAcceso);
        if (s.Primo == SegniCaso::Stato::Ciano) e.ImpostaSfondo(r, CPro, ColoreInGioco);
        for (int t = 0; t < 3; ++t)
            if (s.Arancio[static_cast<size_t>(t)]) e.ImpostaSfondo(r, CSegno1 + t, ColoreArancioChiaro);
    }

    RiempiGriglia(fgPr_, TabellaPrevisioni(ctx_.Archivio(), ris.Righe));
    auto& p = fgPr_->Modello();
    for (size_t i = 0; i < ris.Righe.size(); ++i) {
        const auto& riga = ris.Righe[i];
        if (riga.Separatore) continue;
        const int r = static_cast<int>(i) + 1;
        p.ImpostaGrassetto(r, PN1, r, PN3, true);
        p.ImpostaPrimoPiano(r, PN1, r, PN3, ColoreRosso);
        p.ImpostaGrassetto(r, PEsito, true);
        p.ImpostaPrimoPiano(r, PEsito, ColoreBlu);
        p.ImpostaPrimoPiano(r, PEP, ColoreBlu);
        p.ImpostaSfondo(r, PRU, ColoreVerde);
        if (riga.ColpoEvidenziato) p.ImpostaSfondo(r, PC, ColoreArancio);
        if (riga.Sorte == 3) {
            p.ImpostaGrassetto(r, PS, true);
            p.ImpostaPrimoPiano(r, PS, ColoreRosso);
        }
    }
    RiempiGriglia(fgStat_, TabellaStatistiche(ris.Riepilogo));
    auto& st = fgStat_->Modello();
    st.ImpostaSfondo(1, 0, ColoreGiallo);
    st.ImpostaSfondo(1, 2, ColoreGiallo);
    st.ImpostaPrimoPiano(1, 3, ColoreRosso);
    st.ImpostaSfondo(1, 4, ColoreAzzurro);
}

void Special::MostraRitardi(int riga) {
    if (riga < 1 || riga > static_cast<int>(previsione_.Righe.size())) return;
    const auto& r = previsione_.Righe[static_cast<size_t>(riga - 1)];
    if (r.Separatore || r.Estrazione < 1) return;
    const auto marcati = r.Caso ? NumeriMarcati(previsione_.Righe, r.Caso) : std::vector<int>{};
    auto* w = qobject_cast<FrmRitardi*>(apri_(QStringLiteral("Frm_Ritardi")));
    if (!w) return;
    w->setWindowTitle(Q(TitoloRitardi(ctx_.Archivio(), r.Estrazione)));
    if (w->parentWidget()) w->parentWidget()->setWindowTitle(w->windowTitle());
    auto& g = w->Tabella();
    g.ImpostaIntestazione(QString::fromUtf8(IntestazioneRitardi));
    RiempiGriglia(&g, TabellaDeiRitardi(CalcolaRitardi(ctx_.Archivio(), r.Estrazione)));
    w->VisualizzaTutti();
    auto& m = g.Modello();
    for (int c = 1; c < m.Colonne(); ++c) {
        m.ImpostaCentrata(c, true);
        g.ImpostaLarghezza(c, 520);
    }
    g.ImpostaLarghezza(0, 120);
    m.ImpostaGrassetto(1, 1, 90, 1, true);
    m.ImpostaSfondo(1, 1, 90, 1, ColoreGialloChiaro);
    for (int n : marcati) {
        m.ImpostaSfondo(n, 1, ColoreAcceso);
        for (int wh = 0; wh < NumeroRuote; ++wh)
            if (ruoteGenera_[static_cast<size_t>(wh)]) m.ImpostaSfondo(n, 2 + wh, ColoreEvidenza);
    }
}

} // namespace trivalto
