// A blocking TCP server on 127.0.0.1 for the tests: it accepts one client
// on a thread of its own and follows a script (read a frame, send frames,
// close). Every blocking call is capped, so a broken test fails instead of
// hanging. Frames are the wire format: 4-byte big-endian length + bytes.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();

    // Starts listening; returns the port, 0 on failure.
    int Listen();
    // Runs script on the server thread once a client is accepted (the
    // script is skipped when none comes within the cap).
    void Serve(std::function<void(LoopbackServer&)> script);
    // Waits for the server thread to end.
    void Join();

    // For scripts: read one frame ("" on error), send one frame or raw
    // bytes, close the connection.
    std::string ReadFrame();
    bool SendFrame(const std::string& message);
    bool SendRaw(const std::string& bytes);
    void ClosePeer();

    // A port on 127.0.0.1 where nobody listens (connections are refused).
    static int RefusedPort();
    // One message framed for the wire.
    static std::string Frame(const std::string& message);

private:
    bool Accept();
    bool ReadExactly(char* pBuffer, int nLength);

    SOCKET m_hListen;     // listening socket
    SOCKET m_hPeer;       // accepted client
    std::thread m_thread; // runs the script
};
