// The skinned menus under Wine: item cells drawn from the skin (selected, separator, disabled,
// checked, right-to-left), the popup components of a form, the mirror of the system menu, the menu
// bar's keys and mouse sliding, a popup window's wrapper that comes and goes with the window, and
// frames unskinned, re-wrapped or left without their skin component while their own menu is open.
#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/MenuRules.h"
#include "skin/frame/SkinMenuPainter.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/MenuScript.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::SkinBytes;
using trelvix::testing::WindowRect;

using skin::TSkinManage;

// Asks a popup-menu window for the menu it shows.
constexpr UINT kMnGetHMenu = 0x01E1;
constexpr UINT kOpen = 101, kQuit = 102, kRecentOne = 103, kUndo = 201, kPrint = 202, kOwnDrawn = 203, kGo = 300,
               kAbout = 401, kLocked = 501;
// The item data of the window's own owner-drawn item: small, as programs use.
constexpr ULONG_PTR kOwnItemData = 1;

// ---- item pictures ----

struct Picture {
  std::unique_ptr<ui::TBitmap> bitmap = std::make_unique<ui::TBitmap>();
  Picture(int w, int h) {
    bitmap->SetPixelFormat(ui::TPixelFormat::pf24bit);
    bitmap->SetSize(w, h);
    const RECT all{0, 0, w, h};
    FillRect(Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  HDC Dc() { return bitmap->Canvas().Handle(); }
  COLORREF At(int x, int y) { return GetPixel(Dc(), x, y); }
};

class MenuItemPainting : public ::testing::Test {
 protected:
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    ASSERT_TRUE(data_.LoadFromBytes(SkinBytes(2)));
    ASSERT_TRUE(data_.FMenuItem && !data_.FMenuItem->Bitmap.Empty());
  }
  void TearDown() override { skin::SetSkinMessageHandler(nullptr); }

  // The item strip's cell as the skin draws it at the item's size, on the menu colour (no popup
  // picture stands behind these items); the separator's key colour is always see-through.
  Picture Cell(int cell, int height = kHeight) {
    Picture p(kWidth, height);
    const RECT all{0, 0, kWidth, height};
    ui::GdiBrush menu(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(data_.Menu))));
    FillRect(p.Dc(), &all, menu.get());
    if (cell == kNoCell) return p;
    auto& e = *data_.FMenuItem;
    skin::DrawSkinFrame(p.Dc(), all, e.Bitmap, false, e.Tile != 0, cell == 2 || e.Trans != 0, skin::kMenuItemCells,
                        cell, e.Margins());
    return p;
  }
  Picture Item(const skin::MenuItemLook& look, int height = kHeight) {
    Picture p(kWidth, height);
    skin::PaintSkinMenuItem(p.Dc(), RECT{0, 0, kWidth, height}, look, data_, {});
    return p;
  }
  // Pixels of the item that differ from the cell, in a column range.
  int Differences(Picture& item, Picture& cell, int fromX, int toX) {
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = fromX; x < toX; ++x) n += item.At(x, y) != cell.At(x, y);
    return n;
  }

  static constexpr int kNoCell = 0;  // the background alone
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 22;
  static constexpr int kSeparatorHeight = 8;  // as measured: lower than the strip's cells
  skin::TSkinData data_{nullptr};
};

TEST_F(MenuItemPainting, NormalSelectedAndSeparatorItemsShowCellsOneFourAndTwo) {
  skin::MenuItemLook look;
  look.caption = L"打开(&O)";
  Picture normal = Item(look);
  look.selected = true;
  Picture selected = Item(look);
  skin::MenuItemLook line;
  line.separator = true;
  Picture separator = Item(line, kSeparatorHeight);
  Picture cell1 = Cell(1), cell4 = Cell(4);
  // Away from the text (its right end) the item is its cell.
  EXPECT_EQ(Differences(normal, cell1, kWidth - 12, kWidth), 0);
  EXPECT_EQ(Differences(selected, cell4, kWidth - 12, kWidth), 0);
  EXPECT_GT(Differences(selected, cell1, kWidth - 12, kWidth), 0) << "cells 1 and 4 must differ in this skin";
  EXPECT_GT(Differences(normal, cell1, 0, kWidth), 0) << "the caption is drawn";
  Picture plain = Cell(kNoCell, kSeparatorHeight);
  // The separator is the line of cell 2 (low in the cell) on the background: a full row of the
  // cell's colours and nothing else.
  std::vector<COLORREF> cellColours;
  auto& strip = data_.FMenuItem->Bitmap;
  const int cellWidth = strip.Width() / skin::kMenuItemCells;
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = cellWidth; x < 2 * cellWidth; ++x) cellColours.push_back(GetPixel(strip.Canvas().Handle(), x, y));
  int lineRows = 0;
  for (int y = 0; y < kSeparatorHeight; ++y) {
    int changed = 0;
    for (int x = 0; x < kWidth; ++x) {
      if (separator.At(x, y) == plain.At(x, y)) continue;
      ++changed;
      EXPECT_NE(std::find(cellColours.begin(), cellColours.end(), separator.At(x, y)), cellColours.end());
    }
    lineRows += changed > kWidth / 2;
  }
  EXPECT_GE(lineRows, 1) << "the line runs across the item";
}

TEST_F(MenuItemPainting, DisabledItemsUseTheShadowColourAndCheckedItemsAMark) {
  skin::MenuItemLook look;
  look.caption = L"WWWW";
  Picture enabled = Item(look);
  look.disabled = true;
  Picture disabled = Item(look);
  const COLORREF shadow = data_.ButtonShadow == data_.MenuText ? GetSysColor(COLOR_BTNSHADOW)
                                                               : ui::ColorToRGB(static_cast<ui::TColor>(data_.ButtonShadow));
  int shadowPixels = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) shadowPixels += disabled.At(x, y) == shadow && enabled.At(x, y) != shadow;
  EXPECT_GT(shadowPixels, 0);

  skin::MenuItemLook plain;
  plain.caption = L"X";
  Picture unchecked = Item(plain);
  plain.checked = true;
  Picture checked = Item(plain);
  const int glyphRight = data_.FMenuItem->LeftWidth + 1 + 16;
  EXPECT_GT(Differences(checked, unchecked, 0, glyphRight), 0) << "the check mark sits in the glyph box";
  EXPECT_EQ(Differences(checked, unchecked, glyphRight, kWidth), 0);
}

TEST_F(MenuItemPainting, RightToLeftItemsDrawTheirTextAgainstTheRightEdge) {
  skin::MenuItemLook look;
  look.caption = L"WWW";
  Picture cell1 = Cell(1);
  Picture left = Item(look);
  look.rightToLeft = true;
  Picture right = Item(look);
  EXPECT_GT(Differences(left, cell1, 0, kWidth / 2), 0);
  EXPECT_EQ(Differences(left, cell1, kWidth / 2, kWidth), 0);
  EXPECT_EQ(Differences(right, cell1, 0, kWidth / 2), 0);
  EXPECT_GT(Differences(right, cell1, kWidth / 2, kWidth), 0);
}


TEST_F(MenuItemPainting, ACheckedItemWithAnImageSitsInASunkenBox) {
  skin::MenuItemLook look;
  look.caption = L"还原";
  look.images = data_.MenuGlyphs();
  look.imageIndex = 0;
  Picture unchecked = Item(look);
  look.checked = true;
  Picture checked = Item(look);
  const int left = data_.FMenuItem->LeftWidth + 1;
  const int top = (kHeight - 16) / 2;
  // BDR_SUNKENOUTER: the shadow along the top and left, the highlight along the bottom and right.
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  int shadowEdge = 0, lightEdge = 0;
  for (int x = left + 1; x < left + 15; ++x) {
    shadowEdge += checked.At(x, top) == shadow;
    lightEdge += checked.At(x, top + 15) == light;
  }
  EXPECT_GE(shadowEdge, 12) << "the top edge of the box";
  EXPECT_GE(lightEdge, 12) << "the bottom edge of the box";
  EXPECT_GT(Differences(checked, unchecked, 0, left + 16), 0);
  EXPECT_EQ(Differences(checked, unchecked, left + 17, kWidth), 0) << "only the glyph box changes";
}

TEST(MenuItemColours, GlyphsAndRadioBulletsTakeTheMenuTextColourOnGraphite) {
  skin::SetSkinMessageHandler([](const std::wstring&) {});
  skin::TSkinData graphite{nullptr};
  ASSERT_TRUE(graphite.LoadFromBytes(SkinBytes(3)));
  skin::SetSkinMessageHandler(nullptr);
  constexpr int w = 160, h = 22;
  const COLORREF text = ui::ColorToRGB(static_cast<ui::TColor>(graphite.MenuText));
  const COLORREF selectedText = ui::ColorToRGB(static_cast<ui::TColor>(graphite.HilightText));
  auto glyphPixels = [&](const skin::MenuItemLook& look, COLORREF colour) {
    Picture p(w, h);
    skin::PaintSkinMenuItem(p.Dc(), RECT{0, 0, w, h}, look, graphite, {});
    const int left = graphite.FMenuItem ? graphite.FMenuItem->LeftWidth + 1 : 1;
    int n = 0, black = 0;
    for (int y = 0; y < h; ++y)
      for (int x = left; x < left + 16; ++x) {
        n += p.At(x, y) == colour;
        black += p.At(x, y) == RGB(0, 0, 0);
      }
    return std::make_pair(n, black);
  };
  skin::MenuItemLook close;
  close.caption = L"关闭";
  close.images = graphite.MenuGlyphs();
  close.imageIndex = 3;
  const auto [closePixels, closeBlack] = glyphPixels(close, text);
  EXPECT_GT(closePixels, 10) << "the close glyph in the menu text colour";
  EXPECT_LT(closePixels, 16 * 16 / 2) << "the glyph, not its box";
  EXPECT_EQ(closeBlack, 0);
  close.selected = true;
  EXPECT_GT(glyphPixels(close, selectedText).first, 10) << "and in the selected text colour when selected";
  skin::MenuItemLook radio;
  radio.caption = L"皮肤：石墨";
  radio.radio = radio.checked = true;
  EXPECT_GT(glyphPixels(radio, text).first, 4) << "the radio bullet";
}

// ---- windows with the manager ----

struct Seen {
  std::vector<UINT> commands;
  std::vector<UINT_PTR> sysCommands;
  std::vector<HMENU> popups;
  int ownMeasured = 0;
  int ownDrawn = 0;
};
Seen g_seen;
// What the window does when a menu of it opens, after recording it.
std::function<void(HMENU)> g_onInitPopup;

LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: g_seen.commands.push_back(LOWORD(wParam)); return 0;
    case WM_SYSCOMMAND:
    {
      // The system's move and size loops would wait for input: those commands are only recorded.
      const UINT_PTR command = wParam & 0xFFF0;
      g_seen.sysCommands.push_back(command);
      if (command != SC_KEYMENU && command != SC_MAXIMIZE && command != SC_RESTORE) return 0;
      break;
    }
    case WM_INITMENUPOPUP:
      g_seen.popups.push_back(reinterpret_cast<HMENU>(wParam));
      if (g_onInitPopup) g_onInitPopup(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU || measure->itemData != kOwnItemData) break;
      ++g_seen.ownMeasured;
      measure->itemWidth = 80;
      measure->itemHeight = 18;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || draw->itemData != kOwnItemData) break;
      ++g_seen.ownDrawn;
      FillRect(draw->hDC, &draw->rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      return TRUE;
    }
    default: break;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterMenuWindowClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MenuWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrelvixMenuTestWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    return RegisterClassW(&wc) != 0;
  }();
  return registered;
}

// A menu bar: File (Open, a line, Quit, Recent ▸ One), Edit (Undo, Print without an & letter, an
// item the window draws itself), Go (a command), Locked (disabled, with a drop-down), Help (About).
HMENU BuildBar() {
  HMENU recent = CreatePopupMenu();
  AppendMenuW(recent, MF_STRING, kRecentOne, L"One");
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kOpen, L"&Open");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kQuit, L"&Quit\tCtrl+Q");
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"&Recent");
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING, kUndo, L"&Undo");
  AppendMenuW(edit, MF_STRING, kPrint, L"Print");
  AppendMenuW(edit, MF_OWNERDRAW, kOwnDrawn, reinterpret_cast<LPCWSTR>(kOwnItemData));
  HMENU locked = CreatePopupMenu();
  AppendMenuW(locked, MF_STRING, kLocked + 1, L"Hidden");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kAbout, L"&About");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  AppendMenuW(bar, MF_STRING, kGo, L"&Go");
  AppendMenuW(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(locked), L"&Locked");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

using trelvix::testing::FindPopupWindow;
using trelvix::testing::MenuScript;

class SkinnedMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TSkinManage::Install();
  }

  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
    ASSERT_TRUE(RegisterMenuWindowClass());
    g_seen = {};
  }

  void TearDown() override {
    g_onInitPopup = nullptr;
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    data_.reset();
    Pump(20);
    skin::SetSkinMessageHandler(nullptr);
  }

  HWND Open(bool withMenu, DWORD exStyle = 0, HMENU bar = nullptr) {
    if (withMenu && !bar) bar = BuildBar();
    RECT r{0, 0, 420, 260};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, withMenu, exStyle);
    window_ = CreateWindowExW(exStyle, L"TrelvixMenuTestWindow", L"菜单", WS_OVERLAPPEDWINDOW, 90, 80, r.right - r.left,
                              r.bottom - r.top, nullptr, withMenu ? bar : nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    if (!window_) return nullptr;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    PumpUntil([&] { return Frame() && Frame()->SkinState() == skin::kSkinStateSkinned; });
    Pump(50);
    g_seen = {};
    return window_;
  }

  skin::TWinSkinForm* Frame() const { return TSkinManage::Instance()->FindFrame(window_); }

  // Posts the message that starts a menu and serves messages, running the script inside the menu.
  void Run(MenuScript& script, UINT msg, WPARAM wParam, LPARAM lParam) {
    MenuScript::current = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, MenuScript::Tick);
    PostMessageW(window_, msg, wParam, lParam);
    PumpUntil([&] { return script.next == script.steps.size() && !Frame()->MenuTracking(); }, 5000);
    Pump(50);
    KillTimer(nullptr, timer);
    MenuScript::current = nullptr;
  }

  // Starts a menu with keys typed as a user types them and serves messages, running the script inside
  // the menu, until it ran and every menu is closed.
  void RunTyped(MenuScript& script, const std::function<void()>& type) {
    MenuScript::current = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, MenuScript::Tick);
    type();
    PumpUntil([&] { return script.next == script.steps.size() && !Frame()->MenuTracking() && !FindPopupWindow(); },
              6000);
    Pump(50);
    KillTimer(nullptr, timer);
    MenuScript::current = nullptr;
  }

  LPARAM EntryPoint(int entry) const {
    const skin::SkinRect b = Frame()->MenuBar()->Bounds(static_cast<std::size_t>(entry));
    const RECT w = WindowRect(window_);
    return MAKELPARAM(w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2);
  }

  std::unique_ptr<skin::TSkinData> data_;
  HWND window_ = nullptr;
};

TEST_F(SkinnedMenus, F10AndAltAloneOpenTheFirstEntryAndAltLetterItsEntry) {
  ASSERT_NE(Open(true), nullptr);
  ASSERT_NE(Frame()->MenuBar(), nullptr);
  for (LPARAM key : {LPARAM{0}, LPARAM{L'e'}, LPARAM{L'H'}}) {
    std::vector<int> open;
    MenuScript script;
    script.steps = {[&] { open.push_back(Frame()->Menus().OpenEntry()); }, [] { EndMenu(); }};
    Run(script, WM_SYSCOMMAND, SC_KEYMENU, key);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0], key == 0 ? 0 : key == L'e' ? 1 : 4) << "key " << key;
  }
  EXPECT_FALSE(Frame()->MenuTracking());
  EXPECT_EQ(Frame()->Menus().OpenEntry(), -1);
}

TEST_F(SkinnedMenus, LettersWithoutAnEntryAndDisabledEntriesPassOn) {
  ASSERT_NE(Open(true), nullptr);
  for (LPARAM key : {LPARAM{L'z'}, LPARAM{L'l'}}) {
    g_seen = {};
    SendMessageW(window_, WM_SYSCOMMAND, SC_KEYMENU, key);
    EXPECT_TRUE(g_seen.popups.empty());
    ASSERT_EQ(g_seen.sysCommands.size(), 1u) << "the window's own handling gets the key";
  }
}

TEST_F(SkinnedMenus, LeftAndRightSlideBetweenEntriesWrappingAtBothEnds) {
  ASSERT_NE(Open(true), nullptr);
  std::vector<int> open;
  auto record = [&] { open.push_back(Frame()->Menus().OpenEntry()); };
  auto key = [](WPARAM vk) { return [vk] { PostMessageW(FindPopupWindow(), WM_KEYDOWN, vk, 0); }; };
  MenuScript script;
  script.steps = {record, key(VK_LEFT), record, key(VK_RIGHT), record, key(VK_RIGHT), record, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, 0);
  // From File, Left wraps to Help, Right wraps back to File, Right goes on to Edit.
  EXPECT_EQ(open, (std::vector<int>{0, 4, 0, 1}));
}

TEST_F(SkinnedMenus, RightOnANestedSubmenuOpensItInsteadOfSliding) {
  ASSERT_NE(Open(true), nullptr);
  std::vector<int> open;
  auto record = [&] { open.push_back(Frame()->Menus().OpenEntry()); };
  auto key = [](WPARAM vk) { return [vk] { PostMessageW(FindPopupWindow(), WM_KEYDOWN, vk, 0); }; };
  MenuScript script;
  // Open is highlighted first; Up wraps to Recent, which has a submenu.
  script.steps = {key(VK_UP), record, key(VK_RIGHT), record, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(open, (std::vector<int>{0, 0}));
}

TEST_F(SkinnedMenus, TheMouseOverAnotherEntrySlidesToItsMenu) {
  ASSERT_NE(Open(true), nullptr);
  std::vector<int> open;
  MenuScript script;
  script.steps = {[&] { open.push_back(Frame()->Menus().OpenEntry()); },
                  [&] {
                    const LPARAM p = EntryPoint(1);
                    SetCursorPos(GET_X_LPARAM(p), GET_Y_LPARAM(p));
                    PostMessageW(FindPopupWindow(), WM_MOUSEMOVE, 0, 0);
                  },
                  [&] { open.push_back(Frame()->Menus().OpenEntry()); }, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(open, (std::vector<int>{0, 1}));
}

TEST_F(SkinnedMenus, TheEntryUnderTheMouseIsFramedUntilTheMouseLeavesAndDisabledEntriesStayPlain) {
  ASSERT_NE(Open(true), nullptr);
  const auto hilight = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonHilight)));
  // The entry's left edge, on the screen.
  const auto leftEdge = [&](int entry) {
    const skin::SkinRect b = Frame()->MenuBar()->Bounds(static_cast<std::size_t>(entry));
    const RECT w = WindowRect(window_);
    return trelvix::testing::CaptureScreen().At(w.left + b.left, w.top + (b.top + b.bottom) / 2);
  };
  // The manager's refresh after skinning reads the entries anew, which forgets the hot one: let it pass.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  Pump(400);
  ASSERT_EQ(Frame()->MenuBar()->HotEntry(), -1);
  ASSERT_NE(leftEdge(1), hilight) << "the band must not already be the frame's colour";

  const LPARAM over = EntryPoint(1);
  SetCursorPos(GET_X_LPARAM(over), GET_Y_LPARAM(over));
  SendMessageW(window_, WM_NCMOUSEMOVE, HTMENU, over);
  Pump(30);
  EXPECT_EQ(Frame()->MenuBar()->HotEntry(), 1);
  EXPECT_EQ(leftEdge(1), hilight);

  // Into the client area: the frame hears no more moves, and its hover timer takes the frame off.
  RECT client{};
  GetClientRect(window_, &client);
  POINT inside{client.right / 2, client.bottom / 2};
  ClientToScreen(window_, &inside);
  SetCursorPos(inside.x, inside.y);
  PumpUntil([&] { return Frame()->MenuBar()->HotEntry() == -1; }, 2000);
  EXPECT_EQ(Frame()->MenuBar()->HotEntry(), -1);
  EXPECT_NE(leftEdge(1), hilight);

  const LPARAM disabled = EntryPoint(3);
  SetCursorPos(GET_X_LPARAM(disabled), GET_Y_LPARAM(disabled));
  SendMessageW(window_, WM_NCMOUSEMOVE, HTMENU, disabled);
  Pump(30);
  EXPECT_NE(leftEdge(3), hilight) << "a disabled entry is not framed";

  // Opening a menu takes the hover frame over: the open entry is framed, the hot one is forgotten.
  SetCursorPos(GET_X_LPARAM(over), GET_Y_LPARAM(over));
  SendMessageW(window_, WM_NCMOUSEMOVE, HTMENU, over);
  MenuScript script;
  int hotWhileOpen = 0;
  script.steps = {[&] { hotWhileOpen = Frame()->MenuBar()->HotEntry(); }, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(hotWhileOpen, -1);
}

TEST_F(SkinnedMenus, EntriesWithoutAMenuSendTheirCommandAndDisabledEntriesNothing) {
  ASSERT_NE(Open(true), nullptr);
  SendMessageW(window_, skin::SM_MENUBARCLICK, 0, EntryPoint(2));
  Pump(50);
  EXPECT_EQ(g_seen.commands, (std::vector<UINT>{kGo}));
  EXPECT_TRUE(g_seen.popups.empty());
  g_seen = {};
  SendMessageW(window_, skin::SM_MENUBARCLICK, 0, EntryPoint(3));
  Pump(50);
  EXPECT_TRUE(g_seen.popups.empty()) << "a disabled entry shows no menu";
  EXPECT_TRUE(g_seen.commands.empty()) << "nor chooses anything";
}

TEST_F(SkinnedMenus, AChosenItemReachesTheWindowAndTheMenusAreGivenBackUnchanged) {
  ASSERT_NE(Open(true), nullptr);
  MenuScript script;
  // The first item (Open) is highlighted when the menu opens.
  script.steps = {[] {}, [] { PostMessageW(FindPopupWindow(), WM_CHAR, L'\r', 0); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L'f');
  EXPECT_EQ(g_seen.commands, (std::vector<UINT>{kOpen}));
  HMENU file = Frame()->MenuBar()->Item(0).FSubMenu;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoW(file, 2, TRUE, &info));
  EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
  EXPECT_EQ(info.dwItemData, 0u);
  wchar_t text[32]{};
  GetMenuStringW(file, 2, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Quit\tCtrl+Q");
}

TEST_F(SkinnedMenus, RightToLeftBarsRunFromTheRightAndSwapTheArrows) {
  ASSERT_NE(Open(true, WS_EX_LEFTSCROLLBAR), nullptr);
  const auto* bar = Frame()->MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_GT(bar->Bounds(0).left, bar->Bounds(1).left);
  std::vector<int> open;
  std::vector<RECT> popups;
  MenuScript script;
  script.steps = {[&] {
                    open.push_back(Frame()->Menus().OpenEntry());
                    popups.push_back(WindowRect(FindPopupWindow()));
                  },
                  [] { PostMessageW(FindPopupWindow(), WM_KEYDOWN, VK_LEFT, 0); },
                  [&] { open.push_back(Frame()->Menus().OpenEntry()); }, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(open, (std::vector<int>{0, 1})) << "Left goes to the next entry in a right-to-left bar";
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].right, WindowRect(window_).left + bar->Bounds(0).right) << "right-aligned at the entry";
}

TEST_F(SkinnedMenus, EachPopupWindowHasOneWrapperWhileOpenAndNoneAfter) {
  ASSERT_NE(Open(false), nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"一");
  AppendMenuW(menu, MF_STRING, 2, L"二");
  std::size_t wrappers = 0;
  LRESULT skinned = 0;
  MenuScript script;
  script.steps = {[&] {
                    wrappers = TSkinManage::Instance()->PopupCount();
                    skinned = SendMessageW(FindPopupWindow(), skin::SM_ISSKINNED, 0, 0);
                  },
                  [] { EndMenu(); }};
  MenuScript::current = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 30, MenuScript::Tick);
  TrackPopupMenu(menu, TPM_RETURNCMD, 200, 200, 0, window_, nullptr);
  KillTimer(nullptr, timer);
  EXPECT_EQ(wrappers, 1u);
  EXPECT_EQ(skinned, 1);
  EXPECT_TRUE(PumpUntil([] { return TSkinManage::Instance()->PopupCount() == 0; }, 1000));

  const int gdiBefore = trelvix::testing::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    MenuScript quick;
    quick.steps = {[] { EndMenu(); }};
    MenuScript::current = &quick;
    timer = SetTimer(nullptr, 0, 1, MenuScript::Tick);
    TrackPopupMenu(menu, TPM_RETURNCMD, 200, 200, 0, window_, nullptr);
    KillTimer(nullptr, timer);
  }
  MenuScript::current = nullptr;
  EXPECT_TRUE(PumpUntil([] { return TSkinManage::Instance()->PopupCount() == 0; }, 1000));
  EXPECT_EQ(trelvix::testing::LiveGdiObjects(), gdiBefore);
  DestroyMenu(menu);
}

// ---- the system menu ----

TEST_F(SkinnedMenus, TheSystemMenuMirrorDisablesSizeAndMoveWhileMaximised) {
  ASSERT_NE(Open(false), nullptr);
  HMENU system = GetSystemMenu(window_, FALSE);
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  MENUITEMINFOW radio{};
  radio.cbSize = sizeof radio;
  radio.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
  radio.fType = MFT_RADIOCHECK;
  radio.fState = MFS_CHECKED;
  radio.wID = 0x7000;
  std::wstring caption = L"皮肤：银色";
  radio.dwTypeData = caption.data();
  InsertMenuItemW(system, static_cast<UINT>(GetMenuItemCount(system)), TRUE, &radio);

  auto stateOf = [](HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); };
  {
    ui::Menu mirror = Frame()->Menus().BuildSystemMenuPopup();
    ASSERT_EQ(GetMenuItemCount(mirror.get()), GetMenuItemCount(system));
    for (int i = 0; i < GetMenuItemCount(system); ++i)
      EXPECT_EQ(GetMenuItemID(mirror.get(), i), GetMenuItemID(system, i)) << i;
    EXPECT_FALSE(stateOf(mirror.get(), SC_SIZE) & MF_GRAYED);
    EXPECT_FALSE(stateOf(mirror.get(), SC_MOVE) & MF_GRAYED);
    EXPECT_TRUE(stateOf(mirror.get(), SC_RESTORE) & MF_GRAYED);
    EXPECT_TRUE(stateOf(mirror.get(), 0x7000) & MF_CHECKED);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(mirror.get(), 0x7000, FALSE, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  }
  ShowWindow(window_, SW_MAXIMIZE);
  Pump(100);
  ui::Menu mirror = Frame()->Menus().BuildSystemMenuPopup();
  EXPECT_TRUE(stateOf(mirror.get(), SC_SIZE) & MF_GRAYED);
  EXPECT_TRUE(stateOf(mirror.get(), SC_MOVE) & MF_GRAYED);
  EXPECT_TRUE(stateOf(mirror.get(), SC_MAXIMIZE) & MF_GRAYED);
  EXPECT_FALSE(stateOf(mirror.get(), SC_RESTORE) & MF_GRAYED);
  EXPECT_FALSE(stateOf(mirror.get(), SC_CLOSE) & MF_GRAYED);
}

TEST_F(SkinnedMenus, AltSpaceOpensTheSkinnedSystemMenuAndItsChoiceIsASystemCommand) {
  ASSERT_NE(Open(false), nullptr);
  std::size_t wrappers = 0;
  bool tracking = false;
  MenuScript script;
  script.steps = {[&] {
                    wrappers = TSkinManage::Instance()->PopupCount();
                    tracking = Frame()->MenuTracking();
                  },
                  [] {
                    // Down until Close is highlighted.
                    HWND popup = FindPopupWindow();
                    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
                    const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
                    if (state != static_cast<UINT>(-1) && (state & MF_HILITE)) return;
                    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                    MenuScript::repeat = true;
                  },
                  [] { PostMessageW(FindPopupWindow(), WM_CHAR, L'\r', 0); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L' ');
  EXPECT_EQ(wrappers, 1u);
  EXPECT_TRUE(tracking);
  EXPECT_EQ(std::count(g_seen.sysCommands.begin(), g_seen.sysCommands.end(), SC_CLOSE), 1);
}

TEST_F(SkinnedMenus, CloseSentAsACommandBecomesASystemCommand) {
  ASSERT_NE(Open(false), nullptr);
  SendMessageW(window_, WM_COMMAND, SC_CLOSE, 0);
  Pump(50);
  EXPECT_EQ(g_seen.sysCommands, (std::vector<UINT_PTR>{SC_CLOSE}));
  EXPECT_TRUE(g_seen.commands.empty());
}


// ---- keys typed as a user types them ----

// Presses and releases a key, with Alt held around it when `alt`: the input goes through the system's
// queue to the focused window, or to the menu loop when a menu is open.
void TypeKey(WORD vk, bool alt = false) {
  std::vector<INPUT> input;
  auto key = [&](WORD code, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = code;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  if (alt) key(VK_MENU, false);
  key(vk, false);
  key(vk, true);
  if (alt) key(VK_MENU, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

std::function<void()> Typed(WORD vk) {
  return [vk] { TypeKey(vk); };
}

TEST_F(SkinnedMenus, LettersChooseSystemMenuEntriesByTheirAmpersandOrFirstLetter) {
  ASSERT_NE(Open(false), nullptr);
  constexpr UINT kZoom = 0x7100;
  AppendMenuW(GetSystemMenu(window_, FALSE), MF_STRING, kZoom, L"Zoom");
  // Alt+Space then C closes, N minimises; Zoom has no & letter and is found by its first letter.
  for (const auto& [letter, command] : {std::pair{WORD{'C'}, UINT_PTR{SC_CLOSE}}, std::pair{WORD{'N'}, UINT_PTR{SC_MINIMIZE}},
                                        std::pair{WORD{'Z'}, UINT_PTR{kZoom}}}) {
    g_seen = {};
    bool opened = false;
    MenuScript script;
    script.steps = {[&] { opened = FindPopupWindow() != nullptr; }, Typed(letter)};
    RunTyped(script, [] { TypeKey(VK_SPACE, true); });
    EXPECT_TRUE(opened);
    EXPECT_EQ(std::count(g_seen.sysCommands.begin(), g_seen.sysCommands.end(), command), 1) << "letter " << letter;
    EXPECT_FALSE(FindPopupWindow()) << "the choice closes the menu";
  }
}

TEST_F(SkinnedMenus, LettersChooseItemsOfTheOwnerDrawnDropDowns) {
  ASSERT_NE(Open(true), nullptr);
  for (const auto& [letter, command] : {std::pair{WORD{'P'}, kPrint}, std::pair{WORD{'U'}, kUndo}}) {
    g_seen = {};
    int open = -1;
    MenuScript script;
    script.steps = {[&] { open = Frame()->Menus().OpenEntry(); }, Typed(letter)};
    RunTyped(script, [] { TypeKey('E', true); });
    EXPECT_EQ(open, 1);
    EXPECT_EQ(g_seen.commands, (std::vector<UINT>{command})) << "letter " << letter;
  }
}

TEST_F(SkinnedMenus, SlidingAlongTheBarHighlightsEntriesWithoutADropDownAndRunsNothing) {
  ASSERT_NE(Open(true), nullptr);
  std::vector<int> open;
  std::vector<bool> dropped;
  auto record = [&] {
    open.push_back(Frame()->Menus().OpenEntry());
    dropped.push_back(FindPopupWindow() != nullptr);
  };
  MenuScript script;
  // File, Edit, Go (a command: highlighted), Locked (disabled: highlighted), Help.
  script.steps = {record, Typed(VK_RIGHT), record, Typed(VK_RIGHT), record, Typed(VK_RIGHT), record,
                  Typed(VK_RIGHT), record, [] { EndMenu(); }};
  RunTyped(script, [] { TypeKey('F', true); });
  EXPECT_EQ(open, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(dropped, (std::vector<bool>{true, true, false, false, true}));
  EXPECT_TRUE(g_seen.commands.empty()) << "sliding runs no command";
}

TEST_F(SkinnedMenus, TheMouseSlidingOntoACommandEntryHighlightsItAndMenuModeStays) {
  ASSERT_NE(Open(true), nullptr);
  std::vector<int> open;
  bool tracking = false;
  auto moveTo = [&](int entry) {
    return [this, entry] {
      const LPARAM p = EntryPoint(entry);
      SetCursorPos(GET_X_LPARAM(p), GET_Y_LPARAM(p));
      HWND popup = FindPopupWindow();
      PostMessageW(popup ? popup : window_, WM_MOUSEMOVE, 0, 0);
    };
  };
  MenuScript script;
  script.steps = {moveTo(2), [&] {
                    open.push_back(Frame()->Menus().OpenEntry());
                    tracking = Frame()->MenuTracking();
                  },
                  moveTo(4), [&] { open.push_back(Frame()->Menus().OpenEntry()); }, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L'f');
  EXPECT_EQ(open, (std::vector<int>{2, 4}));
  EXPECT_TRUE(tracking);
  EXPECT_TRUE(g_seen.commands.empty());
}

TEST_F(SkinnedMenus, AltAloneOnABarThatStartsWithACommandHighlightsItAndRunsNothing) {
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kAbout, L"&About");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, kGo, L"&Go");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  ASSERT_NE(Open(true, 0, bar), nullptr);
  std::vector<int> open;
  auto record = [&] { open.push_back(Frame()->Menus().OpenEntry()); };
  MenuScript script;
  script.steps = {record, Typed(VK_RIGHT), record, [] { EndMenu(); }};
  RunTyped(script, [] { TypeKey(VK_F10); });
  EXPECT_EQ(open, (std::vector<int>{0, 1}));
  EXPECT_TRUE(g_seen.commands.empty());
  // Escape leaves menu mode and so does losing the mouse to another window; Enter on a highlighted
  // command entry chooses it.
  for (const std::function<void()>& leave : std::vector<std::function<void()>>{Typed(VK_ESCAPE), [] { ReleaseCapture(); }}) {
    bool held = false;
    MenuScript leaving;
    leaving.steps = {[&] { held = Frame()->MenuTracking(); }, leave};
    RunTyped(leaving, [] { TypeKey(VK_F10); });
    EXPECT_TRUE(held);
    EXPECT_FALSE(Frame()->MenuTracking());
    EXPECT_TRUE(g_seen.commands.empty());
  }
  MenuScript choose;
  choose.steps = {Typed(VK_RETURN)};
  RunTyped(choose, [] { TypeKey(VK_F10); });
  EXPECT_EQ(g_seen.commands, (std::vector<UINT>{kGo}));
}

TEST_F(SkinnedMenus, AltLetterWithAFocusedEditOpensTheEntry) {
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  auto* menu = ui::MakeOwned<ui::TMainMenu>(*form);
  for (const wchar_t* caption : {L"文件(&F)", L"编辑(&E)"}) {
    auto* entry = ui::MakeOwned<ui::TMenuItem>(*form);
    entry->SetCaption(caption);
    auto* item = ui::MakeOwned<ui::TMenuItem>(*form);
    item->SetCaption(L"项");
    entry->Add(item);
    menu->Items()->Add(entry);
  }
  auto* edit = ui::MakeOwned<ui::TEdit>(*form);
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 200, 24);
  form->SetMenu(menu);
  form->SetBounds(120, 100, 400, 240);
  form->Show();
  SetForegroundWindow(form->Handle());
  auto frame = [&] { return TSkinManage::Instance()->FindFrame(form->Handle()); };
  ASSERT_TRUE(PumpUntil([&] { return frame() && frame()->SkinState() == skin::kSkinStateSkinned; }));
  edit->SetFocus();
  Pump(50);
  ASSERT_EQ(GetFocus(), edit->Handle());
  int open = -1;
  MenuScript script;
  script.steps = {[&] { open = frame()->Menus().OpenEntry(); }, [] { EndMenu(); }};
  MenuScript::current = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, MenuScript::Tick);
  TypeKey('E', true);
  // The application's own loop, which gives a form the first look at dialog characters.
  const DWORD end = GetTickCount() + 4000;
  while ((script.next < script.steps.size() || frame()->MenuTracking()) && GetTickCount() < end) {
    ui::Application->ProcessMessages();
    Sleep(5);
  }
  KillTimer(nullptr, timer);
  MenuScript::current = nullptr;
  EXPECT_EQ(open, 1);
}

TEST_F(SkinnedMenus, ItemsChangedWhileOpenAreGivenBackAsTheProgramLeftThem) {
  ASSERT_NE(Open(true), nullptr);
  HMENU file = Frame()->MenuBar()->Item(0).FSubMenu;
  constexpr UINT kNew = 104;
  std::wstring longText = L"&Open " + std::wstring(300, L'x');
  // As the menu opens the program lengthens a text, removes the line and adds an item.
  g_onInitPopup = [&](HMENU menu) {
    if (menu != file) return;
    MENUITEMINFOW text{};
    text.cbSize = sizeof text;
    text.fMask = MIIM_STRING;
    text.dwTypeData = longText.data();
    SetMenuItemInfoW(file, kOpen, FALSE, &text);
    DeleteMenu(file, 1, MF_BYPOSITION);
    AppendMenuW(file, MF_STRING, kNew, L"&New");
  };
  int popupWidth = 0;
  bool addedDrawnAsTheRest = false;
  MenuScript script;
  script.steps = {[&] {
                    const RECT r = WindowRect(FindPopupWindow());
                    popupWidth = r.right - r.left;
                    MENUITEMINFOW added{};
                    added.cbSize = sizeof added;
                    added.fMask = MIIM_FTYPE;
                    addedDrawnAsTheRest =
                        GetMenuItemInfoW(file, kNew, FALSE, &added) && (added.fType & MFT_OWNERDRAW) != 0;
                  },
                  [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L'f');
  EXPECT_GT(popupWidth, 600) << "the item was measured with the text set as the menu opened";
  EXPECT_TRUE(addedDrawnAsTheRest);
  ASSERT_EQ(GetMenuItemCount(file), 4);
  const std::vector<std::wstring> texts{longText, L"&Quit\tCtrl+Q", L"&Recent", L"&New"};
  for (UINT i = 0; i < 4; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(file, i, TRUE, &info));
    EXPECT_EQ(info.fType, MFT_STRING) << i;
    EXPECT_EQ(info.dwItemData, 0u) << i;
    std::wstring text(1000, L'\0');
    text.resize(static_cast<std::size_t>(GetMenuStringW(file, i, text.data(), 1000, MF_BYPOSITION)));
    EXPECT_EQ(text, texts[i]) << i;
  }
}

TEST_F(SkinnedMenus, AnItemTheWindowDrawsItselfKeepsItsOwnDrawing) {
  ASSERT_NE(Open(true), nullptr);
  MenuScript script;
  script.steps = {[] {}, [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L'e');
  EXPECT_GT(g_seen.ownMeasured, 0);
  EXPECT_GT(g_seen.ownDrawn, 0);
  HMENU edit = Frame()->MenuBar()->Item(1).FSubMenu;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoW(edit, kOwnDrawn, FALSE, &info));
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  EXPECT_EQ(info.dwItemData, kOwnItemData);
}

// The skin's menu background at a popup window's size, as the popup's wrapper paints it.
std::unique_ptr<ui::TBitmap> MenuBackgroundAt(skin::TSkinData& data, int width, int height) {
  auto picture = std::make_unique<ui::TBitmap>();
  picture->SetPixelFormat(ui::TPixelFormat::pf24bit);
  picture->SetSize(width, height);
  auto& element = *data.FMenuBackground;
  skin::DrawSkinFrame(picture->Canvas().Handle(), RECT{0, 0, width, height}, element.Bitmap, false, element.Tile != 0,
                      false, 1, 1, element.Margins());
  return picture;
}

TEST_F(SkinnedMenus, TheBackgroundUnderTheItemsLinesUpWithThePopupWindow) {
  ASSERT_NE(Open(true), nullptr);
  ASSERT_TRUE(data_->FMenuBackground && !data_->FMenuBackground->Bitmap.Empty());
  // Where items let the popup's background through (the separator's key colour, the item strip's
  // margins), they show the pixel of the window's own background at the same place, not one moved
  // by an edge the window does not have.
  int aligned = 0, moved = 0;
  MenuScript script;
  script.steps = {[] {}, [&] {
                    HWND window = FindPopupWindow();
                    const RECT popup = WindowRect(window);
                    const auto background = MenuBackgroundAt(*data_, popup.right - popup.left, popup.bottom - popup.top);
                    HDC picture = background->Canvas().Handle();
                    const auto screen = trelvix::testing::CaptureScreen();
                    for (int y = popup.top + skin::kPopupEdge; y < popup.bottom - 2 * skin::kPopupEdge; ++y)
                      for (int x = popup.left + skin::kPopupEdge; x < popup.right - 2 * skin::kPopupEdge; ++x) {
                        const int wx = x - popup.left, wy = y - popup.top;
                        const auto here = trelvix::testing::Rgb(GetPixel(picture, wx, wy));
                        const auto there =
                            trelvix::testing::Rgb(GetPixel(picture, wx + skin::kPopupEdge, wy + skin::kPopupEdge));
                        // Only where the background differs from itself three pixels on can the two be told apart.
                        if (here == there) continue;
                        aligned += screen.At(x, y) == here;
                        moved += screen.At(x, y) == there;
                      }
                  },
                  [] { EndMenu(); }};
  Run(script, WM_SYSCOMMAND, SC_KEYMENU, L'f');
  EXPECT_GT(aligned, 0);
  EXPECT_GT(aligned, moved * 2) << aligned << " pixels show the background where they are, " << moved
                                << " where it would be three pixels on";
}

// ---- which menus are skinned ----

TEST_F(SkinnedMenus, WithoutSystemMenuSkinningTheSystemMenuKeepsTheSystemLook) {
  data_->SetSkinControls(skin::DefaultSkinControls().Exclude(skin::TSkinControlType::xcSystemMenu));
  ASSERT_NE(Open(false), nullptr);
  LRESULT skinned = -1;
  HMENU shown = nullptr;
  MenuScript script;
  script.steps = {[&] {
                    HWND popup = FindPopupWindow();
                    skinned = SendMessageW(popup, skin::SM_ISSKINNED, 0, 0);
                    shown = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
                  },
                  Typed('C')};
  RunTyped(script, [] { TypeKey(VK_SPACE, true); });
  EXPECT_EQ(skinned, 0);
  EXPECT_EQ(shown, GetSystemMenu(window_, FALSE));
  EXPECT_EQ(std::count(g_seen.sysCommands.begin(), g_seen.sysCommands.end(), SC_CLOSE), 1);
}

TEST_F(SkinnedMenus, WithoutMainMenuSkinningTheWindowKeepsItsSystemFrameAndMenuBar) {
  data_->SetSkinControls(skin::DefaultSkinControls().Exclude(skin::TSkinControlType::xcMainMenu));
  ASSERT_NE(Open(true), nullptr);
  EXPECT_EQ(Frame()->MenuBar(), nullptr);
  EXPECT_NE(GetMenu(window_), nullptr) << "the menu bar stays the system's";
  RECT client{};
  GetClientRect(window_, &client);
  EXPECT_EQ(client.right, 420) << "the system frame keeps the client size it was made with";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window_, region), ERROR) << "no skin shape";
  DeleteObject(region);
}

TEST_F(SkinnedMenus, TheSystemMenuMirrorsSubmenusAndTheirChoicesAreSystemCommands) {
  ASSERT_NE(Open(false), nullptr);
  constexpr UINT kSilver = 0x7200, kGraphite = 0x7210;
  HMENU skins = CreatePopupMenu();
  AppendMenuW(skins, MF_STRING | MF_CHECKED, kSilver, L"银色(&S)");
  AppendMenuW(skins, MF_STRING, kGraphite, L"石墨(&G)");
  HMENU system = GetSystemMenu(window_, FALSE);
  AppendMenuW(system, MF_POPUP, reinterpret_cast<UINT_PTR>(skins), L"皮肤(&K)");
  {
    ui::Menu mirror = Frame()->Menus().BuildSystemMenuPopup();
    const int last = GetMenuItemCount(mirror.get()) - 1;
    HMENU sub = GetSubMenu(mirror.get(), last);
    ASSERT_NE(sub, nullptr);
    EXPECT_NE(sub, skins) << "a mirror of its own";
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    for (int i = 0; i < 2; ++i) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
      ASSERT_TRUE(GetMenuItemInfoW(sub, static_cast<UINT>(i), TRUE, &info));
      EXPECT_EQ(info.wID, i == 0 ? kSilver : kGraphite);
      EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
      EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == 0);
    }
  }
  LRESULT submenuSkinned = 0;
  MenuScript script;
  script.steps = {Typed('K'), [&] {
                    HWND popup = FindPopupWindow();
                    HMENU shown = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
                    if (GetMenuItemCount(shown) != 2) {
                      MenuScript::repeat = true;
                      return;
                    }
                    submenuSkinned = SendMessageW(popup, skin::SM_ISSKINNED, 0, 0);
                  },
                  Typed('G')};
  RunTyped(script, [] { TypeKey(VK_SPACE, true); });
  EXPECT_EQ(submenuSkinned, 1);
  EXPECT_EQ(std::count(g_seen.sysCommands.begin(), g_seen.sysCommands.end(), kGraphite), 1);
}

// ---- a frame taken off its window inside its own menu ----

struct FramesApplied {
  int count = 0;
  void Applied(ui::TObject*, HWND, const std::wstring&) { ++count; }
};

// After a warm-up round, two more rounds leave as many GDI objects and windows as there were.
void ExpectNothingLeftOver(const std::function<void()>& rounds) {
  rounds();
  const int gdiBefore = trelvix::testing::LiveGdiObjects();
  const int windowsBefore = trelvix::testing::ThreadWindows();
  rounds();
  rounds();
  EXPECT_TRUE(PumpUntil([&] { return trelvix::testing::LiveGdiObjects() == gdiBefore; }, 1000));
  EXPECT_EQ(trelvix::testing::LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(trelvix::testing::ThreadWindows(), windowsBefore);
}

TEST_F(SkinnedMenus, SwitchingTheSkinOffOrRewrappingInsideTheFramesOwnMenuLeavesNothingBehind) {
  ASSERT_NE(Open(true), nullptr);
  FramesApplied applied;
  data_->OnAfterSkinForm = skin::TSkinFormEvent(&applied, &FramesApplied::Applied);
  enum class Change { Off, Rewrap };
  // Opens the system menu (Alt+Space) or the File drop-down and asks for the change inside its loop,
  // where the manager's timer carries it out while the menu is still open.
  const auto round = [&](LPARAM key, Change change) {
    bool tracking = false, done = false;
    int waited = 0;
    const int appliedBefore = applied.count;
    MenuScript script;
    script.steps = {[&] {
                      tracking = FindPopupWindow() != nullptr && Frame() && Frame()->MenuTracking();
                      if (change == Change::Off)
                        data_->SetActive(false);
                      else
                        TSkinManage::Instance()->RewrapWindow(window_);
                    },
                    [&] {
                      done = change == Change::Off ? Frame() == nullptr : applied.count > appliedBefore;
                      MenuScript::repeat = !done && ++waited < 150;
                    },
                    [] { EndMenu(); }};
    trelvix::testing::RunMenuScript(script, window_, WM_SYSCOMMAND, SC_KEYMENU, key);
    EXPECT_TRUE(tracking) << "key " << key;
    EXPECT_TRUE(done) << "key " << key;
    if (change == Change::Off) {
      EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 0) << "key " << key;
      EXPECT_NE(GetMenu(window_), nullptr) << "the menu bar is the window's own again";
      data_->SetActive(true);
      ASSERT_TRUE(PumpUntil([] { return TSkinManage::Instance()->Enabled(); }));
      TSkinManage::Instance()->SkinWindow(window_);
    }
    ASSERT_TRUE(PumpUntil([&] { return Frame() && Frame()->SkinState() == skin::kSkinStateSkinned; })) << "key " << key;
    EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 1);
    Pump(100);
  };
  const auto allRounds = [&] {
    for (LPARAM key : {LPARAM{L' '}, LPARAM{L'f'}})
      for (Change change : {Change::Off, Change::Rewrap}) round(key, change);
  };
  ExpectNothingLeftOver(allRounds);
}

TEST_F(SkinnedMenus, TheSkinComponentGoingInsideTheFramesOwnMenuLeavesTheWindowUnskinned) {
  ASSERT_NE(Open(true), nullptr);
  const auto round = [&](LPARAM key) {
    bool tracking = false;
    MenuScript script;
    script.steps = {[&] {
                      tracking = FindPopupWindow() != nullptr && Frame() && Frame()->MenuTracking();
                      data_.reset();
                    },
                    [] { EndMenu(); }};
    trelvix::testing::RunMenuScript(script, window_, WM_SYSCOMMAND, SC_KEYMENU, key);
    EXPECT_TRUE(tracking) << "key " << key;
    EXPECT_EQ(TSkinManage::Instance(), nullptr) << "the manager went with its last component";
    EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 0) << "key " << key;
    EXPECT_NE(GetMenu(window_), nullptr) << "the menu bar is the window's own again";
    // A new component skins the window again.
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
    ASSERT_NE(TSkinManage::Instance(), nullptr);
    TSkinManage::Instance()->SkinWindow(window_);
    ASSERT_TRUE(PumpUntil([&] { return Frame() && Frame()->SkinState() == skin::kSkinStateSkinned; })) << "key " << key;
    Pump(100);
  };
  const auto allRounds = [&] {
    for (LPARAM key : {LPARAM{L' '}, LPARAM{L'f'}}) round(key);
  };
  ExpectNothingLeftOver(allRounds);
}

// ---- a form's popup-menu components ----

struct OwnMeasure {
  void Measure(ui::TObject*, ui::TCanvas&, int& width, int&) { width += 1; }
};

TEST_F(SkinnedMenus, PopupComponentsAreSkinnedExceptTagNinetyNineAndKeepTheirMeasureHandlers) {
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  auto* skinned = ui::MakeOwned<ui::TPopupMenu>(*form);
  auto* plain = ui::MakeOwned<ui::TPopupMenu>(*form);
  plain->SetTag(99);
  auto* first = ui::MakeOwned<ui::TMenuItem>(*form);
  first->SetCaption(L"第一");
  auto* second = ui::MakeOwned<ui::TMenuItem>(*form);
  second->SetCaption(L"第二");
  OwnMeasure own;
  second->OnMeasureItem = ui::TMenuMeasureItemEvent(&own, &OwnMeasure::Measure);
  skinned->Items()->Add(first);
  skinned->Items()->Add(second);
  auto* untouched = ui::MakeOwned<ui::TMenuItem>(*form);
  untouched->SetCaption(L"系统");
  plain->Items()->Add(untouched);
  form->SetClientSize(300, 200);
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] {
    auto* frame = TSkinManage::Instance()->FindFrame(form->Handle());
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  }));
  EXPECT_TRUE(skinned->OwnerDraw());
  EXPECT_TRUE(first->OnDrawItem.Assigned());
  EXPECT_TRUE(first->OnMeasureItem.Assigned());
  EXPECT_TRUE(second->OnDrawItem.Assigned());
  EXPECT_EQ(second->OnMeasureItem, ui::TMenuMeasureItemEvent(&own, &OwnMeasure::Measure));
  EXPECT_FALSE(plain->OwnerDraw());
  EXPECT_FALSE(untouched->OnDrawItem.Assigned());

  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->FindFrame(form->Handle()) == nullptr; }));
  Pump(50);
  EXPECT_FALSE(skinned->OwnerDraw());
  EXPECT_FALSE(first->OnDrawItem.Assigned());
  EXPECT_FALSE(first->OnMeasureItem.Assigned());
  EXPECT_EQ(second->OnMeasureItem, ui::TMenuMeasureItemEvent(&own, &OwnMeasure::Measure));
}

TEST_F(SkinnedMenus, APopupComponentTaggedNinetyNineKeepsTheSystemLookEntirely) {
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  auto* skinned = ui::MakeOwned<ui::TPopupMenu>(*form);
  auto* plain = ui::MakeOwned<ui::TPopupMenu>(*form);
  plain->SetTag(99);
  for (ui::TPopupMenu* popup : {skinned, plain}) {
    auto* item = ui::MakeOwned<ui::TMenuItem>(*form);
    item->SetCaption(L"项目");
    popup->Items()->Add(item);
  }
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] {
    auto* frame = TSkinManage::Instance()->FindFrame(form->Handle());
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  }));
  for (ui::TPopupMenu* popup : {skinned, plain}) {
    LRESULT answer = -1;
    MenuScript script;
    script.steps = {[&] { answer = SendMessageW(FindPopupWindow(), skin::SM_ISSKINNED, 0, 0); }, [] { EndMenu(); }};
    MenuScript::current = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, MenuScript::Tick);
    popup->Popup(150, 150);
    KillTimer(nullptr, timer);
    MenuScript::current = nullptr;
    EXPECT_EQ(answer, popup == plain ? 0 : 1) << "tag " << popup->Tag();
  }
}

}  // namespace
