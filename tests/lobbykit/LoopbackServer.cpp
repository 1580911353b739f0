// LoopbackServer: the tests' blocking server.
#include "LoopbackServer.h"

// Cap of every blocking wait, in milliseconds.
static const DWORD kWaitCap = 5000;

LoopbackServer::LoopbackServer() : m_hListen(INVALID_SOCKET), m_hPeer(INVALID_SOCKET) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

LoopbackServer::~LoopbackServer() {
    Join();
    ClosePeer();
    if (m_hListen != INVALID_SOCKET) {
        closesocket(m_hListen);
    }
    WSACleanup();
}

int LoopbackServer::Listen() {
    m_hListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int nSize = sizeof(addr);
    if (m_hListen == INVALID_SOCKET ||
        bind(m_hListen, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
        listen(m_hListen, 4) != 0 ||
        getsockname(m_hListen, reinterpret_cast<sockaddr*>(&addr), &nSize) != 0) {
        return 0;
    }
    return ntohs(addr.sin_port);
}

void LoopbackServer::Serve(std::function<void(LoopbackServer&)> script) {
    m_thread = std::thread([this, script] {
        if (Accept()) {
            script(*this);
        }
    });
}

void LoopbackServer::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool LoopbackServer::Accept() {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_hListen, &set);
    timeval wait = {static_cast<long>(kWaitCap / 1000), 0};
    if (select(0, &set, nullptr, nullptr, &wait) != 1) {
        return false;
    }
    m_hPeer = accept(m_hListen, nullptr, nullptr);
    DWORD dwTimeout = kWaitCap;
    setsockopt(m_hPeer, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&dwTimeout),
               sizeof(dwTimeout));
    setsockopt(m_hPeer, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<char*>(&dwTimeout),
               sizeof(dwTimeout));
    return m_hPeer != INVALID_SOCKET;
}

bool LoopbackServer::ReadExactly(char* pBuffer, int nLength) {
    int nDone = 0;
    while (nDone < nLength) {
        int n = recv(m_hPeer, pBuffer + nDone, nLength - nDone, 0);
        if (n <= 0) {
            return false;
        }
        nDone += n;
    }
    return true;
}

std::string LoopbackServer::ReadFrame() {
    unsigned char header[4];
    if (!ReadExactly(reinterpret_cast<char*>(header), 4)) {
        return "";
    }
    int nLength = (header[0] << 24) | (header[1] << 16) | (header[2] << 8) | header[3];
    if (nLength <= 0 || nLength > 65536) {
        return "";
    }
    std::string message(static_cast<size_t>(nLength), '\0');
    return ReadExactly(&message[0], nLength) ? message : std::string();
}

bool LoopbackServer::SendRaw(const std::string& bytes) {
    size_t nSent = 0;
    while (nSent < bytes.size()) {
        int n = send(m_hPeer, bytes.data() + nSent, static_cast<int>(bytes.size() - nSent), 0);
        if (n <= 0) {
            return false;
        }
        nSent += static_cast<size_t>(n);
    }
    return true;
}

bool LoopbackServer::SendFrame(const std::string& message) {
    return SendRaw(Frame(message));
}

void LoopbackServer::ClosePeer() {
    if (m_hPeer != INVALID_SOCKET) {
        shutdown(m_hPeer, SD_SEND);
        closesocket(m_hPeer);
        m_hPeer = INVALID_SOCKET;
    }
}

int LoopbackServer::RefusedPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET h = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int nSize = sizeof(addr);
    int nPort = 0;
    if (bind(h, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        getsockname(h, reinterpret_cast<sockaddr*>(&addr), &nSize) == 0) {
        nPort = ntohs(addr.sin_port);
    }
    closesocket(h);
    WSACleanup();
    return nPort;
}

std::string LoopbackServer::Frame(const std::string& message) {
    size_t n = message.size();
    std::string bytes;
    bytes += static_cast<char>((n >> 24) & 0xFF);
    bytes += static_cast<char>((n >> 16) & 0xFF);
    bytes += static_cast<char>((n >> 8) & 0xFF);
    bytes += static_cast<char>(n & 0xFF);
    return bytes + message;
}
