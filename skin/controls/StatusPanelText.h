#pragma once
// A status bar panel's text as the system's bar keeps it: one leading tab centres the rest, two
// right-align it.
#include <string>

namespace skin {

struct PanelText {
  int alignment = 0;  // 0 left, 1 centre, 2 right
  std::wstring text;  // without the alignment tabs; one blank when nothing is left
};

PanelText SplitPanelText(const std::wstring& text);

}  // namespace skin
