// Reading the host's game string without a window: the sub id that the
// automatic join cuts from the channel id, in whatever code page the test
// runs (the locale runs repeat it in code pages 949, 932 and 936).
#include "ChanlistTestSupport.h"

#include <KelpParser.h>

#include "GameString.h"

TEST(AutoJoin, SubIdIsCutBetweenCharacters) {
    const bool bDbcs = IsDBCSLeadByte(0xB0) != 0;
    struct Case {
        const char* pszChannelId;
        const char* pszSubId;
    } cases[] = {
        {"ABCDEFGHIJKLMNOP", "IJKLM"},                           // plain bytes
        {"ABCDEF\xB0\xA1GHIJKLM", bDbcs ? "GHIJK" : "\xA1GHIJ"}, // starts inside one
        {"ABCDEFGHIJ\xB0\xA1KL", bDbcs ? "GHIJ" : "GHIJ\xB0"},   // ends inside one
        {"AB\xB0\xA1", "AB\xB0\xA1"},                            // short: all of it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszChannelId);
        const std::string sText = MakeAutoJoinGameString("TETRIS", c.pszChannelId, "10.1.2.3");
        const CKelpParser parser(sText.c_str(), 0, NULL);
        TsAutoJoin join;
        ASSERT_NE(0, TsReadAutoJoin(parser, join));
        EXPECT_EQ(std::string(join.szSubId), c.pszSubId);
    }
}
