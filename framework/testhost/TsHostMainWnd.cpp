// CTsHostMainWnd: the host's main window.
#include "TsHostMainWnd.h"
#include "TsTestHost.h"

BEGIN_MESSAGE_MAP(CTsHostMainWnd, CWnd)
ON_WM_SHOWWINDOW()
ON_WM_PAINT()
ON_WM_CLOSE()
END_MESSAGE_MAP()

CTsHostMainWnd::CTsHostMainWnd(CTsTestHost* pHost) : m_pHost(pHost) {}

int CTsHostMainWnd::CreateMain(int bPlain) {
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_APPWORKSPACE + 1), NULL);
    // The plain form is a child of the desktop: showing it with activation
    // does not hand it to a window manager, whose absence under a bare X
    // server would make every later hide wait for a reply that never comes.
    if (bPlain) {
        return CWnd::CreateEx(0, lpszClass, "Lobby client", WS_CHILD | WS_BORDER, 0, 0, 360, 120,
                              ::GetDesktopWindow(), NULL)
                   ? 1
                   : 0;
    }
    return CWnd::CreateEx(0, lpszClass, "Lobby client", WS_OVERLAPPEDWINDOW, 0, 0, 360, 120, NULL,
                          NULL)
               ? 1
               : 0;
}

// WM_SHOWWINDOW comes only when the visibility changes: a show is a reveal.
void CTsHostMainWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow && m_pHost != NULL) {
        m_pHost->Log("reveal-main");
    }
}

void CTsHostMainWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText("Lobby client main window", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Closing the main window hides it; the lobby frame ends the program.
void CTsHostMainWnd::OnClose() {
    ShowWindow(SW_HIDE);
}
