// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/CaselleEstrazione.h"

#include <cctype>

namespace trivalto {

namespace {

bool Cifra(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string NomeRuota(int w) {
    return w == 10 ? "Ruota Nazionale" : "Ruota di " + std::string(NomiRuote[static_cast<size_t>(w)]);
}

std::string DueCifre(int n) {
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

/// The number a box holds (0 for none), or -1 when its text is not a number of the game.
int NumeroCasella(const std::string& t) {
    if (t.empty()) return 0;
    if (t.size() > 2 || !Cifra(t[0]) || !Cifra(t.back())) return -1;
    const int n = static_cast<int>(ValoreNumerico(t));
    return n <= 90 ? n : -1;
}

} // namespace

std::string FiltraCasella(const std::string& testo) {
    if (testo == "99") return testo;
    if (ValoreNumerico(testo) > 90) return {};
    if (testo.size() == 1 && !Cifra(testo[0])) return {};
    if (testo.size() == 2 && !Cifra(testo[1])) return {};
    return testo;
}

std::string FormatoCasella(const std::string& testo) {
    if (testo.empty()) return testo;
    return DueCifre(static_cast<int>(ValoreNumerico(testo)));
}

AzioneTasto Tasto(int b, const std::string& t, TastoCasella tasto) {
    AzioneTasto a;
    a.Testo = t;
    if (tasto == TastoCasella::Invio) {
        if (ValoreNumerico(t) == 0) {
            a.Svuota = true;
            a.Testo.clear();
            return a;
        }
        a.Destinazione = b == NumeroCaselle ? 1 : b + 1;
        if (t.size() == 1) a.Testo = "0" + t;
        return a;
    }
    if (!t.empty() && t.size() != 2) {
        a.Svuota = true;
        a.Testo.clear();
        return a;
    }
    switch (tasto) {
    case TastoCasella::Destra:
        a.Destinazione = b % 5 == 0 ? b - 4 : b + 1;
        break;
    case TastoCasella::Sinistra:
        a.Destinazione = b % 5 == 1 ? b + 4 : b - 1;
        break;
    case TastoCasella::Su:
        a.Destinazione = b < 6 ? b + 50 : b - 5;
        break;
    case TastoCasella::Giu:
        a.Destinazione = b >= 51 ? b - 50 : b + 5;
        break;
    case TastoCasella::Invio:
        break;
    }
    return a;
}

TestiCaselle CaselleDaEstrazione(const std::array<NumeriRuota, NumeroRuote>& numeri) {
    TestiCaselle c;
    for (int w = 0; w < NumeroRuote; ++w)
        for (int p = 0; p < NumeriPerRuota; ++p)
            c[static_cast<size_t>(w * 5 + p)] =
                DueCifre(numeri[static_cast<size_t>(w)][static_cast<size_t>(p)]);
    return c;
}

std::optional<std::string> ControllaCaselle(const TestiCaselle& caselle) {
    int piene = 0;
    for (int w = 0; w < NumeroRuote; ++w) {
        std::array<int, 5> n{};
        int presenti = 0, mancante = 0;
        for (int p = 0; p < 5; ++p) {
            const int b = w * 5 + p + 1;
            const auto& t = caselle[static_cast<size_t>(b - 1)];
            n[static_cast<size_t>(p)] = NumeroCasella(t);
            if (n[static_cast<size_t>(p)] < 0)
                return NomeRuota(w) + ", casella " + std::to_string(b) + ": \"" + t +
                       "\" non è un numero da 1 a 90.";
            if (n[static_cast<size_t>(p)] > 0)
                ++presenti;
            else if (!mancante)
                mancante = b;
        }
        if (presenti == 0) continue;
        if (presenti < 5)
            return NomeRuota(w) + ": manca il numero nella casella " + std::to_string(mancante) +
                   ". Una ruota va completata con cinque numeri o lasciata tutta vuota.";
        for (int p = 0; p < 5; ++p)
            for (int q = p + 1; q < 5; ++q)
                if (n[static_cast<size_t>(p)] == n[static_cast<size_t>(q)])
                    return NomeRuota(w) + ": il numero " + DueCifre(n[static_cast<size_t>(p)]) +
                           " è ripetuto (caselle " + std::to_string(w * 5 + p + 1) + " e " +
                           std::to_string(w * 5 + q + 1) + ").";
        ++piene;
    }
    if (piene == 0) return std::string("Nessun numero inserito: l'estrazione è vuota.");
    return std::nullopt;
}

RigaEstrazione RigaDaCaselle(const std::string& data, const TestiCaselle& caselle) {
    RigaEstrazione r;
    r.Data = data;
    for (int w = 0; w < NumeroRuote; ++w) {
        NumeriRuota n{};
        for (int p = 0; p < 5; ++p)
            n[static_cast<size_t>(p)] =
                static_cast<int16_t>(std::max(NumeroCasella(caselle[static_cast<size_t>(w * 5 + p)]), 0));
        r.Celle[static_cast<size_t>(w)] = CellaDaNumeri(n);
    }
    return r;
}

std::array<int, NumeroCaselle> NumeriIncollati(const std::string& appunti) {
    std::array<int, NumeroCaselle> numeri{};
    const std::string testo = " " + appunti;
    size_t presi = 0;
    std::string cifre;
    const auto prendi = [&] {
        if (!cifre.empty() && presi < numeri.size())
            numeri[presi++] = static_cast<int>(std::min<long>(ValoreNumerico(cifre.substr(0, 9)), 999999999));
        cifre.clear();
    };
    for (char c : testo) {
        if (Cifra(c))
            cifre += c;
        else
            prendi();
    }
    // A text copied without its line end still ends with the user's last number.
    prendi();
    return numeri;
}

TestiCaselle CaselleIncollate(const std::string& appunti) {
    const auto numeri = NumeriIncollati(appunti);
    TestiCaselle t;
    for (size_t b = 0; b < t.size(); ++b)
        t[b] = FiltraCasella(numeri[b] < 100 ? DueCifre(numeri[b]) : std::to_string(numeri[b]));
    return t;
}

} // namespace trivalto
