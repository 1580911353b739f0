// CTsListCtrlWnd: the container of the two lists of the channel-list
// window, the channel-group list on the left and the channel list on the
// right. It makes their font, creates, places and destroys them, and is the
// window's only way to add, find, redraw and remove rows. Rows borrow their
// records; the window's record lists own them.
#pragma once

#include <afxwin.h>
#include "PeltoraApi.h"
#include "ChannelRecords.h"
#include "ListSettings.h"
#include "ChannelGroupListCtrl.h"
#include "ChannelListCtrl.h"

// Child ids of the two lists inside the container.
#define IDC_TS_CHANNEL_GROUP_LIST 30001
#define IDC_TS_CHANNEL_LIST 30002

class CTsLabelIndex;

class PELTORA_API CTsListCtrlWnd : public CWnd {
public:
    CTsListCtrlWnd();
    virtual ~CTsListCtrlWnd();

    // Creates the (hidden) container as child nID of pParent, which becomes
    // the lists' notify window. Returns 0 for a null parent or a failure.
    int Create(CWnd* pParent, UINT nID);

    // Binds the records lists and settings to the two lists, builds their
    // columns and lays the container and lists out from the settings'
    // rectangles and insets. The settings must outlive the lists. Returns 1.
    int SetListCtrlWnd(CTsGroupRecordList* pGroupRecords, CTsChannelGroupListSetting* pGroupSetting,
                       CTsChannelRecordList* pChannelRecords,
                       CTsChannelListSetting* pChannelSetting);

    // Group rows, labelled with m_szGroupId. Add refuses a label already
    // shown (letter case ignored, as the list view's string search); each
    // returns 0 when the list is missing or the row is not found. Whether a
    // label is shown is answered from an index of the labels, so adding n
    // rows costs O(n), not O(n^2); it always answers as the list view's
    // search would, also after a host edited rows through the public list
    // pointers (the lists count every change of a label, and a hit is
    // checked against its row).
    int AddChannelGroup(CTsChannelGroupListData* pGroup);
    int DeleteChannelGroup(const char* pszGroupId);
    int UpdateChannelGroup(const char* pszGroupId);
    int DeleteAllChannelGroup();

    // Channel rows, labelled with m_szChannelId, with the current and
    // maximum user counts in columns 1 and 2. Same rules as the groups.
    int AddChannelList(CTsChannelListData* pChannel);
    int DeleteChannelList(const char* pszChannelId);
    int UpdateChannelList(const char* pszChannelId);
    int DeleteAllChannelList();

    // Brackets the adding of many channel rows: the channel list stops
    // redrawing at the outermost Begin and redraws once at the matching
    // End. A list without the WS_VISIBLE style is left as it is (turning
    // its drawing back on would show it).
    void BeginChannelBatch();
    void EndChannelBatch();

    CWnd* m_pOwnerWnd; // the channel-list window; notify window of both lists
    CTsChannelGroupListCtrl* m_pChannelGroupListCtrl; // owned: the group list (id 30001)
    CTsChannelListCtrl* m_pChannelListCtrl;           // owned: the channel list (id 30002)
    CFont* m_pFont;                                   // owned: font of the container and both lists

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // Makes the 9-point list font with the face name of the string table.
    int CreateListFont();
    // Destroys and deletes whichever list controls exist; clears both pointers.
    void DestroyLists();

    CTsLabelIndex* m_pGroupLabels;   // owned: labels of the group rows
    CTsLabelIndex* m_pChannelLabels; // owned: labels of the channel rows
    int m_nChannelBatch;             // depth of Begin/EndChannelBatch
    BOOL m_bChannelRedrawOff;        // the outermost Begin turned the drawing off
};
