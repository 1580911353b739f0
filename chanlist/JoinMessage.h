// The join message handed to the host when the user enters a channel: a
// message of service and command "go", mode 1, addressed to the channel's
// server, naming the game, the channel, its room limits, the group and
// whether to enter a room at random.
#pragma once

#include <afxwin.h>

#include "PeltoraApi.h"

// What a join names.
struct TsJoinTarget {
    const char* pszIp;        // the channel server's address
    int nPort;                // its port, 0 to 65535 (TsIsJoinPort)
    const char* pszGameId;    // keyGameId
    const char* pszChannelId; // keyChannelId
    int nMaxRoom;             // keyMaxRoom
    int nMaxRoomMembers;      // keyMaxRoomMembers
    int nMaxRoomViewers;      // keyMaxRoomViewers
    int bRandomRoomEnter;     // keyRandomRoomEnter
    const char* pszSubId;     // keySubId
};

// The two orders of the keys: a join chosen in the list puts the sub id
// last; the automatic join of the start string puts it second.
enum TsJoinKeyOrder { TSJOIN_CHOSEN, TSJOIN_AUTOMATIC };

// A port a join can be addressed to: the message carries it in 16 bits,
// and a port beyond them would arrive cut to another one (70001 as 4465).
inline bool TsIsJoinPort(int nPort) {
    return nPort >= 0 && nPort <= 0xFFFF;
}

// Renders the join message into strMessage; a port that fails TsIsJoinPort
// renders nothing. Returns non-zero on success;
// strMessage is emptied on failure.
PELTORA_API int TsBuildJoinMessage(const TsJoinTarget& target, TsJoinKeyOrder order,
                                   CString& strMessage);
