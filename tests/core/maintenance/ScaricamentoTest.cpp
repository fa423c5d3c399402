// Transfers against servers the test starts on 127.0.0.1: a whole body, a redirect, and every way a
// transfer fails, each leaving the previous downloaded file as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ServerProva.h"
#include "Supporto.h"
#include "core/maintenance/Scaricamento.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

std::string Leggi(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

/// The cause of the failure of a download over `file`, which must keep its old content.
std::string Fallisce(const std::string& indirizzo, const std::string& file, ControlloScaricamento c = {}) {
    try {
        ScaricaInFile(indirizzo, file, c);
    } catch (const ErroreScaricamento& e) {
        EXPECT_EQ(Leggi(file), "vecchio") << indirizzo;
        return e.what();
    }
    ADD_FAILURE() << "trasferimento riuscito: " << indirizzo;
    return {};
}

} // namespace

TEST(Scaricamento, CorpoInteroERedirezione) {
    const std::string corpo(100000, 'x');
    ServerProva server(200, corpo);
    EXPECT_EQ(Scarica(server.Indirizzo()), corpo);
    CartellaTemporanea c;
    long long visti = 0;
    ControlloScaricamento ctl;
    ctl.Progresso = [&](long long ricevuti, long long) { visti = ricevuti; };
    ScaricaInFile(server.Indirizzo(), c / "Estr_Agg.txt", ctl);
    EXPECT_EQ(Leggi(c / "Estr_Agg.txt"), corpo);
    EXPECT_EQ(visti, 100000);
    ServerProva rimanda(302, "", ServerProva::Modo::Risponde, "Location: " + server.Indirizzo() + "\r\n");
    EXPECT_EQ(Scarica(rimanda.Indirizzo()), corpo);
    ServerProva vuoto(200, "");
    EXPECT_EQ(Scarica(vuoto.Indirizzo()), "");
}

TEST(Scaricamento, OgniGuastoLasciaIlFilePrecedente) {
    CartellaTemporanea c;
    const auto file = c / "Estr_Agg.txt";
    std::ofstream(file, std::ios::binary) << "vecchio";
    {
        ServerProva server(404, "non c'è");
        EXPECT_EQ(Fallisce(server.Indirizzo(), file), "il server ha risposto 404 (file non trovato)");
    }
    EXPECT_EQ(Fallisce(ServerProva::IndirizzoChiuso(), file).rfind("connessione rifiutata", 0), 0u);
    {
        ServerProva server(200, std::string(50000, 'y'), ServerProva::Modo::Tronca);
        EXPECT_EQ(Fallisce(server.Indirizzo(), file).rfind("trasferimento interrotto prima della fine", 0),
                  0u);
    }
    {
        ServerProva server(200, "mai", ServerProva::Modo::Muto);
        ControlloScaricamento breve;
        breve.SecondiTotali = 1;
        EXPECT_EQ(Fallisce(server.Indirizzo(), file, breve).rfind("il server non ha risposto in tempo", 0),
                  0u);
    }
    {
        ServerProva server(200, "mai", ServerProva::Modo::Muto);
        std::atomic<bool> stop{true};
        ControlloScaricamento fermo;
        fermo.Interrompi = &stop;
        EXPECT_EQ(Fallisce(server.Indirizzo(), file, fermo).rfind("trasferimento annullato", 0), 0u);
    }
    EXPECT_THROW(Scarica("file:///etc/passwd"), ErroreScaricamento); // only network protocols
}
