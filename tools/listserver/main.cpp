// peltora_listserver: serves channel lists from a data file over TCP
// (docs/listserver.md).
//
//   peltora_listserver --data FILE [--bind ADDR] [--port N] [--port-file PATH]
//                      [--misbehave MODE]
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <unistd.h>

#include <asio.hpp>

#include "ChannelData.h"
#include "Server.h"

namespace {

const char kUsage[] = "usage: peltora_listserver --data FILE [--bind ADDR] [--port N] "
                      "[--port-file PATH] [--misbehave MODE]\n";

struct Arguments {
    std::string data;
    std::string portFile;
    listserver::ServerOptions options;
};

bool ParseArguments(int argc, char** argv, Arguments& args, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        std::string value = argv[++i];
        if (name == "--data") {
            args.data = value;
        } else if (name == "--bind") {
            args.options.bind = value;
        } else if (name == "--port") {
            char* end = nullptr;
            long port = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || port < 0 || port > 65535) {
                error = "--port needs a number from 0 to 65535, got '" + value + "'";
                return false;
            }
            args.options.port = static_cast<unsigned short>(port);
        } else if (name == "--port-file") {
            args.portFile = value;
        } else if (name == "--misbehave") {
            if (!listserver::ParseMisbehaviour(value, args.options.misbehaviour)) {
                error = "unknown misbehaviour '" + value + "'";
                return false;
            }
        } else {
            error = "unknown option " + name;
            return false;
        }
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

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseArguments(argc, argv, args, error)) {
        std::cerr << "peltora_listserver: " << error << "\n" << kUsage;
        return 2;
    }
    listserver::ChannelData data;
    if (!data.LoadFile(args.data, error)) {
        std::cerr << "peltora_listserver: " << error << "\n";
        return 1;
    }
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
