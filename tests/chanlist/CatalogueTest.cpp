// Loading the channel-group catalogue through the test host: the catalogue
// is written into a folder of the test's own, which becomes the current
// directory for the activation, and the test's registry key is removed
// again afterwards.
#include "ChanlistTestSupport.h"

#include <sddl.h>

#include <KelpParser.h>

#include "ContinuePlay.h"
#include "GroupCatalogue.h"

namespace {

const char kRegKey[] = "Software\\PeltoraTests\\Catalogue";
const char kConnecting[] = "splash-on|Connecting to Channel List server...|1";

class CatalogueTest : public ChannelListTest {
protected:
    CatalogueTest() : m_folder("catalogue-test") {}
    void SetUp() override {
        ChannelListTest::SetUp();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
        CTsHostConfig& config = m_host.GetConfig();
        config.Set("regkey", kRegKey);
        config.Set("site.code", "ts1");
        config.Set("member.id", "alice");
        config.Set("member.level", "5");
        config.Set("member.grade", "B");
        config.Set("record.rating", "1100");
        config.Set("option", "0x80000");
    }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey); }

    // Writes section [RNKTET] of catalogue sFile.
    void WriteCatalogue(const std::string& sFile, const std::vector<std::string>& lines,
                        const std::string& sNum = std::string()) {
        m_folder.Write(sFile, "RNKTET", lines, sNum);
    }

    void SetRegistry(const char* pszUser, const char* pszChannel, DWORD dwRoom) {
        HKEY hKey = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRegKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                    &hKey, NULL),
                  ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ContPlayId", 0, REG_SZ, (const BYTE*)pszUser,
                         (DWORD)strlen(pszUser) + 1);
        ::RegSetValueExA(hKey, "ContPlayChId", 0, REG_SZ, (const BYTE*)pszChannel,
                         (DWORD)strlen(pszChannel) + 1);
        ::RegSetValueExA(hKey, "ContPlayGmId", 0, REG_DWORD, (const BYTE*)&dwRoom, 4);
        ::RegCloseKey(hKey);
    }

    // Creates the window in the executable's folder (pictures), then
    // activates it from the catalogue folder.
    void StartIn(const std::string& sGameString) {
        if (m_host.GetFrame().GetSafeHwnd() == NULL)
            Create();
        m_folder.Enter();
        m_host.ClearLog();
        m_host.Start(sGameString.c_str(), "");
    }

    CListCtrl& GroupView() { return *Wnd().m_wndListCtrl.m_pChannelGroupListCtrl; }
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int i = 0; i < GroupView().GetItemCount(); ++i)
            rows.push_back(std::string(GroupView().GetItemText(i, 0)));
        return rows;
    }
    int SelectedRow() { return GroupView().GetNextItem(-1, LVNI_SELECTED); }

    CTestCatalogueFolder m_folder; // where the catalogues are written
};

} // namespace

// Which file is read: the game id lower-cased (TET3 read as TETRIS), the
// site code as it stands, and the "tsd" file when the first choice is
// missing.
TEST_F(CatalogueTest, FileNameRules) {
    struct Case {
        const char* pszGameId;
        const char* pszSite;
        std::vector<std::string> files;
        const char* pszFirstRow;
    } cases[] = {
        {"TET3", "ts1", {"tetrists1.tsg", "tetristsd.tsg"}, "tetrists1."},
        {"GoStop", "Ts1", {"gostopTs1.tsg"}, "gostopTs1."},
        {"GOSTOP", "ts1", {"gostoptsd.tsg"}, "gostoptsd."},
        {"GOSTOP", "ts2", {"gostopts1.tsg"}, NULL}, // neither file: no groups
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszGameId + std::string(" ") + c.pszSite);
        ReplaceWindow();
        m_host.GetConfig().Set("site.code", c.pszSite);
        for (const std::string& sFile : c.files)
            WriteCatalogue(sFile, {sFile + ",Group,0,0,0,0,A"}); // the id: the name cut
        StartIn(MakeGameString(c.pszGameId));
        if (c.pszFirstRow == NULL)
            EXPECT_TRUE(Rows().empty());
        else
            EXPECT_EQ(Rows(), std::vector<std::string>({c.pszFirstRow}));
        m_folder.Leave();
        m_folder.Clear();
    }
}

// Every group is listed in catalogue order, closed ones included; the
// first the user may enter is switched to: its row selected, its id the
// sub id, its limits the group message, a connection started.
TEST_F(CatalogueTest, SelectsTheFirstAdmittedGroupAndConnects) {
    WriteCatalogue("tetrists1.tsg", {"G1,Rating closed,1200,1500,0,0,A", "EMPTY,,0,0,0,0,A",
                                     "G2,Level closed,0,0,6,0,A", "G3,Grade closed,0,0,0,0,C",
                                     "G4,Open to B,1000,1200,3,9,b", "G5,Open,0,0,0,0,A"});
    StartIn(MakeGameString("TETRIS"));
    EXPECT_EQ(Rows(), std::vector<std::string>({"G1", "EMPTY", "G2", "G3", "G4", "G5"}));
    EXPECT_EQ(SelectedRow(), 4); // the open separator row is passed over
    EXPECT_EQ(GroupView().GetSelectedCount(), 1u);
    EXPECT_EQ(std::string(Wnd().m_strSubId), "G4");
    EXPECT_EQ(m_host.CountLog(kConnecting), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("close-frame"), 0);
    EXPECT_NE(Wnd().GetClientSocket(), (CTstpSocket*)NULL);

    CKelpParser group(Wnd().m_strGroupMsg, 0, NULL);
    ASSERT_TRUE(group.IsValid());
    int nMinLevel = 0, nMaxLevel = 0, nMinRating = 0, nMaxRating = 0;
    EXPECT_TRUE(group.GetValue(G::keyMinMember, nMinLevel));
    EXPECT_TRUE(group.GetValue(G::keyMaxMember, nMaxLevel));
    EXPECT_TRUE(group.GetValue(G::keyRating, nMinRating));
    EXPECT_TRUE(group.GetValue(G::keyRatingMove, nMaxRating));
    EXPECT_EQ(std::vector<int>({nMinLevel, nMaxLevel, nMinRating, nMaxRating}),
              std::vector<int>({3, 9, 1000, 1200}));

    // A later activation reads the catalogue again: the view and the
    // records are replaced, not doubled.
    m_host.Activate(TSACT_EX | TSACT_ON);
    EXPECT_EQ(Rows().size(), 6u);
    EXPECT_EQ(Wnd().m_listGroup.GetCount(), 6);
}

// Catalogues that give no group the user may enter: nothing selected,
// nothing connected, the window stays (result 1).
TEST_F(CatalogueTest, NoGroupToEnter) {
    struct Case {
        std::vector<std::string> lines;
        const char* pszNum; // "" for the line count
        size_t nRows;
        int nRecords;
    } cases[] = {
        {{"G1,Closed,5000,0,0,0,A"}, "", 1, 1},
        {{"G1,One,0,0,0,0,A"}, "0", 0, 0},
        {{"G1,One,0,0,0,0,A"}, "-3", 0, 0},
        // Capped; every missing key is an empty group, all with one (empty) id.
        {{}, "5000", 1, TS_MAX_CATALOGUE_GROUPS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszNum);
        ReplaceWindow();
        WriteCatalogue("tetrists1.tsg", c.lines, c.pszNum);
        StartIn(MakeGameString("TETRIS"));
        EXPECT_EQ(Rows().size(), c.nRows);
        EXPECT_EQ(Wnd().m_listGroup.GetCount(), c.nRecords);
        EXPECT_EQ(SelectedRow(), -1);
        EXPECT_EQ(m_host.CountLog(kConnecting), 0);
        EXPECT_EQ(m_host.CountLog("close-frame"), 0);
        EXPECT_TRUE(Wnd().m_strSubId.IsEmpty());
    }
}

// Two groups with one id: one row, both records kept.
TEST_F(CatalogueTest, DuplicateIdShowsOneRow) {
    WriteCatalogue("tetrists1.tsg", {"G1,First,9000,0,0,0,A", "G1,Second,0,0,0,0,A"});
    StartIn(MakeGameString("TETRIS"));
    EXPECT_EQ(Rows(), std::vector<std::string>({"G1"}));
    EXPECT_EQ(Wnd().m_listGroup.GetCount(), 2);
    // The second record is the admitted one; its id's row is selected.
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(std::string(Wnd().m_strSubId), "G1");
}

// With an automatic join pending the groups are listed, but no row is
// selected, nothing connects and the registry is not read.
TEST_F(CatalogueTest, PendingAutomaticJoinListsOnly) {
    WriteCatalogue("tetrists1.tsg", {"G1,Open,0,0,0,0,A"});
    SetRegistry("alice", "CH-1", 7);
    StartIn(MakeAutoJoinGameString("TETRIS", "TETRIS0C0101001", "10.0.0.5"));
    EXPECT_EQ(Rows(), std::vector<std::string>({"G1"}));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(m_host.CountLog(kConnecting), 0);
    EXPECT_EQ(Wnd().GetClientSocket(), (CTstpSocket*)NULL);
    EXPECT_STREQ(Wnd().m_szContChannelId, "");
    EXPECT_EQ(Wnd().m_nContRoom, -2);
}

// A connection that cannot start: result 0, so the main window is revealed
// and the window closes itself; nothing touches it once the host has
// destroyed it.
TEST_F(CatalogueTest, ConnectionThatCannotStartClosesTheWindow) {
    WriteCatalogue("tetrists1.tsg", {"G1,Open,0,0,0,0,A"});
    CKelpParser parser("", "", NULL, 1, "127.0.0.1", 0); // port 0: CreateClient refuses
    parser.AddValue(G::keyGameId, "TETRIS");
    char* pszText = NULL;
    int nLength = 0;
    ASSERT_TRUE(parser.GetURL(pszText, nLength));
    m_host.SetCloseBehaviour(1, 0);
    StartIn(std::string(pszText, nLength));
    const std::vector<std::string> tail = {"reveal-main", "closebox|0", "close-frame"};
    ASSERT_GE(m_host.GetLog().size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(m_host.GetLog().end() - 3, m_host.GetLog().end()), tail)
        << m_host.LogText();
    EXPECT_TRUE(Wnd().m_strSubId.IsEmpty());
    EXPECT_EQ(Wnd().GetSafeHwnd(), (HWND)NULL);
}

// The continue-play values are read only with the option bit set and only
// for the user whose id they were stored under, byte for byte.
TEST_F(CatalogueTest, ContinuePlayValuesOfThisUserOnly) {
    struct Case {
        const char* pszStoredUser;
        const char* pszOption;
        const char* pszChannel; // expected
        int nRoom;              // expected
    } cases[] = {
        {"alice", "0x80000", "CH-7", 7}, {"Alice", "0x80000", "", -2},
        {"alice ", "0x80000", "", -2},   {"alic", "0x80000", "", -2},
        {"alice", "0", "", -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pszStoredUser) + "|" + c.pszOption);
        ReplaceWindow();
        m_host.GetConfig().Set("option", c.pszOption);
        Wnd().m_dwOption = m_host.GetConfig().m_dwOption;
        WriteCatalogue("tetrists1.tsg", {"G1,Open,0,0,0,0,A"});
        SetRegistry(c.pszStoredUser, "CH-7", 7);
        StartIn(MakeGameString("TETRIS"));
        EXPECT_STREQ(Wnd().m_szContChannelId, c.pszChannel);
        EXPECT_EQ(Wnd().m_nContRoom, c.nRoom);
        m_folder.Leave();
    }
}

// The stored values are read only within their sizes, with or without
// their NUL: a channel id of at most 30 characters, cut between
// characters; a user id beyond 255 characters is nobody's.
TEST(ContinuePlay, ValuesAreReadWithinTheirSizes) {
    const char kKey[] = "Software\\PeltoraTests\\ContinuePlayLimits";
    const std::string sLead = IsDBCSLeadByte(0xB0) ? "" : "\xB0";
    const std::string sFullUser(255, 'u');
    const std::string sLongUser(256, 'u');
    struct Case {
        std::string sUser;    // stored "ContPlayId", with its NUL
        std::string sChannel; // stored "ContPlayChId" bytes, as given
        int bFound;           // expected result
        std::string sRead;    // expected channel id
    } cases[] = {
        {"alice", std::string(29, 'c') + '\0', 1, std::string(29, 'c')},
        {"alice", std::string(30, 'c'), 1, std::string(30, 'c')}, // no NUL stored
        {"alice", std::string(30, 'c') + '\0', 1, std::string(30, 'c')},
        {"alice", std::string(31, 'c'), 1, ""}, // 31 characters: not read
        {"alice", std::string(31, 'c') + '\0', 1, ""},
        {"alice", std::string(28, 'c') + "\xB0" + '\0', 1, std::string(28, 'c') + sLead},
        {sFullUser, std::string("CH-1") + '\0', 1, "CH-1"},
        {sLongUser, "CH-1", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sChannel.size());
        HKEY hKey = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                    &hKey, NULL),
                  ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ContPlayId", 0, REG_SZ, (const BYTE*)c.sUser.c_str(),
                         (DWORD)c.sUser.size() + 1);
        // As raw bytes: a text value would go through the code page.
        ::RegSetValueExA(hKey, "ContPlayChId", 0, REG_BINARY, (const BYTE*)c.sChannel.data(),
                         (DWORD)c.sChannel.size());
        ::RegCloseKey(hKey);
        char szChannel[32] = "";
        int nRoom = -2;
        EXPECT_EQ(TsReadContinuePlay(kKey, c.sUser.c_str(), szChannel, nRoom), c.bFound);
        EXPECT_EQ(std::string(szChannel), c.sRead);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
}

// Each step asks only for the access it needs: a key the user may only
// read still gives its values (deleting and writing are refused there),
// and a key the user may also set values in takes both.
TEST(ContinuePlay, EachStepAsksOnlyForTheAccessItNeeds) {
    const char kKey[] = "Software\\PeltoraTests\\ContinuePlayAccess";
    struct Case {
        const char* pszAcl; // the key's only access entry, for everyone
        int bWritable;      // expected result of deleting and of writing
    } cases[] = {
        {"D:P(A;;KR;;;WD)", 0}, {"D:P(A;;0x2001B;;;WD)", 1}, // KEY_READ | KEY_SET_VALUE
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszAcl);
        HKEY hKey = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                    &hKey, NULL),
                  ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ContPlayId", 0, REG_SZ, (const BYTE*)"alice", 6);
        ::RegSetValueExA(hKey, "ContPlayChId", 0, REG_SZ, (const BYTE*)"CH-7", 5);
        ::RegSetValueExA(hKey, "LastSelGrId", 0, REG_SZ, (const BYTE*)"G2", 3);
        PSECURITY_DESCRIPTOR pSd = NULL;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            c.pszAcl, SDDL_REVISION_1, &pSd, NULL));
        EXPECT_EQ(::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSd), ERROR_SUCCESS);
        ::LocalFree(pSd);
        ::RegCloseKey(hKey);
        // The key really refuses full access now.
        ASSERT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &hKey),
                  ERROR_SUCCESS);

        char szChannel[32] = "";
        int nRoom = -2;
        EXPECT_EQ(TsReadContinuePlay(kKey, "alice", szChannel, nRoom), 1);
        EXPECT_STREQ(szChannel, "CH-7");
        char szGroup[256] = "";
        EXPECT_EQ(TsReadLastGroup(kKey, szGroup), 1);
        EXPECT_STREQ(szGroup, "G2");
        EXPECT_EQ(TsWriteLastGroup(kKey, "G3"), c.bWritable);
        EXPECT_EQ(TsDeleteContinuePlay(kKey), c.bWritable);
        EXPECT_EQ(TsReadContinuePlay(kKey, "alice", szChannel, nRoom), 1 - c.bWritable);

        // The owner may always give the key its full access back.
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, WRITE_DAC, &hKey), ERROR_SUCCESS);
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:P(A;;KA;;;WD)", SDDL_REVISION_1, &pSd, NULL));
        ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSd);
        ::LocalFree(pSd);
        ::RegCloseKey(hKey);
        EXPECT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    }
}
