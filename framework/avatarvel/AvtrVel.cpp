// CAvtrVel: id-derived avatar with a grade badge in a 150 x 180 box.
#include "AvtrVel.h"

#include <cstring>
#include <string>

#include "AvatarFigure.h"

namespace {

const COLORREF kKeyColour = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
// Box of the figure inside the 150 x 180 box; the badge sits below it.
const int kFigureLeft = 25;
const int kFigureTop = 10;
const int kFigureWidth = 100;
const int kFigureHeight = 140;

// Badge colour of a grade code character; grey when there is no grade.
COLORREF GradeColour(char grade) {
    if (grade == '\0')
        return RGB(160, 160, 160);
    std::uint32_t h = avatar::HashText(std::string(1, grade).c_str(), 0x67726164u);
    return RGB(60 + h % 150, 60 + (h >> 8) % 150, 60 + (h >> 16) % 150);
}

// What DrawScene paints: the avatar's hash and grade.
struct Scene {
    std::uint32_t hash; // hash of the avatar text
    char grade;         // first character of the grade code, or 0
};

// Draws the figure and a grade badge into the box at (0, 0) of hdc; the
// figure stays off kKeyColour so that a keyed copy leaves only the box out.
void DrawScene(HDC hdc, int, int, const void* ctx) {
    const Scene& scene = *static_cast<const Scene*>(ctx);
    avatar::Look look = avatar::LookFromHash(scene.hash);
    avatar::AvoidColour(look, kKeyColour);
    avatar::DrawFigure(hdc, kFigureLeft, kFigureTop, kFigureWidth, kFigureHeight, look);
    HBRUSH badge = CreateSolidBrush(GradeColour(scene.grade));
    HGDIOBJ oldBrush = SelectObject(hdc, badge);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(BLACK_PEN));
    RoundRect(hdc, 55, 154, 95, 176, 8, 8);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(badge);
}

} // namespace

CAvtrVel::CAvtrVel() : m_bCreated(0), m_nHash(0), m_cGrade('\0'), m_nArgs() {}

int CAvtrVel::Create(const char* grade, const char* avatarText, int a1, int a2, int a3, int a4) {
    std::string text;
    if (avatarText != nullptr)
        text.assign(avatarText, strnlen(avatarText, kMaxText));
    m_bCreated = !text.empty();
    m_nHash = avatar::HashText(text.c_str(), 0);
    m_cGrade = (grade != nullptr) ? grade[0] : '\0';
    int args[4] = {a1, a2, a3, a4};
    for (int i = 0; i < 4; ++i)
        m_nArgs[i] = args[i];
    return m_bCreated;
}

// Composes off-screen on white, or on the key colour that is then left out.
int CAvtrVel::Draw(HDC hdc, int x, int y, int flags) {
    if (!m_bCreated)
        return 0;
    bool transparent = (flags & AVTRVEL_TRANSPARENT) != 0;
    Scene scene = {m_nHash, m_cGrade};
    return avatar::Compose(hdc, x, y, kWidth, kHeight, transparent ? kKeyColour : kWhite,
                           transparent, kKeyColour, DrawScene, &scene);
}
