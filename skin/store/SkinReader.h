#pragma once
// TSkinReader: expands a skin file (an LZH-compressed container, version 20000, of named bitmap
// entries and one INI text), checks that it holds together and hands out single entries as bytes.
// The caller shows the messages and turns bitmap entries into pictures.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/store/LzhDecoder.h"

namespace skin {

inline constexpr std::int32_t kSkinFileVersion = 20000;
// Shown (in a plain message box) when Load answers OlderVersion.
inline constexpr char kOlderSkinFileMessage[] = "This is Older Skin File\rPlease update to new version !";
// Shown when Load answers Damaged.
inline constexpr char kDamagedSkinFileMessage[] = "The skin file is damaged and cannot be used.";

// Skin files larger than this are refused before they are read: a compressed skin never needs more
// bytes than the decoder may expand it to (the embedded skins are under 64 KB).
inline constexpr std::size_t kMaxSkinFileSize = TLZH::kMaxExpandedSize;

enum class SkinLoadResult {
  Loaded,
  Empty,         // no bytes, or an expanded size of 0: no skin, nothing to report
  OlderVersion,  // the container is not version 20000
  Damaged,       // sizes or the name list do not fit the container, or it expands beyond the limit
};

struct SkinFileHeader {
  std::int32_t version = 0;
  std::int32_t namesLength = 0;
  std::int32_t reserved1 = 0;
  std::int32_t reserved2 = 0;
};

class TSkinReader {
 public:
  // Expands and indexes a skin file. Anything but Loaded leaves the reader without entries
  // (Header() still tells what an OlderVersion file held). Throws ElzhException only when memory
  // runs out.
  SkinLoadResult Load(std::span<const std::uint8_t> skinFile,
                      std::size_t maxExpandedSize = TLZH::kMaxExpandedSize);

  bool IsLoaded() const { return loaded_; }
  const SkinFileHeader& Header() const { return header_; }
  // Entry names, lower-cased, in container order (a name may occur twice).
  const std::vector<std::string>& Names() const { return names_; }
  std::size_t Count() const { return names_.size(); }
  const std::vector<std::int32_t>& Sizes() const { return sizes_; }
  // All entry data back to back, as in the container.
  std::span<const std::uint8_t> Data() const { return data_; }

  // The bytes of entry `index` (below Count()).
  std::span<const std::uint8_t> EntryAt(std::size_t index) const;
  // The first entry whose name equals `name` in lower case; empty when there is none.
  std::span<const std::uint8_t> Entry(std::string_view name) const;
  std::vector<std::uint8_t> ExtractByName(std::string_view name) const;
  // The first entry whose lower-cased name contains `text` (".ini" finds the INI text). False,
  // with `bytes` emptied and `name` untouched, when none does.
  bool ExtractFirstContaining(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& name) const;
  // The bitmap an INI image value names (see BitmapEntryName); empty when it names none.
  std::vector<std::uint8_t> ExtractBitmap(std::string_view iniValue) const;

 private:
  void Clear();

  bool loaded_ = false;
  SkinFileHeader header_;
  std::vector<std::string> names_;
  std::vector<std::int32_t> sizes_;
  std::vector<std::size_t> offsets_;
  std::vector<std::uint8_t> data_;
};

// The entry an INI image value refers to: the file-name part after the last '\' or ':', in lower
// case, when its extension is exactly ".bmp" (so "Buttons.BMP" names nothing); else empty.
std::string BitmapEntryName(std::string_view iniValue);

}  // namespace skin
