// The Japanese configuration's member panel, with the window linked from
// its own plug-in: the avatar box's redraw takes the avatar's own size.
#include "ChanlistTestSupport.h"

namespace {
const COLORREF kPaint = RGB(255, 0, 255); // what the test paints over the window
} // namespace

class JapanesePaintTest : public ChannelListTest {
protected:
    void SetUp() override {
        ChannelListTest::SetUp();
        m_host.GetConfig().Set("member.id", "tester");
        m_host.GetConfig().Set("member.avatar", "A1B2");
    }
};

// WM_USER+36 composes the ready avatar in a box of its own size and copies
// exactly that box: a larger avatar is not cut, a smaller one leaves what
// is around it alone.
TEST_F(JapanesePaintTest, RedrawTakesTheAvatarsOwnSize) {
    Start(MakeGameString("TETRIS"));
    ASSERT_TRUE(Wnd().IsWindowVisible());
    Wnd().UpdateWindow();
    m_host.Pump();
    CTsAvatar* pAvatar = Wnd().m_pAvatar;
    ASSERT_NE(pAvatar, (CTsAvatar*)NULL);
    ASSERT_TRUE(pAvatar->IsReady());
    const CPoint ptBox(Wnd().m_rcMember.left + 47, Wnd().m_rcMember.top + 47);
    const CRect rcAround(ptBox.x - 6, ptBox.y - 6, ptBox.x + 136, ptBox.y + 156);
    for (const CSize& size : {CSize(100, 120), CSize(130, 150), CSize(80, 96)}) {
        SCOPED_TRACE(size.cx);
        pAvatar->SetBoxSize(size.cx, size.cy);
        {
            CClientDC dc(&Wnd());
            dc.FillSolidRect(&rcAround, kPaint);
        }
        Wnd().SendMessage(WM_USER + 36, 0, 0);
        TsCapture shot;
        ASSERT_TRUE(CTsTestHost::CaptureWindow(Wnd().GetSafeHwnd(), shot));
        EXPECT_EQ(CountOtherThan(shot, CRect(ptBox, size), kPaint), size.cx * size.cy);
        EXPECT_EQ(CountOtherThan(shot, rcAround, kPaint), size.cx * size.cy);
    }
}
