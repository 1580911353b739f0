// CTsChannelGroupListCtrl: the left list of the container, an owner-drawn
// report list with one row per channel group. Draws each row itself
// (normal, highlighted, not joinable, separator), sorts on a header click
// and reports a clicked group to its notify window with WM_USER+23.
#pragma once

#include "PeltoraApi.h"
#include "ChannelRecords.h"
#include "ListSettings.h"
#include "SortedListCtrl.h"

class ITsJoinValidator;

// Sent to the notify window when a group row is clicked; wParam is the
// CTsChannelGroupListData* of the chosen group, lParam 0.
#define WM_CHANNELGROUP_SEL (WM_USER + 23)

// Label of a separator row.
#define TS_SEPARATOR_ID "EMPTY"

// CreateList's notify window receives the clicks and answers
// IsJoinValidate when it implements ITsJoinValidator. SortColumn's flag set
// means descending identifiers on column 0.
class PELTORA_API CTsChannelGroupListCtrl : public CTsSortedListCtrl {
public:
    CTsChannelGroupListCtrl();
    virtual ~CTsChannelGroupListCtrl();

    // Binds the setting (which must outlive the list) and applies its three
    // colours. The records list is not read. Returns 1 when all colours took.
    int ApplySetting(CTsGroupRecordList* pRecords, CTsChannelGroupListSetting* pSetting);
    // (Re)builds the columns from the setting and enables sorting, unsorted.
    // Returns 0 without a setting or columns, or when a column fails.
    int BuildColumns();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // The list view's comparison: lParam1/lParam2 are the records of two
    // rows, lParamSort the control.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    CTsChannelGroupListSetting* m_pSetting; // borrowed columns and colours

protected:
    virtual PFNLVCOMPARE GetCompareFunction() const { return CompareItems; }
    virtual BOOL HasSetting() const { return m_pSetting != NULL; }

    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    DECLARE_MESSAGE_MAP()

private:
    // The notify window's admission answer, looked up at each use with
    // dynamic_cast, so the notify window is only queried once it is fully
    // constructed (rows are drawn long after CreateList). Null when there
    // is no notify window or it does not implement ITsJoinValidator.
    ITsJoinValidator* JoinValidator() const;
    // The record of row nItem, or null.
    CTsChannelGroupListData* RecordOfRow(int nItem) const;
};
