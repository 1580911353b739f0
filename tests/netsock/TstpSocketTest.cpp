// CTstpSocket over real loopback TCP: a hidden window receives the socket's
// notifications and routes them as the lobby's child window does, while a
// blocking Winsock listener in the test plays the server.
#include "TstpSocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

const char kClassName[] = "NetsockTestWindow";
const UINT WM_TEST_SENTINEL = WM_APP + 0x40;
const UINT WM_TEST_SENT = WM_APP + 0x41;
// Safety cap for every wait: a broken test fails instead of hanging.
const DWORD kWaitCap = 5000;

// What the window saw; the socket lives here so that the window procedure
// can reach it.
struct Recorder {
    CTstpSocket socket;
    std::vector<std::pair<int, int>> events; // accepted (event, error)
    std::vector<int> receives;               // Receive results
    std::vector<std::string> messages;       // ReadData buffers, in order
    std::vector<int> more;                   // ReadData results with a buffer
    int nIgnored = 0;                        // notifications HandleEvent refused
    int nReadEvents = 0;                     // FD_READ notifications accepted
    bool bLazy = false;                      // leave FD_READ to the test
    bool bCloseOnEnd = false;                // Close the socket once FD_CLOSE is read
    bool bSentinel = false;                  // WM_TEST_SENTINEL arrived
    std::size_t nKeepAlivesAtSentinel = 0;   // g_nKeepAliveBytes then
    SOCKET hTraced = INVALID_SOCKET;         // traced as "own"; any other as "other"
    std::vector<std::string> trace;          // notifications and sentinels, in arrival order
    int nSentUnderLock = 0;                  // WM_TEST_SENT handled while the socket was locked
};

// Keep-alive bytes RecvKeepAlivesFirst still hands out.
std::size_t g_nKeepAliveBytes = 0;

// recv of a peer that streams keep-alive frames (zero lengths) without
// pause: g_nKeepAliveBytes zero bytes come before what the connection holds.
int WSAAPI RecvKeepAlivesFirst(SOCKET hSocket, char* pBuffer, int nLength, int nFlags) {
    if (g_nKeepAliveBytes == 0) {
        return recv(hSocket, pBuffer, nLength, nFlags);
    }
    std::size_t n = std::min(static_cast<std::size_t>(nLength), g_nKeepAliveBytes);
    std::memset(pBuffer, 0, n);
    g_nKeepAliveBytes -= n;
    return static_cast<int>(n);
}

// recv as Winsock behaves when the peer resets the connection: Wine reports
// a reset that follows data as an orderly end (0), Winsock as WSAECONNRESET.
int WSAAPI RecvWithReset(SOCKET hSocket, char* pBuffer, int nLength, int nFlags) {
    int nGot = recv(hSocket, pBuffer, nLength, nFlags);
    if (nGot == 0) {
        WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    }
    return nGot;
}

// Bytes SendThenReset still lets through.
int g_nSendAllowance = 0;

// send on a connection that breaks after g_nSendAllowance bytes: what is
// left of the allowance goes out, then every call fails as after a reset.
int WSAAPI SendThenReset(SOCKET hSocket, const char* pData, int nLength, int nFlags) {
    if (g_nSendAllowance <= 0) {
        WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    }
    int nSent = send(hSocket, pData, std::min(nLength, g_nSendAllowance), nFlags);
    if (nSent > 0) {
        g_nSendAllowance -= nSent;
    }
    return nSent;
}

// Puts a send function in place for one scope.
class SendFuncScope {
public:
    explicit SendFuncScope(CTstpSocket::SendFunc pfnSend)
        : m_pfnOld(CTstpSocket::SetSendFunc(pfnSend)) {}
    ~SendFuncScope() { CTstpSocket::SetSendFunc(m_pfnOld); }
    SendFuncScope(const SendFuncScope&) = delete;
    SendFuncScope& operator=(const SendFuncScope&) = delete;

private:
    CTstpSocket::SendFunc m_pfnOld;
};

// Puts a recv function in place for one scope.
class RecvFuncScope {
public:
    explicit RecvFuncScope(CTstpSocket::RecvFunc pfnRecv)
        : m_pfnOld(CTstpSocket::SetRecvFunc(pfnRecv)) {}
    ~RecvFuncScope() { CTstpSocket::SetRecvFunc(m_pfnOld); }
    RecvFuncScope(const RecvFuncScope&) = delete;
    RecvFuncScope& operator=(const RecvFuncScope&) = delete;

private:
    CTstpSocket::RecvFunc m_pfnOld;
};

// Reads what arrived and takes every whole message, as the lobby does on
// FD_READ (and on FD_CLOSE, for bytes still unread).
void ReadAll(Recorder& rec) {
    rec.receives.push_back(rec.socket.Receive());
    for (;;) {
        char* pBuffer = nullptr;
        int nLength = -1;
        int bMore = rec.socket.ReadData(pBuffer, nLength);
        if (pBuffer == nullptr) {
            EXPECT_EQ(0, nLength);
            EXPECT_EQ(0, bMore);
            return;
        }
        EXPECT_EQ('\0', pBuffer[nLength]);
        rec.messages.emplace_back(pBuffer, nLength);
        rec.more.push_back(bMore);
        ::operator delete(pBuffer);
        if (!bMore) {
            return;
        }
    }
}

LRESULT CALLBACK TestWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    Recorder* pRec = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (pRec != nullptr && uMsg == WM_TSTP_SOCKET) {
        if (pRec->hTraced != INVALID_SOCKET) {
            pRec->trace.push_back(
                (static_cast<SOCKET>(wParam) == pRec->hTraced ? "own:" : "other:") +
                std::to_string(WSAGETSELECTEVENT(lParam)));
        }
        int nEvent = 0;
        if (!pRec->socket.HandleEvent(wParam, lParam, &nEvent)) {
            ++pRec->nIgnored;
            return 0;
        }
        pRec->events.emplace_back(nEvent, pRec->socket.GetLastEventError());
        pRec->nReadEvents += nEvent == FD_READ;
        if (!pRec->bLazy && (nEvent == FD_READ || nEvent == FD_CLOSE)) {
            ReadAll(*pRec);
            if (nEvent == FD_CLOSE && pRec->bCloseOnEnd) {
                pRec->socket.Close();
            }
        }
        return 0;
    }
    if (pRec != nullptr && uMsg == WM_TEST_SENT) {
        // Whether another thread can take the socket's lock now.
        CTstpSocket* pSocket = &pRec->socket;
        std::thread taker([pSocket] {
            pSocket->Lock();
            pSocket->Unlock();
        });
        HANDLE hTaker = reinterpret_cast<HANDLE>(taker.native_handle());
        pRec->nSentUnderLock += WaitForSingleObject(hTaker, kWaitCap) != WAIT_OBJECT_0;
        taker.detach();
        return 0;
    }
    if (pRec != nullptr && uMsg == WM_TEST_SENTINEL) {
        pRec->trace.push_back("sentinel");
        pRec->bSentinel = true;
        pRec->nKeepAlivesAtSentinel = g_nKeepAliveBytes;
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

// Dispatches messages until done() holds or the cap passes.
template <class Pred> bool PumpUntil(Pred done) {
    DWORD dwStart = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) {
            return true;
        }
        DWORD dwElapsed = GetTickCount() - dwStart;
        if (dwElapsed >= kWaitCap) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitCap - dwElapsed, QS_ALLINPUT);
    }
}

// Waits (capped) until Winsock holds at least nBytes unread for hSocket.
bool WaitForUnread(SOCKET hSocket, u_long nBytes) {
    DWORD dwStart = GetTickCount();
    u_long nReady = 0;
    while (ioctlsocket(hSocket, FIONREAD, &nReady) == 0 && nReady < nBytes &&
           GetTickCount() - dwStart < kWaitCap) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(hSocket, &readable);
        timeval tv = {0, 100000};
        select(0, &readable, nullptr, nullptr, &tv);
    }
    return nReady >= nBytes;
}

// Each message as its first byte and its length, for readable failures.
std::vector<std::string> Summary(const std::vector<std::string>& messages) {
    std::vector<std::string> summary;
    for (const std::string& message : messages) {
        summary.push_back(message.substr(0, 1) + ":" + std::to_string(message.size()));
    }
    return summary;
}

std::string Frame(const std::string& message) {
    std::vector<char> out;
    CTsFrameBuffer::Encode(message.data(), message.size(), out);
    return std::string(out.begin(), out.end());
}

// Blocking loopback server: one listener on 127.0.0.1 and one accepted peer,
// with time-outs on every call.
class LoopbackServer {
public:
    ~LoopbackServer() {
        ClosePeer();
        CloseListener();
    }

    int Listen() {
        m_hListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int nSize = sizeof(addr);
        if (bind(m_hListen, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            listen(m_hListen, 4) != 0 ||
            getsockname(m_hListen, reinterpret_cast<sockaddr*>(&addr), &nSize) != 0) {
            return 0;
        }
        return ntohs(addr.sin_port);
    }

    bool Accept() {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_hListen, &set);
        timeval wait = {static_cast<long>(kWaitCap / 1000), 0};
        if (select(0, &set, nullptr, nullptr, &wait) != 1) {
            return false;
        }
        ClosePeer();
        m_hPeer = accept(m_hListen, nullptr, nullptr);
        DWORD dwTimeout = kWaitCap;
        setsockopt(m_hPeer, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&dwTimeout),
                   sizeof(dwTimeout));
        setsockopt(m_hPeer, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<char*>(&dwTimeout),
                   sizeof(dwTimeout));
        return m_hPeer != INVALID_SOCKET;
    }

    bool SendAll(const std::string& data) {
        std::size_t nSent = 0;
        while (nSent < data.size()) {
            int n = send(m_hPeer, data.data() + nSent, static_cast<int>(data.size() - nSent), 0);
            if (n <= 0) {
                return false;
            }
            nSent += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads exactly nLength bytes, or what came before an error or time-out.
    std::string ReceiveExactly(std::size_t nLength) {
        std::string data;
        char chunk[4096];
        while (data.size() < nLength) {
            int nWant = static_cast<int>(std::min(sizeof(chunk), nLength - data.size()));
            int n = recv(m_hPeer, chunk, nWant, 0);
            if (n <= 0) {
                break;
            }
            data.append(chunk, static_cast<std::size_t>(n));
        }
        return data;
    }

    // Result of one recv: 0 when the client closed, SOCKET_ERROR otherwise.
    int ReceiveEnd(int* pError) {
        char c;
        int n = recv(m_hPeer, &c, 1, 0);
        *pError = n == SOCKET_ERROR ? WSAGetLastError() : 0;
        return n;
    }

    // Ends the connection with a reset instead of an orderly close.
    void ResetPeer() {
        linger abort = {1, 0};
        setsockopt(m_hPeer, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&abort), sizeof(abort));
        ClosePeer();
    }

    void ClosePeer() {
        if (m_hPeer != INVALID_SOCKET) {
            closesocket(m_hPeer);
            m_hPeer = INVALID_SOCKET;
        }
    }

    void CloseListener() {
        if (m_hListen != INVALID_SOCKET) {
            closesocket(m_hListen);
            m_hListen = INVALID_SOCKET;
        }
    }

private:
    SOCKET m_hListen = INVALID_SOCKET;
    SOCKET m_hPeer = INVALID_SOCKET;
};

class TstpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA wsa;
        ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        ASSERT_NE(0, RegisterClassA(&wc));
        m_hwnd = CreateWindowA(kClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_hwnd);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_rec));
        m_nPort = m_server.Listen();
        ASSERT_NE(0, m_nPort);
    }

    void TearDown() override {
        m_rec.socket.Close();
        DestroyWindow(m_hwnd);
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
        WSACleanup();
    }

    // Starts the client's connect, accepts it and waits for FD_CONNECT.
    void ConnectAndAccept() {
        ASSERT_NE(0, m_rec.socket.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
        ASSERT_TRUE(m_server.Accept());
        ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CONNECT); }));
        ASSERT_EQ(0, m_rec.events.front().second);
        ASSERT_NE(0, m_rec.socket.IsConnected());
    }

    bool HasEvent(int nEvent) const {
        for (const auto& event : m_rec.events) {
            if (event.first == nEvent) {
                return true;
            }
        }
        return false;
    }

    HWND m_hwnd = nullptr;
    Recorder m_rec;
    LoopbackServer m_server;
    int m_nPort = 0;
};

TEST_F(TstpSocketTest, ConnectRejectsBadArgumentsAtOnce) {
    CTstpSocket& s = m_rec.socket;
    EXPECT_EQ(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", 0));
    EXPECT_EQ(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", 65536));
    EXPECT_EQ(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", -1));
    EXPECT_EQ(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, nullptr, m_nPort));
    EXPECT_EQ(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "", m_nPort));
    EXPECT_EQ(0, s.Connect(nullptr, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
    EXPECT_EQ(INVALID_SOCKET, s.GetHandle());
    EXPECT_EQ(WSAENOTCONN, s.Send("x", 1));
    EXPECT_EQ(WSAENOTCONN, s.Receive());
    EXPECT_EQ(0, s.HandleEvent(123, WSAMAKESELECTREPLY(FD_READ, 0), nullptr));
}

TEST_F(TstpSocketTest, RefusedConnectionReportsTheErrorOnFdConnect) {
    m_server.CloseListener();
    ASSERT_NE(0, m_rec.socket.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CONNECT); }));
    EXPECT_EQ(FD_CONNECT, m_rec.events.front().first);
    EXPECT_EQ(WSAECONNREFUSED, m_rec.events.front().second);
    EXPECT_EQ(0, m_rec.socket.IsConnected());
    EXPECT_EQ(WSAENOTCONN, m_rec.socket.Send("x", 1));
}

TEST_F(TstpSocketTest, SendFramesMessagesAndQueuesThemUntilConnected) {
    CTstpSocket& s = m_rec.socket;
    // A host name resolves like a dotted address.
    ASSERT_NE(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "localhost", m_nPort));
    // Before FD_CONNECT the message waits in the queue.
    EXPECT_EQ(0, s.Send("early", 5));
    EXPECT_EQ(9, s.GetQueuedSize());
    ASSERT_TRUE(m_server.Accept());
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CONNECT); }));
    EXPECT_EQ(0, s.GetQueuedSize());
    EXPECT_EQ(std::string("\0\0\0\x05"
                          "early",
                          9),
              m_server.ReceiveExactly(9));

    EXPECT_EQ(0, s.Send("second message", 14));
    EXPECT_EQ(Frame("second message"), m_server.ReceiveExactly(18));

    std::string tooBig(CTstpSocket::kMaxMessage + 1, 'b');
    EXPECT_EQ(WSAEMSGSIZE, s.Send(tooBig.data(), static_cast<int>(tooBig.size())));
    EXPECT_EQ(WSAEINVAL, s.Send("x", -1));
    EXPECT_EQ(WSAEINVAL, s.Send(nullptr, 3));
    EXPECT_EQ(0, s.GetQueuedSize());
}

TEST_F(TstpSocketTest, PartialMessageWaitsForItsRest) {
    ConnectAndAccept();
    std::string frame = Frame("half and half");
    ASSERT_TRUE(m_server.SendAll(frame.substr(0, 7)));
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_READ); }));
    EXPECT_EQ(0, m_rec.receives.front());
    EXPECT_TRUE(m_rec.messages.empty());

    ASSERT_TRUE(m_server.SendAll(frame.substr(7)));
    ASSERT_TRUE(PumpUntil([this] { return !m_rec.messages.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"half and half"}, m_rec.messages);
}

TEST_F(TstpSocketTest, CoalescedMessagesComeOutOneByOneInOrder) {
    ConnectAndAccept();
    ASSERT_TRUE(m_server.SendAll(Frame("one") + Frame("two") + Frame("three")));
    ASSERT_TRUE(PumpUntil([this] { return m_rec.messages.size() >= 3; }));
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), m_rec.messages);
    EXPECT_EQ((std::vector<int>{1, 1, 0}), m_rec.more);
}

TEST_F(TstpSocketTest, FullBufferResumesReadingOnceMessagesAreTaken) {
    ConnectAndAccept();
    m_rec.bLazy = true;
    // Two messages of two thirds of the largest each: more than the buffer holds.
    const std::size_t nEach = CTstpSocket::kMaxMessage / 3 * 2;
    std::vector<std::string> sent = {std::string(nEach, 'x'), std::string(nEach, 'y')};
    std::string stream = Frame(sent[0]) + Frame(sent[1]);
    bool bSent = false;
    std::thread sender([&] { bSent = m_server.SendAll(stream); });
    // An owner that reads without taking messages fills the buffer to its bound.
    const int nFull = CTstpSocket::kMaxMessage + 4;
    bool bFull = PumpUntil([this, nFull] {
        m_rec.socket.Receive();
        EXPECT_LE(m_rec.socket.GetBufferedSize(), nFull);
        return m_rec.socket.GetBufferedSize() == nFull;
    });
    // Winsock announces no more data until recv runs again; taking the
    // messages must restart reading.
    bool bFirst = false;
    int nReadsBefore = 0;
    if (bFull) {
        PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
        PumpUntil([this] { return m_rec.bSentinel; });
        nReadsBefore = m_rec.nReadEvents;
        char* pBuffer = nullptr;
        int nLength = 0;
        EXPECT_EQ(0, m_rec.socket.ReadData(pBuffer, nLength));
        bFirst = pBuffer != nullptr && std::string(pBuffer, nLength) == sent[0];
        ::operator delete(pBuffer);
        m_rec.bLazy = false;
    }
    bool bDone = bFull && PumpUntil([this] { return !m_rec.messages.empty(); });
    if (!bDone) {
        m_rec.socket.Close(); // unblocks the sender
    }
    sender.join();
    ASSERT_TRUE(bFull);
    EXPECT_TRUE(bFirst);
    EXPECT_GT(m_rec.nReadEvents, nReadsBefore);
    ASSERT_TRUE(bDone);
    EXPECT_TRUE(bSent);
    EXPECT_EQ(std::vector<std::string>{sent[1]}, m_rec.messages);
}

TEST_F(TstpSocketTest, OversizedFrameEndsTheConnection) {
    ConnectAndAccept();
    unsigned char header[4];
    CTsFrameBuffer::EncodeHeader(CTstpSocket::kMaxMessage + 1, header);
    std::string data = Frame("before") + std::string(reinterpret_cast<char*>(header), 4) + "xx";
    ASSERT_TRUE(m_server.SendAll(data));
    ASSERT_TRUE(PumpUntil([this] { return !m_rec.receives.empty(); }));
    EXPECT_EQ(WSAEMSGSIZE, m_rec.receives.back());
    EXPECT_EQ(std::vector<std::string>{"before"}, m_rec.messages);
    EXPECT_EQ(INVALID_SOCKET, m_rec.socket.GetHandle());
    EXPECT_EQ(WSAENOTCONN, m_rec.socket.Receive());
    // The server sees the connection end (orderly or reset), not a time-out.
    int nError = 0;
    int n = m_server.ReceiveEnd(&nError);
    EXPECT_TRUE(n == 0 || nError == WSAECONNRESET) << n << " " << nError;
}

TEST_F(TstpSocketTest, PeerCloseDeliversFdCloseAndTheLastMessage) {
    ConnectAndAccept();
    ASSERT_TRUE(m_server.SendAll(Frame("bye")));
    m_server.ClosePeer();
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CLOSE); }));
    EXPECT_EQ(std::vector<std::string>{"bye"}, m_rec.messages);
    EXPECT_EQ(0, m_rec.socket.IsConnected());
    EXPECT_EQ(WSAENOTCONN, m_rec.socket.Send("x", 1));
}

TEST_F(TstpSocketTest, AReplyFollowedByAResetIsReadBeforeTheErrorIsReported) {
    RecvFuncScope resetKeepsItsError(RecvWithReset);
    ConnectAndAccept();
    m_rec.bLazy = true;
    ASSERT_TRUE(m_server.SendAll(Frame("reply")));
    m_server.ResetPeer();
    // FD_CLOSE is queued once the reset has arrived: one Receive then reads
    // the reply and meets the reset.
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CLOSE); }));
    ReadAll(m_rec);
    EXPECT_EQ(0, m_rec.receives.back());
    EXPECT_EQ(std::vector<std::string>{"reply"}, m_rec.messages);
    EXPECT_EQ(WSAECONNRESET, m_rec.socket.Receive());
    EXPECT_EQ(WSAECONNRESET, m_rec.socket.GetReceiveError());
    EXPECT_EQ(0, m_rec.socket.IsConnected());
    // A close notification that comes after Receive met the reset reports
    // it, though Wine's carries no error.
    ASSERT_NE(0, m_rec.socket.HandleEvent(m_rec.socket.GetHandle(), WSAMAKESELECTREPLY(FD_CLOSE, 0),
                                          nullptr));
    EXPECT_EQ(WSAECONNRESET, m_rec.socket.GetLastEventError());
}

TEST_F(TstpSocketTest, CloseDropsQueuedNotificationsAndReconnectStartsClean) {
    CTstpSocket& s = m_rec.socket;
    ASSERT_NE(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
    ASSERT_TRUE(m_server.Accept());
    ASSERT_TRUE(m_server.SendAll(Frame("stale")));
    // Wait, without dispatching, until a notification of this socket is queued.
    MSG msg;
    DWORD dwStart = GetTickCount();
    while (!PeekMessageA(&msg, m_hwnd, WM_TSTP_SOCKET, WM_TSTP_SOCKET, PM_NOREMOVE) &&
           GetTickCount() - dwStart < kWaitCap) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    ASSERT_TRUE(PeekMessageA(&msg, m_hwnd, WM_TSTP_SOCKET, WM_TSTP_SOCKET, PM_NOREMOVE));
    EXPECT_NE(0, s.HandleEvent(msg.wParam, WSAMAKESELECTREPLY(FD_WRITE, 0), nullptr));

    s.Close();
    EXPECT_FALSE(PeekMessageA(&msg, m_hwnd, WM_TSTP_SOCKET, WM_TSTP_SOCKET, PM_NOREMOVE));
    PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
    ASSERT_TRUE(PumpUntil([this] { return m_rec.bSentinel; }));
    EXPECT_TRUE(m_rec.events.empty());
    EXPECT_EQ(0, m_rec.nIgnored);

    // A new connection sees only its own events.
    ConnectAndAccept();
    EXPECT_EQ(FD_CONNECT, m_rec.events.front().first);
    ASSERT_TRUE(m_server.SendAll(Frame("fresh")));
    ASSERT_TRUE(PumpUntil([this] { return !m_rec.messages.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"fresh"}, m_rec.messages);
}

TEST_F(TstpSocketTest, GettersWaitForTheLock) {
    ConnectAndAccept();
    CTstpSocket& s = m_rec.socket;
    const std::vector<std::function<void()>> getters = {
        [&s] { s.GetLastEventError(); }, [&s] { s.GetReceiveError(); }, [&s] { s.GetHandle(); },
        [&s] { s.IsConnected(); },       [&s] { s.GetBufferedSize(); }, [&s] { s.GetQueuedSize(); },
    };
    std::vector<HANDLE> done;
    std::vector<std::thread> callers;
    s.Lock();
    for (const auto& getter : getters) {
        HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        done.push_back(hDone);
        callers.emplace_back([getter, hDone] {
            getter();
            SetEvent(hDone);
        });
    }
    // While this thread holds the lock, no getter on another thread returns.
    DWORD dwWait = WaitForMultipleObjects(static_cast<DWORD>(done.size()), done.data(), FALSE, 300);
    s.Unlock();
    DWORD dwAll =
        WaitForMultipleObjects(static_cast<DWORD>(done.size()), done.data(), TRUE, kWaitCap);
    for (std::thread& caller : callers) {
        caller.join();
    }
    for (HANDLE hDone : done) {
        CloseHandle(hDone);
    }
    EXPECT_EQ(WAIT_TIMEOUT, dwWait);
    EXPECT_EQ(WAIT_OBJECT_0, dwAll);
}

TEST_F(TstpSocketTest, AFailedFlushOnConnectReportsTheErrorAndCloses) {
    CTstpSocket& s = m_rec.socket;
    ASSERT_NE(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
    ASSERT_EQ(0, s.Send("queued", 6));
    g_nSendAllowance = 3;
    SendFuncScope breaksAfterThreeBytes(SendThenReset);
    ASSERT_TRUE(m_server.Accept());
    ASSERT_TRUE(PumpUntil([this] { return HasEvent(FD_CONNECT); }));
    EXPECT_EQ(WSAECONNRESET, m_rec.events.front().second);
    EXPECT_EQ(0, s.IsConnected());
    EXPECT_EQ(INVALID_SOCKET, s.GetHandle());
    EXPECT_EQ(0, s.GetQueuedSize());
    EXPECT_EQ(WSAENOTCONN, s.Send("x", 1));
    // The peer sees the half frame and then the end, not a time-out.
    EXPECT_EQ(std::string("\0\0\0", 3), m_server.ReceiveExactly(3));
    int nError = 0;
    int n = m_server.ReceiveEnd(&nError);
    EXPECT_TRUE(n == 0 || nError == WSAECONNRESET) << n << " " << nError;
    // Nothing more of that connection reaches the window.
    PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
    ASSERT_TRUE(PumpUntil([this] { return m_rec.bSentinel; }));
    EXPECT_EQ(1u, m_rec.events.size());
}

TEST_F(TstpSocketTest, AFailedSendEndsTheConnection) {
    ConnectAndAccept();
    CTstpSocket& s = m_rec.socket;
    g_nSendAllowance = 3;
    SendFuncScope breaksAfterThreeBytes(SendThenReset);
    EXPECT_EQ(WSAECONNRESET, s.Send("half", 4));
    EXPECT_EQ(0, s.IsConnected());
    EXPECT_EQ(0, s.GetQueuedSize());
    // No frame follows the half-sent one.
    EXPECT_EQ(WSAENOTCONN, s.Send("next", 4));
}

TEST_F(TstpSocketTest, AnEndlessRunOfKeepAlivesIsReadInBoundedSteps) {
    ConnectAndAccept();
    m_rec.bLazy = true;
    ASSERT_TRUE(m_server.SendAll(Frame("after")));
    ASSERT_TRUE(WaitForUnread(m_rec.socket.GetHandle(), 9));
    const std::size_t nStream = 16 * 1048576;
    g_nKeepAliveBytes = nStream;
    RecvFuncScope keepAlives(RecvKeepAlivesFirst);
    // One call takes a bounded share of the stream and returns.
    EXPECT_EQ(0, m_rec.socket.Receive());
    std::size_t nFirst = nStream - g_nKeepAliveBytes;
    EXPECT_GT(nFirst, 0u);
    EXPECT_LE(nFirst, static_cast<std::size_t>(CTstpSocket::kMaxReadPerCall));
    // Notifications it posts read the rest, with other messages in between.
    m_rec.bLazy = false;
    PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
    ASSERT_TRUE(PumpUntil([this] { return !m_rec.messages.empty(); }));
    EXPECT_TRUE(m_rec.bSentinel);
    EXPECT_GT(m_rec.nKeepAlivesAtSentinel, 0u);
    EXPECT_EQ(std::vector<std::string>{"after"}, m_rec.messages);
    EXPECT_EQ(0u, g_nKeepAliveBytes);
}

TEST_F(TstpSocketTest, EverythingSentBeforeTheCloseIsReadBeforeFdClose) {
    ConnectAndAccept();
    m_rec.bLazy = true;
    // The first two messages fill the frame buffer exactly; the other two
    // wait in Winsock when the peer closes.
    const std::size_t nHalf = CTstpSocket::kMaxMessage / 2;
    const std::vector<std::string> sent = {std::string(nHalf, 'a'), std::string(nHalf - 4, 'b'),
                                           std::string(20000, 'c'), std::string(20000, 'd')};
    std::string stream;
    for (const std::string& message : sent) {
        stream += Frame(message);
    }
    bool bSent = false;
    std::thread sender([&] {
        bSent = m_server.SendAll(stream);
        m_server.ClosePeer();
    });
    const int nFull = CTstpSocket::kMaxMessage + 4;
    bool bFull = PumpUntil([this, nFull] {
        m_rec.socket.Receive();
        return m_rec.socket.GetBufferedSize() == nFull;
    });
    sender.join();
    ASSERT_TRUE(bFull);
    ASSERT_TRUE(bSent);
    SOCKET hSocket = m_rec.socket.GetHandle();
    ASSERT_TRUE(WaitForUnread(hSocket, 1));
    // The close is handled first, as Winsock may post it before the rest is
    // read; an owner that closes the socket on FD_CLOSE must have every
    // message by then.
    m_rec.bLazy = false;
    m_rec.bCloseOnEnd = true;
    SendMessageA(m_hwnd, WM_TSTP_SOCKET, hSocket, WSAMAKESELECTREPLY(FD_CLOSE, 0));
    ASSERT_TRUE(PumpUntil([this] { return m_rec.socket.GetHandle() == INVALID_SOCKET; }));
    EXPECT_EQ(Summary(sent), Summary(m_rec.messages));
    EXPECT_EQ(std::make_pair(FD_CLOSE, 0), m_rec.events.back());
}

TEST_F(TstpSocketTest, CloseTakesOnlyItsOwnNotificationsAndDispatchesNothingUnderItsLock) {
    ConnectAndAccept();
    CTstpSocket& s = m_rec.socket;
    PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
    ASSERT_TRUE(PumpUntil([this] { return m_rec.bSentinel; }));
    m_rec.events.clear();
    // Another socket notifies the same window with the same message.
    SOCKET hOwn = s.GetHandle();
    SOCKET hOther = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(INVALID_SOCKET, hOther);
    m_rec.hTraced = hOwn;
    m_rec.trace.clear();
    PostMessageA(m_hwnd, WM_TSTP_SOCKET, hOwn, WSAMAKESELECTREPLY(FD_READ, 0));
    PostMessageA(m_hwnd, WM_TSTP_SOCKET, hOther, WSAMAKESELECTREPLY(FD_READ, 0));
    PostMessageA(m_hwnd, WM_TEST_SENTINEL, 0, 0);
    PostMessageA(m_hwnd, WM_TSTP_SOCKET, hOwn, WSAMAKESELECTREPLY(FD_WRITE, 0));
    PostMessageA(m_hwnd, WM_TSTP_SOCKET, hOther, WSAMAKESELECTREPLY(FD_WRITE, 0));
    // A message sent from another thread waits for this thread.
    HWND hwnd = m_hwnd;
    std::thread sender([hwnd] { SendMessageA(hwnd, WM_TEST_SENT, 0, 0); });
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitCap, QS_SENDMESSAGE);
    EXPECT_NE(0u, HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE);

    s.Close();
    // A new connection never takes the handle value of notifications that
    // may still be queued.
    ASSERT_NE(0, s.Connect(m_hwnd, WM_TSTP_SOCKET, "127.0.0.1", m_nPort));
    EXPECT_NE(hOwn, s.GetHandle());
    ASSERT_TRUE(m_server.Accept());
    m_rec.bSentinel = false;
    ASSERT_TRUE(PumpUntil([this] { return m_rec.bSentinel; }));
    sender.join();
    closesocket(hOther);
    EXPECT_EQ(0, m_rec.nSentUnderLock);
    // The leading notification of the closed socket is gone; the one behind
    // another socket's stays in place (and is ignored), so that the other
    // socket's keep their order around the sentinel.
    ASSERT_GE(m_rec.trace.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"other:1", "sentinel", "own:2", "other:2"}),
              std::vector<std::string>(m_rec.trace.begin(), m_rec.trace.begin() + 4));
    // The first event the socket accepts is the new connection's.
    ASSERT_TRUE(PumpUntil([this] { return !m_rec.events.empty(); }));
    EXPECT_EQ(FD_CONNECT, m_rec.events.front().first);
}

} // namespace
