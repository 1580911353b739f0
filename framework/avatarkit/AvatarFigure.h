// The avatar figure shared by the avatar classes: a look (colours and
// shapes) derived from a hash of the avatar id, drawn with GDI shapes scaled
// to a box. Internal: linked statically into avatarkit and avatarvel.
#pragma once

#include <windows.h>

#include <cstdint>

namespace avatar {

// FNV-1a hash of a NUL-terminated text, mixed with seed; 0 text hashes as "".
std::uint32_t HashText(const char* text, std::uint32_t seed);

// Colours and shape choices of one figure.
struct Look {
    COLORREF skin;     // face and hands
    COLORREF hair;     // hair (and hat brim)
    COLORREF shirt;    // body and arms
    COLORREF trousers; // legs
    COLORREF outline;  // pen of every shape
    int hairStyle;     // 0 flat, 1 long, 2 spiky
    bool hat;          // a hat over the hair
};

// The look of the figure for a hash value.
Look LookFromHash(std::uint32_t hash);

// The neutral grey look of an anonymous silhouette.
Look AnonymousLook();

// Changes every colour of look that equals clrAvoid by one step of red, so
// that the figure never holds the caller's transparent colour.
void AvoidColour(Look& look, COLORREF clrAvoid);

// Draws the figure filling the w x h box at (x, y) of hdc (designed for
// 100 x 120 and scaled). Draws nothing outside the box.
void DrawFigure(HDC hdc, int x, int y, int w, int h, const Look& look);

// Paints a scene into the w x h box at (0, 0) of hdc; ctx is the caller's.
typedef void (*PaintFn)(HDC hdc, int w, int h, const void* ctx);

// Composes paint's scene in an off-screen w x h bitmap filled with clrBack
// and copies it to (x, y) of hdc: every pixel when bKeyed is false,
// otherwise all but those of colour clrKey. Returns non-zero on success.
int Compose(HDC hdc, int x, int y, int w, int h, COLORREF clrBack, bool bKeyed, COLORREF clrKey,
            PaintFn paint, const void* ctx);

// Composes the figure in an off-screen w x h bitmap filled with clrBack and
// copies it as Compose does; with bKeyed the figure avoids clrKey.
int ComposeFigure(HDC hdc, int x, int y, int w, int h, const Look& look, COLORREF clrBack,
                  bool bKeyed, COLORREF clrKey);

} // namespace avatar
