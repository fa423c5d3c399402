#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Supporto.h"
#include "core/archive/FormatiTesto.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(FormatiTesto, ArchivioRealeEStoricoCoincidono) {
    const auto& testo = RigheReali();
    ASSERT_EQ(testo.size(), 7370u);
    EXPECT_EQ(testo.front().Data, "07/01/1939");
    EXPECT_EQ(testo.front().Celle[0], "58-22-47-49-69");
    EXPECT_EQ(testo.front().Celle[1], "----");
    EXPECT_EQ(testo.back().Data, "21/08/2026");
    EXPECT_EQ(testo.back().Celle[10], "51-89-82-70-37");
    const auto storico = LeggiFileEstrazioni(PercorsoDati("storico-1939-2026.txt"));
    ASSERT_EQ(storico.size(), testo.size());
    for (size_t i = 0; i < testo.size(); ++i)
        ASSERT_EQ(storico[i], testo[i]) << testo[i].Data;
}

TEST(FormatiTesto, RigaErrataSegnalataConIlSuoNumero) {
    std::string buona = ScriviLineaArchivioTesto(RigheReali()[5]);
    ASSERT_EQ(buona.size(), 175u);
    std::string numeroFuori = buona;
    numeroFuori.replace(11, 2, "95");
    std::string dataErrata = buona;
    dataErrata.replace(0, 2, "32");
    for (const auto& cattiva : {numeroFuori, dataErrata, buona.substr(0, 100)}) {
        std::stringstream in(buona + "\r\n" + buona + "\r\n\r\n" + cattiva + "\r\n");
        try {
            LeggiArchivioTesto(in);
            FAIL() << "accettata: " << cattiva;
        } catch (const ErroreFormato& e) {
            EXPECT_EQ(e.Riga, 4);
        }
    }
    std::stringstream storico("1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tXX\t1\t2\t3\t4\t5\n");
    EXPECT_THROW(LeggiStorico(storico), ErroreFormato);
    std::stringstream doppio("1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tBA\t1\t2\t3\t4\t5\n");
    EXPECT_THROW(LeggiStorico(doppio), ErroreFormato);
}
