// CTsAvatar and the anonymous silhouette.
#include "TsAvatar.h"

#include "AvatarFigure.h"
#include "AvtrId.h"

namespace {

// Background of a composed figure that is to be left out: the figure is
// kept off this colour by AvoidColour.
const COLORREF kKeyColour = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// Draws a look in the w x h box, keyed or on white.
int DrawLook(HDC hdc, int x, int y, int w, int h, const avatar::Look& look, bool transparent) {
    if (transparent)
        return avatar::ComposeFigure(hdc, x, y, w, h, look, kKeyColour, true, kKeyColour);
    return avatar::ComposeFigure(hdc, x, y, w, h, look, kWhite, false, 0);
}

} // namespace

CTsAvatar::CTsAvatar()
    : m_hWnd(nullptr), m_bReady(0), m_nHash(0), m_nArgs(), m_nWidth(kWidth), m_nHeight(kHeight) {}

void CTsAvatar::SetBoxSize(int nWidth, int nHeight) {
    if (nWidth < 1 || nHeight < 1)
        return;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
}

// Readiness is immediate (the look needs nothing from outside); the posted
// message keeps the owner's protocol of learning of it through its queue.
int CTsAvatar::Create(const char* avatarText, int a1, int a2, int a3, int a4, int a5, int a6) {
    CAvtrId id;
    m_bReady = id.Set(avatarText, false);
    m_nHash = id.GetHash();
    int args[6] = {a1, a2, a3, a4, a5, a6};
    for (int i = 0; i < 6; ++i)
        m_nArgs[i] = args[i];
    if (m_bReady && m_hWnd != nullptr)
        PostMessageA(m_hWnd, WM_TSAVATAR_READY, 0, 0);
    return m_bReady;
}

int CTsAvatar::CreateEx(const char* avatarText, int a1, int a2, int a3, int a4, int a5, int a6) {
    m_bReady = 0;
    return Create(avatarText, a1, a2, a3, a4, a5, a6);
}

int CTsAvatar::Draw(HDC hdc, int x, int y, int flags) {
    if (!m_bReady)
        return 0;
    return DrawLook(hdc, x, y, m_nWidth, m_nHeight, avatar::LookFromHash(m_nHash),
                    (flags & TSAVATAR_TRANSPARENT) != 0);
}

// The silhouette, then an optional grey outline of the box.
int DrawAnonymousAvatar(HDC hdc, int x, int y, int flags) {
    if (hdc == nullptr)
        return 0;
    int ok = DrawLook(hdc, x, y, CTsAvatar::kWidth, CTsAvatar::kHeight, avatar::AnonymousLook(),
                      (flags & TSAVATAR_TRANSPARENT) != 0);
    if (ok && (flags & TSAVATAR_FRAME)) {
        HBRUSH frame = CreateSolidBrush(RGB(150, 150, 150));
        RECT rc = {x, y, x + CTsAvatar::kWidth, y + CTsAvatar::kHeight};
        FrameRect(hdc, &rc, frame);
        DeleteObject(frame);
    }
    return ok;
}
