#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ChannelData.h"
#include "FrameBuffer.h"

using listserver::ChannelData;
using listserver::Group;
using listserver::Misbehaviour;

namespace {

bool Load(const std::string& text, ChannelData& data, std::string& error) {
    std::istringstream in(text);
    return data.Load(in, "test.txt", error);
}

TEST(DataFile, ReadsGroupsChannelsFailuresAndMisbehaviours) {
    const std::string text =
        "# comment\r\n"
        "\n"
        "  group GAME S1\r\n"
        "channel C2 |  A \\| B\\\\ \\x20 | 10.0.0.5 | 7002 | 10 | 300 | 50 | 4 | 2\n"
        "channel C1|\\xB1\\xe2 #x|h|0|-1|0|0|0|0\n"
        "group GAME S2\n"
        "misbehave slow:250\n"
        "fail Closed | for now.\n";
    ChannelData data;
    std::string error;
    ASSERT_TRUE(Load(text, data, error)) << error;
    ASSERT_EQ(data.Groups().size(), 2u);
    const Group* g = data.Find("GAME", "S1");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->line, 3);
    ASSERT_EQ(g->channels.size(), 2u);
    const auto& c = g->channels[0];
    EXPECT_EQ(c.id, "C2");
    EXPECT_EQ(c.name, "A | B\\  ");
    EXPECT_EQ(c.address, "10.0.0.5");
    EXPECT_EQ(c.port, 7002);
    EXPECT_EQ(c.members, 10);
    EXPECT_EQ(c.maxMembers, 300);
    EXPECT_EQ(c.maxRooms, 50);
    EXPECT_EQ(c.maxRoomMembers, 4);
    EXPECT_EQ(c.maxRoomViewers, 2);
    EXPECT_EQ(g->channels[1].name, "\xB1\xE2 #x");
    EXPECT_EQ(g->channels[1].members, -1);
    EXPECT_FALSE(g->reply.empty());

    const Group* f = data.Find("GAME", "S2");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->failed);
    EXPECT_EQ(f->failure, "Closed | for now.");
    EXPECT_EQ(f->misbehaviour, (Misbehaviour{Misbehaviour::Slow, 250}));
    EXPECT_EQ(data.Find("game", "S1"), nullptr); // ids are case-sensitive
}

TEST(DataFile, GeneratorNumbersIdsNamesPortsAndSpreadsMembers) {
    ChannelData data;
    std::string error;
    ASSERT_TRUE(Load("group G S\n"
                     "generate 12 | X-{nnn} | Room {n} {x} | h | 9000 | * | 10 | 1 | 2 | 3\n",
                     data, error))
        << error;
    const auto& ch = data.Find("G", "S")->channels;
    ASSERT_EQ(ch.size(), 12u);
    EXPECT_EQ(ch[0].id, "X-001");
    EXPECT_EQ(ch[11].id, "X-012");
    EXPECT_EQ(ch[11].name, "Room 12 {x}");
    EXPECT_EQ(ch[11].port, 9011);
    EXPECT_EQ(ch[0].members, 37 % 11);
    EXPECT_EQ(ch[1].members, 74 % 11);
    EXPECT_EQ(ch[1].maxRoomViewers, 3);
}

// The generator's largest count makes a reply that fits in one frame: the
// frame limit is the message limit, 4 MiB.
TEST(DataFile, TheLargestGeneratedGroupFitsInOneFrame) {
    ChannelData data;
    std::string error;
    ASSERT_TRUE(Load("group G S\ngenerate 20000 | C{n} | Channel {n} | h | 1 | 1 | 1 | 1 | 1 | 1\n",
                     data, error))
        << error;
    const Group* g = data.Find("G", "S");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->channels.size(), 20000u);
    EXPECT_GT(g->reply.size(), 1048576u);
    EXPECT_LE(g->reply.size(), CTsFrameBuffer::kDefaultLimit);
}

struct BadCase {
    const char* text;
    int line;
    const char* message;
};

TEST(DataFile, BadLinesNameFileAndLine) {
    const std::string ok = "group G S\nchannel C | n | h | 1 | 1 | 1 | 1 | 1 | 1\n";
    const BadCase cases[] = {
        {"channel C | n | h | 1 | 1 | 1 | 1 | 1 | 1\n", 1, "before the first 'group'"},
        {"grp G S\n", 1, "unknown keyword 'grp'"},
        {"group G\n", 1, "game id and a sub id"},
        {"\ngroup G S\ngroup G S\n", 3, "already defined on line 2"},
        {"group G S\nchannel C | n | h | 1\n", 2, "9 fields"},
        {"group G S\nchannel  | n | h | 1 | 1 | 1 | 1 | 1 | 1\n", 2, "empty channel id"},
        {"group G S\nchannel C | n | h | 65536 | 1 | 1 | 1 | 1 | 1\n", 2, "port '65536'"},
        {"group G S\nchannel C | n | h | 1 | x1 | 1 | 1 | 1 | 1\n", 2, "members 'x1'"},
        {"group G S\nchannel C | n | h | 1 | 1 | 1 | 2147483648 | 1 | 1\n", 2, "max rooms"},
        {"group G S\nchannel C | a\\qb | h | 1 | 1 | 1 | 1 | 1 | 1\n", 2, "bad escape '\\q'"},
        {"group G S\nchannel C | a\\x4 | h | 1 | 1 | 1 | 1 | 1 | 1\n", 2, "bad escape '\\x'"},
        {"group G S\nfail a\\\n", 2, "'\\' at the end"},
        {"group G S\nfail a\nfail b\n", 3, "second 'fail'"},
        {"group G S\nfail a\nchannel C | n | h | 1 | 1 | 1 | 1 | 1 | 1\n", 3, "not both"},
        {"group G S\nchannel C | n | h | 1 | 1 | 1 | 1 | 1 | 1\nfail a\n", 3, "not both"},
        {"group G S\nmisbehave sulk\n", 2, "unknown misbehaviour 'sulk'"},
        {"group G S\nmisbehave burst\nmisbehave slow:5\n", 3, "second 'misbehave'"},
        {"group G S\ngenerate 0 | C{n} | n | h | 1 | 1 | 1 | 1 | 1 | 1\n", 2, "count '0'"},
        {"group G S\ngenerate 20001 | C{n} | n | h | 1 | 1 | 1 | 1 | 1 | 1\n", 2, "count '20001'"},
        {"group G S\ngenerate 3 | C{n} | n | h | 65534 | 1 | 1 | 1 | 1 | 1\n", 2, "pass 65535"},
        {"group G S\ngenerate 3 | C{n} | n | h | 1 | 1 | 1 | 1 | 1\n", 2, "10 fields"},
        // 20,000 channels with long names make a reply above one frame.
        {"\ngroup G S\ngenerate 20000 | C{n} | "
         "{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}"
         "{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}"
         "{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn}"
         "{nnnnnnnnn}{nnnnnnnnn}{nnnnnnnnn} | h | 1 | 1 | 1 | 1 | 1 | 1\n",
         2, "does not fit in one frame"},
    };
    for (const BadCase& c : cases) {
        ChannelData data;
        std::string error;
        ASSERT_TRUE(Load(ok, data, error)) << error;
        EXPECT_FALSE(Load(c.text, data, error)) << c.text;
        const std::string where = "test.txt:" + std::to_string(c.line) + ": ";
        EXPECT_EQ(error.rfind(where, 0), 0u) << c.text << " -> " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.text << " -> " << error;
        EXPECT_NE(data.Find("G", "S"), nullptr) << "a failed load keeps the old data";
    }
}

TEST(DataFile, MisbehaviourNames) {
    const struct {
        const char* text;
        bool ok;
        Misbehaviour::Mode mode;
        int ms;
    } cases[] = {
        {"refuse", true, Misbehaviour::Refuse, 0},
        {"silent", true, Misbehaviour::Silent, 0},
        {"close-before", true, Misbehaviour::CloseBefore, 0},
        {"close-middle", true, Misbehaviour::CloseMiddle, 0},
        {"garbage", true, Misbehaviour::Garbage, 0},
        {"oversized", true, Misbehaviour::Oversized, 0},
        {"burst", true, Misbehaviour::Burst, 0},
        {"trickle", true, Misbehaviour::Trickle, 1},
        {"trickle:0", true, Misbehaviour::Trickle, 0},
        {"other-service", true, Misbehaviour::OtherService, 0},
        {"slow:200", true, Misbehaviour::Slow, 200},
        {"reset", true, Misbehaviour::Reset, 0},
        {"reply-oversized", true, Misbehaviour::ReplyOversized, 0},
        {"slow", false, Misbehaviour::None, 0},
        {"slow:-1", false, Misbehaviour::None, 0},
        {"slow:600001", false, Misbehaviour::None, 0},
        {"burst:3", false, Misbehaviour::None, 0},
    };
    for (const auto& c : cases) {
        Misbehaviour m;
        ASSERT_EQ(listserver::ParseMisbehaviour(c.text, m), c.ok) << c.text;
        EXPECT_EQ(m, (Misbehaviour{c.mode, c.ms})) << c.text;
        if (c.ok) {
            EXPECT_EQ(listserver::MisbehaviourName(m), c.text);
        }
    }
}

TEST(DataFile, SampleFileHoldsTheGroupsTheTestsUse) {
    ChannelData data;
    std::string error;
    ASSERT_TRUE(data.LoadFile(PELTORA_SAMPLE_CHANNELS, error)) << error;
    const struct {
        const char* game;
        const char* sub;
        int channels; // -1: a failure
        Misbehaviour::Mode mode;
    } cases[] = {
        {"TETRIS", "T01", 3, Misbehaviour::None},
        {"TETRIS", "T02", 300, Misbehaviour::None},
        {"TETRIS", "T03", 5, Misbehaviour::None},
        {"TETRIS", "T04", 2, Misbehaviour::None},
        {"TETRIS", "T05", 3, Misbehaviour::None},
        {"TETRIS", "T06", -1, Misbehaviour::None},
        {"TESTMIS", "M-OK", 3, Misbehaviour::None},
        {"TESTMIS", "M-FAIL", -1, Misbehaviour::None},
        {"TESTMIS", "M-FAILBUR", -1, Misbehaviour::Burst},
        {"TESTMIS", "M-REFUSE", 2, Misbehaviour::Refuse},
        {"TESTMIS", "M-SILENT", 2, Misbehaviour::Silent},
        {"TESTMIS", "M-CLOSEPRE", 2, Misbehaviour::CloseBefore},
        {"TESTMIS", "M-CLOSEMID", 2, Misbehaviour::CloseMiddle},
        {"TESTMIS", "M-GARBAGE", 2, Misbehaviour::Garbage},
        {"TESTMIS", "M-OVERSIZE", 2, Misbehaviour::Oversized},
        {"TESTMIS", "M-BURST", 2, Misbehaviour::Burst},
        {"TESTMIS", "M-TRICKLE", 2, Misbehaviour::Trickle},
        {"TESTMIS", "M-OTHER", 2, Misbehaviour::OtherService},
        {"TESTMIS", "M-SLOW", 2, Misbehaviour::Slow},
        {"TESTMIS", "M-RESET", 2, Misbehaviour::Reset},
        {"TESTMIS", "M-RPLOVER", 2, Misbehaviour::ReplyOversized},
    };
    for (const auto& c : cases) {
        const Group* g = data.Find(c.game, c.sub);
        ASSERT_NE(g, nullptr) << c.game << " " << c.sub;
        EXPECT_EQ(g->failed ? -1 : static_cast<int>(g->channels.size()), c.channels) << c.sub;
        EXPECT_EQ(g->misbehaviour.mode, c.mode) << c.sub;
    }
    const Group* t01 = data.Find("TETRIS", "T01");
    EXPECT_EQ(t01->channels[0].members, 10);
    EXPECT_EQ(t01->channels[1].members, 0);
    EXPECT_EQ(t01->channels[2].members, 25);
    EXPECT_EQ(data.Find("TESTMIS", "M-SLOW")->misbehaviour.ms, 200);
    EXPECT_EQ(data.Find("TESTMIS", "M-FAIL")->failure, "Server text for the failure test");
    EXPECT_EQ(data.Find("TETRIS", "T05")->channels[1].name, "\xB1\xE2\xBA\xBB \xC3\xA4\xB3\xCE");
}

} // namespace
