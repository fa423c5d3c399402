// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/SessioneAnalisi.h"

#include <algorithm>

namespace trivalto {

SessioneAnalisi::SessioneAnalisi() : archivio_(std::make_shared<const ArchivioMemoria>()) {}

SessioneAnalisi::SessioneAnalisi(std::shared_ptr<const ArchivioMemoria> archivio)
    : archivio_(archivio ? std::move(archivio) : std::make_shared<const ArchivioMemoria>()) {}

std::shared_ptr<const ArchivioMemoria> SessioneAnalisi::Prestito(const ArchivioMemoria& archivio) {
    return {std::shared_ptr<const ArchivioMemoria>(), &archivio};
}

SessioneAnalisi SessioneAnalisi::Esegui(std::shared_ptr<const ArchivioMemoria> archivio,
                                        const ImpostazioniAnalisi& imp, const ControlloLavoro& ctl) {
    SessioneAnalisi s(std::move(archivio));
    s.Prepara(imp);
    if (!s.casi_.empty()) s.CercaTerzine(imp, ctl);
    return s;
}

SessioneAnalisi SessioneAnalisi::Su(const InputRicerca& in) {
    SessioneAnalisi s(in.Archivio ? Prestito(*in.Archivio) : nullptr);
    s.riferimento_ = in.Finestra.FineVerifica;
    s.casi_ = in.Casi;
    s.coperti_ = in.Coperti;
    s.daColpo_ = in.Finestra.DaColpo;
    s.colpi_ = in.Finestra.Colpi;
    s.ruote_ = in.Ruote;
    return s;
}

void SessioneAnalisi::Prepara(const ImpostazioniAnalisi& imp) {
    ImpostaRiferimento(imp.Casi.Riferimento);
    GeneraCasi(imp.Casi);
    CalcolaParametri(imp.Parametro, imp.DaColpo, imp.Colpi);
}

bool SessioneAnalisi::CambiaArchivio(std::shared_ptr<const ArchivioMemoria> archivio) {
    archivio_ = archivio ? std::move(archivio) : std::make_shared<const ArchivioMemoria>();
    const auto& a = *archivio_;
    bool cambiato = false;
    const int ultima = std::max(std::min(a.UltimaEstrazione, a.NumeroEstrazioni), 0);
    if (riferimento_ > ultima) {
        riferimento_ = ultima;
        cambiato = true;
    }
    const auto oltre = [&](const Caso& c) { return c.Estrazione > a.NumeroEstrazioni; };
    if (std::any_of(casi_.begin(), casi_.end(), oltre)) {
        std::erase_if(casi_, oltre);
        cambiato = true;
    }
    return cambiato;
}

// --- Cases and parameters ---------------------------------------------------------------------

const std::vector<Caso>& SessioneAnalisi::GeneraCasi(SceltaCasi scelta) {
    // A reference draw the snapshot does not hold has no cases (an empty archive, a draw deleted).
    if (riferimento_ < 1 || riferimento_ > archivio_->NumeroEstrazioni) {
        casi_.clear();
        return casi_;
    }
    scelta.Riferimento = riferimento_;
    casi_ = trivalto::GeneraCasi(*archivio_, scelta);
    coperti_.clear();
    return casi_;
}

void SessioneAnalisi::CalcolaParametri(const SceltaParametro& scelta, int daColpo, int colpi) {
    trivalto::CalcolaParametri(*archivio_, casi_, scelta);
    daColpo_ = daColpo;
    colpi_ = colpi;
}

bool SessioneAnalisi::ImpostaColpi(int colpi) {
    if (colpi < 1 || colpi > MassimoColpi) return false;
    colpi_ = colpi;
    return true;
}

const Caso* SessioneAnalisi::CasoDellaRiga(int riga) const {
    if (riga < 1 || riga > static_cast<int>(casi_.size())) return nullptr;
    return &casi_[static_cast<size_t>(riga - 1)];
}

// --- Terzine -------------------------------------------------------------------------------------

void SessioneAnalisi::SvuotaLista() {
    lista_.clear();
    listaCompleta_ = false;
    SvuotaCombinazioni();
}

void SessioneAnalisi::SvuotaCombinazioni() {
    combinazioni_.clear();
    combinazioniComplete_ = false;
    listaCombinazioni_.clear();
}

InputRicerca SessioneAnalisi::PreparaTerzine(const RuoteGioco& ruote, bool interoPeriodo, int elenco,
                                             std::vector<bool> coperti) {
    SvuotaCombinazioni();
    lista_.assign(static_cast<size_t>(std::max(elenco, 0)), Terzina{});
    listaCompleta_ = false;
    ruote_ = ruote;
    coperti_ = std::move(coperti);
    auto in = UltimaRicerca(interoPeriodo, elenco);
    in.Coperti = coperti_;
    return in;
}

InputRicerca SessioneAnalisi::UltimaRicerca(bool interoPeriodo, int elenco) const {
    InputRicerca in;
    in.Archivio = archivio_.get();
    in.Casi = casi_;
    in.Ruote = ruote_;
    in.Finestra = Finestra();
    in.InteroPeriodo = interoPeriodo;
    in.Elenco = elenco;
    return in;
}

void SessioneAnalisi::ApplicaTerzine(const RisultatoTerzine& ris) {
    lista_ = ris.Righe;
    listaCompleta_ = !ris.Interrotta;
}

const std::vector<Terzina>& SessioneAnalisi::CercaTerzine(const RuoteGioco& ruote, bool interoPeriodo,
                                                          int elenco, const ControlloLavoro& ctl) {
    const auto in = PreparaTerzine(ruote, interoPeriodo, elenco, coperti_);
    ApplicaTerzine(trivalto::CercaTerzine(in, ctl));
    return lista_;
}

bool SessioneAnalisi::HaTerzine() const {
    return std::any_of(lista_.begin(), lista_.end(), [](const Terzina& z) { return !z.Vuota(); });
}

bool SessioneAnalisi::EliminaRighe(int riga) {
    return EliminaRigheSuccessive(lista_, riga);
}

std::vector<bool> SessioneAnalisi::Verifica(const Caso& caso) const {
    return VerificaTerzine(*archivio_, caso, lista_, ruote_, {daColpo_, colpi_, 0});
}

// --- Combinations ------------------------------------------------------------------------------

InputCombinazioni SessioneAnalisi::PreparaCombinazioni(int K, int elenco) {
    combinazioni_.assign(static_cast<size_t>(std::max(elenco - 1, 0)), Combinazione{});
    combinazioniComplete_ = false;
    listaCombinazioni_ = lista_;
    return CombinazioniDi(UltimaRicerca(false, elenco), lista_, K);
}

void SessioneAnalisi::ApplicaCombinazioni(const RisultatoCombinazioni& ris) {
    combinazioni_ = ris.Righe;
    combinazioniComplete_ = !ris.Interrotta;
}

const std::vector<Combinazione>& SessioneAnalisi::CercaCombinazioni(int K, int elenco,
                                                                    const ControlloLavoro& ctl) {
    const auto in = PreparaCombinazioni(K, elenco);
    ApplicaCombinazioni(trivalto::CercaCombinazioni(in, ctl));
    return combinazioni_;
}

std::vector<Terzina> SessioneAnalisi::Scegli(int K, bool interoPeriodo, int elenco,
                                             const ControlloLavoro& ctl) {
    CercaTerzine(ruote_, interoPeriodo, elenco, ctl);
    if (!listaCompleta_ || lista_.empty() || lista_[0].Vuota()) return {};
    if (K <= 0) return {lista_[0]};
    CercaCombinazioni(K, elenco, ctl);
    if (!combinazioniComplete_) return {};
    return TerzineDellaCombinazione(1);
}

std::vector<Terzina> SessioneAnalisi::TerzineDellaCombinazione(int riga) const {
    if (riga < 1 || riga > static_cast<int>(combinazioni_.size())) return {};
    const auto& c = combinazioni_[static_cast<size_t>(riga - 1)];
    if (c.Vuota()) return {};
    return trivalto::TerzineDellaCombinazione(c, listaCombinazioni_);
}

std::vector<DettaglioTerzina> SessioneAnalisi::Dettaglio(const Caso& caso,
                                                         const std::vector<Terzina>& terzine) const {
    return MostraCombinazione(*archivio_, caso, terzine, ruote_, {daColpo_, colpi_, 0});
}

// --- Forecast, histories, delays -----------------------------------------------------------------

InputPrevisioni SessioneAnalisi::PreparaPrevisioni(std::vector<Terzina> terzine,
                                                   const OpzioniPrevisioni& o) const {
    InputPrevisioni in;
    in.Archivio = archivio_.get();
    in.Casi = casi_;
    in.Terzine = std::move(terzine);
    in.Ruote = ruote_;
    in.Finestra = Finestra();
    in.VerificaEstesa = o.VerificaEstesa;
    in.InteroPeriodo = o.InteroPeriodo;
    in.Evidenzia = o.Evidenzia;
    in.SoloRighe = o.SoloRighe;
    return in;
}

RisultatoPrevisioni SessioneAnalisi::Previsioni(std::vector<Terzina> terzine,
                                                const OpzioniPrevisioni& o) const {
    return FaiPrevisioni(PreparaPrevisioni(std::move(terzine), o));
}

Storia SessioneAnalisi::StoriaDi(const std::vector<Terzina>& terzine, bool interoPeriodo) const {
    return StoriaTerzine(*archivio_, casi_, terzine, ruote_, Finestra(), interoPeriodo);
}

std::optional<TabellaRitardi> SessioneAnalisi::Ritardi(int d) const {
    if (d < 1 || d > archivio_->NumeroEstrazioni) return std::nullopt;
    return CalcolaRitardi(*archivio_, d);
}

} // namespace trivalto
