// CTsChannelListWnd: choosing a group or a channel and handing a join to
// the host.
#include "ChannelListWnd.h"

// WM_USER+23: a group row was clicked. Not built yet: does nothing.
LRESULT CTsChannelListWnd::OnMsgFromChannelGroupSel(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    return 0;
}

// WM_USER+24: a channel row was double-clicked. Not built yet: does
// nothing.
LRESULT CTsChannelListWnd::OnMsgFromChannelListSel(WPARAM wParam, LPARAM lParam) {
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    return 0;
}

// Command 215, the join button. Not built yet: does nothing.
void CTsChannelListWnd::OnBtnChannelJoinClicked() {}

// Hands pChannel over to the host. Not built yet: hands nothing over and
// returns 0.
int CTsChannelListWnd::ProcessJoinChannel(CTsChannelListData* pChannel, int nRoom) {
    UNUSED_ALWAYS(pChannel);
    UNUSED_ALWAYS(nRoom);
    return 0;
}

// Hands the start string's channel over to the host. Not built yet: hands
// nothing over and returns 0.
int CTsChannelListWnd::AutoJoinChannel() {
    return 0;
}

// Offers to return to the room of the last game. Not built yet: offers
// nothing and returns 0.
int CTsChannelListWnd::ContinueJoinChannel() {
    return 0;
}
