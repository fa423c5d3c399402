// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program-wide context that main creates and hands down by reference: where the program lives,
// the two open databases, the program parameters and the in-memory archive.
#include <memory>
#include <string>

#include "core/analysis/ImpostazioniProvate.h"
#include "core/archive/ArchivioMemoria.h"
#include "core/archive/DatabaseArchivio.h"
#include "core/archive/DatabaseProgramma.h"

namespace trivalto {

class ContestoProgramma {
public:
    explicit ContestoProgramma(std::string cartellaProgramma);

    /// Opens "DbTrivalto.mdb" in the program folder, creating a fresh one (empty archive path)
    /// when the file does not exist. Throws ErroreDatabase when an existing file cannot be opened.
    void ApriDbProgramma();
    /// Reads "PercorsoArchivio", "IndirizzoInternet" (exact name) and "EstrazioneIniziale".
    void LeggiParametri();
    /// Opens the archive database kept open for the archive window's writes; false on failure,
    /// with the reason in CausaArchivio.
    bool ApriArchivio();
    /// Records a newly chosen archive: the running path, "PercorsoDatabase.txt" and the parameter row.
    /// The connection to the previous archive is closed at once, so no later write can reach it.
    /// The running path is always taken; a failure to store it throws ErroreDatabase with the cause.
    void RegistraArchivioScelto(const std::string& percorso); // kept in the system's form (PercorsoDiSistema)
    /// The connection every write of the program goes through. It is always a connection to the file
    /// at PercorsoArchivio: opened on first use, and opened again if the path changed since. Throws
    /// when that file cannot be opened as an archive. UI thread only.
    DatabaseArchivio& ConnessioneArchivio();
    /// Reads every draw from the file at PercorsoArchivio and runs the start-up load.
    /// Throws on any failure; what was read stays loaded.
    void CaricamentoIniziale(const FunzioneProgresso& progresso = {});
    /// `CaricaArchivioExNovo` after a change of the archive: every draw read again from
    /// PercorsoArchivio, model reset to the whole archive. On failure the previous archive stays.
    void CaricaArchivioExNovo(const FunzioneProgresso& progresso = {});

    /// The archive as last loaded. A load builds a new archive and publishes it whole, never
    /// changing a published one: a job that holds a snapshot keeps reading the draws it started
    /// with while the UI thread moves on to the new ones. Read and replaced on the UI thread only.
    const ArchivioMemoria& Archivio() const { return *archivio_; }
    std::shared_ptr<const ArchivioMemoria> Istantanea() const { return archivio_; }
    void PubblicaArchivio(ArchivioMemoria archivio);

    const std::string& CartellaProgramma() const { return cartella_; }
    std::string PercorsoDbProgramma() const;

    std::string PercorsoArchivio;
    std::string IndirizzoInternet;
    std::unique_ptr<DatabaseProgramma> DbProgramma;
    int EstrazioneIniziale = 0; // the parameter row, used by the start-up load
    std::string CausaArchivio;  // why the last ApriArchivio failed

    /// The settings searched and verified since the program started.
    ImpostazioniProvate Provate;

private:
    std::string cartella_;
    std::unique_ptr<DatabaseArchivio> dbArchivio_;
    std::shared_ptr<const ArchivioMemoria> archivio_ = std::make_shared<const ArchivioMemoria>();
};

} // namespace trivalto
