#include "support/memory_console.h"

#include <cstdint>

#include "console/exit_request.h"

namespace sol {

void MemoryConsole::gotoXY(int x, int y) {
    screen_.moveTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

int MemoryConsole::readKey() {
    if (beforeRead_) {
        beforeRead_(*this);
    }
    std::optional<int> key;
    if (!keys_.empty()) {
        key = keys_.front();
        keys_.pop_front();
    } else if (source_) {
        key = source_();
    }
    if (!key) {
        throw ExitRequest{1};
    }
    return *key;
}

void MemoryConsole::pushKeys(const std::vector<int>& keys) {
    keys_.insert(keys_.end(), keys.begin(), keys.end());
}

}  // namespace sol
