// A drawing surface for the image generator: a 32-bit DIB section selected
// into a memory DC, so that GDI shapes and direct pixel writes can be mixed,
// plus a small built-in pixel font (no dependency on installed fonts).
#pragma once

#include <windows.h>

#include <cstdint>

#include "TsiFormat.h"

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Non-zero when the bitmap and DC exist.
    int IsValid() const { return m_pBits != nullptr; }
    HDC Dc() const { return m_hdc; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    void Fill(const RECT& rc, COLORREF clr);
    // A filled rounded rectangle with a 1-pixel outline.
    void RoundBox(const RECT& rc, int radius, COLORREF fill, COLORREF outline);
    // A filled polygon without outline.
    void Polygon(const POINT* pts, int count, COLORREF fill);
    void SetPixelAt(int x, int y, COLORREF clr);
    // The colour at (x, y), after pending GDI drawing has landed; black
    // outside the canvas.
    COLORREF PixelAt(int x, int y) const;

    // Width in pixels of text in the pixel font at the given scale.
    static int TextWidth(const char* text, int scale);
    // Draws upper-case text (A-Z, space) in the 5 x 7 pixel font with its
    // top-left corner at (x, y), each font pixel scale x scale pixels.
    void Text(int x, int y, const char* text, int scale, COLORREF clr);

    // The pixels as a .tsi image with the given faces and transparent colour
    // (hasKey false for none).
    tsi::Image ToImage(int faces, bool hasKey, COLORREF key) const;

private:
    int m_nWidth, m_nHeight; // size in pixels
    HDC m_hdc;               // memory DC holding the bitmap
    HBITMAP m_hBitmap;       // the DIB section
    HGDIOBJ m_hOld;          // bitmap the DC held before
    std::uint32_t* m_pBits;  // top-down 0x00RRGGBB pixels
};
