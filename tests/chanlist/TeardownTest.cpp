// A host that ends the window whenever it gets control, against the
// channel-list server: inside each message box the window shows, at a join,
// and while a listing is in flight. The window object lives in fenced
// memory and the host deletes it with its window, so any use of it
// afterwards faults; and nothing the window started may be left standing.
#include "ServiceFixture.h"

#include <TsLobbyFrame.h>

namespace {

const char kCannotConnectBox[] = "box|Cannot connect to server.|Channel List|0x30";

class TeardownTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (IsSkipped())
            return;
        m_folder.Write("testmists1.tsg", "SVC",
                       {"M-OK,Normal,0,0,0,0,A", "M-BURST,Burst,0,0,0,0,A",
                        "M-FAILBUR,Failing burst,0,0,0,0,A", "M-TRICKLE,Trickle,0,0,0,0,A"});
        UseFencedWindow();
    }

    // Boxes that end the window, as the host's quit does, and then give
    // nAnswer; with bUnfitPortsFirst the first box only makes every listed
    // port unfit and answers Yes. Each notes whether the frame took input
    // while it was up: a box owned by the window disables its top-level
    // frame.
    void EndWindowInBox(int nAnswer, bool bUnfitPortsFirst = false) {
        m_host.SetPumpingBoxes([this, nAnswer, bUnfitPortsFirst](const TsHostBox&) {
            if (bUnfitPortsFirst && m_host.GetBoxes().size() == 1) {
                for (POSITION pos = Wnd().m_listChannel.GetHeadPosition(); pos != NULL;)
                    Wnd().m_listChannel.GetNext(pos)->m_nPort = 70001;
                return IDYES;
            }
            m_bFrameEnabledInBox = ::IsWindowEnabled(m_host.GetFrame().GetSafeHwnd()) != FALSE;
            m_host.DestroyWindow();
            return nAnswer;
        });
    }
    // Waits until the host deleted the window object, then handles what is
    // left; the object's memory must be fenced by then, and no splash of
    // the window may stand.
    void ExpectDeleted(const CTsChildWnd* pGone) {
        EXPECT_TRUE(m_host.PumpUntil([this] { return m_host.CountLog("deleted") > 0; }))
            << m_host.LogText();
        m_host.Pump();
        EXPECT_TRUE(TsIsFenced(pGone));
        EXPECT_TRUE(SplashHidden()) << m_host.LogText();
        EXPECT_FALSE(::IsWindowVisible(m_host.GetFrame().GetSplash().GetSafeHwnd()));
    }
    // Makes every reply that lists channel pszChannelId offer to continue
    // play there.
    void RememberChannel(const char* pszChannelId) {
        strcpy(Wnd().m_szContChannelId, pszChannelId);
        Wnd().m_nContRoom = 7;
        Wnd().m_dwOption |= TSOPT_CONTINUE_PLAY;
    }

    bool m_bFrameEnabledInBox = true; // the frame took input while the last box was up
};

} // namespace

// Each box the window shows from inside a listing or a start, with the
// host ending the window inside it. Messages behind the one that showed
// the box are waiting in the same read (the groups burst), so a read loop
// that went on would use the deleted object.
TEST_F(TeardownTest, HostEndsTheWindowInsideABox) {
    struct Case {
        const char* pszName;
        const char* pszGame;    // the game started first
        const char* pszSwitch;  // then the group switched to, or null
        const char* pszBox;     // the box inside which the window ends
        int nBoxes;             // the boxes shown, that one last
        int nAnswer;            // its answer
        bool bUnfitPorts;       // the first box makes every listed port unfit
        const char* pszBadGame; // a game string that does not parse, or null
    } cases[] = {
        {"failure reply", "TESTMIS", "M-FAILBUR", "box|Server text for the failure test|", 1, IDOK,
         false, NULL},
        {"continue play, yes", "TESTMIS", "M-BURST", kContinueBox, 1, IDYES, false, NULL},
        {"continue play, no", "TESTMIS", "M-BURST", kContinueBox, 1, IDNO, false, NULL},
        {"port that does not fit", "TESTMIS", "M-BURST", kCannotConnectBox, 2, IDOK, true, NULL},
        {"invalid game string", NULL, NULL, "box|Cannot create channel list window.|", 1, IDOK,
         false, "not a message"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        UseFencedWindow();
        m_bFrameEnabledInBox = true;
        CTsChildWnd* pWnd = &Wnd();
        if (c.pszBadGame != NULL) {
            Create();
            EndWindowInBox(c.nAnswer);
            m_host.Start(c.pszBadGame, "");
        } else {
            StartGame(c.pszGame);
            RememberChannel("M-001");
            EndWindowInBox(c.nAnswer, c.bUnfitPorts);
            m_host.ClearBoxes();
            m_host.ClearLog();
            ASSERT_NE(Group(c.pszSwitch), (CTsChannelGroupListData*)NULL);
            ASSERT_TRUE(Wnd().SwitchChannelGroup(Group(c.pszSwitch)));
        }
        ExpectDeleted(pWnd);
        EXPECT_EQ(m_host.CountLog(c.pszBox), 1) << m_host.LogText();
        EXPECT_EQ((int)m_host.GetBoxes().size(), c.nBoxes) << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("join|"), 0);
        EXPECT_FALSE(m_bFrameEnabledInBox);
        EXPECT_TRUE(::IsWindowEnabled(m_host.GetFrame().GetSafeHwnd()));
        m_host.SetPumpingBoxesUntilIdle();
        m_host.ClearBoxes();
    }
}

// A host that ends the channel list at a join, made while the next listing
// is still connecting: the connecting splash goes with the window.
TEST_F(TeardownTest, JoinWhileConnectingTakesTheSplashAlong) {
    StartGame("TETRIS");
    CTsChildWnd* pWnd = &Wnd();
    m_host.SetDestroyAtJoin(1);
    CTsChannelListData* pFirst = Wnd().m_listChannel.GetHead();
    m_host.ClearLog();
    Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_REFRESH, BN_CLICKED),
                      0);
    ASSERT_EQ(m_host.CountLog("splash-on|Connecting to Channel List server...|1"), 1)
        << m_host.LogText();
    Wnd().SendMessage(WM_CHANNELLIST_SEL, (WPARAM)pFirst, 0);
    ExpectDeleted(pWnd);
    EXPECT_EQ(m_host.CountLog("join|"), 1) << m_host.LogText();
}

// The same object given a new window after the old one went under a box:
// nothing of the old window's question, listing or total is left.
TEST_F(TeardownTest, WindowCreatedAgainStartsAfresh) {
    ReplaceWindow(); // owned by the test, so that the object outlives its window
    StartGame("TESTMIS");
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
    RememberChannel("M-OK-001");
    EndWindowInBox(IDYES);
    SwitchTo("M-OK");
    ASSERT_EQ(Wnd().GetSafeHwnd(), (HWND)NULL) << m_host.LogText();
    EXPECT_EQ(Wnd().m_nTotalMembers, 0);
    EXPECT_EQ(m_host.CountLog("join|"), 0);

    m_host.SetPumpingBoxes([](const TsHostBox&) { return IDNO; });
    ASSERT_TRUE(m_host.UseWindow(&Wnd()));
    ASSERT_TRUE(m_host.AttachWindow());
    m_folder.Enter();
    m_host.ClearLog();
    m_host.Start(MakeGameString("TESTMIS", (unsigned short)m_nPort).c_str(), "");
    EXPECT_TRUE(WaitForSplashOff()) << m_host.LogText();
    RememberChannel("M-OK-001");
    SwitchTo("M-OK");
    EXPECT_EQ(m_host.CountLog(kContinueBox), 1) << m_host.LogText();
}

// An automatic join that cannot be handed over (its port does not fit the
// join message) tells the user, then the window starts as it does without
// one: shown, the first admitted group listed, no splash, the main window
// revealed.
TEST_F(TeardownTest, FailedAutomaticJoinStartsTheWindow) {
    Create();
    m_folder.Enter();
    m_host.HideMainWindow();
    m_host.SetPumpingBoxesUntilIdle();
    m_host.Start(MakeAutoJoinGameString("TETRIS", "TETRIS0T0101001", "127.0.0.1", 70001, 30, 6, 2,
                                        (unsigned short)m_nPort)
                     .c_str(),
                 "");
    m_host.ClearLog();
    Tick(CTsChannelListWnd::TIMER_AUTOJOIN);
    EXPECT_TRUE(WaitForSplashOff()) << m_host.LogText();
    EXPECT_TRUE(m_host.PumpUntil([this] { return m_host.CountLog("dispatch|") > 0; }));
    EXPECT_EQ(m_host.CountLog(kCannotConnectBox), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("join|"), 0);
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1) << m_host.LogText();
    EXPECT_EQ(ChannelRows().size(), 3u);
    EXPECT_TRUE(Wnd().IsWindowVisible());
    EXPECT_GE(m_host.CountLog("reveal-main"), 1) << m_host.LogText();
    EXPECT_TRUE(SplashHidden()) << m_host.LogText();
}
