#include "support/position.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>

namespace sol {
namespace {

constexpr std::string_view kRanks[] = {"?", "A", "2", "3",  "4", "5", "6",
                                       "7", "8", "9", "10", "J", "Q", "K"};

}  // namespace

void PrintTo(const Card& card, std::ostream* os) {
    const bool known = card.number >= 1 && card.number <= 13;
    *os << static_cast<char>(card.shape) << kRanks[known ? card.number : 0];
}

}  // namespace sol

namespace sol::test {

Card card(std::string_view text) {
    const auto rank = std::find(std::begin(kRanks), std::end(kRanks), text.substr(1));
    return Card{static_cast<int>(rank - std::begin(kRanks)), static_cast<Shape>(text[0])};
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
    for (std::string word, field; in >> word;) {
        if (word.ends_with(':')) {
            field = word.substr(0, word.size() - 1);
        } else if (word != "|") {
            fields[field] += word + " ";
        }
    }
    GameState game;
    bool fits = true;  // false for a hand over 15, say
    const std::vector<Card> next = cards(fields["next"]);
    const Card inPlay = cards(fields.count("play") ? fields["play"] : "s5").at(0);
    std::vector<Card> used = next;
    used.push_back(inPlay);
    for (const auto& [name, side] : {std::pair{"you", Side::Player}, {"cpu", Side::Computer}}) {
        for (const Card c : cards(fields[name])) {
            fits = fits && appendToHand(game.hand(side), c);
            used.push_back(c);
        }
    }
    std::vector<Card> rest;
    for (const char shape : std::string_view("hdcs")) {
        for (int number = 1; number <= 13; ++number) {
            // std::find, not the ranges one, which Debian 12's libc++ lacks.
            const Card card{number, static_cast<Shape>(shape)};
            if (std::find(used.begin(), used.end(), card) == used.end()) {
                rest.push_back(card);
            }
        }
    }
    const int underNext =
        fields.count("draw") ? std::stoi(fields["draw"]) - int(next.size()) : int(rest.size());
    for (int i = 0; i < int(rest.size()); ++i) {
        fits = fits && push(i < underNext ? game.drawPile : game.discardPile, rest[i]);
    }
    for (auto c = next.rbegin(); c != next.rend(); ++c) {
        fits = fits && push(game.drawPile, *c);
    }
    if (!(fits && push(game.discardPile, inPlay))) {
        throw std::logic_error("the position does not fit");
    }
    game.turn = fields["turn"] == "cpu " ? Side::Computer : Side::Player;
    return game;
}

std::string describe(const GameState& game) {
    std::ostringstream out;
    for (const auto& [name, side] :
         {std::pair{"you:", Side::Player}, {" | cpu:", Side::Computer}}) {
        out << name;
        for (int k = 0; k < game.hand(side).count; ++k) {
            out << ' ';
            PrintTo(game.hand(side).cards[k], &out);
        }
    }
    out << " | play: ";
    PrintTo(peek(game.discardPile).value_or(Card{0, static_cast<Shape>('-')}), &out);  // "-?": none
    out << " | turn: " << (game.turn == Side::Player ? "you" : "cpu");
    return out.str();
}

std::string deckBroken(const GameState& game) {
    std::array<int, GameState::kDeckSize> seen{};  // cheap: the soak test asks at every key read
    int total = 0;
    bool valid = true;
    const auto mark = [&](const Card* first, int count) {
        for (const Card* c = first; c != first + count; ++c, ++total) {
            const auto shape = std::string_view("hdcs").find(static_cast<char>(c->shape));
            valid = valid && shape != std::string_view::npos && c->number >= 1 && c->number <= 13 &&
                    ++seen[shape * 13 + c->number - 1] == 1;
        }
    };
    mark(game.playerHand.cards.data(), game.playerHand.count);
    mark(game.computerHand.cards.data(), game.computerHand.count);
    mark(game.drawPile.items.data(), game.drawPile.top + 1);
    mark(game.discardPile.items.data(), game.discardPile.top + 1);
    return valid && total == GameState::kDeckSize ? "" : "cards lost, doubled or invented";
}

}  // namespace sol::test
