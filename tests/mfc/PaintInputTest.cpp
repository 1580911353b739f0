// Painting and input through message maps: WM_PAINT with CPaintDC,
// WM_ERASEBKGND, mouse coordinates, WM_SIZE.
#include "afxwin.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF PAINT_COLOUR = RGB(200, 10, 10);

class CPaintWnd : public CWnd {
public:
    int nPaints = 0;
    int nErases = 0;
    CPoint lastDown{-1, -1};
    UINT lastDownFlags = 0;
    CSize lastSize;

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc); // the paint DC is the permanent wrapper
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, PAINT_COLOUR);
        ++nPaints;
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return ++nErases, TRUE; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
        lastDown = point;
        lastDownFlags = nFlags;
    }
    afx_msg void OnSize(UINT, int cx, int cy) { lastSize = CSize(cx, cy); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_SIZE()
END_MESSAGE_MAP()

} // namespace

TEST(PaintInputTest, PaintHandlerDrawsThroughCPaintDC) {
    CPaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "paint", WS_POPUP, 0, 0, 40, 30, NULL, NULL));
    wnd.ShowWindow(SW_SHOWNA);
    wnd.Invalidate();
    wnd.UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return wnd.nPaints > 0; }));
    EXPECT_GT(wnd.nErases, 0);
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.GetPixel(20, 15), PAINT_COLOUR);
    wnd.DestroyWindow();
}

TEST(PaintInputTest, MouseAndSizeParametersAreUnpacked) {
    CPaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "input", WS_POPUP, 0, 0, 40, 30, NULL, NULL));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 12));
    EXPECT_EQ(wnd.lastDown, CPoint(-5, 12)); // signed halves
    EXPECT_EQ(wnd.lastDownFlags, (UINT)MK_LBUTTON);
    wnd.MoveWindow(0, 0, 70, 50);
    EXPECT_EQ(wnd.lastSize, CSize(70, 50));
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 70, 50));
    wnd.DestroyWindow();
}
