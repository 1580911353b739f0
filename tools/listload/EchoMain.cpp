// peltora_listecho: the bare reference of the load benchmark. It answers
// every connection's first whole frame, whatever it holds, with one reply
// rendered once at the start, then closes: the socket work of the
// channel-list server without reading requests, looking up groups, limits
// or logging.
//
//   peltora_listecho --data FILE --game G --sub S [--port N] [--port-file PATH]
//   peltora_listecho --help | -h
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <asio.hpp>

#include "ChannelData.h"
#include "CommandLine.h"
#include "FrameBuffer.h"

namespace {

using asio::ip::tcp;

const char kUsage[] = "usage: peltora_listecho --data FILE --game G --sub S [--port N] "
                      "[--port-file PATH]\n"
                      "       peltora_listecho --help | -h\n";

struct Options {
    bool help = false;
    std::string data, game, sub, portFile;
    long long port = 0;
};

bool Parse(int argc, char** argv, Options& o, std::string& error) {
    const bool bRead = listserver::ForEachOption(
        argc, argv, o.help, error, [&](const std::string& name, const std::string& value) {
            if (name == "--data") {
                o.data = value;
            } else if (name == "--game") {
                o.game = value;
            } else if (name == "--sub") {
                o.sub = value;
            } else if (name == "--port-file") {
                o.portFile = value;
            } else if (name == "--port") {
                return listserver::ParseNumber(name, value, 0, 65535, o.port, error);
            } else {
                error = "unknown option " + name;
                return false;
            }
            return true;
        });
    if (!bRead || o.help) {
        return bRead;
    }
    if (o.data.empty() || o.game.empty() || o.sub.empty()) {
        error = "--data, --game and --sub are required";
        return false;
    }
    return true;
}

class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(tcp::socket socket, const std::vector<char>& reply)
        : m_socket(std::move(socket)), m_reply(reply) {}

    void Read() {
        auto self = shared_from_this();
        m_socket.async_read_some(asio::buffer(m_buffer), [self](std::error_code ec, std::size_t n) {
            if (ec) {
                return;
            }
            self->m_frames.Append(self->m_buffer, n);
            std::size_t length = 0;
            if (self->m_frames.Front(length) == nullptr) {
                self->Read();
                return;
            }
            asio::async_write(self->m_socket, asio::buffer(self->m_reply),
                              [self](std::error_code, std::size_t) {
                                  std::error_code sec;
                                  self->m_socket.shutdown(tcp::socket::shutdown_both, sec);
                                  self->m_socket.close(sec);
                              });
        });
    }

private:
    tcp::socket m_socket;
    const std::vector<char>& m_reply;
    CTsFrameBuffer m_frames{65536};
    char m_buffer[4096];
};

void Accept(tcp::acceptor& acceptor, const std::vector<char>& reply) {
    acceptor.async_accept([&acceptor, &reply](std::error_code ec, tcp::socket socket) {
        if (!ec) {
            std::make_shared<Connection>(std::move(socket), reply)->Read();
        }
        Accept(acceptor, reply);
    });
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    std::string error;
    if (!Parse(argc, argv, o, error)) {
        std::cerr << "peltora_listecho: " << error << "\n" << kUsage;
        return 2;
    }
    if (o.help) {
        std::cout << kUsage;
        return 0;
    }
    listserver::ChannelData channels;
    if (!channels.LoadFile(o.data, error)) {
        std::cerr << "peltora_listecho: " << error << "\n";
        return 1;
    }
    const listserver::Group* group = channels.Find(o.game, o.sub);
    if (group == nullptr) {
        std::cerr << "peltora_listecho: no group " << o.game << "/" << o.sub << " in " << o.data
                  << "\n";
        return 2;
    }
    std::vector<char> reply;
    CTsFrameBuffer::Encode(group->reply.data(), group->reply.size(), reply);
    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::make_address("127.0.0.1"),
                                             static_cast<unsigned short>(o.port)));
    asio::signal_set signals(io, SIGINT, SIGTERM);
    signals.async_wait([&](std::error_code, int) { io.stop(); });
    Accept(acceptor, reply);
    std::cout << "listening on 127.0.0.1:" << acceptor.local_endpoint().port() << std::endl;
    if (!o.portFile.empty()) {
        const std::string temp = o.portFile + ".tmp";
        if (std::FILE* f = std::fopen(temp.c_str(), "w")) {
            std::fprintf(f, "%u\n", static_cast<unsigned>(acceptor.local_endpoint().port()));
            std::fclose(f);
            std::rename(temp.c_str(), o.portFile.c_str());
        }
    }
    io.run();
    return 0;
}
