// The channel-information picture behind the member panel.
#include "Art.h"

#include "Canvas.h"

namespace art {

// Layout follows the member panel: the avatar box at (21, 37) of 100 x 120,
// the name line at (127, 42)-(315, 58), three text rows from y 88, 16 high.
tsi::Image MakeInfoPanel() {
    Canvas c(kInfoWidth, kInfoHeight);
    RECT all = {0, 0, kInfoWidth, kInfoHeight};
    c.Fill(all, RGB(150, 170, 200));
    RECT inner = {1, 1, kInfoWidth - 1, kInfoHeight - 1};
    c.Fill(inner, RGB(246, 248, 252));

    // Title band: a soft vertical gradient.
    for (int y = 1; y < 26; ++y) {
        int t = 225 + (y * 20) / 26;
        RECT line = {1, y, kInfoWidth - 1, y + 1};
        c.Fill(line, RGB(t - 20, t - 8, 255));
    }
    RECT rule = {1, 26, kInfoWidth - 1, 27};
    c.Fill(rule, RGB(150, 170, 200));
    c.Text(10, 10, "INFO", 1, RGB(60, 80, 120));

    // Avatar place: a framed white box two pixels round the avatar.
    RECT avatar = {19, 35, 123, 159};
    c.RoundBox(avatar, 6, RGB(255, 255, 255), RGB(190, 200, 215));

    // Name plate and the three guide lines of the title texts.
    RECT name = {127, 40, 315, 60};
    c.RoundBox(name, 6, RGB(235, 240, 248), RGB(200, 210, 225));
    for (int row = 0; row < 3; ++row) {
        RECT guide = {135, 103 + row * 16, 320, 104 + row * 16};
        c.Fill(guide, RGB(225, 230, 238));
    }
    return c.ToImage(1, false, 0);
}

} // namespace art
