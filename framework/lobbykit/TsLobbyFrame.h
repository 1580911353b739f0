// CTsLobbyFrame: a host's lobby frame. A top-level window whose client area
// holds its two child windows, one at a time, over the same rectangle:
// child 1 the channel-list window (a CTsChildWnd, usually a plug-in's) and
// child 2 the lobby (CTsLobbyWnd); below them a strip with the ad view.
// It gives its children the header band, shows the splash, switches to the
// lobby at a join, and closes on WM_CLOSE. An observer (CTsLobbyObserver)
// sees what it does.
//
// Activation: the host starts child 1 with Activate(1, TSACT_EX, &record),
// which sends WM_TS_SETACTIVEWINDOW (TSACT_EX | TSACT_ON, record). Switching
// between children later posts WM_TS_SETACTIVEWINDOW TSACT_ON to child 1
// when it comes to the front and 0 when it leaves.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"
#include "TsGameString.h"
#include "TsHtmlCtrl.h"
#include "TsLobbyWnd.h"
#include "TsSplashWnd.h"

class CTsChildWnd;
class CTsLobbyObserver;

// Height of the ad strip below the children.
const int TS_FRAME_ADSTRIP = 24;

class LOBBYKIT_API CTsLobbyFrame : public CWnd {
public:
    CTsLobbyFrame();
    virtual ~CTsLobbyFrame();

    // Creates the frame, hidden, with a client area of cxChild x (cyChild +
    // TS_FRAME_ADSTRIP), and its lobby child and ad view. dwStyle 0 gives a
    // captioned window with close and minimise commands; tests pass WS_POPUP
    // (a plain window that no window manager handles).
    int CreateFrame(LPCSTR lpszTitle, int cxChild, int cyChild, DWORD dwStyle = 0);
    // Makes pChild this frame's child 1: sets its m_pFrameWnd and header
    // band and creates its window (pChild->Create(dwStyle, TS_CHILD_CHANNELLIST,
    // this, nExtra)). Returns Create's result.
    int AttachChild(CTsChildWnd* pChild, DWORD dwStyle, UINT nExtra);
    // Forgets child 1 (its window is the caller's to destroy).
    void DetachChild();
    // Rectangle of the children in the frame's client area.
    void GetChildRect(LPRECT lpRect) const;

    // Sends WM_TS_SETACTIVEWINDOW to child 1 with wParam (TSACT_ flags) and,
    // with TSACT_EX | TSACT_ON, pRecord. Returns the message's result.
    LRESULT Activate(WPARAM wParam, __tag_GameString* pRecord);
    // Brings child nWhich to the front (see the class comment). For 2 with
    // pFrom set, reads pFrom's join fields into the lobby first. Non-zero
    // when nWhich is 1 or 2.
    int ActivateChildWindow(int nWhich, CTsChildWnd* pFrom);
    // Which child is in front: 1 or 2 (0 before any).
    int GetActiveChild() const { return m_nActiveChild; }
    // Called by the base class's DoExActive/DoActive of child 1.
    void OnChildActivation(CTsChildWnd* pChild, int bActive);

    // Services of CTsChildWnd (see there).
    void ShowSplash(LPCSTR lpszText, int nFlag, CWnd* pWnd);
    void HideSplash();
    void ControlButton(int bEnable);
    void ShowAdHtmlView(LPCSTR lpszAddress);
    int IsActiveWindow(int nWhich);
    int CheckConfidenceMemory();
    void CloseBoxClicked(int nReason);

    void SetObserver(CTsLobbyObserver* pObserver) { m_pObserver = pObserver; }
    CTsLobbyObserver* GetObserver() const { return m_pObserver; }
    CTsSplashWnd& GetSplash() { return m_wndSplash; }
    CTsLobbyWnd& GetLobby() { return m_wndLobby; }
    CTsHtmlCtrl& GetAdView() { return m_wndAd; }
    CTsChildWnd* GetChild() const { return m_pChild; }
    int AreButtonsEnabled() const { return m_bButtonsEnabled; }

    int m_nHeaderTop;       // header band's top edge, given to the children
    int m_nHeaderHeight;    // header band's height, given to the children
    int m_bUseRating;       // the site uses ratings (read by some configurations)
    HWND m_hChannelNameWnd; // receives WM_TS_CHANNELNAME: the lobby window

protected:
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    CTsChildWnd* m_pChild;         // child 1, not owned
    CTsLobbyWnd m_wndLobby;        // child 2
    CTsSplashWnd m_wndSplash;      // the splash pop-up
    CTsHtmlCtrl m_wndAd;           // the ad view in the strip
    CTsLobbyObserver* m_pObserver; // who sees what happens, or null
    int m_nActiveChild;            // child in front: 1, 2, or 0
    int m_bButtonsEnabled;         // ControlButton's last state
    CSize m_sizeChild;             // size of the children's rectangle
};
