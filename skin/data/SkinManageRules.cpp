#include "skin/data/SkinManageRules.h"

#include <string>

#include "ui/core/AsciiText.h"

namespace skin {

bool IsDialogClass(std::wstring_view className) {
  const std::wstring lower = ui::AsciiLower(className);
  return lower == L"tmessageform" || lower == L"#32770";
}

FrameRefusal DecideFraming(const FrameCandidate& window) {
  if (!window.enabled) return FrameRefusal::NotEnabled;
  if (window.alreadySkinned) return FrameRefusal::AlreadySkinned;
  if (!window.sweeping && window.child && !window.mdiChild && !window.parentIsMdiClient)
    return FrameRefusal::PlainChild;
  if (!window.hasForm && !window.ownModule && window.className != L"#32770") return FrameRefusal::Foreign;
  if (!window.hasArea && !window.mdiChild) return FrameRefusal::NoArea;
  if (window.hasForm && window.formTag == kUnframedFormTag) return FrameRefusal::UnframedTag;
  if (window.className.find(L"TcxPopupEditPopupWindow") != std::wstring_view::npos ||
      window.className == L"TApplication")
    return FrameRefusal::RefusedClass;
  return FrameRefusal::None;
}

std::optional<std::size_t> ChooseServingComponent(std::span<const ComponentFacts> components,
                                                  std::wstring_view className) {
  const auto lastOf = [&](auto matches) -> std::optional<std::size_t> {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < components.size(); ++i)
      if (matches(components[i])) found = i;
    return found;
  };
  if (auto own = lastOf([](const ComponentFacts& c) { return c.formType == TSkinFormType::sfOnlyThisForm && c.ownsWindow; }))
    return own;
  if (IsDialogClass(className)) {
    if (auto dialog = lastOf([](const ComponentFacts& c) { return c.formType == TSkinFormType::sfDialog; })) return dialog;
  }
  if (auto main = lastOf([](const ComponentFacts& c) { return c.formType == TSkinFormType::sfMainform; })) return main;
  if (components.empty()) return std::nullopt;
  return std::size_t{0};
}

}  // namespace skin
