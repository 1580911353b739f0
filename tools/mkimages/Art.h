// The demo images drawn by the generator.
#pragma once

#include <windows.h>

#include "TsiFormat.h"

namespace art {

// Button images: kButtonFaces faces of kFaceWidth x kFaceHeight side by
// side (normal, hover, pressed, disabled) on the transparent colour
// kButtonKey (COLORREF 0xFF0000, pure blue).
const int kButtonFaces = 4;
const int kFaceWidth = 64;
const int kFaceHeight = 22;
const unsigned int kButtonKey = 0xFF0000;

// Where the member panel of one configuration draws, relative to the
// panel's (and the picture's) top-left corner.
struct PanelLayout {
    int width, height; // the panel, and so the picture
    RECT avatar;       // the avatar's box
    RECT name;         // the name plate
    int infoX, infoY;  // first of the three title rows, 16 pixels each
};

// The three configurations' panels: Korean (the usual one), Japanese
// (avatar further in, name and rows beside it) and Simplified Chinese
// (taller, with a 150 x 180 avatar).
inline const PanelLayout kKoreanPanel = {335, 211, {21, 37, 121, 157}, {127, 42, 315, 58}, 157, 88};
inline const PanelLayout kJapanesePanel = {335, 211, {47, 47, 147, 167}, {160, 42, 327, 58},
                                           147, 98};
inline const PanelLayout kChinesePanel = {335, 268, {21, 37, 171, 217}, {167, 42, 315, 58},
                                          197, 88};

// Mark drawn beside a button's label.
enum class Mark { None, Arrow };

// A button image with label (upper case A-Z) and an optional mark.
tsi::Image MakeButton(const char* label, Mark mark);

// The channel-information picture for a panel layout: a calm panel with a
// frame, an avatar place and faint guide lines where the member panel
// writes its text.
tsi::Image MakeInfoPanel(const PanelLayout& layout);

} // namespace art
