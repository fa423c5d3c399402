// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/Vocabolario.h"

#include <cctype>
#include <cstdio>

namespace trivalto {

int IndiceCodiceRuota(std::string_view codice) {
    for (int w = 0; w < NumeroRuote; ++w) {
        const auto c = CodiciRuote[w];
        if (codice.size() == 2 && std::toupper(static_cast<unsigned char>(codice[0])) == c[0] &&
            std::toupper(static_cast<unsigned char>(codice[1])) == c[1])
            return w;
    }
    return -1;
}

long ValoreNumerico(std::string_view testo) {
    size_t i = 0;
    while (i < testo.size() && (testo[i] == ' ' || testo[i] == '\t'))
        ++i;
    bool negativo = false;
    if (i < testo.size() && (testo[i] == '-' || testo[i] == '+')) {
        negativo = testo[i] == '-';
        ++i;
    }
    long valore = 0;
    bool cifre = false;
    while (i < testo.size() && std::isdigit(static_cast<unsigned char>(testo[i]))) {
        if (valore < 100000000L) valore = valore * 10 + (testo[i] - '0');
        cifre = true;
        ++i;
    }
    if (!cifre) return 0;
    return negativo ? -valore : valore;
}

NumeriRuota LeggiCellaRuota(std::string_view cella) {
    NumeriRuota numeri{};
    for (int p = 0; p < NumeriPerRuota; ++p) {
        const size_t inizio = static_cast<size_t>(p) * 3;
        if (inizio >= cella.size()) break;
        // A slice like "-4" must not read as a negative number: only the digits count.
        auto fetta = cella.substr(inizio, 2);
        long v = 0;
        for (char ch : fetta) {
            if (!std::isdigit(static_cast<unsigned char>(ch))) break;
            v = v * 10 + (ch - '0');
        }
        if (fetta.size() == 2 && fetta[0] == ' ' && std::isdigit(static_cast<unsigned char>(fetta[1])))
            v = fetta[1] - '0';
        numeri[p] = static_cast<int16_t>(v);
    }
    return numeri;
}

std::string ScriviCellaRuota(const std::array<std::string, 5>& testi) {
    std::string cella = testi[0];
    for (int p = 1; p < 5; ++p)
        cella += "-" + testi[p];
    return cella;
}

std::string CellaDaNumeri(const NumeriRuota& numeri) {
    bool vuota = true;
    for (auto n : numeri)
        vuota = vuota && n == 0;
    if (vuota) return "----";
    std::array<std::string, 5> testi;
    for (int p = 0; p < 5; ++p) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(numeri[p]));
        testi[p] = buf;
    }
    return ScriviCellaRuota(testi);
}

bool DataValida(const Data& d) {
    if (d.anno < 1000 || d.anno > 9999 || d.mese < 1 || d.mese > 12 || d.giorno < 1) return false;
    static constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisestile = (d.anno % 4 == 0 && d.anno % 100 != 0) || d.anno % 400 == 0;
    const int massimo = giorni[d.mese - 1] + (d.mese == 2 && bisestile ? 1 : 0);
    return d.giorno <= massimo;
}

namespace {
bool Cifre(std::string_view t, size_t da, size_t n, int& out) {
    out = 0;
    for (size_t i = da; i < da + n; ++i) {
        if (i >= t.size() || !std::isdigit(static_cast<unsigned char>(t[i]))) return false;
        out = out * 10 + (t[i] - '0');
    }
    return true;
}
} // namespace

bool LeggiDataTesto(std::string_view t, Data& data) {
    Data d;
    if (t.size() != 10 || t[2] != '/' || t[5] != '/') return false;
    if (!Cifre(t, 0, 2, d.giorno) || !Cifre(t, 3, 2, d.mese) || !Cifre(t, 6, 4, d.anno)) return false;
    if (!DataValida(d)) return false;
    data = d;
    return true;
}

bool LeggiDataIso(std::string_view t, Data& data) {
    Data d;
    if (t.size() < 10 || (t[4] != '-' && t[4] != '/') || t[7] != t[4]) return false;
    if (!Cifre(t, 0, 4, d.anno) || !Cifre(t, 5, 2, d.mese) || !Cifre(t, 8, 2, d.giorno)) return false;
    if (!DataValida(d)) return false;
    data = d;
    return true;
}

std::string TestoData(const Data& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.giorno, d.mese, d.anno);
    return buf;
}

std::string IsoData(const Data& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.anno, d.mese, d.giorno);
    return buf;
}

int MeseDiData(std::string_view testo) {
    Data d;
    return LeggiDataTesto(testo, d) ? d.mese : 0;
}

int AnnoDiData(std::string_view testo) {
    Data d;
    return LeggiDataTesto(testo, d) ? d.anno : 0;
}

} // namespace trivalto
