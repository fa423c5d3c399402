// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the tests: temporary folders, the bundled real archive, random archives.
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/analysis/Casi.h"
#include "core/analysis/Gioco.h"
#include "core/archive/ArchivioMemoria.h"
#include "core/archive/DatabaseArchivio.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::test {

inline std::string PercorsoDati(const std::string& nome) {
    return std::string(TRIVALTO_DATA_DIR) + "/" + nome;
}

/// The whole content of a file (empty when it cannot be read).
inline std::string Leggi(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

/// A ZIP archive, in memory, holding one file.
inline std::string ZipDi(const std::string& nome, const std::string& contenuto) {
    zip_error_t e;
    zip_error_init(&e);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &e);
    zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &e);
    zip_source_keep(buffer);
    zip_file_add(z, nome.c_str(), zip_source_buffer_create(contenuto.data(), contenuto.size(), 0, &e), 0);
    zip_close(z);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string dati(static_cast<size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, dati.data(), dati.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return dati;
}

/// The last `righe` lines of the official per-wheel archive (11 lines a draw in recent years).
inline std::string CodaStorico(size_t righe) {
    std::ifstream in(PercorsoDati("storico-1939-2026.txt"), std::ios::binary);
    std::vector<std::string> linee;
    for (std::string l; std::getline(in, l);)
        linee.push_back(l);
    std::string coda;
    for (size_t i = linee.size() - std::min(righe, linee.size()); i < linee.size(); ++i)
        coda.append(linee[i]).append("\n");
    return coda;
}

/// A fresh folder removed when the object goes.
class CartellaTemporanea {
public:
    CartellaTemporanea() {
        std::random_device rd;
        percorso_ = std::filesystem::temp_directory_path() / ("trivalto-test-" + std::to_string(rd()));
        std::filesystem::create_directories(percorso_);
    }
    ~CartellaTemporanea() {
        std::error_code ec;
        std::filesystem::remove_all(percorso_, ec);
    }
    std::string operator/(const std::string& nome) const { return (percorso_ / nome).string(); }
    const std::filesystem::path& Percorso() const { return percorso_; }

private:
    std::filesystem::path percorso_;
};

/// The real archive 1939-2026, read once.
inline const std::vector<RigaEstrazione>& RigheReali() {
    static const auto righe = LeggiFileEstrazioni(PercorsoDati("archivio-1939-2026.txt"));
    return righe;
}

inline const ArchivioMemoria& ArchivioReale() {
    static const ArchivioMemoria archivio = [] {
        ArchivioMemoria a;
        a.EstrazioneIniziale = 1;
        a.CaricamentoIniziale(RigheReali());
        return a;
    }();
    return archivio;
}

/// Draws with consecutive dates and random numbers; `doppi` is the chance of a repeated number
/// within a wheel, `zeri` of a missing number, `vuote` of an empty wheel.
inline std::vector<RigaEstrazione> RigheCasuali(int quante, unsigned seme, double doppi = 0.05,
                                                double zeri = 0.02, double vuote = 0.05) {
    std::mt19937 gen(seme);
    std::uniform_int_distribution<int> numero(1, 90);
    std::uniform_real_distribution<double> caso(0, 1);
    std::vector<RigaEstrazione> righe;
    Data d{1, 1, 2000};
    for (int i = 0; i < quante; ++i) {
        RigaEstrazione r;
        r.Data = TestoData(d);
        for (int w = 0; w < NumeroRuote; ++w) {
            if (caso(gen) < vuote) {
                r.Celle[w] = "----";
                continue;
            }
            NumeriRuota n{};
            for (int p = 0; p < 5; ++p) {
                n[p] = static_cast<int16_t>(numero(gen));
                if (p > 0 && caso(gen) < doppi) n[p] = n[p - 1];
                if (caso(gen) < zeri) n[p] = 0;
            }
            std::array<std::string, 5> t;
            for (int p = 0; p < 5; ++p) {
                char due[8];
                std::snprintf(due, sizeof due, "%02d", static_cast<int>(n[p]));
                t[p] = due;
            }
            r.Celle[w] = ScriviCellaRuota(t);
        }
        righe.push_back(r);
        // Three or four draws a week, so months hold 12 to 15 draws.
        d.giorno += (i % 2) ? 2 : 3;
        if (!DataValida(d)) {
            d.giorno = 1;
            if (++d.mese > 12) d.mese = 1, ++d.anno;
        }
    }
    return righe;
}

inline ArchivioMemoria ArchivioDa(const std::vector<RigaEstrazione>& righe) {
    ArchivioMemoria a;
    a.EstrazioneIniziale = 1;
    a.CaricamentoIniziale(righe);
    return a;
}

/// A small archive written by hand: draw k + 1 falls on day k + 1 of January 2000 and holds
/// `estrazioni[k][w]` on wheel w; the wheels not given are empty ("----").
inline ArchivioMemoria ArchivioAMano(const std::vector<std::vector<std::string>>& estrazioni) {
    std::vector<RigaEstrazione> righe;
    for (size_t k = 0; k < estrazioni.size(); ++k) {
        RigaEstrazione r;
        r.Data = TestoData({static_cast<int>(k) + 1, 1, 2000});
        r.Celle.fill("----");
        for (size_t w = 0; w < estrazioni[k].size(); ++w)
            r.Celle[w] = estrazioni[k][w];
        righe.push_back(r);
    }
    return ArchivioDa(righe);
}

/// A planted rule: after every first draw of a month, the next draw on Bari brings the numbers the
/// offsets `a` and `b` give from the case's parameter read through `scelta`, then three other numbers.
inline void PiantaRegola(ArchivioMemoria& archivio, const SceltaParametro& scelta, int a, int b) {
    for (int r = 1; r < archivio.NumeroEstrazioni; ++r) {
        if (archivio.PosizioneMese[static_cast<size_t>(r)] != 1) continue;
        std::vector<Caso> caso{{r, 0, 0}};
        CalcolaParametri(archivio, caso, scelta);
        NumeriRuota nuovi{static_cast<int16_t>(NumeroGiocato(caso[0].Parametro, a)),
                          static_cast<int16_t>(NumeroGiocato(caso[0].Parametro, b))};
        int prossimo = 1;
        for (size_t p = 2; p < 5; ++p) {
            while (std::find(nuovi.begin(), nuovi.begin() + static_cast<long>(p), prossimo) !=
                   nuovi.begin() + static_cast<long>(p))
                ++prossimo;
            nuovi[p] = static_cast<int16_t>(prossimo);
        }
        archivio.Estrazioni[static_cast<size_t>(r) + 1][0] = nuovi;
    }
}

/// A program folder as after its first start: `righe` written into the archive database `archivio`, the
/// program database made, that archive chosen and loaded.
inline void AvviaSuArchivio(ContestoProgramma& ctx, const std::filesystem::path& archivio,
                            const std::vector<RigaEstrazione>& righe) {
    {
        auto db = DatabaseArchivio::ApriOCrea(TestoDaPercorso(archivio));
        Transaction tr(db->Db());
        for (const auto& r : righe)
            db->Inserisci(r, "2026-12-08", "10:00:00");
        tr.Conferma();
    }
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    ctx.RegistraArchivioScelto(TestoDaPercorso(archivio));
    ctx.ApriArchivio();
    ctx.CaricamentoIniziale();
}

} // namespace trivalto::test
