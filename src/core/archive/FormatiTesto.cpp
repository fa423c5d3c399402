// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/FormatiTesto.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <unordered_map>

#include "core/archive/CauseSistema.h"
#include "core/shell/Piattaforma.h"

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

/// A text quoted in a message: a control character would break the message's line (a tab, a
/// carriage return) and is shown as "?".
std::string Citato(std::string testo) {
    for (auto& c : testo)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "\"" + testo + "\"";
}

bool Prima(const Data& a, const Data& b) {
    return std::tie(a.anno, a.mese, a.giorno) < std::tie(b.anno, b.mese, b.giorno);
}

/// "ruota Genova: numero 17 ripetuto" when a number comes twice on wheel `ruota`; empty otherwise.
std::string NumeroRipetuto(const NumeriRuota& n, int ruota) {
    for (int p = 0; p < 5; ++p)
        for (int q = p + 1; q < 5; ++q)
            if (n[p] != 0 && n[p] == n[q])
                return std::string("ruota ")
                    .append(NomiRuote[ruota])
                    .append(": numero ")
                    .append(std::to_string(n[p]))
                    .append(" ripetuto");
    return {};
}

std::string TroppeEstrazioni(int massimo) {
    return "il file contiene più di " + std::to_string(massimo) + " estrazioni, il massimo dell'archivio";
}

/// The checks of a per-wheel line that could not be a real draw (implausible date, repeated number).
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
        if (auto difetto = NumeroRipetuto(n, ruota); !difetto.empty()) throw ErroreFormato(numero, difetto);
    }
    void Quante(size_t estrazioni, int numero) const {
        if (estrazioni > static_cast<size_t>(regole_.MassimoEstrazioni))
            throw ErroreFormato(numero, TroppeEstrazioni(regole_.MassimoEstrazioni));
    }

private:
    const RegoleLettura& regole_;
};

} // namespace

Data UltimaDataPlausibile() {
    return Oggi(7);
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

std::string DifettoEstrazione(const RigaEstrazione& riga, const RegoleLettura& regole) {
    Data d;
    if (!LeggiDataTesto(riga.Data, d)) return "data non valida " + Citato(riga.Data);
    for (int w = 0; w < NumeroRuote; ++w)
        if (!CellaValida(riga.Celle[w]))
            return "ruota " + std::string(NomiRuote[w]) + " non valida " + Citato(riga.Celle[w]);
    if (!regole.Rigorose) return {};
    if (auto difetto = DataImplausibile(d, regole.Ultima); !difetto.empty()) return difetto;
    for (int w = 0; w < NumeroRuote; ++w)
        if (auto difetto = NumeroRipetuto(LeggiCellaRuota(riga.Celle[w]), w); !difetto.empty())
            return difetto;
    return {};
}

std::optional<LineaLetta> LettoreLineeEstrazioni::Leggi(std::string linea, int numero) {
    linea = SenzaFineRiga(std::move(linea));
    // A NUL would cut every later message at that byte, and no draw line holds one.
    const bool nullo = linea.find('\0') != std::string::npos;
    if (!nullo && Vuota(linea)) return std::nullopt;
    if (++lette_ > regole_.MassimoEstrazioni)
        throw ErroreFormato(numero, TroppeEstrazioni(regole_.MassimoEstrazioni));
    // The first line of a full archive ends with the three-character " pr" marker.
    if (linea.size() >= 178 && linea.compare(176, 2, "pr") == 0 && Vuota(linea.substr(178)))
        linea.resize(175);
    LineaLetta l;
    l.Numero = numero;
    const std::string data = linea.substr(0, 10);
    l.Campi.Data = Rifila(data);
    for (size_t w = 0; w < l.Campi.Celle.size(); ++w) {
        const size_t da = 11 + 15 * w;
        if (da < linea.size()) l.Campi.Celle[w] = Rifila(linea.substr(da, 14));
    }
    // Every date met counts, whatever else is wrong with its line: a date twice in a file is a fault
    // of both lines, never a choice of one.
    Data d;
    const bool conData = LeggiDataTesto(data, d);
    if (conData) {
        auto [it, nuova] = viste_.try_emplace(TestoData(d), numero);
        if (!nuova) l.PrimaRiga = it->second;
    }
    const auto difetto = [&]() -> std::string {
        if (nullo) return "carattere nullo: il file non è di testo";
        // A line end that is no line end for this file (a bare carriage return) runs lines together:
        // reading the first of them alone would drop the others without a word.
        if (const auto cr = linea.find('\r'); cr != std::string::npos)
            return "a capo non valido al carattere " + std::to_string(cr + 1) +
                   " (CR senza LF): più righe lette come una";
        if (linea.size() < 165) return "riga troppo corta (" + std::to_string(linea.size()) + " caratteri)";
        // Text after the Nazionale field: two draws glued together, or anything else after the draw.
        if (linea.size() > 175 && !Vuota(linea.substr(175)))
            return "riga troppo lunga (" + std::to_string(linea.size()) + " caratteri)";
        if (auto x = DifettoEstrazione({data, l.Campi.Celle}, regole_); !x.empty()) return x;
        if (regole_.Rigorose && l.PrimaRiga > 0)
            return "estrazione del " + TestoData(d) + " ripetuta nel file (già alla riga " +
                   std::to_string(l.PrimaRiga) + ")";
        return {};
    };
    l.Difetto = difetto();
    return l;
}

size_t InizioTesto(std::string_view inizio, const std::string& nome) {
    const auto byte = [&](size_t i) {
        return i < inizio.size() ? static_cast<unsigned char>(inizio[i]) : 0u;
    };
    const auto stampabile = [&](size_t i) { return byte(i) >= 0x20 && byte(i) < 0x7F; };
    const bool marca16 =
        inizio.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF));
    const bool senzaMarca16 =
        inizio.size() >= 4 && ((stampabile(0) && !byte(1) && stampabile(2) && !byte(3)) ||
                               (!byte(0) && stampabile(1) && !byte(2) && stampabile(3)));
    if (marca16 || senzaMarca16)
        throw ErroreFormato(
            0, "il file " + (nome.empty() ? std::string() : nome + " ") +
                   "è in codifica UTF-16: salvarlo come testo semplice (ANSI o UTF-8) e riprovare");
    // A UTF-8 mark at the start (as some editors save) is no part of the first line.
    return inizio.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF ? 3 : 0;
}

bool LineaDelloStorico(const std::string& primaLineaNonVuota) {
    return primaLineaNonVuota.find('\t') != std::string::npos;
}

RigaEstrazione LeggiLineaArchivioTesto(const std::string& linea, int numeroRiga) {
    RegoleLettura sola;
    sola.Rigorose = false;
    auto l = LettoreLineeEstrazioni(sola).Leggi(linea, numeroRiga);
    if (!l)
        throw ErroreFormato(numeroRiga, "riga troppo corta (" + std::to_string(SenzaFineRiga(linea).size()) +
                                            " caratteri)");
    if (!l->Difetto.empty()) throw ErroreFormato(numeroRiga, l->Difetto);
    return std::move(l->Campi);
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
    LettoreLineeEstrazioni lettore(regole);
    std::string linea;
    int numero = 0;
    while (std::getline(in, linea)) {
        auto l = lettore.Leggi(std::move(linea), ++numero);
        if (!l) continue;
        if (!l->Difetto.empty()) throw ErroreFormato(l->Numero, l->Difetto);
        righe.push_back(std::move(l->Campi));
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
        if (linea.find('\0') != std::string::npos)
            throw ErroreFormato(numero, "carattere nullo: il file non è di testo");
        if (Vuota(linea)) continue;
        std::vector<std::string> campi;
        std::stringstream ss(linea);
        for (std::string c; std::getline(ss, c, '\t');)
            campi.push_back(c);
        if (campi.size() != 7) throw ErroreFormato(numero, "attesi 7 campi separati da tabulazione");
        Data d;
        if (!LeggiDataIso(campi[0], d) || campi[0].size() != 10)
            throw ErroreFormato(numero, "data non valida " + Citato(campi[0]));
        controlli.Data(d, numero);
        std::string codice = campi[1];
        int w = codice == "RM" ? 7 : codice == "RN" ? 10 : IndiceCodiceRuota(codice);
        if (w < 0 || codice.size() != 2) throw ErroreFormato(numero, "ruota sconosciuta " + Citato(codice));
        NumeriRuota numeri{};
        for (int p = 0; p < 5; ++p) {
            const auto& t = campi[2 + p];
            if (t.empty() || t.size() > 2 ||
                !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c); }))
                throw ErroreFormato(numero, "numero non valido " + Citato(t));
            numeri[p] = static_cast<int16_t>(std::stoi(t));
            if (numeri[p] < 1 || numeri[p] > 90)
                throw ErroreFormato(numero, "numero fuori intervallo " + Citato(t));
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
    if (std::filesystem::is_directory(PercorsoDaTesto(percorso), ec))
        throw ErroreFormato(0, percorso + " è una cartella, non un file di estrazioni");
    errno = 0;
    std::ifstream in(PercorsoDaTesto(percorso), std::ios::binary);
    if (!in) throw ErroreFormato(0, "impossibile aprire il file " + percorso + ": " + CausaSistema(errno));
    char inizio[4] = {};
    in.read(inizio, sizeof inizio);
    const size_t salta = InizioTesto(std::string_view(inizio, static_cast<size_t>(in.gcount())), percorso);
    const auto reinizia = [&] {
        in.clear();
        in.seekg(static_cast<std::streamoff>(salta));
    };
    reinizia();
    std::string linea;
    bool storico = false;
    while (std::getline(in, linea)) {
        if (Vuota(SenzaFineRiga(linea))) continue;
        storico = LineaDelloStorico(linea);
        break;
    }
    reinizia();
    return storico ? LeggiStorico(in, regole) : LeggiArchivioTesto(in, regole);
}

} // namespace trivalto
