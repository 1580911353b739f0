// CTsGDImage: loading a .tsi file into a DIB section and drawing it.
#include "TsGDImage.h"

#include <cstring>
#include <vector>

#include "TsKeyedBlt.h"
#include "TsiFormat.h"

namespace {

// Reads a whole file into bytes, refusing files above tsi::kMaxFileBytes
// before allocating anything. Returns false when it cannot be read whole.
bool ReadWholeFile(const char* path, std::vector<unsigned char>& bytes) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart > 0 &&
              std::uint64_t(size.QuadPart) <= tsi::kMaxFileBytes;
    if (ok) {
        bytes.resize(std::size_t(size.QuadPart));
        DWORD got = 0;
        ok = ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
    }
    CloseHandle(h);
    return ok;
}

// Makes a 32-bit top-down DIB section holding img's pixels.
HBITMAP MakeBitmap(const tsi::Image& img) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = img.width;
    bmi.bmiHeader.biHeight = -img.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hbm != nullptr && bits != nullptr)
        std::memcpy(bits, img.pixels.data(), img.pixels.size() * sizeof(img.pixels[0]));
    return hbm;
}

} // namespace

CTsGDImage::CTsGDImage()
    : m_hBitmap(nullptr), m_nWidth(0), m_nHeight(0), m_nFaces(0), m_bHasKey(0),
      m_clrKey(CLR_INVALID) {}

CTsGDImage::~CTsGDImage() {
    Destroy();
}

void CTsGDImage::Destroy() {
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_nWidth = m_nHeight = m_nFaces = 0;
    m_bHasKey = 0;
    m_clrKey = CLR_INVALID;
}

// Reads and decodes the file, then keeps it as a DIB section together with
// its size, face count and transparent colour.
int CTsGDImage::Create(const char* path, int nFaces, COLORREF clrTransparent, int, int) {
    Destroy();
    if (path == nullptr || path[0] == '\0')
        return 0;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    tsi::Image img;
    if (tsi::Parse(bytes.data(), bytes.size(), nFaces, &img) != tsi::Status::Ok)
        return 0;
    m_hBitmap = MakeBitmap(img);
    if (m_hBitmap == nullptr)
        return 0;
    m_nWidth = img.width;
    m_nHeight = img.height;
    m_nFaces = img.faces;
    if (clrTransparent != CLR_INVALID) {
        m_bHasKey = 1;
        m_clrKey = clrTransparent & 0x00FFFFFF;
    } else if (img.hasKey) {
        m_bHasKey = 1;
        m_clrKey = img.key;
    }
    return 1;
}

int CTsGDImage::Draw(HDC hdc, int x, int y, int flags) {
    return Draw(hdc, x, y, flags, 0, 0, GetFaceWidth(), m_nHeight);
}

int CTsGDImage::DrawFace(HDC hdc, int x, int y, int face, int flags) {
    if (face < 0 || face >= m_nFaces)
        return 0;
    int w = GetFaceWidth();
    return Draw(hdc, x, y, flags, face * w, 0, w, m_nHeight);
}

// Clips the source part to the image, then copies it plainly or leaving out
// the transparent colour.
int CTsGDImage::Draw(HDC hdc, int x, int y, int flags, int srcX, int srcY, int width, int height) {
    if (m_hBitmap == nullptr || hdc == nullptr)
        return 0;
    if (srcX < 0) {
        width += srcX;
        x -= srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        height += srcY;
        y -= srcY;
        srcY = 0;
    }
    if (srcX >= m_nWidth || srcY >= m_nHeight)
        return 0;
    if (width > m_nWidth - srcX)
        width = m_nWidth - srcX;
    if (height > m_nHeight - srcY)
        height = m_nHeight - srcY;
    if (width <= 0 || height <= 0)
        return 0;

    HDC hdcMem = CreateCompatibleDC(hdc);
    if (hdcMem == nullptr)
        return 0;
    HGDIOBJ hOld = SelectObject(hdcMem, m_hBitmap);
    int ok;
    if (m_bHasKey && !(flags & TSGD_OPAQUE))
        ok = TsKeyedBlt(hdc, x, y, width, height, hdcMem, srcX, srcY, m_clrKey);
    else
        ok = BitBlt(hdc, x, y, width, height, hdcMem, srcX, srcY, SRCCOPY) ? 1 : 0;
    SelectObject(hdcMem, hOld);
    DeleteDC(hdcMem);
    return ok;
}
