#pragma once
// Bounds of one skin load. A skin file is untrusted: its expanded size is capped by the decoder, but
// every image key decodes its own copy of a picture, pictures of 4 bits per pixel grow six times
// when decoded, and caption-button sections are not limited by the format. A load that would pass
// these bounds is refused as a whole and the skin in use stays.
#include <cstddef>
#include <cstdint>
#include <span>

#include "ui/core/Exceptions.h"

namespace skin {

// Raised inside a load that passes a bound; the skin component turns it into a refused load.
class ESkinTooLarge : public ui::Exception {
 public:
  using ui::Exception::Exception;
};

// Shown when a skin is refused for its size (the skin in use stays).
inline constexpr char kOversizedSkinFileMessage[] = "The skin file is too large to be used.";

// Decoded picture bytes one load may hold; the embedded skins need under 2 MB.
inline constexpr std::size_t kMaxSkinPictureBytes = std::size_t{64} << 20;
// Caption buttons one skin may define; a window shows a handful.
inline constexpr std::size_t kMaxCaptionButtons = 64;

class SkinLoadBudget {
 public:
  explicit SkinLoadBudget(std::size_t limit = kMaxSkinPictureBytes) : limit_(limit) {}
  // Counts the decoded size of one picture (a BMP file) before it is decoded; raises ESkinTooLarge
  // when the load's pictures would pass the limit. Unreadable pictures cost nothing (they load empty).
  void ChargePicture(std::span<const std::uint8_t> bmpFile);
  // Counts `bytes` of pictures the load derives from others.
  void Charge(std::size_t bytes);
  std::size_t Used() const { return used_; }

 private:
  std::size_t limit_;
  std::size_t used_ = 0;
};

}  // namespace skin
