// The test host running the sample plug-in DLL: loading through the
// factory, activation with the start record, timers, a button command, a
// join, the connection, message boxes, and the configuration.
#include <winsock2.h>

#include <gtest/gtest.h>
#include <TsSplashWnd.h>
#include <TsTestHost.h>

#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "SamplePlugin.h"
#include "TestSupport.h"

namespace {

const char* const kConfig = "# test user\n"
                            "member.id = tester01\n"
                            "member.nick = Tester\n"
                            "member.level = 9\n"
                            "game.id = TETRIS\n"
                            "game.code = TET\n"
                            "record.rating = 1500\n"
                            "site.code = KR\n"
                            "ad.url = None\n"
                            "ad.info = page=http://ads.example/page\n"
                            "option = 0x80000\n"
                            "header.top = 20\n"
                            "header.height = 36\n"
                            "groupmsg = grp\n";

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        CTsTestHost::SetClientDirectory(ExeFolder().c_str());
        m_host.GetConfig().Parse(kConfig);
        ASSERT_TRUE(m_host.LoadPlugin((ExeFolder() + "\\lobbykit_sampleplugin.dll").c_str()));
        ASSERT_TRUE(m_host.CreateFrame());
        m_pfnNotes = reinterpret_cast<PFN_SAMPLE_GET_NOTES>(
            reinterpret_cast<void*>(::GetProcAddress(m_host.GetPluginModule(), SAMPLE_GET_NOTES)));
        ASSERT_NE(nullptr, m_pfnNotes);
    }

    // The sample's notes, one a line.
    std::vector<std::string> Notes() {
        static char s_buffer[16384];
        m_pfnNotes(s_buffer, sizeof(s_buffer));
        std::vector<std::string> notes;
        std::string strAll(s_buffer);
        size_t nStart = 0;
        for (size_t nEnd; (nEnd = strAll.find('\n', nStart)) != std::string::npos;
             nStart = nEnd + 1) {
            notes.push_back(strAll.substr(nStart, nEnd - nStart));
        }
        return notes;
    }
    bool HasNote(const std::string& strNote) {
        for (const std::string& s : Notes()) {
            if (s == strNote) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> Log() { return m_host.GetLog(); }

    CTsTestHost m_host;
    PFN_SAMPLE_GET_NOTES m_pfnNotes = nullptr;
};

TEST_F(HostTest, FirstActivationCarriesTheRecordAndRevealsTheMainWindow) {
    EXPECT_FALSE(m_host.GetMainWnd()->IsWindowVisible());
    m_host.Start("offline");
    std::vector<std::string> expected = {"button-made", "start|offline|grp", "exactive|1",
                                         "settimer|ok"};
    EXPECT_EQ(expected, Notes());
    std::vector<std::string> log = {"splash-on|Loading|1", "buttons|1",
                                    "ad|http://ads.example/page", "splash-off", "reveal-main"};
    EXPECT_EQ(log, Log()) << m_host.LogText();
    EXPECT_TRUE(m_host.GetMainWnd()->IsWindowVisible());
    EXPECT_TRUE(m_host.GetWindow()->IsWindowVisible());
    EXPECT_EQ(1, m_host.GetFrame().GetActiveChild());

    // The frame gave its header band and itself; the host its records.
    CTsChildWnd* pWnd = m_host.GetWindow();
    EXPECT_EQ(&m_host.GetFrame(), pWnd->m_pFrameWnd);
    EXPECT_EQ(20, pWnd->m_nHeaderTop);
    EXPECT_EQ(36, pWnd->m_nHeaderHeight);
    EXPECT_STREQ("tester01", pWnd->m_pMember->m_szId);
    EXPECT_EQ(1500, pWnd->m_pGameRecord->m_nRating);
    EXPECT_EQ(0x80000u, pWnd->m_dwOption);
}

TEST_F(HostTest, IdleTimerFollowsTheHostClockAndAnswers) {
    m_host.SetTickCount(5000000);
    m_host.Start("offline");
    CTsChildWnd* pWnd = m_host.GetWindow();
    m_host.ClearLog();

    m_host.AdvanceTicks(10001);
    pWnd->SendMessage(WM_TIMER, TIMER_SAMPLE_IDLE, 0);
    EXPECT_TRUE(HasNote("timer|idle|10001"));

    m_host.SetActiveAnswer(1, 1);
    pWnd->SendMessage(WM_TIMER, TIMER_SAMPLE_IDLE, 0);
    EXPECT_TRUE(HasNote("timer|front"));
    EXPECT_TRUE(m_host.GetLog().empty()) << m_host.LogText();

    m_host.SetActiveAnswer(1, 0);
    m_host.AdvanceTicks(7200001);
    pWnd->SendMessage(WM_TIMER, TIMER_SAMPLE_IDLE, 0);
    std::vector<std::string> log = {"closebox|1", "close-frame"};
    EXPECT_EQ(log, Log()) << m_host.LogText();
    EXPECT_TRUE(::IsWindow(m_host.GetFrame().m_hWnd)); // the test host only records the close
}

TEST_F(HostTest, ButtonClickJoinsAndTheFrameSwitchesToTheLobby) {
    m_host.Start("offline");
    m_host.ClearLog();
    CWnd* pButton = m_host.GetWindow()->GetDlgItem(IDC_SAMPLE_JOIN);
    ASSERT_NE(nullptr, pButton);
    pButton->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    pButton->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));

    EXPECT_TRUE(HasNote("button|215"));
    std::vector<std::string> log = {"channel-name|Group-Channel", "join|join://|grp|-2"};
    EXPECT_EQ(log, Log()) << m_host.LogText();
    CTsLobbyWnd& lobby = m_host.GetFrame().GetLobby();
    EXPECT_EQ(m_host.GetWindow()->m_hWnd, lobby.m_hJoinWnd);
    EXPECT_STREQ("Group-Channel", lobby.m_strChannelName);
    EXPECT_EQ(2, m_host.GetFrame().GetActiveChild());
    EXPECT_TRUE(lobby.IsWindowVisible());
    EXPECT_FALSE(m_host.GetWindow()->IsWindowVisible());

    // The deactivation is posted; back in the channel list comes another.
    ASSERT_TRUE(PumpUntil([&] { return HasNote("active|0"); })) << m_host.LogText();
    lobby.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return HasNote("active|1"); }));
    EXPECT_EQ("front|1", Log().back());
    EXPECT_EQ(1, m_host.GetFrame().GetActiveChild());
}

TEST_F(HostTest, TheConfidenceGateCanRefuseAJoin) {
    m_host.Start("offline");
    m_host.ClearLog();
    m_host.SetConfidenceAnswer(0);
    m_host.GetWindow()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_JOIN, BN_CLICKED), 0);
    EXPECT_TRUE(HasNote("join-refused"));
    EXPECT_TRUE(m_host.GetLog().empty()) << m_host.LogText();
}

TEST_F(HostTest, ConnectionEventsReachThePlugin) {
    LoopbackServer server;
    int nPort = server.Listen();
    ASSERT_NE(0, nPort);
    std::string strRequest;
    server.Serve([&](LoopbackServer& s) {
        strRequest = s.ReadFrame();
        s.SendFrame("world");
        s.ClosePeer();
    });
    m_host.Start(("127.0.0.1:" + std::to_string(nPort)).c_str());
    ASSERT_TRUE(PumpUntil([&] { return HasNote("close|0"); }));
    server.Join();
    EXPECT_EQ("hello", strRequest);
    std::vector<std::string> notes = Notes();
    auto at = [&](const std::string& s) { return std::find(notes.begin(), notes.end(), s); };
    EXPECT_NE(notes.end(), at("createclient|1"));
    EXPECT_LT(at("connect|0"), at("message|world"));
    EXPECT_LT(at("message|world"), at("close|0"));
    EXPECT_EQ("reveal-main", Log().back()) << m_host.LogText();
}

TEST_F(HostTest, RefusedConnectionShowsTheBoxWithThePluginsCaption) {
    int nPort = LoopbackServer::RefusedPort();
    m_host.Start(("127.0.0.1:" + std::to_string(nPort)).c_str());
    ASSERT_TRUE(PumpUntil([&] { return HasNote("connect|10061"); }));
    // The caption comes from the plug-in's own string table, found through
    // the extension chain its DllMain joined.
    ASSERT_EQ(1u, m_host.GetBoxes().size());
    EXPECT_EQ(m_host.GetFrame().m_hWnd, m_host.GetBoxes()[0].hOwner);
    EXPECT_EQ(1, m_host.CountLog("box|Cannot connect to server.|Sample Channel List|0x30"))
        << m_host.LogText();
}

TEST_F(HostTest, InvalidGameStringBoxThenTheFrameCloses) {
    m_host.Start("bad");
    std::vector<std::string> log = {"box|Invalid game string|Sample Channel List|0x40010",
                                    "close-frame"};
    EXPECT_EQ(log, Log()) << m_host.LogText();
}

TEST_F(HostTest, DestroyingTheWindowReachesThePlugin) {
    m_host.Start("offline");
    m_host.DestroyWindow();
    EXPECT_TRUE(HasNote("destroy"));
    EXPECT_EQ(nullptr, m_host.GetWindow());
    EXPECT_EQ(nullptr, m_host.GetFrame().GetChild());
}

TEST(HostConfigTest, ValuesAreBoundedAndUnknownKeysIgnored) {
    CTsHostConfig config;
    int nTaken = config.Parse("member.id = 0123456789012345678901234567890\r\n"
                              "member.grade=AB\n"
                              "nonsense = 1\n"
                              "no equals sign\n"
                              "option=524288\n"
                              "frame.width = 99999\n"
                              "record.money = 9000000000\n");
    EXPECT_EQ(5, nTaken);
    EXPECT_STREQ("01234567890123456789", config.m_member.m_szId);
    EXPECT_STREQ("A", config.m_member.m_szGrade);
    EXPECT_EQ(0x80000u, config.m_dwOption);
    EXPECT_EQ(800, config.m_nWidth);
    EXPECT_EQ(9000000000LL, config.m_gameRecord.m_llMoney.Get());
    EXPECT_EQ(0, config.LoadFile("Z:\\no\\such\\file.cfg"));
}

// Header sizes feed the frame's and the window's arithmetic (top + height):
// values that would overflow it are refused, as are null pairs.
TEST(HostConfigTest, HeaderSizesOutOfRangeAreIgnored) {
    CTsHostConfig config;
    config.Parse("header.top = 2000000000\nheader.height = -5\n");
    EXPECT_EQ(24, config.m_nHeaderTop);
    EXPECT_EQ(30, config.m_nHeaderHeight);
    config.Parse("header.top = 0\nheader.height = 40\n");
    EXPECT_EQ(0, config.m_nHeaderTop);
    EXPECT_EQ(40, config.m_nHeaderHeight);
    EXPECT_EQ(0, config.Set("member.id", NULL));
    EXPECT_EQ(0, config.Set(NULL, "x"));
}

// Every bounded copy of the configuration cuts between characters: a
// double-byte character across the bound is left out whole where the code
// page makes 0xB0 a lead byte (the Korean run), kept up to the bound where
// it does not.
TEST(HostConfigTest, LongValuesAreCutBetweenCharacters) {
    struct Case {
        const char* pszKey;
        size_t nBound; // bytes kept at most
        std::string (*pfnGet)(const CTsHostConfig&);
    } cases[] = {
        {"member.nick", 30,
         [](const CTsHostConfig& c) { return std::string(c.m_member.m_szNick); }},
        {"regkey", 255, [](const CTsHostConfig& c) { return std::string(c.m_strRegKey); }},
        {"log.file", MAX_PATH - 1,
         [](const CTsHostConfig& c) { return std::string(c.m_strLogFile); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszKey);
        CTsHostConfig config;
        const std::string strValue = std::string(c.nBound - 1, 'n') + "\xB0\xA1" + "n";
        ASSERT_EQ(1, config.Set(c.pszKey, strValue.c_str()));
        const std::string strKept =
            std::string(c.nBound - 1, 'n') + (IsDBCSLeadByte(0xB0) ? "" : "\xB0");
        EXPECT_EQ(strKept, c.pfnGet(config));
    }
}

} // namespace

// A splash a window left up goes when the window is destroyed, whatever
// its kind; one the frame took down already is not hidden again.
TEST(ChildWndSplashTest, ASplashGoesWithItsWindow) {
    struct Case {
        int nFlag;
        bool bDeactivated; // the window left the front before it went
        int nHidden;       // splash-off entries at the destruction
    } cases[] = {
        {TSSPLASH_PROGRESS, false, 1}, {TSSPLASH_NOTICE, false, 1}, {TSSPLASH_PROGRESS, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nFlag * 10 + c.bDeactivated);
        CTsTestHost host;
        CTsChildWnd wnd;
        ASSERT_TRUE(host.UseWindow(&wnd));
        ASSERT_TRUE(host.CreateFrame());
        wnd.DoActive(1);
        wnd.ON_SPLASH("Working", c.nFlag, &wnd);
        if (c.bDeactivated)
            wnd.DoActive(0);
        host.ClearLog();
        host.DestroyWindow();
        EXPECT_EQ(host.CountLog("splash-off"), c.nHidden) << host.LogText();
        EXPECT_FALSE(::IsWindowVisible(host.GetFrame().GetSplash().GetSafeHwnd()));
    }
}

// A progress splash goes with the window it stands over: hiding that
// window (a deactivation) takes it down; a notice over the frame stays.
TEST_F(HostTest, ProgressSplashGoesWithItsWindow) {
    m_host.Start("offline");
    CTsChildWnd* pWnd = m_host.GetWindow();
    CTsSplashWnd& splash = m_host.GetFrame().GetSplash();
    struct Case {
        int nFlag;
        bool bStays;
    } cases[] = {{TSSPLASH_PROGRESS, false}, {TSSPLASH_NOTICE, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nFlag);
        pWnd->DoActive(1);
        pWnd->ON_SPLASH("Working", c.nFlag, pWnd);
        pWnd->DoActive(0);
        EXPECT_EQ(std::string(splash.GetText()), c.bStays ? "Working" : "");
        pWnd->OFF_SPLASH();
    }
}
