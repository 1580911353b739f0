// Parsing and rendering channel-list replies of 1, 100 and 10,000 channels,
// with memcpy of the same number of bytes as the reference, all in one run.
#include "KelpParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kIndexedTexts[] = {G::keyChannelId, G::keyChannelName, G::keyIPAddress};
const char* const kIndexedNumbers[] = {G::keyPort,    G::keyMemberCnt,      G::keyMaxMember,
                                       G::keyMaxRoom, G::keyMaxRoomMembers, G::keyMaxRoomViewers};

// Builds a successful reply of n channels, as a channel-list server does.
void BuildReply(CKelpParser& reply, int n) {
    reply.AddValue(G::keyResult, G::valueSuccess);
    reply.AddValue(G::keyChannelNum, n);
    reply.AddValue(G::keyGameId, "TETRIS");
    reply.AddValue(G::keySubId, "C0101");
    char key[48], text[64];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(key, sizeof key, "%s%d", G::keyChannelId, i);
        std::snprintf(text, sizeof text, "TETRIS0C0101%03d", i);
        reply.AddValue(key, text);
        std::snprintf(key, sizeof key, "%s%d", G::keyChannelName, i);
        std::snprintf(text, sizeof text, "\xC3\xA4\xB3\xCE %d (Free)", i); // Korean MBCS name
        reply.AddValue(key, text);
        std::snprintf(key, sizeof key, "%s%d", G::keyIPAddress, i);
        std::snprintf(text, sizeof text, "10.0.%d.%d", i / 250, i % 250);
        reply.AddValue(key, text);
        for (const char* name : kIndexedNumbers) {
            std::snprintf(key, sizeof key, "%s%d", name, i);
            reply.AddValue(key, 7000 + i % 1000);
        }
    }
}

std::string RenderedReply(int n) {
    CKelpParser reply(G::serviceChannelList, G::commandGetChannelList, nullptr, 1, nullptr, 0);
    BuildReply(reply, n);
    char* text = nullptr;
    int length = 0;
    reply.GetURL(text, length);
    return std::string(text, static_cast<std::size_t>(length));
}

// Reads a reply and every value of every channel, as the channel window does.
void BM_ParseReply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = RenderedReply(n);
    char key[48];
    for (auto _ : state) {
        CKelpParser reply(text.data(), static_cast<int>(text.size()), nullptr);
        int count = 0;
        char* value = nullptr;
        int length = 0;
        reply.GetValue(G::keyResult, value, length);
        reply.GetValue(G::keyChannelNum, count);
        reply.GetValue(G::keySubId, value, length);
        for (int i = 1; i <= count; ++i) {
            for (const char* name : kIndexedTexts) {
                std::snprintf(key, sizeof key, "%s%d", name, i);
                reply.GetValue(key, value, length);
                benchmark::DoNotOptimize(value);
            }
            for (const char* name : kIndexedNumbers) {
                int number = 0;
                std::snprintf(key, sizeof key, "%s%d", name, i);
                reply.GetValue(key, number);
                benchmark::DoNotOptimize(number);
            }
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["msg_bytes"] = static_cast<double>(text.size());
}

// Builds a reply and renders it with GetURL, as a channel-list server does.
void BM_RenderReply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        CKelpParser reply(G::serviceChannelList, G::commandGetChannelList, nullptr, 1, nullptr, 0);
        BuildReply(reply, n);
        char* text = nullptr;
        int length = 0;
        reply.GetURL(text, length);
        benchmark::DoNotOptimize(text);
        size = static_cast<std::size_t>(length);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    state.counters["msg_bytes"] = static_cast<double>(size);
}

// Reference: copying the rendered reply's bytes once.
void BM_MemcpyReply(benchmark::State& state) {
    const std::string text = RenderedReply(static_cast<int>(state.range(0)));
    std::vector<char> copy(text.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["msg_bytes"] = static_cast<double>(text.size());
}

} // namespace

BENCHMARK(BM_ParseReply)->Arg(1)->Arg(100)->Arg(10000);
BENCHMARK(BM_RenderReply)->Arg(1)->Arg(100)->Arg(10000);
BENCHMARK(BM_MemcpyReply)->Arg(1)->Arg(100)->Arg(10000);

BENCHMARK_MAIN();
