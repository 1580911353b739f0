#include "TstpSocket.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Bytes asked of recv at a time.
const int kRecvChunk = 16384;
// An emptied send queue keeps at most this much storage.
const std::size_t kKeptQueueCapacity = 65536;
// Set in the event word of the FD_READ notifications the socket posts itself,
// so that HandleEvent knows when the one it posted has arrived. Above every
// FD_ bit; HandleEvent removes it before anyone sees the event.
const int kPostedBySocket = 0x4000;

// What Receive calls instead of recv; null: recv (see SetRecvFunc).
CTstpSocket::RecvFunc g_pfnRecv = nullptr;
// What Flush calls instead of send; null: send (see SetSendFunc).
CTstpSocket::SendFunc g_pfnSend = nullptr;

// Holds the socket's critical section for one scope.
class CTsSocketLock {
public:
    explicit CTsSocketLock(const CTstpSocket& socket) : m_socket(socket) { m_socket.Lock(); }
    ~CTsSocketLock() { m_socket.Unlock(); }
    CTsSocketLock(const CTsSocketLock&) = delete;
    CTsSocketLock& operator=(const CTsSocketLock&) = delete;

private:
    const CTstpSocket& m_socket;
};

// Closed sockets whose notifications may still wait in a window's queue,
// with the window and message they went to: those that could not be taken
// out without moving another socket's, and those of sockets closed off the
// window's thread. Connect gives no new socket of the same window and
// message such a handle value, so they can never pass for the new socket's.
// Shared by every socket of the process, since sockets of one window may
// share its message. Made once and never destroyed, so that sockets which
// die late in the process still find it.
class CTsStaleNotifications {
public:
    static CTsStaleNotifications& Instance() {
        static CTsStaleNotifications* pInstance = new CTsStaleNotifications;
        return *pInstance;
    }

    void Add(HWND hwnd, UINT uMsg, SOCKET hSocket) {
        EnterCriticalSection(&m_cs);
        if (m_entries.size() >= kMaxEntries) {
            m_entries.erase(m_entries.begin()); // the oldest are the likeliest gone
        }
        m_entries.push_back(Entry{hwnd, uMsg, hSocket});
        LeaveCriticalSection(&m_cs);
    }

    void Remove(HWND hwnd, UINT uMsg, SOCKET hSocket) {
        EnterCriticalSection(&m_cs);
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].Is(hwnd, uMsg, hSocket)) {
                m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
        LeaveCriticalSection(&m_cs);
    }

    bool Contains(HWND hwnd, UINT uMsg, SOCKET hSocket) {
        EnterCriticalSection(&m_cs);
        bool bFound = false;
        for (const Entry& entry : m_entries) {
            bFound = bFound || entry.Is(hwnd, uMsg, hSocket);
        }
        LeaveCriticalSection(&m_cs);
        return bFound;
    }

private:
    struct Entry {
        HWND hwnd;
        UINT uMsg;
        SOCKET hSocket;
        bool Is(HWND h, UINT u, SOCKET s) const { return hwnd == h && uMsg == u && hSocket == s; }
    };
    static const std::size_t kMaxEntries = 64;

    CTsStaleNotifications() { InitializeCriticalSection(&m_cs); }

    CRITICAL_SECTION m_cs;
    std::vector<Entry> m_entries; // oldest first
};

// A new socket for notifications to hwnd as uMsg, whose handle value no
// stale notification of that window and message carries.
SOCKET OpenSocket(HWND hwnd, UINT uMsg) {
    const std::size_t kMaxTries = 8;
    CTsStaleNotifications& stale = CTsStaleNotifications::Instance();
    std::vector<SOCKET> spare;
    SOCKET hSocket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    while (hSocket != INVALID_SOCKET && stale.Contains(hwnd, uMsg, hSocket) &&
           spare.size() < kMaxTries) {
        spare.push_back(hSocket); // kept open so that the next one differs
        hSocket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    }
    for (SOCKET hSpare : spare) {
        closesocket(hSpare);
    }
    return hSocket;
}

// Takes the notifications of the closed socket hOld out of the calling
// thread's queue, from the front of what hwnd got as uMsg, and stops at the
// first one of another socket: Windows can take a message out only together
// with every matching one before it, and those would have to be posted again
// behind messages that came after them. What is left behind stays in the
// registry of stale notifications. Called without the socket's lock, since
// PeekMessage handles messages sent from other threads.
void RemoveNotifications(HWND hwnd, UINT uMsg, SOCKET hOld) {
    CTsStaleNotifications& stale = CTsStaleNotifications::Instance();
    if (!IsWindow(hwnd)) {
        stale.Remove(hwnd, uMsg, hOld); // a destroyed window gets nothing more
        return;
    }
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        return; // only the window's thread can reach its queue
    }
    MSG msg;
    while (PeekMessage(&msg, hwnd, uMsg, uMsg, PM_NOREMOVE)) {
        if (static_cast<SOCKET>(msg.wParam) != hOld) {
            return;
        }
        if (PeekMessage(&msg, hwnd, uMsg, uMsg, PM_REMOVE) &&
            static_cast<SOCKET>(msg.wParam) != hOld) {
            // A message handled in between changed the queue's front: the
            // other socket's notification goes back, late rather than lost.
            PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            return;
        }
    }
    stale.Remove(hwnd, uMsg, hOld);
}

// Resolves a dotted IPv4 address or a host name to an IPv4 address.
bool ResolveHost(const char* pszHost, in_addr& addr) {
    unsigned long ip = inet_addr(pszHost);
    if (ip != INADDR_NONE) {
        addr.s_addr = ip;
        return true;
    }
    hostent* pHost = gethostbyname(pszHost);
    if (pHost == nullptr || pHost->h_addrtype != AF_INET || pHost->h_length != 4 ||
        pHost->h_addr_list[0] == nullptr) {
        return false;
    }
    std::memcpy(&addr, pHost->h_addr_list[0], 4);
    return true;
}

} // namespace

CTstpSocket::CTstpSocket()
    : m_hSocket(INVALID_SOCKET), m_hNotify(nullptr), m_uMsg(WM_TSTP_SOCKET), m_bWinsockStarted(0),
      m_nState(kIdle), m_bReadStalled(0), m_bReadPosted(0), m_bCloseHeld(0), m_nLastError(0),
      m_nReceiveError(0), m_frames(kMaxMessage), m_nOutSent(0), m_nLockDepth(0) {
    InitializeCriticalSection(&m_cs);
}

CTstpSocket::~CTstpSocket() {
    Close();
    if (m_bWinsockStarted) {
        WSACleanup();
    }
    DeleteCriticalSection(&m_cs);
}

// Winsock is started once per object, at its first Connect, and cleaned up by
// the destructor; Winsock counts these calls itself. The earlier connection
// is closed before the lock is taken, so that its queued notifications are
// gone before a new socket exists.
int CTstpSocket::Connect(HWND hNotify, UINT uMsg, const char* pszHost, int nPort) {
    Close();
    CTsSocketLock lock(*this);
    if (hNotify == nullptr || pszHost == nullptr || *pszHost == '\0' || nPort < 1 ||
        nPort > 65535) {
        return 0;
    }
    if (!m_bWinsockStarted) {
        WSADATA wsa;
        if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
            return 0;
        }
        m_bWinsockStarted = 1;
    }
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(nPort));
    if (!ResolveHost(pszHost, addr.sin_addr)) {
        return 0;
    }
    SOCKET hSocket = OpenSocket(hNotify, uMsg);
    if (hSocket == INVALID_SOCKET) {
        return 0;
    }
    m_hSocket = hSocket;
    m_hNotify = hNotify;
    m_uMsg = uMsg;
    m_nLastError = 0;
    if (WSAAsyncSelect(hSocket, hNotify, uMsg, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) ==
            SOCKET_ERROR ||
        (connect(hSocket, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR &&
         WSAGetLastError() != WSAEWOULDBLOCK)) {
        Close();
        return 0;
    }
    m_nState = kConnecting;
    return 1;
}

int CTstpSocket::HandleEvent(WPARAM wParam, LPARAM lParam, int* pEvent) {
    CTsSocketLock lock(*this);
    if (m_hSocket == INVALID_SOCKET || static_cast<SOCKET>(wParam) != m_hSocket) {
        return 0;
    }
    int nEvent = WSAGETSELECTEVENT(lParam);
    if ((nEvent & kPostedBySocket) != 0) {
        nEvent &= ~kPostedBySocket;
        m_bReadPosted = 0;
    }
    m_nLastError = WSAGETSELECTERROR(lParam);
    switch (nEvent) {
    case FD_CONNECT:
        m_nState = m_nLastError == 0 ? kConnected : kEnded;
        if (m_nState == kConnected) {
            m_nLastError = Flush();
            // The queue could not go out: the connection failed after all,
            // so nothing more of it may reach the window.
            if (m_nLastError != 0) {
                CloseSocket();
            }
        }
        break;
    case FD_WRITE:
        if (m_nLastError == 0) {
            m_nLastError = Flush();
        }
        break;
    case FD_CLOSE:
        // A graceful close may be announced while Winsock still holds more
        // than one Receive call takes (a full frame buffer, or more than the
        // per-call bound). Reported now, it would let the owner close the
        // socket with messages unread; it is reported as FD_READ instead,
        // and Receive posts it again once it has read to the end.
        if (m_nLastError == 0 && m_nReceiveError == 0 && HoldsMoreThanOneRead()) {
            m_bCloseHeld = 1;
            nEvent = FD_READ;
            break;
        }
        m_bCloseHeld = 0;
        // A reset that Receive met is the close's error when Winsock (or
        // Wine, which turns a reset into an orderly end) reports none.
        m_nState = kEnded;
        if (m_nLastError == 0) {
            m_nLastError = m_nReceiveError;
        }
        break;
    default:
        break;
    }
    if (pEvent != nullptr) {
        *pEvent = nEvent;
    }
    return 1;
}

// Reads until Winsock has nothing more, the frame buffer is full or
// kMaxReadPerCall bytes were taken. A full buffer always holds a whole
// message; ReadData posts a fresh FD_READ once it has handed the messages
// out, because Winsock only re-announces data after a recv call. At the
// per-call bound an FD_READ is posted at once, so that a peer streaming
// without pause (keep-alives are taken without filling the buffer) never
// keeps the window's thread in one call: the rest is read on later
// notifications, with the thread's other messages handled in between. An
// error met after bytes were read in the same call is reported from the
// next call on, so that callers which stop at an error still take the
// messages that came before it.
int CTstpSocket::Receive() {
    CTsSocketLock lock(*this);
    if (m_hSocket == INVALID_SOCKET) {
        return WSAENOTCONN;
    }
    if (m_nReceiveError != 0) {
        return m_nReceiveError;
    }
    char chunk[kRecvChunk];
    bool bRead = false;
    std::size_t nTaken = 0;
    m_bReadStalled = 0;
    for (;;) {
        std::size_t nSpace = m_frames.GetSpace();
        if (nSpace == 0) {
            m_bReadStalled = 1;
            return 0;
        }
        std::size_t nQuota = static_cast<std::size_t>(kMaxReadPerCall) - nTaken;
        if (nQuota == 0) {
            PostRead();
            return 0;
        }
        int nWant = static_cast<int>(
            std::min(std::min(nSpace, nQuota), static_cast<std::size_t>(kRecvChunk)));
        int nGot = g_pfnRecv != nullptr ? g_pfnRecv(m_hSocket, chunk, nWant, 0)
                                        : recv(m_hSocket, chunk, nWant, 0);
        if (nGot > 0) {
            bRead = true;
            nTaken += static_cast<std::size_t>(nGot);
            m_frames.Append(chunk, static_cast<std::size_t>(nGot));
            if (m_frames.IsOversized()) {
                CloseSocket();
                m_nState = kEnded;
                return WSAEMSGSIZE;
            }
            continue;
        }
        if (nGot == 0) {
            PostHeldClose();
            return 0;
        }
        int nError = WSAGetLastError();
        if (nError == WSAEWOULDBLOCK) {
            return bRead ? 0 : WSAEWOULDBLOCK;
        }
        m_nState = kEnded;
        m_nReceiveError = nError;
        PostHeldClose();
        return bRead ? 0 : nError;
    }
}

// Appends the framed message to the send queue and, once connected, pushes
// the queue to Winsock.
int CTstpSocket::Send(const char* pData, int nLength) {
    CTsSocketLock lock(*this);
    if (nLength < 0 || (pData == nullptr && nLength > 0)) {
        return WSAEINVAL;
    }
    if (m_hSocket == INVALID_SOCKET || m_nState == kEnded) {
        return WSAENOTCONN;
    }
    if (nLength > kMaxMessage) {
        return WSAEMSGSIZE;
    }
    if (GetQueuedSize() + static_cast<int>(CTsFrameBuffer::kHeaderSize) + nLength > kMaxQueued) {
        return WSAENOBUFS;
    }
    m_out.erase(m_out.begin(), m_out.begin() + static_cast<std::ptrdiff_t>(m_nOutSent));
    m_nOutSent = 0;
    CTsFrameBuffer::Encode(pData, static_cast<std::size_t>(nLength), m_out, kMaxMessage);
    return m_nState == kConnected ? Flush() : 0;
}

int CTstpSocket::ReadData(char*& pBuffer, int& nLength) {
    CTsSocketLock lock(*this);
    pBuffer = nullptr;
    nLength = 0;
    std::size_t nSize = 0;
    const char* pMessage = m_frames.Front(nSize);
    if (pMessage == nullptr) {
        return 0;
    }
    // A message that cannot be copied is dropped rather than blocking the
    // rest. operator new, not new[]: the caller frees with operator delete.
    char* pCopy = static_cast<char*>(::operator new(nSize + 1, std::nothrow));
    if (pCopy != nullptr) {
        std::memcpy(pCopy, pMessage, nSize);
        pCopy[nSize] = '\0';
        pBuffer = pCopy;
        nLength = static_cast<int>(nSize);
    }
    m_frames.PopFront();
    int bMore = m_frames.GetMessageCount() > 0;
    if (!bMore && m_bReadStalled) {
        m_bReadStalled = 0;
        PostRead();
    }
    return bMore;
}

void CTstpSocket::Close() {
    CTsSocketLock lock(*this);
    CloseSocket();
    m_frames.Clear();
    std::vector<char>().swap(m_out);
    m_nOutSent = 0;
    m_bReadStalled = 0;
    m_bReadPosted = 0;
    m_bCloseHeld = 0;
    m_nReceiveError = 0;
    m_nState = kIdle;
}

CTstpSocket::RecvFunc CTstpSocket::SetRecvFunc(RecvFunc pfnRecv) {
    RecvFunc pfnOld = g_pfnRecv != nullptr ? g_pfnRecv : recv;
    g_pfnRecv = pfnRecv;
    return pfnOld;
}

int CTstpSocket::GetLastEventError() const {
    CTsSocketLock lock(*this);
    return m_nLastError;
}

int CTstpSocket::GetReceiveError() const {
    CTsSocketLock lock(*this);
    return m_nReceiveError;
}

SOCKET CTstpSocket::GetHandle() const {
    CTsSocketLock lock(*this);
    return m_hSocket;
}

int CTstpSocket::IsConnected() const {
    CTsSocketLock lock(*this);
    return m_nState == kConnected;
}

int CTstpSocket::GetBufferedSize() const {
    CTsSocketLock lock(*this);
    return static_cast<int>(m_frames.GetSize());
}

int CTstpSocket::GetQueuedSize() const {
    CTsSocketLock lock(*this);
    return static_cast<int>(m_out.size() - m_nOutSent);
}

CTstpSocket::SendFunc CTstpSocket::SetSendFunc(SendFunc pfnSend) {
    SendFunc pfnOld = g_pfnSend != nullptr ? g_pfnSend : send;
    g_pfnSend = pfnSend;
    return pfnOld;
}

void CTstpSocket::Lock() const {
    EnterCriticalSection(&m_cs);
    ++m_nLockDepth;
}

// Leaving the outermost level removes the notifications of the sockets
// closed meanwhile, after the lock is released.
void CTstpSocket::Unlock() const {
    std::vector<Closed> closed;
    if (--m_nLockDepth == 0) {
        closed.swap(m_closed);
    }
    LeaveCriticalSection(&m_cs);
    for (const Closed& entry : closed) {
        RemoveNotifications(entry.hNotify, entry.uMsg, entry.hSocket);
    }
}

// Sends queued bytes until Winsock would block. Returns 0, or the send error:
// the connection is then broken, maybe in the middle of a frame, so the queue
// is dropped and the connection has ended (nothing more can be sent on it).
int CTstpSocket::Flush() {
    while (m_nOutSent < m_out.size()) {
        std::size_t nLeft = m_out.size() - m_nOutSent;
        const char* pData = &m_out[m_nOutSent];
        int nGot = g_pfnSend != nullptr ? g_pfnSend(m_hSocket, pData, static_cast<int>(nLeft), 0)
                                        : send(m_hSocket, pData, static_cast<int>(nLeft), 0);
        if (nGot == SOCKET_ERROR) {
            int nError = WSAGetLastError();
            if (nError == WSAEWOULDBLOCK) {
                return 0;
            }
            m_out.clear();
            m_nOutSent = 0;
            m_nState = kEnded;
            return nError;
        }
        m_nOutSent += static_cast<std::size_t>(nGot);
    }
    m_out.clear();
    m_nOutSent = 0;
    if (m_out.capacity() > kKeptQueueCapacity) {
        std::vector<char>().swap(m_out);
    }
    return 0;
}

// Posts an FD_READ for the current socket so that reading goes on from the
// message loop, unless one the socket posted is still on its way.
void CTstpSocket::PostRead() {
    if (m_hSocket == INVALID_SOCKET || m_bReadPosted) {
        return;
    }
    if (PostMessage(m_hNotify, m_uMsg, static_cast<WPARAM>(m_hSocket),
                    WSAMAKESELECTREPLY(FD_READ | kPostedBySocket, 0))) {
        m_bReadPosted = 1;
    }
}

// True when Winsock holds more bytes than one Receive call would take now.
bool CTstpSocket::HoldsMoreThanOneRead() const {
    u_long nUnread = 0;
    if (ioctlsocket(m_hSocket, FIONREAD, &nUnread) != 0) {
        return false;
    }
    std::size_t nOneCall = std::min(m_frames.GetSpace(), static_cast<std::size_t>(kMaxReadPerCall));
    return static_cast<std::size_t>(nUnread) > nOneCall;
}

// Posts the close that HandleEvent held back, now that Receive has met the
// end of what the peer sent. Kept for the next attempt if it cannot be
// posted.
void CTstpSocket::PostHeldClose() {
    if (!m_bCloseHeld || m_hSocket == INVALID_SOCKET) {
        return;
    }
    if (PostMessage(m_hNotify, m_uMsg, static_cast<WPARAM>(m_hSocket),
                    WSAMAKESELECTREPLY(FD_CLOSE, 0))) {
        m_bCloseHeld = 0;
    }
}

// Stops notifications and closes the handle, keeping received messages for
// ReadData. The socket's notifications still queued for the window are
// marked stale at once and taken out when the lock is released (Unlock).
void CTstpSocket::CloseSocket() {
    if (m_hSocket == INVALID_SOCKET) {
        return;
    }
    SOCKET hOld = m_hSocket;
    m_hSocket = INVALID_SOCKET;
    m_bCloseHeld = 0;
    WSAAsyncSelect(hOld, m_hNotify, 0, 0);
    closesocket(hOld);
    if (m_hNotify != nullptr) {
        CTsStaleNotifications::Instance().Add(m_hNotify, m_uMsg, hOld);
        m_closed.push_back(Closed{m_hNotify, m_uMsg, hOld});
    }
}
