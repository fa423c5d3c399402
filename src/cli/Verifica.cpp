// `trivalto-cli verifica`: the walk-forward verification of the analysis settings over a range of
// reference draws, one row per trial and a summary set against chance.
#include "cli/Comandi.h"
#include "cli/OpzioniAnalisi.h"
#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto::cli {

TabellaTesto TabellaVerifica(const ArchivioMemoria& a, const EsitoRetroattivo& esito) {
    TabellaTesto t{"Rif|Data|Terzine|Numeri giocati|Esito|Colpo|Probabilità", {}};
    for (const auto& p : esito.Prove) {
        std::string terzine, numeri;
        for (size_t k = 0; k < p.Terzine.size(); ++k) {
            const auto& z = p.Terzine[k];
            terzine.append(k ? " / " : "")
                .append(std::to_string(z.A))
                .append("-")
                .append(std::to_string(z.B))
                .append("-")
                .append(std::to_string(z.C));
            const auto& g = p.Numeri[k];
            numeri.append(k ? " / " : "")
                .append(std::to_string(g[0]))
                .append(" ")
                .append(std::to_string(g[1]))
                .append(" ")
                .append(std::to_string(g[2]));
        }
        t.Righe.push_back({std::to_string(p.Riferimento), a.DateEstrazioni[static_cast<size_t>(p.Riferimento)], terzine,
                           numeri, p.Vinta ? (p.Sorte == 3 ? "terno" : "ambo") : "-",
                           p.Vinta ? std::to_string(p.Colpo) : "", Decimale(p.Probabilita, 4)});
    }
    return t;
}

TabellaTesto TabellaSintesi(const EsitoRetroattivo& esito) {
    const double quota =
        esito.Prove.empty() ? 0 : static_cast<double>(esito.Vincite) / static_cast<double>(esito.Prove.size());
    return {"Voce|Valore",
            {{"Prove", std::to_string(esito.Prove.size())},
             {"Vincite", std::to_string(esito.Vincite)},
             {"Vincite attese", Decimale(esito.Attese, 2)},
             {"Quota vincente", Decimale(100 * quota, 1) + "%"},
             {"p", Decimale(esito.P, 4)}}};
}

int Verifica(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out, std::ostream& err) {
    try {
        Opzioni o(argomenti);
        const auto testi = LeggiOpzioniAnalisi(o);
        std::string da, a, combinazioni;
        for (const auto& [nome, valore] : {std::pair<const char*, std::string*>{"--da-estrazione", &da},
                                           {"--a-estrazione", &a},
                                           {"--combinazioni", &combinazioni}})
            if (!o.Valore(nome, *valore, false)) throw ErroreOpzione(o.Errore);
        if (!o.Errore.empty()) throw ErroreOpzione(o.Errore);
        if (!o.Finite()) throw ErroreOpzione("opzione sconosciuta: " + o.Sconosciuta());
        if (!testi.Riferimento.empty())
            throw ErroreOpzione("--riferimento non vale qui: ogni estrazione fra --da-estrazione e --a-estrazione "
                                "è un riferimento");
        auto imp = InterpretaOpzioniAnalisi(testi, MassimoElenco);
        ArchivioMemoria archivio;
        if (!CaricaPerAnalisi(testi, amb, imp, archivio, err)) return 1;
        SceltaVerificaRetroattiva s;
        s.Casi = imp.Casi;
        s.Parametro = imp.Parametro;
        s.Ruote = imp.Ricerca.Ruote;
        s.DaColpo = imp.Ricerca.Finestra.DaColpo;
        s.Colpi = imp.Ricerca.Finestra.Colpi;
        s.InteroPeriodo = imp.Ricerca.InteroPeriodo;
        s.Elenco = imp.Ricerca.Elenco;
        s.K = combinazioni.empty() ? 0 : Intero(combinazioni, "--combinazioni", 1, 3);
        s.Da = da.empty() ? 1 : Intero(da, "--da-estrazione", 1, archivio.NumeroEstrazioni);
        s.A = a.empty() ? archivio.NumeroEstrazioni : Intero(a, "--a-estrazione", s.Da, archivio.NumeroEstrazioni);
        const auto esito = VerificaRetroattiva(archivio, s);
        StampaTabella(out, "Verifica", TabellaVerifica(archivio, esito));
        StampaTabella(out, "Sintesi", TabellaSintesi(esito));
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

} // namespace trivalto::cli
