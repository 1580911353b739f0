// CTsChannelListWnd: the connection to the channel-list server, the
// request, the socket notifications and the dispatch of replies.
#include "ChannelListWnd.h"

// Command 216, the refresh button; also run by DoActive(1). Not built yet:
// does nothing.
void CTsChannelListWnd::OnBtnChannelListRefreshClicked() {}

// Sends the channel-list request for pszSubId. Not built yet: sends
// nothing and reports a failure (-1).
int CTsChannelListWnd::SendGetChannelList(const char* pszSubId) {
    UNUSED_ALWAYS(pszSubId);
    return -1;
}

// The connection stands (or failed). Not built yet: passes the base's
// result on.
int CTsChannelListWnd::OnSocketConnect(CTstpSocket* pSocket) {
    return CTsChildWnd::OnSocketConnect(pSocket);
}

// Queued data went out. Not built yet: passes the base's result on.
int CTsChannelListWnd::OnSocketSend(CTstpSocket* pSocket) {
    return CTsChildWnd::OnSocketSend(pSocket);
}

// Data arrived. Not built yet: passes the base's result on without reading
// the messages.
int CTsChannelListWnd::OnSocketReceive(CTstpSocket* pSocket) {
    return CTsChildWnd::OnSocketReceive(pSocket);
}

// The server closed the connection. Not built yet: passes the base's
// result on.
int CTsChannelListWnd::OnSocketClose(CTstpSocket* pSocket) {
    return CTsChildWnd::OnSocketClose(pSocket);
}

// Routes one parsed message. Not built yet: routes nothing and returns 0.
int CTsChannelListWnd::DispatchServices(CKelpParser& parser) {
    UNUSED_ALWAYS(parser);
    return 0;
}
