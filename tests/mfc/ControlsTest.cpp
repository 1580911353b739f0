// CListCtrl and CHeaderCtrl over the real common controls: sorting by item
// data, long texts, selection, a subclassed header and its owner drawing,
// and _EX reflection that hands a notification on to the parent.
#include "afxwin.h"
#include "afxcmn.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT ID_LIST = 7;

// A header that draws its owner-drawn items itself.
class CDrawHeader : public CHeaderCtrl {
public:
    std::vector<UINT> drawnItems;
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override { drawnItems.push_back(lpDraw->itemID); }
};

// Handles LVN_ITEMCHANGED but lets the parent see it too.
class CPassList : public CListCtrl {
public:
    int nSeen = 0;

protected:
    afx_msg BOOL OnItemChanged(NMHDR*, LRESULT*) { return ++nSeen, FALSE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPassList, CListCtrl)
ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

class CHostWnd : public CWnd {
public:
    int nParentSaw = 0;

protected:
    afx_msg void OnItemChanged(NMHDR*, LRESULT*) { ++nParentSaw; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
ON_NOTIFY(LVN_ITEMCHANGED, ID_LIST, OnItemChanged)
END_MESSAGE_MAP()

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM) {
    return (int)(b - a);
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateEx(0, NULL, "controls", WS_POPUP, 0, 0, 320, 240, NULL, NULL));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                CRect(0, 0, 300, 200), &host, ID_LIST));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Users", LVCFMT_RIGHT, 60);
    }
    void TearDown() override { host.DestroyWindow(); }

    std::vector<std::string> Names() {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back((LPCSTR)list.GetItemText(i, 0));
        return out;
    }

    CHostWnd host;
    CPassList list;
};

} // namespace

TEST_F(ControlsTest, RowsSortByItemDataAndKeepTheirTexts) {
    const char* names[] = {"b", "c", "a"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, names[i], 0, 0, 0, 10 * (i + 1)), i);
        list.SetItemText(i, 1, std::to_string(10 * (i + 1)).c_str());
    }
    ASSERT_TRUE(list.SortItems(ByDataDescending, 0));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_STREQ(list.GetItemText(0, 1), "30");
    EXPECT_EQ(list.GetItemData(2), 10u);
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ControlsTest, LongTextsComeBackWholeOrBounded) {
    std::string longText(1000, 'w');
    list.InsertItem(0, longText.c_str());
    EXPECT_EQ(std::string(list.GetItemText(0, 0)), longText);
    char sz[8];
    EXPECT_EQ(list.GetItemText(0, 0, sz, sizeof(sz)), 7);
    EXPECT_STREQ(sz, "wwwwwww");
    EXPECT_EQ(list.GetItemText(0, 0, NULL, 10), 0);
}

TEST_F(ControlsTest, SelectionIsWalkedInOrderAndReflectedExReachesTheParent) {
    for (int i = 0; i < 4; ++i)
        list.InsertItem(i, "row");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != NULL;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    EXPECT_GT(list.nSeen, 0);
    EXPECT_EQ(host.nParentSaw, list.nSeen); // FALSE from the _EX handler passes it on
}

TEST_F(ControlsTest, SubclassedHeaderIsFoundAndDrawsItsOwnerDrawnItems) {
    host.ShowWindow(SW_SHOWNA); // painting needs a mapped window
    CDrawHeader header;
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()->m_hWnd));
    EXPECT_EQ(list.GetHeaderCtrl(), &header);
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    ASSERT_TRUE(header.GetItem(1, &item));
    item.fmt |= HDF_OWNERDRAW;
    ASSERT_TRUE(header.SetItem(1, &item));
    header.Invalidate();
    header.UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return !header.drawnItems.empty(); }));
    EXPECT_EQ(header.drawnItems[0], 1u); // only the owner-drawn column
    CRect rc;
    EXPECT_TRUE(header.GetItemRect(1, &rc));
    EXPECT_EQ(rc.Width(), 60);
    header.UnsubclassWindow();
}
