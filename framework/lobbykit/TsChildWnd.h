// CTsChildWnd: base class of the windows a lobby frame hosts (the channel
// list plug-in is one). It carries the host's records, one client
// connection whose socket events arrive as virtual calls on the UI thread,
// the join fields a join hands to the frame, and the frame's services
// (splash, message box, buttons, ad view, close box, frame drawing).
//
// Records: the record pointers are never null. Until the host sets its own,
// each points at an empty record owned by this object (ids and names empty,
// numbers 0, m_szAdUrl empty), so a window made without a host reads empty
// values instead of crashing. m_pszRegKey likewise points at
// TS_DEFAULT_REGKEY until the host sets it.
//
// Without a frame (m_pFrameWnd null) the frame's services do nothing:
// ON_SPLASH/OFF_SPLASH, ControlButton and ShowAdHtmlView are ignored,
// IsActiveWindow answers 0, CheckConfidenceMemory 1, SetActiveWindow 0 and
// OnCloseBoxClicked sends nothing. TsMessageBox still shows its box.
//
// Socket: WSAAsyncSelect notifications (WM_TSTP_SOCKET) are decoded with
// CTstpSocket::HandleEvent and turned into OnSocketConnect (FD_CONNECT),
// OnSocketSend (FD_WRITE), OnSocketReceive (FD_READ) and OnSocketClose
// (FD_CLOSE). On FD_CLOSE the bytes still in Winsock are pulled first; when
// any arrived, OnSocketReceive is called before OnSocketClose, so a reply
// that comes together with the close is not lost: OnSocketReceive answers 0
// there, and a reset that ended the pull is OnSocketClose's error. An
// oversized frame found there reaches OnSocketReceive as WSAEMSGSIZE and
// ends the connection without an OnSocketClose, as it does on FD_READ.
// DestroyClient closes the connection silently: no OnSocketClose follows,
// and notifications of the old connection still queued are dropped.
//
// Lifetime: the host may delete the object inside any call that reaches it
// (a box, the frame's services, a socket event's handler). Members that go
// on after such a call ask a CTsAliveGuard (TsAliveGuard.h) first; the
// destructor clears every guard still on the stack. A splash this window
// showed goes with its window (OnDestroy), so none outlives it.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"
#include "TsAliveGuard.h"
#include "TsCfgSetting.h"
#include "TsGameInfo.h"
#include "TsGameRecord.h"
#include "TsMember.h"
#include "TsTitleInfo.h"

class CTsLobbyFrame;
// netsock's socket (TstpSocket.h); declared here so that this header does not
// pull winsock2.h in after windows.h.
class CTstpSocket;

// Registry sub-key (under HKEY_CURRENT_USER) used until the host sets its own.
#define TS_DEFAULT_REGKEY "Software\\TsLobby\\Client"

// m_dwOption bit: continue play (offer to return to the last game's room).
const DWORD TSOPT_CONTINUE_PLAY = 0x80000;

// ON_SPLASH flag values.
const int TSSPLASH_NOTICE = 0;   // plain notice centred over the frame
const int TSSPLASH_PROGRESS = 1; // progress text with a moving bar, centred over the given window

class LOBBYKIT_API CTsChildWnd : public CWnd {
public:
    CTsChildWnd();
    virtual ~CTsChildWnd();

    // Makes this window a child of pParentWnd in a class of its own
    // (CS_DBLCLKS, arrow cursor, no background brush). dwStyle gets WS_CHILD
    // and WS_CLIPCHILDREN added; the window fills the frame's child area
    // (CTsLobbyFrame::GetChildRect) when the parent is m_pFrameWnd, else the
    // parent's whole client area. nExtra is kept in m_nCreateExtra. Returns
    // non-zero when the window exists; 0 for a null parent.
    virtual int Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra);

    // Activation steps; a derived class calls the base last. active non-zero
    // shows this window (SW_SHOW) and tells the frame that this child is in
    // front; zero hides it. DoExActive serves the activation that starts or
    // stops the window's work, DoActive the others. Both return 1.
    virtual int DoExActive(int bActive);
    virtual int DoActive(int bActive);

    // Socket events, called on the UI thread with this window's socket.
    // Derived classes call the base first. Results (Winsock error codes):
    //   OnSocketConnect: the event's error, 0 connected (10061 refused, ...).
    //   OnSocketSend:    the event's error, 0 when the queue was flushed.
    //   OnSocketReceive: pulls Winsock's bytes into the socket's buffer
    //                    (CTstpSocket::Receive): 0 or WSAEWOULDBLOCK (10035)
    //                    read on with ReadData, else the error. A call that
    //                    read bytes before a reset answers 0; the reset
    //                    comes with the next call or the close.
    //   OnSocketClose:   the event's error, else the error that ended
    //                    reading (10054 for a reset), 0 for a graceful close.
    // A null socket gives WSAENOTSOCK.
    virtual int OnSocketConnect(CTstpSocket* pSocket);
    virtual int OnSocketSend(CTstpSocket* pSocket);
    virtual int OnSocketReceive(CTstpSocket* pSocket);
    virtual int OnSocketClose(CTstpSocket* pSocket);

    // Asks the frame to bring its child nWhich (1 channel list, 2 lobby) to
    // the front. For 2 the frame reads the join fields of this window (set
    // them first); pJoinUrl is the address of m_strJoinUrl, or null. Returns
    // the frame's result (non-zero: switched), 0 without a frame.
    virtual int SetActiveWindow(int nWhich, CString* pJoinUrl);
    using CWnd::SetActiveWindow;

    // ---- Client connection (at most one) ---------------------------------
    // Drops any earlier connection and starts connecting to host:port.
    // Non-zero: connecting, the outcome arrives in OnSocketConnect. 0: no
    // window yet, a bad address or port, or no socket.
    int CreateClient(const char* pszHost, int nPort);
    // Closes the connection, if any, without an OnSocketClose.
    void DestroyClient();
    // Sends one message. Returns CTstpSocket::Send's result: 0 sent or
    // queued, else a Winsock error (WSAENOTCONN without a connection).
    int SendData(const char* pData, int nLength);
    // Hands out the oldest whole received message in a buffer from operator
    // new that the caller owns and frees with operator delete
    // (`::operator delete(pBuffer)`, or `delete pBuffer;`), never delete[]
    // or free (NUL-terminated, nLength without the NUL; see
    // CTstpSocket::ReadData), or a null buffer and 0. Non-zero while more
    // messages wait.
    int ReadData(char*& pBuffer, int& nLength);
    // The connection's socket object, or null before the first CreateClient.
    CTstpSocket* GetClientSocket() const { return m_pSocket; }

    // ---- The frame's services ---------------------------------------------
    // A modal message box through the framework's box seam
    // (AfxShowMessageBox). Owner: pParent's window, else this window.
    // Returns the button pressed.
    int TsMessageBox(CWnd* pParent, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
    // Shows the frame's splash with lpszText. nFlag: TSSPLASH_PROGRESS (1)
    // a progress text centred over pWnd (the frame when null),
    // TSSPLASH_NOTICE (0) a plain notice centred over the frame. A second
    // call replaces the text.
    void ON_SPLASH(LPCSTR lpszText, int nFlag, CWnd* pWnd);
    // Hides the splash (nothing happens when none is shown).
    void OFF_SPLASH();
    // Non-zero while a splash this window showed is up.
    int IsSplashShown() const;
    // Enables (1) or disables (0) the frame's own buttons (its close and
    // minimise commands).
    void ControlButton(int bEnable);
    // Shows the address in the frame's ad view; null or "" hides the view.
    void ShowAdHtmlView(LPCSTR lpszAddress);
    // Non-zero when the frame's child nWhich (1 or 2) is the one in front
    // and the frame is the active window of its thread (a host may answer
    // otherwise through its observer).
    int IsActiveWindow(int nWhich);
    // The close box: tells the frame (nReason is passed on: 0 closed by the
    // window itself, 1 closed for being idle), then sends WM_CLOSE to the
    // frame's window.
    void OnCloseBoxClicked(int nReason);
    // Gate before a join: non-zero when the client's memory checks passed.
    // 1 unless the host's observer answers otherwise.
    int CheckConfidenceMemory();

    // ---- Frame drawing (client coordinates) -------------------------------
    // The window's frame: a dark border round the client area and the header
    // band from m_nHeaderTop to m_nHeaderTop + m_nHeaderHeight.
    void Draw(CDC* pDC);
    // The background below the header band, inside the border.
    void FrameBackgroundDraw(CDC* pDC);
    // A gold panel TS_GOLD19_WIDTH x 19 pixels with its top-left at (x, y).
    void DrawGold19(CDC* pDC, int x, int y);

    // ---- Host records and state (set by the host before Create) -----------
    CTsMember* m_pMember;         // the signed-in user
    CTsCfgSetting* m_pCfgSetting; // the client's configuration
    CTsGameInfo* m_pGameInfo;     // the game of this lobby
    CTsGameRecord* m_pGameRecord; // the user's record in that game
    CTsTitleInfo* m_pTitleInfo;   // title lines and the ad page
    CTsLobbyFrame* m_pFrameWnd;   // the lobby frame, or null
    DWORD m_dwOption;             // option bits (TSOPT_CONTINUE_PLAY)
    LPCSTR m_pszRegKey;           // client's registry sub-key under HKEY_CURRENT_USER
    int m_nHeaderTop;             // y of the header band's top edge
    int m_nHeaderHeight;          // height of the header band

    // ---- Join fields, filled by the window at a join ----------------------
    CString m_strJoinUrl;    // the rendered join message
    CString m_strGroupParam; // the group parameter message of the join
    HWND m_hJoinWnd;         // the window that joined
    int m_nJoinChannel;      // room to enter, -2 none

    // ---- State the window keeps --------------------------------------------
    CString m_strServerIp;    // channel-list server address
    int m_nServerPort;        // channel-list server port
    int m_bInUse;             // the user works with the window
    DWORD m_dwLastActiveTick; // AfxGetTickCount of the last activity
    int m_bAvatarReady;       // the avatar reported ready
    UINT m_nCreateExtra;      // the last argument of Create

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnMsgFromSocket(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    friend class CTsAliveGuard;

    CTsAliveGuard* m_pAliveGuards; // newest guard on this object still on the stack, or null
    int m_bSplashShown;            // this window showed the splash and has not hidden it
    CTstpSocket* m_pSocket;        // the client connection, made by CreateClient
    UINT m_nClientSerial;          // counts CreateClient and DestroyClient calls
    int m_nPulledError;            // error of FD_CLOSE's pull, answered by the base OnSocketReceive
    int m_bPulling = 0;            // FD_CLOSE's pull is being handed to OnSocketReceive
    CTsMember m_defMember;         // empty records behind the pointers until the host sets its own
    CTsCfgSetting m_defCfgSetting;
    CTsGameInfo m_defGameInfo;
    CTsGameRecord m_defGameRecord;
    CTsTitleInfo m_defTitleInfo;
};

// Width of the DrawGold19 panel.
const int TS_GOLD19_WIDTH = 140;
