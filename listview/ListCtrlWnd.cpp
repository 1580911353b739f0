// The list container: creation of the font and both lists, their layout,
// and the row operations of the channel-list window.
#include "ListCtrlWnd.h"

#include <stdio.h>
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

// Each row operation first brings the list's label index in step (a row
// count that differs from the index's means rows came or went around the
// container), then answers "is this label shown?" from the index: a label
// it does not hold is not shown, so the list view is searched only for a
// row that is there.

int CTsListCtrlWnd::AddChannelGroup(CTsChannelGroupListData* pGroup) {
    if (m_pChannelGroupListCtrl == NULL || pGroup == NULL)
        return 0;
    m_pGroupLabels->Sync(*m_pChannelGroupListCtrl);
    if (m_pGroupLabels->Contains(pGroup->m_szGroupId))
        return 0;
    const int nItem = m_pChannelGroupListCtrl->InsertItem(
        LVIF_TEXT | LVIF_PARAM, m_pChannelGroupListCtrl->GetItemCount(), pGroup->m_szGroupId, 0, 0,
        0, (LPARAM)pGroup);
    if (nItem < 0)
        return 0;
    m_pGroupLabels->Add(pGroup->m_szGroupId);
    return 1;
}

// The row of pszLabel in list, or -1: none when the index holds no such label.
static int FindIndexedRow(CListCtrl& list, CTsLabelIndex& labels, const char* pszLabel) {
    labels.Sync(list);
    if (!labels.Contains(pszLabel))
        return -1;
    return TsFindRowByLabel(list, pszLabel);
}

int CTsListCtrlWnd::DeleteChannelGroup(const char* pszGroupId) {
    if (m_pChannelGroupListCtrl == NULL)
        return 0;
    const int nItem = FindIndexedRow(*m_pChannelGroupListCtrl, *m_pGroupLabels, pszGroupId);
    if (nItem < 0)
        return 0;
    const int nResult = m_pChannelGroupListCtrl->DeleteItem(nItem);
    if (nResult)
        m_pGroupLabels->Remove(pszGroupId);
    return nResult;
}

int CTsListCtrlWnd::UpdateChannelGroup(const char* pszGroupId) {
    if (m_pChannelGroupListCtrl == NULL)
        return 0;
    const int nItem = FindIndexedRow(*m_pChannelGroupListCtrl, *m_pGroupLabels, pszGroupId);
    if (nItem < 0)
        return 0;
    return m_pChannelGroupListCtrl->Update(nItem);
}

int CTsListCtrlWnd::DeleteAllChannelGroup() {
    if (m_pChannelGroupListCtrl == NULL || m_pChannelGroupListCtrl->GetSafeHwnd() == NULL)
        return 0;
    const int nResult = m_pChannelGroupListCtrl->DeleteAllItems();
    m_pGroupLabels->Sync(*m_pChannelGroupListCtrl);
    return nResult;
}

int CTsListCtrlWnd::AddChannelList(CTsChannelListData* pChannel) {
    if (m_pChannelListCtrl == NULL || pChannel == NULL)
        return 0;
    m_pChannelLabels->Sync(*m_pChannelListCtrl);
    if (m_pChannelLabels->Contains(pChannel->m_szChannelId))
        return 0;
    const int nItem =
        m_pChannelListCtrl->InsertItem(LVIF_TEXT | LVIF_PARAM, m_pChannelListCtrl->GetItemCount(),
                                       pChannel->m_szChannelId, 0, 0, 0, (LPARAM)pChannel);
    if (nItem < 0)
        return 0;
    m_pChannelLabels->Add(pChannel->m_szChannelId);
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
    const int nItem = FindIndexedRow(*m_pChannelListCtrl, *m_pChannelLabels, pszChannelId);
    if (nItem < 0)
        return 0;
    const int nResult = m_pChannelListCtrl->DeleteItem(nItem);
    if (nResult)
        m_pChannelLabels->Remove(pszChannelId);
    return nResult;
}

int CTsListCtrlWnd::UpdateChannelList(const char* pszChannelId) {
    if (m_pChannelListCtrl == NULL)
        return 0;
    const int nItem = FindIndexedRow(*m_pChannelListCtrl, *m_pChannelLabels, pszChannelId);
    if (nItem < 0)
        return 0;
    return m_pChannelListCtrl->Update(nItem);
}

int CTsListCtrlWnd::DeleteAllChannelList() {
    if (m_pChannelListCtrl == NULL || m_pChannelListCtrl->GetSafeHwnd() == NULL)
        return 0;
    const int nResult = m_pChannelListCtrl->DeleteAllItems();
    m_pChannelLabels->Sync(*m_pChannelListCtrl);
    return nResult;
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
