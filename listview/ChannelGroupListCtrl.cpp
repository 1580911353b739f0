// The channel-group list control: creation, columns, sorting, clicks and
// the owner drawing of group and separator rows.
#include "ChannelGroupListCtrl.h"

#include <string.h>
#include "JoinValidator.h"
#include "ListRowHelpers.h"

// A group row's height beyond the font's height.
static const int GROUP_ROW_EXTRA = 14;

// True for a separator row's identifier.
static bool IsSeparatorId(const char* pszId) {
    return strcmp(pszId, TS_SEPARATOR_ID) == 0;
}

// True for an identifier whose third character is 'D': such groups keep
// their place in a sort.
static bool HasUnsortedMark(const char* pszId) {
    return strlen(pszId) >= 3 && pszId[2] == 'D';
}

BEGIN_MESSAGE_MAP(CTsChannelGroupListCtrl, CTsSortedListCtrl)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

CTsChannelGroupListCtrl::CTsChannelGroupListCtrl() : m_pSetting(NULL) {}

CTsChannelGroupListCtrl::~CTsChannelGroupListCtrl() {}

int CTsChannelGroupListCtrl::ApplySetting(CTsGroupRecordList* pRecords,
                                          CTsChannelGroupListSetting* pSetting) {
    UNUSED_ALWAYS(pRecords);
    m_pSetting = pSetting;
    if (pSetting == NULL)
        return 0;
    return TsApplyListColours(*this, pSetting->m_clrText, pSetting->m_clrTextBk, pSetting->m_clrBk);
}

// Replaces columns 0..count-1 with the setting's, left-aligned, each header
// column drawn by the sorted header; then resets the sort state.
int CTsChannelGroupListCtrl::BuildColumns() {
    if (m_pSetting == NULL)
        return 0;
    return BuildColumnsFrom(m_pSetting->m_nColumnCount, m_pSetting->m_pnColumnWidth,
                            m_pSetting->m_pstrColumnTitle, LVCFMT_LEFT, TRUE);
}

// Column 0 orders by identifier, descending while the flag is set.
// Separators and identifiers with 'D' in third place compare equal to
// every row. A group row has no text beyond its label, so on every other
// column all rows compare equal and keep their order. Only the records are
// read: the list view takes no messages from inside its sort callback.
int CALLBACK CTsChannelGroupListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2,
                                                   LPARAM lParamSort) {
    const CTsChannelGroupListCtrl* pList =
        static_cast<const CTsChannelGroupListCtrl*>((const CTsSortedListCtrl*)lParamSort);
    const CTsChannelGroupListData* pA = (const CTsChannelGroupListData*)lParam1;
    const CTsChannelGroupListData* pB = (const CTsChannelGroupListData*)lParam2;
    if (pList == NULL || pA == NULL || pB == NULL || pList->m_nSortColumn != 0)
        return 0;
    if (HasUnsortedMark(pA->m_szGroupId) || HasUnsortedMark(pB->m_szGroupId))
        return 0;
    if (IsSeparatorId(pA->m_szGroupId) || IsSeparatorId(pB->m_szGroupId))
        return 0;
    return pList->m_bSortAscending ? TsCompareBytes(pB->m_szGroupId, pA->m_szGroupId)
                                   : TsCompareBytes(pA->m_szGroupId, pB->m_szGroupId);
}

// A click reports the clicked group; a click on a separator reports (and
// selects) the group below it, when there is one.
void CTsChannelGroupListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const NMITEMACTIVATE* pActivate = (const NMITEMACTIVATE*)pNMHDR;
    const int nItem = pActivate->iItem;
    if (nItem < 0)
        return;
    CTsChannelGroupListData* pRecord = RecordOfRow(nItem);
    if (pRecord == NULL)
        return;
    if (IsSeparatorId(pRecord->m_szGroupId) && nItem + 1 < GetItemCount()) {
        CTsChannelGroupListData* pBelow = RecordOfRow(nItem + 1);
        if (pBelow != NULL) {
            SetItemState(nItem + 1, LVIS_SELECTED, LVIS_SELECTED);
            if (m_pNotifyWnd != NULL)
                m_pNotifyWnd->SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)pBelow, 0);
            return;
        }
    }
    if (m_pNotifyWnd != NULL)
        m_pNotifyWnd->SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)pRecord, 0);
}

// Double-clicks on a group do nothing; the single click already chose it.
void CTsChannelGroupListCtrl::OnDblClk(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    *pResult = 0;
}

void CTsChannelGroupListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemHeight = TsRowHeightForFont(*this, GROUP_ROW_EXTRA);
}

// Draws one group row: fill, separator bar or name and further columns,
// focus rectangle. A group the user may not join is drawn in the
// not-joinable colours even when it is highlighted.
void CTsChannelGroupListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->hDC == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nSaved = pDC->SaveDC();
    TsRowInfo info;
    if (TsGetRowInfo(*this, pDC, (int)lpDrawItemStruct->itemID, info)) {
        CTsChannelGroupListData* pRecord = (CTsChannelGroupListData*)info.lParam;
        ITsJoinValidator* pValidator = JoinValidator();
        COLORREF clrFill;
        if (m_pSetting != NULL && pRecord != NULL && pValidator != NULL &&
            !pValidator->IsJoinValidate(pRecord)) {
            pDC->SetTextColor(m_pSetting->m_clrDisabledText);
            pDC->SetBkColor(m_pSetting->m_clrDisabledTextBk);
            clrFill = m_pSetting->m_clrDisabledBk;
        } else if (m_pSetting != NULL && info.bHighlighted) {
            pDC->SetTextColor(m_pSetting->m_clrSelText);
            pDC->SetBkColor(m_pSetting->m_clrSelTextBk);
            clrFill = m_pSetting->m_clrSelBk;
        } else {
            pDC->SetTextColor(m_pSetting != NULL ? m_pSetting->m_clrText : GetTextColor());
            pDC->SetBkColor(GetTextBkColor());
            clrFill = GetBkColor();
        }
        TsFillRow(pDC, info, clrFill);
        const bool bSeparator = pRecord == NULL || IsSeparatorId(pRecord->m_szGroupId);
        if (bSeparator) {
            // A thin bar across the row: 2 pixels high in a 26-pixel row.
            CRect rcBar = info.rcBounds;
            rcBar.DeflateRect(2, 12, 40, 12);
            if (rcBar.left < rcBar.right && rcBar.top < rcBar.bottom)
                pDC->FillSolidRect(&rcBar, ::GetSysColor(COLOR_BTNFACE));
        } else {
            TsDrawRowName(*this, pDC, info, pRecord->m_szGroupName);
            TsDrawRowColumns(*this, pDC, info);
            TsDrawRowFocus(pDC, info);
        }
    }
    pDC->RestoreDC(nSaved);
}

ITsJoinValidator* CTsChannelGroupListCtrl::JoinValidator() const {
    return dynamic_cast<ITsJoinValidator*>(m_pNotifyWnd);
}

CTsChannelGroupListData* CTsChannelGroupListCtrl::RecordOfRow(int nItem) const {
    if (nItem < 0 || nItem >= GetItemCount())
        return NULL;
    return (CTsChannelGroupListData*)GetItemData(nItem);
}
