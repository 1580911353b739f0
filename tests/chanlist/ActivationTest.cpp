// The frame's activation message and Init: which path runs for which flags,
// what an invalid start record does, what Init reads from the game string.
#include "ChanlistTestSupport.h"

#include <TsGDImage.h>
#include <TsLobbyMsg.h>

namespace {

const std::string kSplashLoading = std::string("splash-on|") + kLoadingText + "|1";

// The log of a first activation whose game string Init accepts, up to the
// window's own steps; the frame's buttons go on and the (empty) ad page
// hides the ad view.
// Without a catalogue nothing is listed, so the loading splash goes at once.
const std::vector<std::string> kStartLog = {kSplashLoading, "hook|wnd",     "hook|group",
                                            "hook|channel", "DoExActive|1", "buttons|1",
                                            "ad-off",       "splash-off"};

} // namespace

TEST_F(ChannelListTest, StartReadsServerAndGameAndStartsWork) {
    Create();
    m_host.ClearLog();
    const std::string sGame = MakeGameString("TETRIS");
    m_host.Start(sGame.c_str(), "group-message");
    ExpectLog(kStartLog);
    EXPECT_EQ(std::string(Wnd().m_strGameString), sGame);
    EXPECT_EQ(std::string(Wnd().m_strGroupMsg), "group-message");
    EXPECT_EQ(std::string(Wnd().m_strServerIp), kListServerIp);
    EXPECT_EQ(Wnd().m_nServerPort, kListServerPort);
    EXPECT_STREQ(Wnd().m_pGameInfo->m_szGameId, "TETRIS");
    EXPECT_EQ(std::string(Wnd().m_strSection), "RNKTET");
    EXPECT_EQ(std::string(Wnd().m_strCaption), kCaptionText);
    EXPECT_EQ(Wnd().m_bInUse, 1);
    EXPECT_EQ(Wnd().m_bActive, 1);
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
    EXPECT_EQ(Wnd().m_dwLastActiveTick, m_host.GetTickCount());
    EXPECT_TRUE(Wnd().m_wndListCtrl.IsWindowVisible());
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AVATAR));
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AUTOJOIN));
}

// Bit 0x4 without 0x1, or with a null record: no Init, DoExActive with the
// activation bit. Without 0x4: DoActive. The splash shows every time, and
// goes at once since nothing is listed.
TEST_F(ChannelListTest, ActivationFlagsChooseThePath) {
    Create();
    struct Case {
        WPARAM wFlags;
        std::vector<std::string> log;
    } cases[] = {
        {TSACT_EX, {kSplashLoading, "DoExActive|0", "buttons|0", "ad-off", "splash-off"}},
        {TSACT_EX | TSACT_ON,
         {kSplashLoading, "DoExActive|1", "buttons|1", "ad-off", "splash-off"}},
        {TSACT_ON,
         {kSplashLoading, "DoActive|1", "buttons|1", "ad-off", "splash-off", "reveal-main"}},
        {0, {kSplashLoading, "DoActive|0", "ad-off", "splash-off"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wFlags);
        Wnd().m_bInUse = 0;
        m_host.ClearLog();
        m_host.Activate(c.wFlags); // no record
        ExpectLog(c.log);
        EXPECT_EQ(Wnd().m_bInUse, (c.wFlags & TSACT_EX) ? 1 : 0);
        EXPECT_EQ(Wnd().m_bActive, (c.wFlags & TSACT_ON) ? 1 : 0);
        EXPECT_TRUE(Wnd().m_strGameString.IsEmpty()); // Init never ran
    }
}

// A game string that does not parse, one without a game id and one with an
// empty game id: box 17901 owned by the frame, the splash goes and the
// frame is told to close; the window's work does not start.
TEST_F(ChannelListTest, InvalidGameStringClosesTheFrame) {
    const std::string cases[] = {"not a message", MakeGameString(NULL), MakeGameString("")};
    const std::string sBox = std::string("box|") + kInvalidText + "|" + kCaptionText + "|0x40010";
    Create();
    for (const std::string& sGame : cases) {
        SCOPED_TRACE(sGame);
        m_host.ClearLog();
        m_host.Start(sGame.c_str(), "");
        ExpectLog({kSplashLoading, sBox, "splash-off", "close-frame"});
        ASSERT_FALSE(m_host.GetBoxes().empty());
        EXPECT_EQ(m_host.GetBoxes().back().hOwner, m_host.GetFrame().GetSafeHwnd());
        EXPECT_EQ(Wnd().m_bInUse, 1);
        EXPECT_EQ(Wnd().m_bActive, 0);
        EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
        ReplaceWindow(); // the next case starts from a fresh window
    }
}

// Init is public: a null start record is refused and changes nothing.
TEST_F(ChannelListTest, InitRefusesANullRecord) {
    Create();
    m_host.ClearLog();
    EXPECT_EQ(Wnd().Init(NULL), 0);
    ExpectLog({});
    EXPECT_TRUE(Wnd().m_strCaption.IsEmpty());
    EXPECT_FALSE(Wnd().m_wndListCtrl.IsWindowVisible());
}

// Both ways of leaving (with and without TSACT_EX) drop the member panel's
// avatar, so the next activation draws a fresh one.
TEST_F(ChannelListTest, DeactivationDropsTheAvatar) {
    Start(MakeGameString("TETRIS"));
    for (WPARAM wFlags : {WPARAM(0), TSACT_EX}) {
        SCOPED_TRACE(wFlags);
        Wnd().m_pAvatar = new CTsPanelAvatar;
        m_host.Activate(wFlags);
        EXPECT_EQ(Wnd().m_pAvatar, (CTsPanelAvatar*)NULL);
        m_host.Activate(wFlags | TSACT_ON);
    }
}

// A hook that fails stops the later hooks, hides the splash and closes the
// frame, without a message box.
TEST_F(ChannelListTest, FailingHookClosesTheFrameWithoutABox) {
    Wnd().m_nFailHook = 2;
    Start(MakeGameString("TETRIS"));
    ExpectLog({kSplashLoading, "hook|wnd", "hook|group", "splash-off", "close-frame"});
    EXPECT_TRUE(m_host.GetBoxes().empty());
}

TEST_F(ChannelListTest, GameIdTet3BecomesTetrisCaseSensitively) {
    Start(MakeGameString("TET3"));
    EXPECT_STREQ(Wnd().m_pGameInfo->m_szGameId, "TETRIS");
    Wnd().m_pGameInfo->m_szGameId[0] = '\0';
    m_host.Start(MakeGameString("tet3").c_str(), "");
    EXPECT_STREQ(Wnd().m_pGameInfo->m_szGameId, "tet3");
}

// The automatic join: the notice splash, the fields, and the sub id cut
// from the channel id (five characters from eight before the end, clipped).
TEST_F(ChannelListTest, AutoJoinReadsChannelAndCutsSubId) {
    Create();
    struct Case {
        const char* pszChannelId;
        const char* pszSubId;
    } cases[] = {
        {"ABCDEFGHIJKLMNOP", "IJKLM"}, // 16 characters: the 9th to the 13th
        {"ABCDEF", "ABCDE"},           // 6: the first five
        {"ABC", "ABC"},                // 3: all three
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszChannelId);
        m_host.ClearLog();
        m_host.Start(
            MakeAutoJoinGameString("TETRIS", c.pszChannelId, "10.1.2.3", 7001, 30, 6, 2).c_str(),
            "");
        ASSERT_GE(m_host.GetLog().size(), 2u);
        EXPECT_EQ(m_host.GetLog()[1], std::string("splash-on|") + kAutoJoinText + "|0");
        EXPECT_EQ(Wnd().m_bAutoJoin, 1);
        EXPECT_STREQ(Wnd().m_szAutoChannelId, c.pszChannelId);
        EXPECT_EQ(std::string(Wnd().m_strSubId), c.pszSubId);
        EXPECT_STREQ(Wnd().m_szAutoIp, "10.1.2.3");
        EXPECT_EQ(Wnd().m_nAutoPort, 7001);
        EXPECT_EQ(Wnd().m_nAutoMaxRoom, 30);
        EXPECT_EQ(Wnd().m_nAutoMaxRoomMembers, 6);
        EXPECT_EQ(Wnd().m_nAutoMaxRoomViewers, 2);
        // With a join pending the activation starts timer 122 and stops there.
        EXPECT_EQ(m_host.GetLog().back(), "ad-off");
        EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AUTOJOIN));
    }
    // A later game string without a channel clears the pending join.
    m_host.Start(MakeGameString("TETRIS").c_str(), "");
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
}

// A channel without its server's address cannot be joined: the window
// starts as an ordinary one.
TEST_F(ChannelListTest, AutoJoinWithoutAddressStartsOrdinarily) {
    Start(MakeAutoJoinGameString("TETRIS", "ABCDEFGHIJKLMNOP", NULL));
    ExpectLog(kStartLog);
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
    EXPECT_TRUE(Wnd().m_strSubId.IsEmpty());
    EXPECT_STREQ(Wnd().m_szAutoIp, "");
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AUTOJOIN));
}

// Texts longer than their fields are cut to the field; nothing beside them
// is touched.
TEST_F(ChannelListTest, OverlongTextsAreCutToTheirFields) {
    Start(MakeAutoJoinGameString("GAMEID-0123456789", std::string(40, 'C').c_str(),
                                 std::string(80, '9').c_str()));
    EXPECT_STREQ(Wnd().m_pGameInfo->m_szGameId, "GAMEID-012");
    EXPECT_STREQ(Wnd().m_pGameInfo->m_szGameCode, "RNKTET");
    EXPECT_EQ(std::string(Wnd().m_szAutoChannelId), std::string(30, 'C'));
    EXPECT_EQ(std::string(Wnd().m_szAutoIp), std::string(50, '9'));
    EXPECT_EQ(Wnd().m_nAutoPort, 7001);
    EXPECT_EQ(std::string(Wnd().m_strSubId), "CCCCC");
}

// The buttons stand right-aligned above the channel list on the header
// band's lower edge: join 4 pixels left of the list's right edge, refresh 4
// pixels left of join, each at the size of its image's face.
TEST_F(ChannelListTest, ButtonsArePlacedFromTheirImages) {
    Create();
    CWnd* pJoin = Wnd().GetDlgItem(CTsChannelListWnd::IDC_CHANNEL_JOIN);
    CWnd* pRefresh = Wnd().GetDlgItem(CTsChannelListWnd::IDC_CHANNEL_REFRESH);
    ASSERT_NE(pJoin, (CWnd*)NULL);
    ASSERT_NE(pRefresh, (CWnd*)NULL);
    EXPECT_FALSE(pJoin->IsWindowVisible());
    EXPECT_FALSE(pRefresh->IsWindowVisible());

    m_host.Start(MakeGameString("TETRIS").c_str(), "");
    CTsGDImage join, refresh;
    ASSERT_TRUE(join.Create(".\\Images\\bncljoin.tsi", 1, CLR_INVALID, 0, 0));
    ASSERT_TRUE(refresh.Create(".\\Images\\bnclref.tsi", 1, CLR_INVALID, 0, 0));
    const int nRight = Wnd().m_ChannelListSetting.m_rcWindow.right;
    const int nBottom = Wnd().m_nHeaderTop + Wnd().m_nHeaderHeight;
    const int jw = join.GetFaceWidth(), jh = join.GetHeight();
    const int rw = refresh.GetFaceWidth(), rh = refresh.GetHeight();
    EXPECT_EQ(RectInParent(pJoin), CRect(nRight - jw - 4, nBottom - jh, nRight - 4, nBottom));
    EXPECT_EQ(RectInParent(pRefresh),
              CRect(nRight - jw - 8 - rw, nBottom - rh, nRight - jw - 8, nBottom));
    EXPECT_TRUE(pJoin->IsWindowVisible());
    EXPECT_TRUE(pRefresh->IsWindowVisible());
}
