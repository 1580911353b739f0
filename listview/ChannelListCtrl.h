// CTsChannelListCtrl: the right list of the container, an owner-drawn
// report list with one row per channel of the last reply: name, current
// users and capacity. A double-click asks the notify window to join the
// channel with WM_USER+24. Single clicks report nothing.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <TsSortedHeaderCtrl.h>
#include "PeltoraApi.h"
#include "ChannelRecords.h"
#include "ListSettings.h"

// Sent to the notify window when a channel row is double-clicked; wParam
// is the CTsChannelListData* of the row, lParam 0.
#define WM_TS_CHANNEL_DBLCLICKED (WM_USER + 24)

class PELTORA_API CTsChannelListCtrl : public CListCtrl {
public:
    CTsChannelListCtrl();
    virtual ~CTsChannelListCtrl();

    // As CTsChannelGroupListCtrl::CreateList; pNotify receives the joins.
    int CreateList(CWnd* pParent, CWnd* pNotify, UINT nID, CFont* pFont);
    // Binds the setting (which must outlive the list) and applies its three
    // colours. The records list is not read. Returns 1 when all colours took.
    int ApplySetting(CTsChannelRecordList* pRecords, CTsChannelListSetting* pSetting);
    // (Re)builds the columns: column 0 left-aligned, the numbers
    // right-aligned; enables sorting, unsorted. Returns 0 without a setting
    // or columns, or when a column fails.
    int BuildColumns();
    // Sorts by nColumn; nFlag set means ascending. Returns 0 while sorting
    // is disabled, else the list view's result.
    int SortColumn(int nColumn, int nFlag);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // The list view's comparison: lParam1/lParam2 are the records of two
    // rows, lParamSort the control. Never negative: 1 when the first row
    // belongs after the second, else 0.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    int m_nSortColumn;                 // column of the current order; -1 unsorted
    int m_bSortAscending;              // sort flag: ascending when set
    int m_bSortEnabled;                // 1 once columns are built; sorting refused while 0
    CWnd* m_pParentWnd;                // the container
    CWnd* m_pNotifyWnd;                // receives WM_USER+24
    CFont* m_pFont;                    // borrowed from the container
    CTsSortedHeaderCtrl m_wndHeader;   // subclassed over the list view's header
    CTsChannelListSetting* m_pSetting; // borrowed columns and colours

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    DECLARE_MESSAGE_MAP()
};
