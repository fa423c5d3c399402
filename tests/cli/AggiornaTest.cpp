// SPDX-License-Identifier: GPL-3.0-or-later
// trivalto-cli aggiorna: the check printed, the apply, the official per-wheel archive served zipped
// on 127.0.0.1, and failures that leave the archive as it was; hostile lines, damaged ZIPs, the size
// and draw limits, and the messages and exit statuses.
#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <sstream>

#include "ServerProva.h"
#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/maintenance/AiutiAggiornamento.h"

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

namespace {

/// `aggiorna` run in-process with the program folder `cartella`.
struct Esecuzione {
    int Stato = -1;
    std::string Uscita, Errori;
};

Esecuzione Aggiorna(const std::string& cartella, std::vector<std::string> argomenti) {
    argomenti.insert(argomenti.begin(), "aggiorna");
    std::ostringstream out, err;
    Esecuzione e;
    e.Stato = cli::Principale(argomenti, {cartella}, out, err);
    e.Uscita = out.str();
    e.Errori = err.str();
    return e;
}

/// An archive database of the real draws but the last `senza`.
void ArchivioSenzaLeUltime(const std::string& file, size_t senza) {
    auto db = DatabaseArchivio::ApriOCrea(file);
    Transaction tr(db->Db());
    for (size_t i = 0; i + senza < RigheReali().size(); ++i)
        db->Inserisci(RigheReali()[i], "2026-12-08", "10:00:00");
    tr.Conferma();
}

/// A refusal: status 1, one line naming the phase, the archive byte for byte as it was.
void Rifiutato(const std::string& cartella, const std::vector<std::string>& argomenti,
               const std::string& archivio, const std::string& atteso) {
    const auto prima = Leggi(archivio);
    const auto e = Aggiorna(cartella, argomenti);
    EXPECT_EQ(e.Stato, 1) << atteso << ": " << e.Errori;
    EXPECT_EQ(e.Errori.rfind("Aggiornamento non riuscito (", 0), 0u) << e.Errori;
    EXPECT_NE(e.Errori.find(atteso), std::string::npos) << e.Errori;
    EXPECT_EQ(Conta(e.Errori, "\n"), 1) << e.Errori;
    EXPECT_EQ(Leggi(archivio), prima) << atteso;
}

} // namespace

// Hostile lines through `aggiorna`: each a row "non valida" with its cause, and the
// apply writes the valid draws only, never the first draw of a glued line nor one of a repeated date.
TEST(CliAggiorna, RigheOstiliNonScrivonoNullaDiSbagliato) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    ArchivioSenzaLeUltime(archivio, 10);
    const auto& reali = RigheReali();
    const size_t n = reali.size();
    const auto linea = [](const RigaEstrazione& r) { return ScriviLineaArchivioTesto(r); };
    auto zero = reali[n - 5], novantuno = reali[n - 4], altra = reali[n - 3];
    zero.Celle[0].replace(0, 2, "00");
    novantuno.Celle[1].replace(12, 2, "91");
    altra.Celle[2] = "01-02-03-04-05";
    const std::string testo = "\xEF\xBB\xBF" + linea(reali[n - 10]) + "\r\n" +       // 1: to import
                              linea(reali[n - 9]) + linea(reali[n - 8]) + "\r\n" +   // 2: two glued
                              "\"" + linea(reali[n - 7]).substr(1) + "\r\n" +        // 3: open quote
                              linea(reali[n - 6]) + "\r\n" +                         // 4: to import
                              linea(zero) + "\r\n" + linea(novantuno) + "\r\n" +     // 5, 6: 00 and 91
                              linea(reali[n - 3]) + "\r\n" + linea(altra) + "\r\n" + // 7, 8: one date twice
                              linea(reali[n - 2]) + "\r" + linea(reali[n - 1]) + "\r\n"; // 9: a bare CR
    std::ofstream(c / "ostile.txt", std::ios::binary) << testo;
    auto e = Aggiorna(c.Percorso().string(), {"--da", c / "ostile.txt", "--archivio", archivio, "--applica"});
    ASSERT_EQ(e.Stato, 0) << e.Errori;
    EXPECT_EQ(Conta(e.Uscita, "\timporta\n"), 2) << e.Uscita;
    EXPECT_EQ(Conta(e.Uscita, "\tnon valida\n"), 7) << e.Uscita;
    for (const std::string& riga : std::vector<std::string>{
             "Riga 2 non valida: riga troppo lunga (350 caratteri)\n",
             "Riga 3 non valida: data non valida \"\"" + reali[n - 7].Data.substr(1) + "\"\n",
             "Riga 5 non valida: ruota Bari non valida \"" + zero.Celle[0] + "\"\n",
             "Riga 6 non valida: ruota Cagliari non valida \"" + novantuno.Celle[1] + "\"\n",
             "Riga 7 non valida: estrazione del " + reali[n - 3].Data +
                 " ripetuta nel file (anche alla riga 8)\n",
             "Riga 8 non valida: estrazione del " + reali[n - 3].Data +
                 " ripetuta nel file (già alla riga 7)\n",
             "Riga 9 non valida: a capo non valido al carattere 176 (CR senza LF): più righe lette come "
             "una\n",
             "Aggiunta estrazione del" + reali[n - 10].Data + "\n",
             "Aggiunta estrazione del" + reali[n - 6].Data + "\n", "aggiunti N° 2 record\n"})
        EXPECT_NE(e.Uscita.find(riga), std::string::npos) << riga << e.Uscita;
    // The UTF-8 mark is not in the first date, and the bare CR is no line break in the table.
    EXPECT_NE(e.Uscita.find("\n\t" + reali[n - 10].Data + "\t"), std::string::npos);
    EXPECT_EQ(Conta(e.Uscita, "\n\t"), 10) << e.Uscita; // header and nine rows
    auto attese = std::vector(reali.begin(), reali.end() - 10);
    attese.push_back(reali[n - 10]);
    attese.push_back(reali[n - 6]);
    std::sort(attese.begin(), attese.end(), [](const RigaEstrazione& a, const RigaEstrazione& b) {
        Data x, y;
        LeggiDataTesto(a.Data, x);
        LeggiDataTesto(b.Data, y);
        return IsoData(x) < IsoData(y);
    });
    EXPECT_EQ(DatabaseArchivio::Apri(archivio)->LeggiTutte(), attese);
}

// A damaged ZIP, a source past the size limit and an apply past 9,999 draws
// are refused whole with one Italian line, and the archive stays byte for byte as it was.
TEST(CliAggiorna, ZipDanneggiatoLimitiEMessaggi) {
    CartellaTemporanea c;
    const auto cartella = c.Percorso().string();
    const auto archivio = c / "a.mdb";
    ArchivioSenzaLeUltime(archivio, 10);
    const std::string coda = CodaStorico(110);
    // Stored, so that one changed byte of the draws leaves every header right: only the CRC tells.
    auto zip = Zip({{"storico.txt", coda}}, ZIP_CM_STORE);
    std::ofstream(c / "buono.zip", std::ios::binary) << zip;
    size_t dove = zip.find(coda.substr(500, 30));
    while (!std::isdigit(static_cast<unsigned char>(zip[dove])))
        ++dove;
    zip[dove] = zip[dove] == '3' ? '4' : '3';
    std::ofstream(c / "rotto.zip", std::ios::binary) << zip;
    const std::string crc =
        "i dati non corrispondono al loro codice di controllo (CRC): archivio ZIP danneggiato";
    Rifiutato(cartella, {"--da", c / "rotto.zip", "--archivio", archivio, "--applica"}, archivio,
              "(lettura del file), archivio non modificato: archivio ZIP non utilizzabile (storico.txt): " +
                  crc);
    {
        ServerProva server(200, zip);
        Rifiutato(cartella, {"--da", server.Indirizzo("/storico.zip"), "--archivio", archivio, "--applica"},
                  archivio, crc);
    }
    std::ofstream(c / "mezzo.zip", std::ios::binary) << zip.substr(0, zip.size() / 2);
    Rifiutato(cartella, {"--da", c / "mezzo.zip", "--archivio", archivio}, archivio,
              "il file non è un archivio ZIP, o ne è solo una parte (manca il suo indice)");
    // Sizes: a file without an end, a folder.
    Rifiutato(
        cartella, {"--da", "/dev/zero", "--archivio", archivio}, archivio,
        "(lettura del file), archivio non modificato: /dev/zero: il file supera il limite di 16 MB per un "
        "file di aggiornamento");
    Rifiutato(cartella, {"--da", cartella, "--archivio", archivio}, archivio,
              cartella + " è una cartella, non un file di aggiornamento");
    // Addresses: a protocol the program does not use, an address that is none; the scheme in capitals
    // is still the address it names.
    Rifiutato(cartella, {"--da", "gopher://127.0.0.1/x", "--archivio", archivio}, archivio,
              "(scaricamento), archivio non modificato: protocollo non ammesso");
    Rifiutato(cartella, {"--da", "http://", "--archivio", archivio}, archivio,
              "(scaricamento), archivio non modificato: indirizzo non valido");
    {
        ServerProva server(200, Leggi(c / "buono.zip"));
        auto indirizzo = server.Indirizzo("/storico.zip");
        indirizzo.replace(0, 4, "HTTP");
        const auto e = Aggiorna(cartella, {"--da", indirizzo, "--archivio", archivio});
        EXPECT_EQ(e.Stato, 0) << e.Errori;
        EXPECT_EQ(Conta(e.Uscita, "\timporta\n"), 10);
    }

    // The apply that would pass 9,999 draws: nothing written, not even what would fit.
    const auto pieno = c / "pieno.mdb";
    std::vector<RigaEstrazione> nuove;
    {
        auto db = DatabaseArchivio::ApriOCrea(pieno);
        Transaction tr(db->Db());
        Data d{1, 1, 1900};
        for (int i = 0; i < ArchivioMemoria::MassimoEstrazioni + 2; ++i) {
            RigaEstrazione r{TestoData(d), {}};
            r.Celle.fill("01-02-03-04-05");
            if (i < ArchivioMemoria::MassimoEstrazioni - 1)
                db->Inserisci(r, "2026-12-08", "10:00:00");
            else
                nuove.push_back(r);
            if (++d.giorno; !DataValida(d)) {
                d.giorno = 1;
                if (++d.mese > 12) d.mese = 1, ++d.anno;
            }
        }
        tr.Conferma();
    }
    std::ofstream(c / "tre.txt", std::ios::binary) << ScriviLineaArchivioTesto(nuove[0]) << "\r\n"
                                                   << ScriviLineaArchivioTesto(nuove[1]) << "\r\n"
                                                   << ScriviLineaArchivioTesto(nuove[2]) << "\r\n";
    Rifiutato(
        cartella, {"--da", c / "tre.txt", "--archivio", pieno, "--applica"}, pieno,
        "(scrittura), archivio non modificato: l'archivio avrebbe 10001 estrazioni, più del massimo di 9999: "
        "nessuna estrazione scritta");
    EXPECT_EQ(DatabaseArchivio::Apri(pieno)->Conta(), ArchivioMemoria::MassimoEstrazioni - 1);
}

// The program database is named when it is its fault, and only options give 2.
TEST(CliAggiorna, DatabaseDelProgrammaEStatiDiUscita) {
    CartellaTemporanea c;
    const auto cartella = c.Percorso().string();
    const auto archivio = c / "a.mdb";
    ArchivioSenzaLeUltime(archivio, 10);
    const auto programma = c / DatabaseProgramma::NomeFile;
    Rifiutato(cartella, {"--archivio", archivio}, archivio,
              "(lettura del database del programma " + programma +
                  "), archivio non modificato: file non trovato");
    std::ofstream(programma, std::ios::binary) << std::string(8192, '\x5a');
    Rifiutato(cartella, {"--archivio", archivio}, archivio,
              "(lettura del database del programma " + programma +
                  "), archivio non modificato: il file non è un database di questo programma");
    // The same for the other commands that read it: status 1, the program database named.
    for (const auto& comando : std::vector<std::vector<std::string>>{
             {"analizza"}, {"costruttore"}, {"verifica"}, {"esporta", "nazionale", c / "n.txt"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::Principale(comando, {cartella}, out, err), 1) << comando[0] << ": " << err.str();
        EXPECT_EQ(err.str().rfind("Impossibile leggere il database del programma " + programma +
                                      ": il file non è un database di questo programma",
                                  0),
                  0u)
            << err.str();
        EXPECT_EQ(Conta(err.str(), "\n"), 1) << err.str();
    }
    std::filesystem::remove(programma);
    for (const auto& comando :
         std::vector<std::vector<std::string>>{{"analizza"}, {"esporta", "nazionale", c / "n.txt"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::Principale(comando, {cartella}, out, err), 1) << err.str();
        EXPECT_EQ(err.str(),
                  "Impossibile leggere il database del programma " + programma + ": file non trovato\n");
    }
    // An option wrong in itself is told first, whatever else is wrong: 2.
    std::ostringstream out, err;
    EXPECT_EQ(cli::Principale({"analizza", "--mensile", "32"}, {cartella}, out, err), 2) << err.str();
    for (const auto& errate : std::vector<std::vector<std::string>>{
             {"--da"}, {"--da", ""}, {"--boh"}, {"--applica", "--applica"}, {"x"}})
        EXPECT_EQ(Aggiorna(cartella, errate).Stato, 2) << errate[0];
}
