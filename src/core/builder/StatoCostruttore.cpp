// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/builder/StatoCostruttore.h"

#include <algorithm>

namespace trivalto {

void StatoCostruttore::GeneraCasi(SceltaCasi scelta) {
    metodo_.clear();
    analisi_.SvuotaPrevisione();
    analisi_.GeneraCasi(scelta);
}

InputRicerca StatoCostruttore::PreparaRicerca(bool interoPeriodo, int elenco) {
    InputRicerca in = analisi_.PreparaTerzine(interoPeriodo, elenco);
    analisi_.RicercaEsterna(false);
    lista_.assign(static_cast<size_t>(elenco), Candidata{});
    listaCompleta_ = false;
    colpi_.clear();
    return in;
}

void StatoCostruttore::ApplicaRicerca(const RisultatoCostruttore& ris,
                                      std::optional<std::vector<RigaPerCaso>> perCaso) {
    lista_ = ris.Righe;
    listaCompleta_ = !ris.Interrotta;
    if (!listaCompleta_) return;
    analisi_.RicercaEsterna(true);
    casiRicerca_ = static_cast<int>(std::min<size_t>(analisi_.Casi().size(), MassimoCasi));
    if (!perCaso) return CopiaInSecondoElenco();
    analisi_.CancellaCoperti();
    listaCasi_ = std::move(*perCaso);
}

bool StatoCostruttore::HaCandidate() const {
    return std::any_of(lista_.begin(), lista_.end(), [](const Candidata& z) { return !z.Vuota(); });
}

InputRicerca StatoCostruttore::Ricerca(bool interoPeriodo) const {
    return analisi_.Sessione().UltimaRicerca(interoPeriodo, static_cast<int>(lista_.size()));
}

void StatoCostruttore::CopiaInSecondoElenco() {
    analisi_.CancellaCoperti();
    listaCasi_ = trivalto::CopiaInSecondoElenco(Ricerca(false), lista_);
}

bool StatoCostruttore::ContaTutte() {
    if (!HaCandidate()) return false;
    colpi_ = ContaPerColpo(Ricerca(false), lista_);
    return true;
}

StatoCostruttore::Aggiunta StatoCostruttore::Aggiungi(TerzinaMetodo t) {
    if (metodo_.size() >= MassimoTerzineMetodo) return Aggiunta::Piena;
    const auto fuori = [](int o) { return o < 1 || o > 90; };
    if (fuori(t.A) || fuori(t.B) || fuori(t.C) || t.A == t.B || t.A == t.C || t.B == t.C)
        return Aggiunta::Nessuna;
    metodo_.push_back(std::move(t));
    return Aggiunta::Fatta;
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiDaColpi(int riga) {
    // An empty row has no terzina to add.
    if (riga < 1 || riga > static_cast<int>(lista_.size())) return Aggiunta::Nessuna;
    return AggiungiCandidata(lista_[static_cast<size_t>(riga - 1)]);
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiCandidata(const Candidata& z) {
    if (z.Vuota()) return Aggiunta::Nessuna;
    return Aggiungi({z.A, z.B, z.C, std::to_string(z.Cop), std::to_string(z.Tot), std::to_string(z.Ambi),
                     z.Terni ? std::to_string(z.Terni) : ""});
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiDaCasi(int riga) {
    if (riga < 1 || riga > static_cast<int>(listaCasi_.size())) return Aggiunta::Nessuna;
    const auto& r = listaCasi_[static_cast<size_t>(riga - 1)];
    if (r.Z.Vuota()) return Aggiunta::Nessuna;
    return Aggiungi({r.Z.A, r.Z.B, r.Z.C, std::to_string(r.Z.Cop), std::to_string(r.Z.Tot),
                     std::to_string(r.Z.Ambi), r.SecondoCop < 0 ? "" : std::to_string(r.SecondoCop)});
}

bool StatoCostruttore::EliminaUltima() {
    if (metodo_.empty()) return false;
    metodo_.pop_back();
    return true;
}

std::optional<std::string> StatoCostruttore::ImpostaOffset(int riga, int colonna, const std::string& testo) {
    if (riga < 1 || riga > static_cast<int>(metodo_.size()) || colonna < 1 || colonna > 3)
        return std::string("Cella non modificabile.");
    const auto inizio = testo.find_first_not_of(' ');
    const auto fine = testo.find_last_not_of(' ');
    const std::string t =
        inizio == std::string::npos ? std::string() : testo.substr(inizio, fine - inizio + 1);
    int valore = 0;
    const bool cifre = !t.empty() && t.size() <= 2 &&
                       std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (cifre) valore = std::stoi(t);
    if (!cifre || valore < 1 || valore > 90) return std::string("Scrivere un numero da 1 a 90.");
    auto& m = metodo_[static_cast<size_t>(riga - 1)];
    int* offsets[3] = {&m.A, &m.B, &m.C};
    for (int k = 0; k < 3; ++k)
        if (k != colonna - 1 && *offsets[k] == valore)
            return "Il numero " + std::to_string(valore) + " è già nella terzina.";
    *offsets[colonna - 1] = valore;
    return std::nullopt;
}

std::optional<InputPrevisioni> StatoCostruttore::PreparaPrevisioni(bool interoPeriodo, bool evidenzia,
                                                                   bool vecchie) const {
    std::vector<Terzina> terzine;
    for (const auto& t : metodo_)
        terzine.push_back(Terzina{0, 0, t.A, t.B, t.C, 0, 0});
    return analisi_.PreparaPrevisioniDi(std::move(terzine), {false, interoPeriodo, evidenzia, vecchie});
}

void StatoCostruttore::ApplicaPrevisioni(RisultatoPrevisioni ris, const InputPrevisioni& in) {
    // The older form leaves the statistics row as it was.
    if (in.SoloRighe)
        analisi_.ApplicaSoloRighe(std::move(ris), in.Terzine);
    else
        analisi_.ApplicaPrevisioni(std::move(ris), in.Terzine);
}

void StatoCostruttore::Riordina() {
    trivalto::Riordina(listaCasi_, analisi_.Coperti(), casiRicerca_);
}

} // namespace trivalto
