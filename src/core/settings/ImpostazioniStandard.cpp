// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ImpostazioniStandard.h"

namespace trivalto {

namespace {

/// A list position read from a column, or the default when empty or outside 0..massimo.
int Posizione(const Statement& st, int colonna, int massimo, int predefinito) {
    if (st.Nullo(colonna)) return predefinito;
    const auto v = st.Intero(colonna);
    return v >= 0 && v <= massimo ? static_cast<int>(v) : predefinito;
}

bool Elenco(const std::string& t) {
    const long v = ValoreNumerico(t);
    return v >= 10 && v <= 200 && v % 10 == 0 && t == std::to_string(v);
}

} // namespace

PosizioniAbilitate PosizioniDaTesto(const std::string& testo) {
    PosizioniAbilitate p{};
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = i < testo.size() && ValoreNumerico(testo.substr(i, 1)) != 0;
    return p;
}

std::array<bool, 11> RuoteDaTesto(const std::string& testo) {
    std::array<bool, 11> r{};
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = !(i < testo.size() && testo[i] == '0');
    return r;
}

std::string TestoDaPosizioni(const PosizioniAbilitate& posizioni) {
    std::string t;
    for (bool b : posizioni)
        t += b ? '1' : '0';
    return t;
}

std::string TestoDaRuote(const std::array<bool, 11>& ruote) {
    std::string t;
    for (bool b : ruote)
        t += b ? '1' : '0';
    return t;
}

std::optional<ImpostazioniStandard> LeggiImpostazioni(DatabaseProgramma& db) {
    auto st = db.Db().Prepara("SELECT Numcasi, Somma, Distanza, Differenza, Posizioni, RuotaOrigine, "
                              "Trasformazione, Fisso, Dacolpo, Colpi, Elenco, RuoteGioco, UsaAllApertura "
                              "FROM Impostazioni WHERE Chiave = 'Standard'");
    if (!st.Step()) return std::nullopt;
    const ImpostazioniStandard d;
    ImpostazioniStandard s;
    s.Numcasi = Posizione(st, 0, 29, d.Numcasi);
    s.Somma = !st.Nullo(1) && st.Intero(1) != 0;
    s.Distanza = !st.Nullo(2) && st.Intero(2) != 0;
    s.Differenza = !st.Nullo(3) && st.Intero(3) != 0;
    if (int(s.Somma) + int(s.Distanza) + int(s.Differenza) != 1) {
        // Three options of one group: exactly one is chosen, "Somma" when the row says otherwise.
        s.Somma = true;
        s.Distanza = s.Differenza = false;
    }
    s.Posizioni = st.Nullo(4) ? d.Posizioni : st.Testo(4);
    s.RuotaOrigine = Posizione(st, 5, 10, d.RuotaOrigine);
    s.Trasformazione = Posizione(st, 6, 8, d.Trasformazione);
    s.Fisso = Posizione(st, 7, 89, d.Fisso);
    s.Dacolpo = Posizione(st, 8, 49, d.Dacolpo);
    s.Colpi = Posizione(st, 9, 19, d.Colpi);
    s.Elenco = !st.Nullo(10) && Elenco(st.Testo(10)) ? st.Testo(10) : d.Elenco;
    s.RuoteGioco = st.Nullo(11) ? d.RuoteGioco : st.Testo(11);
    s.UsaAllApertura = !st.Nullo(12) && st.Intero(12) != 0;
    return s;
}

bool ScriviImpostazioni(DatabaseProgramma& db, const ImpostazioniStandard& s) {
    auto st = db.Db().Prepara(
        "UPDATE Impostazioni SET Numcasi = ?, Somma = ?, Distanza = ?, Differenza = ?, "
        "Posizioni = ?, RuotaOrigine = ?, Trasformazione = ?, Fisso = ?, Dacolpo = ?, "
        "Colpi = ?, Elenco = ?, RuoteGioco = ?, UsaAllApertura = ? WHERE Chiave = 'Standard'");
    st.Bind(1, s.Numcasi).Bind(2, s.Somma).Bind(3, s.Distanza).Bind(4, s.Differenza).Bind(5, s.Posizioni);
    st.Bind(6, s.RuotaOrigine)
        .Bind(7, s.Trasformazione)
        .Bind(8, s.Fisso)
        .Bind(9, s.Dacolpo)
        .Bind(10, s.Colpi);
    st.Bind(11, s.Elenco).Bind(12, s.RuoteGioco).Bind(13, s.UsaAllApertura);
    st.Esegui();
    auto conta = db.Db().Prepara("SELECT changes()");
    conta.Step();
    return conta.Intero(0) > 0;
}

} // namespace trivalto
