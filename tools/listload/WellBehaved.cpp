#include "WellBehaved.h"

namespace listload {

using asio::ip::tcp;

class WellBehaved::Client {
public:
    Client(WellBehaved& owner) : m_owner(owner), m_socket(owner.m_io), m_timer(owner.m_io) {
        m_received.reserve(owner.m_plan.expected.size() + 1);
    }

    void Begin() {
        m_start = Clock::now();
        m_received.clear();
        m_live = true;
        ++m_round;
        const unsigned round = m_round;
        m_timer.expires_after(std::chrono::milliseconds(m_owner.m_plan.timeoutMs));
        m_timer.async_wait([this, round](std::error_code ec) {
            if (!ec && round == m_round) {
                End("timeout");
            }
        });
        m_socket.async_connect(m_owner.m_plan.server, [this, round](std::error_code ec) {
            if (round != m_round || !m_live) {
                return;
            }
            if (ec) {
                End("connect: " + ec.message());
                return;
            }
            asio::async_write(m_socket, asio::buffer(m_owner.m_plan.request),
                              [this, round](std::error_code wec, std::size_t) {
                                  if (round != m_round || !m_live) {
                                      return;
                                  }
                                  if (wec) {
                                      End("send: " + wec.message());
                                      return;
                                  }
                                  Read(round);
                              });
        });
    }

private:
    void Read(unsigned round) {
        m_socket.async_read_some(
            asio::buffer(m_chunk), [this, round](std::error_code ec, std::size_t n) {
                if (round != m_round || !m_live) {
                    return;
                }
                m_received.append(m_chunk, n);
                if (ec == asio::error::eof) {
                    End(m_received == m_owner.m_plan.expected ? "" : "wrong reply");
                } else if (ec) {
                    End("receive: " + ec.message());
                } else if (m_received.size() > m_owner.m_plan.expected.size()) {
                    End("wrong reply");
                } else {
                    Read(round);
                }
            });
    }

    // Ends the current request: "" for a success, else the kind of failure.
    void End(const std::string& failure) {
        m_live = false;
        ++m_round; // late handlers of this request do nothing
        std::error_code ec;
        m_timer.cancel();
        m_socket.close(ec);
        m_owner.Finished(*this, failure, Clock::now() - m_start);
    }

    WellBehaved& m_owner;
    tcp::socket m_socket;
    asio::steady_timer m_timer;
    Clock::time_point m_start;
    std::string m_received;
    char m_chunk[65536];
    unsigned m_round = 0;
    bool m_live = false;
};

WellBehaved::WellBehaved(asio::io_context& io, LoadPlan plan) : m_io(io), m_plan(std::move(plan)) {}

WellBehaved::~WellBehaved() = default;

void WellBehaved::Start() {
    m_begin = Clock::now();
    for (int i = 0; i < m_plan.clients; ++i) {
        m_clients.push_back(std::make_unique<Client>(*this));
    }
    for (auto& c : m_clients) {
        if (!TakeRequest()) {
            break;
        }
        ++m_running;
        c->Begin();
    }
}

bool WellBehaved::TakeRequest() {
    if (m_plan.requests != 0 ? m_started >= m_plan.requests : Clock::now() >= m_plan.until) {
        return false;
    }
    ++m_started;
    return true;
}

void WellBehaved::Finished(Client& client, const std::string& failure, Clock::duration latency) {
    if (failure.empty()) {
        ++m_results.succeeded;
        m_results.latencyUs.push_back(static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(latency).count()));
    } else {
        ++m_results.failed;
        ++m_results.failures[failure];
    }
    if (TakeRequest()) {
        // Not from inside the handler's own call chain: the socket was just
        // closed and is reopened by async_connect.
        asio::post(m_io, [&client] { client.Begin(); });
        return;
    }
    if (--m_running == 0) {
        m_results.seconds = std::chrono::duration<double>(Clock::now() - m_begin).count();
    }
}

} // namespace listload
