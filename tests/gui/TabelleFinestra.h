// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window tests share: an analysis-like window on a test bench, a held thread pool, the texts
// of a grid, and the tables a `trivalto-cli` run prints, to compare a window with the command-line tool.
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "DialoghiScriptati.h"
#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/analysis/TabelleAnalisi.h"
#include "core/shell/ContestoProgramma.h"
#include "gui/ui/Griglia.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/Storia.h"

namespace trivalto::test {

/// A window of type W on an archive, with the history and delays windows it opens; the derived bench
/// makes the window and calls Mostra.
template <class W> struct BancoFinestra {
    CartellaTemporanea cartella;
    ContestoProgramma ctx{cartella.Percorso().string()};
    DialoghiScriptati d;
    std::unique_ptr<FinestraStoria> storia;
    std::unique_ptr<FrmRitardi> ritardi;
    std::unique_ptr<W> w;

    explicit BancoFinestra(const ArchivioMemoria& archivio) { ctx.PubblicaArchivio(archivio); }
    /// "Storia" or "Frm_Ritardi", opened once as the main window would.
    std::function<QWidget*(const QString&)> Apri() {
        return [this](const QString& nome) -> QWidget* {
            if (nome == QStringLiteral("Storia")) {
                if (!storia) storia = std::make_unique<FinestraStoria>(d);
                return storia.get();
            }
            if (!ritardi) ritardi = std::make_unique<FrmRitardi>();
            return ritardi.get();
        };
    }
    void Mostra(std::unique_ptr<W> finestra) {
        w = std::move(finestra);
        w->resize(1200, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    template <class T> T* c(const char* nome) { return w->template findChild<T*>(QString::fromLatin1(nome)); }
    Griglia* g(const char* nome) { return c<Griglia>(nome); }
    void Premi(const char* nome) {
        if (auto* b = c<QPushButton>(nome))
            b->click();
        else
            c<QToolButton>(nome)->click();
        QVERIFY(QTest::qWaitFor([&] { return !w->Occupata(); }, 20000));
    }
    /// Return on a table's row, the keyboard's way to the row's action.
    void Invio(Griglia* griglia, int riga, int colonna = 0) {
        griglia->setFocus();
        griglia->ImpostaCellaCorrente(riga, colonna);
        QTest::keyClick(griglia, Qt::Key_Return);
    }
    void Clic(Griglia* griglia, int riga, bool doppio = false, int colonna = 0) {
        const QRect cella = griglia->visualRect(griglia->Modello().index(riga - 1, colonna));
        // A real double click begins with a press; QTest's double click alone does not send one.
        QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, cella.center());
        if (doppio) QTest::mouseDClick(griglia->viewport(), Qt::LeftButton, {}, cella.center());
    }
};

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
