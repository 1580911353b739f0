// A host around a channel-list window that talks to the real channel-list
// server (tools/listserver, started by CTest with the sample data of
// samples/server), with catalogues for the games TETRIS and TESTMIS.
#pragma once

#include "ChanlistTestSupport.h"

#include <fstream>

// The continue-play question as the host logs it.
inline const char kContinueBox[] =
    "box|Does it return to the room which was before?\n(The room which was before may be lost. "
    "In this case, it stands by in a lobby)|Channel List|0x24";

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
        // Message boxes keep the window receiving while they are up, as
        // real ones do, until nothing more is waiting.
        m_host.SetPumpingBoxesUntilIdle();
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

    // The group record with sub id pszSubId, or null.
    CTsChannelGroupListData* Group(const char* pszSubId) {
        for (POSITION pos = Wnd().m_listGroup.GetHeadPosition(); pos != NULL;) {
            CTsChannelGroupListData* p = Wnd().m_listGroup.GetNext(pos);
            if (strcmp(p->m_szGroupId, pszSubId) == 0)
                return p;
        }
        return NULL;
    }
    // Switches to the group with sub id pszSubId and waits until the
    // listing is over.
    void SwitchTo(const char* pszSubId) {
        CTsChannelGroupListData* pGroup = Group(pszSubId);
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
    // Waits until the splash has been hidden since the log was cleared:
    // the listing is over. (A join switches the frame to its lobby, whose
    // deactivation of this window shows the loading splash again.)
    bool WaitForSplashOff() {
        return m_host.PumpUntil([this] { return m_host.CountLog("splash-off") > 0; });
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

    static const char* const kMisbehaving[13];
    CTestCatalogueFolder m_folder; // the catalogues of TETRIS and TESTMIS
    int m_nPort;                   // the server's port
};

inline const char* const ServiceTest::kMisbehaving[13] = {
    "M-REFUSE", "M-CLOSEPRE", "M-CLOSEMID", "M-GARBAGE", "M-OVERSIZE", "M-BURST",  "M-TRICKLE",
    "M-OTHER",  "M-SLOW",     "M-RESET",    "M-FAIL",    "M-SILENT",   "M-RPLOVER"};
