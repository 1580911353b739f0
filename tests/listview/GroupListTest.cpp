// The channel-group list: sorting, clicks and row drawing.
#include "ListTestSupport.h"

typedef std::vector<std::string> Labels;

TEST_F(ListViewTest, GroupHeaderClicksSortIdentifiersDescendingThenAscending) {
    Bind();
    AddGroup("G01");
    AddGroup("G03");
    AddGroup("G02");
    NotifyColumnClick(Groups(), 0);
    EXPECT_EQ(1, Groups().m_bSortAscending);
    EXPECT_EQ((Labels{"G03", "G02", "G01"}), RowLabels(Groups()));
    EXPECT_EQ(0, Groups().m_wndHeader.GetSortedColumn());
    NotifyColumnClick(Groups(), 0);
    EXPECT_EQ(0, Groups().m_bSortAscending);
    EXPECT_EQ((Labels{"G01", "G02", "G03"}), RowLabels(Groups()));
}

TEST_F(ListViewTest, GroupSortIsRefusedUntilColumnsAreBuilt) {
    AddGroup("G02");
    AddGroup("G01");
    EXPECT_EQ(0, Groups().SortColumn(0, 0));
    EXPECT_EQ((Labels{"G02", "G01"}), RowLabels(Groups()));
    Bind();
    EXPECT_EQ(-1, Groups().m_nSortColumn);
    EXPECT_NE(0, Groups().SortColumn(0, 0));
    EXPECT_EQ((Labels{"G01", "G02"}), RowLabels(Groups()));
}

TEST_F(ListViewTest, GroupComparisonTreatsSeparatorsAndThirdLetterDAsEqual) {
    Bind();
    CTsChannelGroupListData* a = AddGroup("AAD1");
    CTsChannelGroupListData* b = AddGroup("ABC");
    CTsChannelGroupListData* sep = AddGroup("EMPTY");
    CTsChannelGroupListData* x = AddGroup("G01");
    CTsChannelGroupListData* y = AddGroup("G02");
    auto cmp = [&](CTsChannelGroupListData* p, CTsChannelGroupListData* q) {
        return CTsChannelGroupListCtrl::CompareItems((LPARAM)p, (LPARAM)q, (LPARAM)&Groups());
    };
    EXPECT_EQ(0, cmp(x, y)); // unsorted
    for (int column : {0, 1}) {
        for (int flag : {0, 1}) {
            Groups().m_nSortColumn = column;
            Groups().m_bSortAscending = flag;
            for (auto* p : {a, b, sep, x, y})
                EXPECT_EQ(0, cmp(p, p));
            EXPECT_EQ(0, cmp(a, b));
            EXPECT_EQ(0, cmp(b, a));
            EXPECT_EQ(0, cmp(sep, x));
            EXPECT_EQ(0, cmp(y, sep));
        }
    }
    Groups().m_nSortColumn = 0;
    Groups().m_bSortAscending = 0;
    EXPECT_EQ(-1, cmp(x, y));
    EXPECT_EQ(1, cmp(y, x));
    Groups().m_bSortAscending = 1;
    EXPECT_EQ(1, cmp(x, y));
    EXPECT_EQ(-1, cmp(y, x));
}

TEST_F(ListViewTest, GroupClickReportsTheRowOrTheRowBelowASeparator) {
    Bind();
    CTsChannelGroupListData* g1 = AddGroup("G01");
    CTsChannelGroupListData* sep = AddGroup("EMPTY");
    CTsChannelGroupListData* g2 = AddGroup("G02");

    NotifyItem(Groups(), NM_CLICK, 0);
    NotifyItem(Groups(), NM_CLICK, 1);
    NotifyItem(Groups(), NM_CLICK, -1);
    NotifyItem(Groups(), NM_DBLCLK, 0);
    ASSERT_EQ(2u, m_notify.m_sent.size());
    EXPECT_EQ((UINT)WM_CHANNELGROUP_SEL, m_notify.m_sent[0].nMessage);
    EXPECT_EQ((WPARAM)g1, m_notify.m_sent[0].wParam);
    EXPECT_EQ((WPARAM)g2, m_notify.m_sent[1].wParam);
    EXPECT_EQ(0, m_notify.m_sent[1].lParam);
    EXPECT_EQ((UINT)LVIS_SELECTED, Groups().GetItemState(2, LVIS_SELECTED));

    // A separator as the last row reports itself.
    m_wnd.DeleteChannelGroup("G02");
    m_notify.m_sent.clear();
    NotifyItem(Groups(), NM_CLICK, 1);
    ASSERT_EQ(1u, m_notify.m_sent.size());
    EXPECT_EQ((WPARAM)sep, m_notify.m_sent[0].wParam);
}

// Distinct colours so that each state shows in the pixels.
static void UseTestColours(CTsChannelGroupListSetting& s) {
    s.m_clrText = RGB(0, 128, 0);
    s.m_clrBk = RGB(250, 250, 200);
    s.m_clrSelText = RGB(255, 255, 255);
    s.m_clrSelBk = RGB(200, 0, 0);
    s.m_clrSelTextBk = RGB(200, 0, 0);
    s.m_clrDisabledText = RGB(0, 0, 255);
    s.m_clrDisabledTextBk = RGB(1, 2, 3);
    s.m_clrDisabledBk = RGB(1, 2, 3);
}

TEST_F(ListViewTest, NotJoinableGroupIsGreyedEvenWhenSelected) {
    UseTestColours(m_groupSetting);
    Bind();
    CTsChannelGroupListData* refused = AddGroup("G01", "Refused");
    AddGroup("G02", "Open");
    m_notify.m_refused.insert("G01");
    Groups().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_notify.m_asked.clear();
    CRowRender r0(Groups(), 0);
    EXPECT_EQ(std::vector<void*>{refused}, m_notify.m_asked);
    EXPECT_EQ(RGB(1, 2, 3), r0.Pixel(r0.m_rcRow.right - 3, r0.m_rcRow.top + 1));
    EXPECT_GT(r0.Count(r0.m_rcRow, RGB(0, 0, 255)), 0);
    EXPECT_EQ(0, r0.Count(r0.m_rcRow, RGB(200, 0, 0)));

    CRowRender r1(Groups(), 1); // open and not selected: normal colours
    EXPECT_EQ(RGB(250, 250, 200), r1.Pixel(r1.m_rcRow.right - 3, r1.m_rcRow.top + 1));
    EXPECT_GT(r1.Count(r1.m_rcRow, RGB(0, 128, 0)), 0);

    Groups().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    CRowRender r1sel(Groups(), 1);
    EXPECT_EQ(RGB(200, 0, 0), r1sel.Pixel(r1sel.m_rcRow.right - 3, r1sel.m_rcRow.top + 1));
    EXPECT_GT(r1sel.Count(r1sel.m_rcRow, RGB(255, 255, 255)), 0);
}

TEST_F(ListViewTest, SeparatorRowIsABarWithoutNameOrFocus) {
    UseTestColours(m_groupSetting);
    Bind();
    AddGroup("EMPTY", "Hidden name");
    AddGroup("G01", "Shown");
    Groups().SetFocus();
    ASSERT_EQ(Groups().GetSafeHwnd(), ::GetFocus());
    const COLORREF fill = RGB(250, 250, 200);

    // A focused group row has a name and a dotted focus rectangle.
    Groups().SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    CRowRender g(Groups(), 1);
    EXPECT_GT(g.Count(g.m_rcRow, RGB(0, 128, 0)), 0);
    const CRect topLine(g.m_rcRow.left, g.m_rcRow.top, g.m_rcRow.right, g.m_rcRow.top + 1);
    EXPECT_LT(g.Count(topLine, fill), topLine.Width());

    Groups().SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    CRowRender r(Groups(), 0);
    const CRect& row = r.m_rcRow;
    ASSERT_EQ(26, row.Height());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The bar: from 2 pixels in on the left to 40 short of the right, 2 high.
    EXPECT_EQ(face, r.Pixel(row.left + 2, row.top + 12));
    EXPECT_EQ(face, r.Pixel(row.right - 41, row.top + 13));
    EXPECT_EQ(fill, r.Pixel(row.right - 40, row.top + 12));
    EXPECT_EQ(fill, r.Pixel(row.left + 2, row.top + 11));
    EXPECT_EQ(fill, r.Pixel(row.left + 2, row.top + 14));
    // Everything else is fill: no name, no focus rectangle.
    EXPECT_EQ(row.Width() * row.Height() - (row.Width() - 42) * 2, r.Count(row, fill));
}

TEST(GroupListWithoutNotifyWindow, SendsNothingAndGreysNothing) {
    CTestNotifyWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    parent.m_refused.insert("G01");
    CTsChannelGroupListSetting setting;
    UseTestColours(setting);
    CTsChannelGroupListCtrl list;
    ASSERT_EQ(1, list.CreateList(&parent, NULL, 30001, NULL));
    list.MoveWindow(0, 0, 215, 300);
    ASSERT_EQ(1, list.ApplySetting(NULL, &setting));
    ASSERT_EQ(1, list.BuildColumns());
    CTsChannelGroupListData g;
    TsCopyField(g.m_szGroupId, "G01");
    TsCopyField(g.m_szGroupName, "Group");
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, g.m_szGroupId, 0, 0, 0, (LPARAM)&g);

    NotifyItem(list, NM_CLICK, 0);
    EXPECT_TRUE(parent.m_sent.empty());
    CRowRender r(list, 0);
    EXPECT_TRUE(parent.m_asked.empty());
    EXPECT_EQ(0, r.Count(r.m_rcRow, RGB(1, 2, 3)));
    list.DestroyWindow();
    parent.DestroyWindow();
}
