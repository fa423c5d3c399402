// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One way to spread independent steps over the cores: the searches' callers (simulations, walk-forward
// trials, explored settings) hand it the step and get back whether a stop cut the loop short.
#include <functional>

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

} // namespace trivalto
