// The .tsi codec on bytes in memory: round trips and every kind of corrupt
// header a file on disk might carry.
#include <gtest/gtest.h>

#include <climits>

#include "TestSupport.h"
#include "TsiFormat.h"

namespace {

// Byte offsets of the fields patched below, in a TSI1 file.
const std::size_t kOffVersion = 4, kOffFaces = 6;
const std::size_t kBmp = 16; // the BMP file starts here
const std::size_t kOffFileSize = kBmp + 2, kOffBits = kBmp + 10, kOffInfoSize = kBmp + 14;
const std::size_t kOffWidth = kBmp + 18, kOffHeight = kBmp + 22, kOffPlanes = kBmp + 26;
const std::size_t kOffBitCount = kBmp + 28, kOffCompression = kBmp + 30;

void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = (unsigned char)(v >> (8 * i));
}

void Put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}

tsi::Status ParseBytes(const std::vector<unsigned char>& b, tsi::Image* out, int faces = 1) {
    return tsi::Parse(b.data(), b.size(), faces, out);
}

// A 4-face image 5 pixels per face wide (row padding needed), 3 rows.
std::vector<unsigned char> GoodFile() {
    return tsi::Encode(MakeFacesImage(4, 5, 3, RGB(0, 0, 255), true));
}

} // namespace

TEST(TsiFormat, RoundTripKeepsPixelsFacesAndKey) {
    tsi::Image in = MakeFacesImage(4, 5, 3, RGB(0, 0, 255), true);
    tsi::Image out;
    ASSERT_EQ(tsi::Status::Ok, ParseBytes(tsi::Encode(in), &out));
    EXPECT_EQ(20, out.width);
    EXPECT_EQ(3, out.height);
    EXPECT_EQ(4, out.faces);
    EXPECT_TRUE(out.hasKey);
    EXPECT_EQ(0xFF0000u, out.key);
    EXPECT_EQ(in.pixels, out.pixels);

    in.hasKey = false;
    ASSERT_EQ(tsi::Status::Ok, ParseBytes(tsi::Encode(in), &out));
    EXPECT_FALSE(out.hasKey);
}

TEST(TsiFormat, BareBmpTakesTheCallersFaceCount) {
    tsi::Image in = MakeFacesImage(4, 2, 2, RGB(1, 2, 3), false);
    std::vector<unsigned char> bmp = tsi::EncodeBmp(in);
    tsi::Image out;
    ASSERT_EQ(tsi::Status::Ok, ParseBytes(bmp, &out, 4));
    EXPECT_EQ(4, out.faces);
    EXPECT_FALSE(out.hasKey);
    EXPECT_EQ(in.pixels, out.pixels);
    ASSERT_EQ(tsi::Status::Ok, ParseBytes(bmp, &out, 0));
    EXPECT_EQ(1, out.faces);
    EXPECT_EQ(tsi::Status::BadFaces, ParseBytes(bmp, &out, 3)); // 8 pixels in 3 faces
}

TEST(TsiFormat, TopDownRowsAreRead) {
    tsi::Image in = MakeFacesImage(1, 3, 2, RGB(9, 9, 9), false);
    in.pixels[0] = 0x112233; // top-left differs from the bottom row
    std::vector<unsigned char> b = tsi::Encode(in);
    // Negative height: the file's first row is the top one. Swap the two
    // stored rows so that the picture stays the same.
    std::size_t stride = 12, data = kBmp + 54;
    std::vector<unsigned char> row0(b.begin() + data, b.begin() + data + stride);
    std::copy(b.begin() + data + stride, b.begin() + data + 2 * stride, b.begin() + data);
    std::copy(row0.begin(), row0.end(), b.begin() + data + stride);
    Put32(b, kOffHeight, std::uint32_t(-2));
    tsi::Image out;
    ASSERT_EQ(tsi::Status::Ok, ParseBytes(b, &out));
    EXPECT_EQ(2, out.height);
    EXPECT_EQ(in.pixels, out.pixels);
}

TEST(TsiFormat, EveryTruncationFails) {
    std::vector<unsigned char> good = GoodFile();
    tsi::Image out;
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<unsigned char> cut(good.begin(), good.begin() + n);
        EXPECT_NE(tsi::Status::Ok, ParseBytes(cut, &out)) << "length " << n;
        EXPECT_TRUE(out.pixels.empty());
    }
    EXPECT_EQ(tsi::Status::Truncated, tsi::Parse(nullptr, 10, 1, &out));
}

// One corrupt field and the status it must give.
struct Corruption {
    const char* what;
    std::size_t at;
    int bytes; // 2 or 4
    std::uint32_t value;
    tsi::Status expect;
};

TEST(TsiFormat, CorruptFieldsAreRefused) {
    const Corruption cases[] = {
        {"magic", 0, 4, 0x31495358, tsi::Status::BadMagic},
        {"version", kOffVersion, 2, 2, tsi::Status::Unsupported},
        {"no faces", kOffFaces, 2, 0, tsi::Status::BadFaces},
        {"faces not dividing", kOffFaces, 2, 3, tsi::Status::BadFaces},
        {"too many faces", kOffFaces, 2, 65, tsi::Status::BadFaces},
        {"bmp magic", kBmp, 2, 0x4142, tsi::Status::BadMagic},
        {"file size past end", kOffFileSize, 4, 0x7FFFFFFF, tsi::Status::Truncated},
        {"pixels past end", kOffBits, 4, 0xFFFFFF00, tsi::Status::Truncated},
        {"pixels inside header", kOffBits, 4, 20, tsi::Status::BadHeader},
        {"info header too big", kOffInfoSize, 4, 0xFFFFFFF0, tsi::Status::BadHeader},
        {"info header too small", kOffInfoSize, 4, 12, tsi::Status::BadHeader},
        {"zero width", kOffWidth, 4, 0, tsi::Status::BadDimensions},
        {"negative width", kOffWidth, 4, std::uint32_t(-20), tsi::Status::BadDimensions},
        {"huge width", kOffWidth, 4, 100000, tsi::Status::BadDimensions},
        {"zero height", kOffHeight, 4, 0, tsi::Status::BadDimensions},
        {"most negative height", kOffHeight, 4, std::uint32_t(INT_MIN), tsi::Status::BadDimensions},
        {"huge height", kOffHeight, 4, 5000, tsi::Status::BadDimensions},
        {"allowed size, missing pixels", kOffHeight, 4, 4000, tsi::Status::Truncated},
        {"two planes", kOffPlanes, 2, 2, tsi::Status::Unsupported},
        {"8 bits", kOffBitCount, 2, 8, tsi::Status::Unsupported},
        {"compressed", kOffCompression, 4, 1, tsi::Status::Unsupported},
    };
    for (const Corruption& c : cases) {
        std::vector<unsigned char> b = GoodFile();
        if (c.bytes == 4)
            Put32(b, c.at, c.value);
        else
            Put16(b, c.at, std::uint16_t(c.value));
        tsi::Image out;
        EXPECT_EQ(c.expect, ParseBytes(b, &out)) << c.what;
        EXPECT_TRUE(out.pixels.empty()) << c.what;
    }
}
