#include "app/SkinChoice.h"

#include <array>

namespace app {
namespace {

// In store order: SkinItem0 silver, jade, sapphire, graphite, SkinItem4 amber.
constexpr std::array<std::wstring_view, kSkinChoiceCount> kCaptions{
    L"皮肤：银色", L"皮肤：翠绿", L"皮肤：蓝宝石", L"皮肤：石墨", L"皮肤：琥珀"};

}  // namespace

std::uint32_t SkinChoiceCommand(int item) {
  return kSkinChoiceFirstCommand + static_cast<std::uint32_t>(item) * kSkinChoiceStep;
}

std::optional<int> SkinChoiceOfCommand(std::uintptr_t wParam) {
  const std::uintptr_t command = wParam & 0xFFF0;
  if (command < kSkinChoiceFirstCommand) return std::nullopt;
  const std::uintptr_t item = (command - kSkinChoiceFirstCommand) / kSkinChoiceStep;
  if (item >= static_cast<std::uintptr_t>(kSkinChoiceCount)) return std::nullopt;
  return static_cast<int>(item);
}

std::wstring_view SkinChoiceCaption(int item) {
  if (item < 0 || item >= kSkinChoiceCount) return {};
  return kCaptions[static_cast<std::size_t>(item)];
}

}  // namespace app
