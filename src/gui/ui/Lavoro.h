// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long work off the UI thread. A job owns everything it reads (its inputs by value, the archive
// snapshot they point into, its own stop flag), so the window that started it may close at any
// time without waiting. Progress and the result come back through a QFutureWatcher, whose signals
// arrive on the UI thread: no widget is ever touched from a pool thread.
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressBar>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "core/analysis/RicercaTerzine.h"

// Qt's pool and futures synchronise through futexes that ThreadSanitizer cannot see; these marks
// tell it about the order they guarantee (the job starts after its launch, its result is read after
// it ends), so that what it still reports is a real race.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* indirizzo);
extern "C" void __tsan_release(void* indirizzo);
#define TRIVALTO_TSAN_ACQUISISCI(p) __tsan_acquire(p)
#define TRIVALTO_TSAN_RILASCIA(p) __tsan_release(p)
#else
#define TRIVALTO_TSAN_ACQUISISCI(p) ((void)(p))
#define TRIVALTO_TSAN_RILASCIA(p) ((void)(p))
#endif

namespace trivalto {

/// The handle the owner keeps: stop the job, or ask whether it still runs.
class LavoroAvviato {
public:
    LavoroAvviato() = default;
    LavoroAvviato(std::shared_ptr<std::atomic<bool>> stop, QFutureWatcherBase* osservatore)
        : stop_(std::move(stop)), osservatore_(osservatore) {}
    /// Asks the job to stop at its next check; a job that has not started yet stops at its first.
    void Ferma() const {
        if (stop_) stop_->store(true);
    }
    bool InCorso() const { return osservatore_ && !osservatore_->isFinished(); }
    /// Blocks until the job has ended. For tests and the program's exit only.
    void Attendi() const {
        if (osservatore_) osservatore_->waitForFinished();
    }

private:
    std::shared_ptr<std::atomic<bool>> stop_;
    QPointer<QFutureWatcherBase> osservatore_;
};

/// The text of a job's failure, for the second line of the message that reports it.
inline QString CausaErrore(const std::exception_ptr& e) {
    try {
        if (e) std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return QString::fromStdString(x.what());
    } catch (...) {
    }
    return QStringLiteral("errore sconosciuto");
}

/// Runs `lavoro(controllo)` on the thread pool; its progress moves `barra` (may be null) and its
/// result reaches `poi` on `contesto`'s thread, or its exception reaches `errore`. Nothing is
/// delivered once `contesto` is gone.
template <class R>
LavoroAvviato AvviaLavoro(QObject* contesto, QProgressBar* barra,
                          std::function<R(const ControlloLavoro&)> lavoro, std::function<void(R)> poi,
                          std::function<void(std::exception_ptr)> errore) {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    auto guasto = std::make_shared<std::exception_ptr>();
    auto* osservatore = new QFutureWatcher<R>(contesto);
    QPointer<QProgressBar> b(barra);
    QObject::connect(osservatore, &QFutureWatcherBase::progressRangeChanged, osservatore,
                     [b](int minimo, int massimo) {
                         if (b) b->setRange(minimo, std::max(massimo, 1));
                     });
    QObject::connect(osservatore, &QFutureWatcherBase::progressValueChanged, osservatore, [b](int valore) {
        if (b) b->setValue(std::min(valore, b->maximum()));
    });
    QObject::connect(osservatore, &QFutureWatcherBase::finished, contesto,
                     [osservatore, poi = std::move(poi), errore = std::move(errore), guasto] {
                         osservatore->deleteLater();
                         TRIVALTO_TSAN_ACQUISISCI(guasto.get());
                         if (osservatore->future().resultCount() > 0)
                             poi(osservatore->result());
                         else
                             errore(*guasto);
                     });
    osservatore->setFuture(
        QtConcurrent::run([lavoro = std::move(lavoro), stop, guasto](QPromise<R>& promessa) {
            int massimo = -1;
            ControlloLavoro controllo{stop.get(), [&promessa, &massimo](int valore, int m) {
                                          if (m != massimo) promessa.setProgressRange(0, massimo = m);
                                          promessa.setProgressValue(valore);
                                      }};
            try {
                promessa.addResult(lavoro(controllo));
            } catch (...) {
                *guasto = std::current_exception();
            }
        }));
    return LavoroAvviato(std::move(stop), osservatore);
}

} // namespace trivalto
