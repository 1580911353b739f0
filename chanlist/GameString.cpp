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
    // The sub id is cut from the id as stored: from eight bytes before the
    // end, at most five bytes, both clipped to the id. Its start moves on to
    // the next character boundary and its end back to the last one that
    // fits, so that no double-byte character is split (ids are ASCII in
    // practice, where this is the plain byte cut).
    const size_t nIdLength = strlen(join.szChannelId);
    const size_t nFirst = nIdLength > 8 ? nIdLength - 8 : 0;
    size_t nStart = 0;
    while (nStart < nFirst)
        nStart +=
            IsDBCSLeadByte((BYTE)join.szChannelId[nStart]) && join.szChannelId[nStart + 1] != '\0'
                ? 2
                : 1;
    TsCopyField(join.szSubId, join.szChannelId + nStart);

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
