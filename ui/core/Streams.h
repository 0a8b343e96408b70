#pragma once
// Byte streams: the abstract TStream and the growable in-memory TMemoryStream.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "ui/core/Object.h"

namespace ui {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Reads up to count bytes; fewer at the end of the stream.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // The new position; raises EStreamError for a position before 0.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size() const;
  virtual void SetSize(std::int64_t size);

  std::int64_t Position() const;
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  std::int64_t Remaining() const { return Size() - Position(); }

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes from source's position; count 0 copies the whole source from its start.
  // Returns the bytes copied; raises EReadError when source holds fewer.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
  // Raises EStreamError for a negative size or one that cannot be held in memory.
  void SetSize(std::int64_t size) override;

  void Clear();
  std::byte* Memory() { return data_.data(); }
  const std::byte* Memory() const { return data_.data(); }
  const std::vector<std::byte>& Bytes() const { return data_; }

  // Replaces the content with the rest of source (from its position); position 0 afterwards.
  void LoadFromStream(TStream& source);
  // Writes the whole content into dest at dest's position.
  void SaveToStream(TStream& dest) const;
  // Raise EFOpenError when the file cannot be opened, EReadError/EWriteError on I/O failure.
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;

 private:
  std::vector<std::byte> data_;
  std::size_t position_ = 0;
};

// A read-only view of bytes owned elsewhere (resources, test data).
class TBytesStream : public TStream {
 public:
  TBytesStream(const void* data, std::size_t size);
  std::size_t Read(void* buffer, std::size_t count) override;
  // Raises EWriteError: the view is read-only.
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }

 private:
  const std::byte* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace ui
