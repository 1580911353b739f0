#include "Abusers.h"

namespace listload {

using asio::ip::tcp;

class Abusers::Abuser {
public:
    Abuser(Abusers& owner, Kind kind) : m_owner(owner), m_kind(kind), m_socket(owner.m_io) {}

    void Connect() {
        if (m_owner.m_stopped) {
            return;
        }
        std::error_code ec;
        m_socket.close(ec);
        m_socket.open(tcp::v4(), ec);
        if (m_kind == NoRead) {
            // A small window, so that a large reply stalls in the server.
            m_socket.set_option(asio::socket_base::receive_buffer_size(4096), ec);
        }
        m_socket.async_connect(m_owner.m_plan.server, [this](std::error_code cec) {
            if (m_owner.m_stopped) {
                return;
            }
            if (cec) {
                ++m_owner.m_counts.connectFailures;
                Again();
                return;
            }
            ++m_owner.m_counts.connects;
            Connected();
        });
    }

    void Close() {
        std::error_code ec;
        m_socket.close(ec);
    }

private:
    const std::string* Bytes() const {
        switch (m_kind) {
        case Half:
            return &m_owner.m_plan.halfBytes;
        case NoRead:
            return &m_owner.m_plan.noReadRequest;
        case Oversized:
            return &m_owner.m_plan.oversizedHeader;
        default:
            return nullptr;
        }
    }

    void Connected() {
        if (m_kind == Flood) {
            Again();
            return;
        }
        const std::string* bytes = Bytes();
        if (bytes == nullptr) {
            Sent();
            return;
        }
        asio::async_write(m_socket, asio::buffer(*bytes), [this](std::error_code ec, std::size_t) {
            if (m_owner.m_stopped) {
                return;
            }
            if (ec) {
                ++m_owner.m_counts.closedByServer;
                Again();
                return;
            }
            Sent();
        });
    }

    void Sent() {
        if (!m_counted && m_kind != Oversized) {
            m_counted = true;
            ++m_owner.m_settled;
        }
        if (m_kind == NoRead) {
            return; // holds the connection and never reads
        }
        WaitForClose();
    }

    // Reads (and drops) until the server ends the connection, then starts
    // again.
    void WaitForClose() {
        m_socket.async_read_some(asio::buffer(m_chunk), [this](std::error_code ec, std::size_t) {
            if (m_owner.m_stopped) {
                return;
            }
            if (!ec) {
                WaitForClose();
                return;
            }
            ++m_owner.m_counts.closedByServer;
            Again();
        });
    }

    void Again() {
        asio::post(m_owner.m_io, [this] { Connect(); });
    }

    Abusers& m_owner;
    Kind m_kind;
    tcp::socket m_socket;
    char m_chunk[4096];
    bool m_counted = false;
};

Abusers::Abusers(asio::io_context& io, AbusePlan plan) : m_io(io), m_plan(std::move(plan)) {}

Abusers::~Abusers() = default;

void Abusers::Start() {
    const struct {
        Kind kind;
        int count;
    } kinds[] = {{Idle, m_plan.idle},
                 {Half, m_plan.half},
                 {NoRead, m_plan.noRead},
                 {Oversized, m_plan.oversized},
                 {Flood, m_plan.flood}};
    for (const auto& k : kinds) {
        for (int i = 0; i < k.count; ++i) {
            m_abusers.push_back(std::make_unique<Abuser>(*this, k.kind));
            m_abusers.back()->Connect();
        }
    }
}

void Abusers::Stop() {
    m_stopped = true;
    for (auto& a : m_abusers) {
        a->Close();
    }
}

} // namespace listload
