// Message maps: chaining to the base class's map, ON_MESSAGE, ON_COMMAND,
// ON_BN_CLICKED and ON_CONTROL_REFLECT routing.
#include "afxwin.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT WM_BASE_ONLY = WM_USER + 1;
const UINT WM_OVERRIDDEN = WM_USER + 2;
const UINT WM_UNMAPPED = WM_USER + 3;
const UINT ID_BUTTON = 101;
const UINT ID_MENU_COMMAND = 102;
const UINT ID_SELF_BUTTON = 103;

// Records which handler ran.
class CBaseWnd : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM) {
        return log.push_back("base-only"), wParam + 10;
    }
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM) { return log.push_back("base-overridden"), 1; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        log.push_back("timer " + std::to_string(nIDEvent));
        KillTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_MESSAGE(WM_BASE_ONLY, OnBaseOnly)
ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM) { return log.push_back("derived-overridden"), 2; }
    afx_msg void OnButton() { log.push_back("button clicked"); }
    afx_msg void OnMenuCommand() { log.push_back("menu command"); }
    afx_msg void OnSelfButton() { log.push_back("parent saw self button"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
ON_BN_CLICKED(ID_BUTTON, OnButton)
ON_COMMAND(ID_MENU_COMMAND, OnMenuCommand)
ON_BN_CLICKED(ID_SELF_BUTTON, OnSelfButton)
END_MESSAGE_MAP()

// A button that handles its own click through reflection.
class CSelfButton : public CWnd {
public:
    int clicks = 0;

protected:
    afx_msg void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfButton, CWnd)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// Timer hook: logs the timers ctx's window sets and kills.
void LogTimer(void* ctx, HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, BOOL bKill) {
    CBaseWnd* pWnd = (CBaseWnd*)ctx;
    if (hWnd != pWnd->m_hWnd)
        return;
    std::string id = std::to_string(nIDEvent);
    pWnd->log.push_back(bKill ? "kill timer " + id
                              : "set timer " + id + " every " + std::to_string(nElapse) + " ms");
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "map test", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
    }
    void TearDown() override {
        AfxSetTimerHook(NULL, NULL);
        wnd.DestroyWindow();
    }
    CDerivedWnd wnd;
};

} // namespace

TEST_F(MessageMapTest, DerivedMapOverridesAndBaseMapStillAnswers) {
    EXPECT_EQ(wnd.SendMessage(WM_BASE_ONLY, 5), 15);
    EXPECT_EQ(wnd.SendMessage(WM_OVERRIDDEN), 2);
    EXPECT_EQ(wnd.SendMessage(WM_UNMAPPED), 0); // DefWindowProc
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"base-only", "derived-overridden"}));
}

// The timer hook shows the timer set with its period and killed by the
// handler after its first tick.
TEST_F(MessageMapTest, TimerReachesTheBaseHandler) {
    AfxSetTimerHook(LogTimer, &wnd);
    wnd.SetTimer(7, 1, NULL);
    EXPECT_TRUE(PumpUntil([&] { return wnd.log.size() >= 3; }));
    EXPECT_EQ(wnd.log,
              (std::vector<std::string>{"set timer 7 every 1 ms", "timer 7", "kill timer 7"}));
}

TEST_F(MessageMapTest, CommandsRouteByIdAndCode) {
    HWND hButton = ::CreateWindowA("BUTTON", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                   (HMENU)(UINT_PTR)ID_BUTTON, NULL, NULL);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BUTTON, BN_CLICKED), (LPARAM)hButton);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BUTTON, BN_SETFOCUS), (LPARAM)hButton);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_COMMAND, 0), 0);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"button clicked", "menu command"}));
}

TEST_F(MessageMapTest, ReflectedCommandStaysWithTheControl) {
    CSelfButton button;
    ASSERT_TRUE(
        button.Create("BUTTON", "self", WS_VISIBLE, CRect(0, 0, 20, 20), &wnd, ID_SELF_BUTTON));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SELF_BUTTON, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_TRUE(wnd.log.empty()); // the parent's ON_BN_CLICKED did not run
}
