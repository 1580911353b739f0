// CTsTestHost: a lobby client in miniature for tests and the demo. It makes
// the application's main window (hidden at first), a lobby frame and the
// host's records from a CTsHostConfig, loads a channel-list plug-in DLL (or
// takes a window the caller made), creates it as the frame's child 1 and
// activates it with a game string. Everything a host sees is recorded into
// a log of short strings, in order:
//
//   "box|<text>|<caption>|0x<type>"   a message box (any, through the seam)
//   "splash-on|<text>|<flag>"          ON_SPLASH
//   "splash-off"                       OFF_SPLASH
//   "join|<url>|<group>|<room>"        the frame switched to the lobby at a join
//   "front|1"                          the frame switched back to child 1
//   "closebox|<reason>"                OnCloseBoxClicked
//   "close-frame"                      WM_CLOSE reached the frame
//   "buttons|<0 or 1>"                 ControlButton
//   "ad|<address>" / "ad-off"          ShowAdHtmlView
//   "channel-name|<text>"              WM_TS_CHANNELNAME reached the frame's window
//   "reveal-main"                      the hidden main window was shown
//
// The host also answers for the user and the machine: message boxes from a
// queue of answers (IDOK when empty), or, in the pumping mode, like a real
// modal box: the owner's top-level window is disabled and a message loop
// runs (socket notifications, timers, posted messages) until the test's
// answerer decides, which may end the window meanwhile, as a host's quit
// does; the clock (AfxGetTickCount) from a settable tick count,
// IsActiveWindow and CheckConfidenceMemory from values the caller sets. The
// seams are process-wide: one host at a time.
//
// Ownership: the host deletes a plug-in's object (through its factory) or
// one given with a deleter; in the deleting mode (SetDeleteOnDestroy) it
// does so as soon as the object's window is destroyed, by whoever, the way
// a host that deletes a child window in PostNcDestroy does, and logs
// "deleted".
//
// Screenshots (TsCapture.cpp): CaptureWindow copies what a window shows, its
// children included, from the window's own DC into memory or a PNG file.
// Leak checks: CountResources counts the process's GDI and USER objects and
// handles.
#pragma once

#include <lobbykit.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "TsHostConfig.h"

// One message box as the host saw it.
struct TsHostBox {
    HWND hOwner;         // owner window given to the box
    std::string strText; // its text
    std::string strCaption;
    UINT nType; // MB_ flags
};

// A picture of a window: nWidth x nHeight pixels, row by row from the top
// left, each an RGB() value.
struct TsCapture {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<COLORREF> pixels;

    // The pixel at (x, y); CLR_INVALID outside the picture.
    COLORREF At(int x, int y) const {
        return x >= 0 && y >= 0 && x < nWidth && y < nHeight ? pixels[(size_t)y * nWidth + x]
                                                             : CLR_INVALID;
    }
};

// What the process holds, for leak checks.
struct TsResourceCounts {
    int nGdiObjects;
    int nUserObjects;
    int nHandles;
};

class CTsHostMainWnd;

class CTsTestHost : public CTsLobbyObserver {
public:
    CTsTestHost();
    virtual ~CTsTestHost();

    CTsHostConfig& GetConfig() { return m_config; }
    // Runs the plug-in in lpszDir (catalogues and images are looked up
    // relative to the current directory).
    static int SetClientDirectory(LPCSTR lpszDir);

    // Loads the plug-in DLL and makes its window object through its
    // factory (TsPluginFactory.h). 0 when the DLL or a factory is missing.
    int LoadPlugin(LPCSTR lpszDllPath);
    // Uses a window object the caller made. Without a deleter the caller
    // keeps owning it; with one the host owns it and deletes it with that.
    int UseWindow(CTsChildWnd* pWnd,
                  std::function<void(CTsChildWnd*)> deleter = std::function<void(CTsChildWnd*)>());
    // Makes the main window (hidden) and the frame (shown), then
    // AttachWindow. Non-zero on success.
    int CreateFrame();
    // Gives the window the records and creates it as the frame's child 1
    // (again, for a window whose earlier one was destroyed). Non-zero on
    // success.
    int AttachWindow();
    // First activation: WM_TS_SETACTIVEWINDOW (TSACT_EX | TSACT_ON) with a
    // record of the game string and group message (null: the config's).
    LRESULT Start(LPCSTR lpszGameString = NULL, LPCSTR lpszGroupMsg = NULL);
    // A later activation with the given TSACT_ flags (no record).
    LRESULT Activate(WPARAM wFlags);
    // Destroys the plug-in window and deletes the object the host owns.
    void DestroyWindow();
    // The deleting mode: the object the host owns is deleted as its window
    // is destroyed (after WM_NCDESTROY), whoever destroys it. Default: no.
    void SetDeleteOnDestroy(int bDelete) { m_bDeleteOnDestroy = bDelete; }

    // Handles the messages waiting now. Returns how many.
    int Pump();
    // Handles messages until cond() holds, waiting for new ones at most
    // nMaxWaitMs in all. Returns cond()'s last answer.
    bool PumpUntil(const std::function<bool()>& cond, DWORD nMaxWaitMs = 5000);

    // Screenshots of what hWnd shows now, children included, read from the
    // screen through the window's DC (GetWindowDC: the whole window, so
    // capture coordinates are client coordinates for a window without
    // border or caption). Paint first (UpdateWindow) and pump. Parts of the
    // window that are off the screen or covered read as whatever is there.
    // Each returns non-zero on success.
    static int CaptureWindow(HWND hWnd, TsCapture& capture);
    // The same written as a 24-bit PNG file (GDI+'s encoder).
    static int CaptureWindow(HWND hWnd, LPCSTR lpszPngPath);
    // Copies the nWidth x nHeight block at (x, y) of any DC, such as a
    // memory DC a test drew its expected picture into.
    static int CaptureDC(HDC hdc, int x, int y, int nWidth, int nHeight, TsCapture& capture);
    // Writes a picture as a 24-bit PNG file.
    static int SavePng(const TsCapture& capture, LPCSTR lpszPngPath);

    // GDI and USER objects and kernel handles of this process, for leak
    // checks (TsResourceCount.cpp).
    static TsResourceCounts CountResources();

    // The log.
    const std::vector<std::string>& GetLog() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    // Number of entries equal to strEntry, or starting with it when it ends in '|'.
    int CountLog(const std::string& strEntry) const;
    // The whole log, one entry a line, for failure messages.
    std::string LogText() const;
    void Log(const std::string& strEntry);

    // Answers and the clock.
    void QueueBoxAnswer(int nAnswer) { m_boxAnswers.push_back(nAnswer); }
    // The pumping mode: every box runs a message loop until answerer gives
    // a non-zero answer for it (asked after each round of messages, nested
    // boxes included). A box still up after nMaxWaitMs is answered IDCANCEL
    // and logged "box-timeout", a safety cap only. An empty answerer ends
    // the mode.
    void SetPumpingBoxes(std::function<int(const TsHostBox&)> answerer, DWORD nMaxWaitMs = 10000);
    // The pumping mode with the queued answers: each box runs its loop
    // until no message is waiting, then takes the next answer of the queue
    // (IDOK when empty).
    void SetPumpingBoxesUntilIdle();
    const std::vector<TsHostBox>& GetBoxes() const { return m_boxes; }
    // Forgets the boxes seen so far (keeping the room they took, so that
    // long runs can compare memory).
    void ClearBoxes() { m_boxes.clear(); }
    void SetTickCount(DWORD dwTick) { m_dwTick = dwTick; }
    void AdvanceTicks(DWORD dwDelta) { m_dwTick += dwDelta; }
    DWORD GetTickCount() const { return m_dwTick; }
    // nAnswer -1 lets the frame answer for itself; default 0 for both.
    void SetActiveAnswer(int nWhich, int nAnswer);
    void SetConfidenceAnswer(int nAnswer) { m_nConfidence = nAnswer; }
    // Whether WM_CLOSE destroys the frame (default: no, only recorded) and
    // whether it then ends the message loop (the demo).
    void SetCloseBehaviour(int bDestroy, int bQuit);
    // Plain pop-up windows (default, for tests: no window manager is
    // involved, so showing and destroying them is immediate) or captioned
    // ones (the demo). Takes effect at CreateFrame.
    void SetPlainWindows(int bPlain) { m_bPlainWindows = bPlain; }
    // Whether a join (the frame switching to its lobby window) destroys the
    // plug-in window there and then, as a host that ends the channel list
    // at a join does. Default: no.
    void SetDestroyAtJoin(int bDestroy) { m_bDestroyAtJoin = bDestroy; }
    // Hides the main window again, so that a later reveal shows in the log.
    void HideMainWindow();

    CTsChildWnd* GetWindow() const { return m_pWnd; }
    CTsLobbyFrame& GetFrame() { return m_frame; }
    CWnd* GetMainWnd() const;
    HMODULE GetPluginModule() const { return m_hPlugin; }
    __tag_GameString& GetGameString() { return m_gameString; }

    // CTsLobbyObserver.
    virtual void OnSplashShown(LPCSTR lpszText, int nFlag, HWND hWnd);
    virtual void OnSplashHidden();
    virtual void OnChildActivated(int nWhich, HWND hJoinWnd, LPCSTR lpszUrl, LPCSTR lpszGroup,
                                  int nRoom);
    virtual void OnCloseBox(int nReason);
    virtual int OnFrameClose();
    virtual void OnControlButton(int bEnable);
    virtual void OnAdView(LPCSTR lpszAddress);
    virtual void OnChannelName(LPCSTR lpszName);
    virtual int AnswerIsActiveWindow(int nWhich, int nAnswer);
    virtual int AnswerCheckConfidenceMemory(int nAnswer);

private:
    static int BoxHook(void* pCtx, HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
    static DWORD TickHook(void* pCtx);
    // The next queued answer, IDOK when there is none.
    int NextQueuedAnswer();
    // Keeps a box up with a message loop until the answerer decides.
    int RunPumpingBox(const TsHostBox& box, const std::function<int(const TsHostBox&)>& answerer);
    // The plug-in window's procedure as the host sees it: everything goes
    // on to the window's own; after WM_NCDESTROY, OnWindowGone.
    static LRESULT CALLBACK WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnWindowGone();
    // Lets the frame go of the object and deletes it when the host owns it.
    void ReleaseWindowObject();

    CTsHostConfig m_config;                      // records and settings
    CTsLobbyFrame m_frame;                       // the lobby frame
    CTsHostMainWnd* m_pMainWnd;                  // the application's main window
    CTsChildWnd* m_pWnd;                         // child 1, or null
    HMODULE m_hPlugin;                           // plug-in DLL, or null
    std::function<void(CTsChildWnd*)> m_deleter; // deletes m_pWnd when the host owns it
    WNDPROC m_pfnWindowProc;                     // the plug-in window's own procedure
    int m_bDeleteOnDestroy;                      // the object goes with its window
    __tag_GameString m_gameString;               // record of the first activation
    std::vector<std::string> m_log;              // what the host saw
    std::vector<TsHostBox> m_boxes;              // message boxes shown
    std::deque<int> m_boxAnswers;                // answers for the next boxes
    DWORD m_dwTick;                              // the clock
    int m_nActiveAnswer[3];    // IsActiveWindow answers for 1 and 2, -1 the frame's
    int m_nConfidence;         // CheckConfidenceMemory answer
    int m_bCloseDestroys;      // WM_CLOSE destroys the frame
    int m_bCloseQuits;         // and ends the message loop
    int m_bPlainWindows;       // main window and frame are plain pop-ups
    int m_bDestroyAtJoin;      // a join destroys the plug-in window
    DWORD m_nPumpingMaxWaitMs; // how long a pumping box may stay up
    std::function<int(const TsHostBox&)> m_pumpingAnswerer; // pumping mode's answerer, or empty
};
