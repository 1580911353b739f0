// CTsTestHost: screenshots of a window, as pixels or as a PNG file.
//
// The pixels are copied with BitBlt from the window's own DC, which shows
// the window with its children as they are on the screen (PrintWindow would
// paint the window alone under Wine). The PNG file is written by GDI+'s
// encoder.
#include "TsTestHost.h"

#include <gdiplus.h>

namespace {

// GDI+'s PNG encoder.
const CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Bytes in one row of a 24-bit DIB: three a pixel, padded to four.
int RowBytes(int nWidth) {
    return (nWidth * 3 + 3) & ~3;
}

// A top-down 24-bit DIB section of nWidth x nHeight; ppBits receives its
// pixels. Null on failure.
HBITMAP CreateDib24(HDC hdc, int nWidth, int nHeight, BYTE** ppBits) {
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    *ppBits = static_cast<BYTE*>(pBits);
    return pBits != NULL ? hBitmap : NULL;
}

// Copies the nWidth x nHeight block at (x, y) of hdcSrc into a new DIB
// section (not selected into any DC).
HBITMAP CopyToDib(HDC hdcSrc, int x, int y, int nWidth, int nHeight, BYTE** ppBits) {
    if (hdcSrc == NULL || nWidth <= 0 || nHeight <= 0)
        return NULL;
    HBITMAP hBitmap = CreateDib24(hdcSrc, nWidth, nHeight, ppBits);
    HDC hdcMem = hBitmap != NULL ? ::CreateCompatibleDC(hdcSrc) : NULL;
    BOOL bCopied = FALSE;
    if (hdcMem != NULL) {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        bCopied = ::BitBlt(hdcMem, 0, 0, nWidth, nHeight, hdcSrc, x, y, SRCCOPY);
        ::GdiFlush();
        ::SelectObject(hdcMem, hOld);
        ::DeleteDC(hdcMem);
    }
    if (!bCopied && hBitmap != NULL) {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    return hBitmap;
}

// Copies what hWnd shows, the whole window, into a new DIB section.
HBITMAP CaptureDib(HWND hWnd, int& nWidth, int& nHeight, BYTE** ppBits) {
    RECT rc;
    if (hWnd == NULL || !::GetWindowRect(hWnd, &rc))
        return NULL;
    nWidth = rc.right - rc.left;
    nHeight = rc.bottom - rc.top;
    HDC hdcWnd = ::GetWindowDC(hWnd);
    HBITMAP hBitmap = CopyToDib(hdcWnd, 0, 0, nWidth, nHeight, ppBits);
    if (hdcWnd != NULL)
        ::ReleaseDC(hWnd, hdcWnd);
    return hBitmap;
}

// The pixels of a 24-bit top-down DIB of nWidth x nHeight.
void ReadDib(const BYTE* pBits, int nWidth, int nHeight, TsCapture& capture) {
    capture.nWidth = nWidth;
    capture.nHeight = nHeight;
    capture.pixels.resize((size_t)nWidth * nHeight);
    const int nRowBytes = RowBytes(nWidth);
    for (int y = 0; y < nHeight; ++y) {
        const BYTE* pRow = pBits + (size_t)y * nRowBytes;
        for (int x = 0; x < nWidth; ++x)
            capture.pixels[(size_t)y * nWidth + x] =
                RGB(pRow[3 * x + 2], pRow[3 * x + 1], pRow[3 * x]);
    }
}

// Writes a bitmap (not selected into any DC) as a PNG file with GDI+.
int SaveBitmapPng(HBITMAP hBitmap, LPCSTR lpszPngPath) {
    if (hBitmap == NULL || lpszPngPath == NULL)
        return 0;
    WCHAR wszPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, lpszPngPath, -1, wszPath, MAX_PATH) == 0)
        return 0;
    ULONG_PTR nToken = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&nToken, &input, NULL) != Gdiplus::Ok)
        return 0;
    int bSaved = 0;
    Gdiplus::GpBitmap* pImage = NULL;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(hBitmap, NULL, &pImage) == Gdiplus::Ok) {
        bSaved = Gdiplus::DllExports::GdipSaveImageToFile(pImage, wszPath, &kPngEncoder, NULL) ==
                 Gdiplus::Ok;
        Gdiplus::DllExports::GdipDisposeImage(pImage);
    }
    Gdiplus::GdiplusShutdown(nToken);
    return bSaved;
}

} // namespace

int CTsTestHost::CaptureWindow(HWND hWnd, TsCapture& capture) {
    int nWidth = 0, nHeight = 0;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = CaptureDib(hWnd, nWidth, nHeight, &pBits);
    if (hBitmap == NULL)
        return 0;
    ReadDib(pBits, nWidth, nHeight, capture);
    ::DeleteObject(hBitmap);
    return 1;
}

int CTsTestHost::CaptureDC(HDC hdc, int x, int y, int nWidth, int nHeight, TsCapture& capture) {
    BYTE* pBits = NULL;
    HBITMAP hBitmap = CopyToDib(hdc, x, y, nWidth, nHeight, &pBits);
    if (hBitmap == NULL)
        return 0;
    ReadDib(pBits, nWidth, nHeight, capture);
    ::DeleteObject(hBitmap);
    return 1;
}

int CTsTestHost::CaptureWindow(HWND hWnd, LPCSTR lpszPngPath) {
    int nWidth = 0, nHeight = 0;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = CaptureDib(hWnd, nWidth, nHeight, &pBits);
    if (hBitmap == NULL)
        return 0;
    const int bSaved = SaveBitmapPng(hBitmap, lpszPngPath);
    ::DeleteObject(hBitmap);
    return bSaved;
}

int CTsTestHost::SavePng(const TsCapture& capture, LPCSTR lpszPngPath) {
    if (capture.nWidth <= 0 || capture.nHeight <= 0 ||
        capture.pixels.size() != (size_t)capture.nWidth * capture.nHeight)
        return 0;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = CreateDib24(NULL, capture.nWidth, capture.nHeight, &pBits);
    if (hBitmap == NULL)
        return 0;
    const int nRowBytes = RowBytes(capture.nWidth);
    for (int y = 0; y < capture.nHeight; ++y) {
        BYTE* pRow = pBits + (size_t)y * nRowBytes;
        for (int x = 0; x < capture.nWidth; ++x) {
            const COLORREF clr = capture.pixels[(size_t)y * capture.nWidth + x];
            pRow[3 * x] = GetBValue(clr);
            pRow[3 * x + 1] = GetGValue(clr);
            pRow[3 * x + 2] = GetRValue(clr);
        }
    }
    ::GdiFlush();
    const int bSaved = SaveBitmapPng(hBitmap, lpszPngPath);
    ::DeleteObject(hBitmap);
    return bSaved;
}
