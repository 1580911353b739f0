// The catalogue line splitter, the catalogue's file name, the admission
// rule and the group message, without a window.
#include <gtest/gtest.h>

#include <string>

#include <KelpParser.h>

#include "ChanlistTestSupport.h"
#include "GroupCatalogue.h"

namespace {

struct SplitCase {
    const char* pszLine;
    const char* pszId;
    const char* pszName;
    int nMinRating, nMaxRating, nMinLevel, nMaxLevel;
    const char* pszGrade;
};

// 52 characters: exactly the name field's width.
const char kName52[] = "0123456789012345678901234567890123456789012345678901";

} // namespace

TEST(CatalogueLine, Splits) {
    const std::string sLongName = std::string(kName52) + "XYZ";
    const std::string sLongLine = "G123456789TOOLONG," + sLongName + ",1,2,3,4,ABCDEF";
    // Korean name whose double-byte character would straddle the 52nd byte.
    const std::string sDbcsLine = "G1," + std::string(51, 'n') + "\xB0\xA1,0,0,0,0,A";
    const SplitCase cases[] = {
        {"G1,Name,A", "G1", "Name", -1, -1, -1, -1, "A"},
        {"G1,Name,0,0,0,0,A", "G1", "Name", 0, 0, 0, 0, "A"},
        {"G1,Name,1000,1200,3,0,B", "G1", "Name", 1000, 1200, 3, 0, "B"},
        {"G1,Name,1,2,3,4,ignored,C", "G1", "Name", 1, 2, 3, 4, "C"}, // eight fields
        {"G1,Name,1,2,3,4,x,y,D", "G1", "Name", 1, 2, 3, 4, "D"},     // nine fields
        {"G1,Name,1,2,3,4", "G1", "Name", 1, 2, 3, -1, "4"},          // last field is the grade
        {"G1,B", "G1", "", -1, -1, -1, -1, "B"},
        {"no comma at all", "", "", -1, -1, -1, -1, ""},
        {"", "", "", -1, -1, -1, -1, ""},
        {"G1,,x,,5,,", "G1", "", 0, 0, 5, 0, ""}, // empty fields are atoi's 0
        {"G1,N, 12abc,-7,+3,99999999999,A", "G1", "N", 12, -7, 3, 2147483647, "A"},
        {"G1,N,-99999999999,0,0,0,A", "G1", "N", -2147483647 - 1, 0, 0, 0, "A"},
        {sLongLine.c_str(), "G123456789", kName52, 1, 2, 3, 4, "ABC"}, // cut to the widths
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.pszLine);
        CTsChannelGroupListData group;
        TsSplitCatalogueLine(c.pszLine, group);
        EXPECT_STREQ(group.m_szGroupId, c.pszId);
        EXPECT_STREQ(group.m_szGroupName, c.pszName);
        EXPECT_EQ(group.m_nMinRating, c.nMinRating);
        EXPECT_EQ(group.m_nMaxRating, c.nMaxRating);
        EXPECT_EQ(group.m_nMinLevel, c.nMinLevel);
        EXPECT_EQ(group.m_nMaxLevel, c.nMaxLevel);
        EXPECT_STREQ(group.m_szGrade, c.pszGrade);
    }

    // A double-byte character that does not fit whole is left out, where
    // the ANSI code page makes 0xB0 a lead byte (the Korean and Chinese runs).
    CTsChannelGroupListData group;
    TsSplitCatalogueLine(sDbcsLine.c_str(), group);
    const std::string sExpected = std::string(51, 'n') + (IsDBCSLeadByte(0xB0) ? "" : "\xB0");
    EXPECT_EQ(std::string(group.m_szGroupName), sExpected);
}

TEST(CatalogueLine, FileName) {
    EXPECT_EQ(std::string(TsCatalogueFileName("TETRIS", "abc")), "tetrisabc.tsg");
    EXPECT_EQ(std::string(TsCatalogueFileName("BiLLiard4", "KR")), "billiard4KR.tsg");
    EXPECT_EQ(std::string(TsCatalogueFileName("GOSTOP", "tsd")), "gostoptsd.tsg");
    EXPECT_EQ(std::string(TsCatalogueFileName(NULL, NULL)), ".tsg");
}

TEST(AdmissionRule, Bands) {
    struct Case {
        const char* pszGroup; // catalogue line
        int nRating, nRating2, nLevel;
        const char* pszGameId;
        const char* pszMemberGrade;
        int bAdmitted;
    } cases[] = {
        {"G,N,A", 0, 0, 5, "TETRIS", "B", 0}, // level bound -1 stands
        {"G,N,A", 0, 0, -1, "TETRIS", "B", 1},
        {"G,N,0,0,0,0,A", 0, 0, 5, "TETRIS", "B", 1},
        {"G,N,0,0,0,0,A", -1, 0, 5, "TETRIS", "B", 0},
        {"G,N,1000,1200,3,0,B", 999, 0, 3, "TETRIS", "B", 0},
        {"G,N,1000,1200,3,0,B", 1000, 0, 3, "TETRIS", "B", 1},
        {"G,N,1000,1200,3,0,B", 1200, 0, 3, "TETRIS", "b", 1},
        {"G,N,1000,1200,3,0,B", 1201, 0, 3, "TETRIS", "B", 0},
        {"G,N,1000,1200,3,0,B", 1100, 0, 2, "TETRIS", "B", 0},
        {"G,N,1000,1200,3,0,b", 1100, 0, 9, "TETRIS", "B", 1},
        {"G,N,1000,1200,3,0,B", 1100, 0, 3, "TETRIS", "C", 0},
        {"G,N,1000,1200,3,0,B", 1100, 0, 3, "TETRIS", "", 0},
        {"G,N,1000,-5,0,0,A", 2000000000, 0, 3, "TETRIS", "", 1}, // max 0 or less: open
        {"G,N,0,0,2,4,a", 0, 0, 4, "TETRIS", "", 1},
        {"G,N,0,0,2,4,A", 0, 0, 5, "TETRIS", "", 0},
        {"G,N,1000,0,0,0,A", 0, 1500, 1, "BILLIARD4", "", 1}, // second rating decides
        {"G,N,1000,0,0,0,A", 0, 1500, 1, "BILLIARD3", "", 1},
        {"G,N,1000,0,0,0,A", 0, 1500, 1, "BILLIARD6", "", 1},
        {"G,N,1000,0,0,0,A", 1500, 0, 1, "BILLIARD4", "", 0},
        {"G,N,1000,0,0,0,A", 0, 1500, 1, "billiard4", "", 0}, // exact case only
        {"G,N,1000,0,0,0,A", 0, 1500, 1, "BILLIARD5", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pszGroup) + " " + c.pszGameId + " rating " +
                     std::to_string(c.nRating) + " level " + std::to_string(c.nLevel));
        CTsChannelGroupListData group;
        TsSplitCatalogueLine(c.pszGroup, group);
        CTsMember member;
        member.m_nLevel = c.nLevel;
        strncpy(member.m_szGrade, c.pszMemberGrade, sizeof(member.m_szGrade) - 1);
        CTsGameRecord record;
        record.m_nRating = c.nRating;
        record.m_nRating2 = c.nRating2;
        EXPECT_EQ(TsIsGroupAdmitted(member, record, c.pszGameId, group), c.bAdmitted);
    }
}

TEST(GroupMessage, CarriesTheLimitsInOrder) {
    CTsChannelGroupListData group;
    TsSplitCatalogueLine("G1,Name,1000,1200,3,9,B", group);
    CString strMessage;
    ASSERT_TRUE(TsBuildGroupMessage(group, strMessage));
    CKelpParser parser(strMessage, strMessage.GetLength(), NULL);
    ASSERT_TRUE(parser.IsValid());
    EXPECT_STREQ(parser.GetService(), G::serviceGo);
    EXPECT_STREQ(parser.GetCommand(), G::commandGo);
    EXPECT_EQ(parser.GetMode(), 1);
    EXPECT_STREQ(parser.GetIPAddress(), "");
    EXPECT_EQ(parser.GetPort(), 0);
    const std::vector<std::string> keys = {G::keyMinMember, G::keyMaxMember, G::keyRating,
                                           G::keyRatingMove};
    EXPECT_EQ(MessageKeys(std::string(strMessage)), keys);
    const int values[] = {3, 9, 1000, 1200};
    for (int i = 0; i < 4; ++i) {
        int nValue = 0;
        EXPECT_TRUE(parser.GetValue(keys[i].c_str(), nValue));
        EXPECT_EQ(nValue, values[i]) << keys[i];
    }
}
