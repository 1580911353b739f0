// Colour-keyed copy through a monochrome mask.
#include "TsKeyedBlt.h"

namespace {

// D & ~S: clears the destination where the (monochrome) source is white.
const DWORD kRopAndNotSource = 0x00220326;

// A memory DC with one bitmap selected, released in reverse order.
class ScratchBitmap {
public:
    ScratchBitmap(HDC hdcRef, int w, int h, bool mono) {
        m_hdc = CreateCompatibleDC(hdcRef);
        m_hbm = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(hdcRef, w, h);
        if (m_hdc != nullptr && m_hbm != nullptr)
            m_hOld = SelectObject(m_hdc, m_hbm);
    }
    ~ScratchBitmap() {
        if (m_hOld != nullptr)
            SelectObject(m_hdc, m_hOld);
        if (m_hbm != nullptr)
            DeleteObject(m_hbm);
        if (m_hdc != nullptr)
            DeleteDC(m_hdc);
    }
    ScratchBitmap(const ScratchBitmap&) = delete;
    ScratchBitmap& operator=(const ScratchBitmap&) = delete;

    bool Ok() const { return m_hOld != nullptr; }
    HDC Dc() const { return m_hdc; }

private:
    HDC m_hdc = nullptr;      // memory DC
    HBITMAP m_hbm = nullptr;  // bitmap selected into it
    HGDIOBJ m_hOld = nullptr; // bitmap it held before
};

} // namespace

// Mask: a colour-to-monochrome copy turns the pixels of the source DC's
// background colour white and all others black. The destination is ANDed
// with the mask (key pixels keep the destination, the rest turn black), a
// copy of the source has its key pixels cleared to black, and that copy is
// ORed onto the destination.
int TsKeyedBlt(HDC hdcDst, int x, int y, int w, int h, HDC hdcSrc, int srcX, int srcY,
               COLORREF clrKey) {
    if (hdcDst == nullptr || hdcSrc == nullptr || w <= 0 || h <= 0)
        return 0;
    ScratchBitmap mask(hdcSrc, w, h, true);
    ScratchBitmap image(hdcDst, w, h, false);
    if (!mask.Ok() || !image.Ok())
        return 0;

    COLORREF oldSrcBk = SetBkColor(hdcSrc, clrKey);
    BitBlt(mask.Dc(), 0, 0, w, h, hdcSrc, srcX, srcY, SRCCOPY);
    SetBkColor(hdcSrc, oldSrcBk);

    // Monochrome sources expand through the target's text (0) and
    // background (1) colours: make those black and white.
    SetTextColor(image.Dc(), RGB(0, 0, 0));
    SetBkColor(image.Dc(), RGB(255, 255, 255));
    BitBlt(image.Dc(), 0, 0, w, h, hdcSrc, srcX, srcY, SRCCOPY);
    BitBlt(image.Dc(), 0, 0, w, h, mask.Dc(), 0, 0, kRopAndNotSource);

    COLORREF oldText = SetTextColor(hdcDst, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(hdcDst, RGB(255, 255, 255));
    BitBlt(hdcDst, x, y, w, h, mask.Dc(), 0, 0, SRCAND);
    BitBlt(hdcDst, x, y, w, h, image.Dc(), 0, 0, SRCPAINT);
    SetTextColor(hdcDst, oldText);
    SetBkColor(hdcDst, oldBk);
    return 1;
}
