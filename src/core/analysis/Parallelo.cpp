// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Parallelo.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace trivalto {

bool PerOgniInParallelo(int n, int thread, const ControlloLavoro& ctl,
                        const std::function<void(int, const ControlloLavoro&)>& passo, int ogni) {
    if (n <= 0) return ctl.Interrompi && ctl.Interrompi->load();
    const int quanti =
        std::clamp(thread > 0 ? thread : static_cast<int>(std::thread::hardware_concurrency()), 1, n);
    const int passoProgresso = std::max(ogni, 1);
    std::atomic<int> prossima{0}, fatte{0};
    std::atomic<bool> fermata{false}, guasto{false};
    std::mutex progresso;
    std::exception_ptr errore;
    const ControlloLavoro interno{ctl.Interrompi, {}};
    const auto lavora = [&] {
        for (int i; (i = prossima.fetch_add(1)) < n;) {
            if (ctl.Interrompi && ctl.Interrompi->load()) {
                fermata = true;
                return;
            }
            if (guasto) return;
            try {
                passo(i, interno);
            } catch (...) {
                // An exception leaving a std::thread would end the program: the first one is kept and
                // thrown again on the caller's thread once every worker has stopped.
                std::lock_guard<std::mutex> l(progresso);
                if (!errore) errore = std::current_exception();
                guasto = true;
                return;
            }
            const int fatto = ++fatte;
            if (ctl.Progresso && (fatto % passoProgresso == 0 || fatto == n)) {
                std::lock_guard<std::mutex> l(progresso);
                ctl.Progresso(fatto, n);
            }
        }
    };
    std::vector<std::thread> lavoratori;
    for (int t = 1; t < quanti; ++t)
        lavoratori.emplace_back(lavora);
    lavora();
    for (auto& t : lavoratori)
        t.join();
    if (errore) std::rethrow_exception(errore);
    return fermata || (ctl.Interrompi && ctl.Interrompi->load());
}

} // namespace trivalto
