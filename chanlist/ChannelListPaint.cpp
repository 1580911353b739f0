// CTsChannelListWnd: painting of the window and of the member panel.
#include "ChannelListWnd.h"

#include <new>
#include <string.h>
#include <TsGDImage.h>

#include <TsLobbyFrame.h>

#include "TsRegion.h"
#include "resource.h"

// Position of the gold panel.
static const int kGoldX = 159;
static const int kGoldY = 38;

// Where the member panel's parts stand, relative to the panel's top-left
// (its right edge for the right-hand ends): the one table the three
// configurations differ in.
struct TsPanelLayout {
    int nAvatarDX, nAvatarDY;        // avatar box
    int nAvatarWidth, nAvatarHeight; // its size, redrawn off-screen (PanelAvatarSize)
    int nNameDX, nNameRightInset;    // name line: left, and short of the right edge
    UINT nNameFormat;                // DrawText flags of the name
    bool bNickInName;                // "id[nick]" rather than the id alone
    int nInfoDX, nInfoDY;            // first info line
};
static const TsPanelLayout kLayout =
    TsRegion::kJapanese ? TsPanelLayout{47, 47, 100, 120, 164, 0, 0, false, 147, 98}
    : TsRegion::kChinese
        ? TsPanelLayout{21, 37, 150, 180, 167, 20, DT_CENTER | DT_END_ELLIPSIS, true, 197, 88}
        : TsPanelLayout{21, 37, 100, 120, 127, 20, DT_CENTER | DT_END_ELLIPSIS, true, 157, 88};

// The name line's top and height, and the info lines' height.
static const int kNameDY = 42;
static const int kNameHeight = 16;
static const COLORREF kNameColor = RGB(0, 114, 188);
static const int kInfoLineHeight = 16;
// Colour the avatar leaves out when drawing; white fills the box behind it.
static const COLORREF kAvatarKey = 0xFF0000;
static const COLORREF kAvatarBack = 0xFFFFFF;

// The panel avatar's creation and drawing, by avatar class. The Chinese
// avatar takes the member's grade and avatar text and draws its own box;
// the Japanese one is drawn once ready, an anonymous figure until then.
#if defined(PELTORA_REGION_CN)
static void CreatePanelAvatar(CTsPanelAvatar* pAvatar, const CTsMember& member, HWND) {
    char szGrade[sizeof(member.m_szGrade) + 1] = {0};
    memcpy(szGrade, member.m_szGrade, sizeof(member.m_szGrade));
    pAvatar->Create(szGrade, member.m_szAvatar, 0, 1, 0, 1);
}

static void DrawPanelAvatar(CTsPanelAvatar* pAvatar, HDC hdc, int x, int y) {
    pAvatar->Draw(hdc, x, y, 0);
}
#elif defined(PELTORA_REGION_JA)
static void CreatePanelAvatar(CTsPanelAvatar* pAvatar, const CTsMember& member, HWND hWnd) {
    if (hWnd != NULL)
        pAvatar->SetWindowHandle(hWnd);
    pAvatar->Create(member.m_szAvatar, 0, 0, 0, 1, 1, 0);
}

static void DrawPanelAvatar(CTsPanelAvatar* pAvatar, HDC hdc, int x, int y) {
    if (pAvatar->IsReady())
        pAvatar->Draw(hdc, x, y, TSAVATAR_TRANSPARENT);
    else
        DrawAnonymousAvatar(hdc, x, y, TSAVATAR_TRANSPARENT | TSAVATAR_FRAME);
}
#else
static void CreatePanelAvatar(CTsPanelAvatar* pAvatar, const CTsMember& member, HWND) {
    CAvtrId id;
    id.Set(member.m_szAvatar, false);
    pAvatar->Create(id, 0, 1, 0, kAvatarBack);
}

static void DrawPanelAvatar(CTsPanelAvatar* pAvatar, HDC hdc, int x, int y) {
    pAvatar->Draw(hdc, x, y, 0, true, kAvatarKey);
}
#endif

// The box the avatar is redrawn in: a Japanese avatar's own size, else the
// configuration's fixed one.
static CSize PanelAvatarSize(const CTsPanelAvatar* pAvatar) {
#if defined(PELTORA_REGION_JA)
    return CSize(pAvatar->GetWidth(), pAvatar->GetHeight());
#else
    UNUSED_ALWAYS(pAvatar);
    return CSize(kLayout.nAvatarWidth, kLayout.nAvatarHeight);
#endif
}

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
        CRect rcTotal(TsRegion::kTotalLineRect);
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
    if (strNick.IsEmpty() || !kLayout.bNickInName)
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
            CreatePanelAvatar(m_pAvatar, *m_pMember, m_hWnd);
    }
    if (m_pAvatar != NULL)
        DrawPanelAvatar(m_pAvatar, pDC->GetSafeHdc(), nLeft + kLayout.nAvatarDX,
                        nTop + kLayout.nAvatarDY);

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
    CRect rcName(nLeft + kLayout.nNameDX, nTop + kNameDY, nRight - kLayout.nNameRightInset,
                 nTop + kNameDY + kNameHeight);
    pDC->DrawText(strName, &rcName, kLayout.nNameFormat);
    pDC->SetTextColor(clrOld);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);

    // Where the frame decides whether ratings count, the title lines show
    // only on a site that uses them.
    const bool bInfoLines =
        !TsRegion::kRatingBandByFrame || (m_pFrameWnd != NULL && m_pFrameWnd->m_bUseRating);
    pOldFont = pListFont != NULL ? pDC->SelectObject(pListFont) : NULL;
    for (int i = 0; i < 3; ++i) {
        if (!bInfoLines || strLines[i].IsEmpty())
            continue;
        CRect rcLine(nLeft + kLayout.nInfoDX, nTop + kLayout.nInfoDY + i * kInfoLineHeight, nRight,
                     nTop + kLayout.nInfoDY + (i + 1) * kInfoLineHeight);
        pDC->DrawText(strLines[i], &rcLine, 0);
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    fontName.DeleteObject();
}

// WM_USER+35: the avatar reported ready. The Japanese avatar is made here
// when the panel has not made it yet, made again when it is not ready, and
// its part of the panel repainted.
LRESULT CTsChannelListWnd::OnMsgFromChannelAvatarReady(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    m_bAvatarReady = 1;
#if defined(PELTORA_REGION_JA)
    if (m_pAvatar == NULL) {
        m_pAvatar = new (std::nothrow) CTsPanelAvatar;
        if (m_pAvatar == NULL)
            return 0;
        CreatePanelAvatar(m_pAvatar, *m_pMember, NULL);
    }
    if (m_pAvatar->GetAvatarType() != CTsAvatar::kTypeNormal)
        return 0;
    if (!m_pAvatar->IsReady())
        m_pAvatar->CreateEx(m_pMember->m_szAvatar, 0, 0, 0, 1, 1, 0);
    if (IsWindowVisible()) {
        CRect rcAvatar(m_rcMember.left + kLayout.nAvatarDX, m_rcMember.top + kLayout.nAvatarDY,
                       m_rcMember.right, m_rcMember.bottom);
        InvalidateRect(&rcAvatar);
    }
#endif
    return 0;
}

// WM_USER+36 and TIMER_AVATAR: redraws the avatar box alone, straight onto
// the window, without invalidating anything: the box is composed off-screen
// (on white, or for the Japanese avatar on its part of the information
// picture) and copied in one block, so it never flickers. An inactive or
// hidden window, or one that has not made its avatar yet, is left alone; a
// Japanese avatar that is not ready shows the anonymous figure instead.
LRESULT CTsChannelListWnd::OnMsgRedrawAvatar(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    if (!m_bActive || !IsWindowVisible())
        return 0;
    CClientDC dc(this);
    const int x = m_rcMember.left + kLayout.nAvatarDX;
    const int y = m_rcMember.top + kLayout.nAvatarDY;
#if defined(PELTORA_REGION_JA)
    if (m_pAvatar == NULL || !m_pAvatar->IsReady()) {
        DrawAnonymousAvatar(dc.GetSafeHdc(), x, y, TSAVATAR_TRANSPARENT | TSAVATAR_FRAME);
        return 0;
    }
#endif
    if (m_pAvatar == NULL)
        return 0;

    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return 0;
    const CSize sizeBox = PanelAvatarSize(m_pAvatar);
    CBitmap bmpBox;
    if (!bmpBox.CreateCompatibleBitmap(&dc, sizeBox.cx, sizeBox.cy)) {
        dcMem.DeleteDC();
        return 0;
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmpBox);
    CRect rcBox(0, 0, sizeBox.cx, sizeBox.cy);
    dcMem.FillRect(&rcBox, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
#if defined(PELTORA_REGION_JA)
    // The box shows the information picture behind the figure.
    if (m_pInfoImage != NULL)
        m_pInfoImage->Draw(dcMem.GetSafeHdc(), 0, 0, 0, kLayout.nAvatarDX, kLayout.nAvatarDY,
                           sizeBox.cx, sizeBox.cy);
#endif
    DrawPanelAvatar(m_pAvatar, dcMem.GetSafeHdc(), 0, 0);
    dc.BitBlt(x, y, sizeBox.cx, sizeBox.cy, &dcMem, 0, 0, SRCCOPY);
    if (pOldBitmap != NULL)
        dcMem.SelectObject(pOldBitmap);
    bmpBox.DeleteObject();
    dcMem.DeleteDC();
    return 0;
}
