// Protocol names shared by every program that speaks the message format:
// item keys, services, commands and well-known values. Always compare and
// build with these globals, never with literal copies of their texts.
//
// Hosts are given them as the lobby's framework declares them, `char*`
// globals of scope G, so a host's `char* k = G::keyGameId;` compiles. The
// texts behind them are const arrays in read-only storage and are never
// written: every function of ours takes them as const char*, and a write
// through the pointer (by anyone) faults instead of changing a name for
// every module in the process. G::allKeys, our own list, is const
// throughout.
//
// An indexed key is a key text followed at once by a decimal index from 1
// ("%s%d"). No key text ends in a digit, so an indexed key never equals
// another key or another key's indexed form.
#pragma once

#include "MsgDataApi.h"

namespace G {

// Item keys.
extern MSGDATA_API char* keyGameId;
extern MSGDATA_API char* keyChannelId;
extern MSGDATA_API char* keyChannelName;
extern MSGDATA_API char* keyChannelNum;
extern MSGDATA_API char* keySubId;
extern MSGDATA_API char* keyIPAddress;
extern MSGDATA_API char* keyPort;
extern MSGDATA_API char* keyMemberCnt;
extern MSGDATA_API char* keyMaxMember;
extern MSGDATA_API char* keyMinMember;
extern MSGDATA_API char* keyMaxRoom;
extern MSGDATA_API char* keyMaxRoomMembers;
extern MSGDATA_API char* keyMaxRoomViewers;
extern MSGDATA_API char* keyRating;
extern MSGDATA_API char* keyRatingMove;
extern MSGDATA_API char* keyRandomRoomEnter;
extern MSGDATA_API char* keyResult;
extern MSGDATA_API char* keyMessage;

// Services and their commands.
extern MSGDATA_API char* serviceChannelList;
extern MSGDATA_API char* commandGetChannelList;
extern MSGDATA_API char* serviceGo;
extern MSGDATA_API char* commandGo;

// Values of keyResult.
extern MSGDATA_API char* valueSuccess;
extern MSGDATA_API char* valueFailure;

// Every key above, for callers that check or list them; ends with a null.
extern MSGDATA_API const char* const allKeys[];

} // namespace G
