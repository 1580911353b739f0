// Avatar figure: look from hash, GDI drawing, off-screen composition.
#include "AvatarFigure.h"

#include "TsKeyedBlt.h"

namespace avatar {

namespace {

const COLORREF kSkins[] = {RGB(255, 224, 189), RGB(241, 194, 125), RGB(198, 134, 66),
                           RGB(141, 85, 36)};
const COLORREF kHairs[] = {RGB(40, 30, 20),  RGB(110, 70, 30), RGB(200, 160, 60),
                           RGB(160, 50, 30), RGB(90, 90, 100), RGB(30, 60, 120)};
const COLORREF kTrousers[] = {RGB(40, 50, 90), RGB(70, 70, 70), RGB(110, 80, 50), RGB(30, 90, 60),
                              RGB(120, 40, 60)};

// One colour channel in 40..215: never black, white or a pure primary.
int Channel(std::uint32_t bits) {
    return 40 + int(bits % 176);
}

// Maps design coordinates (100 x 120 box) to the real box.
struct Scale {
    int x, y, w, h; // the box on the device
    int X(int v) const { return x + MulDiv(v, w, 100); }
    int Y(int v) const { return y + MulDiv(v, h, 120); }
};

// Draws an ellipse or rectangle in design coordinates with the current pen
// and the given brush colour.
void Shape(HDC hdc, const Scale& s, bool ellipse, int l, int t, int r, int b, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ old = SelectObject(hdc, brush);
    if (ellipse)
        Ellipse(hdc, s.X(l), s.Y(t), s.X(r), s.Y(b));
    else
        Rectangle(hdc, s.X(l), s.Y(t), s.X(r), s.Y(b));
    SelectObject(hdc, old);
    DeleteObject(brush);
}

} // namespace

std::uint32_t HashText(const char* text, std::uint32_t seed) {
    std::uint32_t h = 2166136261u ^ seed;
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        h ^= (unsigned char)*p;
        h *= 16777619u;
    }
    // Final avalanche so that neighbouring ids differ in every field.
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    return h;
}

Look LookFromHash(std::uint32_t hash) {
    Look look;
    look.skin = kSkins[hash % 4];
    look.hair = kHairs[(hash >> 2) % 6];
    look.trousers = kTrousers[(hash >> 5) % 5];
    look.hairStyle = int((hash >> 8) % 3);
    look.hat = ((hash >> 10) & 3) == 0;
    look.shirt = RGB(Channel(hash >> 12), Channel(hash >> 18), Channel(hash * 2654435761u >> 24));
    look.outline = RGB(50, 50, 50);
    return look;
}

Look AnonymousLook() {
    Look look;
    look.skin = look.hair = look.shirt = look.trousers = RGB(170, 170, 170);
    look.outline = RGB(120, 120, 120);
    look.hairStyle = 0;
    look.hat = false;
    return look;
}

void AvoidColour(Look& look, COLORREF clrAvoid) {
    COLORREF* colours[] = {&look.skin, &look.hair, &look.shirt, &look.trousers, &look.outline};
    for (COLORREF* c : colours) {
        if ((*c & 0x00FFFFFF) == (clrAvoid & 0x00FFFFFF)) {
            int r = GetRValue(*c);
            *c = RGB(r > 0 ? r - 1 : 1, GetGValue(*c), GetBValue(*c));
        }
    }
}

// Legs, arms, body, hands, head, hair, face and an optional hat, back to
// front, clipped to the box.
void DrawFigure(HDC hdc, int x, int y, int w, int h, const Look& look) {
    if (w <= 0 || h <= 0)
        return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, x, y, x + w, y + h);
    HPEN pen = CreatePen(PS_SOLID, 1, look.outline);
    SelectObject(hdc, pen);
    Scale s = {x, y, w, h};

    Shape(hdc, s, false, 32, 88, 49, 116, look.trousers);
    Shape(hdc, s, false, 51, 88, 68, 116, look.trousers);
    Shape(hdc, s, false, 14, 56, 27, 86, look.shirt);
    Shape(hdc, s, false, 73, 56, 86, 86, look.shirt);
    Shape(hdc, s, false, 26, 52, 74, 92, look.shirt);
    Shape(hdc, s, true, 13, 84, 27, 96, look.skin);
    Shape(hdc, s, true, 73, 84, 87, 96, look.skin);
    if (look.hairStyle == 1)
        Shape(hdc, s, false, 30, 18, 70, 50, look.hair);
    Shape(hdc, s, true, 32, 14, 68, 52, look.skin);
    switch (look.hairStyle) {
    case 0:
        Shape(hdc, s, false, 33, 12, 67, 24, look.hair);
        break;
    case 1:
        Shape(hdc, s, true, 30, 10, 70, 28, look.hair);
        break;
    default:
        Shape(hdc, s, true, 30, 8, 44, 24, look.hair);
        Shape(hdc, s, true, 43, 5, 57, 22, look.hair);
        Shape(hdc, s, true, 56, 8, 70, 24, look.hair);
        break;
    }
    Shape(hdc, s, true, 41, 29, 46, 35, look.outline);
    Shape(hdc, s, true, 54, 29, 59, 35, look.outline);
    MoveToEx(hdc, s.X(44), s.Y(43), nullptr);
    LineTo(hdc, s.X(57), s.Y(43));
    if (look.hat) {
        Shape(hdc, s, false, 26, 14, 74, 19, look.hair);
        Shape(hdc, s, false, 35, 2, 65, 15, look.shirt);
    }
    RestoreDC(hdc, saved);
    DeleteObject(pen);
}

// Off-screen so that a keyed copy can leave the background out and so that
// the destination only ever changes inside the box.
int Compose(HDC hdc, int x, int y, int w, int h, COLORREF clrBack, bool bKeyed, COLORREF clrKey,
            PaintFn paint, const void* ctx) {
    if (hdc == nullptr || w <= 0 || h <= 0)
        return 0;
    HDC hdcMem = CreateCompatibleDC(hdc);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, w, h);
    int ok = 0;
    if (hdcMem != nullptr && hbm != nullptr) {
        HGDIOBJ oldBmp = SelectObject(hdcMem, hbm);
        HBRUSH back = CreateSolidBrush(clrBack);
        RECT rc = {0, 0, w, h};
        FillRect(hdcMem, &rc, back);
        DeleteObject(back);
        paint(hdcMem, w, h, ctx);
        if (bKeyed)
            ok = TsKeyedBlt(hdc, x, y, w, h, hdcMem, 0, 0, clrKey);
        else
            ok = BitBlt(hdc, x, y, w, h, hdcMem, 0, 0, SRCCOPY) ? 1 : 0;
        SelectObject(hdcMem, oldBmp);
    }
    if (hbm != nullptr)
        DeleteObject(hbm);
    if (hdcMem != nullptr)
        DeleteDC(hdcMem);
    return ok;
}

int ComposeFigure(HDC hdc, int x, int y, int w, int h, const Look& look, COLORREF clrBack,
                  bool bKeyed, COLORREF clrKey) {
    Look drawn = look;
    if (bKeyed)
        AvoidColour(drawn, clrKey);
    PaintFn paint = [](HDC dc, int pw, int ph, const void* ctx) {
        DrawFigure(dc, 0, 0, pw, ph, *static_cast<const Look*>(ctx));
    };
    return Compose(hdc, x, y, w, h, clrBack, bKeyed, clrKey, paint, &drawn);
}

} // namespace avatar
