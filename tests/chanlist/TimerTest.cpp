// The three window timers, driven by WM_TIMER sent straight to the window
// and by the host's clock.
#include "ChanlistTestSupport.h"

#include <TsLobbyMsg.h>

// Idle time at exactly 10000 ms does nothing; one more millisecond clears
// m_bInUse and keeps the window; one over two hours closes it.
TEST_F(ChannelListTest, IdleWatchThresholds) {
    Start(MakeGameString("TETRIS"));
    const DWORD dwStart = m_host.GetTickCount();
    ASSERT_EQ(Wnd().m_dwLastActiveTick, dwStart);
    m_host.ClearLog();

    m_host.SetTickCount(dwStart + 10000);
    Tick(CTsChannelListWnd::TIMER_IDLE);
    EXPECT_EQ(Wnd().m_bInUse, 1);

    m_host.SetTickCount(dwStart + 10001);
    Tick(CTsChannelListWnd::TIMER_IDLE);
    EXPECT_EQ(Wnd().m_bInUse, 0);
    ExpectLog({});

    m_host.SetTickCount(dwStart + 7200000);
    Tick(CTsChannelListWnd::TIMER_IDLE);
    ExpectLog({});

    m_host.SetTickCount(dwStart + 7200001);
    Tick(CTsChannelListWnd::TIMER_IDLE);
    ExpectLog({"closebox|1", "close-frame"});
    EXPECT_EQ(Wnd().m_dwLastActiveTick, dwStart);
}

// A tick while child 1 or child 2 of the frame is in front restarts the
// idle clock and does nothing else.
TEST_F(ChannelListTest, IdleWatchRestartsWhileInFront) {
    Start(MakeGameString("TETRIS"));
    const DWORD dwStart = m_host.GetTickCount();
    for (int nWhich = 1; nWhich <= 2; ++nWhich) {
        SCOPED_TRACE(nWhich);
        m_host.ClearLog();
        m_host.SetActiveAnswer(nWhich, 1);
        const DWORD dwNow = dwStart + 7200001 * nWhich;
        m_host.SetTickCount(dwNow);
        Tick(CTsChannelListWnd::TIMER_IDLE);
        EXPECT_EQ(Wnd().m_dwLastActiveTick, dwNow);
        EXPECT_EQ(Wnd().m_bInUse, 1);
        ExpectLog({});
        m_host.SetActiveAnswer(nWhich, 0);
        m_host.SetTickCount(dwNow + 10001);
        Tick(CTsChannelListWnd::TIMER_IDLE);
        EXPECT_EQ(Wnd().m_bInUse, 0);
        ExpectLog({});
        Wnd().m_bInUse = 1;
    }
}

// The idle time is the signed difference of two tick counts: it stays
// right when the counter wraps between them.
TEST_F(ChannelListTest, IdleWatchAcrossTheTickCounterWrap) {
    m_host.SetTickCount(0xFFFFF000u);
    Start(MakeGameString("TETRIS"));
    m_host.SetTickCount(0x00001000u); // 8192 ms later
    Tick(CTsChannelListWnd::TIMER_IDLE);
    EXPECT_EQ(Wnd().m_bInUse, 1);
    m_host.SetTickCount(0x00001000u + 10000 - 8192 + 1);
    Tick(CTsChannelListWnd::TIMER_IDLE);
    EXPECT_EQ(Wnd().m_bInUse, 0);
    EXPECT_EQ(m_host.CountLog("closebox|"), 0);
}

// Deactivation with TSACT_EX stops the idle and avatar timers and, with an
// automatic join pending, timer 122 too, but keeps the join pending; the
// next activation starts 122 again and its tick hands the join over once.
TEST_F(ChannelListTest, PendingAutoJoinSurvivesDeactivation) {
    Start(MakeAutoJoinGameString("TETRIS", "ABCDEFGHIJKLMNOP", "10.1.2.3"));
    ASSERT_EQ(Wnd().m_bAutoJoin, 1);

    m_host.Activate(TSACT_EX);
    EXPECT_EQ(Wnd().m_bAutoJoin, 1);
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AUTOJOIN));
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AVATAR));

    m_host.ClearLog();
    m_host.Activate(TSACT_EX | TSACT_ON);
    // With the join pending the activation ends without the base's step.
    ExpectLog(
        {std::string("splash-on|") + kLoadingText + "|1", "DoExActive|1", "buttons|1", "ad-off"});
    EXPECT_EQ(Wnd().m_bAutoJoin, 1);

    Tick(CTsChannelListWnd::TIMER_AUTOJOIN);
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AUTOJOIN));

    // A second tick (a stray one) finds nothing pending and does nothing.
    Tick(CTsChannelListWnd::TIMER_AUTOJOIN);
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AVATAR));
}

// Deactivation without TSACT_EX stops only the idle watch; coming to the
// front again restarts it from the current time and reveals the main window;
// with no group to refresh, the splash goes at once.
TEST_F(ChannelListTest, PlainActivationKeepsTheAvatarTimer) {
    Start(MakeGameString("TETRIS"));
    m_host.Activate(0);
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_AVATAR));

    m_host.HideMainWindow();
    m_host.AdvanceTicks(5000);
    m_host.ClearLog();
    m_host.Activate(TSACT_ON);
    ExpectLog({std::string("splash-on|") + kLoadingText + "|1", "DoActive|1", "buttons|1", "ad-off",
               "splash-off", "reveal-main"});
    EXPECT_EQ(Wnd().m_dwLastActiveTick, m_host.GetTickCount());
    EXPECT_TRUE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_IDLE));
}
