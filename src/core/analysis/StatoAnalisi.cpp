// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/StatoAnalisi.h"

#include <algorithm>

namespace trivalto {

bool StatoAnalisi::AdattaAllArchivio(std::shared_ptr<const ArchivioMemoria> archivio) {
    if (!sessione_.CambiaArchivio(std::move(archivio))) return false;
    // A case table whose rows are gone, or whose reference draw moved, is emptied; the records stay.
    ImpostaRiferimento(sessione_.Riferimento());
    return true;
}

EffettoPosizioni StatoAnalisi::TogglePosizione(int p) {
    if (p >= 1 && p <= static_cast<int>(posizioni_.size()))
        posizioni_[static_cast<size_t>(p - 1)] = !posizioni_[static_cast<size_t>(p - 1)];
    return RegolaPosizioni(static_cast<int>(std::count(posizioni_.begin(), posizioni_.end(), true)));
}

void StatoAnalisi::ToggleRuota(int w) {
    if (w >= 0 && w < static_cast<int>(ruote_.size()))
        ruote_[static_cast<size_t>(w)] = !ruote_[static_cast<size_t>(w)];
}

void StatoAnalisi::TutteLeRuote(bool accese) {
    ruote_.fill(accese);
}

bool StatoAnalisi::AlmenoUnaRuota() const {
    return std::any_of(ruote_.begin(), ruote_.end(), [](bool b) { return b; });
}

void StatoAnalisi::ImpostaRiferimento(int d) {
    sessione_.ImpostaRiferimento(d);
    casiVisibili_ = false;
    segni_.clear();
    parametriCalcolati_ = ultimoInCorso_ = casiEvidenziati_ = false;
    casoScelto_ = 0;
}

void StatoAnalisi::GeneraCasi(SceltaCasi scelta) {
    ruoteGenera_ = ruote_;
    sessione_.GeneraCasi(scelta);
    casiVisibili_ = true;
    segni_.assign(Casi().size(), SegniCaso{});
    posizioniGenera_ = posizioni_;
    parametriCalcolati_ = ultimoInCorso_ = casiEvidenziati_ = false;
    casoScelto_ = 0;
}

void StatoAnalisi::CalcolaParametri(SceltaParametro scelta, int daColpo, int colpi) {
    if (!casiVisibili_) sessione_.SvuotaCasi();
    scelta.Posizioni = posizioni_;
    sessione_.CalcolaParametri(scelta, daColpo, colpi);
    parametriCalcolati_ = !Casi().empty();
    ultimoInCorso_ = !Casi().empty() && Casi().back().Estrazione == Archivio().NumeroEstrazioni;
}

bool StatoAnalisi::ImpostaColpi(int colpi) {
    return sessione_.ImpostaColpi(colpi);
}

bool StatoAnalisi::SelezionaCaso(int riga) {
    if (!casiVisibili_ || !sessione_.CasoDellaRiga(riga)) return false;
    casoScelto_ = riga;
    casiEvidenziati_ = true;
    return true;
}

const Caso* StatoAnalisi::CasoSelezionato() const {
    return casiVisibili_ ? sessione_.CasoDellaRiga(casoScelto_) : nullptr;
}

std::vector<bool> StatoAnalisi::Coperti() const {
    std::vector<bool> coperti(casiVisibili_ ? Casi().size() : 0, false);
    for (size_t i = 0; i < coperti.size() && i < segni_.size(); ++i)
        coperti[i] = segni_[i].Primo == SegniCaso::Stato::Verde;
    return coperti;
}

InputRicerca StatoAnalisi::PreparaTerzine(bool interoPeriodo, int elenco) {
    combinazioneScelta_ = 0;
    dettaglio_.clear();
    verificate_.clear();
    return sessione_.PreparaTerzine(ruote_, interoPeriodo, elenco, Coperti());
}

void StatoAnalisi::ApplicaTerzine(const RisultatoTerzine& ris) {
    sessione_.ApplicaTerzine(ris);
    verificate_.clear();
    if (ListaCompleta() && casiVisibili_) casiEvidenziati_ = true;
}

bool StatoAnalisi::EliminaRighe(int riga) {
    if (!sessione_.EliminaRighe(riga)) return false;
    if (verificate_.size() > Lista().size()) verificate_.resize(Lista().size());
    return true;
}

bool StatoAnalisi::Verifica() {
    const Caso* caso = CasoSelezionato();
    if (!caso || Lista().empty()) return false;
    verificate_ = sessione_.Verifica(*caso);
    return true;
}

InputCombinazioni StatoAnalisi::PreparaCombinazioni(int K, int elenco) {
    combinazioneScelta_ = 0;
    return sessione_.PreparaCombinazioni(K, elenco);
}

void StatoAnalisi::ApplicaCombinazioni(const RisultatoCombinazioni& ris) {
    sessione_.ApplicaCombinazioni(ris);
    combinazioneScelta_ = 0;
}

bool StatoAnalisi::SelezionaCombinazione(int riga) {
    if (riga < 1 || riga > static_cast<int>(Combinazioni().size())) return false;
    combinazioneScelta_ = riga;
    dettaglio_.clear();
    if (const Caso* caso = CasoSelezionato()) dettaglio_ = sessione_.Dettaglio(*caso, TerzineScelte());
    return true;
}

std::optional<InputPrevisioni> StatoAnalisi::PreparaPrevisioni(bool verificaEstesa, bool interoPeriodo,
                                                               bool evidenzia) const {
    auto terzine = TerzineScelte();
    if (terzine.empty()) return std::nullopt;
    return PreparaPrevisioniDi(std::move(terzine), {verificaEstesa, interoPeriodo, evidenzia, false});
}

std::optional<InputPrevisioni>
StatoAnalisi::PreparaPrevisioniDi(std::vector<Terzina> terzine,
                                  const SessioneAnalisi::OpzioniPrevisioni& o) const {
    if (!casiVisibili_ || Casi().empty()) return std::nullopt;
    return sessione_.PreparaPrevisioni(std::move(terzine), o);
}

void StatoAnalisi::ApplicaSoloRighe(RisultatoPrevisioni ris, std::vector<Terzina> scelte) {
    const bool fatta = previsioneFatta_;
    ris.Riepilogo = previsione_.Riepilogo;
    ApplicaPrevisioni(std::move(ris), std::move(scelte));
    previsioneFatta_ = fatta;
}

void StatoAnalisi::SvuotaPrevisione() {
    previsione_ = {};
    scelte_.clear();
    previsioneFatta_ = false;
}

void StatoAnalisi::RicercaEsterna(bool completa) {
    sessione_.SvuotaLista();
    if (completa && casiVisibili_) casiEvidenziati_ = true;
}

void StatoAnalisi::CancellaCoperti() {
    for (auto& s : segni_)
        s.Primo = SegniCaso::Stato::Bianco;
}

void StatoAnalisi::ApplicaPrevisioni(RisultatoPrevisioni ris, std::vector<Terzina> scelte) {
    segni_ = ris.Segni;
    segni_.resize(Casi().size());
    previsione_ = std::move(ris);
    scelte_ = std::move(scelte);
    previsioneFatta_ = true;
}

} // namespace trivalto
