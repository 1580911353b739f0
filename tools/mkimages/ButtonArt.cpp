// Button images: four faces of a rounded button with a pixel-font label.
#include "Art.h"

#include "Canvas.h"

namespace art {

namespace {

// Colours of one face.
struct FaceStyle {
    COLORREF fill;    // body of the button
    COLORREF light;   // highlight line along the top
    COLORREF outline; // 1-pixel border
    COLORREF text;    // label and mark
    int shift;        // label offset in pixels (pressed look)
};

const FaceStyle kStyles[kButtonFaces] = {
    {RGB(66, 120, 190), RGB(120, 165, 220), RGB(30, 70, 130), RGB(255, 255, 255), 0},
    {RGB(96, 150, 220), RGB(150, 195, 240), RGB(30, 70, 130), RGB(255, 255, 255), 0},
    {RGB(40, 90, 150), RGB(40, 90, 150), RGB(20, 50, 100), RGB(230, 235, 240), 1},
    {RGB(185, 188, 192), RGB(205, 208, 212), RGB(140, 142, 146), RGB(120, 122, 126), 0},
};

// Draws one face at horizontal offset left.
void DrawFace(Canvas& c, int left, const FaceStyle& st, const char* label, Mark mark) {
    RECT body = {left + 1, 1, left + kFaceWidth - 1, kFaceHeight - 1};
    c.RoundBox(body, 8, st.fill, st.outline);
    RECT light = {left + 5, 3, left + kFaceWidth - 5, 4};
    c.Fill(light, st.light);

    int textW = Canvas::TextWidth(label, 1);
    int markW = mark == Mark::Arrow ? 8 : 0;
    int x = left + (kFaceWidth - textW - markW) / 2 + st.shift;
    int y = (kFaceHeight - 7) / 2 + st.shift;
    c.Text(x, y, label, 1, st.text);
    if (mark == Mark::Arrow) {
        int ax = x + textW + 4;
        POINT tri[3] = {{ax, y}, {ax + 4, y + 3}, {ax, y + 7}};
        c.Polygon(tri, 3, st.text);
    }
}

} // namespace

tsi::Image MakeButton(const char* label, Mark mark) {
    Canvas c(kButtonFaces * kFaceWidth, kFaceHeight);
    RECT all = {0, 0, c.Width(), c.Height()};
    c.Fill(all, kButtonKey);
    for (int i = 0; i < kButtonFaces; ++i)
        DrawFace(c, i * kFaceWidth, kStyles[i], label, mark);
    return c.ToImage(kButtonFaces, true, kButtonKey);
}

} // namespace art
