// CTsChannelListCtrl: the right list of the container, an owner-drawn
// report list with one row per channel of the last reply: name, current
// users and capacity. A double-click asks the notify window to join the
// channel with WM_USER+24. Single clicks report nothing.
#pragma once

#include "PeltoraApi.h"
#include "ChannelRecords.h"
#include "ListSettings.h"
#include "SortedListCtrl.h"

// Sent to the notify window when a channel row is double-clicked; wParam
// is the CTsChannelListData* of the row, lParam 0.
#define WM_CHANNELLIST_SEL (WM_USER + 24)

// CreateList's notify window receives the joins. SortColumn's flag set
// means ascending order.
class PELTORA_API CTsChannelListCtrl : public CTsSortedListCtrl {
public:
    CTsChannelListCtrl();
    virtual ~CTsChannelListCtrl();

    // Binds the setting (which must outlive the list) and applies its three
    // colours. The records list is not read. Returns 1 when all colours took.
    int ApplySetting(CTsChannelRecordList* pRecords, CTsChannelListSetting* pSetting);
    // (Re)builds the columns: column 0 left-aligned, the numbers
    // right-aligned; enables sorting, unsorted. Returns 0 without a setting
    // or columns, or when a column fails.
    int BuildColumns();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // The list view's comparison: lParam1/lParam2 are the records of two
    // rows, lParamSort the control. Never negative: 1 when the first row
    // belongs after the second, else 0.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    CTsChannelListSetting* m_pSetting; // borrowed columns and colours

protected:
    virtual PFNLVCOMPARE GetCompareFunction() const { return CompareItems; }
    virtual BOOL HasSetting() const { return m_pSetting != NULL; }

    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    // Asks before a double-click enters a practice lobby; 0: the user said No.
    int ConfirmPracticeLobby(const CTsChannelListData& channel);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    DECLARE_MESSAGE_MAP()
};
