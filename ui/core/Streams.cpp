#include "ui/core/Streams.h"

#include <cstring>
#include <fstream>
#include <limits>

#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"
#include "ui/core/TextConvert.h"

namespace ui {

const TClass& TStream::StaticClass() {
  static const TClass cls = ClassBuilder<TStream>(L"TStream", &TObject::StaticClass()).Build();
  return cls;
}

const TClass& TMemoryStream::StaticClass() {
  static const TClass cls = ClassBuilder<TMemoryStream>(L"TMemoryStream", &TStream::StaticClass()).Build();
  return cls;
}

std::int64_t TStream::Size() const {
  auto& self = const_cast<TStream&>(*this);
  const std::int64_t position = self.Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t size = self.Seek(0, TSeekOrigin::soEnd);
  self.Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) { throw EStreamError(L"Stream size cannot be changed"); }

std::int64_t TStream::Position() const { return const_cast<TStream&>(*this).Seek(0, TSeekOrigin::soCurrent); }

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EReadError(L"Stream read error");
  std::byte buffer[64 * 1024];
  std::int64_t left = count;
  while (left > 0) {
    const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, sizeof buffer));
    source.ReadBuffer(buffer, chunk);
    WriteBuffer(buffer, chunk);
    left -= static_cast<std::int64_t>(chunk);
  }
  return count;
}

namespace {
std::wstring PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

std::int64_t NewPosition(std::int64_t current, std::int64_t size, std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? current : size;
  if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) || base + offset < 0)
    throw EStreamError(L"Invalid stream position");
  return base + offset;
}
}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= data_.size()) return 0;
  const std::size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (count > data_.max_size() - position_) throw EWriteError(L"Stream write error");
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t p = NewPosition(static_cast<std::int64_t>(position_), Size(), offset, origin);
  if (static_cast<std::uint64_t>(p) > std::numeric_limits<std::size_t>::max())
    throw EStreamError(L"Invalid stream position");
  position_ = static_cast<std::size_t>(p);
  return p;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0 || static_cast<std::uint64_t>(size) > data_.max_size())
    throw EStreamError(L"Invalid stream size");
  try {
    data_.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EStreamError(L"Out of memory while expanding memory stream");
  }
  if (position_ > data_.size()) position_ = data_.size();
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  const std::int64_t count = source.Size() - source.Position();
  if (count < 0) throw EReadError(L"Stream read error");
  std::vector<std::byte> bytes(static_cast<std::size_t>(count));
  source.ReadBuffer(bytes.data(), bytes.size());
  data_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) const { dest.WriteBuffer(data_.data(), data_.size()); }

void TMemoryStream::LoadFromFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EFOpenError(L"Cannot open file \"" + PathText(path) + L"\"");
  std::vector<std::byte> bytes;
  char chunk[64 * 1024];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    const auto* first = reinterpret_cast<const std::byte*>(chunk);
    bytes.insert(bytes.end(), first, first + file.gcount());
    if (file.eof()) break;
  }
  if (file.bad()) throw EReadError(L"Cannot read file \"" + PathText(path) + L"\"");
  data_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::filesystem::path& path) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw EFOpenError(L"Cannot create file \"" + PathText(path) + L"\"");
  file.write(reinterpret_cast<const char*>(data_.data()), static_cast<std::streamsize>(data_.size()));
  file.close();
  if (!file) throw EWriteError(L"Cannot write file \"" + PathText(path) + L"\"");
}

TBytesStream::TBytesStream(const void* data, std::size_t size)
    : data_(static_cast<const std::byte*>(data)), size_(data == nullptr ? 0 : size) {}

std::size_t TBytesStream::Read(void* buffer, std::size_t count) {
  if (position_ >= size_) return 0;
  const std::size_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

std::size_t TBytesStream::Write(const void*, std::size_t) { throw EWriteError(L"Stream is read-only"); }

std::int64_t TBytesStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t p = NewPosition(static_cast<std::int64_t>(position_), Size(), offset, origin);
  if (static_cast<std::uint64_t>(p) > std::numeric_limits<std::size_t>::max())
    throw EStreamError(L"Invalid stream position");
  position_ = static_cast<std::size_t>(p);
  return p;
}

}  // namespace ui
