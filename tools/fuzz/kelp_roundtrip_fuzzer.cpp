// Fuzz target: the fuzz bytes drive the building of a message (header,
// values of every type, replacements, removals, data block); the message is
// rendered, read back, and every header field and value compared with what
// was put in. Any difference aborts.
#include "KelpParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// One value as it was added.
struct Entry {
    std::string key;
    int kind;             // 0 int, 1 unsigned, 2 long long, 3 unsigned long long,
                          // 4 unsigned short, 5 double, 6 text
    long long i;          // kinds 0 and 2
    unsigned long long u; // kinds 1, 3 and 4
    double d;             // kind 5
    std::string text;     // kind 6
};

// A key from a small set, so that duplicates and removals meet, or any text.
std::string MakeKey(FuzzedDataProvider& in) {
    static const char* const keys[] = {"GameId", "SubId", "a", "b", "Port1", "\xB0\xA1", "k y"};
    if (in.ConsumeBool())
        return keys[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
    std::string key = in.ConsumeRandomLengthString(16);
    key.erase(std::remove(key.begin(), key.end(), '\0'), key.end());
    return key.empty() ? "e" : key;
}

// Adds one value of a type chosen by the input to p and to the model.
void AddOne(FuzzedDataProvider& in, CKelpParser& p, std::vector<Entry>& model) {
    Entry e{MakeKey(in), in.ConsumeIntegralInRange<int>(0, 6), 0, 0, 0, std::string()};
    const char* key = e.key.c_str();
    switch (e.kind) {
    case 0:
        Require(p.AddValue(key, static_cast<int>(e.i = in.ConsumeIntegral<int>())));
        break;
    case 1:
        Require(
            p.AddValue(key, static_cast<unsigned int>(e.u = in.ConsumeIntegral<unsigned int>())));
        break;
    case 2:
        Require(p.AddValue(key, static_cast<long long>(e.i = in.ConsumeIntegral<long long>())));
        break;
    case 3:
        Require(p.AddValue(
            key, static_cast<unsigned long long>(e.u = in.ConsumeIntegral<unsigned long long>())));
        break;
    case 4:
        Require(p.AddValue(
            key, static_cast<unsigned short>(e.u = in.ConsumeIntegral<unsigned short>())));
        break;
    case 5:
        Require(p.AddValue(key, e.d = in.ConsumeFloatingPoint<double>()));
        break;
    default:
        e.text = in.ConsumeRandomLengthString(64);
        Require(e.text.empty() ? p.AddValue(key, "")
                               : p.AddValue(key, e.text.data(), static_cast<int>(e.text.size())));
    }
    model.push_back(e);
}

// Removes every entry of a key from p and from the model.
void RemoveOne(FuzzedDataProvider& in, CKelpParser& p, std::vector<Entry>& model) {
    std::string key = MakeKey(in);
    bool present =
        std::any_of(model.begin(), model.end(), [&key](const Entry& e) { return e.key == key; });
    Require((p.DelKey(key.c_str()) != 0) == present);
    model.erase(
        std::remove_if(model.begin(), model.end(), [&key](const Entry& e) { return e.key == key; }),
        model.end());
}

// Checks the first entry of e's key in p against e.
void CheckEntry(const CKelpParser& p, const Entry& e) {
    const char* key = e.key.c_str();
    long long ll = 0;
    unsigned long long ull = 0;
    double d = 0;
    char* text = nullptr;
    int length = 0;
    switch (e.kind) {
    case 0:
    case 2:
        Require(p.GetValue(key, ll) && ll == e.i);
        break;
    case 1:
    case 3:
    case 4:
        Require(p.GetValue(key, ull) && ull == e.u);
        break;
    case 5:
        Require(p.GetValue(key, d));
        Require(std::isnan(e.d) ? std::isnan(d) : std::memcmp(&d, &e.d, sizeof d) == 0);
        break;
    default:
        Require(p.GetValue(key, text, length));
        Require(std::string(text, static_cast<std::size_t>(length)) == e.text);
    }
}

std::string HeaderText(FuzzedDataProvider& in) {
    std::string s = in.ConsumeRandomLengthString(24);
    s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::string service = HeaderText(in), command = HeaderText(in);
    std::string target = HeaderText(in), ip = HeaderText(in);
    bool nullTarget = in.ConsumeBool(), nullIp = in.ConsumeBool();
    int mode = in.ConsumeIntegral<int>();
    unsigned short port = in.ConsumeIntegral<unsigned short>();
    CKelpParser built(service.c_str(), command.c_str(), nullTarget ? nullptr : target.c_str(), mode,
                      nullIp ? nullptr : ip.c_str(), port);
    int encrypted = in.ConsumeBool() ? 1 : 0;
    built.SetEncrypted(encrypted);

    std::vector<Entry> model;
    std::string block;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            RemoveOne(in, built, model);
            break;
        case 1: {
            std::string more = in.ConsumeRandomLengthString(32);
            Require(built.AddData(more.data(), static_cast<int>(more.size())));
            block += more;
            break;
        }
        case 2:
            Require((built.DelData() != 0) == !block.empty());
            block.clear();
            break;
        default:
            AddOne(in, built, model);
        }
    }

    char* text = nullptr;
    int length = 0;
    Require(built.GetURL(text, length));
    std::string rendered(text, static_cast<std::size_t>(length));
    CKelpParser read(rendered.data(), static_cast<int>(rendered.size()), nullptr);
    Require(read.IsValid());
    Require(service == read.GetService() && command == read.GetCommand());
    Require((nullTarget ? std::string() : target) == read.GetTarget());
    Require((nullIp ? std::string() : ip) == read.GetIPAddress());
    Require(mode == read.GetMode() && port == read.GetPort() && encrypted == read.IsEncrypted());
    Require(static_cast<int>(model.size()) == read.GetItemCount());
    for (std::size_t i = 0; i < model.size(); ++i) {
        bool first = std::none_of(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(i),
                                  [&](const Entry& e) { return e.key == model[i].key; });
        if (first) {
            CheckEntry(built, model[i]);
            CheckEntry(read, model[i]);
        }
    }
    char* readBlock = nullptr;
    int readSize = 0;
    Require((read.GetData(readBlock, readSize) != 0) == !block.empty());
    Require(block.empty() || block == std::string(readBlock, static_cast<std::size_t>(readSize)));
    Require(read.GetURL(text, length) &&
            rendered == std::string(text, static_cast<std::size_t>(length)));
    return 0;
}
