// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/Aggiornamento.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "core/archive/ArchivioMemoria.h"
#include "core/archive/CauseSistema.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace {

bool Vuota(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
}

/// Calls `fai(linea, numero)` for each line of `testo` from `da`, as std::getline splits them
/// (at "\n"; the line end stays for the reader to remove). `fai` returns false to stop.
template <class F> void PerOgniLinea(std::string_view testo, size_t da, F&& fai) {
    int numero = 0;
    while (da < testo.size()) {
        size_t fine = testo.find('\n', da);
        if (fine == std::string_view::npos) fine = testo.size();
        if (!fai(testo.substr(da, fine - da), ++numero)) return;
        da = fine + 1;
    }
}

/// Where the text starts (after a UTF-8 mark); a UTF-16 text is refused with the import's words.
size_t Inizio(std::string_view testo) {
    try {
        return InizioTesto(testo.substr(0, 4));
    } catch (const ErroreFormato& e) {
        throw ErroreAggiornamento(e.what());
    }
}

RigaEstrazione ComeEstrazione(const RigaAggiornamento& r) {
    RigaEstrazione e;
    Data d;
    LeggiDataTesto(r.Data, d);
    e.Data = TestoData(d);
    e.Celle = r.Celle;
    return e;
}

/// A libzip error code with the library's own text, for the brackets after an Italian cause.
std::string TestoZip(int codiceZip, int codiceSistema) {
    zip_error_t e;
    zip_error_init_with_code(&e, codiceZip);
    e.sys_err = codiceSistema;
    std::string testo = zip_error_strerror(&e);
    zip_error_fini(&e);
    return testo;
}

[[noreturn]] void RifiutaZip(const std::string& dove, zip_error_t* errore) {
    throw ErroreAggiornamento("archivio ZIP non utilizzabile" + dove + ": " +
                              CausaZip(zip_error_code_zip(errore), zip_error_code_system(errore)));
}

} // namespace

std::string LeggiSorgente(const std::string& percorso, long long massimoByte) {
    std::error_code ec;
    // A folder opens as a stream that reads nothing.
    if (std::filesystem::is_directory(PercorsoDaTesto(percorso), ec))
        throw ErroreAggiornamento(percorso + " è una cartella, non un file di aggiornamento");
    errno = 0;
    std::ifstream in(PercorsoDaTesto(percorso), std::ios::binary);
    if (!in) throw ErroreAggiornamento("impossibile aprire il file " + percorso + ": " + CausaSistema(errno));
    // Read by pieces and stopped at the limit, whatever the file claims to be (/dev/zero has no end).
    std::string contenuto;
    char pezzo[1 << 16];
    while (in.read(pezzo, sizeof pezzo) || in.gcount() > 0) {
        if (static_cast<long long>(contenuto.size()) + in.gcount() > massimoByte)
            throw ErroreAggiornamento(percorso + ": " + SuperaIlLimite(massimoByte));
        contenuto.append(pezzo, static_cast<size_t>(in.gcount()));
    }
    if (in.bad())
        throw ErroreAggiornamento("impossibile leggere il file " + percorso + ": " + CausaSistema(errno));
    return contenuto;
}

bool PrimoRecordValido(const std::string& testo) {
    size_t da = 0;
    try {
        da = InizioTesto(std::string_view(testo).substr(0, 4));
    } catch (const ErroreFormato&) {
        return false;
    }
    bool valido = false;
    PerOgniLinea(testo, da, [&](std::string_view linea, int) {
        while (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        valido = linea.size() == 178 && linea.substr(176) == "pr";
        return false;
    });
    return valido;
}

TipoSorgente RiconosciSorgente(const std::string& c) {
    if (c.size() >= 4 && (c.compare(0, 4, "PK\x03\x04") == 0 || c.compare(0, 4, "PK\x05\x06") == 0))
        return TipoSorgente::Zip;
    size_t da = 0;
    try {
        da = InizioTesto(std::string_view(c).substr(0, 4));
    } catch (const ErroreFormato&) {
        return TipoSorgente::Sconosciuto;
    }
    // A text without a line that is not blank holds no draw, as for the import.
    TipoSorgente tipo = TipoSorgente::TestoArchivio;
    PerOgniLinea(c, da, [&](std::string_view linea, int) {
        if (Vuota(linea)) return true;
        Data d;
        if (LineaDelloStorico(std::string(linea)))
            tipo = TipoSorgente::Storico;
        else if (!LeggiDataTesto(linea.substr(0, 10), d))
            tipo = TipoSorgente::Sconosciuto;
        return false;
    });
    return tipo;
}

std::vector<RigaAggiornamento> RigheDaTesto(const std::string& testo) {
    std::vector<RigaAggiornamento> righe;
    LettoreLineeEstrazioni lettore; // the import's rules
    try {
        PerOgniLinea(testo, Inizio(testo), [&](std::string_view linea, int numero) {
            auto l = lettore.Leggi(std::string(linea), numero);
            if (!l) return true;
            if (l->PrimaRiga > 0) {
                // The first line with this date is a fault too: neither is chosen over the other.
                auto prima = std::lower_bound(righe.begin(), righe.end(), l->PrimaRiga,
                                              [](const RigaAggiornamento& r, int n) { return r.Linea < n; });
                if (prima != righe.end() && prima->Linea == l->PrimaRiga && prima->Difetto.empty())
                    prima->Difetto = "estrazione del " + prima->Data +
                                     " ripetuta nel file (anche alla riga " + std::to_string(numero) + ")";
            }
            righe.push_back(
                {std::move(l->Campi.Data), std::move(l->Campi.Celle), std::move(l->Difetto), numero});
            return true;
        });
    } catch (const ErroreFormato& e) {
        throw ErroreAggiornamento(e.what());
    }
    return righe;
}

std::vector<RigaAggiornamento> RigheDaStorico(const std::string& testo) {
    std::istringstream in(testo.substr(Inizio(testo)));
    std::vector<RigaAggiornamento> righe;
    try {
        // Rows that cannot be real draws are marked by the check, with the import's words, not
        // refused with the whole file.
        RegoleLettura permissive;
        permissive.Rigorose = false;
        for (auto& e : LeggiStorico(in, permissive))
            righe.push_back({std::move(e.Data), std::move(e.Celle), {}, 0});
    } catch (const ErroreFormato& e) {
        throw ErroreAggiornamento(std::string("archivio per ruote non leggibile, ") + e.what());
    }
    return righe;
}

std::string CausaZip(int codiceZip, int codiceSistema) {
    const auto sistema = [&] {
        return codiceSistema != 0 ? ": " + CausaSistema(codiceSistema) : std::string();
    };
    switch (codiceZip) {
    case ZIP_ER_OK:
        return "nessun errore";
    case ZIP_ER_NOZIP:
        return "il file non è un archivio ZIP, o ne è solo una parte (manca il suo indice)";
    case ZIP_ER_INCONS:
        return "archivio ZIP incoerente: danneggiato o troncato";
    case ZIP_ER_CRC:
        return "i dati non corrispondono al loro codice di controllo (CRC): archivio ZIP danneggiato";
    case ZIP_ER_EOF:
        return "archivio ZIP troncato";
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return "dati compressi danneggiati";
    case ZIP_ER_COMPNOTSUPP:
        return "metodo di compressione non supportato";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "file protetto da password";
    case ZIP_ER_MULTIDISK:
        return "archivio ZIP diviso in più parti";
    case ZIP_ER_MEMORY:
        return "memoria insufficiente";
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return "errore di lettura" + sistema();
    case ZIP_ER_OPEN:
        return "impossibile aprire l'archivio" + sistema();
    case ZIP_ER_NOENT:
    case ZIP_ER_DELETED:
        return "file non trovato nell'archivio";
    default:
        // Faults of writing an archive, which the program never does: named, with the library's words.
        return "archivio ZIP non leggibile (" + TestoZip(codiceZip, codiceSistema) + ")";
    }
}

std::string EstraiDaZip(const std::string& contenuto, long long massimoByte) {
    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t* sorgente = zip_source_buffer_create(contenuto.data(), contenuto.size(), 0, &errore);
    if (!sorgente) RifiutaZip("", &errore);
    // The central directory checked against the entries' own headers.
    zip_t* z = zip_open_from_source(sorgente, ZIP_RDONLY | ZIP_CHECKCONS, &errore);
    if (!z) {
        zip_source_free(sorgente);
        RifiutaZip("", &errore);
    }
    zip_error_fini(&errore);
    std::unique_ptr<zip_t, decltype(&zip_discard)> chiudi(z, &zip_discard);
    const zip_int64_t voci = zip_get_num_entries(z, 0);
    std::string testo;
    bool trovato = false;
    long long espansi = 0;
    std::string pezzo(1 << 16, '\0');
    for (zip_int64_t i = 0; i < voci; ++i) {
        zip_stat_t st;
        if (zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st) != 0) RifiutaZip("", zip_get_error(z));
        const std::string nome = st.name ? st.name : "";
        if (!nome.empty() && nome.back() == '/') continue;
        zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        if (!f) RifiutaZip(" (" + nome + ")", zip_get_error(z));
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> chiudiFile(f, &zip_fclose);
        // To its end: only there does libzip compare the CRC. Whatever size the entry declares, the
        // bytes it gives are counted, and more than it declares are a damage of their own.
        const bool dichiarata = (st.valid & ZIP_STAT_SIZE) != 0;
        zip_uint64_t questi = 0;
        for (;;) {
            const zip_int64_t letti = zip_fread(f, pezzo.data(), pezzo.size());
            if (letti < 0) RifiutaZip(" (" + nome + ")", zip_file_get_error(f));
            if (letti == 0) break;
            questi += static_cast<zip_uint64_t>(letti);
            if (dichiarata && questi > st.size) break;
            espansi += letti;
            if (espansi > massimoByte)
                throw ErroreAggiornamento("archivio ZIP non utilizzabile: " + SuperaIlLimite(massimoByte));
            if (!trovato) testo.append(pezzo.data(), static_cast<size_t>(letti));
        }
        if (dichiarata && questi != st.size) {
            zip_error_t incoerente;
            zip_error_init_with_code(&incoerente, ZIP_ER_INCONS);
            RifiutaZip(" (" + nome + ")", &incoerente);
        }
        trovato = true;
    }
    if (!trovato) throw ErroreAggiornamento("l'archivio ZIP non contiene alcun file");
    return testo;
}

std::vector<RigaAggiornamento> RigheDaSorgente(const std::string& contenuto) {
    switch (RiconosciSorgente(contenuto)) {
    case TipoSorgente::Zip: {
        const auto testo = EstraiDaZip(contenuto);
        if (RiconosciSorgente(testo) == TipoSorgente::Zip)
            throw ErroreAggiornamento(
                "l'archivio ZIP contiene un altro archivio ZIP, non un file di estrazioni");
        return RigheDaSorgente(testo);
    }
    case TipoSorgente::Storico:
        return RigheDaStorico(contenuto);
    case TipoSorgente::TestoArchivio:
        return RigheDaTesto(contenuto);
    case TipoSorgente::Sconosciuto:
        break;
    }
    Inizio(contenuto); // a UTF-16 text is told as the import tells it
    throw ErroreAggiornamento("il contenuto non è un file di estrazioni riconosciuto");
}

std::string DifettoRiga(const RigaAggiornamento& riga) {
    if (!riga.Difetto.empty()) return riga.Difetto;
    return DifettoEstrazione({riga.Data, riga.Celle});
}

EsitoControllo ControllaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                              const ProgressoControllo& progresso) {
    EsitoControllo esito;
    esito.Righe.resize(righe.size());
    const int n = static_cast<int>(righe.size());
    // A date that two rows give is never silently one of the two.
    std::unordered_map<std::string, int> date;
    for (const auto& r : righe) {
        Data d;
        if (LeggiDataTesto(r.Data, d)) ++date[TestoData(d)];
    }
    int anomalie = 0;
    for (int i = n - 1; i >= 0; --i) {
        if (progresso) progresso(n - 1 - i, n);
        const auto& r = righe[static_cast<size_t>(i)];
        auto& e = esito.Righe[static_cast<size_t>(i)];
        auto difetto = DifettoRiga(r);
        if (difetto.empty() && date[r.Data] > 1) difetto = "estrazione del " + r.Data + " ripetuta nel file";
        if (!difetto.empty()) {
            e.Segno = Marca::NonValida;
            e.Difetto = difetto;
            esito.Resoconto.push_back(std::string("Riga ")
                                          .append(std::to_string(r.Linea > 0 ? r.Linea : i + 1))
                                          .append(" non valida: ")
                                          .append(difetto));
            ++anomalie;
            continue;
        }
        const auto presente = db.Trova(r.Data);
        if (!presente) {
            e.Segno = Marca::DaImportare;
            esito.Resoconto.push_back("Manca estrazione del: " + r.Data);
            continue;
        }
        int uguali = 0;
        for (size_t k = 0; k < r.Celle.size(); ++k)
            uguali += e.RuoteUguali[k] = !presente->Celle[k].empty() && r.Celle[k] == presente->Celle[k];
        e.Segno = uguali == NumeroRuote ? Marca::Uguale : Marca::Errata;
        if (e.Segno == Marca::Errata) {
            esito.Resoconto.push_back("Errori Estrazione del " + r.Data);
            ++anomalie;
        }
    }
    if (anomalie == 0) esito.Resoconto.push_back("Nessuna anomalia rilevata");
    return esito;
}

EsitoApplicazione ApplicaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                               const std::vector<EsitoRiga>& esiti, bool corregge) {
    if (esiti.size() != righe.size())
        throw ErroreAggiornamento("le righe non corrispondono al loro controllo: ripetere il controllo");
    EsitoApplicazione ris;
    const auto [datareg, orareg] = DataOraRegistrazione();
    Transaction tr(db.Db());
    // Everything is checked before the first write: a refusal leaves the archive as it was.
    std::vector<size_t> daScrivere;
    std::unordered_set<std::string> date;
    int nuove = 0;
    for (size_t i = 0; i < righe.size(); ++i) {
        const auto segno = esiti[i].Segno;
        if (segno != Marca::DaImportare && !(corregge && segno == Marca::Errata)) continue;
        if (auto difetto = DifettoRiga(righe[i]); !difetto.empty())
            throw ErroreAggiornamento("la riga dell'estrazione del " + righe[i].Data + " non è valida (" +
                                      difetto + "): nessuna estrazione scritta");
        const auto estrazione = ComeEstrazione(righe[i]);
        if (!date.insert(estrazione.Data).second)
            throw ErroreAggiornamento("l'estrazione del " + estrazione.Data +
                                      " compare due volte: nessuna estrazione scritta");
        if (segno == Marca::DaImportare && db.Trova(estrazione.Data)) continue; // written since the check
        nuove += segno == Marca::DaImportare;
        daScrivere.push_back(i);
    }
    const int totale = db.Conta() + nuove;
    if (totale > ArchivioMemoria::MassimoEstrazioni)
        throw ErroreAggiornamento(
            "l'archivio avrebbe " + std::to_string(totale) + " estrazioni, più del massimo di " +
            std::to_string(ArchivioMemoria::MassimoEstrazioni) + ": nessuna estrazione scritta");
    for (const size_t i : daScrivere) {
        const auto estrazione = ComeEstrazione(righe[i]);
        try {
            if (esiti[i].Segno == Marca::DaImportare) {
                db.Inserisci(estrazione, datareg, orareg);
                ++ris.Aggiunte;
                ris.Resoconto.push_back("Aggiunta estrazione del" + righe[i].Data);
            } else if (db.Modifica(estrazione, datareg, orareg)) {
                ++ris.Modificate;
                ris.Resoconto.push_back("Modificata estrazione del" + righe[i].Data);
            }
        } catch (const std::exception& x) {
            throw ErroreAggiornamento("l'estrazione del " + righe[i].Data +
                                      " non è stata scritta e l'archivio è rimasto com'era: " + x.what());
        }
    }
    tr.Conferma();
    if (ris.Aggiunte > 0)
        ris.Resoconto.push_back(
            std::string("aggiunti N° ").append(std::to_string(ris.Aggiunte)).append(" record"));
    return ris;
}

} // namespace trivalto
