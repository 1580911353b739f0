// A window's life: WM_CREATE reaching the object, PreCreateWindow, failed
// creation, the handle maps and their cleanup, subclassing existing windows.
#include "afxwin.h"
#include "afxcmn.h"

#include <gtest/gtest.h>

namespace {

// Records what it saw during creation and destruction.
class CLifeWnd : public CWnd {
public:
    HWND hWndInOnCreate = NULL;
    void* createParam = NULL;
    int createResult = 0;
    bool* pDeleted = NULL; // set: PostNcDestroy deletes the object
    int nDestroyCalls = 0;

    ~CLifeWnd() {
        if (pDeleted != NULL)
            *pDeleted = true;
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        return CWnd::PreCreateWindow(cs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        hWndInOnCreate = m_hWnd;
        createParam = lpcs->lpCreateParams;
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        return createResult;
    }
    afx_msg void OnDestroy() {
        ++nDestroyCalls;
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override {
        if (pDeleted != NULL)
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

// Counts WM_SETTEXT on its way to the original window procedure.
class CSpyWnd : public CWnd {
public:
    int nSetText = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT)
            ++nSetText;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(WindowLifeTest, CreateDeliversWmCreateAndPreCreateStyles) {
    CLifeWnd wnd;
    int param = 0;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "life", WS_POPUP, 0, 0, 50, 50, NULL, NULL, &param));
    EXPECT_EQ(wnd.hWndInOnCreate, wnd.m_hWnd);
    EXPECT_EQ(wnd.createParam, &param);
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.nDestroyCalls, 1);
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowLifeTest, FailingOnCreateLeavesNoWindowBehind) {
    CLifeWnd wnd;
    wnd.createResult = -1;
    EXPECT_FALSE(wnd.CreateEx(0, NULL, "fail", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    EXPECT_NE(wnd.hWndInOnCreate, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.hWndInOnCreate), nullptr);
}

TEST(WindowLifeTest, SelfDeletingChildrenGoWithTheirParent) {
    CLifeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 80, 80, NULL, NULL));
    bool deleted[2] = {false, false};
    HWND hChildren[2];
    for (int i = 0; i < 2; ++i) {
        CLifeWnd* pChild = new CLifeWnd;
        pChild->pDeleted = &deleted[i];
        ASSERT_TRUE(pChild->Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1 + i));
        hChildren[i] = pChild->m_hWnd;
    }
    EXPECT_EQ(parent.GetDlgItem(2)->m_hWnd, hChildren[1]);
    parent.DestroyWindow();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(deleted[i]);
        EXPECT_EQ(CWnd::FromHandlePermanent(hChildren[i]), nullptr);
    }
}

TEST(WindowLifeTest, DestructorDestroysAnAttachedWindow) {
    HWND hWnd;
    {
        CLifeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "scoped", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowLifeTest, SubclassAndTemporaryWrappersOfForeignWindows) {
    HWND hEdit = ::CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(hEdit, (HWND)NULL);

    CWnd* pTemp = CWnd::FromHandle(hEdit);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hEdit), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);

    CSpyWnd spy;
    ASSERT_TRUE(spy.SubclassWindow(hEdit));
    EXPECT_EQ(CWnd::FromHandle(hEdit), &spy);
    spy.SetWindowText("typed");
    CString text;
    spy.GetWindowText(text);
    EXPECT_STREQ(text, "typed"); // the edit control's own procedure kept the text
    EXPECT_EQ(spy.nSetText, 1);

    EXPECT_EQ(spy.UnsubclassWindow(), hEdit);
    ::SetWindowTextA(hEdit, "again");
    EXPECT_EQ(spy.nSetText, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    ::DestroyWindow(hEdit);
    CWnd::DeleteTempMap();
}

TEST(WindowLifeTest, CreatingASystemClassKeepsItsProcedure) {
    CLifeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 150, 150), &parent, 5));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 80), 0);
    EXPECT_EQ(list.InsertItem(0, "first"), 0);
    EXPECT_EQ(list.InsertItem(1, "second"), 1);
    EXPECT_TRUE(list.SetItemText(1, 0, "changed"));
    EXPECT_TRUE(list.SetItemData(1, 0x1234));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_STREQ(list.GetItemText(1, 0), "changed");
    EXPECT_EQ(list.GetItemData(1), 0x1234u);
    LVFINDINFO find = {};
    find.flags = LVFI_STRING;
    find.psz = "CHANGED";
    EXPECT_EQ(list.FindItem(&find), 1);
    EXPECT_TRUE(list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
    ASSERT_NE(list.GetHeaderCtrl(), nullptr);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);
    EXPECT_EQ(list.GetColumnWidth(0), 80);
    parent.DestroyWindow();
    EXPECT_EQ(list.m_hWnd, (HWND)NULL);
}
