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

TestCanvas::TestCanvas(int width, int height, COLORREF fill) : Canvas(width, height) {
    const RECT all = {0, 0, width, height};
    Fill(all, fill);
}

int TestCanvas::CountNot(const RECT& rc, COLORREF clr, bool outside) const {
    int n = 0;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) {
            bool in = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
            if (in != outside && Pixel(x, y) != clr)
                ++n;
        }
    return n;
}

bool TestCanvas::SamePixels(const TestCanvas& other) const {
    if (Width() != other.Width() || Height() != other.Height())
        return false;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (Pixel(x, y) != other.Pixel(x, y))
                return false;
    return true;
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
