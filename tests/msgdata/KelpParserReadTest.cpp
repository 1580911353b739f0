// Reading messages: the documented examples, strict numbers, the duplicate
// rule, and input that must be refused without reading outside its length.
#include "TestText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

const char kReply[] =
    "KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=&port=0&enc=0&n=13"
    "?Result=OK&ChNum=1&GameId=TETRIS&SubId=C0101"
    "&ChId1=TETRIS0C0101001&ChName1=%B1%E2%BA%BB%20%C3%A4%B3%CE&IP1=10.0.0.5&Port1=7001"
    "&MemCnt1=10&MaxMem1=300&MaxRoom1=50&MaxRoomMem1=4&MaxRoomView1=2;";

// A message with one value whose text is given already escaped.
std::string WithValue(const std::string& escaped) {
    return "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?v=" + escaped + ";";
}

} // namespace

TEST(KelpRead, ChannelListReply) {
    auto reply = ReadExact(kReply);
    ASSERT_TRUE(reply->IsValid());
    EXPECT_STREQ(G::serviceChannelList, reply->GetService());
    EXPECT_STREQ(G::commandGetChannelList, reply->GetCommand());
    EXPECT_EQ(13, reply->GetItemCount());
    EXPECT_EQ(G::valueSuccess, TextOf(*reply, G::keyResult));
    EXPECT_EQ("\xB1\xE2\xBA\xBB \xC3\xA4\xB3\xCE", TextOf(*reply, "ChName1"));
    int port = 0, maxView = 0;
    EXPECT_TRUE(reply->GetValue("Port1", port));
    EXPECT_EQ(7001, port);
    EXPECT_TRUE(reply->GetValue("MaxRoomView1", maxView));
    EXPECT_EQ(2, maxView);
    EXPECT_EQ(kReply, Rendered(*reply)); // canonical text renders unchanged
}

TEST(KelpRead, DocumentedExamplesReadAndRenderUnchanged) {
    // The examples of docs/protocol.md, one of each message kind.
    const char* const examples[] = {
        "KELP/1 svc=ChannelList&cmd=&tgt=&mode=1&ip=192.168.0.10&port=9100&enc=0&n=1"
        "?GameId=TETRIS;",
        "KELP/1 svc=ChannelList&cmd=&tgt=&mode=1&ip=192.168.0.10&port=9100&enc=0&n=7"
        "?GameId=TETRIS&ChId=TETRIS0C0101001&IP=10.0.0.5&Port=7001&MaxRoom=50"
        "&MaxRoomMem=4&MaxRoomView=2;",
        "KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=&port=0&enc=0&n=2"
        "?GameId=TETRIS&SubId=C0101;",
        "KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=&port=0&enc=0&n=22"
        "?Result=OK&ChNum=2&GameId=TETRIS&SubId=C0101&ChId1=TETRIS0C0101001"
        "&ChName1=%C3%A4%B3%CE%201&IP1=10.0.0.5&Port1=7001&MemCnt1=10&MaxMem1=300"
        "&MaxRoom1=50&MaxRoomMem1=4&MaxRoomView1=2&ChId2=TETRIS0C0101002"
        "&ChName2=Free%20%26%20Easy&IP2=10.0.0.6&Port2=7002&MemCnt2=0&MaxMem2=300"
        "&MaxRoom2=50&MaxRoomMem2=4&MaxRoomView2=2;",
        "KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=&port=0&enc=0&n=2"
        "?Result=FAIL&Msg=Server%20is%20busy,%20try%20later.;",
        "KELP/1 svc=Go&cmd=Join&tgt=&mode=1&ip=&port=0&enc=0&n=4?MinMem=0&MaxMem=0"
        "&Rating=-1&RatingMove=0;",
        "KELP/1 svc=Go&cmd=Join&tgt=&mode=1&ip=10.0.0.5&port=7001&enc=0&n=7?GameId=TETRIS"
        "&ChId=TETRIS0C0101001&MaxRoom=50&MaxRoomMem=4&MaxRoomView=2&RandRoom=1"
        "&SubId=C0101;",
        "KELP/1 svc=svc&cmd=cmd&tgt=&mode=1&ip=&port=0&enc=0&n=3?big=18446744073709551615"
        "&d=0.1&t=a%00b%3Dc#%01%02%3B;",
    };
    for (const char* text : examples) {
        CKelpParser p(text, 0, nullptr);
        ASSERT_TRUE(p.IsValid()) << text;
        EXPECT_EQ(text, Rendered(p));
    }
    CKelpParser join(examples[6], 0, nullptr);
    int randomRoom = -1;
    EXPECT_TRUE(join.GetValue(G::keyRandomRoomEnter, randomRoom));
    EXPECT_EQ(1, randomRoom);
    EXPECT_EQ(7001, join.GetPort());
    CKelpParser types(examples[7], 0, nullptr);
    double d = 0;
    EXPECT_TRUE(types.GetValue("d", d));
    EXPECT_EQ(0.1, d);
    EXPECT_EQ(std::string("a\0b=c", 5), TextOf(types, "t"));
}

TEST(KelpRead, NulTerminatedGameStringWithHeaderAddress) {
    const char* game = "KELP/1 svc=GameString&cmd=Start&tgt=&mode=1&ip=192.168.0.10&port=9100"
                       "&enc=0&n=1?GameId=TET3;";
    CKelpParser p(game, 0, nullptr);
    ASSERT_TRUE(p.IsValid());
    EXPECT_STREQ("192.168.0.10", p.GetIPAddress());
    EXPECT_EQ(9100, p.GetPort());
    EXPECT_EQ("TET3", TextOf(p, G::keyGameId));
}

TEST(KelpRead, KeyArgumentIsIgnoredAndEncryptedFlagReported) {
    std::string text = "KELP/1 svc=s&cmd=c&tgt=t&mode=0&ip=&port=0&enc=1&n=0;";
    CKelpParser p(text.c_str(), 0, "secret");
    ASSERT_TRUE(p.IsValid());
    EXPECT_TRUE(p.IsEncrypted());
    EXPECT_STREQ("t", p.GetTarget());
}

TEST(KelpRead, NumbersAreStrict) {
    struct Case {
        const char* escaped;
        bool readsAsInt;
        int value;
    };
    const Case cases[] = {
        {"12", true, 12},
        {"-2147483648", true, INT32_MIN},
        {"2147483647", true, 2147483647},
        {"007", true, 7},
        {"-0", true, 0},
        {"12abc", false, 0},
        {"99999999999", false, 0},
        {"2147483648", false, 0},
        {"", false, 0},
        {"%2B12", false, 0}, // "+12"
        {"%2012", false, 0},
        {"12%20", false, 0}, // spaces
        {"-", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {"%31%32", true, 12}, // escaped digits are digits
    };
    for (const Case& c : cases) {
        auto p = ReadExact(WithValue(c.escaped));
        ASSERT_TRUE(p->IsValid()) << c.escaped;
        int value = -99;
        EXPECT_EQ(c.readsAsInt, p->GetValue("v", value) != 0) << c.escaped;
        EXPECT_EQ(c.readsAsInt ? c.value : -99, value) << c.escaped;
    }
}

TEST(KelpRead, NumbersOfEveryWidthCheckTheirRange) {
    auto p = ReadExact(WithValue("-1"));
    unsigned int u = 1;
    unsigned long long ull = 1;
    unsigned short us = 1;
    long long ll = 1;
    double d = 1;
    EXPECT_FALSE(p->GetValue("v", u));
    EXPECT_FALSE(p->GetValue("v", ull));
    EXPECT_FALSE(p->GetValue("v", us));
    EXPECT_TRUE(p->GetValue("v", ll));
    EXPECT_EQ(-1, ll);
    EXPECT_TRUE(p->GetValue("v", d));
    EXPECT_EQ(-1.0, d);

    EXPECT_FALSE(ReadExact(WithValue("9223372036854775808"))->GetValue("v", ll));
    EXPECT_FALSE(ReadExact(WithValue("18446744073709551616"))->GetValue("v", ull));
    EXPECT_FALSE(ReadExact(WithValue("1e999"))->GetValue("v", d));
    EXPECT_FALSE(ReadExact(WithValue("1.5x"))->GetValue("v", d));
    EXPECT_FALSE(ReadExact(WithValue("abc"))->GetValue("v", d));
    EXPECT_TRUE(ReadExact(WithValue(".5"))->GetValue("v", d));
    EXPECT_EQ(0.5, d);
    EXPECT_TRUE(ReadExact(WithValue("-2e-3"))->GetValue("v", d));
    EXPECT_EQ(-2e-3, d);
}

// The special doubles read in lower case as written: inf, -inf, nan (and
// -nan, which earlier writers produced); the other spellings that the C
// library knows are refused.
TEST(KelpRead, DoublesReadOnlyTheWrittenSpecialValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* escaped;
        bool reads;
        double value;
    } cases[] = {
        {"inf", true, inf},      {"-inf", true, -inf},   {"nan", true, nan},
        {"-nan", true, nan},     {"INF", false, 0},      {"Inf", false, 0},
        {"infinity", false, 0},  {"Infinity", false, 0}, {"-Infinity", false, 0},
        {"NaN", false, 0},       {"NAN", false, 0},      {"nan(1)", false, 0},
        {"nan%28%29", false, 0}, {"%2Binf", false, 0},
    };
    for (const auto& c : cases) {
        double value = 7;
        EXPECT_EQ(c.reads, ReadExact(WithValue(c.escaped))->GetValue("v", value) != 0) << c.escaped;
        if (!c.reads)
            EXPECT_EQ(7, value) << c.escaped;
        else if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(value)) << c.escaped;
        else
            EXPECT_EQ(c.value, value) << c.escaped;
    }
}

// A text reads as the double nearest to it; one that is not zero but lies
// nearer to 0 than to the smallest positive double fails, as one beyond the
// largest does.
TEST(KelpRead, DoublesTooSmallToTellFromZeroFail) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct {
        const char* escaped;
        bool reads;
        double value;
    } cases[] = {
        {"3e-324", true, tiny},
        {"2.4703282292062328e-324", true, tiny}, // just above half of it
        {"2.4703282292062327e-324", false, 0},   // just below
        {"2e-324", false, 0},
        {"-2e-324", false, 0},
        {"1e-400", false, 0},
        {"0e-999", true, 0},
        {"1e-310", true, 1e-310},
    };
    for (const auto& c : cases) {
        double value = 7;
        EXPECT_EQ(c.reads, ReadExact(WithValue(c.escaped))->GetValue("v", value) != 0) << c.escaped;
        EXPECT_EQ(c.reads ? c.value : 7, value) << c.escaped;
    }
}

// The decimal digits of start * factor^times (start and factor small).
std::string DecimalProduct(unsigned long long start, int factor, int times) {
    std::string digits = std::to_string(start); // most significant first
    for (int t = 0; t < times; ++t) {
        int carry = 0;
        for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
            int v = (*d - '0') * factor + carry;
            *d = static_cast<char>('0' + v % 10);
            carry = v / 10;
        }
        for (; carry > 0; carry /= 10)
            digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
    }
    return digits;
}

// Exact texts of the two midpoints: a tie goes to the even neighbour, so
// half the smallest positive double reads as 0 (and fails, not being
// zero), and the midpoint above the largest double rounds beyond it.
TEST(KelpRead, DoublesAtTheMidpointsOfTheRange) {
    const std::string five = DecimalProduct(1, 5, 1075); // 2^-1075 = 5^1075 / 10^1075
    const std::string half = "0." + std::string(1075 - five.size(), '0') + five;
    const std::string top = DecimalProduct((1ULL << 54) - 1, 2, 970); // 2^1024 - 2^970
    const double max = std::numeric_limits<double>::max();
    const struct {
        std::string escaped;
        bool reads;
        double value;
    } cases[] = {
        {half, false, 0},
        {half + "1", true, std::numeric_limits<double>::denorm_min()},
        {top, false, 0},
        {top.substr(0, 20) + "e" + std::to_string(top.size() - 20), true, max}, // just below
        {"1.7976931348623158e308", true, max}, // written above the largest, rounds to it
        {"1.7976931348623159e308", false, 0},  // rounds beyond it
    };
    ASSERT_EQ(1077u, half.size());
    for (const auto& c : cases) {
        double value = 7;
        EXPECT_EQ(c.reads, ReadExact(WithValue(c.escaped))->GetValue("v", value) != 0)
            << c.escaped.substr(0, 30);
        EXPECT_EQ(c.reads ? c.value : 7, value) << c.escaped.substr(0, 30);
    }
}

TEST(KelpRead, DuplicateKeysReadAndTheFirstWins) {
    auto p = ReadExact("KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=3"
                       "?SubId=A&SubId=B&subid=C;");
    ASSERT_TRUE(p->IsValid());
    EXPECT_EQ(3, p->GetItemCount());
    EXPECT_EQ("A", TextOf(*p, "SubId"));
    EXPECT_EQ("C", TextOf(*p, "subid")); // keys are case-sensitive
}

TEST(KelpRead, MissingKeyAndInvalidParserLeaveOutputsAlone) {
    auto p = ReadExact(kReply);
    char* text = nullptr;
    int length = 0, number = 0;
    EXPECT_FALSE(p->GetValue(G::keyMessage, text, length));
    EXPECT_FALSE(p->GetValue("ChId2", number));
    EXPECT_FALSE(p->GetValue(nullptr, number));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, length);
    EXPECT_EQ(0, number);

    auto bad = ReadExact("KELP/1 nonsense;");
    EXPECT_FALSE(bad->IsValid());
    EXPECT_FALSE(bad->GetValue(G::keyResult, text, length));
    EXPECT_FALSE(bad->GetURL(text, length));
    EXPECT_FALSE(bad->AddValue("k", 1));
    EXPECT_FALSE(bad->SetEncrypted(1));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, bad->GetItemCount());
    EXPECT_STREQ("", bad->GetService());
}

TEST(KelpRead, MalformedMessagesAreRefused) {
    const char* const bad[] = {
        "",
        "KELP/1 ",
        "KELP/2 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",
        "kelp/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0",      // no end mark
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;;",    // two end marks
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;\n",   // trailing byte
        "KELP/1 cmd=c&svc=s&tgt=&mode=1&ip=&port=0&enc=0&n=0;",     // order
        "KELP/1 svc=s&cmd=c&mode=1&ip=&port=0&enc=0&n=0;",          // field missing
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0&x=1;", // field extra
        "KELP/1 svc=s&cmd=c&tgt=&mode=x&ip=&port=0&enc=0&n=0;",     // mode
        "KELP/1 svc=s&cmd=c&tgt=&mode=2147483648&ip=&port=0&enc=0&n=0;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=65536&enc=0&n=0;", // port range
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=-1&enc=0&n=0;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=2&n=0;", // flag
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=;",
        "KELP/1 svc=s%00&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",  // NUL in header
        "KELP/1 svc=s t&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",   // raw space
        "KELP/1 svc=\xB0&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",  // raw high byte
        "KELP/1 svc=%4&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",    // short escape
        "KELP/1 svc=%G1&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0;",   // bad hex
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1;",     // count too high
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0?a=1;", // count too low
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a=1&b=2;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=262145?a=1;", // over the limit
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=4294967296?a=1;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?=1;",     // empty key
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a%00=1;", // NUL in key
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a;",      // no '='
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a=1=2;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a=1&;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?a=%;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0#;", // empty data
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0#a#b;",
        "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=0#a?b=1;", // data before values
    };
    for (const char* text : bad) {
        EXPECT_FALSE(ReadExact(text)->IsValid()) << text;
        EXPECT_FALSE(CKelpParser(text, 0, nullptr).IsValid()) << text;
    }
}

// The numbers of the header (mode, port, enc, n) stand raw: unlike texts,
// keys and values, they are never read through escapes.
TEST(KelpRead, HeaderNumbersAreNeverEscaped) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"KELP/1 svc=s&cmd=c&tgt=&mode=-1&ip=&port=7001&enc=1&n=1?v=1;", true},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=%31&ip=&port=0&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=%2D1&ip=&port=0&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=70%301&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=%31&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=%31?v=1;", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, ReadExact(c.text)->IsValid() != 0) << c.text;
}

// The header's numbers read only in the one form the renderer writes: no
// leading zeros, no "-0" (values, being texts, may have leading zeros).
TEST(KelpRead, HeaderNumbersHaveNoLeadingZeros) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"KELP/1 svc=s&cmd=c&tgt=&mode=0&ip=&port=0&enc=0&n=0;", true},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=-2147483648&ip=&port=65535&enc=1&n=10"
         "?a=1&a=2&a=3&a=4&a=5&a=6&a=7&a=8&a=9&v=007;",
         true},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=01&ip=&port=0&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=-0&ip=&port=0&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=-01&ip=&port=0&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=09100&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=00&enc=0&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=01&n=0;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=01?v=1;", false},
        {"KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=00;", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, ReadExact(c.text)->IsValid() != 0) << c.text;
}

TEST(KelpRead, EveryShorterPrefixIsRefused) {
    CKelpParser built(G::serviceGo, G::commandGo, nullptr, 1, "10.0.0.5", 7001);
    built.AddValue(G::keyChannelId, "CH%&=?#;");
    built.AddValue(G::keyMaxRoom, 50);
    built.AddData("\x01\x02", 2);
    std::string text = Rendered(built);
    ASSERT_TRUE(ReadExact(text)->IsValid());
    for (std::size_t n = 0; n < text.size(); ++n)
        EXPECT_FALSE(ReadExact(text.substr(0, n))->IsValid()) << n;
}

TEST(KelpRead, LengthArgumentIsHonoured) {
    std::string text = kReply;
    EXPECT_FALSE(CKelpParser(nullptr, 0, nullptr).IsValid());
    EXPECT_FALSE(CKelpParser(text.c_str(), -1, nullptr).IsValid());
    EXPECT_FALSE(CKelpParser(text.c_str(), CKelpParser::kMaxMessageSize + 1, nullptr).IsValid());
    // Bytes after the given length are not part of the message.
    std::string longer = text + "garbage";
    EXPECT_TRUE(CKelpParser(longer.c_str(), static_cast<int>(text.size()), nullptr).IsValid());
    // A NUL inside the given length is a byte like any other, and not allowed raw.
    std::string withNul = text;
    withNul[10] = '\0';
    EXPECT_FALSE(ReadExact(withNul)->IsValid());
}

TEST(KelpRead, OversizedNulTerminatedTextIsRefused) {
    std::string text = "KELP/1 svc=s&cmd=c&tgt=&mode=1&ip=&port=0&enc=0&n=1?v=";
    text.append(CKelpParser::kMaxMessageSize, 'a');
    text += ";";
    EXPECT_FALSE(CKelpParser(text.c_str(), 0, nullptr).IsValid());
}

TEST(KelpRead, ArbitraryBytesNeverCrash) {
    std::mt19937 rng(20240611u);
    const std::string alphabet = "KELP/1 svcmdtgoiprn=&?#;%0123456789AFaf\xB0\x00";
    std::string base = kReply;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        if (round % 2 == 0) {
            // Bytes drawn from the format's own characters.
            std::size_t n = rng() % 120;
            for (std::size_t i = 0; i < n; ++i)
                text.push_back(alphabet[rng() % alphabet.size()]);
        } else {
            // A valid message with a few bytes changed, cut or inserted.
            text = base;
            for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0; --edits) {
                std::size_t at = rng() % text.size();
                switch (rng() % 3) {
                case 0:
                    text[at] = static_cast<char>(rng());
                    break;
                case 1:
                    text.erase(at, 1 + rng() % 8);
                    break;
                default:
                    text.insert(at, 1, alphabet[rng() % alphabet.size()]);
                }
                if (text.empty())
                    text = "K";
            }
        }
        auto p = ReadExact(text);
        if (p->IsValid()) {
            // Whatever reads must render and read back the same.
            std::string again = Rendered(*p);
            auto q = ReadExact(again);
            ASSERT_TRUE(q->IsValid()) << text;
            EXPECT_EQ(again, Rendered(*q));
        }
    }
}
