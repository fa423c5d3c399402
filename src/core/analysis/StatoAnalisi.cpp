// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/StatoAnalisi.h"

#include <algorithm>

namespace trivalto {

EffettoPosizioni StatoAnalisi::TogglePosizione(int p) {
    auto& acceso = Posizioni[static_cast<size_t>(p - 1)];
    acceso = !acceso;
    return RegolaPosizioni(static_cast<int>(std::count(Posizioni.begin(), Posizioni.end(), true)));
}

void StatoAnalisi::ToggleRuota(int w) {
    Ruote[static_cast<size_t>(w)] = !Ruote[static_cast<size_t>(w)];
}

void StatoAnalisi::TutteLeRuote(bool accese) {
    Ruote.fill(accese);
}

bool StatoAnalisi::AlmenoUnaRuota() const {
    return std::any_of(Ruote.begin(), Ruote.end(), [](bool b) { return b; });
}

void StatoAnalisi::ImpostaRiferimento(int d) {
    Riferimento = d;
    CasiVisibili = false;
    Segni.clear();
    ParametriCalcolati = UltimoInCorso = CasiEvidenziati = false;
    CasoScelto = 0;
}

void StatoAnalisi::GeneraCasi(const ArchivioMemoria& archivio, SceltaCasi scelta) {
    scelta.Riferimento = Riferimento;
    RuoteGenera = Ruote;
    Casi = trivalto::GeneraCasi(archivio, scelta);
    CasiVisibili = true;
    Segni.assign(Casi.size(), SegniCaso{});
    PosizioniGenera = Posizioni;
    ParametriCalcolati = UltimoInCorso = CasiEvidenziati = false;
    CasoScelto = 0;
}

void StatoAnalisi::CalcolaParametri(const ArchivioMemoria& archivio, SceltaParametro scelta, int daColpo,
                                    int colpi) {
    if (!CasiVisibili) Casi.clear();
    scelta.Posizioni = Posizioni;
    trivalto::CalcolaParametri(archivio, Casi, scelta);
    ParametriCalcolati = !Casi.empty();
    UltimoInCorso = !Casi.empty() && Casi.back().Estrazione == archivio.NumeroEstrazioni;
    DaColpo = daColpo;
    Colpi = colpi;
}

bool StatoAnalisi::SelezionaCaso(int riga) {
    if (!CasiVisibili || riga < 1 || riga > static_cast<int>(Casi.size())) return false;
    CasoScelto = riga;
    CasiEvidenziati = true;
    return true;
}

const Caso* StatoAnalisi::CasoSelezionato() const {
    if (!CasiVisibili || CasoScelto < 1 || CasoScelto > static_cast<int>(Casi.size())) return nullptr;
    return &Casi[static_cast<size_t>(CasoScelto - 1)];
}

std::vector<bool> StatoAnalisi::Coperti() const {
    std::vector<bool> coperti(CasiVisibili ? Casi.size() : 0, false);
    for (size_t i = 0; i < coperti.size() && i < Segni.size(); ++i)
        coperti[i] = Segni[i].Primo == SegniCaso::Stato::Verde;
    return coperti;
}

InputRicerca StatoAnalisi::PreparaTerzine(const ArchivioMemoria* archivio, bool interoPeriodo, int elenco) {
    Combinazioni.clear();
    ListaCombinazioni.clear();
    CombinazioneScelta = 0;
    Dettaglio.clear();
    Lista.assign(static_cast<size_t>(elenco), Terzina{});
    ListaCompleta = false;
    Verificate.clear();
    RuoteRegistrate = Ruote;
    InputRicerca in;
    in.Archivio = archivio;
    in.Casi = Casi;
    in.Coperti = Coperti();
    in.Ruote = RuoteRegistrate;
    in.Finestra = Finestra();
    in.InteroPeriodo = interoPeriodo;
    in.Elenco = elenco;
    return in;
}

void StatoAnalisi::ApplicaTerzine(const RisultatoTerzine& ris) {
    Lista = ris.Righe;
    ListaCompleta = !ris.Interrotta;
    Verificate.clear();
    if (ListaCompleta && CasiVisibili) CasiEvidenziati = true;
}

bool StatoAnalisi::HaTerzine() const {
    return std::any_of(Lista.begin(), Lista.end(), [](const Terzina& z) { return !z.Vuota(); });
}

bool StatoAnalisi::EliminaRighe(int riga) {
    if (!trivalto::EliminaRigheSuccessive(Lista, riga)) return false;
    if (Verificate.size() > Lista.size()) Verificate.resize(Lista.size());
    return true;
}

bool StatoAnalisi::Verifica(const ArchivioMemoria& archivio) {
    const Caso* caso = CasoSelezionato();
    if (!caso || Lista.empty()) return false;
    Verificate = VerificaTerzine(archivio, *caso, Lista, RuoteRegistrate, {DaColpo, Colpi, 0});
    return true;
}

InputCombinazioni StatoAnalisi::PreparaCombinazioni(const ArchivioMemoria* archivio, int K, int elenco) {
    Combinazioni.assign(static_cast<size_t>(std::max(elenco - 1, 0)), Combinazione{});
    ListaCombinazioni = Lista;
    CombinazioneScelta = 0;
    InputCombinazioni in;
    in.Archivio = archivio;
    in.Casi = Casi;
    in.Lista = Lista;
    in.Ruote = RuoteRegistrate;
    in.Finestra = Finestra();
    in.K = K;
    in.Elenco = elenco;
    return in;
}

void StatoAnalisi::ApplicaCombinazioni(const RisultatoCombinazioni& ris) {
    Combinazioni = ris.Righe;
    CombinazioneScelta = 0;
}

bool StatoAnalisi::SelezionaCombinazione(const ArchivioMemoria& archivio, int riga) {
    if (riga < 1 || riga > static_cast<int>(Combinazioni.size())) return false;
    CombinazioneScelta = riga;
    Dettaglio.clear();
    if (const Caso* caso = CasoSelezionato())
        Dettaglio =
            MostraCombinazione(archivio, *caso, TerzineScelte(), RuoteRegistrate, {DaColpo, Colpi, 0});
    return true;
}

std::vector<Terzina> StatoAnalisi::TerzineScelte() const {
    if (CombinazioneScelta < 1 || CombinazioneScelta > static_cast<int>(Combinazioni.size())) return {};
    const auto& c = Combinazioni[static_cast<size_t>(CombinazioneScelta - 1)];
    if (c.Vuota()) return {};
    return TerzineDellaCombinazione(c, ListaCombinazioni);
}

std::optional<InputPrevisioni> StatoAnalisi::PreparaPrevisioni(const ArchivioMemoria* archivio,
                                                               bool verificaEstesa, bool interoPeriodo,
                                                               bool evidenzia) const {
    auto terzine = TerzineScelte();
    if (!CasiVisibili || Casi.empty() || terzine.empty()) return std::nullopt;
    InputPrevisioni in;
    in.Archivio = archivio;
    in.Casi = Casi;
    in.Terzine = std::move(terzine);
    in.Ruote = RuoteRegistrate;
    in.Finestra = Finestra();
    in.VerificaEstesa = verificaEstesa;
    in.InteroPeriodo = interoPeriodo;
    in.Evidenzia = evidenzia;
    return in;
}

void StatoAnalisi::ApplicaPrevisioni(RisultatoPrevisioni ris, std::vector<Terzina> scelte) {
    Segni = ris.Segni;
    Segni.resize(Casi.size());
    Previsione = std::move(ris);
    Scelte = std::move(scelte);
    PrevisioneFatta = true;
}

bool StatoAnalisi::AdattaAllArchivio(const ArchivioMemoria& archivio) {
    const int ultima = std::min(archivio.UltimaEstrazione, archivio.NumeroEstrazioni);
    bool cambiato = false;
    if (Riferimento > ultima) {
        ImpostaRiferimento(ultima);
        cambiato = true;
    }
    const auto oltre = [&](const Caso& c) { return c.Estrazione > archivio.NumeroEstrazioni; };
    if (std::any_of(Casi.begin(), Casi.end(), oltre)) {
        std::erase_if(Casi, oltre);
        CasiVisibili = false;
        ImpostaRiferimento(Riferimento);
        cambiato = true;
    }
    return cambiato;
}

} // namespace trivalto
