// Where ReadData's buffer comes from. The socket's sources are compiled into
// this program (NETSOCK_STATIC), so the allocation function replaced below
// is the one they call: the buffer must be the block that operator new
// gave out, which operator delete then frees.
#include "TstpSocket.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

void* g_pLastSingle = nullptr; // last block from operator new(size, nothrow)
std::size_t g_nLastSingle = 0; // its size

// One framed message, then nothing more for now.
const char kMessage[] = "KELP/1 svc=ChannelList";
bool g_bHanded = false;

int WSAAPI RecvOneFrame(SOCKET, char* pBuffer, int nLength, int) {
    std::vector<char> frame;
    CTsFrameBuffer::Encode(kMessage, sizeof(kMessage) - 1, frame);
    if (g_bHanded || nLength < static_cast<int>(frame.size())) {
        WSASetLastError(WSAEWOULDBLOCK);
        return SOCKET_ERROR;
    }
    g_bHanded = true;
    std::memcpy(pBuffer, frame.data(), frame.size());
    return static_cast<int>(frame.size());
}

} // namespace

// Replaces the runtime's: the same malloc, and a note of the block.
void* operator new(std::size_t nSize, const std::nothrow_t&) noexcept {
    void* p = std::malloc(nSize != 0 ? nSize : 1);
    g_pLastSingle = p;
    g_nLastSingle = nSize;
    return p;
}

TEST(ReadData, TheBufferComesFromOperatorNewAndOperatorDeleteFreesIt) {
    HWND hwnd =
        ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    CTstpSocket::RecvFunc pfnOld = CTstpSocket::SetRecvFunc(RecvOneFrame);
    CTstpSocket socket;
    // The connection's outcome never matters: the frame comes from the seam.
    ASSERT_NE(0, socket.Connect(hwnd, WM_TSTP_SOCKET, "127.0.0.1", 9));
    EXPECT_EQ(0, socket.Receive());
    char* pBuffer = nullptr;
    int nLength = 0;
    EXPECT_EQ(0, socket.ReadData(pBuffer, nLength));
    ASSERT_NE(nullptr, pBuffer);
    EXPECT_EQ(std::string(kMessage), std::string(pBuffer, nLength));
    EXPECT_EQ(g_pLastSingle, static_cast<void*>(pBuffer));
    EXPECT_EQ(sizeof(kMessage), g_nLastSingle);
    ::operator delete(pBuffer);
    socket.Close();
    CTstpSocket::SetRecvFunc(pfnOld);
    ::DestroyWindow(hwnd);
}
