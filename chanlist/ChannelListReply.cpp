// CTsChannelListWnd: the channel-list reply.
#include "ChannelListWnd.h"

// Turns a channel-list reply into the channel list of the current group.
// Not built yet: reads nothing, keeps the records and returns 0.
int CTsChannelListWnd::ProcessGetChannelList(CKelpParser& parser) {
    UNUSED_ALWAYS(parser);
    return 0;
}
