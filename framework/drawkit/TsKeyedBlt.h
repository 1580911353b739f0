// Copying a block of pixels while leaving out one colour.
#pragma once

#include <windows.h>

#include "DrawKitApi.h"

// Copies the w x h block at (srcX, srcY) of hdcSrc to (x, y) of hdcDst,
// except the pixels whose colour is exactly clrKey, where the destination
// keeps its own colour. Works through a monochrome mask, so it behaves the
// same on every kind of destination. Returns non-zero on success.
DRAWKIT_API int TsKeyedBlt(HDC hdcDst, int x, int y, int w, int h, HDC hdcSrc, int srcX, int srcY,
                           COLORREF clrKey);
