// Smaller pieces: geometry, window class registration, synchronization
// objects and the temporary handle map.
#include "afxwin.h"
#include "afxmt.h"

#include <gtest/gtest.h>
#include <vector>

TEST(GeometryTest, RectHelpers) {
    CRect rc(10, 20, 110, 70);
    EXPECT_EQ(rc.Width(), 100);
    EXPECT_EQ(rc.Height(), 50);
    EXPECT_TRUE(rc.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rc.PtInRect(CPoint(110, 70))); // right and bottom are outside
    rc.DeflateRect(5, 5);
    EXPECT_EQ(rc, CRect(15, 25, 105, 65));
    rc.OffsetRect(-15, -25);
    EXPECT_EQ(rc.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(rc.Size(), CSize(90, 40));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
}

TEST(WndClassTest, SameArgumentsGiveTheSameRegisteredClass) {
    LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    LPCTSTR c = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_STRNE(a, c);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, a, "class", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(::GetClassLongPtrA(wnd.m_hWnd, GCLP_HBRBACKGROUND),
              (LONG_PTR)::GetStockObject(BLACK_BRUSH));
    wnd.DestroyWindow();
}

TEST(SyncTest, SingleLockReleasesOnScopeExit) {
    CCriticalSection cs;
    {
        CSingleLock lock(&cs, TRUE);
        EXPECT_TRUE(lock.IsLocked());
    }
    EXPECT_TRUE(::TryEnterCriticalSection(&cs.m_sect));
    ::LeaveCriticalSection(&cs.m_sect);

    CEvent event(FALSE, TRUE);
    EXPECT_FALSE(event.Lock(0));
    event.SetEvent();
    EXPECT_TRUE(event.Lock(0));
}

TEST(TempMapTest, WrappersOfDestroyedWindowsAreSweptSafely) {
    // More foreign windows than one sweep threshold, wrapped then destroyed.
    std::vector<HWND> windows;
    for (int i = 0; i < 100; ++i) {
        HWND h = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        ASSERT_NE(CWnd::FromHandle(h), nullptr);
        windows.push_back(h);
    }
    for (HWND h : windows)
        ::DestroyWindow(h);
    HWND hLive = ::CreateWindowA("STATIC", "live", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    CWnd* pLive = CWnd::FromHandle(hLive);
    ASSERT_NE(pLive, nullptr);
    EXPECT_EQ(pLive->m_hWnd, hLive);
    CString text;
    pLive->GetWindowText(text);
    EXPECT_STREQ(text, "live");
    ::DestroyWindow(hLive);
    CWnd::DeleteTempMap();
}
