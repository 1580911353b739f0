#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "KelpParser.h"
#include "Reply.h"

using listserver::Answer;
using listserver::ChannelData;

namespace {

ChannelData TestData() {
    std::istringstream in(
        "group TETRIS T01\n"
        "misbehave burst\n"
        "channel T01-003 | Free \\x26 3 | 10.0.0.5 | 7003 | 10 | 300 | 50 | 4 | 2\n"
        "channel T01-001 | \\xB1\\xE2 1 | 10.0.0.6 | 7001 | 0 | 200 | 40 | 3 | 1\n"
        "group TETRIS T06\n"
        "fail Closed for maintenance.\n");
    ChannelData data;
    std::string error;
    EXPECT_TRUE(data.Load(in, "reply.txt", error)) << error;
    return data;
}

std::string Request(const char* service, const char* command, const char* game, const char* sub) {
    CKelpParser msg(service, command, "", 1, "", 0);
    if (game) {
        msg.AddValue(G::keyGameId, game);
    }
    if (sub) {
        msg.AddValue(G::keySubId, sub);
    }
    char* text = nullptr;
    int length = 0;
    msg.GetURL(text, length);
    return std::string(text, static_cast<std::size_t>(length));
}

bool Ask(const ChannelData& data, const std::string& request, Answer& answer, std::string& reason) {
    return listserver::AnswerRequest(data, request.data(), request.size(), answer, reason);
}

std::string Text(const CKelpParser& msg, const std::string& key) {
    char* text = nullptr;
    int length = 0;
    if (!msg.GetValue(key.c_str(), text, length)) {
        return "<missing>";
    }
    return std::string(text, static_cast<std::size_t>(length));
}

void ExpectReplyHeader(const CKelpParser& msg) {
    ASSERT_TRUE(msg.IsValid());
    EXPECT_STREQ(msg.GetService(), G::serviceChannelList);
    EXPECT_STREQ(msg.GetCommand(), G::commandGetChannelList);
    EXPECT_STREQ(msg.GetTarget(), "");
    EXPECT_STREQ(msg.GetIPAddress(), "");
    EXPECT_EQ(msg.GetMode(), 1);
    EXPECT_EQ(msg.GetPort(), 0);
}

TEST(Reply, SuccessListsEveryChannelInFileOrder) {
    ChannelData data = TestData();
    Answer a;
    std::string reason;
    ASSERT_TRUE(Ask(data, Request(G::serviceChannelList, G::commandGetChannelList, "TETRIS", "T01"),
                    a, reason));
    EXPECT_EQ(a.kind, Answer::Ok);
    EXPECT_EQ(a.channels, 2);
    EXPECT_EQ(a.misbehaviour.mode, listserver::Misbehaviour::Burst);
    EXPECT_EQ(listserver::DescribeAnswer(a), "ok 2 channels");

    CKelpParser msg(a.reply->data(), static_cast<int>(a.reply->size()), nullptr);
    ExpectReplyHeader(msg);
    EXPECT_NE(Text(msg, G::keyResult), G::valueFailure);
    EXPECT_EQ(msg.GetItemCount(), 4 + 2 * 9);
    const std::pair<std::string, std::string> values[] = {
        {G::keyResult, G::valueSuccess},
        {G::keyChannelNum, "2"},
        {G::keyGameId, "TETRIS"},
        {G::keySubId, "T01"},
        {G::keyChannelId + std::string("1"), "T01-003"},
        {G::keyChannelName + std::string("1"), "Free & 3"},
        {G::keyIPAddress + std::string("1"), "10.0.0.5"},
        {G::keyPort + std::string("1"), "7003"},
        {G::keyMemberCnt + std::string("1"), "10"},
        {G::keyMaxMember + std::string("1"), "300"},
        {G::keyMaxRoom + std::string("1"), "50"},
        {G::keyMaxRoomMembers + std::string("1"), "4"},
        {G::keyMaxRoomViewers + std::string("1"), "2"},
        {G::keyChannelId + std::string("2"), "T01-001"},
        {G::keyChannelName + std::string("2"), "\xB1\xE2 1"},
        {G::keyMaxRoomViewers + std::string("2"), "1"},
    };
    for (const auto& v : values) {
        EXPECT_EQ(Text(msg, v.first), v.second) << v.first;
    }

    // The header keys come first, in this order, then the channels.
    std::size_t result = a.reply->find("?Result="), num = a.reply->find("&ChNum=");
    std::size_t game = a.reply->find("&GameId="), sub = a.reply->find("&SubId=");
    std::size_t first = a.reply->find("&ChId1=");
    EXPECT_TRUE(result < num && num < game && game < sub && sub < first) << *a.reply;
}

TEST(Reply, FailuresCarryTheirText) {
    ChannelData data = TestData();
    const struct {
        const char* sub;
        Answer::Kind kind;
        const char* text;
        const char* described;
    } cases[] = {
        {"T06", Answer::Failure, "Closed for maintenance.", "failure"},
        {"T99", Answer::UnknownGroup, "This server has no channel group TETRIS / T99.",
         "failure unknown group"},
    };
    for (const auto& c : cases) {
        Answer a;
        std::string reason;
        ASSERT_TRUE(Ask(data,
                        Request(G::serviceChannelList, G::commandGetChannelList, "TETRIS", c.sub),
                        a, reason));
        EXPECT_EQ(a.kind, c.kind);
        EXPECT_EQ(listserver::DescribeAnswer(a), c.described);
        CKelpParser msg(a.reply->data(), static_cast<int>(a.reply->size()), nullptr);
        ExpectReplyHeader(msg);
        EXPECT_EQ(msg.GetItemCount(), 2);
        EXPECT_EQ(Text(msg, G::keyResult), G::valueFailure);
        EXPECT_EQ(Text(msg, G::keyMessage), c.text);
    }
}

TEST(Reply, RefusesWhatIsNotAChannelListRequest) {
    ChannelData data = TestData();
    const struct {
        std::string request;
        const char* reason;
    } cases[] = {
        {"hello", "not a message"},
        {Request(G::serviceChannelList, G::commandGetChannelList, "TETRIS", "T01") + "x",
         "not a message"},
        {Request(G::serviceGo, G::commandGetChannelList, "TETRIS", "T01"),
         "service Go command GetChannelList"},
        {Request(G::serviceChannelList, G::commandGo, "TETRIS", "T01"),
         "service ChannelList command Join"},
        {Request(G::serviceChannelList, G::commandGetChannelList, nullptr, "T01"),
         "game id or sub id missing"},
        {Request(G::serviceChannelList, G::commandGetChannelList, "TETRIS", nullptr),
         "game id or sub id missing"},
    };
    for (const auto& c : cases) {
        Answer a;
        std::string reason;
        EXPECT_FALSE(Ask(data, c.request, a, reason)) << c.request;
        EXPECT_EQ(reason, c.reason) << c.request;
    }
}

TEST(Reply, LogTextEscapesWhatWouldBreakALine) {
    EXPECT_EQ(listserver::LogText("T01-a"), "T01-a");
    EXPECT_EQ(listserver::LogText(std::string("a b\\\n\xB1\0", 7)), "a\\x20b\\x5C\\x0A\\xB1\\x00");
}

} // namespace
