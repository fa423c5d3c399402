// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sub-commands of trivalto-cli. Each writes to the streams it is given and returns the exit status,
// so tests run them in-process.
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/ArchivioMemoria.h"

namespace trivalto::cli {

struct Ambiente {
    std::string CartellaProgramma; // where DbTrivalto.mdb is looked for
};

int Importa(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err);
int Prepara(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err);
int Analizza(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
             std::ostream& err);
int Costruttore(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
                std::ostream& err);
int Verifica(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
             std::ostream& err);
int Esplora(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
            std::ostream& err);
int Aggiorna(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
             std::ostream& err);
int Esporta(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
            std::ostream& err);
int Stato(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
          std::ostream& err);
/// `--version`: the program's version, its licence and the libraries' versions.
int Versione(std::ostream& out);
/// The program database cannot be read: the message, whole, names it.
struct ErroreDatabaseProgramma : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// The archive named by `percorso` (a database or a text archive), else the program's own;
/// throws std::runtime_error with an Italian message when it cannot be read or holds no draw, and
/// ErroreDatabaseProgramma when the program database that names the archive cannot be read.
void CaricaArchivio(const std::string& percorso, const Ambiente& ambiente, ArchivioMemoria& archivio);
int Principale(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
               std::ostream& err);

} // namespace trivalto::cli
