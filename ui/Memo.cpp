#include "ui/Memo.h"

namespace ui {

const TClass& TMemo::StaticClass() {
  static const TClass cls = ClassBuilder<TMemo>(L"TMemo", &TCustomEdit::StaticClass())
                                .Enum(L"ScrollBars", ScrollStyleInfo(), &TMemo::ScrollBars, &TMemo::SetScrollBars)
                                .Default(0)
                                .Enum(L"BorderStyle", BorderStyleInfo(), &TMemo::PublishedBorderStyle,
                                      &TMemo::SetPublishedBorderStyle)
                                .Default(1)
                                .Build();
  return cls;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  SetBounds(0, 0, 185, 89);
  SetBorderStyle(TBorderStyle::bsSingle);
}

void TMemo::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  RecreateWnd();
}

void TMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ScrollStyleBits(scrollBars_);
  // Without a horizontal bar the lines wrap at the edge.
  if (!(params.Style & WS_HSCROLL)) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

}  // namespace ui
