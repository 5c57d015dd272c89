// Many whole games from a fresh deal, each driven by a random key stream, with
// the rules that must hold at every key read checked along the way.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cards/deck.h"
#include "console/error_output.h"
#include "console/exit_request.h"
#include "console/key_codes.h"
#include "console/memory_console.h"
#include "display/card_faces.h"
#include "display/table.h"
#include "game/game_loop.h"

namespace sol {
namespace {

constexpr int kGames = 10'000;
// Far more keys than any game needs; a game still going then is stuck.
constexpr int kKeyLimit = 20'000;

// Mostly the keys that play (Enter, arrows as two codes, the bare letters),
// some bytes of any value, so the prefix alone and unknown codes turn up too.
class RandomKeys {
  public:
    explicit RandomKeys(std::uint32_t seed) : rng_(seed) {}

    std::optional<int> next() {
        if (pending_) {
            return std::exchange(pending_, std::nullopt);
        }
        if (++given_ > kKeyLimit) {
            return std::nullopt;
        }
        static constexpr int kMoves[] = {key::kUp, key::kDown, key::kLeft, key::kRight};
        const int roll = pick(100);
        if (roll < 40) {
            return key::kEnter;
        }
        if (roll < 80) {
            pending_ = kMoves[pick(4)];
            return key::kPrefix;
        }
        if (roll < 90) {
            return kMoves[pick(4)];
        }
        return pick(256);
    }

  private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }

    std::mt19937 rng_;
    std::optional<int> pending_;
    int given_ = 0;
};

// Every card of the deck exactly once across the hands and the piles, and
// no hand beyond its slots. Runs at every key read of every game, so it
// marks cards in a bit set rather than sorting copies.
std::string brokenRule(const GameState& game) {
    if (game.playerHand.count > Hand::kCapacity || game.computerHand.count > Hand::kCapacity) {
        return "a hand holds more than 15";
    }
    std::uint64_t seen = 0;
    int total = 0;
    const auto mark = [&](const Card* first, int count) {
        for (const Card* c = first; c != first + count; ++c) {
            const auto shape = std::string_view("hdcs").find(c->shape);
            if (shape == std::string_view::npos || c->number < 1 || c->number > 13) {
                return false;
            }
            const std::uint64_t bit = std::uint64_t{1} << (shape * 13 + c->number - 1);
            if (seen & bit) {
                return false;
            }
            seen |= bit;
            ++total;
        }
        return true;
    };
    const bool valid = mark(game.playerHand.cards.data(), game.playerHand.count) &&
                       mark(game.computerHand.cards.data(), game.computerHand.count) &&
                       mark(game.drawPile->items.data(), game.drawPile->top + 1) &&
                       mark(game.discardPile->items.data(), game.discardPile->top + 1);
    return valid && total == GameState::kDeckSize ? "" : "cards lost, doubled or invented";
}

struct GameRun {
    int reads = 0;
    bool bannerShown = false;
    bool won = false;
    std::string broken;  // the first rule found broken, with the read it was found at
};

GameRun playSeeded(std::uint32_t seed) {
    GameRun run;
    MemoryConsole console;
    GameState game;
    RandomKeys keys(seed * 2654435761u);
    console.setKeySource([&keys] { return keys.next(); });
    console.setBeforeRead([&](const MemoryConsole& c) {
        ++run.reads;
        if (run.broken.empty()) {
            const std::string rule = brokenRule(game);
            if (!rule.empty()) {
                run.broken = rule + " at read " + std::to_string(run.reads);
            }
        }
        run.bannerShown = c.text(30, 13, 14) == "Pleas any key~";
        run.won = run.bannerShown && c.row(8).find("■■■    ■    ■") != std::string::npos;
    });
    drawTable(console);
    dealCards(game, seed);
    showCards(console, game);
    try {
        runGameLoop(console, game);
    } catch (const ExitRequest&) {
    }
    return run;
}

TEST(Soak, SeededGamesOnRandomKeysAllEndWithABannerAndKeepTheDeckWhole) {
    ScopedErrorCapture errors;
    int longest = 0;
    int wins = 0;
    for (std::uint32_t seed = 1; seed <= kGames; ++seed) {
        const GameRun run = playSeeded(seed);
        ASSERT_EQ(run.broken, "") << "seed " << seed;
        ASSERT_TRUE(run.bannerShown) << "seed " << seed << " ended without a banner";
        longest = std::max(longest, run.reads);
        wins += run.won ? 1 : 0;
    }
    // Random keys win some games and lose others, so both endings are walked.
    EXPECT_GT(wins, 0);
    EXPECT_LT(wins, kGames);
    EXPECT_EQ(errors.text(), "") << "a pile error occurred";
    RecordProperty("longest_game_in_key_reads", longest);
    RecordProperty("games_won", wins);
}

}  // namespace
}  // namespace sol
