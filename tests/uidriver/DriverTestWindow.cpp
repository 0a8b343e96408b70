// A small window with the kinds of controls the converter's main window has, for testing the driver
// until (and besides) the real window: an open dialog behind "新增", the folder browser behind
// "设置输出目录", an owner-data list, a progress bar, a painted label and a message box.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/OutputFolder.h"
#include "ui/Handles.h"

namespace {

enum ControlId { kAdd = 101, kDelete, kFolder, kConvert, kList, kProgress, kEdit };
constexpr UINT_PTR kBatchTimer = 1;

struct State {
  std::vector<std::wstring> files;
  std::vector<std::wstring> statuses;
  std::wstring info = L"准备就绪";
  int step = 0;
  ui::GdiFont font;
  HWND list = nullptr;
  HWND progress = nullptr;
  HWND edit = nullptr;
  HWND convert = nullptr;
};
State state;

HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                int id) {
  const HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
  return control;
}

void SetInfo(HWND window, std::wstring text) {
  state.info = std::move(text);
  InvalidateRect(window, nullptr, TRUE);
}

void Refresh() {
  SendMessageW(state.list, LVM_SETITEMCOUNT, state.files.size(), 0);
  InvalidateRect(state.list, nullptr, TRUE);
}

void AddFile(HWND window) {
  wchar_t path[MAX_PATH] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window;
  dialog.lpstrFilter = L"All Files\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return;
  state.files.push_back(path);
  state.statuses.push_back(L"准备就绪");
  Refresh();
}

void DeleteSelected() {
  const int selected = static_cast<int>(SendMessageW(state.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected < 0 || selected >= static_cast<int>(state.files.size())) return;
  state.files.erase(state.files.begin() + selected);
  state.statuses.erase(state.statuses.begin() + selected);
  Refresh();
}

void Convert(HWND window) {
  if (GetWindowTextLengthW(state.edit) == 0) {
    MessageBoxW(window, L"请选择保存的文件夹", L"Trelvix", MB_OK);
    return;
  }
  EnableWindow(state.convert, FALSE);
  SendMessageW(state.progress, PBM_SETRANGE32, 0, 20);
  state.step = 0;
  SetInfo(window, L"正在转换 " + (state.files.empty() ? std::wstring() : state.files.front()));
  SetTimer(window, kBatchTimer, 50, nullptr);
}

void BatchStep(HWND window) {
  SendMessageW(state.progress, PBM_SETPOS, ++state.step, 0);
  if (state.step < 20) return;
  KillTimer(window, kBatchTimer);
  for (auto& status : state.statuses) status = L"完成";
  SendMessageW(state.progress, PBM_SETPOS, 0, 0);
  SetInfo(window, L"转换完成");
  InvalidateRect(state.list, nullptr, TRUE);
  EnableWindow(state.convert, TRUE);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      state.list = AddControl(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER,
                              16, 60, 330, 120, kList);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = 240;
      column.pszText = const_cast<wchar_t*>(L"文件路径");
      SendMessageW(state.list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
      column.cx = 80;
      column.pszText = const_cast<wchar_t*>(L"状态");
      SendMessageW(state.list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
      state.progress = AddControl(window, PROGRESS_CLASSW, L"", 0, 112, 35, 300, 18, kProgress);
      AddControl(window, L"BUTTON", L"新增", BS_PUSHBUTTON, 16, 190, 75, 25, kAdd);
      AddControl(window, L"BUTTON", L"删除", BS_PUSHBUTTON, 107, 190, 75, 25, kDelete);
      state.edit = AddControl(window, L"EDIT", L"", ES_READONLY | WS_BORDER, 16, 230, 300, 20, kEdit);
      AddControl(window, L"BUTTON", L"设置输出目录", BS_PUSHBUTTON, 330, 228, 95, 25, kFolder);
      state.convert = AddControl(window, L"BUTTON", L"立即转换", BS_PUSHBUTTON, 212, 270, 97, 33, kConvert);
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAdd: AddFile(window); break;
        case kDelete: DeleteSelected(); break;
        case kFolder: {
          const std::wstring folder = app::BrowseForFolder(window, L"请选择文件", L"");
          if (!folder.empty()) SetWindowTextW(state.edit, folder.c_str());
          break;
        }
        case kConvert: Convert(window); break;
        default: break;
      }
      return 0;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
      if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
        const auto row = static_cast<std::size_t>(info->item.iItem);
        if (row < state.files.size()) {
          const std::wstring& text = info->item.iSubItem == 0 ? state.files[row] : state.statuses[row];
          lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
        }
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kBatchTimer) BatchStep(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      const ui::SelectedObject font(dc, state.font.get());
      SetBkMode(dc, TRANSPARENT);
      TextOutW(dc, 16, 16, L"当前操作描述", 6);
      TextOutW(dc, 112, 16, state.info.c_str(), static_cast<int>(state.info.size()));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  state.font.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"TDriverTestForm";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, L"TDriverTestForm", L"Trelvix 驱动测试", WS_OVERLAPPED | WS_CAPTION |
                                      WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 100, 100, 560, 360, nullptr, nullptr,
                                      instance, nullptr);
  if (!window) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
