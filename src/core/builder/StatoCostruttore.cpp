// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/builder/StatoCostruttore.h"

#include <algorithm>

namespace trivalto {

void StatoCostruttore::GeneraCasi(const ArchivioMemoria& archivio, SceltaCasi scelta) {
    Metodo.clear();
    Analisi.Previsione = {};
    Analisi.Scelte.clear();
    Analisi.PrevisioneFatta = false;
    Analisi.GeneraCasi(archivio, scelta);
}

InputRicerca StatoCostruttore::PreparaRicerca(const ArchivioMemoria* archivio, bool interoPeriodo,
                                              int elenco) {
    InputRicerca in = Analisi.PreparaTerzine(archivio, interoPeriodo, elenco);
    Analisi.Lista.clear(); // the analysis list is not the builder's
    Lista.assign(static_cast<size_t>(elenco), Candidata{});
    ListaCompleta = false;
    Colpi.clear();
    return in;
}

void StatoCostruttore::ApplicaRicerca(const RisultatoCostruttore& ris, const ArchivioMemoria& archivio,
                                      std::optional<std::vector<RigaPerCaso>> perCaso) {
    Lista = ris.Righe;
    ListaCompleta = !ris.Interrotta;
    if (!ListaCompleta) return;
    Analisi.CasiEvidenziati = Analisi.CasiVisibili;
    CasiRicerca = static_cast<int>(std::min<size_t>(Analisi.Casi.size(), MassimoCasi));
    if (!perCaso) return CopiaInSecondoElenco(archivio);
    for (auto& s : Analisi.Segni)
        s.Primo = SegniCaso::Stato::Bianco;
    ListaCasi = std::move(*perCaso);
}

bool StatoCostruttore::HaCandidate() const {
    return std::any_of(Lista.begin(), Lista.end(), [](const Candidata& z) { return !z.Vuota(); });
}

InputRicerca StatoCostruttore::Ricerca(const ArchivioMemoria* archivio, bool interoPeriodo) const {
    InputRicerca in;
    in.Archivio = archivio;
    in.Casi = Analisi.Casi;
    in.Ruote = Analisi.RuoteRegistrate;
    in.Finestra = Analisi.Finestra();
    in.InteroPeriodo = interoPeriodo;
    in.Elenco = static_cast<int>(Lista.size());
    return in;
}

void StatoCostruttore::CopiaInSecondoElenco(const ArchivioMemoria& archivio) {
    for (auto& s : Analisi.Segni)
        s.Primo = SegniCaso::Stato::Bianco;
    ListaCasi = trivalto::CopiaInSecondoElenco(Ricerca(&archivio, false), Lista);
}

bool StatoCostruttore::ContaTutte(const ArchivioMemoria& archivio) {
    if (!HaCandidate()) return false;
    Colpi = ContaPerColpo(Ricerca(&archivio, false), Lista);
    return true;
}

StatoCostruttore::Aggiunta StatoCostruttore::Aggiungi(TerzinaMetodo t) {
    if (Metodo.size() >= MassimoTerzineMetodo) return Aggiunta::Piena;
    Metodo.push_back(std::move(t));
    return Aggiunta::Fatta;
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiDaColpi(int riga) {
    // An empty row has no terzina to add.
    if (riga < 1 || riga > static_cast<int>(Lista.size())) return Aggiunta::Nessuna;
    return AggiungiCandidata(Lista[static_cast<size_t>(riga - 1)]);
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiCandidata(const Candidata& z) {
    if (z.Vuota()) return Aggiunta::Nessuna;
    return Aggiungi({z.A, z.B, z.C, std::to_string(z.Cop), std::to_string(z.Tot), std::to_string(z.Ambi),
                     z.Terni ? std::to_string(z.Terni) : ""});
}

StatoCostruttore::Aggiunta StatoCostruttore::AggiungiDaCasi(int riga) {
    if (riga < 1 || riga > static_cast<int>(ListaCasi.size())) return Aggiunta::Nessuna;
    const auto& r = ListaCasi[static_cast<size_t>(riga - 1)];
    if (r.Z.Vuota()) return Aggiunta::Nessuna;
    return Aggiungi({r.Z.A, r.Z.B, r.Z.C, std::to_string(r.Z.Cop), std::to_string(r.Z.Tot),
                     std::to_string(r.Z.Ambi), r.SecondoCop < 0 ? "" : std::to_string(r.SecondoCop)});
}

bool StatoCostruttore::EliminaUltima() {
    if (Metodo.empty()) return false;
    Metodo.pop_back();
    return true;
}

std::optional<std::string> StatoCostruttore::ImpostaOffset(int riga, int colonna, const std::string& testo) {
    if (riga < 1 || riga > static_cast<int>(Metodo.size()) || colonna < 1 || colonna > 3)
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
    auto& m = Metodo[static_cast<size_t>(riga - 1)];
    int* offsets[3] = {&m.A, &m.B, &m.C};
    for (int k = 0; k < 3; ++k)
        if (k != colonna - 1 && *offsets[k] == valore)
            return "Il numero " + std::to_string(valore) + " è già nella terzina.";
    *offsets[colonna - 1] = valore;
    return std::nullopt;
}

std::optional<InputPrevisioni> StatoCostruttore::PreparaPrevisioni(const ArchivioMemoria* archivio,
                                                                   bool interoPeriodo, bool evidenzia,
                                                                   bool vecchie) const {
    if (!Analisi.CasiVisibili || Analisi.Casi.empty()) return std::nullopt;
    InputPrevisioni in;
    in.Archivio = archivio;
    in.Casi = Analisi.Casi;
    for (const auto& t : Metodo)
        in.Terzine.push_back(Terzina{0, 0, t.A, t.B, t.C, 0, 0});
    in.Ruote = Analisi.RuoteRegistrate;
    in.Finestra = Analisi.Finestra();
    in.InteroPeriodo = interoPeriodo;
    in.Evidenzia = evidenzia;
    in.SoloRighe = vecchie;
    return in;
}

void StatoCostruttore::ApplicaPrevisioni(RisultatoPrevisioni ris, const InputPrevisioni& in) {
    // The older form leaves the statistics row as it was.
    const bool fatta = Analisi.PrevisioneFatta;
    if (in.SoloRighe) ris.Riepilogo = Analisi.Previsione.Riepilogo;
    Analisi.ApplicaPrevisioni(std::move(ris), in.Terzine);
    if (in.SoloRighe) Analisi.PrevisioneFatta = fatta;
}

void StatoCostruttore::Riordina() {
    trivalto::Riordina(ListaCasi, Analisi.Coperti(), CasiRicerca);
}

} // namespace trivalto
