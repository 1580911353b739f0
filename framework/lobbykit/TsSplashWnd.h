// CTsSplashWnd: the frame's splash, a small borderless pop-up owned by the
// frame that shows one line of text (and, for a progress splash, a moving
// bar). It never takes the focus.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"

class LOBBYKIT_API CTsSplashWnd : public CWnd {
public:
    CTsSplashWnd();
    virtual ~CTsSplashWnd();

    // Shows lpszText centred over pOver (screen position), creating the
    // window on first use as an owned pop-up of pOwner. bProgress adds the
    // moving bar.
    int Show(CWnd* pOwner, CWnd* pOver, LPCSTR lpszText, int bProgress);
    // Hides the window.
    void Hide();
    // The text shown, empty when hidden.
    CString GetText() const;
    // The window a progress splash stands over, or null.
    HWND GetProgressOver() const { return m_hProgressOver; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    CString m_strText;    // the text shown
    int m_bProgress;      // draw the moving bar
    int m_nStep;          // position of the bar, advanced by the timer
    HWND m_hProgressOver; // window a shown progress splash stands over, or null
};
