// The creation hook that binds a window to its CWnd before WM_NCCREATE: a
// handle already in the map, a window refused by another hook, and IME
// windows the system makes in between.
#include "afxwin.h"

#include <gtest/gtest.h>

namespace {

// Counts PostNcDestroy calls.
class CCountWnd : public CWnd {
public:
    int nPostNcDestroy = 0;

protected:
    void PostNcDestroy() override { ++nPostNcDestroy; }
};

// Creates `inner` from its WM_CREATE with a CBT hook of the test installed:
// the framework's hook is still armed for this window then, so the test's
// hook runs ahead of it.
class CNestingWnd : public CWnd {
public:
    HOOKPROC pfnHook = NULL;
    CWnd* pInner = NULL;
    BOOL bInnerCreated = FALSE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) {
        HHOOK hHook = ::SetWindowsHookExA(WH_CBT, pfnHook, NULL, ::GetCurrentThreadId());
        bInnerCreated = pInner->CreateEx(0, NULL, "inner", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
        ::UnhookWindowsHookEx(hHook);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

// Returns what inner.CreateEx returned when pfnHook ran ahead of the
// framework's hook.
BOOL CreateBehindHook(HOOKPROC pfnHook, CWnd& inner) {
    CNestingWnd outer;
    outer.pfnHook = pfnHook;
    outer.pInner = &inner;
    EXPECT_TRUE(outer.CreateEx(0, NULL, "outer", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    outer.DestroyWindow();
    return outer.bInnerCreated;
}

CWnd* g_pDecoy = NULL;  // BindDecoy: the object given the next window
HWND g_hRefused = NULL; // RefuseCreation: the window it refused
HWND g_hImeLike = NULL; // CreateImeLikeWindow: the window it made
const char kImeLikeClass[] = "PeltoraImeLike";

// Puts another object in the handle map for the window being created, as a
// stale entry of a dead window with the same handle value would be.
LRESULT CALLBACK BindDecoy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_pDecoy->m_hWnd == NULL)
        g_pDecoy->Attach((HWND)wParam);
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        g_hRefused = (HWND)wParam;
        return 1;
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// Makes a window of an IME class (CS_IME, any name) just before the window
// being created, as the system does for a thread's first window.
LRESULT CALLBACK CreateImeLikeWindow(int code, WPARAM wParam, LPARAM lParam) {
    static bool bCreating = false;
    if (code == HCBT_CREATEWND && g_hImeLike == NULL && !bCreating) {
        bCreating = true;
        g_hImeLike =
            ::CreateWindowA(kImeLikeClass, "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        bCreating = false;
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

} // namespace

TEST(CreationHookTest, WindowWhoseHandleIsTakenIsRefused) {
    CWnd decoy;
    CCountWnd inner;
    g_pDecoy = &decoy;
    EXPECT_FALSE(CreateBehindHook(BindDecoy, inner));
    HWND hTaken = decoy.Detach();
    ASSERT_NE(hTaken, (HWND)NULL);
    EXPECT_FALSE(::IsWindow(hTaken));
    EXPECT_EQ(inner.m_hWnd, (HWND)NULL);
    EXPECT_EQ(inner.nPostNcDestroy, 1);
}

TEST(CreationHookTest, WindowRefusedByAnotherHookLeavesNoHandleBehind) {
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RefuseCreation, NULL, ::GetCurrentThreadId());
    CCountWnd wnd;
    BOOL bCreated = wnd.CreateEx(0, NULL, "refused", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
    ::UnhookWindowsHookEx(hHook);
    EXPECT_FALSE(bCreated);
    ASSERT_NE(g_hRefused, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(g_hRefused), nullptr);
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    EXPECT_EQ(wnd.nPostNcDestroy, 1);
}

TEST(CreationHookTest, WindowsOfAnImeClassAreSkipped) {
    WNDCLASSA wc = {};
    wc.style = CS_IME;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = kImeLikeClass;
    ASSERT_NE(::RegisterClassA(&wc), 0);
    CWnd inner;
    EXPECT_TRUE(CreateBehindHook(CreateImeLikeWindow, inner));
    ASSERT_NE(g_hImeLike, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(g_hImeLike), nullptr);
    EXPECT_NE(inner.m_hWnd, g_hImeLike);
    CString text;
    inner.GetWindowText(text);
    EXPECT_STREQ(text, "inner");
    inner.DestroyWindow();
    ::DestroyWindow(g_hImeLike);
}
