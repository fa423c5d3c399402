#include "core/archive/FormatiTesto.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace trivalto {

namespace {

std::string SenzaFineRiga(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s;
}

bool Vuota(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
}

/// A stored cell: "----", or five two-digit numbers 01..90 joined by "-".
bool CellaValida(const std::string& cella) {
    if (cella == "----") return true;
    if (cella.size() != 14) return false;
    for (int p = 0; p < 5; ++p) {
        const size_t i = static_cast<size_t>(p) * 3;
        if (!std::isdigit(static_cast<unsigned char>(cella[i])) ||
            !std::isdigit(static_cast<unsigned char>(cella[i + 1])))
            return false;
        const int n = (cella[i] - '0') * 10 + (cella[i + 1] - '0');
        if (n < 1 || n > 90) return false;
        if (p < 4 && cella[i + 2] != '-') return false;
    }
    return true;
}

std::string Rifila(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

RigaEstrazione LeggiLineaArchivioTesto(const std::string& grezza, int numeroRiga) {
    std::string linea = SenzaFineRiga(grezza);
    if (linea.size() < 165)
        throw ErroreFormato(numeroRiga, "riga troppo corta (" + std::to_string(linea.size()) + " caratteri)");
    // Text after the Nazionale field means a lost line end (or bare carriage returns): reading only the
    // first draw would drop the others without a word.
    if (linea.size() > 175 && !Vuota(linea.substr(175)))
        throw ErroreFormato(numeroRiga, "riga troppo lunga (" + std::to_string(linea.size()) + " caratteri)");
    linea.resize(std::max<size_t>(linea.size(), 175), ' ');
    RigaEstrazione r;
    Data d;
    if (!LeggiDataTesto(linea.substr(0, 10), d))
        throw ErroreFormato(numeroRiga, "data non valida \"" + linea.substr(0, 10) + "\"");
    r.Data = TestoData(d);
    for (int w = 0; w < NumeroRuote; ++w) {
        r.Celle[w] = Rifila(linea.substr(static_cast<size_t>(11 + 15 * w), 14));
        if (!CellaValida(r.Celle[w]))
            throw ErroreFormato(numeroRiga,
                                "ruota " + std::string(NomiRuote[w]) + " non valida \"" + r.Celle[w] + "\"");
    }
    return r;
}

std::string ScriviLineaArchivioTesto(const RigaEstrazione& riga) {
    std::string linea = riga.Data;
    for (const auto& cella : riga.Celle) {
        std::string campo = cella;
        campo.resize(14, ' ');
        linea += " " + campo;
    }
    return linea;
}

std::vector<RigaEstrazione> LeggiArchivioTesto(std::istream& in) {
    std::vector<RigaEstrazione> righe;
    std::string linea;
    int numero = 0;
    while (std::getline(in, linea)) {
        ++numero;
        linea = SenzaFineRiga(linea);
        if (Vuota(linea)) continue;
        // The first line of a full archive ends with the three-character " pr" marker.
        if (linea.size() >= 178 && linea.compare(176, 2, "pr") == 0 && Vuota(linea.substr(178)))
            linea.resize(175);
        righe.push_back(LeggiLineaArchivioTesto(linea, numero));
    }
    return righe;
}

std::vector<RigaEstrazione> LeggiStorico(std::istream& in) {
    std::map<std::string, std::pair<RigaEstrazione, int>> perData; // ISO date -> draw, first line
    std::string linea;
    int numero = 0;
    while (std::getline(in, linea)) {
        ++numero;
        linea = SenzaFineRiga(linea);
        if (Vuota(linea)) continue;
        std::vector<std::string> campi;
        std::stringstream ss(linea);
        for (std::string c; std::getline(ss, c, '\t');)
            campi.push_back(c);
        if (campi.size() != 7) throw ErroreFormato(numero, "attesi 7 campi separati da tabulazione");
        Data d;
        if (!LeggiDataIso(campi[0], d) || campi[0].size() != 10)
            throw ErroreFormato(numero, "data non valida \"" + campi[0] + "\"");
        std::string codice = campi[1];
        int w = codice == "RM" ? 7 : codice == "RN" ? 10 : IndiceCodiceRuota(codice);
        if (w < 0 || codice.size() != 2) throw ErroreFormato(numero, "ruota sconosciuta \"" + codice + "\"");
        NumeriRuota numeri{};
        for (int p = 0; p < 5; ++p) {
            const auto& t = campi[2 + p];
            if (t.empty() || t.size() > 2 ||
                !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c); }))
                throw ErroreFormato(numero, "numero non valido \"" + t + "\"");
            numeri[p] = static_cast<int16_t>(std::stoi(t));
            if (numeri[p] < 1 || numeri[p] > 90)
                throw ErroreFormato(numero, "numero fuori intervallo \"" + t + "\"");
        }
        auto [it, nuova] = perData.try_emplace(IsoData(d));
        if (nuova) {
            it->second.first.Data = TestoData(d);
            it->second.first.Celle.fill("----");
            it->second.second = numero;
        }
        if (it->second.first.Celle[w] != "----")
            throw ErroreFormato(numero,
                                "ruota " + std::string(NomiRuote[w]) + " ripetuta per il " + TestoData(d));
        it->second.first.Celle[w] = CellaDaNumeri(numeri);
    }
    std::vector<RigaEstrazione> righe;
    righe.reserve(perData.size());
    for (auto& [iso, voce] : perData)
        righe.push_back(std::move(voce.first));
    return righe;
}

std::vector<RigaEstrazione> LeggiFileEstrazioni(const std::string& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    if (!in) throw ErroreFormato(0, "impossibile aprire il file " + percorso);
    std::string linea;
    bool storico = false;
    while (std::getline(in, linea)) {
        if (Vuota(SenzaFineRiga(linea))) continue;
        storico = linea.find('\t') != std::string::npos;
        break;
    }
    in.clear();
    in.seekg(0);
    return storico ? LeggiStorico(in) : LeggiArchivioTesto(in);
}

} // namespace trivalto
