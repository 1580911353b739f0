// Reading channel-list replies into records, without a window: what a
// short, long, damaged or hostile reply gives.
#include <gtest/gtest.h>

#include <string>

#include <KelpParser.h>

#include "ChannelReply.h"

namespace {

// A reply built key by key; "%d" in a key stands for the channel index.
struct ReplyBuilder {
    CKelpParser parser{G::serviceChannelList, G::commandGetChannelList, NULL, 1, NULL, 0};
    ReplyBuilder& Text(const std::string& sKey, const std::string& sValue) {
        parser.AddValue(sKey.c_str(), sValue.c_str(), (int)sValue.size());
        return *this;
    }
    ReplyBuilder& Channel(int i, const char* pszId, int nMembers) {
        const std::string n = std::to_string(i);
        Text(G::keyChannelId + n, pszId);
        Text(G::keyChannelName + n, std::string("Name ") + pszId);
        Text(G::keyIPAddress + n, "127.0.0.1");
        const char* const numbers[] = {G::keyPort,    G::keyMemberCnt,      G::keyMaxMember,
                                       G::keyMaxRoom, G::keyMaxRoomMembers, G::keyMaxRoomViewers};
        const int values[] = {7000 + i, nMembers, 300, 50, 4, 2};
        for (int k = 0; k < 6; ++k)
            parser.AddValue((numbers[k] + n).c_str(), values[k]);
        return *this;
    }
};

} // namespace

TEST(ChannelReply, Failure) {
    CString strMessage;
    ReplyBuilder failure;
    failure.Text(G::keyResult, G::valueFailure).Text(G::keyMessage, "Server busy");
    EXPECT_TRUE(TsIsFailureReply(failure.parser, strMessage));
    EXPECT_EQ(std::string(strMessage), "Server busy");

    ReplyBuilder silentFailure, success, noResult, lowerCase;
    silentFailure.Text(G::keyResult, G::valueFailure);
    EXPECT_TRUE(TsIsFailureReply(silentFailure.parser, strMessage));
    EXPECT_TRUE(strMessage.IsEmpty());
    success.Text(G::keyResult, G::valueSuccess).Text(G::keyMessage, "ignored");
    EXPECT_FALSE(TsIsFailureReply(success.parser, strMessage));
    EXPECT_FALSE(TsIsFailureReply(noResult.parser, strMessage)); // no result: no failure
    std::string sLower(G::valueFailure);
    for (char& ch : sLower)
        ch = (char)tolower((unsigned char)ch);
    lowerCase.Text(G::keyResult, sLower);
    EXPECT_FALSE(TsIsFailureReply(lowerCase.parser, strMessage));
}

// The stated count only bounds the reading: it never exceeds the values
// present, and a missing, negative or unreadable count reads nothing.
TEST(ChannelReply, ChannelLimit) {
    struct Case {
        const char* pszCount; // null: no keyChannelNum
        int nLimit;
    } cases[] = {{"3", 3},   {NULL, 0},          {"0", 0},          {"-5", 0},
                 {"abc", 0}, {"2000000000", 21}, {"99999999999", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszCount != NULL ? c.pszCount : "(none)");
        ReplyBuilder reply;
        reply.Text(G::keyResult, G::valueSuccess).Text(G::keySubId, "S1");
        if (c.pszCount != NULL)
            reply.Text(G::keyChannelNum, c.pszCount);
        reply.Channel(1, "C1", 10).Channel(2, "C2", 0);
        EXPECT_EQ(TsReplyChannelLimit(reply.parser), c.nLimit);
    }
}

TEST(ChannelReply, Channels) {
    ReplyBuilder reply;
    reply.Text(G::keySubId, "S1").Channel(1, "C3", 10).Channel(2, "C1", 0);
    reply.Text(std::string(G::keyChannelId) + "3", "C2"); // the other eight keys missing

    CTsChannelListData first, second, bare;
    ASSERT_TRUE(TsReadReplyChannel(reply.parser, 1, first));
    EXPECT_STREQ(first.m_szChannelId, "C3");
    EXPECT_STREQ(first.m_szChannelName, "Name C3");
    EXPECT_STREQ(first.m_szIPAddress, "127.0.0.1");
    EXPECT_EQ(first.m_nPort, 7001);
    EXPECT_EQ(first.m_nMemberCnt, 10);
    EXPECT_EQ(first.m_nMaxMember, 300);
    EXPECT_EQ(first.m_nMaxRoom, 50);
    EXPECT_EQ(first.m_nMaxRoomMembers, 4);
    EXPECT_EQ(first.m_nMaxRoomViewers, 2);
    EXPECT_STREQ(first.m_szSubId, "S1");
    ASSERT_TRUE(TsReadReplyChannel(reply.parser, 2, second));
    EXPECT_STREQ(second.m_szChannelId, "C1");
    EXPECT_EQ(second.m_nMemberCnt, 0);

    // Missing keys give empty texts and 0, nothing from another channel.
    bare = first;
    ASSERT_TRUE(TsReadReplyChannel(reply.parser, 3, bare));
    EXPECT_STREQ(bare.m_szChannelId, "C2");
    EXPECT_STREQ(bare.m_szChannelName, "");
    EXPECT_STREQ(bare.m_szIPAddress, "");
    EXPECT_EQ(bare.m_nPort, 0);
    EXPECT_EQ(bare.m_nMemberCnt, 0);
    EXPECT_EQ(bare.m_nMaxRoomViewers, 0);

    // No channel id: no channel.
    EXPECT_FALSE(TsReadReplyChannel(reply.parser, 4, bare));
    EXPECT_FALSE(TsReadReplyChannel(reply.parser, 0, bare));

    // Without keySubId the records carry an empty sub id.
    ReplyBuilder noSub;
    noSub.Channel(1, "C1", 1);
    ASSERT_TRUE(TsReadReplyChannel(noSub.parser, 1, bare));
    EXPECT_STREQ(bare.m_szSubId, "");
}

// Every text is cut to its field, never inside a double-byte character
// where the code page has one.
TEST(ChannelReply, OverlongTextsAreCut) {
    const std::string sHan = IsDBCSLeadByte(0xB0) ? "" : "\xB0";
    struct Case {
        const char* pszKey; // indexed key, or keySubId
        size_t nWidth;      // characters the field holds
    } cases[] = {
        {G::keyChannelId, 30}, {G::keyChannelName, 50}, {G::keyIPAddress, 50}, {G::keySubId, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszKey);
        // One byte short of the width, then a two-byte character.
        const std::string sText = std::string(c.nWidth - 1, 'x') + "\xB0\xA1" + "tail";
        ReplyBuilder reply;
        const bool bSub = c.pszKey == G::keySubId;
        reply.Text(std::string(c.pszKey) + (bSub ? "" : "1"), sText);
        if (c.pszKey != G::keyChannelId)
            reply.Text(std::string(G::keyChannelId) + "1", "C1");
        CTsChannelListData channel;
        ASSERT_TRUE(TsReadReplyChannel(reply.parser, 1, channel));
        const char* pszField = bSub                            ? channel.m_szSubId
                               : c.pszKey == G::keyChannelId   ? channel.m_szChannelId
                               : c.pszKey == G::keyChannelName ? channel.m_szChannelName
                                                               : channel.m_szIPAddress;
        EXPECT_EQ(std::string(pszField), std::string(c.nWidth - 1, 'x') + sHan);
    }
}
