#include "tools/uidriver/RemoteMemory.h"

#include <vector>

#include "tools/uidriver/DriverError.h"

namespace uidriver {

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process), size_(size), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                                              PAGE_READWRITE)) {
  if (!address_) throw DriverError(L"cannot reserve memory in the driven program (error " +
                                   std::to_wstring(GetLastError()) + L")");
}

RemoteMemory::~RemoteMemory() {
  if (owned_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

LPARAM RemoteMemory::At(std::size_t offset) const {
  CheckRange(0, offset);
  return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
}

void RemoteMemory::CheckRange(std::size_t size, std::size_t offset) const {
  if (offset > size_ || size > size_ - offset) throw DriverError(L"remote memory access out of range");
}

void RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
  CheckRange(size, offset);
  SIZE_T written = 0;
  if (!WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &written) || written != size)
    throw DriverError(L"cannot write into the driven program's memory");
}

void RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  CheckRange(size, offset);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) || read != size)
    throw DriverError(L"cannot read the driven program's memory");
}

void RemoteMemory::WriteText(const std::wstring& text, std::size_t offset) {
  Write(text.c_str(), (text.size() + 1) * sizeof(wchar_t), offset);
}

std::wstring RemoteMemory::ReadText(std::size_t characters, std::size_t offset) const {
  std::vector<wchar_t> buffer(characters + 1, L'\0');
  Read(buffer.data(), characters * sizeof(wchar_t), offset);
  return std::wstring(buffer.data());
}

}  // namespace uidriver
