// Helpers of the drawkit and avatar tests.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

std::uint32_t ToPixel(COLORREF clr) {
    return std::uint32_t(GetRValue(clr)) << 16 | std::uint32_t(GetGValue(clr)) << 8 |
           GetBValue(clr);
}

} // namespace

TestCanvas::TestCanvas(int width, int height, COLORREF fill)
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
    m_hOld = SelectObject(m_hdc, m_hBitmap);
    m_pBits = static_cast<const std::uint32_t*>(bits);
    std::uint32_t px = ToPixel(fill);
    for (int i = 0; i < width * height; ++i)
        static_cast<std::uint32_t*>(bits)[i] = px;
}

TestCanvas::~TestCanvas() {
    SelectObject(m_hdc, m_hOld);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hdc);
}

COLORREF TestCanvas::Pixel(int x, int y) const {
    GdiFlush();
    std::uint32_t px = m_pBits[y * m_nWidth + x];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

int TestCanvas::CountNot(const RECT& rc, COLORREF clr, bool outside) const {
    int n = 0;
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x) {
            bool in = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
            if (in != outside && Pixel(x, y) != clr)
                ++n;
        }
    return n;
}

bool TestCanvas::SamePixels(const TestCanvas& other) const {
    GdiFlush();
    return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight &&
           std::memcmp(m_pBits, other.m_pBits, std::size_t(m_nWidth) * m_nHeight * 4) == 0;
}

TempFile::TempFile(const char* suffix) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    char name[MAX_PATH];
    std::snprintf(name, sizeof(name), "peltora_drawkit_%lu_%s_%s%s", GetCurrentProcessId(),
                  info ? info->test_suite_name() : "none", info ? info->name() : "none", suffix);
    m_path = std::string(dir) + name;
}

TempFile::~TempFile() {
    DeleteFileA(m_path.c_str());
}

bool TempFile::Write(const std::vector<unsigned char>& bytes) const {
    return tsi::WriteFile(m_path.c_str(), bytes) != 0;
}

COLORREF FaceColour(int face) {
    return RGB(40 + 50 * face, 200 - 40 * face, 90 + 30 * face);
}

tsi::Image MakeFacesImage(int faces, int faceWidth, int height, COLORREF key, bool hasKey) {
    tsi::Image img;
    img.width = faces * faceWidth;
    img.height = height;
    img.faces = faces;
    img.hasKey = hasKey;
    img.key = key;
    img.pixels.resize(std::size_t(img.width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < img.width; ++x) {
            int face = x / faceWidth;
            COLORREF c = (x % faceWidth == 1 && y == 1) ? key : FaceColour(face);
            img.pixels[std::size_t(y) * img.width + x] = ToPixel(c);
        }
    return img;
}

std::string ExeFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}
