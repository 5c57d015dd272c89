#include "cards/deck.h"

#include <random>
#include <utility>

namespace sol {
namespace {

constexpr int kDealtCards = 5;
constexpr char kShapes[] = {'h', 'd', 'c', 's'};

}  // namespace

void shuffleCards(std::array<Card, GameState::kDeckSize>& cards, std::uint32_t seed) {
    std::mt19937 generator(seed);
    for (int exchange = 0; exchange < 100; ++exchange) {
        const auto a = generator() % GameState::kDeckSize;
        const auto b = generator() % GameState::kDeckSize;
        std::swap(cards[a], cards[b]);
    }
}

void makeCards(GameState& game, std::uint32_t seed) {
    game.cardSet = std::make_unique<std::array<Card, GameState::kDeckSize>>();
    auto& cards = *game.cardSet;
    for (int i = 0; i < GameState::kDeckSize; ++i) {
        cards[i] = Card{i % 13 + 1, kShapes[i / 13]};
    }
    shuffleCards(cards, seed);
    game.drawPile = std::make_unique<CardStack>();
    initStack(*game.drawPile);
    for (const Card& card : cards) {
        push(*game.drawPile, card);
    }
}

void dealCards(GameState& game, std::uint32_t seed) {
    initHand(game.playerHand);
    initHand(game.computerHand);
    makeCards(game, seed);
    for (int round = 0; round < kDealtCards; ++round) {
        drawInto(game, game.playerHand);
        drawInto(game, game.computerHand);
    }
    game.discardPile = std::make_unique<CardStack>();
    initStack(*game.discardPile);
    push(*game.discardPile, pop(*game.drawPile));
}

void recycleDiscard(Console& console, GameState& game) {
    const Card tmp = pop(*game.discardPile);
    while (game.discardPile->top >= 0) {
        push(*game.drawPile, pop(*game.discardPile));
        console.gotoXY(35, 15);
        console.write("카드가 다시 섞였습니다.");
    }
    push(*game.discardPile, tmp);
}

}  // namespace sol
