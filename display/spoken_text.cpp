#include "display/spoken_text.h"

#include <optional>

#include "cards/card_words.h"
#include "display/menu_entries.h"
#include "display/table.h"

namespace sol {

std::string spokenCard(Card card) {
    return std::string(wordsOf(card.shape).word) + " " + rankWord(card.number);
}

namespace {

// The menu's marker and the rules' headings: no word of its own.
constexpr std::string_view kPointer = "☞";
constexpr const char* kHowToChoose =
    "위아래 화살표로 고르고 Enter를 누르세요. 항목을 눌러도 됩니다.";
constexpr const char* kHowToPlay =
    "왼쪽 오른쪽 화살표로 카드를 고르고 Enter로 냅니다. 위 화살표 다음 Enter는 카드 한 장 "
    "받기입니다. 카드나 카드 더미를 눌러도 됩니다.";

// 을 after a word spoken with a final consonant, 를 after one without: the
// ranks as a reader says them (삼, 육, 칠, 팔, 십; 잭, 퀸, 킹).
const char* objectParticle(Card card) {
    switch (card.number) {
        case 3:
        case 6:
        case 7:
        case 8:
        case kTen:
        case kJack:
        case kQueen:
        case kKing:
            return "을";
        default:
            return "를";
    }
}

std::string cardObject(Card card) {
    return spokenCard(card) + objectParticle(card);
}

// The cards of `side` from slot `from` (0-based) to the hand's end: the
// player's with their slot numbers ("1번 하트 에이스, 2번 ..."), which the
// marker moves by; the computer's without.
std::string cardsOf(const GameState& game, Side side, int from) {
    const Hand& hand = game.hand(side);
    std::string text;
    for (int k = from; k < hand.count; ++k) {
        text += k > from ? ", " : "";
        text += side == Side::Player ? std::to_string(k + 1) + "번 " : "";
        text += spokenCard(hand.cards[k]);
    }
    return text;
}

std::string inPlay(const GameState& game) {
    const std::optional<Card> top = peek(game.discardPile);
    return top ? "낼 카드는 " + spokenCard(*top) + "." : "";
}

std::string count(const Hand& hand) {
    return std::to_string(hand.count) + "장";
}

// The cards the side took last.
std::string taken(const GameState& game, Side side, int cards) {
    return cardsOf(game, side, game.hand(side).count - cards);
}

std::string laid(const GameState& game, Side mover, const Report& report) {
    const Side other = opponentOf(mover);
    const bool player = mover == Side::Player;
    std::string text = (player ? "" : "컴퓨터가 ") + cardObject(report.card) + " 냈습니다.";
    if (report.winner == mover && report.opponentTook == 0 && game.hand(mover).count == 1) {
        return text + " 마지막 카드입니다.";
    }
    if (report.opponentTook > 0) {
        text += std::string(other == Side::Player ? " 내가 " : " 컴퓨터가 ") +
                std::to_string(report.opponentTook) +
                "장을 받았습니다: " + taken(game, other, report.opponentTook) + ".";
    }
    if (report.movesAgain) {
        text += player ? " 한 번 더 냅니다." : " 컴퓨터가 한 번 더 냅니다.";
    }
    return text;
}

std::string drew(const GameState& game, Side mover, const Report& report) {
    if (mover == Side::Player) {
        return "받은 카드: " + std::to_string(game.playerHand.count) + "번 " +
               spokenCard(report.card) + ".";
    }
    return "컴퓨터가 한 장 받았습니다: " + spokenCard(report.card) + ".";
}

// The shape whose glyph `text` begins with.
std::optional<Shape> leadingShape(std::string_view text) {
    for (const Shape shape : kShapes) {
        if (text.starts_with(wordsOf(shape).glyph)) {
            return shape;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string menuSentence(int entry, bool opened) {
    const std::string at = std::string(kMenuEntryNames[entry - 1]) + ", " + std::to_string(entry) +
                           "/" + std::to_string(kMenuEntryCount);
    return opened ? std::string("솔방울 메뉴. ") + kHowToChoose + " " + at : at;
}

std::string spokenLine(std::string_view line) {
    std::string text;
    while (!line.empty()) {
        if (const std::optional<Shape> shape = leadingShape(line)) {
            text += wordsOf(*shape).word;
            line.remove_prefix(wordsOf(*shape).glyph.size());
        } else if (line.starts_with(kPointer)) {
            line.remove_prefix(kPointer.size());
        } else {
            text += line.front();
            line.remove_prefix(1);
        }
    }
    const auto first = text.find_first_not_of(" -\n");
    const auto last = text.find_last_not_of(" -\n");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

namespace {

std::string dealSentence(const GameState& game) {
    return "카드를 나눴습니다. 내 카드 " + count(game.playerHand) + ": " +
           cardsOf(game, Side::Player, 0) + ". " + inPlay(game) + " 컴퓨터 카드 " +
           count(game.computerHand) + ": " + cardsOf(game, Side::Computer, 0) + ". " + kHowToPlay;
}

std::string markerSentence(const GameState& game, int sel) {
    const Hand& hand = game.playerHand;
    const std::string slot = std::to_string(sel) + "번";
    return sel <= hand.count ? slot + " " + spokenCard(hand.cards[sel - 1]) : slot + " 빈 칸";
}

std::string drawOfferSentence() {
    return "카드 더미. Enter를 누르거나 더미를 한 번 더 누르면 한 장 받습니다.";
}

std::string drawOfferGivenUpSentence() {
    return "받지 않았습니다.";
}

std::string reportSentence(const GameState& game, Side mover, const Report& report) {
    if (report.pileEmpty) {
        return "카드 더미가 비어 게임을 끝냅니다.";
    }
    std::string text;
    switch (report.event) {
        case Event::Laid:
            text = laid(game, mover, report);
            break;
        case Event::Drew:
            text = drew(game, mover, report);
            break;
        case Event::Refused:
            return kRefusalText;
        case Event::Recycled:
            return kRecycleText;
        case Event::None:
            if (report.winner) {
                return mover == Side::Player ? "카드가 15장이라 더 받을 수 없습니다."
                                             : "컴퓨터 카드가 15장이라 더 받을 수 없습니다.";
            }
            return {};
    }
    if (report.winner) {
        return text;
    }
    if (mover == Side::Computer) {
        text += " 컴퓨터 카드 " + count(game.computerHand) + ".";
        if (game.turn == Side::Player) {
            text += " " + inPlay(game) + " 내 차례입니다.";
        }
    }
    return text;
}

std::string resultSentence(Side winner) {
    return std::string(winner == Side::Player ? "이겼습니다!" : "졌습니다.") +
           " 아무 키나 누르거나 화면을 누르면 끝납니다.";
}

}  // namespace

std::string narrate(const GameState& game, const TableEvent& event) {
    using Kind = TableEvent::Kind;
    switch (event.kind) {
        case Kind::Dealt:
            return dealSentence(game);
        case Kind::Step:
            return reportSentence(game, event.mover, event.report);
        case Kind::MarkerAt:
            return markerSentence(game, event.sel);
        case Kind::DrawOffered:
            return drawOfferSentence();
        case Kind::DrawOfferClosed:
            return event.taken ? "" : drawOfferGivenUpSentence();
        case Kind::Result:
            return resultSentence(*event.report.winner);
        case Kind::AwaitingInput:
        case Kind::InputTaken:
            break;
    }
    return {};
}

}  // namespace sol
