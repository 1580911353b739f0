// Test support for the list views: a notify window that records what the
// lists send and answers IsJoinValidate, a fixture with a container bound
// to settings, and helpers that click, read rows and render a row.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "JoinValidator.h"
#include "ListCtrlWnd.h"

// A hidden top-level window standing in for the channel-list window
// (hidden: taking a visible one down costs Wine two seconds without a
// window manager; the lists inside still measure, draw and take focus).
class CTestNotifyWnd : public CWnd, public ITsJoinValidator {
public:
    struct Sent {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    };

    int CreateTop();
    virtual int IsJoinValidate(CTsChannelGroupListData* group);

    std::vector<Sent> m_sent;        // WM_USER+23/24 received, in order
    std::set<std::string> m_refused; // group ids IsJoinValidate refuses
    std::vector<void*> m_asked;      // records IsJoinValidate was asked about

protected:
    afx_msg LRESULT OnGroupClicked(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChannelDblClicked(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Labels of a list's rows, top to bottom.
std::vector<std::string> RowLabels(const CListCtrl& list);

// Sends the list's parent a WM_NOTIFY from the list, as the list view does.
void NotifyItem(CListCtrl& list, UINT nCode, int nItem);
void NotifyColumnClick(CListCtrl& list, int nColumn);

// A 32-bit top-down DIB the size of a list's client area. With a row
// index, that row is drawn by calling the list's DrawItem with the list's
// font; with -1 the list paints itself into it (WM_PRINTCLIENT), which
// goes through WM_DRAWITEM and its reflection like a real paint.
class CRowRender {
public:
    CRowRender(CListCtrl& list, int nItem);
    ~CRowRender();
    COLORREF Pixel(int x, int y) const;
    // Counts pixels of colour clr inside rc.
    int Count(const RECT& rc, COLORREF clr) const;

    CRect m_rcRow; // the row's bounds in list coordinates (row 0 when printing)

private:
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
    const DWORD* m_pBits;
    int m_cx, m_cy;
};

// A notify window, a container created on it and two settings bound with
// SetListCtrlWnd. Tests may change the settings before calling Bind().
class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Bind();

    CTsChannelGroupListData* AddGroup(const char* id, const char* name = "Group");
    CTsChannelListData* AddChannel(const char* id, int nUsers, int nMax,
                                   const char* name = "Channel");
    CTsChannelGroupListCtrl& Groups() { return *m_wnd.m_pChannelGroupListCtrl; }
    CTsChannelListCtrl& Channels() { return *m_wnd.m_pChannelListCtrl; }

    CTestNotifyWnd m_notify;
    CTsListCtrlWnd m_wnd;
    CTsChannelGroupListSetting m_groupSetting;
    CTsChannelListSetting m_channelSetting;
    CTsGroupRecordList m_groupRecords;
    CTsChannelRecordList m_channelRecords;
    std::vector<std::unique_ptr<CTsChannelGroupListData>> m_groups;
    std::vector<std::unique_ptr<CTsChannelListData>> m_channels;
};

// The window rectangle of pWnd in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd);
