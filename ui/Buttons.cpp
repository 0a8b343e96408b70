#include "ui/Buttons.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "ui/Form.h"

namespace ui {
namespace {

RECT ToRect(const LayoutRect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// One cell of the strip with every pixel turned to the average of its channels; the transparent
// colour turns grey with the rest, so it is handed back as well.
std::unique_ptr<TBitmap> GreyCell(TBitmap& strip, int cellLeft, int cellWidth, COLORREF& transparent) {
  auto cell = std::make_unique<TBitmap>();
  cell->SetPixelFormat(TPixelFormat::pf32bit);
  cell->SetSize(cellWidth, strip.Height());
  {
    MemoryDc source(CreateCompatibleDC(nullptr));
    SelectedObject selected(source.get(), strip.Handle());
    BitBlt(cell->Canvas().Handle(), 0, 0, cellWidth, strip.Height(), source.get(), cellLeft, 0, SRCCOPY);
  }
  GdiFlush();
  for (int y = 0; y < cell->Height(); ++y) {
    auto* p = static_cast<std::uint8_t*>(cell->ScanLine(y));
    for (int x = 0; x < cellWidth; ++x, p += 4) {
      const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = grey;
    }
  }
  const int greyKey = (GetRValue(transparent) + GetGValue(transparent) + GetBValue(transparent)) / 3;
  transparent = RGB(greyKey, greyKey, greyKey);
  return cell;
}

// The picture of a standard kind: a mark drawn on a magenta ground (the transparent colour).
void DrawKindGlyph(TBitmap& glyph, TBitBtnKind kind) {
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(16, 16);
  HDC dc = glyph.Canvas().Handle();
  GdiBrush ground(CreateSolidBrush(RGB(255, 0, 255)));
  const RECT all{0, 0, 16, 16};
  FillRect(dc, &all, ground.get());
  COLORREF ink = RGB(0, 128, 0);
  switch (kind) {
    case TBitBtnKind::bkCancel:
    case TBitBtnKind::bkNo:
    case TBitBtnKind::bkAbort: ink = RGB(192, 0, 0); break;
    case TBitBtnKind::bkHelp:
    case TBitBtnKind::bkIgnore: ink = RGB(0, 0, 160); break;
    case TBitBtnKind::bkClose: ink = RGB(96, 64, 0); break;
    default: break;
  }
  GdiPen pen(CreatePen(PS_SOLID, 2, ink));
  GdiBrush fill(CreateSolidBrush(ink));
  auto dot = [&](int left, int top) {
    const RECT r{left, top, left + 3, top + 3};
    FillRect(dc, &r, fill.get());
  };
  SelectedObject selectedPen(dc, pen.get());
  SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
  auto lines = [&](std::initializer_list<POINT> points) {
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
  };
  switch (kind) {
    case TBitBtnKind::bkOK:
    case TBitBtnKind::bkYes: lines({{2, 8}, {6, 12}, {13, 3}}); break;
    case TBitBtnKind::bkAll:
      lines({{1, 8}, {4, 11}, {9, 4}});
      lines({{6, 8}, {9, 11}, {14, 4}});
      break;
    case TBitBtnKind::bkCancel:
    case TBitBtnKind::bkNo:
      lines({{3, 3}, {13, 13}});
      lines({{13, 3}, {3, 13}});
      break;
    case TBitBtnKind::bkAbort:
      Ellipse(dc, 1, 1, 15, 15);
      lines({{5, 5}, {11, 11}});
      lines({{11, 5}, {5, 11}});
      break;
    case TBitBtnKind::bkHelp:
      lines({{4, 5}, {6, 2}, {10, 2}, {12, 5}, {8, 8}, {8, 10}});
      dot(7, 12);
      break;
    case TBitBtnKind::bkClose:
      Rectangle(dc, 3, 1, 13, 15);
      lines({{9, 8}, {10, 8}});
      break;
    case TBitBtnKind::bkRetry:  // three quarters of a circle ending in an arrow head at the top
      lines({{8, 2}, {4, 3}, {2, 7}, {3, 11}, {7, 14}, {11, 13}, {14, 9}, {13, 5}});
      lines({{13, 1}, {13, 5}, {9, 5}});
      break;
    case TBitBtnKind::bkIgnore:
      lines({{8, 2}, {8, 10}});
      dot(7, 12);
      break;
    case TBitBtnKind::bkCustom: break;
  }
}

}  // namespace

const TEnumInfo& ButtonLayoutInfo() {
  static const TEnumInfo info(L"TButtonLayout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"});
  return info;
}

const TEnumInfo& BitBtnKindInfo() {
  static const TEnumInfo info(L"TBitBtnKind", {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo",
                                               L"bkClose", L"bkAbort", L"bkRetry", L"bkIgnore", L"bkAll"});
  return info;
}

// ---- TButtonGlyph ----

TButtonGlyph::TButtonGlyph() : bitmap_(std::make_unique<TBitmap>()) {}

void TButtonGlyph::SetBitmap(TBitmap* bitmap) { bitmap_->Assign(bitmap); }

void TButtonGlyph::Draw(HDC dc, const RECT& client, const std::wstring& caption, HFONT font, COLORREF textColor,
                        TGlyphState state, TButtonLayout layout, int margin, int spacing, bool speedButton,
                        int offset) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const bool hasGlyph = !bitmap_->Empty();
  const int cellWidth = hasGlyph ? bitmap_->Width() / numGlyphs_ : 0;
  const LayoutSize glyphSize{cellWidth, hasGlyph ? bitmap_->Height() : 0};
  const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;

  SelectedObject selectedFont(dc, font);
  LayoutSize textSize;
  if (!caption.empty()) {
    RECT area{0, 0, width - 4, height - 4};
    if (hasGlyph) {
      if (horizontal)
        area.right -= glyphSize.cx + 2;
      else
        area.bottom -= glyphSize.cy + 2;
    }
    area.right = std::max<LONG>(area.right, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, DT_CALCRECT | DT_WORDBREAK);
    textSize = {area.right - area.left, area.bottom - area.top};
  }
  const GlyphPlacement placement = PlaceGlyphAndCaption({width, height}, glyphSize, textSize, layout, margin,
                                                        spacing, false, speedButton);
  const int dx = client.left + offset;
  const int dy = client.top + offset;

  if (hasGlyph && cellWidth > 0) {
    const int cell = GlyphCell(state, numGlyphs_);
    COLORREF transparent = ColorToRGB(bitmap_->TransparentColor());
    std::unique_ptr<TBitmap> grey;
    TBitmap* source = bitmap_.get();
    int sourceLeft = (cell - 1) * cellWidth;
    if (state == TGlyphState::gsDisabled && cell == 1) {
      grey = GreyCell(*bitmap_, 0, cellWidth, transparent);
      source = grey.get();
      sourceLeft = 0;
    }
    const RECT target = ToRect(placement.glyph, dx, dy);
    MemoryDc sourceDc(CreateCompatibleDC(dc));
    SelectedObject selected(sourceDc.get(), source->Handle());
    TransparentBlt(dc, target.left, target.top, glyphSize.cx, glyphSize.cy, sourceDc.get(), sourceLeft, 0,
                   glyphSize.cx, glyphSize.cy, transparent);
  }
  if (!caption.empty()) {
    RECT textRect = ToRect(placement.text, dx, dy);
    UINT format = DT_WORDBREAK;
    if (layout == TButtonLayout::blGlyphRight) format |= DT_RIGHT;
    if (!horizontal) format |= DT_CENTER;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, textColor);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, format);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
  }
}

// ---- TBitBtn ----

const TClass& TBitBtn::StaticClass() {
  static const TClass cls =
      ClassBuilder<TBitBtn>(L"TBitBtn", &TButton::StaticClass())
          .Enum(L"Kind", BitBtnKindInfo(), &TBitBtn::Kind, &TBitBtn::SetKind)
          .Default(0)
          .Integer(L"ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult)
          .Default(0)
          .Object(L"Glyph", &TBitBtn::GlyphObject, &TBitBtn::SetGlyph)
          .Integer(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
          .Default(1)
          .Enum(L"Layout", ButtonLayoutInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout)
          .Default(0)
          .Integer(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
          .Default(-1)
          .Integer(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
          .Default(4)
          .Object(L"Images", &TBitBtn::Images, &TBitBtn::SetImages)
          .Integer(L"ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex)
          .Default(-1)
          .Integer(L"DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex)
          .Default(-1)
          .Build();
  return cls;
}

void TBitBtn::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
  Invalidate();
}

void TBitBtn::SetImageIndex(int index) {
  imageIndex_ = index;
  Invalidate();
}

void TBitBtn::SetDisabledIndex(int index) {
  disabledIndex_ = index;
  Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (!IsDestroying()) Invalidate();
  }
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  Glyph().OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::GlyphChanged(TObject*) { Invalidate(); }

void TBitBtn::SetGlyph(TBitmap* glyph) { glyph_.SetBitmap(glyph); }

void TBitBtn::SetNumGlyphs(int count) {
  glyph_.SetNumGlyphs(count);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin_ = std::max(margin, -1);
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  spacing_ = std::max(spacing, -1);
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  kindGlyph_.reset();
  Invalidate();
  if (kind == TBitBtnKind::bkCustom) return;
  kindGlyph_ = std::make_unique<TButtonGlyph>();
  DrawKindGlyph(kindGlyph_->Bitmap(), kind);
  static const wchar_t* const captions[] = {L"",    L"OK",     L"Cancel", L"&Help",   L"&Yes", L"&No",
                                            L"&Close", L"Abort", L"&Retry", L"&Ignore", L"&All"};
  static const int results[] = {mrNone, mrOk, mrCancel, mrNone, mrYes, mrNo, mrNone, mrAbort, mrRetry, mrIgnore, mrAll};
  const auto index = static_cast<std::size_t>(kind);
  SetDefault(kind == TBitBtnKind::bkOK || kind == TBitBtnKind::bkYes);
  SetCancel(kind == TBitBtnKind::bkCancel || kind == TBitBtnKind::bkNo);
  // A caption read from the definition before the kind stays.
  if (!IsLoading() || Caption().empty()) SetCaption(captions[index]);
  modalResult_ = results[index];
}

void TBitBtn::Click() {
  if (kind_ == TBitBtnKind::bkClose) {
    if (TCustomForm* form = ParentForm()) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
      message.Result = TRUE;
      return;
    case BM_SETSTYLE:  // the default-button role must not turn the owner-drawn button into a plain one
      message.WParam = (message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      Invalidate();
      break;
    case WM_LBUTTONDBLCLK:  // an owner-drawn button would report a double click instead of a second click
      message.Msg = WM_LBUTTONDOWN;
      break;
    default:
      break;
  }
  TButton::WndProc(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !Enabled();
  GdiBrush faceBrush(CreateSolidBrush(ColorToRGB(clBtnFace)));
  FillRect(dc, &face, faceBrush.get());
  if (Default() || focused) {
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
  const TGlyphState state =
      disabled ? TGlyphState::gsDisabled : pressed ? TGlyphState::gsPressed : TGlyphState::gsUp;
  const COLORREF textColor = ColorToRGB(disabled ? clGrayText : Font().Color());
  TButtonGlyph fromImages;
  const int image = disabled && disabledIndex_ >= 0 ? disabledIndex_ : imageIndex_;
  if (glyph_.Bitmap().Empty() && images_ && image >= 0 && image < images_->Count()) {
    // The image on the glyph's transparent colour (the bottom-left pixel), so it is drawn as a glyph.
    TBitmap& picture = fromImages.Bitmap();
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(images_->Width(), images_->Height());
    picture.Canvas().Brush().SetColor(clFuchsia);
    picture.Canvas().FillRect({0, 0, images_->Width(), images_->Height()});
    images_->Draw(picture.Canvas(), 0, 0, image, true);
  }
  TButtonGlyph& shown = !fromImages.Bitmap().Empty()            ? fromImages
                        : glyph_.Bitmap().Empty() && kindGlyph_ ? *kindGlyph_
                                                                : glyph_;
  shown.Draw(dc, item.rcItem, Caption(), Font().Handle(), textColor, state, layout_, margin_, spacing_, false,
             pressed ? 1 : 0);
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// ---- TSpeedButton ----

const TClass& TSpeedButton::StaticClass() {
  static const TClass cls =
      ClassBuilder<TSpeedButton>(L"TSpeedButton", &TGraphicControl::StaticClass())
          .WideString(L"Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
          .Boolean(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
          .Default(0)
          .Integer(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
          .Default(0)
          .Boolean(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
          .Default(0)
          .Boolean(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
          .Default(0)
          .Boolean(L"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent)
          .Default(1)
          .Object(L"Glyph", &TSpeedButton::GlyphObject, &TSpeedButton::SetGlyph)
          .Integer(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
          .Default(1)
          .Enum(L"Layout", ButtonLayoutInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
          .Default(0)
          .Integer(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
          .Default(-1)
          .Integer(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
          .Default(4)
          .Build();
  return cls;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  Glyph().OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGlyph(TBitmap* glyph) { glyph_.SetBitmap(glyph); }

void TSpeedButton::SetNumGlyphs(int count) {
  glyph_.SetNumGlyphs(count);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  margin_ = std::max(margin, -1);
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  spacing_ = std::max(spacing, -1);
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TSpeedButton::SetDown(bool down) {
  if (IsLoading()) {  // the group may be read after Down
    loadedDown_ = down;
    return;
  }
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = down;
  Invalidate();
  if (down) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int index) {
  groupIndex_ = std::max(index, 0);
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    Invalidate();
  }
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  UpdateExclusive();
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  if (loadedDown_) SetDown(true);
  loadedDown_ = false;
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || Parent() == nullptr || IsLoading()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = As<TSpeedButton>(Parent()->Controls(i));
    if (other == nullptr || other == this || other->groupIndex_ != groupIndex_) continue;
    other->allowAllUp_ = allowAllUp_;
    if (down_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  dragging_ = true;
  if (!down_) {
    pressed_ = true;
    Invalidate();
  }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool pressed = !down_ && x >= 0 && y >= 0 && x < Width() && y < Height();
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !dragging_) return;
  dragging_ = false;
  pressed_ = false;
  if (x >= 0 && y >= 0 && x < Width() && y < Height() && groupIndex_ != 0) SetDown(!down_);
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& message) {
  TGraphicControl::WndProc(message);
  if ((message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) && flat_ && Enabled()) Invalidate();
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  HDC dc = canvas.Handle();
  RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  const bool sunk = pressed_ || down_;
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(client);
  }
  if (!flat_) {
    RECT face = client;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0));
  } else if (sunk || (Hot() && Enabled())) {
    RECT face = client;
    DrawEdge(dc, &face, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  TGlyphState state = TGlyphState::gsUp;
  if (!Enabled())
    state = TGlyphState::gsDisabled;
  else if (pressed_)
    state = TGlyphState::gsPressed;
  else if (down_)
    state = TGlyphState::gsExclusive;
  const COLORREF textColor = ColorToRGB(Enabled() ? Font().Color() : clGrayText);
  glyph_.Draw(dc, client, Caption(), Font().Handle(), textColor, state, layout_, margin_, spacing_, true,
              sunk ? 1 : 0);
}

}  // namespace ui
