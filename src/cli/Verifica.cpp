// SPDX-License-Identifier: GPL-3.0-or-later
// `trivalto-cli verifica`: the walk-forward verification of the analysis settings over a range of
// reference draws, one row per trial and a summary set against chance.
#include "cli/Comandi.h"
#include "cli/OpzioniAnalisi.h"
#include "core/analysis/Giudizio.h"
#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto::cli {

int Verifica(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
             std::ostream& err) {
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
            throw ErroreOpzione(
                "--riferimento non vale qui: ogni estrazione fra --da-estrazione e --a-estrazione "
                "è un riferimento");
        auto imp = InterpretaOpzioniAnalisi(testi, MassimoElenco);
        ArchivioMemoria archivio;
        if (!CaricaPerAnalisi(testi, amb, imp, archivio, err)) return 1;
        SceltaVerificaRetroattiva s;
        s.Casi = imp.Casi;
        s.Parametro = imp.Parametro;
        s.Ruote = imp.Ruote;
        s.DaColpo = imp.DaColpo;
        s.Colpi = imp.Colpi;
        s.InteroPeriodo = imp.InteroPeriodo;
        s.Elenco = imp.Elenco;
        s.K = combinazioni.empty() ? 0 : Intero(combinazioni, "--combinazioni", 1, 3);
        s.Da = da.empty() ? 1 : Intero(da, "--da-estrazione", 1, archivio.NumeroEstrazioni);
        s.A = a.empty() ? archivio.NumeroEstrazioni
                        : Intero(a, "--a-estrazione", s.Da, archivio.NumeroEstrazioni);
        const auto esito = VerificaRetroattiva(archivio, s);
        StampaTabella(out, "Verifica", TabellaVerifica(archivio, esito));
        auto sintesi = TabellaSintesi(esito);
        sintesi.Righe.push_back({"Giudizio", GiudicaRetroattivo(esito).Testo});
        StampaTabella(out, "Sintesi", sintesi);
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

} // namespace trivalto::cli
