// SPDX-License-Identifier: GPL-3.0-or-later
// `trivalto-cli costruttore`: the method builder's chain headless. The search fills the list by colpo
// and the list by case; each terzina of --metodo is added as a double click adds it, followed by the
// forecast and the re-ranking; then the count by colpo, a list row's history and a forecast row's delays.
#include <algorithm>

#include "cli/Comandi.h"
#include "cli/OpzioniAnalisi.h"
#include "core/builder/StatoCostruttore.h"
#include "core/builder/TabelleCostruttore.h"

namespace trivalto::cli {

namespace {

std::vector<std::array<int, 3>> LeggiMetodo(const std::string& testo) {
    std::vector<std::array<int, 3>> metodo;
    if (testo.empty()) return metodo;
    // Every part counts: "1,2,3;" or "1,2,3," is a mistake to report, not a terzina to drop.
    for (const auto& terzina : Dividi(testo, ';')) {
        if (terzina.empty()) throw ErroreOpzione("--metodo: terzina vuota in \"" + testo + "\"");
        const auto numeri = Dividi(terzina, ',');
        if (numeri.size() != 3)
            throw ErroreOpzione("--metodo vuole terzine di tre numeri: \"" + terzina + "\"");
        std::array<int, 3> z{};
        for (size_t i = 0; i < 3; ++i)
            z[i] = Intero(numeri[i], "--metodo", 1, 90);
        std::sort(z.begin(), z.end());
        if (z[0] == z[1] || z[1] == z[2])
            throw ErroreOpzione("--metodo: numero ripetuto nella terzina \"" + terzina + "\"");
        metodo.push_back(z);
    }
    if (metodo.size() > MassimoTerzineMetodo) throw ErroreOpzione("Si possono inserire massimo 5 terzine.");
    return metodo;
}

} // namespace

int Costruttore(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
                std::ostream& err) {
    try {
        Opzioni o(argomenti);
        const auto testi = LeggiOpzioniAnalisi(o);
        std::string metodoTesto, esitiTesto, ritardiTesto;
        const std::pair<const char*, std::string*> valori[] = {
            {"--metodo", &metodoTesto}, {"--esiti", &esitiTesto}, {"--ritardi", &ritardiTesto}};
        for (const auto& [nome, destinazione] : valori)
            if (!o.Valore(nome, *destinazione, false)) throw ErroreOpzione(o.Errore);
        const bool controllaTutte = o.Interruttore("--controlla-tutte");
        const bool evidenzia = o.Interruttore("--evidenzia");
        const auto atteso = LeggiOpzioniAtteso(o);
        if (!o.Errore.empty()) throw ErroreOpzione(o.Errore);
        if (!o.Finite()) throw ErroreOpzione("opzione sconosciuta: " + o.Sconosciuta());
        const auto metodo = LeggiMetodo(metodoTesto);
        const int esiti = esitiTesto.empty() ? 0 : Intero(esitiTesto, "--esiti", 1, MassimoElencoCostruttore);
        const int ritardi = ritardiTesto.empty() ? 0 : Intero(ritardiTesto, "--ritardi", 1, 999999);
        if (ritardi && metodo.empty()) throw ErroreOpzione("--ritardi richiede --metodo");

        auto imp = InterpretaOpzioniAnalisi(testi, MassimoElencoCostruttore);
        ArchivioMemoria a;
        if (!CaricaPerAnalisi(testi, amb, imp, a, err)) return 1;
        const bool intero = imp.InteroPeriodo;

        // The window's chain: GENERAZIONE TERZINE, Scelta trasformazione, ELABORA TERZINE.
        StatoCostruttore s;
        s.AdattaAllArchivio(SessioneAnalisi::Prestito(a));
        s.Analisi().ImpostaPosizioni(imp.Parametro.Posizioni);
        s.Analisi().ImpostaRuote(imp.Ruote);
        s.Analisi().ImpostaRiferimento(imp.Casi.Riferimento);
        s.GeneraCasi(imp.Casi);
        s.Analisi().CalcolaParametri(imp.Parametro, imp.DaColpo, imp.Colpi);
        StampaTabella(out, "FgEV", TabellaCasiCostruttore(a, s.Analisi().Casi()));
        if (s.Analisi().Casi().empty()) return 0;
        const auto in = s.PreparaRicerca(intero, imp.Elenco);
        s.ApplicaRicerca(CercaCandidate(in));
        StampaTabella(out, "fg1", TabellaElencoColpi(s.Lista(), s.Colpi()));
        StampaTabella(out, "FgJ", TabellaElencoCasi(s.ListaCasi()));

        for (const auto& z : metodo) {
            const auto trovata = std::find_if(s.Lista().begin(), s.Lista().end(), [&](const Candidata& c) {
                return c.A == z[0] && c.B == z[1] && c.C == z[2];
            });
            // A terzina outside the list gets the counts its row would show.
            s.AggiungiCandidata(
                trovata != s.Lista().end() ? *trovata : ValutaCandidata(s.Ricerca(intero), z[0], z[1], z[2]));
            const auto ip = s.PreparaPrevisioni(intero, evidenzia, false);
            s.ApplicaPrevisioni(FaiPrevisioni(*ip), *ip);
            s.Riordina();
            StampaTabella(out, "FgZ", TabellaMetodo(s.Metodo()));
            StampaTabella(out, "FgPr", TabellaPrevisioni(a, s.Analisi().Previsione().Righe));
            StampaTabella(out, "FgStat", TabellaStatistiche(s.Analisi().Previsione().Riepilogo));
            StampaTabella(out, "FgJ", TabellaElencoCasi(s.ListaCasi()));
        }
        if (controllaTutte) {
            s.ContaTutte();
            StampaTabella(out, "fg1", TabellaElencoColpi(s.Lista(), s.Colpi()));
        }
        if (esiti) {
            if (esiti > static_cast<int>(s.Lista().size()) ||
                s.Lista()[static_cast<size_t>(esiti - 1)].Vuota())
                throw ErroreOpzione("--esiti vuole una riga piena dell'elenco per colpo");
            const auto& z = s.Lista()[static_cast<size_t>(esiti - 1)];
            StampaStoria(
                out, a, s.Analisi().StoriaDi({Terzina{z.Cop, z.Tot, z.A, z.B, z.C, z.Ambi, z.Terni}}, intero),
                false);
        }
        if (atteso.Attiva) {
            const int metodoK = static_cast<int>(s.Metodo().size());
            // The list ranks by covered cases whatever the whole period says: chance is counted the same way.
            auto perCasi = in;
            perCasi.InteroPeriodo = false;
            StampaAtteso(out, perCasi, atteso, s.Lista().empty() ? 0 : s.Lista()[0].Cop, metodoK,
                         s.Analisi().Previsione().Riepilogo.Coperti, "Coperti dal metodo", false);
        }
        if (ritardi) {
            const auto& righe = s.Analisi().Previsione().Righe;
            if (ritardi > static_cast<int>(righe.size()) ||
                righe[static_cast<size_t>(ritardi - 1)].Separatore)
                throw ErroreOpzione("--ritardi vuole una riga piena della tabella delle previsioni");
            const int d = righe[static_cast<size_t>(ritardi - 1)].Estrazione;
            out << "# " << TitoloRitardi(a, d) << "\n";
            StampaTabella(out, "Fgg1", TabellaDeiRitardi(CalcolaRitardi(a, d)));
        }
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

} // namespace trivalto::cli
