// Canvas: DIB-section drawing surface and 5 x 7 pixel font.
#include "Canvas.h"

#include <cstring>

namespace {

// Rows of one glyph, top to bottom, 5 bits each (bit 4 = leftmost column).
struct Glyph {
    char ch;
    unsigned char rows[7];
};

const Glyph kGlyphs[] = {
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
};

const Glyph* FindGlyph(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch)
            return &g;
    return nullptr;
}

// Pixel value of a COLORREF in the DIB's 0x00RRGGBB order.
std::uint32_t ToPixel(COLORREF clr) {
    return std::uint32_t(GetRValue(clr)) << 16 | std::uint32_t(GetGValue(clr)) << 8 |
           GetBValue(clr);
}

} // namespace

Canvas::Canvas(int width, int height)
    : m_nWidth(width), m_nHeight(height), m_hdc(nullptr), m_hBitmap(nullptr), m_hOld(nullptr),
      m_pBits(nullptr) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hdc = CreateCompatibleDC(nullptr);
    m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_hdc != nullptr && m_hBitmap != nullptr && bits != nullptr) {
        m_hOld = SelectObject(m_hdc, m_hBitmap);
        m_pBits = static_cast<std::uint32_t*>(bits);
    }
}

Canvas::~Canvas() {
    if (m_hOld != nullptr)
        SelectObject(m_hdc, m_hOld);
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
    if (m_hdc != nullptr)
        DeleteDC(m_hdc);
}

void Canvas::Fill(const RECT& rc, COLORREF clr) {
    HBRUSH brush = CreateSolidBrush(clr);
    FillRect(m_hdc, &rc, brush);
    DeleteObject(brush);
}

void Canvas::RoundBox(const RECT& rc, int radius, COLORREF fill, COLORREF outline) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, outline);
    HGDIOBJ oldBrush = SelectObject(m_hdc, brush);
    HGDIOBJ oldPen = SelectObject(m_hdc, pen);
    RoundRect(m_hdc, rc.left, rc.top, rc.right, rc.bottom, radius, radius);
    SelectObject(m_hdc, oldPen);
    SelectObject(m_hdc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Canvas::Polygon(const POINT* pts, int count, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldBrush = SelectObject(m_hdc, brush);
    HGDIOBJ oldPen = SelectObject(m_hdc, GetStockObject(NULL_PEN));
    ::Polygon(m_hdc, pts, count);
    SelectObject(m_hdc, oldPen);
    SelectObject(m_hdc, oldBrush);
    DeleteObject(brush);
}

void Canvas::SetPixelAt(int x, int y, COLORREF clr) {
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return;
    GdiFlush();
    m_pBits[y * m_nWidth + x] = ToPixel(clr);
}

COLORREF Canvas::PixelAt(int x, int y) const {
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return RGB(0, 0, 0);
    GdiFlush();
    const std::uint32_t px = m_pBits[y * m_nWidth + x];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

int Canvas::TextWidth(const char* text, int scale) {
    int n = int(std::strlen(text));
    return n == 0 ? 0 : (n * 6 - 1) * scale;
}

// Each glyph is 5 columns plus one column of spacing.
void Canvas::Text(int x, int y, const char* text, int scale, COLORREF clr) {
    for (const char* p = text; *p != '\0'; ++p, x += 6 * scale) {
        const Glyph* g = FindGlyph(*p);
        if (g == nullptr)
            continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g->rows[row] & (0x10 >> col))
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            SetPixelAt(x + col * scale + dx, y + row * scale + dy, clr);
    }
}

tsi::Image Canvas::ToImage(int faces, bool hasKey, COLORREF key) const {
    tsi::Image img;
    img.width = m_nWidth;
    img.height = m_nHeight;
    img.faces = faces;
    img.hasKey = hasKey;
    img.key = hasKey ? key : 0;
    GdiFlush();
    if (m_pBits != nullptr)
        img.pixels.assign(m_pBits, m_pBits + std::size_t(m_nWidth) * std::size_t(m_nHeight));
    for (std::uint32_t& px : img.pixels)
        px &= 0x00FFFFFF;
    return img;
}
