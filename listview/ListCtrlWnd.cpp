// The list container: creation of the font and both lists, their layout,
// and the row operations of the channel-list window.
#include "ListCtrlWnd.h"

#include <stdio.h>
#include <string.h>
#include "LabelIndex.h"
#include "ListRowHelpers.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CTsListCtrlWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTsListCtrlWnd::CTsListCtrlWnd()
    : m_pOwnerWnd(NULL), m_pChannelGroupListCtrl(NULL), m_pChannelListCtrl(NULL), m_pFont(NULL),
      m_pGroupLabels(new CTsLabelIndex), m_pChannelLabels(new CTsLabelIndex), m_nChannelBatch(0),
      m_bChannelRedrawOff(FALSE) {}

// Destroys a window still standing first, so WM_DESTROY reaches this class
// (and deletes the lists) while the object is whole; then the font, and any
// list object a failed creation left behind.
CTsListCtrlWnd::~CTsListCtrlWnd() {
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_pFont != NULL) {
        m_pFont->DeleteObject();
        delete m_pFont;
        m_pFont = NULL;
    }
    DestroyLists();
    delete m_pGroupLabels;
    delete m_pChannelLabels;
}

int CTsListCtrlWnd::Create(CWnd* pParent, UINT nID) {
    if (pParent == NULL)
        return 0;
    m_pOwnerWnd = pParent;
    LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           ::GetSysColorBrush(COLOR_BTNFACE), NULL);
    return CWnd::Create(pszClass, "ChannelListCtrlWnd", WS_CHILD, CRect(0, 0, 0, 0), pParent, nID)
               ? 1
               : 0;
}

// Font, then the group list and the channel list; a list that cannot be
// created fails the container's creation. The lists made so far are
// deleted here: a window whose WM_CREATE fails cannot count on a
// WM_DESTROY to do it.
int CTsListCtrlWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateListFont();
    if (m_pFont != NULL)
        SendMessage(WM_SETFONT, (WPARAM)m_pFont->GetSafeHandle(), TRUE);

    m_pChannelGroupListCtrl = new CTsChannelGroupListCtrl;
    if (!m_pChannelGroupListCtrl->CreateList(this, m_pOwnerWnd, IDC_TS_CHANNEL_GROUP_LIST,
                                             m_pFont)) {
        DestroyLists();
        return -1;
    }
    m_pChannelListCtrl = new CTsChannelListCtrl;
    if (!m_pChannelListCtrl->CreateList(this, m_pOwnerWnd, IDC_TS_CHANNEL_LIST, m_pFont)) {
        DestroyLists();
        return -1;
    }
    return 0;
}

// 9 points at the container's vertical resolution (-12 at 96 pixels per
// inch), regular weight, face name from string 17903. A container created
// again after its window was destroyed keeps the font it has: it lives
// until the destructor, and a second one would leak the first.
int CTsListCtrlWnd::CreateListFont() {
    if (m_pFont != NULL)
        return 1;
    CString strFace;
    strFace.LoadString(IDS_LIST_FONT_FACE);
    CDC* pDC = GetDC();
    const int nLogPixelsY = (pDC != NULL) ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    if (pDC != NULL)
        ReleaseDC(pDC);
    CFont* pFont = new CFont;
    if (!pFont->CreateFont(-(9 * nLogPixelsY) / 72, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, strFace)) {
        delete pFont;
        return 0;
    }
    m_pFont = pFont;
    return 1;
}

// Rows go first, then each list's window and object. The records stay with
// their owner.
void CTsListCtrlWnd::OnDestroy() {
    CWnd::OnDestroy();
    DeleteAllChannelGroup();
    DestroyLists();
}

// The group list, then the channel list: the window if it stands, then the
// object. A list whose creation failed has no window to destroy. Their
// labels and any batch go with them.
void CTsListCtrlWnd::DestroyLists() {
    m_pGroupLabels->Clear();
    m_pChannelLabels->Clear();
    m_nChannelBatch = 0;
    m_bChannelRedrawOff = FALSE;
    if (m_pChannelGroupListCtrl != NULL) {
        if (::IsWindow(m_pChannelGroupListCtrl->GetSafeHwnd()))
            m_pChannelGroupListCtrl->DestroyWindow();
        delete m_pChannelGroupListCtrl;
        m_pChannelGroupListCtrl = NULL;
    }
    if (m_pChannelListCtrl != NULL) {
        if (::IsWindow(m_pChannelListCtrl->GetSafeHwnd()))
            m_pChannelListCtrl->DestroyWindow();
        delete m_pChannelListCtrl;
        m_pChannelListCtrl = NULL;
    }
}

// Both lists get their setting, colours and columns; then the container
// takes G's left and top and both rectangles' sizes side by side, the
// group list inset by gM on three sides, the channel list by cM left and
// right and by gM at top and bottom.
int CTsListCtrlWnd::SetListCtrlWnd(CTsGroupRecordList* pGroupRecords,
                                   CTsChannelGroupListSetting* pGroupSetting,
                                   CTsChannelRecordList* pChannelRecords,
                                   CTsChannelListSetting* pChannelSetting) {
    if (m_pChannelGroupListCtrl != NULL) {
        m_pChannelGroupListCtrl->ApplySetting(pGroupRecords, pGroupSetting);
        m_pChannelGroupListCtrl->BuildColumns();
    }
    if (m_pChannelListCtrl != NULL) {
        m_pChannelListCtrl->ApplySetting(pChannelRecords, pChannelSetting);
        m_pChannelListCtrl->BuildColumns();
    }
    if (pGroupSetting == NULL || pChannelSetting == NULL || m_hWnd == NULL)
        return 1;

    const RECT& rcG = pGroupSetting->m_rcWindow;
    const RECT& rcC = pChannelSetting->m_rcWindow;
    const int gW = rcG.right - rcG.left;
    const int gH = rcG.bottom - rcG.top;
    const int cW = rcC.right - rcC.left;
    const int cH = rcC.bottom - rcC.top;
    const int gM = pGroupSetting->m_nMargin;
    const int cM = pChannelSetting->m_nMargin;

    MoveWindow(rcG.left, rcG.top, gW + cW, gH > cH ? gH : cH, TRUE);
    if (m_pChannelGroupListCtrl != NULL)
        m_pChannelGroupListCtrl->MoveWindow(gM, gM, gW - gM, gH - 2 * gM, TRUE);
    if (m_pChannelListCtrl != NULL)
        m_pChannelListCtrl->MoveWindow(gW + cM, gM, cW - 2 * cM, cH - 2 * gM, TRUE);
    return 1;
}

// Row operations. Whether a label is shown is answered as the list view's
// string search (LVM_FINDITEM, LVFI_STRING) answers it: from the list's
// label index, which reads the list again after any change it did not note
// itself (see CTsLabelIndex), every hit checked against the label of the
// row it names; and by the search itself where no index can stand in for
// it: labels from LVN_GETDISPINFO, and long labels. The list view's search
// compares at most 259 characters of a row's label (the size of its text
// buffer), so a label that long may match a longer row; a shorter one
// matches exactly as the index compares.

// Longest label, in bytes, answered from the index.
static const size_t kMaxIndexedLabel = 128;

// True when row nRow of list shows a label equal to pszLabel, letter case
// ignored.
static bool RowShowsLabel(const CListCtrl& list, int nRow, const char* pszLabel) {
    return nRow >= 0 && nRow < list.GetItemCount() &&
           ::lstrcmpiA(list.GetItemText(nRow, 0), pszLabel) == 0;
}

// Whether list shows a row labelled pszLabel, as its string search would
// answer. A hit whose row shows another label means the list changed in a
// way no row edit told: the index reads the list again and answers from it.
static bool IsLabelShown(CTsSortedListCtrl& list, CTsLabelIndex& labels, const char* pszLabel) {
    if (pszLabel == NULL || list.GetSafeHwnd() == NULL)
        return false;
    if (list.HasCallbackLabels() || strlen(pszLabel) >= kMaxIndexedLabel)
        return TsFindRowByLabel(list, pszLabel) >= 0;
    labels.Sync(list, list.GetRowEdits());
    const int nRow = labels.Find(pszLabel);
    if (nRow < 0 || RowShowsLabel(list, nRow, pszLabel))
        return nRow >= 0;
    labels.Invalidate();
    labels.Sync(list, list.GetRowEdits());
    return labels.Find(pszLabel) >= 0;
}

// Appends a row labelled pszLabel with the record lParam as item data,
// unless a row shows that label already. Returns the new row, or -1.
static int AppendRow(CTsSortedListCtrl& list, CTsLabelIndex& labels, const char* pszLabel,
                     LPARAM lParam) {
    if (list.GetSafeHwnd() == NULL || IsLabelShown(list, labels, pszLabel))
        return -1;
    const int nItem =
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), pszLabel, 0, 0, 0, lParam);
    if (nItem >= 0)
        labels.Append(pszLabel, nItem, list.GetRowEdits());
    return nItem;
}

// The row that the list view's string search finds for pszLabel (the first
// one), or -1; searched only when the label is shown.
static int FindShownRow(CTsSortedListCtrl& list, CTsLabelIndex& labels, const char* pszLabel) {
    if (!IsLabelShown(list, labels, pszLabel))
        return -1;
    return TsFindRowByLabel(list, pszLabel);
}

// Deletes the row labelled pszLabel; 0 when none is shown. The delete moves
// the list's row edits on, so the index reads the list again next time.
static int DeleteLabelledRow(CTsSortedListCtrl& list, CTsLabelIndex& labels, const char* pszLabel) {
    const int nItem = FindShownRow(list, labels, pszLabel);
    return nItem >= 0 ? list.DeleteItem(nItem) : 0;
}

// Redraws the row labelled pszLabel; 0 when none is shown.
static int UpdateLabelledRow(CTsSortedListCtrl& list, CTsLabelIndex& labels, const char* pszLabel) {
    const int nItem = FindShownRow(list, labels, pszLabel);
    return nItem >= 0 ? list.Update(nItem) : 0;
}

// Removes every row of list; 0 without its window.
static int DeleteAllRows(CTsSortedListCtrl* pList) {
    if (pList == NULL || pList->GetSafeHwnd() == NULL)
        return 0;
    return pList->DeleteAllItems();
}

int CTsListCtrlWnd::AddChannelGroup(CTsChannelGroupListData* pGroup) {
    if (m_pChannelGroupListCtrl == NULL || pGroup == NULL)
        return 0;
    return AppendRow(*m_pChannelGroupListCtrl, *m_pGroupLabels, pGroup->m_szGroupId,
                     (LPARAM)pGroup) >= 0
               ? 1
               : 0;
}

int CTsListCtrlWnd::DeleteChannelGroup(const char* pszGroupId) {
    if (m_pChannelGroupListCtrl == NULL)
        return 0;
    return DeleteLabelledRow(*m_pChannelGroupListCtrl, *m_pGroupLabels, pszGroupId);
}

int CTsListCtrlWnd::UpdateChannelGroup(const char* pszGroupId) {
    if (m_pChannelGroupListCtrl == NULL)
        return 0;
    return UpdateLabelledRow(*m_pChannelGroupListCtrl, *m_pGroupLabels, pszGroupId);
}

int CTsListCtrlWnd::DeleteAllChannelGroup() {
    return DeleteAllRows(m_pChannelGroupListCtrl);
}

int CTsListCtrlWnd::AddChannelList(CTsChannelListData* pChannel) {
    if (m_pChannelListCtrl == NULL || pChannel == NULL)
        return 0;
    const int nItem = AppendRow(*m_pChannelListCtrl, *m_pChannelLabels, pChannel->m_szChannelId,
                                (LPARAM)pChannel);
    if (nItem < 0)
        return 0;
    char szNumber[16];
    snprintf(szNumber, sizeof(szNumber), "%d", pChannel->m_nMemberCnt);
    m_pChannelListCtrl->SetItemText(nItem, 1, szNumber);
    snprintf(szNumber, sizeof(szNumber), "%d", pChannel->m_nMaxMember);
    m_pChannelListCtrl->SetItemText(nItem, 2, szNumber);
    return 1;
}

int CTsListCtrlWnd::DeleteChannelList(const char* pszChannelId) {
    if (m_pChannelListCtrl == NULL)
        return 0;
    return DeleteLabelledRow(*m_pChannelListCtrl, *m_pChannelLabels, pszChannelId);
}

int CTsListCtrlWnd::UpdateChannelList(const char* pszChannelId) {
    if (m_pChannelListCtrl == NULL)
        return 0;
    return UpdateLabelledRow(*m_pChannelListCtrl, *m_pChannelLabels, pszChannelId);
}

int CTsListCtrlWnd::DeleteAllChannelList() {
    return DeleteAllRows(m_pChannelListCtrl);
}

// Without drawing, an inserted row costs the list view no scrolling and no
// invalidation; the single redraw at the end paints what is visible.
void CTsListCtrlWnd::BeginChannelBatch() {
    if (m_nChannelBatch++ > 0)
        return;
    m_bChannelRedrawOff = FALSE;
    if (m_pChannelListCtrl == NULL || m_pChannelListCtrl->GetSafeHwnd() == NULL)
        return;
    if ((m_pChannelListCtrl->GetStyle() & WS_VISIBLE) == 0)
        return;
    m_pChannelListCtrl->SetRedraw(FALSE);
    m_bChannelRedrawOff = TRUE;
}

void CTsListCtrlWnd::EndChannelBatch() {
    if (m_nChannelBatch <= 0 || --m_nChannelBatch > 0)
        return;
    if (!m_bChannelRedrawOff)
        return;
    m_bChannelRedrawOff = FALSE;
    if (m_pChannelListCtrl == NULL || m_pChannelListCtrl->GetSafeHwnd() == NULL)
        return;
    m_pChannelListCtrl->SetRedraw(TRUE);
    m_pChannelListCtrl->Invalidate();
}
