#pragma once
// Long work off the UI thread: the job runs on the thread pool, its result comes back by value to
// a continuation on the UI thread, and its progress reaches a progress bar through queued calls.
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressBar>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <memory>

namespace trivalto {

/// A progress callback, safe to call from any thread, that moves `barra` (at most once per percent).
inline std::function<void(int, int)> ProgressoSuBarra(QProgressBar* barra) {
    QPointer<QProgressBar> p(barra);
    auto ultimo = std::make_shared<std::atomic<int>>(-1);
    return [p, ultimo](int valore, int massimo) {
        if (!p) return;
        const int percento = massimo > 0 ? static_cast<int>(100LL * valore / massimo) : 0;
        if (percento == ultimo->exchange(percento)) return;
        QMetaObject::invokeMethod(
            p.data(),
            [p, valore, massimo] {
                if (!p) return;
                p->setMaximum(std::max(massimo, 1));
                p->setValue(std::min(valore, std::max(massimo, 1)));
            },
            Qt::QueuedConnection);
    };
}

/// Runs `lavoro` on the pool and `poi(risultato)` on `contesto`'s thread; an exception of the job
/// reaches `errore` instead. The returned watcher lets the owner wait for the job before it goes.
template <class R>
QFutureWatcherBase* AvviaLavoro(QObject* contesto, std::function<R()> lavoro, std::function<void(R)> poi,
                                std::function<void()> errore) {
    auto* osservatore = new QFutureWatcher<R>(contesto);
    QObject::connect(osservatore, &QFutureWatcher<R>::finished, contesto, [osservatore, poi, errore] {
        osservatore->deleteLater();
        try {
            R risultato = osservatore->result();
            poi(std::move(risultato));
        } catch (...) {
            errore();
        }
    });
    osservatore->setFuture(QtConcurrent::run(std::move(lavoro)));
    return osservatore;
}

} // namespace trivalto
