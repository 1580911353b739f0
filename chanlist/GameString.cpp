// Reading the host's game string.
#include "GameString.h"

#include <string.h>

#include <KelpParser.h>

#include "TsCopyField.h"

int TsReadGameString(const CKelpParser& parser, TsGameString& game) {
    char* pszGameId = NULL;
    int nLength = 0;
    if (!parser.IsValid() || !parser.GetValue(G::keyGameId, pszGameId, nLength) ||
        pszGameId[0] == '\0')
        return 0;
    game.pszServerIp = parser.GetIPAddress();
    game.nServerPort = parser.GetPort();
    TsCopyField(game.szGameId, pszGameId);
    return 1;
}

int TsReadAutoJoin(const CKelpParser& parser, TsAutoJoin& join) {
    char* pszChannelId = NULL;
    char* pszIp = NULL;
    int nLength = 0;
    if (!parser.GetValue(G::keyChannelId, pszChannelId, nLength) ||
        !parser.GetValue(G::keyIPAddress, pszIp, nLength))
        return 0;

    TsCopyField(join.szChannelId, pszChannelId);
    // The sub id is cut by bytes from the id as stored: start eight before
    // the end, at most five bytes, both clipped to the id.
    const int nIdLength = (int)strlen(join.szChannelId);
    const int nFirst = nIdLength > 8 ? nIdLength - 8 : 0;
    const int nCount = nIdLength - nFirst < 5 ? nIdLength - nFirst : 5;
    memcpy(join.szSubId, join.szChannelId + nFirst, (size_t)nCount);
    join.szSubId[nCount] = '\0';

    TsCopyField(join.szIp, pszIp);
    join.nPort = 0;
    join.nMaxRoom = 0;
    join.nMaxRoomMembers = 0;
    join.nMaxRoomViewers = 0;
    parser.GetValue(G::keyPort, join.nPort);
    parser.GetValue(G::keyMaxRoom, join.nMaxRoom);
    parser.GetValue(G::keyMaxRoomMembers, join.nMaxRoomMembers);
    parser.GetValue(G::keyMaxRoomViewers, join.nMaxRoomViewers);
    return 1;
}
