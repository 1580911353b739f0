// Helpers of the drawkit and avatar tests: a pixel canvas that can be read
// back, a temporary file removed at the end of its test, and images made in
// memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"
#include "TsiFormat.h"

// The image generator's canvas (a 32-bit DIB section in a memory DC),
// filled with one colour, with the read-backs the tests compare.
class TestCanvas : public Canvas {
public:
    TestCanvas(int width, int height, COLORREF fill);

    // The colour at (x, y) as a COLORREF.
    COLORREF Pixel(int x, int y) const { return PixelAt(x, y); }
    // Number of pixels inside (or, with outside true, outside) rc whose
    // colour differs from clr.
    int CountNot(const RECT& rc, COLORREF clr, bool outside) const;
    // Non-zero when both canvases hold the same pixels.
    bool SamePixels(const TestCanvas& other) const;
};

// A file in the temporary folder named after the running test, deleted when
// the object goes.
class TempFile {
public:
    explicit TempFile(const char* suffix);
    ~TempFile();
    const char* Path() const { return m_path.c_str(); }
    // Replaces the file's contents; returns false on failure.
    bool Write(const std::vector<unsigned char>& bytes) const;

private:
    std::string m_path;
};

// An image of faces faces, each faceWidth x height, face i filled with
// FaceColour(i), with the pixel at (1, 1) of every face set to key.
tsi::Image MakeFacesImage(int faces, int faceWidth, int height, COLORREF key, bool hasKey);
COLORREF FaceColour(int face);

// The folder holding the test executable, with a trailing backslash.
std::string ExeFolder();
