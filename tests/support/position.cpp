#include "support/position.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <stdexcept>

namespace sol {

void PrintTo(const Card& card, std::ostream* os) {
    static const char* const kRanks[] = {"?", "A", "2", "3",  "4", "5", "6",
                                         "7", "8", "9", "10", "J", "Q", "K"};
    const bool known = card.number >= 1 && card.number <= 13;
    *os << static_cast<char>(card.shape) << kRanks[known ? card.number : 0];
}

}  // namespace sol

namespace sol::test {
namespace {

std::vector<Card> fullDeck() {
    std::vector<Card> deck;
    for (const char shape : {'h', 'd', 'c', 's'}) {
        for (int number = 1; number <= 13; ++number) {
            deck.push_back(Card{number, static_cast<Shape>(shape)});
        }
    }
    return deck;
}

std::string show(Card c) {
    std::ostringstream os;
    PrintTo(c, &os);
    return os.str();
}

void put(CardStack& pile, Card c) {
    if (!push(pile, c)) {
        throw std::logic_error("pile full");
    }
}

}  // namespace

Card card(std::string_view text) {
    static const std::map<std::string_view, int> kLetters = {
        {"A", 1}, {"J", 11}, {"Q", 12}, {"K", 13}};
    const std::string_view rank = text.substr(1);
    const auto letter = kLetters.find(rank);
    const int number = letter != kLetters.end() ? letter->second : std::stoi(std::string(rank));
    return Card{number, static_cast<Shape>(text[0])};
}

std::vector<Card> cards(std::string_view texts) {
    std::istringstream in{std::string(texts)};
    std::vector<Card> out;
    for (std::string word; in >> word;) {
        out.push_back(card(word));
    }
    return out;
}

GameState position(std::string_view text) {
    std::map<std::string, std::string> fields;
    std::istringstream in{std::string(text)};
    std::string field;
    for (std::string word; in >> word;) {
        if (word.ends_with(':')) {
            field = word.substr(0, word.size() - 1);
        } else if (word != "|") {
            fields[field] += word + " ";
        }
    }
    GameState game;
    std::vector<Card> used = cards(fields["next"]);
    const Card inPlay = fields.count("play") ? cards(fields["play"]).at(0) : card("s5");
    used.push_back(inPlay);
    for (const auto& [name, side] : {std::pair{"you", Side::Player}, {"cpu", Side::Computer}}) {
        for (const Card c : cards(fields[name])) {
            if (!appendToHand(game.hand(side), c)) {
                throw std::logic_error("a hand over 15");
            }
            used.push_back(c);
        }
    }
    std::vector<Card> rest;
    for (const Card c : fullDeck()) {
        if (std::find(used.begin(), used.end(), c) == used.end()) {
            rest.push_back(c);
        }
    }
    const std::vector<Card> next = cards(fields["next"]);
    const int underNext =
        fields.count("draw") ? std::stoi(fields["draw"]) - int(next.size()) : int(rest.size());
    for (int i = 0; i < int(rest.size()); ++i) {
        put(i < underNext ? game.drawPile : game.discardPile, rest[i]);
    }
    for (auto c = next.rbegin(); c != next.rend(); ++c) {
        put(game.drawPile, *c);
    }
    put(game.discardPile, inPlay);
    game.turn = fields["turn"] == "cpu " ? Side::Computer : Side::Player;
    return game;
}

std::string describe(const GameState& game) {
    std::string out;
    for (const auto& [name, side] :
         {std::pair{"you:", Side::Player}, {" | cpu:", Side::Computer}}) {
        out += name;
        const Hand& hand = game.hand(side);
        for (int k = 0; k < hand.count; ++k) {
            out += " " + show(hand.cards[k]);
        }
    }
    const std::optional<Card> inPlay = peek(game.discardPile);
    out += " | play: " + (inPlay ? show(*inPlay) : "none");
    return out + (game.turn == Side::Player ? " | turn: you" : " | turn: cpu");
}

std::string deckBroken(const GameState& game) {
    // A bit per card: the soak test asks at every key read of many games.
    std::uint64_t seen = 0;
    int total = 0;
    const auto mark = [&](const Card* first, int count) {
        for (const Card* c = first; c != first + count; ++c) {
            const auto shape = std::string_view("hdcs").find(static_cast<char>(c->shape));
            if (shape == std::string_view::npos || c->number < 1 || c->number > 13) {
                return false;
            }
            const std::uint64_t bit = std::uint64_t{1} << (shape * 13 + c->number - 1);
            if ((seen & bit) != 0) {
                return false;
            }
            seen |= bit;
            ++total;
        }
        return true;
    };
    const bool valid = mark(game.playerHand.cards.data(), game.playerHand.count) &&
                       mark(game.computerHand.cards.data(), game.computerHand.count) &&
                       mark(game.drawPile.items.data(), game.drawPile.top + 1) &&
                       mark(game.discardPile.items.data(), game.discardPile.top + 1);
    return valid && total == GameState::kDeckSize ? "" : "cards lost, doubled or invented";
}

}  // namespace sol::test
