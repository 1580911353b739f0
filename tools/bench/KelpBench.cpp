// Channel-list replies of 100, 1,000 and 10,000 channels (the largest about
// 1.9 MB), measured in one run:
//   reader    CKelpParser's reading constructor, then every value of every
//             channel read as the channel window reads them;
//   parse     the reading constructor alone;
//   boosturl  the peer: Boost.URL parses the same key=value text (the part
//             after '?'), percent-decodes every key and value into one
//             buffer and indexes them by key (the first entry wins), then
//             the same values are looked up and the numbers read;
//   renderer  GetURL of a built reply (the cache is dropped each time);
//   build     building a reply and rendering it, as a channel-list server does;
//   memcpy    copying the same bytes once, the floor.
// After Google Benchmark's own table, a summary prints the throughput of
// each (MB/s, 10^6 bytes per second of reply text) and the ratios of their
// times, all from this run. With repetitions the fastest run counts.
#include "KelpParser.h"

#include <benchmark/benchmark.h>
#include <boost/url/parse_query.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const int kSizes[] = {100, 1000, 10000};

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

// A key text and its length.
struct Name {
    const char* text;
    std::size_t length;
    Name(const char* t) : text(t), length(std::strlen(t)) {}
};
const Name kTextNames[] = {G::keyChannelId, G::keyChannelName, G::keyIPAddress};
const Name kNumberNames[] = {G::keyPort,    G::keyMemberCnt,      G::keyMaxMember,
                             G::keyMaxRoom, G::keyMaxRoomMembers, G::keyMaxRoomViewers};

// name followed by the decimal index ("%s%d"), NUL-terminated, into key.
template <std::size_t N> void IndexedKey(char (&key)[N], const Name& name, int index) {
    std::memcpy(key, name.text, name.length);
    *std::to_chars(key + name.length, key + N - 1, index).ptr = '\0';
}

// Reads what the channel window reads from a reply: the result and the
// count, then each channel's texts and numbers. Lookup is any object with
// Text(key, text, length) and Number(key, int&).
// The window formats each key with snprintf; here a copy and to_chars make
// the same key, so that the figures show the reading rather than the
// formatting, which costs the reader and the peer the same.
template <typename Lookup> void ReadChannels(const Lookup& reply) {
    char key[48];
    const char* value = nullptr;
    int length = 0;
    int count = 0;
    reply.Text(G::keyResult, value, length);
    reply.Number(G::keyChannelNum, count);
    for (int i = 1; i <= count; ++i) {
        for (const Name& name : kTextNames) {
            IndexedKey(key, name, i);
            reply.Text(key, value, length);
            benchmark::DoNotOptimize(value);
        }
        for (const Name& name : kNumberNames) {
            int number = 0;
            IndexedKey(key, name, i);
            reply.Number(key, number);
            benchmark::DoNotOptimize(number);
        }
        reply.Text(G::keySubId, value, length);
        benchmark::DoNotOptimize(value);
    }
}

// The reader's side of ReadChannels.
struct KelpLookup {
    const CKelpParser& parser;
    void Text(const char* key, const char*& text, int& length) const {
        char* found = nullptr;
        if (parser.GetValue(key, found, length))
            text = found;
    }
    void Number(const char* key, int& value) const { parser.GetValue(key, value); }
};

// The peer: the query decoded into one buffer, indexed by key.
class BoostIndex {
public:
    // Parses and decodes the text between '?' and the end mark; false when
    // Boost.URL refuses it.
    bool Read(std::string_view query) {
        auto parsed = boost::urls::parse_query(query);
        if (!parsed)
            return false;
        const boost::urls::params_encoded_view params = *parsed;
        m_decoded.clear();
        m_decoded.reserve(query.size()); // decoding never lengthens a text
        m_pairs.clear();
        m_pairs.reserve(params.size());
        for (const boost::urls::param_pct_view param : params) {
            const std::size_t keyAt = m_decoded.size();
            param.key.decode({}, boost::urls::string_token::append_to(m_decoded));
            const std::size_t valueAt = m_decoded.size();
            param.value.decode({}, boost::urls::string_token::append_to(m_decoded));
            m_pairs.push_back({keyAt, valueAt, m_decoded.size()});
        }
        m_index.clear();
        m_index.reserve(m_pairs.size());
        for (std::size_t i = 0; i < m_pairs.size(); ++i) {
            const Pair& p = m_pairs[i];
            m_index.emplace(std::string_view(m_decoded.data() + p.key, p.value - p.key),
                            static_cast<std::uint32_t>(i)); // keeps the first
        }
        return true;
    }

    void Text(const char* key, const char*& text, int& length) const {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return;
        const Pair& p = m_pairs[it->second];
        text = m_decoded.data() + p.value;
        length = static_cast<int>(p.end - p.value);
    }

    void Number(const char* key, int& value) const {
        const char* text = nullptr;
        int length = 0;
        Text(key, text, length);
        if (text)
            std::from_chars(text, text + length, value);
    }

private:
    struct Pair {
        std::size_t key, value, end; // offsets into m_decoded
    };
    std::string m_decoded;
    std::vector<Pair> m_pairs;
    std::unordered_map<std::string_view, std::uint32_t> m_index;
};

// The key=value text of a rendered reply: after '?', before the end mark.
std::string_view QueryOf(const std::string& text) {
    const std::size_t start = text.find('?') + 1;
    return std::string_view(text).substr(start, text.size() - 1 - start);
}

void SetBytes(benchmark::State& state, std::size_t size) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    state.counters["msg_bytes"] = static_cast<double>(size);
}

void BM_Reader(benchmark::State& state) {
    const std::string text = RenderedReply(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CKelpParser reply(text.data(), static_cast<int>(text.size()), nullptr);
        if (!reply.IsValid())
            state.SkipWithError("the reply does not read");
        ReadChannels(KelpLookup{reply});
    }
    SetBytes(state, text.size());
}

// The reading constructor alone.
void BM_ReaderParse(benchmark::State& state) {
    const std::string text = RenderedReply(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CKelpParser reply(text.data(), static_cast<int>(text.size()), nullptr);
        benchmark::DoNotOptimize(reply.IsValid());
    }
    SetBytes(state, text.size());
}

void BM_BoostUrl(benchmark::State& state) {
    const std::string text = RenderedReply(static_cast<int>(state.range(0)));
    const std::string_view query = QueryOf(text);
    for (auto _ : state) {
        BoostIndex index; // a fresh index each time, as a fresh parser is
        if (!index.Read(query))
            state.SkipWithError("Boost.URL refuses the reply");
        ReadChannels(index);
    }
    SetBytes(state, text.size());
}

void BM_Renderer(benchmark::State& state) {
    CKelpParser reply(G::serviceChannelList, G::commandGetChannelList, nullptr, 1, nullptr, 0);
    BuildReply(reply, static_cast<int>(state.range(0)));
    int length = 0;
    for (auto _ : state) {
        reply.SetEncrypted(0); // a change: drops the cached rendering
        char* text = nullptr;
        reply.GetURL(text, length);
        benchmark::DoNotOptimize(text);
    }
    SetBytes(state, static_cast<std::size_t>(length));
}

void BM_Build(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    int length = 0;
    for (auto _ : state) {
        CKelpParser reply(G::serviceChannelList, G::commandGetChannelList, nullptr, 1, nullptr, 0);
        BuildReply(reply, n);
        char* text = nullptr;
        reply.GetURL(text, length);
        benchmark::DoNotOptimize(text);
    }
    SetBytes(state, static_cast<std::size_t>(length));
}

void BM_Memcpy(benchmark::State& state) {
    const std::string text = RenderedReply(static_cast<int>(state.range(0)));
    std::vector<char> copy(text.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::ClobberMemory();
    }
    SetBytes(state, text.size());
}

// Google Benchmark's console table, and for the summary the fastest time
// (CPU time, which other processes on the machine disturb less than the
// wall clock) per iteration and the bytes of each benchmark/size.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
                continue;
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            auto bytes = run.counters.find("msg_bytes");
            Result& r = m_results[run.run_name.str()];
            if (r.seconds == 0 || seconds < r.seconds)
                r.seconds = seconds;
            if (bytes != run.counters.end())
                r.bytes = bytes->second.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nSummary (MB = 10^6 bytes of reply text; ratios are times, "
                    "lower is faster for the first)\n");
        std::printf("%9s %9s %8s %8s %8s %8s %8s %8s %14s %16s %16s\n", "channels", "bytes",
                    "memcpy", "reader", "parse", "boosturl", "renderer", "build", "reader/memcpy",
                    "reader/boosturl", "renderer/memcpy");
        for (int n : kSizes) {
            const Result memcpy = Get("BM_Memcpy", n);
            const Result reader = Get("BM_Reader", n);
            const Result parse = Get("BM_ReaderParse", n);
            const Result boost = Get("BM_BoostUrl", n);
            const Result renderer = Get("BM_Renderer", n);
            const Result build = Get("BM_Build", n);
            if (reader.seconds == 0)
                continue; // filtered out
            std::printf("%9d %9.0f %8s %8s %8s %8s %8s %8s %14s %16s %16s\n", n, reader.bytes,
                        Speed(memcpy).c_str(), Speed(reader).c_str(), Speed(parse).c_str(),
                        Speed(boost).c_str(), Speed(renderer).c_str(), Speed(build).c_str(),
                        Ratio(reader, memcpy).c_str(), Ratio(reader, boost).c_str(),
                        Ratio(renderer, memcpy).c_str());
        }
        std::printf("(memcpy ... build: MB/s)\n");
    }

private:
    struct Result {
        double seconds = 0; // per iteration
        double bytes = 0;
    };

    Result Get(const char* name, int n) const {
        auto it = m_results.find(std::string(name) + "/" + std::to_string(n));
        return it == m_results.end() ? Result() : it->second;
    }
    static std::string Speed(const Result& r) {
        return r.seconds > 0 ? Format("%.0f", r.bytes / r.seconds / 1e6) : "-";
    }
    static std::string Ratio(const Result& a, const Result& b) {
        return a.seconds > 0 && b.seconds > 0 ? Format("%.2f", a.seconds / b.seconds) : "-";
    }
    static std::string Format(const char* format, double value) {
        char text[32];
        std::snprintf(text, sizeof text, format, value);
        return text;
    }

    std::map<std::string, Result> m_results;
};

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : kSizes)
        b->Arg(n);
}

} // namespace

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_Reader)->Apply(Sizes);
BENCHMARK(BM_ReaderParse)->Apply(Sizes);
BENCHMARK(BM_BoostUrl)->Apply(Sizes);
BENCHMARK(BM_Renderer)->Apply(Sizes);
BENCHMARK(BM_Build)->Apply(Sizes);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
