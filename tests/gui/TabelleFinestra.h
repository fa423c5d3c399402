#pragma once
// What the window tests share: a held thread pool, the texts of a grid, and the tables a
// `trivalto-cli` run prints, to compare a window with the command-line tool.
#include <QThreadPool>
#include <future>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/analysis/TabelleAnalisi.h"
#include "gui/ui/Griglia.h"

namespace trivalto::test {

/// Holds the pool's only thread busy, so a job started meanwhile waits in the queue.
class PoolFermo {
public:
    PoolFermo() : thread_(QThreadPool::globalInstance()->maxThreadCount()) {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        auto attesa = via_.get_future().share();
        QThreadPool::globalInstance()->start([attesa] { attesa.wait(); });
    }
    void Libera() {
        if (!liberato_) via_.set_value();
        liberato_ = true;
    }
    ~PoolFermo() {
        Libera();
        QThreadPool::globalInstance()->waitForDone();
        QThreadPool::globalInstance()->setMaxThreadCount(thread_);
    }

private:
    int thread_;
    std::promise<void> via_;
    bool liberato_ = false;
};

using Tabella = std::vector<std::vector<std::string>>;

inline Tabella DaGriglia(const Griglia* g) {
    Tabella t;
    const auto& m = g->Modello();
    for (int r = 0; r < m.Righe(); ++r) {
        std::vector<std::string> riga;
        for (int c = 0; c < m.Colonne(); ++c)
            riga.push_back(m.Testo(r, c).toStdString());
        t.push_back(riga);
    }
    return t;
}

/// Every table a command-line run prints, in order, by name (a name may come more than once).
inline std::vector<std::pair<std::string, Tabella>> SequenzaCli(const std::vector<std::string>& argomenti) {
    std::ostringstream out, err;
    if (cli::Principale(argomenti, {"."}, out, err) != 0) qWarning("%s", err.str().c_str());
    std::vector<std::pair<std::string, Tabella>> tabelle;
    std::stringstream ss(out.str());
    for (std::string l; std::getline(ss, l);) {
        if (l.rfind("## ", 0) == 0) {
            tabelle.push_back({l.substr(3), {}});
            continue;
        }
        if (l.rfind("# ", 0) == 0 || tabelle.empty()) continue;
        tabelle.back().second.push_back(DividiTesto(l, '\t'));
    }
    return tabelle;
}

} // namespace trivalto::test
