#include "core/maintenance/Aggiornamento.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/archive/FormatiTesto.h"

namespace trivalto {

namespace {

bool Cifra(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string Rifila(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    return s;
}

/// Why a wheel field cannot be stored; empty when it is "----" or five distinct numbers 01..90.
std::string DifettoCella(const std::string& cella) {
    if (cella == "----") return {};
    if (cella.size() != 14) return "non ha la forma nn-nn-nn-nn-nn";
    std::array<int, 5> n{};
    for (size_t p = 0; p < 5; ++p) {
        const size_t i = p * 3;
        if (!Cifra(cella[i]) || !Cifra(cella[i + 1]) || (p < 4 && cella[i + 2] != '-'))
            return "non ha la forma nn-nn-nn-nn-nn";
        n[p] = (cella[i] - '0') * 10 + (cella[i + 1] - '0');
        if (n[p] < 1 || n[p] > 90) return "ha un numero fuori da 1..90";
    }
    for (size_t p = 0; p < 5; ++p)
        for (size_t q = p + 1; q < 5; ++q)
            if (n[p] == n[q]) return "ha un numero ripetuto";
    return {};
}

RigaEstrazione ComeEstrazione(const RigaAggiornamento& r) {
    RigaEstrazione e;
    Data d;
    LeggiDataTesto(r.Data, d);
    e.Data = TestoData(d);
    e.Celle = r.Celle;
    return e;
}

} // namespace

std::string LeggiSorgente(const std::string& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    if (!in) throw ErroreAggiornamento("impossibile aprire il file " + percorso);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> LeggiRecord(const std::string& t) {
    std::vector<std::string> record;
    size_t i = 0;
    const size_t n = t.size();
    while (i < n) {
        std::string r;
        if (t[i] == '"') {
            const size_t chiusa = t.find('"', i + 1);
            r = t.substr(i + 1, chiusa == std::string::npos ? std::string::npos : chiusa - i - 1);
            i = chiusa == std::string::npos ? n : chiusa + 1;
            while (i < n && t[i] != ',' && t[i] != '\r' && t[i] != '\n')
                ++i; // what follows the closing quote up to the separator is not part of the record
        } else {
            const size_t fine = t.find_first_of(",\r\n", i);
            r = t.substr(i, fine == std::string::npos ? std::string::npos : fine - i);
            i = fine == std::string::npos ? n : fine;
        }
        record.push_back(std::move(r));
        if (i < n) {
            if (t[i] == '\r' && i + 1 < n && t[i + 1] == '\n') ++i;
            ++i;
        }
    }
    return record;
}

bool PrimoRecordValido(const std::string& testo) {
    const auto record = LeggiRecord(testo.substr(0, std::min<size_t>(testo.size(), 4096)));
    return !record.empty() && record[0].size() == 178 && record[0].compare(176, 2, "pr") == 0;
}

TipoSorgente RiconosciSorgente(const std::string& c) {
    if (c.size() >= 4 && c.compare(0, 4, "PK\x03\x04") == 0) return TipoSorgente::Zip;
    std::istringstream in(c);
    for (std::string linea; std::getline(in, linea);) {
        if (Rifila(linea).find_first_not_of(" \r") == std::string::npos) continue;
        if (linea.size() > 13 && linea[4] == '/' && linea[7] == '/' && linea[10] == '\t')
            return TipoSorgente::Storico;
        Data d;
        if (linea.size() >= 10 && LeggiDataTesto(linea.substr(0, 10), d)) return TipoSorgente::TestoArchivio;
        return TipoSorgente::Sconosciuto;
    }
    return TipoSorgente::Sconosciuto;
}

std::vector<RigaAggiornamento> RigheDaTesto(const std::string& testo) {
    std::vector<RigaAggiornamento> righe;
    for (const auto& record : LeggiRecord(testo)) {
        RigaAggiornamento r;
        r.Data = Rifila(record.substr(0, std::min<size_t>(record.size(), 10)));
        for (size_t k = 0; k < r.Celle.size(); ++k) {
            const size_t da = 11 + 15 * k;
            r.Celle[k] = da < record.size() ? Rifila(record.substr(da, 14)) : std::string();
        }
        if (!r.Data.empty()) righe.push_back(std::move(r));
    }
    return righe;
}

std::vector<RigaAggiornamento> RigheDaStorico(const std::string& testo) {
    std::istringstream in(testo);
    std::vector<RigaAggiornamento> righe;
    try {
        // Rows that cannot be real draws are marked by the check, not refused with the whole file.
        RegoleLettura permissive;
        permissive.Rigorose = false;
        for (auto& e : LeggiStorico(in, permissive))
            righe.push_back({std::move(e.Data), std::move(e.Celle)});
    } catch (const ErroreFormato& e) {
        throw ErroreAggiornamento(std::string("archivio per ruote non leggibile, ") + e.what());
    }
    return righe;
}

std::string EstraiDaZip(const std::string& contenuto) {
    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t* sorgente = zip_source_buffer_create(contenuto.data(), contenuto.size(), 0, &errore);
    if (!sorgente) throw ErroreAggiornamento("archivio ZIP non leggibile");
    zip_t* z = zip_open_from_source(sorgente, ZIP_RDONLY, &errore);
    if (!z) {
        zip_source_free(sorgente);
        const std::string causa = zip_error_strerror(&errore);
        zip_error_fini(&errore);
        throw ErroreAggiornamento("archivio ZIP non leggibile: " + causa);
    }
    std::unique_ptr<zip_t, decltype(&zip_discard)> chiudi(z, &zip_discard);
    const zip_int64_t voci = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < voci; ++i) {
        zip_stat_t st;
        if (zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        const std::string nome = st.name ? st.name : "";
        if (nome.empty() || nome.back() == '/') continue;
        if (!(st.valid & ZIP_STAT_SIZE) || st.size > 256u * 1024 * 1024)
            throw ErroreAggiornamento("archivio ZIP con un file troppo grande: " + nome);
        zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        if (!f) throw ErroreAggiornamento("impossibile leggere " + nome + " dall'archivio ZIP");
        std::string testo(static_cast<size_t>(st.size), '\0');
        const zip_int64_t letti = zip_fread(f, testo.data(), st.size);
        zip_fclose(f);
        if (letti < 0 || static_cast<zip_uint64_t>(letti) != st.size)
            throw ErroreAggiornamento("archivio ZIP rovinato: " + nome);
        return testo;
    }
    throw ErroreAggiornamento("l'archivio ZIP non contiene alcun file");
}

std::vector<RigaAggiornamento> RigheDaSorgente(const std::string& contenuto) {
    switch (RiconosciSorgente(contenuto)) {
    case TipoSorgente::Zip: {
        const auto testo = EstraiDaZip(contenuto);
        if (RiconosciSorgente(testo) == TipoSorgente::Zip) throw ErroreAggiornamento("ZIP dentro un ZIP");
        return RigheDaSorgente(testo);
    }
    case TipoSorgente::Storico:
        return RigheDaStorico(contenuto);
    case TipoSorgente::TestoArchivio:
        return RigheDaTesto(contenuto);
    case TipoSorgente::Sconosciuto:
        break;
    }
    throw ErroreAggiornamento("il contenuto non è un file di estrazioni riconosciuto");
}

std::string DifettoRiga(const RigaAggiornamento& riga) {
    Data d;
    if (!LeggiDataTesto(riga.Data, d)) return "data non valida \"" + riga.Data + "\"";
    if (auto implausibile = DataImplausibile(d, UltimaDataPlausibile()); !implausibile.empty())
        return implausibile;
    for (size_t k = 0; k < riga.Celle.size(); ++k) {
        const auto difetto = DifettoCella(riga.Celle[k]);
        if (!difetto.empty())
            return std::string("la ruota ").append(NomiRuote[k]).append(" ").append(difetto);
    }
    return {};
}

EsitoControllo ControllaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                              const ProgressoControllo& progresso) {
    EsitoControllo esito;
    esito.Righe.resize(righe.size());
    const int n = static_cast<int>(righe.size());
    int anomalie = 0;
    for (int i = n - 1; i >= 0; --i) {
        if (progresso) progresso(n - 1 - i, n);
        const auto& r = righe[static_cast<size_t>(i)];
        auto& e = esito.Righe[static_cast<size_t>(i)];
        if (auto difetto = DifettoRiga(r); !difetto.empty()) {
            e.Segno = Marca::NonValida;
            e.Difetto = difetto;
            esito.Resoconto.push_back(
                std::string("Riga ").append(std::to_string(i + 1)).append(" non valida: ").append(difetto));
            ++anomalie;
            continue;
        }
        const auto presente = db.Trova(ComeEstrazione(r).Data);
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
    EsitoApplicazione ris;
    const auto [datareg, orareg] = DataOraRegistrazione();
    Transaction tr(db.Db());
    for (size_t i = 0; i < righe.size() && i < esiti.size(); ++i) {
        const auto& e = esiti[i];
        if (e.Segno != Marca::DaImportare && !(corregge && e.Segno == Marca::Errata)) continue;
        const auto estrazione = ComeEstrazione(righe[i]);
        try {
            if (e.Segno == Marca::DaImportare) {
                if (db.Trova(estrazione.Data)) continue;
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
