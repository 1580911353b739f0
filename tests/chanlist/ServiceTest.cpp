// The window against the real channel-list server (tools/listserver, with
// the sample data of samples/server), over loopback TCP: listing, refresh,
// failure replies, refused connections and every misbehaviour the server
// can be asked for.
#include "ChanlistTestSupport.h"

#include <fstream>

#include <KelpParser.h>

namespace {

const char kConnectFailed[] = "box|Cannot connect to server.|Channel List|0x30";

class ServiceTest : public ChannelListTest {
protected:
    ServiceTest() : m_folder("service-test"), m_nPort(0) {}
    void SetUp() override {
        ChannelListTest::SetUp();
        char szFile[MAX_PATH] = "";
        if (::GetEnvironmentVariableA("PELTORA_LISTSERVER_PORT_FILE", szFile, MAX_PATH) == 0)
            GTEST_SKIP() << "no channel-list server (run through ctest)";
        std::ifstream in(szFile);
        in >> m_nPort;
        ASSERT_GT(m_nPort, 0) << szFile;
        CTsHostConfig& config = m_host.GetConfig();
        config.Set("site.code", "ts1");
        config.Set("game.code", "SVC");
        config.Set("member.level", "5");
        m_folder.Write("tetrists1.tsg", "SVC",
                       {"T01,Three channels,0,0,0,0,A", "T06,Maintenance,0,0,0,0,A"});
        std::vector<std::string> lines = {"M-OK,Normal,0,0,0,0,A"};
        for (const char* pszSub : kMisbehaving)
            lines.push_back(std::string(pszSub) + ",Misbehaving,0,0,0,0,A");
        m_folder.Write("testmists1.tsg", "SVC", lines);
    }

    // Activates the window for pszGameId against port nPort (0: the
    // server's) and waits until its first listing is over.
    void StartGame(const char* pszGameId, unsigned short nPort = 0) {
        Create();
        m_folder.Enter();
        m_host.HideMainWindow();
        m_host.ClearLog();
        m_host.Start(MakeGameString(pszGameId, nPort != 0 ? nPort : m_nPort).c_str(), "");
        EXPECT_TRUE(WaitForSplashOff()) << m_host.LogText();
    }

    // Switches to the group with sub id pszSubId and waits until the
    // listing is over.
    void SwitchTo(const char* pszSubId) {
        CTsChannelGroupListData* pGroup = NULL;
        for (POSITION pos = Wnd().m_listGroup.GetHeadPosition(); pos != NULL;) {
            CTsChannelGroupListData* p = Wnd().m_listGroup.GetNext(pos);
            if (strcmp(p->m_szGroupId, pszSubId) == 0)
                pGroup = p;
        }
        ASSERT_NE(pGroup, (CTsChannelGroupListData*)NULL) << pszSubId;
        m_host.HideMainWindow();
        m_host.ClearLog();
        ASSERT_TRUE(Wnd().SwitchChannelGroup(pGroup));
        EXPECT_TRUE(WaitForSplashOff()) << m_host.LogText();
    }

    // Whether the last splash entry of the log hides it.
    bool SplashHidden() const {
        const std::vector<std::string>& log = m_host.GetLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it) {
            if (*it == "splash-off")
                return true;
            if (it->compare(0, 10, "splash-on|") == 0)
                return false;
        }
        return false;
    }
    bool WaitForSplashOff() {
        return m_host.PumpUntil([this] { return SplashHidden(); });
    }

    // The channel view's rows (channel ids) in their order on screen.
    std::vector<std::string> ChannelRows() {
        CListCtrl& list = *Wnd().m_wndListCtrl.m_pChannelListCtrl;
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.push_back(std::string(list.GetItemText(i, 0)));
        return rows;
    }
    // The member counts of the window's records, in their order.
    std::vector<int> RecordCounts() {
        std::vector<int> counts;
        for (POSITION pos = Wnd().m_listChannel.GetHeadPosition(); pos != NULL;)
            counts.push_back(Wnd().m_listChannel.GetNext(pos)->m_nMemberCnt);
        return counts;
    }

    static const char* const kMisbehaving[11];
    CTestCatalogueFolder m_folder; // the catalogues of TETRIS and TESTMIS
    int m_nPort;                   // the server's port
};

const char* const ServiceTest::kMisbehaving[11] = {
    "M-REFUSE",  "M-CLOSEPRE", "M-CLOSEMID", "M-GARBAGE", "M-OVERSIZE", "M-BURST",
    "M-TRICKLE", "M-OTHER",    "M-SLOW",     "M-RESET",   "M-FAIL"};

} // namespace

// The first group's channels arrive, sorted by id, with the total; the
// records keep the reply's order. A refresh asks again and the second
// reply replaces the first.
TEST_F(ServiceTest, ListsRefreshesAndReplaces) {
    StartGame("TETRIS");
    const std::vector<std::string> rows = {"T01-001", "T01-002", "T01-003"};
    EXPECT_EQ(ChannelRows(), rows);
    EXPECT_EQ(RecordCounts(), std::vector<int>({10, 0, 25})); // reply order: 003, 001, 002
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("splash-on|Receiving Channel data...|1"), 1);
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
    for (POSITION pos = Wnd().m_listChannel.GetHeadPosition(); pos != NULL;)
        EXPECT_STREQ(Wnd().m_listChannel.GetNext(pos)->m_szSubId, "T01");

    m_host.ClearLog();
    Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_REFRESH, BN_CLICKED),
                      (LPARAM)Wnd().m_btnRefresh.GetSafeHwnd());
    EXPECT_TRUE(WaitForSplashOff());
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1) << m_host.LogText();
    EXPECT_EQ(ChannelRows(), rows);
    EXPECT_EQ(Wnd().m_listChannel.GetCount(), 3);
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
}

// A failure reply shows the server's own text and keeps what is listed.
TEST_F(ServiceTest, FailureReplyKeepsTheList) {
    StartGame("TETRIS");
    SwitchTo("T06");
    EXPECT_EQ(m_host.CountLog("box|The channel list is closed for maintenance.|Channel List|0x30"),
              1)
        << m_host.LogText();
    EXPECT_EQ(ChannelRows().size(), 3u);
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
}

// Nobody listening: the failure is reported once, the main window shown.
TEST_F(ServiceTest, RefusedConnectionIsReportedOnce) {
    // Port 1 on loopback: nothing listens there.
    StartGame("TETRIS", 1);
    EXPECT_EQ(m_host.CountLog(kConnectFailed), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
    EXPECT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
}

// Each misbehaviour after a good listing: the window lives, the splash is
// hidden, and the list is either kept (3 rows) or replaced by the two
// channels that a late, slow, trickled, repeated or reset reply carries.
TEST_F(ServiceTest, MisbehavingServerLeavesTheWindowSound) {
    struct Case {
        const char* pszSubId;
        size_t nRows;    // rows afterwards
        int nDispatches; // messages dispatched
    } cases[] = {
        {"M-REFUSE", 3, 0},   {"M-CLOSEPRE", 3, 0}, {"M-CLOSEMID", 3, 0}, {"M-GARBAGE", 3, 0},
        {"M-OVERSIZE", 3, 0}, {"M-OTHER", 3, 1},    {"M-BURST", 2, 3},    {"M-TRICKLE", 2, 1},
        {"M-SLOW", 2, 1},     {"M-RESET", 2, 1},
    };
    StartGame("TESTMIS");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszSubId);
        SwitchTo("M-OK");
        ASSERT_EQ(ChannelRows().size(), 3u);
        SwitchTo(c.pszSubId);
        EXPECT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
        EXPECT_EQ(ChannelRows().size(), c.nRows) << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("dispatch|"), c.nDispatches) << m_host.LogText();
    }
}
