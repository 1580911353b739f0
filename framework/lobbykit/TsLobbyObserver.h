// CTsLobbyObserver: what a host sees of its frame and children. A host (the
// test host) gives the frame an observer to record these events and to
// answer the questions the frame would otherwise answer itself. Every
// method has a default that records nothing and keeps the frame's answer.
#pragma once

#include <windows.h>

class CTsLobbyObserver {
public:
    virtual ~CTsLobbyObserver() {}

    // ON_SPLASH: text, flag and the window it was shown for.
    virtual void OnSplashShown(LPCSTR, int, HWND) {}
    // OFF_SPLASH.
    virtual void OnSplashHidden() {}
    // The frame switched to child nWhich; for child 2 after a join the join
    // fields it read from child 1 (hJoinWnd null when the switch came
    // without a join).
    virtual void OnChildActivated(int, HWND, LPCSTR, LPCSTR, int) {}
    // The close box was clicked (OnCloseBoxClicked) with its argument.
    virtual void OnCloseBox(int) {}
    // WM_CLOSE reached the frame. Return non-zero to let the frame destroy
    // itself, 0 to keep it (the host decides what closing means).
    virtual int OnFrameClose() { return 1; }
    // ControlButton: the frame's buttons enabled (1) or disabled (0).
    virtual void OnControlButton(int) {}
    // ShowAdHtmlView: the address, or null when the ad view was hidden.
    virtual void OnAdView(LPCSTR) {}
    // WM_TS_CHANNELNAME reached the frame's channel-name window.
    virtual void OnChannelName(LPCSTR) {}
    // IsActiveWindow(nWhich): the frame's own answer, returned unchanged by
    // default; a host may answer otherwise.
    virtual int AnswerIsActiveWindow(int, int nAnswer) { return nAnswer; }
    // CheckConfidenceMemory: the frame's own answer (1), likewise.
    virtual int AnswerCheckConfidenceMemory(int nAnswer) { return nAnswer; }
};
