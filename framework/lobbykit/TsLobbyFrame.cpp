// CTsLobbyFrame: the host's lobby frame with its two children, splash, ad
// strip and close handling.
#include "TsLobbyFrame.h"
#include "TsChildWnd.h"
#include "TsLobbyMsg.h"
#include "TsLobbyObserver.h"

// Control id of the ad view in the strip.
static const UINT kIdAdView = 3;
// Header band given to the children unless the host sets another.
static const int kDefaultHeaderTop = 24;
static const int kDefaultHeaderHeight = 30;

BEGIN_MESSAGE_MAP(CTsLobbyFrame, CWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

CTsLobbyFrame::CTsLobbyFrame()
    : m_nHeaderTop(kDefaultHeaderTop), m_nHeaderHeight(kDefaultHeaderHeight), m_bUseRating(0),
      m_hChannelNameWnd(NULL), m_pChild(NULL), m_pObserver(NULL), m_nActiveChild(0),
      m_bButtonsEnabled(1), m_sizeChild(0, 0) {}

CTsLobbyFrame::~CTsLobbyFrame() {
    if (m_hWnd != NULL) {
        DestroyWindow();
    }
}

// A non-resizable top-level window sized so that its client area
// holds the children and the ad strip; then the lobby child and the ad view.
int CTsLobbyFrame::CreateFrame(LPCSTR lpszTitle, int cxChild, int cyChild, DWORD dwStyle) {
    if (m_hWnd != NULL || cxChild <= 0 || cyChild <= 0) {
        return 0;
    }
    m_sizeChild = CSize(cxChild, cyChild);
    if (dwStyle == 0) {
        dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    }
    dwStyle |= WS_CLIPCHILDREN;
    CRect rcWindow(0, 0, cxChild, cyChild + TS_FRAME_ADSTRIP);
    ::AdjustWindowRectEx(&rcWindow, dwStyle, FALSE, 0);
    LPCSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    if (!CWnd::CreateEx(0, lpszClass, lpszTitle != NULL ? lpszTitle : "", dwStyle, 40, 40,
                        rcWindow.Width(), rcWindow.Height(), NULL, NULL)) {
        return 0;
    }
    CRect rcChild;
    GetChildRect(&rcChild);
    if (!m_wndLobby.Create(this, rcChild)) {
        return 0;
    }
    m_hChannelNameWnd = m_wndLobby.GetSafeHwnd();
    CRect rcAd(2, cyChild + 2, cxChild - 2, cyChild + TS_FRAME_ADSTRIP - 2);
    m_wndAd.Create(NULL, NULL, WS_CHILD, rcAd, this, kIdAdView, NULL);
    return 1;
}

int CTsLobbyFrame::AttachChild(CTsChildWnd* pChild, DWORD dwStyle, UINT nExtra) {
    if (pChild == NULL || m_hWnd == NULL) {
        return 0;
    }
    m_pChild = pChild;
    pChild->m_pFrameWnd = this;
    pChild->m_nHeaderTop = m_nHeaderTop;
    pChild->m_nHeaderHeight = m_nHeaderHeight;
    return pChild->Create(dwStyle, TS_CHILD_CHANNELLIST, this, nExtra);
}

void CTsLobbyFrame::DetachChild() {
    if (m_pChild != NULL && m_pChild->m_pFrameWnd == this) {
        m_pChild->m_pFrameWnd = NULL;
    }
    m_pChild = NULL;
    if (m_nActiveChild == 1) {
        m_nActiveChild = 0;
    }
}

void CTsLobbyFrame::GetChildRect(LPRECT lpRect) const {
    if (lpRect != NULL) {
        ::SetRect(lpRect, 0, 0, m_sizeChild.cx, m_sizeChild.cy);
    }
}

LRESULT CTsLobbyFrame::Activate(WPARAM wParam, __tag_GameString* pRecord) {
    if (m_pChild == NULL || m_pChild->GetSafeHwnd() == NULL) {
        return 0;
    }
    const WPARAM kStart = TSACT_EX | TSACT_ON;
    LPARAM lParam = (wParam & kStart) == kStart ? (LPARAM)pRecord : 0;
    return m_pChild->SendMessage(WM_TS_SETACTIVEWINDOW, wParam, lParam);
}

// Switches the child in front. Child 1 hears of it by a posted activation
// message (TSACT_ON when it comes to the front, 0 when it leaves), which
// arrives after the handler that asked for the switch has returned.
int CTsLobbyFrame::ActivateChildWindow(int nWhich, CTsChildWnd* pFrom) {
    if (nWhich != 1 && nWhich != 2) {
        return 0;
    }
    int nBefore = m_nActiveChild;
    HWND hChild = m_pChild != NULL ? m_pChild->GetSafeHwnd() : NULL;
    if (nWhich == 2) {
        if (pFrom != NULL) {
            m_wndLobby.SetJoin(pFrom->m_hJoinWnd, pFrom->m_strJoinUrl, pFrom->m_strGroupParam,
                               pFrom->m_nJoinChannel);
        }
        m_nActiveChild = 2;
        if (m_pObserver != NULL) {
            m_pObserver->OnChildActivated(2, m_wndLobby.m_hJoinWnd, m_wndLobby.m_strJoinUrl,
                                          m_wndLobby.m_strGroupParam, m_wndLobby.m_nJoinChannel);
        }
        m_wndLobby.ShowWindow(SW_SHOW);
        if (hChild != NULL) {
            ::ShowWindow(hChild, SW_HIDE);
            if (nBefore == 1) {
                ::PostMessage(hChild, WM_TS_SETACTIVEWINDOW, 0, 0);
            }
        }
    } else {
        m_nActiveChild = 1;
        if (m_pObserver != NULL) {
            m_pObserver->OnChildActivated(1, NULL, NULL, NULL, -2);
        }
        m_wndLobby.ShowWindow(SW_HIDE);
        if (hChild != NULL) {
            ::ShowWindow(hChild, SW_SHOW);
            if (nBefore != 1) {
                ::PostMessage(hChild, WM_TS_SETACTIVEWINDOW, TSACT_ON, 0);
            }
        }
    }
    return 1;
}

// Child 1 came to the front (its DoExActive/DoActive with 1) or left it.
void CTsLobbyFrame::OnChildActivation(CTsChildWnd* pChild, int bActive) {
    if (pChild == NULL || pChild != m_pChild) {
        return;
    }
    if (bActive) {
        m_nActiveChild = 1;
        if (m_wndLobby.GetSafeHwnd() != NULL) {
            m_wndLobby.ShowWindow(SW_HIDE);
        }
    } else {
        if (m_nActiveChild == 1)
            m_nActiveChild = 0;
        // A progress splash belongs to the window it stands over: it goes
        // when that window is hidden, or it would hang over whatever the
        // frame shows next (the lobby, after a join).
        if (m_wndSplash.GetProgressOver() != NULL &&
            m_wndSplash.GetProgressOver() == pChild->GetSafeHwnd())
            m_wndSplash.Hide();
    }
}

// Flag TSSPLASH_PROGRESS centres a progress splash over pWnd, anything else
// a plain notice over the frame.
void CTsLobbyFrame::ShowSplash(LPCSTR lpszText, int nFlag, CWnd* pWnd) {
    int bProgress = nFlag == TSSPLASH_PROGRESS;
    m_wndSplash.Show(this, bProgress ? pWnd : this, lpszText, bProgress);
    if (m_pObserver != NULL) {
        m_pObserver->OnSplashShown(lpszText != NULL ? lpszText : "", nFlag,
                                   pWnd != NULL ? pWnd->GetSafeHwnd() : NULL);
    }
}

void CTsLobbyFrame::HideSplash() {
    m_wndSplash.Hide();
    if (m_pObserver != NULL) {
        m_pObserver->OnSplashHidden();
    }
}

// The frame's buttons are its close and minimise commands.
void CTsLobbyFrame::ControlButton(int bEnable) {
    m_bButtonsEnabled = bEnable ? 1 : 0;
    if (m_hWnd != NULL) {
        HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
        UINT nFlags = MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED);
        if (hMenu != NULL) {
            ::EnableMenuItem(hMenu, SC_CLOSE, nFlags);
            ::EnableMenuItem(hMenu, SC_MINIMIZE, nFlags);
        }
    }
    if (m_pObserver != NULL) {
        m_pObserver->OnControlButton(m_bButtonsEnabled);
    }
}

void CTsLobbyFrame::ShowAdHtmlView(LPCSTR lpszAddress) {
    int bShow = lpszAddress != NULL && lpszAddress[0] != '\0';
    if (m_wndAd.GetSafeHwnd() != NULL) {
        m_wndAd.Navigate(bShow ? lpszAddress : NULL);
        m_wndAd.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
    if (m_pObserver != NULL) {
        m_pObserver->OnAdView(bShow ? lpszAddress : NULL);
    }
}

// Own answer: that child is in front and the frame is its thread's active
// window.
int CTsLobbyFrame::IsActiveWindow(int nWhich) {
    int nAnswer = m_hWnd != NULL && nWhich == m_nActiveChild && ::GetActiveWindow() == m_hWnd;
    return m_pObserver != NULL ? m_pObserver->AnswerIsActiveWindow(nWhich, nAnswer) : nAnswer;
}

int CTsLobbyFrame::CheckConfidenceMemory() {
    return m_pObserver != NULL ? m_pObserver->AnswerCheckConfidenceMemory(1) : 1;
}

void CTsLobbyFrame::CloseBoxClicked(int nReason) {
    if (m_pObserver != NULL) {
        m_pObserver->OnCloseBox(nReason);
    }
    if (m_hWnd != NULL) {
        SendMessage(WM_CLOSE, 0, 0);
    }
}

// WM_CLOSE: the observer decides; without one the frame goes.
void CTsLobbyFrame::OnClose() {
    if (m_pObserver == NULL || m_pObserver->OnFrameClose()) {
        DestroyWindow();
    }
}

void CTsLobbyFrame::OnDestroy() {
    m_wndSplash.Hide();
    m_hChannelNameWnd = NULL;
    CWnd::OnDestroy();
}

// The ad strip's background and a separating line above it.
void CTsLobbyFrame::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CRect rcStrip(0, m_sizeChild.cy, rc.right, rc.bottom);
    dc.FillSolidRect(&rcStrip, RGB(214, 218, 226));
    dc.FillSolidRect(0, m_sizeChild.cy, rc.right, 1, RGB(120, 128, 150));
}
