#include "core/maintenance/Scaricamento.h"

#include <curl/curl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace trivalto {

namespace {

/// libcurl's process-wide set-up, once, before the first transfer.
void Inizializza() {
    static const bool fatto = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    if (!fatto) throw ErroreScaricamento("impossibile inizializzare i trasferimenti");
}

// An update file is a few megabytes; a body past this is no update file, and is refused.
constexpr size_t MassimoCorpo = 256u * 1024 * 1024;

size_t Ricevi(char* dati, size_t, size_t quanti, void* destinazione) {
    auto& corpo = *static_cast<std::string*>(destinazione);
    if (corpo.size() + quanti > MassimoCorpo) return 0;
    corpo.append(dati, quanti);
    return quanti;
}

int Avanzamento(void* p, curl_off_t totali, curl_off_t ricevuti, curl_off_t, curl_off_t) {
    const auto& c = *static_cast<const ControlloScaricamento*>(p);
    if (c.Interrompi && c.Interrompi->load()) return 1;
    if (c.Progresso) c.Progresso(ricevuti, totali);
    return 0;
}

std::string Causa(CURLcode codice, const char* dettaglio) {
    std::string testo;
    switch (codice) {
    case CURLE_COULDNT_CONNECT:
        testo = "connessione rifiutata";
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
        testo = "indirizzo del server non trovato";
        break;
    case CURLE_OPERATION_TIMEDOUT:
        testo = "il server non ha risposto in tempo";
        break;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        testo = "trasferimento interrotto prima della fine";
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        testo = "trasferimento annullato";
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
        testo = "connessione sicura non verificata";
        break;
    case CURLE_TOO_MANY_REDIRECTS:
        testo = "troppi reindirizzamenti";
        break;
    default:
        // No Italian wording for the rarer faults: the library's own words, with its detail.
        testo = curl_easy_strerror(codice);
        if (dettaglio && *dettaglio) testo.append(" (").append(dettaglio).append(")");
    }
    return testo;
}

std::string Esegui(const std::string& indirizzo, const ControlloScaricamento& c) {
    Inizializza();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> h(curl_easy_init(), &curl_easy_cleanup);
    if (!h) throw ErroreScaricamento("impossibile preparare il trasferimento");
    std::string corpo;
    char errore[CURL_ERROR_SIZE] = {};
    CURL* e = h.get();
    curl_easy_setopt(e, CURLOPT_URL, indirizzo.c_str());
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errore);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Ricevi);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &corpo);
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https,ftp,ftps");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp,ftps");
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, c.SecondiConnessione);
    curl_easy_setopt(e, CURLOPT_TIMEOUT, c.SecondiTotali);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(e, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Avanzamento);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &c);
    const CURLcode esito = curl_easy_perform(e);
    if (esito == CURLE_HTTP_RETURNED_ERROR) {
        long stato = 0;
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &stato);
        throw ErroreScaricamento("il server ha risposto " + std::to_string(stato) +
                                 (stato == 404   ? " (file non trovato)"
                                  : stato >= 500 ? " (errore del server)"
                                                 : ""));
    }
    if (esito != CURLE_OK) throw ErroreScaricamento(Causa(esito, errore));
    return corpo;
}

void ScriviAlSuoPosto(const std::string& destinazione, const std::string& contenuto) {
    namespace fs = std::filesystem;
    const fs::path d(destinazione);
    std::random_device rd;
    std::string nome = ".";
    nome.append(d.filename().string()).append(".tmp").append(std::to_string(rd()));
    const fs::path temporaneo = d.parent_path() / nome;
    {
        std::ofstream out(temporaneo, std::ios::binary | std::ios::trunc);
        out << contenuto;
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temporaneo, ec);
            throw ErroreScaricamento("impossibile scrivere " + destinazione);
        }
    }
    std::error_code ec;
    fs::rename(temporaneo, d, ec);
    if (ec) {
        fs::remove(temporaneo, ec);
        throw ErroreScaricamento("impossibile scrivere " + destinazione);
    }
}

} // namespace

std::string Scarica(const std::string& indirizzo, const ControlloScaricamento& controllo) {
    return Esegui(indirizzo, controllo);
}

void ScaricaInFile(const std::string& indirizzo, const std::string& destinazione,
                   const ControlloScaricamento& controllo) {
    ScriviAlSuoPosto(destinazione, Esegui(indirizzo, controllo));
}

void ScaricaFtp(const std::string& cartellaFtp, const std::string& remoto, const std::string& destinazione,
                const ControlloScaricamento& controllo) {
    std::string indirizzo = cartellaFtp;
    if (indirizzo.empty() || indirizzo.back() != '/') indirizzo += '/';
    indirizzo += remoto;
    ScriviAlSuoPosto(destinazione, Esegui(indirizzo, controllo));
}

} // namespace trivalto
