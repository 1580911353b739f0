// CTsGDImage: a picture loaded from a .tsi file (see docs/images.md), kept as
// a GDI bitmap and drawn onto a device context, optionally leaving out one
// transparent colour. A file may hold several equal faces side by side (a
// button's normal, hover, pressed and disabled looks).
#pragma once

#include <windows.h>

#include "DrawKitApi.h"

// Draw flag: copy every pixel, ignoring the transparent colour.
const int TSGD_OPAQUE = 0x1;

class DRAWKIT_API CTsGDImage {
public:
    CTsGDImage();
    ~CTsGDImage();
    CTsGDImage(const CTsGDImage&) = delete;
    CTsGDImage& operator=(const CTsGDImage&) = delete;

    // Loads path, replacing any image held before. nFaces is the face count
    // of a bare BMP file; a file with the TSI header names its own count.
    // clrTransparent is the colour left out when drawing; CLR_INVALID
    // ((COLORREF)-1) names none, and then the file's own transparent colour
    // applies if its header names one. reserved1 and reserved2 are unused.
    // Returns 0 for a missing, unreadable, corrupt or oversized file.
    int Create(const char* path, int nFaces, COLORREF clrTransparent, int reserved1, int reserved2);

    // Frees the bitmap; the object may be loaded again.
    void Destroy();

    // Draws face 0 (the whole image when it has one face) with its top-left
    // corner at (x, y). flags: 0 leaves out the transparent colour,
    // TSGD_OPAQUE copies every pixel. Returns 0 when nothing is loaded.
    int Draw(HDC hdc, int x, int y, int flags);

    // Draws the width x height part at (srcX, srcY) of the whole image (all
    // faces, image coordinates) at (x, y). The part is clipped to the image;
    // what is clipped off at the left or top moves the destination with it.
    // Returns 0 when nothing is loaded or nothing is left after clipping.
    int Draw(HDC hdc, int x, int y, int flags, int srcX, int srcY, int width, int height);

    // Draws face number face (0-based) at (x, y); 0 for a face out of range.
    int DrawFace(HDC hdc, int x, int y, int face, int flags);

    int IsLoaded() const { return m_hBitmap != nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetFaceCount() const { return m_nFaces; }
    int GetFaceWidth() const { return m_nFaces > 0 ? m_nWidth / m_nFaces : 0; }
    int HasTransparentColor() const { return m_bHasKey; }
    COLORREF GetTransparentColor() const { return m_bHasKey ? m_clrKey : CLR_INVALID; }

private:
    HBITMAP m_hBitmap; // 32-bit top-down DIB section with the pixels, or null
    int m_nWidth;      // width of the whole image, all faces
    int m_nHeight;     // height in rows
    int m_nFaces;      // faces side by side, 1 or more when loaded
    int m_bHasKey;     // non-zero when m_clrKey is left out when drawing
    COLORREF m_clrKey; // the transparent colour
};
