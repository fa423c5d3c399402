// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small HTTP server on 127.0.0.1 for transfer tests: it answers every request with one status and
// body, or cuts the body midway, or never answers, or sends every request back to itself, or sends
// the body without saying its length, or sends the body alone without any HTTP header (HTTP/0.9).
// It stops when the object goes.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <string>
#include <thread>

namespace trivalto::test {

namespace rete {
#ifdef _WIN32
using Presa = SOCKET;
using Lunghezza = int;
constexpr int NessunSegnale = 0;
inline int Attendi(pollfd* p, int ms) {
    return ::WSAPoll(p, 1, ms);
}
inline void Chiudi(Presa s) {
    ::closesocket(s);
}
inline bool Valida(Presa s) {
    return s != INVALID_SOCKET;
}
// Winsock works only after WSAStartup; once per process is enough.
inline void Avvia() {
    static const bool avviato = [] {
        WSADATA d;
        return ::WSAStartup(MAKEWORD(2, 2), &d) == 0;
    }();
    (void)avviato;
}
#else
using Presa = int;
using Lunghezza = socklen_t;
constexpr int NessunSegnale = MSG_NOSIGNAL;
inline int Attendi(pollfd* p, int ms) {
    return ::poll(p, 1, ms);
}
inline void Chiudi(Presa s) {
    ::close(s);
}
inline bool Valida(Presa s) {
    return s >= 0;
}
inline void Avvia() {}
#endif
} // namespace rete

class ServerProva {
public:
    enum class Modo { Risponde, Tronca, Muto, Ciclo, SenzaLunghezza, Grezzo };

    ServerProva(int stato, std::string corpo, Modo modo = Modo::Risponde, std::string intestazioni = {})
        : stato_(stato), corpo_(std::move(corpo)), intestazioni_(std::move(intestazioni)), modo_(modo) {
        rete::Avvia();
        ascolto_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(ascolto_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        rete::Lunghezza l = sizeof a;
        ::getsockname(ascolto_, reinterpret_cast<sockaddr*>(&a), &l);
        porta_ = ntohs(a.sin_port);
        ::listen(ascolto_, 8);
        thread_ = std::thread([this] { Servi(); });
    }
    ~ServerProva() {
        fine_ = true;
        thread_.join();
        rete::Chiudi(ascolto_);
    }
    std::string Indirizzo(const std::string& percorso = "/Estr_Agg.txt") const {
        return "http://127.0.0.1:" + std::to_string(porta_) + percorso;
    }
    /// An address where nothing listens: a connection there is refused.
    static std::string IndirizzoChiuso() {
        rete::Avvia();
        const rete::Presa s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        rete::Lunghezza l = sizeof a;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &l);
        rete::Chiudi(s);
        return "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/x";
    }

private:
    void Servi() {
        while (!fine_) {
            pollfd p{ascolto_, POLLIN, 0};
            if (rete::Attendi(&p, 50) <= 0) continue;
            const rete::Presa c = ::accept(ascolto_, nullptr, nullptr);
            if (!rete::Valida(c)) continue;
            std::string richiesta;
            char buf[2048];
            while (richiesta.find("\r\n\r\n") == std::string::npos && !fine_) {
                pollfd q{c, POLLIN, 0};
                if (rete::Attendi(&q, 50) <= 0) continue;
                const auto n = ::recv(c, buf, static_cast<int>(sizeof buf), 0);
                if (n <= 0) break;
                richiesta.append(buf, static_cast<size_t>(n));
            }
            if (modo_ == Modo::Muto) {
                while (!fine_)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
            } else if (modo_ == Modo::Grezzo) {
                ::send(c, corpo_.data(), static_cast<int>(corpo_.size()), rete::NessunSegnale);
            } else {
                if (modo_ == Modo::Ciclo) intestazioni_ = "Location: " + Indirizzo() + "\r\n";
                std::string r =
                    "HTTP/1.1 " + std::to_string(modo_ == Modo::Ciclo ? 302 : stato_) + " Risposta\r\n";
                if (modo_ != Modo::SenzaLunghezza)
                    r += "Content-Length: " + std::to_string(corpo_.size()) + "\r\n";
                r += "Connection: close\r\n" + intestazioni_ + "\r\n";
                r += modo_ == Modo::Tronca ? corpo_.substr(0, corpo_.size() / 2) : corpo_;
                // In pieces: a client that stops reading (a body past its limit) must not block the server.
                for (size_t inviati = 0; inviati < r.size() && !fine_;) {
                    pollfd q{c, POLLOUT, 0};
                    if (rete::Attendi(&q, 50) <= 0) continue;
                    const auto n = ::send(c, r.data() + inviati, static_cast<int>(r.size() - inviati),
                                          rete::NessunSegnale);
                    if (n <= 0) break;
                    inviati += static_cast<size_t>(n);
                }
            }
            rete::Chiudi(c);
        }
    }

    int stato_;
    std::string corpo_, intestazioni_;
    Modo modo_;
    rete::Presa ascolto_{};
    int porta_ = 0;
    std::atomic<bool> fine_{false};
    std::thread thread_;
};

} // namespace trivalto::test
