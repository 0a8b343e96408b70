#include "tests/support/HandleCensus.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

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

}  // namespace

std::array<int, 16> LiveGdiObjectsByType() {
  std::array<int, 16> live{};
  const GdiHandleEntry* table = HandleTable();
  if (!table) return live;
  for (std::uint32_t index = 0; index < 0x10000; ++index) {
    if (table[index].type == 0) continue;
    const std::uint32_t value = index | (std::uint32_t{table[index].unique} << 16);
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(value)));
    if (type != 0 && type < live.size()) ++live[type];
  }
  return live;
}

int LiveGdiObjects() {
  if (!HandleTable()) return -1;
  int live = 0;
  for (int count : LiveGdiObjectsByType()) live += count;
  return live;
}

int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace trelvix::testing
