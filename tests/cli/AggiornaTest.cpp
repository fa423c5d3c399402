// trivalto-cli aggiorna: the check printed, the apply, the official per-wheel archive served zipped
// on 127.0.0.1, and failures that leave the archive as it was.
#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <sstream>

#include "ServerProva.h"
#include "Supporto.h"
#include "cli/Comandi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

int Conta(const std::string& testo, const std::string& parola) {
    int n = 0;
    for (size_t i = testo.find(parola); i != std::string::npos; i = testo.find(parola, i + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliAggiorna, ControlloApplicazioneEGuasti) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    {
        auto db = DatabaseArchivio::ApriOCrea(archivio);
        Transaction tr(db->Db());
        for (size_t i = 0; i + 10 < RigheReali().size(); ++i)
            db->Inserisci(RigheReali()[i], "2026-12-08", "10:00:00");
        tr.Conferma();
    }
    const auto esegui = [&](std::vector<std::string> a, std::string* uscita = nullptr) {
        a.insert(a.begin(), "aggiorna");
        std::ostringstream out, err;
        const int stato = cli::Principale(a, {c.Percorso().string()}, out, err);
        if (uscita) *uscita = out.str() + err.str();
        return stato;
    };
    std::string testo;
    ASSERT_EQ(esegui({"--da", PercorsoDati("aggiornamento-ultime100.txt"), "--archivio", archivio}, &testo),
              0)
        << testo;
    EXPECT_EQ(Conta(testo, "\timporta\n"), 10);
    EXPECT_EQ(Conta(testo, "\tuguale\n"), 90);
    EXPECT_NE(testo.find("## FgImporta\n\tData    estraz   \tBari\tCagliari"), std::string::npos);
    EXPECT_NE(testo.find("Manca estrazione del: 21/08/2026\n"), std::string::npos);
    EXPECT_EQ(DatabaseArchivio::Apri(archivio)->Conta(), static_cast<int>(RigheReali().size()) - 10);

    // The official archive's last 100 draws, zipped and served: the same ten to import, then written.
    const std::string coda = CodaStorico(1100);
    // Each transfer fault: one line naming the phase and the cause, and the archive byte for byte as it was.
    const auto prima = Leggi(archivio);
    const auto guasto = [&](const std::string& da, const std::string& atteso) {
        EXPECT_EQ(esegui({"--da", da, "--archivio", archivio, "--applica"}, &testo), 1) << atteso;
        EXPECT_EQ(testo.rfind("Aggiornamento non riuscito (", 0), 0u) << testo;
        EXPECT_NE(testo.find(atteso), std::string::npos) << testo;
        EXPECT_EQ(Conta(testo, "\n"), 1) << testo;
        EXPECT_EQ(Leggi(archivio), prima) << atteso;
    };
    {
        ServerProva non(404, ""), errore(500, ""), ciclo(302, "", ServerProva::Modo::Ciclo);
        ServerProva tronca(200, ZipDi("storico.txt", coda), ServerProva::Modo::Tronca);
        guasto(non.Indirizzo(), "(scaricamento), archivio non modificato: il server ha risposto 404");
        guasto(errore.Indirizzo(), "(scaricamento), archivio non modificato: il server ha risposto 500");
        guasto(ciclo.Indirizzo(), "(scaricamento), archivio non modificato: troppi reindirizzamenti");
        guasto(tronca.Indirizzo(), "(scaricamento), archivio non modificato: trasferimento interrotto");
        guasto(ServerProva::IndirizzoChiuso(),
               "(scaricamento), archivio non modificato: connessione rifiutata");
    }
    guasto(c / "manca.txt", "(lettura del file)");
    std::ofstream(c / "rotto.zip", std::ios::binary) << ZipDi("storico.txt", coda).substr(0, 500);
    guasto(c / "rotto.zip", "(lettura del file)");
    ServerProva server(200, ZipDi("storico.txt", coda));
    ASSERT_EQ(esegui({"--da", server.Indirizzo("/storico.zip"), "--archivio", archivio, "--applica"}, &testo),
              0)
        << testo;
    EXPECT_NE(testo.find("## Aggiornamento\n"), std::string::npos);
    EXPECT_NE(testo.find("aggiunti N° 10 record\n"), std::string::npos);
    EXPECT_EQ(DatabaseArchivio::Apri(archivio)->LeggiTutte(), RigheReali());

    EXPECT_EQ(esegui({"--boh"}), 2);
    EXPECT_EQ(esegui({"--archivio", archivio}, &testo), 1); // no configured address, no program database
}
