// The demo images drawn by the generator.
#pragma once

#include "TsiFormat.h"

namespace art {

// Button images: kButtonFaces faces of kFaceWidth x kFaceHeight side by
// side (normal, hover, pressed, disabled) on the transparent colour
// kButtonKey (COLORREF 0xFF0000, pure blue).
const int kButtonFaces = 4;
const int kFaceWidth = 64;
const int kFaceHeight = 22;
const unsigned int kButtonKey = 0xFF0000;

// Channel-information picture size.
const int kInfoWidth = 335;
const int kInfoHeight = 211;

// Mark drawn beside a button's label.
enum class Mark { None, Arrow };

// A button image with label (upper case A-Z) and an optional mark.
tsi::Image MakeButton(const char* label, Mark mark);

// The channel-information picture: a calm panel with a frame, an avatar
// place and faint guide lines where the member panel writes its text.
tsi::Image MakeInfoPanel();

} // namespace art
