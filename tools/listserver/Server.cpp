#include "Server.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <linux/sockios.h>
#include <sys/ioctl.h>
#endif

#include "FrameBuffer.h"
#include "Reply.h"

namespace listserver {

using asio::ip::tcp;

namespace {

// A frame that is well-formed but whose bytes are no message.
const char kGarbage[] = "GARBAGE\x01\xFE\xFF not a message;";
// The length an oversized header announces: one byte above the frame limit.
const std::size_t kOversizedLength = CTsFrameBuffer::kDefaultLimit + 1;
// Before a reset, how often (1 ms apart) to wait for the peer to acknowledge
// the reply, so that the reset does not throw away unsent bytes.
const int kResetWaits = 200;

std::vector<char> Frame(const std::string& message) {
    std::vector<char> out;
    CTsFrameBuffer::Encode(message.data(), message.size(), out);
    return out;
}

// After a crowd of connections has mostly gone (the count falls to a
// quarter of a peak of at least this many), the freed memory goes back to
// the system: the allocator would otherwise keep it for good.
const std::size_t kTrimPeak = 256;

void ReturnFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// A frame header announcing kOversizedLength bytes.
std::vector<char> OversizedHeader() {
    std::vector<char> bytes(CTsFrameBuffer::kHeaderSize);
    CTsFrameBuffer::EncodeHeader(kOversizedLength, reinterpret_cast<unsigned char*>(bytes.data()));
    return bytes;
}

// Bytes written to the socket but not yet acknowledged by the peer.
int UnacknowledgedBytes(tcp::socket& socket) {
#if defined(__linux__)
    int pending = 0;
    if (ioctl(socket.native_handle(), SIOCOUTQ, &pending) == 0) {
        return pending;
    }
#else
    (void)socket;
#endif
    return 0;
}

} // namespace

class Server::Session : public std::enable_shared_from_this<Session> {
public:
    Session(Server& server, tcp::socket socket, std::string peer)
        : m_server(server), m_socket(std::move(socket)), m_timer(m_socket.get_executor()),
          m_deadline(m_socket.get_executor()), m_peer(std::move(peer)),
          m_frames(server.m_options.maxRequest) {}

    void Start() {
        std::error_code ec;
        m_socket.set_option(tcp::no_delay(true), ec); // trickled bytes leave one by one
        if (m_server.m_options.misbehaviour.mode == Misbehaviour::Refuse) {
            m_server.Log("connection from=" + m_peer + " -> refuse");
            Close(true);
            return;
        }
        WaitForRequest();
    }

    // Closes the connection: orderly, or with a reset (linger 0).
    void Close(bool reset = false) {
        if (m_closed) {
            return;
        }
        m_closed = true;
        std::error_code ec;
        m_timer.cancel();
        m_deadline.cancel();
        if (reset) {
            m_socket.set_option(asio::socket_base::linger(true, 0), ec);
        } else {
            m_socket.shutdown(tcp::socket::shutdown_both, ec);
        }
        m_socket.close(ec);
        m_server.Forget(this);
    }

private:
    // Reads the next request within the request deadline.
    void WaitForRequest() {
        Arm(m_server.m_options.requestTimeoutMs, "request deadline", false);
        Next();
    }

    // Closes the connection unless Disarm is called within ms: orderly
    // while waiting for a request, with a reset for a reply the client does
    // not take (so that its unsent bytes are dropped at once).
    void Arm(int ms, const char* what, bool reset) {
        const unsigned armed = ++m_armed;
        auto self = shared_from_this();
        m_deadline.expires_after(std::chrono::milliseconds(ms));
        m_deadline.async_wait([self, armed, what, reset](std::error_code ec) {
            if (ec || self->m_closed || armed != self->m_armed) {
                return; // cancelled, or already disarmed or re-armed
            }
            self->m_server.Log(std::string(what) + " from=" + self->m_peer + " -> closed");
            self->Close(reset);
        });
    }

    void Disarm() {
        ++m_armed;
        m_deadline.cancel();
    }

    // Answers the next whole request, or reads more.
    void Next() {
        if (m_closed) {
            return;
        }
        std::size_t length = 0;
        if (const char* text = m_frames.Front(length)) {
            std::string message(text, length);
            m_frames.PopFront();
            Disarm();
            Handle(message);
            return;
        }
        if (m_frames.IsOversized()) {
            m_server.Log("oversized frame from=" + m_peer + " -> closed");
            Close();
            return;
        }
        auto self = shared_from_this();
        std::size_t space = std::min(m_buffer.size(), m_frames.GetSpace());
        m_socket.async_read_some(asio::buffer(m_buffer.data(), space),
                                 [self](std::error_code ec, std::size_t n) {
                                     if (self->m_closed) {
                                         return;
                                     }
                                     if (ec) {
                                         self->Close();
                                         return;
                                     }
                                     self->m_frames.Append(self->m_buffer.data(), n);
                                     self->Next();
                                 });
    }

    void Handle(const std::string& message) {
        Answer answer;
        std::string reason;
        if (!AnswerRequest(m_server.m_data, message.data(), message.size(), answer, reason)) {
            m_server.Log("bad request from=" + m_peer + " -> closed: " + reason);
            Close();
            return;
        }
        Misbehaviour m = m_server.m_options.misbehaviour.mode != Misbehaviour::None
                             ? m_server.m_options.misbehaviour
                             : answer.misbehaviour;
        std::string what = DescribeAnswer(answer);
        if (m.mode != Misbehaviour::None) {
            what = MisbehaviourName(m) + " (" + what + ")";
        }
        m_server.Log("request game=" + LogText(answer.game) + " sub=" + LogText(answer.sub) +
                     " from=" + m_peer + " -> " + what);
        Act(answer, m);
    }

    void Act(const Answer& answer, const Misbehaviour& m) {
        auto self = shared_from_this();
        auto next = [self] { self->WaitForRequest(); };
        auto close = [self] { self->Close(); };
        if (m.mode == Misbehaviour::None) {
            // One listing per connection: the close tells the client the
            // listing is over. The reply text is sent from where it lies.
            m_reply = answer.reply;
            CTsFrameBuffer::EncodeHeader(m_reply->size(), m_header);
            std::array<asio::const_buffer, 2> buffers = {asio::buffer(m_header),
                                                         asio::buffer(*m_reply)};
            Write(buffers, close);
            return;
        }
        std::vector<char> frame = Frame(*answer.reply);
        switch (m.mode) {
        case Misbehaviour::None:
            break;
        case Misbehaviour::Refuse:
            Close(true);
            break;
        case Misbehaviour::Silent:
            Drain();
            break;
        case Misbehaviour::CloseBefore:
            Close();
            break;
        case Misbehaviour::CloseMiddle:
            frame.resize(frame.size() / 2);
            Send(std::move(frame), close);
            break;
        case Misbehaviour::Garbage:
            Send(Frame(std::string(kGarbage, sizeof kGarbage - 1)), close);
            break;
        case Misbehaviour::Oversized: {
            std::vector<char> bytes = OversizedHeader();
            const std::string head = "KELP/1 svc=";
            bytes.insert(bytes.end(), head.begin(), head.end());
            Send(std::move(bytes), close);
            break;
        }
        case Misbehaviour::ReplyOversized: {
            // One write, so both usually arrive in one segment: the client
            // must hand out the reply before it reports the bad header.
            std::vector<char> header = OversizedHeader();
            frame.insert(frame.end(), header.begin(), header.end());
            Send(std::move(frame), close);
            break;
        }
        case Misbehaviour::Burst: {
            std::vector<char> bytes;
            for (int i = 0; i < 3; ++i) {
                bytes.insert(bytes.end(), frame.begin(), frame.end());
            }
            Send(std::move(bytes), close);
            break;
        }
        case Misbehaviour::Trickle:
            m_out = std::move(frame);
            m_trickled = 0;
            m_delay = m.ms;
            Trickle();
            break;
        case Misbehaviour::OtherService:
            Send(Frame(BuildOtherServiceReply(answer.game, answer.sub)), next);
            break;
        case Misbehaviour::Slow: {
            m_timer.expires_after(std::chrono::milliseconds(m.ms));
            auto bytes = std::make_shared<std::vector<char>>(std::move(frame));
            m_timer.async_wait([self, bytes](std::error_code ec) {
                if (!ec && !self->m_closed) {
                    self->Send(std::move(*bytes), [self] { self->Close(); });
                }
            });
            break;
        }
        case Misbehaviour::Reset:
            Send(std::move(frame), [self] { self->ResetWhenSent(0); });
            break;
        }
    }

    // Writes all bytes, then calls then; closes on a write error.
    void Send(std::vector<char> bytes, std::function<void()> then) {
        m_out = std::move(bytes);
        Write(asio::buffer(m_out), std::move(then));
    }

    // Writes buffers (which must stay alive) within the reply deadline,
    // then calls then; closes on a write error.
    template <typename Buffers> void Write(const Buffers& buffers, std::function<void()> then) {
        Arm(m_server.m_options.replyTimeoutMs, "reply deadline", true);
        auto self = shared_from_this();
        asio::async_write(m_socket, buffers, [self, then](std::error_code ec, std::size_t) {
            if (self->m_closed) {
                return;
            }
            self->Disarm();
            if (ec) {
                self->Close();
                return;
            }
            then();
        });
    }

    // One byte per write, m_delay ms apart; then the close.
    void Trickle() {
        auto self = shared_from_this();
        Write(asio::buffer(&m_out[m_trickled], 1), [self] {
            if (++self->m_trickled == self->m_out.size()) {
                self->Close();
                return;
            }
            self->m_timer.expires_after(std::chrono::milliseconds(self->m_delay));
            self->m_timer.async_wait([self](std::error_code wec) {
                if (!wec && !self->m_closed) {
                    self->Trickle();
                }
            });
        });
    }

    // Silent: reads and drops everything until the peer closes or the
    // server stops.
    void Drain() {
        auto self = shared_from_this();
        m_socket.async_read_some(asio::buffer(m_buffer), [self](std::error_code ec, std::size_t) {
            if (self->m_closed) {
                return;
            }
            if (ec) {
                self->Close();
                return;
            }
            self->Drain();
        });
    }

    // Resets once the peer has acknowledged every byte sent, or after
    // kResetWaits milliseconds.
    void ResetWhenSent(int waits) {
        if (waits >= kResetWaits || UnacknowledgedBytes(m_socket) == 0) {
            Close(true);
            return;
        }
        auto self = shared_from_this();
        m_timer.expires_after(std::chrono::milliseconds(1));
        m_timer.async_wait([self, waits](std::error_code ec) {
            if (!ec && !self->m_closed) {
                self->ResetWhenSent(waits + 1);
            }
        });
    }

    Server& m_server;
    tcp::socket m_socket;
    asio::steady_timer m_timer;    // the misbehaviours' delays
    asio::steady_timer m_deadline; // the request or reply deadline
    unsigned m_armed = 0;          // counts Arm and Disarm calls
    std::string m_peer;
    CTsFrameBuffer m_frames; // holds at most one request frame
    std::array<char, 4096> m_buffer{};
    unsigned char m_header[CTsFrameBuffer::kHeaderSize] = {};
    std::shared_ptr<const std::string> m_reply; // being written after m_header
    std::vector<char> m_out;                    // bytes being written
    std::size_t m_trickled = 0;                 // Trickle: bytes of m_out written
    int m_delay = 0;                            // Trickle: ms between bytes
    bool m_closed = false;
};

Server::Server(asio::io_context& io, const ChannelData& data, const ServerOptions& options,
               LogSink log)
    : m_data(data), m_options(options), m_log(std::move(log)), m_acceptor(io), m_retry(io) {
    tcp::endpoint endpoint(asio::ip::make_address(m_options.bind), m_options.port);
    m_acceptor.open(endpoint.protocol());
    m_acceptor.set_option(tcp::acceptor::reuse_address(true));
    m_acceptor.bind(endpoint);
    m_acceptor.listen(asio::socket_base::max_listen_connections);
    tcp::endpoint local = m_acceptor.local_endpoint();
    m_port = local.port();
    m_address = local.address().to_string();
}

Server::~Server() = default;

void Server::Start() {
    Accept();
}

void Server::Stop() {
    if (m_stopped) {
        return;
    }
    m_stopped = true;
    std::error_code ec;
    m_acceptor.close(ec);
    m_retry.cancel();
    auto sessions = m_sessions; // Close() forgets each one
    for (auto& entry : sessions) {
        entry.second->Close();
    }
}

void Server::Accept() {
    m_acceptor.async_accept([this](std::error_code ec, tcp::socket socket) {
        if (m_stopped) {
            return;
        }
        if (ec) {
            // Out of descriptors and the like: try again a little later
            // rather than spinning, and say so once until it works again.
            if (!m_acceptFailing) {
                Log("accept failed: " + ec.message() + " (retrying every 100 ms)");
                m_acceptFailing = true;
            }
            m_retry.expires_after(std::chrono::milliseconds(100));
            m_retry.async_wait([this](std::error_code wec) {
                if (!wec && !m_stopped) {
                    Accept();
                }
            });
            return;
        }
        if (m_acceptFailing) {
            Log("accepting again");
            m_acceptFailing = false;
        }
        if (m_sessions.size() >= m_options.maxConnections) {
            // Closed before anything is read; the connections held go on.
            std::error_code cec;
            socket.close(cec);
            ++m_closedAtLimit;
            if (!m_atLimit) {
                Log("connection limit " + std::to_string(m_options.maxConnections) +
                    " reached -> closing new connections");
                m_atLimit = true;
            }
            Accept();
            return;
        }
        std::error_code pec;
        tcp::endpoint peer = socket.remote_endpoint(pec);
        std::string name =
            pec ? "?" : peer.address().to_string() + ":" + std::to_string(peer.port());
        auto session = std::make_shared<Session>(*this, std::move(socket), name);
        m_sessions[session.get()] = session;
        m_peak = std::max(m_peak, m_sessions.size());
        session->Start();
        Accept();
    });
}

void Server::Forget(Session* session) {
    m_sessions.erase(session);
    if (m_peak >= kTrimPeak && m_sessions.size() * 4 <= m_peak) {
        ReturnFreeMemory();
        m_peak = m_sessions.size();
    }
    if (m_atLimit && m_sessions.size() < m_options.maxConnections) {
        Log("below the connection limit again; " + std::to_string(m_closedAtLimit) +
            " connections closed at the limit so far");
        m_atLimit = false;
    }
}

void Server::Log(const std::string& line) const {
    if (line.size() <= m_options.maxLogLine) {
        m_log(line);
        return;
    }
    const std::size_t keep = m_options.maxLogLine > 3 ? m_options.maxLogLine - 3 : 0;
    m_log(line.substr(0, keep) + "...");
}

} // namespace listserver
