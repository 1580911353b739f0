// CTsAvatar: a member's avatar that becomes ready after Create and tells its
// owner window so with WM_USER+35; drawn from the avatar text in a box of
// its own size, 100 x 120 unless the site gives it another (SetBoxSize).
// DrawAnonymousAvatar draws the neutral silhouette shown in its place while
// no avatar is ready.
#pragma once

#include <windows.h>

#include "AvatarKitApi.h"

// Posted to the owner window (wParam 0, lParam 0) when an avatar is ready.
const UINT WM_TSAVATAR_READY = WM_USER + 35;

// Draw flags of CTsAvatar::Draw and DrawAnonymousAvatar.
const int TSAVATAR_TRANSPARENT = 0x1; // leave the box background as it is
const int TSAVATAR_FRAME = 0x2;       // outline the box (anonymous only)

class AVATARKIT_API CTsAvatar {
public:
    // Avatar type of a normal avatar; 0 while none is created.
    enum : int { kTypeNormal = 1 };
    // The usual box.
    enum : int { kWidth = 100 };
    enum : int { kHeight = 120 };

    CTsAvatar();

    // The window told by WM_USER+35 when the avatar is ready; may be null.
    void SetWindowHandle(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetWindowHandle() const { return m_hWnd; }

    // Takes the avatar text (cut to 200 bytes); the six numbers are kept
    // and do not change the picture. The avatar is ready when Create
    // returns; if a window handle is set, Create then posts WM_USER+35 to
    // it, so the owner learns of it when it next pumps messages. Returns 0,
    // not ready and posting nothing, for a null or empty text.
    int Create(const char* avatarText, int a1, int a2, int a3, int a4, int a5, int a6);

    // Creates again from scratch, exactly as Create.
    int CreateEx(const char* avatarText, int a1, int a2, int a3, int a4, int a5, int a6);

    int IsReady() const { return m_bReady; }
    int GetAvatarType() const { return m_bReady ? kTypeNormal : 0; }
    // The avatar's box; the figure is scaled to fill it. Sizes below 1
    // pixel are ignored.
    void SetBoxSize(int nWidth, int nHeight);
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // Draws the avatar in its box with the top-left corner at (x, y): with
    // TSAVATAR_TRANSPARENT only the figure, otherwise the figure on a white
    // box. Returns 0 when not ready.
    int Draw(HDC hdc, int x, int y, int flags);

private:
    HWND m_hWnd;          // owner told of readiness, or null
    int m_bReady;         // non-zero after a successful Create
    unsigned int m_nHash; // hash of the avatar text, source of the look
    int m_nArgs[6];       // Create's extra arguments, kept
    int m_nWidth;         // the box, kWidth x kHeight unless set
    int m_nHeight;
};

// Draws a grey anonymous silhouette in a 100 x 120 box at (x, y).
// flags: TSAVATAR_TRANSPARENT keeps the background (else a white box),
// TSAVATAR_FRAME outlines the box. Returns 0 for a null DC.
AVATARKIT_API int DrawAnonymousAvatar(HDC hdc, int x, int y, int flags);
