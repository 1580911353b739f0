// CTsChannelListWnd: painting of the window and of the member panel.
#include "ChannelListWnd.h"

#include <new>
#include <string.h>
#include <TsGDImage.h>

#include "resource.h"

// Position of the gold panel.
static const int kGoldX = 159;
static const int kGoldY = 38;

// The avatar box of the member panel, relative to the panel's top-left.
static const int kAvatarDX = 21;
static const int kAvatarDY = 37;
static const int kAvatarWidth = 100;
static const int kAvatarHeight = 120;
// Colour the avatar leaves out when drawing; white fills the box behind it.
static const COLORREF kAvatarKey = 0xFF0000;
static const COLORREF kAvatarBack = 0xFFFFFF;

// The name line, relative to the panel: from (127, 42) to 20 pixels short of
// the panel's right edge, 16 high.
static const int kNameDX = 127;
static const int kNameDY = 42;
static const int kNameRightInset = 20;
static const int kNameHeight = 16;
static const COLORREF kNameColor = RGB(0, 114, 188);

// The three info lines, relative to the panel: from (157, 88) to the panel's
// right edge, 16 high each, one under the other.
static const int kInfoDX = 157;
static const int kInfoDY = 88;
static const int kInfoLineHeight = 16;

// The total users line.
static const RECT kTotalRect = {169, 102, 269, 122};

// The panel avatar's creation and drawing. The Simplified-Chinese avatar
// class takes the avatar text itself and draws its own white box.
#if defined(PELTORA_REGION_CN)
static void CreatePanelAvatar(CTsPanelAvatar* pAvatar, const char* pszAvatar) {
    pAvatar->Create(NULL, pszAvatar, 0, 1, 0, (int)kAvatarBack);
}

static void DrawPanelAvatar(CTsPanelAvatar* pAvatar, HDC hdc, int x, int y) {
    pAvatar->Draw(hdc, x, y, 0);
}
#else
static void CreatePanelAvatar(CTsPanelAvatar* pAvatar, const char* pszAvatar) {
    CAvtrId id;
    id.Set(pszAvatar, false);
    pAvatar->Create(id, 0, 1, 0, kAvatarBack);
}

static void DrawPanelAvatar(CTsPanelAvatar* pAvatar, HDC hdc, int x, int y) {
    pAvatar->Draw(hdc, x, y, 0, true, kAvatarKey);
}
#endif

// A fixed text field of the host's records as a string, never reading past
// the field even when the host left it unterminated.
template <size_t N> static CString FieldText(const char (&szField)[N]) {
    return CString(szField, (int)strnlen(szField, N));
}

void CTsChannelListWnd::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
}

// The frame and background, the information picture under the member
// panel, the panel, the total users line and the gold panel, in this order.
void CTsChannelListWnd::Draw(CDC* pDC) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    CTsChildWnd::Draw(pDC);
    FrameBackgroundDraw(pDC);
    if (m_pInfoImage != NULL)
        m_pInfoImage->Draw(pDC->GetSafeHdc(), m_rcMember.left, m_rcMember.top, 0);
    DrawMemberInfo(pDC);

    if (m_nTotalMembers != 0) {
        CString strTotal;
        strTotal.Format(IDS_TOTAL_MEMBERS, m_nTotalMembers);
        CRect rcTotal(kTotalRect);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CFont* pOldFont =
            m_wndListCtrl.m_pFont != NULL ? pDC->SelectObject(m_wndListCtrl.m_pFont) : NULL;
        pDC->DrawText(strTotal, &rcTotal, 0);
        if (pOldFont != NULL)
            pDC->SelectObject(pOldFont);
        pDC->SetBkMode(nOldMode);
    }

    DrawGold19(pDC, kGoldX, kGoldY);
}

// The member panel: the avatar, the name "id[nick]" in a bold face of the
// list font and three info lines in the list font. A member without an
// avatar id gets no panel at all. Ranking games (category code starting with
// "RNK") show score, rate of wins and ranking; the others money, level and
// rating. The avatar is made at the first paint that needs it and kept until
// the window is deactivated.
void CTsChannelListWnd::DrawMemberInfo(CDC* pDC) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    const CString strAvatar = FieldText(m_pMember->m_szAvatar);
    if (strAvatar.IsEmpty())
        return;

    const CString strId = FieldText(m_pMember->m_szId);
    const CString strNick = FieldText(m_pMember->m_szNick);
    CString strName;
    if (strNick.IsEmpty())
        strName.Format("%s", (LPCSTR)strId);
    else
        strName.Format("%s[%s]", (LPCSTR)strId, (LPCSTR)strNick);

    CString strLines[3];
    if (_strnicmp(m_pGameInfo->m_szGameCode, "RNK", 3) != 0) {
        strLines[0] = m_pTitleInfo->GetMoneyInfo();
        strLines[1] = m_pTitleInfo->GetLevelInfo();
        strLines[2] = m_pTitleInfo->GetRatingInfo();
    } else {
        strLines[0] = m_pTitleInfo->GetScoreInfo();
        strLines[1] = m_pTitleInfo->GetRateOfWinsInfo();
        strLines[2] = m_pTitleInfo->GetRankingInfo();
    }

    const int nLeft = m_rcMember.left;
    const int nTop = m_rcMember.top;
    const int nRight = m_rcMember.right;

    if (m_pAvatar == NULL) {
        m_pAvatar = new (std::nothrow) CTsPanelAvatar;
        if (m_pAvatar != NULL)
            CreatePanelAvatar(m_pAvatar, strAvatar);
    }
    if (m_pAvatar != NULL)
        DrawPanelAvatar(m_pAvatar, pDC->GetSafeHdc(), nLeft + kAvatarDX, nTop + kAvatarDY);

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    // The list font is the container's; it is only borrowed here.
    CFont* pListFont = m_wndListCtrl.m_pFont;
    LOGFONT lfList;
    memset(&lfList, 0, sizeof(lfList));
    if (pListFont != NULL)
        pListFont->GetLogFont(&lfList);
    const int nLogPixelsY = ::GetDeviceCaps(pDC->m_hAttribDC, LOGPIXELSY);
    CFont fontName;
    fontName.CreateFont(-(9 * nLogPixelsY) / 72, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, lfList.lfFaceName);

    CFont* pOldFont = fontName.GetSafeHandle() != NULL ? pDC->SelectObject(&fontName) : NULL;
    const COLORREF clrOld = pDC->SetTextColor(kNameColor);
    CRect rcName(nLeft + kNameDX, nTop + kNameDY, nRight - kNameRightInset,
                 nTop + kNameDY + kNameHeight);
    pDC->DrawText(strName, &rcName, DT_CENTER | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);

    pOldFont = pListFont != NULL ? pDC->SelectObject(pListFont) : NULL;
    for (int i = 0; i < 3; ++i) {
        if (strLines[i].IsEmpty())
            continue;
        CRect rcLine(nLeft + kInfoDX, nTop + kInfoDY + i * kInfoLineHeight, nRight,
                     nTop + kInfoDY + (i + 1) * kInfoLineHeight);
        pDC->DrawText(strLines[i], &rcLine, 0);
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    fontName.DeleteObject();
}

// WM_USER+35: the avatar reported ready.
LRESULT CTsChannelListWnd::OnMsgFromChannelAvatarReady(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    m_bAvatarReady = 1;
    return 0;
}

// WM_USER+36 and TIMER_AVATAR: redraws the avatar box alone, straight onto
// the window, without invalidating anything: the box is composed off-screen
// on white and copied in one block, so it never flickers. An inactive or
// hidden window, or one that has not made its avatar yet, is left alone.
LRESULT CTsChannelListWnd::OnMsgRedrawAvatar(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    if (!m_bActive || !IsWindowVisible())
        return 0;
    CClientDC dc(this);
    if (m_pAvatar == NULL)
        return 0;

    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return 0;
    CBitmap bmpBox;
    if (!bmpBox.CreateCompatibleBitmap(&dc, kAvatarWidth, kAvatarHeight)) {
        dcMem.DeleteDC();
        return 0;
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmpBox);
    CRect rcBox(0, 0, kAvatarWidth, kAvatarHeight);
    dcMem.FillRect(&rcBox, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
    DrawPanelAvatar(m_pAvatar, dcMem.GetSafeHdc(), 0, 0);
    dc.BitBlt(m_rcMember.left + kAvatarDX, m_rcMember.top + kAvatarDY, kAvatarWidth, kAvatarHeight,
              &dcMem, 0, 0, SRCCOPY);
    if (pOldBitmap != NULL)
        dcMem.SelectObject(pOldBitmap);
    bmpBox.DeleteObject();
    dcMem.DeleteDC();
    return 0;
}
