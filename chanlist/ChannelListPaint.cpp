// CTsChannelListWnd: painting of the window and of the member panel.
#include "ChannelListWnd.h"

// Position of the gold panel.
static const int kGoldX = 159;
static const int kGoldY = 38;

void CTsChannelListWnd::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
}

// Paints the window's fixed layout. Only the frame, the background and the
// gold panel are built yet; the picture, the member panel and the total
// line are not.
void CTsChannelListWnd::Draw(CDC* pDC) {
    CTsChildWnd::Draw(pDC);
    FrameBackgroundDraw(pDC);
    DrawGold19(pDC, kGoldX, kGoldY);
}

// The member panel. Not built yet: draws nothing.
void CTsChannelListWnd::DrawMemberInfo(CDC* pDC) {
    UNUSED_ALWAYS(pDC);
}

// WM_USER+35: the avatar reported ready.
LRESULT CTsChannelListWnd::OnMsgFromChannelAvatarReady(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    m_bAvatarReady = 1;
    return 0;
}

// WM_USER+36 and TIMER_AVATAR: redraws the avatar box. Not built yet:
// draws nothing.
LRESULT CTsChannelListWnd::OnMsgRedrawAvatar(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    return 0;
}
