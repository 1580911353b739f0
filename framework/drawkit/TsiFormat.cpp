// .tsi decoding and encoding; see TsiFormat.h and docs/images.md.
#include "TsiFormat.h"

#include <cstdio>
#include <cstring>

namespace tsi {

namespace {

const std::size_t kTsiHeaderBytes = 16;
const std::size_t kFileHeaderBytes = 14;
const std::size_t kInfoHeaderBytes = 40;

std::uint32_t ReadU32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t ReadU16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back((unsigned char)(v >> (8 * i)));
}

void PutU16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back((unsigned char)v);
    out.push_back((unsigned char)(v >> 8));
}

// Bytes of one 24-bit row, padded to a multiple of four.
std::uint64_t RowStride(int width) {
    return (std::uint64_t(width) * 3 + 3) & ~std::uint64_t(3);
}

// Decodes the BMP file that starts at p (n bytes) into out's size and
// pixels. Every offset and size is checked against n before it is used.
Status ParseBmp(const unsigned char* p, std::size_t n, Image* out) {
    if (n < 2)
        return Status::Truncated;
    if (p[0] != 'B' || p[1] != 'M')
        return Status::BadMagic;
    if (n < kFileHeaderBytes + kInfoHeaderBytes)
        return Status::Truncated;
    std::uint32_t fileSize = ReadU32(p + 2);
    std::uint32_t offBits = ReadU32(p + 10);
    std::uint32_t infoSize = ReadU32(p + 14);
    if (fileSize > n)
        return Status::Truncated;
    if (infoSize < kInfoHeaderBytes || infoSize > n - kFileHeaderBytes)
        return Status::BadHeader;
    if (offBits < kFileHeaderBytes + infoSize)
        return Status::BadHeader;
    if (offBits > n)
        return Status::Truncated;

    std::int32_t width = std::int32_t(ReadU32(p + 18));
    std::int32_t height = std::int32_t(ReadU32(p + 22));
    std::uint16_t planes = ReadU16(p + 26);
    std::uint16_t bits = ReadU16(p + 28);
    std::uint32_t compression = ReadU32(p + 30);
    if (planes != 1 || bits != 24 || compression != 0)
        return Status::Unsupported;
    bool topDown = height < 0;
    // Compare in 64 bits: negating INT32_MIN would overflow.
    std::int64_t rows = topDown ? -std::int64_t(height) : std::int64_t(height);
    if (width <= 0 || width > kMaxSide || rows <= 0 || rows > kMaxSide)
        return Status::BadDimensions;

    std::uint64_t stride = RowStride(width);
    if (stride * std::uint64_t(rows) > std::uint64_t(n - offBits))
        return Status::Truncated;

    out->width = width;
    out->height = int(rows);
    out->pixels.assign(std::size_t(width) * std::size_t(rows), 0);
    for (std::int64_t y = 0; y < rows; ++y) {
        std::int64_t fileRow = topDown ? y : rows - 1 - y;
        const unsigned char* src = p + offBits + std::size_t(fileRow) * std::size_t(stride);
        std::uint32_t* dst = &out->pixels[std::size_t(y) * std::size_t(width)];
        for (std::int32_t x = 0; x < width; ++x, src += 3)
            dst[x] =
                std::uint32_t(src[0]) | std::uint32_t(src[1]) << 8 | std::uint32_t(src[2]) << 16;
    }
    return Status::Ok;
}

} // namespace

// Reads the optional TSI header, then the BMP payload, then checks that the
// face count divides the width.
Status Parse(const unsigned char* data, std::size_t size, int defaultFaces, Image* out) {
    *out = Image();
    if (data == nullptr || size < 2)
        return Status::Truncated;
    Image img;
    const unsigned char* bmp = data;
    std::size_t bmpSize = size;
    if (size >= 4 && std::memcmp(data, "TSI1", 4) == 0) {
        if (size < kTsiHeaderBytes)
            return Status::Truncated;
        if (ReadU16(data + 4) != 1)
            return Status::Unsupported;
        img.faces = ReadU16(data + 6);
        std::uint32_t flags = ReadU32(data + 8);
        img.hasKey = (flags & 1) != 0;
        img.key = img.hasKey ? (ReadU32(data + 12) & 0x00FFFFFF) : 0;
        bmp += kTsiHeaderBytes;
        bmpSize -= kTsiHeaderBytes;
    } else {
        img.faces = defaultFaces < 1 ? 1 : defaultFaces;
    }
    Status st = ParseBmp(bmp, bmpSize, &img);
    if (st != Status::Ok)
        return st;
    if (img.faces < 1 || img.faces > kMaxFaces || img.width % img.faces != 0)
        return Status::BadFaces;
    *out = std::move(img);
    return Status::Ok;
}

// Writes a BITMAPFILEHEADER, a 40-byte BITMAPINFOHEADER and bottom-up 24-bit
// rows.
std::vector<unsigned char> EncodeBmp(const Image& img) {
    std::vector<unsigned char> out;
    std::uint32_t stride = std::uint32_t(RowStride(img.width));
    std::uint32_t dataBytes = stride * std::uint32_t(img.height);
    std::uint32_t offBits = std::uint32_t(kFileHeaderBytes + kInfoHeaderBytes);
    out.reserve(offBits + dataBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offBits + dataBytes);
    PutU32(out, 0);
    PutU32(out, offBits);
    PutU32(out, std::uint32_t(kInfoHeaderBytes));
    PutU32(out, std::uint32_t(img.width));
    PutU32(out, std::uint32_t(img.height));
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0);
    PutU32(out, dataBytes);
    PutU32(out, 2835); // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = img.height - 1; y >= 0; --y) {
        const std::uint32_t* row = &img.pixels[std::size_t(y) * std::size_t(img.width)];
        for (int x = 0; x < img.width; ++x) {
            out.push_back((unsigned char)row[x]);
            out.push_back((unsigned char)(row[x] >> 8));
            out.push_back((unsigned char)(row[x] >> 16));
        }
        for (std::uint32_t pad = std::uint32_t(img.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

// The TSI1 header (magic, version 1, faces, flags, key) and the BMP file.
std::vector<unsigned char> Encode(const Image& img) {
    std::vector<unsigned char> out = {'T', 'S', 'I', '1'};
    PutU16(out, 1);
    PutU16(out, std::uint16_t(img.faces));
    PutU32(out, img.hasKey ? 1u : 0u);
    PutU32(out, img.hasKey ? img.key : 0u);
    std::vector<unsigned char> bmp = EncodeBmp(img);
    out.insert(out.end(), bmp.begin(), bmp.end());
    return out;
}

int WriteFile(const char* path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr)
        return 0;
    std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    int closed = std::fclose(f) == 0;
    return closed && written == bytes.size();
}

} // namespace tsi
