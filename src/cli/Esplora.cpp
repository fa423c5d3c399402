// SPDX-License-Identifier: GPL-3.0-or-later
// `trivalto-cli esplora`: many settings tried by the walk-forward on the draws up to a cut-off, ranked,
// corrected for the number tried, and the best one played once on the draws after the cut-off.
#include <algorithm>
#include <sstream>

#include "cli/Comandi.h"
#include "cli/OpzioniAnalisi.h"
#include "core/analysis/Esplorazione.h"

namespace trivalto::cli {

namespace {

std::vector<std::string> Voci(const std::string& testo, const std::string& nome) {
    std::vector<std::string> voci;
    std::stringstream ss(testo);
    for (std::string v; std::getline(ss, v, ',');) {
        if (v.empty()) throw ErroreOpzione("voce vuota in " + nome + ": \"" + testo + "\"");
        voci.push_back(v);
    }
    if (voci.empty() || testo.back() == ',')
        throw ErroreOpzione("voce vuota in " + nome + ": \"" + testo + "\"");
    return voci;
}

/// "5", "1,3,7", "5-20", "0-2,6": whole numbers and ranges from `minimo` to `massimo`, without repeats.
std::vector<int> Interi(const std::string& testo, const std::string& nome, int minimo, int massimo) {
    std::vector<int> valori;
    for (const auto& v : Voci(testo, nome)) {
        const auto trattino = v.find('-', 1);
        const int da = Intero(v.substr(0, trattino), nome, minimo, massimo);
        const int a = trattino == std::string::npos ? da : Intero(v.substr(trattino + 1), nome, da, massimo);
        for (int x = da; x <= a; ++x) {
            if (std::find(valori.begin(), valori.end(), x) != valori.end())
                throw ErroreOpzione("valore ripetuto in " + nome + ": " + std::to_string(x));
            valori.push_back(x);
        }
    }
    return valori;
}

std::vector<int> Ruote(const std::string& testo) {
    if (testo == "TU" || testo == "tu") return Interi("0-10", "--ruota", 0, NumeroRuote - 1);
    std::vector<int> ruote;
    for (const auto& codice : Voci(testo, "--ruota")) {
        const int w = IndiceCodiceRuota(codice);
        if (w < 0) throw ErroreOpzione("ruota sconosciuta in --ruota: \"" + codice + "\"");
        if (std::find(ruote.begin(), ruote.end(), w) != ruote.end())
            throw ErroreOpzione("ruota ripetuta in --ruota: " + codice);
        ruote.push_back(w);
    }
    return ruote;
}

std::vector<PosizioniAbilitate> Posizioni(const std::string& testo) {
    std::vector<PosizioniAbilitate> tutte;
    if (testo == "tutte") {
        for (int maschera = 31; maschera >= 1; --maschera) {
            PosizioniAbilitate p{};
            for (int k = 0; k < 5; ++k)
                p[static_cast<size_t>(k)] = (maschera >> (4 - k)) & 1;
            tutte.push_back(p);
        }
        return tutte;
    }
    for (const auto& v : Voci(testo, "--posizioni")) {
        if (v.size() != 5 || v.find_first_not_of("01") != std::string::npos || v == "00000")
            throw ErroreOpzione("--posizioni vuole \"tutte\" o cinque cifre 0/1 separate da virgole, "
                                "ad esempio 11111,01100");
        PosizioniAbilitate p{};
        for (size_t k = 0; k < 5; ++k)
            p[k] = v[k] == '1';
        if (std::find(tutte.begin(), tutte.end(), p) != tutte.end())
            throw ErroreOpzione("posizioni ripetute in --posizioni: " + v);
        tutte.push_back(p);
    }
    return tutte;
}

std::vector<Operazione> Operazioni(const std::string& testo) {
    std::vector<Operazione> tutte;
    for (const auto& v : Voci(testo, "--operazione")) {
        Operazione o;
        if (v == "somma")
            o = Operazione::Somma;
        else if (v == "distanza")
            o = Operazione::Distanza;
        else if (v == "differenza")
            o = Operazione::Differenza;
        else
            throw ErroreOpzione("operazione sconosciuta: \"" + v + "\"");
        if (std::find(tutte.begin(), tutte.end(), o) != tutte.end())
            throw ErroreOpzione("operazione ripetuta in --operazione: " + v);
        tutte.push_back(o);
    }
    return tutte;
}

std::vector<int> Mensili(const std::string& testo) {
    std::vector<int> tutti;
    for (const auto& v : Voci(testo, "--mensile")) {
        const auto nuovi = (v == "U" || v == "u") ? std::vector<int>{0} : Interi(v, "--mensile", 1, 31);
        for (int m : nuovi) {
            if (std::find(tutti.begin(), tutti.end(), m) != tutti.end())
                throw ErroreOpzione("valore ripetuto in --mensile: " + v);
            tutti.push_back(m);
        }
    }
    return tutti;
}

/// The last draw on or before `testo` (dd/mm/yyyy).
int FinoA(const ArchivioMemoria& a, const std::string& testo) {
    Data d;
    if (!LeggiDataTesto(testo, d) || !DataValida(d))
        throw ErroreOpzione("--fino-a vuole una data gg/mm/aaaa: \"" + testo + "\"");
    const int ultima = UltimaFinoA(a, d);
    if (ultima < 1) throw ErroreOpzione("--fino-a precede la prima estrazione dell'archivio");
    return ultima;
}

} // namespace

int Esplora(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
            std::ostream& err) {
    try {
        Opzioni o(argomenti);
        TestiAnalisi testi = LeggiOpzioniAnalisi(o);
        std::string finoA, combinazioni, permutazioni, seme, mensili;
        for (const auto& [nome, valore] : {std::pair<const char*, std::string*>{"--fino-a", &finoA},
                                           {"--combinazioni", &combinazioni},
                                           {"--permutazioni", &permutazioni},
                                           {"--seme", &seme}})
            if (!o.Valore(nome, *valore, false)) throw ErroreOpzione(o.Errore);
        // Without --ruote-gioco each setting plays on its own base wheel, as the windows open.
        const bool ruoteGiocoDate =
            std::find(argomenti.begin(), argomenti.end(), "--ruote-gioco") != argomenti.end();
        if (!o.Errore.empty()) throw ErroreOpzione(o.Errore);
        if (!o.Finite()) throw ErroreOpzione("opzione sconosciuta: " + o.Sconosciuta());
        if (!testi.Riferimento.empty())
            throw ErroreOpzione(
                "--riferimento non vale qui: ogni estrazione fino a --fino-a è un riferimento");

        // The lists are read here; the fixed options go through the same checks as `analizza`.
        GrigliaEsplorazione g;
        g.Ruote = Ruote(testi.Ruota);
        g.Posizioni = Posizioni(testi.Posizioni);
        g.Operazioni = Operazioni(testi.Operazione);
        g.Trasformazioni = Interi(testi.Trasformazione, "--trasformazione", 0, VociTrasformazione - 1);
        g.DaColpi = Interi(testi.DaColpo, "--da-colpo", 1, 5);
        g.Colpi = Interi(testi.Colpi, "--colpi", 1, 20);
        mensili = testi.Mensile;
        testi.Ruota = "BA";
        testi.Posizioni = "11111";
        testi.Operazione = "somma";
        testi.Trasformazione = "0";
        testi.DaColpo = testi.Colpi = "1";
        testi.Mensile.clear();
        auto imp = InterpretaOpzioniAnalisi(testi, MassimoElenco);
        ArchivioMemoria archivio;
        if (!CaricaPerAnalisi(testi, amb, imp, archivio, err)) return 1;
        g.Mensili =
            mensili.empty()
                ? std::vector<int>{archivio.PosizioneMese[static_cast<size_t>(archivio.UltimaEstrazione)]}
                : Mensili(mensili);
        g.Base.Casi = imp.Casi;
        g.Base.Parametro = imp.Parametro;
        g.Base.Ruote = imp.Ruote;
        g.Base.InteroPeriodo = imp.InteroPeriodo;
        g.Base.Elenco = imp.Elenco;
        g.Base.K = combinazioni.empty() ? 0 : Intero(combinazioni, "--combinazioni", 1, 3);
        g.GiocaSullaRuotaBase = !ruoteGiocoDate;

        SceltaEsplorazione s;
        s.FinoA = finoA.empty() ? TaglioPredefinito(archivio) : FinoA(archivio, finoA);
        if (!permutazioni.empty()) s.Permutazioni = Intero(permutazioni, "--permutazioni", 0, 100000);
        if (!seme.empty()) s.Seme = static_cast<uint64_t>(Intero(seme, "--seme", 0, 2147483647));
        if (ImpostazioniDellaGriglia(g).empty())
            throw ErroreOpzione("nessuna impostazione da provare: distanza e differenza richiedono "
                                "esattamente due posizioni abilitate");

        const auto esito = Esplora(archivio, g, s);
        const auto& data = archivio.DateEstrazioni[static_cast<size_t>(s.FinoA)];
        out << "# Fino a " << data << " (estrazione " << s.FinoA << ")\n";
        StampaTabella(out, "Esplorazione", TabellaEsplorazione(esito));
        StampaTabella(out, "Conferma", TabellaConferma(archivio, esito));
        StampaTabella(out, "Sintesi", TabellaSintesiEsplorazione(esito, data));
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

} // namespace trivalto::cli
