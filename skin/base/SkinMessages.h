#pragma once
// The skin engine's private window messages, and the mark its own queries carry in lParam and get
// back as their answer.
#include <cstdint>

namespace skin {

inline constexpr std::uint32_t SM_RESKIN = 0x3401;
inline constexpr std::uint32_t SM_REPAINTFRAME = 0x3502;
inline constexpr std::uint32_t SM_SKINENABLE = 0x3506;
inline constexpr std::uint32_t SM_SKININIT = 0x3503;
// Posted for a caption button whose action the engine leaves to the window: wParam the action, lParam
// the button's bottom-left corner in screen coordinates (signed x and y words).
inline constexpr std::uint32_t SM_SYSBUTTONACTION = 0x3514;
inline constexpr std::uint32_t SM_QUERYSYSBUTTON = 0x3515;
inline constexpr std::uint32_t SM_REDRAWMDICLIENT = 0x3516;
inline constexpr std::uint32_t SM_MENUBARCLICK = 0x3518;
inline constexpr std::uint32_t SM_ISSKINNED = 0x3523;
inline constexpr std::uint32_t SM_PAINTINTO = 0xBC4A;
inline constexpr std::uint32_t SM_PAINTNC = 0xBC4B;
inline constexpr std::uint32_t SM_QUERYENGINE = 0xBC4D;
inline constexpr std::uint32_t SM_SKINAPPLIED = 0xBC4E;

inline constexpr std::intptr_t kEngineMark = 16802;
// lParam of the posted SM_SKININIT.
inline constexpr std::intptr_t kSkinInitMark = 1000;

}  // namespace skin
