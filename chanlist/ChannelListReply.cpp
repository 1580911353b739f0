// CTsChannelListWnd: the channel-list reply. The reading of the reply into
// records is ChannelReply.h's; this member replaces the window's records
// and rows with them and does what follows a listing.
#include "ChannelListWnd.h"

#include <limits.h>

#include <KelpParser.h>
#include <TsLobbyFrame.h>

#include "ChannelListCtrl.h"
#include "ChannelReply.h"
#include "TsRegion.h"

// Turns a channel-list reply into the channel list of the current group.
// A failure reply shows the server's text and keeps the earlier list
// (returns 0). Otherwise every channel record and row is replaced by the
// reply's, the total is summed, the list sorted by its first column, and
// continue play gets its chance (returns 1). The receiving splash stays
// up until the connection closes. The box of a failure and the question of
// continue play may end the window: nothing but the static reveal of the
// main window follows either.
int CTsChannelListWnd::ProcessGetChannelList(CKelpParser& parser) {
    m_dwLastActiveTick = AfxGetTickCount();
    CString strFailure;
    if (TsIsFailureReply(parser, strFailure)) {
        CTsAliveGuard alive(this);
        OFF_SPLASH();
        if (alive)
            TsMessageBox(m_pFrameWnd, strFailure, m_strCaption, MB_ICONEXCLAMATION);
        ShowMainWindowIfHidden();
        return 0;
    }

    while (!m_listChannel.IsEmpty())
        delete m_listChannel.RemoveHead();
    m_wndListCtrl.DeleteAllChannelList();

    // Summed in 64 bits (at most 262144 channels of 32-bit counts) and
    // clamped, so that a hostile reply cannot overflow the total.
    long long llTotal = 0;
    const int nLimit = TsReplyChannelLimit(parser);
    m_wndListCtrl.BeginChannelBatch();
    for (int i = 1; i <= nLimit; ++i) {
        CTsChannelListData* pChannel = new CTsChannelListData;
        if (!TsReadReplyChannel(parser, i, *pChannel)) {
            delete pChannel;
            continue;
        }
        llTotal += pChannel->m_nMemberCnt;
        m_listChannel.AddTail(pChannel);
        m_wndListCtrl.AddChannelList(pChannel);
    }
    m_wndListCtrl.EndChannelBatch();
    m_nTotalMembers = (int)(llTotal > INT_MAX ? INT_MAX : (llTotal < INT_MIN ? INT_MIN : llTotal));

    InvalidateRect(&TsRegion::kTotalLineRect, TRUE);
    if (m_wndListCtrl.m_pChannelListCtrl != NULL)
        m_wndListCtrl.m_pChannelListCtrl->SortColumn(0, 1);
    if (m_dwOption & TSOPT_CONTINUE_PLAY)
        ContinueJoinChannel();
    ShowMainWindowIfHidden();
    return 1;
}
