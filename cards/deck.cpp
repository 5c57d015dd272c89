#include "cards/deck.h"

#include <random>
#include <utility>

namespace sol {
namespace {

constexpr int kDealtCards = 5;

static_assert(GameState::kDeckSize <= CardStack::kCapacity,
              "the whole deck fits on one pile, so dealing cannot fail");

// A card from a pile that is known to hold one.
Card take(CardStack& pile) {
    return pop(pile).value();
}

void put(CardStack& pile, Card card) {
    const bool stored = push(pile, card);
    (void)stored;  // the whole deck fits
}

}  // namespace

void shuffleCards(CardSet& cards, std::uint32_t seed) {
    std::mt19937 generator(seed);
    for (int exchange = 0; exchange < 100; ++exchange) {
        const auto a = generator() % GameState::kDeckSize;
        const auto b = generator() % GameState::kDeckSize;
        std::swap(cards[a], cards[b]);
    }
}

CardStack makeCards(std::uint32_t seed) {
    CardSet cards;
    for (int i = 0; i < GameState::kDeckSize; ++i) {
        cards[i] = Card{i % 13 + 1, kShapes[i / 13]};
    }
    shuffleCards(cards, seed);
    CardStack drawPile;
    for (const Card& card : cards) {
        put(drawPile, card);
    }
    return drawPile;
}

void dealCards(GameState& game, std::uint32_t seed) {
    initHand(game.playerHand);
    initHand(game.computerHand);
    game.drawPile = makeCards(seed);
    for (int round = 0; round < kDealtCards; ++round) {
        drawInto(game, Side::Player);
        drawInto(game, Side::Computer);
    }
    initStack(game.discardPile);
    put(game.discardPile, take(game.drawPile));
}

Report recycleDiscard(GameState& game) {
    Report report;
    const std::optional<Card> tmp = pop(game.discardPile);
    if (!tmp) {
        report.pileEmpty = true;
        return report;
    }
    while (const std::optional<Card> card = pop(game.discardPile)) {
        report.event = Event::Recycled;
        if (!push(game.drawPile, *card)) {
            ++report.droppedCards;
        }
    }
    if (!push(game.discardPile, *tmp)) {
        ++report.droppedCards;
    }
    return report;
}

}  // namespace sol
