#pragma once
// The banner at the top of the main window: a page inside the program's resources for a browser
// that can show it, and the same banner as a picture for where no browser can be hosted.
#include <string>

#include "ui/Graphics.h"

namespace app {

inline constexpr int kBannerWidth = 538;
inline constexpr int kBannerHeight = 160;

// The address of the banner page in the resources of the program file at exePath.
std::wstring BannerPageAddress(const std::wstring& exePath);

// Draws the banner picture into `banner`, sized kBannerWidth x kBannerHeight.
void PaintBanner(ui::TBitmap& banner);

}  // namespace app
