// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <sstream>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "cli/OpzioniAnalisi.h"
#include "core/analysis/TabelleAnalisi.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::cli {

namespace {

/// What the command was asked to show after the terzine list; 0 = not asked.
struct Richieste {
    int Combinazioni = 0, Previsioni = 0, StoriaTerzina = 0, StoriaCombinazione = 0, Ritardi = 0, Caso = 0;
    bool VerificaTerzine = false, VerificaEstesa = false, Evidenzia = false;
};

/// The chain after the terzine search, in the order the window offers it.
void Catena(std::ostream& out, SessioneAnalisi& sessione, bool interoPeriodo, int elenco,
            const Richieste& q) {
    const auto& a = sessione.Archivio();
    const auto& lista = sessione.Lista();
    const auto caso = [&]() -> const Caso& {
        if (const Caso* c = sessione.CasoDellaRiga(q.Caso)) return *c;
        throw ErroreOpzione("--caso vuole una riga della tabella dei casi, da 1 a " +
                            std::to_string(sessione.Casi().size()));
    };
    const auto rigaLista = [&](int r, const char* nome) {
        if (r < 1 || r > static_cast<int>(lista.size()) || lista[static_cast<size_t>(r - 1)].Vuota())
            throw ErroreOpzione(std::string(nome) + " vuole una riga piena dell'elenco delle terzine");
        return lista[static_cast<size_t>(r - 1)];
    };
    if (q.VerificaTerzine) {
        const auto verdi = sessione.Verifica(caso());
        out << "# Verifica terzine, caso " << q.Caso << ": righe verdi";
        for (size_t k = 0; k < verdi.size(); ++k)
            if (verdi[k]) out << " " << k + 1;
        out << "\n";
    }
    if (q.StoriaTerzina)
        StampaStoria(out, a,
                     sessione.StoriaDi({rigaLista(q.StoriaTerzina, "--storia-terzina")}, interoPeriodo),
                     false);
    if (!q.Combinazioni) return;

    const auto& combinazioni = sessione.CercaCombinazioni(q.Combinazioni, elenco);
    StampaTabella(out, "fg2", TabellaCombinazioni(combinazioni, sessione.ListaCombinazioni()));
    const auto rigaCombinazione = [&](int r, const char* nome) {
        auto terzine = sessione.TerzineDellaCombinazione(r);
        if (terzine.empty())
            throw ErroreOpzione(std::string(nome) + " vuole una riga piena della tabella delle combinazioni");
        return terzine;
    };
    if (q.Caso && !q.VerificaTerzine)
        StampaTabella(out, "FGP",
                      TabellaDettaglio(sessione.Dettaglio(
                          caso(), rigaCombinazione(q.Previsioni ? q.Previsioni : 1, "--caso"))));
    if (q.StoriaCombinazione)
        StampaStoria(
            out, a,
            sessione.StoriaDi(rigaCombinazione(q.StoriaCombinazione, "--storia-combinazione"), interoPeriodo),
            true);
    if (!q.Previsioni) return;
    const auto terzine = rigaCombinazione(q.Previsioni, "--previsioni");
    const auto prev = sessione.Previsioni(terzine, {q.VerificaEstesa, interoPeriodo, q.Evidenzia, false});
    StampaTabella(out, "FgZ", TabellaScelte(terzine));
    StampaTabella(out, "FgPr", TabellaPrevisioni(a, prev.Righe));
    StampaTabella(out, "FgStat", TabellaStatistiche(prev.Riepilogo));
    if (!q.Ritardi) return;
    if (q.Ritardi < 1 || q.Ritardi > static_cast<int>(prev.Righe.size()) ||
        prev.Righe[static_cast<size_t>(q.Ritardi - 1)].Separatore)
        throw ErroreOpzione("--ritardi vuole una riga piena della tabella delle previsioni");
    const int d = prev.Righe[static_cast<size_t>(q.Ritardi - 1)].Estrazione;
    const auto ritardi = sessione.Ritardi(d);
    if (!ritardi) throw ErroreOpzione("--ritardi vuole una riga piena della tabella delle previsioni");
    out << "# " << TitoloRitardi(a, d) << "\n";
    StampaTabella(out, "Fgg1", TabellaDeiRitardi(*ritardi));
}

} // namespace

/// The archive named by --archivio (database or text file), else the program's own.
void CaricaArchivio(const std::string& percorso, const Ambiente& amb, ArchivioMemoria& archivio) {
    std::string file = percorso;
    if (file.empty()) {
        const auto db = TestoDaPercorso(PercorsoDaTesto(amb.CartellaProgramma) / DatabaseProgramma::NomeFile);
        // Its faults name it: "il database è danneggiato" alone would blame the archive.
        const auto guasto = [&](const std::string& causa) {
            return ErroreDatabaseProgramma("Impossibile leggere il database del programma " + db + ": " +
                                           causa);
        };
        std::error_code ec;
        if (!std::filesystem::exists(PercorsoDaTesto(db), ec)) throw guasto("file non trovato");
        try {
            file =
                DatabaseProgramma::Apri(db)->LeggiParametro(ChiaviParametri::PercorsoArchivio).value_or("");
        } catch (const std::exception& e) {
            throw guasto(e.what());
        }
    }
    const auto estensione = TestoDaPercorso(PercorsoDaTesto(file).extension());
    std::vector<RigaEstrazione> righe;
    if (estensione == ".txt" || estensione == ".TXT")
        righe = LeggiFileEstrazioni(file);
    else
        righe = DatabaseArchivio::Apri(file)->LeggiTutte();
    archivio.EstrazioneIniziale = 1;
    archivio.CaricamentoIniziale(righe);
    if (archivio.NumeroEstrazioni < 1) throw std::runtime_error("l'archivio non contiene estrazioni");
}

int Analizza(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
             std::ostream& err) {
    try {
        Opzioni o(argomenti);
        const auto testi = LeggiOpzioniAnalisi(o);
        std::string combinazioni, previsioni, storiaTerzina, storiaCombinazione, ritardi, caso;
        const std::pair<const char*, std::string*> valori[] = {{"--combinazioni", &combinazioni},
                                                               {"--previsioni", &previsioni},
                                                               {"--storia-terzina", &storiaTerzina},
                                                               {"--storia-combinazione", &storiaCombinazione},
                                                               {"--ritardi", &ritardi},
                                                               {"--caso", &caso}};
        for (const auto& [nome, destinazione] : valori)
            if (!o.Valore(nome, *destinazione, false)) throw ErroreOpzione(o.Errore);
        const auto atteso = LeggiOpzioniAtteso(o);
        Richieste q;
        q.VerificaTerzine = o.Interruttore("--verifica-terzine");
        q.VerificaEstesa = o.Interruttore("--verifica-estesa");
        q.Evidenzia = o.Interruttore("--evidenzia");
        if (!o.Errore.empty()) throw ErroreOpzione(o.Errore);
        if (!o.Finite()) throw ErroreOpzione("opzione sconosciuta: " + o.Sconosciuta());
        const auto riga = [](const std::string& t, const char* nome) {
            return t.empty() ? 0 : Intero(t, nome, 1, 9999);
        };
        q.Combinazioni = combinazioni.empty() ? 0 : Intero(combinazioni, "--combinazioni", 1, 3);
        q.Previsioni = riga(previsioni, "--previsioni");
        q.StoriaTerzina = riga(storiaTerzina, "--storia-terzina");
        q.StoriaCombinazione = riga(storiaCombinazione, "--storia-combinazione");
        q.Ritardi = riga(ritardi, "--ritardi");
        q.Caso = riga(caso, "--caso");
        if ((q.Previsioni || q.StoriaCombinazione) && !q.Combinazioni)
            throw ErroreOpzione("--previsioni e --storia-combinazione richiedono --combinazioni");
        if (q.Ritardi && !q.Previsioni) throw ErroreOpzione("--ritardi richiede --previsioni");
        if (q.VerificaTerzine && !q.Caso) throw ErroreOpzione("--verifica-terzine richiede --caso");
        if (q.Caso && !q.VerificaTerzine && !q.Combinazioni)
            throw ErroreOpzione("--caso va con --verifica-terzine o con --combinazioni");

        auto imp = InterpretaOpzioniAnalisi(testi, MassimoElenco);
        ArchivioMemoria archivio;
        if (!CaricaPerAnalisi(testi, amb, imp, archivio, err)) return 1;
        SessioneAnalisi sessione(SessioneAnalisi::Prestito(archivio));
        sessione.Prepara(imp);
        StampaTabella(out, "FgEV", TabellaCasi(archivio, sessione.Casi()));
        if (sessione.Casi().empty()) return 0;

        const auto& lista = sessione.CercaTerzine(imp);
        StampaTabella(out, "fg1", TabellaTerzine(lista));
        Catena(out, sessione, imp.InteroPeriodo, imp.Elenco, q);
        if (atteso.Attiva) {
            // The combination search ran on the list as found: the top combination is its first row.
            const auto& comb = sessione.Combinazioni();
            const int topCop = q.Combinazioni && !comb.empty() ? comb[0].Cop : 0;
            StampaAtteso(out, sessione.UltimaRicerca(imp.InteroPeriodo, imp.Elenco), atteso,
                         lista.empty() ? 0 : lista[0].Pos, q.Combinazioni, topCop, "Cop", true);
        }
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

int Principale(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
               std::ostream& err) {
    constexpr const char* Uso =
        "Uso: trivalto-cli "
        "analizza|costruttore|verifica|esplora|importa|esporta|aggiorna|prepara|stato "
        "[opzioni], oppure trivalto-cli --version\n";
    if (argomenti.empty()) {
        err << Uso;
        return 2;
    }
    // Asked for, the usage is an answer: on standard output, and no failure.
    if (argomenti.size() == 1 && (argomenti[0] == "--help" || argomenti[0] == "-h" || argomenti[0] == "/?" ||
                                  argomenti[0] == "help" || argomenti[0] == "aiuto")) {
        out << Uso;
        return 0;
    }
    const std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
    if (argomenti[0] == "analizza") return Analizza(resto, amb, out, err);
    if (argomenti[0] == "costruttore") return Costruttore(resto, amb, out, err);
    if (argomenti[0] == "verifica") return Verifica(resto, amb, out, err);
    if (argomenti[0] == "esplora") return Esplora(resto, amb, out, err);
    if (argomenti[0] == "importa") return Importa(resto, out, err);
    if (argomenti[0] == "prepara") return Prepara(resto, out, err);
    if (argomenti[0] == "esporta") return Esporta(resto, amb, out, err);
    if (argomenti[0] == "aggiorna") return Aggiorna(resto, amb, out, err);
    if (argomenti[0] == "stato") return Stato(resto, amb, out, err);
    if (argomenti[0] == "--version" && resto.empty()) return Versione(out);
    err << "Errore: comando sconosciuto \"" << argomenti[0] << "\"\n";
    return 2;
}

} // namespace trivalto::cli
