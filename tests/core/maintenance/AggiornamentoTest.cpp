// SPDX-License-Identifier: GPL-3.0-or-later
// Update files: the first-line mark, the three kinds of source, the check against an archive
// database, and the apply in one transaction; on the real draws where it matters. The update reads
// draw lines with the import's own reader: hostile lines and random ones are shown to give the same
// verdict through both, and no apply passes the archive's limit. ZIPs and sizes: ZipAggiornamentoTest.cpp.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <sstream>

#include "Supporto.h"
#include "core/archive/FormatiTesto.h"
#include "core/maintenance/Aggiornamento.h"
#include "core/maintenance/AiutiAggiornamento.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// An archive database holding the first `quante` real draws.
std::unique_ptr<DatabaseArchivio> ArchivioReale(const CartellaTemporanea& c, size_t quante) {
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    Transaction tr(db->Db());
    for (size_t i = 0; i < quante; ++i)
        db->Inserisci(RigheReali()[i], "2026-12-08", "10:00:00");
    tr.Conferma();
    return db;
}

std::string Linea(const RigaEstrazione& r) {
    return ScriviLineaArchivioTesto(r) + "\r\n";
}

/// What the import says of a text: its draws, or the line and message of its refusal.
struct Importazione {
    std::vector<RigaEstrazione> Righe;
    int Riga = -1; // -1: accepted
    std::string Messaggio;
};

Importazione Importa(const std::string& testo) {
    std::istringstream in(testo);
    Importazione i;
    try {
        i.Righe = LeggiArchivioTesto(in);
    } catch (const ErroreFormato& e) {
        i.Riga = e.Riga;
        i.Messaggio = e.what();
    }
    return i;
}

/// The import and the update check agree on `testo`: accepted whole, every row is a draw to import
/// and they are the import's draws; refused at line N, the row of line N is "non valida" with the
/// import's message, and every row before it is either a draw or the first line of a repeated date.
/// Besides, no date is to be imported from two rows. Returns the update's rows.
std::vector<RigaAggiornamento> Concordano(DatabaseArchivio& vuoto, const std::string& testo) {
    const auto imp = Importa(testo);
    const auto righe = RigheDaTesto(testo);
    const auto esito = ControllaRighe(vuoto, righe);
    std::map<std::string, int> daImportare;
    for (size_t i = 0; i < righe.size(); ++i)
        if (esito.Righe[i].Segno == Marca::DaImportare) ++daImportare[righe[i].Data];
    for (const auto& [data, volte] : daImportare)
        EXPECT_EQ(volte, 1) << data;
    if (imp.Riga < 0) {
        for (size_t i = 0; i < righe.size(); ++i)
            EXPECT_EQ(esito.Righe[i].Segno, Marca::DaImportare) << i << " " << esito.Righe[i].Difetto;
        EXPECT_EQ(Estrazioni(righe), imp.Righe);
        return righe;
    }
    bool trovata = false;
    for (size_t i = 0; i < righe.size(); ++i) {
        const auto& r = righe[i];
        const auto& e = esito.Righe[i];
        if (r.Linea < imp.Riga) {
            EXPECT_TRUE(e.Segno == Marca::DaImportare ||
                        e.Difetto.find("ripetuta nel file (anche alla riga") != std::string::npos)
                << r.Linea << ": " << e.Difetto;
        } else if (r.Linea == imp.Riga) {
            trovata = true;
            EXPECT_EQ(e.Segno, Marca::NonValida);
            EXPECT_EQ("riga " + std::to_string(r.Linea) + ": " + e.Difetto, imp.Messaggio);
        }
    }
    EXPECT_TRUE(trovata) << imp.Messaggio;
    return righe;
}

} // namespace

TEST(Aggiornamento, PrimaRigaERigheConVirgole) {
    const std::string draw = ScriviLineaArchivioTesto(RigheReali()[0]);
    ASSERT_EQ(draw.size(), 175u);
    EXPECT_FALSE(PrimoRecordValido(draw + "\r\n"));
    EXPECT_TRUE(PrimoRecordValido(draw + " pr\r\n"));
    EXPECT_TRUE(PrimoRecordValido(draw + "Xpr\r\n")); // any third-last character
    EXPECT_TRUE(PrimoRecordValido(draw + " pr"));
    EXPECT_FALSE(PrimoRecordValido(draw + " pr \r\n"));
    EXPECT_FALSE(PrimoRecordValido("\r\n" + draw + " pr\r\n")); // the first line, blank or not
    EXPECT_FALSE(PrimoRecordValido(""));
    // A UTF-8 mark is no part of the first line, as for the import; UTF-16 is no mark at all.
    EXPECT_TRUE(PrimoRecordValido("\xEF\xBB\xBF" + draw + " pr\r\n"));
    EXPECT_FALSE(PrimoRecordValido(std::string("\xFF\xFE", 2) + draw + " pr\r\n"));
    // A comma or a quote is no separator: the line is one row, refused as the import refuses it.
    auto righe = RigheDaTesto("07/01/1939 58-22,47\r\n");
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].Difetto, "riga troppo corta (19 caratteri)");
    EXPECT_EQ(righe[0].Data, "07/01/1939");
    EXPECT_EQ(righe[0].Celle[0], "58-22,47");
    EXPECT_EQ(righe[0].Linea, 1);
}

TEST(Aggiornamento, TreTipiDiSorgente) {
    const auto testo = Leggi(PercorsoDati("aggiornamento-ultime100.txt"));
    EXPECT_EQ(RiconosciSorgente(testo), TipoSorgente::TestoArchivio);
    const auto righe = RigheDaSorgente(testo);
    ASSERT_EQ(righe.size(), 100u);
    EXPECT_EQ(righe.back().Data, "21/08/2026");
    EXPECT_EQ(righe.back().Celle[10], "51-89-82-70-37");
    EXPECT_EQ(righe.back().Linea, 100);
    // The last 100 draws of the per-wheel archive, zipped: the same rows.
    const std::string coda = CodaStorico(1100);
    const auto zip = ZipDi("storico.txt", coda);
    EXPECT_EQ(RiconosciSorgente(zip), TipoSorgente::Zip);
    EXPECT_EQ(RiconosciSorgente(coda), TipoSorgente::Storico);
    const auto daZip = RigheDaSorgente(zip);
    ASSERT_EQ(daZip.size(), 100u);
    EXPECT_EQ(daZip.back().Linea, 0); // many lines make one row
    EXPECT_EQ(Estrazioni(std::vector(daZip.end() - 99, daZip.end())),
              Estrazioni(std::vector(righe.end() - 99, righe.end())));
    EXPECT_EQ(Rifiuto([] { RigheDaSorgente(std::string("\x01\x02 nessun formato \xff", 17)); }),
              "il contenuto non è un file di estrazioni riconosciuto");
    EXPECT_NE(Rifiuto([] { RigheDaSorgente("PK\x03\x04 rovinato"); }).find("non è un archivio ZIP"),
              std::string::npos);
    // A UTF-8 mark before either layout is skipped, as the import skips it.
    EXPECT_EQ(RigheDaSorgente("\xEF\xBB\xBF" + testo), righe);
    EXPECT_EQ(RiconosciSorgente("\xEF\xBB\xBF" + coda), TipoSorgente::Storico);
    EXPECT_EQ(Estrazioni(RigheDaSorgente("\xEF\xBB\xBF" + coda)), Estrazioni(RigheDaSorgente(coda)));
    // A text without a line that is not blank holds no draw: no row, no fault (as an empty import).
    EXPECT_TRUE(RigheDaSorgente("").empty());
    EXPECT_TRUE(RigheDaSorgente("\r\n  \r\n").empty());
}

TEST(Aggiornamento, ControlloEApplicazioneSullArchivioReale) {
    CartellaTemporanea c;
    const size_t n = RigheReali().size();
    auto db = ArchivioReale(c, n - 10);
    const auto righe = RigheDaSorgente(Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
    const auto esito = ControllaRighe(*db, righe);
    int daImportare = 0, uguali = 0;
    for (const auto& e : esito.Righe) {
        daImportare += e.Segno == Marca::DaImportare;
        uguali += e.Segno == Marca::Uguale;
    }
    EXPECT_EQ(daImportare, 10);
    EXPECT_EQ(uguali, 90);
    ASSERT_EQ(esito.Resoconto.size(), 11u);
    EXPECT_EQ(esito.Resoconto.front(), "Manca estrazione del: 21/08/2026"); // latest first
    EXPECT_EQ(esito.Resoconto.back(), "Nessuna anomalia rilevata");
    const auto applicato = ApplicaRighe(*db, righe, esito.Righe, false);
    EXPECT_EQ(applicato.Aggiunte, 10);
    EXPECT_EQ(applicato.Resoconto.back(), "aggiunti N° 10 record");
    EXPECT_EQ(applicato.Resoconto.front().rfind("Aggiunta estrazione del", 0), 0u);
    EXPECT_EQ(db->LeggiTutte(), RigheReali());
}

TEST(Aggiornamento, DifferenzeRigheNonValideETransazione) {
    CartellaTemporanea c;
    const auto& reali = RigheReali();
    auto db = ArchivioReale(c, 3);
    auto diversa = reali[1];
    diversa.Celle[10] = "01-02-03-04-05"; // differs only on Nazionale
    auto rovinata = reali[3];
    rovinata.Celle[4] = "99-02-03-04-05";
    auto doppia = reali[4];
    doppia.Celle[0] = "07-07-03-04-05";
    std::string testo = Linea(reali[0]) + Linea(diversa) + Linea(rovinata) + Linea(doppia) + Linea(reali[5]) +
                        Linea(reali[6]) + "31/02/1940" + Linea(reali[7]).substr(10);
    const auto righe = RigheDaSorgente(testo);
    ASSERT_EQ(righe.size(), 7u);
    const auto esito = ControllaRighe(*db, righe);
    EXPECT_EQ(esito.Righe[0].Segno, Marca::Uguale);
    EXPECT_EQ(esito.Righe[1].Segno, Marca::Errata);
    EXPECT_TRUE(esito.Righe[1].RuoteUguali[9]);
    EXPECT_FALSE(esito.Righe[1].RuoteUguali[10]);
    // The import's words for the import's faults.
    EXPECT_EQ(esito.Righe[2].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[2].Difetto, "ruota Milano non valida \"99-02-03-04-05\"");
    EXPECT_EQ(esito.Righe[3].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[3].Difetto, "ruota Bari: numero 7 ripetuto");
    EXPECT_EQ(esito.Righe[6].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[6].Difetto, "data non valida \"31/02/1940\"");
    EXPECT_EQ(esito.Righe[4].Segno, Marca::DaImportare);
    const auto ha = [&](const std::string& riga) {
        return std::find(esito.Resoconto.begin(), esito.Resoconto.end(), riga) != esito.Resoconto.end();
    };
    EXPECT_TRUE(ha("Errori Estrazione del " + reali[1].Data));
    EXPECT_TRUE(ha("Riga 3 non valida: ruota Milano non valida \"99-02-03-04-05\""));
    EXPECT_TRUE(ha("Riga 7 non valida: data non valida \"31/02/1940\""));
    EXPECT_FALSE(ha("Nessuna anomalia rilevata"));

    // Without "Corregge estrazioni errate" the different draw stays; invalid rows are never written.
    auto senza = ApplicaRighe(*db, righe, esito.Righe, false);
    EXPECT_EQ(senza.Aggiunte, 2);
    EXPECT_EQ(senza.Modificate, 0);
    EXPECT_EQ(db->Trova(reali[1].Data), reali[1]);
    EXPECT_FALSE(db->Trova(reali[3].Data).has_value());
    EXPECT_EQ(db->Conta(), 5);
    const auto con = ApplicaRighe(*db, righe, esito.Righe, true);
    EXPECT_EQ(con.Modificate, 1);
    EXPECT_EQ(con.Aggiunte, 0); // the two added before are there now: nothing twice
    EXPECT_EQ(con.Resoconto, std::vector<std::string>{"Modificata estrazione del" + reali[1].Data});
    EXPECT_EQ(db->Trova(reali[1].Data)->Celle[10], "01-02-03-04-05");

    // A draw the database refuses: nothing of the apply stays, and the error names it.
    auto db2 = DatabaseArchivio::ApriOCrea(c / "b.mdb");
    db2->Db().Esegui("CREATE TRIGGER rifiuta BEFORE INSERT ON EstrazioniLotto WHEN NEW.DataEstrazione = '" +
                     IsoData([&] {
                         Data d;
                         LeggiDataTesto(reali[6].Data, d);
                         return d;
                     }()) +
                     "' BEGIN SELECT RAISE(ABORT, 'rifiutata'); END");
    const auto esito2 = ControllaRighe(*db2, righe);
    try {
        ApplicaRighe(*db2, righe, esito2.Righe, false);
        FAIL() << "attesa un'eccezione";
    } catch (const ErroreAggiornamento& e) {
        EXPECT_NE(std::string(e.what()).find(reali[6].Data), std::string::npos) << e.what();
    }
    EXPECT_EQ(db2->Conta(), 0);
    EXPECT_FALSE(db2->Db().InTransazione());
}

TEST(Aggiornamento, AnniSecolariERigheSenzaSpaziFinali) {
    RigaEstrazione r{"29/02/2000", {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[10] = "----";
    // An editor that strips trailing blanks leaves 165 characters: the same fields.
    const auto righe = RigheDaTesto(ScriviLineaArchivioTesto(r).substr(0, 165) + "\r\n");
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], (RigaAggiornamento{r.Data, r.Celle, "", 1}));
    EXPECT_EQ(DifettoRiga(righe[0]), "");
    // 1900 and 2100 are no leap years: such a row is never written.
    for (const char* data : {"29/02/1900", "29/02/2100"})
        EXPECT_EQ(DifettoRiga({data, r.Celle, "", 0}), "data non valida \"" + std::string(data) + "\"");
    // A date outside the plausible years and a repeated number, as the import words them.
    EXPECT_EQ(DifettoRiga({"01/01/1870", r.Celle, "", 0}), "data 01/01/1870 non plausibile (prima del 1871)");
    auto doppio = r.Celle;
    doppio[3] = "05-17-33-17-90";
    EXPECT_EQ(DifettoRiga({r.Data, doppio, "", 0}), "ruota Genova: numero 17 ripetuto");
    // The reader's fault comes first.
    EXPECT_EQ(DifettoRiga({r.Data, r.Celle, "riga troppo lunga (350 caratteri)", 1}),
              "riga troppo lunga (350 caratteri)");
}

// Each hostile line a row "non valida" with the import's cause, never read as a
// draw it is not; and the other lines read as the import reads them.
TEST(Aggiornamento, RigheOstiliComeNellImportazione) {
    CartellaTemporanea c;
    auto vuoto = DatabaseArchivio::ApriOCrea(c / "vuoto.mdb");
    const auto a = EstrazioneDel("07/01/2000"), b = EstrazioneDel("08/01/2000"),
               d = EstrazioneDel("10/01/2000");
    const std::string la = ScriviLineaArchivioTesto(a), lb = ScriviLineaArchivioTesto(b),
                      ld = ScriviLineaArchivioTesto(d);
    const auto difetto = [&](const std::string& testo, int linea) {
        const auto righe = Concordano(*vuoto, testo);
        for (const auto& r : righe)
            if (r.Linea == linea) return DifettoRiga(r);
        return std::string("nessuna riga ") + std::to_string(linea);
    };

    // Two draws glued together, and text after a draw: one row, not valid, never its first draw.
    EXPECT_EQ(difetto(la + "\r\n" + lb + ld + "\r\n", 2), "riga troppo lunga (350 caratteri)");
    EXPECT_EQ(difetto(la + " e altro\r\n", 1), "riga troppo lunga (183 caratteri)");
    EXPECT_EQ(difetto(la + " pr" + lb + "\r\n", 1), "riga troppo lunga (353 caratteri)");
    // A line end that is no line end here: bare carriage returns.
    EXPECT_EQ(difetto(la + "\r" + lb + "\r" + ld + "\r", 1),
              "a capo non valido al carattere 176 (CR senza LF): più righe lette come una");
    EXPECT_EQ(difetto(la + "\r  \r\n", 1),
              "a capo non valido al carattere 176 (CR senza LF): più righe lette come una");
    // A quote that opens and never closes: its own line is refused, the rest of the file is read.
    auto righe = Concordano(*vuoto, "\"" + la.substr(1) + "\r\n" + lb + "\r\n" + ld + "\r\n");
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[0].Difetto, "data non valida \"\"7/01/2000\"");
    EXPECT_EQ(Estrazioni({righe[1], righe[2]}), (std::vector{b, d}));
    righe = Concordano(*vuoto, la + "\r\n" + lb.substr(0, 20) + "\"" + lb.substr(21) + "\r\n" + ld + "\r\n");
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[1].Difetto, "ruota Bari non valida \"01-02-03-\"4-05\"");
    EXPECT_TRUE(righe[2].Difetto.empty());
    // A date twice: both rows are marked, the first naming the second and the second the first.
    const auto a2 = EstrazioneDel("07/01/2000", "11-12-13-14-15");
    righe = Concordano(*vuoto, la + "\r\n" + lb + "\r\n\r\n" + ScriviLineaArchivioTesto(a2) + "\r\n");
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[0].Difetto, "estrazione del 07/01/2000 ripetuta nel file (anche alla riga 4)");
    EXPECT_EQ(righe[2].Difetto, "estrazione del 07/01/2000 ripetuta nel file (già alla riga 1)");
    EXPECT_EQ(righe[2].Linea, 4);
    EXPECT_TRUE(righe[1].Difetto.empty());
    // Three times, and once on a line with another fault too: none of them is to be imported.
    righe =
        Concordano(*vuoto, la + "\r\n" + la.substr(0, 100) + "\r\n" + ScriviLineaArchivioTesto(a2) + "\r\n");
    ASSERT_EQ(righe.size(), 3u);
    for (const auto& r : righe)
        EXPECT_FALSE(DifettoRiga(r).empty()) << r.Linea;
    EXPECT_EQ(righe[1].Difetto, "riga troppo corta (100 caratteri)");
    // Numbers out of 1..90, 00 and 91 included.
    EXPECT_EQ(
        difetto(la + "\r\n" + ScriviLineaArchivioTesto(EstrazioneDel("08/01/2000", "00-02-03-04-05")), 2),
        "ruota Bari non valida \"00-02-03-04-05\"");
    EXPECT_EQ(difetto(ScriviLineaArchivioTesto(EstrazioneDel("08/01/2000", "01-02-03-04-91")), 1),
              "ruota Bari non valida \"01-02-03-04-91\"");
    // A NUL, and a repeated number.
    EXPECT_EQ(difetto(la.substr(0, 30) + std::string(1, '\0') + la.substr(31), 1),
              "carattere nullo: il file non è di testo");
    EXPECT_EQ(difetto(ScriviLineaArchivioTesto(EstrazioneDel("08/01/2000", "05-17-33-17-90")), 1),
              "ruota Bari: numero 17 ripetuto");
    // The first line's mark, and blanks after the last field, are still one draw.
    righe = Concordano(*vuoto, la + " pr  \r\n" + lb + "   \r\n");
    EXPECT_EQ(Estrazioni(righe), (std::vector{a, b}));

    // A UTF-8 mark: skipped by both; UTF-16: refused by both with the same words.
    righe = RigheDaSorgente("\xEF\xBB\xBF" + la + "\r\n" + lb + "\r\n");
    EXPECT_EQ(Estrazioni(righe), (std::vector{a, b}));
    std::ofstream(c / "bom.txt", std::ios::binary) << "\xEF\xBB\xBF" << la << "\r\n" << lb << "\r\n";
    EXPECT_EQ(LeggiFileEstrazioni(c / "bom.txt"), (std::vector{a, b}));
    std::string utf16 = "\xFF\xFE";
    for (char ch : la + "\r\n")
        utf16 += std::string{ch, '\0'};
    EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(utf16); }),
              "il file è in codifica UTF-16: salvarlo come testo semplice (ANSI o UTF-8) e riprovare");
    std::ofstream(c / "utf16.txt", std::ios::binary) << utf16;
    try {
        LeggiFileEstrazioni(c / "utf16.txt");
        ADD_FAILURE() << "UTF-16 importato";
    } catch (const ErroreFormato& e) {
        EXPECT_NE(std::string(e.what()).find("è in codifica UTF-16: salvarlo come testo semplice"),
                  std::string::npos);
    }
    // More lines than an archive holds draws: refused whole, as the import refuses it.
    std::string troppe;
    for (int i = 0; i < ArchivioMemoria::MassimoEstrazioni + 1; ++i)
        troppe += "x\r\n";
    EXPECT_EQ(Rifiuto([&] { RigheDaTesto(troppe); }),
              "riga 10000: il file contiene più di 9999 estrazioni, il massimo dell'archivio");
}

// Random lines, valid and damaged the ways files get damaged, through the import and the update:
// the same verdict for every file.
TEST(Aggiornamento, ImportazioneEControlloDiconoLoStessoSuRigheCasuali) {
    CartellaTemporanea c;
    auto vuoto = DatabaseArchivio::ApriOCrea(c / "vuoto.mdb");
    std::mt19937 gen(1919);
    const auto caso = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
    const std::string ostili = "0123456789/- ,\"\r\t\x01\xEF";
    int rifiutati = 0, accettati = 0;
    for (int file = 0; file < 400; ++file) {
        // Six real-looking draws: consecutive days, five distinct numbers a wheel, some wheels empty.
        std::vector<RigaEstrazione> base;
        for (int i = 0; i < 6; ++i) {
            RigaEstrazione r{TestoData({i + 1, 1 + file % 12, 1950 + file % 70}), {}};
            for (auto& cella : r.Celle) {
                std::vector<int16_t> numeri(90);
                std::iota(numeri.begin(), numeri.end(), int16_t{1});
                std::shuffle(numeri.begin(), numeri.end(), gen);
                cella = caso(20) ? CellaDaNumeri({numeri[0], numeri[1], numeri[2], numeri[3], numeri[4]})
                                 : "----";
            }
            base.push_back(r);
        }
        std::vector<std::string> linee;
        for (const auto& r : base)
            linee.push_back(ScriviLineaArchivioTesto(r));
        const int guasti = caso(3);
        for (int g = 0; g < guasti; ++g) {
            auto& l = linee[static_cast<size_t>(caso(static_cast<int>(linee.size())))];
            if (l.size() < 175) continue; // already cut short or blank
            switch (caso(8)) {
            case 0: // a character changed
                l[static_cast<size_t>(caso(static_cast<int>(l.size())))] =
                    ostili[static_cast<size_t>(caso(static_cast<int>(ostili.size())))];
                break;
            case 1: // a character lost
                l.erase(static_cast<size_t>(caso(static_cast<int>(l.size()))), 1);
                break;
            case 2: // two draws glued
                l += ScriviLineaArchivioTesto(base[static_cast<size_t>(caso(6))]);
                break;
            case 3: // a date repeated
                linee.push_back(linee[static_cast<size_t>(caso(static_cast<int>(linee.size())))]);
                break;
            case 4: // a number pushed out of 1..90
                l.replace(11 + 15 * static_cast<size_t>(caso(11)) + 3 * static_cast<size_t>(caso(5)), 2,
                          caso(2) ? "00" : "91");
                break;
            case 5: // cut short
                l.resize(static_cast<size_t>(caso(175)));
                break;
            case 6: // a blank line
                linee.insert(linee.begin() + caso(static_cast<int>(linee.size())), std::string(caso(3), ' '));
                break;
            default: // a quote that never closes
                l.insert(l.begin() + caso(static_cast<int>(l.size())), '"');
            }
        }
        std::string testo;
        for (const auto& l : linee)
            testo += l + (caso(4) ? "\r\n" : "\n");
        SCOPED_TRACE(testo);
        Concordano(*vuoto, testo);
        (Importa(testo).Riga < 0 ? accettati : rifiutati)++;
    }
    EXPECT_GT(accettati, 50);
    EXPECT_GT(rifiutati, 50);
}

// The per-wheel layout is read by the import's reader too: what cannot be a real draw is a row "non
// valida" in the import's words, what cannot be read at all refuses the file as the import does.
TEST(Aggiornamento, StoricoComeNellImportazione) {
    CartellaTemporanea c;
    auto vuoto = DatabaseArchivio::ApriOCrea(c / "vuoto.mdb");
    const std::string testo = "2000/01/07\tBA\t1\t2\t3\t4\t5\n"
                              "2000/01/08\tRN\t9\t8\t7\t9\t1\n"
                              "1870/01/08\tBA\t1\t2\t3\t4\t5\n"
                              "2000/01/09\tCA\t11\t12\t13\t14\t15\n";
    const auto righe = RigheDaSorgente(testo);
    ASSERT_EQ(righe.size(), 4u); // in date order
    std::vector<int> fatte;
    const auto esito = ControllaRighe(*vuoto, righe, [&](int fatta, int totale) {
        EXPECT_EQ(totale, 4);
        fatte.push_back(fatta);
    });
    EXPECT_EQ(fatte, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(esito.Righe[0].Difetto, "data 08/01/1870 non plausibile (prima del 1871)");
    EXPECT_EQ(esito.Righe[2].Difetto, "ruota Nazionale: numero 9 ripetuto");
    EXPECT_EQ(esito.Righe[1].Segno, Marca::DaImportare);
    EXPECT_EQ(esito.Righe[3].Segno, Marca::DaImportare);
    EXPECT_EQ(esito.Resoconto.back(), "Riga 1 non valida: data 08/01/1870 non plausibile (prima del 1871)");
    for (const char* numero : {"0", "00", "91"}) {
        const auto fuori = "2000/01/07\tBA\t1\t2\t3\t4\t" + std::string(numero) + "\n";
        std::istringstream in(fuori);
        try {
            LeggiStorico(in);
            ADD_FAILURE() << numero;
        } catch (const ErroreFormato& e) {
            EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(fuori); }),
                      std::string("archivio per ruote non leggibile, ") + e.what());
        }
    }
}

// An apply that would pass 9,999 draws is refused whole before writing, and no
// other write passes it either.
TEST(Aggiornamento, LimiteDelleEstrazioniSullApplicazione) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "pieno.mdb");
    std::vector<RigaEstrazione> tutte; // consecutive days from 1 January 1900
    for (Data d{1, 1, 1900}; tutte.size() < ArchivioMemoria::MassimoEstrazioni + 1u;) {
        tutte.push_back(EstrazioneDel(TestoData(d)));
        if (++d.giorno; !DataValida(d)) {
            d.giorno = 1;
            if (++d.mese > 12) d.mese = 1, ++d.anno;
        }
    }
    {
        Transaction tr(db->Db());
        for (int i = 0; i < ArchivioMemoria::MassimoEstrazioni - 3; ++i)
            db->Inserisci(tutte[static_cast<size_t>(i)], "2026-12-08", "10:00:00");
        tr.Conferma();
    }
    std::string testo;
    for (int i = ArchivioMemoria::MassimoEstrazioni - 3; i <= ArchivioMemoria::MassimoEstrazioni; ++i)
        testo += Linea(tutte[static_cast<size_t>(i)]);
    auto corretta = tutte[0];
    corretta.Celle[10] = "11-12-13-14-15";
    testo += Linea(corretta);
    const auto righe = RigheDaSorgente(testo);
    const auto esito = ControllaRighe(*db, righe);
    ASSERT_EQ(esito.Righe[3].Segno, Marca::DaImportare);
    ASSERT_EQ(esito.Righe[4].Segno, Marca::Errata);
    const auto prima = db->LeggiTutte();
    EXPECT_EQ(Rifiuto([&] { ApplicaRighe(*db, righe, esito.Righe, true); }),
              "l'archivio avrebbe 10000 estrazioni, più del massimo di 9999: nessuna estrazione scritta");
    EXPECT_EQ(db->LeggiTutte(), prima); // not even the correction
    EXPECT_FALSE(db->Db().InTransazione());
    // Three fit exactly; a correction adds nothing.
    auto tre = esito.Righe;
    tre[3].Segno = Marca::Uguale;
    const auto scritto = ApplicaRighe(*db, righe, tre, true);
    EXPECT_EQ(scritto.Aggiunte, 3);
    EXPECT_EQ(scritto.Modificate, 1);
    EXPECT_EQ(db->Conta(), ArchivioMemoria::MassimoEstrazioni);
    const auto piena = db->LeggiTutte();
    ArchivioMemoria a;
    a.EstrazioneIniziale = 1;
    a.CaricamentoIniziale(piena); // still one the program opens
    EXPECT_EQ(a.NumeroEstrazioni, ArchivioMemoria::MassimoEstrazioni);
    // The archive is full: any write that adds a draw stops before it.
    EXPECT_EQ(Rifiuto([&] { ApplicaRighe(*db, righe, esito.Righe, false); }),
              "l'archivio avrebbe 10000 estrazioni, più del massimo di 9999: nessuna estrazione scritta");
    try {
        db->Inserisci(tutte.back(), "2026-12-08", "10:00:00");
        ADD_FAILURE() << "inserita la 10.000esima estrazione";
    } catch (const ErroreArchivio& e) {
        EXPECT_EQ(std::string(e.what()), "l'archivio ha già 9999 estrazioni, il massimo: l'estrazione del " +
                                             tutte.back().Data + " non è stata aggiunta");
    }
    EXPECT_EQ(db->LeggiTutte(), piena);
}

// The apply trusts no mark: a row it would write is checked again, and a date given twice by the rows
// is written from neither.
TEST(Aggiornamento, ApplicazioneNonScriveRigheDubbie) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    const auto a = EstrazioneDel("07/01/2000"), b = EstrazioneDel("08/01/2000");
    auto a2 = a;
    a2.Celle[3] = "21-22-23-24-25";
    // Rows made by hand, without the reader: the check still sees the date twice.
    const std::vector<RigaAggiornamento> righe = {
        {a.Data, a.Celle, "", 0}, {b.Data, b.Celle, "", 0}, {a2.Data, a2.Celle, "", 0}};
    const auto esito = ControllaRighe(*db, righe);
    EXPECT_EQ(esito.Righe[0].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[0].Difetto, "estrazione del 07/01/2000 ripetuta nel file");
    EXPECT_EQ(esito.Righe[2].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[1].Segno, Marca::DaImportare);
    EXPECT_EQ(esito.Resoconto.front(), "Riga 3 non valida: estrazione del 07/01/2000 ripetuta nel file");
    // Marks that say otherwise are refused before anything is written.
    std::vector<EsitoRiga> tutte(3);
    for (auto& e : tutte)
        e.Segno = Marca::DaImportare;
    EXPECT_EQ(Rifiuto([&] { ApplicaRighe(*db, righe, tutte, false); }),
              "l'estrazione del 07/01/2000 compare due volte: nessuna estrazione scritta");
    auto rotta = righe;
    rotta[1].Celle[2] = "01-02-03-04-99";
    EXPECT_EQ(Rifiuto([&] { ApplicaRighe(*db, rotta, esito.Righe, false); }),
              "la riga dell'estrazione del 08/01/2000 non è valida (ruota Firenze non valida "
              "\"01-02-03-04-99\"): nessuna estrazione scritta");
    EXPECT_EQ(Rifiuto([&] { ApplicaRighe(*db, righe, std::vector<EsitoRiga>(2), false); }),
              "le righe non corrispondono al loro controllo: ripetere il controllo");
    EXPECT_EQ(db->Conta(), 0);
    EXPECT_EQ(ApplicaRighe(*db, righe, esito.Righe, false).Aggiunte, 1);
    EXPECT_EQ(db->LeggiTutte(), std::vector{b});
}
