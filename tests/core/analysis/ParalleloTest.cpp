// SPDX-License-Identifier: GPL-3.0-or-later
// The one parallel loop: every step exactly once on any number of threads, progress to the end, a stop
// honoured, and a step's exception brought back to the caller instead of ending the program.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/analysis/Parallelo.h"

using namespace trivalto;

TEST(Parallelo, OgniPassoUnaVoltaEAvanzamento) {
    for (int thread : {1, 2, 7}) {
        std::vector<std::atomic<int>> volte(1000);
        int ultimo = 0, chiamate = 0;
        ControlloLavoro ctl{nullptr, [&](int fatti, int totale) {
                                EXPECT_EQ(totale, 1000);
                                EXPECT_GT(fatti, ultimo); // one call at a time, never backwards
                                ultimo = fatti;
                                ++chiamate;
                            }};
        const bool fermata = PerOgniInParallelo(
            1000, thread, ctl, [&](int i, const ControlloLavoro&) { ++volte[static_cast<size_t>(i)]; }, 50);
        EXPECT_FALSE(fermata);
        for (const auto& v : volte)
            EXPECT_EQ(v.load(), 1);
        EXPECT_EQ(ultimo, 1000);
        EXPECT_EQ(chiamate, 20);
    }
    EXPECT_FALSE(PerOgniInParallelo(0, 2, {}, [](int, const ControlloLavoro&) { FAIL(); }));
}

TEST(Parallelo, FermataEdEccezione) {
    // Steps past the 100th wait for the stop (or the throw) to have happened, so a worker preempted
    // right after its step cannot let the other one run the whole loop on a loaded machine.
    const auto aspetta = [](const std::atomic<bool>& segnale) {
        while (!segnale.load())
            std::this_thread::yield();
    };
    std::atomic<bool> ferma{false};
    std::atomic<int> fatti{0};
    const bool fermata =
        PerOgniInParallelo(10000, 2, {&ferma, {}}, [&](int i, const ControlloLavoro& interno) {
            EXPECT_EQ(interno.Interrompi, &ferma); // a long step can stop too
            if (i > 100) aspetta(ferma);
            if (++fatti == 10) ferma = true;
        });
    EXPECT_TRUE(fermata);
    EXPECT_LE(fatti.load(), 103);

    std::atomic<bool> lanciata{false};
    std::atomic<int> dopo{0};
    EXPECT_THROW(PerOgniInParallelo(10000, 2, {},
                                    [&](int i, const ControlloLavoro&) {
                                        if (i == 3) {
                                            lanciata = true;
                                            throw std::invalid_argument("al massimo 30 casi");
                                        }
                                        // The throw is recorded a moment after `lanciata`: slow steps
                                        // leave the other worker no time to run the loop out meanwhile.
                                        if (i > 100) {
                                            aspetta(lanciata);
                                            std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                        }
                                        ++dopo;
                                    }),
                 std::invalid_argument);
    EXPECT_LT(dopo.load(), 5000); // the others stopped
}

namespace {
std::atomic<int> spaziCreati{0};
struct Spazio {
    Spazio() { ++spaziCreati; }
    std::atomic<int> inUso{0};
};
} // namespace

// The steps' scratch space: one step at a time per object, objects reused (never more of them than
// steps running at once), and given back also by a step that throws.
TEST(Parallelo, ScortaPrestaUnOggettoPerPasso) {
    spaziCreati = 0;
    Scorta<Spazio> scorta;
    std::atomic<bool> sovrapposti{false};
    PerOgniInParallelo(2000, 4, {}, [&](int i, const ControlloLavoro&) {
        auto s = scorta.Prendi();
        if (s->inUso.fetch_add(1) != 0) sovrapposti = true;
        if (i % 97 == 0) std::this_thread::yield();
        s->inUso.fetch_sub(1);
    });
    EXPECT_FALSE(sovrapposti);
    EXPECT_GE(spaziCreati.load(), 1);
    EXPECT_LE(spaziCreati.load(), 4);

    const int prima = spaziCreati.load();
    EXPECT_THROW(PerOgniInParallelo(10, 1, {},
                                    [&](int i, const ControlloLavoro&) {
                                        auto s = scorta.Prendi();
                                        if (i == 3) throw std::runtime_error("passo");
                                    }),
                 std::runtime_error);
    EXPECT_EQ(spaziCreati.load(), prima);
}
