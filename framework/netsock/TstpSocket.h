// Asynchronous TCP client that exchanges length-prefixed messages (see
// FrameBuffer.h) and reports socket events as window messages.
//
// Use from one user-interface thread:
//   1. Connect(hwnd, WM_TSTP_SOCKET, host, port).
//   2. In the window procedure, for WM_TSTP_SOCKET call HandleEvent(wParam,
//      lParam, &event); when it returns non-zero, act on event:
//        FD_CONNECT  GetLastEventError(): 0 connected, else e.g. 10061 refused,
//                    or the error of sending what was queued before the
//                    connection stood (the socket is then closed).
//        FD_WRITE    queued data was flushed; GetLastEventError() as for send.
//        FD_READ     Receive(), then ReadData() until it returns 0, freeing
//                    each buffer with operator delete (see ReadData).
//        FD_CLOSE    the peer closed; Receive() and ReadData() until it
//                    returns 0 take its last messages, and remain usable
//                    until Close(). A graceful close comes only once that
//                    takes everything the peer sent: one that Winsock
//                    announces while it holds more than one Receive call
//                    takes is handed out as FD_READ, and FD_CLOSE follows
//                    once Receive has read to the end.
//                    GetLastEventError(): 0 graceful, else e.g. 10054 reset.
//   3. Send(text, length) at any time after Connect; Close() when done.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <vector>

#include "FrameBuffer.h"
#include "NetSockApi.h"

// Default notification message: wParam = SOCKET, lParam =
// WSAMAKESELECTREPLY(FD_xxx event, Winsock error).
const UINT WM_TSTP_SOCKET = WM_APP + 0x10;

class NETSOCK_API CTstpSocket {
public:
    // Largest message sent or received, in bytes: the frame limit (4 MiB).
    static constexpr int kMaxMessage = static_cast<int>(CTsFrameBuffer::kDefaultLimit);
    // Most bytes Send keeps waiting for the peer before refusing more.
    static constexpr int kMaxQueued = 4 * (kMaxMessage + 4);
    // Most bytes one Receive call takes from Winsock.
    static constexpr int kMaxReadPerCall = 65536;

    CTstpSocket();
    ~CTstpSocket();
    CTstpSocket(const CTstpSocket&) = delete;
    CTstpSocket& operator=(const CTstpSocket&) = delete;

    // Drops any earlier connection, then starts a non-blocking connect to
    // pszHost (dotted IPv4 or a host name) and nPort (1..65535); events go to
    // hNotify as uMsg. Non-zero: connecting, the outcome arrives as
    // FD_CONNECT. 0: bad address or port, or no socket could be made.
    int Connect(HWND hNotify, UINT uMsg, const char* pszHost, int nPort);
    // Accepts one notification of the current socket: stores its event in
    // *pEvent (may be null) and its error for GetLastEventError, flushes
    // queued data on FD_CONNECT and FD_WRITE. Returns 0 for notifications of
    // another or an earlier socket, which the caller ignores. The FD_READ
    // notifications the socket posts itself carry a private bit in the
    // event word, which it removes: decode notifications only here.
    int HandleEvent(WPARAM wParam, LPARAM lParam, int* pEvent);
    // Reads what Winsock holds into the frame buffer, at most
    // kMaxReadPerCall bytes; when it stops there, it posts an FD_READ to
    // read on, so one call never keeps the thread for long however fast the
    // peer sends. 0: bytes were read or the peer closed gracefully;
    // WSAEWOULDBLOCK: nothing was there;
    // WSAEMSGSIZE: a frame above kMaxMessage arrived and the socket was
    // closed (messages before it stay readable); else the Winsock error that
    // ended the connection (e.g. WSAECONNRESET).
    // What arrived comes first: when this call read bytes before the error,
    // it returns 0 so that the caller takes the messages with ReadData.
    // The error is kept (GetReceiveError) until Close or Connect: every
    // later Receive call returns it without reading, as Winsock's recv
    // keeps failing on a reset connection, and the FD_CLOSE that Winsock
    // posts for the ended connection carries it when Winsock reports none.
    int Receive();
    // Frames the message and sends it; what Winsock does not take now is
    // queued and sent on FD_CONNECT/FD_WRITE. 0: sent or queued; else
    // WSAENOTCONN, WSAEMSGSIZE, WSAENOBUFS, WSAEINVAL or the send error.
    // A send error, here or on FD_CONNECT/FD_WRITE, may leave a frame half
    // sent: it ends the connection, so the queue is dropped and later Sends
    // return WSAENOTCONN. Received messages stay readable, and after a
    // failed Send or FD_WRITE the socket stays open for the FD_CLOSE that
    // Winsock posts for the broken connection.
    int Send(const char* pData, int nLength);
    // Hands out the oldest whole message in a buffer that the caller owns.
    // The buffer is NUL-terminated; nLength excludes the NUL. No whole
    // message: pBuffer null and nLength 0. Returns non-zero while further
    // whole messages are ready.
    // The buffer comes from the allocation function operator new
    // (::operator new(nLength + 1), not new[]), so operator delete frees
    // it: ::operator delete(pBuffer), as our own callers write, or a host's
    // `delete pBuffer;`, which for a char* runs no destructor and calls the
    // same operator delete. Never delete[] or free. (Where a compiler passes
    // the size to operator delete, `delete` on a char* passes 1; the
    // runtime's operator delete ignores it, but a size checker such as
    // AddressSanitizer's reports it, hence the plain call in our code.)
    int ReadData(char*& pBuffer, int& nLength);
    // Closes the socket and drops buffered data. Notifications of the closed
    // socket still queued for the window are removed when Close runs on the
    // window's thread, once the lock is released (at the caller's last
    // Unlock when it holds Lock): removing them runs PeekMessage, which
    // handles messages sent from other threads, and nothing is handled
    // under the lock. Only those at the front of what the window got as the
    // notification message go, so that other sockets' notifications keep
    // their places; the rest stay queued and HandleEvent ignores them, and
    // no later socket of the same window and message gets their handle
    // value.
    void Close();

    // Winsock error of the last event HandleEvent accepted (0: none). For
    // FD_CLOSE without an error of its own: GetReceiveError().
    int GetLastEventError() const;
    // The Winsock error with which recv ended the connection (0: none), from
    // the Receive call that met it until Close or Connect.
    int GetReceiveError() const;

    // Test seam: the function every CTstpSocket calls instead of recv (null
    // restores recv); returns the previous one. Wine ends a connection that
    // the peer resets after sending as if the peer had closed it, so tests
    // use this to give the reset back its Winsock error.
    typedef int(WSAAPI* RecvFunc)(SOCKET hSocket, char* pBuffer, int nLength, int nFlags);
    static RecvFunc SetRecvFunc(RecvFunc pfnRecv);
    // Test seam: the function every CTstpSocket calls instead of send (null
    // restores send); returns the previous one. Lets tests break a
    // connection in the middle of a frame.
    typedef int(WSAAPI* SendFunc)(SOCKET hSocket, const char* pData, int nLength, int nFlags);
    static SendFunc SetSendFunc(SendFunc pfnSend);
    // The current socket, or INVALID_SOCKET.
    SOCKET GetHandle() const;
    // Non-zero from a successful FD_CONNECT until FD_CLOSE, an error (a send
    // error included) or Close.
    int IsConnected() const;
    // Bytes received and not yet handed out by ReadData (at most
    // kMaxMessage + 4).
    int GetBufferedSize() const;
    // Bytes accepted by Send that have not been handed to Winsock yet.
    int GetQueuedSize() const;

    // Enter and leave the object's critical section (recursive). Every public
    // operation, the getters included, takes it too, so Lock is only needed
    // to group several calls.
    void Lock() const;
    void Unlock() const;

private:
    // Where the connection stands.
    enum State { kIdle, kConnecting, kConnected, kEnded };

    int Flush();
    void PostRead();
    bool HoldsMoreThanOneRead() const;
    void PostHeldClose();
    void CloseSocket();

    // A socket closed while the lock was held, whose notifications Unlock
    // takes out of the queue.
    struct Closed {
        HWND hNotify;
        UINT uMsg;
        SOCKET hSocket;
    };

    mutable CRITICAL_SECTION m_cs;        // Lock/Unlock; also held by every public operation
    SOCKET m_hSocket;                     // current socket or INVALID_SOCKET
    HWND m_hNotify;                       // window receiving the notifications
    UINT m_uMsg;                          // notification message id
    int m_bWinsockStarted;                // WSAStartup succeeded for this object
    State m_nState;                       // where the connection stands
    int m_bReadStalled;                   // Receive stopped because the frame buffer was full
    int m_bReadPosted;                    // an FD_READ posted by PostRead has not arrived yet
    int m_bCloseHeld;                     // a graceful FD_CLOSE waits until Receive reaches the end
    int m_nLastError;                     // error carried by the last accepted event
    int m_nReceiveError;                  // error with which recv ended the connection
    CTsFrameBuffer m_frames;              // received bytes, split into messages
    std::vector<char> m_out;              // framed bytes waiting to be sent
    std::size_t m_nOutSent;               // bytes of m_out already sent
    mutable int m_nLockDepth;             // levels of the lock held by its owner
    mutable std::vector<Closed> m_closed; // closed under the lock, for Unlock
};
