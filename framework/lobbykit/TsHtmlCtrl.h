// CTsHtmlCtrl: the ad view. It has no browser engine: it shows the address
// it was last sent to. Navigate may be called from any thread: it stores the
// address under a lock and posts a message to the control's window, which
// takes the address over and repaints on its own thread.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"

// Posted by Navigate to the control's window.
const UINT WM_TS_HTMLNAVIGATE = WM_APP + 0x31;

class LOBBYKIT_API CTsHtmlCtrl : public CWnd {
public:
    CTsHtmlCtrl();
    virtual ~CTsHtmlCtrl();

    // Creates the control window. lpszClassName null picks a class of its
    // own. pReserved is unused. Non-zero when the window exists.
    int Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
               CWnd* pParentWnd, UINT nID, void* pReserved);
    // Sends the view to lpszAddress (null: blank; at most 2047 bytes kept,
    // cut between characters of the ANSI code page, never inside a
    // double-byte one). Thread-safe; the window shows it once its thread
    // handles the posted message.
    void Navigate(LPCSTR lpszAddress);
    // The address the window shows (taken over on its own thread).
    CString GetLocation() const;
    // Number of addresses the window has taken over.
    int GetNavigateCount() const;
    // Calls of Navigate on an object that was no longer (or never) a live
    // control: such a call is counted and does nothing else. A measure for
    // tests of the threads that navigate a view.
    static LONG GetCallsOnDeadControls();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnMsgNavigate(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    mutable CRITICAL_SECTION m_cs; // guards the fields below
    HWND m_hWndTarget;             // window Navigate posts to; null when there is none
    CString m_strPending;          // address stored by the last Navigate
    CString m_strLocation;         // address shown
    int m_nNavigations;            // addresses taken over
};
