// The channel list: sorting, double-clicks and row drawing.
#include "ListTestSupport.h"

typedef std::vector<std::string> Labels;

TEST_F(ListViewTest, ChannelSortByIdentifierAscendsWhenTheFlagIsSet) {
    Bind();
    AddChannel("C10", 1, 9, "Alpha");
    AddChannel("C02", 1, 9, "Zulu");
    AddChannel("C01", 1, 9, "Mike");
    EXPECT_NE(0, Channels().SortColumn(0, 1));
    EXPECT_EQ((Labels{"C01", "C02", "C10"}), RowLabels(Channels()));
    EXPECT_EQ(0, Channels().m_wndHeader.GetSortedColumn());
    EXPECT_TRUE(Channels().m_wndHeader.IsAscSorted());
    NotifyColumnClick(Channels(), 0); // the next click on column 0 descends
    EXPECT_EQ((Labels{"C10", "C02", "C01"}), RowLabels(Channels()));
}

TEST_F(ListViewTest, ChannelCountsSortNumericallyAndASecondClickReverses) {
    Bind();
    AddChannel("C01", 10, 50);
    AddChannel("C02", 9, 50);
    AddChannel("C03", 100, 50);
    NotifyColumnClick(Channels(), 1);
    EXPECT_EQ(1, Channels().m_bSortAscending);
    EXPECT_EQ((Labels{"C02", "C01", "C03"}), RowLabels(Channels()));
    NotifyColumnClick(Channels(), 1);
    EXPECT_EQ(0, Channels().m_bSortAscending);
    EXPECT_EQ((Labels{"C03", "C01", "C02"}), RowLabels(Channels()));
}

TEST_F(ListViewTest, ChannelNumericComparisonIsNeverNegative) {
    Bind();
    CTsChannelListData* rows[3] = {AddChannel("C01", 10, 1), AddChannel("C02", -3, 1),
                                   AddChannel("C03", 10, 1)};
    Channels().m_nSortColumn = 1;
    for (int flag : {0, 1}) {
        Channels().m_bSortAscending = flag;
        for (auto* a : rows)
            for (auto* b : rows) {
                const int r =
                    CTsChannelListCtrl::CompareItems((LPARAM)a, (LPARAM)b, (LPARAM)&Channels());
                EXPECT_TRUE(r == 0 || r == 1);
                if (a->m_nMemberCnt == b->m_nMemberCnt) {
                    EXPECT_EQ(0, r);
                }
            }
    }
}

TEST_F(ListViewTest, ChannelDoubleClickAsksToJoinAndSingleClickSendsNothing) {
    Bind();
    AddChannel("C01", 1, 9);
    CTsChannelListData* c2 = AddChannel("C02", 1, 9);
    NotifyItem(Channels(), NM_CLICK, 1);
    NotifyItem(Channels(), NM_DBLCLK, -1);
    EXPECT_TRUE(m_notify.m_sent.empty());
    NotifyItem(Channels(), NM_DBLCLK, 1);
    ASSERT_EQ(1u, m_notify.m_sent.size());
    EXPECT_EQ((UINT)WM_CHANNELLIST_SEL, m_notify.m_sent[0].nMessage);
    EXPECT_EQ((WPARAM)c2, m_notify.m_sent[0].wParam);
    EXPECT_EQ(0, m_notify.m_sent[0].lParam);
}

TEST_F(ListViewTest, ChannelRowsDrawSelectionAndRightAlignedNumbers) {
    m_channelSetting.m_clrText = RGB(0, 128, 0);
    m_channelSetting.m_clrSelText = RGB(128, 0, 0);
    Bind();
    AddChannel("C01", 7, 300, "Selected");
    AddChannel("C02", 7, 300, "Normal");
    Channels().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);

    CRowRender sel(Channels(), 0);
    EXPECT_EQ(RGB(163, 198, 237), sel.Pixel(sel.m_rcRow.left + 1, sel.m_rcRow.top + 1));
    EXPECT_GT(sel.Count(sel.m_rcRow, RGB(128, 0, 0)), 0);

    CRowRender normal(Channels(), 1);
    const CRect& row = normal.m_rcRow;
    EXPECT_EQ(RGB(240, 243, 250), normal.Pixel(row.left + 1, row.top + 1));
    EXPECT_GT(normal.Count(row, RGB(0, 128, 0)), 0);
    // Column 1 spans x 120..162: its "7" stands in the right half.
    const CRect left1(row.left + 120, row.top, row.left + 141, row.bottom);
    const CRect right1(row.left + 141, row.top, row.left + 162, row.bottom);
    EXPECT_EQ(0, normal.Count(left1, RGB(0, 128, 0)));
    EXPECT_GT(normal.Count(right1, RGB(0, 128, 0)), 0);
}

TEST_F(ListViewTest, ChannelListPaintsItsRowsThroughItsOwnDrawing) {
    Bind();
    AddChannel("C01", 7, 300, "Selected");
    AddChannel("C02", 7, 300, "Normal");
    Channels().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    CRowRender painted(Channels(), -1);
    const CRect& row0 = painted.m_rcRow;
    EXPECT_EQ(RGB(163, 198, 237), painted.Pixel(row0.left + 1, row0.top + 1));
    EXPECT_EQ(RGB(240, 243, 250), painted.Pixel(row0.left + 1, row0.bottom + 1));
    EXPECT_GT(painted.Count(row0, m_channelSetting.m_clrSelText), 0);
}

TEST_F(ListViewTest, ChannelNumberSortsKeepTiesInTheirOrderBothWays) {
    Bind();
    AddChannel("C01", 5, 300);
    AddChannel("C02", 7, 100);
    AddChannel("C03", 5, 200);
    AddChannel("C04", 7, 300);
    AddChannel("C05", 5, 100);
    ASSERT_NE(0, Channels().SortColumn(1, 1));
    EXPECT_EQ((Labels{"C01", "C03", "C05", "C02", "C04"}), RowLabels(Channels()));
    ASSERT_NE(0, Channels().SortColumn(1, 0));
    EXPECT_EQ((Labels{"C02", "C04", "C01", "C03", "C05"}), RowLabels(Channels()));
    ASSERT_NE(0, Channels().SortColumn(2, 1));
    EXPECT_EQ((Labels{"C02", "C05", "C03", "C04", "C01"}), RowLabels(Channels()));
    ASSERT_NE(0, Channels().SortColumn(2, 0));
    EXPECT_EQ((Labels{"C04", "C01", "C03", "C02", "C05"}), RowLabels(Channels()));
}

// Counts the list view messages other than LVM_SORTITEMS sent to one
// window on this thread.
static HWND g_hCounted = NULL;
static int g_nCounted = 0;
static HHOOK g_hCountHook = NULL;
static LRESULT CALLBACK CountListViewMessages(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && pMsg->hwnd == g_hCounted && pMsg->message >= LVM_FIRST &&
        pMsg->message < LVM_FIRST + 0x100 && pMsg->message != LVM_SORTITEMS)
        g_nCounted++;
    return ::CallNextHookEx(g_hCountHook, code, wParam, lParam);
}

TEST_F(ListViewTest, SortingSendsTheListViewsNoMessagesFromTheComparison) {
    Bind();
    for (int i = 0; i < 20; i++) {
        char szId[8];
        snprintf(szId, sizeof(szId), "C%02d", 20 - i);
        AddChannel(szId, i % 3, 300 - i);
    }
    AddGroup("G02");
    AddGroup("G01");
    CTsSortedListCtrl* lists[2] = {&Channels(), &Groups()};
    for (CTsSortedListCtrl* pList : lists)
        for (int column : {0, 1, 2}) {
            g_hCounted = pList->GetSafeHwnd();
            g_nCounted = 0;
            g_hCountHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountListViewMessages, NULL,
                                               ::GetCurrentThreadId());
            EXPECT_NE(0, pList->SortColumn(column, 1));
            ::UnhookWindowsHookEx(g_hCountHook);
            EXPECT_EQ(0, g_nCounted) << "column " << column;
        }
    EXPECT_EQ("C01", RowLabels(Channels()).front());
}
