// Round trip: generated messages rendered with GetURL read back through the
// reading constructor with the same header, values and data block.
#include "TestText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

enum class Kind { Int, UInt, LongLong, ULongLong, UShort, Double, Text };

// One value as it was added, to be compared with what reads back.
struct Expected {
    std::string key;
    Kind kind;
    std::int64_t i;
    std::uint64_t u;
    double d;
    std::string text;
};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_rng(seed) {}

    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(m_rng() % n); }
    std::uint64_t Bits() { return m_rng(); }

    // Texts of any bytes, often short, sometimes holding every byte value.
    std::string Text(bool allowNul) {
        std::string s;
        if (Below(10) == 0) {
            for (int c = allowNul ? 0 : 1; c < 256; ++c)
                s.push_back(static_cast<char>(c));
            return s;
        }
        std::size_t n = Below(24);
        for (std::size_t i = 0; i < n; ++i) {
            char c = static_cast<char>(Below(256));
            s.push_back(!allowNul && c == '\0' ? 'x' : c);
        }
        return s;
    }

    // An integer biased towards the extremes of its range.
    template <typename T> T Number() {
        switch (Below(4)) {
        case 0:
            return std::numeric_limits<T>::min();
        case 1:
            return std::numeric_limits<T>::max();
        case 2:
            return static_cast<T>(Below(3)) - static_cast<T>(1);
        default:
            return static_cast<T>(Bits());
        }
    }

    double Double() {
        switch (Below(5)) {
        case 0:
            return std::numeric_limits<double>::max();
        case 1:
            return -std::numeric_limits<double>::denorm_min();
        case 2:
            return -std::numeric_limits<double>::infinity();
        default: {
            std::uint64_t bits = Bits();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return std::isnan(d) ? 0.25 : d;
        }
        }
    }

private:
    std::mt19937_64 m_rng;
};

// A header text: null, empty or anything without a NUL.
const char* HeaderText(Generator& gen, std::string& storage) {
    if (gen.Below(4) == 0)
        return nullptr;
    storage = gen.Text(false);
    return storage.c_str();
}

// Adds one random value to p and records it in expected.
void AddRandomValue(Generator& gen, CKelpParser& p, std::vector<Expected>& expected) {
    Expected e{};
    e.key = gen.Text(false);
    if (e.key.empty())
        e.key = "k";
    e.kind = static_cast<Kind>(gen.Below(7));
    int ok = 0;
    switch (e.kind) {
    case Kind::Int:
        ok = p.AddValue(e.key.c_str(), static_cast<int>(e.i = gen.Number<int>()));
        break;
    case Kind::UInt:
        ok = p.AddValue(e.key.c_str(), static_cast<unsigned int>(e.u = gen.Number<unsigned int>()));
        break;
    case Kind::LongLong:
        ok = p.AddValue(e.key.c_str(), static_cast<long long>(e.i = gen.Number<long long>()));
        break;
    case Kind::ULongLong:
        ok = p.AddValue(e.key.c_str(),
                        static_cast<unsigned long long>(e.u = gen.Number<unsigned long long>()));
        break;
    case Kind::UShort:
        ok = p.AddValue(e.key.c_str(),
                        static_cast<unsigned short>(e.u = gen.Number<unsigned short>()));
        break;
    case Kind::Double:
        ok = p.AddValue(e.key.c_str(), e.d = gen.Double());
        break;
    case Kind::Text:
        e.text = gen.Text(true);
        if (!e.text.empty())
            ok = p.AddValue(e.key.c_str(), e.text.data(), static_cast<int>(e.text.size()));
        else
            ok = p.AddValue(e.key.c_str(), "");
        break;
    }
    ASSERT_TRUE(ok);
    expected.push_back(e);
}

// Checks that the value of e, as the first entry of its key, reads back.
void CheckValue(const CKelpParser& p, const Expected& e) {
    const char* key = e.key.c_str();
    switch (e.kind) {
    case Kind::Int: {
        int v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(e.i, v);
        break;
    }
    case Kind::UInt: {
        unsigned int v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(e.u, v);
        break;
    }
    case Kind::LongLong: {
        long long v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(e.i, v);
        break;
    }
    case Kind::ULongLong: {
        unsigned long long v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(e.u, v);
        break;
    }
    case Kind::UShort: {
        unsigned short v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(e.u, v);
        break;
    }
    case Kind::Double: {
        double v = 0;
        ASSERT_TRUE(p.GetValue(key, v));
        EXPECT_EQ(0, std::memcmp(&e.d, &v, sizeof v)) << e.d << " " << v;
        break;
    }
    case Kind::Text:
        EXPECT_EQ(e.text, TextOf(p, key));
        break;
    }
}

} // namespace

TEST(KelpRoundTrip, GeneratedMessagesReadBackUnchanged) {
    Generator gen(0x5EED1234u);
    for (int round = 0; round < 600; ++round) {
        std::string service, command, target, ip;
        const char* pService = HeaderText(gen, service);
        const char* pCommand = HeaderText(gen, command);
        const char* pTarget = HeaderText(gen, target);
        const char* pIp = HeaderText(gen, ip);
        int mode = gen.Number<int>();
        unsigned short port = gen.Number<unsigned short>();
        CKelpParser built(pService, pCommand, pTarget, mode, pIp, port);
        int encrypted = static_cast<int>(gen.Below(2));
        built.SetEncrypted(encrypted);

        std::vector<Expected> expected;
        int count = static_cast<int>(gen.Below(round % 10 == 0 ? 300 : 12));
        for (int i = 0; i < count; ++i)
            AddRandomValue(gen, built, expected);
        std::string data = gen.Below(3) == 0 ? gen.Text(true) : std::string();
        if (!data.empty()) {
            ASSERT_TRUE(built.AddData(data.data(), static_cast<int>(data.size())));
        }

        std::string text = Rendered(built);
        auto read = ReadExact(text);
        ASSERT_TRUE(read->IsValid()) << "round " << round;
        EXPECT_STREQ(pService ? pService : "", read->GetService());
        EXPECT_STREQ(pCommand ? pCommand : "", read->GetCommand());
        EXPECT_STREQ(pTarget ? pTarget : "", read->GetTarget());
        EXPECT_STREQ(pIp ? pIp : "", read->GetIPAddress());
        EXPECT_EQ(mode, read->GetMode());
        EXPECT_EQ(port, read->GetPort());
        EXPECT_EQ(encrypted, read->IsEncrypted());
        ASSERT_EQ(count, read->GetItemCount());

        // Only the first entry of a key is reachable by GetValue.
        for (std::size_t i = 0; i < expected.size(); ++i) {
            bool first = true;
            for (std::size_t j = 0; j < i && first; ++j)
                first = expected[j].key != expected[i].key;
            if (first)
                CheckValue(*read, expected[i]);
        }
        char* block = nullptr;
        int size = 0;
        EXPECT_EQ(!data.empty(), read->GetData(block, size) != 0);
        EXPECT_EQ(data, std::string(block ? block : "", static_cast<std::size_t>(size)));
        EXPECT_EQ(text, Rendered(*read)); // the rendering is canonical
    }
}
