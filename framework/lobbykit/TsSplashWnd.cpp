// CTsSplashWnd: the frame's splash pop-up.
#include "TsSplashWnd.h"

// Size of the splash.
static const int kSplashWidth = 340;
static const int kSplashHeight = 64;
// Timer moving the progress bar, and its period.
static const UINT_PTR kTimerProgress = 1;
static const UINT kProgressPeriod = 120;

BEGIN_MESSAGE_MAP(CTsSplashWnd, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CTsSplashWnd::CTsSplashWnd() : m_bProgress(0), m_nStep(0), m_hProgressOver(NULL) {}

CTsSplashWnd::~CTsSplashWnd() {}

// Creates the pop-up on first use (owned by pOwner, so it stays above it and
// goes with it), then places it over pOver and shows it without activating.
int CTsSplashWnd::Show(CWnd* pOwner, CWnd* pOver, LPCSTR lpszText, int bProgress) {
    if (m_hWnd == NULL) {
        if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL) {
            return 0;
        }
        LPCSTR lpszClass =
            AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_WAIT), (HBRUSH)(COLOR_INFOBK + 1), NULL);
        if (!CWnd::CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP | WS_BORDER, 0, 0,
                            kSplashWidth, kSplashHeight, pOwner->GetSafeHwnd(), NULL)) {
            return 0;
        }
    }
    m_strText = lpszText != NULL ? lpszText : "";
    m_bProgress = bProgress ? 1 : 0;
    m_nStep = 0;
    m_hProgressOver = bProgress && pOver != NULL ? pOver->GetSafeHwnd() : NULL;
    CRect rcOver;
    CWnd* pPlace = (pOver != NULL && pOver->GetSafeHwnd() != NULL) ? pOver : pOwner;
    if (pPlace != NULL && pPlace->GetSafeHwnd() != NULL) {
        pPlace->GetWindowRect(&rcOver);
    }
    CPoint ptCentre = rcOver.CenterPoint();
    SetWindowPos(&CWnd::wndTop, ptCentre.x - kSplashWidth / 2, ptCentre.y - kSplashHeight / 2,
                 kSplashWidth, kSplashHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    KillTimer(kTimerProgress);
    if (m_bProgress) {
        SetTimer(kTimerProgress, kProgressPeriod, NULL);
    }
    Invalidate();
    return 1;
}

void CTsSplashWnd::Hide() {
    m_strText.Empty();
    m_hProgressOver = NULL;
    if (m_hWnd != NULL) {
        KillTimer(kTimerProgress);
        ShowWindow(SW_HIDE);
    }
}

CString CTsSplashWnd::GetText() const {
    return m_strText;
}

// The text centred; a progress splash adds a block running along the
// bottom edge.
void CTsSplashWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_INFOBK));
    CRect rcText(rc.left + 8, rc.top, rc.right - 8, rc.bottom - (m_bProgress ? 12 : 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    dc.DrawText(m_strText, &rcText,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (m_bProgress) {
        int nTrack = rc.Width() - 16 - 40;
        int x = 8 + (nTrack > 0 ? (m_nStep * 8) % nTrack : 0);
        dc.FillSolidRect(8, rc.bottom - 10, rc.Width() - 16, 4, RGB(200, 200, 200));
        dc.FillSolidRect(x, rc.bottom - 10, 40, 4, RGB(58, 86, 142));
    }
}

void CTsSplashWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerProgress) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    m_nStep++;
    Invalidate(FALSE);
}

// A click on the splash does not take the focus from the lobby.
int CTsSplashWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}
