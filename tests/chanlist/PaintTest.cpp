// Painting of the channel-list window under Wine: the information picture,
// the member panel (avatar, name, info lines), the total users line, the
// avatar box's own redraw, and GDI objects over many paints. Pixels come
// from the test host's screenshots; expected regions are drawn off-screen
// with the same picture and fonts and compared region by region.
#include "ChanlistTestSupport.h"

#include <KelpParser.h>
#include <TsGDImage.h>

#include <stdio.h>

namespace {

const CRect kPanel(458, 120, 793, 331);      // the member panel and its picture
const CRect kAvatarBox(479, 157, 579, 277);  // the avatar's box
const CRect kNameBand(580, 160, 793, 180);   // the name box (585..773) with room around it
const CRect kLinesBand(580, 204, 793, 260);  // the three info lines with room around them
const CRect kTotalRect(169, 102, 269, 122);  // the total users line
const RECT kNameRect = {585, 162, 773, 178}; // where the name is drawn
const COLORREF kNameColor = RGB(0, 114, 188);
const COLORREF kPaint = RGB(255, 0, 255); // what the tests paint over the window

// An off-screen picture of the window's client area as a test expects it:
// the size of the window's picture shot, filled with the window's own
// background taken at a spot below the panel that nothing else covers.
class CExpected {
public:
    explicit CExpected(const TsCapture& shot) : m_nWidth(shot.nWidth), m_nHeight(shot.nHeight) {
        HDC hdcScreen = ::GetDC(NULL);
        m_dc.CreateCompatibleDC(CDC::FromHandle(hdcScreen));
        m_bitmap.CreateCompatibleBitmap(CDC::FromHandle(hdcScreen), m_nWidth, m_nHeight);
        ::ReleaseDC(NULL, hdcScreen);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, m_nWidth, m_nHeight, shot.At(kPanel.left - 2, kPanel.bottom + 2));
        m_dc.SetBkMode(TRANSPARENT);
    }
    ~CExpected() { m_dc.SelectObject(m_pOld); }

    // The information picture at the panel's corner.
    void Picture() {
        CTsGDImage image;
        ASSERT_TRUE(image.Create(".\\images\\cnlstinfo.tsi", 1, CLR_INVALID, 0, 0));
        image.Draw(m_dc, kPanel.left, kPanel.top, 0);
    }
    void Text(CFont* pFont, COLORREF clr, const char* pszText, const RECT& rc, UINT nFlags) {
        CFont* pOld = m_dc.SelectObject(pFont);
        m_dc.SetTextColor(clr);
        CRect rcText(rc);
        m_dc.DrawText(pszText, -1, &rcText, nFlags);
        m_dc.SelectObject(pOld);
    }
    TsCapture Pixels() {
        TsCapture pixels;
        EXPECT_TRUE(CTsTestHost::CaptureDC(m_dc, 0, 0, m_nWidth, m_nHeight, pixels));
        return pixels;
    }

private:
    int m_nWidth, m_nHeight;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld;
};

// Pixels of rc where a and b differ.
int CountDifferences(const TsCapture& a, const TsCapture& b, const CRect& rc) {
    int nDiffer = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nDiffer += a.At(x, y) != b.At(x, y);
    return nDiffer;
}

// Compares rc of the window's picture with the expected one; on a
// difference both are written to the temporary folder for a look.
void ExpectRegion(const TsCapture& actual, const TsCapture& expected, const CRect& rc,
                  const char* pszName) {
    const int nDiffer = CountDifferences(actual, expected, rc);
    EXPECT_EQ(nDiffer, 0) << pszName << ": pixels differing in (" << rc.left << "," << rc.top
                          << ")-(" << rc.right << "," << rc.bottom << ")";
    if (nDiffer != 0) {
        char szTemp[MAX_PATH];
        ::GetTempPathA(sizeof(szTemp), szTemp);
        CTsTestHost::SavePng(actual, (std::string(szTemp) + pszName + "-actual.png").c_str());
        CTsTestHost::SavePng(expected, (std::string(szTemp) + pszName + "-expected.png").c_str());
    }
}

// Title values whose two sets of texts differ in width line by line.
const char* const kTitleValues[][2] = {{"title.money", "1234567"}, {"title.level", "12"},
                                       {"title.rating", "1500"},   {"title.score", "320"},
                                       {"title.wins", "3"},        {"title.losses", "1"},
                                       {"title.ranking", "7"}};

} // namespace

// A started window with a member who has an avatar id.
class PaintTest : public ChannelListTest {
protected:
    void SetUp() override {
        ChannelListTest::SetUp();
        CTsHostConfig& config = m_host.GetConfig();
        config.Set("member.id", "tester");
        config.Set("member.avatar", "A1B2");
        for (const auto& pair : kTitleValues)
            config.Set(pair[0], pair[1]);
    }

    void StartWindow() {
        Start(MakeGameString("TETRIS"));
        ASSERT_TRUE(Wnd().IsWindowVisible());
    }
    // Paints the whole window again and takes its picture.
    TsCapture Repaint() {
        Wnd().RedrawWindow(NULL, NULL, RDW_INVALIDATE);
        return Shot();
    }
    // Takes the window's picture as it stands (pending paints done first).
    TsCapture Shot() {
        Wnd().UpdateWindow();
        m_host.Pump();
        TsCapture shot;
        EXPECT_TRUE(CTsTestHost::CaptureWindow(Wnd().GetSafeHwnd(), shot));
        return shot;
    }
    // The name font as the panel should make it: the list font's face, the
    // given height and weight.
    void MakeNameFont(CFont& font, int nHeight, int nWeight) {
        LOGFONT lf;
        ASSERT_TRUE(Wnd().m_wndListCtrl.m_pFont != NULL);
        Wnd().m_wndListCtrl.m_pFont->GetLogFont(&lf);
        ASSERT_TRUE(font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, lf.lfFaceName));
    }
    // Paints kPaint over rc straight onto the window, as another window or
    // a stale screen would leave it.
    void PaintOver(const CRect& rc) {
        CClientDC dc(&Wnd());
        dc.FillSolidRect(&rc, kPaint);
    }
};

// Without an avatar id the panel is the bare information picture, in its
// place (458, 120)-(793, 331): no avatar, name or lines, and no avatar
// object is made.
TEST_F(PaintTest, PictureAloneWithoutAnAvatarId) {
    m_host.GetConfig().Set("member.avatar", "");
    StartWindow();
    const TsCapture shot = Repaint();
    CExpected picture(shot);
    picture.Picture();
    const TsCapture expected = picture.Pixels();
    ExpectRegion(shot, expected,
                 CRect(kPanel.left - 2, kPanel.top - 2, kPanel.right + 2, kPanel.bottom + 2),
                 "panel");
    EXPECT_NE(shot.At(kPanel.left, kPanel.top), expected.At(kPanel.left - 1, kPanel.top));
    EXPECT_EQ(Wnd().m_pAvatar, (CTsPanelAvatar*)NULL);
}

// The name "id" or "id[nick]" in the bold 9-point face of the list font,
// centred in its box; one too wide for the box ends in an ellipsis inside
// it, nothing outside.
TEST_F(PaintTest, NameLine) {
    const struct {
        const char* pszId;
        const char* pszNick;
        const char* pszName;
    } kCases[] = {{"tester", "", "tester"},
                  {"tester", "Nick", "tester[Nick]"},
                  {"WWWWWWWWWWWWWWWWWWWW", "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
                   "WWWWWWWWWWWWWWWWWWWW[MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM]"}};
    StartWindow();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        m_host.GetConfig().Set("member.id", c.pszId);
        m_host.GetConfig().Set("member.nick", c.pszNick);
        const TsCapture shot = Repaint();
        CFont font;
        MakeNameFont(font, -12, FW_BOLD);
        CExpected expected(shot);
        expected.Picture();
        expected.Text(&font, kNameColor, c.pszName, kNameRect, DT_CENTER | DT_END_ELLIPSIS);
        ExpectRegion(shot, expected.Pixels(), kNameBand, "name");
        font.DeleteObject();
    }
}

// The name font is 9 points at the screen's 96 pixels per inch (height
// -12) and bold: of these look-alikes only that one gives the same pixels.
TEST_F(PaintTest, NameFontIsNinePointBold) {
    StartWindow();
    {
        CClientDC dc(&Wnd());
        ASSERT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    }
    m_host.GetConfig().Set("member.nick", "Nick");
    const TsCapture shot = Repaint();
    const struct {
        int nHeight;
        int nWeight;
        bool bSame;
    } kFonts[] = {{-12, FW_BOLD, true},
                  {-11, FW_BOLD, false},
                  {-13, FW_BOLD, false},
                  {-12, FW_NORMAL, false}};
    for (const auto& f : kFonts) {
        SCOPED_TRACE(testing::Message() << f.nHeight << "/" << f.nWeight);
        CFont font;
        MakeNameFont(font, f.nHeight, f.nWeight);
        CExpected expected(shot);
        expected.Picture();
        expected.Text(&font, kNameColor, "tester[Nick]", kNameRect, DT_CENTER | DT_END_ELLIPSIS);
        EXPECT_EQ(CountDifferences(shot, expected.Pixels(), kNameBand) == 0, f.bSame);
        font.DeleteObject();
    }
}

// The three info lines in the list font: ranking games (category code
// starting with "RNK", any case) show score, rate of wins and ranking, the
// others money, level and rating. An empty line (no games played yet)
// leaves its row blank and the line below keeps its row.
TEST_F(PaintTest, InfoLinesByCategory) {
    const struct {
        const char* pszCode;
        const char* pszLosses; // title.losses, with 3 or 0 wins
        const char* apszLines[3];
    } kCases[] = {
        {"TETRIS", "1", {"Money 1,234,567", "Level 12", "Rating 1500"}},
        {"RNKTET", "1", {"Score 320", "Wins 75% (3W 1L)", "Ranking 7"}},
        {"rnkTET", "1", {"Score 320", "Wins 75% (3W 1L)", "Ranking 7"}},
        {"XRNKTE", "1", {"Money 1,234,567", "Level 12", "Rating 1500"}},
        {"RNKTET", "0", {"Score 320", "", "Ranking 7"}},
    };
    StartWindow();
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.pszCode << " losses " << c.pszLosses);
        const bool bPlayed = strcmp(c.pszLosses, "0") != 0;
        m_host.GetConfig().Set("game.code", c.pszCode);
        m_host.GetConfig().Set("title.wins", bPlayed ? "3" : "0");
        m_host.GetConfig().Set("title.losses", c.pszLosses);
        const TsCapture shot = Repaint();
        CExpected expected(shot);
        expected.Picture();
        for (int i = 0; i < 3; ++i) {
            const RECT rcLine = {615, 208 + 16 * i, 793, 224 + 16 * i};
            expected.Text(Wnd().m_wndListCtrl.m_pFont, RGB(0, 0, 0), c.apszLines[i], rcLine, 0);
        }
        ExpectRegion(shot, expected.Pixels(), kLinesBand, "lines");
    }
}

// The total users line in the list font, shown while there are users. The
// count is set directly: replies that set it are not part of this test. The
// lists stand over the line's place once shown, so they are hidden here.
TEST_F(PaintTest, TotalLineOnlyWithUsers) {
    StartWindow();
    Wnd().m_wndListCtrl.ShowWindow(SW_HIDE);
    for (int nTotal : {0, 25, 1234}) {
        SCOPED_TRACE(nTotal);
        Wnd().m_nTotalMembers = nTotal;
        const TsCapture shot = Repaint();
        CExpected line(shot);
        if (nTotal != 0)
            line.Text(Wnd().m_wndListCtrl.m_pFont, RGB(0, 0, 0),
                      ("Total " + std::to_string(nTotal)).c_str(), kTotalRect, 0);
        ExpectRegion(shot, line.Pixels(),
                     CRect(kTotalRect.left - 4, kTotalRect.top - 2, kTotalRect.right + 4,
                           kTotalRect.bottom + 2),
                     "total");
        EXPECT_EQ(CountOtherThan(shot, kTotalRect, shot.At(kTotalRect.left, kTotalRect.top)) > 0,
                  nTotal != 0);
    }
}

// A listing repaints the whole of the total line, so that no digit of a
// longer total is left behind when the total shrinks.
TEST_F(PaintTest, ListingRepaintsTheWholeTotalLine) {
    StartWindow();
    Wnd().UpdateWindow();
    CKelpParser reply(G::serviceChannelList, G::commandGetChannelList, NULL, 1, NULL, 0);
    reply.AddValue(G::keyChannelNum, 0);
    Wnd().ProcessGetChannelList(reply);
    CRgn update;
    update.CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(Wnd().GetSafeHwnd(), update, FALSE);
    for (const POINT& pt : {POINT{kTotalRect.left, kTotalRect.top},
                            POINT{kTotalRect.right - 1, kTotalRect.bottom - 1}})
        EXPECT_TRUE(update.PtInRegion(pt.x, pt.y)) << pt.x << "," << pt.y;
}

// The avatar is made by the first paint and kept by the next. WM_USER+36
// redraws its box alone, straight onto the window: what was painted over
// the box is replaced by the avatar, what was painted around it stays, and
// nothing is left to repaint.
TEST_F(PaintTest, RedrawAvatarRestoresOnlyTheBox) {
    StartWindow();
    Shot();
    CTsPanelAvatar* pAvatar = Wnd().m_pAvatar;
    ASSERT_NE(pAvatar, (CTsPanelAvatar*)NULL);
    const TsCapture before = Repaint();
    EXPECT_EQ(Wnd().m_pAvatar, pAvatar);
    EXPECT_GT(CountOtherThan(before, kAvatarBox, RGB(255, 255, 255)), 1000);
    const CRect rcAround(kAvatarBox.left - 6, kAvatarBox.top - 6, kAvatarBox.right + 6,
                         kAvatarBox.bottom + 6);
    PaintOver(rcAround);
    Wnd().SendMessage(WM_USER + 36, 0, 0);
    EXPECT_FALSE(::GetUpdateRect(Wnd().GetSafeHwnd(), NULL, FALSE));
    const TsCapture after = Shot();
    ExpectRegion(after, before, kAvatarBox, "avatar-box");
    // The box holds the avatar again; every pixel around it is still painted over.
    EXPECT_EQ(CountOtherThan(after, rcAround, kPaint), kAvatarBox.Width() * kAvatarBox.Height());
}

// WM_USER+36 leaves the window alone while it is inactive, hidden or has no
// avatar yet: what was painted over the box stays. The active flag is set
// by itself here, since a deactivation also hides the window and drops the
// avatar.
TEST_F(PaintTest, RedrawAvatarIgnoredWhenInactiveHiddenOrWithoutAvatar) {
    enum Case { kInactive, kHidden, kNoAvatar };
    StartWindow();
    for (Case c : {kInactive, kHidden, kNoAvatar}) {
        SCOPED_TRACE(c);
        Repaint();
        PaintOver(kAvatarBox);
        if (c == kInactive) {
            Wnd().m_bActive = 0;
        } else if (c == kHidden) {
            Wnd().ModifyStyle(WS_VISIBLE, 0);
        } else {
            delete Wnd().m_pAvatar;
            Wnd().m_pAvatar = NULL;
        }
        Wnd().SendMessage(WM_USER + 36, 0, 0);
        if (c == kInactive)
            Wnd().m_bActive = 1;
        else if (c == kHidden)
            Wnd().ModifyStyle(0, WS_VISIBLE);
        ASSERT_TRUE(Wnd().IsWindowVisible());
        TsCapture shot;
        ASSERT_TRUE(CTsTestHost::CaptureWindow(Wnd().GetSafeHwnd(), shot));
        EXPECT_EQ(CountOtherThan(shot, kAvatarBox, kPaint), 0);
    }
}

// GDI and USER objects and kernel handles stay flat over 2000 paints and
// 2000 avatar redraws.
TEST_F(PaintTest, NoObjectsLeakOverManyPaintsAndRedraws) {
    const int kRounds = 2000;
    StartWindow();
    Repaint();
    TsResourceCounts counts[3];
    counts[0] = CTsTestHost::CountResources();
    for (int i = 0; i < kRounds; ++i) {
        Wnd().RedrawWindow(NULL, NULL, RDW_INVALIDATE);
        Wnd().UpdateWindow();
    }
    m_host.Pump();
    counts[1] = CTsTestHost::CountResources();
    for (int i = 0; i < kRounds; ++i)
        Wnd().SendMessage(WM_USER + 36, 0, 0);
    m_host.Pump();
    counts[2] = CTsTestHost::CountResources();
    for (int i = 0; i < 3; ++i)
        printf("%-15s GDI %d, USER %d, handles %d\n",
               i == 0   ? "start:"
               : i == 1 ? "after paints:"
                        : "after redraws:",
               counts[i].nGdiObjects, counts[i].nUserObjects, counts[i].nHandles);
    for (int i = 1; i < 3; ++i) {
        EXPECT_NEAR(counts[i].nGdiObjects, counts[0].nGdiObjects, 4) << i;
        EXPECT_NEAR(counts[i].nUserObjects, counts[0].nUserObjects, 4) << i;
        EXPECT_NEAR(counts[i].nHandles, counts[0].nHandles, 4) << i;
    }
}
