// Many whole games from a fresh deal, each driven by a random key stream,
// with the deck checked at every key read.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "cards/deck.h"
#include "console/port/exit_request.h"
#include "console/port/key_codes.h"
#include "display/card_faces.h"
#include "display/layout.h"
#include "display/table.h"
#include "game/game_loop.h"
#include "support/error_capture.h"
#include "support/memory_console.h"
#include "support/position.h"

namespace sol {
namespace {

constexpr int kGames = 10'000;
// Far more keys than any game needs; a game still going then is stuck.
constexpr int kKeyLimit = 20'000;

TEST(Soak, SeededGamesOnRandomKeysEndWithABannerAndKeepTheDeckWhole) {
    test::ScopedErrorCapture errors;
    int wins = 0;
    for (std::uint32_t seed = 1; seed <= kGames; ++seed) {
        MemoryConsole console;
        // Mostly the keys that play (Enter, arrows as two codes, the bare
        // letters), some codes of any value, so the prefix alone and unknown
        // codes turn up too.
        std::mt19937 rng(seed * 2654435761u);
        const auto pick = [&rng](int below) {
            return std::uniform_int_distribution<int>(0, below - 1)(rng);
        };
        std::optional<int> pending;
        int given = 0;
        console.setKeySource([&]() -> std::optional<int> {
            static constexpr int kMoves[] = {key::kUp, key::kDown, key::kLeft, key::kRight};
            if (pending) {
                return std::exchange(pending, std::nullopt);
            }
            if (++given > kKeyLimit) {
                return std::nullopt;
            }
            const int roll = pick(100);
            if (roll >= 40 && roll < 80) {
                pending = kMoves[pick(4)];
                return key::kPrefix;
            }
            return roll < 40 ? key::kEnter : roll < 90 ? kMoves[pick(4)] : pick(256);
        });
        GameState game;
        std::string broken;
        console.setBeforeRead([&](const MemoryConsole&) {
            if (broken.empty()) {
                broken = test::deckBroken(game);
            }
        });
        drawTable(console);
        dealCards(game, seed);
        showCards(console, game);
        int status = -1;
        try {
            status = runGameLoop(console, game);
        } catch (const ExitRequest&) {
        }
        ASSERT_EQ(broken, "") << "seed " << seed;
        ASSERT_EQ(status, 1) << "seed " << seed << " did not end";
        const auto [x, y] = layout::kBannerArt;
        wins += console.text(x, y, 32) == "■      ■    ■■■    ■    ■" ? 1 : 0;
    }
    // Random keys win some games and lose others, so both endings are walked.
    EXPECT_GT(wins, 0);
    EXPECT_LT(wins, kGames);
    EXPECT_EQ(errors.text(), "") << "a pile error occurred";
}

}  // namespace
}  // namespace sol
