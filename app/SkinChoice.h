#pragma once
// The main window's choice of skin: five radio entries, one per item of its skin store, in the "皮肤"
// submenu of its system menu and in the popup of the skins' own caption button. Their command
// identifiers lie below the system commands and keep the four low bits clear, which the system uses
// in WM_SYSCOMMAND.
#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

inline constexpr int kSkinChoiceCount = 5;
inline constexpr std::uint32_t kSkinChoiceFirstCommand = 0x7000;
inline constexpr std::uint32_t kSkinChoiceStep = 0x10;
// The skins' caption button for the choice: an action the skin engine leaves to the window, and a
// visibility that shows it only on a window that says it wants it.
inline constexpr int kSkinButtonAction = 30;
inline constexpr int kSkinButtonVisibility = 1000;
inline constexpr wchar_t kSkinMenuCaption[] = L"皮肤";

// The command of store item `item` (0..kSkinChoiceCount-1).
std::uint32_t SkinChoiceCommand(int item);
// The store item a WM_SYSCOMMAND wParam chooses, or nothing for any other command.
std::optional<int> SkinChoiceOfCommand(std::uintptr_t wParam);
// The entry's text for store item `item`; empty outside the store.
std::wstring_view SkinChoiceCaption(int item);

}  // namespace app
