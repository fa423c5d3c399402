// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <sstream>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "cli/OpzioniAnalisi.h"
#include "core/analysis/TabelleAnalisi.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/archive/FormatiTesto.h"

namespace trivalto::cli {

namespace {

/// What the command was asked to show after the terzine list; 0 = not asked.
struct Richieste {
    int Combinazioni = 0, Previsioni = 0, StoriaTerzina = 0, StoriaCombinazione = 0, Ritardi = 0, Caso = 0;
    bool VerificaTerzine = false, VerificaEstesa = false, Evidenzia = false;
};

/// The chain after the terzine search, in the order the window offers it.
void Catena(std::ostream& out, const ArchivioMemoria& a, const InputRicerca& ir,
            const std::vector<Terzina>& lista, const Richieste& q) {
    const int elenco = static_cast<int>(lista.size());
    const auto caso = [&]() -> const Caso& {
        if (q.Caso < 1 || q.Caso > static_cast<int>(ir.Casi.size()))
            throw ErroreOpzione("--caso vuole una riga della tabella dei casi, da 1 a " +
                                std::to_string(ir.Casi.size()));
        return ir.Casi[static_cast<size_t>(q.Caso - 1)];
    };
    const auto rigaLista = [&](int r, const char* nome) {
        if (r < 1 || r > elenco || lista[static_cast<size_t>(r - 1)].Vuota())
            throw ErroreOpzione(std::string(nome) + " vuole una riga piena dell'elenco delle terzine");
        return lista[static_cast<size_t>(r - 1)];
    };
    if (q.VerificaTerzine) {
        const auto verdi = VerificaTerzine(a, caso(), lista, ir.Ruote, ir.Finestra);
        out << "# Verifica terzine, caso " << q.Caso << ": righe verdi";
        for (size_t k = 0; k < verdi.size(); ++k)
            if (verdi[k]) out << " " << k + 1;
        out << "\n";
    }
    if (q.StoriaTerzina)
        StampaStoria(out, a,
                     StoriaTerzine(a, ir.Casi, {rigaLista(q.StoriaTerzina, "--storia-terzina")}, ir.Ruote,
                                   ir.Finestra, ir.InteroPeriodo),
                     false);
    if (!q.Combinazioni) return;

    const auto combinazioni = CercaCombinazioni(CombinazioniDi(ir, lista, q.Combinazioni)).Righe;
    StampaTabella(out, "fg2", TabellaCombinazioni(combinazioni, lista));
    const auto rigaCombinazione = [&](int r, const char* nome) {
        if (r < 1 || r > static_cast<int>(combinazioni.size()) ||
            combinazioni[static_cast<size_t>(r - 1)].Vuota())
            throw ErroreOpzione(std::string(nome) + " vuole una riga piena della tabella delle combinazioni");
        return TerzineDellaCombinazione(combinazioni[static_cast<size_t>(r - 1)], lista);
    };
    if (q.Caso && !q.VerificaTerzine)
        StampaTabella(out, "FGP",
                      TabellaDettaglio(MostraCombinazione(
                          a, caso(), rigaCombinazione(q.Previsioni ? q.Previsioni : 1, "--caso"), ir.Ruote,
                          ir.Finestra)));
    if (q.StoriaCombinazione)
        StampaStoria(out, a,
                     StoriaTerzine(a, ir.Casi,
                                   rigaCombinazione(q.StoriaCombinazione, "--storia-combinazione"), ir.Ruote,
                                   ir.Finestra, ir.InteroPeriodo),
                     true);
    if (!q.Previsioni) return;
    InputPrevisioni ip;
    ip.Archivio = &a;
    ip.Casi = ir.Casi;
    ip.Terzine = rigaCombinazione(q.Previsioni, "--previsioni");
    ip.Ruote = ir.Ruote;
    ip.Finestra = ir.Finestra;
    ip.VerificaEstesa = q.VerificaEstesa;
    ip.InteroPeriodo = ir.InteroPeriodo;
    ip.Evidenzia = q.Evidenzia;
    const auto prev = FaiPrevisioni(ip);
    StampaTabella(out, "FgZ", TabellaScelte(ip.Terzine));
    StampaTabella(out, "FgPr", TabellaPrevisioni(a, prev.Righe));
    StampaTabella(out, "FgStat", TabellaStatistiche(prev.Riepilogo));
    if (!q.Ritardi) return;
    if (q.Ritardi < 1 || q.Ritardi > static_cast<int>(prev.Righe.size()) ||
        prev.Righe[static_cast<size_t>(q.Ritardi - 1)].Separatore)
        throw ErroreOpzione("--ritardi vuole una riga piena della tabella delle previsioni");
    const int d = prev.Righe[static_cast<size_t>(q.Ritardi - 1)].Estrazione;
    out << "# " << TitoloRitardi(a, d) << "\n";
    StampaTabella(out, "Fgg1", TabellaDeiRitardi(CalcolaRitardi(a, d)));
}

} // namespace

/// The archive named by --archivio (database or text file), else the program's own.
void CaricaArchivio(const std::string& percorso, const Ambiente& amb, ArchivioMemoria& archivio) {
    std::string file = percorso;
    if (file.empty()) {
        const auto db = (std::filesystem::path(amb.CartellaProgramma) / DatabaseProgramma::NomeFile).string();
        // Its faults name it: "il database è danneggiato" alone would blame the archive.
        const auto guasto = [&](const std::string& causa) {
            return ErroreDatabaseProgramma("Impossibile leggere il database del programma " + db + ": " +
                                           causa);
        };
        std::error_code ec;
        if (!std::filesystem::exists(db, ec)) throw guasto("file non trovato");
        try {
            file = DatabaseProgramma::Apri(db)->LeggiParametro("PercorsoArchivio").value_or("");
        } catch (const std::exception& e) {
            throw guasto(e.what());
        }
    }
    const auto estensione = std::filesystem::path(file).extension().string();
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
        const auto& sc = imp.Casi;
        auto& ir = imp.Ricerca;
        auto elencoCasi = GeneraCasi(archivio, sc);
        CalcolaParametri(archivio, elencoCasi, imp.Parametro);
        StampaTabella(out, "FgEV", TabellaCasi(archivio, elencoCasi));
        if (elencoCasi.empty()) return 0;

        ir.Archivio = &archivio;
        ir.Casi = elencoCasi;
        ir.Finestra.FineVerifica = sc.Riferimento;
        const auto ris = CercaTerzine(ir);
        StampaTabella(out, "fg1", TabellaTerzine(ris.Righe));
        Catena(out, archivio, ir, ris.Righe, q);
        if (atteso.Attiva) {
            int topCop = 0;
            if (q.Combinazioni) {
                const auto comb = CercaCombinazioni(CombinazioniDi(ir, ris.Righe, q.Combinazioni));
                topCop = comb.Righe.empty() ? 0 : comb.Righe[0].Cop;
            }
            StampaAtteso(out, ir, atteso, ris.Righe.empty() ? 0 : ris.Righe[0].Pos, q.Combinazioni, topCop,
                         "Cop", true);
        }
        return 0;
    } catch (const ErroreOpzione& e) {
        err << "Errore: " << e.what() << "\n";
        return 2;
    }
}

int Principale(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
               std::ostream& err) {
    if (argomenti.empty()) {
        err << "Uso: trivalto-cli "
               "analizza|costruttore|verifica|esplora|importa|esporta|aggiorna|prepara|stato "
               "[opzioni], oppure trivalto-cli --version\n";
        return 2;
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
