// CTsChildWnd: its message map under a subclass, the host records and
// frame services without a host, the frame drawing, and the client
// connection over real loopback TCP with events reaching the virtuals on
// the window's thread.
#include <winsock2.h>

#include <gtest/gtest.h>
#include <lobbykit.h>
#include <TsPalette.h>
#include <TstpSocket.h>

#include <functional>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "TestSupport.h"

namespace {

const UINT WM_PROBE = WM_APP + 1;

// A subclass with one message of its own that notes every socket event
// with the base's result and the thread it came on.
class CProbeWnd : public CTsChildWnd {
public:
    std::vector<std::string> m_notes; // events in order
    DWORD m_dwUiThread = ::GetCurrentThreadId();
    int m_bOffThread = 0;                                // an event came on another thread
    std::function<void(const std::string&)> m_onMessage; // runs after each message is noted

    bool Has(const std::string& strNote) const {
        for (const std::string& s : m_notes) {
            if (s == strNote) {
                return true;
            }
        }
        return false;
    }
    int IndexOf(const std::string& strNote) const {
        for (size_t i = 0; i < m_notes.size(); i++) {
            if (m_notes[i] == strNote) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    virtual int OnSocketConnect(CTstpSocket* pSocket) {
        int r = CTsChildWnd::OnSocketConnect(pSocket);
        Note("connect|" + std::to_string(r));
        if (r == 0) {
            SendData("hello", 5);
        }
        return r;
    }
    virtual int OnSocketSend(CTstpSocket* pSocket) {
        int r = CTsChildWnd::OnSocketSend(pSocket);
        Note("send|" + std::to_string(r));
        return r;
    }
    virtual int OnSocketReceive(CTstpSocket* pSocket) {
        int r = CTsChildWnd::OnSocketReceive(pSocket);
        Note("receive|" + std::to_string(r));
        int bMore;
        do {
            char* pBuffer = NULL;
            int nLength = 0;
            bMore = ReadData(pBuffer, nLength);
            if (pBuffer != NULL) {
                std::string strMessage(pBuffer, static_cast<size_t>(nLength));
                ::operator delete(pBuffer);
                Note("message|" + strMessage);
                if (m_onMessage) {
                    m_onMessage(strMessage);
                }
            }
        } while (bMore);
        return r;
    }
    virtual int OnSocketClose(CTstpSocket* pSocket) {
        int r = CTsChildWnd::OnSocketClose(pSocket);
        Note("close|" + std::to_string(r));
        return r;
    }

protected:
    afx_msg LRESULT OnMsgProbe(WPARAM wParam, LPARAM) { return wParam + 1; }
    DECLARE_MESSAGE_MAP()

private:
    void Note(const std::string& strNote) {
        if (::GetCurrentThreadId() != m_dwUiThread) {
            m_bOffThread = 1;
        }
        m_notes.push_back(strNote);
    }
};

BEGIN_MESSAGE_MAP(CProbeWnd, CTsChildWnd)
ON_MESSAGE(WM_PROBE, OnMsgProbe)
END_MESSAGE_MAP()

// Records message boxes through the framework's seam.
struct BoxSeen {
    HWND hOwner = NULL;
    std::string strText, strCaption;
    UINT nType = 0;
    int nCount = 0;
};

int RecordBox(void* pCtx, HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    BoxSeen* pSeen = static_cast<BoxSeen*>(pCtx);
    pSeen->hOwner = hOwner;
    pSeen->strText = lpszText != NULL ? lpszText : "";
    pSeen->strCaption = lpszCaption != NULL ? lpszCaption : "";
    pSeen->nType = nType;
    pSeen->nCount++;
    return IDOK;
}

class ChildWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateParent());
        ASSERT_TRUE(m_wnd.Create(WS_VISIBLE, 1, &m_parent, 7));
    }
    void TearDown() override {
        m_wnd.DestroyWindow();
        m_parent.DestroyWindow();
        PumpPending();
    }

    CTestParentWnd m_parent;
    CProbeWnd m_wnd;
};

TEST_F(ChildWndTest, CreateFillsTheParentAndChainsTheMessageMap) {
    CRect rcParent, rcWnd;
    m_parent.GetClientRect(&rcParent);
    m_wnd.GetClientRect(&rcWnd);
    EXPECT_EQ(rcParent.Size(), rcWnd.Size());
    EXPECT_EQ(7u, m_wnd.m_nCreateExtra);
    EXPECT_TRUE(m_wnd.GetStyle() & WS_CHILD);
    // The subclass's own entry answers; a socket notice of no connection
    // reaches the base's entry and is dropped without a virtual call.
    EXPECT_EQ(42, m_wnd.SendMessage(WM_PROBE, 41, 0));
    EXPECT_EQ(0, m_wnd.SendMessage(WM_TSTP_SOCKET, 1234, WSAMAKESELECTREPLY(FD_CONNECT, 0)));
    EXPECT_TRUE(m_wnd.m_notes.empty());
    // No parent, no window.
    CProbeWnd orphan;
    EXPECT_EQ(0, orphan.Create(0, 1, NULL, 0));
}

TEST_F(ChildWndTest, WithoutAHostRecordsAreEmptyAndServicesAreQuiet) {
    ASSERT_NE(nullptr, m_wnd.m_pMember);
    ASSERT_NE(nullptr, m_wnd.m_pCfgSetting);
    ASSERT_NE(nullptr, m_wnd.m_pGameInfo);
    ASSERT_NE(nullptr, m_wnd.m_pGameRecord);
    ASSERT_NE(nullptr, m_wnd.m_pTitleInfo);
    EXPECT_STREQ("", m_wnd.m_pMember->m_szId);
    EXPECT_STREQ("", m_wnd.m_pCfgSetting->m_szAdUrl);
    EXPECT_EQ(0, m_wnd.m_pGameRecord->m_nRating);
    EXPECT_STREQ(TS_DEFAULT_REGKEY, m_wnd.m_pszRegKey);
    EXPECT_EQ(-2, m_wnd.m_nJoinChannel);
    EXPECT_EQ(nullptr, m_wnd.m_pFrameWnd);

    m_wnd.ON_SPLASH("text", 1, &m_wnd);
    m_wnd.OFF_SPLASH();
    m_wnd.ControlButton(1);
    m_wnd.ShowAdHtmlView("http://ad.example/");
    m_wnd.OnCloseBoxClicked(0);
    EXPECT_EQ(0, m_wnd.IsActiveWindow(1));
    EXPECT_EQ(1, m_wnd.CheckConfidenceMemory());
    EXPECT_EQ(0, m_wnd.SetActiveWindow(2, &m_wnd.m_strJoinUrl));
    EXPECT_TRUE(::IsWindow(m_parent.m_hWnd));

    // The message box still goes through the seam; a null parent means
    // the window itself owns it.
    BoxSeen seen;
    AfxSetMessageBoxHook(&RecordBox, &seen);
    EXPECT_EQ(IDOK, m_wnd.TsMessageBox(NULL, "Text", "Caption", 0x40010));
    EXPECT_EQ(IDOK, m_wnd.TsMessageBox(&m_parent, "Second", "Caption", 0x30));
    AfxSetMessageBoxHook(NULL, NULL);
    EXPECT_EQ(2, seen.nCount);
    EXPECT_EQ(m_parent.m_hWnd, seen.hOwner);
    EXPECT_EQ("Second", seen.strText);
    EXPECT_EQ(0x30u, seen.nType);
}

TEST_F(ChildWndTest, FrameDrawingPaintsHeaderBackgroundAndGoldPanel) {
    m_wnd.m_nHeaderTop = 20;
    m_wnd.m_nHeaderHeight = 30;
    CRect rc;
    m_wnd.GetClientRect(&rc);
    CClientDC screen(&m_wnd);
    CDC dc;
    CBitmap bitmap;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, rc.Width(), rc.Height()));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(&rc, RGB(1, 2, 3));
    m_wnd.Draw(&dc);
    m_wnd.FrameBackgroundDraw(&dc);
    m_wnd.DrawGold19(&dc, 159, 100);
    EXPECT_EQ(TSCLR_BORDER, dc.GetPixel(0, 0));
    EXPECT_EQ(TSCLR_TITLE, dc.GetPixel(10, 10));
    EXPECT_EQ(TSCLR_HEADER, dc.GetPixel(10, 35));
    EXPECT_EQ(TSCLR_BACKGROUND, dc.GetPixel(10, 60));
    EXPECT_EQ(TSCLR_GOLD, dc.GetPixel(159 + 10, 100 + 9));
    EXPECT_EQ(TSCLR_BACKGROUND, dc.GetPixel(159 + TS_GOLD19_WIDTH, 100 + 9));
    EXPECT_EQ(TSCLR_BORDER, dc.GetPixel(rc.right - 1, rc.bottom - 1));
    dc.SelectObject(pOld);
}

TEST_F(ChildWndTest, RefusedConnectionReportsItsErrorOnTheWindowThread) {
    int nPort = LoopbackServer::RefusedPort();
    ASSERT_NE(0, nPort);
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
    ASSERT_TRUE(PumpUntil([&] { return !m_wnd.m_notes.empty(); }));
    EXPECT_EQ("connect|10061", m_wnd.m_notes[0]);
    EXPECT_EQ(0, m_wnd.m_bOffThread);
}

TEST_F(ChildWndTest, ServedMessagesAreReadWholeThenTheCloseArrives) {
    LoopbackServer server;
    int nPort = server.Listen();
    ASSERT_NE(0, nPort);
    std::string strRequest;
    HANDLE hMayClose = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    server.Serve([&](LoopbackServer& s) {
        strRequest = s.ReadFrame();
        s.SendRaw(LoopbackServer::Frame("one") + LoopbackServer::Frame("two"));
        ::WaitForSingleObject(hMayClose, 5000);
        s.ClosePeer();
    });
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("message|two"); }));
    ::SetEvent(hMayClose);
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("close|0"); }));
    server.Join();
    ::CloseHandle(hMayClose);

    EXPECT_EQ("hello", strRequest);
    EXPECT_EQ("connect|0", m_wnd.m_notes[0]);
    EXPECT_TRUE(m_wnd.Has("receive|0"));
    EXPECT_LT(m_wnd.IndexOf("message|one"), m_wnd.IndexOf("message|two"));
    EXPECT_LT(m_wnd.IndexOf("message|two"), m_wnd.IndexOf("close|0"));
    EXPECT_EQ(0, m_wnd.m_bOffThread);
}

TEST_F(ChildWndTest, AReplyThatComesWithTheCloseIsStillDelivered) {
    LoopbackServer server;
    int nPort = server.Listen();
    ASSERT_NE(0, nPort);
    server.Serve([](LoopbackServer& s) {
        s.ReadFrame();
        s.SendFrame("last words");
        s.ClosePeer();
    });
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("close|0"); }));
    server.Join();
    int nMessage = m_wnd.IndexOf("message|last words");
    ASSERT_GE(nMessage, 0);
    EXPECT_LT(nMessage, m_wnd.IndexOf("close|0"));
}

TEST_F(ChildWndTest, DestroyClientEndsTheConnectionWithoutACloseEvent) {
    LoopbackServer server;
    int nPort = server.Listen();
    ASSERT_NE(0, nPort);
    std::string strAfter = "unset";
    server.Serve([&](LoopbackServer& s) {
        s.ReadFrame();
        s.SendFrame("reply");
        strAfter = s.ReadFrame(); // "" once the client has gone
    });
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("message|reply"); }));
    m_wnd.DestroyClient();
    server.Join();
    PumpPending();
    EXPECT_EQ("", strAfter);
    EXPECT_EQ(-1, m_wnd.IndexOf("close|0"));

    // With the connection gone: nothing to send, nothing to read.
    EXPECT_EQ(WSAENOTCONN, m_wnd.SendData("x", 1));
    char* pBuffer = reinterpret_cast<char*>(1);
    int nLength = 5;
    EXPECT_EQ(0, m_wnd.ReadData(pBuffer, nLength));
    EXPECT_EQ(nullptr, pBuffer);
    EXPECT_EQ(0, nLength);
}

// Hands the window an FD_CLOSE for its socket at once, as when the close is
// handled before a read event for the bytes that came with it. First waits
// (capped) until Winsock holds nBytes for the socket.
void SendCloseEvent(CProbeWnd& wnd, u_long nBytes) {
    SOCKET hSocket = wnd.GetClientSocket()->GetHandle();
    DWORD dwStart = ::GetTickCount();
    u_long nReady = 0;
    while (::ioctlsocket(hSocket, FIONREAD, &nReady) == 0 && nReady < nBytes &&
           ::GetTickCount() - dwStart < 5000) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(hSocket, &readable);
        timeval tv = {0, 100000};
        ::select(0, &readable, NULL, NULL, &tv);
    }
    wnd.SendMessage(WM_TSTP_SOCKET, static_cast<WPARAM>(hSocket), WSAMAKESELECTREPLY(FD_CLOSE, 0));
}

int CountPrefix(const std::vector<std::string>& notes, const std::string& strPrefix) {
    int nCount = 0;
    for (const std::string& s : notes) {
        nCount += s.compare(0, strPrefix.size(), strPrefix) == 0 ? 1 : 0;
    }
    return nCount;
}

TEST_F(ChildWndTest, AnOversizedFrameThatComesWithTheCloseIsAnErrorNotAGracefulClose) {
    for (const std::string& strBefore : {std::string(), LoopbackServer::Frame("first")}) {
        SCOPED_TRACE(strBefore.empty() ? "header alone" : "after a whole message");
        m_wnd.m_notes.clear();
        LoopbackServer server;
        int nPort = server.Listen();
        ASSERT_NE(0, nPort);
        // The bytes go only once the window has stopped handling messages.
        HANDLE hMaySend = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        server.Serve([&](LoopbackServer& s) {
            s.ReadFrame();
            ::WaitForSingleObject(hMaySend, 5000);
            s.SendRaw(strBefore + std::string("\x7f\xff\xff\xff", 4));
            s.ClosePeer();
        });
        ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
        ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("connect|0"); }));
        ::SetEvent(hMaySend);
        server.Join();
        ::CloseHandle(hMaySend);
        SendCloseEvent(m_wnd, static_cast<u_long>(strBefore.size() + 4));
        PumpPending();
        EXPECT_TRUE(m_wnd.Has("receive|" + std::to_string(WSAEMSGSIZE)));
        EXPECT_EQ(!strBefore.empty(), m_wnd.Has("message|first"));
        EXPECT_EQ(0, CountPrefix(m_wnd.m_notes, "close|"));
        m_wnd.DestroyClient();
    }
}

// recv as Winsock reports a peer's reset: the end of the stream fails with
// WSAECONNRESET (Wine reports a reset that follows data as an orderly end).
int WSAAPI RecvWithReset(SOCKET hSocket, char* pBuffer, int nLength, int nFlags) {
    int nGot = ::recv(hSocket, pBuffer, nLength, nFlags);
    if (nGot == 0) {
        ::WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    }
    return nGot;
}

TEST_F(ChildWndTest, AReplyThatComesWithAResetIsDeliveredBeforeTheError) {
    struct ResetScope {
        CTstpSocket::RecvFunc pfnOld = CTstpSocket::SetRecvFunc(RecvWithReset);
        ~ResetScope() { CTstpSocket::SetRecvFunc(pfnOld); }
    } reset;
    LoopbackServer server;
    int nPort = server.Listen();
    ASSERT_NE(0, nPort);
    // The reply goes only once the window has stopped handling messages.
    HANDLE hMaySend = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    server.Serve([&](LoopbackServer& s) {
        s.ReadFrame();
        ::WaitForSingleObject(hMaySend, 5000);
        s.SendFrame("reply");
        s.ClosePeer();
    });
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nPort));
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("connect|0"); }));
    ::SetEvent(hMaySend);
    server.Join();
    ::CloseHandle(hMaySend);
    // The close's pull reads the reply and meets the reset.
    SendCloseEvent(m_wnd, static_cast<u_long>(LoopbackServer::Frame("reply").size()));
    EXPECT_EQ(1, CountPrefix(m_wnd.m_notes, "receive|"));
    EXPECT_TRUE(m_wnd.Has("receive|0"));
    int nMessage = m_wnd.IndexOf("message|reply");
    ASSERT_GE(nMessage, 0);
    EXPECT_LT(nMessage, m_wnd.IndexOf("close|" + std::to_string(WSAECONNRESET)));
    m_wnd.DestroyClient();
}

TEST_F(ChildWndTest, ReconnectingWhileTheCloseIsHandledReportsNoCloseOfTheNewConnection) {
    LoopbackServer first, second;
    int nFirst = first.Listen();
    int nSecond = second.Listen();
    ASSERT_NE(0, nFirst);
    ASSERT_NE(0, nSecond);
    // The first server answers only once the window has stopped handling
    // messages, so that the close is handed over by the test.
    HANDLE hMaySend = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    first.Serve([&](LoopbackServer& s) {
        s.ReadFrame();
        ::WaitForSingleObject(hMaySend, 5000);
        s.SendFrame("again");
        s.ClosePeer();
    });
    HANDLE hMayClose = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    second.Serve([&](LoopbackServer& s) {
        s.ReadFrame();
        ::WaitForSingleObject(hMayClose, 5000);
        s.ClosePeer();
    });
    m_wnd.m_onMessage = [&](const std::string& strMessage) {
        if (strMessage == "again") {
            m_wnd.CreateClient("127.0.0.1", nSecond);
        }
    };
    ASSERT_NE(0, m_wnd.CreateClient("127.0.0.1", nFirst));
    ASSERT_TRUE(PumpUntil([&] { return m_wnd.Has("connect|0"); }));
    ::SetEvent(hMaySend);
    first.Join();
    ::CloseHandle(hMaySend);
    SendCloseEvent(m_wnd, static_cast<u_long>(LoopbackServer::Frame("again").size()));
    ASSERT_TRUE(m_wnd.Has("message|again"));
    // The close belonged to the first connection; the second is connecting.
    EXPECT_EQ(0, CountPrefix(m_wnd.m_notes, "close|"));
    ASSERT_TRUE(PumpUntil([&] { return CountPrefix(m_wnd.m_notes, "connect|0") == 2; }));
    EXPECT_EQ(0, CountPrefix(m_wnd.m_notes, "close|"));
    ::SetEvent(hMayClose);
    EXPECT_TRUE(PumpUntil([&] { return m_wnd.Has("close|0"); }));
    second.Join();
    ::CloseHandle(hMayClose);
}

// Deleting the object clears every guard still on the stack, however
// nested; guards on another object and guards that ended are untouched.
TEST(AliveGuardTest, DeletionClearsEveryGuardOnTheStack) {
    CTsChildWnd* pWnd = new CTsChildWnd;
    CTsChildWnd other;
    CTsAliveGuard outer(pWnd);
    CTsAliveGuard onOther(&other);
    {
        CTsAliveGuard ended(pWnd);
        EXPECT_TRUE(ended.IsAlive());
    }
    CTsAliveGuard inner(pWnd);
    delete pWnd;
    EXPECT_FALSE(outer.IsAlive());
    EXPECT_FALSE(inner.IsAlive());
    EXPECT_TRUE(onOther.IsAlive());
}

TEST(ChildWndNoWindowTest, ConnectionCallsNeedAWindow) {
    CProbeWnd wnd;
    EXPECT_EQ(0, wnd.CreateClient("127.0.0.1", 80));
    EXPECT_EQ(WSAENOTCONN, wnd.SendData("x", 1));
    char* pBuffer = NULL;
    int nLength = 0;
    EXPECT_EQ(0, wnd.ReadData(pBuffer, nLength));
    EXPECT_EQ(WSAENOTSOCK, wnd.OnSocketConnect(NULL));
    wnd.DestroyClient();
}

} // namespace
