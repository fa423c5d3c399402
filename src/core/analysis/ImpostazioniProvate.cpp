// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/ImpostazioniProvate.h"

namespace trivalto {

namespace {

void Aggiungi(std::string& chiave, int valore) {
    chiave += std::to_string(valore);
    chiave += ',';
}

void AggiungiRuote(std::string& chiave, const RuoteGioco& ruote) {
    for (bool r : ruote)
        chiave += r ? '1' : '0';
    chiave += ';';
}

} // namespace

int ImpostazioniProvate::Registra(const InputRicerca& in) {
    // The cases with their parameters stand for the reference draw, the case rule and the parameter rule.
    std::string chiave;
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        const auto& c = in.Casi[i];
        Aggiungi(chiave, c.Estrazione);
        Aggiungi(chiave, c.Ruota);
        Aggiungi(chiave, c.Parametro);
        Aggiungi(chiave, i < in.Coperti.size() && in.Coperti[i]);
    }
    chiave += ';';
    AggiungiRuote(chiave, in.Ruote);
    for (int v : {in.Finestra.DaColpo, in.Finestra.Colpi, in.Finestra.FineVerifica, int{in.InteroPeriodo}})
        Aggiungi(chiave, v);
    ricerche_.insert(std::move(chiave));
    return static_cast<int>(ricerche_.size());
}

int ImpostazioniProvate::Registra(const SceltaVerificaRetroattiva& s) {
    std::string chiave;
    const auto& c = s.Casi;
    const auto& p = s.Parametro;
    for (int v :
         {c.NumeroCasi, c.Mensile, int{c.ForzaUltima}, c.Ruota, static_cast<int>(p.Tipo), p.Trasformazione,
          p.Fisso, s.DaColpo, s.Colpi, int{s.InteroPeriodo}, s.Elenco, s.K, s.Da, s.A})
        Aggiungi(chiave, v);
    for (bool b : p.Posizioni)
        chiave += b ? '1' : '0';
    chiave += ';';
    AggiungiRuote(chiave, s.Ruote);
    verifiche_.insert(std::move(chiave));
    return static_cast<int>(verifiche_.size());
}

} // namespace trivalto
