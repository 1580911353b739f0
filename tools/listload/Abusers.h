// Abusive clients for the load tool, beside the well-behaved ones:
//   idle      connect and send nothing;
//   half      send the header and half of a request, then nothing;
//   no-read   send a whole request and never read the reply;
//   oversized send a header announcing more than the server takes, again
//             and again;
//   flood     connect and close at once, again and again.
// Idle and half clients connect again when the server closes them; no-read
// clients are connected once. All stop at Stop().
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <asio.hpp>

namespace listload {

struct AbusePlan {
    asio::ip::tcp::endpoint server;
    int idle = 0;
    int half = 0;
    int noRead = 0;
    int oversized = 0;
    int flood = 0;
    std::string halfBytes;       // what a half client sends
    std::string noReadRequest;   // the framed request a no-read client sends
    std::string oversizedHeader; // the header an oversized client sends
};

struct AbuseCounts {
    unsigned long long connects = 0;       // connections made
    unsigned long long closedByServer = 0; // idle, half and oversized ones the server ended
    unsigned long long connectFailures = 0;
};

class Abusers {
public:
    Abusers(asio::io_context& io, AbusePlan plan);
    ~Abusers();

    void Start();
    // True once every idle, half and no-read client is connected and has
    // sent its bytes.
    bool Settled() const { return m_settled == m_plan.idle + m_plan.half + m_plan.noRead; }
    // Closes every connection; loops end.
    void Stop();
    const AbuseCounts& Counts() const { return m_counts; }

private:
    class Abuser;
    enum Kind { Idle, Half, NoRead, Oversized, Flood };

    asio::io_context& m_io;
    AbusePlan m_plan;
    AbuseCounts m_counts;
    std::vector<std::unique_ptr<Abuser>> m_abusers;
    int m_settled = 0;
    bool m_stopped = false;
};

} // namespace listload
