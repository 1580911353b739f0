// Protocol names, encoded integers and the web text coding.
#include "KelpParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>

TEST(ProtocolKeys, KeysAreDistinctAndIndexedFormsNeverCollide) {
    std::set<std::string> seen;
    int count = 0;
    for (const char* const* key = G::allKeys; *key; ++key, ++count) {
        std::string text = *key;
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(seen.insert(text).second) << text;
        // No key ends in a digit, so "%s%d" of one key is never another key
        // or another key's indexed form.
        EXPECT_FALSE(text.back() >= '0' && text.back() <= '9') << text;
    }
    EXPECT_EQ(18, count);
    const char* const named[] = {
        G::keyGameId,         G::keyChannelId, G::keyChannelName, G::keyChannelNum,
        G::keySubId,          G::keyIPAddress, G::keyPort,        G::keyMemberCnt,
        G::keyMaxMember,      G::keyMinMember, G::keyMaxRoom,     G::keyMaxRoomMembers,
        G::keyMaxRoomViewers, G::keyRating,    G::keyRatingMove,  G::keyRandomRoomEnter,
        G::keyResult,         G::keyMessage};
    for (const char* key : named)
        EXPECT_EQ(1u, seen.count(key)) << key;
    EXPECT_STRNE(G::valueSuccess, G::valueFailure);
    EXPECT_STRNE(G::serviceGo, G::serviceChannelList);
}

// Hosts hold the names as the char* globals they are declared as; each
// reads as the protocol's text.
TEST(ProtocolKeys, HostsTakeTheNamesAsCharPointers) {
    char* k = G::keyGameId;
    EXPECT_STREQ("GameId", k);
    const struct {
        char* pName;
        const char* pszText;
    } names[] = {
        {G::keyGameId, "GameId"},
        {G::keyChannelId, "ChId"},
        {G::keyChannelName, "ChName"},
        {G::keyChannelNum, "ChNum"},
        {G::keySubId, "SubId"},
        {G::keyIPAddress, "IP"},
        {G::keyPort, "Port"},
        {G::keyMemberCnt, "MemCnt"},
        {G::keyMaxMember, "MaxMem"},
        {G::keyMinMember, "MinMem"},
        {G::keyMaxRoom, "MaxRoom"},
        {G::keyMaxRoomMembers, "MaxRoomMem"},
        {G::keyMaxRoomViewers, "MaxRoomView"},
        {G::keyRating, "Rating"},
        {G::keyRatingMove, "RatingMove"},
        {G::keyRandomRoomEnter, "RandRoom"},
        {G::keyResult, "Result"},
        {G::keyMessage, "Msg"},
        {G::serviceChannelList, "ChannelList"},
        {G::commandGetChannelList, "GetChannelList"},
        {G::serviceGo, "Go"},
        {G::commandGo, "Join"},
        {G::valueSuccess, "OK"},
        {G::valueFailure, "FAIL"},
    };
    for (const auto& name : names)
        EXPECT_STREQ(name.pszText, name.pName);
}

TEST(EncodeInt, HoldsEveryValueAndCopiesReencode) {
    const int values[] = {0, 1, -1, std::numeric_limits<int>::min(),
                          std::numeric_limits<int>::max()};
    for (int v : values) {
        EncodeInt a(v);
        EncodeInt b(a);
        EncodeInt c;
        c = b;
        EXPECT_EQ(v, static_cast<int>(a));
        EXPECT_EQ(v, b.Get());
        EXPECT_EQ(v, c.Get());
    }
    EncodeInt a(12345);
    EncodeInt b(a);
    // The plain value does not stand in memory, and a copy looks different.
    int plain = 12345;
    EXPECT_NE(0, std::memcmp(&a, &b, sizeof a));
    bool found = false;
    for (std::size_t off = 0; off + sizeof plain <= sizeof a; ++off)
        found = found ||
                std::memcmp(reinterpret_cast<const char*>(&a) + off, &plain, sizeof plain) == 0;
    EXPECT_FALSE(found);
    a = 7;
    a.Set(a + 1);
    EXPECT_EQ(8, a.Get());
}

TEST(EncodeLongLong, HoldsEveryValueAndCopiesReencode) {
    const long long values[] = {0, -1, std::numeric_limits<long long>::min(),
                                std::numeric_limits<long long>::max()};
    for (long long v : values) {
        EncodeLongLong a(v);
        EncodeLongLong b;
        b = a;
        EncodeLongLong c(b);
        EXPECT_EQ(v, static_cast<long long>(a));
        EXPECT_EQ(v, b.Get());
        EXPECT_EQ(v, c.Get());
    }
    EncodeLongLong a(1LL << 40);
    EncodeLongLong b(a);
    EXPECT_NE(0, std::memcmp(&a, &b, sizeof a));
    a = -5;
    EXPECT_EQ(-5, a.Get());
}

TEST(EncodeToWeb, AddressesRoundTripWithoutCommas) {
    char packed[64];
    char unpacked[52];
    ASSERT_TRUE(CEncodeToWeb::packString("10.0.0.1:7000, a", 0, packed, sizeof packed));
    EXPECT_STREQ("10.0.0.1%3A7000%2C%20a", packed);
    ASSERT_TRUE(CEncodeToWeb::unpackString(packed, unpacked, sizeof unpacked));
    EXPECT_STREQ("10.0.0.1:7000, a", unpacked);

    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    char big[1024];
    char back[256];
    ASSERT_TRUE(CEncodeToWeb::packString(all.c_str(), 0, big, sizeof big));
    for (const char* p = big; *p; ++p)
        EXPECT_TRUE(*p > 0x20 && *p < 0x7F && *p != ',') << static_cast<int>(*p);
    ASSERT_TRUE(CEncodeToWeb::unpackString(big, back, sizeof back));
    EXPECT_EQ(all, back);
    EXPECT_TRUE(CEncodeToWeb::unpackString("%6a%6A", back, sizeof back)); // either case of hex
    EXPECT_STREQ("jj", back);
}

TEST(EncodeToWeb, BadOrOversizedInputFailsCleanly) {
    char out[8];
    const char* const malformed[] = {"%", "%4", "%G0", "a b", "a,b", "\xB0", "%00", "+"};
    for (const char* text : malformed) {
        std::memset(out, 'z', sizeof out);
        EXPECT_FALSE(CEncodeToWeb::unpackString(text, out, sizeof out)) << text;
        EXPECT_STREQ("", out) << text;
    }
    EXPECT_TRUE(CEncodeToWeb::unpackString("1234567", out, 8));
    EXPECT_FALSE(CEncodeToWeb::unpackString("12345678", out, 8)); // no room for the NUL
    EXPECT_STREQ("", out);
    EXPECT_TRUE(CEncodeToWeb::unpackString("", out, 8));
    EXPECT_FALSE(CEncodeToWeb::unpackString(nullptr, out, 8));
    EXPECT_FALSE(CEncodeToWeb::unpackString("a", out, 0));

    EXPECT_TRUE(CEncodeToWeb::packString("abcdefg", 0, out, 8));
    EXPECT_FALSE(CEncodeToWeb::packString("abcdefgh", 0, out, 8));
    EXPECT_FALSE(CEncodeToWeb::packString("abc:", 0, out, 6)); // "abc%3A" needs 7
    EXPECT_STREQ("", out);
    EXPECT_TRUE(CEncodeToWeb::packString("a\0b", 3, out, 8));
    EXPECT_STREQ("a%00b", out);
}
