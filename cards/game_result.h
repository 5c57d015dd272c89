#pragma once

namespace sol {

enum class Outcome { Win, Lose };

// Thrown where a game is decided, deep inside a move; the game loop catches
// it, shows the banner and ends the process.
struct GameDecided {
    Outcome outcome;
};

}  // namespace sol
