// CTsChannelListWnd: the channel-group catalogue and the admission rule.
#include "ChannelListWnd.h"

// Loads the game's channel groups and starts the first one the user may
// enter. Not built yet: loads nothing and connects nothing.
int CTsChannelListWnd::GetChannelGroupInfo() {
    return 1;
}

// Whether the signed-in user may enter pGroup. Not built yet: admits every
// group.
int CTsChannelListWnd::IsJoinValidate(CTsChannelGroupListData* pGroup) {
    UNUSED_ALWAYS(pGroup);
    return 1;
}
