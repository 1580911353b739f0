// CTsChannelListWnd: choosing a group or a channel and handing a join to
// the host. Every way of joining ends in HandJoinOver: the join fields
// are filled and the frame switches to its lobby window, which reads them.
#include "ChannelListWnd.h"

#include <stdio.h>
#include <string.h>

#include <TsLobbyFrame.h>
#include <TsLobbyMsg.h>

#include "ChannelListCtrl.h"
#include "ContinuePlay.h"
#include "JoinMessage.h"
#include "TsRegion.h"
#include "resource.h"

// WM_USER+23: a group row was clicked (wParam: its record). A group the
// user may not enter is ignored without a word: the current connection
// and list stay. Otherwise the window switches to it; the click has
// selected its row already.
LRESULT CTsChannelListWnd::OnMsgFromChannelGroupSel(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(lParam);
    CTsChannelGroupListData* pGroup = (CTsChannelGroupListData*)wParam;
    if (IsJoinValidate(pGroup))
        SwitchChannelGroup(pGroup);
    return 0;
}

// WM_USER+24: a channel row was double-clicked (wParam: its record).
// Where the frame's window shows the channel's name, it is told first;
// that calls into the host, so the channel is looked up again afterwards
// by its id, and nothing is joined when the object or the channel is gone.
LRESULT CTsChannelListWnd::OnMsgFromChannelListSel(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(lParam);
    CTsChannelListData* pChannel = (CTsChannelListData*)wParam;
    if (TsRegion::kChannelNameToFrame && pChannel != NULL) {
        char szChannelId[sizeof(pChannel->m_szChannelId)];
        memcpy(szChannelId, pChannel->m_szChannelId, sizeof(szChannelId));
        CTsAliveGuard alive(this);
        TellFrameChannelName(*pChannel);
        if (!alive)
            return 0;
        pChannel = FindListedChannel(szChannelId);
    }
    ProcessJoinChannel(pChannel, -2);
    return 0;
}

// Sends the frame's channel-name window "<group name>-<channel name>" for
// the first group whose id occurs in the channel's id (WM_USER+53, the text
// in a zero-filled 1024-byte buffer). Nothing when no group matches or the
// frame keeps no such window.
void CTsChannelListWnd::TellFrameChannelName(const CTsChannelListData& channel) {
    for (POSITION pos = m_listGroup.GetHeadPosition(); pos != NULL;) {
        const CTsChannelGroupListData* pGroup = m_listGroup.GetNext(pos);
        if (strstr(channel.m_szChannelId, pGroup->m_szGroupId) == NULL)
            continue;
        char szText[1024];
        memset(szText, 0, sizeof(szText));
        _snprintf(szText, sizeof(szText) - 1, "%s-%s", pGroup->m_szGroupName,
                  channel.m_szChannelName);
        if (m_pFrameWnd != NULL && ::IsWindow(m_pFrameWnd->m_hChannelNameWnd))
            ::SendMessage(m_pFrameWnd->m_hChannelNameWnd, WM_TS_CHANNELNAME, (WPARAM)szText, 0);
        return;
    }
}

// Command 215, the join button: joins the selected channel, if any.
void CTsChannelListWnd::OnBtnChannelJoinClicked() {
    CTsChannelListCtrl* pList = m_wndListCtrl.m_pChannelListCtrl;
    if (pList == NULL || pList->GetSafeHwnd() == NULL)
        return;
    const int nRow = pList->GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    ProcessJoinChannel((CTsChannelListData*)pList->GetItemData(nRow), -2);
}

// Hands pChannel over to the host, to enter room nRoom (-2: none). A
// channel without a sub id of its own belongs to the current group.
// Returns 1, or 0 for a null channel or a join that cannot be built.
int CTsChannelListWnd::ProcessJoinChannel(CTsChannelListData* pChannel, int nRoom) {
    if (pChannel == NULL)
        return 0;
    // Where the client checks its memory before a join, a failed check
    // drops the join with nothing changed.
    if (TsRegion::kConfidenceGate && !CheckConfidenceMemory())
        return 0;
    const TsJoinTarget target = {pChannel->m_szIPAddress,
                                 pChannel->m_nPort,
                                 m_pGameInfo->m_szGameId,
                                 pChannel->m_szChannelId,
                                 pChannel->m_nMaxRoom,
                                 pChannel->m_nMaxRoomMembers,
                                 pChannel->m_nMaxRoomViewers,
                                 m_bAutoJoin,
                                 pChannel->m_szSubId[0] != '\0' ? pChannel->m_szSubId
                                                                : (LPCSTR)m_strSubId};
    return HandJoinOver(target, TSJOIN_CHOSEN, nRoom);
}

// Hands the start string's channel over to the host, entering no room.
// The sub id is the one Init cut from the channel id.
int CTsChannelListWnd::AutoJoinChannel() {
    const TsJoinTarget target = {
        m_szAutoIp,     m_nAutoPort,           m_pGameInfo->m_szGameId, m_szAutoChannelId,
        m_nAutoMaxRoom, m_nAutoMaxRoomMembers, m_nAutoMaxRoomViewers,   m_bAutoJoin,
        m_strSubId};
    return HandJoinOver(target, TSJOIN_AUTOMATIC, -2);
}

// Fills the join fields (this window, the join message, the current group
// message, the room), marks the window as no longer in use and asks the
// frame for its lobby window. The host may destroy this window, and delete
// this object, in there or in the box of a refused port: both end the
// member, and callers touch nothing after it.
int CTsChannelListWnd::HandJoinOver(const TsJoinTarget& target, int nOrder, int nRoom) {
    // A channel whose port does not fit the join message is never joined
    // at the port the cut would give: the join is refused, nothing changes,
    // and the user is told, as for any server that cannot be reached.
    if (!TsIsJoinPort(target.nPort)) {
        ShowCannotConnect();
        return 0;
    }
    CString strJoin;
    if (!TsBuildJoinMessage(target, (TsJoinKeyOrder)nOrder, strJoin))
        return 0;
    m_hJoinWnd = m_hWnd;
    m_strJoinUrl = strJoin;
    m_strGroupParam = m_strGroupMsg;
    m_nJoinChannel = nRoom;
    m_bInUse = 0;
    SetActiveWindow(2, &m_strJoinUrl);
    return 1;
}

// After a listing: when the remembered channel of the last game is listed,
// asks whether to return to its room. Yes (any answer but No) joins it and
// keeps the remembered values; No forgets them, in memory and in the
// registry. Returns ProcessJoinChannel's result after a Yes, else 0.
//
// The question is a modal box: while it is up, the window goes on
// receiving, and a later reply may replace every channel record. So the
// box holds no record: after a Yes the channel is looked up again by the id
// asked about, and the join is dropped when it is no longer listed or the
// window or object is gone. Replies processed while the question is up do
// not ask again; the question is over once the box is, even when its
// window went meanwhile, so a window created again asks again.
int CTsChannelListWnd::ContinueJoinChannel() {
    if (m_bAskingToContinue || FindListedChannel(m_szContChannelId) == NULL)
        return 0;

    char szAsked[sizeof(m_szContChannelId)];
    memcpy(szAsked, m_szContChannelId, sizeof(szAsked));
    CString strText;
    strText.LoadString(IDS_CONTINUE_PLAY);
    const HWND hWnd = m_hWnd;
    CTsAliveGuard alive(this);
    m_bAskingToContinue = 1;
    const int nAnswer = MessageBox(strText, m_strCaption, MB_YESNO | MB_ICONQUESTION);
    if (!alive)
        return 0;
    m_bAskingToContinue = 0;
    if (!::IsWindow(hWnd))
        return 0;

    if (nAnswer != IDNO) {
        CTsChannelListData* pChannel = FindListedChannel(szAsked);
        return pChannel != NULL ? ProcessJoinChannel(pChannel, m_nContRoom) : 0;
    }
    m_nContRoom = -2;
    if (TsDeleteContinuePlay(m_pszRegKey))
        m_szContChannelId[0] = '\0';
    return 0;
}

// The first record of the current listing whose channel id equals
// pszChannelId byte for byte.
CTsChannelListData* CTsChannelListWnd::FindListedChannel(const char* pszChannelId) {
    for (POSITION pos = m_listChannel.GetHeadPosition(); pos != NULL;) {
        CTsChannelListData* pChannel = m_listChannel.GetNext(pos);
        if (strcmp(pChannel->m_szChannelId, pszChannelId) == 0)
            return pChannel;
    }
    return NULL;
}
