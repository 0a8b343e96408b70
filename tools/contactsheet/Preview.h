#pragma once
// A mock window put together from a skin's pictures the way the skin engine draws them: frame
// edges, caption buttons and title text, a menu band and the usual controls, so a person can judge
// the theme as a whole. It is an approximation for review, not the engine itself.
#include "tools/contactsheet/SkinFolder.h"
#include "tools/contactsheet/TextPainter.h"

namespace contactsheet {

// The window of the given size; pixels outside the window's shape stay magenta.
skinart::Image PreviewWindow(const SkinFolder& skin, const TextPainter& text, int width, int height, bool active);
// An open popup menu with a selected item, a separator and a disabled item.
skinart::Image PreviewMenu(const SkinFolder& skin, const TextPainter& text);

}  // namespace contactsheet
