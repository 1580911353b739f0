// peltora_listserver: serves channel lists from a data file over TCP
// (docs/listserver.md).
//
//   peltora_listserver --data FILE [--bind ADDR] [--port N] [--port-file PATH]
//                      [--misbehave MODE] [--max-request BYTES]
//                      [--request-timeout MS] [--reply-timeout MS]
//                      [--max-connections N] [--max-log-line BYTES]
//   peltora_listserver --help | -h
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include <asio.hpp>

#include "ChannelData.h"
#include "CommandLine.h"
#include "Server.h"

namespace {

const char kUsage[] = "usage: peltora_listserver --data FILE [--bind ADDR] [--port N] "
                      "[--port-file PATH] [--misbehave MODE]\n"
                      "       [--max-request BYTES] [--request-timeout MS] [--reply-timeout MS]\n"
                      "       [--max-connections N] [--max-log-line BYTES]\n"
                      "       peltora_listserver --help | -h\n";

// Descriptors kept for the listening socket, the standard streams and the
// port file besides the connections.
const long long kSpareDescriptors = 16;

// The options that take a number: their ranges and where they go.
struct NumericOption {
    const char* name;
    long long lo, hi;
    void (*set)(listserver::ServerOptions& o, long long n);
};
const NumericOption kNumericOptions[] = {
    {"--port", 0, 65535,
     [](listserver::ServerOptions& o, long long n) { o.port = static_cast<unsigned short>(n); }},
    {"--max-request", 1, 4194304,
     [](listserver::ServerOptions& o, long long n) { o.maxRequest = static_cast<std::size_t>(n); }},
    {"--request-timeout", 1, 3600000,
     [](listserver::ServerOptions& o, long long n) { o.requestTimeoutMs = static_cast<int>(n); }},
    {"--reply-timeout", 1, 3600000,
     [](listserver::ServerOptions& o, long long n) { o.replyTimeoutMs = static_cast<int>(n); }},
    {"--max-connections", 1, 1000000,
     [](listserver::ServerOptions& o, long long n) {
         o.maxConnections = static_cast<std::size_t>(n);
     }},
    {"--max-log-line", 80, 1048576,
     [](listserver::ServerOptions& o, long long n) { o.maxLogLine = static_cast<std::size_t>(n); }},
};

const NumericOption* FindNumericOption(const std::string& name) {
    for (const NumericOption& option : kNumericOptions) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

struct Arguments {
    bool help = false;
    std::string data;
    std::string portFile;
    listserver::ServerOptions options;
};

bool ParseArguments(int argc, char** argv, Arguments& args, std::string& error) {
    const bool bRead = listserver::ForEachOption(
        argc, argv, args.help, error, [&](const std::string& name, const std::string& value) {
            if (name == "--data") {
                args.data = value;
            } else if (name == "--bind") {
                args.options.bind = value;
            } else if (name == "--port-file") {
                args.portFile = value;
            } else if (name == "--misbehave") {
                if (!listserver::ParseMisbehaviour(value, args.options.misbehaviour)) {
                    error = "unknown misbehaviour '" + value + "'";
                    return false;
                }
            } else if (const NumericOption* option = FindNumericOption(name)) {
                long long n = 0;
                if (!listserver::ParseNumber(name, value, option->lo, option->hi, n, error)) {
                    return false;
                }
                option->set(args.options, n);
            } else {
                error = "unknown option " + name;
                return false;
            }
            return true;
        });
    if (!bRead || args.help) {
        return bRead;
    }
    if (args.data.empty()) {
        error = "--data is required";
        return false;
    }
    return true;
}

// Writes the port to a temporary file beside path, then renames it over
// path, so a reader never sees a half-written number.
bool WritePortFile(const std::string& path, unsigned short port) {
    std::string temp = path + ".tmp." + std::to_string(getpid());
    std::FILE* f = std::fopen(temp.c_str(), "w");
    if (f == nullptr) {
        return false;
    }
    bool ok = std::fprintf(f, "%u\n", static_cast<unsigned>(port)) > 0;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

void Log(const std::string& line) {
    std::cout << line << std::endl;
}

// Raises the descriptor limit to what the system allows, so that the
// connection limit rather than the descriptor limit refuses clients; says
// so when even that is too few.
void RaiseDescriptorLimit(std::size_t connections) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    const unsigned long long wanted = connections + kSpareDescriptors;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < wanted) {
        Log("warning: descriptor limit " + std::to_string(limit.rlim_cur) + " is below " +
            std::to_string(wanted) + " (connections plus " + std::to_string(kSpareDescriptors) +
            "); accept fails before the connection limit is reached");
    }
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseArguments(argc, argv, args, error)) {
        std::cerr << "peltora_listserver: " << error << "\n" << kUsage;
        return 2;
    }
    if (args.help) {
        std::cout << kUsage;
        return 0;
    }
    listserver::ChannelData data;
    if (!data.LoadFile(args.data, error)) {
        std::cerr << "peltora_listserver: " << error << "\n";
        return 1;
    }
    RaiseDescriptorLimit(args.options.maxConnections);
    try {
        asio::io_context io;
        listserver::Server server(io, data, args.options, Log);
        asio::signal_set signals(io, SIGINT, SIGTERM);
        signals.async_wait([&](std::error_code ec, int) {
            if (!ec) {
                server.Stop();
            }
        });
        server.Start();
        Log("listening on " + server.Address() + ":" + std::to_string(server.Port()));
        if (!args.portFile.empty() && !WritePortFile(args.portFile, server.Port())) {
            std::cerr << "peltora_listserver: cannot write " << args.portFile << "\n";
            return 1;
        }
        io.run();
        Log("stopped");
    } catch (const std::exception& e) {
        std::cerr << "peltora_listserver: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
