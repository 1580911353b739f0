// CTsChildWnd: construction, creation, activation and the frame's services.
// The client connection lives in TsChildWndSocket.cpp, the frame drawing in
// TsChildWndDraw.cpp.
#include <TstpSocket.h>

#include "TsChildWnd.h"
#include "TsLobbyFrame.h"

BEGIN_MESSAGE_MAP(CTsChildWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_TSTP_SOCKET, OnMsgFromSocket)
END_MESSAGE_MAP()

CTsChildWnd::CTsChildWnd()
    : m_pMember(&m_defMember), m_pCfgSetting(&m_defCfgSetting), m_pGameInfo(&m_defGameInfo),
      m_pGameRecord(&m_defGameRecord), m_pTitleInfo(&m_defTitleInfo), m_pFrameWnd(NULL),
      m_dwOption(0), m_pszRegKey(TS_DEFAULT_REGKEY), m_nHeaderTop(0), m_nHeaderHeight(0),
      m_hJoinWnd(NULL), m_nJoinChannel(-2), m_nServerPort(0), m_bInUse(0), m_dwLastActiveTick(0),
      m_bAvatarReady(0), m_nCreateExtra(0), m_pAliveGuards(NULL), m_bSplashShown(0),
      m_pSocket(NULL), m_nClientSerial(0), m_nPulledError(0) {}

// Every guard still on the stack learns that this object is gone before
// its memory is.
CTsChildWnd::~CTsChildWnd() {
    for (CTsAliveGuard* pGuard = m_pAliveGuards; pGuard != NULL; pGuard = pGuard->m_pOuter) {
        pGuard->m_pWnd = NULL;
    }
    m_pAliveGuards = NULL;
    delete m_pSocket;
    m_pSocket = NULL;
}

int CTsChildWnd::Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra) {
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL) {
        return 0;
    }
    CRect rc;
    if (m_pFrameWnd != NULL && pParentWnd == m_pFrameWnd) {
        m_pFrameWnd->GetChildRect(&rc);
    } else {
        pParentWnd->GetClientRect(&rc);
    }
    m_nCreateExtra = nExtra;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    DWORD dwAll = dwStyle | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CWnd::CreateEx(0, lpszClass, NULL, dwAll, rc, pParentWnd, nID) ? 1 : 0;
}

int CTsChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    return CWnd::OnCreate(lpCreateStruct);
}

// The window goes: so do its connection and any splash it left up.
void CTsChildWnd::OnDestroy() {
    DestroyClient();
    if (IsSplashShown()) {
        OFF_SPLASH();
    }
    CWnd::OnDestroy();
}

// A window that paints nothing of its own shows the frame and background.
void CTsChildWnd::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
    FrameBackgroundDraw(&dc);
}

// Shows or hides the window and tells the frame which child is in front.
static int ApplyActivation(CTsChildWnd* pWnd, int bActive) {
    if (pWnd->GetSafeHwnd() != NULL) {
        pWnd->ShowWindow(bActive ? SW_SHOW : SW_HIDE);
    }
    if (pWnd->m_pFrameWnd != NULL) {
        pWnd->m_pFrameWnd->OnChildActivation(pWnd, bActive);
    }
    return 1;
}

int CTsChildWnd::DoExActive(int bActive) {
    return ApplyActivation(this, bActive);
}

int CTsChildWnd::DoActive(int bActive) {
    return ApplyActivation(this, bActive);
}

// A join URL given elsewhere than in m_strJoinUrl is taken over first, so
// the frame always reads the join from the join fields.
int CTsChildWnd::SetActiveWindow(int nWhich, CString* pJoinUrl) {
    if (pJoinUrl != NULL && pJoinUrl != &m_strJoinUrl) {
        m_strJoinUrl = *pJoinUrl;
    }
    if (m_pFrameWnd == NULL) {
        return 0;
    }
    return m_pFrameWnd->ActivateChildWindow(nWhich, this);
}

int CTsChildWnd::TsMessageBox(CWnd* pParent, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    HWND hOwner = pParent != NULL ? pParent->GetSafeHwnd() : NULL;
    if (hOwner == NULL) {
        hOwner = m_hWnd;
    }
    return AfxShowMessageBox(hOwner, lpszText != NULL ? lpszText : "", lpszCaption, nType);
}

void CTsChildWnd::ON_SPLASH(LPCSTR lpszText, int nFlag, CWnd* pWnd) {
    if (m_pFrameWnd != NULL) {
        m_bSplashShown = 1;
        m_pFrameWnd->ShowSplash(lpszText, nFlag, pWnd);
    }
}

void CTsChildWnd::OFF_SPLASH() {
    if (m_pFrameWnd != NULL) {
        m_bSplashShown = 0;
        m_pFrameWnd->HideSplash();
    }
}

// The frame may have hidden the splash on its own (a progress splash goes
// with the window it stands over), so its window is asked too.
int CTsChildWnd::IsSplashShown() const {
    return m_bSplashShown && m_pFrameWnd != NULL &&
           ::IsWindowVisible(m_pFrameWnd->GetSplash().GetSafeHwnd());
}

void CTsChildWnd::ControlButton(int bEnable) {
    if (m_pFrameWnd != NULL) {
        m_pFrameWnd->ControlButton(bEnable);
    }
}

void CTsChildWnd::ShowAdHtmlView(LPCSTR lpszAddress) {
    if (m_pFrameWnd != NULL) {
        m_pFrameWnd->ShowAdHtmlView(lpszAddress);
    }
}

int CTsChildWnd::IsActiveWindow(int nWhich) {
    return m_pFrameWnd != NULL ? m_pFrameWnd->IsActiveWindow(nWhich) : 0;
}

void CTsChildWnd::OnCloseBoxClicked(int nReason) {
    if (m_pFrameWnd != NULL) {
        m_pFrameWnd->CloseBoxClicked(nReason);
    }
}

int CTsChildWnd::CheckConfidenceMemory() {
    return m_pFrameWnd != NULL ? m_pFrameWnd->CheckConfidenceMemory() : 1;
}
