#pragma once
// A block of memory inside another process, for messages whose parameters are pointers that the
// system does not carry across processes (list-view items, folder-browser selections).
#include <windows.h>

#include <cstddef>
#include <string>

namespace uidriver {

class RemoteMemory {
 public:
  // `process` needs PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE; it is borrowed.
  RemoteMemory(HANDLE process, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  void* Address() const { return address_; }
  // The remote address `offset` bytes into the block, as a message parameter.
  LPARAM At(std::size_t offset = 0) const;
  void Write(const void* data, std::size_t size, std::size_t offset = 0);
  void Read(void* data, std::size_t size, std::size_t offset = 0) const;
  // Writes `text` with its terminating NUL.
  void WriteText(const std::wstring& text, std::size_t offset = 0);
  std::wstring ReadText(std::size_t characters, std::size_t offset = 0) const;
  // Leaves the block to the program for good: for a message whose receiver keeps reading it after the
  // driver has moved on (a posted drop).
  void HandOver() { owned_ = false; }

 private:
  void CheckRange(std::size_t size, std::size_t offset) const;

  HANDLE process_;
  std::size_t size_;
  void* address_;
  bool owned_ = true;
};

}  // namespace uidriver
