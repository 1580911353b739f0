// The channel-list server on one io_context: accepts connections up to a
// limit, reads framed requests, answers each from the channel data or
// misbehaves as the data or the options ask, and logs one bounded line per
// event. Every client is held to limits (docs/listserver.md): the size of a
// request, the time to send it, the time to take a reply.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <asio.hpp>

#include "ChannelData.h"

namespace listserver {

struct ServerOptions {
    std::string bind = "127.0.0.1";
    unsigned short port = 0; // 0: the system chooses
    // Applied to every connection when not None, in place of each group's.
    Misbehaviour misbehaviour;
    // Largest request frame accepted; a header announcing more closes the
    // connection. A request is a few hundred bytes.
    std::size_t maxRequest = 65536;
    // Time from the connection (or from the last answer, when the
    // connection goes on) until a whole request has arrived.
    int requestTimeoutMs = 10000;
    // Time one write may wait for the client to take its bytes: the whole
    // reply, or one byte when trickling. Past it the connection is reset.
    int replyTimeoutMs = 30000;
    // Connections open at once; past it new ones are closed at once.
    std::size_t maxConnections = 4096;
    // Longest log line, in bytes; longer ones are cut and end with "...".
    std::size_t maxLogLine = 512;
};

// Receives each log line, without its newline, on the io_context's thread.
using LogSink = std::function<void(const std::string&)>;

class Server {
public:
    // Binds and listens at once; throws asio::system_error when it cannot.
    // data must outlive the server.
    Server(asio::io_context& io, const ChannelData& data, const ServerOptions& options,
           LogSink log);
    ~Server();

    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    unsigned short Port() const { return m_port; }
    std::string Address() const { return m_address; }
    std::size_t Connections() const { return m_sessions.size(); }
    // Connections closed at once because the limit was reached.
    unsigned long long ClosedAtLimit() const { return m_closedAtLimit; }

    // Starts accepting. Call before running the io_context.
    void Start();
    // Stops accepting and closes every connection, leaving the io_context
    // without work. Call on the io_context's thread (post it from others).
    void Stop();

private:
    class Session;

    void Accept();
    void Forget(Session* session);
    // Logs one line, cut to maxLogLine.
    void Log(const std::string& line) const;

    const ChannelData& m_data;
    ServerOptions m_options;
    LogSink m_log;
    asio::ip::tcp::acceptor m_acceptor;
    asio::steady_timer m_retry; // waits before accepting again after an error
    unsigned short m_port = 0;
    std::string m_address;
    bool m_stopped = false;
    bool m_atLimit = false;       // the last connection was closed at the limit
    bool m_acceptFailing = false; // accept failed and has not worked since
    unsigned long long m_closedAtLimit = 0;
    std::size_t m_peak = 0; // most connections held since memory was last returned
    std::map<Session*, std::shared_ptr<Session>> m_sessions;
};

} // namespace listserver
