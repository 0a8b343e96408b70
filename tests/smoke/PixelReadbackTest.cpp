// A real window under Wine paints a known colour and text in the window font "宋体"; reading its
// pixels back proves the display, the font mapping and both capture paths work.
#include <gtest/gtest.h>

#include "tests/support/PixelTest.h"
#include "ui/Handles.h"

using namespace trelvix::testing;

namespace {

constexpr COLORREF kBackground = RGB(0x20, 0x60, 0xA0);
constexpr COLORREF kInk = RGB(0xFF, 0xFF, 0xFF);
constexpr wchar_t kCaption[] = L"Trelvix 转换完成 3GP";

ui::GdiFont MakeSongTi() {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfCharSet = GB2312_CHARSET;
  wcscpy_s(font.lfFaceName, L"宋体");
  return ui::GdiFont(CreateFontIndirectW(&font));
}

// Paints `text` at (8, 8) on the background colour.
class TextWindow {
 public:
  explicit TextWindow(const wchar_t* text) : text_(text) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TextWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrelvixPixelProbe";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"Trelvix 像素测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                              40, 320, 120, nullptr, nullptr, wc.hInstance, this);
    PumpMessages(300);
  }
  ~TextWindow() {
    if (window_) DestroyWindow(window_);
  }
  TextWindow(const TextWindow&) = delete;
  TextWindow& operator=(const TextWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TextWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        self->Paint(window, dc);
        EndPaint(window, &ps);
        return 0;
      }
      case WM_PRINTCLIENT:
        self->Paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Paint(HWND window, HDC dc) const {
    RECT client;
    GetClientRect(window, &client);
    ui::GdiBrush brush(CreateSolidBrush(kBackground));
    FillRect(dc, &client, brush.get());
    const ui::GdiFont font = MakeSongTi();
    ui::SelectedObject selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInk);
    TextOutW(dc, 8, 8, text_, lstrlenW(text_));
  }

  const wchar_t* text_;
  HWND window_ = nullptr;
};

constexpr RECT kTextArea{8, 8, 48, 24};

}  // namespace

TEST(PixelReadback, WindowShowsItsColourAndTextOnScreenAndWhenPrinted) {
  TextWindow window(kCaption);
  ASSERT_NE(window.Handle(), nullptr);
  const Capture onScreen = CaptureClient(window.Handle());
  const Capture printed = PrintClient(window.Handle());
  ASSERT_GT(onScreen.width, 200);
  ASSERT_EQ(printed.width, onScreen.width);

  EXPECT_EQ(onScreen.At(onScreen.width - 2, onScreen.height - 2), Rgb(kBackground));
  EXPECT_EQ(printed.At(printed.width - 2, printed.height - 2), Rgb(kBackground));
  EXPECT_GT(onScreen.CountNot(Rgb(kBackground), RECT{8, 6, 200, 24}), 40) << "no text drawn";
  EXPECT_TRUE(onScreen.SameArea(printed, RECT{0, 0, onScreen.width, onScreen.height}))
      << "WM_PRINTCLIENT painted something else than WM_PAINT";
}

// Without a face mapping Wine draws Latin letters of "宋体" as identical boxes; distinct letters
// must give distinct pictures, in both scripts.
TEST(PixelReadback, SongTiDrawsDistinctLatinAndChineseGlyphs) {
  auto picture = [](const wchar_t* text) {
    TextWindow window(text);
    return PrintClient(window.Handle());
  };
  const Capture t = picture(L"T");
  const Capture r = picture(L"r");
  const Capture zhuan = picture(L"转");
  const Capture huan = picture(L"换");
  ASSERT_GT(t.width, 0);
  EXPECT_GT(t.CountNot(Rgb(kBackground), kTextArea), 4);
  EXPECT_FALSE(t.SameArea(r, kTextArea)) << "Latin letters render as boxes";
  EXPECT_FALSE(zhuan.SameArea(huan, kTextArea)) << "Chinese characters render as boxes";
  EXPECT_FALSE(t.SameArea(zhuan, kTextArea));
}
