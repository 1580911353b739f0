// peltora_listload: drives a channel-list server on loopback with
// well-behaved clients, optionally beside abusive ones, and prints requests
// per second, latency percentiles, failures and what the server held
// before, under and after the load (docs/listserver.md).
//
//   peltora_listload --port N --game G --sub S [--clients N]
//                    [--seconds S | --requests N] [--idle N] [--half N]
//                    [--no-read N] [--no-read-sub S] [--oversized N]
//                    [--flood N] [--server-pid PID] [--label TEXT]
//   peltora_listload --help | -h
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <asio.hpp>

#include "Abusers.h"
#include "CommandLine.h"
#include "FrameBuffer.h"
#include "KelpParser.h"
#include "ProcStats.h"
#include "WellBehaved.h"

namespace {

using asio::ip::tcp;
using listload::Clock;

const char kUsage[] =
    "usage: peltora_listload --port N --game G --sub S [--host 127.0.0.1] [--clients N]\n"
    "       [--seconds S | --requests N] [--idle N] [--half N] [--no-read N]\n"
    "       [--no-read-sub S] [--oversized N] [--oversized-length BYTES] [--flood N]\n"
    "       [--server-pid PID] [--timeout-ms MS] [--label TEXT]\n"
    "       peltora_listload --help | -h\n";

// How long to wait for the abusive clients to connect, and for the server
// to let go of them afterwards.
const auto kSettleLimit = std::chrono::seconds(10);

struct Options {
    bool help = false;
    std::string host = "127.0.0.1";
    long long port = -1;
    std::string game, sub, noReadSub, label = "load";
    long long clients = 1, seconds = 0, requests = 0, timeoutMs = 10000;
    long long idle = 0, half = 0, noRead = 0, oversized = 0, flood = 0;
    long long oversizedLength = 65537, serverPid = 0;
};

bool Parse(int argc, char** argv, Options& o, std::string& error) {
    const std::map<std::string, std::pair<long long*, std::pair<long long, long long>>> numbers = {
        {"--port", {&o.port, {1, 65535}}},
        {"--clients", {&o.clients, {1, 5000}}},
        {"--seconds", {&o.seconds, {1, 600}}},
        {"--requests", {&o.requests, {1, 10000000}}},
        {"--timeout-ms", {&o.timeoutMs, {1, 600000}}},
        {"--idle", {&o.idle, {0, 10000}}},
        {"--half", {&o.half, {0, 10000}}},
        {"--no-read", {&o.noRead, {0, 10000}}},
        {"--oversized", {&o.oversized, {0, 1000}}},
        {"--oversized-length", {&o.oversizedLength, {1, 4294967295LL}}},
        {"--flood", {&o.flood, {0, 1000}}},
        {"--server-pid", {&o.serverPid, {1, 4194304}}},
    };
    const std::map<std::string, std::string*> texts = {{"--host", &o.host},
                                                       {"--game", &o.game},
                                                       {"--sub", &o.sub},
                                                       {"--no-read-sub", &o.noReadSub},
                                                       {"--label", &o.label}};
    const bool bRead = listserver::ForEachOption(
        argc, argv, o.help, error, [&](const std::string& name, const std::string& value) {
            auto n = numbers.find(name);
            auto t = texts.find(name);
            if (n != numbers.end()) {
                return listserver::ParseNumber(name, value, n->second.second.first,
                                               n->second.second.second, *n->second.first, error);
            }
            if (t != texts.end()) {
                *t->second = value;
                return true;
            }
            error = "unknown option " + name;
            return false;
        });
    if (!bRead || o.help) {
        return bRead;
    }
    if (o.port < 0 || o.game.empty() || o.sub.empty()) {
        error = "--port, --game and --sub are required";
        return false;
    }
    if ((o.seconds == 0) == (o.requests == 0)) {
        error = "give one of --seconds and --requests";
        return false;
    }
    std::error_code ec;
    asio::ip::address address = asio::ip::make_address(o.host, ec);
    if (ec || !address.is_v4() || !address.is_loopback()) {
        error = "--host must be an IPv4 loopback address (127.0.0.0/8)";
        return false;
    }
    return true;
}

std::string Framed(const std::string& message) {
    std::vector<char> out;
    CTsFrameBuffer::Encode(message.data(), message.size(), out);
    return std::string(out.begin(), out.end());
}

std::string Request(const std::string& game, const std::string& sub) {
    CKelpParser msg(G::serviceChannelList, G::commandGetChannelList, "", 1, "", 0);
    msg.AddValue(G::keyGameId, game.data(), static_cast<int>(game.size()));
    msg.AddValue(G::keySubId, sub.data(), static_cast<int>(sub.size()));
    char* text = nullptr;
    int length = 0;
    msg.GetURL(text, length);
    return Framed(std::string(text, static_cast<std::size_t>(length)));
}

// One blocking request whose whole answer (to the close) the load expects
// every time; it must be a successful channel list.
bool FetchReply(const tcp::endpoint& server, const std::string& request, std::string& reply,
                std::string& error) {
    asio::io_context io;
    tcp::socket s(io);
    std::error_code ec;
    s.connect(server, ec);
    if (!ec) {
        asio::write(s, asio::buffer(request), ec);
    }
    char buf[65536];
    while (!ec) {
        std::size_t n = s.read_some(asio::buffer(buf), ec);
        reply.append(buf, n);
    }
    if (ec != asio::error::eof) {
        error = "the first request failed: " + ec.message();
        return false;
    }
    CTsFrameBuffer frames;
    frames.Append(reply.data(), reply.size());
    std::size_t length = 0;
    const char* text = frames.Front(length);
    if (text == nullptr || frames.GetSize() != length + CTsFrameBuffer::kHeaderSize) {
        error = "the first reply is not one whole frame";
        return false;
    }
    CKelpParser msg(text, static_cast<int>(length), nullptr);
    char* result = nullptr;
    int resultLength = 0;
    if (!msg.IsValid() || !msg.GetValue(G::keyResult, result, resultLength) ||
        std::string(result) != G::valueSuccess) {
        error = "the first reply is not a successful channel list";
        return false;
    }
    return true;
}

// Runs io until done() or the limit; false on the limit.
template <typename Done> bool RunUntil(asio::io_context& io, Done done, Clock::duration limit) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= end) {
            return false;
        }
        io.run_one_for(std::chrono::milliseconds(10));
    }
    return true;
}

double Percentile(const std::vector<std::uint32_t>& sorted, double p) {
    if (sorted.empty()) {
        return 0;
    }
    std::size_t rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1] / 1000.0;
}

std::string Mb(long long kb) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", kb / 1024.0);
    return kb < 0 ? "?" : text;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    std::string error;
    if (!Parse(argc, argv, o, error)) {
        std::cerr << "peltora_listload: " << error << "\n" << kUsage;
        return 2;
    }
    if (o.help) {
        std::cout << kUsage;
        return 0;
    }
    const tcp::endpoint server(asio::ip::make_address(o.host), static_cast<unsigned short>(o.port));
    listload::LoadPlan plan;
    plan.server = server;
    plan.request = Request(o.game, o.sub);
    plan.clients = static_cast<int>(o.clients);
    plan.requests = static_cast<unsigned long long>(o.requests);
    plan.timeoutMs = static_cast<int>(o.timeoutMs);
    if (!FetchReply(server, plan.request, plan.expected, error)) {
        std::cerr << "peltora_listload: " << error << "\n";
        return 1;
    }
    const int pid = static_cast<int>(o.serverPid);
    const listload::ProcStats before = pid ? listload::ReadProcStats(pid) : listload::ProcStats();

    asio::io_context io;
    listload::AbusePlan abuse;
    abuse.server = server;
    abuse.idle = static_cast<int>(o.idle);
    abuse.half = static_cast<int>(o.half);
    abuse.noRead = static_cast<int>(o.noRead);
    abuse.oversized = static_cast<int>(o.oversized);
    abuse.flood = static_cast<int>(o.flood);
    abuse.halfBytes = plan.request.substr(0, plan.request.size() / 2);
    abuse.noReadRequest = Request(o.game, o.noReadSub.empty() ? o.sub : o.noReadSub);
    abuse.oversizedHeader.resize(CTsFrameBuffer::kHeaderSize);
    CTsFrameBuffer::EncodeHeader(static_cast<std::size_t>(o.oversizedLength),
                                 reinterpret_cast<unsigned char*>(&abuse.oversizedHeader[0]));
    listload::Abusers abusers(io, abuse);
    abusers.Start();
    if (!RunUntil(
            io, [&] { return abusers.Settled(); }, kSettleLimit)) {
        std::cerr << "peltora_listload: warning: not every abusive client connected\n";
    }

    plan.until = Clock::now() + std::chrono::seconds(o.seconds);
    listload::WellBehaved load(io, plan);
    load.Start();
    // Bounded: every request ends by its own timeout.
    RunUntil(
        io, [&] { return load.Done(); },
        std::chrono::seconds(o.seconds) + std::chrono::milliseconds(o.timeoutMs) +
            std::chrono::seconds(o.requests ? 600 : 1));
    const listload::ProcStats under = pid ? listload::ReadProcStats(pid) : listload::ProcStats();

    abusers.Stop();
    listload::ProcStats after;
    if (pid) {
        // The server has let go of the abusive clients when it holds no
        // more descriptors than before.
        RunUntil(
            io,
            [&] {
                after = listload::ReadProcStats(pid);
                return after.fds <= before.fds;
            },
            kSettleLimit);
    }

    listload::LoadResults& r = load.Results();
    std::sort(r.latencyUs.begin(), r.latencyUs.end());
    const double rps = r.seconds > 0 ? r.succeeded / r.seconds : 0;
    const double p50 = Percentile(r.latencyUs, 0.50), p99 = Percentile(r.latencyUs, 0.99);
    const double max = r.latencyUs.empty() ? 0 : r.latencyUs.back() / 1000.0;
    const listload::AbuseCounts& a = abusers.Counts();
    std::printf("%s: %lld clients, %s %s/%s on %s:%lld\n", o.label.c_str(), o.clients,
                o.seconds ? (std::to_string(o.seconds) + " s of").c_str()
                          : (std::to_string(o.requests) + " requests of").c_str(),
                o.game.c_str(), o.sub.c_str(), o.host.c_str(), o.port);
    if (o.idle + o.half + o.noRead + o.oversized + o.flood > 0) {
        std::printf("  abusive: idle %lld, half-sent %lld, never reading %lld, oversized %lld, "
                    "flood %lld (%llu connections, %llu ended by the server, %llu connects "
                    "failed)\n",
                    o.idle, o.half, o.noRead, o.oversized, o.flood, a.connects, a.closedByServer,
                    a.connectFailures);
    }
    std::printf("  requests: %llu ok, %llu failed, %.0f per second\n", r.succeeded, r.failed, rps);
    for (const auto& f : r.failures) {
        std::printf("    failed: %llu %s\n", f.second, f.first.c_str());
    }
    std::printf("  latency: p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", p50, p99, max);
    if (pid) {
        std::printf("  server: resident %s before, %s under load, %s after; descriptors %d "
                    "before, %d under load, %d after\n",
                    Mb(before.rssKb).c_str(), Mb(under.rssKb).c_str(), Mb(after.rssKb).c_str(),
                    before.fds, under.fds, after.fds);
    }
    std::printf("result label=%s clients=%lld ok=%llu failed=%llu rps=%.0f p50_ms=%.3f "
                "p99_ms=%.3f max_ms=%.3f rss_before_kb=%lld rss_under_kb=%lld "
                "rss_after_kb=%lld fds_before=%d fds_under=%d fds_after=%d\n",
                o.label.c_str(), o.clients, r.succeeded, r.failed, rps, p50, p99, max, before.rssKb,
                under.rssKb, after.rssKb, before.fds, under.fds, after.fds);
    return 0;
}
