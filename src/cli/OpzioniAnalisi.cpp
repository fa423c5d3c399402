// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OpzioniAnalisi.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/analysis/Giudizio.h"

namespace trivalto::cli {

namespace {

RuoteGioco LeggiRuoteGioco(const std::string& testo) {
    RuoteGioco ruote{};
    if (testo == "TU" || testo == "tu") {
        ruote.fill(true);
        return ruote;
    }
    for (const auto& codice : Dividi(testo, ',')) {
        const int w = IndiceCodiceRuota(codice);
        if (w < 0) throw ErroreOpzione("ruota sconosciuta in --ruote-gioco: \"" + codice + "\"");
        ruote[w] = true;
    }
    return ruote;
}

} // namespace

int Intero(const std::string& testo, const std::string& nome, int minimo, int massimo) {
    // from_chars takes no blank, no sign "+" and no base prefix, and says where the number ended.
    int v = 0;
    const char* fine = testo.data() + testo.size();
    const auto [dove, errore] = std::from_chars(testo.data(), fine, v);
    if (testo.empty() || errore != std::errc{} || dove != fine || v < minimo || v > massimo)
        throw ErroreOpzione("valore non valido per " + nome + ": \"" + testo + "\" (atteso da " +
                            std::to_string(minimo) + " a " + std::to_string(massimo) + ")");
    return v;
}

std::vector<std::string> Dividi(const std::string& testo, char separatore) {
    std::vector<std::string> parti(1);
    for (char c : testo)
        if (c == separatore)
            parti.emplace_back();
        else
            parti.back() += c;
    return parti;
}

void StampaTabella(std::ostream& out, const std::string& nome, const TabellaTesto& t) {
    out << "## " << nome << "\n";
    const auto colonne = ColonneIntestazione(t.Intestazione);
    for (size_t c = 0; c < colonne.size(); ++c)
        out << (c ? "\t" : "") << colonne[c];
    out << "\n";
    for (const auto& riga : t.Righe) {
        for (size_t c = 0; c < riga.size(); ++c)
            out << (c ? "\t" : "") << riga[c];
        out << "\n";
    }
}

void StampaStoria(std::ostream& out, const ArchivioMemoria& a, const Storia& s, bool diCombinazione) {
    StampaTabella(out, "Storia", TabellaStoria(a, s, diCombinazione));
    out << "Casi esaminati\t" << s.Casi << "\nCoperti\t" << s.Coperti << "\nNegativi\t" << s.Negativi
        << "\nPositivi\t" << s.Positivi << "\nPercentuale\t" << s.Percentuale << "\n";
}

TestiAnalisi LeggiOpzioniAnalisi(Opzioni& o) {
    TestiAnalisi t;
    const std::pair<const char*, std::string*> valori[] = {{"--archivio", &t.Archivio},
                                                           {"--riferimento", &t.Riferimento},
                                                           {"--casi", &t.Casi},
                                                           {"--mensile", &t.Mensile},
                                                           {"--ruota", &t.Ruota},
                                                           {"--posizioni", &t.Posizioni},
                                                           {"--operazione", &t.Operazione},
                                                           {"--trasformazione", &t.Trasformazione},
                                                           {"--fisso", &t.Fisso},
                                                           {"--ruote-gioco", &t.RuoteGioco},
                                                           {"--da-colpo", &t.DaColpo},
                                                           {"--colpi", &t.Colpi},
                                                           {"--elenco", &t.Elenco}};
    for (const auto& [nome, destinazione] : valori)
        if (!o.Valore(nome, *destinazione, false)) throw ErroreOpzione(o.Errore);
    t.ForzaUltima = o.Interruttore("--forza-ultima");
    t.InteroPeriodo = o.Interruttore("--intero-periodo");
    return t;
}

ImpostazioniAnalisi InterpretaOpzioniAnalisi(const TestiAnalisi& t, int elencoMassimo) {
    ImpostazioniAnalisi imp;
    auto& sc = imp.Casi;
    auto& sp = imp.Parametro;
    sc.NumeroCasi = Intero(t.Casi, "--casi", 1, MassimoCasi);
    sc.Ruota = IndiceCodiceRuota(t.Ruota);
    if (sc.Ruota < 0) throw ErroreOpzione("ruota sconosciuta: \"" + t.Ruota + "\"");
    if (t.Posizioni.size() != 5 || t.Posizioni.find_first_not_of("01") != std::string::npos)
        throw ErroreOpzione("--posizioni vuole cinque cifre 0/1, ad esempio 11111");
    int accese = 0;
    for (int p = 0; p < 5; ++p)
        accese += (sp.Posizioni[p] = t.Posizioni[p] == '1');
    if (t.Operazione == "somma")
        sp.Tipo = Operazione::Somma;
    else if (t.Operazione == "distanza")
        sp.Tipo = Operazione::Distanza;
    else if (t.Operazione == "differenza")
        sp.Tipo = Operazione::Differenza;
    else
        throw ErroreOpzione("operazione sconosciuta: \"" + t.Operazione + "\"");
    if (sp.Tipo != Operazione::Somma && accese != 2)
        throw ErroreOpzione("distanza e differenza richiedono esattamente due posizioni abilitate");
    sp.Trasformazione = Intero(t.Trasformazione, "--trasformazione", 0, VociTrasformazione - 1);
    sp.Fisso = Intero(t.Fisso, "--fisso", 0, 89);
    imp.Ruote = LeggiRuoteGioco(t.RuoteGioco);
    imp.DaColpo = Intero(t.DaColpo, "--da-colpo", 1, 5);
    imp.Colpi = Intero(t.Colpi, "--colpi", 1, MassimoColpi);
    imp.Elenco = Intero(t.Elenco, "--elenco", 10, elencoMassimo);
    if (imp.Elenco % 10 != 0)
        throw ErroreOpzione("--elenco vuole un multiplo di 10 da 10 a " + std::to_string(elencoMassimo));
    imp.InteroPeriodo = t.InteroPeriodo;
    sc.ForzaUltima = t.ForzaUltima;
    return imp;
}

RichiestaAtteso LeggiOpzioniAtteso(Opzioni& o) {
    RichiestaAtteso r;
    std::string simulazioni, seme;
    if (!o.Valore("--simulazioni", simulazioni, false) || !o.Valore("--seme", seme, false))
        throw ErroreOpzione(o.Errore);
    r.Attiva = o.Interruttore("--atteso");
    if (!simulazioni.empty()) r.Simulazione.Simulazioni = Intero(simulazioni, "--simulazioni", 1, 100000);
    if (!seme.empty()) r.Simulazione.Seme = static_cast<uint64_t>(Intero(seme, "--seme", 0, 2147483647));
    if ((!simulazioni.empty() || !seme.empty()) && !r.Attiva)
        throw ErroreOpzione("--simulazioni e --seme vanno con --atteso");
    return r;
}

TabellaTesto TabellaAtteso(const InputRicerca& in, const SceltaSimulazione& sim,
                           const EsitoSimulazione& simulati, int osservatoPos, int K, int osservatoCop,
                           const std::string& nomeCop) {
    const auto atteso = CalcolaAtteso(in, K);
    std::vector<std::pair<std::string, std::string>> righe = {{"Pos atteso", TestoDecimale(atteso.Pos, 2)}};
    const auto migliore = [&](const std::string& nome, const std::vector<int>& valori, int osservato) {
        const auto c = Confronta(valori, osservato);
        righe.push_back({nome + " migliore osservato", std::to_string(c.Osservato)});
        righe.push_back({nome + " migliore per caso, mediana", TestoDecimale(c.Mediana, 1)});
        righe.push_back({nome + " migliore per caso, 95° percentile", TestoDecimale(c.Percentile95, 0)});
        righe.push_back({nome + " migliore, p", TestoDecimale(c.P, 3)});
        return c;
    };
    // The verdict judges what is played: the best combination when its bests were simulated too.
    MiglioreGiudicato giudicato{0, in.InteroPeriodo, CasiGiudicati(in, 0), sim.Simulazioni};
    auto confronto = migliore("Pos", simulati.TopPos, osservatoPos);
    if (K > 0) {
        righe.push_back({nomeCop + " atteso", TestoDecimale(atteso.Cop, 2)});
        if (!simulati.TopCop.empty()) {
            confronto = migliore("Cop", simulati.TopCop, osservatoCop);
            giudicato = {K, false, CasiGiudicati(in, K), sim.Simulazioni};
        } else {
            righe.push_back({nomeCop + " osservato", std::to_string(osservatoCop)});
        }
    }
    righe.push_back({"Simulazioni", std::to_string(sim.Simulazioni)});
    righe.push_back({"Seme", std::to_string(sim.Seme)});
    righe.push_back({"Giudizio", GiudicaMigliore(giudicato, confronto).Testo});
    TabellaTesto t{"Voce|Valore", {}};
    for (auto& [nome, valore] : righe)
        t.Righe.push_back({nome, valore});
    return t;
}

void StampaAtteso(std::ostream& out, const InputRicerca& in, const RichiestaAtteso& r, int osservatoPos,
                  int K, int osservatoCop, const std::string& nomeCop, bool simulaCombinazioni) {
    auto sim = r.Simulazione;
    sim.K = simulaCombinazioni ? K : 0;
    StampaTabella(out, "Atteso",
                  TabellaAtteso(in, sim, SimulaMigliori(in, sim), osservatoPos, K, osservatoCop, nomeCop));
}

bool CaricaPerAnalisi(const TestiAnalisi& t, const Ambiente& amb, ImpostazioniAnalisi& imp,
                      ArchivioMemoria& archivio, std::ostream& err) {
    // An option wrong in itself is told before the archive is read: status 2 whatever the archive.
    if (!t.Mensile.empty() && t.Mensile != "U" && t.Mensile != "u") Intero(t.Mensile, "--mensile", 1, 31);
    try {
        CaricaArchivio(t.Archivio, amb, archivio);
    } catch (const ErroreOpzione&) {
        throw;
    } catch (const ErroreDatabaseProgramma& e) {
        err << e.what() << "\n";
        return false;
    } catch (const std::exception& e) {
        err << "Impossibile leggere l'archivio: " << e.what() << "\n";
        return false;
    }
    const int ultima = archivio.UltimaEstrazione;
    auto& sc = imp.Casi;
    sc.Riferimento = t.Riferimento.empty() ? ultima : Intero(t.Riferimento, "--riferimento", 1, ultima);
    if (t.Mensile.empty())
        sc.Mensile = archivio.PosizioneMese[ultima];
    else
        sc.Mensile = (t.Mensile == "U" || t.Mensile == "u") ? 0 : Intero(t.Mensile, "--mensile", 1, 31);
    return true;
}

} // namespace trivalto::cli
