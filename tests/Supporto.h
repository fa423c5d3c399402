#pragma once
// Helpers shared by the tests: temporary folders, the bundled real archive, random archives.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/archive/ArchivioMemoria.h"
#include "core/archive/FormatiTesto.h"

namespace trivalto::test {

inline std::string PercorsoDati(const std::string& nome) {
    return std::string(TRIVALTO_DATA_DIR) + "/" + nome;
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

} // namespace trivalto::test
