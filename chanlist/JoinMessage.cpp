// The join message.
#include "JoinMessage.h"

#include <KelpParser.h>

int TsBuildJoinMessage(const TsJoinTarget& target, TsJoinKeyOrder order, CString& strMessage) {
    strMessage.Empty();
    if (!TsIsJoinPort(target.nPort))
        return 0;
    CKelpParser parser(G::serviceGo, G::commandGo, NULL, 1, target.pszIp,
                       (unsigned short)target.nPort);
    int bOk = parser.AddValue(G::keyGameId, target.pszGameId);
    if (order == TSJOIN_AUTOMATIC)
        bOk = bOk && parser.AddValue(G::keySubId, target.pszSubId);
    bOk = bOk && parser.AddValue(G::keyChannelId, target.pszChannelId) &&
          parser.AddValue(G::keyMaxRoom, target.nMaxRoom) &&
          parser.AddValue(G::keyMaxRoomMembers, target.nMaxRoomMembers) &&
          parser.AddValue(G::keyMaxRoomViewers, target.nMaxRoomViewers) &&
          parser.AddValue(G::keyRandomRoomEnter, target.bRandomRoomEnter);
    if (order == TSJOIN_CHOSEN)
        bOk = bOk && parser.AddValue(G::keySubId, target.pszSubId);
    char* pszText = NULL;
    int nLength = 0;
    if (!bOk || !parser.GetURL(pszText, nLength))
        return 0;
    strMessage = CString(pszText, nLength);
    return 1;
}
