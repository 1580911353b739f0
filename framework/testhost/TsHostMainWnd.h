// CTsHostMainWnd: the host application's main window, hidden at start. The
// channel-list window shows it when loading ends; the host records that.
#pragma once

#include <afxwin.h>

class CTsTestHost;

class CTsHostMainWnd : public CWnd {
public:
    explicit CTsHostMainWnd(CTsTestHost* pHost);

    // Creates the hidden top-level window: a plain pop-up or, for the demo,
    // an overlapped window.
    int CreateMain(int bPlain);

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPaint();
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    CTsTestHost* m_pHost; // receives "reveal-main"
};
