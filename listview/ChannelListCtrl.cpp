// The channel list control: creation, columns, sorting, the join request
// on a double-click and the owner drawing of channel rows.
#include "ChannelListCtrl.h"

#include <string.h>

#include "TsRegion.h"

#include "ListRowHelpers.h"

// A channel row's height beyond the font's height.
static const int CHANNEL_ROW_EXTRA = 12;

BEGIN_MESSAGE_MAP(CTsChannelListCtrl, CTsSortedListCtrl)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

CTsChannelListCtrl::CTsChannelListCtrl() : m_pSetting(NULL) {}

CTsChannelListCtrl::~CTsChannelListCtrl() {}

int CTsChannelListCtrl::ApplySetting(CTsChannelRecordList* pRecords,
                                     CTsChannelListSetting* pSetting) {
    UNUSED_ALWAYS(pRecords);
    m_pSetting = pSetting;
    if (pSetting == NULL)
        return 0;
    return TsApplyListColours(*this, pSetting->m_clrText, pSetting->m_clrTextBk, pSetting->m_clrBk);
}

// Replaces columns 0..count-1 with the setting's: the name left-aligned,
// the numbers right-aligned; the header draws them itself. Then resets the
// sort state.
int CTsChannelListCtrl::BuildColumns() {
    if (m_pSetting == NULL)
        return 0;
    return BuildColumnsFrom(m_pSetting->m_nColumnCount, m_pSetting->m_pnColumnWidth,
                            m_pSetting->m_pstrColumnTitle, LVCFMT_RIGHT, FALSE);
}

// The number a row shows in nColumn: the record's user count in column 1
// and its capacity in column 2, which AddChannelList wrote as the row's
// texts; other columns have no text and count as 0.
static long NumberOfColumn(const CTsChannelListData& channel, int nColumn) {
    switch (nColumn) {
    case 1:
        return channel.m_nMemberCnt;
    case 2:
        return channel.m_nMaxMember;
    default:
        return 0;
    }
}

// Column 0 orders by identifier bytes, ascending while the flag is set;
// other columns by the rows' numbers. Only the records are read: the list
// view takes no messages from inside its sort callback.
int CALLBACK CTsChannelListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
    const CTsChannelListCtrl* pList =
        static_cast<const CTsChannelListCtrl*>((const CTsSortedListCtrl*)lParamSort);
    const CTsChannelListData* pA = (const CTsChannelListData*)lParam1;
    const CTsChannelListData* pB = (const CTsChannelListData*)lParam2;
    if (pList == NULL || pA == NULL || pB == NULL || pList->m_nSortColumn == -1)
        return 0;
    if (pList->m_nSortColumn == 0) {
        return pList->m_bSortAscending ? TsCompareBytes(pA->m_szChannelId, pB->m_szChannelId)
                                       : TsCompareBytes(pB->m_szChannelId, pA->m_szChannelId);
    }
    const long nA = NumberOfColumn(*pA, pList->m_nSortColumn);
    const long nB = NumberOfColumn(*pB, pList->m_nSortColumn);
    if (pList->m_bSortAscending)
        return nA > nB ? 1 : 0;
    return nA < nB ? 1 : 0;
}

// The record of the row that lists channel pszChannelId (byte for byte),
// or null.
static CTsChannelListData* FindRowRecord(const CListCtrl& list, const char* pszChannelId) {
    const int nRow = TsFindRowByLabel(list, pszChannelId);
    CTsChannelListData* pRecord = nRow >= 0 ? (CTsChannelListData*)list.GetItemData(nRow) : NULL;
    return pRecord != NULL && strcmp(pRecord->m_szChannelId, pszChannelId) == 0 ? pRecord : NULL;
}

// A double-click on a row asks the notify window to join its channel.
// The practice-lobby question is a modal box, and a reply processed while
// it is up replaces every row and frees their records: afterwards the
// channel asked about is found again by its id, and the join is dropped
// when it is no longer listed or the list is gone.
void CTsChannelListCtrl::OnDblClk(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const NMITEMACTIVATE* pActivate = (const NMITEMACTIVATE*)pNMHDR;
    const int nItem = pActivate->iItem;
    if (nItem < 0 || nItem >= GetItemCount())
        return;
    CTsChannelListData* pRecord = (CTsChannelListData*)GetItemData(nItem);
    if (pRecord == NULL || m_pNotifyWnd == NULL)
        return;
    if (TsRegion::kPracticeLobbyQuestion) {
        char szAsked[sizeof(pRecord->m_szChannelId)];
        memcpy(szAsked, pRecord->m_szChannelId, sizeof(szAsked));
        const HWND hWnd = m_hWnd;
        if (!ConfirmPracticeLobby(*pRecord) || !::IsWindow(hWnd))
            return;
        pRecord = FindRowRecord(*this, szAsked);
        if (pRecord == NULL)
            return;
    }
    m_pNotifyWnd->SendMessage(WM_CHANNELLIST_SEL, (WPARAM)pRecord, 0);
}

// A sub id whose third character is 'D' marks a practice lobby, where
// results and game money are restored when the game ends: the user
// confirms before entering (No drops the double-click). The texts are the
// Japanese configuration's own, in code page 932.
int CTsChannelListCtrl::ConfirmPracticeLobby(const CTsChannelListData& channel) {
    if (strlen(channel.m_szSubId) < 3 || channel.m_szSubId[2] != 'D')
        return 1;
    static const char kQuestion[] =
        "\x82\xB1\x82\xB1\x82\xCD\x97\xFB\x8F\x4B\x97\x70\x82\xCC\x8D\x4C\x8F\xEA\x82\xC5"
        "\x82\xB7\x81\x42\x91\xCE\x90\xED\x82\xB5\x82\xBD\x8C\xE3\x82\xCC\x90\xED\x90\xD1"
        "\x82\xE2\x83\x51\x81\x5B\x83\x80\x83\x7D\x83\x6C\x81\x5B\x82\xCD\n\x83\x51\x81"
        "\x5B\x83\x80\x8F\x49\x97\xB9\x8E\x9E\x82\xC9\x8C\xB3\x82\xC9\x96\xDF\x82\xE8\x82"
        "\xDC\x82\xB7\x81\x42\x82\xB1\x82\xCC\x83\x8D\x83\x72\x81\x5B\x82\xC9\x93\xFC\x82"
        "\xE8\x82\xDC\x82\xB7\x82\xA9\x81\x48";
    static const char kCaption[] = "\x83\x8D\x83\x72\x81\x5B";
    CWnd* pOwner = GetOwner();
    const HWND hOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : GetSafeHwnd();
    return AfxShowMessageBox(hOwner, kQuestion, kCaption, MB_YESNO) != IDNO;
}

void CTsChannelListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemHeight = TsRowHeightForFont(*this, CHANNEL_ROW_EXTRA);
}

// Draws one channel row: fill, name, numbers, focus rectangle. Normal rows
// take the list's own colours, highlighted rows the setting's.
void CTsChannelListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->hDC == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nSaved = pDC->SaveDC();
    TsRowInfo info;
    if (TsGetRowInfo(*this, pDC, (int)lpDrawItemStruct->itemID, info)) {
        const CTsChannelListData* pRecord = (const CTsChannelListData*)info.lParam;
        COLORREF clrFill;
        if (m_pSetting != NULL && info.bHighlighted) {
            pDC->SetTextColor(m_pSetting->m_clrSelText);
            pDC->SetBkColor(m_pSetting->m_clrSelTextBk);
            clrFill = m_pSetting->m_clrSelBk;
        } else {
            pDC->SetTextColor(GetTextColor());
            pDC->SetBkColor(GetTextBkColor());
            clrFill = GetBkColor();
        }
        TsFillRow(pDC, info, clrFill);
        TsDrawRowName(*this, pDC, info, pRecord != NULL ? pRecord->m_szChannelName : "");
        TsDrawRowColumns(*this, pDC, info);
        TsDrawRowFocus(pDC, info);
    }
    pDC->RestoreDC(nSaved);
}
