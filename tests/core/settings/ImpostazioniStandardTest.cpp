// SPDX-License-Identifier: GPL-3.0-or-later
// The "Standard" settings row: round trip, the reading rules of its texts, damaged values kept out,
// and a program database of the first version gaining the new column.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/settings/ImpostazioniStandard.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(ImpostazioniStandard, AndataERitorno) {
    CartellaTemporanea c;
    auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "");
    const auto nuovo = LeggiImpostazioni(*db);
    ASSERT_TRUE(nuovo.has_value());
    EXPECT_EQ(*nuovo, ImpostazioniStandard{}); // 12 cases, Somma, all positions, Bari, 8 colpi, 50
    ImpostazioniStandard s;
    s.Numcasi = 29;
    s.Somma = false;
    s.Differenza = true;
    s.Posizioni = "01010";
    s.RuotaOrigine = 10;
    s.Trasformazione = 8;
    s.Fisso = 89;
    s.Dacolpo = 49;
    s.Colpi = 19;
    s.Elenco = "200";
    s.RuoteGioco = "01111111110";
    s.UsaAllApertura = true;
    ASSERT_TRUE(ScriviImpostazioni(*db, s));
    EXPECT_EQ(LeggiImpostazioni(*db), s);
    db->Db().Esegui("DELETE FROM Impostazioni");
    EXPECT_FALSE(LeggiImpostazioni(*db).has_value());
    EXPECT_FALSE(ScriviImpostazioni(*db, s)); // never inserted
}

TEST(ImpostazioniStandard, ValoriDanneggiatiRestanoFuori) {
    CartellaTemporanea c;
    auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "");
    db->Db().Esegui("UPDATE Impostazioni SET Numcasi = 30, Somma = NULL, Distanza = 1, Differenza = 1, "
                    "RuotaOrigine = -1, Trasformazione = 9, Fisso = NULL, Dacolpo = 50, Colpi = 20, "
                    "Elenco = '55', Posizioni = NULL, RuoteGioco = NULL");
    const auto s = LeggiImpostazioni(*db);
    ASSERT_TRUE(s.has_value());
    const ImpostazioniStandard d;
    EXPECT_EQ(s->Numcasi, d.Numcasi);
    EXPECT_TRUE(s->Somma); // two options on at once: back to "Somma" alone
    EXPECT_FALSE(s->Distanza || s->Differenza);
    EXPECT_EQ(s->RuotaOrigine, d.RuotaOrigine);
    EXPECT_EQ(s->Trasformazione, d.Trasformazione);
    EXPECT_EQ(s->Fisso, d.Fisso);
    EXPECT_EQ(s->Dacolpo, d.Dacolpo);
    EXPECT_EQ(s->Colpi, d.Colpi);
    EXPECT_EQ(s->Elenco, d.Elenco);
    EXPECT_EQ(s->Posizioni, d.Posizioni);
    EXPECT_EQ(s->RuoteGioco, d.RuoteGioco);
}

TEST(ImpostazioniStandard, TestiDellePosizioniEDelleRuote) {
    EXPECT_EQ(PosizioniDaTesto("10100"), (PosizioniAbilitate{true, false, true, false, false}));
    EXPECT_EQ(PosizioniDaTesto("11"), (PosizioniAbilitate{true, true, false, false, false})); // short: off
    EXPECT_EQ(PosizioniDaTesto("1x1"), (PosizioniAbilitate{true, false, true, false, false}));
    const auto corto = RuoteDaTesto("0100");
    EXPECT_FALSE(corto[0]);
    EXPECT_TRUE(corto[1]);
    EXPECT_FALSE(corto[3]);
    for (size_t w = 4; w < 11; ++w)
        EXPECT_TRUE(corto[w]) << w; // beyond the end: played
    for (bool b : RuoteDaTesto(""))
        EXPECT_TRUE(b);
    EXPECT_EQ(TestoDaRuote(RuoteDaTesto("0100")), "01001111111");
    EXPECT_EQ(TestoDaPosizioni(PosizioniDaTesto("1x1")), "10100");
}

TEST(ImpostazioniStandard, DatabaseDellaPrimaVersione) {
    CartellaTemporanea c;
    {
        Database db(c / "DbTrivalto.mdb", PasswordDatabase(), Database::Modo::Crea);
        db.Esegui("CREATE TABLE ParametriProgramma (Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, "
                  "Valore2 TEXT)");
        db.Esegui("CREATE TABLE Impostazioni (Chiave TEXT PRIMARY KEY COLLATE NOCASE, Numcasi INTEGER, Somma "
                  "INTEGER, Distanza INTEGER, Differenza INTEGER, Posizioni TEXT, RuotaOrigine INTEGER, "
                  "Trasformazione INTEGER, Fisso INTEGER, Dacolpo INTEGER, Colpi INTEGER, Elenco TEXT, "
                  "RuoteGioco TEXT)");
        db.Esegui("CREATE TABLE Salvataggi (Id INTEGER PRIMARY KEY, Nome TEXT, Contenuto TEXT)");
        db.Esegui("CREATE TABLE Giocate (Id INTEGER PRIMARY KEY, Data TEXT, Descrizione TEXT)");
        db.Esegui("INSERT INTO Impostazioni VALUES ('Standard', 5, 0, 1, 0, '01010', 3, 1, 7, 2, 9, '80', "
                  "'11000000000')");
        db.ImpostaVersioneSchema(1);
    }
    auto db = DatabaseProgramma::Apri(c / "DbTrivalto.mdb");
    const auto s = LeggiImpostazioni(*db);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Numcasi, 5);
    EXPECT_TRUE(s->Distanza);
    EXPECT_EQ(s->Elenco, "80");
    EXPECT_FALSE(s->UsaAllApertura);
    EXPECT_EQ(db->Db().VersioneSchema(), DatabaseProgramma::VersioneCorrente);
    EXPECT_EQ(db->LeggiParametro("IndirizzoAggiornamento"),
              DatabaseProgramma::IndirizzoAggiornamentoUfficiale);
}
