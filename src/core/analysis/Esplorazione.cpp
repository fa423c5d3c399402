// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Esplorazione.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "core/analysis/Giudizio.h"
#include "core/analysis/Parallelo.h"

namespace trivalto {

std::vector<Impostazione> ImpostazioniDellaGriglia(const GrigliaEsplorazione& g) {
    std::vector<Impostazione> tutte;
    for (int ruota : g.Ruote)
        for (const auto& posizioni : g.Posizioni)
            for (auto tipo : g.Operazioni) {
                const auto accese = std::count(posizioni.begin(), posizioni.end(), true);
                if (accese == 0 || (tipo != Operazione::Somma && accese != 2)) continue;
                for (int t : g.Trasformazioni)
                    for (int m : g.Mensili)
                        for (int da : g.DaColpi)
                            for (int colpi : g.Colpi)
                                tutte.push_back({ruota, posizioni, tipo, t, m, da, colpi});
            }
    return tutte;
}

SceltaVerificaRetroattiva SceltaPer(const GrigliaEsplorazione& g, const Impostazione& imp) {
    auto s = g.Base;
    s.Casi.Ruota = imp.Ruota;
    s.Casi.Mensile = imp.Mensile;
    s.Parametro.Posizioni = imp.Posizioni;
    s.Parametro.Tipo = imp.Tipo;
    s.Parametro.Trasformazione = imp.Trasformazione;
    s.DaColpo = imp.DaColpo;
    s.Colpi = imp.Colpi;
    if (g.GiocaSullaRuotaBase) {
        s.Ruote = {};
        s.Ruote[static_cast<size_t>(imp.Ruota)] = true;
    }
    return s;
}

int UltimaFinoA(const ArchivioMemoria& a, const Data& data) {
    const auto iso = IsoData(data);
    int ultima = 0;
    for (int k = 1; k <= a.NumeroEstrazioni; ++k) {
        Data dk;
        LeggiDataTesto(a.DateEstrazioni[static_cast<size_t>(k)], dk);
        if (IsoData(dk) > iso) break;
        ultima = k;
    }
    return ultima;
}

int TaglioPredefinito(const ArchivioMemoria& a) {
    if (a.NumeroEstrazioni < 1) return 0;
    const int anno = AnnoDiData(a.DateEstrazioni[static_cast<size_t>(a.NumeroEstrazioni)]) - 2;
    int ultima = a.NumeroEstrazioni;
    while (ultima > 1 && AnnoDiData(a.DateEstrazioni[static_cast<size_t>(ultima)]) > anno)
        --ultima;
    return ultima;
}

std::vector<double> CorrezioneHolm(const std::vector<double>& p) {
    const size_t m = p.size();
    std::vector<size_t> ordine(m);
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(), [&](size_t a, size_t b) { return p[a] < p[b]; });
    std::vector<double> corretti(m);
    double massimo = 0;
    for (size_t k = 0; k < m; ++k) {
        massimo = std::max(massimo, std::min(1.0, static_cast<double>(m - k) * p[ordine[k]]));
        corretti[ordine[k]] = massimo;
    }
    return corretti;
}

ArchivioMemoria ArchivioFinoA(const ArchivioMemoria& a, int ultima) {
    ArchivioMemoria t = a;
    const int n = std::clamp(ultima, 0, a.NumeroEstrazioni);
    const auto righe = static_cast<size_t>(n + 1);
    t.Estrazioni.resize(righe);
    t.DateEstrazioni.resize(righe);
    t.PosizioneMese.resize(righe);
    t.PosizioneAnno.resize(righe);
    t.NumeroEstrazioni = t.UltimaEstrazione = n;
    t.CostruisciModello(std::min(a.EstrazioneIniziale, n));
    return t;
}

ArchivioMemoria ArchivioCasuale(const ArchivioMemoria& a, uint64_t seme) {
    ArchivioMemoria c = a;
    std::seed_seq seq{static_cast<uint32_t>(seme), static_cast<uint32_t>(seme >> 32), 0x6573u};
    std::mt19937_64 gen(seq);
    std::array<int16_t, 90> urna;
    std::iota(urna.begin(), urna.end(), int16_t{1});
    for (int d = 1; d <= c.NumeroEstrazioni; ++d)
        for (auto& ruota : c.Estrazioni[static_cast<size_t>(d)]) {
            if (std::all_of(ruota.begin(), ruota.end(), [](int16_t x) { return x == 0; })) continue;
            // A partial Fisher-Yates shuffle: the first five of the urn are the draw.
            for (size_t k = 0; k < ruota.size(); ++k) {
                std::uniform_int_distribution<size_t> scelta(k, urna.size() - 1);
                std::swap(urna[k], urna[scelta(gen)]);
                ruota[k] = urna[k];
            }
        }
    return c;
}

namespace {

/// One setting's walk-forward, reduced to its summary so memory stays flat however many settings run.
void Valuta(const ArchivioMemoria& a, const GrigliaEsplorazione& g, RigaEsplorazione& riga,
            const ControlloLavoro& ctl) {
    auto s = SceltaPer(g, riga.Scelta);
    s.Thread = 1; // the settings themselves are spread over the cores
    const auto esito = VerificaRetroattiva(a, s, ctl);
    if (esito.Interrotta) return;
    riga.Prove = static_cast<int>(esito.Prove.size());
    riga.Vincite = esito.Vincite;
    riga.Attese = esito.Attese;
    riga.P = esito.P;
    riga.Fatta = true;
}

} // namespace

EsitoEsplorazione Esplora(const ArchivioMemoria& archivio, const GrigliaEsplorazione& griglia,
                          const SceltaEsplorazione& scelta, const ControlloLavoro& ctl) {
    EsitoEsplorazione esito;
    const int fino =
        scelta.FinoA > 0 ? std::min(scelta.FinoA, archivio.NumeroEstrazioni) : archivio.NumeroEstrazioni;
    const auto passato = ArchivioFinoA(archivio, fino);
    for (const auto& imp : ImpostazioniDellaGriglia(griglia))
        esito.Righe.push_back({imp});
    const int n = static_cast<int>(esito.Righe.size());
    // One progress for both phases: the settings, then the random archives of the best one.
    const int permutazioni = std::max(scelta.Permutazioni, 0);
    const auto fase = [&](int gia) {
        ControlloLavoro c{ctl.Interrompi, {}};
        if (ctl.Progresso)
            c.Progresso = [&ctl, gia, n, permutazioni](int fatti, int) {
                ctl.Progresso(gia + fatti, n + permutazioni);
            };
        return c;
    };
    esito.Interrotta =
        PerOgniInParallelo(n, scelta.Thread, fase(0), [&](int i, const ControlloLavoro& interno) {
            Valuta(passato, griglia, esito.Righe[static_cast<size_t>(i)], interno);
        });

    // Holm over the settings that ran: a stop leaves fewer hypotheses, and says so.
    std::vector<double> p;
    for (const auto& r : esito.Righe)
        if (r.Fatta) p.push_back(r.P);
    const auto corretti = CorrezioneHolm(p);
    for (size_t k = 0, j = 0; k < esito.Righe.size(); ++k)
        if (esito.Righe[k].Fatta) esito.Righe[k].PCorretto = corretti[j++];
    esito.Provate = static_cast<int>(p.size());
    std::stable_sort(esito.Righe.begin(), esito.Righe.end(), [](const auto& x, const auto& y) {
        if (x.Fatta != y.Fatta) return x.Fatta;
        return x.Fatta && x.P < y.P;
    });
    if (esito.Interrotta || esito.Provate == 0) return esito;

    const auto& migliore = esito.Righe.front();
    auto s = SceltaPer(griglia, migliore.Scelta);
    if (permutazioni > 0) {
        // The trials overlap and the cases share draws, so the p above assumes an independence that
        // does not quite hold; random archives measure the best setting's wins without assuming it.
        std::vector<int> vincite(static_cast<size_t>(scelta.Permutazioni), -1);
        const bool fermata = PerOgniInParallelo(
            scelta.Permutazioni, scelta.Thread, fase(n), [&](int k, const ControlloLavoro& interno) {
                auto sk = s;
                sk.Thread = 1;
                const auto casuale = ArchivioCasuale(passato, scelta.Seme * 1000003u + k);
                const auto e = VerificaRetroattiva(casuale, sk, interno);
                if (!e.Interrotta) vincite[static_cast<size_t>(k)] = e.Vincite;
            });
        if (fermata) {
            esito.Interrotta = true;
            return esito;
        }
        esito.Permutazioni = scelta.Permutazioni;
        const auto almeno =
            std::count_if(vincite.begin(), vincite.end(), [&](int v) { return v >= migliore.Vincite; });
        esito.PPermutazione = static_cast<double>(almeno + 1) / static_cast<double>(scelta.Permutazioni + 1);
    }

    // The held-out test: references after the cut-off, each reading only the draws up to itself.
    if (fino < archivio.NumeroEstrazioni) {
        s.Da = esito.PrimaConferma = fino + 1;
        s.A = archivio.NumeroEstrazioni;
        s.Thread = scelta.Thread;
        esito.Conferma = VerificaRetroattiva(archivio, s, {ctl.Interrompi, {}});
        esito.Interrotta = esito.Conferma.Interrotta;
        // The trials a stop left would be judged as if they were the whole held-out period.
        if (esito.Interrotta) {
            esito.Conferma = EsitoRetroattivo{};
            esito.Conferma.Interrotta = true;
        }
    }
    return esito;
}

namespace {

std::string TestoPosizioni(const PosizioniAbilitate& p) {
    std::string t;
    for (bool b : p)
        t += b ? '1' : '0';
    return t;
}

const char* NomeOperazione(Operazione o) {
    static constexpr const char* nomi[] = {"somma", "distanza", "differenza"};
    return nomi[static_cast<int>(o)];
}

std::string TestoMensile(int m) {
    return m == 0 ? std::string("U") : std::to_string(m);
}

} // namespace

std::string TestoImpostazione(const Impostazione& imp) {
    return std::string(CodiciRuote[static_cast<size_t>(imp.Ruota)]) + " " + TestoPosizioni(imp.Posizioni) +
           " " + NomeOperazione(imp.Tipo) + " T" + std::to_string(imp.Trasformazione) + " M" +
           TestoMensile(imp.Mensile) + " colpi " + std::to_string(imp.DaColpo) + "-" +
           std::to_string(imp.DaColpo + imp.Colpi - 1);
}

TabellaTesto TabellaEsplorazione(const EsitoEsplorazione& esito) {
    TabellaTesto t{"N.|Ruota|Posizioni|Operazione|Trasformazione|Mensile|Da colpo|Colpi|Prove|Vincite|"
                   "Vincite attese|p|p corretto",
                   {}};
    int k = 0;
    for (const auto& r : esito.Righe) {
        if (!r.Fatta) continue;
        t.Righe.push_back({std::to_string(++k), std::string(CodiciRuote[static_cast<size_t>(r.Scelta.Ruota)]),
                           TestoPosizioni(r.Scelta.Posizioni), NomeOperazione(r.Scelta.Tipo),
                           std::to_string(r.Scelta.Trasformazione), TestoMensile(r.Scelta.Mensile),
                           std::to_string(r.Scelta.DaColpo), std::to_string(r.Scelta.Colpi),
                           std::to_string(r.Prove), std::to_string(r.Vincite), TestoDecimale(r.Attese, 2),
                           TestoDecimale(r.P, 4), TestoDecimale(r.PCorretto, 4)});
    }
    return t;
}

TabellaTesto TabellaConferma(const ArchivioMemoria& archivio, const EsitoEsplorazione& esito) {
    return TabellaVerifica(archivio, esito.Conferma);
}

TabellaTesto TabellaSintesiEsplorazione(const EsitoEsplorazione& esito, const std::string& finoA) {
    TabellaTesto t{"Voce|Valore", {{"Impostazioni provate", std::to_string(esito.Provate)}}};
    if (esito.Provate == 0) {
        t.Righe.push_back({"Giudizio", GiudizioEsplorazione(esito, finoA)});
        return t;
    }
    const auto& m = esito.Righe.front();
    t.Righe.push_back({"Migliore", TestoImpostazione(m.Scelta)});
    t.Righe.push_back({"Migliore, vincite", std::to_string(m.Vincite) + " su " + std::to_string(m.Prove)});
    t.Righe.push_back({"Migliore, vincite attese", TestoDecimale(m.Attese, 2)});
    t.Righe.push_back({"Migliore, p", TestoDecimale(m.P, 4)});
    t.Righe.push_back({"Migliore, p corretto", TestoDecimale(m.PCorretto, 4)});
    if (esito.Permutazioni > 0) {
        t.Righe.push_back({"Archivi casuali", std::to_string(esito.Permutazioni)});
        t.Righe.push_back({"Migliore, p sugli archivi casuali", TestoDecimale(esito.PPermutazione, 4)});
    }
    const auto& c = esito.Conferma;
    if (!esito.Interrotta) {
        t.Righe.push_back({"Conferma, prove", std::to_string(c.Prove.size())});
        t.Righe.push_back({"Conferma, vincite", std::to_string(c.Vincite)});
        t.Righe.push_back({"Conferma, vincite attese", TestoDecimale(c.Attese, 2)});
        t.Righe.push_back({"Conferma, p", TestoDecimale(c.P, 4)});
    }
    t.Righe.push_back({"Giudizio", GiudizioEsplorazione(esito, finoA)});
    return t;
}

std::string GiudizioEsplorazione(const EsitoEsplorazione& esito, const std::string& finoA) {
    if (esito.Provate == 0) return "Nessuna impostazione provata fino in fondo: non c'è nulla da giudicare.";
    const auto& m = esito.Righe.front();
    const double p = m.PCorretto;
    std::string t = TestoVerdetto(VerdettoPerP(p));
    t += ": provate " + std::to_string(esito.Provate) + " impostazioni, la migliore (" +
         TestoImpostazione(m.Scelta) + ") vince " + std::to_string(m.Vincite) + " volte su " +
         std::to_string(m.Prove) + " contro " + TestoDecimale(m.Attese, 2) +
         " attese dal caso; tenuto conto di quante impostazioni sono state provate, p = " +
         TestoDecimale(p, 4) + ".";
    const auto& c = esito.Conferma;
    if (esito.Interrotta)
        t += " Esplorazione interrotta prima della conferma sulle estrazioni dopo il " + finoA + ".";
    else if (c.Prove.empty())
        t += " Dopo il " + finoA + " non restano estrazioni su cui confermarla.";
    else
        t += " Giocata una sola volta sulle estrazioni dopo il " + finoA + " vince " +
             std::to_string(c.Vincite) + " volte su " + std::to_string(c.Prove.size()) + " contro " +
             TestoDecimale(c.Attese, 2) + " attese (p = " + TestoDecimale(c.P, 4) +
             "): " + (c.P < 0.05 ? "confermata." : "non confermata.");
    return t;
}

} // namespace trivalto
