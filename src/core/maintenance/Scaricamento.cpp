// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/Scaricamento.h"

#include <curl/curl.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "core/archive/CauseSistema.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace {

/// libcurl's process-wide set-up, once, before the first transfer.
void Inizializza() {
    static const bool fatto = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    if (!fatto) throw ErroreScaricamento("impossibile inizializzare i trasferimenti");
}

/// The body as it arrives, refused past the limit.
struct Ricezione {
    std::string Corpo;
    long long Massimo = MassimoScaricamento;
    bool Superato = false;
};

size_t Ricevi(char* dati, size_t, size_t quanti, void* destinazione) {
    auto& r = *static_cast<Ricezione*>(destinazione);
    if (static_cast<long long>(r.Corpo.size() + quanti) > r.Massimo) {
        r.Superato = true;
        return 0; // libcurl then fails the transfer
    }
    r.Corpo.append(dati, quanti);
    return quanti;
}

int Avanzamento(void* p, curl_off_t totali, curl_off_t ricevuti, curl_off_t, curl_off_t) {
    const auto& c = *static_cast<const ControlloScaricamento*>(p);
    if (c.Interrompi && c.Interrompi->load()) return 1;
    if (c.Progresso) c.Progresso(ricevuti, totali);
    return 0;
}

/// "16 MB", "1000 byte": a size as the user reads it.
std::string Misura(long long byte) {
    constexpr long long mega = 1024 * 1024;
    if (byte >= mega && byte % mega == 0) return std::to_string(byte / mega) + " MB";
    if (byte >= 1024 && byte % 1024 == 0) return std::to_string(byte / 1024) + " KB";
    return std::to_string(byte) + " byte";
}

std::string Esegui(const std::string& indirizzo, const ControlloScaricamento& c) {
    Inizializza();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> h(curl_easy_init(), &curl_easy_cleanup);
    if (!h) throw ErroreScaricamento("impossibile preparare il trasferimento");
    Ricezione ricezione;
    ricezione.Massimo = c.MassimoByte;
    char errore[CURL_ERROR_SIZE] = {};
    CURL* e = h.get();
    curl_easy_setopt(e, CURLOPT_URL, indirizzo.c_str());
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errore);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Ricevi);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &ricezione);
    // A size the server announces past the limit fails at once, before the body.
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(c.MassimoByte));
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
    if (esito != CURLE_OK)
        throw ErroreScaricamento(CausaTrasferimento(esito, errore, ricezione.Superato, c.MassimoByte));
    return std::move(ricezione.Corpo);
}

void ScriviAlSuoPosto(const std::string& destinazione, const std::string& contenuto) {
    namespace fs = std::filesystem;
    const fs::path d = PercorsoDaTesto(destinazione);
    const auto fallisci = [&](const std::string& causa) {
        throw ErroreScaricamento("impossibile scrivere " + destinazione + ": " + causa);
    };
    std::error_code ec;
    if (fs::is_directory(d, ec)) fallisci(CausaSistema(EISDIR));
    std::random_device rd;
    std::string nome = ".";
    nome.append(TestoDaPercorso(d.filename())).append(".tmp").append(std::to_string(rd()));
    const fs::path temporaneo = d.parent_path() / PercorsoDaTesto(nome);
    {
        errno = 0;
        std::ofstream out(temporaneo, std::ios::binary | std::ios::trunc);
        if (!out) fallisci(CausaSistema(errno));
        out << contenuto;
        out.flush();
        if (!out) {
            const int causa = errno;
            out.close();
            fs::remove(temporaneo, ec);
            fallisci(CausaSistema(causa));
        }
    }
    fs::rename(temporaneo, d, ec);
    if (ec) {
        const auto causa = CausaSistema(ec);
        fs::remove(temporaneo, ec);
        fallisci(causa);
    }
}

} // namespace

std::string SuperaIlLimite(long long massimoByte) {
    return "il file supera il limite di " + Misura(massimoByte) + " per un file di aggiornamento";
}

std::string CausaTrasferimento(int codice, const std::string& dettaglio, bool limite, long long massimoByte) {
    const auto libreria = [&] {
        std::string testo = curl_easy_strerror(static_cast<CURLcode>(codice));
        if (!dettaglio.empty() && dettaglio != testo) testo.append(": ").append(dettaglio);
        return " (" + testo + ")";
    };
    switch (codice) {
    case CURLE_OK:
        return "nessun errore";
    case CURLE_UNSUPPORTED_PROTOCOL:
        // libcurl gives the same code to an answer without a status line, which it refuses.
        if (dettaglio.find("HTTP/0.9") != std::string::npos)
            return "il server ha risposto senza intestazioni HTTP (HTTP/0.9): risposta rifiutata";
        return "protocollo non ammesso: l'indirizzo deve iniziare con http://, https://, ftp:// o ftps://";
    case CURLE_URL_MALFORMAT:
        return "indirizzo non valido";
    case CURLE_NOT_BUILT_IN:
    case CURLE_FAILED_INIT:
    case CURLE_FUNCTION_NOT_FOUND:
    case CURLE_BAD_FUNCTION_ARGUMENT:
    case CURLE_UNKNOWN_OPTION:
    case CURLE_SETOPT_OPTION_SYNTAX:
    case CURLE_RECURSIVE_API_CALL:
        return "il componente dei trasferimenti non è utilizzabile" + libreria();
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "indirizzo del server proxy non trovato";
    case CURLE_PROXY:
        return "il server proxy ha rifiutato la connessione";
    case CURLE_COULDNT_RESOLVE_HOST:
        return "indirizzo del server non trovato";
    case CURLE_COULDNT_CONNECT:
        return "connessione rifiutata";
    case CURLE_INTERFACE_FAILED:
    case CURLE_NO_CONNECTION_AVAILABLE:
        return "nessuna connessione di rete disponibile";
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_RTSP_CSEQ_ERROR:
    case CURLE_RTSP_SESSION_ERROR:
        return "il server ha dato una risposta non valida";
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_TFTP_PERM:
        return "il server ha negato l'accesso al file";
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
    case CURLE_TFTP_NOSUCHUSER:
        return "il server ha rifiutato l'accesso (nome utente o password)";
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_WEIRD_PASS_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_FTP_PRET_FAILED:
    case CURLE_FTP_BAD_FILE_LIST:
    case CURLE_QUOTE_ERROR:
        return "il server FTP non ha eseguito il trasferimento" + libreria();
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_TFTP_NOTFOUND:
        return "file non trovato sul server";
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_HTTP3:
    case CURLE_QUIC_CONNECT_ERROR:
        return "errore del protocollo HTTP/2 o HTTP/3 nella risposta del server";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_CHUNK_FAILED:
        return "trasferimento interrotto prima della fine";
    case CURLE_FILESIZE_EXCEEDED:
        return SuperaIlLimite(massimoByte);
    case CURLE_WRITE_ERROR:
        // The only writer is the program's own, which refuses a body past the limit.
        if (limite) return SuperaIlLimite(massimoByte);
        return "impossibile conservare i dati ricevuti";
    case CURLE_OUT_OF_MEMORY:
        return "memoria insufficiente";
    case CURLE_OPERATION_TIMEDOUT:
        return "il server non ha risposto in tempo";
    case CURLE_ABORTED_BY_CALLBACK:
        return "trasferimento annullato";
    case CURLE_TOO_MANY_REDIRECTS:
        return "troppi reindirizzamenti";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return "connessione sicura non verificata: il certificato del server non è valido";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_CLIENTCERT:
        return "connessione sicura non riuscita" + libreria();
    case CURLE_BAD_CONTENT_ENCODING:
        return "il server ha inviato dati compressi non leggibili";
    case CURLE_REMOTE_DISK_FULL:
        return "disco pieno sul server";
    default:
        // A fault the program never expects (uploads, resumes, other protocols): named in Italian,
        // the library's words in brackets for whoever has to look into it.
        return "trasferimento non riuscito" + libreria();
    }
}

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
