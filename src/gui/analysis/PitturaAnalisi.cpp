// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysis/PitturaAnalisi.h"

#include "gui/ui/Griglia.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto {

void RiempiGriglia(Griglia& g, const TabellaTesto& t) {
    std::vector<std::vector<QString>> righe;
    righe.reserve(t.Righe.size());
    for (const auto& r : t.Righe) {
        auto& testi = righe.emplace_back();
        testi.reserve(r.size());
        for (const auto& c : r)
            testi.push_back(QString::fromStdString(c));
    }
    g.Modello().ImpostaDati(righe);
}

// --- Cases ------------------------------------------------------------------------------------

void DipingiCasi(Griglia& g, const ArchivioMemoria& archivio, const StatoAnalisi& s) {
    if (!s.CasiVisibili()) {
        g.ImpostaRighe(1);
        return;
    }
    RiempiGriglia(g, TabellaCasi(archivio, s.Casi()));
    StileCasi(g.Modello(), s);
    g.AllargaAlContenuto();
}

void StileCasi(ModelloGriglia& m, const StatoAnalisi& s) {
    m.AzzeraStili();
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    for (int p = 0; p < 5; ++p)
        if (s.PosizioniGenera()[static_cast<size_t>(p)])
            m.ImpostaSfondo(1, CN1 + p, ultima, CN1 + p, ColoreVerde);
    if (s.UltimoInCorso()) m.ImpostaSfondo(ultima, CEstr, ColoreInGioco);
    if (s.ParametriCalcolati()) m.ImpostaSfondo(1, CPar, ultima, CPar, ColoreEvidenza);
    if (s.CasoScelto() >= 1 && s.CasoScelto() <= ultima)
        m.ImpostaGrassetto(s.CasoScelto(), 0, s.CasoScelto(), m.Colonne() - 1, true);
    if (s.CasiEvidenziati()) {
        m.ImpostaGrassetto(1, CR1, ultima, CPar, true);
        m.ImpostaPrimoPiano(1, CR1, ultima, CR1, ColoreBlu);
        m.ImpostaSfondo(1, CPar, ultima, CPar, ColoreEvidenza);
    }
    for (int r = 1; r <= ultima && r <= static_cast<int>(s.Segni().size()); ++r) {
        const auto& segni = s.Segni()[static_cast<size_t>(r - 1)];
        if (segni.Primo == SegniCaso::Stato::Verde) m.ImpostaSfondo(r, CPro, ColoreAcceso);
        if (segni.Primo == SegniCaso::Stato::Ciano) m.ImpostaSfondo(r, CPro, ColoreInGioco);
        // Three mark columns in the analysis window, five in the builder.
        for (int t = 0; t < MassimoTerzineMetodo && CSegno1 + t < m.Colonne(); ++t)
            if (segni.Arancio[static_cast<size_t>(t)]) m.ImpostaSfondo(r, CSegno1 + t, ColoreArancioChiaro);
    }
}

// --- Terzine list ------------------------------------------------------------------------------

void DipingiTerzine(Griglia& g, const StatoAnalisi& s) {
    RiempiGriglia(g, TabellaTerzine(s.Lista()));
    StileTerzine(g.Modello(), s);
    g.AllargaAlContenuto();
}

void StileListaCompleta(ModelloGriglia& m) {
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    for (int r = 1; r <= ultima; ++r)
        if (m.Valore(r, 6) > 0) m.ImpostaSfondo(r, 6, ColoreEvidenza);
    m.ImpostaGrassetto(1, 0, ultima, 0, true);
    m.ImpostaPrimoPiano(1, 0, ultima, 0, ColoreBlu);
    m.ImpostaGrassetto(1, 2, ultima, 4, true);
    m.ImpostaPrimoPiano(1, 2, ultima, 4, ColoreRosso);
    m.ImpostaSfondo(1, 2, ultima, 4, ColoreGialloChiaro);
}

void StileTerzine(ModelloGriglia& m, const StatoAnalisi& s) {
    m.AzzeraStili();
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    if (s.ListaCompleta()) StileListaCompleta(m);
    for (size_t k = 0; k < s.Verificate().size() && static_cast<int>(k) < ultima; ++k)
        if (s.Verificate()[k]) m.ImpostaSfondo(static_cast<int>(k) + 1, 0, ColoreAcceso);
}

// --- Combinations ------------------------------------------------------------------------------

namespace {

/// A group whose offsets equal those of a list row that came out for the chosen case.
bool GruppoVerificato(const StatoAnalisi& s, int riga) {
    if (riga < 0 || riga >= static_cast<int>(s.ListaCombinazioni().size())) return false;
    const auto& z = s.ListaCombinazioni()[static_cast<size_t>(riga)];
    for (size_t v = 0; v < s.Verificate().size() && v < s.Lista().size(); ++v)
        if (s.Verificate()[v] && s.Lista()[v].A == z.A && s.Lista()[v].B == z.B && s.Lista()[v].C == z.C)
            return true;
    return false;
}

} // namespace

void DipingiCombinazioni(Griglia& g, const StatoAnalisi& s) {
    RiempiGriglia(g, TabellaCombinazioni(s.Combinazioni(), s.ListaCombinazioni()));
    StileCombinazioni(g.Modello(), s);
    g.AllargaAlContenuto();
}

void StileCombinazioni(ModelloGriglia& m, const StatoAnalisi& s) {
    m.AzzeraStili();
    const int ultima = m.Righe() - 1;
    if (ultima < 1) return;
    m.ImpostaPrimoPiano(1, 1, ultima, 1, ColoreRosso);
    for (int g = 0; g < 3; ++g) {
        const int inizio = 2 + 7 * g;
        m.ImpostaSfondo(1, inizio, ultima, inizio + 1, ColoreAzzurro);
        m.ImpostaSfondo(1, inizio + 2, ultima, inizio + 6, ColoreGialloChiaro);
        // A chosen row is the only bold one, so the eye finds it at once.
        if (s.CombinazioneScelta() == 0) m.ImpostaGrassetto(1, inizio + 2, ultima, inizio + 4, true);
    }
    if (!s.Verificate().empty())
        for (size_t r = 0; r < s.Combinazioni().size() && static_cast<int>(r) < ultima; ++r)
            for (int g = 0; g < 3; ++g)
                if (GruppoVerificato(s, s.Combinazioni()[r].Righe[static_cast<size_t>(g)])) {
                    const int riga = static_cast<int>(r) + 1, inizio = 4 + 7 * g;
                    m.ImpostaSfondo(riga, inizio, riga, inizio + 2, ColoreVerde);
                }
    if (s.CombinazioneScelta() >= 1 && s.CombinazioneScelta() <= ultima)
        m.ImpostaGrassetto(s.CombinazioneScelta(), 0, s.CombinazioneScelta(), m.Colonne() - 1, true);
}

void DipingiDettaglio(Griglia& g, const StatoAnalisi& s) {
    RiempiGriglia(g, TabellaDettaglio(s.Dettaglio()));
    auto& d = g.Modello();
    for (size_t i = 0; i < s.Dettaglio().size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        for (int k = 0; k < 3; ++k)
            if (s.Dettaglio()[i].Usciti[static_cast<size_t>(k)]) d.ImpostaSfondo(r, k, ColoreAcceso);
        if (s.Dettaglio()[i].Esito) {
            d.ImpostaGrassetto(r, 0, r, 5, true);
            d.ImpostaPrimoPiano(r, 3, ColoreRosso);
        }
    }
    g.AllargaAlContenuto();
}

// --- Forecast ---------------------------------------------------------------------------------

void DipingiPrevisioni(Griglia& scelte, Griglia& previsioni, Griglia& statistiche,
                       const ArchivioMemoria& archivio, const StatoAnalisi& s) {
    RiempiGriglia(scelte, TabellaScelte(s.Scelte()));
    if (scelte.Righe() > 1) scelte.Modello().ImpostaPrimoPiano(1, 1, scelte.Righe() - 1, 3, ColoreRosso);
    DipingiPrevisione(previsioni, statistiche, archivio, s);
}

void DipingiPrevisione(Griglia& previsioni, Griglia& statistiche, const ArchivioMemoria& archivio,
                       const StatoAnalisi& s) {
    const auto& ris = s.Previsione();
    RiempiGriglia(previsioni, TabellaPrevisioni(archivio, ris.Righe));
    auto& p = previsioni.Modello();
    for (size_t i = 0; i < ris.Righe.size(); ++i) {
        const auto& riga = ris.Righe[i];
        if (riga.Separatore) continue;
        const int r = static_cast<int>(i) + 1;
        p.ImpostaGrassetto(r, PN1, r, PN3, true);
        p.ImpostaPrimoPiano(r, PN1, r, PN3, ColoreRosso);
        p.ImpostaGrassetto(r, PEsito, true);
        p.ImpostaPrimoPiano(r, PEsito, ColoreBlu);
        p.ImpostaPrimoPiano(r, PEP, ColoreBlu);
        p.ImpostaSfondo(r, PRU, ColoreVerde);
        if (riga.ColpoEvidenziato) p.ImpostaSfondo(r, PC, ColoreArancio);
        if (riga.Sorte == 3) {
            p.ImpostaGrassetto(r, PS, true);
            p.ImpostaPrimoPiano(r, PS, ColoreRosso);
        }
    }
    previsioni.AllargaAlContenuto();

    if (!s.PrevisioneFatta()) {
        statistiche.ImpostaRighe(1);
        return;
    }
    RiempiGriglia(statistiche, TabellaStatistiche(ris.Riepilogo));
    auto& st = statistiche.Modello();
    st.ImpostaSfondo(1, 0, ColoreGiallo);
    st.ImpostaSfondo(1, 2, ColoreGiallo);
    st.ImpostaPrimoPiano(1, 3, ColoreRosso);
    st.ImpostaSfondo(1, 4, ColoreAzzurro);
}

// --- Histories and delays ----------------------------------------------------------------------

void MostraStoria(FinestraStoria& w, const ArchivioMemoria& archivio, const Storia& storia,
                  bool diCombinazione) {
    auto& g = w.Tabella();
    g.ImpostaIntestazione(QString::fromUtf8(IntestazioneStoria));
    RiempiGriglia(g, TabellaStoria(archivio, storia, diCombinazione));
    auto& m = g.Modello();
    for (size_t i = 0; i < storia.Righe.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        if (storia.Righe[i].Negativo) m.ImpostaSfondo(r, 0, ColoreEvidenza);
        if (storia.Righe[i].Sorte == 3) {
            m.ImpostaGrassetto(r, 7, true);
            m.ImpostaPrimoPiano(r, 7, ColoreRosso);
        }
    }
    g.resizeColumnsToContents();
    w.ImpostaSintesi(storia.Casi, storia.Coperti, storia.Negativi, storia.Positivi,
                     QString::fromStdString(storia.Percentuale));
}

void MostraRitardi(FrmRitardi& w, const ArchivioMemoria& archivio, const StatoAnalisi& s, int riga) {
    const auto& righe = s.Previsione().Righe;
    const auto& r = righe[static_cast<size_t>(riga - 1)];
    w.setWindowTitle(QString::fromStdString(TitoloRitardi(archivio, r.Estrazione)));
    if (w.parentWidget()) w.parentWidget()->setWindowTitle(w.windowTitle());
    w.Mostra(StatoRitardi(CalcolaRitardi(archivio, r.Estrazione),
                          r.Caso ? NumeriMarcati(righe, r.Caso) : std::vector<int>{}, s.RuoteGenera()));
}

} // namespace trivalto
