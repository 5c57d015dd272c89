#pragma once

#include <iterator>
#include <string_view>

namespace sol {

// The main menu's entries, top to bottom, as the menu shows them and a
// listener hears them; each is nine columns wide.
inline constexpr std::string_view kMenuEntryNames[] = {"게임 시작", "게임 설명", "종료 하기"};
inline constexpr int kMenuEntryCount = static_cast<int>(std::size(kMenuEntryNames));

}  // namespace sol
