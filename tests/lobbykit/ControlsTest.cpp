// The controls: sorted header state and drawing over a real list view,
// the HTML view navigated from another thread, the bitmap button's click
// and size from the generated image, and the title texts.
#include <gtest/gtest.h>
#include <afxcmn.h>
#include <lobbykit.h>
#include <TsTestHost.h>

#include <string>
#include <thread>
#include <type_traits>

#include "TestSupport.h"

namespace {

// A header that counts the columns it drew itself.
class CCountingHeader : public CTsSortedHeaderCtrl {
public:
    int m_nDrawn = 0;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
        m_nDrawn++;
        CTsSortedHeaderCtrl::DrawItem(lpDrawItemStruct);
    }
};

int ItemFormat(CHeaderCtrl& header, int nColumn) {
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    header.GetItem(nColumn, &item);
    return item.fmt;
}

class SortedHeaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateParent());
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200),
                                  &m_parent, 30001));
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
        m_list.InsertColumn(1, "Users", LVCFMT_RIGHT, 80);
        m_list.InsertColumn(2, "Max", LVCFMT_RIGHT, 80);
        HWND hHeader = ::GetDlgItem(m_list.m_hWnd, 0);
        ASSERT_NE(nullptr, hHeader);
        ASSERT_TRUE(m_header.SubclassWindow(hHeader));
    }
    void TearDown() override {
        m_list.DestroyWindow();
        m_parent.DestroyWindow();
        PumpPending();
    }

    CTestParentWnd m_parent;
    CListCtrl m_list;
    CCountingHeader m_header;
};

TEST_F(SortedHeaderTest, RemembersTheSortAndMarksTheColumns) {
    EXPECT_EQ(-1, m_header.GetSortedColumn());
    EXPECT_TRUE(m_header.IsAscSorted());

    EXPECT_EQ(1, m_header.SetOwnerDraw(0));
    EXPECT_EQ(0, m_header.SetOwnerDraw(3));
    EXPECT_EQ(0, m_header.SetOwnerDraw(-1));
    EXPECT_TRUE(ItemFormat(m_header, 0) & HDF_OWNERDRAW);
    EXPECT_FALSE(ItemFormat(m_header, 1) & HDF_OWNERDRAW);

    // The header's own arrow is never used: the header draws its triangle.
    m_header.SetSortImage(1, FALSE);
    EXPECT_EQ(1, m_header.GetSortedColumn());
    EXPECT_FALSE(m_header.IsAscSorted());
    EXPECT_FALSE(ItemFormat(m_header, 1) & (HDF_SORTUP | HDF_SORTDOWN));

    m_header.SetSortImage(0, TRUE);
    EXPECT_EQ(0, m_header.GetSortedColumn());
    EXPECT_TRUE(m_header.IsAscSorted());
    EXPECT_FALSE(ItemFormat(m_header, 1) & (HDF_SORTUP | HDF_SORTDOWN));
    EXPECT_FALSE(ItemFormat(m_header, 0) & (HDF_SORTUP | HDF_SORTDOWN));
    EXPECT_TRUE(ItemFormat(m_header, 0) & HDF_OWNERDRAW);
}

TEST_F(SortedHeaderTest, OwnerDrawnColumnsArePaintedByTheHeader) {
    m_header.SetOwnerDraw(0);
    m_header.SetSortImage(0, TRUE);
    m_header.RedrawWindow();
    ASSERT_TRUE(PumpUntil([&] { return m_header.m_nDrawn > 0; }));

    // Drawn into a bitmap: the title's face and the triangle on the right.
    CClientDC screen(&m_header);
    CDC dc;
    CBitmap bitmap;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 150, 24));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_HEADER;
    dis.itemID = 0;
    dis.hwndItem = m_header.m_hWnd;
    dis.hDC = dc.GetSafeHdc();
    dis.rcItem = CRect(0, 0, 150, 24);
    m_header.CTsSortedHeaderCtrl::DrawItem(&dis);
    // Ascending: the triangle's apex is at the top centre, (72 + 2, 0).
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(74, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPixel(139, 12));
    dc.SelectObject(pOld);
}

// A sorted column keeps its whole title, however narrow: the triangle goes
// in the band above the title, where the unsorted column draws nothing, and
// the rest of the item stays as it was. Columns as narrow as 42 pixels,
// right-aligned numbers, and a wide left-aligned one.
TEST_F(SortedHeaderTest, ASortedColumnKeepsItsWholeTitle) {
    m_list.SetColumnWidth(0, 120);
    m_list.SetColumnWidth(1, 42);
    m_list.SetColumnWidth(2, 42);
    // The header's pixels, once it has painted.
    auto Shot = [this]() {
        m_header.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        TsCapture shot;
        EXPECT_TRUE(CTsTestHost::CaptureWindow(m_header.GetSafeHwnd(), shot));
        return shot;
    };
    const TsCapture unsorted = Shot();
    const struct {
        int nColumn;
        BOOL bAscending;
    } cases[] = {{1, TRUE}, {2, FALSE}, {0, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nColumn);
        m_header.SetSortImage(c.nColumn, c.bAscending);
        const TsCapture sorted = Shot();
        CRect rcItem;
        ASSERT_TRUE(m_header.GetItemRect(c.nColumn, &rcItem));
        const CRect rcTriangle = CTsSortedHeaderCtrl::SortTriangleRect(rcItem);
        const COLORREF clrFace = unsorted.At(rcItem.left + 2, rcTriangle.top);
        int nTriangle = 0, nFaceUnder = 0, nChanged = 0;
        for (int y = 0; y < unsorted.nHeight; ++y) {
            for (int x = 0; x < unsorted.nWidth; ++x) {
                if (rcTriangle.PtInRect(CPoint(x, y))) {
                    nTriangle += sorted.At(x, y) == ::GetSysColor(COLOR_BTNSHADOW);
                    nFaceUnder += unsorted.At(x, y) == clrFace;
                } else {
                    nChanged += sorted.At(x, y) != unsorted.At(x, y);
                }
            }
        }
        EXPECT_EQ(nTriangle, 9); // rows of 1, 3 and 5 pixels
        EXPECT_EQ(nFaceUnder, 5 * 3);
        EXPECT_EQ(nChanged, 0);
    }
}

TEST(HtmlCtrlTest, NavigateFromAnotherThreadShowsTheAddress) {
    CTestParentWnd parent;
    ASSERT_TRUE(parent.CreateParent());
    CTsHtmlCtrl html;
    html.Navigate("http://ads.example/early"); // before the window: kept
    ASSERT_TRUE(
        html.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 60), &parent, 30011, NULL));
    ASSERT_TRUE(PumpUntil([&] { return html.GetLocation() == "http://ads.example/early"; }));

    std::thread worker([&] { html.Navigate("http://ads.example/page"); });
    worker.join();
    ASSERT_TRUE(PumpUntil([&] { return html.GetLocation() == "http://ads.example/page"; }));
    EXPECT_EQ(2, html.GetNavigateCount());

    std::string strLong(5000, 'a');
    std::thread longWorker([&] { html.Navigate(strLong.c_str()); });
    longWorker.join();
    ASSERT_TRUE(PumpUntil([&] { return html.GetNavigateCount() == 3; }));
    EXPECT_EQ(2047, html.GetLocation().GetLength());

    html.DestroyWindow();
    html.Navigate("http://ads.example/late"); // no window: nothing posted
    PumpPending();
    EXPECT_EQ(3, html.GetNavigateCount());
    parent.DestroyWindow();
}

// The address is cut to 2047 bytes, never inside a double-byte character:
// where the ANSI code page makes 0xB0 a lead byte (Korean, Chinese), the
// character that would straddle the bound is left out whole.
TEST(HtmlCtrlTest, ALongAddressIsCutBetweenCharacters) {
    CTestParentWnd parent;
    ASSERT_TRUE(parent.CreateParent());
    CTsHtmlCtrl html;
    ASSERT_TRUE(
        html.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 60), &parent, 30012, NULL));
    const std::string strAddress = std::string(2046, 'a') + "\xB0\xA1" + "tail";
    html.Navigate(strAddress.c_str());
    ASSERT_TRUE(PumpUntil([&] { return html.GetNavigateCount() == 1; }));
    const std::string strKept = std::string(2046, 'a') + (IsDBCSLeadByte(0xB0) ? "" : "\xB0");
    const std::string strLocation(html.GetLocation());
    EXPECT_EQ(strKept.size(), strLocation.size());
    EXPECT_TRUE(strKept == strLocation);
    html.DestroyWindow();
    parent.DestroyWindow();
}

// A parent that notes the button commands it gets.
class CCommandParent : public CTestParentWnd {
public:
    int m_nClicks = 0;
    LPARAM m_lLastSender = 0;

protected:
    afx_msg void OnJoin() {
        m_nClicks++;
        m_lLastSender = GetCurrentMessage()->lParam;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandParent, CTestParentWnd)
ON_BN_CLICKED(215, OnJoin)
END_MESSAGE_MAP()

class BmpButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnterExeFolder();
        ASSERT_TRUE(m_parent.CreateParent());
    }
    void TearDown() override {
        m_parent.DestroyWindow();
        PumpPending();
    }
    static void EnterExeFolder() { ::SetCurrentDirectoryA(ExeFolder().c_str()); }
    void Click(CWnd& button, int x, int y, int xUp, int yUp) {
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xUp, yUp));
    }

    CCommandParent m_parent;
};

TEST_F(BmpButtonTest, ClickSendsTheCommandAndSizeIsOneFace) {
    CTsBmpButton button;
    ASSERT_EQ(
        1, button.Create(0, ".\\Images\\bncljoin.tsi", 0xFF0000, 1, 10, 20, &m_parent, 215, 0, 0));
    EXPECT_EQ(CSize(64, 22), button.GetButtonSize());
    CRect rc;
    button.GetWindowRect(&rc);
    m_parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(10, 20, 74, 42), rc);
    EXPECT_EQ(215, button.GetDlgCtrlID());

    Click(button, 5, 5, 6, 6);
    EXPECT_EQ(1, m_parent.m_nClicks);
    EXPECT_EQ(reinterpret_cast<LPARAM>(button.m_hWnd), m_parent.m_lLastSender);

    // Pressed inside, released outside: no click.
    Click(button, 5, 5, 200, 5);
    EXPECT_EQ(1, m_parent.m_nClicks);
}

TEST_F(BmpButtonTest, FacesFollowHoverPressAndDisable) {
    CTsBmpButton button;
    ASSERT_TRUE(
        button.Create(0, ".\\Images\\bnclref.tsi", 0xFF0000, 1, 0, 0, &m_parent, 215, 0, 0));
    EXPECT_EQ(0, button.GetCurrentFace());
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(1, button.GetCurrentFace());
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(2, button.GetCurrentFace());
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(1, button.GetCurrentFace());
    button.EnableWindow(FALSE);
    EXPECT_EQ(3, button.GetCurrentFace());
    int nBefore = m_parent.m_nClicks;
    Click(button, 3, 3, 3, 3);
    EXPECT_EQ(nBefore, m_parent.m_nClicks);
}

TEST_F(BmpButtonTest, AMissingImageMakesNoWindow) {
    CTsBmpButton button;
    EXPECT_EQ(0,
              button.Create(0, ".\\Images\\nosuch.tsi", 0xFF0000, 1, 0, 0, &m_parent, 215, 0, 0));
    EXPECT_EQ(nullptr, button.GetSafeHwnd());
    EXPECT_EQ(CSize(0, 0), button.GetButtonSize());
}

TEST(TitleInfoTest, DisplayTextsAndAdPage) {
    CTsTitleInfo info;
    info.m_llMoney = -1234567LL;
    info.m_nLevel = 12;
    info.m_nRating = 1500;
    info.m_nScore = 320;
    EXPECT_STREQ("Money -1,234,567", info.GetMoneyInfo());
    info.m_llMoney = 999LL;
    EXPECT_STREQ("Money 999", info.GetMoneyInfo());
    EXPECT_STREQ("Level 12", info.GetLevelInfo());
    EXPECT_STREQ("Rating 1500", info.GetRatingInfo());
    EXPECT_STREQ("Score 320", info.GetScoreInfo());
    EXPECT_STREQ("", info.GetRateOfWinsInfo());
    EXPECT_STREQ("", info.GetRankingInfo());
    info.m_nWins = 30;
    info.m_nLosses = 10;
    info.m_nRanking = 7;
    EXPECT_STREQ("Wins 75% (30W 10L)", info.GetRateOfWinsInfo());
    EXPECT_STREQ("Ranking 7", info.GetRankingInfo());

    info.ApplyAdInformation("size=300x60; page = http://ads.example/p ;x=1");
    EXPECT_STREQ("http://ads.example/p", info.m_strAdPage);
    info.ApplyAdInformation("no items here");
    EXPECT_STREQ("", info.m_strAdPage);
    info.ApplyAdInformation(("page=" + std::string(400, 'u')).c_str());
    EXPECT_EQ(255, info.m_strAdPage.GetLength());
    info.ApplyAdInformation(NULL);
    EXPECT_TRUE(info.m_strAdPage.IsEmpty());
}

// The ad page is cut to 255 bytes, never inside a double-byte character
// (0xB0 is a lead byte in the Korean and Chinese code pages).
TEST(TitleInfoTest, ALongAdPageIsCutBetweenCharacters) {
    CTsTitleInfo info;
    info.ApplyAdInformation(("page=" + std::string(254, 'u') + "\xB0\xA1" + "u").c_str());
    const std::string strKept = std::string(254, 'u') + (IsDBCSLeadByte(0xB0) ? "" : "\xB0");
    EXPECT_EQ(strKept, std::string(info.m_strAdPage));
}

TEST(RecordsTest, CopiesKeepEncodedValues) {
    CTsGameRecord record;
    record.m_nRating = 1500;
    record.m_llMoney = 123456789012LL;
    record.m_nGameCount = 42;
    CTsGameRecord copy(record);
    EXPECT_EQ(1500, copy.m_nRating);
    EXPECT_EQ(123456789012LL, copy.m_llMoney.Get());
    EXPECT_EQ(42, copy.m_nGameCount.Get());
    CTsMember member;
    EXPECT_STREQ("", member.m_szId);
    EXPECT_EQ(0, member.m_nLevel);
}

template <class T> constexpr bool CopiesBothWays() {
    return std::is_copy_constructible<T>::value && std::is_copy_assignable<T>::value;
}
static_assert(CopiesBothWays<CTsMember>() && CopiesBothWays<CTsGameInfo>() &&
                  CopiesBothWays<CTsGameRecord>() && CopiesBothWays<CTsCfgSetting>() &&
                  CopiesBothWays<CTsTitleInfo>(),
              "the host copies its records member by member");

// A host copies its title record into the one the window points at
// (`*m_pTitleInfo = info;`): every field arrives, and the copy keeps its own
// ad page when the original changes.
TEST(RecordsTest, TitleInfoCopiesIntoTheRecordTheWindowHolds) {
    CTsTitleInfo info;
    info.m_llMoney = 1234567LL;
    info.m_nLevel = 12;
    info.m_nRating = 1500;
    info.m_nScore = 320;
    info.m_nWins = 30;
    info.m_nLosses = 10;
    info.m_nRanking = 7;
    info.ApplyAdInformation("page=http://ads.example/p");
    CTsTitleInfo held;
    held.m_nRanking = 99;
    held.ApplyAdInformation("page=http://ads.example/old");
    CTsTitleInfo* pTitleInfo = &held;
    *pTitleInfo = info;
    CTsTitleInfo made(info);
    info.ApplyAdInformation("page=http://ads.example/later");
    for (const CTsTitleInfo* pCopy : {&held, &made}) {
        EXPECT_STREQ("Money 1,234,567", pCopy->GetMoneyInfo());
        EXPECT_STREQ("Level 12", pCopy->GetLevelInfo());
        EXPECT_STREQ("Rating 1500", pCopy->GetRatingInfo());
        EXPECT_STREQ("Score 320", pCopy->GetScoreInfo());
        EXPECT_STREQ("Wins 75% (30W 10L)", pCopy->GetRateOfWinsInfo());
        EXPECT_STREQ("Ranking 7", pCopy->GetRankingInfo());
        EXPECT_STREQ("http://ads.example/p", pCopy->m_strAdPage);
    }
}

} // namespace
