#include "support/golden.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sol::test {

std::string screenText(const ScreenBuffer& screen) {
    std::string out;
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        std::string row = screen.row(y);
        row.erase(row.find_last_not_of(' ') + 1);
        out += row + "\n";
    }
    return out;
}

std::string goldenDifference(const ScreenBuffer& screen, const std::string& name) {
    const std::string path = std::string(SOL_GOLDEN_DIR) + "/" + name;
    const std::string actual = screenText(screen);
    if (std::getenv("SOL_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path) << actual;
        return "";
    }
    std::stringstream expected;
    expected << std::ifstream(path).rdbuf();
    if (expected.str() == actual) {
        return "";
    }
    return name + " expected:\n" + expected.str() + "actual:\n" + actual;
}

}  // namespace sol::test
