#include "skin/controls/StatusPanelText.h"

namespace skin {

PanelText SplitPanelText(const std::wstring& text) {
  PanelText panel;
  std::size_t tabs = 0;
  while (tabs < 2 && tabs < text.size() && text[tabs] == L'\t') ++tabs;
  panel.alignment = static_cast<int>(tabs);
  panel.text = text.substr(tabs);
  if (panel.text.empty()) panel.text = L" ";
  return panel;
}

}  // namespace skin
