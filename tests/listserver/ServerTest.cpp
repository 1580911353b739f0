// The server on loopback, run in-process on its own thread, talked to with
// plain client sockets. Waits are bounded by generous timeouts only.
#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "FrameBuffer.h"
#include "KelpParser.h"
#include "Reply.h"
#include "Server.h"

using asio::ip::tcp;
using listserver::Misbehaviour;

namespace {

const auto kTimeout = std::chrono::seconds(5);

std::string Group(const std::string& sub, const std::string& misbehave) {
    std::string text = "group G " + sub + "\n";
    if (!misbehave.empty()) {
        text += "misbehave " + misbehave + "\n";
    }
    return text + "channel C3 | Free 3 | 127.0.0.1 | 7003 | 10 | 300 | 50 | 4 | 2\n"
                  "channel C1 | Free 1 | 127.0.0.1 | 7001 | 0 | 300 | 50 | 4 | 2\n";
}

std::string Request(const std::string& sub) {
    CKelpParser msg(G::serviceChannelList, G::commandGetChannelList, "", 1, "", 0);
    msg.AddValue(G::keyGameId, "G");
    msg.AddValue(G::keySubId, sub.c_str());
    char* text = nullptr;
    int length = 0;
    msg.GetURL(text, length);
    return std::string(text, static_cast<std::size_t>(length));
}

std::string Framed(const std::string& message) {
    std::vector<char> out;
    CTsFrameBuffer::Encode(message.data(), message.size(), out);
    return std::string(out.begin(), out.end());
}

// What a client received until the peer closed, reset or went quiet.
struct Received {
    std::string bytes;
    std::error_code end; // eof, connection_reset, or timed_out
    int reads = 0;
};

class Client {
public:
    explicit Client(unsigned short port) : m_socket(m_io) {
        m_socket.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
    }

    void Send(const std::string& bytes) { asio::write(m_socket, asio::buffer(bytes)); }

    // Reads until the connection ends, or until `enough` bytes when given.
    Received Read(std::size_t enough = 0) {
        Received r;
        auto deadline = std::chrono::steady_clock::now() + kTimeout;
        while (enough == 0 || r.bytes.size() < enough) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{m_socket.native_handle(), POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                r.end = asio::error::timed_out;
                break;
            }
            char buf[4096];
            std::size_t n = m_socket.read_some(asio::buffer(buf), r.end);
            if (r.end) {
                break;
            }
            r.bytes.append(buf, n);
            ++r.reads;
        }
        return r;
    }

    tcp::socket& Socket() { return m_socket; }

private:
    asio::io_context m_io;
    tcp::socket m_socket;
};

std::vector<std::string> Messages(const std::string& bytes, bool* oversized = nullptr) {
    CTsFrameBuffer frames;
    frames.Append(bytes.data(), bytes.size());
    std::vector<std::string> out;
    std::size_t length = 0;
    while (const char* p = frames.Front(length)) {
        out.emplace_back(p, length);
        frames.PopFront();
    }
    if (oversized) {
        *oversized = frames.IsOversized();
    }
    return out;
}

class ListServer : public ::testing::Test {
protected:
    void Run(const std::string& text, const listserver::ServerOptions& options = {}) {
        std::istringstream in(text);
        std::string error;
        ASSERT_TRUE(m_data.Load(in, "server.txt", error)) << error;
        m_server = std::make_unique<listserver::Server>(
            m_io, m_data, options, [this](const std::string& line) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_log.push_back(line);
                m_logged.notify_all();
            });
        m_server->Start();
        std::promise<void> done;
        m_done = done.get_future();
        m_thread = std::thread([this, d = std::move(done)]() mutable {
            m_io.run();
            d.set_value();
        });
    }

    // Stops the server from outside its thread; true when run() returned.
    bool Stop() {
        if (!m_thread.joinable()) {
            return true;
        }
        asio::post(m_io, [this] { m_server->Stop(); });
        bool stopped = m_done.wait_for(kTimeout) == std::future_status::ready;
        if (!stopped) {
            m_io.stop();
        }
        m_thread.join();
        return stopped;
    }

    void TearDown() override { Stop(); }

    std::vector<std::string> Log() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }

    // Waits until the server has logged `count` lines; false on timeout.
    bool WaitForLog(std::size_t count) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_logged.wait_for(lock, kTimeout, [&] { return m_log.size() >= count; });
    }

    std::string Expected(const std::string& sub) { return m_data.Find("G", sub)->reply; }

    unsigned short Port() const { return m_server->Port(); }

    asio::io_context m_io;
    listserver::ChannelData m_data;
    std::unique_ptr<listserver::Server> m_server;
    std::thread m_thread;
    std::future<void> m_done;
    std::mutex m_mutex;
    std::condition_variable m_logged;
    std::vector<std::string> m_log;
};

TEST_F(ListServer, AnswersAndLogsARequest) {
    Run(Group("OK", ""));
    Client c(Port());
    c.Send(Framed(Request("OK")));
    std::string frame = Framed(Expected("OK"));
    Received r = c.Read(frame.size());
    EXPECT_EQ(r.bytes, frame);
    ASSERT_TRUE(Stop());
    std::string peer = std::to_string(c.Socket().local_endpoint().port());
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0], "request game=G sub=OK from=127.0.0.1:" + peer + " -> ok 2 channels");
}

TEST_F(ListServer, ServesTwoClientsAtOnce) {
    Run(Group("OK", ""));
    Client a(Port()), b(Port());
    std::string request = Framed(Request("OK"));
    std::string frame = Framed(Expected("OK"));
    // a's request stays half sent while b is answered in full.
    a.Send(request.substr(0, 10));
    b.Send(request);
    EXPECT_EQ(b.Read(frame.size()).bytes, frame);
    a.Send(request.substr(10));
    EXPECT_EQ(a.Read(frame.size()).bytes, frame);
}

TEST_F(ListServer, BurstSendsThreeWholeFrames) {
    Run(Group("B", "burst"));
    Client c(Port());
    c.Send(Framed(Request("B")));
    std::string frame = Framed(Expected("B"));
    Received r = c.Read(3 * frame.size());
    EXPECT_EQ(Messages(r.bytes), std::vector<std::string>(3, Expected("B")));
}

TEST_F(ListServer, TrickleSendsOneWholeFrameByteByByte) {
    Run(Group("T", "trickle"));
    Client c(Port());
    c.Send(Framed(Request("T")));
    std::string frame = Framed(Expected("T"));
    Received r = c.Read(frame.size());
    EXPECT_EQ(r.bytes, frame);
    EXPECT_GT(r.reads, 1);
}

TEST_F(ListServer, OtherServiceAnswersWithAMessageOfGo) {
    Run(Group("O", "other-service"));
    Client c(Port());
    c.Send(Framed(Request("O")));
    Received r = c.Read(Framed(listserver::BuildOtherServiceReply("G", "O")).size());
    std::vector<std::string> m = Messages(r.bytes);
    ASSERT_EQ(m.size(), 1u);
    CKelpParser msg(m[0].data(), static_cast<int>(m[0].size()), nullptr);
    EXPECT_STREQ(msg.GetService(), G::serviceGo);
    EXPECT_STREQ(msg.GetCommand(), G::commandGo);
}

// Misbehaviours that end the connection: what arrives before the end, and
// how it ends.
TEST_F(ListServer, ClosingMisbehaviours) {
    std::string text;
    const char* modes[] = {"refuse",    "close-before", "close-middle",   "garbage",
                           "oversized", "reset",        "reply-oversized"};
    for (const char* m : modes) {
        text += Group(m, m);
    }
    Run(text);
    const std::string half = Framed(Expected("close-middle"));
    const struct {
        const char* sub;
        std::string bytes; // received before the end, "" for none
        std::error_code end;
    } cases[] = {
        {"refuse", "", asio::error::connection_reset},
        {"close-before", "", asio::error::eof},
        {"close-middle", half.substr(0, half.size() / 2), asio::error::eof},
        {"garbage", Framed("GARBAGE\x01\xFE\xFF not a message;"), asio::error::eof},
        {"oversized", std::string("\x00\x40\x00\x01KELP/1 svc=", 15), asio::error::eof},
        {"reset", Framed(Expected("reset")), asio::error::connection_reset},
        {"reply-oversized",
         Framed(Expected("reply-oversized")) + std::string("\x00\x40\x00\x01", 4),
         asio::error::eof},
    };
    for (const auto& c : cases) {
        Client client(Port());
        client.Send(Framed(Request(c.sub)));
        Received r = client.Read();
        EXPECT_EQ(r.bytes, c.bytes) << c.sub;
        EXPECT_EQ(r.end, c.end) << c.sub << ": " << r.end.message();
    }
    bool oversized = false;
    Messages(cases[4].bytes, &oversized);
    EXPECT_TRUE(oversized);
    oversized = false;
    EXPECT_EQ(Messages(cases[6].bytes, &oversized),
              std::vector<std::string>{Expected("reply-oversized")});
    EXPECT_TRUE(oversized);
}

TEST_F(ListServer, OptionMisbehaviourOverridesEveryGroup) {
    listserver::ServerOptions options;
    options.misbehaviour = Misbehaviour{Misbehaviour::CloseBefore, 0};
    Run(Group("OK", ""), options);
    Client c(Port());
    c.Send(Framed(Request("OK")));
    Received r = c.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.end, asio::error::eof);
}

TEST_F(ListServer, BadRequestIsLoggedAndClosed) {
    Run(Group("OK", ""));
    Client c(Port());
    c.Send(Framed("not a message"));
    Received r = c.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.end, asio::error::eof);
    ASSERT_TRUE(Stop());
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].rfind("bad request from=127.0.0.1:", 0), 0u) << Log()[0];
    EXPECT_NE(Log()[0].find("-> closed: not a message"), std::string::npos);
}

TEST_F(ListServer, StopClosesHeldConnections) {
    Run(Group("S", "silent"));
    Client c(Port());
    c.Send(Framed(Request("S")));
    ASSERT_TRUE(WaitForLog(1)); // the request is read and held
    EXPECT_TRUE(Stop());
    Received r = c.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.end, asio::error::eof);
}

// ---- the limits every client is held to

TEST_F(ListServer, HalfSentRequestIsClosedAtItsDeadline) {
    listserver::ServerOptions options;
    options.requestTimeoutMs = 20;
    Run(Group("OK", ""), options);
    Client c(Port());
    c.Send(Framed(Request("OK")).substr(0, 10));
    Received r = c.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.end, asio::error::eof) << r.end.message();
    ASSERT_TRUE(Stop());
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].rfind("request deadline from=127.0.0.1:", 0), 0u) << Log()[0];
}

TEST_F(ListServer, ReplyNotTakenIsResetAtItsDeadline) {
    listserver::ServerOptions options;
    options.replyTimeoutMs = 20;
    Run("group G BIG\ngenerate 20000 | C{n} | Channel {n} | h | 1 | 1 | 1 | 1 | 1 | 1\n", options);
    asio::io_context io;
    tcp::socket s(io);
    s.open(tcp::v4());
    s.set_option(asio::socket_base::receive_buffer_size(4096)); // a reply of 3 MB stalls
    s.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), Port()));
    asio::write(s, asio::buffer(Framed(Request("BIG"))));
    ASSERT_TRUE(WaitForLog(2)); // the request, then the deadline; never read
    EXPECT_EQ(Log()[1].rfind("reply deadline from=127.0.0.1:", 0), 0u) << Log()[1];
}

TEST_F(ListServer, ConnectionOverTheLimitIsClosedAndTheNextUnderItServed) {
    listserver::ServerOptions options;
    options.maxConnections = 1;
    Run(Group("OK", ""), options);
    const std::string request = Framed(Request("OK")), frame = Framed(Expected("OK"));
    Client held(Port());
    held.Send(request.substr(0, 10));
    Client over(Port()); // accepted after held, so over the limit
    Received r = over.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_NE(r.end, asio::error::timed_out);
    held.Send(request.substr(10));
    EXPECT_EQ(held.Read().bytes, frame); // read to the close: held is gone
    Client next(Port());
    next.Send(request);
    EXPECT_EQ(next.Read().bytes, frame);
    EXPECT_EQ(m_server->ClosedAtLimit(), 1u);
}

// A request of exactly the limit is read; a header announcing one byte more
// closes the connection at once.
TEST_F(ListServer, RequestFrameLimit) {
    Run(Group("OK", ""));
    const std::size_t limit = listserver::ServerOptions().maxRequest;
    ASSERT_EQ(limit, 65536u);
    const std::string bare = Request("");
    const std::string atLimit = Request(std::string(limit - bare.size(), 'x'));
    ASSERT_EQ(atLimit.size(), limit);
    std::string overHeader(4, '\0');
    CTsFrameBuffer::EncodeHeader(limit + 1, reinterpret_cast<unsigned char*>(&overHeader[0]));
    {
        Client c(Port());
        c.Send(Framed(atLimit));
        std::vector<std::string> m = Messages(c.Read().bytes);
        ASSERT_EQ(m.size(), 1u);
        CKelpParser msg(m[0].data(), static_cast<int>(m[0].size()), nullptr);
        EXPECT_EQ(msg.IsValid(), 1);
    }
    Client c(Port());
    c.Send(overHeader);
    Received r = c.Read();
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.end, asio::error::eof) << r.end.message();
}

// An id near the 4 MiB limit: the failure echoes its start and still
// renders, and the log line stays short.
TEST_F(ListServer, LongUnknownIdStillGetsItsFailure) {
    listserver::ServerOptions options;
    options.maxRequest = CTsFrameBuffer::kDefaultLimit;
    Run(Group("OK", ""), options);
    const std::string bare = Request("");
    const std::string id(CTsFrameBuffer::kDefaultLimit - bare.size(), 'x');
    Client c(Port());
    c.Send(Framed(Request(id)));
    std::vector<std::string> m = Messages(c.Read().bytes);
    ASSERT_EQ(m.size(), 1u);
    CKelpParser msg(m[0].data(), static_cast<int>(m[0].size()), nullptr);
    char* text = nullptr;
    int length = 0;
    ASSERT_TRUE(msg.GetValue(G::keyMessage, text, length));
    EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)),
              "This server has no channel group G / " + id.substr(0, listserver::kMaxEchoedId) +
                  "....");
    ASSERT_TRUE(Stop());
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_LE(Log()[0].size(), options.maxLogLine);
    EXPECT_NE(Log()[0].find("...(" + std::to_string(id.size()) + " bytes) from="),
              std::string::npos)
        << Log()[0];
}

} // namespace
