// What a frame costs: bytes sent to the terminal and CPU time, on the real
// rendering path and on a plain write-through renderer.
//
//   ./build/bench/frame_cost_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

#include "bench_consoles.h"
#include "cards/deck.h"
#include "console/exit_request.h"
#include "console/key_codes.h"
#include "display/card_faces.h"
#include "display/table.h"
#include "game/game_loop.h"

namespace sol::bench {
namespace {

constexpr std::uint32_t kSeed = 1207;

// A dealt game on the table, as the player first sees it.
template <typename Screen>
void dealtTable(Screen& console, GameState& game) {
    dealCards(game, kSeed);
    drawTable(console);
    showCards(console, game);
}

template <typename Screen>
void markerMove(Screen& console, int from, int to) {
    console.gotoXY(from * 4 + 6, 21);
    console.write("  ");
    console.gotoXY(to * 4 + 6, 21);
    console.write(" △");
}

void reportBytes(benchmark::State& state, std::size_t bytes) {
    state.counters["bytes"] =
        benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

template <typename Screen>
void BM_MarkerMove(benchmark::State& state) {
    Screen console;
    GameState game;
    dealtTable(console, game);
    console.present();
    console.takeSent();
    int slot = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        markerMove(console, slot, (slot + 1) % 15);
        slot = (slot + 1) % 15;
        console.present();
        bytes += console.takeSent();
    }
    reportBytes(state, bytes);
}

// A lay redraws the whole table and the faces; the hand differs by a card.
template <typename Screen>
void BM_LayRedraw(benchmark::State& state) {
    Screen console;
    GameState game;
    dealtTable(console, game);
    console.present();
    console.takeSent();
    const Hand before = game.playerHand;
    Hand after = before;
    (void)takeFromHand(after, 2);
    bool laid = false;
    std::size_t bytes = 0;
    for (auto _ : state) {
        game.playerHand = laid ? before : after;
        laid = !laid;
        drawTable(console);
        showCards(console, game);
        console.present();
        bytes += console.takeSent();
    }
    reportBytes(state, bytes);
    if constexpr (std::is_same_v<Screen, RenderedConsole>) {
        state.counters["full_repaint_bytes"] = static_cast<double>(console.fullRepaintBytes());
    }
}

// The same scripted player for both consoles: mostly lays and moves, now
// and then a draw or a cancelled draw, so a game runs its whole course.
KeySource scriptedPlayer(std::uint32_t seed) {
    auto generator = std::make_shared<std::mt19937>(seed);
    auto pending = std::make_shared<std::vector<int>>();
    return [generator, pending]() {
        if (pending->empty()) {
            const unsigned roll = (*generator)() % 100;
            if (roll < 40) {
                *pending = {key::kEnter};
            } else if (roll < 75) {
                *pending = {key::kPrefix, key::kRight};
            } else if (roll < 85) {
                *pending = {key::kPrefix, key::kLeft};
            } else if (roll < 97) {
                *pending = {key::kPrefix, key::kUp, key::kEnter};
            } else {
                *pending = {key::kPrefix, key::kUp, 'x'};
            }
            std::reverse(pending->begin(), pending->end());
        }
        const int code = pending->back();
        pending->pop_back();
        return code;
    };
}

template <typename Screen>
std::size_t playScriptedGame(std::uint32_t seed) {
    Screen console(scriptedPlayer(seed));
    try {
        playGame(console, seed);
    } catch (const ExitRequest&) {
    }
    console.present();  // the banner's last frame
    return console.takeSent();
}

// The same games on both consoles: the bytes are those of a fixed set of
// deals, the time is that of playing them in turn.
constexpr int kGames = 64;

template <typename Screen>
void BM_WholeGame(benchmark::State& state) {
    std::size_t bytes = 0;
    for (int i = 0; i < kGames; ++i) {
        bytes += playScriptedGame<Screen>(kSeed + i);
    }
    int next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(playScriptedGame<Screen>(kSeed + next));
        next = (next + 1) % kGames;
    }
    state.counters["bytes"] = static_cast<double>(bytes) / kGames;
}

BENCHMARK(BM_MarkerMove<RenderedConsole>)->Name("MarkerMove/rendered");
BENCHMARK(BM_MarkerMove<WriteThroughConsole>)->Name("MarkerMove/write_through");
BENCHMARK(BM_LayRedraw<RenderedConsole>)->Name("LayRedraw/rendered");
BENCHMARK(BM_LayRedraw<WriteThroughConsole>)->Name("LayRedraw/write_through");
BENCHMARK(BM_WholeGame<RenderedConsole>)->Name("WholeGame/rendered");
BENCHMARK(BM_WholeGame<WriteThroughConsole>)->Name("WholeGame/write_through");

}  // namespace
}  // namespace sol::bench

BENCHMARK_MAIN();
