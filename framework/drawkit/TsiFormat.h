// Reading and writing of .tsi image files: a 16-byte "TSI1" header (version,
// face count, transparent colour) followed by a standard 24-bit BMP file, or
// a bare 24-bit BMP file. Pure byte handling, no Win32; linked statically
// into drawkit and into the image generator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tsi {

// Largest width or height accepted, so that a corrupt header cannot ask for
// a giant allocation.
const int kMaxSide = 4096;
// Largest number of faces laid side by side in one image.
const int kMaxFaces = 64;
// Largest file accepted at all (a 4096 x 4096 24-bit picture plus headers).
const std::size_t kMaxFileBytes = 16 + 14 + 124 + std::size_t(4096 * 3) * 4096;

// Why a parse failed; Ok on success.
enum class Status {
    Ok,
    BadMagic,      // neither "TSI1" nor "BM" at the start
    Truncated,     // a size or offset field points past the end of the data
    BadHeader,     // header sizes inconsistent with each other
    Unsupported,   // other version, bit depth or compression
    BadDimensions, // zero, negative or too large width or height
    BadFaces,      // face count outside 1..kMaxFaces or not dividing the width
};

// A decoded image: top-down rows, one 0x00RRGGBB value per pixel (the byte
// order of a 32-bit DIB), the width covering all faces side by side.
struct Image {
    int width = 0;                     // whole image, all faces
    int height = 0;                    // rows
    int faces = 1;                     // faces laid out horizontally, equal widths
    bool hasKey = false;               // the header names a transparent colour
    std::uint32_t key = 0;             // that colour as a COLORREF (0x00BBGGRR)
    std::vector<std::uint32_t> pixels; // width * height values, row by row
};

// Decodes size bytes. defaultFaces applies to a bare BMP without the TSI
// header (values below 1 count as 1). On failure out is left empty.
Status Parse(const unsigned char* data, std::size_t size, int defaultFaces, Image* out);

// Encodes img as a TSI1 file (header plus bottom-up 24-bit BMP).
std::vector<unsigned char> Encode(const Image& img);

// Encodes img as a bare 24-bit BMP file (no TSI header, no face count).
std::vector<unsigned char> EncodeBmp(const Image& img);

// Writes bytes to a file; returns non-zero on success.
int WriteFile(const char* path, const std::vector<unsigned char>& bytes);

} // namespace tsi
