// Well-behaved channel-list clients for the load tool: each connects, sends
// one request, reads the reply to the server's close and starts again, until
// a number of requests or a time is reached. One io_context, no threads.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <asio.hpp>

namespace listload {

using Clock = std::chrono::steady_clock;

struct LoadPlan {
    asio::ip::tcp::endpoint server;
    std::string request;             // the framed request
    std::string expected;            // the framed reply, received whole before the close
    int clients = 1;                 // running at once
    unsigned long long requests = 0; // 0: until `until`
    Clock::time_point until;         // no request starts after it
    int timeoutMs = 10000;           // one request, connect to close
};

struct LoadResults {
    unsigned long long succeeded = 0;
    unsigned long long failed = 0;
    std::map<std::string, unsigned long long> failures; // count by kind
    std::vector<std::uint32_t> latencyUs;               // of each success
    double seconds = 0;                                 // first start to last end
};

class WellBehaved {
public:
    WellBehaved(asio::io_context& io, LoadPlan plan);
    ~WellBehaved();

    void Start();
    // True once every client has finished its last request.
    bool Done() const { return m_running == 0; }
    // Complete once Done().
    LoadResults& Results() { return m_results; }

private:
    class Client;

    bool TakeRequest(); // false when no more requests may start
    void Finished(Client& client, const std::string& failure, Clock::duration latency);

    asio::io_context& m_io;
    LoadPlan m_plan;
    LoadResults m_results;
    std::vector<std::unique_ptr<Client>> m_clients;
    unsigned long long m_started = 0;
    int m_running = 0;
    Clock::time_point m_begin;
};

} // namespace listload
