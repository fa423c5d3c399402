// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/ContestoProgramma.h"

#include <filesystem>
#include <fstream>

#include "core/archive/ChiaviParametri.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

ContestoProgramma::ContestoProgramma(std::string cartellaProgramma)
    : cartella_(std::move(cartellaProgramma)) {}

std::string ContestoProgramma::PercorsoDbProgramma() const {
    return TestoDaPercorso(PercorsoDaTesto(cartella_) / DatabaseProgramma::NomeFile);
}

void ContestoProgramma::ApriDbProgramma() {
    const auto percorso = PercorsoDbProgramma();
    std::error_code ec; // a folder that may not be searched: Apri then says why, in Italian
    DbProgramma = std::filesystem::exists(PercorsoDaTesto(percorso), ec) || ec
                      ? DatabaseProgramma::Apri(percorso)
                      : DatabaseProgramma::Crea(percorso, "");
}

void ContestoProgramma::LeggiParametri() {
    // A path another program stored with forward slashes is shown and compared in the system's form.
    PercorsoArchivio =
        PercorsoDiSistema(DbProgramma->LeggiParametro(ChiaviParametri::PercorsoArchivio).value_or(""));
    // The address row is taken only when its name matches exactly, letter case included.
    for (const auto& riga : DbProgramma->ElencoParametri())
        if (riga.Parametro == ChiaviParametri::IndirizzoInternet) IndirizzoInternet = riga.Valore1;
    const auto iniziale = DbProgramma->LeggiParametro(ChiaviParametri::EstrazioneIniziale);
    EstrazioneIniziale = iniziale ? static_cast<int16_t>(ValoreNumerico(*iniziale)) : 0;
}

bool ContestoProgramma::ApriArchivio() {
    dbArchivio_.reset();
    try {
        dbArchivio_ = DatabaseArchivio::Apri(PercorsoArchivio);
        CausaArchivio.clear();
        return true;
    } catch (const std::exception& e) {
        CausaArchivio = e.what();
        return false;
    }
}

DatabaseArchivio& ContestoProgramma::ConnessioneArchivio() {
    // The path is public and may have been set directly; a connection to another file is never reused.
    if (!dbArchivio_ || dbArchivio_->Db().Percorso() != PercorsoArchivio) {
        dbArchivio_.reset();
        dbArchivio_ = DatabaseArchivio::Apri(PercorsoArchivio);
    }
    return *dbArchivio_;
}

void ContestoProgramma::RegistraArchivioScelto(const std::string& scelto) {
    const std::string percorso = PercorsoDiSistema(scelto);
    PercorsoArchivio = percorso;
    dbArchivio_.reset();
    std::string errori;
    {
        const auto file = PercorsoDaTesto(cartella_) / "PercorsoDatabase.txt";
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << '"' << percorso << "\"\r\n";
        out.flush();
        if (!out) errori = "impossibile scrivere " + TestoDaPercorso(file);
    }
    try {
        DbProgramma->ScriviParametro(ChiaviParametri::PercorsoArchivioScelto, percorso);
    } catch (const std::exception& e) {
        errori += (errori.empty() ? "" : "; ") + std::string(e.what());
    }
    if (!errori.empty()) throw ErroreDatabase(errori);
}

void ContestoProgramma::PubblicaArchivio(ArchivioMemoria archivio) {
    archivio_ = std::make_shared<const ArchivioMemoria>(std::move(archivio));
}

void ContestoProgramma::CaricamentoIniziale(const FunzioneProgresso& progresso) {
    ArchivioMemoria nuovo;
    nuovo.EstrazioneIniziale = EstrazioneIniziale;
    try {
        auto db = DatabaseArchivio::Apri(PercorsoArchivio);
        nuovo.CaricamentoIniziale(db->LeggiTutte(), progresso);
    } catch (...) {
        PubblicaArchivio(std::move(nuovo));
        throw;
    }
    PubblicaArchivio(std::move(nuovo));
}

void ContestoProgramma::CaricaArchivioExNovo(const FunzioneProgresso& progresso) {
    ArchivioMemoria nuovo;
    nuovo.EstrazioneIniziale = Archivio().EstrazioneIniziale;
    auto db = DatabaseArchivio::Apri(PercorsoArchivio);
    nuovo.CaricaArchivioExNovo(db->LeggiTutte(), progresso);
    PubblicaArchivio(std::move(nuovo));
}

} // namespace trivalto
