// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Giudizio.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/TabelleAnalisi.h"

namespace trivalto {

namespace {

std::string Numero(int n) {
    return FormatoMigliaia(n).empty() ? "0" : FormatoMigliaia(n);
}

/// "1 caso", "12 casi".
std::string Quanti(int n, const char* uno, const char* molti) {
    return Numero(n) + " " + (n == 1 ? uno : molti);
}

/// A median of an even count of simulations can fall halfway: "6" or "5,5".
std::string Mediana(double m) {
    return m == std::floor(m) ? std::to_string(static_cast<long long>(m)) : TestoDecimale(m, 1);
}

/// How often luck alone gives at least that much, in words a player can weigh; below 0,01 in thousandths,
/// so that a verdict of "Oltre il caso" never reads "one time in 100".
std::string VolteSuCento(double p) {
    if (p >= 1) return "sempre";
    if (p >= 0.01) {
        const long long su100 = std::max(std::llround(100 * p), 1LL);
        if (su100 >= 100) return "quasi sempre";
        return su100 == 1 ? "circa una volta su 100" : "circa " + std::to_string(su100) + " volte su 100";
    }
    const long long su1000 = std::llround(1000 * p);
    if (su1000 < 1) return "meno di una volta su 1.000";
    return su1000 == 1 ? "circa una volta su 1.000" : "circa " + std::to_string(su1000) + " volte su 1.000";
}

Giudizio Componi(double p, const std::string& frase, int provate) {
    Giudizio g;
    g.Esito = VerdettoPerP(p);
    g.Testo = std::string(TestoVerdetto(g.Esito)) + ": " + frase;
    g.Avvertenza = AvvertenzaImpostazioni(provate);
    return g;
}

} // namespace

Verdetto VerdettoPerP(double p) {
    if (p >= 0.05) return Verdetto::AllaPortata;
    if (p >= 0.01) return Verdetto::PocoOltre;
    return Verdetto::Oltre;
}

const char* TestoVerdetto(Verdetto v) {
    switch (v) {
    case Verdetto::AllaPortata:
        return "Alla portata del caso";
    case Verdetto::PocoOltre:
        return "Poco oltre il caso";
    case Verdetto::Oltre:
        break;
    }
    return "Oltre il caso";
}

int CasiGiudicati(const InputRicerca& in, int K) {
    int n = 0;
    for (size_t i = 0; i < in.Casi.size(); ++i)
        n += K > 0 || i >= in.Coperti.size() || !in.Coperti[i];
    return n;
}

Giudizio GiudicaMigliore(const MiglioreGiudicato& m, const Significativita& s, int provate) {
    const std::string chi = m.K > 0 ? "la migliore combinazione di " + Quanti(m.K, "terzina", "terzine")
                                    : std::string("la prima terzina dell'elenco");
    // Only a terzina of the list counts every hit with the whole period; a combination counts cases.
    const bool uscite = m.Uscite && m.K == 0;
    std::string frase = chi;
    if (uscite)
        frase += " vince " + Quanti(s.Osservato, "volta", "volte") + " in " + Quanti(m.Casi, "caso", "casi");
    else
        frase += " copre " + Quanti(s.Osservato, "caso", "casi") + " su " + Numero(m.Casi);
    frase += "; in " + Numero(m.Simulazioni) + " archivi estratti a caso la migliore ";
    frase += uscite ? "vince " + Mediana(s.Mediana) + (s.Mediana == 1 ? " volta" : " volte")
                    : "ne copre " + Mediana(s.Mediana);
    frase += " (mediana)";
    // p is the share of simulations reaching the observed figure: said as a count of archives.
    const long long arrivati = std::llround(s.P * m.Simulazioni);
    const std::string soglia = std::to_string(s.Osservato);
    if (arrivati == 0)
        frase += " e in nessuno arriva a " + soglia;
    else if (arrivati >= m.Simulazioni)
        frase += " e in tutti arriva almeno a " + soglia;
    else
        frase += " e arriva almeno a " + soglia + " in " +
                 Quanti(static_cast<int>(arrivati), "archivio", "archivi") + " su " + Numero(m.Simulazioni);
    return Componi(s.P, frase + ".", provate);
}

Giudizio GiudicaRetroattivo(const EsitoRetroattivo& e, int provate) {
    const int prove = static_cast<int>(e.Prove.size());
    if (prove == 0) return Componi(e.P, "nel periodo non c'è nessuna prova da giudicare.", provate);
    std::string frase = "in " + Quanti(prove, "prova", "prove") + " il metodo ";
    frase +=
        e.Vincite == 0 ? std::string("non ha mai vinto") : "ha vinto " + Quanti(e.Vincite, "volta", "volte");
    frase += "; giocando numeri scelti a caso se ne attendono " + TestoDecimale(e.Attese, 2);
    if (e.Vincite > 0)
        frase += ", e per puro caso se ne fanno almeno " + Numero(e.Vincite) + " " + VolteSuCento(e.P);
    return Componi(e.P, frase + ".", provate);
}

std::string AvvertenzaImpostazioni(int provate) {
    if (provate < SogliaImpostazioniProvate) return {};
    return "Attenzione: sono state provate " + std::to_string(provate) +
           " impostazioni diverse, e fra tante una che sembra oltre il caso capita anche per pura fortuna "
           "(in media una su 20 arriva almeno a \"Poco oltre il caso\" e una su 100 a \"Oltre il caso\").";
}

} // namespace trivalto
