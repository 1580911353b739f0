// The channel-information picture behind the member panel.
#include "Art.h"

#include <algorithm>

#include "Canvas.h"

namespace art {

// The avatar place is a framed white box two pixels round the avatar (its
// right side kept clear of title rows that start right beside it); the
// name plate frames the name line; a guide line runs under each of the
// three title rows, from the text (but clear of the avatar place) to near
// the right edge.
tsi::Image MakeInfoPanel(const PanelLayout& layout) {
    const int w = layout.width;
    const int h = layout.height;
    Canvas c(w, h);
    RECT all = {0, 0, w, h};
    c.Fill(all, RGB(150, 170, 200));
    RECT inner = {1, 1, w - 1, h - 1};
    c.Fill(inner, RGB(246, 248, 252));

    // Title band: a soft vertical gradient.
    for (int y = 1; y < 26; ++y) {
        int t = 225 + (y * 20) / 26;
        RECT line = {1, y, w - 1, y + 1};
        c.Fill(line, RGB(t - 20, t - 8, 255));
    }
    RECT rule = {1, 26, w - 1, 27};
    c.Fill(rule, RGB(150, 170, 200));
    c.Text(10, 10, "INFO", 1, RGB(60, 80, 120));

    RECT avatar = {layout.avatar.left - 2, layout.avatar.top - 2,
                   std::min(static_cast<int>(layout.avatar.right) + 2, layout.infoX - 2),
                   layout.avatar.bottom + 2};
    c.RoundBox(avatar, 6, RGB(255, 255, 255), RGB(190, 200, 215));

    RECT name = {layout.name.left, layout.name.top - 2, layout.name.right, layout.name.bottom + 2};
    c.RoundBox(name, 6, RGB(235, 240, 248), RGB(200, 210, 225));
    const int guideLeft = std::max(layout.infoX - 22, static_cast<int>(avatar.right) + 4);
    for (int row = 0; row < 3; ++row) {
        const int y = layout.infoY + 15 + row * 16;
        RECT guide = {guideLeft, y, w - 15, y + 1};
        c.Fill(guide, RGB(225, 230, 238));
    }
    return c.ToImage(1, false, 0);
}

} // namespace art
