// Reading the host's game string (the start record's message) without a
// window: the channel-list server of its header, the game id, and the
// automatic join it may ask for. The window's Init and ReadAutoJoin call
// these and keep the window's own work (message boxes, the splash, the
// views). The game string comes from outside: every text is cut to its
// field's width on a character boundary.
#pragma once

#include "PeltoraApi.h"

class CKelpParser;

// Widths of the fields below, terminator included; each equals the width
// of the window's or the host record's field it is copied into.
const int TS_GAME_ID_SIZE = 11;      // CTsGameInfo::m_szGameId
const int TS_AUTO_CHANNEL_SIZE = 31; // the window's m_szAutoChannelId
const int TS_AUTO_IP_SIZE = 51;      // the window's m_szAutoIp
const int TS_AUTO_SUB_ID_SIZE = 6;   // five bytes cut from the channel id

// What the game string names for the window to start with.
struct TsGameString {
    const char* pszServerIp;        // header address: the channel-list server (the parser's text)
    int nServerPort;                // header port
    char szGameId[TS_GAME_ID_SIZE]; // keyGameId
};

// The automatic join of a game string (keyChannelId with keyIPAddress).
struct TsAutoJoin {
    char szChannelId[TS_AUTO_CHANNEL_SIZE]; // keyChannelId
    char szIp[TS_AUTO_IP_SIZE];             // keyIPAddress: the channel's server
    // At most five bytes from eight before the end of szChannelId as
    // stored, clipped at both ends (so a short id gives its first bytes),
    // starting and ending between characters.
    char szSubId[TS_AUTO_SUB_ID_SIZE];
    int nPort;           // keyPort; 0 when missing or not a number
    int nMaxRoom;        // keyMaxRoom, likewise
    int nMaxRoomMembers; // keyMaxRoomMembers, likewise
    int nMaxRoomViewers; // keyMaxRoomViewers, likewise
};

// Non-zero when parser is valid and names its game (keyGameId present and
// not empty); game is then filled. On zero game is left as it was.
PELTORA_API int TsReadGameString(const CKelpParser& parser, TsGameString& game);

// Non-zero when the game string asks for an automatic join: it names a
// channel (keyChannelId) and that channel's server (keyIPAddress); a join
// without an address could not reach any server. join is then filled; on
// zero it is left as it was.
PELTORA_API int TsReadAutoJoin(const CKelpParser& parser, TsAutoJoin& join);
