#include "skin/data/SkinLoadLimits.h"

#include "ui/core/BmpFormat.h"

namespace skin {

void SkinLoadBudget::ChargePicture(std::span<const std::uint8_t> bmpFile) {
  Charge(ui::BmpFileDecodedBytes(bmpFile.data(), bmpFile.size()));
}

void SkinLoadBudget::Charge(std::size_t bytes) {
  if (bytes > limit_ - used_) throw ESkinTooLarge(L"The skin's pictures need more memory than a skin may use");
  used_ += bytes;
}

}  // namespace skin
