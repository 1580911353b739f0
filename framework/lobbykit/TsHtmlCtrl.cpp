// CTsHtmlCtrl: the ad view, showing the address it was sent to. Navigate
// runs on any thread; the window takes the address over on its own.
#include "TsHtmlCtrl.h"

#include <set>

#include "../mbcs/TsMbcsCut.h"

// Longest address kept, in bytes.
static const int kMaxAddress = 2047;

// Holds the control's lock for one scope.
class CTsHtmlLock {
public:
    explicit CTsHtmlLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CTsHtmlLock() { ::LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION& m_cs; // the lock held
};

// The controls that exist, by address: Navigate looks itself up here before
// it touches any member, so a call through a pointer to a control already
// destroyed is caught (and counted) instead of writing into freed memory.
class CTsLiveHtmlCtrls {
public:
    CTsLiveHtmlCtrls() { ::InitializeCriticalSection(&m_cs); }
    ~CTsLiveHtmlCtrls() { ::DeleteCriticalSection(&m_cs); }
    void Add(const CTsHtmlCtrl* p) {
        CTsHtmlLock lock(m_cs);
        m_live.insert(p);
    }
    void Remove(const CTsHtmlCtrl* p) {
        CTsHtmlLock lock(m_cs);
        m_live.erase(p);
    }
    bool Contains(const CTsHtmlCtrl* p) {
        CTsHtmlLock lock(m_cs);
        return m_live.count(p) != 0;
    }

private:
    CRITICAL_SECTION m_cs;               // guards m_live
    std::set<const CTsHtmlCtrl*> m_live; // constructed and not yet destroyed
};

static CTsLiveHtmlCtrls& LiveControls() {
    static CTsLiveHtmlCtrls s_live;
    return s_live;
}

static volatile LONG s_nCallsOnDead = 0; // Navigate calls on dead controls

BEGIN_MESSAGE_MAP(CTsHtmlCtrl, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_TS_HTMLNAVIGATE, OnMsgNavigate)
END_MESSAGE_MAP()

CTsHtmlCtrl::CTsHtmlCtrl() : m_hWndTarget(NULL), m_nNavigations(0) {
    ::InitializeCriticalSection(&m_cs);
    LiveControls().Add(this);
}

CTsHtmlCtrl::~CTsHtmlCtrl() {
    if (m_hWnd != NULL) {
        DestroyWindow();
    }
    LiveControls().Remove(this);
    ::DeleteCriticalSection(&m_cs);
}

int CTsHtmlCtrl::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void*) {
    if (lpszClassName == NULL) {
        lpszClassName =
            AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    }
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID) ? 1 : 0;
}

// Publishes the window to Navigate; an address sent before the window
// existed is taken over now.
int CTsHtmlCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    int bPending;
    {
        CTsHtmlLock lock(m_cs);
        m_hWndTarget = m_hWnd;
        bPending = !m_strPending.IsEmpty();
    }
    if (bPending) {
        PostMessage(WM_TS_HTMLNAVIGATE);
    }
    return CWnd::OnCreate(lpCreateStruct);
}

void CTsHtmlCtrl::OnDestroy() {
    {
        CTsHtmlLock lock(m_cs);
        m_hWndTarget = NULL;
    }
    CWnd::OnDestroy();
}

// Stores the address and posts to the window; touches nothing else of it.
void CTsHtmlCtrl::Navigate(LPCSTR lpszAddress) {
    if (!LiveControls().Contains(this)) {
        ::InterlockedIncrement(&s_nCallsOnDead);
        return;
    }
    HWND hTarget;
    {
        CTsHtmlLock lock(m_cs);
        if (lpszAddress == NULL) {
            m_strPending.Empty();
        } else {
            // Cut between characters, never inside a double-byte one.
            size_t nLength = TsMbcsCutLength(lpszAddress, kMaxAddress);
            m_strPending = CString(lpszAddress, static_cast<int>(nLength));
        }
        hTarget = m_hWndTarget;
    }
    if (hTarget != NULL) {
        ::PostMessage(hTarget, WM_TS_HTMLNAVIGATE, 0, 0);
    }
}

LONG CTsHtmlCtrl::GetCallsOnDeadControls() {
    return ::InterlockedCompareExchange(const_cast<LONG*>(&s_nCallsOnDead), 0, 0);
}

CString CTsHtmlCtrl::GetLocation() const {
    CTsHtmlLock lock(m_cs);
    return m_strLocation;
}

int CTsHtmlCtrl::GetNavigateCount() const {
    CTsHtmlLock lock(m_cs);
    return m_nNavigations;
}

LRESULT CTsHtmlCtrl::OnMsgNavigate(WPARAM, LPARAM) {
    {
        CTsHtmlLock lock(m_cs);
        m_strLocation = m_strPending;
        m_nNavigations++;
    }
    Invalidate();
    return 0;
}

// A white page with a thin frame and the address on one line.
void CTsHtmlCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 255, 255));
    dc.Draw3dRect(&rc, RGB(160, 160, 160), RGB(160, 160, 160));
    CString strLocation = GetLocation();
    if (strLocation.IsEmpty()) {
        return;
    }
    CRect rcText = rc;
    rcText.DeflateRect(6, 2);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 160));
    dc.DrawText(strLocation, &rcText,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
