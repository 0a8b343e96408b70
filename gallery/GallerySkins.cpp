#include "gallery/GallerySkins.h"

#include <windows.h>

#include <array>

#include "ui/Handles.h"

namespace gallery {
namespace {

constexpr std::array<std::wstring_view, kEmbeddedSkinCount> kNames{L"Silver", L"Jade", L"Sapphire", L"Graphite",
                                                                    L"Amber"};
constexpr std::array<std::wstring_view, kEmbeddedSkinCount> kCaptions{L"&Silver", L"&Jade", L"S&apphire",
                                                                       L"&Graphite", L"A&mber"};

}  // namespace

std::wstring_view EmbeddedSkinName(int item) {
  return item >= 0 && item < kEmbeddedSkinCount ? kNames[static_cast<std::size_t>(item)] : std::wstring_view{};
}

std::wstring_view EmbeddedSkinCaption(int item) {
  return item >= 0 && item < kEmbeddedSkinCount ? kCaptions[static_cast<std::size_t>(item)] : std::wstring_view{};
}

std::span<const std::uint8_t> EmbeddedSkinBytes(int item) {
  if (item < 0 || item >= kEmbeddedSkinCount) return {};
  const std::wstring name = L"GALLERYSKIN" + std::to_wstring(item);
  HRSRC found = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), SizeofResource(nullptr, found)};
}

bool ReadSkinFile(const std::wstring& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::wstring& why) {
  bytes.clear();
  const ui::KernelHandle file = ui::FileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    why = L"The file cannot be opened.";
    return false;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
    why = L"The file cannot be read.";
    return false;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    why = L"The file is too large to be a skin file.";
    return false;
  }
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size())) {
    why = L"The file cannot be read.";
    bytes.clear();
    return false;
  }
  return true;
}

}  // namespace gallery
