// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One way to spread independent steps over the cores: the searches' callers (simulations, walk-forward
// trials, explored settings) hand it the step and get back whether a stop cut the loop short.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

/// Runs `passo(i, interno)` for i in 0..n-1 on `thread` threads (0: every core), each i exactly once
/// unless a stop is asked through `ctl.Interrompi`, which is polled before every step and handed on
/// in `interno` (without progress) so a long step can stop too. `ctl.Progresso(fatti, n)` is called
/// from the workers, one call at a time, every `ogni` steps and at the last. Steps must not write
/// shared state other than their own slot. Returns true when the loop was stopped. An exception thrown
/// by a step stops the other workers and is thrown again here, on the caller's thread.
bool PerOgniInParallelo(int n, int thread, const ControlloLavoro& ctl,
                        const std::function<void(int i, const ControlloLavoro& interno)>& passo,
                        int ogni = 1);

/// Scratch space the steps of a loop reuse: a step borrows one, and gives it back when its handle goes;
/// there are never more than steps running at once. Not thread_local: with Windows' thread-local
/// storage a destructor may run after the thread's storage has been freed (a crash at thread exit).
template <class T> class Scorta {
public:
    class InUso {
    public:
        InUso(Scorta& scorta, std::unique_ptr<T> oggetto) : scorta_(scorta), oggetto_(std::move(oggetto)) {}
        InUso(const InUso&) = delete;
        InUso& operator=(const InUso&) = delete;
        ~InUso() { scorta_.Rendi(std::move(oggetto_)); }
        T& operator*() const { return *oggetto_; }
        T* operator->() const { return oggetto_.get(); }

    private:
        Scorta& scorta_;
        std::unique_ptr<T> oggetto_;
    };

    InUso Prendi() {
        std::unique_lock<std::mutex> l(m_);
        if (liberi_.empty()) {
            l.unlock();
            return InUso(*this, std::make_unique<T>());
        }
        auto oggetto = std::move(liberi_.back());
        liberi_.pop_back();
        return InUso(*this, std::move(oggetto));
    }

private:
    void Rendi(std::unique_ptr<T> oggetto) noexcept {
        try {
            std::lock_guard<std::mutex> l(m_);
            liberi_.push_back(std::move(oggetto));
        } catch (...) {
            // Out of memory: the object is simply freed, the next step makes another.
        }
    }

    std::mutex m_;
    std::vector<std::unique_ptr<T>> liberi_;
};

} // namespace trivalto
