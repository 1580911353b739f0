// The channel-list server on one io_context: accepts any number of
// connections, reads framed requests, answers each from the channel data or
// misbehaves as the data or the options ask, and logs one line per event.
#pragma once

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

    // Starts accepting. Call before running the io_context.
    void Start();
    // Stops accepting and closes every connection, leaving the io_context
    // without work. Call on the io_context's thread (post it from others).
    void Stop();

private:
    class Session;

    void Accept();
    void Forget(Session* session);

    const ChannelData& m_data;
    ServerOptions m_options;
    LogSink m_log;
    asio::ip::tcp::acceptor m_acceptor;
    asio::steady_timer m_retry; // waits before accepting again after an error
    unsigned short m_port = 0;
    std::string m_address;
    bool m_stopped = false;
    std::map<Session*, std::shared_ptr<Session>> m_sessions;
};

} // namespace listserver
