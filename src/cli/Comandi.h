#pragma once
// Sub-commands of trivalto-cli. Each writes to the streams it is given and returns the exit status,
// so tests run them in-process.
#include <ostream>
#include <string>
#include <vector>

namespace trivalto::cli {

struct Ambiente {
    std::string CartellaProgramma; // where DbTrivalto.mdb is looked for
};

int Importa(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err);
int Prepara(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err);
int Analizza(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
             std::ostream& err);
int Principale(const std::vector<std::string>& argomenti, const Ambiente& ambiente, std::ostream& out,
               std::ostream& err);

} // namespace trivalto::cli
