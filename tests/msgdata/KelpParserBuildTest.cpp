// Building messages: header, every value type, replacement, removal,
// duplicates, the data block, rendering and the limits.
#include "TestText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

CKelpParser MakeRequest() {
    return CKelpParser(G::serviceChannelList, G::commandGetChannelList, nullptr, 1, nullptr, 0);
}

} // namespace

TEST(KelpBuild, HeaderAsGivenWithNullTextsEmpty) {
    CKelpParser join(G::serviceGo, G::commandGo, nullptr, 1, "10.1.2.3", 7001);
    EXPECT_TRUE(join.IsValid());
    EXPECT_STREQ(G::serviceGo, join.GetService());
    EXPECT_STREQ(G::commandGo, join.GetCommand());
    EXPECT_STREQ("", join.GetTarget());
    EXPECT_STREQ("10.1.2.3", join.GetIPAddress());
    EXPECT_EQ(1, join.GetMode());
    EXPECT_EQ(7001, join.GetPort());
    EXPECT_FALSE(join.IsEncrypted());
    EXPECT_EQ(0, join.GetItemCount());

    CKelpParser bare(nullptr, nullptr, nullptr, -5, nullptr, 65535);
    EXPECT_TRUE(bare.IsValid());
    EXPECT_STREQ("", bare.GetService());
    EXPECT_EQ(-5, bare.GetMode());
    EXPECT_EQ(65535, bare.GetPort());
}

TEST(KelpBuild, RendersTheDocumentedText) {
    CKelpParser request = MakeRequest();
    ASSERT_TRUE(request.AddValue(G::keyGameId, "TETRIS"));
    ASSERT_TRUE(request.AddValue(G::keySubId, "C0101"));
    EXPECT_EQ("KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=&port=0&enc=0&n=2"
              "?GameId=TETRIS&SubId=C0101;",
              Rendered(request));

    CKelpParser odd("a b", "%&=?#;", "t", -1, "::1", 1);
    ASSERT_TRUE(odd.AddValue("k y", "\x00\xB0\xA1\n", 4));
    ASSERT_TRUE(odd.AddData("\x01#", 2));
    ASSERT_TRUE(odd.SetEncrypted(1));
    EXPECT_EQ("KELP/1 svc=a%20b&cmd=%25%26%3D%3F%23%3B&tgt=t&mode=-1&ip=::1&port=1&enc=1&n=1"
              "?k%20y=%00%B0%A1%0A#%01%23;",
              Rendered(odd));
}

TEST(KelpBuild, IntegersKeepTheirValueAtTheExtremes) {
    CKelpParser p = MakeRequest();
    const int intMin = std::numeric_limits<int>::min();
    const long long llMin = std::numeric_limits<long long>::min();
    const unsigned long long ullMax = std::numeric_limits<unsigned long long>::max();
    ASSERT_TRUE(p.AddValue("i", intMin));
    ASSERT_TRUE(p.AddValue("u", 4294967295u));
    ASSERT_TRUE(p.AddValue("ll", llMin));
    ASSERT_TRUE(p.AddValue("ull", ullMax));
    ASSERT_TRUE(p.AddValue("us", static_cast<unsigned short>(65535)));

    int i = 0;
    unsigned int u = 0;
    long long ll = 0;
    unsigned long long ull = 0;
    unsigned short us = 0;
    EXPECT_TRUE(p.GetValue("i", i));
    EXPECT_EQ(intMin, i);
    EXPECT_TRUE(p.GetValue("u", u));
    EXPECT_EQ(4294967295u, u);
    EXPECT_TRUE(p.GetValue("ll", ll));
    EXPECT_EQ(llMin, ll);
    EXPECT_TRUE(p.GetValue("ull", ull));
    EXPECT_EQ(ullMax, ull);
    EXPECT_TRUE(p.GetValue("us", us));
    EXPECT_EQ(65535, us);
    EXPECT_EQ("-2147483648", TextOf(p, "i"));
    EXPECT_EQ("18446744073709551615", TextOf(p, "ull"));
}

TEST(KelpBuild, DoublesReadBackExactly) {
    const double values[] = {
        0.1, -0.0, 1e308, 5e-324, -123456.789, 3.0, std::numeric_limits<double>::infinity()};
    for (double v : values) {
        CKelpParser p = MakeRequest();
        ASSERT_TRUE(p.AddValue("d", v));
        double back = 0;
        ASSERT_TRUE(p.GetValue("d", back)) << TextOf(p, "d");
        EXPECT_EQ(0, std::memcmp(&v, &back, sizeof v)) << v;
    }
    CKelpParser p = MakeRequest();
    ASSERT_TRUE(p.AddValue("nan", std::nan("")));
    double back = 0;
    ASSERT_TRUE(p.GetValue("nan", back));
    EXPECT_TRUE(std::isnan(back));
    ASSERT_TRUE(p.AddValue("three", 3.0));
    EXPECT_EQ("3", TextOf(p, "three"));
    ASSERT_TRUE(p.AddValue("big", 1e308));
    EXPECT_EQ("1e+308", TextOf(p, "big"));
}

// A double is written in the fewest characters that read back, plain when
// the exponent form is not shorter; plain digits are the nearest to the
// value, so a large whole double shows its exact digits.
TEST(KelpBuild, DoublesAreWrittenByTheDocumentedRule) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {std::ldexp(1.0, 70), "1180591620717411303424"}, // as long as 1.1805916207174113e+21
        {std::ldexp(1.0, 60), "1152921504606846976"},
        {123456789012345678.0, "123456789012345680"},
        {std::ldexp(1.0, 73), "9.44473296573929e+21"},
        {1e21, "1e+21"},
        {1.5e17, "1.5e+17"},
        {100.0, "100"},
        {0.001, "0.001"}, // as long as 1e-03
        {0.0001, "1e-04"},
        {1e-5, "1e-05"},
        {5e-324, "5e-324"},
        {-0.0, "-0"},
    };
    for (const auto& c : cases) {
        CKelpParser p = MakeRequest();
        ASSERT_TRUE(p.AddValue("d", c.value));
        EXPECT_EQ(c.text, TextOf(p, "d"));
    }
}

// The special doubles are written as the document names them: a NaN is
// "nan" whatever its sign bit, the infinities "inf" and "-inf".
TEST(KelpBuild, SpecialDoublesAreWrittenInTheirOneForm) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* text;
    } cases[] = {{nan, "nan"}, {std::copysign(nan, -1.0), "nan"}, {inf, "inf"}, {-inf, "-inf"}};
    for (const auto& c : cases) {
        CKelpParser p = MakeRequest();
        ASSERT_TRUE(p.AddValue("d", c.value));
        EXPECT_EQ(c.text, TextOf(p, "d"));
    }
}

TEST(KelpBuild, TextsKeepEveryByte) {
    CKelpParser p = MakeRequest();
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    ASSERT_TRUE(p.AddValue("all", all.data(), static_cast<int>(all.size())));
    ASSERT_TRUE(p.AddValue("upToNul", "ab\0cd"));
    ASSERT_TRUE(p.AddValue("empty", ""));
    EXPECT_EQ(all, TextOf(p, "all"));
    EXPECT_EQ("ab", TextOf(p, "upToNul"));
    EXPECT_EQ("", TextOf(p, "empty"));

    char* text = nullptr;
    int length = 0;
    ASSERT_TRUE(p.GetValue("upToNul", text, length));
    EXPECT_EQ('\0', text[length]); // always followed by a NUL
}

TEST(KelpBuild, BadArgumentsFail) {
    CKelpParser p = MakeRequest();
    EXPECT_FALSE(p.AddValue(nullptr, 1));
    EXPECT_FALSE(p.AddValue("", 1));
    EXPECT_FALSE(p.AddValue("k", static_cast<const char*>(nullptr)));
    EXPECT_FALSE(p.AddValue("k", "abc", -1));
    EXPECT_FALSE(p.AddData(nullptr, 3));
    EXPECT_FALSE(p.AddData("abc", -1));
    EXPECT_EQ(0, p.GetItemCount());
}

// No bytes, null or not, make no block; the rendered text ends in a NUL
// that its length does not count.
TEST(KelpBuild, EmptyDataAddsNoBlockAndTheTextEndsInANul) {
    CKelpParser p = MakeRequest();
    EXPECT_TRUE(p.AddData(nullptr, 0));
    char* block = nullptr;
    int size = 0;
    EXPECT_FALSE(p.GetData(block, size));
    char* text = nullptr;
    int length = 0;
    ASSERT_TRUE(p.GetURL(text, length));
    EXPECT_EQ(';', text[length - 1]);
    EXPECT_EQ('\0', text[length]);
}

TEST(KelpBuild, DuplicatesAppendAndTheFirstIsRead) {
    CKelpParser p = MakeRequest();
    ASSERT_TRUE(p.AddValue(G::keyGameId, "first"));
    ASSERT_TRUE(p.AddValue(G::keyGameId, "second"));
    EXPECT_EQ(2, p.GetItemCount());
    EXPECT_EQ("first", TextOf(p, G::keyGameId));

    EXPECT_TRUE(p.DelKey(G::keyGameId)); // removes both
    EXPECT_EQ(0, p.GetItemCount());
    EXPECT_FALSE(p.DelKey(G::keyGameId));
    EXPECT_EQ("<none>", TextOf(p, G::keyGameId));
}

TEST(KelpBuild, SetValueReplacesEveryEntryForEachType) {
    CKelpParser p = MakeRequest();
    p.AddValue("k", "old");
    p.AddValue("other", 1);
    p.AddValue("k", "older");
    EXPECT_TRUE(p.SetValue("k", 5));
    EXPECT_EQ(2, p.GetItemCount());
    EXPECT_EQ("5", TextOf(p, "k"));
    EXPECT_TRUE(p.SetValue("k", 6u));
    EXPECT_TRUE(p.SetValue("k", -7LL));
    EXPECT_TRUE(p.SetValue("k", 8ULL));
    EXPECT_TRUE(p.SetValue("k", static_cast<unsigned short>(9)));
    EXPECT_TRUE(p.SetValue("k", 0.5));
    EXPECT_EQ("0.5", TextOf(p, "k"));
    EXPECT_TRUE(p.SetValue("k", "text", 2));
    EXPECT_EQ("te", TextOf(p, "k"));
    EXPECT_EQ(2, p.GetItemCount());
    EXPECT_FALSE(p.SetValue("", 1)); // AddValue's result, after a DelKey that found nothing
}

TEST(KelpBuild, ManyValuesAreFoundThroughTheIndexAfterChanges) {
    CKelpParser p = MakeRequest();
    char key[32];
    for (int i = 1; i <= 1000; ++i) {
        std::snprintf(key, sizeof key, "%s%d", G::keyChannelId, i);
        ASSERT_TRUE(p.AddValue(key, i));
    }
    int v = 0;
    ASSERT_TRUE(p.GetValue("ChId500", v));
    EXPECT_EQ(500, v);
    ASSERT_TRUE(p.AddValue("ChId500", -1)); // duplicate after the index exists
    ASSERT_TRUE(p.GetValue("ChId500", v));
    EXPECT_EQ(500, v);
    ASSERT_TRUE(p.DelKey("ChId500"));
    EXPECT_FALSE(p.GetValue("ChId500", v));
    ASSERT_TRUE(p.GetValue("ChId1000", v));
    EXPECT_EQ(1000, v);
    ASSERT_TRUE(p.AddValue("late", 42));
    ASSERT_TRUE(p.GetValue("late", v));
    EXPECT_EQ(42, v);
}

TEST(KelpBuild, DataBlockAppendsReplacesAndDeletes) {
    CKelpParser p = MakeRequest();
    char* block = nullptr;
    int size = 0;
    EXPECT_FALSE(p.GetData(block, size));
    EXPECT_FALSE(p.DelData());
    ASSERT_TRUE(p.AddData("ab", 2));
    ASSERT_TRUE(p.AddData("\0c", 2));
    ASSERT_TRUE(p.GetData(block, size));
    EXPECT_EQ(std::string("ab\0c", 4), std::string(block, static_cast<std::size_t>(size)));
    ASSERT_TRUE(p.SetData("xyz", 3));
    ASSERT_TRUE(p.GetData(block, size));
    EXPECT_EQ("xyz", std::string(block, static_cast<std::size_t>(size)));
    EXPECT_TRUE(p.DelData());
    EXPECT_FALSE(p.GetData(block, size));
    EXPECT_TRUE(p.AddData("", 0)); // nothing to add is no error
}

TEST(KelpBuild, RenderingFollowsChanges) {
    CKelpParser p = MakeRequest();
    std::string before = Rendered(p);
    p.AddValue("k", 1);
    std::string after = Rendered(p);
    EXPECT_NE(before, after);
    EXPECT_NE(std::string::npos, after.find("n=1?k=1;"));
    p.DelKey("k");
    EXPECT_EQ(before, Rendered(p));
}

TEST(KelpBuild, LimitsKeepEveryBuiltMessageReadable) {
    CKelpParser p = MakeRequest();
    for (int i = 0; i < CKelpParser::kMaxItemCount; ++i)
        ASSERT_TRUE(p.AddValue("k", "")) << i;
    EXPECT_FALSE(p.AddValue("k", ""));
    std::string text = Rendered(p);
    ASSERT_NE("<none>", text);
    CKelpParser back(text.data(), static_cast<int>(text.size()), nullptr);
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(CKelpParser::kMaxItemCount, back.GetItemCount());

    // Content beyond the size limit is refused; content that escapes past it
    // does not render.
    CKelpParser big = MakeRequest();
    std::string huge(CKelpParser::kMaxMessageSize / 2, '\xB0');
    EXPECT_TRUE(big.AddValue("a", huge.data(), static_cast<int>(huge.size())));
    EXPECT_FALSE(big.AddValue("b", huge.data(), static_cast<int>(huge.size())));
    EXPECT_FALSE(big.AddData(huge.data(), static_cast<int>(huge.size())));
    char* url = nullptr;
    int length = 0;
    EXPECT_FALSE(big.GetURL(url, length));
    EXPECT_EQ(nullptr, url);
}
