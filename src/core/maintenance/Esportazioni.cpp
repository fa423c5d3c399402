// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/Esportazioni.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/archive/CauseSistema.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace {

namespace fs = std::filesystem;

void Scrivi16(char* p, int v) {
    const auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
    p[0] = static_cast<char>(u & 0xFF);
    p[1] = static_cast<char>(u >> 8);
}

void DueCifre(std::string& s, int n) {
    if (n < 0) n = 0;
    if (n >= 100)
        s += std::to_string(n); // "0#" takes as many digits as needed
    else {
        s += static_cast<char>('0' + n / 10);
        s += static_cast<char>('0' + n % 10);
    }
}

/// The 100 digits of wheels 0..9 of draw r.
std::string RuoteClassiche(const ArchivioMemoria& a, int r) {
    std::string s;
    s.reserve(100);
    for (int w = 0; w < 10; ++w)
        for (int p = 0; p < NumeriPerRuota; ++p)
            DueCifre(s, a.Numeri(r, w)[static_cast<size_t>(p)] % 100);
    return s;
}

int Campo(const std::string& data, size_t da, size_t quanti) {
    return static_cast<int>(ValoreNumerico(data.substr(std::min(da, data.size()), quanti)));
}

/// The file an export replaces: the destination itself, or the file its symbolic links lead to, so that
/// the links stay. A FIFO, a device or a folder is refused: renaming over it would put a plain file
/// where a pipe or a device was expected.
std::string FileDaSostituire(const std::string& destinazione) {
    const auto fine = FineCollegamenti(destinazione);
    if (fine.empty())
        throw ErroreEsportazione("la destinazione " + PercorsoDiSistema(destinazione) +
                                 " è un collegamento simbolico che non porta a un file");
    if (const auto tipo = TipoDi(fine); tipo != TipoFile::Assente && tipo != TipoFile::Regolare)
        throw ErroreEsportazione("la destinazione " + PercorsoDiSistema(destinazione) + " è " +
                                 DescriviTipo(tipo) + ", non un file normale: esportazione rifiutata");
    return fine;
}

/// A file written beside its destination and renamed over it only when complete.
class FileSicuro {
public:
    FileSicuro(const std::string& destinazione, bool copiaEsistente)
        // Named in messages as the system writes paths, whatever separators the caller used.
        : destinazione_(PercorsoDiSistema(FileDaSostituire(destinazione))),
          d_(PercorsoDaTesto(destinazione_)) {
        std::random_device rd;
        std::string nome = ".";
        nome.append(TestoDaPercorso(d_.filename())).append(".tmp").append(std::to_string(rd()));
        temporaneo_ = d_.parent_path() / PercorsoDaTesto(nome);
        std::error_code ec;
        if (copiaEsistente && fs::exists(d_, ec)) {
            fs::copy_file(d_, temporaneo_, fs::copy_options::overwrite_existing, ec);
            if (ec)
                throw ErroreEsportazione("impossibile copiare " + destinazione_ + ": " + CausaSistema(ec));
            out_.open(temporaneo_, std::ios::binary | std::ios::in | std::ios::out);
        } else {
            out_.open(temporaneo_, std::ios::binary | std::ios::trunc | std::ios::out);
        }
        if (!out_)
            throw ErroreEsportazione("impossibile creare il file in " + TestoDaPercorso(d_.parent_path()));
    }
    ~FileSicuro() {
        if (!chiuso_) {
            out_.close();
            std::error_code ec;
            fs::remove(temporaneo_, ec);
        }
    }
    std::fstream& Flusso() { return out_; }
    void Chiudi() {
        out_.flush();
        if (!out_) throw ErroreEsportazione("scrittura non riuscita: " + destinazione_);
        out_.close();
        std::error_code ec;
        // The new file keeps who may read the old one.
        if (const auto vecchio = fs::status(d_, ec); !ec && fs::is_regular_file(vecchio))
            fs::permissions(temporaneo_, vecchio.permissions(), ec);
        fs::rename(temporaneo_, d_, ec);
        if (ec) throw ErroreEsportazione("impossibile scrivere " + destinazione_ + ": " + CausaSistema(ec));
        chiuso_ = true;
    }

private:
    std::string destinazione_;
    fs::path d_, temporaneo_;
    std::fstream out_;
    bool chiuso_ = false;
};

void Avanza(const ProgressoEsportazione& progresso, int r, int n) {
    if (progresso && r % 10 == 0) progresso(r, n);
}

} // namespace

RecordDatiIii RecordDellEstrazione(const ArchivioMemoria& a, int r) {
    RecordDatiIii rec{};
    const std::string& data = a.DateEstrazioni[static_cast<size_t>(r)];
    Scrivi16(&rec[0], Campo(data, 0, 2));
    Scrivi16(&rec[2], Campo(data, 3, 2));
    Scrivi16(&rec[4], Campo(data, data.size() >= 2 ? data.size() - 2 : 0, 2));
    const auto cifre = RuoteClassiche(a, r);
    std::copy(cifre.begin(), cifre.end(), rec.begin() + 6);
    Scrivi16(&rec[106], a.PosizioneMese[static_cast<size_t>(r)]);
    Scrivi16(&rec[108], a.PosizioneAnno[static_cast<size_t>(r)]);
    return rec;
}

std::string RigaQuorvex(const ArchivioMemoria& a, int r) {
    const std::string& data = a.DateEstrazioni[static_cast<size_t>(r)];
    std::string s = "\"";
    s += RuoteClassiche(a, r);
    s += data.size() >= 2 ? data.substr(data.size() - 2) : "00";
    s += data.substr(3, 2);
    s += data.substr(0, 2);
    DueCifre(s, a.PosizioneMese[static_cast<size_t>(r)]);
    DueCifre(s, a.PosizioneAnno[static_cast<size_t>(r)]);
    s += "\"\r\n";
    return s;
}

std::optional<std::string> RigaNazionale(const ArchivioMemoria& a, int r) {
    const auto& n = a.Numeri(r, 10);
    if (n[0] < 1 || n[0] > 90) return std::nullopt;
    char indice[16];
    std::snprintf(indice, sizeof indice, "%05d", r);
    std::string s = indice;
    s += '-';
    for (int p = 0; p < NumeriPerRuota; ++p)
        DueCifre(s, n[static_cast<size_t>(p)]);
    s += "\r\n";
    return s;
}

void EsportaDatiIii(const ArchivioMemoria& a, const std::string& file,
                    const ProgressoEsportazione& progresso) {
    FileSicuro f(file, true);
    auto& out = f.Flusso();
    for (int r = 1; r <= a.NumeroEstrazioni; ++r) {
        Avanza(progresso, r, a.NumeroEstrazioni);
        const auto rec = RecordDellEstrazione(a, r);
        out.seekp(static_cast<std::streamoff>(r - 1) * static_cast<std::streamoff>(LunghezzaRecordDatiIii));
        out.write(rec.data(), static_cast<std::streamsize>(rec.size()));
    }
    f.Chiudi();
}

void EsportaQuorvex(const ArchivioMemoria& a, const std::string& file,
                    const ProgressoEsportazione& progresso) {
    FileSicuro f(file, false);
    for (int r = 1; r <= a.NumeroEstrazioni; ++r) {
        Avanza(progresso, r, a.NumeroEstrazioni);
        f.Flusso() << RigaQuorvex(a, r);
    }
    f.Chiudi();
}

void EsportaNazionale(const ArchivioMemoria& a, const std::string& file,
                      const ProgressoEsportazione& progresso) {
    FileSicuro f(file, false);
    for (int r = 1; r <= a.NumeroEstrazioni; ++r) {
        Avanza(progresso, r, a.NumeroEstrazioni);
        if (auto riga = RigaNazionale(a, r)) f.Flusso() << *riga;
    }
    f.Chiudi();
}

std::string PercorsoQuorvex([[maybe_unused]] const std::string& cartellaUtente) {
#ifdef _WIN32
    return R"(C:\QRVX3\DATI32.III)";
#else
    return TestoDaPercorso(PercorsoDaTesto(cartellaUtente) / ".wine" / "drive_c" / "QRVX3" / "DATI32.III");
#endif
}

std::string CreaCartelleDi(const std::string& file) {
    const fs::path cartella = PercorsoDaTesto(file).parent_path();
    std::error_code ec;
    fs::path prima;
    for (fs::path p = cartella; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
        prima = p;
        if (p == p.parent_path()) break;
    }
    if (prima.empty()) return {};
    fs::create_directories(cartella, ec);
    if (ec)
        throw ErroreEsportazione("impossibile creare la cartella " + TestoDaPercorso(cartella) + ": " +
                                 CausaSistema(ec));
    return TestoDaPercorso(prima.make_preferred());
}

} // namespace trivalto
