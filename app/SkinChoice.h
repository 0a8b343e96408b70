#pragma once
// The main window's choice of skin: five radio entries in its system menu, one per item of its skin
// store, under a separator. Their command identifiers lie below the system commands and keep the
// four low bits clear, which the system uses in WM_SYSCOMMAND.
#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

inline constexpr int kSkinChoiceCount = 5;
inline constexpr std::uint32_t kSkinChoiceFirstCommand = 0x7000;
inline constexpr std::uint32_t kSkinChoiceStep = 0x10;

// The command of store item `item` (0..kSkinChoiceCount-1).
std::uint32_t SkinChoiceCommand(int item);
// The store item a WM_SYSCOMMAND wParam chooses, or nothing for any other command.
std::optional<int> SkinChoiceOfCommand(std::uintptr_t wParam);
// The entry's text for store item `item`; empty outside the store.
std::wstring_view SkinChoiceCaption(int item);

}  // namespace app
