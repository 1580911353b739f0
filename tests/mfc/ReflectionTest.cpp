// Reflection: a list control's notifications and owner-draw messages sent
// to its parent reach the list's own object first.
#include "afxwin.h"
#include "afxcmn.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

const UINT ID_LIST = 30001;
const int ROW_HEIGHT = 23;

// An owner-drawn list that handles NM_CLICK and LVN_COLUMNCLICK itself.
class COwnerList : public CListCtrl {
public:
    int nClicks = 0;
    int nColumnClicked = -1;
    int nMeasures = 0;
    std::set<UINT> drawnRows;

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) {
        ++nMeasures;
        lpMeasure->itemHeight = ROW_HEIGHT;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override {
        drawnRows.insert(lpDraw->itemID);
        CDC* pDC = CDC::FromHandle(lpDraw->hDC);
        pDC->FillSolidRect(&lpDraw->rcItem, RGB(0, 0, 255));
    }

protected:
    afx_msg void OnClick(NMHDR*, LRESULT* pResult) {
        ++nClicks;
        *pResult = 0;
    }
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT*) {
        nColumnClicked = ((NMLISTVIEW*)pNMHDR)->iSubItem;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerList, CListCtrl)
ON_WM_MEASUREITEM_REFLECT()
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

// The parent: sees only what the list leaves to it.
class CParentWnd : public CWnd {
public:
    std::vector<UINT> codes;
    int nCreateChildren = 0;
    COwnerList list;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        // Created inside WM_CREATE, as the plug-in's container does.
        if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED,
                         CRect(0, 0, 300, 200), this, ID_LIST))
            return -1;
        ++nCreateChildren;
        return 0;
    }
    afx_msg void OnListNotify(NMHDR* pNMHDR, LRESULT*) { codes.push_back(pNMHDR->code); }
    afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT) { codes.push_back(WM_MEASUREITEM); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_WM_CREATE()
ON_WM_MEASUREITEM()
ON_NOTIFY(NM_CLICK, ID_LIST, OnListNotify)
ON_NOTIFY(NM_DBLCLK, ID_LIST, OnListNotify)
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, NULL, "reflection", WS_POPUP, 0, 0, 320, 240, NULL, NULL));
        ASSERT_EQ(parent.nCreateChildren, 1);
    }
    void TearDown() override { parent.DestroyWindow(); }

    // Sends the parent a WM_NOTIFY as the list would.
    void Notify(UINT code, int iSubItem = 0) {
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = parent.list.m_hWnd;
        nm.hdr.idFrom = ID_LIST;
        nm.hdr.code = code;
        nm.iItem = -1;
        nm.iSubItem = iSubItem;
        parent.SendMessage(WM_NOTIFY, ID_LIST, (LPARAM)&nm);
    }

    CParentWnd parent;
};

} // namespace

TEST_F(ReflectionTest, ReflectedNotificationsStayWithTheList) {
    Notify(NM_CLICK);
    Notify(LVN_COLUMNCLICK, 2);
    Notify(NM_DBLCLK); // no reflection entry: the parent's map gets it
    EXPECT_EQ(parent.list.nClicks, 1);
    EXPECT_EQ(parent.list.nColumnClicked, 2);
    EXPECT_EQ(parent.codes, (std::vector<UINT>{(UINT)NM_DBLCLK}));
}

TEST_F(ReflectionTest, OwnerDrawRowsAreMeasuredAndDrawnByTheList) {
    COwnerList& list = parent.list;
    parent.ShowWindow(SW_SHOWNA); // rows are drawn only in a mapped window
    list.InsertColumn(0, "Channel", LVCFMT_LEFT, 200);
    for (int i = 0; i < 3; ++i)
        list.InsertItem(i, "row");
    list.Invalidate();
    list.UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return list.drawnRows.size() == 3; }));

    EXPECT_GE(list.nMeasures, 1);
    EXPECT_EQ(list.drawnRows, (std::set<UINT>{0, 1, 2}));
    CRect rc;
    ASSERT_TRUE(list.GetItemRect(1, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.Height(), ROW_HEIGHT);
    // The parent's own ON_WM_MEASUREITEM never saw the list's measurement.
    EXPECT_TRUE(parent.codes.empty());
}
