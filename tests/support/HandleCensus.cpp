#include "tests/support/HandleCensus.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace trelvix::testing {
namespace {

// An entry of the PEB's GdiSharedHandleTable: object, owner, unique, type, flags, user pointer.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

const GdiHandleEntry* HandleTable() {
  constexpr std::size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
  PROCESS_BASIC_INFORMATION info{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
    return nullptr;
  const auto* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kTableOffset);
}

BOOL CALLBACK CountChildren(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(window, CountChildren, counter);
  return TRUE;
}

std::string DescribeWindow(HWND window) {
  char name[64]{}, parentName[64]{};
  GetClassNameA(window, name, sizeof name);
  HWND parent = GetAncestor(window, GA_PARENT);
  if (parent && parent != GetDesktopWindow()) GetClassNameA(parent, parentName, sizeof parentName);
  return std::string(name) + (parentName[0] ? std::string(" in ") + parentName : std::string(" top-level")) +
         (IsWindowVisible(window) ? ", visible" : ", hidden");
}

BOOL CALLBACK DescribeChild(HWND window, LPARAM kinds) {
  ++(*reinterpret_cast<std::map<std::string, int>*>(kinds))[DescribeWindow(window)];
  return TRUE;
}

BOOL CALLBACK DescribeWindowAndChildren(HWND window, LPARAM kinds) {
  DescribeChild(window, kinds);
  EnumChildWindows(window, DescribeChild, kinds);
  return TRUE;
}

HGDIOBJ AsObject(std::uintptr_t handle) { return reinterpret_cast<HGDIOBJ>(handle); }

std::string BitmapSize(HGDIOBJ bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectW(bitmap, sizeof info, &info) == 0) return "?";
  char text[48];
  std::snprintf(text, sizeof text, "%ldx%ldx%u", info.bmWidth, info.bmHeight, unsigned{info.bmBitsPixel});
  return text;
}

std::vector<std::uintptr_t> LiveGdiHandles() {
  std::vector<std::uintptr_t> live;
  const GdiHandleEntry* table = HandleTable();
  if (!table) return live;
  for (std::uint32_t index = 0; index < 0x10000; ++index) {
    if (table[index].type == 0) continue;
    const std::uintptr_t value = index | (std::uint32_t{table[index].unique} << 16);
    if (GetObjectType(AsObject(value)) != 0) live.push_back(value);
  }
  return live;
}

std::string DescribeGdiObject(std::uintptr_t handle) {
  HGDIOBJ object = AsObject(handle);
  switch (GetObjectType(object)) {
    case OBJ_BITMAP:
      return "bitmap " + BitmapSize(object);
    case OBJ_MEMDC:
      return "memory DC holding " + BitmapSize(GetCurrentObject(static_cast<HDC>(object), OBJ_BITMAP));
    case OBJ_DC:
      return "DC";
    case OBJ_FONT: {
      LOGFONTA font{};
      GetObjectA(object, sizeof font, &font);
      return "font " + std::string(font.lfFaceName) + " " + std::to_string(font.lfHeight);
    }
    case OBJ_BRUSH:
      return "brush";
    case OBJ_PEN:
      return "pen";
    case OBJ_REGION:
      return "region";
    default:
      return "object of type " + std::to_string(GetObjectType(object));
  }
}

}  // namespace

std::array<int, 16> LiveGdiObjectsByType() {
  std::array<int, 16> live{};
  for (std::uintptr_t handle : LiveGdiHandles()) {
    const DWORD type = GetObjectType(AsObject(handle));
    if (type < live.size()) ++live[type];
  }
  return live;
}

int LiveGdiObjects() {
  if (!HandleTable()) return -1;
  int live = 0;
  for (int count : LiveGdiObjectsByType()) live += count;
  return live;
}

std::map<std::string, int> LiveGdiObjectKinds() {
  std::map<std::string, int> kinds;
  for (std::uintptr_t handle : LiveGdiHandles()) ++kinds[DescribeGdiObject(handle)];
  return kinds;
}

int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::map<std::string, int> ThreadWindowKinds() {
  std::map<std::string, int> kinds;
  EnumThreadWindows(GetCurrentThreadId(), DescribeWindowAndChildren, reinterpret_cast<LPARAM>(&kinds));
  return kinds;
}

}  // namespace trelvix::testing
