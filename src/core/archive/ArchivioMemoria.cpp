// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/ArchivioMemoria.h"

#include <algorithm>

namespace trivalto {

void ArchivioMemoria::RiempiEstrazioni(const std::vector<RigaEstrazione>& righe,
                                       const FunzioneProgresso& progresso, int passo) {
    const int totale = static_cast<int>(righe.size());
    const int daLeggere = std::min(totale, MassimoEstrazioni);
    Estrazioni.assign(static_cast<size_t>(daLeggere) + 1, Estrazione{});
    DateEstrazioni.assign(static_cast<size_t>(daLeggere) + 1, std::string());
    NumeroEstrazioni = 0;
    for (int i = 1; i <= daLeggere; ++i) {
        const auto& r = righe[static_cast<size_t>(i - 1)];
        DateEstrazioni[i] = r.Data;
        for (int w = 0; w < NumeroRuote; ++w)
            Estrazioni[i][w] = LeggiCellaRuota(r.Celle[w]);
        NumeroEstrazioni = i;
        if (progresso && (passo <= 1 || i % passo == 0)) progresso(i, totale + 1);
    }
    if (totale > MassimoEstrazioni)
        throw ErroreArchivio("l'archivio contiene più di " + std::to_string(MassimoEstrazioni) +
                             " estrazioni");
}

void ArchivioMemoria::CalcolaPosizioni() {
    const size_t n = static_cast<size_t>(NumeroEstrazioni) + 1;
    PosizioneMese.assign(n, 0);
    PosizioneAnno.assign(n, 0);
    if (NumeroEstrazioni < 1) return;
    // Only the month number is compared (not month and year): a draw whose month equals the
    // previous draw's continues the count even across years.
    int meseCorrente = MeseDiData(DateEstrazioni[1]), annoCorrente = AnnoDiData(DateEstrazioni[1]);
    int contaMese = 1, contaAnno = 1;
    PosizioneMese[1] = 1;
    PosizioneAnno[1] = 1;
    for (int i = 2; i <= NumeroEstrazioni; ++i) {
        const int mese = MeseDiData(DateEstrazioni[i]), anno = AnnoDiData(DateEstrazioni[i]);
        if (mese != meseCorrente) {
            meseCorrente = mese;
            contaMese = 1;
        } else {
            ++contaMese;
        }
        if (anno != annoCorrente) {
            annoCorrente = anno;
            contaAnno = 1;
        } else {
            ++contaAnno;
        }
        PosizioneMese[i] = static_cast<int16_t>(contaMese);
        PosizioneAnno[i] = static_cast<int16_t>(contaAnno);
    }
}

void ArchivioMemoria::CostruisciModello(int primo) {
    IndiciModello.assign(1, 0);
    FineModello = 0;
    if (NumeroEstrazioni < 1) return;
    primo = std::clamp(primo, 1, NumeroEstrazioni);
    for (int d = primo; d <= NumeroEstrazioni; ++d)
        IndiciModello.push_back(d);
    FineModello = static_cast<int>(IndiciModello.size()) - 1;
}

void ArchivioMemoria::CaricamentoIniziale(const std::vector<RigaEstrazione>& righe,
                                          const FunzioneProgresso& progresso) {
    RiempiEstrazioni(righe, progresso, 1);
    CalcolaPosizioni();
    UltimaEstrazione = NumeroEstrazioni;
    CostruisciModello(EstrazioneIniziale);
}

void ArchivioMemoria::CaricaArchivioExNovo(const std::vector<RigaEstrazione>& righe,
                                           const FunzioneProgresso& progresso) {
    RiempiEstrazioni(righe, progresso, 50);
    CalcolaPosizioni();
    UltimaEstrazione = NumeroEstrazioni;
    CostruisciModello(1);
}

void ArchivioMemoria::RicaricaNumeri(const std::vector<RigaEstrazione>& righe) {
    RiempiEstrazioni(righe, {}, 0);
    // The ordinal tables follow the new size so no reader can index past them.
    CalcolaPosizioni();
}

RiepilogoModello ArchivioMemoria::ImpostazioniArchivioModello() const {
    RiepilogoModello r;
    if (FineModello < 1) return r;
    r.IndiceInizio = IndiciModello[1];
    r.IndiceFine = IndiciModello[FineModello];
    r.DataInizio = DateEstrazioni[r.IndiceInizio];
    r.DataFine = DateEstrazioni[r.IndiceFine];
    r.Conteggio = r.IndiceFine - r.IndiceInizio + 1;
    return r;
}

} // namespace trivalto
