#include "app/BannerPicture.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>

#include "ui/Handles.h"

namespace app {
namespace {

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
  auto mix = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

void Fill(HDC dc, const RECT& box, COLORREF colour) {
  const ui::GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &box, brush.get());
}

void RoundBox(HDC dc, const RECT& box, int corner, COLORREF fill, COLORREF edge) {
  const ui::GdiBrush brush(CreateSolidBrush(fill));
  const ui::GdiPen pen(CreatePen(PS_SOLID, 1, edge));
  const ui::SelectedObject selectedBrush(dc, brush.get());
  const ui::SelectedObject selectedPen(dc, pen.get());
  RoundRect(dc, box.left, box.top, box.right, box.bottom, corner, corner);
}

void Text(HDC dc, int x, int y, int height, int weight, COLORREF colour, const wchar_t* text) {
  const ui::GdiFont font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
  const ui::SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  TextOutW(dc, x, y, text, lstrlenW(text));
}

// A strip of film: the clip that goes in.
void FilmStrip(HDC dc, int left, int top) {
  RoundBox(dc, {left, top, left + 92, top + 70}, 6, RGB(24, 30, 44), RGB(120, 170, 210));
  for (int i = 0; i < 6; ++i) {
    const int x = left + 8 + i * 14;
    Fill(dc, {x, top + 5, x + 8, top + 11}, RGB(200, 220, 235));
    Fill(dc, {x, top + 59, x + 8, top + 65}, RGB(200, 220, 235));
  }
  Fill(dc, {left + 8, top + 16, left + 42, top + 54}, RGB(230, 150, 60));
  Fill(dc, {left + 48, top + 16, left + 84, top + 54}, RGB(90, 180, 120));
  Fill(dc, {left + 8, top + 40, left + 42, top + 54}, RGB(200, 110, 40));
  Fill(dc, {left + 48, top + 40, left + 84, top + 54}, RGB(60, 140, 90));
}

// A mobile telephone: where the 3GP goes.
void Phone(HDC dc, int left, int top) {
  RoundBox(dc, {left, top, left + 50, top + 92}, 12, RGB(236, 240, 246), RGB(255, 255, 255));
  Fill(dc, {left + 6, top + 12, left + 44, top + 58}, RGB(30, 60, 110));
  const POINT play[] = {{left + 19, top + 24}, {left + 19, top + 46}, {left + 34, top + 35}};
  const ui::GdiBrush brush(CreateSolidBrush(RGB(255, 200, 80)));
  const ui::GdiPen pen(CreatePen(PS_SOLID, 1, RGB(255, 200, 80)));
  const ui::SelectedObject selectedBrush(dc, brush.get());
  const ui::SelectedObject selectedPen(dc, pen.get());
  Polygon(dc, play, 3);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const int x = left + 9 + column * 12, y = top + 63 + row * 8;
      Fill(dc, {x, y, x + 8, y + 5}, RGB(150, 160, 175));
    }
}

void Arrow(HDC dc, int left, int middle) {
  const ui::GdiBrush brush(CreateSolidBrush(RGB(255, 200, 80)));
  const ui::GdiPen pen(CreatePen(PS_SOLID, 1, RGB(255, 200, 80)));
  const ui::SelectedObject selectedBrush(dc, brush.get());
  const ui::SelectedObject selectedPen(dc, pen.get());
  const POINT shape[] = {{left, middle - 5},      {left + 22, middle - 5}, {left + 22, middle - 12},
                         {left + 36, middle},     {left + 22, middle + 12}, {left + 22, middle + 5},
                         {left, middle + 5}};
  Polygon(dc, shape, 7);
}

}  // namespace

std::wstring BannerPageAddress(const std::wstring& exePath) { return L"res://" + exePath + L"/BANNER.HTML"; }

void PaintBanner(ui::TBitmap& banner) {
  banner.SetPixelFormat(ui::TPixelFormat::pf24bit);
  banner.SetSize(kBannerWidth, kBannerHeight);
  const HDC dc = banner.Canvas().Handle();

  const COLORREF top = RGB(18, 44, 86), bottom = RGB(32, 118, 150);
  for (int y = 0; y < kBannerHeight; ++y) Fill(dc, {0, y, kBannerWidth, y + 1}, Blend(top, bottom, y, kBannerHeight));
  // Soft light bands across the background.
  for (int band : {250, 330, 420}) {
    const POINT shape[] = {{band, 0}, {band + 40, 0}, {band - 60, kBannerHeight}, {band - 100, kBannerHeight}};
    const ui::GdiBrush brush(CreateSolidBrush(Blend(top, RGB(70, 140, 180), 1, 3)));
    const ui::GdiPen pen(CreatePen(PS_NULL, 0, 0));
    const ui::SelectedObject selectedBrush(dc, brush.get());
    const ui::SelectedObject selectedPen(dc, pen.get());
    Polygon(dc, shape, 4);
  }
  Fill(dc, {0, kBannerHeight - 4, kBannerWidth, kBannerHeight}, RGB(255, 200, 80));

  FilmStrip(dc, 22, 40);
  Arrow(dc, 122, 75);
  Phone(dc, 166, 29);

  Text(dc, 246, 26, -30, FW_BOLD, RGB(255, 255, 255), L"Trelvix");
  Text(dc, 368, 32, -24, FW_BOLD, RGB(255, 214, 110), L"3GP 视频转换");
  Text(dc, 248, 72, -12, FW_NORMAL, RGB(214, 232, 245), L"RM  RMVB  AVI  MPG  WMV  MOV  MP4  VOB");
  Text(dc, 248, 92, -12, FW_NORMAL, RGB(214, 232, 245), L"一次添加多个文件，转换成手机能播放的 3GP");
  Text(dc, 248, 112, -12, FW_NORMAL, RGB(214, 232, 245), L"每个文件的进度一目了然");
}

}  // namespace app
