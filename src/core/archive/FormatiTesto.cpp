#include "core/archive/FormatiTesto.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <unordered_map>

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

bool Prima(const Data& a, const Data& b) {
    return std::tie(a.anno, a.mese, a.giorno) < std::tie(b.anno, b.mese, b.giorno);
}

// A NUL would cut every later message at that byte, and no draw line holds one.
void SoloTesto(const std::string& linea, int numero) {
    if (linea.find('\0') != std::string::npos)
        throw ErroreFormato(numero, "carattere nullo: il file non è di testo");
}

/// The checks of a draw that could not be real (repeated number, implausible or repeated date).
class ControlliImportazione {
public:
    explicit ControlliImportazione(const RegoleLettura& regole) : regole_(regole) {}
    void Data(const trivalto::Data& d, int numero) {
        if (!regole_.Rigorose) return;
        if (auto difetto = DataImplausibile(d, regole_.Ultima); !difetto.empty())
            throw ErroreFormato(numero, difetto);
    }
    void Numeri(const NumeriRuota& n, int ruota, int numero) {
        if (!regole_.Rigorose) return;
        for (int p = 0; p < 5; ++p)
            for (int q = p + 1; q < 5; ++q)
                if (n[p] != 0 && n[p] == n[q])
                    throw ErroreFormato(numero, std::string("ruota ")
                                                    .append(NomiRuote[ruota])
                                                    .append(": numero ")
                                                    .append(std::to_string(n[p]))
                                                    .append(" ripetuto"));
    }
    /// A date met twice in one file: the second line is refused, naming the first.
    void Unica(const std::string& dataTesto, int numero) {
        if (!regole_.Rigorose) return;
        auto [it, nuova] = viste_.try_emplace(dataTesto, numero);
        if (!nuova)
            throw ErroreFormato(numero, "estrazione del " + dataTesto + " ripetuta nel file (già alla riga " +
                                            std::to_string(it->second) + ")");
    }
    void Quante(size_t estrazioni, int numero) const {
        if (estrazioni > static_cast<size_t>(regole_.MassimoEstrazioni))
            throw ErroreFormato(numero, "il file contiene più di " +
                                            std::to_string(regole_.MassimoEstrazioni) +
                                            " estrazioni, il massimo dell'archivio");
    }

private:
    const RegoleLettura& regole_;
    std::unordered_map<std::string, int> viste_;
};

} // namespace

Data UltimaDataPlausibile() {
    const std::time_t t = std::time(nullptr) + 7 * 24 * 3600;
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return {tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900};
}

std::string DataImplausibile(const Data& d, const Data& ultima) {
    if (d.anno < PrimoAnnoPlausibile)
        return "data " + TestoData(d) + " non plausibile (prima del " + std::to_string(PrimoAnnoPlausibile) +
               ")";
    if (Prima(ultima, d))
        return "data " + TestoData(d) + " non plausibile (dopo il " + TestoData(ultima) + ")";
    return {};
}

std::string DifettoCellaTesto(const std::string& cella) {
    if (!CellaValida(cella)) return "non ha la forma nn-nn-nn-nn-nn con numeri da 1 a 90";
    if (cella == "----") return {};
    const auto n = LeggiCellaRuota(cella);
    for (int p = 0; p < 5; ++p)
        for (int q = p + 1; q < 5; ++q)
            if (n[p] == n[q]) return "ha il numero " + std::to_string(n[p]) + " ripetuto";
    return {};
}

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

std::vector<RigaEstrazione> LeggiArchivioTesto(std::istream& in, const RegoleLettura& regole) {
    std::vector<RigaEstrazione> righe;
    ControlliImportazione controlli(regole);
    std::string linea;
    int numero = 0;
    while (std::getline(in, linea)) {
        ++numero;
        linea = SenzaFineRiga(linea);
        SoloTesto(linea, numero);
        if (Vuota(linea)) continue;
        // The first line of a full archive ends with the three-character " pr" marker.
        if (linea.size() >= 178 && linea.compare(176, 2, "pr") == 0 && Vuota(linea.substr(178)))
            linea.resize(175);
        auto r = LeggiLineaArchivioTesto(linea, numero);
        Data d;
        LeggiDataTesto(r.Data, d);
        controlli.Data(d, numero);
        for (int w = 0; w < NumeroRuote; ++w)
            controlli.Numeri(LeggiCellaRuota(r.Celle[w]), w, numero);
        controlli.Unica(r.Data, numero);
        righe.push_back(std::move(r));
        controlli.Quante(righe.size(), numero);
    }
    return righe;
}

std::vector<RigaEstrazione> LeggiStorico(std::istream& in, const RegoleLettura& regole) {
    ControlliImportazione controlli(regole);
    std::map<std::string, std::pair<RigaEstrazione, int>> perData; // ISO date -> draw, first line
    std::string linea;
    int numero = 0;
    while (std::getline(in, linea)) {
        ++numero;
        linea = SenzaFineRiga(linea);
        SoloTesto(linea, numero);
        if (Vuota(linea)) continue;
        std::vector<std::string> campi;
        std::stringstream ss(linea);
        for (std::string c; std::getline(ss, c, '\t');)
            campi.push_back(c);
        if (campi.size() != 7) throw ErroreFormato(numero, "attesi 7 campi separati da tabulazione");
        Data d;
        if (!LeggiDataIso(campi[0], d) || campi[0].size() != 10)
            throw ErroreFormato(numero, "data non valida \"" + campi[0] + "\"");
        controlli.Data(d, numero);
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
        controlli.Numeri(numeri, w, numero);
        auto [it, nuova] = perData.try_emplace(IsoData(d));
        controlli.Quante(perData.size(), numero);
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

std::vector<RigaEstrazione> LeggiFileEstrazioni(const std::string& percorso, const RegoleLettura& regole) {
    std::error_code ec;
    // A folder opens as a stream that reads nothing: it would import as an empty file.
    if (std::filesystem::is_directory(percorso, ec))
        throw ErroreFormato(0, percorso + " è una cartella, non un file di estrazioni");
    std::ifstream in(percorso, std::ios::binary);
    if (!in) throw ErroreFormato(0, "impossibile aprire il file " + percorso);
    char inizio[4] = {};
    in.read(inizio, sizeof inizio);
    const auto letti = in.gcount();
    const auto byte = [&](int i) { return static_cast<unsigned char>(inizio[i]); };
    const auto stampabile = [&](int i) { return byte(i) >= 0x20 && byte(i) < 0x7F; };
    const bool marca16 =
        letti >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF));
    const bool senzaMarca16 = letti == 4 && ((stampabile(0) && !byte(1) && stampabile(2) && !byte(3)) ||
                                             (!byte(0) && stampabile(1) && !byte(2) && stampabile(3)));
    if (marca16 || senzaMarca16)
        throw ErroreFormato(
            0, "il file " + percorso +
                   " è in codifica UTF-16: salvarlo come testo semplice (ANSI o UTF-8) e riprovare");
    // A UTF-8 mark at the start (as some editors save) is no part of the first line.
    const bool marcaUtf8 = letti >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF;
    const auto reinizia = [&] {
        in.clear();
        in.seekg(marcaUtf8 ? 3 : 0);
    };
    reinizia();
    std::string linea;
    bool storico = false;
    while (std::getline(in, linea)) {
        if (Vuota(SenzaFineRiga(linea))) continue;
        storico = linea.find('\t') != std::string::npos;
        break;
    }
    reinizia();
    return storico ? LeggiStorico(in, regole) : LeggiArchivioTesto(in, regole);
}

} // namespace trivalto
